#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace korvela {

// A calendar day value: whole days since 30 December 1899, the time of day as
// the fraction.
using TDateTime = double;

struct TYearMonthDay {
  int year = 0;
  unsigned month = 0;  // 1-12
  unsigned day = 0;    // 1-31
  bool operator==(const TYearMonthDay&) const = default;
};

TDateTime EncodeDate(int year, unsigned month, unsigned day);
TYearMonthDay DecodeDate(TDateTime value);
// The day of a date-time: the time of day removed.
TDateTime DayOf(TDateTime value);
// A calendar date "YYYY-MM-DD" of the proleptic Gregorian calendar, checked
// (2007-02-30 is none), as a whole day.
std::optional<TDateTime> ParseIsoDate(std::string_view text);
// The date of a day as "YYYY-MM-DD".
std::string IsoDateText(TDateTime day);

}  // namespace korvela
