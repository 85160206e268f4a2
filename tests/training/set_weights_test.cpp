#include <gtest/gtest.h>

#include "storage/date_time.h"
#include "training/rm_fractions.h"
#include "training/set_weights.h"
#include "training_fixture.h"

namespace korvela {
namespace {

class SetWeightsTest : public test::TrainingTest {
 protected:
  static constexpr TDateTime kDay = 39248;  // 15 June 2007

  TDrillPR Record(std::int32_t did, const char* weight, std::int32_t reps, std::int32_t unit,
                  std::uint8_t limb = kNoLimb) {
    TDrillPR r;
    r.DID = did;
    r.Limb = limb;
    r.Weight.Q = weight;
    r.Weight.M = unit;
    r.Reps = reps;
    return r;
  }
  void PutRecord(TDateTime day, const TDrillPR& r) {
    TDBC& entry = store->GetOrCreateDayRecord(kPRWrapperKind, day);
    store->Loaded<TPRWrapper>(entry).Records.push_back(r);
    store->SaveDayRecord(entry);
  }
  TDrillSet Line(std::int32_t did, const char* q, std::int32_t unit = kKilograms) {
    TDrillSet d = NewSetLine(config);
    d.DID = did;
    d.Weight.Q = q;
    d.Weight.M = unit;
    return d;
  }
  TWorkout Log(TDateTime day) {
    TWorkout w;
    w.Date = day;
    return w;
  }
};

TEST_F(SetWeightsTest, ReferenceRecordIsTheLatestValidOneBeforeTheWorkoutDay) {
  PutRecord(kDay - 10, Record(bench, "90", 5, kKilograms));
  PutRecord(kDay - 3, Record(bench, "", 5, kKilograms));  // not valid: no weight
  PutRecord(kDay - 3, Record(bench, "95", 3, kKilograms));
  PutRecord(kDay - 3, Record(bench, "97", 2, kKilograms));
  PutRecord(kDay, Record(bench, "120", 1, kKilograms));  // the workout's own day
  PutRecord(kDay - 1, Record(pullup, "", 12, kKilograms));
  Reopen();
  const TDrillSet line = Line(bench, "80%1RM");
  const auto ref = ReferenceRecord(*store, dictionary, Log(kDay), line);
  ASSERT_TRUE(ref);
  EXPECT_EQ(ref->Weight.Q, "95");
  EXPECT_FALSE(ReferenceRecord(*store, dictionary, TWorkout{}, line)) << "a template";
  EXPECT_EQ(ReferenceRecord(*store, dictionary, Log(kDay - 5), line)->Weight.Q, "90");
  EXPECT_FALSE(ReferenceRecord(*store, dictionary, Log(kDay - 10), line));
}

TEST_F(SetWeightsTest, ReferenceRecordMatchesTheLimb) {
  PutRecord(kDay - 2, Record(row, "40", 5, kKilograms, kLeftLimb));
  PutRecord(kDay - 4, Record(row, "42", 5, kKilograms, kRightLimb));
  PutRecord(kDay - 1, Record(row, "50", 5, kKilograms, kNoLimb));  // no limb: not valid
  TDrillSet right = Line(row, "8RM");
  right.Limb = kRightLimb;
  EXPECT_EQ(ReferenceRecord(*store, dictionary, Log(kDay), right)->Weight.Q, "42");
}

TEST_F(SetWeightsTest, OneRMEstimateConvertsUnitsAndNeedsARepetitionMaximum) {
  const long double f5 = RMFraction(5);
  EXPECT_EQ(OneRMEstimate(config, Record(bench, "100", 5, kKilograms), kKilograms), 100 / f5);
  EXPECT_NEAR(
      static_cast<double>(OneRMEstimate(config, Record(bench, "100", 5, kKilograms), kPounds)),
      static_cast<double>(100 / f5 * 2.2L), 1e-9);
  EXPECT_NEAR(
      static_cast<double>(OneRMEstimate(config, Record(bench, "220", 1, kPounds), kKilograms)), 100,
      1e-9);
  EXPECT_EQ(OneRMEstimate(config, Record(bench, "100", 0, kKilograms), kKilograms), -1);
  EXPECT_EQ(OneRMEstimate(config, Record(bench, "100", 21, kKilograms), kKilograms), -1);
  EXPECT_EQ(OneRMEstimate(config, Record(bench, "heavy", 5, kKilograms), kKilograms), -1);
  EXPECT_EQ(OneRMEstimate(config, Record(bench, "", 5, kKilograms), kKilograms), -1);
}

TEST_F(SetWeightsTest, DisplayTextResolvesRelativeWeights) {
  const std::optional<TDrillPR> ref = Record(bench, "100", 1, kKilograms);
  const std::optional<TDrillPR> none;
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "80%1RM"), ref), "80 kg");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "80%1RM", kPounds), ref), "176 lbs");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "62.5"), ref), "62.5 kg");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "80%1RM"), none), "80%1RM");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "62.5"), none), "62.5 kg");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "8RM+10"), none), "8RM+10 kg");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, ""), none), "");
  EXPECT_EQ(WeightDisplayText(config, Line(bench, "80%1RM"), Record(bench, "100", 0, kKilograms)),
            "80%1RM");
  EXPECT_EQ(ResolvedWeight(config, Line(bench, "80%1RM"), none), -1);
}

TEST_F(SetWeightsTest, CopiedRelativeLinesTakeTheUsersUnit) {
  config.SetMetricSystem(false);
  TDrillSet relative = Line(bench, "80%1RM", kKilograms);
  TDrillSet absolute = Line(bench, "100", kKilograms);
  NormalizeCopiedLineUnit(config, relative);
  NormalizeCopiedLineUnit(config, absolute);
  EXPECT_EQ(relative.Weight.M, kPounds);
  EXPECT_EQ(absolute.Weight.M, kKilograms);
}

TEST_F(SetWeightsTest, TypedWeightsSwitchUnitsAndRefuseTooMuch) {
  TDrillSet line = Line(bench, "50", kPounds);
  const std::optional<TDrillPR> none;
  EXPECT_TRUE(AcceptTypedWeight(config, line, "100 kg", true, none));
  EXPECT_EQ(line.Weight, (TWeightWrap{"100", kKilograms}));
  EXPECT_TRUE(AcceptTypedWeight(config, line, "100 lbs", true, none));
  EXPECT_EQ(line.Weight, (TWeightWrap{"100", kPounds}));
  EXPECT_TRUE(AcceptTypedWeight(config, line, "72.50K", true, none));
  EXPECT_EQ(line.Weight, (TWeightWrap{"72.5", kKilograms}));
  EXPECT_FALSE(AcceptTypedWeight(config, line, "2001 lbs", true, none));
  EXPECT_EQ(line.Weight, (TWeightWrap{"72.5", kKilograms}));
  EXPECT_FALSE(AcceptTypedWeight(config, line, "80%", true, none));
  EXPECT_FALSE(AcceptTypedWeight(config, line, "80%1RM", true, none));
  EXPECT_EQ(line.Weight, (TWeightWrap{"72.5", kKilograms}));
}

TEST_F(SetWeightsTest, ARelativeEntryIsKeptInATemplateAndResolvedInALog) {
  TDrillSet templateLine = Line(bench, "", kKilograms);
  EXPECT_TRUE(AcceptTypedWeight(config, templateLine, " 80%5RM ", false, std::nullopt));
  EXPECT_EQ(templateLine.Weight.Q, "80%5RM");
  EXPECT_TRUE(AcceptTypedWeight(config, templateLine, "8RM", false, std::nullopt));
  EXPECT_EQ(templateLine.Weight.Q, "8RM");
  EXPECT_FALSE(AcceptTypedWeight(config, templateLine, "80%", false, std::nullopt));

  TDrillSet logLine = Line(bench, "", kKilograms);
  const std::optional<TDrillPR> ref = Record(bench, "100", 5, kKilograms);
  EXPECT_TRUE(AcceptTypedWeight(config, logLine, "80%5RM", true, ref));
  EXPECT_EQ(logLine.Weight.Q, "80");
  EXPECT_FALSE(
      AcceptTypedWeight(config, logLine, "80%5RM", true, Record(bench, "100", 0, kKilograms)));
  EXPECT_EQ(logLine.Weight.Q, "80");
}

TEST_F(SetWeightsTest, NamesShowTheLimbOfUnilateralExercisesOnly) {
  EXPECT_EQ(NameWithLimb(dictionary, row, kLeftLimb), "One-Arm Row(Left)");
  EXPECT_EQ(NameWithLimb(dictionary, row, kRightLimb), "One-Arm Row(Right)");
  EXPECT_EQ(NameWithLimb(dictionary, row, kNoLimb), "One-Arm Row(Right)");
  EXPECT_EQ(NameWithLimb(dictionary, bench, kLeftLimb), "Bench Press");
  EXPECT_EQ(NameWithLimb(dictionary, 123456, kLeftLimb), "");
}

TEST_F(SetWeightsTest, TypedDistancesTakeTheirUnitFromTheSuffix) {
  TDrillSet line = NewSetLine(config);
  const struct {
    const char* text;
    bool metric;
    bool accepted;
    long double q;
    std::int32_t unit;
  } cases[] = {
      {"5 km", true, true, 5, kKm},     {"5 m", true, true, 5, kMeter},
      {"5 m", false, true, 5, kMile},   {"400me", false, true, 400, kMeter},
      {"3 mi", true, true, 3, kMile},   {"12in", true, true, 12, kInch},
      {"10 yd", true, true, 10, kYard}, {"6 ft", true, true, 6, kFoot},
      {"30cm", true, true, 30, kCm},    {"100+50", true, true, 150, kCm},
      {"0", true, false, 150, kCm},     {"100001", true, false, 150, kCm},
      {"0 km", true, false, 150, kCm},  {"abc", true, false, 150, kCm},
      {"7 xyz", true, true, 7, kCm},
  };
  for (const auto& c : cases) {
    config.SetMetricSystem(c.metric);
    EXPECT_EQ(AcceptTypedDistance(config, line, c.text), c.accepted) << c.text;
    EXPECT_EQ(line.Dist.Q, c.q) << c.text;
    EXPECT_EQ(line.Dist.M, c.unit) << c.text;
  }
}

}  // namespace
}  // namespace korvela
