#include <gtest/gtest.h>

#include "storage/date_time.h"
#include "training/record_history.h"
#include "training_fixture.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

class RecordHistoryTest : public test::TrainingTest {
 protected:
  static constexpr TDateTime kDay = 39248;  // 15 June 2007

  TDrillPR Weight(std::int32_t did, const char* weight, std::int32_t reps, TDateTime day,
                  std::uint8_t limb = kNoLimb) {
    TDrillPR r;
    r.DID = did;
    r.Weight.Q = weight;
    r.Reps = reps;
    r.Date = day;
    r.Limb = limb;
    return r;
  }
  std::vector<std::string> Names(std::string_view filter = "") {
    std::vector<std::string> names;
    for (const TRecordRow& row : RecordHistory(*store, dictionary, config, filter))
      names.push_back(row.Name + " | " + row.Date + " | " + row.Result);
    return names;
  }
};

TEST_F(RecordHistoryTest, StoringReplacesTheSameExerciseAndLimbOfTheDay) {
  StoreRecord(*store, Weight(bench, "100", 5, kDay));
  StoreRecord(*store, Weight(row, "30", 8, kDay, kLeftLimb));
  StoreRecord(*store, Weight(row, "32", 8, kDay, kRightLimb));
  StoreRecord(*store, Weight(bench, "105", 3, kDay));
  StoreRecord(*store, Weight(bench, "90", 5, kDay - 30));
  Reopen();
  EXPECT_EQ(Names(), (std::vector<std::string>{
                         "Bench Press | 16 May 2007 | 5 reps x 90 kg",
                         "One-Arm Row(Left) | 15 June 2007 | 8 reps x 30 kg",
                         "One-Arm Row(Right) | 15 June 2007 | 8 reps x 32 kg",
                         "Bench Press | 15 June 2007 | 3 reps x 105 kg",
                     }));
  EXPECT_EQ(Names("row").size(), 2u);
  EXPECT_EQ(Names("press bench").size(), 2u);
  EXPECT_EQ(Names("bench squat").size(), 0u);
}

TEST_F(RecordHistoryTest, RemovingTheLastRecordOfADayDropsTheDay) {
  StoreRecord(*store, Weight(bench, "100", 5, kDay));
  StoreRecord(*store, Weight(pullup, "", 12, kDay + 1));
  const auto rows = RecordHistory(*store, dictionary, config, "");
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[1].Result, "12 repetitions");
  // Moving the first record to another day: remove, then store the copy.
  TDrillPR moved = rows[0].Record;
  moved.Date = kDay + 1;
  RemoveRecord(*store, rows[0].Day, rows[0].Position);
  StoreRecord(*store, moved);
  EXPECT_FALSE(store->FindDayRecord(kPRWrapperKind, kDay));
  Reopen();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Pullups | 16 June 2007 | 12 repetitions",
                                               "Bench Press | 16 June 2007 | 5 reps x 100 kg"}));
}

TEST_F(RecordHistoryTest, InvalidRecordsStayStoredButAreNotListed) {
  StoreRecord(*store, Weight(bench, "100", -1, kDay));  // no repetitions
  StoreRecord(*store, Weight(row, "30", 8, kDay));      // no limb for a one-arm exercise
  StoreRecord(*store, Weight(9999, "30", 8, kDay));     // unknown exercise
  EXPECT_TRUE(Names().empty());
  EXPECT_EQ(store->Loaded<TPRWrapper>(*store->FindDayRecord(kPRWrapperKind, kDay)).Records.size(),
            3u);
}

TEST_F(RecordHistoryTest, DescriptionsByKind) {
  TDrillPR r;
  r.Time = TimeFromSeconds(90);
  EXPECT_EQ(RecordDescription(config, *dictionary.Find(plank), r), "01:30");
  r.Time = TimeFromSeconds(4500);
  EXPECT_EQ(RecordDescription(config, *dictionary.Find(plank), r), "75:00");
  r.Dist.Q = 5;
  r.Dist.M = kKm;
  r.Time = TimeFromSeconds(1500);
  EXPECT_EQ(RecordDescription(config, *dictionary.Find(run), r), "5 km in 25:00");
  r.Dist.Q = 1;
  r.Dist.M = kMile;
  EXPECT_EQ(RecordDescription(config, *dictionary.Find(jump), r), "1 mile");
}

TEST_F(RecordHistoryTest, EditorEntryIsCheckedFieldByField) {
  struct Case {
    std::int32_t* drill;
    TRecordEntry entry;
    std::optional<TRecordField> refused;
  };
  const auto entry = [](const char* weight, const char* reps, int seconds, const char* dist) {
    TRecordEntry e;
    e.Weight = weight;
    e.Reps = reps;
    e.Seconds = seconds;
    e.Distance = dist;
    return e;
  };
  const Case cases[] = {
      {&bench, entry(" 100.5 ", "5", 0, ""), std::nullopt},
      {&bench, entry("", "5", 0, ""), TRecordField::Weight},
      {&bench, entry("0", "5", 0, ""), TRecordField::Weight},
      {&bench, entry("80%1RM", "5", 0, ""), TRecordField::Weight},
      {&bench, entry("100", "", 0, ""), TRecordField::Reps},
      {&bench, entry("100", "2.5", 0, ""), TRecordField::Reps},
      {&pullup, entry("", "0", 0, ""), TRecordField::Reps},
      {&plank, entry("", "", 0, ""), TRecordField::Time},
      {&plank, entry("", "", 61, ""), std::nullopt},
      {&run, entry("", "", 0, "5"), TRecordField::Time},
      {&run, entry("", "", 60, "-1"), TRecordField::Distance},
      {&jump, entry("", "", 0, "6,5"), std::nullopt},
      {&jump, entry("", "", 0, "far"), TRecordField::Distance},
  };
  config.SetFloatingChar(',');
  for (const Case& c : cases) {
    TDrillPR r;
    r.DID = *c.drill;
    const auto problem = FillRecord(config, *dictionary.Find(*c.drill), c.entry, r);
    EXPECT_EQ(problem ? std::optional(problem->Field) : std::nullopt, c.refused)
        << c.entry.Weight << "/" << c.entry.Reps << "/" << c.entry.Distance;
    if (!problem) {
      EXPECT_TRUE(IsValidRecord(r, dictionary)) << c.entry.Weight;
    }
  }
  TDrillPR r;
  r.DID = bench;
  EXPECT_FALSE(FillRecord(config, *dictionary.Find(bench), entry(" 100.5 ", "5", 0, ""), r));
  EXPECT_EQ(r.Weight.Q, "100.5");
  EXPECT_EQ(r.Reps, 5);
  EXPECT_EQ(FillRecord(config, *dictionary.Find(plank), entry("", "", 0, ""), r)->Message,
            "Please, enter a valid time(duration)");
  TRecordEntry right = entry("30", "8", 0, "");
  right.Right = true;
  r.DID = row;
  EXPECT_FALSE(FillRecord(config, *dictionary.Find(row), right, r));
  EXPECT_EQ(r.Limb, kRightLimb);
}

}  // namespace
}  // namespace korvela
