#include <gtest/gtest.h>

#include "energy_fixture.h"

namespace korvela {
namespace {

using test::EnergyTest;

TEST(EnergyFormulas, MifflinRateForBothSexes) {
  // 9.99 kg + 6.25 cm - 4.92 years, +5 for a man, -161 for a woman.
  EXPECT_NEAR(TEnergyModel::MifflinRmr(30, false, 80, 180), 1781.6, 1e-9);
  EXPECT_NEAR(TEnergyModel::MifflinRmr(30, true, 60, 165), 1322.05, 1e-9);
  EXPECT_NEAR(TEnergyModel::MifflinRmr(0, true, 0, 0), -161, 1e-12);
}

TEST(EnergyFormulas, ReferenceWeightIsBodyMassIndex22ForWomenAnd24ForMen) {
  EXPECT_NEAR(TEnergyModel::ReferenceWeight(false, 180), 77.76, 1e-12);
  EXPECT_NEAR(TEnergyModel::ReferenceWeight(true, 160), 56.32, 1e-12);
}

TEST(EnergyFormulas, MetabolicFactorIsLimitedOnlyWithABodyFatValue) {
  const struct {
    const char* what;
    bool female;
    Extended adaptation;
    float bodyFat;
    Extended height, weight;
    Extended want;
  } cases[] = {
      {"worked example", false, 1, -1, 180, 80, 1.0006272},
      {"below the reference weight", false, 1, -1, 180, 70, 0.9924728},
      {"heavy, no body fat: not limited", false, 1, -1, 160, 200, 3.3998592},
      {"heavy, body fat known: held at 1.5", false, 1, 20, 160, 200, 1.5},
      {"thin and underfed, no body fat: not limited", true, 0.8, -1, 190, 40, 0.60575795},
      {"thin and underfed, body fat known: raised to 0.66", true, 0.8, 25, 190, 40, 0.66},
      {"lean man at 8 %", false, 1, 8, 180, 77.76, 0.96},
      {"man at 12 % is not lean", false, 1, 12, 180, 77.76, 1},
      {"lean woman at 10 %", true, 1, 10, 160, 56.32, 0.888896},
      {"woman at 18 % is not lean", true, 1, 18, 160, 56.32, 1},
      {"woman's limit does not apply to a man", false, 1, 15, 180, 77.76, 1},
      {"worked example at 8 %", false, 1, 8, 180, 80, 1.0006272 * 0.96},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(
        TEnergyModel::MetabolicFactor(c.female, c.adaptation, c.bodyFat, c.height, c.weight),
        c.want, 1e-9)
        << c.what;
}

TEST(EnergyFormulas, DefaultActivityCoefficientsBySexAndLevel) {
  const struct {
    bool female;
    int level;
    float want;
  } cases[] = {
      {false, 0, 1.395f}, {false, 1, 1.602f}, {false, 2, 1.89f},
      {true, 0, 1.404f},  {true, 1, 1.476f},  {true, 2, 1.638f},
  };
  for (const auto& c : cases)
    EXPECT_EQ(TEnergyModel::DefaultActivityCoefficient(c.female, c.level), c.want)
        << c.female << " " << c.level;
}

TEST(EnergyFormulas, EatenCaloriesCountFourNineFourSeven) {
  TCalStat cal(nullptr);
  cal.P = 100;
  cal.F = 50;
  cal.C = 200;
  cal.A = 10;
  EXPECT_EQ(EatenCalories(cal), 400 + 450 + 800 + 70);
}

// Today's record of the worked example: a man of 30, 180 cm, weighing 80 kg,
// weighed in five days ago without a body fat value.
class DayFigures : public EnergyTest {
 protected:
  DayFigures() {
    PutWeighIn(kToday - 5, 80);
    PutCal(kToday - 5, 80, 1.5f);
    model->RestartEnergyModel();
  }

  TCalStat& Example(float coefficient = 1.5f) {
    TCalStat& cal = Cal(kToday);
    cal.PW = 80;
    cal.AC = coefficient;
    return cal;
  }
};

TEST_F(DayFigures, WorkedExampleRestingRate) {
  ASSERT_EQ(user.AgeOn(kToday), 30);
  EXPECT_NEAR(model->RestingMetabolicRate(Example()), 1782.7, 0.05);
}

TEST_F(DayFigures, WorkedExampleWithEightPercentBodyFat) {
  PutWeighIn(kToday - 5, 80, 8);
  TCalStat& today = Example();
  EXPECT_NEAR(model->BodyFatOnDay(kToday), 8, 1e-9);
  EXPECT_NEAR(model->RestingMetabolicRate(today), 1711.4, 0.05);
}

TEST_F(DayFigures, WorkedExampleUnderfedThreeDays) {
  for (int back = 1; back <= 3; ++back) PutEaten(kToday - back, 850);
  EXPECT_NEAR(model->UnderfeedingAdaptation(kToday), 0.87, 1e-12);
  // The adaptation lowers the resting rate by the same amount.
  EXPECT_NEAR(model->RestingMetabolicRate(Example()), 1781.6 * (0.87 + 0.0006272), 1e-6);
}

TEST_F(DayFigures, UnderfeedingStepsAtTheirBoundaries) {
  const struct {
    double eaten;  // calories the day before
    Extended loss;
  } cases[] = {
      {799, 20.0L / 300}, {800, 15.0L / 300},
      {850, 13.0L / 300}, {900, 11.0L / 300},
      {1000, 8.0L / 300}, {1100, 6.0L / 300},
      {1200, 5.0L / 300}, {1200.5, 0},
      {3000, 0},          {0, 0},  // nothing eaten: not reported
  };
  for (const auto& c : cases) {
    PutEaten(kToday - 1, c.eaten);
    EXPECT_NEAR(model->UnderfeedingAdaptation(kToday), 1 - c.loss, 1e-12) << c.eaten;
  }
}

TEST_F(DayFigures, UnderfeedingStepsJoinAt900To1100AndJumpAt800And1200) {
  const auto lossAt = [this](double eaten) {
    PutEaten(kToday - 1, eaten);
    return 1 - model->UnderfeedingAdaptation(kToday);
  };
  for (double joint : {900.0, 1000.0, 1100.0})
    EXPECT_NEAR(lossAt(joint), lossAt(joint + 0.01), 2e-4) << joint;
  EXPECT_NEAR(lossAt(800) - lossAt(799.99), -5.0L / 300, 1e-6);
  EXPECT_NEAR(lossAt(1200) - lossAt(1200.01), 5.0L / 300, 1e-6);
}

TEST_F(DayFigures, UnderfeedingCountsOnlyTheThreeDaysBefore) {
  PutEaten(kToday - 4, 500);  // too long ago
  PutEaten(kToday, 500);      // the day itself
  EXPECT_EQ(model->UnderfeedingAdaptation(kToday), 1);
  PutEaten(kToday - 3, 500);
  PutEaten(kToday - 1, 1150);
  EXPECT_NEAR(model->UnderfeedingAdaptation(kToday + 0.9), 1 - 20.0L / 300 - 5.5L / 300, 1e-12);
  // Asking never creates the days before.
  EXPECT_EQ(model->UnderfeedingAdaptation(kToday - 10), 1);
  for (int back = 1; back <= 3; ++back)
    EXPECT_EQ(store->FindDayRecord(kCalStatKind, kToday - 10 - back), nullptr);
}

TEST_F(DayFigures, ExerciseCountsOnlyMetsAboveOnePointTwo) {
  TCalStat& unknownWeight = Cal(kToday + 1);  // after today: no weight, a MET-minute is 1 calorie
  const struct {
    float met;
    int minutes;
    Extended want;  // at a resting rate of 1440 a day, one calorie a minute
  } cases[] = {{1.3f, 60, 6}, {8.2f, 30, 210}, {1.25f, 1440, 72}};
  for (const auto& c : cases) {
    unknownWeight.Entries = {{kToday + 0.5, "Walk", c.met, c.minutes, 0}};
    EXPECT_NEAR(model->ExerciseCalories(unknownWeight), c.want, 1e-4) << c.met;
  }
  for (float rest : {1.2f, 1.0f, 0.9f}) {
    unknownWeight.Entries = {{kToday + 0.5, "Sit", rest, 1440, 0}};
    EXPECT_EQ(model->ExerciseCalories(unknownWeight), 0) << rest;
  }
  unknownWeight.Entries = {{0, "a", 1.3f, 60, 0}, {0, "b", 1.2f, 60, 0}, {0, "c", 8.2f, 30, 1}};
  EXPECT_NEAR(model->ExerciseCalories(unknownWeight), 216, 2e-4);

  // At the worked example's resting rate of 1782.7 a MET-minute is 1.238 calories.
  TCalStat& today = Example();
  today.Entries = {{kToday + 0.5, "Walk", 1.3f, 60, 0}};
  EXPECT_NEAR(model->ExerciseCalories(today), 7.428, 0.001);
}

TEST_F(DayFigures, ActivityAboveRestOnlyForCoefficientsOfOneOrMore) {
  const Extended rate = model->RestingMetabolicRate(Example());
  const struct {
    float coefficient;
    Extended want;
  } cases[] = {{1.5f, 0.5L * rate}, {1, 0}, {0.8f, 0}, {-0.5f, 0}, {0, -1}};
  for (const auto& c : cases)
    EXPECT_NEAR(model->DailyPhysicalActivity(Example(c.coefficient)), c.want, 1e-9)
        << c.coefficient;
  Example().PW = -1;
  EXPECT_EQ(model->DailyPhysicalActivity(Cal(kToday)), -1);
}

TEST_F(DayFigures, ThermicEffectIsATenthOfFoodCorrectedByTheFactor) {
  TCalStat& today = Example();
  today.C = 500;  // 2000 calories
  EXPECT_NEAR(model->ThermicEffectOfFood(today), 200 * 1.0006272, 1e-9);
  today.PW = -1;
  EXPECT_EQ(model->ThermicEffectOfFood(today), 200);
}

TEST_F(DayFigures, WorkedExampleBalanceOfA2500CalorieDay) {
  TCalStat& today = Example();
  today.C = 625;
  // (1781.6 x 1.5 + 250) x 1.0006272
  EXPECT_NEAR(model->TotalDailyExpenditure(today), 2924.2329, 1e-4);
  EXPECT_NEAR(model->CalorieBalance(today), -424.2329, 1e-4);
}

TEST_F(DayFigures, ExpenditureIsTheSumOfItsPartsWheneverTheyAreKnown) {
  PutWeighIn(kToday - 5, 80, 14);
  PutEaten(kToday - 2, 950);
  const struct {
    double weight;
    float coefficient;
    double carbohydrate;
    std::vector<TSECERec> entries;
  } cases[] = {
      {80, 1.5f, 625, {}},
      {95.5, 1.9f, 300, {{0, "Run", 9.8f, 40, 0}, {0, "Stretch", 1.1f, 20, 0}}},
      {61, 1.2f, 0, {{0, "Legs", 5, 70, 1}}},
      {72, 2.4f, 800.5, {{0, "Row", 7, 30, 0}, {0, "Row", 7, 30, 2}}},
  };
  for (const auto& c : cases) {
    TCalStat& today = Example(c.coefficient);
    today.PW = c.weight;
    today.C = c.carbohydrate;
    today.Entries = c.entries;
    const Extended parts = model->RestingMetabolicRate(today) +
                           model->DailyPhysicalActivity(today) + model->ExerciseCalories(today) +
                           model->ThermicEffectOfFood(today);
    EXPECT_NEAR(model->TotalDailyExpenditure(today), parts, 1e-9) << c.weight;
  }
}

TEST_F(DayFigures, UnknownWeightOrNoFoodGivesNoExpenditureOrNoBalance) {
  TCalStat& today = Example();
  EXPECT_EQ(model->CalorieBalance(today), 0);  // nothing eaten: balanced
  today.C = 625;
  today.PW = -1;
  EXPECT_EQ(model->RestingMetabolicRate(today), -1);
  EXPECT_EQ(model->TotalDailyExpenditure(today), -1);
  EXPECT_EQ(model->CalorieBalance(today), 0);
}

TEST_F(DayFigures, FiguresOfADayWithoutACalorieRecord) {
  // Days before the weigh-in were never projected.
  EXPECT_EQ(model->RestingMetabolicRateOn(kToday - 8), -1);
  EXPECT_EQ(model->ActivityCoefficientOn(kToday - 8), -1);
  EXPECT_EQ(store->FindDayRecord(kCalStatKind, kToday - 8), nullptr);
  // The resting rate for such a day is today's.
  EXPECT_NEAR(model->RestingRateForDay(kToday - 8), model->CurrentRestingRate(), 1e-9);
  Cal(kToday - 8);
  EXPECT_NEAR(model->RestingRateForDay(kToday - 8), model->CurrentRestingRate(), 1e-9);
  EXPECT_EQ(model->ActivityCoefficientOn(kToday - 8), 0);

  PutCal(kToday - 9, 90, 1.7f);
  EXPECT_NEAR(model->RestingMetabolicRateOn(kToday - 9),
              TEnergyModel::MifflinRmr(30, false, 90, 180) *
                  TEnergyModel::MetabolicFactor(false, 1, -1, 180, 90),
              1e-9);
  EXPECT_EQ(model->ActivityCoefficientOn(kToday - 9), 1.7f);
  EXPECT_EQ(model->RestingRateForDay(kToday - 9), model->RestingMetabolicRateOn(kToday - 9));
}

TEST_F(DayFigures, CurrentRestingRateIsTodaysAtTheProjectedWeight) {
  // Nothing eaten since the weigh-in: today weighs what was weighed.
  EXPECT_EQ(model->CurrentProjectedWeight(), 80);
  EXPECT_NEAR(model->CurrentRestingRate(), 1782.7, 0.05);
}

TEST_F(DayFigures, BodyFatFollowsTheProjectedWeightAThirdLeanTwoThirdsFat) {
  PutWeighIn(kToday - 5, 80, 20);
  Cal(kToday - 1).PW = 83;
  // fat 16 + 3 x 0.67777777, lean 64 + 3 x 0.333333
  EXPECT_NEAR(model->BodyFatOnDay(kToday - 1), 21.7181857, 1e-6);
  Cal(kToday - 1).PW = -1;
  EXPECT_EQ(model->BodyFatOnDay(kToday - 1), -1);
}

TEST_F(DayFigures, BodyFatComesOnlyFromTheGoverningWeighIn) {
  PutWeighIn(kToday - 20, 82, 20);
  PutCal(kToday - 20, 82, 1.5f);
  PutWeighIn(kToday - 5, 80);  // no body fat
  for (TDateTime day = kToday - 25; day <= kToday + 2; ++day) Cal(day).PW = 82;
  const struct {
    TDateTime day;
    Extended want;
  } cases[] = {
      {kToday - 21, -1},  // before the first weigh-in
      {kToday - 20, 20}, {kToday - 6 + 0.99, 20},
      {kToday - 5, -1},  // the newer weigh-in governs, and it has none
      {kToday, -1},      {kToday + 1, -1},
  };
  for (const auto& c : cases) EXPECT_NEAR(model->BodyFatOnDay(c.day), c.want, 1e-9) << c.day;

  PutWeighIn(kToday - 5, 80, 15);
  Cal(kToday).PW = 80;
  EXPECT_NEAR(model->BodyFatOnDay(kToday), 15, 1e-6);
  Cal(kToday + 1).PW = 80;
  EXPECT_EQ(model->BodyFatOnDay(kToday + 1), -1);  // after today there is none
}

}  // namespace
}  // namespace korvela
