#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "energy/extended.h"
#include "training/workout.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

// The weight nearest to v among m, m + i, m + 2i, ... (a tie goes up); m for
// any v at or below m.
Extended RoundWeight(Extended v, Extended minimal, Extended increment);

// What "Round Weights..." was asked to do.
struct TRoundWeights {
  Extended Minimal = 20;
  Extended Increment = 2.5L;
  std::int32_t Unit = kKilograms;  // the unit the minimum and step are in
  bool AllRows = true;
};

// 20 and 2.5 kg for metric users, 45 and 5 lbs for others.
TRoundWeights DefaultRounding(const TConfigurator& config);

inline constexpr const char* kMsgBadMinimalWeight = "Please, enter a valid minimal Weight";
inline constexpr const char* kMsgBadIncrement = "Please, enter a valid minimal Increment";

// Reads the two typed numbers; the warning of the first bad one otherwise.
struct TRoundingInput {
  std::optional<TRoundWeights> rounding;
  std::string message;
  bool minimalFailed = false;  // else the increment failed
};
TRoundingInput ReadRoundingInput(const TConfigurator& config, std::string_view minimal,
                                 std::string_view increment, std::int32_t unit, bool allRows);

// Rounds the absolute weights above 0 of the Weight-kind set lines (every
// line, or only `line`), the minimum and step taken over into each line's
// unit with 2.2 lbs per kg. Returns how many lines changed.
std::size_t RoundWorkoutWeights(const TConfigurator& config, const TExerciseDictionary& dictionary,
                                TWorkout& workout, const TRoundWeights& rounding, std::size_t line);

}  // namespace korvela
