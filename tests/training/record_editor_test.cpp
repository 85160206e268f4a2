#include <gtest/gtest.h>

#include "training/record_editor.h"
#include "training/record_history.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

TEST(RecordEditorTest, TimePickerTextsReadBack) {
  struct Case {
    int seconds;
    const char* text;
  };
  // An hour or more keeps counting minutes instead of being refused.
  const Case cases[] = {
      {0, "00:00"},    {1, "00:01"},    {90, "01:30"},     {3599, "59:59"},
      {3600, "60:00"}, {4500, "75:00"}, {36061, "601:01"}, {kMaxRecordSeconds, "1439:59"}};
  for (const Case& c : cases) {
    EXPECT_EQ(MinutesSecondsText(c.seconds), c.text);
    EXPECT_EQ(ParseMinutesSeconds(c.text), c.seconds) << c.text;
    // The record keeps the time as a fraction of a day and lists the same text.
    EXPECT_EQ(RecordTimeText(TimeFromSeconds(c.seconds)), c.text);
  }
  EXPECT_EQ(MinutesSecondsText(kMaxRecordSeconds + 1), "1439:59");
  EXPECT_EQ(MinutesSecondsText(-5), "00:00");
  EXPECT_EQ(ParseMinutesSeconds("5:07"), 307);
  for (const char* bad : {"", ":", "5", "5:7", "5:60", "05:007", "a5:00", "-1:00", " 5:00",
                          "1440:00", "99999:00", "12:3x"})
    EXPECT_FALSE(ParseMinutesSeconds(bad)) << bad;
}

TEST(RecordEditorTest, AnotherExerciseStartsTheRecordAfresh) {
  TConfigurator config;
  config.SetMetricSystem(false);
  TDrillPR record = NewRecord(config, 39248.0);
  EXPECT_EQ(record.Weight.M, kPounds);
  EXPECT_EQ(record.Dist.M, kMile);
  config.SetMetricSystem(true);
  EXPECT_EQ(NewRecord(config, 39248.0).Weight.M, kKilograms);
  EXPECT_EQ(record.DID, -1);
  EXPECT_EQ(record.Limb, kNoLimb);
  EXPECT_EQ(record.Date, 39248.0);
  ChooseRecordExercise(record, 7);
  record.Limb = kRightLimb;
  record.Weight.Q = "100";
  record.Reps = 5;
  record.Time = 0.01;
  record.Dist.Q = 3;
  record.Notes = "felt easy";
  const TDrillPR filled = record;
  ChooseRecordExercise(record, 7);
  EXPECT_EQ(record, filled);
  ChooseRecordExercise(record, 8);
  EXPECT_EQ(record.DID, 8);
  EXPECT_EQ(record.Limb, kNoLimb);
  EXPECT_TRUE(record.Weight.Q.empty());
  EXPECT_EQ(record.Reps, -1);
  EXPECT_EQ(record.Time, -1);
  EXPECT_FALSE(record.Dist.IsSet());
  EXPECT_EQ(record.Date, 39248.0);
  EXPECT_EQ(record.Notes, "felt easy");
}

TEST(RecordEditorTest, DeleteQuestionNamesTheExercise) {
  EXPECT_EQ(RecordDeleteQuestion("Bench Press"),
            "Do you really want to delete the Bench Press Record?");
}

}  // namespace
}  // namespace korvela
