#include <gtest/gtest.h>

#include "energy_fixture.h"

namespace korvela {
namespace {

using test::EnergyTest;

// Weighed in at 80 kg three days before today with a coefficient of 1.5;
// nothing logged since.
class Projection : public EnergyTest {
 protected:
  static constexpr TDateTime kWeighInDay = kToday - 3;

  Projection() { WeighInAndRestart(kWeighInDay, 80, 1.5f); }

  // The 2500 calorie day of the worked example moves the next day by its
  // balance of -424.2329 calories.
  static constexpr double kAfter2500 = 80 - 424.23292928 / 7700;
};

TEST_F(Projection, RestartTakesTheLatestWeighInAndProjectsToday) {
  EXPECT_EQ(model->LastWeighInWeight, 80);
  EXPECT_EQ(model->LatestWeighInWeight(), 80);
  EXPECT_EQ(model->CurrentActivityCoefficient, 1.5f);
  EXPECT_EQ(model->LatestWeighInDay(), kWeighInDay);
  // The days in between were created on the way; with nothing eaten each
  // weighs what the day before weighed.
  for (TDateTime day = kWeighInDay + 1; day <= kToday; ++day) {
    ASSERT_NE(FindCal(day), nullptr) << day;
    EXPECT_EQ(FindCal(day)->PW, 80) << day;
    EXPECT_EQ(FindCal(day)->AC, 1.5f) << day;  // saved inside the window
  }
  EXPECT_EQ(FindCal(kToday + 1), nullptr);
  EXPECT_FALSE(model->WeightDriftFlag);
}

TEST_F(Projection, ADaysBalanceMovesTheNextDayByOneKilogramPer7700Calories) {
  model->StoreFoodTotals(kWeighInDay, 0, 0, 625, 0);
  EXPECT_EQ(FindCal(kWeighInDay)->PW, 80);  // a day's own food leaves its own weight
  for (TDateTime day = kWeighInDay + 1; day <= kToday; ++day)
    EXPECT_NEAR(FindCal(day)->PW, kAfter2500, 1e-9) << day;
  EXPECT_FALSE(model->WeightDriftFlag);
}

TEST_F(Projection, TodaysFoodLeavesTodayAndYesterdaysMovesToday) {
  model->StoreFoodTotals(kToday, 0, 0, 625, 0);
  EXPECT_EQ(FindCal(kToday)->PW, 80);
  EXPECT_EQ(FindCal(kToday)->C, 625);

  model->StoreFoodTotals(kToday - 1, 0, 0, 625, 0);
  EXPECT_EQ(FindCal(kToday - 1)->PW, 80);
  EXPECT_NEAR(FindCal(kToday)->PW, kAfter2500, 1e-9);
}

TEST_F(Projection, FoodBeforeTheWeighInChangesNothing) {
  PutCal(kWeighInDay - 1, 81, 1.5f);
  model->StoreFoodTotals(kWeighInDay - 1, 0, 0, 2000, 0);
  for (TDateTime day = kWeighInDay; day <= kToday; ++day) EXPECT_EQ(FindCal(day)->PW, 80) << day;
}

TEST_F(Projection, AProjectionIsHeldAtFivePercentAndRaisesTheDriftFlag) {
  const struct {
    const char* what;
    double carbohydrate;
    std::vector<TSECERec> entries;
    double held;
  } cases[] = {
      {"a feast", 25000, {}, 84},                                  // 105 % of 80
      {"a day of hard work", 25, {{0, "Ride", 20, 1440, 0}}, 76},  // 95 % of 80
  };
  for (const auto& c : cases) {
    model->ClearFlags();
    TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, kToday - 1);
    store->Loaded<TCalStat>(entry).Entries = c.entries;
    model->StoreFoodTotals(kToday - 1, 0, 0, c.carbohydrate, 0);
    EXPECT_EQ(FindCal(kToday)->PW, c.held) << c.what;
    EXPECT_TRUE(model->WeightDriftFlag) << c.what;
  }
}

TEST_F(Projection, TodaysCheckRaisesTheFlagFromFivePercentOn) {
  const struct {
    double today;
    bool drifted;
  } cases[] = {{84, true}, {83.99, false}, {76, true}, {76.01, false}, {90, true}, {80, false}};
  for (const auto& c : cases) {
    model->ClearFlags();
    Cal(kToday).PW = c.today;
    model->CheckTodayProjection();
    EXPECT_EQ(model->WeightDriftFlag, c.drifted) << c.today;
    EXPECT_EQ(FindCal(kToday)->PW, c.today) << "a known weight is not projected again";
  }
}

TEST_F(Projection, TodaysCheckProjectsTodayWhenItHasNoWeight) {
  store->DeleteDayRecord(kCalStatKind, kToday);
  model->CheckTodayProjection();
  ASSERT_NE(FindCal(kToday), nullptr);
  EXPECT_EQ(FindCal(kToday)->PW, 80);
}

TEST_F(Projection, CoefficientIsGivenInsideTheWindowOnly) {
  model->CurrentActivityCoefficient = 1.7f;
  PutCal(kWeighInDay - 1, 80, 0);  // before the weigh-in
  PutCal(kToday - 1, 80, 0);       // inside the window
  TCalStat& before = Cal(kWeighInDay - 1);
  TCalStat& inside = Cal(kToday - 1);
  EXPECT_EQ(model->TotalDailyExpenditure(before), -1);
  EXPECT_EQ(before.AC, 0);
  EXPECT_NEAR(model->TotalDailyExpenditure(inside),
              TEnergyModel::MifflinRmr(30, false, 80, 180) * 1.7f * 1.0006272, 1e-6);
  EXPECT_EQ(inside.AC, 1.7f);
  // The expenditure saved the record itself.
  Reopen();
  EXPECT_EQ(FindCal(kToday - 1)->AC, 1.7f);
  EXPECT_EQ(FindCal(kWeighInDay - 1)->AC, 0);
}

TEST_F(Projection, SavingARecordOfTheWindowGivesItTheCoefficient) {
  model->CurrentActivityCoefficient = 1.7f;
  for (TDateTime day : {kWeighInDay - 1, kToday - 1}) {
    TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, day);
    store->Loaded<TCalStat>(entry).AC = 0;
    model->SaveCalRecord(entry);
  }
  // A day after today has no weight, so it keeps none either.
  TDBC& tomorrow = store->GetOrCreateDayRecord(kCalStatKind, kToday + 1);
  model->SaveCalRecord(tomorrow);
  Reopen();
  EXPECT_EQ(FindCal(kWeighInDay - 1)->AC, 0);
  EXPECT_EQ(FindCal(kToday - 1)->AC, 1.7f);
  EXPECT_EQ(FindCal(kToday + 1)->AC, 0);
  EXPECT_EQ(model->TotalDailyExpenditure(*FindCal(kWeighInDay - 1)), -1);
}

TEST_F(Projection, ProjectionFillsTheWindowAndNothingElse) {
  Cal(kWeighInDay - 1).PW = 70;
  PutEaten(kWeighInDay - 1, 9000);
  for (TDateTime day = kWeighInDay + 1; day <= kToday; ++day)
    store->DeleteDayRecord(kCalStatKind, day);

  model->ProjectWeights(kWeighInDay - 1, kToday);  // starts before the window: nothing
  EXPECT_EQ(FindCal(kToday), nullptr);
  model->ProjectWeights(kToday, kToday - 1);  // first after last: nothing
  EXPECT_EQ(FindCal(kToday), nullptr);
  model->ProjectWeights(kToday + 1, kToday + 1);  // after today: nothing
  EXPECT_EQ(FindCal(kToday + 1), nullptr);

  // From a day inside the window the walk reaches back to the weigh-in and
  // fills the gap; it stops at today.
  model->ProjectWeights(kToday, kToday + 5);
  for (TDateTime day = kWeighInDay + 1; day <= kToday; ++day) {
    ASSERT_NE(FindCal(day), nullptr) << day;
    EXPECT_EQ(FindCal(day)->PW, 80) << day;
  }
  EXPECT_EQ(FindCal(kToday + 1), nullptr);
  EXPECT_EQ(FindCal(kWeighInDay - 1)->PW, 70);
}

TEST_F(Projection, ProjectionStartsFromTheNearestKnownWeight) {
  Cal(kToday - 2).PW = 82;
  Cal(kToday - 1).PW = -1;
  model->ProjectWeights(kToday, kToday);
  EXPECT_EQ(FindCal(kToday - 1)->PW, 82);
  EXPECT_EQ(FindCal(kToday)->PW, 82);
  // From the weigh-in's own day the walk starts at the day after it.
  model->ProjectWeights(kWeighInDay, kToday);
  EXPECT_EQ(FindCal(kWeighInDay)->PW, 80);
  EXPECT_EQ(FindCal(kToday - 2)->PW, 80);
  EXPECT_EQ(FindCal(kToday)->PW, 80);
}

TEST_F(Projection, SavingTheActivityLogProjectsTheWholeWindowAndWritesIt) {
  TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, kWeighInDay);
  TCalStat& weighInDay = store->Loaded<TCalStat>(entry);
  weighInDay.C = 625;
  weighInDay.Entries = {{kWeighInDay + 0.5, "Swim", 8, 30, 0}};
  model->SaveCalRecord(entry);
  model->ActivityLogSaved();
  const double moved = FindCal(kToday)->PW;
  EXPECT_LT(moved, kAfter2500);
  EXPECT_NEAR(moved, 80 + model->CalorieBalance(weighInDay) / 7700, 1e-9);

  TDayRecordStore other(registry, *random);
  other.OpenDayRecords(folder.Path());
  // The text form keeps 15 significant digits.
  EXPECT_NEAR(other.Loaded<TCalStat>(*other.FindDayRecord(kCalStatKind, kToday)).PW, moved, 1e-12);
}

TEST_F(Projection, CurrentProjectedWeightProjectsAMissingTodayAndWritesIt) {
  store->DeleteDayRecord(kCalStatKind, kToday);
  store->FlushDayRecords();
  EXPECT_EQ(model->CurrentProjectedWeight(), 80);
  TDayRecordStore other(registry, *random);
  other.OpenDayRecords(folder.Path());
  ASSERT_NE(other.FindDayRecord(kCalStatKind, kToday), nullptr);
}

TEST_F(Projection, CurrentProjectedWeightFallsBackToTheWeighIn) {
  // The clock went back before the weigh-in: today is outside the window.
  clock.Set(kWeighInDay - 2);
  EXPECT_EQ(model->CurrentProjectedWeight(), 80);
  EXPECT_EQ(FindCal(kWeighInDay - 2)->PW, -1);
}

TEST_F(Projection, RestartWritesEverythingAndLoadsTheLastTwoMonths) {
  for (TDateTime day = EncodeDate(2007, 4, 10); day < kWeighInDay; ++day) PutCal(day, 80, 1.5f);
  clock.Set(kToday + 1 + 0.2);
  WeighInAndRestart(kToday + 1, 79, 1.6f);
  Reopen();
  model->RestartEnergyModel();
  // 16 June back two months is 16 April.
  EXPECT_EQ(store->FindDayRecord(kCalStatKind, EncodeDate(2007, 4, 15))->Record, nullptr);
  for (TDateTime day = EncodeDate(2007, 4, 16); day <= kToday + 1; ++day)
    EXPECT_NE(store->FindDayRecord(kCalStatKind, day)->Record, nullptr) << day;
  EXPECT_EQ(model->LastWeighInWeight, 79);
  EXPECT_EQ(model->CurrentActivityCoefficient, 1.6f);
}

TEST_F(Projection, TwoMonthsBeforeTheEndOfAMonthEndAtTheEndOfTheShorterMonth) {
  for (TDateTime day = EncodeDate(2007, 2, 20); day <= EncodeDate(2007, 3, 5); ++day)
    PutCal(day, 80, 1.5f);
  clock.Set(EncodeDate(2007, 4, 30));
  Reopen();
  model->RestartEnergyModel();
  EXPECT_EQ(store->FindDayRecord(kCalStatKind, EncodeDate(2007, 2, 27))->Record, nullptr);
  EXPECT_NE(store->FindDayRecord(kCalStatKind, EncodeDate(2007, 2, 28))->Record, nullptr);
}

TEST_F(Projection, AWeighInDayWithoutACoefficientGivesTheUsersDefault) {
  WeighInAndRestart(kToday, 79, 0);
  EXPECT_EQ(model->CurrentActivityCoefficient, 1.602f);  // a moderately active man
}

TEST_F(Projection, RestartAfterAFeastRaisesTheFlagAgain) {
  PutEaten(kToday - 1, 100000);
  model->ClearFlags();
  model->RestartEnergyModel();
  EXPECT_TRUE(model->WeightDriftFlag);
  EXPECT_FALSE(model->WeighInPromptShown);
  EXPECT_EQ(FindCal(kToday)->PW, 84);
}

TEST_F(EnergyTest, WithoutAnyWeighInNothingIsProjected) {
  model->RestartEnergyModel();
  EXPECT_EQ(model->LastWeighInWeight, -1);
  EXPECT_EQ(model->LatestWeighInWeight(), -1);
  EXPECT_FALSE(model->InProjectionWindow(kToday));
  EXPECT_EQ(model->CurrentProjectedWeight(), -1);
  EXPECT_EQ(model->CurrentRestingRate(), -1);
  EXPECT_EQ(FindCal(kToday)->PW, -1);
  EXPECT_FALSE(model->WeightDriftFlag);
}

TEST_F(Projection, WindowRunsFromTheWeighInDayThroughToday) {
  const struct {
    TDateTime day;
    bool inside;
  } cases[] = {{kWeighInDay - 0.01, false},
               {kWeighInDay, true},
               {kWeighInDay + 0.99, true},
               {kToday + 0.99, true},
               {kToday + 1, false}};
  for (const auto& c : cases) EXPECT_EQ(model->InProjectionWindow(c.day), c.inside) << c.day;
}

}  // namespace
}  // namespace korvela
