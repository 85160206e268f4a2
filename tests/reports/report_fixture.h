#pragma once
#include <gtest/gtest.h>

#include <memory>

#include "energy/body_records.h"
#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "energy/goal_records.h"
#include "energy/weight_stat.h"
#include "reports/diary_report.h"
#include "reports/report_rows.h"
#include "support/temp_folder.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela::test {

// A user (a man of 30, 180 cm) with the energy, body and training records
// registered, a store, a model, an exercise dictionary of a few exercises and
// a fixed today of 15 June 2007.
class ReportTest : public ::testing::Test {
 protected:
  static constexpr TDateTime kToday = 39248;  // 15 June 2007

  ReportTest() {
    RegisterEnergyRecords(registry);
    RegisterTrainingRecords(registry, config);
    user.UserName = "Tom";
    user.UserHeight = 180;
    user.UserBirthDate = EncodeDate(1977, 1, 1);
    user.UserSex = TSex::Male;
    user.UserActivityLevel = 1;
    user.Folder = folder / "usr1";
    std::filesystem::create_directories(user.Folder);
    dictionary.Load();
    bench = AddDrill("Bench Press, \"flat\"", TMeasureKind::Weight);
    squat = AddDrill("Squat", TMeasureKind::Weight);
    run = AddDrill("Running", TMeasureKind::DistanceTime);
    plank = AddDrill("Plank", TMeasureKind::Time);
    store = std::make_unique<TDayRecordStore>(registry, *random);
    store->OpenDayRecords(user.Folder);
    model = std::make_unique<TEnergyModel>(*store, user, clock);
  }

  std::int32_t AddDrill(const std::string& name, TMeasureKind kind) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    return dictionary.AddExercise(d).ID;
  }

  TCalStat& PutCal(TDateTime day, double p, double f, double c, double pw = -1, float ac = 0) {
    TDBC& entry = store->GetOrCreateDayRecord(kCalStatKind, day);
    TCalStat& cal = store->Loaded<TCalStat>(entry);
    cal.P = p;
    cal.F = f;
    cal.C = c;
    cal.PW = pw;
    cal.AC = ac;
    store->SaveDayRecord(entry);
    return cal;
  }

  void PutWeighIn(TDateTime day, double weight, float bodyFat = -1) {
    TDBC& entry = store->GetOrCreateDayRecord(kWeightStatKind, day);
    TWeightStat& w = store->Loaded<TWeightStat>(entry);
    w.W = weight;
    w.BFP = bodyFat;
    store->SaveDayRecord(entry);
  }

  void PutGoal(TDateTime day, TWeightGoalType type, double weight, TDateTime target = 0) {
    TDBC& entry = store->GetOrCreateDayRecord(kWeightGoalStatKind, day);
    TWeightGoalStat& goal = store->Loaded<TWeightGoalStat>(entry);
    goal.WeightGoalType = type;
    goal.TargetWeight = weight;
    goal.TargetDate = target;
    store->SaveDayRecord(entry);
  }

  TReportSources Sources() { return {*store, *model, config, &dictionary}; }

  TPageTable Page(TReportKind kind, TDateTime from, TDateTime to, std::vector<bool> ticked = {}) {
    TReportRequest request;
    request.Kind = kind;
    request.Period = {from, to};
    request.Ticked = std::move(ticked);
    return ReadPage(DiaryReport(request, Sources()));
  }

  TTempFolder folder;
  TConfigurator config;
  std::unique_ptr<TRandom> random = MakeSeededRandom(7);
  TDayRecordRegistry registry;
  TUser user;
  TFixedClock clock{kToday + 0.6};
  TExerciseDictionary dictionary{folder.Path(), *random};
  std::unique_ptr<TDayRecordStore> store;
  std::unique_ptr<TEnergyModel> model;
  std::int32_t bench = 0, squat = 0, run = 0, plank = 0;
};

}  // namespace korvela::test
