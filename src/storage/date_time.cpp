#include "storage/date_time.h"

#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>

namespace korvela {
namespace {

// Day value of 1 January 1970, the epoch of std::chrono::sys_days.
constexpr int kUnixEpochDay = 25569;

}  // namespace

TDateTime EncodeDate(int year, unsigned month, unsigned day) {
  const std::chrono::sys_days days{std::chrono::year{year} / std::chrono::month{month} /
                                   std::chrono::day{day}};
  return static_cast<TDateTime>(days.time_since_epoch().count() + kUnixEpochDay);
}

TYearMonthDay DecodeDate(TDateTime value) {
  const auto whole = static_cast<long long>(std::floor(value));
  const std::chrono::sys_days days{std::chrono::days{whole - kUnixEpochDay}};
  const std::chrono::year_month_day ymd{days};
  return {static_cast<int>(ymd.year()), static_cast<unsigned>(ymd.month()),
          static_cast<unsigned>(ymd.day())};
}

TDateTime DayOf(TDateTime value) { return std::floor(value); }

std::optional<TDateTime> ParseIsoDate(std::string_view text) {
  if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
  for (std::size_t i : {0u, 1u, 2u, 3u, 5u, 6u, 8u, 9u})
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
  int year = 0;
  unsigned month = 0, day = 0;
  std::from_chars(text.data(), text.data() + 4, year);
  std::from_chars(text.data() + 5, text.data() + 7, month);
  std::from_chars(text.data() + 8, text.data() + 10, day);
  // EncodeDate does not check the day: 2007-02-30 must be refused here.
  const std::chrono::year_month_day ymd{std::chrono::year{year}, std::chrono::month{month},
                                        std::chrono::day{day}};
  if (!ymd.ok()) return std::nullopt;
  return EncodeDate(year, month, day);
}

std::string IsoDateText(TDateTime day) {
  const TYearMonthDay date = DecodeDate(day);
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", date.year, date.month, date.day);
  return text;
}

}  // namespace korvela
