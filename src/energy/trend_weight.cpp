#include "energy/trend_weight.h"

#include <algorithm>

namespace korvela {

std::vector<TDayWeight> TrendWeights(const std::vector<TDayWeight>& weighIns, TDateTime from,
                                     TDateTime to) {
  from = DayOf(from);
  to = DayOf(to);
  auto next = std::find_if(weighIns.begin(), weighIns.end(),
                           [from](const TDayWeight& w) { return DayOf(w.Day) >= from; });
  std::vector<TDayWeight> trend;
  if (next == weighIns.end() || DayOf(next->Day) > to) return trend;
  double value = next->Weight;
  trend.reserve(static_cast<std::size_t>(to - DayOf(next->Day)) + 1);
  for (TDateTime day = DayOf(next->Day); day <= to; ++day) {
    // Two weigh-ins on one day: each moves the trend in turn.
    for (; next != weighIns.end() && DayOf(next->Day) == day; ++next)
      value += kTrendSmoothing * (next->Weight - value);
    trend.push_back({day, value});
  }
  return trend;
}

}  // namespace korvela
