#include "korvela_data/arguments.h"

#include <charconv>
#include <cmath>
#include <string>

namespace korvela {
namespace {

// The whole text must be the number: from_chars stops at the first character
// it cannot use, which would otherwise let "12abc" through as 12.
template <typename T>
bool ParseWhole(std::string_view text, T& value) {
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  return ec == std::errc() && ptr == end;
}

bool ParseCalendarDate(std::string_view text, TDateTime& value) {
  const std::optional<TDateTime> day = ParseIsoDate(text);
  if (day) value = *day;
  return day.has_value();
}

}  // namespace

std::int32_t ParseInt32Argument(std::string_view text, std::string_view what) {
  std::int32_t value = 0;
  if (!ParseWhole(text, value))
    throw EUsageError(std::string(what) + " must be a whole number, not '" + std::string(text) +
                      "'");
  return value;
}

TDateTime ParseDayArgument(std::string_view text) {
  TDateTime value = 0;
  if (ParseCalendarDate(text, value)) return value;
  if (ParseWhole(text, value) && std::isfinite(value)) return value;
  throw EUsageError("DATE must be a day value or YYYY-MM-DD, not '" + std::string(text) + "'");
}

TDateTime ParseCalendarDateArgument(std::string_view text, std::string_view what) {
  TDateTime value = 0;
  if (ParseCalendarDate(text, value)) return value;
  throw EUsageError(std::string(what) + " must be a date YYYY-MM-DD, not '" + std::string(text) +
                    "'");
}

std::unique_ptr<TClock> CommandClock(const std::optional<std::string>& today) {
  if (today)
    return std::make_unique<TFixedClock>(ParseCalendarDateArgument(*today, "KORVELA_TODAY"));
  return MakeSystemClock();
}

}  // namespace korvela
