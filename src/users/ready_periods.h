#pragma once
#include <array>
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

// The warning when a period ends before it starts.
inline constexpr const char* kPeriodOrderMessage =
    "Please, select a \"From Date\" that is before \"To Date\"";

}  // namespace korvela
