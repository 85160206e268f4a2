#include "training/weight_rounding.h"

#include <cmath>

#include "storage/errors.h"
#include "training/exercise_dictionary.h"
#include "training/expressions.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr std::int64_t kMaxSteps = 1000001;

std::optional<Extended> ReadNumber(const TConfigurator& config, std::string_view text) {
  try {
    const double value = ParseNumber(config, text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

Extended RoundWeight(Extended v, Extended minimal, Extended increment) {
  if (v <= minimal) return minimal;
  // The first step above v, counted rather than summed so that a step such
  // as 0.1 gathers no error on the way.
  const Extended first = std::floor((v - minimal) / increment) + 1;
  std::int64_t steps = first > kMaxSteps ? kMaxSteps : static_cast<std::int64_t>(first);
  const auto at = [&](std::int64_t k) { return minimal + static_cast<Extended>(k) * increment; };
  while (steps < kMaxSteps && at(steps) <= v) ++steps;
  while (steps > 1 && at(steps - 1) > v) --steps;
  const Extended above = at(steps);
  const Extended below = above - increment;
  return std::fabs(above - v) > std::fabs(below - v) ? below : above;
}

TRoundWeights DefaultRounding(const TConfigurator& config) {
  if (config.MetricSystem()) return {20, 2.5L, kKilograms, true};
  return {45, 5, kPounds, true};
}

TRoundingInput ReadRoundingInput(const TConfigurator& config, std::string_view minimal,
                                 std::string_view increment, std::int32_t unit, bool allRows) {
  const std::optional<Extended> m = ReadNumber(config, minimal);
  if (!m || *m < 0) return {std::nullopt, kMsgBadMinimalWeight, true};
  const std::optional<Extended> i = ReadNumber(config, increment);
  if (!i || *i <= 0) return {std::nullopt, kMsgBadIncrement, false};
  return {TRoundWeights{*m, *i, unit, allRows}, {}, false};
}

std::size_t RoundWorkoutWeights(const TConfigurator& config, const TExerciseDictionary& dictionary,
                                TWorkout& workout, const TRoundWeights& rounding,
                                std::size_t line) {
  std::size_t changed = 0;
  for (std::size_t i = 0; i < workout.Lines.size(); ++i) {
    if (!rounding.AllRows && i != line) continue;
    auto* set = std::get_if<TDrillSet>(&workout.Lines[i]);
    if (!set) continue;
    const TDrill* drill = dictionary.Find(set->DID);
    if (!drill || drill->TDM != TMeasureKind::Weight) continue;
    if (!IsAbsoluteWeight(config, set->Weight.Q)) continue;
    const Extended v = WeightValue(config, set->Weight.Q, 0, -1);
    if (!(v > 0)) continue;
    Extended m = rounding.Minimal;
    Extended step = rounding.Increment;
    if (rounding.Unit == kKilograms && set->Weight.M == kPounds) {
      m *= kPoundsPerKg;
      step *= kPoundsPerKg;
    } else if (rounding.Unit == kPounds && set->Weight.M == kKilograms) {
      m /= kPoundsPerKg;
      step /= kPoundsPerKg;
    }
    const std::string rounded =
        FormatNumber(config, static_cast<double>(RoundWeight(v, m, step)), 3);
    if (rounded != set->Weight.Q) {
      set->Weight.Q = rounded;
      ++changed;
    }
  }
  return changed;
}

}  // namespace korvela
