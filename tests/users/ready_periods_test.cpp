#include "users/ready_periods.h"

#include <gtest/gtest.h>

namespace korvela {
namespace {

constexpr int kMonday = 0, kSunday = 6;

TDateTime D(int y, unsigned m, unsigned d) { return EncodeDate(y, m, d); }

TEST(ReadyPeriods, WeeksAndMonthsAroundToday) {
  const struct {
    TDateTime today;
    int firstDOW;
    std::size_t choice;
    TPeriod want;
  } cases[] = {
      // Friday 15 June 2007.
      {D(2007, 6, 15) + 0.7, kMonday, 0, {D(2007, 6, 11), D(2007, 6, 17)}},
      {D(2007, 6, 15), kSunday, 0, {D(2007, 6, 10), D(2007, 6, 16)}},
      {D(2007, 6, 15), 3, 0, {D(2007, 6, 10), D(2007, 6, 16)}},  // any other day: Sunday
      {D(2007, 6, 15), kMonday, 1, {D(2007, 6, 4), D(2007, 6, 10)}},
      {D(2007, 6, 15), kMonday, 2, {D(2007, 5, 28), D(2007, 6, 10)}},
      {D(2007, 6, 15), kMonday, 3, {D(2007, 6, 1), D(2007, 6, 30)}},
      {D(2007, 6, 15), kMonday, 4, {D(2007, 5, 1), D(2007, 5, 31)}},
      {D(2007, 6, 15), kMonday, 5, {D(2007, 3, 1), D(2007, 5, 31)}},
      {D(2007, 6, 15), kMonday, 6, {D(2006, 12, 1), D(2007, 5, 31)}},
      // A Sunday starts its own week or ends the Monday one.
      {D(2007, 6, 17), kMonday, 0, {D(2007, 6, 11), D(2007, 6, 17)}},
      {D(2007, 6, 17), kSunday, 0, {D(2007, 6, 17), D(2007, 6, 23)}},
      // Across the turn of the year and February's end.
      {D(2008, 1, 15), kMonday, 4, {D(2007, 12, 1), D(2007, 12, 31)}},
      {D(2008, 1, 15), kMonday, 5, {D(2007, 10, 1), D(2007, 12, 31)}},
      {D(2008, 2, 10), kMonday, 3, {D(2008, 2, 1), D(2008, 2, 29)}},
      {D(2007, 12, 31), kMonday, 3, {D(2007, 12, 1), D(2007, 12, 31)}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReadyPeriod(c.choice, c.today, c.firstDOW), c.want)
        << kReadyPeriodNames[c.choice] << " on " << c.today << " week from " << c.firstDOW;
}

TEST(ReadyPeriods, TypedDatesFindTheirReadyPeriodOrNone) {
  const TDateTime today = D(2007, 6, 15) + 0.25;
  for (std::size_t i = 0; i < kReadyPeriodNames.size(); ++i)
    for (const int firstDOW : {kMonday, kSunday}) {
      const TPeriod p = ReadyPeriod(i, today, firstDOW);
      // The time of day of an entry does not matter.
      EXPECT_EQ(MatchingReadyPeriod(p.From + 0.5, p.To, today, firstDOW), i)
          << kReadyPeriodNames[i] << " week from " << firstDOW;
    }
  const struct {
    TPeriod typed;
    int firstDOW;
  } own[] = {
      {{D(2007, 6, 1), D(2007, 6, 15)}, kMonday},   // the first half of the month
      {{D(2007, 6, 11), D(2007, 6, 16)}, kMonday},  // a week short of a day
      {{D(2007, 6, 10), D(2007, 6, 16)}, kMonday},  // a Sunday week for a Monday user
      {{D(2007, 6, 15), D(2007, 6, 11)}, kMonday},  // ends before it starts
  };
  for (const auto& c : own)
    EXPECT_EQ(MatchingReadyPeriod(c.typed.From, c.typed.To, today, c.firstDOW), std::nullopt)
        << c.typed.From << " to " << c.typed.To;
  EXPECT_EQ(MatchingReadyPeriod(D(2007, 6, 10), D(2007, 6, 16), today, kSunday), 0u);
}

}  // namespace
}  // namespace korvela
