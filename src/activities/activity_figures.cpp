#include "activities/activity_figures.h"

#include <algorithm>
#include <cmath>

#include "storage/errors.h"
#include "storage/value_text.h"
#include "users/unit_text.h"

namespace korvela {

double BurnedCalories(double met, int minutes, double ratePerDay) {
  return minutes * met * ratePerDay / kMinutesPerDay;
}

double AddedCalories(double met, int minutes, double ratePerDay) {
  return std::max(0.0, minutes * (met - kOrdinaryMET) * ratePerDay / kMinutesPerDay);
}

std::optional<double> ReadMET(const TConfigurator& config, std::string_view text) {
  try {
    const double met = ParseNumber(config, text);
    if (std::isfinite(met) && met >= kMinMET && met <= kMaxMET) return met;
  } catch (const EConvertError&) {
  }
  return std::nullopt;
}

std::optional<int> ReadDuration(std::string_view text) {
  try {
    const int minutes = ReadIntText(text);
    if (minutes >= kMinDuration && minutes <= kMaxDuration) return minutes;
  } catch (const EConvertError&) {
  }
  return std::nullopt;
}

TActivityFigures ActivityFigures(const TConfigurator& config, std::string_view metText,
                                 std::string_view durationText, double ratePerDay) {
  const std::optional<double> met = ReadMET(config, metText);
  const std::optional<int> minutes = ReadDuration(durationText);
  if (!met || !minutes || ratePerDay < 0) return {};
  return {FormatNumber(config, BurnedCalories(*met, *minutes, ratePerDay), 0),
          FormatNumber(config, AddedCalories(*met, *minutes, ratePerDay), 0), true};
}

std::string METText(const TConfigurator& config, double met) {
  return FormatNumber(config, met, 2);
}

}  // namespace korvela
