#include <gtest/gtest.h>

#include <memory>

#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "storage/date_time.h"
#include "training/set_weights.h"
#include "training/strength_profile.h"
#include "training/workout_log_calories.h"
#include "training/workout_stats.h"
#include "training_fixture.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela {
namespace {

class WorkoutStatsTest : public test::TrainingTest {
 protected:
  static constexpr TDateTime kDay = 39248;  // 15 June 2007

  TDrillSet Line(std::int32_t did, const char* sets, const char* reps, const char* weight,
                 const char* tempo = "") {
    TDrillSet d = NewSetLine(config);
    d.DID = did;
    d.Sets = *sets ? std::stoi(sets) : -1;
    d.Reps = reps;
    d.Weight.Q = weight;
    d.Tempo = tempo;
    return d;
  }
  TWSection Section(const char* name, std::int32_t reps, std::int32_t dur = -1) {
    TWSection s;
    s.Name = name;
    s.Reps = reps;
    s.Dur = dur;
    return s;
  }
  TWorkout Log() {
    TWorkout w;
    w.Name = "Log";
    w.Date = kDay;
    w.Dur = 60;
    return w;
  }
  TDrillPR Record(const char* weight, std::int32_t reps) {
    TDrillPR r;
    r.DID = bench;
    r.Weight.Q = weight;
    r.Reps = reps;
    r.Date = kDay - 1;
    return r;
  }
};

TEST_F(WorkoutStatsTest, LineFiguresAndTheirRepeatInASection) {
  TWorkout w = Log();
  w.Lines.push_back(Line(bench, "3", "10", "100", "3010"));
  w.Lines.push_back(Section("Pyramid", 2));
  w.Lines.push_back(Line(bench, "3", "10", "100", "3010"));
  w.Lines.push_back(Line(bench, "", "10", "100", "3010"));  // no sets
  const TWorkoutStats stats(config, dictionary, w);
  const TLineStats& line = stats.Line(0);
  EXPECT_EQ(line.VolumeText(std::get<TDrillSet>(w.Lines[0]), false), "3000 kg");
  EXPECT_EQ(line.TUTText(), "120");
  const TLineStats& noSets = stats.Line(3);
  EXPECT_FALSE(noSets.Volume);
  EXPECT_EQ(noSets.TUTText(), "40");

  const TTotals& totals = stats.Totals();
  EXPECT_EQ(totals.Volume, 3000 + 6000);
  EXPECT_EQ(totals.Lifts, 30 + 60 + 20);
  EXPECT_EQ(totals.TUT, 120 + 240 + 80);
  const TTotals section = stats.SectionTotals(1);
  EXPECT_EQ(section.Volume, 6000);
  EXPECT_EQ(section.Lifts, 80);
  EXPECT_EQ(section.TUT, 320);

  const TPanelTexts panel = stats.WorkoutPanel();
  EXPECT_EQ(panel.Volume, "9000 kg");
  EXPECT_EQ(panel.Lifts, "110 lifts");
  EXPECT_EQ(panel.Duration, "60 min");
  EXPECT_EQ(panel.TUT, "440 sec");
  EXPECT_EQ(panel.Density, "150 kg/min");
  EXPECT_EQ(panel.Intensity, "N/A") << "no %1RM without a record";
}

TEST_F(WorkoutStatsTest, PercentagesOfRepetitionMaxima) {
  TWorkout tmpl;  // a template: no date, no records
  tmpl.Lines.push_back(Line(bench, "3", "5", "80%5RM"));
  tmpl.Lines.push_back(Line(bench, "3", "5", "80%5RM+5"));
  tmpl.Lines.push_back(Line(bench, "3", "", "80%5RM"));
  tmpl.Lines.push_back(Line(bench, "3", "10", "115%10RM"));
  const TWorkoutStats stats(config, dictionary, tmpl);
  EXPECT_EQ(stats.Line(0).OneRMText(), "71%");
  EXPECT_EQ(stats.Line(0).NRMText(), "80%5RM");
  EXPECT_EQ(stats.Line(1).OneRMText(), "");
  EXPECT_EQ(stats.Line(1).NRMText(), "");
  EXPECT_EQ(stats.Line(2).NRMText(), "") << "no repetitions";
  EXPECT_EQ(stats.Line(3).NRMText(), "115%10RM");
  EXPECT_EQ(stats.WorkoutPanel().Intensity, "83%") << "(71.1 x 15 + 89.1 x 30) / 45";

  TWorkout log = Log();
  log.Lines.push_back(Line(bench, "1", "5", "100"));
  log.Lines.push_back(Line(bench, "1", "5", ""));  // no weight: no percentage
  const TWorkoutStats withRecord(config, dictionary, log, {Record("100", 5), Record("100", 5)});
  EXPECT_EQ(withRecord.Line(0).OneRMText(), "89%");
  EXPECT_EQ(withRecord.Line(0).NRMText(), "100%5RM");
  EXPECT_EQ(withRecord.Line(1).OneRMText(), "");
  EXPECT_EQ(withRecord.WorkoutPanel().Intensity, "89%");
}

TEST_F(WorkoutStatsTest, UnknownOrEmptyLinesAddNothingAndResetTheMultiplier) {
  TWorkout w = Log();
  w.Dur = -1;
  w.Lines.push_back(Section("A", 3));
  w.Lines.push_back(Line(pullup, "2", "10", "", "2"));
  w.Lines.push_back(NewSetLine(config));  // ends the scope
  w.Lines.push_back(Line(pullup, "2", "10", "", "2"));
  w.Lines.push_back(Line(9999, "2", "10", "50"));  // not in the dictionary
  const TWorkoutStats stats(config, dictionary, w);
  EXPECT_EQ(stats.Line(1).VolumeText(std::get<TDrillSet>(w.Lines[1]), true), "20 reps");
  EXPECT_FALSE(stats.Line(4).Reps);
  EXPECT_EQ(stats.Totals().TUT, 3 * 40 + 40);
  EXPECT_EQ(stats.Totals().Volume, 0) << "repetitions are no volume";
  const TPanelTexts panel = stats.WorkoutPanel();
  EXPECT_EQ(panel.Duration, "0 min");
  EXPECT_EQ(panel.Density, "N/A");
  EXPECT_EQ(stats.SectionOfRow(0), 0u);
  EXPECT_EQ(stats.SectionOfRow(1), 0u);
  EXPECT_FALSE(stats.SectionOfRow(2));
  EXPECT_FALSE(stats.SectionOfRow(3));
  EXPECT_FALSE(stats.SectionOfRow(9));
  EXPECT_EQ(stats.SectionPanel(3).Title, "No Section Data");
  EXPECT_EQ(stats.SectionPanel(3).Volume, "");
}

TEST_F(WorkoutStatsTest, SectionPanelTitleDurationAndDensity) {
  struct Case {
    const char* name;
    std::int32_t reps, dur;
    const char* title;
    const char* duration;
    const char* density;
  } cases[] = {
      {"Pyramid", 2, 120, "Section Pyramid (repeat 2 times)", "2 mins", "1500 kg/min"},
      {"Pyramid", -1, -1, "Section Pyramid", "NOT SET", "N/A"},
      {"Pyramid", 1, 59, "Section Pyramid", "NOT SET", "N/A"},
      {"A very long section name that goes on", 1, 60, "Section A very long section name th...",
       "1 mins", "1500 kg/min"},
      {"A very long section name", 3, 60, "Section A very long sect... (repeat 3 times)", "1 mins",
       "4500 kg/min"},
  };
  for (const Case& c : cases) {
    TWorkout w = Log();
    w.Lines.push_back(Section(c.name, c.reps, c.dur));
    w.Lines.push_back(Line(bench, "3", "5", "100"));
    const TPanelTexts panel = TWorkoutStats(config, dictionary, w).SectionPanel(1);
    EXPECT_EQ(panel.Title, c.title);
    EXPECT_EQ(panel.Duration, c.duration) << c.title;
    EXPECT_EQ(panel.Density, c.density) << c.title;
  }
}

TEST_F(WorkoutStatsTest, VolumeTotalsInTheUsersUnit) {
  TWorkout w = Log();
  w.Lines.push_back(Line(bench, "1", "10", "22"));
  std::get<TDrillSet>(w.Lines[0]).Weight.M = kPounds;
  w.Lines.push_back(Line(bench, "1", "10", "10"));
  EXPECT_EQ(TWorkoutStats(config, dictionary, w).WorkoutPanel().Volume, "200 kg");
  config.SetMetricSystem(false);
  EXPECT_EQ(TWorkoutStats(config, dictionary, w).WorkoutPanel().Volume, "440 lbs");
  EXPECT_EQ(TWorkoutStats(config, dictionary, w).WorkoutPanel().Density, "7 lbs/min");
}

TEST_F(WorkoutStatsTest, Calories) {
  EXPECT_EQ(WorkoutCalories(6, 60, 1440).Total, "360 cals");
  EXPECT_EQ(WorkoutCalories(6, 60, 1440).Additional, "288 cals");
  EXPECT_EQ(WorkoutCalories(1.2f, 60, 1440).Additional, "0 cals");
  EXPECT_EQ(WorkoutCalories(1, 60, 1440).Additional, "0 cals");
  EXPECT_EQ(WorkoutCalories(21, 60, 1440).Total, "N/A");
  EXPECT_EQ(WorkoutCalories(std::nullopt, 60, 1440).Additional, "N/A");
  EXPECT_EQ(WorkoutCalories(6, -1, 1440).Total, "0 cals");
  EXPECT_EQ(ReadWorkoutMET(config, "3.5"), Extended{3.5});
  EXPECT_FALSE(ReadWorkoutMET(config, "fast"));
  EXPECT_FALSE(ReadWorkoutMET(config, ""));
}

TEST_F(WorkoutStatsTest, StrengthProfileFromASetToFailure) {
  config.SetMetricSystem(false);
  const auto rows = StrengthProfile(config, EstimatedOneRM(225 / 2.2L, 5));
  EXPECT_EQ(rows[0].Weight, "253.15 lbs");
  EXPECT_EQ(rows[4].Weight, "225 lbs");
  EXPECT_EQ(rows[4].Percent, "88.88%");
  EXPECT_EQ(rows[0].Percent, "100%");
  EXPECT_EQ(rows[19].Reps, "20");
  EXPECT_EQ(rows[19].Percent, "67.25%");
  config.SetMetricSystem(true);
  config.SetFloatingChar(',');
  const auto metric = StrengthProfile(config, EstimatedOneRM(100, 10));
  EXPECT_EQ(metric[9].Weight, "100 kg");
  EXPECT_EQ(metric[1].Percent, "97,22%");
  EXPECT_EQ(StrengthProfile(config, -1)[0].Weight, "");
  EXPECT_NEAR(static_cast<double>(EstimatedOneRM(100, 8)), 100 / 0.8029, 0.01);
}

class WorkoutLogCaloriesTest : public WorkoutStatsTest {
 protected:
  WorkoutLogCaloriesTest() {
    RegisterEnergyRecords(registry);
    Reopen();
    user.UserHeight = 180;
    user.UserBirthDate = EncodeDate(1977, 1, 1);
    user.Folder = folder.Path() / "usr1";
    model = std::make_unique<TEnergyModel>(*store, user, clock);
  }
  std::vector<std::int32_t> Types(TDateTime day) {
    std::vector<std::int32_t> types;
    for (const TSECERec& e :
         store->Loaded<TCalStat>(*store->FindDayRecord(kCalStatKind, day)).Entries)
      types.push_back(e.Type);
    return types;
  }
  TWorkout Named(const char* name) {
    TWorkout w = Log();
    w.Name = name;
    w.MET = 5;
    return w;
  }

  TUser user;
  TFixedClock clock{kDay + 5};
  std::unique_ptr<TEnergyModel> model;
};

TEST_F(WorkoutLogCaloriesTest, SavingAndDeletingKeepTheCalorieEntriesInStep) {
  {  // an activity of the day stays where it is
    TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, kDay);
    TSECERec activity;
    activity.Name = "Walking";
    store->Loaded<TCalStat>(entry).Entries.push_back(activity);
    store->SaveDayRecord(entry);
  }
  const TWorkoutPlace first = SaveWorkoutLog(*store, *model, dictionary, Named("One"), {});
  SaveWorkoutLog(*store, *model, dictionary, Named("Two"), {});
  SaveWorkoutLog(*store, *model, dictionary, Named("Three"), {});
  EXPECT_EQ(Types(kDay), (std::vector<std::int32_t>{0, 1, 2, 3}));

  DeleteWorkoutLog(*store, *model, first);
  EXPECT_EQ(Types(kDay), (std::vector<std::int32_t>{0, 1, 2}));
  const auto& entries = store->Loaded<TCalStat>(*store->FindDayRecord(kCalStatKind, kDay)).Entries;
  EXPECT_EQ(entries[1].Name, "Two");
  EXPECT_EQ(entries[2].Name, "Three");
  EXPECT_EQ(entries[1].MET, 5);
  EXPECT_EQ(entries[1].Dur, 60);

  // "Two" moves to the next day: "Three" becomes the first of its day.
  TWorkout moved = Named("Two");
  moved.Date = kDay + 1;
  const TWorkoutPlace place =
      SaveWorkoutLog(*store, *model, dictionary, moved, TWorkoutPlace{kDay, 1});
  EXPECT_EQ(place.Position, 1);
  EXPECT_EQ(Types(kDay), (std::vector<std::int32_t>{0, 1}));
  EXPECT_EQ(Types(kDay + 1), (std::vector<std::int32_t>{1}));
  Reopen();
  ASSERT_EQ(WorkoutsOfDay(*store, kDay).size(), 1u);
  EXPECT_EQ(WorkoutsOfDay(*store, kDay)[0].Name, "Three");
  EXPECT_EQ(Types(kDay + 1), (std::vector<std::int32_t>{1}));
}

}  // namespace
}  // namespace korvela
