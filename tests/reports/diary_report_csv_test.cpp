#include <gtest/gtest.h>

#include <cstdlib>

#include "report_fixture.h"
#include "reports/csv_table.h"
#include "reports/diary_report.h"
#include "support/csv_reader.h"
#include "training/workout.h"

namespace korvela::test {
namespace {

using Records = std::vector<std::vector<std::string>>;

TDateTime June(unsigned day) { return EncodeDate(2007, 6, day); }

double Number(const std::string& field) {
  EXPECT_FALSE(field.empty());
  EXPECT_EQ(field.find_first_not_of("-0123456789."), std::string::npos) << field;
  return std::strtod(field.c_str(), nullptr);
}

TEST(CsvTableTest, FieldsWithCommasQuotesAndLineBreaksReadBackWhole) {
  const std::vector<std::string> texts = {"Smith, \"Jr\"", "plain", "", "two\r\nlines",
                                          "\xC3\xA9t\xC3\xA9 caf\xC3\xA9"};
  TCsvTable table({"name", "value"});
  for (const std::string& text : texts) {
    table.BeginRow();
    table.AddText(text);
    table.AddNumber(-0.0005);
  }
  table.BeginRow();
  table.AddText("none");
  table.AddNumber(std::nullopt);
  const std::string csv = table.Text();
  EXPECT_NE(csv.substr(0, 3), "\xEF\xBB\xBF");
  const Records records = ReadCsv(csv);
  ASSERT_EQ(records.size(), texts.size() + 2);
  EXPECT_EQ(records[0], (std::vector<std::string>{"name", "value"}));
  for (std::size_t i = 0; i < texts.size(); ++i) {
    EXPECT_EQ(records[i + 1][0], texts[i]);
    EXPECT_EQ(records[i + 1][1], "-0.0005");
  }
  EXPECT_EQ(records.back(), (std::vector<std::string>{"none", ""}));
}

// The rows an export reports: the records below the header, a quoted line
// break being no record of its own.
TEST(CsvTableTest, RowCountIsTheRecordsBelowTheHeader) {
  TCsvTable empty({"day", "kcal"});
  EXPECT_EQ(CsvRowCount(empty.Text()), 0u);
  EXPECT_EQ(CsvRowCount(""), 0u);
  TCsvTable table({"name", "note"});
  for (const char* note : {"two\r\nlines", "\"quoted\", and comma", "\n", "plain"}) {
    table.BeginRow();
    table.AddText("x");
    table.AddText(note);
  }
  EXPECT_EQ(CsvRowCount(table.Text()), 4u);
  EXPECT_EQ(CsvRowCount("a,b\r\n1,2"), 1u);  // the last record without its line break
  EXPECT_EQ(CsvExportedText(1, "/tmp/one.csv"), "Exported 1 row to /tmp/one.csv.");
  EXPECT_EQ(CsvExportedText(12, "/tmp/Nutrition Report.csv"),
            "Exported 12 rows to /tmp/Nutrition Report.csv.");
}

TEST(CsvTableTest, NumbersArePlainDecimalsWhateverTheirSize) {
  const double values[] = {0, -0.0, 1234567.25, 0.001, 1e-7, 72.5, 1.0 / 3};
  for (const double v : values) {
    const std::string text = CsvNumberText(v);
    EXPECT_EQ(text.find_first_of("eE,+"), std::string::npos) << text;
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), v == 0 ? 0 : v) << text;
    EXPECT_NE(text, "-0");
  }
  EXPECT_EQ(CsvNumberText(18.3f), "18.3");
}

class CsvReportTest : public ReportTest {
 protected:
  Records Csv(TReportKind kind, TDateTime from, TDateTime to, std::int32_t unit = kKm) {
    TReportRequest request;
    request.Kind = kind;
    request.Period = {from, to};
    request.DistanceUnit = unit;
    const std::string text = DiaryReportCsv(request, Sources());
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    return ReadCsv(text);
  }
};

TEST_F(CsvReportTest, NutritionHasARowPerCalorieRecordInKilocaloriesAndGrams) {
  // The decimal character of the screen never reaches the table.
  config.SetFloatingChar(',');
  config.SetMetricSystem(false);
  TCalStat& ate = PutCal(June(1), 100.25, 50, 200, 80.5, 1.5f);
  ate.A = 10;
  PutCal(June(2), 0, 0, 0);
  const Records r = Csv(TReportKind::Nutrition, June(1), June(3));
  ASSERT_EQ(r.size(), 3u);
  EXPECT_EQ(r[0], (std::vector<std::string>{"date", "eaten_kcal", "rmr_kcal", "activity_kcal",
                                            "tdee_kcal", "balance_kcal", "protein_g", "fat_g",
                                            "carbs_g", "alcohol_g", "projected_weight_kg"}));
  EXPECT_EQ(r[1][0], "2007-06-01");
  EXPECT_NEAR(Number(r[1][1]), 100.25 * 4 + 450 + 800 + 70, 0.001);
  EXPECT_NEAR(Number(r[1][2]), static_cast<double>(model->RestingMetabolicRate(ate)), 0.001);
  EXPECT_NEAR(Number(r[1][4]), static_cast<double>(model->TotalDailyExpenditure(ate)), 0.001);
  EXPECT_NEAR(Number(r[1][5]), static_cast<double>(model->CalorieBalance(ate)), 0.001);
  EXPECT_NEAR(Number(r[1][3]),
              static_cast<double>(model->DailyPhysicalActivity(ate) + model->ExerciseCalories(ate)),
              0.001);
  EXPECT_EQ(r[1][6], "100.25");
  EXPECT_EQ(r[1][9], "10");
  EXPECT_EQ(r[1][10], "80.5");
  // Nothing eaten and nothing known: every figure empty.
  EXPECT_EQ(r[2], (std::vector<std::string>{"2007-06-02", "", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(CsvReportTest, BodyweightInKilogramsWithTheGoalWord) {
  config.SetMetricSystem(false);
  PutGoal(June(1), TWeightGoalType::Gain, 85, June(30));
  PutWeighIn(June(2), 81.5, 20);
  PutCal(June(2), 0, 0, 0, 81.25);
  const Records r = Csv(TReportKind::Bodyweight, EncodeDate(2007, 5, 31), June(2));
  ASSERT_EQ(r.size(), 4u);
  EXPECT_EQ(r[0], (std::vector<std::string>{"date", "weight_kg", "body_fat_pct", "lean_mass_kg",
                                            "fat_mass_kg", "projected_weight_kg", "goal",
                                            "goal_weight_kg"}));
  EXPECT_EQ(r[1], (std::vector<std::string>{"2007-05-31", "", "", "", "", "", "", ""}));
  EXPECT_EQ(r[2], (std::vector<std::string>{"2007-06-01", "", "", "", "", "", "gain", "85"}));
  EXPECT_EQ(r[3][1], "81.5");
  EXPECT_EQ(r[3][2], "20");
  EXPECT_NEAR(Number(r[3][3]), 65.2, 0.001);
  EXPECT_NEAR(Number(r[3][4]), 16.3, 0.001);
  EXPECT_EQ(r[3][5], "81.25");
}

TEST_F(CsvReportTest, TrainingColumnsFollowTheReportWithUnitsInTheirNames) {
  TWSection twice;
  twice.Reps = 2;
  TDrillSet press = NewSetLine(config);
  press.DID = bench;
  press.Sets = 3;
  press.Reps = "10";
  press.Weight = {"220", kPounds};
  TDrillSet run5 = NewSetLine(config);
  run5.DID = run;
  run5.Dist = {5, kKm};
  run5.Dur = 1500;
  TWorkout workout;
  workout.Date = June(4);
  workout.Dur = 50;
  workout.Lines = {twice, press, run5};
  AppendWorkoutLog(*store, dictionary, workout);

  const Records r = Csv(TReportKind::Training, June(1), June(7), kMeter);
  ASSERT_EQ(r.size(), 2u);
  EXPECT_EQ(r[0], (std::vector<std::string>{"date", "avg_1rm_pct", "avg_nrm_pct", "volume_kg",
                                            "total_lifts", "density_kg_per_min", "distance_m",
                                            "duration_min", "pace_min_per_m", "speed_m_per_h"}));
  EXPECT_EQ(r[1][0], "2007-06-04");
  EXPECT_EQ(r[1][1], "");
  EXPECT_NEAR(Number(r[1][3]), 6000, 0.001);
  EXPECT_EQ(r[1][4], "60");
  EXPECT_NEAR(Number(r[1][5]), 120, 0.001);
  EXPECT_NEAR(Number(r[1][6]), 10000, 0.001);  // twice through the section
  EXPECT_NEAR(Number(r[1][7]), 50, 0.001);
  EXPECT_NEAR(Number(r[1][8]), 0.005, 0.001);
  EXPECT_NEAR(Number(r[1][9]), 12000, 0.001);
}

TEST_F(CsvReportTest, RecoveryAndMeasurementsKeepEverySide) {
  TRecoveryList recovery(1);
  recovery[0].Date = June(1);
  recovery[0].Values.HSlept = 7.5;
  recovery[0].Values.RWakeUpTime = 21.0 / 24 + 5.0 / 1440;
  ReplaceRecovery(*store, recovery);
  config.SetTimeFormat(TTimeFormat::hr12);
  const Records rec = Csv(TReportKind::Recovery, June(1), June(2));
  ASSERT_EQ(rec.size(), 2u);
  EXPECT_EQ(rec[0], (std::vector<std::string>{"date", "wake_up", "sleep_hours", "recovery_score"}));
  EXPECT_EQ(rec[1], (std::vector<std::string>{"2007-06-01", "21:05", "7.5", ""}));

  TMeasurementList measures(1);
  measures[0].Date = June(2);
  measures[0].Values[TMeasureSite::Waist] = 81.3;
  measures[0].Values[TMeasureSite::RBiceps] = 36;
  ReplaceMeasurements(*store, measures);
  config.SetMetricSystem(false);
  const Records m = Csv(TReportKind::Measurements, June(1), June(2));
  ASSERT_EQ(m.size(), 2u);
  EXPECT_EQ(m[0], (std::vector<std::string>{
                      "date", "neck_cm", "chest_cm", "shoulders_cm", "waist_cm", "hips_cm",
                      "biceps_left_cm", "biceps_right_cm", "forearms_left_cm", "forearms_right_cm",
                      "thighs_left_cm", "thighs_right_cm", "calves_left_cm", "calves_right_cm"}));
  EXPECT_EQ(m[1], (std::vector<std::string>{"2007-06-02", "", "", "", "81.3", "", "", "36", "", "",
                                            "", "", "", ""}));
}

}  // namespace
}  // namespace korvela::test
