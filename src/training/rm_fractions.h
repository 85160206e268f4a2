#pragma once
#include <cstdint>

#include "energy/extended.h"

namespace korvela {

// Repetition counts that have a share of the one-repetition maximum.
inline constexpr std::int64_t kFirstRMReps = 1;
inline constexpr std::int64_t kLastRMReps = 20;

inline constexpr bool HasRMFraction(std::int64_t n) {
  return n >= kFirstRMReps && n <= kLastRMReps;
}

// The share of the one-repetition maximum that can be lifted n times:
// (102.78 - 2.78 n) / 100 up to 7 repetitions, (53.3 + 41.9 e^(-0.055 n)) / 100
// from 8 to 20. The table is computed once; n outside 1..20 raises
// EInternalError (callers check HasRMFraction first).
Extended RMFraction(std::int64_t n);

}  // namespace korvela
