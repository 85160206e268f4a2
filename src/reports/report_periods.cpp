#include "reports/report_periods.h"

#include <chrono>
#include <cmath>
#include <cstdio>

#include "energy/body_records.h"
#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {

TReportPeriod ReadyPeriod(TReadyPeriod choice, TDateTime today, int firstDOW) {
  return ReadyPeriod(static_cast<std::size_t>(choice), today, firstDOW);
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

}  // namespace korvela
