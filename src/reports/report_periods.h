#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/ready_periods.h"

namespace korvela {

// A period of whole days, both ends included.
using TReportPeriod = TPeriod;

// The ready periods of the reports screen, in the order listed; the first is
// chosen when the screen opens.
enum class TReadyPeriod {
  ThisWeek,
  LastWeek,
  LastTwoWeeks,
  ThisMonth,
  LastMonth,
  LastThreeMonths,
  LastSixMonths
};

// The days of a ready period seen from `today`. Weeks start on Monday when
// the first day of the week (`firstDOW`, 0 = Monday ... 6 = Sunday) is
// Monday, and on Sunday for any other setting.
TReportPeriod ReadyPeriod(TReadyPeriod choice, TDateTime today, int firstDOW);

inline constexpr std::string_view kPeriodOrderWarning = kPeriodOrderMessage;

// The warning for a period that cannot be reported (To before From); equal
// days are a period of one day.
std::optional<std::string> CheckReportPeriod(const TReportPeriod& period);

inline constexpr std::string_view kInvalidDateWarning = "Please, enter a valid date";

// The day a "From Date" or "To Date" entry shows, read with the free-form
// date reader; none for text that makes no date, which the screen answers
// with kInvalidDateWarning.
std::optional<TDateTime> ReadReportDate(std::string_view text, TDateTime today, bool dayFirst);

// "Select From Phases...>>" is offered only to a user with a phase.
bool HasPhases(TDayRecordStore& store);

}  // namespace korvela
