#include "nutrition/food_log_store.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <string>
#include <vector>

#include "energy/energy_fixture.h"
#include "nutrition/meal_definitions.h"
#include "nutrition/menus.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/record_salvage.h"
#include "support/faulty_file_system.h"

namespace korvela {
namespace {

class FoodLogStoreTest : public test::EnergyTest {
 protected:
  std::filesystem::path Current() const { return folder / "FDBC.DAT"; }
  std::filesystem::path Archive() const { return folder / "FDBA.DAT"; }

  TDaysMeals LogWithMilk(TDateTime day, Extended cups = 2) {
    TDaysMeals log = NewDayPlan(day, DefaultMealDefinitions());
    TWFoodItem milk;
    milk.Name = "Milk";
    milk.P = 3.5L;
    milk.F = 1;
    milk.C = 5;
    milk.weights = {{"cup", 1, 240}};
    milk.WI = 0;
    milk.WM = cups;
    milk.WMStr = "2";
    log.meals[0].foods.push_back(milk);
    return log;
  }

  void Save(TDateTime day) {
    TFoodLogStore store(folder.Path(), *random);
    TDaysMeals log = LogWithMilk(day);
    SaveDayLog(log, store, *model);
    store.Close();
  }

  // The days of the logs a file holds, in file order.
  std::vector<TDateTime> DaysIn(const std::filesystem::path& file) {
    XMLDB db(file, kFoodLogKind, *random);
    std::vector<TDateTime> days;
    for (const XMLHandle& h : db.Handles()) days.push_back(h.Date);
    return days;
  }
};

TEST_F(FoodLogStoreTest, ANewLogGoesToTheCurrentFileOnlyWhenRecent) {
  Save(kToday - 29);
  Save(kToday - 30);
  Save(kToday - 45);
  Save(kToday + 3);
  EXPECT_EQ(DaysIn(Current()), (std::vector<TDateTime>{kToday - 29, kToday + 3}));
  EXPECT_EQ(DaysIn(Archive()), (std::vector<TDateTime>{kToday - 30, kToday - 45}));
}

TEST_F(FoodLogStoreTest, AStoredLogIsReplacedInTheFileThatHoldsIt) {
  Save(kToday - 10);
  clock.Set(kToday + 40 + 0.5);  // forty days later, before any archiving pass
  Save(kToday - 10);
  EXPECT_EQ(DaysIn(Current()), (std::vector<TDateTime>{kToday - 10}));
  EXPECT_TRUE(DaysIn(Archive()).empty());

  Save(kToday - 50);  // into the archive; re-saving it keeps it there
  clock.Set(kToday + 0.5);
  Save(kToday - 50);
  EXPECT_EQ(DaysIn(Archive()), (std::vector<TDateTime>{kToday - 50}));
}

TEST_F(FoodLogStoreTest, SavingALogHandsItsTotalsToTheDaysCalorieRecord) {
  TFoodLogStore store(folder.Path(), *random);
  TDaysMeals log = LogWithMilk(kToday + 0.7);
  SaveDayLog(log, store, *model);
  EXPECT_EQ(log.ForDate, kToday);
  EXPECT_NEAR(FindCal(kToday)->P, 16.8, 1e-9);
  EXPECT_NEAR(FindCal(kToday)->C, 24, 1e-9);

  log.meals[0].foods.clear();
  SaveDayLog(log, store, *model);
  const TCalStat& cal = *FindCal(kToday);
  EXPECT_EQ(cal.P, 0);
  EXPECT_EQ(cal.F, 0);
  EXPECT_EQ(cal.C, 0);
  EXPECT_EQ(cal.A, 0);

  const std::optional<TDaysMeals> stored = store.LoadDayLog(kToday + 0.2);
  ASSERT_TRUE(stored.has_value());
  EXPECT_TRUE(stored->meals[0].foods.empty());
  EXPECT_FALSE(store.LoadDayLog(kToday - 1).has_value());
}

TEST_F(FoodLogStoreTest, SavingALogReprojectsTheDaysAfterIt) {
  WeighInAndRestart(kToday - 5, 80, 1.5f);
  model->ProjectWeights(kToday - 4, kToday);
  const double before = FindCal(kToday)->PW;
  TFoodLogStore store(folder.Path(), *random);
  TDaysMeals log = LogWithMilk(kToday - 3, 60);  // 60 cups of milk: a surplus
  SaveDayLog(log, store, *model);
  EXPECT_GT(FindCal(kToday)->PW, before);
}

TEST_F(FoodLogStoreTest, ACopyOfALogIsSavedAsAMenuNeverAsASecondLog) {
  TFoodLogStore store(folder.Path(), *random);
  TDaysMeals log = LogWithMilk(kToday);
  SaveDayLog(log, store, *model);

  TDaysMeals copy = CopyDayPlan(log);
  EXPECT_THROW(SaveDayLog(copy, store, *model), EInternalError);
  TMenuList menus(folder.Path(), *random);
  TDaysMeals& menu = menus.SaveMenu(std::make_unique<TDaysMeals>(std::move(copy)));
  EXPECT_NE(menu.ID, -1);
  store.Close();
  EXPECT_EQ(DaysIn(Current()).size(), 1u);
  EXPECT_EQ(menus.Menus().size(), 1u);
}

// Logs written in the order given straight into the current file.
class ArchivingTest : public FoodLogStoreTest {
 protected:
  void PutCurrent(const std::vector<int>& daysAgo) {
    XMLDB db(Current(), kFoodLogKind, *random);
    for (const int ago : daysAgo)
      db.Put(WriteFoodLogElement(LogWithMilk(kToday - ago)), kFoodLogID, kDataKey, kToday - ago);
    db.Save();
  }
  std::vector<int> AgesIn(const std::filesystem::path& file) {
    std::vector<int> ages;
    for (const TDateTime day : DaysIn(file)) ages.push_back(static_cast<int>(kToday - day));
    return ages;
  }
};

TEST_F(ArchivingTest, FromTheFirstLogOfSixtyDaysOnLogsOfThirtyDaysMove) {
  PutCurrent({40, 5, 61, 35, 29, 30, 90, 2});
  EXPECT_EQ(ArchiveOldFoodLogs(folder.Path(), kToday + 0.9, *random), 4);
  // 40 lies before the first log of 60 days and stays.
  EXPECT_EQ(AgesIn(Current()), (std::vector<int>{40, 5, 29, 2}));
  EXPECT_EQ(AgesIn(Archive()), (std::vector<int>{61, 35, 30, 90}));

  TFoodLogStore store(folder.Path(), *random);
  for (const int ago : {40, 5, 61, 35, 29, 30, 90, 2}) {
    const std::optional<TDaysMeals> log = store.LoadDayLog(kToday - ago);
    ASSERT_TRUE(log.has_value()) << ago;
    EXPECT_EQ(log->ForDate, kToday - ago);
    EXPECT_NEAR(static_cast<double>(DayTotals(*log).P), 16.8, 1e-9);
  }
}

TEST_F(ArchivingTest, NothingMovesBeforeALogIsSixtyDaysOld) {
  PutCurrent({59, 45, 30});
  EXPECT_EQ(ArchiveOldFoodLogs(folder.Path(), kToday, *random), 0);
  EXPECT_EQ(AgesIn(Current()), (std::vector<int>{59, 45, 30}));
  clock.Set(kToday + 1);
  EXPECT_EQ(ArchiveOldFoodLogs(folder.Path(), kToday + 1, *random), 3);
  EXPECT_TRUE(DaysIn(Current()).empty());
}

TEST_F(ArchivingTest, MovedLogsAreAppendedToTheArchiveUnchanged) {
  Save(kToday - 100);  // already in the archive
  PutCurrent({70});
  const std::string before = test::ReadBytes(Archive());
  ArchiveOldFoodLogs(folder.Path(), kToday, *random);
  const std::string after = test::ReadBytes(Archive());
  ASSERT_GT(after.size(), before.size());
  EXPECT_EQ(after.substr(0, before.size()), before);
  EXPECT_EQ(AgesIn(Archive()), (std::vector<int>{100, 70}));
}

TEST_F(ArchivingTest, ADamagedCurrentFileNamesItself) {
  test::WriteBytes(Current(), "not a database at all");
  try {
    ArchiveOldFoodLogs(folder.Path(), kToday, *random);
    FAIL() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_NE(e.File().find("FDBC.DAT"), std::string::npos);
  }
}

// The archive cut in half, a byte of a current log flipped, the current file
// one byte short: the pass stops before anything moves, names the damaged
// file and leaves both files as they were.
TEST_F(ArchivingTest, ADamagedSourceOrTargetStopsThePassAndChangesNeither) {
  const struct {
    const char* name;
    bool archive;  // the damaged file
    std::function<void(std::string&)> damage;
  } cases[] = {
      {"archive cut in half", true, [](std::string& b) { b.resize(b.size() / 2); }},
      {"current log byte flipped", false,
       [](std::string& b) { b[b.size() - 40] = static_cast<char>(b[b.size() - 40] ^ 1); }},
      {"current one byte short", false, [](std::string& b) { b.pop_back(); }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(Current());
    std::filesystem::remove(Archive());
    Save(kToday - 100);
    Save(kToday - 120);
    PutCurrent({70, 5, 65});
    const std::filesystem::path damaged = c.archive ? Archive() : Current();
    std::string bytes = test::ReadBytes(damaged);
    c.damage(bytes);
    test::WriteBytes(damaged, bytes);
    const std::string current = test::ReadBytes(Current());
    const std::string archive = test::ReadBytes(Archive());
    try {
      ArchiveOldFoodLogs(folder.Path(), kToday, *random);
      ADD_FAILURE() << "no error";
    } catch (const EXMLIOError& e) {
      EXPECT_EQ(e.File(), damaged.string()) << e.what();
    }
    EXPECT_EQ(test::ReadBytes(Current()), current);
    EXPECT_EQ(test::ReadBytes(Archive()), archive);
  }
}

// A pass cut short after writing the archive leaves its logs in both files,
// and no later pass need be due: the next pass drops the archived copies and
// the log the diary saved since, in the current file, stays.
TEST_F(ArchivingTest, ALogLeftInBothFilesKeepsOnlyItsCurrentCopy) {
  Save(kToday - 100);
  {
    XMLDB archive(Archive(), kFoodLogKind, *random);
    archive.Put(WriteFoodLogElement(LogWithMilk(kToday - 40)), kFoodLogID, kDataKey, kToday - 40);
    archive.Save();
  }
  TDaysMeals newer = LogWithMilk(kToday - 40);
  newer.MenuNotes = "saved again";
  {
    XMLDB current(Current(), kFoodLogKind, *random);
    current.Put(WriteFoodLogElement(newer), kFoodLogID, kDataKey, kToday - 40);
    current.Put(WriteFoodLogElement(LogWithMilk(kToday - 3)), kFoodLogID, kDataKey, kToday - 3);
    current.Save();
  }
  EXPECT_EQ(ArchiveOldFoodLogs(folder.Path(), kToday, *random), 0);
  EXPECT_EQ(AgesIn(Archive()), (std::vector<int>{100}));
  EXPECT_EQ(AgesIn(Current()), (std::vector<int>{40, 3}));
  TFoodLogStore store(folder.Path(), *random);
  const std::optional<TDaysMeals> log = store.LoadDayLog(kToday - 40);
  ASSERT_TRUE(log.has_value());
  EXPECT_EQ(log->MenuNotes, "saved again");
}

// The program killed at each write step of the pass: afterwards both files
// read whole, every log is found with its content, and the next pass ends
// with the logs where they belong.
TEST_F(ArchivingTest, AKillAtAnyWriteStepLosesNoLog) {
  const std::vector<int> ages = {70, 5, 65, 31, 2};
  test::TFaultyFileSystem fs;
  int step = 0;
  for (;; ++step) {
    std::filesystem::remove(Current());
    std::filesystem::remove(Archive());
    Save(kToday - 100);
    PutCurrent(ages);
    fs.KillAt(step);
    bool killed = false;
    try {
      ArchiveOldFoodLogs(folder.Path(), kToday, *random, fs);
    } catch (const EXMLIOError&) {
      killed = true;
    }
    EXPECT_EQ(killed, fs.Killed()) << step;
    fs.Disarm();
    for (const auto& file : {Current(), Archive()})
      EXPECT_TRUE(CheckRecordDatabase(file, kFoodLogKind, PosixFileSystem()).Sound())
          << step << " " << file;
    {
      TFoodLogStore store(folder.Path(), *random);
      for (const int ago : {100, 70, 5, 65, 31, 2}) {
        const std::optional<TDaysMeals> log = store.LoadDayLog(kToday - ago);
        ASSERT_TRUE(log.has_value()) << step << " " << ago;
        EXPECT_NEAR(static_cast<double>(DayTotals(*log).P), 16.8, 1e-9);
      }
    }
    ArchiveOldFoodLogs(folder.Path(), kToday, *random);
    EXPECT_EQ(AgesIn(Current()), (std::vector<int>{5, 2})) << step;
    // Each log once: a copy the cut left in both files is gone.
    std::vector<int> archived = AgesIn(Archive());
    std::sort(archived.begin(), archived.end());
    EXPECT_EQ(archived, (std::vector<int>{31, 65, 70, 100})) << step;
    if (!killed) break;
  }
  EXPECT_GE(step, 8);  // the archive and the current file, each written and renamed
  std::cout << "kill tests, archiving pass: " << step << " write steps killed, then a whole run\n";
}

}  // namespace
}  // namespace korvela
