#include "energy/recovery_editor.h"

#include <algorithm>
#include <cstdio>

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr int kDefaultWakeUpSeconds = 6 * 3600 + 30 * 60;
// More hours of sleep than this are a typing mistake, not a record.
constexpr double kMostHoursSlept = 48;
constexpr double kFullSleepHours = 9.5;

std::optional<double> ReadHours(const TConfigurator& config, const std::string& text) {
  try {
    return ParseNumber(config, text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::int32_t* RatingField(TRecovery& r, std::size_t i) {
  std::int32_t* fields[] = {&r.RSleep,  &r.RApetite,     &r.RPulse,
                            &r.REnergy, &r.RPerformance, &r.RDesire};
  return fields[i];
}

}  // namespace

const TRecoveryBand* RecoveryBandOf(double score) {
  if (score < 0) return nullptr;
  for (const TRecoveryBand& band : kRecoveryLegend)
    if (score >= band.lowest) return &band;
  return nullptr;
}

TRecoveryFields RecoveryFieldsOf(const TConfigurator& config, const TRecovery& record) {
  TRecoveryFields fields;
  fields.hours = record.HSlept == -1 ? std::string() : FormatNumber(config, record.HSlept, 1);
  fields.colds = record.RColds == kColdsReported;
  TRecovery copy = record;
  for (std::size_t i = 0; i < fields.ratings.size(); ++i) {
    const std::int32_t r = *RatingField(copy, i);
    fields.ratings[i] = r >= 0 && r <= 4 ? r : -1;
  }
  fields.wakeUpSeconds =
      record.RWakeUpTime == -1 ? kDefaultWakeUpSeconds : SecondsOfDay(record.RWakeUpTime);
  return fields;
}

TRecovery TakeRecoveryFields(const TConfigurator& config, const TRecoveryFields& fields) {
  TRecovery record;
  const std::optional<double> hours = ReadHours(config, fields.hours);
  if (hours && *hours >= 0 && *hours <= kMostHoursSlept) record.HSlept = *hours;
  record.RColds = fields.colds ? kColdsReported : -1;
  for (std::size_t i = 0; i < fields.ratings.size(); ++i)
    *RatingField(record, i) =
        fields.ratings[i] >= 0 && fields.ratings[i] <= 4 ? fields.ratings[i] : -1;
  if (fields.wakeUpSeconds != kDefaultWakeUpSeconds)
    record.RWakeUpTime = TimeFromSeconds(fields.wakeUpSeconds);
  return record;
}

std::string RecoveryScoreText(const TConfigurator& config, const TRecoveryFields& fields) {
  const std::optional<double> hours = ReadHours(config, fields.hours);
  if (!hours) return "";
  TRecovery record = TakeRecoveryFields(config, fields);
  record.HSlept = std::clamp(*hours, 0.0, kFullSleepHours);
  const Extended score = RecoveryScore(record);
  if (score < 0) return "";
  // Always two decimals ("5.00"), with the user's decimal character.
  char text[16];
  std::snprintf(text, sizeof text, "%.2f", static_cast<double>(score));
  std::string shown = text;
  std::replace(shown.begin(), shown.end(), '.', config.FloatingChar());
  return shown;
}

TRecoveryEditor::TRecoveryEditor(TRecoveryList records, TDateTime day)
    : records_(std::move(records)) {
  std::stable_sort(records_.begin(), records_.end(),
                   [](const auto& a, const auto& b) { return a.Date < b.Date; });
  Show(day);
}

void TRecoveryEditor::Show(TDateTime day) {
  const TDateTime wanted = DayOf(day);
  const auto found = std::find_if(records_.begin(), records_.end(),
                                  [wanted](const auto& r) { return r.Date == wanted; });
  if (found != records_.end()) {
    current_ = static_cast<std::size_t>(found - records_.begin());
    return;
  }
  const auto at = std::upper_bound(records_.begin(), records_.end(), wanted,
                                   [](TDateTime d, const auto& r) { return d < r.Date; });
  const auto inserted = records_.insert(at, TDated<TRecovery>{wanted, {}});
  current_ = static_cast<std::size_t>(inserted - records_.begin());
}

void TRecoveryEditor::Take(const TConfigurator& config, const TRecoveryFields& fields) {
  records_[current_].Values = TakeRecoveryFields(config, fields);
}

void TRecoveryEditor::ChangeDay(const TConfigurator& config, const TRecoveryFields& fields,
                                TDateTime day) {
  Take(config, fields);
  Show(day);
}

}  // namespace korvela
