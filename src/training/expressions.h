#pragma once
#include <cstdint>
#include <optional>
#include <string_view>

#include "energy/extended.h"
#include "users/configurator.h"

namespace korvela {

// The value of a repetition expression such as "10", "12+2", "5-1" or
// "80%" / "80%MR" (a percentage of `maxReps`, the repetitions of the
// reference record, -1 when there is none; halves round to even). None for
// an invalid expression, including a term beyond 32 bits. Callers treat a
// value <= 0 as invalid too.
std::optional<std::int32_t> RepetitionValue(std::string_view expression, std::int32_t maxReps);

// The weight of a weight expression: plain numbers, "nRM" (the n-repetition
// maximum) and "p%nRM" terms joined by "+" and "-", with `oneRM` the
// one-repetition maximum (-1 when absent). With reps = 0 the weight itself;
// with 1 <= reps <= 20 the weight as a percentage of the reps-repetition
// maximum. -1 when invalid; callers treat every negative value as invalid.
Extended WeightValue(const TConfigurator& config, std::string_view expression, std::int32_t reps,
                     Extended oneRM);

// Plain numbers only (its weight without a 1RM is >= 0).
bool IsAbsoluteWeight(const TConfigurator& config, std::string_view expression);
// Every term refers to a repetition maximum; an invalid or empty expression
// counts as purely relative too.
bool IsPurelyRelativeWeight(const TConfigurator& config, std::string_view expression);

}  // namespace korvela
