#include "users/ready_periods.h"

#include <cmath>

namespace korvela {
namespace {

// The first day of the month `back` months before the month of `day`.
TDateTime FirstOfMonthBefore(TDateTime day, int back) {
  const TYearMonthDay ymd = DecodeDate(day);
  int months = ymd.year * 12 + static_cast<int>(ymd.month) - 1 - back;
  return EncodeDate(months / 12, static_cast<unsigned>(months % 12 + 1), 1);
}

}  // namespace

TPeriod ReadyPeriod(std::size_t index, TDateTime today, int firstDOW) {
  today = DayOf(today);
  // Day 2 (1 January 1900) was a Monday.
  const long long whole = std::llround(today);
  const int mondayBased = static_cast<int>(((whole - 2) % 7 + 7) % 7);
  const int sinceStart = firstDOW == 0 ? mondayBased : (mondayBased + 1) % 7;
  const TDateTime weekStart = today - sinceStart;
  const TDateTime monthStart = FirstOfMonthBefore(today, 0);
  switch (index) {
    case 1:
      return {weekStart - 7, weekStart - 1};
    case 2:
      return {weekStart - 14, weekStart - 1};
    case 3:
      return {monthStart, FirstOfMonthBefore(today, -1) - 1};
    case 4:
      return {FirstOfMonthBefore(today, 1), monthStart - 1};
    case 5:
      return {FirstOfMonthBefore(today, 3), monthStart - 1};
    case 6:
      return {FirstOfMonthBefore(today, 6), monthStart - 1};
    default:
      return {weekStart, weekStart + 6};
  }
}

std::optional<std::size_t> MatchingReadyPeriod(TDateTime from, TDateTime to, TDateTime today,
                                               int firstDOW) {
  const TPeriod typed{DayOf(from), DayOf(to)};
  for (std::size_t i = 0; i < kReadyPeriodNames.size(); ++i)
    if (ReadyPeriod(i, today, firstDOW) == typed) return i;
  return std::nullopt;
}

}  // namespace korvela
