#pragma once
#include <array>
#include <optional>
#include <string_view>

#include "storage/date_time.h"

namespace korvela {

// The ready periods of the graph and report screens, in list order.
inline constexpr std::array<std::string_view, 7> kReadyPeriodNames = {
    "This week",  "Last week",     "Last 2 weeks", "This month",
    "Last month", "Last 3 months", "Last 6 months"};

struct TPeriod {
  TDateTime From = 0;
  TDateTime To = 0;
  bool operator==(const TPeriod&) const = default;
};

// The dates of the ready period at `index` (into kReadyPeriodNames) around
// `today`. Weeks start on Monday when `firstDOW` is 0 (Monday) and on Sunday
// for any other setting; an index out of range gives this week.
TPeriod ReadyPeriod(std::size_t index, TDateTime today, int firstDOW);

// The entry of the ready-period list that stands for dates typed or picked
// by hand, chosen while the dates are none of the ready periods.
inline constexpr std::string_view kCustomPeriodName = "Custom period";

// The first ready period (an index into kReadyPeriodNames) whose dates
// around `today` are from ... to, or none when the dates are the user's own.
std::optional<std::size_t> MatchingReadyPeriod(TDateTime from, TDateTime to, TDateTime today,
                                               int firstDOW);

// The warning when a period ends before it starts.
inline constexpr const char* kPeriodOrderMessage =
    "Please, select a \"From Date\" that is before \"To Date\"";

}  // namespace korvela
