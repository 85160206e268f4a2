#include "energy/calorie_fluctuations.h"

#include <gtest/gtest.h>

#include "energy/body_records.h"
#include "energy/energy_fixture.h"

namespace korvela {
namespace {

constexpr Extended kTolerance = 1e-9L;

TDateTime At(int hours, int minutes) { return (hours * 60 + minutes) / 1440.0; }

TFluctuationInput Day(Extended rate = 1800, Extended coefficient = 1.4, int wakeUp = 390) {
  TFluctuationInput input;
  input.RestingRate = rate;
  input.ActivityCoefficient = coefficient;
  input.WakeUpMinute = wakeUp;
  input.StartingBalance = 100;
  return input;
}

// What the meals and activities add to the bare burn of the same day.
TFluctuationCurve Added(const TFluctuationInput& input) {
  TFluctuationInput bare = input;
  bare.Meals.clear();
  bare.Activities.clear();
  const TFluctuationCurve with = ComputeFluctuations(input), without = ComputeFluctuations(bare);
  TFluctuationCurve added{};
  for (std::size_t m = 0; m < added.size(); ++m) added[m] = with[m] - without[m];
  return added;
}

TSECERec Activity(TDateTime time, float met, std::int32_t minutes) {
  TSECERec a;
  a.Time = time;
  a.MET = met;
  a.Dur = minutes;
  return a;
}

TEST(CalorieFluctuations, TheDayBurnsItsWholeExpenditureWhateverTheWakeUpTime) {
  // Sleep at 90 % and the activity over the waking minutes always add up
  // to the resting rate times the coefficient.
  for (const int wakeUp : {0, 390, 960})
    for (const Extended coefficient : {1.0L, 1.4L}) {
      const TFluctuationCurve curve = ComputeFluctuations(Day(1800, coefficient, wakeUp));
      EXPECT_NEAR(curve.back(), 100 - 1800 * coefficient, 1e-6) << wakeUp << " " << coefficient;
    }
}

TEST(CalorieFluctuations, SleepingMinutesBurnNinetyPercentOfTheRestingShare) {
  const TFluctuationCurve curve = ComputeFluctuations(Day(1800, 1.5, 480));
  const Extended base = 1800 / (1440 - 48.0L);
  EXPECT_NEAR(curve[0], 100 - 0.9L * base, kTolerance);
  EXPECT_NEAR(curve[479] - curve[478], -0.9L * base, kTolerance);
  EXPECT_NEAR(curve[480] - curve[479], -(base + 0.5L * 1800 / 960), kTolerance);
}

TEST(CalorieFluctuations, WakingAtMidnightMakesEveryMinuteAwake) {
  const TFluctuationCurve curve = ComputeFluctuations(Day(1440, 1.25, 0));
  // 1 calorie a minute of rest and a quarter more for the activity.
  for (const int m : {0, 1, 700, 1439}) EXPECT_NEAR(curve[m], 100 - 1.25L * (m + 1), kTolerance);
}

TEST(CalorieFluctuations, AMealIsAbsorbedEvenlyOverItsDigestionTime) {
  TFluctuationInput input = Day();
  input.Meals = {{"Lunch", At(12, 0), 500, 60}};
  const TFluctuationCurve added = Added(input);
  EXPECT_NEAR(added[719], 0, kTolerance);
  EXPECT_NEAR(added[720], 7.5, kTolerance);
  EXPECT_NEAR(added[721], 15, kTolerance);
  EXPECT_NEAR(added[779], 450, kTolerance);
  EXPECT_NEAR(added[780], 450, kTolerance);
  EXPECT_NEAR(added[1439], 450, kTolerance);
}

TEST(CalorieFluctuations, AMealLateInTheEveningCountsOnlyUntilMidnight) {
  TFluctuationInput input = Day();
  input.Meals = {{"Snack", At(23, 30), 400, 120}};
  const TFluctuationCurve added = Added(input);
  const Extended perMinute = 0.9L * 400 / 120;
  EXPECT_NEAR(added[1409], 0, kTolerance);
  EXPECT_NEAR(added[1410], perMinute, kTolerance);
  EXPECT_NEAR(added[1439], 30 * perMinute, kTolerance);
}

TEST(CalorieFluctuations, ADigestionTimeOfZeroCountsAsOneMinute) {
  TFluctuationInput input = Day();
  input.Meals = {{"Drink", At(8, 0), 100, 0}};
  const TFluctuationCurve added = Added(input);
  EXPECT_NEAR(added[479], 0, kTolerance);
  EXPECT_NEAR(added[480], 90, kTolerance);
}

TEST(CalorieFluctuations, ActivitiesBurnTheirMetsAboveRest) {
  const Extended rate = 1440;  // 1 calorie a minute
  const struct {
    TSECERec activity;
    int minute;
    Extended added;
  } cases[] = {
      {Activity(At(10, 0), 1.2f, 60), 1439, 0},         // no more than rest
      {Activity(At(10, 0), 3.2f, 30), 600, -2},         // first minute
      {Activity(At(10, 0), 3.2f, 30), 629, -60},        // last minute
      {Activity(At(10, 0), 3.2f, 30), 1439, -60},       // the rest of the day
      {Activity(At(10, 0), 3.2f, 30), 599, 0},          // before it
      {Activity(At(10, 0), 3.2f, 0), 1439, 0},          // no duration
      {Activity(At(10, 0), 3.2f, -50), 1439, 0},        // a damaged duration
      {Activity(At(23, 0), 2.2f, 2000000), 1439, -60},  // past midnight
  };
  for (const auto& c : cases) {
    TFluctuationInput input = Day(rate);
    input.Activities = {c.activity};
    EXPECT_NEAR(Added(input)[c.minute], c.added, 1e-6)
        << c.activity.MET << " " << c.activity.Dur << " at minute " << c.minute;
  }
}

TEST(CalorieFluctuations, DigestionTimesAreWholeMinutesOfADay) {
  const struct {
    const char* text;
    std::optional<int> want;
  } cases[] = {{"0", 0},
               {"1440", 1440},
               {"90", 90},
               {" 60 ", 60},
               {"1441", std::nullopt},
               {"-1", std::nullopt},
               {"1.5", std::nullopt},
               {"", std::nullopt},
               {"abc", std::nullopt},
               {"99999999999", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ReadDigestionTime(c.text), c.want) << c.text;
  EXPECT_EQ(DigestionMinutesOfHours(2), 120);
  EXPECT_EQ(DigestionMinutesOfHours(0), 1);
}

TEST(CalorieFluctuations, WakingAfterFourInTheAfternoonIsRefused) {
  EXPECT_FALSE(WakeUpTooLate(At(16, 0)));
  EXPECT_TRUE(WakeUpTooLate(At(16, 1)));
  EXPECT_FALSE(WakeUpTooLate(0));
}

TEST(CalorieFluctuations, HighestAndLowestAreTheFirstMinutesReachingThem) {
  TConfigurator config;
  TFluctuationCurve curve{};
  curve.fill(-10);
  curve[100] = 250.4L;
  curve[200] = 250.4L;
  curve[1439] = -300.6L;
  const TCurveExtreme high = HighestPoint(curve), low = LowestPoint(curve);
  EXPECT_EQ(high.Minute, 100);
  EXPECT_EQ(low.Minute, 1439);
  // A point is shown at the end of its minute; the last ends at midnight.
  EXPECT_EQ(HighestText(config, high), "Highest Calorie Balance = +250  at 01:41");
  EXPECT_EQ(LowestText(config, low), "Lowest Calorie Balance = -301  at 00:00");
}

class FluctuationRecords : public test::EnergyTest {};

TEST_F(FluctuationRecords, RatesOfADayFallBackOnTodaysAndTheCurrentCoefficient) {
  WeighInAndRestart(kToday - 10, 80, 1.5f);
  PutCal(kToday - 5, 80, 1.3f);
  PutCal(kToday - 4, 80, 0);  // coefficient never assigned
  const TFluctuationRates own = FluctuationRates(*model, kToday - 5);
  EXPECT_NEAR(own.RestingRate, model->RestingMetabolicRateOn(kToday - 5), kTolerance);
  EXPECT_NEAR(own.ActivityCoefficient, 1.3, 1e-6);

  const TFluctuationRates unassigned = FluctuationRates(*model, kToday - 4);
  EXPECT_NEAR(unassigned.ActivityCoefficient, model->CurrentActivityCoefficient, 1e-6);
  EXPECT_GT(unassigned.ActivityCoefficient, 1);

  model->CheckTodayProjection();
  const TFluctuationRates none = FluctuationRates(*model, kToday - 20);
  EXPECT_NEAR(none.RestingRate, model->RestingMetabolicRateOn(kToday), kTolerance);
  EXPECT_GT(none.RestingRate, 1000);
  EXPECT_NEAR(none.ActivityCoefficient, model->CurrentActivityCoefficient, 1e-6);
}

TEST_F(FluctuationRecords, StartingBalanceComesFromTheDayBefore) {
  WeighInAndRestart(kToday - 10, 80, 1.5f);
  PutEaten(kToday - 3, 3500);
  const Extended balance = model->CalorieBalance(Cal(kToday - 3));
  ASSERT_NE(balance, 0);
  EXPECT_NEAR(StartingBalance(*model, *store, kToday - 2, TStartingBalance::Previous), balance,
              kTolerance);
  EXPECT_NEAR(StartingBalance(*model, *store, kToday - 2, TStartingBalance::HalfPrevious),
              balance / 2, kTolerance);
  EXPECT_EQ(StartingBalance(*model, *store, kToday - 2, TStartingBalance::Zero), 0);
  // No record the day before: 0 whatever the choice.
  EXPECT_EQ(StartingBalance(*model, *store, kToday - 30, TStartingBalance::Previous), 0);
}

TEST_F(FluctuationRecords, WakeUpTimeIsKeptInTheDaysRecoveryRecord) {
  EXPECT_NEAR(WakeUpTimeOn(*store, kToday - 1), kDefaultWakeUpTime, 1e-12);
  StoreWakeUpTime(*store, kToday - 1, kToday - 1 + At(7, 15));
  Reopen();
  EXPECT_NEAR(WakeUpTimeOn(*store, kToday - 1), At(7, 15), 1e-9);
  EXPECT_NEAR(WakeUpTimeOn(*store, kToday), kDefaultWakeUpTime, 1e-12);
  // The other fields of the record stay unset.
  const TRecoveryList list = ListRecovery(*store);
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0].Values.HSlept, -1);
  EXPECT_EQ(RecoveryScore(list[0].Values), -1);
}

}  // namespace
}  // namespace korvela
