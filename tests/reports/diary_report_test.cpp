#include "reports/diary_report.h"

#include <gtest/gtest.h>

#include "report_fixture.h"
#include "training/workout.h"
#include "users/unit_text.h"

namespace korvela::test {
namespace {

TDateTime June(unsigned day) { return EncodeDate(2007, 6, day); }

using Cells = std::vector<std::string>;

TEST_F(ReportTest, NutritionPeriodWithoutCalorieRecordsHasOnlyItsPeriodRowsAllNA) {
  const TPageTable page = Page(TReportKind::Nutrition, June(1), June(3));
  EXPECT_EQ(page.Headings, (Cells{"Nutrition Report", "From: 1 June 2007", "To: 3 June 2007"}));
  const Cells headers = {"Eaten",      "RMR",         "PAL",   "TDEE",
                         "Protein",    "Fat",         "Carbs", "Protein per BW",
                         "Fat per BW", "Carbs per BW"};
  ASSERT_EQ(page.Rows.size(), 3u);
  EXPECT_EQ(page.Rows[0].Class, "table_header");
  Cells header{"Date"};
  header.insert(header.end(), headers.begin(), headers.end());
  EXPECT_EQ(page.Rows[0].Cells, header);
  EXPECT_EQ(page.Rows[1].Class, "table_subheader");
  header[0] = "Period Average";
  EXPECT_EQ(page.Rows[1].Cells, header);
  Cells period(11, "N/A");
  period[0] = "1 Jun 2007 to 3 Jun 2007";
  EXPECT_EQ(page.Rows[2].Cells, period);
  EXPECT_EQ(page.TablesEnded, 1);
}

TEST_F(ReportTest, NutritionDaysShowFiguresNotReportedAndNAAndThePeriodAverages) {
  TCalStat& ate = PutCal(June(1), 100, 50, 200, 50, 1.5f);  // 1650 calories
  PutCal(June(2), 60, 0, 90);                               // 600 calories, no projected weight
  TCalStat& empty = PutCal(June(3), 0, 0, 0, 50, 1.5f);
  const Extended rmr1 = model->RestingMetabolicRate(ate);
  const Extended rmr3 = model->RestingMetabolicRate(empty);
  const std::string rmr = FormatNumber(config, static_cast<double>(rmr3), 0);
  const std::string averageRmr = FormatNumber(config, static_cast<double>((rmr1 + rmr3) / 2), 0);

  const TPageTable page = Page(TReportKind::Nutrition, June(1), June(3));
  ASSERT_EQ(page.Rows.size(), 6u);
  const Cells& day1 = page.Rows[1].Cells;
  EXPECT_EQ(day1[0], "1 June 2007");
  EXPECT_EQ(day1[1], "1650");
  EXPECT_EQ(Cells(day1.begin() + 5, day1.end()),
            (Cells{"100(gr), 400(cal), 24%", "50(gr), 450(cal), 27%", "200(gr), 800(cal), 48%",
                   "2(gr. per kg)", "1(gr. per kg)", "4(gr. per kg)"}));
  EXPECT_EQ(page.Rows[2].Cells,
            (Cells{"2 June 2007", "600", "N/A", "N/A", "N/A", "60(gr), 240(cal), 40%",
                   "0(gr), 0(cal), 0%", "90(gr), 360(cal), 60%", "N/A", "N/A", "N/A"}));
  const Cells& day3 = page.Rows[3].Cells;
  EXPECT_EQ(day3[1], "Not Reported");
  EXPECT_EQ(day3[2], rmr);
  EXPECT_EQ(Cells(day3.begin() + 5, day3.end()), Cells(6, "Not Reported"));
  EXPECT_EQ(page.Rows[4].Class, "table_subheader");
  const Cells& period = page.Rows[5].Cells;
  EXPECT_EQ(period[0], "1 Jun 2007 to 3 Jun 2007");
  EXPECT_EQ(period[1], "1125");      // of the two days that ate
  EXPECT_EQ(period[2], averageRmr);  // of the days with a resting rate
  EXPECT_EQ(Cells(period.begin() + 5, period.end()),
            (Cells{"80(gr), 320(cal), 28%", "25(gr), 225(cal), 20%", "145(gr), 580(cal), 52%",
                   "2 (gr. per kg)", "1 (gr. per kg)", "4 (gr. per kg)"}));

  // Without "Eaten" the shares of the period have nothing to refer to.
  std::vector<bool> ticked(10, true);
  ticked[0] = false;
  const TPageTable noEaten = Page(TReportKind::Nutrition, June(1), June(3), ticked);
  EXPECT_EQ(noEaten.Rows[0].Cells.size(), 10u);
  EXPECT_EQ(noEaten.Rows[5].Cells[4], "80(gr), 320(cal)");

  config.SetMetricSystem(false);
  const TPageTable pounds = Page(TReportKind::Nutrition, June(1), June(1));
  EXPECT_EQ(pounds.Rows[1].Cells[8], "0.9(gr. per lbs)");  // 100 g / 110 lbs
  EXPECT_EQ(pounds.Rows[3].Cells[8], "0.9 (gr. per lbs)");
}

TEST_F(ReportTest, PALIsNAWheneverThePhysicalActivityIsUnknown) {
  // No projected weight: no resting rate, and exercise counts a calorie per
  // MET-minute, which must not be added to the unknown activity.
  TCalStat& unknownWeight = PutCal(June(1), 100, 0, 0);
  unknownWeight.Entries.push_back({0.5, "Run", 8, 30, 0});
  // A weight but no coefficient outside the projection window.
  TCalStat& noCoefficient = PutCal(June(2), 100, 0, 0, 70, 0);
  noCoefficient.Entries.push_back({0.5, "Run", 8, 30, 0});
  TCalStat& known = PutCal(June(3), 100, 0, 0, 70, 1.5f);
  known.Entries.push_back({0.5, "Run", 8, 30, 0});
  const std::string activity = FormatNumber(
      config,
      static_cast<double>(model->DailyPhysicalActivity(known) + model->ExerciseCalories(known)), 0);

  const TPageTable page = Page(TReportKind::Nutrition, June(1), June(3));
  EXPECT_EQ(page.Rows[1].Cells[3], "N/A");
  EXPECT_EQ(page.Rows[2].Cells[3], "N/A");
  EXPECT_EQ(page.Rows[3].Cells[3], activity);
  EXPECT_NE(activity, "N/A");
  EXPECT_EQ(page.Rows[5].Cells[3], activity);  // the one day that had a value
}

TEST_F(ReportTest, BodyweightShowsEveryDayWithWeighInsGoalsAndProjections) {
  PutGoal(EncodeDate(2007, 5, 20), TWeightGoalType::Maintain, 80);
  PutGoal(June(3), TWeightGoalType::Lose, 75, June(4));
  PutWeighIn(June(2), 81.5, 20);
  PutWeighIn(June(4), 80.2);
  PutCal(June(3), 0, 0, 0, 81.234);

  const TPageTable page = Page(TReportKind::Bodyweight, June(1), June(5));
  EXPECT_EQ(page.Headings[0], "Bodyweight Report");
  ASSERT_EQ(page.Rows.size(), 6u);  // no period row
  EXPECT_EQ(page.Rows[0].Cells,
            (Cells{"Date", "Reported", "Goal", "Projected", "BF%", "Lean Body Mass", "Fat Mass"}));
  const Cells want[] = {
      {"1 June 2007", "", "(maintain weight) 80 kg", "N/A", "", "", ""},
      {"2 June 2007", "81.5 kg", "(maintain weight) 80 kg", "N/A", "20%", "65.2 kg", "16.3 kg"},
      {"3 June 2007", "", "(lose weight to) 75 kg", "81.23 kg", "", "", ""},
      {"4 June 2007", "80.2 kg", "(lose weight to) 75 kg", "N/A", "", "", ""},
      // The newer goal has ended; the maintenance goal still applies.
      {"5 June 2007", "", "(maintain weight) 80 kg", "N/A", "", "", ""},
  };
  for (std::size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(page.Rows[i + 1].Cells, want[i]);

  const TPageTable before =
      Page(TReportKind::Bodyweight, EncodeDate(2007, 5, 19), EncodeDate(2007, 5, 19));
  EXPECT_EQ(before.Rows[1].Cells[2], "Not Set");

  config.SetMetricSystem(false);
  const TPageTable pounds = Page(TReportKind::Bodyweight, June(2), June(2));
  EXPECT_EQ(pounds.Rows[1].Cells, (Cells{"2 June 2007", "179.3 lbs", "(maintain weight) 176 lbs",
                                         "N/A", "20%", "143.44 lbs", "35.86 lbs"}));
}

class TrainingReportTest : public ReportTest {
 protected:
  TDrillSet Line(std::int32_t did, std::int32_t sets, const std::string& reps,
                 const std::string& weight, std::int32_t unit = kKilograms) {
    TDrillSet set = NewSetLine(config);
    set.DID = did;
    set.Sets = sets;
    set.Reps = reps;
    set.Weight = {weight, unit};
    return set;
  }
  void Log(TDateTime day, std::vector<TWLine> lines, std::int32_t minutes = -1) {
    TWorkout workout;
    workout.Name = "Workout";
    workout.Date = day;
    workout.Dur = minutes;
    workout.Lines = std::move(lines);
    AppendWorkoutLog(*store, dictionary, workout);
  }
  TPageTable Training(std::optional<std::vector<std::int32_t>> exercises, std::int32_t unit = kKm) {
    TReportRequest request;
    request.Kind = TReportKind::Training;
    request.Period = {June(1), June(7)};
    request.DistanceUnit = unit;
    request.Exercises = std::move(exercises);
    return ReadPage(DiaryReport(request, Sources()));
  }
};

TEST_F(TrainingReportTest, SectionRepeatsCountThroughEmptyLinesAndOnlyConsideredExercises) {
  TWSection twice;
  twice.Reps = 2;
  TDrillSet empty = NewSetLine(config);
  empty.Notes = "rest";
  Log(June(4), {twice, Line(bench, 3, "10", "100"), empty, Line(squat, 1, "5", "220", kPounds)},
      35);

  const TPageTable onlyBench = Training(std::vector<std::int32_t>{bench});
  EXPECT_EQ(onlyBench.Headings.back(), "Exercises: Bench Press, \"flat\"; ");
  ASSERT_EQ(onlyBench.Rows.size(), 3u);
  EXPECT_EQ(onlyBench.Rows[1].Cells, (Cells{"4 June 2007", "N/A", "N/A", "6000 kg", "60 lifts",
                                            "171 kg per min", "N/A", "N/A", "", ""}));

  const TPageTable all = Training(std::nullopt);
  EXPECT_EQ(all.Headings.back(), "Exercises: All from the period");
  // 220 lbs is 100 kg; the squat line keeps the section's multiplier.
  EXPECT_EQ(all.Rows[1].Cells[3], "7000 kg");
  EXPECT_EQ(all.Rows[1].Cells[4], "70 lifts");
  EXPECT_EQ(all.Rows[2].Class, "table_subheader");
  EXPECT_EQ(all.Rows[2].Cells[0], "Period Average");
  EXPECT_EQ(all.Rows[2].Cells[3], "7000 kg");

  const TPageTable none = Training(std::vector<std::int32_t>{});
  EXPECT_EQ(none.Headings.back(), "Exercises: ");
  EXPECT_EQ(none.Rows.size(), 1u);  // the header row, then the table ends
  EXPECT_EQ(none.TablesEnded, 1);
}

TEST_F(TrainingReportTest, DistancesInTheChosenUnitAndTimesBeyondADay) {
  TDrillSet run5 = NewSetLine(config);
  run5.DID = run;
  run5.Dist = {5, kKm};
  run5.Dur = 1500;
  Log(June(5), {run5});
  TDrillSet hold = NewSetLine(config);
  hold.DID = plank;
  hold.Sets = 30;
  hold.Dur = 3600;
  Log(June(6), {hold});

  const TPageTable meters = Training(std::nullopt, kMeter);
  ASSERT_EQ(meters.Rows.size(), 4u);
  EXPECT_EQ(meters.Rows[1].Cells[6], "5000 meters");
  EXPECT_EQ(meters.Rows[1].Cells[7], "00:25:00");
  EXPECT_EQ(meters.Rows[2].Cells[6], "N/A");
  EXPECT_EQ(meters.Rows[2].Cells[7], "30:00:00");
  EXPECT_EQ(meters.Rows[3].Cells[7], "30:25:00");

  const TPageTable km = Training(std::nullopt, kKm);
  EXPECT_EQ(km.Rows[1].Cells[6], "5 km");
  EXPECT_EQ(km.Rows[1].Cells[8], std::string("05:00 per ") + DistUnitSingular(kKm));
  const TPageTable miles = Training(std::nullopt, kMile);
  EXPECT_EQ(miles.Rows[1].Cells[6].substr(0, 4), "3.10");
  EXPECT_EQ(miles.Rows[1].Cells[6].substr(miles.Rows[1].Cells[6].size() - 6), " miles");
}

TEST_F(ReportTest, RecoveryRowsAndAverages) {
  TRecoveryList list(2);
  list[0].Date = June(1);
  list[0].Values = {8, 0, 4, 4, 0, 4, 4, 4, 7.25 / 24};
  list[1].Date = June(3);
  list[1].Values.RSleep = 2;
  ReplaceRecovery(*store, list);
  const std::string score =
      FormatNumber(config, static_cast<double>(RecoveryScore(list[0].Values)), 2);

  const TPageTable page = Page(TReportKind::Recovery, June(1), June(5));
  ASSERT_EQ(page.Rows.size(), 5u);
  EXPECT_EQ(page.Rows[1].Cells, (Cells{"1 June 2007", "07:15", "8 hours", score}));
  EXPECT_EQ(page.Rows[2].Cells, (Cells{"3 June 2007", "06:30", "", ""}));
  EXPECT_EQ(page.Rows[3].Cells,
            (Cells{"Period Average", "Wake Up Time", "Hours of Sleep", "Recovery Score"}));
  EXPECT_EQ(page.Rows[4].Cells, (Cells{"1 Jun 2007 to 5 Jun 2007", "", "8 hours", score}));

  const TPageTable none = Page(TReportKind::Recovery, June(4), June(5), {false, true, true});
  EXPECT_EQ(none.Rows.back().Cells, (Cells{"4 Jun 2007 to 5 Jun 2007", "N/A", "N/A"}));
}

TEST_F(ReportTest, MeasurementsInCentimetresOrInchesWithTwoColumnsPerSide) {
  TMeasurementList list(1);
  list[0].Date = June(2);
  list[0].Values[TMeasureSite::Neck] = 40;
  list[0].Values[TMeasureSite::LBiceps] = 35.5;
  list[0].Values[TMeasureSite::RCalf] = 38;
  ReplaceMeasurements(*store, list);

  const TPageTable page = Page(TReportKind::Measurements, June(1), June(5));
  ASSERT_EQ(page.Rows.size(), 2u);
  EXPECT_EQ(page.Rows[0].Cells, (Cells{"Date", "Neck", "Chest", "Shoulders", "Waist", "Hips",
                                       "Biceps(L)", "Biceps(R)", "Forearms(L)", "Forearms(R)",
                                       "Thighs(L)", "Thighs(R)", "Calves(L)", "Calves(R)"}));
  EXPECT_EQ(page.Rows[1].Cells, (Cells{"2 June 2007", "40 cm", "", "", "", "", "35.5 cm", "", "",
                                       "", "", "", "", "38 cm"}));

  config.SetMetricSystem(false);
  std::vector<bool> ticked(9, false);
  ticked[0] = ticked[5] = true;
  const TPageTable inches = Page(TReportKind::Measurements, June(1), June(5), ticked);
  EXPECT_EQ(inches.Rows[0].Cells, (Cells{"Date", "Neck", "Biceps(L)", "Biceps(R)"}));
  EXPECT_EQ(inches.Rows[1].Cells, (Cells{"2 June 2007", "15.75 inches", "13.98 inches", ""}));
}

}  // namespace
}  // namespace korvela::test
