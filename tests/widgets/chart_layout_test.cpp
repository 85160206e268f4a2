#include "widgets/chart_layout.h"

#include <gtest/gtest.h>

#include "storage/date_time.h"

namespace korvela {
namespace {

TDateTime D(int y, unsigned m, unsigned d) { return EncodeDate(y, m, d); }

TEST(ValueAxis, FitsTheValuesWithAMarginOnNiceSteps) {
  const struct {
    double lo, hi;
    bool fromZero;
    TAxisFit want;
  } cases[] = {
      // A fortnight's loss from 78.4 to 76.8 kg fills the axis.
      {76.8, 78.4, false, {76.5, 78.75, 0.25}},
      // From zero the same weights lie flat at the top.
      {76.8, 78.4, true, {0, 90, 10}},
      // One weigh-in gets a window around it.
      {77, 77, false, {73, 81, 1}},
      // Lean and fat mass beside the bodyweight.
      {17.4, 78.4, false, {10, 90, 10}},
      // A small value never shows a negative axis under it.
      {0.2, 5, false, {0, 6, 1}},
      // Balances below and above zero keep both sides.
      {-420, 310, false, {-500, 400, 100}},
      {-420, -100, true, {-500, 0, 100}},
      // Nothing at all.
      {0, 0, false, {0, 1, 0.2}},
  };
  for (const auto& c : cases) {
    const TAxisFit fit = FitValueAxis(c.lo, c.hi, c.fromZero);
    EXPECT_NEAR(fit.Min, c.want.Min, 1e-9) << c.lo << ".." << c.hi << " zero " << c.fromZero;
    EXPECT_NEAR(fit.Max, c.want.Max, 1e-9) << c.lo << ".." << c.hi << " zero " << c.fromZero;
    EXPECT_NEAR(fit.Step, c.want.Step, 1e-9) << c.lo << ".." << c.hi << " zero " << c.fromZero;
    EXPECT_LE(fit.Min, c.lo);
    EXPECT_GE(fit.Max, c.hi);
    EXPECT_LE(fit.TickCount(), 10);
  }
}

TEST(ValueAxis, LabelsWithTheDecimalsTheStepNeeds) {
  const struct {
    double step;
    int decimals;
  } cases[] = {{200, 0}, {1, 0}, {0.5, 1}, {0.25, 2}, {2.5, 1}, {0.02, 2}, {0.025, 3}};
  for (const auto& c : cases) EXPECT_EQ((TAxisFit{0, 10, c.step}).Decimals(), c.decimals) << c.step;
  EXPECT_EQ(FitValueAxis(76.8, 78.4, false).Decimals(), 2);
  EXPECT_EQ(FitValueAxis(0, 1350, true).Decimals(), 0);
}

TEST(ValueAxis, KeepsAMarginBetweenTheValuesAndTheEnds) {
  for (const auto& [lo, hi] : {std::pair{76.8, 78.4}, {1850.0, 2600.0}, {3.1, 3.2}}) {
    const TAxisFit fit = FitValueAxis(lo, hi, false);
    const double margin = (hi - lo) / 10;
    EXPECT_LE(fit.Min, lo - margin + 1e-9) << lo;
    EXPECT_GE(fit.Max, hi + margin - 1e-9) << hi;
    // ... yet the values still fill at least half of the axis.
    EXPECT_GE((hi - lo) / (fit.Max - fit.Min), 0.5) << lo << ".." << hi;
  }
}

TEST(DateAxis, LabelsTheDensestStepThatFits) {
  // A week, 11 to 17 June 2007, as a chart of it shows it.
  const TDayRange week = PeriodDayRange(D(2007, 6, 11), D(2007, 6, 17));
  EXPECT_EQ(week, (TDayRange{D(2007, 6, 11) - 0.5, D(2007, 6, 17) + 0.5}));
  std::vector<TDayTick> ticks = DayTicks(week.Min, week.Max, 10);
  ASSERT_EQ(ticks.size(), 7u);
  EXPECT_EQ(ticks.front(), (TDayTick{D(2007, 6, 11), "11 Jun"}));
  EXPECT_EQ(DayAxisTitle(week.Min, week.Max), "2007");
  EXPECT_EQ(ticks[1], (TDayTick{D(2007, 6, 12), "12 Jun"}));

  // Too narrow for every day: every other one.
  ticks = DayTicks(week.Min, week.Max, 4);
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks[1].Day - ticks[0].Day, 2);

  // A month in Mondays; the labels never repeat a day.
  const TDayRange june = PeriodDayRange(D(2007, 6, 1), D(2007, 6, 30));
  ticks = DayTicks(june.Min, june.Max, 6);
  ASSERT_EQ(ticks.size(), 4u);
  EXPECT_EQ(ticks[0], (TDayTick{D(2007, 6, 4), "4 Jun"}));
  EXPECT_EQ(ticks[3], (TDayTick{D(2007, 6, 25), "25 Jun"}));

  // Half a year in months, across the turn of the year.
  const TDayRange half = PeriodDayRange(D(2006, 12, 1), D(2007, 5, 31));
  ticks = DayTicks(half.Min, half.Max, 7);
  ASSERT_EQ(ticks.size(), 6u);
  EXPECT_EQ(ticks[0], (TDayTick{D(2006, 12, 1), "Dec 2006"}));
  EXPECT_EQ(ticks[1], (TDayTick{D(2007, 1, 1), "Jan 2007"}));
  ticks = DayTicks(half.Min, half.Max, 3);
  ASSERT_EQ(ticks.size(), 3u);
  EXPECT_EQ(ticks[0].Text, "Jan 2007");
  EXPECT_EQ(ticks[1].Text, "Mar 2007");
  ticks = DayTicks(half.Min, half.Max, 2);
  ASSERT_EQ(ticks.size(), 2u);
  EXPECT_EQ(ticks[1].Text, "Apr 2007");

  // Weeks across a new year name both years in the title.
  EXPECT_EQ(DayAxisTitle(D(2007, 12, 20), D(2008, 1, 20)), "2007 - 2008");
  // ... but not a year of which only a half day shows.
  const TDayRange december = PeriodDayRange(D(2007, 12, 1), D(2007, 12, 31));
  EXPECT_EQ(DayAxisTitle(december.Min, december.Max), "2007");
}

TEST(DateAxis, AnySpanGetsAFewLabels) {
  for (const double days : {0.3, 1.0, 40.0, 400.0, 4000.0, 40000.0})
    for (const int most : {1, 3, 8}) {
      const std::vector<TDayTick> ticks = DayTicks(D(2007, 6, 15), D(2007, 6, 15) + days, most);
      EXPECT_LE(static_cast<int>(ticks.size()), most) << days;
      for (std::size_t i = 1; i < ticks.size(); ++i) {
        EXPECT_GT(ticks[i].Day, ticks[i - 1].Day);
        EXPECT_NE(ticks[i].Text, ticks[i - 1].Text);
      }
    }
}

TEST(DayBars, HaveASensibleWidthForAnyPeriod) {
  const struct {
    double days, pixels, width;
  } cases[] = {
      {31, 600, 0.7},       // a month: seven tenths of a day, about 14 pixels
      {7, 600, 48.0 / (600.0 / 7)},  // a week: no wider than 48 pixels
      {183, 650, 3 / (650.0 / 183)},  // half a year: still 3 pixels
      {2000, 300, 1.0},     // never wider than the day
      {31, 0, 0.7},         // not laid out yet
  };
  for (const auto& c : cases) EXPECT_NEAR(DayBarWidth(c.days, c.pixels), c.width, 1e-9) << c.days;
}

}  // namespace
}  // namespace korvela
