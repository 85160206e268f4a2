// A diary's weigh-ins and measurements exported as CSV by the reports come
// back in another account through the import, record by record.
#include <gtest/gtest.h>

#include <map>

#include "energy/body_records.h"
#include "energy/weigh_in_import.h"
#include "report_fixture.h"

namespace korvela {
namespace {

class CsvRoundTripTest : public test::ReportTest {
 protected:
  std::string Export(TReportKind kind, TDateTime from, TDateTime to) {
    TReportRequest request;
    request.Kind = kind;
    request.Period = {from, to};
    return DiaryReportCsv(request, Sources());
  }

  static std::map<TDateTime, std::pair<double, float>> WeighIns(TDayRecordStore& records) {
    std::map<TDateTime, std::pair<double, float>> all;
    for (const auto& entry : records.List(kWeightStatKind)) {
      const TWeightStat& w = records.Loaded<TWeightStat>(*entry);
      all[entry->Date] = {w.W, w.BFP};
    }
    return all;
  }
};

TEST_F(CsvRoundTripTest, WeighInsAndMeasurementsComeBackInAnotherAccount) {
  // Tom's diary: weigh-ins with and without body fat, two measurements.
  PutCal(kToday - 40, 0, 0, 0, 84, 1.6F);
  PutWeighIn(kToday - 40, 84.25, 22.5F);
  PutWeighIn(kToday - 33, 83.6);
  PutWeighIn(kToday - 26, 83.15, 21.75F);
  PutWeighIn(kToday - 19, 82.9);
  model->RestartEnergyModel();
  for (const TDateTime day : {kToday - 30, kToday - 16}) {
    TDBC& entry = store->GetOrCreateDayRecord(kMeasureStatKind, day);
    TMeasureStat& m = store->Loaded<TMeasureStat>(entry);
    m[TMeasureSite::Waist] = day == kToday - 30 ? 91.5 : 90.25;
    m[TMeasureSite::LBiceps] = 35.5;
    m[TMeasureSite::RCalf] = 38.75;
    store->SaveDayRecord(entry);
  }
  const std::string weights = Export(TReportKind::Bodyweight, kToday - 45, kToday);
  const std::string sites = Export(TReportKind::Measurements, kToday - 45, kToday);

  // Ann's account, made 60 days ago, in a folder of its own.
  TUser ann = user;
  ann.UserName = "Ann";
  ann.Folder = folder / "usr2";
  std::filesystem::create_directories(ann.Folder);
  TDayRecordStore records(registry, *random);
  records.OpenDayRecords(ann.Folder);
  TEnergyModel annModel(records, ann, clock);
  {
    TDBC& cal = records.GetOrCreateDayRecord(kCalStatKind, kToday - 60);
    records.Loaded<TCalStat>(cal).PW = 70;
    records.Loaded<TCalStat>(cal).AC = 1.5F;
    records.SaveDayRecord(cal);
    TDBC& w = records.GetOrCreateDayRecord(kWeightStatKind, kToday - 60);
    records.Loaded<TWeightStat>(w).W = 70;
    records.SaveDayRecord(w);
    annModel.RestartEnergyModel();
  }

  std::string why;
  const std::optional<TImportPreview> weighIns =
      PreviewImport(weights, TImportUnit::Pounds, records, kToday, &why);
  ASSERT_TRUE(weighIns) << why;
  EXPECT_EQ(weighIns->Summary(), "4 to add, 0 to replace, 0 skipped");
  ApplyImport(*weighIns, annModel, records, ann);
  std::map<TDateTime, std::pair<double, float>> expected = WeighIns(*store);
  expected[kToday - 60] = {70, -1};
  EXPECT_EQ(WeighIns(records), expected);

  const std::optional<TImportPreview> measurements =
      PreviewImport(sites, TImportUnit::Kilograms, records, kToday, &why);
  ASSERT_TRUE(measurements) << why;
  EXPECT_EQ(measurements->kind, TImportKind::Measurements);
  ApplyImport(*measurements, annModel, records, ann);
  const TMeasurementList mine = ListMeasurements(*store);
  const TMeasurementList hers = ListMeasurements(records);
  ASSERT_EQ(hers.size(), mine.size());
  for (std::size_t i = 0; i < mine.size(); ++i) {
    EXPECT_EQ(hers[i].Date, mine[i].Date);
    EXPECT_EQ(hers[i].Values.Sites, mine[i].Values.Sites);
  }
  records.CloseDayRecords();
}

}  // namespace
}  // namespace korvela
