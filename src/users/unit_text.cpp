#include "users/unit_text.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "storage/errors.h"
#include "storage/value_text.h"

namespace korvela {

const char* const kMonthNames[12] = {"January",   "February", "March",    "April",
                                     "May",       "June",     "July",     "August",
                                     "September", "October",  "November", "December"};
const char* const kShortMonthNames[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kDayNames[7] = {"Monday", "Tuesday",  "Wednesday", "Thursday",
                                  "Friday", "Saturday", "Sunday"};

namespace {

struct THms {
  int hours, minutes, seconds;
};

// The time of day rounded to whole seconds.
THms SplitTime(TDateTime time) {
  const double fraction = time - std::floor(time);
  int total = static_cast<int>(std::lround(fraction * 86400.0));
  if (total >= 86400) total = 86399;
  return {total / 3600, total / 60 % 60, total % 60};
}

std::string TwoDigits(int n) {
  char text[16];
  std::snprintf(text, sizeof text, "%02d", n);
  return text;
}

bool IsValidDate(int year, int month, int day) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1) return false;
  static constexpr int kDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return day <= kDays[month - 1] + (month == 2 && leap ? 1 : 0);
}

TDateTime MakeDate(int year, int month, int day) {
  if (!IsValidDate(year, month, day)) throw EConvertError();
  return EncodeDate(year, static_cast<unsigned>(month), static_cast<unsigned>(day));
}

bool IsMonthPrefix(const std::string& token, int month) {
  const std::string name = kMonthNames[month - 1];
  if (token.size() > name.size()) return false;
  for (std::size_t i = 0; i < token.size(); ++i)
    if (token[i] != static_cast<char>(std::toupper(static_cast<unsigned char>(name[i]))))
      return false;
  return true;
}

// Months are tried nearest to the current month first: the current one, then
// at distance 1, 2, ... 6, the later month before the earlier one.
int MonthOfWord(const std::string& token, int currentMonth) {
  auto wrap = [](int m) { return (m + 11) % 12 + 1; };
  if (IsMonthPrefix(token, currentMonth)) return currentMonth;
  for (int distance = 1; distance <= 6; ++distance) {
    if (IsMonthPrefix(token, wrap(currentMonth + distance))) return wrap(currentMonth + distance);
    if (IsMonthPrefix(token, wrap(currentMonth - distance))) return wrap(currentMonth - distance);
  }
  throw EConvertError();
}

}  // namespace

std::string FormatNumber(const TConfigurator& config, double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", std::max(decimals, 0), value);
  std::string s = text;
  // A negative value that rounds to zero shows as "0", not "-0".
  if (s[0] == '-' && s.find_first_not_of("-0.") == std::string::npos) s.erase(0, 1);
  if (decimals <= 0) return s;
  const std::size_t point = s.find('.');
  if (point == std::string::npos) return s;
  while (!s.empty() && s.back() == '0') s.pop_back();
  if (!s.empty() && s.back() == '.') s.pop_back();
  if (s.size() > point) s[point] = config.FloatingChar();
  return s;
}

double ParseNumber(const TConfigurator& config, std::string_view text) {
  return ParseNumber(text, config.FloatingChar());
}

std::string LongDateText(TDateTime date) {
  const TYearMonthDay d = DecodeDate(date);
  return std::to_string(d.day) + " " + kMonthNames[d.month - 1] + " " + std::to_string(d.year);
}

std::string ShortDateText(TDateTime date) {
  const TYearMonthDay d = DecodeDate(date);
  return std::to_string(d.day) + " " + kShortMonthNames[d.month - 1] + " " + std::to_string(d.year);
}

std::string TimeOfDayText(const TConfigurator& config, TDateTime time) {
  const THms t = SplitTime(time);
  if (config.TimeFormat() == TTimeFormat::hr24)
    return TwoDigits(t.hours) + ":" + TwoDigits(t.minutes);
  const int hour12 = t.hours % 12 == 0 ? 12 : t.hours % 12;
  return TwoDigits(hour12) + ":" + TwoDigits(t.minutes) + (t.hours < 12 ? " AM" : " PM");
}

std::string MinSecText(TDateTime time) {
  const THms t = SplitTime(time);
  return TwoDigits(t.minutes) + ":" + TwoDigits(t.seconds);
}

std::string HourMinSecText(TDateTime time) {
  const THms t = SplitTime(time);
  return TwoDigits(t.hours) + ":" + TwoDigits(t.minutes) + ":" + TwoDigits(t.seconds);
}

int SecondsOfDay(TDateTime time) {
  const THms t = SplitTime(time);
  return t.hours * 3600 + t.minutes * 60 + t.seconds;
}

TDateTime TimeFromSeconds(int seconds) {
  if (seconds < 0) return 0;
  return (seconds % 86400) / 86400.0;
}

TDateTime ParseDateText(std::string_view text, TDateTime today, bool dayFirst) {
  const TYearMonthDay now = DecodeDate(today);
  std::vector<std::string> tokens;
  std::string token;
  for (char c : text) {
    if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 128) {
      token.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    } else if (!token.empty()) {
      tokens.push_back(std::move(token));
      token.clear();
    }
  }
  if (!token.empty()) tokens.push_back(std::move(token));

  int day = 0, month = 0, year = 0;
  for (const std::string& t : tokens) {
    if (std::isdigit(static_cast<unsigned char>(t[0]))) {
      if (t.size() > 9 || t.find_first_not_of("0123456789") != std::string::npos)
        throw EConvertError();
      const int v = std::atoi(t.c_str());
      if (day == 0 && v <= 31) {
        day = v;
      } else if (year == 0 && v > 1900) {
        year = v;
      } else if (day != 0 && month != 0) {
        // A two-digit year: "5/3/98" is 5 March 2098.
        if (year != 0 || v >= 100) throw EConvertError();
        year = 2000 + v;
      } else if (v > 31) {
        throw EConvertError();
      } else {
        if (v > 12) {
          if (day > 12) throw EConvertError();
          month = day;
          day = v;
        } else {
          month = v;
          if (!dayFirst && day <= 12) std::swap(day, month);
        }
      }
    } else {
      if (day != 0 && month != 0) throw EConvertError();
      const int found = MonthOfWord(t, static_cast<int>(now.month));
      if (month != 0) day = month;
      month = found;
    }
  }

  auto nearer = [today](TDateTime a, TDateTime b) {
    return std::fabs(b - today) < std::fabs(a - today);
  };
  if (day != 0 && month == 0) {
    const int y = year != 0 ? year : now.year;
    const TDateTime thisMonth = MakeDate(y, static_cast<int>(now.month), day);
    const int nextMonth = now.month == 12 ? 1 : static_cast<int>(now.month) + 1;
    const int nextYear = now.month == 12 ? y + 1 : y;
    if (IsValidDate(nextYear, nextMonth, day)) {
      const TDateTime later = MakeDate(nextYear, nextMonth, day);
      if (nearer(thisMonth, later)) return later;
    }
    return thisMonth;
  }
  if (day != 0 && month != 0 && year == 0) {
    const TDateTime thisYear = MakeDate(now.year, month, day);
    if (IsValidDate(now.year + 1, month, day)) {
      const TDateTime nextYear = MakeDate(now.year + 1, month, day);
      if (nearer(thisYear, nextYear)) return nextYear;
    }
    return thisYear;
  }
  return MakeDate(year, month, day);
}

double KgToShown(const TConfigurator& config, double kg) {
  return config.MetricSystem() ? kg : kg * kPoundsPerKg;
}

double ShownToKg(const TConfigurator& config, double shown) {
  return config.MetricSystem() ? shown : shown * (1 / kPoundsPerKg);
}

double CmToShown(const TConfigurator& config, double cm) {
  return config.MetricSystem() ? cm : cm * (1 / kCmPerInch);
}

double ShownToCm(const TConfigurator& config, double shown) {
  return config.MetricSystem() ? shown : shown * kCmPerInch;
}

const char* WeightUnit(const TConfigurator& config) { return config.MetricSystem() ? "kg" : "lbs"; }

const char* DistanceUnit(const TConfigurator& config) {
  return config.MetricSystem() ? "cm" : "inches";
}

}  // namespace korvela
