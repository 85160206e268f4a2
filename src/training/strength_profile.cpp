#include "training/strength_profile.h"

#include <cmath>

#include "training/rm_fractions.h"
#include "users/unit_text.h"

namespace korvela {

Extended EstimatedOneRM(Extended weightKg, int reps) {
  if (reps <= 7) return weightKg / (1.0278L - 0.0278L * reps);
  return weightKg * 100 / (53.3L + 41.9L * std::exp(-0.055L * reps));
}

std::string TwoDecimalsText(const TConfigurator& config, Extended value) {
  return FormatNumber(config, static_cast<double>(std::round(value * 100) / 100), 2);
}

std::array<TStrengthRow, 20> StrengthProfile(const TConfigurator& config, Extended oneRMKg) {
  std::array<TStrengthRow, 20> rows;
  for (int k = 1; k <= 20; ++k) {
    TStrengthRow& row = rows[k - 1];
    row.Reps = std::to_string(k);
    row.Percent = TwoDecimalsText(config, 100 * RMFraction(k)) + "%";
    if (oneRMKg >= 0) {
      const Extended kg = RMFraction(k) * oneRMKg;
      row.Weight = config.MetricSystem() ? TwoDecimalsText(config, kg) + " kg"
                                         : TwoDecimalsText(config, kg * 2.2L) + " lbs";
    }
  }
  return rows;
}

}  // namespace korvela
