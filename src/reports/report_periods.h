#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "storage/date_time.h"
#include "storage/day_records.h"

namespace korvela {

// A period of whole days, both ends included.
struct TReportPeriod {
  TDateTime From = 0;
  TDateTime To = 0;
  bool operator==(const TReportPeriod&) const = default;
};

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
inline constexpr std::array<std::string_view, 7> kReadyPeriodNames = {
    "This week",  "Last week",     "Last 2 weeks", "This month",
    "Last month", "Last 3 months", "Last 6 months"};

// The days of a ready period seen from `today`. Weeks start on Monday when
// the first day of the week (`firstDOW`, 0 = Monday ... 6 = Sunday) is
// Monday, and on Sunday for any other setting.
TReportPeriod ReadyPeriod(TReadyPeriod choice, TDateTime today, int firstDOW);

inline constexpr std::string_view kPeriodOrderWarning =
    "Please, select a \"From Date\" that is before \"To Date\"";

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

// "ISO" day text of a period end, YYYY-MM-DD.
std::string IsoDateText(TDateTime day);

}  // namespace korvela
