#include <gtest/gtest.h>

#include "energy/goals.h"
#include "energy/weight_goals.h"
#include "goal_fixture.h"

namespace korvela {
namespace {

// Tom, 30 years, 180 cm, weighed in today at 80 kg with a coefficient of 1.5.
// At 80 kg the Mifflin rate is 1781.6 and the factor 1.0006272, so eating as
// much as he burns takes 1781.6 x 1.0006272 x 1.5 / 0.9 = 2971.2 calories.
class WeightGoalTest : public test::GoalTest {
 protected:
  WeightGoalTest() { WeighInAndRestart(kToday, 80, 1.5F); }

  TWeightGoalSetting Setting() { return TWeightGoalSetting(*model, *store, user, config); }
};

constexpr const char* kAdvice =
    "Please, examine the \"Nutrition Plan\" panel of the Main screen and Nutrition screen every "
    "day to see how your calorie budget changes over time.";

TEST_F(WeightGoalTest, MaintenanceIntakeIsTheRestingRateTimesTheCoefficientOverNinetyPercent) {
  EXPECT_NEAR(static_cast<double>(Setting().MaintenanceIntake()), 2971.1956, 1e-3);
  // Underfed days before today lower it with the rate.
  PutEaten(kToday - 1, 850);
  EXPECT_NEAR(static_cast<double>(Setting().MaintenanceIntake()),
              1781.6 * (1.0006272 - 13.0 / 300) * 1.5 / 0.9, 1e-3);
}

TEST(WeightChangePlan, SpreadOverTheDaysLeftIncludingToday) {
  const TDateTime today = EncodeDate(2007, 6, 15);
  const struct {
    double target;
    TDateTime date;
    int days;
    double balance;
    double weekly;
  } cases[] = {
      {77, today + 69, 70, -330, 0.3},
      {82.5, today + 34, 35, 550, 0.5},
      {79, today + 1, 2, -3850, 3.5},
      {80, today + 10, 11, 0, 0},
  };
  for (const auto& c : cases) {
    const TWeightChangePlan plan = PlanWeightChange(80, c.target, 2500, today + 0.3, c.date);
    EXPECT_EQ(plan.days, c.days) << c.target;
    EXPECT_NEAR(static_cast<double>(plan.balance), c.balance, 1e-9) << c.target;
    EXPECT_NEAR(static_cast<double>(plan.weeklyChange), c.weekly, 1e-9) << c.target;
    EXPECT_NEAR(static_cast<double>(plan.intake), 2500 + c.balance, 1e-9) << c.target;
  }
  EXPECT_EQ(GoalTypeForTarget(80.01, 80), TWeightGoalType::Gain);
  EXPECT_EQ(GoalTypeForTarget(80, 80), TWeightGoalType::Lose);
  EXPECT_EQ(GoalTypeForTarget(60, 80), TWeightGoalType::Lose);
}

TEST_F(WeightGoalTest, MaintenanceDescription) {
  const TWeightGoalCalculation result = Setting().Calculate(TWeightGoalType::Maintain, -1, 0);
  EXPECT_EQ(result.description,
            std::string("Tom,\nto maintain your current weight of 80 kg, your goal is an average "
                        "daily calorie balance of 0 calories(eat as much as you burn). At your "
                        "current physical profile you need to eat 2971 calories a day. If you "
                        "under or overeat, or engage in more physical activities Korvela will "
                        "correct your target calorie balance and calorie budget DAILY.\n") +
                kAdvice);
  EXPECT_EQ(result.chartTitle, "Bodyweight");
  EXPECT_EQ(result.arrow.fromDate, kToday);
  EXPECT_EQ(result.arrow.toDate, EncodeDate(2007, 7, 15));
  EXPECT_EQ(result.arrow.fromWeight, 80);
  EXPECT_EQ(result.arrow.toWeight, 80);
  // Three decimals of the present weight.
  EXPECT_NE(MaintenanceDescription(config, "Tom", 80.1234, 2000).find("weight of 80.123 kg,"),
            std::string::npos);
}

TEST_F(WeightGoalTest, LoseDescriptionAndChartTitle) {
  const TWeightGoalCalculation result =
      Setting().Calculate(TWeightGoalType::Lose, 77, EncodeDate(2007, 8, 23));
  EXPECT_EQ(
      result.description,
      std::string("Tom,\nto reach your goal weight of 77 kg on 23 Aug 2007 you need to lose 3 "
                  "kg(0.3 kg per week). You need to shoot for an average negative daily calorie "
                  "balance of 330 calories(eat 330 calories less than you burn EVERY DAY). At your "
                  "current physical profile you need to start eating 2641 calories a day. As you "
                  "lose weight your calorie expenditure goes down and Korvela will make DAILY "
                  "adjustments to your calorie budget(this means you will have to eat less and "
                  "less calories as you lose weight to keep the same rate of weight loss). If you "
                  "under or overeat, or engage in more physical activities Korvela will adjust "
                  "your target calorie balance and calorie budget daily.\n") +
          kAdvice +
          " Korvela will predict your bodyweight changes every day(thus making the "
          "necessary changes to your budget DAILY) and ask you periodically to report "
          "your bodyweight to further make corrections and safeguard the achievement of "
          "your goals.");
  EXPECT_EQ(result.chartTitle, "Average loss 0.3 kg per week.");
  EXPECT_EQ(result.arrow.toDate, EncodeDate(2007, 8, 23));
  EXPECT_EQ(result.arrow.toWeight, 77);
}

TEST_F(WeightGoalTest, GainDescriptionAndChartTitleInPounds) {
  config.SetMetricSystem(false);
  const TWeightGoalCalculation result =
      Setting().Calculate(TWeightGoalType::Gain, 82.5, EncodeDate(2007, 7, 19));
  EXPECT_EQ(
      result.description,
      std::string("Tom,\nto reach your goal weight of 181.5 lbs on 19 Jul 2007 you need to gain "
                  "5.5 lbs(1.1 lbs per week). You need to shoot for an average positive daily "
                  "calorie balance of 550 calories(eat 550 calories more than you burn EVERY "
                  "DAY). At your current physical profile you need to start eating 3521 calories "
                  "a day. As you gain weight your calorie expenditure goes up and Korvela will "
                  "make DAILY adjustments to your calorie budget(this means you will have to eat "
                  "more and more calories as you gain weight to keep the same rate of weight "
                  "gain). If you under or overeat, or engage in more physical activities Korvela "
                  "will adjust your target calorie balance and calorie budget daily.\n") +
          kAdvice +
          " Korvela will predict your bodyweight changes every day(thus making the "
          "necessary changes to your budget DAILY) and ask you periodically to report "
          "your bodyweight to further make corrections and safeguard the achievement of "
          "your goals.");
  EXPECT_EQ(result.chartTitle, "Average gain 1.1 lbs per week.");
  EXPECT_DOUBLE_EQ(result.arrow.fromWeight, 176);
  EXPECT_DOUBLE_EQ(result.arrow.toWeight, 181.5);
  EXPECT_EQ(WeightAxisSuffix(config), " lbs");
}

TEST_F(WeightGoalTest, OpeningWithoutAnActiveGoalProposesMaintenance) {
  for (bool expired : {false, true}) {
    if (expired) PutWeightGoal(kToday - 30, TWeightGoalType::Lose, 75, kToday - 1);
    const TWeightGoalOpening opening = Setting().Opening();
    EXPECT_EQ(opening.type, TWeightGoalType::Maintain);
    EXPECT_EQ(opening.targetDate, kToday + 100);
    EXPECT_EQ(opening.targetWeight, -1);
    EXPECT_FALSE(opening.calculate);
    EXPECT_EQ(opening.arrow.fromDate, kToday);
    EXPECT_EQ(opening.arrow.toDate, EncodeDate(2007, 7, 15));
    EXPECT_EQ(opening.arrow.fromWeight, 80);
    EXPECT_EQ(opening.arrow.toWeight, 80);
  }
}

TEST_F(WeightGoalTest, OpeningShowsTheActiveGoal) {
  const struct {
    TWeightGoalType type;
    double weight;
    TDateTime targetDate;
    TDateTime shownDate;
    double shownWeight;
  } cases[] = {
      {TWeightGoalType::Lose, 75, kToday + 40, kToday + 40, 75},
      {TWeightGoalType::Gain, 85, kToday, kToday + 1, 85},  // ends today: shown ending tomorrow
      {TWeightGoalType::Maintain, 79.5, 0, kToday + 100, -1},
  };
  for (const auto& c : cases) {
    PutWeightGoal(kToday - 3, c.type, c.weight, c.targetDate);
    const TWeightGoalOpening opening = Setting().Opening();
    EXPECT_EQ(opening.type, c.type);
    EXPECT_EQ(opening.targetDate, c.shownDate);
    EXPECT_EQ(opening.targetWeight, c.shownWeight);
    EXPECT_TRUE(opening.calculate);
    if (c.type != TWeightGoalType::Maintain) {
      EXPECT_EQ(opening.arrow.toDate, c.shownDate);
      EXPECT_EQ(opening.arrow.toWeight, c.weight);
    }
  }
}

TEST_F(WeightGoalTest, TargetDateMustLieAfterTodayToLoseOrGain) {
  const TWeightGoalSetting setting = Setting();
  EXPECT_EQ(setting.CheckTargetDate(TWeightGoalType::Lose, kToday + 0.9),
            "Please, select a target date in the future");
  EXPECT_EQ(setting.CheckTargetDate(TWeightGoalType::Gain, kToday - 3),
            "Please, select a target date in the future");
  EXPECT_EQ(setting.CheckTargetDate(TWeightGoalType::Gain, kToday + 1), std::nullopt);
  EXPECT_EQ(setting.CheckTargetDate(TWeightGoalType::Maintain, kToday), std::nullopt);
}

TEST_F(WeightGoalTest, AdoptionWritesTodaysGoalAndReplacesOneOfTheSameDay) {
  TWeightGoalSetting setting = Setting();
  setting.Adopt(TWeightGoalType::Lose, 76.5, kToday + 45.6);
  TDayRecordStore other(registry, *random);
  other.OpenDayRecords(folder.Path());
  TWeightGoalRef goal = CurrentWeightGoal(other, kToday);
  ASSERT_TRUE(goal);
  EXPECT_EQ(goal.setOn, kToday);
  EXPECT_EQ(goal.goal->WeightGoalType, TWeightGoalType::Lose);
  EXPECT_EQ(goal.goal->TargetWeight, 76.5);
  EXPECT_EQ(goal.goal->TargetDate, kToday + 45);
  other.CloseDayRecords();

  // Maintenance keeps the present weight and no date.
  setting.Adopt(TWeightGoalType::Maintain, 70, kToday + 100);
  ASSERT_EQ(store->List(kWeightGoalStatKind).size(), 1u);
  goal = CurrentWeightGoal(*store, kToday);
  EXPECT_EQ(goal.goal->WeightGoalType, TWeightGoalType::Maintain);
  EXPECT_EQ(goal.goal->TargetWeight, 80);
  EXPECT_EQ(goal.goal->TargetDate, 0);
}

}  // namespace
}  // namespace korvela
