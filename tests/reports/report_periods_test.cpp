#include "reports/report_periods.h"

#include <gtest/gtest.h>

#include "users/unit_text.h"

namespace korvela {
namespace {

TEST(ReadyPeriodTest, PeriodsFollowTheCalendarAndTheFirstDayOfTheWeek) {
  const int monday = 0, sunday = 6, saturday = 5;
  const struct {
    TReadyPeriod choice;
    TDateTime today;
    int firstDOW;
    TDateTime from, to;
  } cases[] = {
      // Friday 15 June 2007.
      {TReadyPeriod::ThisWeek, EncodeDate(2007, 6, 15), monday, EncodeDate(2007, 6, 11),
       EncodeDate(2007, 6, 17)},
      {TReadyPeriod::ThisWeek, EncodeDate(2007, 6, 15), sunday, EncodeDate(2007, 6, 10),
       EncodeDate(2007, 6, 16)},
      {TReadyPeriod::ThisWeek, EncodeDate(2007, 6, 15), saturday, EncodeDate(2007, 6, 10),
       EncodeDate(2007, 6, 16)},
      // On a Sunday a Monday week has begun six days before, a Sunday week today.
      {TReadyPeriod::ThisWeek, EncodeDate(2007, 6, 17), monday, EncodeDate(2007, 6, 11),
       EncodeDate(2007, 6, 17)},
      {TReadyPeriod::ThisWeek, EncodeDate(2007, 6, 17), sunday, EncodeDate(2007, 6, 17),
       EncodeDate(2007, 6, 23)},
      {TReadyPeriod::LastWeek, EncodeDate(2007, 6, 15), monday, EncodeDate(2007, 6, 4),
       EncodeDate(2007, 6, 10)},
      {TReadyPeriod::LastTwoWeeks, EncodeDate(2007, 6, 15), monday, EncodeDate(2007, 5, 28),
       EncodeDate(2007, 6, 10)},
      {TReadyPeriod::ThisMonth, EncodeDate(2007, 12, 31), monday, EncodeDate(2007, 12, 1),
       EncodeDate(2007, 12, 31)},
      {TReadyPeriod::ThisMonth, EncodeDate(2008, 2, 10), monday, EncodeDate(2008, 2, 1),
       EncodeDate(2008, 2, 29)},
      {TReadyPeriod::LastMonth, EncodeDate(2007, 3, 31), monday, EncodeDate(2007, 2, 1),
       EncodeDate(2007, 2, 28)},
      {TReadyPeriod::LastMonth, EncodeDate(2008, 3, 1), monday, EncodeDate(2008, 2, 1),
       EncodeDate(2008, 2, 29)},
      {TReadyPeriod::LastMonth, EncodeDate(2007, 5, 15), monday, EncodeDate(2007, 4, 1),
       EncodeDate(2007, 4, 30)},
      {TReadyPeriod::LastMonth, EncodeDate(2007, 1, 9), monday, EncodeDate(2006, 12, 1),
       EncodeDate(2006, 12, 31)},
      {TReadyPeriod::LastThreeMonths, EncodeDate(2007, 2, 9), monday, EncodeDate(2006, 11, 1),
       EncodeDate(2007, 1, 31)},
      {TReadyPeriod::LastSixMonths, EncodeDate(2007, 6, 15), monday, EncodeDate(2006, 12, 1),
       EncodeDate(2007, 5, 31)},
  };
  for (const auto& c : cases) {
    const TReportPeriod got = ReadyPeriod(c.choice, c.today + 0.7, c.firstDOW);
    EXPECT_EQ(LongDateText(got.From), LongDateText(c.from))
        << kReadyPeriodNames[static_cast<std::size_t>(c.choice)] << " on " << LongDateText(c.today);
    EXPECT_EQ(LongDateText(got.To), LongDateText(c.to))
        << kReadyPeriodNames[static_cast<std::size_t>(c.choice)] << " on " << LongDateText(c.today);
  }
}

TEST(ReadyPeriodTest, ToBeforeFromIsRefusedAndOneDayIsAPeriod) {
  const TDateTime day = EncodeDate(2007, 6, 15);
  EXPECT_EQ(CheckReportPeriod({day, day - 1}),
            "Please, select a \"From Date\" that is before \"To Date\"");
  EXPECT_EQ(CheckReportPeriod({day, day}), std::nullopt);
  EXPECT_EQ(CheckReportPeriod({day + 0.9, day}), std::nullopt);
}

}  // namespace
}  // namespace korvela
