#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "activities/sport.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kMsgSportNameMissing = "Please, provide a Name for the acitivity!";
inline constexpr const char* kMsgInvalidSportDuration = "Invalid duration!";
inline constexpr const char* kMsgInvalidMETValue = "Invalid MET value!";
inline constexpr const char* kMsgInvalidCaloriesBurned = "Invalid Calories Burned Number!";
inline constexpr const char* kMsgInvalidCalcDuration = "Invalid Duration!";
inline constexpr const char* kMsgImpossibleMET =
    "The resulting MET value is impossible. Please, provide correct data!";

inline constexpr const char* kNewSportCaption = "New Physical Activity";
inline constexpr const char* kNewSportName = "New Activity...";
inline constexpr const char* kEditSportCaption = "Edit Physical Activity ";
inline constexpr const char* kCopyPrefix = "A Copy of ";
// How much of the name the heading of an edit shows.
inline constexpr std::size_t kSportHeadingLength = 66;

// The editor's heading: the caption of a new activity, else "Edit " and the
// name shortened to 66 characters.
std::string SportEditorHeading(bool isNew, std::string_view name);

// The fields of the activity editor, in their order.
enum class TSportField { None, Name, Duration, MET };

// What OK found: the first field refused with its message, or none.
struct TSportCheck {
  std::optional<std::string> warning;
  TSportField focus = TSportField::None;
};

// The checks of OK in order: the trimmed name must not be empty, the
// duration a whole number 1-1440, the MET a number 0.9-20. Each value is
// taken into `sport` as its check passes.
TSportCheck CheckSport(const TConfigurator& config, std::string_view name,
                       std::string_view duration, std::string_view met, TSport& sport);

// "Calculate MET" of an average person, who burns one calorie a minute at
// rest: MET = calories / minutes.
enum class TMETCalcField { None, Calories, Minutes };
struct TMETCalcOutcome {
  std::optional<std::string> warning;
  TMETCalcField focus = TMETCalcField::None;
  std::optional<std::string> met;  // two decimals, when computed
};
TMETCalcOutcome CalculateMET(const TConfigurator& config, std::string_view calories,
                             std::string_view minutes);

// Leading and trailing blanks removed.
std::string TrimmedName(std::string_view text);

}  // namespace korvela
