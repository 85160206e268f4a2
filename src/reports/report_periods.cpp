#include "reports/report_periods.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "energy/body_records.h"
#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

namespace chr = std::chrono;

// 0 = Monday ... 6 = Sunday; day 0 of TDateTime (30 December 1899) was a
// Saturday.
int WeekdayFromMonday(TDateTime day) {
  const long long d = static_cast<long long>(std::floor(day));
  return static_cast<int>(((d + 5) % 7 + 7) % 7);
}

TDateTime FirstOfMonth(TDateTime today, int monthsBack) {
  const TYearMonthDay t = DecodeDate(today);
  const chr::year_month ym = chr::year(t.year) / chr::month(t.month) - chr::months(monthsBack);
  return EncodeDate(static_cast<int>(ym.year()), static_cast<unsigned>(ym.month()), 1);
}

}  // namespace

TReportPeriod ReadyPeriod(TReadyPeriod choice, TDateTime today, int firstDOW) {
  today = DayOf(today);
  const int weekday = WeekdayFromMonday(today);
  const int daysIntoWeek = firstDOW == 0 ? weekday : (weekday + 1) % 7;
  const TDateTime s = today - daysIntoWeek;
  const TDateTime thisMonth = FirstOfMonth(today, 0);
  switch (choice) {
    case TReadyPeriod::ThisWeek:
      return {s, s + 6};
    case TReadyPeriod::LastWeek:
      return {s - 7, s - 1};
    case TReadyPeriod::LastTwoWeeks:
      return {s - 14, s - 1};
    case TReadyPeriod::ThisMonth:
      return {thisMonth, FirstOfMonth(today, -1) - 1};
    case TReadyPeriod::LastMonth:
      return {FirstOfMonth(today, 1), thisMonth - 1};
    case TReadyPeriod::LastThreeMonths:
      return {FirstOfMonth(today, 3), thisMonth - 1};
    case TReadyPeriod::LastSixMonths:
      return {FirstOfMonth(today, 6), thisMonth - 1};
  }
  return {s, s + 6};
}

std::optional<std::string> CheckReportPeriod(const TReportPeriod& period) {
  if (DayOf(period.To) < DayOf(period.From)) return std::string(kPeriodOrderWarning);
  return std::nullopt;
}

std::optional<TDateTime> ReadReportDate(std::string_view text, TDateTime today, bool dayFirst) {
  try {
    return DayOf(ParseDateText(text, today, dayFirst));
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

bool HasPhases(TDayRecordStore& store) { return !store.List(kPhaseStatKind).empty(); }

std::string IsoDateText(TDateTime day) {
  const TYearMonthDay date = DecodeDate(day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", date.year, date.month, date.day);
  return text;
}

}  // namespace korvela
