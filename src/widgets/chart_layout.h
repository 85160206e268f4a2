#pragma once
// The arithmetic behind the charts' axes and bars, kept free of the windowing
// toolkit so it can be checked without a display: where a value axis ends and
// how its ticks step, which days a date axis labels and how, and how wide the
// bar of one day is.
#include <string>
#include <vector>

namespace korvela {

// The choice beside a graph to let its y axis start at 0 instead of fitting
// the values.
inline constexpr const char* kYFromZeroChoice = "Y axis from zero";

// A value axis from Min to Max with a tick every Step.
struct TAxisFit {
  double Min = 0;
  double Max = 1;
  double Step = 0.2;
  int TickCount() const;
  // The decimals that tell the ticks apart: 0 for a step of 200, 2 for 0.25.
  int Decimals() const;
  bool operator==(const TAxisFit&) const = default;
};

// The axis for values from lo to hi: a margin of a tenth of their spread on
// either side (a twentieth of the value, at least 1, around a single value),
// then widened to whole steps of 1, 2, 2.5 or 5 times a power of ten, with at
// most `maxTicks` ticks. `fromZero` takes 0 in; values that are never negative
// never get a negative axis, so a margin stops at 0.
TAxisFit FitValueAxis(double lo, double hi, bool fromZero, int maxTicks = 10);

// A labelled day of a date axis. Day is a whole day value.
struct TDayTick {
  double Day = 0;
  std::string Text;
  bool operator==(const TDayTick&) const = default;
};

// The labelled days of a date axis showing the day values lo to hi, no more
// than `maxLabels`: every day, every other day, every Monday, every other
// Monday, or the first of every 1, 2, 3, 6 or 12 months, whichever is the
// densest that fits. A day reads "14 Jun", a month "Jun 2007".
std::vector<TDayTick> DayTicks(double lo, double hi, int maxLabels);

// The title of a date axis showing lo to hi: the year of its days, "2007",
// or the first and the last, "2007 - 2008".
std::string DayAxisTitle(double lo, double hi);

// The x range of a chart with one value a day from `from` to `to` (both
// included): half a day before the first and after the last, so that their
// bars fit inside.
struct TDayRange {
  double Min = 0;
  double Max = 1;
  bool operator==(const TDayRange&) const = default;
};
TDayRange PeriodDayRange(double from, double to);

// The width in days of the bar of one day when `days` days are shown across
// `plotPixels` pixels: seven tenths of a day, widened to at least 3 pixels
// (never wider than the day) and held to at most 48 pixels.
double DayBarWidth(double days, double plotPixels);

}  // namespace korvela
