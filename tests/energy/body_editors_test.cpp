#include <gtest/gtest.h>

#include <cmath>

#include "energy/measurements_editor.h"
#include "energy/phases_editor.h"
#include "energy/recovery_editor.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

const TDateTime kToday = EncodeDate(2007, 6, 15);

TDated<TMeasurements> Measured(TDateTime day,
                               std::initializer_list<std::pair<TMeasureSite, double>> sites) {
  TDated<TMeasurements> m{day, {}};
  for (const auto& [site, cm] : sites) m.Values[site] = cm;
  return m;
}

// ---------------------------------------------------------------------------
// Measurements

TEST(MeasurementsEditor, OpensOnTheSelectedDayAddingAnEmptyRecordInDateOrder) {
  const TConfigurator config;
  TMeasurementsEditor editor({Measured(kToday, {{TMeasureSite::Neck, 40}}),
                              Measured(kToday - 20, {{TMeasureSite::Neck, 41}})},
                             config, kToday - 10 + 0.7);
  EXPECT_EQ(editor.ListTexts(),
            (std::vector<std::string>{"26 May 2007", "5 Jun 2007", "15 Jun 2007"}));
  EXPECT_EQ(editor.Selected(), 1);
  EXPECT_TRUE(editor.Records()[1].Values.IsEmpty());

  TMeasurementsEditor onExisting({Measured(kToday, {{TMeasureSite::Neck, 40}})}, config, kToday);
  EXPECT_EQ(onExisting.Records().size(), 1u);
  EXPECT_EQ(onExisting.Texts()[SiteIndex(TMeasureSite::Neck)], "40");
}

TEST(MeasurementsEditor, CellsAreCheckedInSiteOrderAndARefusalChangesNothing) {
  const TConfigurator config;
  TMeasurementsEditor editor({Measured(kToday, {{TMeasureSite::Hips, 95}})}, config, kToday);
  TMeasureTexts texts = editor.Texts();
  // Shoulders come before Chest in the record but after it on the screen.
  texts[SiteIndex(TMeasureSite::Shoulders)] = "0";
  texts[SiteIndex(TMeasureSite::Chest)] = "abc";
  texts[SiteIndex(TMeasureSite::RCalf)] = "300";
  texts[SiteIndex(TMeasureSite::Hips)] = "96";
  auto fault = editor.Commit(texts);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->site, TMeasureSite::Chest);
  EXPECT_EQ(fault->message, "Please, enter a valid Chest measurement!");
  EXPECT_EQ(editor.Records()[0].Values[TMeasureSite::Hips], 95);

  texts[SiteIndex(TMeasureSite::Chest)] = "";
  fault = editor.Commit(texts);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->message, "Please, enter a valid Shoulders measurement!");
  texts[SiteIndex(TMeasureSite::Shoulders)] = " ";
  fault = editor.Commit(texts);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->site, TMeasureSite::RCalf);
  EXPECT_EQ(fault->message, "Please, enter a valid Right Calf measurement!");
  texts[SiteIndex(TMeasureSite::RCalf)] = "299.9";
  EXPECT_FALSE(editor.Commit(texts));
  EXPECT_EQ(editor.Records()[0].Values[TMeasureSite::Hips], 96);
  EXPECT_EQ(editor.Records()[0].Values[TMeasureSite::RCalf], 299.9);
  EXPECT_EQ(editor.Records()[0].Values[TMeasureSite::Shoulders], -1);
}

TEST(MeasurementsEditor, LimitsHoldInBothUnits) {
  const struct {
    bool metric;
    const char* text;
    bool accepted;
  } cases[] = {
      {true, "300", false}, {true, "299.9", true},   {true, "0", false},     {true, "-2", false},
      {true, "0.01", true}, {false, "118.2", false}, {false, "118.1", true}, {false, "0", false},
  };
  for (const auto& c : cases) {
    TConfigurator config;
    config.SetMetricSystem(c.metric);
    TMeasurementsEditor editor({}, config, kToday);
    TMeasureTexts texts;
    texts[SiteIndex(TMeasureSite::LForearm)] = c.text;
    const auto fault = editor.Commit(texts);
    EXPECT_EQ(!fault, c.accepted) << c.text;
    if (fault) {
      EXPECT_EQ(fault->message, "Please, enter a valid Left Forearm measurement!");
    }
  }
}

TEST(MeasurementsEditor, InchesAreShownAndReadWithoutDriftingTheStoredValue) {
  TConfigurator config;
  config.SetMetricSystem(false);
  TMeasurementsEditor editor({Measured(kToday, {{TMeasureSite::Waist, 81.3}})}, config, kToday);
  EXPECT_EQ(UnilateralColumns(config), (std::vector<std::string>{"Measurement (inch)", "(+/-)"}));
  EXPECT_EQ(BilateralColumns(config)[2], "Right (inch)");
  TMeasureTexts texts = editor.Texts();
  EXPECT_EQ(texts[SiteIndex(TMeasureSite::Waist)], "32.01");
  texts[SiteIndex(TMeasureSite::Neck)] = "15.5";
  EXPECT_FALSE(editor.Commit(texts));
  EXPECT_EQ(editor.Records()[0].Values[TMeasureSite::Waist], 81.3);  // untouched cell
  EXPECT_DOUBLE_EQ(editor.Records()[0].Values[TMeasureSite::Neck], 15.5 * 2.54);
  const TConfigurator metric;
  EXPECT_EQ(UnilateralColumns(metric)[0], "Measurement (cm)");
  EXPECT_EQ(BilateralColumns(metric),
            (std::vector<std::string>{"Left (cm)", "L (+/-)", "Right (cm)", "R (+/-)"}));
}

TEST(MeasurementsEditor, DifferencesToThePreviousRecordWhileShownAndWhileTyping) {
  const TConfigurator config;
  TMeasurementsEditor editor(
      {Measured(kToday - 14, {{TMeasureSite::Waist, 84}, {TMeasureSite::Neck, 40}}),
       Measured(
           kToday,
           {{TMeasureSite::Waist, 82.5}, {TMeasureSite::Neck, 40.25}, {TMeasureSite::Chest, 100}})},
      config, kToday);
  EXPECT_EQ(editor.DifferenceText(TMeasureSite::Waist), "-1.5");
  EXPECT_EQ(editor.DifferenceText(TMeasureSite::Neck), "+0.25");
  EXPECT_EQ(editor.DifferenceText(TMeasureSite::Chest), "");  // not measured before
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, "84"), "0");
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, "90"), "+6");
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, "250"), "+166");
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, "251"), std::nullopt);
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, "0"), std::nullopt);
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, "8x"), std::nullopt);
  EXPECT_EQ(editor.TypedDifferenceText(TMeasureSite::Waist, ""), "");

  ASSERT_FALSE(editor.Select(0, editor.Texts()));
  EXPECT_EQ(editor.DifferenceText(TMeasureSite::Waist), "");  // the oldest has nothing before it
  TConfigurator inches;
  inches.SetMetricSystem(false);
  TMeasurementsEditor inInches(editor.Records(), inches, kToday);
  EXPECT_EQ(inInches.DifferenceText(TMeasureSite::Waist), "-0.59");
}

TEST(MeasurementsEditor, ARefusedCellKeepsTheSelection) {
  const TConfigurator config;
  TMeasurementsEditor editor(
      {Measured(kToday - 3, {{TMeasureSite::Neck, 40}}), Measured(kToday, {})}, config, kToday);
  TMeasureTexts texts = editor.Texts();
  texts[SiteIndex(TMeasureSite::LThigh)] = "600";
  const auto fault = editor.Select(0, texts);
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->site, TMeasureSite::LThigh);
  EXPECT_EQ(editor.Selected(), 1);
  texts[SiteIndex(TMeasureSite::LThigh)] = "60";
  EXPECT_FALSE(editor.Select(0, texts));
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_EQ(editor.Records()[1].Values[TMeasureSite::LThigh], 60);
}

TEST(MeasurementsEditor, ADateOfAnotherRecordIsRefusedOtherwiseTheListIsResorted) {
  const TConfigurator config;
  TMeasurementsEditor editor({Measured(kToday - 3, {{TMeasureSite::Neck, 40}}),
                              Measured(kToday, {{TMeasureSite::Neck, 39}})},
                             config, kToday);
  EXPECT_EQ(editor.ChangeDate(kToday - 3),
            "You have already taken measurements on 12 Jun 2007!\nPlease select another date!");
  EXPECT_EQ(editor.Records()[1].Date, kToday);
  EXPECT_FALSE(editor.ChangeDate(kToday - 5 + 0.5));
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_EQ(editor.Records()[0].Date, kToday - 5);
  EXPECT_EQ(editor.Records()[0].Values[TMeasureSite::Neck], 39);
}

TEST(MeasurementsEditor, NewMeasurementsTakeTheLatestFreeDayUpToToday) {
  const TConfigurator config;
  TMeasurementsEditor editor({Measured(kToday - 1, {{TMeasureSite::Neck, 40}})}, config,
                             kToday - 1);
  ASSERT_FALSE(editor.NewMeasurements(editor.Texts(), kToday + 0.4));
  EXPECT_EQ(editor.Records()[editor.Selected()].Date, kToday);
  ASSERT_FALSE(editor.NewMeasurements(editor.Texts(), kToday));
  EXPECT_EQ(editor.Records()[editor.Selected()].Date, kToday - 2);  // today and yesterday taken
  EXPECT_EQ(editor.Selected(), 0);

  TMeasureTexts bad = editor.Texts();
  bad[SiteIndex(TMeasureSite::Hips)] = "x";
  ASSERT_TRUE(editor.NewMeasurements(bad, kToday));
  EXPECT_EQ(editor.Records().size(), 3u);
}

TEST(MeasurementsEditor, DeletingSelectsTheFirstRecordOrNothing) {
  const TConfigurator config;
  TMeasurementsEditor editor({Measured(kToday - 3, {{TMeasureSite::Neck, 40}})}, config, kToday);
  editor.DeleteSelected();
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_EQ(editor.Records()[0].Date, kToday - 3);
  editor.DeleteSelected();
  EXPECT_EQ(editor.Selected(), -1);
  EXPECT_TRUE(editor.Records().empty());
  EXPECT_EQ(editor.Texts(), TMeasureTexts{});
  EXPECT_FALSE(editor.Accept(editor.Texts()));
  EXPECT_FALSE(editor.ChangeDate(kToday));
}

// ---------------------------------------------------------------------------
// Phases

TDated<TPhase> Phase(TDateTime start, TDateTime end, const char* name) {
  TDated<TPhase> p{start, {}};
  p.Values.PEndDate = end;
  p.Values.PName = name;
  return p;
}

TEST(PhasesEditor, OpensNewestFirstAndSortingKeepsTheSelectedPhase) {
  TPhasesEditor editor({Phase(kToday - 100, kToday - 50, "Bulking Phase"),
                        Phase(kToday - 10, kToday + 30, "Cutting Phase"),
                        Phase(kToday - 49, kToday - 11, "Strength Phase")});
  ASSERT_EQ(editor.Count(), 3);
  EXPECT_EQ(editor.Row(0).name, "Cutting Phase");
  EXPECT_EQ(editor.Row(2).name, "Bulking Phase");
  EXPECT_EQ(editor.Selected(), 0);
  editor.Select(1);
  editor.SortDown();
  EXPECT_EQ(editor.Row(0).name, "Bulking Phase");
  EXPECT_EQ(editor.Row(1).name, "Strength Phase");
  EXPECT_EQ(editor.Selected(), 1);
  editor.Select(0);
  editor.SortUp();
  EXPECT_EQ(editor.Selected(), 2);
  const TPhaseRow row = editor.Row(0);
  EXPECT_EQ(row.start, "5 Jun 2007");
  EXPECT_EQ(row.end, "15 Jul 2007");
  EXPECT_EQ(row.color, kNoColor);
  EXPECT_EQ(PickedRange(editor).start, kToday - 100);
  EXPECT_EQ(PickedRange(editor).end, kToday - 50);
}

TEST(PhasesEditor, DateChecksKeepTheOldDate) {
  TPhasesEditor editor({Phase(kToday - 10, kToday + 30, "Cutting Phase"),
                        Phase(kToday - 60, kToday - 11, "Bulking Phase")});
  EXPECT_EQ(editor.ChangeStartDate(kToday + 31),
            "Please, select a starting date that is before the ending date");
  EXPECT_EQ(editor.ChangeEndDate(kToday - 11),
            "Please, select an ending date that is after the starting date");
  EXPECT_EQ(editor.StartDateShown(kToday), kToday - 10);
  EXPECT_EQ(editor.EndDateShown(kToday), kToday + 30);
  EXPECT_FALSE(editor.ChangeStartDate(kToday + 30));  // equal dates are allowed
  EXPECT_FALSE(editor.ChangeEndDate(kToday + 30.9));
  EXPECT_EQ(editor.Phases()[0].Date, kToday + 30);
  EXPECT_EQ(editor.Phases()[0].Values.PEndDate, kToday + 30);
}

TEST(PhasesEditor, ASecondPhaseCannotStartOnTheSameDay) {
  TPhasesEditor editor({Phase(kToday - 10, kToday + 30, "Cutting Phase"),
                        Phase(kToday - 60, kToday - 11, "Bulking Phase")});
  editor.Select(1);
  ASSERT_FALSE(editor.ChangeEndDate(kToday));
  EXPECT_EQ(editor.ChangeStartDate(kToday - 10 + 0.5),
            "A phase already starts on 5 Jun 2007!\nPlease select another date!");
  EXPECT_EQ(editor.Phases()[1].Date, kToday - 60);
  EXPECT_FALSE(editor.ChangeStartDate(kToday - 60));  // its own day
  EXPECT_FALSE(editor.ChangeStartDate(kToday - 9));

  editor.NewPhase(kToday);
  editor.NewPhase(kToday);
  const TDated<TPhase>& second = editor.Phases()[3];
  EXPECT_EQ(editor.Phases()[2].Date, kToday);
  EXPECT_EQ(second.Date, kToday - 1);  // today already starts a phase
  EXPECT_EQ(second.Values.PEndDate, kToday);
}

TEST(PhasesEditor, NewPhaseDefaultsFieldChangesAndDeletion) {
  TPhasesEditor editor({});
  EXPECT_FALSE(editor.HasPhases());
  EXPECT_EQ(editor.StartDateShown(kToday + 0.3), kToday);
  EXPECT_EQ(editor.EndDateShown(kToday + 0.3), kToday);
  EXPECT_EQ(editor.DeleteQuestion(), "");

  editor.NewPhase(kToday + 0.3);
  ASSERT_EQ(editor.Selected(), 0);
  const TDated<TPhase>& p = editor.Phases()[0];
  EXPECT_EQ(p.Date, kToday);
  EXPECT_EQ(p.Values.PEndDate, kToday);
  EXPECT_EQ(p.Values.PName, "A New Phase");
  EXPECT_EQ(p.Values.PColor, kNoColor);
  EXPECT_EQ(p.Values.PNotes, "");

  editor.SetName("GPP Phase");
  editor.SetColor(RgbColor(255, 0, 0));
  editor.SetNotes("conditioning");
  EXPECT_EQ(editor.Phases()[0].Values.PName, "GPP Phase");
  EXPECT_EQ(editor.Phases()[0].Values.PColor, RgbColor(255, 0, 0));
  EXPECT_EQ(editor.Phases()[0].Values.PNotes, "conditioning");
  EXPECT_EQ(editor.DeleteQuestion(), "Do you really want to delete phase: GPP Phase ?");

  editor.NewPhase(kToday - 5);
  editor.Select(0);
  editor.DeleteSelected();
  EXPECT_EQ(editor.Selected(), 0);
  EXPECT_EQ(editor.Phases()[0].Values.PName, "A New Phase");
  editor.DeleteSelected();
  EXPECT_EQ(editor.Selected(), -1);
  EXPECT_EQ(PickedRange(editor).start, -1);
  EXPECT_EQ(PickedRange(editor).end, -1);
}

// ---------------------------------------------------------------------------
// Recovery

TEST(RecoveryFields, TakenIntoARecord) {
  const TConfigurator config;
  TRecoveryFields f;
  f.hours = "7.5";
  f.colds = true;
  f.ratings = {1, 0, 2, -1, 4, 3};
  f.wakeUpSeconds = 7 * 3600;
  TRecovery r = TakeRecoveryFields(config, f);
  EXPECT_EQ(r.HSlept, 7.5);
  EXPECT_EQ(r.RColds, 2);
  EXPECT_EQ(r.RSleep, 1);
  EXPECT_EQ(r.RApetite, 0);
  EXPECT_EQ(r.RPulse, 2);
  EXPECT_EQ(r.REnergy, -1);
  EXPECT_EQ(r.RPerformance, 4);
  EXPECT_EQ(r.RDesire, 3);
  EXPECT_NEAR(r.RWakeUpTime, 7.0 / 24, 1e-9);

  const struct {
    const char* hours;
    double want;
  } hours[] = {{"", -1},     {"abc", -1}, {"-0.5", -1}, {"48", 48},
               {"48.1", -1}, {"0", 0},    {" 6,5 ", -1}};
  for (const auto& h : hours) {
    f.hours = h.hours;
    EXPECT_EQ(TakeRecoveryFields(config, f).HSlept, h.want) << h.hours;
  }
  f.colds = false;
  f.wakeUpSeconds = 6 * 3600 + 30 * 60;
  r = TakeRecoveryFields(config, f);
  EXPECT_EQ(r.RColds, -1);
  EXPECT_EQ(r.RWakeUpTime, -1);

  TConfigurator comma;
  comma.SetFloatingChar(',');
  f.hours = "6,5";
  EXPECT_EQ(TakeRecoveryFields(comma, f).HSlept, 6.5);
}

TEST(RecoveryFields, ShownFromARecord) {
  const TConfigurator config;
  TRecovery r;
  TRecoveryFields f = RecoveryFieldsOf(config, r);
  EXPECT_EQ(f.hours, "");
  EXPECT_FALSE(f.colds);
  EXPECT_EQ(f.ratings, (std::array<int, 6>{-1, -1, -1, -1, -1, -1}));
  EXPECT_EQ(f.wakeUpSeconds, 6 * 3600 + 30 * 60);
  r.HSlept = 7.46;
  r.RColds = 2;
  r.RPulse = 0;
  r.RWakeUpTime = 5.75 / 24;
  f = RecoveryFieldsOf(config, r);
  EXPECT_EQ(f.hours, "7.5");
  EXPECT_TRUE(f.colds);
  EXPECT_EQ(f.ratings[2], 0);
  EXPECT_EQ(f.wakeUpSeconds, 5 * 3600 + 45 * 60);
}

TEST(RecoveryFields, ScoreTextFollowsEveryFieldAndIsEmptyWhileIncomplete) {
  const TConfigurator config;
  TRecoveryFields f;
  f.hours = "7.5";
  f.ratings = {1, 1, 0, 1, 1, 1};
  EXPECT_EQ(RecoveryScoreText(config, f), "4.02");
  f.ratings[2] = 1;
  EXPECT_EQ(RecoveryScoreText(config, f), "4.08");
  f.hours = "60";  // not kept in a record, but scored as 9.5 hours
  f.ratings = {0, 0, 1, 0, 0, 0};
  EXPECT_EQ(RecoveryScoreText(config, f), "5.00");
  f.hours = "-3";  // scored as no sleep: 5 - sqrt((9.5 / 1.5)^2 / 8) = 2.761
  EXPECT_EQ(RecoveryScoreText(config, f), "2.76");
  TConfigurator comma;
  comma.SetFloatingChar(',');
  f.hours = "7,5";
  f.ratings = {1, 1, 0, 1, 1, 1};
  EXPECT_EQ(RecoveryScoreText(comma, f), "4,02");
  f.hours = "9";
  f.ratings = {0, 0, 1, 0, 0, 0};
  EXPECT_EQ(RecoveryScoreText(config, f), "4.88");  // 5 - sqrt((1/3)^2 / 8)
  f.hours = "x";
  EXPECT_EQ(RecoveryScoreText(config, f), "");
  f.hours = "8";
  f.ratings[5] = -1;
  EXPECT_EQ(RecoveryScoreText(config, f), "");

  EXPECT_STREQ(RecoveryBandOf(4)->text, "Optimal Recovery");
  EXPECT_STREQ(RecoveryBandOf(3.99)->text, "Somewhat Overtrained");
  EXPECT_STREQ(RecoveryBandOf(2)->range, "2 - 3");
  EXPECT_STREQ(RecoveryBandOf(0)->text, "Severely Overtrained");
  EXPECT_EQ(RecoveryBandOf(-1), nullptr);
}

TEST(RecoveryEditor, ChangingTheDayKeepsWhatWasEnteredAndAddsMissingDays) {
  const TConfigurator config;
  TRecoveryList records(1);
  records[0].Date = kToday - 2;
  records[0].Values.HSlept = 6;
  TRecoveryEditor editor(records, kToday + 0.5);
  EXPECT_EQ(editor.Day(), kToday);
  EXPECT_EQ(editor.Records().size(), 2u);
  EXPECT_TRUE(editor.Current().IsEmpty());

  TRecoveryFields f = RecoveryFieldsOf(config, editor.Current());
  f.hours = "8";
  f.ratings[0] = 1;
  editor.ChangeDay(config, f, kToday - 2);
  EXPECT_EQ(editor.Current().HSlept, 6);
  EXPECT_EQ(editor.Records()[1].Values.HSlept, 8);
  EXPECT_EQ(editor.Records()[1].Values.RSleep, 1);

  f = RecoveryFieldsOf(config, editor.Current());
  editor.ChangeDay(config, f, kToday - 1);
  ASSERT_EQ(editor.Records().size(), 3u);
  EXPECT_EQ(editor.Records()[1].Date, kToday - 1);
  EXPECT_EQ(editor.Records()[0].Values.HSlept, 6);  // unchanged by showing it
}

}  // namespace
}  // namespace korvela
