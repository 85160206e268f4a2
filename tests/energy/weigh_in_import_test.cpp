#include "energy/weigh_in_import.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <stdexcept>

#include "energy/body_records.h"
#include "energy_fixture.h"

namespace korvela {
namespace {

class WeighInImportTest : public test::EnergyTest {
 protected:
  // The account was made 30 days ago at 82 kg; food logged every day since.
  WeighInImportTest() {
    WeighInAndRestart(kToday - 30, 82, 1.6F);
    for (int d = 30; d >= 1; --d) PutEaten(kToday - d, 2200);
    model->RestartEnergyModel();
  }

  TImportPreview Preview(const std::string& csv, TImportUnit unit = TImportUnit::Kilograms) {
    std::string why;
    std::optional<TImportPreview> preview = PreviewImport(csv, unit, *store, kToday, &why);
    if (!preview) throw std::runtime_error(why);
    return *preview;
  }

  static std::string Iso(TDateTime day) {
    const TYearMonthDay d = DecodeDate(day);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02u-%02u", d.year, d.month, d.day);
    return buffer;
  }

  // A stored measurement: neck 37, waist 86, hips 99 cm.
  void PutMeasurement(TDateTime day) {
    TDBC& entry = store->GetOrCreateDayRecord(kMeasureStatKind, day);
    TMeasureStat& m = store->Loaded<TMeasureStat>(entry);
    m[TMeasureSite::Neck] = 37;
    m[TMeasureSite::Waist] = 86;
    m[TMeasureSite::Hips] = 99;
    store->SaveDayRecord(entry);
  }

  double StoredWeight(TDateTime day) {
    TDBC* entry = store->FindDayRecord(kWeightStatKind, day);
    return entry ? store->Loaded<TWeightStat>(*entry).W : -1;
  }
};

TEST_F(WeighInImportTest, PlainWeightsInKilogramsOrPoundsAndAnyColumnOrder) {
  const std::string day = Iso(kToday - 20);
  TImportPreview kg = Preview("date,weight\n" + day + ",81.5\n");
  ASSERT_EQ(kg.rows.size(), 1u);
  EXPECT_EQ(kg.kind, TImportKind::WeighIns);
  EXPECT_EQ(kg.rows[0].action, TImportAction::Add);
  EXPECT_DOUBLE_EQ(kg.rows[0].weightKg, 81.5);

  TImportPreview lbs = Preview("date,weight\n" + day + ",180\n", TImportUnit::Pounds);
  EXPECT_NEAR(lbs.rows[0].weightKg, 81.6466, 1e-4);
  // A column that names its unit wins over the dialog's choice.
  TImportPreview named =
      Preview("Body_Fat_Pct, weight_kg ,date\n21.5,81.5," + day + "\n", TImportUnit::Pounds);
  EXPECT_DOUBLE_EQ(named.rows[0].weightKg, 81.5);
  EXPECT_FLOAT_EQ(named.rows[0].bodyFat, 21.5F);
}

TEST_F(WeighInImportTest, BadRowsAreSkippedWithTheirReasonsAndGoodOnesKept) {
  const std::string csv = "date,weight_kg,body_fat_pct,lean_mass_kg\n" + Iso(kToday - 25) +
                          ",81,,\n"
                          "2024-02-30,80,,\n"
                          "yesterday,80,,\n" +
                          Iso(kToday - 24) + ",25,,\n" + Iso(kToday - 23) + ",80,70,\n" +
                          Iso(kToday - 22) + ",80kg,,\n" + Iso(kToday + 1) + ",80,,\n" +
                          Iso(kToday - 25) + ",81.2,,\n" + Iso(kToday - 21) + ",,,60\n" +
                          Iso(kToday - 20) + ",600,60,\n";
  const TImportPreview preview = Preview(csv);
  std::vector<std::string> reasons;
  for (const TImportRow& r : preview.rows) reasons.push_back(r.reason);
  EXPECT_EQ(reasons,
            (std::vector<std::string>{"", "not a date (YYYY-MM-DD)", "not a date (YYYY-MM-DD)",
                                      "weight outside 30-600 kg", "body fat outside 1-60 %",
                                      "the weight is not a number", "after today",
                                      "the day is already on line 2", ""}));
  // The day without a weight (an exported report's day) is left out, counted.
  EXPECT_EQ(preview.withoutValue, 1);
  EXPECT_EQ(preview.Summary(), "2 to add, 0 to replace, 7 skipped");
  EXPECT_EQ(PreviewLines(preview)[3],
            "line 5\t" + Iso(kToday - 24) + "\tskip\t\tweight outside 30-600 kg");
}

TEST_F(WeighInImportTest, ADayAlreadyWeighedInIsReplacedOnlyWhenTheValueDiffers) {
  PutWeighIn(kToday - 10, 80.4, 20);
  const TImportPreview preview = Preview("date,weight_kg,body_fat_pct\n" + Iso(kToday - 10) +
                                         ",80.4,20\n" + Iso(kToday - 30) + ",81\n");
  EXPECT_EQ(preview.rows[0].action, TImportAction::Unchanged);
  EXPECT_EQ(preview.rows[1].action, TImportAction::Replace);
  EXPECT_EQ(preview.rows[1].reason, "stored 82 kg");
  EXPECT_EQ(preview.Summary(), "0 to add, 1 to replace, 0 skipped, 1 already stored");
}

TEST_F(WeighInImportTest, EmptyAndForeignFilesAreRefused) {
  struct TCase {
    std::string text;
    const char* reason;
  };
  const TCase cases[] = {
      {"", "the file is empty"},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "the file holds binary data"},
      {"day,weight\n2024-01-01,80\n", "the first row names no \"date\" column"},
      {"date,steps\n2024-01-01,8000\n",
       "the first row names no weight column and no measurement column"},
  };
  for (const TCase& c : cases) {
    std::string why;
    EXPECT_FALSE(PreviewImport(c.text, TImportUnit::Kilograms, *store, kToday, &why));
    EXPECT_EQ(why, c.reason);
  }
}

TEST_F(WeighInImportTest, HistoryIsStoredAndOnlyTheNewestOfAllReadjusts) {
  const float before = model->CurrentActivityCoefficient;
  // Two older days and the newest of all, 5 days ago: 3 kg lost against a
  // logged surplus, so the coefficient rises, by at most 0.1.
  const TImportPreview preview = Preview("date,weight_kg\n" + Iso(kToday - 5) + ",79\n" +
                                         Iso(kToday - 20) + ",81\n" + Iso(kToday - 12) + ",80\n");
  const TImportOutcome outcome = ApplyImport(preview, *model, *store, user);
  EXPECT_EQ(outcome.stored, 3);
  EXPECT_TRUE(outcome.readjusted);
  EXPECT_DOUBLE_EQ(StoredWeight(kToday - 20), 81);
  EXPECT_DOUBLE_EQ(StoredWeight(kToday - 12), 80);
  EXPECT_EQ(model->LatestWeighInDay(), kToday - 5);
  EXPECT_DOUBLE_EQ(model->LastWeighInWeight, 79);
  EXPECT_NEAR(model->CurrentActivityCoefficient, before + 0.1F, 1e-5);
  EXPECT_DOUBLE_EQ(Cal(kToday - 5).PW, 79);
  // Today is projected again from the new anchor.
  EXPECT_NE(Cal(kToday).PW, -1);
  EXPECT_NEAR(Cal(kToday).PW, 79, 1.0);

  // Only older days: stored as history, the anchor and coefficient stay.
  const float settled = model->CurrentActivityCoefficient;
  const TImportOutcome older =
      ApplyImport(Preview("date,weight_kg\n" + Iso(kToday - 8) + ",79.5\n"), *model, *store, user);
  EXPECT_FALSE(older.readjusted);
  EXPECT_DOUBLE_EQ(StoredWeight(kToday - 8), 79.5);
  EXPECT_EQ(model->LatestWeighInDay(), kToday - 5);
  EXPECT_FLOAT_EQ(model->CurrentActivityCoefficient, settled);
}

TEST_F(WeighInImportTest, TheProjectionStepsBackPastAWeighInDayWithoutAProjectedWeight) {
  // A weigh-in stored as history on the newest day, its calorie record
  // without a weight: today is projected from the latest earlier weight.
  PutWeighIn(kToday - 3, 81);
  Cal(kToday - 3).PW = -1;
  for (int d = 3; d >= 0; --d) Cal(kToday - d).PW = -1;
  model->RestartEnergyModel();
  EXPECT_EQ(model->LatestWeighInDay(), kToday - 3);
  EXPECT_NE(Cal(kToday).PW, -1);
}

TEST_F(WeighInImportTest, MeasurementsAreImportedSiteBySiteWithinTheirLimits) {
  PutMeasurement(kToday - 4);
  const TImportPreview preview =
      Preview("date,neck_cm,waist_cm,biceps_left_cm,biceps_right_cm\n" + Iso(kToday - 4) +
              ",38,85,,\n" + Iso(kToday - 3) + ",38.5,,35,35.5\n" + Iso(kToday - 2) + ",300,,,\n" +
              Iso(kToday - 1) + ",,,,\n");
  EXPECT_EQ(preview.kind, TImportKind::Measurements);
  ASSERT_EQ(preview.rows.size(), 3u);
  EXPECT_EQ(preview.rows[0].action, TImportAction::Replace);
  EXPECT_EQ(preview.rows[1].action, TImportAction::Add);
  EXPECT_EQ(preview.rows[2].reason, "Neck outside 0-300 cm");
  EXPECT_EQ(preview.withoutValue, 1);
  ApplyImport(preview, *model, *store, user);
  const TMeasurementList list = ListMeasurements(*store);
  ASSERT_EQ(list.size(), 2u);
  // The stored site the file leaves empty stays as it was.
  EXPECT_DOUBLE_EQ(list[0].Values[TMeasureSite::Neck], 38);
  EXPECT_DOUBLE_EQ(list[0].Values[TMeasureSite::Waist], 85);
  EXPECT_DOUBLE_EQ(list[0].Values[TMeasureSite::Hips], 99);
  EXPECT_DOUBLE_EQ(list[1].Values[TMeasureSite::RBiceps], 35.5);
}

}  // namespace
}  // namespace korvela
