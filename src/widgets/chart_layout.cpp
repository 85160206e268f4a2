#include "widgets/chart_layout.h"

#include <algorithm>
#include <cmath>

#include "storage/date_time.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// The nice steps of one decade.
constexpr double kNiceSteps[] = {1, 2, 2.5, 5};

// Day 2, 1 January 1900, was a Monday: weekly labels fall on Mondays.
constexpr long long kMondayDay = 2;

long long FloorMod(long long a, long long b) { return ((a % b) + b) % b; }

std::string DayText(long long day) {
  const TYearMonthDay ymd = DecodeDate(static_cast<TDateTime>(day));
  return std::to_string(ymd.day) + " " + kShortMonthNames[ymd.month - 1];
}

std::vector<TDayTick> EveryNthDay(long long first, long long last, long long step,
                                  long long anchor) {
  std::vector<TDayTick> ticks;
  for (long long day = first + FloorMod(anchor - first, step); day <= last; day += step)
    ticks.push_back({static_cast<double>(day), DayText(day)});
  return ticks;
}

long long CountEveryNthDay(long long first, long long last, long long step, long long anchor) {
  const long long start = first + FloorMod(anchor - first, step);
  return start > last ? 0 : (last - start) / step + 1;
}

// Months are counted from January of year 0.
long long MonthIndexOf(double day) {
  const TYearMonthDay ymd = DecodeDate(static_cast<TDateTime>(day));
  return static_cast<long long>(ymd.year) * 12 + ymd.month - 1;
}

std::vector<TDayTick> EveryNthMonth(double lo, double hi, long long step) {
  std::vector<TDayTick> ticks;
  long long month = MonthIndexOf(lo);
  month += FloorMod(-month, step);
  for (;; month += step) {
    const int year = static_cast<int>(month / 12);
    const auto inYear = static_cast<unsigned>(month % 12);
    const TDateTime day = EncodeDate(year, inYear + 1, 1);
    if (day > hi) break;
    if (day < lo) continue;
    ticks.push_back({day, std::string(kShortMonthNames[inYear]) + " " + std::to_string(year)});
  }
  return ticks;
}

}  // namespace

int TAxisFit::TickCount() const {
  return Step > 0 ? static_cast<int>(std::lround((Max - Min) / Step)) + 1 : 2;
}

int TAxisFit::Decimals() const {
  for (int decimals = 0; decimals < 6; ++decimals) {
    const double scaled = Step * std::pow(10.0, decimals);
    if (std::fabs(scaled - std::round(scaled)) < 1e-6 * std::max(1.0, scaled)) return decimals;
  }
  return 6;
}

TAxisFit FitValueAxis(double lo, double hi, bool fromZero, int maxTicks) {
  if (!std::isfinite(lo) || !std::isfinite(hi)) lo = 0, hi = 1;
  if (lo > hi) std::swap(lo, hi);
  const bool neverNegative = lo >= 0;
  if (fromZero) lo = std::min(lo, 0.0), hi = std::max(hi, 0.0);
  if (hi - lo > 0) {
    const double margin = (hi - lo) / 10;
    if (!(fromZero && lo == 0)) lo -= margin;
    if (!(fromZero && hi == 0)) hi += margin;
  } else {
    const double half = std::max(std::fabs(lo) / 20, 1.0);
    lo -= half, hi += half;
  }
  if (neverNegative) lo = std::max(lo, 0.0);

  const int intervals = std::max(maxTicks, 2) - 1;
  const double raw = (hi - lo) / intervals;
  double decade = std::pow(10.0, std::floor(std::log10(raw)));
  // The smallest nice step that spans the values in the intervals allowed.
  for (;; decade *= 10)
    for (const double nice : kNiceSteps) {
      const double step = nice * decade;
      if (step < raw * (1 - 1e-9)) continue;
      const double min = std::floor(lo / step + 1e-9) * step;
      const double max = std::ceil(hi / step - 1e-9) * step;
      if ((max - min) / step <= intervals + 1e-9) return {min, max, step};
    }
}

std::vector<TDayTick> DayTicks(double lo, double hi, int maxLabels) {
  maxLabels = std::max(maxLabels, 1);
  if (!(lo <= hi)) return {};
  const auto first = static_cast<long long>(std::ceil(lo));
  const auto last = static_cast<long long>(std::floor(hi));
  const struct {
    long long step, anchor;
  } daySteps[] = {{1, 0}, {2, 0}, {7, kMondayDay}, {14, kMondayDay}};
  for (const auto& s : daySteps)
    if (CountEveryNthDay(first, last, s.step, s.anchor) <= maxLabels)
      return EveryNthDay(first, last, s.step, s.anchor);
  for (long long months = 1;; months = months < 3 ? months + 1 : months * 2) {
    // A generous count first: the months of the span, then the real ones.
    const long long spanned = (MonthIndexOf(hi) - MonthIndexOf(lo)) / months + 1;
    if (spanned > maxLabels + 1) continue;
    std::vector<TDayTick> ticks = EveryNthMonth(lo, hi, months);
    if (static_cast<long long>(ticks.size()) <= maxLabels) return ticks;
  }
}

std::string DayAxisTitle(double lo, double hi) {
  if (!(lo <= hi)) return {};
  // The days whose greater part is shown.
  const int first = DecodeDate(static_cast<TDateTime>(std::floor(lo + 0.5))).year;
  const int last = DecodeDate(static_cast<TDateTime>(std::floor(std::max(lo, hi - 0.5)))).year;
  return first == last ? std::to_string(first)
                       : std::to_string(first) + " - " + std::to_string(last);
}

TDayRange PeriodDayRange(double from, double to) {
  from = std::floor(from);
  to = std::floor(to);
  if (to < from) std::swap(from, to);
  return {from - 0.5, to + 0.5};
}

double DayBarWidth(double days, double plotPixels) {
  constexpr double kShare = 0.7, kMinPixels = 3, kMaxPixels = 48;
  if (!(days > 0) || !(plotPixels > 0)) return kShare;
  const double pixelsPerDay = plotPixels / days;
  double width = kShare;
  width = std::max(width, kMinPixels / pixelsPerDay);
  width = std::min(width, kMaxPixels / pixelsPerDay);
  return std::min(width, 1.0);
}

}  // namespace korvela
