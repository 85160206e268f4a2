#include "storage/date_time.h"

#include <chrono>
#include <cmath>

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

}  // namespace korvela
