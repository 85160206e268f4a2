#include "users/quantity_entry.h"

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {

TQuantityEntry::TQuantityEntry(const TConfigurator& config, TQuantityKind kind)
    : MaxValue(kind == TQuantityKind::Weight ? 600 : 250), config_(config), kind_(kind) {}

double TQuantityEntry::ToShown(double metric) const {
  return kind_ == TQuantityKind::Weight ? KgToShown(config_, metric) : CmToShown(config_, metric);
}

double TQuantityEntry::ToMetric(double shown) const {
  return kind_ == TQuantityKind::Weight ? ShownToKg(config_, shown) : ShownToCm(config_, shown);
}

std::string TQuantityEntry::UnitLabel() const {
  return kind_ == TQuantityKind::Weight ? WeightUnit(config_) : DistanceUnit(config_);
}

void TQuantityEntry::SetValue(double metric) {
  value_ = metric;
  text_ = metric == -1 ? std::string() : FormatNumber(config_, ToShown(metric), 2);
  changed_ = false;
}

void TQuantityEntry::SetText(std::string text) {
  if (text == text_) return;
  text_ = std::move(text);
  changed_ = true;
}

void TQuantityEntry::Refresh() {
  if (value_ != -1 && !changed_) SetValue(value_);
}

TQuantityEntry::TCheck TQuantityEntry::Validate(bool explicitCheck) {
  if (text_.find_first_not_of(" \t") == std::string::npos) {
    value_ = -1;
    if (!explicitCheck) return {};
    return {false, kind_ == TQuantityKind::Weight ? "Please enter a weight"
                                                  : "Please enter a " + DistString};
  }
  if (!changed_) return {value_ != -1 || !explicitCheck, {}};
  try {
    const double metric = ToMetric(ParseNumber(config_, text_));
    if (metric >= MinValue && metric <= MaxValue) {
      SetValue(metric);
      return {};
    }
  } catch (const EConvertError&) {
  }
  value_ = -1;
  const std::string range = FormatNumber(config_, ToShown(MinValue), 2) + " and " +
                            FormatNumber(config_, ToShown(MaxValue), 2) + " " + UnitLabel();
  return {false, kind_ == TQuantityKind::Weight
                     ? "This Weight field requires values between " + range
                     : DistString + " field requires values between " + range};
}

}  // namespace korvela
