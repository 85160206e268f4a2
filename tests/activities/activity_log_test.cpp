#include <gtest/gtest.h>

#include <memory>

#include "activities/activity_log.h"
#include "app/program.h"
#include "support/new_account.h"
#include "support/temp_folder.h"
#include "users/clock.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr TDateTime kToday = 39248;  // 15 June 2007, Ann's account is made then

class TActivityLogTest : public ::testing::Test {
 protected:
  TActivityLogTest() {
    program.CreateAccount(test::AnnAccount());
    clock.Set(kToday + 5 + 0.5);
  }
  TDayRecordStore& Records() { return program.Session()->DayRecords(); }
  TEnergyModel& Energy() { return program.Session()->Energy(); }
  TCalStat* Stored(TDateTime day) {
    TDBC* entry = Records().FindDayRecord(kCalStatKind, day);
    return entry ? &Records().Loaded<TCalStat>(*entry) : nullptr;
  }
  // A workout entry of the training log, stored the way that log stores it.
  void StoreWorkout(TDateTime day) {
    TDBC& entry = Records().GetOrCreateDayRecord(kCalStatKind, day);
    TSECERec workout;
    workout.Time = 0.25;
    workout.Name = "Leg day";
    workout.MET = 6;
    workout.Dur = 50;
    workout.Type = 1;
    Records().Loaded<TCalStat>(entry).Entries.push_back(workout);
    Energy().SaveCalRecord(entry);
  }

  test::TTempFolder folder;
  TFixedClock clock{kToday + 0.4};
  std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  TProgram program{folder.Path(), TSystemDefaults{}, clock, *random};
};

TEST_F(TActivityLogTest, LoggingIntoTwoDaysIsWrittenByOneSaveKeepingWorkouts) {
  StoreWorkout(kToday + 2);
  TActivityLog log(Records(), Energy(), kToday + 2);
  log.Log(0.75, "Running", 8, 40);
  log.SetDay(kToday + 3);
  EXPECT_EQ(log.Rate(), static_cast<double>(Energy().RestingRateForDay(kToday + 3)));
  log.Log(0.5, "Swimming", 6, 30);
  log.Log(0.6, "Walking", 3.5, 20);
  EXPECT_TRUE(log.SaveEnabled());
  // Nothing is stored before the save.
  EXPECT_EQ(Stored(kToday + 2)->Entries.size(), 1u);
  EXPECT_TRUE(Stored(kToday + 3) == nullptr || Stored(kToday + 3)->Entries.empty());

  log.SaveChanges();
  EXPECT_FALSE(log.HasPending());
  EXPECT_FALSE(log.SaveEnabled());

  const TCalStat* second = Stored(kToday + 2);
  ASSERT_EQ(second->Entries.size(), 2u);
  EXPECT_EQ(second->Entries[0].Type, 1);  // the workout, unchanged
  EXPECT_EQ(second->Entries[0].Name, "Leg day");
  EXPECT_EQ(second->Entries[1].Name, "Running");
  EXPECT_EQ(second->Entries[1].Type, 0);
  EXPECT_EQ(second->Entries[1].Dur, 40);
  ASSERT_EQ(Stored(kToday + 3)->Entries.size(), 2u);
  // The save projects the window through today.
  ASSERT_NE(Stored(kToday + 5), nullptr);
  EXPECT_NE(Stored(kToday + 5)->PW, -1);

  // The log shows only its own entries.
  log.SetDay(kToday + 2);
  ASSERT_EQ(log.Logged().size(), 1u);
  EXPECT_EQ(log.Logged()[0].Name, "Running");
}

TEST_F(TActivityLogTest, ExerciseOfASavedDayMovesTheFollowingProjection) {
  Energy().StoreFoodTotals(kToday + 1, 100, 70, 250, 0);
  const double before = Stored(kToday + 2)->PW;
  TActivityLog log(Records(), Energy(), kToday + 1);
  log.Log(0.5, "Running", 10, 60);
  log.SaveChanges();
  EXPECT_LT(Stored(kToday + 2)->PW, before);
}

TEST_F(TActivityLogTest, RowsShowTimeNameMinutesAndCalories) {
  TActivityLog log(Records(), Energy(), kToday + 1);
  log.Log(0.75, "Cycling", 1.0, 60);
  const std::vector<TLoggedRow> rows = log.LoggedRows(program.Config());
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].activity, "18:00 Cycling");
  EXPECT_EQ(rows[0].duration, "60 min");
  const double rate = log.Rate();
  EXPECT_EQ(rows[0].burned, FormatNumber(program.Config(), rate / 24, 0) + " cal");
  EXPECT_EQ(rows[0].added, "0 cal");  // MET 1.0 adds nothing
}

TEST_F(TActivityLogTest, UnloggingDoesNotEnableSavingButOkStillSaves) {
  StoreWorkout(kToday + 1);
  {
    TActivityLog log(Records(), Energy(), kToday + 1);
    log.Log(0.5, "Rowing", 7, 20);
    log.SaveChanges();
  }
  TActivityLog log(Records(), Energy(), kToday + 1);
  ASSERT_EQ(log.Logged().size(), 1u);
  log.Unlog(0);
  EXPECT_TRUE(log.Logged().empty());
  EXPECT_TRUE(log.HasPending());
  EXPECT_FALSE(log.SaveEnabled());
  EXPECT_FALSE(log.AsksOnClose());
  // OK saves the pending day even so.
  log.SaveChanges();
  ASSERT_EQ(Stored(kToday + 1)->Entries.size(), 1u);
  EXPECT_EQ(Stored(kToday + 1)->Entries[0].Type, 1);

  log.Log(0.5, "Rowing", 7, 20);
  EXPECT_TRUE(log.AsksOnClose());
  log.Discard();
  EXPECT_FALSE(log.HasPending());
  EXPECT_TRUE(log.Logged().empty());
}

TEST_F(TActivityLogTest, UnlogQuestionText) {
  EXPECT_EQ(UnlogQuestion("Rowing"), "Do you really want to delete(unlog)  Rowing ?");
}

}  // namespace
}  // namespace korvela
