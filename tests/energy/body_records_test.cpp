#include <gtest/gtest.h>

#include <cmath>

#include "energy/body_records.h"
#include "energy_fixture.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

std::unique_ptr<XMLNode> ParseText(const std::string& text) {
  return XMLNode::Parse(text.data(), text.size());
}

// Sleep, appetite, pulse, energy, performance, desire.
TRecovery Rated(double hours, std::array<std::int32_t, 6> r, bool colds = false) {
  TRecovery rec;
  rec.HSlept = hours;
  rec.RColds = colds ? kColdsReported : -1;
  rec.RSleep = r[0];
  rec.RApetite = r[1];
  rec.RPulse = r[2];
  rec.REnergy = r[3];
  rec.RPerformance = r[4];
  rec.RDesire = r[5];
  return rec;
}

TEST(RecoveryScore, SevenAndAHalfHoursWithPulseNotKnownUsesSevenValues) {
  const Extended score = RecoveryScore(Rated(7.5, {1, 1, 0, 1, 1, 1}));
  // (9.5 - 7.5) / 1.5 = 1.333..., colds 0, five ratings of 1.
  EXPECT_NEAR(static_cast<double>(score), 5 - std::sqrt((16.0 / 9 + 5) / 7), 1e-12);
  EXPECT_NEAR(static_cast<double>(score), 4.016, 0.0005);
}

TEST(RecoveryScore, PulseInTheNormalRangeAddsZeroAsAnEighthValue) {
  const Extended score = RecoveryScore(Rated(7.5, {1, 1, 1, 1, 1, 1}));
  EXPECT_NEAR(static_cast<double>(score), 5 - std::sqrt((16.0 / 9 + 5) / 8), 1e-12);
  // "higher than usual" (3) adds 2.
  EXPECT_NEAR(static_cast<double>(RecoveryScore(Rated(7.5, {1, 1, 3, 1, 1, 1}))),
              5 - std::sqrt((16.0 / 9 + 5 + 4) / 8), 1e-12);
}

TEST(RecoveryScore, PerfectDayScoresFiveAndColdsAddTwo) {
  EXPECT_EQ(RecoveryScore(Rated(9.5, {0, 0, 1, 0, 0, 0})), 5);
  EXPECT_EQ(RecoveryScore(Rated(12, {0, 0, 1, 0, 0, 0})), 5);  // hours count up to 9.5
  EXPECT_NEAR(static_cast<double>(RecoveryScore(Rated(9.5, {0, 0, 1, 0, 0, 0}, true))),
              5 - std::sqrt(4.0 / 8), 1e-12);
  // The worst day: no sleep, every rating at its end, colds.
  EXPECT_NEAR(static_cast<double>(RecoveryScore(Rated(0, {4, 4, 4, 4, 4, 4}, true))),
              5 - std::sqrt((std::pow(9.5 / 1.5, 2) + 4 + 5 * 16 + 9) / 8), 1e-12);
}

TEST(RecoveryScore, UnknownWithoutHoursOrWithAMissingRating) {
  EXPECT_EQ(RecoveryScore(Rated(-1, {1, 1, 1, 1, 1, 1})), -1);
  for (std::size_t missing = 0; missing < 6; ++missing) {
    std::array<std::int32_t, 6> ratings = {1, 1, 1, 1, 1, 1};
    ratings[missing] = -1;
    EXPECT_EQ(RecoveryScore(Rated(8, ratings)), -1) << missing;
    ratings[missing] = 5;  // off the scale, as only a damaged file holds it
    EXPECT_EQ(RecoveryScore(Rated(8, ratings)), -1) << missing;
  }
}

TEST(MeasurementForm, OnlyMeasuredSitesAreWrittenInTheirOrder) {
  TMeasureStat m(nullptr);
  m[TMeasureSite::RCalf] = 38.5;
  m[TMeasureSite::Neck] = 40;
  m[TMeasureSite::Waist] = 82.25;
  const std::string text = m.Write()->ToText();
  EXPECT_EQ(text,
            "<SMeasurements Neck=\" 4.00000000000000E+0001\" Waist=\" 8.22500000000000E+0001\""
            " RCalf=\" 3.85000000000000E+0001\">\r\n</SMeasurements>\r\n");
  TMeasureStat read(nullptr);
  read.Sites.fill(7);
  read.Read(*ParseText(text));
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i) EXPECT_EQ(read.Sites[i], m.Sites[i]) << i;
  EXPECT_FALSE(read.IsEmpty());
  EXPECT_TRUE(TMeasureStat(nullptr).IsEmpty());
}

TEST(PhaseForm, AttributesInOrderAndMissingNotesReadEmpty) {
  TPhaseStat p(nullptr);
  p.PColor = RgbColor(0, 128, 255);
  p.PEndDate = EncodeDate(2007, 8, 31);
  p.PName = "Cutting Phase";
  p.PNotes = "Lose 4 kg & keep strength";
  EXPECT_EQ(p.Write()->ToText(),
            "<SPhase PColor=\"16744448\" PEndDate=\" 3.93250000000000E+0004\""
            " PName=\"Cutting Phase\" PNotes=\"Lose 4 kg &amp; keep strength\">\r\n</SPhase>\r\n");

  TPhaseStat read(nullptr);
  read.PNotes = "left over";
  read.Read(
      *ParseText("<SPhase PColor=\"-16777203\" PEndDate=\"39325\" PName=\"X\">\r\n</SPhase>\r\n"));
  EXPECT_EQ(read.PColor, SystemColor(13));  // system colours are negative when stored
  EXPECT_EQ(read.PEndDate, 39325);
  EXPECT_EQ(read.PName, "X");
  EXPECT_EQ(read.PNotes, "");
  EXPECT_EQ(TPhaseStat(nullptr).PColor, kNoColor);
}

TEST(RecoveryForm, AllFieldsWrittenAndAMissingWakeUpTimeReadsHalfPastSix) {
  TRecoveryStat r(nullptr);
  static_cast<TRecovery&>(r) = Rated(7.5, {1, 2, 0, 3, 4, 0}, true);
  r.RWakeUpTime = 7.25 / 24;
  const std::string text = r.Write()->ToText();
  EXPECT_EQ(text,
            "<SRecovery HSlept=\" 7.50000000000000E+0000\" RColds=\"2\" RSleep=\"1\""
            " RApetite=\"2\" RPulse=\"0\" REnergy=\"3\" RPerformance=\"4\" RDesire=\"0\""
            " RWakeUpTime=\" 3.02083333333333E-0001\">\r\n</SRecovery>\r\n");
  TRecoveryStat read(nullptr);
  read.Read(*ParseText(text));
  EXPECT_EQ(read.HSlept, 7.5);
  EXPECT_EQ(read.RColds, 2);
  EXPECT_EQ(read.REnergy, 3);
  EXPECT_NEAR(read.RWakeUpTime, 7.25 / 24, 1e-14);

  read.Read(*ParseText("<SRecovery HSlept=\"6\" RSleep=\"1\">\r\n</SRecovery>\r\n"));
  EXPECT_EQ(read.RWakeUpTime, kDefaultWakeUpTime);
  EXPECT_EQ(read.RWakeUpTime * 24, 6.5);
  EXPECT_EQ(read.RColds, -1);
  EXPECT_EQ(read.RDesire, -1);
  // An explicit -1 stays "not given".
  read.Read(*ParseText("<SRecovery RWakeUpTime=\"-1\">\r\n</SRecovery>\r\n"));
  EXPECT_EQ(read.RWakeUpTime, -1);
  EXPECT_TRUE(read.IsEmpty());
}

TEST(RecoveryForm, EmptyOnlyWhenEveryFieldIsMissing) {
  EXPECT_TRUE(TRecovery().IsEmpty());
  TRecovery r;
  r.RColds = kColdsReported;
  EXPECT_FALSE(r.IsEmpty());
  r = {};
  r.RWakeUpTime = 0.25;
  EXPECT_FALSE(r.IsEmpty());
  r = {};
  r.RDesire = 0;
  EXPECT_FALSE(r.IsEmpty());
}

using BodyRecords = test::EnergyTest;

TEST_F(BodyRecords, ReplaceStoresEveryKindAndTheListsReadBackAfterReopening) {
  TMeasurementList measurements(2);
  measurements[0].Date = kToday - 30;
  measurements[0].Values[TMeasureSite::Waist] = 85;
  measurements[1].Date = kToday;
  measurements[1].Values[TMeasureSite::Waist] = 83.5;
  measurements[1].Values[TMeasureSite::LThigh] = 58;
  ReplaceMeasurements(*store, measurements);

  TPhaseList phases(1);
  phases[0].Date = EncodeDate(2007, 5, 1);
  phases[0].Values = {SystemColor(2), EncodeDate(2007, 9, 1), "Strength Phase", "5x5"};
  ReplacePhases(*store, phases);

  TRecoveryList recovery(1);
  recovery[0].Date = kToday;
  recovery[0].Values = Rated(8, {0, 1, 1, 1, 2, 1});
  ReplaceRecovery(*store, recovery);

  Reopen();
  const TMeasurementList m = ListMeasurements(*store);
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0].Date, kToday - 30);
  EXPECT_EQ(m[0].Values[TMeasureSite::Waist], 85);
  EXPECT_EQ(m[1].Values[TMeasureSite::LThigh], 58);
  EXPECT_EQ(m[1].Values[TMeasureSite::Neck], -1);

  const TPhaseList p = ListPhases(*store);
  ASSERT_EQ(p.size(), 1u);
  EXPECT_EQ(p[0].Date, EncodeDate(2007, 5, 1));
  EXPECT_EQ(p[0].Values.PColor, SystemColor(2));
  EXPECT_EQ(p[0].Values.PEndDate, EncodeDate(2007, 9, 1));
  EXPECT_EQ(p[0].Values.PName, "Strength Phase");
  EXPECT_EQ(p[0].Values.PNotes, "5x5");

  const TRecoveryList r = ListRecovery(*store);
  ASSERT_EQ(r.size(), 1u);
  EXPECT_EQ(r[0].Values.HSlept, 8);
  EXPECT_EQ(r[0].Values.RPerformance, 2);
  // A wake-up time not given is stored as such.
  EXPECT_EQ(r[0].Values.RWakeUpTime, -1);
}

TEST_F(BodyRecords, ReplaceRemovesRecordsMissingFromTheListAndDropsEmptyOnes) {
  TMeasurementList measurements(2);
  measurements[0].Date = kToday - 7;
  measurements[0].Values[TMeasureSite::Chest] = 101;
  measurements[1].Date = kToday;
  measurements[1].Values[TMeasureSite::Chest] = 100;
  ReplaceMeasurements(*store, measurements);
  TRecoveryList recovery(2);
  recovery[0].Date = kToday - 1;
  recovery[0].Values.HSlept = 7;
  recovery[1].Date = kToday;
  recovery[1].Values.RSleep = 2;
  ReplaceRecovery(*store, recovery);
  Reopen();

  // Today's measurement emptied, the older one unchanged; yesterday's
  // recovery dropped from the list, today's emptied.
  measurements = ListMeasurements(*store);
  measurements[1].Values = {};
  ReplaceMeasurements(*store, measurements);
  recovery = ListRecovery(*store);
  recovery.erase(recovery.begin());
  recovery[0].Values = {};
  ReplaceRecovery(*store, recovery);
  Reopen();

  EXPECT_EQ(store->FindDayRecord(kMeasureStatKind, kToday), nullptr);
  ASSERT_EQ(ListMeasurements(*store).size(), 1u);
  EXPECT_EQ(ListMeasurements(*store)[0].Date, kToday - 7);
  EXPECT_TRUE(ListRecovery(*store).empty());
  // Other kinds are not touched.
  ReplacePhases(*store, {});
  EXPECT_EQ(ListMeasurements(*store).size(), 1u);
}

TEST(PhaseColors, SystemColoursPaintInTheClassicSchemeAndNoneNotAtAll) {
  EXPECT_EQ(PaintedColor(RgbColor(1, 2, 3)), RgbColor(1, 2, 3));
  EXPECT_EQ(PaintedColor(SystemColor(5)), RgbColor(255, 255, 255));
  EXPECT_EQ(PaintedColor(kNoColor), std::nullopt);
  EXPECT_EQ(PaintedColor(SystemColor(200)), std::nullopt);
  EXPECT_EQ(PhaseColorChoices().back().value, kNoColor);
}

}  // namespace
}  // namespace korvela
