#include "energy/dashboard.h"

#include <gtest/gtest.h>

#include "energy/calendar_marks.h"
#include "energy/energy_fixture.h"
#include "energy/goal_records.h"

namespace korvela {
namespace {

class DashboardTest : public test::EnergyTest {
 protected:
  TDashboardView Show(TDateTime day) { return CalendarChange(day, *model, *store, config); }
  TConfigurator config;
};

TEST_F(DashboardTest, ADayWithoutACalorieRecordIsNotReported) {
  WeighInAndRestart(kToday - 3, 80, 1.5f);
  const TDashboardView view = Show(kToday - 10);
  EXPECT_EQ(view.longHeading, "5 June, 2007");
  EXPECT_EQ(view.shortHeading, "5 Jun 2007");
  EXPECT_EQ(view.balance.eaten, "Not reported");
  for (const std::string* value : {&view.balance.thermicEffect, &view.balance.restingRate,
                                   &view.balance.physicalActivity, &view.balance.exercise,
                                   &view.balance.expenditure})
    EXPECT_EQ(*value, "N/R");
  EXPECT_EQ(view.balance.balance, "N/R");
  EXPECT_EQ(view.balance.balanceColour, TEmphasis::Blue);
  EXPECT_FALSE(view.balance.balanceUnitShown);
  for (const auto& row : view.composition.cells)
    for (const std::string& cell : row) EXPECT_EQ(cell, "N/R");
  EXPECT_EQ(view.zone.lines[0], "No Information Available");
  EXPECT_FALSE(view.zone.pointerShown);
  EXPECT_EQ(view.weight.projectedWeight, "N/A");
  EXPECT_EQ(view.weight.lastWeighIn, "80 kg");
  EXPECT_EQ(FindCal(kToday - 10), nullptr);  // the dashboard never creates a record
}

TEST_F(DashboardTest, AFutureDayWithFoodShowsWhatWasEatenButNoExpenditure) {
  WeighInAndRestart(kToday - 3, 80, 1.5f);
  PutEaten(kToday + 2, 2000);
  const TDashboardView view = Show(kToday + 2);
  EXPECT_EQ(view.balance.eaten, "2000");
  EXPECT_EQ(view.balance.restingRate, "N/A");
  EXPECT_EQ(view.balance.physicalActivity, "N/A");
  EXPECT_EQ(view.balance.expenditure, "N/A");
  EXPECT_EQ(view.balance.balance, "N/A");
  EXPECT_FALSE(view.balance.balanceUnitShown);
  EXPECT_EQ(view.zone.lines[0], "No Information Available");
  EXPECT_EQ(view.composition.cells[2][0], "500 gr");
  EXPECT_EQ(view.composition.cells[2][2], "100%");
  EXPECT_EQ(view.composition.cells[2][3], "N/R");  // no projected weight that far ahead
}

TEST_F(DashboardTest, ADayWithFoodShowsBalanceCompositionAndZone) {
  WeighInAndRestart(kToday - 3, 80, 1.5f);
  TCalStat& cal = PutEaten(kToday - 3, 0);
  cal.P = 160;
  cal.F = 50;
  cal.C = 150;  // 640 + 450 + 600 = 1690 calories
  const TDashboardView view = Show(kToday - 3);
  EXPECT_EQ(view.balance.eaten, "1690");
  EXPECT_EQ(view.composition.cells[0], (std::array<std::string, 4>{"160 gr", "640", "38%", "2 gr"}));
  EXPECT_EQ(view.composition.cells[1], (std::array<std::string, 4>{"50 gr", "450", "27%", "0.6 gr"}));
  EXPECT_EQ(view.composition.cells[2], (std::array<std::string, 4>{"150 gr", "600", "36%", "1.9 gr"}));
  EXPECT_EQ(view.balance.balance, BalanceText(model->CalorieBalance(cal), config).first);
  EXPECT_EQ(view.balance.balanceColour, model->CalorieBalance(cal) >= 0 ? TEmphasis::Blue : TEmphasis::Red);
  EXPECT_NE(view.balance.restingRate, "N/A");
  EXPECT_TRUE(view.zone.pointerShown);
  EXPECT_EQ(view.weight.projectedWeight, "80 kg");
}

TEST(DashboardTexts, BalanceSignsAndColours) {
  TConfigurator config;
  EXPECT_EQ(BalanceText(-350, config), std::make_pair(std::string("(-350)"), TEmphasis::Red));
  EXPECT_EQ(BalanceText(120, config), std::make_pair(std::string("+120"), TEmphasis::Blue));
  EXPECT_EQ(BalanceText(0, config), std::make_pair(std::string("+0"), TEmphasis::Blue));
}

TEST(DashboardTexts, ActivityZoneRatioAndPointer) {
  TConfigurator config;
  const struct {
    Extended activity;  // against a resting rate of 1000
    int pointer;
    bool active;
  } cases[] = {{900, 16, false}, {3000, 224, true}, {1750, 120, true}, {1000, 16, false},
               {2500, 224, true}, {1300, 57, false}};
  for (const auto& c : cases) {
    const TActivityZonePanel zone = ActivityZone(1000, c.activity, config);
    EXPECT_EQ(zone.pointer, c.pointer) << static_cast<double>(c.activity);
    EXPECT_EQ(zone.lines[0], c.active ? "You are in the Active Zone!" : "You are in the Inactive Zone!");
    EXPECT_EQ(zone.lineShown[2], !c.active);
  }
  EXPECT_EQ(ActivityZone(1000, 1300, config).lines[2], "burn 450 additional calories this day");
}

TEST_F(DashboardTest, TheWeighInQuestionIsAskedOnceUntilTheFlagsAreCleared) {
  WeighInAndRestart(kToday - 3, 80, 1.5f);
  model->WeightDriftFlag = true;
  EXPECT_TRUE(Show(kToday).askForWeighIn);
  EXPECT_FALSE(Show(kToday - 1).askForWeighIn);
  EXPECT_FALSE(Show(kToday).askForWeighIn);
  model->ClearFlags();
  model->WeightDriftFlag = true;
  EXPECT_TRUE(Show(kToday).askForWeighIn);
}

TEST_F(DashboardTest, WeightsInPounds) {
  WeighInAndRestart(kToday - 3, 80, 1.5f);
  config.SetMetricSystem(false);
  const TDashboardView view = Show(kToday - 3);
  EXPECT_EQ(view.weight.lastWeighIn, "176 lbs");
  EXPECT_EQ(view.composition.perWeightTitle, "gr. per lbs");
}

TEST_F(DashboardTest, AnActiveWeightGoalShowsItsTargetOnTheDaysItAppliesTo) {
  WeighInAndRestart(kToday - 3, 80, 1.5f);
  TDBC& entry = store->GetOrCreateDayRecord(kWeightGoalStatKind, kToday - 2);
  TWeightGoalStat& goal = store->Loaded<TWeightGoalStat>(entry);
  goal.WeightGoalType = TWeightGoalType::Lose;
  goal.TargetWeight = 75;
  goal.TargetDate = kToday + 60;
  store->SaveDayRecord(entry);

  const TDashboardView view = Show(kToday);
  EXPECT_EQ(view.weight.targetWeight, "75 kg");
  EXPECT_EQ(view.weight.targetDate, "14 Aug 2007");
  EXPECT_EQ(view.weight.remaining, "60 days");
  EXPECT_EQ(view.plan.goalNote, "(lose weight)");
  // Before the goal was set it does not apply.
  EXPECT_EQ(Show(kToday - 3).weight.targetWeight, "Not Set");

  goal.WeightGoalType = TWeightGoalType::Maintain;
  goal.TargetDate = 0;
  store->SaveDayRecord(entry);
  const TDashboardView maintain = Show(kToday + 100);
  EXPECT_EQ(maintain.weight.targetWeight, "75 kg");
  EXPECT_EQ(maintain.weight.targetDate, "");
  EXPECT_EQ(maintain.weight.remaining, "");
}

TEST_F(DashboardTest, CalendarMarksShowColouredPhasesAndTheDaysRecords) {
  const auto phase = [&](TDateTime start, TDateTime end, TColorValue colour) {
    TDBC& entry = store->GetOrCreateDayRecord(kPhaseStatKind, start);
    TPhaseStat& p = store->Loaded<TPhaseStat>(entry);
    p.PEndDate = end;
    p.PColor = colour;
    p.PName = "phase";
    store->SaveDayRecord(entry);
  };
  phase(kToday - 20, kToday + 20, RgbColor(255, 0, 0));
  phase(kToday - 5, kToday, kNoColor);
  phase(kToday - 2, kToday - 1, RgbColor(0, 0, 255));
  PutWeighIn(kToday - 1, 80);
  const std::vector<TPhaseBand> bands = PhaseBands(*store);
  ASSERT_EQ(bands.size(), 2u);

  const TWorkoutQuery workouts = [&](TDateTime day) { return day == kToday - 1; };
  const TDayMarks busy = CalendarDrawFlags(*store, bands, kToday - 1 + 0.5, workouts);
  EXPECT_EQ(busy.bands, (std::vector<TColorValue>{RgbColor(255, 0, 0), RgbColor(0, 0, 255)}));
  EXPECT_TRUE(busy.weighIn);
  EXPECT_FALSE(busy.measurements);
  EXPECT_TRUE(busy.workout);
  const TDayMarks quiet = CalendarDrawFlags(*store, bands, kToday + 21, workouts);
  EXPECT_TRUE(quiet.bands.empty());
  EXPECT_FALSE(quiet.weighIn || quiet.workout);
}

}  // namespace
}  // namespace korvela
