#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "energy/extended.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr int kMinutesPerDay = 1440;
// Waking later than 16:00 leaves too few awake minutes to spread the day's
// activity over.
inline constexpr int kLatestWakeUpMinute = 960;
inline constexpr int kMaxDigestionMinutes = 1440;

inline constexpr const char* kInvalidDigestionTimeMessage = "Invalid Digestion Time!";
inline constexpr const char* kWakeUpTooLateMessage =
    "Wake up time is too late during the day to calculate properly daily calorie balance "
    "fluctuations.";

// The balance of each minute of a day, from 0:00 to 23:59.
using TFluctuationCurve = std::array<Extended, kMinutesPerDay>;

// A meal as the curve takes it: its time of day and the calories of its
// foods, absorbed evenly over `DigestionMinutes`.
struct TFluctuationMeal {
  std::string Name;
  TDateTime TOD = 0;
  Extended Calories = 0;
  int DigestionMinutes = 60;
};

enum class TStartingBalance { HalfPrevious = 0, Previous = 1, Zero = 2 };

// Everything the curve of a day is made from.
struct TFluctuationInput {
  Extended RestingRate = 0;          // calories a day
  Extended ActivityCoefficient = 1;  // the day's expenditure over its resting rate
  int WakeUpMinute = 390;            // minutes after midnight, at most kLatestWakeUpMinute
  Extended StartingBalance = 0;
  std::vector<TFluctuationMeal> Meals;
  std::vector<TSECERec> Activities;
};

// The minute of a time of day (its fraction of a day), rounded, within the
// day.
int MinuteOfDay(TDateTime time);

// Waking after 16:00 is refused with kWakeUpTooLateMessage.
inline bool WakeUpTooLate(TDateTime time) { return MinuteOfDay(time) > kLatestWakeUpMinute; }

// The digestion time typed in the grid: a whole number 0 to 1440; none for
// anything else.
std::optional<int> ReadDigestionTime(std::string_view text);
// What the "Set Digestion Time of All Meals to" button gives for a number of
// hours: 60 minutes each, and 1 minute for 0 hours.
int DigestionMinutesOfHours(int hours);

// Sleep burns 90 % of the awake resting rate; the activity above rest is
// spread over the waking minutes. A meal is absorbed evenly over its
// digestion time (a time of 0 counts as 1), of which 90 % reaches the
// balance. An activity burns its METs above 1.2 while it lasts; one of no
// duration adds nothing, and one running past midnight only up to it.
TFluctuationCurve ComputeFluctuations(const TFluctuationInput& input);

struct TCurveExtreme {
  int Minute = 0;
  Extended Value = 0;
};
// The first minute that reaches the highest (lowest) value.
TCurveExtreme HighestPoint(const TFluctuationCurve& curve);
TCurveExtreme LowestPoint(const TFluctuationCurve& curve);
// "Highest Calorie Balance = +1234  at 13:01": the value whole with its sign,
// at the end of the minute (the last minute ends at 0:00 of the next day).
std::string HighestText(const TConfigurator& config, const TCurveExtreme& point);
std::string LowestText(const TConfigurator& config, const TCurveExtreme& point);

// The resting rate and activity coefficient of a day's curve. A day without
// a known resting rate takes today's rate and the current coefficient, and
// a day whose coefficient was never assigned the current coefficient.
struct TFluctuationRates {
  Extended RestingRate = 0;
  Extended ActivityCoefficient = 1;
};
TFluctuationRates FluctuationRates(TEnergyModel& model, TDateTime day);

// The balance the curve of `day` starts from: that of the day before (halved
// for HalfPrevious) when it has a calorie record, else 0.
Extended StartingBalance(TEnergyModel& model, TDayRecordStore& store, TDateTime day,
                         TStartingBalance choice);

// The wake-up time kept in the day's recovery record (6:30 without one), and
// its change: the record is found or created, and the user's files written.
TDateTime WakeUpTimeOn(TDayRecordStore& store, TDateTime day);
void StoreWakeUpTime(TDayRecordStore& store, TDateTime day, TDateTime time);

}  // namespace korvela
