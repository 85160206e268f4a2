#include "energy/calorie_fluctuations.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "energy/body_records.h"
#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr Extended kAbsorbedShare = 0.9L;  // the rest is the thermic effect of food
constexpr Extended kSleepShare = 0.9L;
// As the stored METs: a float, so that an activity of 1.2 is exactly rest.
constexpr float kRestingMET = 1.2f;

// Adds `perMinute` x 1, 2, 3 ... over the `duration` minutes from `start`
// and the whole `perMinute` x duration from then to midnight.
void AddRamp(TFluctuationCurve& curve, int start, std::int64_t duration, Extended perMinute) {
  const std::int64_t end = std::min<std::int64_t>(start + duration, kMinutesPerDay);
  for (std::int64_t j = start; j < end; ++j)
    curve[static_cast<std::size_t>(j)] += static_cast<Extended>(j - start + 1) * perMinute;
  const Extended whole = perMinute * static_cast<Extended>(duration);
  for (std::int64_t k = end; k < kMinutesPerDay; ++k) curve[static_cast<std::size_t>(k)] += whole;
}

std::string ExtremeText(const TConfigurator& config, std::string_view label,
                        const TCurveExtreme& point) {
  const std::string value = std::to_string(std::llround(point.Value));
  const int end = (point.Minute + 1) % kMinutesPerDay;
  return std::string(label) + SignedText(value) + "  at " +
         TimeOfDayText(config, static_cast<TDateTime>(end) / kMinutesPerDay);
}

}  // namespace

int MinuteOfDay(TDateTime time) {
  const TDateTime fraction = time - std::floor(time);
  const long long minute = std::llround(fraction * kMinutesPerDay);
  return static_cast<int>(std::clamp<long long>(minute, 0, kMinutesPerDay - 1));
}

std::optional<int> ReadDigestionTime(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  if (value < 0 || value > kMaxDigestionMinutes) return std::nullopt;
  return value;
}

int DigestionMinutesOfHours(int hours) { return hours <= 0 ? 1 : hours * 60; }

TFluctuationCurve ComputeFluctuations(const TFluctuationInput& input) {
  TFluctuationCurve curve{};
  const Extended r = input.RestingRate;
  const int h = std::clamp(input.WakeUpMinute, 0, kLatestWakeUpMinute);
  const Extended base = r / (kMinutesPerDay - 0.1L * h);
  const Extended sleepRate = kSleepShare * base;
  const Extended awakeRate =
      base + (input.ActivityCoefficient - 1) * r / static_cast<Extended>(kMinutesPerDay - h);
  Extended balance = input.StartingBalance;
  for (int m = 0; m < kMinutesPerDay; ++m) {
    balance -= m < h ? sleepRate : awakeRate;
    curve[static_cast<std::size_t>(m)] = balance;
  }
  for (const TFluctuationMeal& meal : input.Meals) {
    const int d = std::clamp(meal.DigestionMinutes, 1, kMaxDigestionMinutes);
    AddRamp(curve, MinuteOfDay(meal.TOD), d, kAbsorbedShare * meal.Calories / d);
  }
  for (const TSECERec& activity : input.Activities) {
    if (activity.MET <= kRestingMET || activity.Dur <= 0) continue;
    const std::int64_t d = std::min<std::int64_t>(activity.Dur, kMinutesPerDay);
    AddRamp(curve, MinuteOfDay(activity.Time), d,
            -(r / kMinutesPerDay * (Extended{activity.MET} - Extended{kRestingMET})));
  }
  return curve;
}

TCurveExtreme HighestPoint(const TFluctuationCurve& curve) {
  const auto it = std::max_element(curve.begin(), curve.end());
  return {static_cast<int>(it - curve.begin()), *it};
}

TCurveExtreme LowestPoint(const TFluctuationCurve& curve) {
  const auto it = std::min_element(curve.begin(), curve.end());
  return {static_cast<int>(it - curve.begin()), *it};
}

std::string HighestText(const TConfigurator& config, const TCurveExtreme& point) {
  return ExtremeText(config, "Highest Calorie Balance = ", point);
}

std::string LowestText(const TConfigurator& config, const TCurveExtreme& point) {
  return ExtremeText(config, "Lowest Calorie Balance = ", point);
}

TFluctuationRates FluctuationRates(TEnergyModel& model, TDateTime day) {
  TFluctuationRates rates;
  rates.RestingRate = model.RestingMetabolicRateOn(day);
  rates.ActivityCoefficient = model.ActivityCoefficientOn(day);
  if (rates.RestingRate <= 0) {
    rates.RestingRate = model.RestingMetabolicRateOn(model.Today());
    rates.ActivityCoefficient = model.CurrentActivityCoefficient;
    if (rates.RestingRate <= 0)
      rates.RestingRate = std::max<Extended>(model.CurrentRestingRate(), 0);
  }
  if (rates.ActivityCoefficient <= 0) rates.ActivityCoefficient = model.CurrentActivityCoefficient;
  // A model that has never assigned one: nothing above rest.
  if (rates.ActivityCoefficient <= 0) rates.ActivityCoefficient = 1;
  return rates;
}

Extended StartingBalance(TEnergyModel& model, TDayRecordStore& store, TDateTime day,
                         TStartingBalance choice) {
  if (choice == TStartingBalance::Zero) return 0;
  TDBC* previous = store.FindDayRecord(kCalStatKind, DayOf(day) - 1);
  if (!previous) return 0;
  const Extended balance = model.CalorieBalance(store.Loaded<TCalStat>(*previous));
  return choice == TStartingBalance::HalfPrevious ? balance / 2 : balance;
}

TDateTime WakeUpTimeOn(TDayRecordStore& store, TDateTime day) {
  TDBC* entry = store.FindDayRecord(kRecoveryStatKind, DayOf(day));
  if (!entry) return kDefaultWakeUpTime;
  const TDateTime time = store.Loaded<TRecoveryStat>(*entry).RWakeUpTime;
  return time < 0 ? kDefaultWakeUpTime : time;
}

void StoreWakeUpTime(TDayRecordStore& store, TDateTime day, TDateTime time) {
  TDBC& entry = store.GetOrCreateDayRecord(kRecoveryStatKind, DayOf(day));
  store.Loaded<TRecoveryStat>(entry).RWakeUpTime = time - std::floor(time);
  store.SaveDayRecord(entry);
  store.FlushDayRecordFile(entry);
}

}  // namespace korvela
