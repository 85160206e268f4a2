#include "energy/measurements_editor.h"

#include <algorithm>

#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// A measurement must be above 0 and below this many centimetres.
constexpr double kMaxMeasurementCm = 300;
// While typing, differences follow values up to this many centimetres.
constexpr double kMaxTypedDifferenceCm = 250;

bool IsBlank(const std::string& text) { return text.find_first_not_of(" \t") == std::string::npos; }

std::optional<double> ReadCm(const TConfigurator& config, const std::string& text) {
  try {
    return ShownToCm(config, ParseNumber(config, text));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

const char* UnitWord(const TConfigurator& config) { return config.MetricSystem() ? "cm" : "inch"; }

}  // namespace

const std::array<TMeasureSite, kMeasureSiteCount> kMeasureCheckOrder = {
    TMeasureSite::Neck,     TMeasureSite::Chest,   TMeasureSite::Shoulders, TMeasureSite::Waist,
    TMeasureSite::Hips,     TMeasureSite::LBiceps, TMeasureSite::RBiceps,   TMeasureSite::LForearm,
    TMeasureSite::RForearm, TMeasureSite::LThigh,  TMeasureSite::RThigh,    TMeasureSite::LCalf,
    TMeasureSite::RCalf};

const char* MeasureSiteName(TMeasureSite site) {
  switch (site) {
    case TMeasureSite::Neck:
      return "Neck";
    case TMeasureSite::Shoulders:
      return "Shoulders";
    case TMeasureSite::Chest:
      return "Chest";
    case TMeasureSite::LBiceps:
      return "Left Biceps";
    case TMeasureSite::RBiceps:
      return "Right Biceps";
    case TMeasureSite::LForearm:
      return "Left Forearm";
    case TMeasureSite::RForearm:
      return "Right Forearm";
    case TMeasureSite::Waist:
      return "Waist";
    case TMeasureSite::Hips:
      return "Hips";
    case TMeasureSite::LThigh:
      return "Left Thigh";
    case TMeasureSite::RThigh:
      return "Right Thigh";
    case TMeasureSite::LCalf:
      return "Left Calf";
    case TMeasureSite::RCalf:
      return "Right Calf";
  }
  return "";
}

std::vector<std::string> UnilateralColumns(const TConfigurator& config) {
  return {std::string("Measurement (") + UnitWord(config) + ")", "(+/-)"};
}

std::vector<std::string> BilateralColumns(const TConfigurator& config) {
  const std::string unit = std::string(" (") + UnitWord(config) + ")";
  return {"Left" + unit, "L (+/-)", "Right" + unit, "R (+/-)"};
}

std::string MeasurementText(const TConfigurator& config, double cm) {
  return cm == -1 ? std::string() : FormatNumber(config, CmToShown(config, cm), 2);
}

TMeasurementsEditor::TMeasurementsEditor(TMeasurementList records, const TConfigurator& config,
                                         TDateTime day)
    : config_(config), records_(std::move(records)) {
  const TDateTime wanted = DayOf(day);
  if (IndexOf(wanted) < 0) records_.push_back({wanted, {}});
  SortKeeping(wanted);
}

void TMeasurementsEditor::SortKeeping(TDateTime selectedDay) {
  std::stable_sort(records_.begin(), records_.end(),
                   [](const auto& a, const auto& b) { return a.Date < b.Date; });
  selected_ = IndexOf(selectedDay);
}

int TMeasurementsEditor::IndexOf(TDateTime day) const {
  for (std::size_t i = 0; i < records_.size(); ++i)
    if (records_[i].Date == day) return static_cast<int>(i);
  return -1;
}

std::vector<std::string> TMeasurementsEditor::ListTexts() const {
  std::vector<std::string> texts;
  for (const auto& record : records_) texts.push_back(ShortDateText(record.Date));
  return texts;
}

TMeasureTexts TMeasurementsEditor::Texts() const {
  TMeasureTexts texts;
  if (selected_ < 0) return texts;
  const TMeasurements& m = records_[static_cast<std::size_t>(selected_)].Values;
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i)
    texts[i] = MeasurementText(config_, m.Sites[i]);
  return texts;
}

double TMeasurementsEditor::DifferenceBase(TMeasureSite site) const {
  if (selected_ <= 0) return -1;
  return records_[static_cast<std::size_t>(selected_ - 1)].Values[site];
}

std::string TMeasurementsEditor::Difference(double cm, double previous) const {
  if (cm == -1 || previous == -1) return "";
  return SignedText(FormatNumber(config_, CmToShown(config_, cm - previous), 2));
}

std::string TMeasurementsEditor::DifferenceText(TMeasureSite site) const {
  if (selected_ < 0) return "";
  return Difference(records_[static_cast<std::size_t>(selected_)].Values[site],
                    DifferenceBase(site));
}

std::optional<std::string> TMeasurementsEditor::TypedDifferenceText(TMeasureSite site,
                                                                    const std::string& text) const {
  if (selected_ < 0) return std::nullopt;
  if (IsBlank(text)) return std::string();
  // The shown text of the stored value stands for the value itself.
  if (text == MeasurementText(config_, records_[static_cast<std::size_t>(selected_)].Values[site]))
    return DifferenceText(site);
  const std::optional<double> cm = ReadCm(config_, text);
  if (!cm || !(*cm > 0 && *cm <= kMaxTypedDifferenceCm)) return std::nullopt;
  return Difference(*cm, DifferenceBase(site));
}

std::optional<TMeasureFault> TMeasurementsEditor::Commit(const TMeasureTexts& texts) {
  if (selected_ < 0) return std::nullopt;
  TMeasurements& stored = records_[static_cast<std::size_t>(selected_)].Values;
  TMeasurements taken;
  for (const TMeasureSite site : kMeasureCheckOrder) {
    const std::string& text = texts[SiteIndex(site)];
    if (IsBlank(text)) continue;  // stays -1
    // A cell still showing the stored value keeps it unrounded.
    const std::optional<double> cm =
        text == MeasurementText(config_, stored[site]) ? stored[site] : ReadCm(config_, text);
    if (!cm || !(*cm > 0 && *cm < kMaxMeasurementCm))
      return TMeasureFault{
          site, std::string("Please, enter a valid ") + MeasureSiteName(site) + " measurement!"};
    taken[site] = *cm;
  }
  stored = taken;
  return std::nullopt;
}

std::optional<TMeasureFault> TMeasurementsEditor::Select(int index, const TMeasureTexts& texts) {
  if (index == selected_) return std::nullopt;
  if (auto fault = Commit(texts)) return fault;
  if (index >= 0 && index < static_cast<int>(records_.size())) selected_ = index;
  return std::nullopt;
}

std::optional<std::string> TMeasurementsEditor::ChangeDate(TDateTime date) {
  if (selected_ < 0) return std::nullopt;
  const TDateTime day = DayOf(date);
  const int other = IndexOf(day);
  if (other == selected_) return std::nullopt;
  if (other >= 0)
    return "You have already taken measurements on " + ShortDateText(day) +
           "!\nPlease select another date!";
  records_[static_cast<std::size_t>(selected_)].Date = day;
  SortKeeping(day);
  return std::nullopt;
}

std::optional<TMeasureFault> TMeasurementsEditor::NewMeasurements(const TMeasureTexts& texts,
                                                                  TDateTime today) {
  if (auto fault = Commit(texts)) return fault;
  TDateTime day = DayOf(today);
  while (IndexOf(day) >= 0) day -= 1;
  records_.push_back({day, {}});
  SortKeeping(day);
  return std::nullopt;
}

void TMeasurementsEditor::DeleteSelected() {
  if (selected_ < 0) return;
  records_.erase(records_.begin() + selected_);
  selected_ = records_.empty() ? -1 : 0;
}

std::optional<TMeasureFault> TMeasurementsEditor::Accept(const TMeasureTexts& texts) {
  return Commit(texts);
}

}  // namespace korvela
