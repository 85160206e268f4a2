#pragma once
#include <string>
#include <string_view>

#include "storage/date_time.h"
#include "users/configurator.h"

namespace korvela {

// Pounds per kilogram and centimetres per inch as the program uses them.
inline constexpr double kPoundsPerKg = 2.2;
inline constexpr double kCmPerInch = 2.54;

extern const char* const kMonthNames[12];       // "January" ... "December"
extern const char* const kShortMonthNames[12];  // "Jan" ... "Dec"
extern const char* const kDayNames[7];          // "Monday" ... "Sunday"

// The value rounded to d decimals with the user's decimal character, trailing
// zeros and a trailing decimal character removed: 72.50 shows as "72.5".
std::string FormatNumber(const TConfigurator& config, double value, int decimals);
// The number reader with the user's decimal character.
double ParseNumber(const TConfigurator& config, std::string_view text);

std::string LongDateText(TDateTime date);   // "10 March 2007"
std::string ShortDateText(TDateTime date);  // "10 Mar 2007"
// "20:34" on a 24-hour clock, "08:34 PM" on a 12-hour clock.
std::string TimeOfDayText(const TConfigurator& config, TDateTime time);
std::string MinSecText(TDateTime time);      // "mm:ss"
std::string HourMinSecText(TDateTime time);  // "hh:mm:ss"
int SecondsOfDay(TDateTime time);
// n seconds after midnight; -1 gives midnight.
TDateTime TimeFromSeconds(int seconds);

// The free-form date reader: "5 jan", "1/12", "3.4.07", "APR 5 2006", "15".
// Raises EConvertError for text that does not make a date.
TDateTime ParseDateText(std::string_view text, TDateTime today, bool dayFirst);

// Unit conversions for display and typed input.
double KgToShown(const TConfigurator& config, double kg);
double ShownToKg(const TConfigurator& config, double shown);
double CmToShown(const TConfigurator& config, double cm);
double ShownToCm(const TConfigurator& config, double shown);
const char* WeightUnit(const TConfigurator& config);    // "kg" or "lbs"
const char* DistanceUnit(const TConfigurator& config);  // "cm" or "inches"

}  // namespace korvela
