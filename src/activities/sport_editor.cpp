#include "activities/sport_editor.h"

#include <cmath>

#include "activities/activity_figures.h"
#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "storage/value_text.h"
#include "users/unit_text.h"

namespace korvela {

std::string TrimmedName(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r\n");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t\r\n");
  return std::string(text.substr(first, last - first + 1));
}

std::string SportEditorHeading(bool isNew, std::string_view name) {
  if (isNew) return kNewSportCaption;
  return "Edit " + Ellipsize(name, kSportHeadingLength);
}

TSportCheck CheckSport(const TConfigurator& config, std::string_view name,
                       std::string_view duration, std::string_view met, TSport& sport) {
  std::string trimmed = TrimmedName(name);
  if (trimmed.empty()) return {kMsgSportNameMissing, TSportField::Name};
  sport.Activity = std::move(trimmed);
  const std::optional<int> minutes = ReadDuration(duration);
  if (!minutes) return {kMsgInvalidSportDuration, TSportField::Duration};
  sport.Per = *minutes;
  const std::optional<double> value = ReadMET(config, met);
  if (!value) return {kMsgInvalidMETValue, TSportField::MET};
  sport.MET = *value;
  return {};
}

TMETCalcOutcome CalculateMET(const TConfigurator& config, std::string_view calories,
                             std::string_view minutes) {
  double burned = 0;
  try {
    burned = ParseNumber(config, calories);
  } catch (const EConvertError&) {
    burned = 0;
  }
  if (!(burned > 0) || !std::isfinite(burned))
    return {kMsgInvalidCaloriesBurned, TMETCalcField::Calories, std::nullopt};
  int duration = 0;
  try {
    duration = ReadIntText(minutes);
  } catch (const EConvertError&) {
    duration = 0;
  }
  if (duration <= 0) return {kMsgInvalidCalcDuration, TMETCalcField::Minutes, std::nullopt};
  const double met = burned / duration;
  if (!(met > 0) || met > kMaxMET) return {kMsgImpossibleMET, TMETCalcField::None, std::nullopt};
  return {std::nullopt, TMETCalcField::None, METText(config, met)};
}

}  // namespace korvela
