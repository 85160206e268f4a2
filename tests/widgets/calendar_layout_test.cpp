#include "widgets/calendar_layout.h"

#include <gtest/gtest.h>

namespace korvela {
namespace {

TEST(MonthLayout, FirstColumnFollowsTheFirstDayOfTheWeek) {
  // 1 March 2007 was a Thursday.
  EXPECT_EQ(WeekdayOf(2007, 3, 1), 3);
  const struct {
    int firstDOW;
    int firstColumnWeekday;
    int columnOfThe1st;
  } cases[] = {{0, 0, 3}, {6, 6, 4}, {3, 3, 0}, {4, 4, 6}};
  for (const auto& c : cases) {
    EXPECT_EQ(WeekdayOfColumn(0, c.firstDOW), c.firstColumnWeekday) << c.firstDOW;
    const TMonthLayout layout = LayoutMonth(2007, 3, c.firstDOW);
    EXPECT_EQ(layout.WeekOf(1), 0) << c.firstDOW;
    EXPECT_EQ(layout.ColumnOf(1), c.columnOfThe1st) << c.firstDOW;
    EXPECT_EQ(WeekdayOfColumn(layout.ColumnOf(31), c.firstDOW), WeekdayOf(2007, 3, 31));
  }
  // Sunday first: Sunday 4 March opens the second week.
  EXPECT_EQ(LayoutMonth(2007, 3, 6).WeekOf(4), 1);
  EXPECT_EQ(LayoutMonth(2007, 3, 6).ColumnOf(4), 0);
  EXPECT_EQ(LayoutMonth(2007, 3, 0).ColumnOf(4), 6);
}

TEST(MonthLayout, EveryDayOfTheMonthHasOneCellInOrder) {
  for (const auto& [year, month, days] : {std::tuple{2007, 2u, 28},
                                          {2008, 2u, 29},
                                          {1900, 2u, 28},
                                          {2000, 2u, 29},
                                          {2007, 12u, 31}}) {
    EXPECT_EQ(DaysInMonth(year, month), days) << year << "-" << month;
    const TMonthLayout layout = LayoutMonth(year, month, 6);
    int expected = 1;
    for (int cell : layout.days)
      if (cell != 0) {
        EXPECT_EQ(cell, expected++) << year << "-" << month;
      }
    EXPECT_EQ(expected, days + 1);
  }
  // A month of 31 days beginning on the last column needs the sixth week.
  const TMonthLayout sixWeeks = LayoutMonth(2007, 12, 0);  // 1 Dec 2007: Saturday
  EXPECT_EQ(sixWeeks.WeekOf(31), 5);
}

TEST(MonthStepping, CrossesYearBoundaries) {
  const struct {
    TYearMonth from;
    int delta;
    TYearMonth want;
  } cases[] = {
      {{2007, 1}, -1, {2006, 12}}, {{2006, 12}, 1, {2007, 1}}, {{2007, 3}, -14, {2006, 1}},
      {{2007, 3}, 25, {2009, 4}},  {{1, 1}, -1, {0, 12}},      {{0, 1}, -1, {-1, 12}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(StepMonth(c.from, c.delta), c.want) << c.from.year << "-" << c.from.month;
  EXPECT_EQ(MonthHeaderText({2007, 3}), "March, 2007");
  EXPECT_EQ(MonthHeaderText(StepMonth({2007, 1}, -1)), "December, 2006");
}

TEST(DayMarks, PennantsStandSideBySideInTheUpperLeftAndOnlyFourFit) {
  // A cell at (100, 50) of height 30: e = 10.
  const struct {
    int slot;
    int x;
  } cases[] = {{0, 102}, {1, 112}, {2, 122}, {3, 132}};
  for (const auto& c : cases) {
    const auto p = PennantGeometry(c.slot, 100, 50, 30);
    ASSERT_TRUE(p) << c.slot;
    EXPECT_EQ(p->poleTop, (TPoint{c.x, 52}));
    EXPECT_EQ(p->poleBottom, (TPoint{c.x, 62}));
    EXPECT_EQ(p->corners[0], (TPoint{c.x, 52}));
    EXPECT_EQ(p->corners[1], (TPoint{c.x, 57}));
    EXPECT_EQ(p->corners[2], (TPoint{c.x + 6, 54}));
  }
  for (int slot : {4, 5, -1}) EXPECT_FALSE(PennantGeometry(slot, 100, 50, 30)) << slot;
  // Odd thirds round the pennant's lower corner up: H = 22 gives e = 7.
  const auto odd = PennantGeometry(1, 0, 0, 22);
  ASSERT_TRUE(odd);
  EXPECT_EQ(odd->poleTop.x, 9);
  EXPECT_EQ(odd->corners[1], (TPoint{9, 6}));
  EXPECT_EQ(odd->corners[2], (TPoint{13, 3}));
}

TEST(DayMarks, IconsLineUpAlongTheBottom) {
  EXPECT_EQ(IconPosition(100, 80, 0), (TPoint{102, 62}));
  EXPECT_EQ(IconPosition(100, 80, 1), (TPoint{120, 62}));
  EXPECT_EQ(IconPosition(100, 80, 3), (TPoint{156, 62}));
}

TEST(GridLook, StripesFixedCellsAndSelection) {
  const TRgb fixed{200, 200, 200};
  const struct {
    TGridCellPlace place;
    TRgb want;
  } cases[] = {
      {{0, 3, 0, 0, false, true}, fixed},        // the first row, even without fixed rows
      {{1, 0, 1, 1, false, true}, fixed},        // a fixed column
      {{2, 3, 3, 0, true, false}, fixed},        // a fixed row, selected
      {{1, 2, 1, 0, false, true}, kWhite},       // odd rows white
      {{2, 2, 1, 0, false, true}, kStripeGrey},  // even rows light grey
      {{3, 2, 1, 0, false, true}, kWhite},
      {{2, 2, 1, 0, true, true}, kStripeGrey},     // selected under an always-shown editor
      {{1, 2, 1, 0, true, false}, kSelectedGrey},  // selected without it
  };
  for (const auto& c : cases)
    EXPECT_EQ(GridCellFill(c.place, fixed), c.want)
        << c.place.row << "," << c.place.column << " selected " << c.place.selected;
}

TEST(GridLook, OnlyTopPositionsWrapText) {
  for (int a = 0; a < 9; ++a) {
    const auto alignment = static_cast<TCellAlignment>(a);
    EXPECT_EQ(WrapsText(alignment, true), a <= 2) << a;
    EXPECT_FALSE(WrapsText(alignment, false)) << a;
  }
}

}  // namespace
}  // namespace korvela
