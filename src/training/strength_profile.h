#pragma once
#include <array>
#include <string>

#include "energy/extended.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr Extended kMaxStrengthWeightKg = 1000;

// The one-repetition maximum from a weight (kg) lifted to failure `reps`
// times, 1 to 20.
Extended EstimatedOneRM(Extended weightKg, int reps);

// A value with at most 2 decimals, halves rounded away from zero.
std::string TwoDecimalsText(const TConfigurator& config, Extended value);

// Row k (1..20) of the strength profile: "k", the %1RM ("88.88%") and, with
// an estimate, the weight for k repetitions in the user's unit ("253.15 lbs").
struct TStrengthRow {
  std::string Reps, Percent, Weight;
};
// `oneRMKg` < 0: the weight column stays empty.
std::array<TStrengthRow, 20> StrengthProfile(const TConfigurator& config, Extended oneRMKg);

}  // namespace korvela
