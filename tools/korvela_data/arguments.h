#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

#include "storage/date_time.h"
#include "users/clock.h"

namespace korvela {

// A command line the tool cannot run: no command, an unknown one, or
// arguments of the wrong number or form. The message names the argument.
class EUsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A command that found damage and has printed its own report of it: the tool
// exits 1 without a further line.
class EReported : public std::runtime_error {
 public:
  EReported() : std::runtime_error("damage reported") {}
};

// A whole decimal number in the 32-bit range, "-" allowed; `what` names the
// argument in the error ("KIND").
std::int32_t ParseInt32Argument(std::string_view text, std::string_view what);

// A day value ("0", "39083", "39083.5", "-1") or a calendar date
// "YYYY-MM-DD" of the proleptic Gregorian calendar.
TDateTime ParseDayArgument(std::string_view text);

// A calendar date "YYYY-MM-DD" of the proleptic Gregorian calendar only, as a
// whole day; `what` names the argument in the error ("FIRST").
TDateTime ParseCalendarDateArgument(std::string_view text, std::string_view what);

// The clock of a command: today fixed by KORVELA_TODAY (YYYY-MM-DD) when it
// is given, else the system's date.
std::unique_ptr<TClock> CommandClock(const std::optional<std::string>& today);

}  // namespace korvela
