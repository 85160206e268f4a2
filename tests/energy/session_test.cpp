#include <gtest/gtest.h>

#include "app/program.h"
#include "app/string_table.h"
#include "energy/cal_stat.h"
#include "energy/weight_stat.h"
#include "support/new_account.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

// The energy steps of opening a user's data, through the program as the
// account and login screens drive it.
class EnergySession : public ::testing::Test {
 protected:
  static constexpr TDateTime kCreationDay = 39248;  // 15 June 2007

  EnergySession() {
    TStringTable table(folder / kStringTableFileName, *random);
    table.PutString(kTitleString, "Korvela");
    table.Close();
    program = std::make_unique<TProgram>(folder.Path(), TSystemDefaults{}, clock, *random);
    program->Start();
  }


  TDayRecordStore& Records() { return program->Session()->DayRecords(); }
  TEnergyModel& Energy() { return program->Session()->Energy(); }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  TFixedClock clock{kCreationDay + 0.45};
  std::unique_ptr<TProgram> program;
};

TEST_F(EnergySession, NewAccountStartsWithTodaysWeighInAndCalorieRecord) {
  program->CreateAccount(test::AnnAccount());
  TDayRecordStore& records = Records();
  ASSERT_EQ(records.List(kCalStatKind).size(), 1u);
  ASSERT_EQ(records.List(kWeightStatKind).size(), 1u);
  TDBC& calEntry = *records.List(kCalStatKind).front();
  TDBC& weighInEntry = *records.List(kWeightStatKind).front();
  EXPECT_EQ(calEntry.Date, kCreationDay);
  EXPECT_EQ(weighInEntry.Date, kCreationDay);
  const TCalStat& cal = records.Loaded<TCalStat>(calEntry);
  EXPECT_EQ(cal.PW, 61.5);
  EXPECT_EQ(cal.AC, 1.638f);  // a heavily active woman
  EXPECT_EQ(records.Loaded<TWeightStat>(weighInEntry).W, 61.5);
  EXPECT_EQ(records.Loaded<TWeightStat>(weighInEntry).BFP, -1);

  EXPECT_EQ(Energy().LastWeighInWeight, 61.5);
  EXPECT_EQ(Energy().CurrentActivityCoefficient, 1.638f);
  EXPECT_FALSE(Energy().WeightDriftFlag);
  EXPECT_FALSE(Energy().WeighInPromptShown);
  EXPECT_EQ(Energy().CurrentProjectedWeight(), 61.5);

  // Both are on disk before anything else is written.
  TDayRecordStore other(program->Registry(), *random);
  other.OpenDayRecords(program->CurrentUser()->Folder);
  ASSERT_NE(other.FindDayRecord(kWeightStatKind, kCreationDay), nullptr);
  ASSERT_NE(other.FindDayRecord(kCalStatKind, kCreationDay), nullptr);
  EXPECT_EQ(other.Loaded<TCalStat>(*other.FindDayRecord(kCalStatKind, kCreationDay)).PW, 61.5);
}

TEST_F(EnergySession, LoggingInAgainTheSameDayFindsOneOfEach) {
  TUser& ann = program->CreateAccount(test::AnnAccount());
  program->LogOff();
  clock.Set(kCreationDay + 0.9);
  program->Login(ann);
  ASSERT_EQ(Records().List(kCalStatKind).size(), 1u);
  ASSERT_EQ(Records().List(kWeightStatKind).size(), 1u);
  EXPECT_EQ(Records().Loaded<TCalStat>(*Records().List(kCalStatKind).front()).PW, 61.5);
  EXPECT_EQ(Energy().LastWeighInWeight, 61.5);
  EXPECT_EQ(Energy().CurrentActivityCoefficient, 1.638f);
}

TEST_F(EnergySession, LoginDaysLaterProjectsTodayFromTheAccountsWeighIn) {
  TUser& ann = program->CreateAccount(test::AnnAccount());
  Energy().StoreFoodTotals(kCreationDay, 0, 0, 625, 0);  // 2500 calories
  const Extended balance = Energy().CalorieBalance(
      Records().Loaded<TCalStat>(*Records().FindDayRecord(kCalStatKind, kCreationDay)));
  program->LogOff();

  clock.Set(kCreationDay + 3 + 0.5);
  program->Login(ann);
  EXPECT_EQ(Records().List(kWeightStatKind).size(), 1u);
  ASSERT_EQ(Records().List(kCalStatKind).size(), 4u);
  TCalStat& today = Records().Loaded<TCalStat>(*Records().List(kCalStatKind).back());
  EXPECT_EQ(today.Owner->Date, kCreationDay + 3);
  EXPECT_NEAR(today.PW, 61.5 + balance / 7700, 1e-9);
  EXPECT_EQ(today.AC, 1.638f);
}

TEST_F(EnergySession, LoginRestartsAfterClearingTheFlagsSoADriftIsRaisedAgain) {
  TUser& ann = program->CreateAccount(test::AnnAccount());
  Energy().StoreFoodTotals(kCreationDay, 0, 0, 20000, 0);  // far beyond 5 % in one day
  program->LogOff();

  clock.Set(kCreationDay + 1 + 0.5);
  program->Login(ann);
  EXPECT_TRUE(Energy().WeightDriftFlag);
  EXPECT_FALSE(Energy().WeighInPromptShown);
  EXPECT_NEAR(Records().Loaded<TCalStat>(*Records().List(kCalStatKind).back()).PW, 1.05 * 61.5,
              1e-9);
}

}  // namespace
}  // namespace korvela
