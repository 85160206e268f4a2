// Speed of the reports on a generated diary of ten years, as the reports
// screen builds them after login: a one-year nutrition report and a ten-year
// bodyweight report, each as its page and as CSV. Every run opens the user's
// day records afresh, so that loading the records the report reads is
// counted; the login's model restart is not.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>

#include "bench_folder.h"
#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "energy/goal_records.h"
#include "energy/weight_stat.h"
#include "reports/diary_report.h"
#include "storage/day_records.h"
#include "storage/random.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela::bench {
namespace {

constexpr std::uint64_t kSeed = 20190104;
const TDateTime kFirstDay = EncodeDate(2009, 1, 4);
const TDateTime kToday = EncodeDate(2019, 1, 4);

double Between(TRandom& random, double low, double high) {
  return low + (high - low) * static_cast<double>(random.Next()) / 4294967296.0;
}

// Ten years of days: a calorie record every day (food on nine days in ten,
// up to two activities), a weigh-in every week, a new weight goal every
// quarter.
struct TDiary {
  TBenchFolder folder;
  TDayRecordRegistry registry;
  TUser user;
  TConfigurator config;
  TFixedClock clock{kToday + 0.5};
  std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed);

  TDiary() {
    RegisterEnergyRecords(registry);
    user.UserName = "Bench";
    user.UserHeight = 178;
    user.UserBirthDate = EncodeDate(1980, 3, 2);
    user.UserSex = TSex::Male;
    user.UserActivityLevel = 1;
    user.Folder = folder.Path();
    TDayRecordStore store(registry, *random);
    store.OpenDayRecords(folder.Path());
    double weight = 86;
    for (TDateTime day = kFirstDay; day <= kToday; ++day) {
      const auto index = static_cast<std::int64_t>(day - kFirstDay);
      if (index % 7 == 0) {
        weight += Between(*random, -0.6, 0.5);
        TDBC& entry = store.GetOrCreateDayRecord(kWeightStatKind, day);
        TWeightStat& w = store.Loaded<TWeightStat>(entry);
        w.W = weight;
        w.BFP = index % 28 == 0 ? static_cast<float>(Between(*random, 12, 24)) : -1;
        store.SaveDayRecord(entry);
      }
      if (index % 91 == 0) {
        TDBC& entry = store.GetOrCreateDayRecord(kWeightGoalStatKind, day);
        TWeightGoalStat& goal = store.Loaded<TWeightGoalStat>(entry);
        goal.WeightGoalType = static_cast<TWeightGoalType>(random->Uniform(0, 3));
        goal.TargetWeight = weight + Between(*random, -5, 5);
        goal.TargetDate = goal.WeightGoalType == TWeightGoalType::Maintain ? 0 : day + 60;
        store.SaveDayRecord(entry);
      }
      TDBC& entry = store.GetOrCreateDayRecord(kCalStatKind, day);
      TCalStat& cal = store.Loaded<TCalStat>(entry);
      if (random->Uniform(0, 10) != 0) {
        cal.P = Between(*random, 60, 180);
        cal.F = Between(*random, 40, 120);
        cal.C = Between(*random, 150, 400);
      }
      cal.AC = static_cast<float>(Between(*random, 1.35, 1.85));
      cal.PW = weight + Between(*random, -0.3, 0.3);
      for (std::int64_t e = random->Uniform(0, 3); e > 0; --e)
        cal.Entries.push_back({day + 0.5, "Cycling", 7.5f, 45, 0});
      store.SaveDayRecord(entry);
    }
    store.CloseDayRecords();
  }
};

TDiary& Diary() {
  static TDiary diary;
  return diary;
}

void RunReport(benchmark::State& state, TReportKind kind, TReportPeriod period, bool csv) {
  TDiary& diary = Diary();
  std::size_t bytes = 0;
  for (auto _ : state) {
    state.PauseTiming();
    TDayRecordStore store(diary.registry, *diary.random);
    store.OpenDayRecords(diary.folder.Path());
    TEnergyModel model(store, diary.user, diary.clock);
    model.RestartEnergyModel();
    state.ResumeTiming();
    TReportRequest request;
    request.Kind = kind;
    request.Period = period;
    const TReportSources sources{store, model, diary.config};
    const std::string text =
        csv ? DiaryReportCsv(request, sources) : DiaryReport(request, sources).Text();
    bytes = text.size();
    benchmark::DoNotOptimize(text.data());
    state.PauseTiming();
    store.CloseDayRecords();
    state.ResumeTiming();
  }
  state.counters["bytes"] = static_cast<double>(bytes);
}

const TReportPeriod kLastYear{EncodeDate(2018, 1, 1), EncodeDate(2018, 12, 31)};
const TReportPeriod kTenYears{kFirstDay, kToday};

void NutritionReportOfOneYear(benchmark::State& state) {
  RunReport(state, TReportKind::Nutrition, kLastYear, false);
}
void NutritionCsvOfOneYear(benchmark::State& state) {
  RunReport(state, TReportKind::Nutrition, kLastYear, true);
}
void BodyweightReportOfTenYears(benchmark::State& state) {
  RunReport(state, TReportKind::Bodyweight, kTenYears, false);
}
void BodyweightCsvOfTenYears(benchmark::State& state) {
  RunReport(state, TReportKind::Bodyweight, kTenYears, true);
}

BENCHMARK(NutritionReportOfOneYear)->Unit(benchmark::kMillisecond);
BENCHMARK(NutritionCsvOfOneYear)->Unit(benchmark::kMillisecond);
BENCHMARK(BodyweightReportOfTenYears)->Unit(benchmark::kMillisecond);
BENCHMARK(BodyweightCsvOfTenYears)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvela::bench

BENCHMARK_MAIN();
