#include "training/rm_fractions.h"

#include <array>
#include <cmath>
#include <string>

#include "storage/errors.h"

namespace korvela {
namespace {

using TFractions = std::array<Extended, kLastRMReps + 1>;

TFractions ComputeFractions() {
  TFractions f{};
  for (std::int64_t n = kFirstRMReps; n <= kLastRMReps; ++n) {
    const Extended reps = static_cast<Extended>(n);
    // Whole hundredths of a percent up to 7 reps, so that F[1] is exactly 1.
    f[static_cast<std::size_t>(n)] =
        n <= 7 ? (10278 - 278 * reps) / 10000 : (53.3L + 41.9L * std::exp(-0.055L * reps)) / 100;
  }
  return f;
}

}  // namespace

Extended RMFraction(std::int64_t n) {
  static const TFractions fractions = ComputeFractions();
  if (!HasRMFraction(n))
    throw EInternalError("no repetition-maximum fraction for " + std::to_string(n) + " reps");
  return fractions[static_cast<std::size_t>(n)];
}

}  // namespace korvela
