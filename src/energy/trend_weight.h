#pragma once
#include <vector>

#include "storage/date_time.h"

namespace korvela {

// A weigh-in or a point of the trend: a day and a weight.
struct TDayWeight {
  TDateTime Day = 0;
  double Weight = 0;
  bool operator==(const TDayWeight&) const = default;
};

// Each day's trend moves this share of the way toward that day's weigh-in.
inline constexpr double kTrendSmoothing = 0.1;

// The smoothed trend of the weigh-ins (sorted by day) over from ... to: one
// point a day from the first weigh-in of the period, which starts the trend,
// to the end of the period. A day without a weigh-in keeps the trend of the
// day before. Weigh-ins before the period are not looked at; no weigh-in in
// the period gives no points.
std::vector<TDayWeight> TrendWeights(const std::vector<TDayWeight>& weighIns, TDateTime from,
                                     TDateTime to);

}  // namespace korvela
