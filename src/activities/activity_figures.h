#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "users/configurator.h"

namespace korvela {

// Calorie figures of an activity of `met` METs done for `minutes` at a
// resting rate of `ratePerDay` calories a day (1440 for the average person,
// who burns one calorie a minute at rest). "Added" is what the activity adds
// to the day's expenditure above the 1.2 METs of an ordinary day's minute
// that the activity coefficient already counts; never below 0.
inline constexpr double kMinutesPerDay = 1440;
inline constexpr double kOrdinaryMET = 1.2;
inline constexpr double kAveragePersonRate = 1440;
double BurnedCalories(double met, int minutes, double ratePerDay);
double AddedCalories(double met, int minutes, double ratePerDay);

// The accepted ranges of the activity screens.
inline constexpr double kMinMET = 0.9;
inline constexpr double kMaxMET = 20;
inline constexpr int kMinDuration = 1;
inline constexpr int kMaxDuration = 1440;

// A MET of 0.9 to 20 read with the user's decimal character; none otherwise.
std::optional<double> ReadMET(const TConfigurator& config, std::string_view text);
// A whole number of minutes 1 to 1440; none otherwise.
std::optional<int> ReadDuration(std::string_view text);

// "Burned" and "Added" as the screens show them (no decimals), both empty
// while the MET or the duration text is not valid or the rate unknown
// (below 0).
struct TActivityFigures {
  std::string burned;
  std::string added;
  bool valid = false;
};
TActivityFigures ActivityFigures(const TConfigurator& config, std::string_view metText,
                                 std::string_view durationText, double ratePerDay);

// A MET shown with two decimals.
std::string METText(const TConfigurator& config, double met);

}  // namespace korvela
