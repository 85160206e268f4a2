#include <gtest/gtest.h>

#include "energy/nutrition_plan.h"
#include "goal_fixture.h"

namespace korvela {
namespace {

// Tom weighed in at 80 kg ten days ago with a coefficient of 1.5; every day
// since is projected at 80 kg (nothing was logged).
class NutritionPlanTest : public test::GoalTest {
 protected:
  NutritionPlanTest() { WeighInAndRestart(kToday - 10, 80, 1.5F); }

  TNutritionPlan Plan(TDateTime day, const TNutrientTotals& totals) {
    return NutritionPlan(*model, *store, config, day, totals, FindCal(day));
  }

  // Today's record holding the totals, and its plan.
  TNutritionPlan PlanOfToday(const TNutrientTotals& totals) {
    TCalStat& today = Cal(kToday);
    today.P = totals.P;
    today.F = totals.F;
    today.C = totals.C;
    today.A = totals.A;
    return Plan(kToday, totals);
  }
};

TNutrientTotals CarbGrams(double grams) { return {0, 0, grams, 0}; }

TEST_F(NutritionPlanTest, TaskTextsAndMarksWithinTheAllowance) {
  using enum TNutrient;
  using enum TQualifier;
  using enum TMeasurement;
  const struct {
    TDietConstraint goal;
    TNutrientTotals totals;
    const char* text;
    TPlanMark mark;
  } cases[] = {
      // 5 %: at least 100 g passes from 95 g, at most 60 g up to 63 g.
      {{Protein, AtLeast, 100, Grams, 5},
       {95, 0, 100, 0},
       "Eat more than 100 grams of protein",
       TPlanMark::Pass},
      {{Protein, AtLeast, 100, Grams, 5},
       {94.9, 0, 100, 0},
       "Eat more than 100 grams of protein",
       TPlanMark::Fail},
      {{Fats, AtMost, 60, Grams, 5},
       {0, 63, 100, 0},
       "Eat less than 60 grams of fats",
       TPlanMark::Pass},
      {{Fats, AtMost, 60, Grams, 5},
       {0, 63.1, 100, 0},
       "Eat less than 60 grams of fats",
       TPlanMark::Fail},
      {{Carbs, Exactly, 250, Grams, 2},
       CarbGrams(245.1),
       "Eat 250 grams of carbs",
       TPlanMark::Pass},
      {{Carbs, Exactly, 250, Grams, 2},
       CarbGrams(254.9),
       "Eat 250 grams of carbs",
       TPlanMark::Pass},
      {{Carbs, Exactly, 250, Grams, 2},
       CarbGrams(244.9),
       "Eat 250 grams of carbs",
       TPlanMark::Fail},
      {{Carbs, Exactly, 250, Grams, 2},
       CarbGrams(255.1),
       "Eat 250 grams of carbs",
       TPlanMark::Fail},
      // Calories: 4 per gram of protein and carbs, 9 per gram of fats.
      {{Protein, AtLeast, 400, Calories, 0},
       {100, 0, 0, 0},
       "Eat more than 400 calories of protein",
       TPlanMark::Pass},
      {{Fats, AtMost, 450, Calories, 0},
       {0, 50.1, 0, 0},
       "Eat less than 450 calories of fats",
       TPlanMark::Fail},
      // Per kg of the day's projected weight (80 kg).
      {{Protein, AtLeast, 2.5, GramsPerKg, 0},
       {200, 0, 0, 0},
       "Eat more than 2.5 grams per kg of protein",
       TPlanMark::Pass},
      {{Protein, AtLeast, 2.5, GramsPerKg, 0},
       {199, 0, 0, 0},
       "Eat more than 2.5 grams per kg of protein",
       TPlanMark::Fail},
      // Shares of everything eaten: 180 of 840 calories, then of 980 with
      // 140 calories of alcohol.
      {{Fats, AtMost, 20, PercentOfCalories, 0},
       {0, 20, 165, 0},
       "Eat less than 20% calories as fats",
       TPlanMark::Fail},
      {{Fats, AtMost, 20, PercentOfCalories, 0},
       {0, 20, 165, 20},
       "Eat less than 20% calories as fats",
       TPlanMark::Pass},
      // Nothing of the nutrient: its share and its grams per kg are 0.
      {{Carbs, Exactly, 0, PercentOfCalories, 0},
       {100, 0, 0, 0},
       "Eat 0% calories as carbs",
       TPlanMark::Pass},
  };
  for (const auto& c : cases) {
    PutDietComp(kToday, {c.goal});
    const TNutritionPlan plan = PlanOfToday(c.totals);
    ASSERT_EQ(plan.tasks.size(), 1u) << c.text;
    EXPECT_EQ(plan.tasks[0].text, c.text);
    EXPECT_EQ(plan.tasks[0].mark, c.mark)
        << c.text << " P" << c.totals.P << " F" << c.totals.F << " C" << c.totals.C;
  }
}

TEST_F(NutritionPlanTest, TasksFollowTheRecordGoverningTheDayInItsOrder) {
  PutDietComp(kToday - 30, {{TNutrient::Protein, TQualifier::AtLeast, 1, TMeasurement::Grams, 0}});
  PutDietComp(kToday - 2,
              {{TNutrient::Protein, TQualifier::AtLeast, 150, TMeasurement::Grams, 5},
               {TNutrient::Fats, TQualifier::AtMost, 25, TMeasurement::PercentOfCalories, 5},
               {TNutrient::Carbs, TQualifier::Exactly, 300, TMeasurement::Grams, 5}});
  const TNutritionPlan plan = PlanOfToday({160, 60, 300, 0});
  ASSERT_EQ(plan.tasks.size(), 3u);
  EXPECT_EQ(plan.tasks[0].text, "Eat more than 150 grams of protein");
  EXPECT_EQ(plan.tasks[1].text, "Eat less than 25% calories as fats");
  EXPECT_EQ(plan.tasks[2].text, "Eat 300 grams of carbs");
  // 540 of 2380 calories are fats: 22.7 %.
  for (const TPlanTask& task : plan.tasks) EXPECT_EQ(task.mark, TPlanMark::Pass) << task.text;
  EXPECT_EQ(Plan(kToday - 3, {}).tasks[0].text, "Eat more than 1 grams of protein");
  EXPECT_TRUE(Plan(kToday - 31, {}).tasks.empty());
}

TEST_F(NutritionPlanTest, PerWeightGoalsAreShownPerPoundInPounds) {
  config.SetMetricSystem(false);
  PutDietComp(kToday,
              {{TNutrient::Protein, TQualifier::AtLeast, 3.3, TMeasurement::GramsPerKg, 0}});
  const TNutritionPlan plan = PlanOfToday({264, 0, 0, 0});  // 3.3 g per kg of 80 kg
  EXPECT_EQ(plan.tasks[0].text, "Eat more than 1.5 grams per lbs of protein");
  EXPECT_EQ(plan.tasks[0].mark, TPlanMark::Pass);
}

TEST_F(NutritionPlanTest, WithoutACalorieRecordOrFoodTheMarksAreNotAvailable) {
  PutWeightGoal(kToday - 10, TWeightGoalType::Maintain, 80, 0);
  PutDietComp(kToday, {{TNutrient::Protein, TQualifier::AtMost, 100, TMeasurement::Grams, 5}});
  // No record for the day: the task is shown, unmarked, and no target balance.
  TNutritionPlan plan = NutritionPlan(*model, *store, config, kToday, {}, nullptr);
  ASSERT_EQ(plan.tasks.size(), 1u);
  EXPECT_EQ(plan.tasks[0].text, "Eat less than 100 grams of protein");
  EXPECT_EQ(plan.tasks[0].mark, TPlanMark::NotAvailable);
  EXPECT_FALSE(plan.balance.shown);
  // A record, but nothing eaten: still unmarked, and the balance asks for food.
  plan = PlanOfToday({});
  EXPECT_EQ(plan.tasks[0].mark, TPlanMark::NotAvailable);
  ASSERT_TRUE(plan.balance.shown);
  EXPECT_EQ(plan.balance.thirdLine, "calories. Please report food intake!");
  EXPECT_EQ(plan.balance.mark, TPlanMark::Fail);
}

TEST_F(NutritionPlanTest, GoalNoteNamesTheCurrentActiveGoal) {
  EXPECT_EQ(Plan(kToday, {}).goalNote, "(no weight goal set)");
  const struct {
    TWeightGoalType type;
    TDateTime targetDate;
    const char* note;
  } cases[] = {
      {TWeightGoalType::Lose, kToday + 30, "(lose weight)"},
      {TWeightGoalType::Maintain, 0, "(weight maintainance)"},
      {TWeightGoalType::Gain, kToday, "(gain weight)"},
      {TWeightGoalType::Gain, kToday - 1, "(no weight goal set)"},  // its date has passed
  };
  for (const auto& c : cases) {
    PutWeightGoal(kToday - 1, c.type, 80, c.targetDate);
    EXPECT_EQ(Plan(kToday, {}).goalNote, c.note);
    EXPECT_EQ(Plan(kToday - 5, {}).goalNote, c.note) << "the note is today's for every day";
  }
}

TEST_F(NutritionPlanTest, TargetBalanceReachesTheGoalOverTheDaysLeft) {
  Cal(kToday).PW = 80.7;
  const struct {
    TWeightGoalType type;
    double targetWeight;
    TDateTime targetDate;
    const char* target;
    bool blue;
  } cases[] = {
      // Maintenance: back to the adopted weight within 7 days.
      {TWeightGoalType::Maintain, 80, 0, "-770", false},
      {TWeightGoalType::Maintain, 80.7, 0, "0", true},
      // Lose and gain: spread over the days left, the day itself included.
      {TWeightGoalType::Lose, 75, kToday + 9, "-4389", false},
      {TWeightGoalType::Gain, 82, kToday + 4, "+2002", true},
      {TWeightGoalType::Gain, 81.7, kToday, "+7700", true},
  };
  for (const auto& c : cases) {
    PutWeightGoal(kToday - 5, c.type, c.targetWeight, c.targetDate);
    const TTargetBalance balance = Plan(kToday, CarbGrams(500)).balance;
    ASSERT_TRUE(balance.shown) << c.target;
    EXPECT_EQ(balance.firstLine, "Target calorie balance for 15 Jun 2007 is");
    EXPECT_EQ(balance.target, c.target);
    EXPECT_EQ(balance.blue, c.blue) << c.target;
  }
}

TEST_F(NutritionPlanTest, HowFarTheBalanceIsFromTheTarget) {
  PlanOfToday(CarbGrams(625));
  const double balance = static_cast<double>(model->CalorieBalance(Cal(kToday)));
  const struct {
    double offset;  // balance less target
    const char* line;
    TPlanMark mark;
  } cases[] = {
      {0.4, "calories. You are right on target!", TPlanMark::Pass},
      {-0.4, "calories. You are right on target!", TPlanMark::Pass},
      {0.6, "calories. Burn 1 more calories.", TPlanMark::Pass},
      {79, "calories. Burn 79 more calories.", TPlanMark::Pass},
      {-79.99, "calories. Eat 80 more calories.", TPlanMark::Pass},
      {80.01, "calories. Burn 80 more calories.", TPlanMark::Fail},
      {-150, "calories. Eat 150 more calories.", TPlanMark::Fail},
  };
  for (const auto& c : cases) {
    // A maintenance goal whose target over 7 days is the balance less the offset.
    const double target = balance - c.offset;
    PutWeightGoal(kToday - 1, TWeightGoalType::Maintain, 80 + target * 7 / 7700, 0);
    const TTargetBalance result = PlanOfToday(CarbGrams(625)).balance;
    EXPECT_EQ(result.thirdLine, c.line) << c.offset;
    EXPECT_EQ(result.mark, c.mark) << c.offset;
  }
}

TEST_F(NutritionPlanTest, NoTargetBalanceOutsideTheGoalOrTheProjectionWindow) {
  PutEaten(kToday - 12, 2000);
  PutCal(kToday - 12, 81, 1.5F);  // before the weigh-in
  PutWeightGoal(kToday - 20, TWeightGoalType::Maintain, 80, 0);
  EXPECT_FALSE(Plan(kToday - 12, CarbGrams(500)).balance.shown);
  EXPECT_TRUE(Plan(kToday - 3, CarbGrams(500)).balance.shown);

  PutWeightGoal(kToday - 2, TWeightGoalType::Lose, 75, kToday + 20);
  EXPECT_FALSE(Plan(kToday - 3, CarbGrams(500)).balance.shown) << "before the goal was set";
  EXPECT_TRUE(Plan(kToday - 2, CarbGrams(500)).balance.shown);

  // A record of the window without a projected weight has nothing to aim from.
  Cal(kToday - 1).PW = -1;
  EXPECT_FALSE(Plan(kToday - 1, CarbGrams(500)).balance.shown);

  PutWeightGoal(kToday - 2, TWeightGoalType::Lose, 75, kToday - 1);  // expired
  EXPECT_FALSE(Plan(kToday - 2, CarbGrams(500)).balance.shown);
}

TEST_F(NutritionPlanTest, LiveTotalsCountForTheBalanceButAreNeverStored) {
  PutWeightGoal(kToday - 1, TWeightGoalType::Maintain, 80, 0);
  const std::string stored = PlanOfToday(CarbGrams(625)).balance.thirdLine;

  // The food log's totals of a day whose record holds none, and that has no
  // activity coefficient yet: the record gets the coefficient, not the totals.
  TCalStat& today = Cal(kToday);
  today.C = 0;
  today.AC = 0;
  const TNutritionPlan live = Plan(kToday, CarbGrams(625));
  EXPECT_EQ(live.balance.thirdLine, stored);
  EXPECT_EQ(today.C, 0);
  Reopen();
  EXPECT_EQ(Cal(kToday).C, 0);
  EXPECT_FLOAT_EQ(Cal(kToday).AC, 1.5F);
}

}  // namespace
}  // namespace korvela
