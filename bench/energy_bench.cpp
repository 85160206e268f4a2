// Speed of the energy model on a generated diary of ten years: restarting the
// model at login, and computing every figure of one day as the dashboard does.
// The diary is written through the real day-record store into a temporary
// folder: a calorie record for every day (food on most days, 0-2 activity
// entries) and a weigh-in every week.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <cstdint>
#include <exception>
#include <filesystem>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>

#include "bench_folder.h"
#include "energy/body_records.h"
#include "energy/calendar_marks.h"
#include "energy/dashboard.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "energy/goal_records.h"
#include "storage/day_records.h"
#include "storage/random.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela::bench {
namespace {

constexpr std::uint64_t kSeed = 20190101;
// The diary runs through today; the latest weigh-in was three days ago.
const TDateTime kFirstDay = EncodeDate(2009, 1, 4);
const TDateTime kToday = EncodeDate(2019, 1, 4);
const TDateTime kHistoricDay = EncodeDate(2014, 6, 17);

using bench::TBenchFolder;

double Between(TRandom& random, double low, double high) {
  return low + (high - low) * static_cast<double>(random.Next()) / 4294967296.0;
}

// The user, the clock and the registry every benchmark shares, and the diary
// on disk, generated on first use.
struct TDiary {
  TBenchFolder folder;
  TDayRecordRegistry registry;
  TUser user;
  TFixedClock clock{kToday + 0.5};
  std::unique_ptr<TRandom> random = MakeSeededRandom(kSeed);
  std::size_t calorieRecords = 0;
  std::size_t weighIns = 0;

  TDiary() {
    RegisterEnergyRecords(registry);
    user.UserName = "Bench";
    user.UserHeight = 178;
    user.UserBirthDate = EncodeDate(1980, 3, 2);
    user.UserSex = TSex::Male;
    user.UserActivityLevel = 1;
    user.Folder = folder.Path();
    Generate();
  }

  void Generate() {
    static const char* const kActivities[] = {"Walking, 5 km/h", "Cycling, 20 km/h",
                                              "Swimming laps",   "Gardening",
                                              "Workout",         "Running, 10 km/h"};
    TDayRecordStore store(registry, *random);
    store.OpenDayRecords(folder.Path());
    double weight = 86;
    float coefficient = 1.6f;
    for (TDateTime day = kFirstDay; day <= kToday; ++day) {
      const auto index = static_cast<std::int64_t>(day - kFirstDay);
      const bool weighInDay = index % 7 == 0;
      if (weighInDay) {
        weight += Between(*random, -0.6, 0.5);
        coefficient = static_cast<float>(Between(*random, 1.35, 1.85));
        TDBC& entry = store.GetOrCreateDayRecord(kWeightStatKind, day);
        TWeightStat& w = store.Loaded<TWeightStat>(entry);
        w.W = weight;
        w.BFP = index % 28 == 0 ? static_cast<float>(Between(*random, 12, 24)) : -1;
        store.SaveDayRecord(entry);
        ++weighIns;
      }
      TDBC& entry = store.GetOrCreateDayRecord(kCalStatKind, day);
      TCalStat& cal = store.Loaded<TCalStat>(entry);
      if (random->Uniform(0, 10) != 0) {  // one day in ten goes unreported
        cal.P = Between(*random, 60, 180);
        cal.F = Between(*random, 40, 120);
        cal.C = Between(*random, 150, 400);
        cal.A = random->Uniform(0, 5) == 0 ? Between(*random, 10, 40) : 0;
      }
      cal.AC = coefficient;
      cal.PW = weight + Between(*random, -0.3, 0.3);
      const auto entries = random->Uniform(0, 3);
      for (std::int64_t e = 0; e < entries; ++e) {
        const auto activity = random->Uniform(0, 6);
        cal.Entries.push_back({day + Between(*random, 0.25, 0.85), kActivities[activity],
                               static_cast<float>(Between(*random, 2.5, 11)),
                               static_cast<std::int32_t>(random->Uniform(15, 120)),
                               activity == 4 ? 1 : 0});
      }
      store.SaveDayRecord(entry);
      ++calorieRecords;
    }
    // Goals adopted now and then, a coloured phase every quarter and body
    // measurements every other week.
    for (TDateTime day = kFirstDay; day <= kToday; day += 91) {
      TDBC& diet = store.GetOrCreateDayRecord(kDietCompStatKind, day);
      TDietCompStat& comp = store.Loaded<TDietCompStat>(diet);
      comp.Constraints = {{TNutrient::Protein, TQualifier::AtLeast, 2, TMeasurement::GramsPerKg, 5},
                          {TNutrient::Fats, TQualifier::AtMost, 30, TMeasurement::PercentOfCalories, 5}};
      store.SaveDayRecord(diet);
      TDBC& phase = store.GetOrCreateDayRecord(kPhaseStatKind, day);
      TPhaseStat& p = store.Loaded<TPhaseStat>(phase);
      p.PName = "Phase";
      p.PEndDate = day + 80;
      p.PColor = RgbColor(static_cast<std::uint8_t>(random->Uniform(0, 256)), 120, 200);
      store.SaveDayRecord(phase);
    }
    for (TDateTime day = kFirstDay; day <= kToday; day += 14) {
      TDBC& entry = store.GetOrCreateDayRecord(kMeasureStatKind, day);
      store.Loaded<TMeasureStat>(entry)[TMeasureSite::Waist] = Between(*random, 80, 95);
      store.SaveDayRecord(entry);
    }
    TDBC& goalEntry = store.GetOrCreateDayRecord(kWeightGoalStatKind, kToday - 30);
    TWeightGoalStat& goal = store.Loaded<TWeightGoalStat>(goalEntry);
    goal.WeightGoalType = TWeightGoalType::Lose;
    goal.TargetWeight = weight - 5;
    goal.TargetDate = kToday + 90;
    store.SaveDayRecord(goalEntry);
    // The latest weigh-in three days before today.
    TDBC& latest = store.GetOrCreateDayRecord(kWeightStatKind, kToday - 3);
    store.Loaded<TWeightStat>(latest).W = weight;
    store.SaveDayRecord(latest);
    ++weighIns;
    store.CloseDayRecords();
  }
};

TDiary& Diary() {
  static TDiary diary;
  return diary;
}

// Login as far as the energy model goes: the files indexed, then the restart
// timed (it projects today, loads two months of records and writes the files).
void BM_RestartEnergyModel(benchmark::State& state) {
  TDiary& diary = Diary();
  for (auto _ : state) {
    state.PauseTiming();
    auto store = std::make_unique<TDayRecordStore>(diary.registry, *diary.random);
    store->OpenDayRecords(diary.folder.Path());
    TEnergyModel model(*store, diary.user, diary.clock);
    model.ClearFlags();
    state.ResumeTiming();
    model.RestartEnergyModel();
    state.PauseTiming();
    store->CloseDayRecords();
    store.reset();
    state.ResumeTiming();
  }
  state.counters["calorie_records"] = static_cast<double>(diary.calorieRecords);
  state.counters["weigh_ins"] = static_cast<double>(diary.weighIns);
}
BENCHMARK(BM_RestartEnergyModel)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same with the indexing of the day-record files: the whole energy share
// of a login.
void BM_OpenDayRecordsAndRestart(benchmark::State& state) {
  TDiary& diary = Diary();
  for (auto _ : state) {
    auto store = std::make_unique<TDayRecordStore>(diary.registry, *diary.random);
    store->OpenDayRecords(diary.folder.Path());
    TEnergyModel model(*store, diary.user, diary.clock);
    model.RestartEnergyModel();
    state.PauseTiming();
    store->CloseDayRecords();
    store.reset();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenDayRecordsAndRestart)->Unit(benchmark::kMillisecond)->UseRealTime();

// Every operation of the model that reads one day, on the day's record; the
// sum keeps the compiler from dropping any.
Extended AllFiguresOfDay(TEnergyModel& model, TCalStat& day, const TUser& user) {
  const TDateTime date = day.Owner->Date;
  const bool female = user.UserSex == TSex::Female;
  model.CheckTodayProjection();
  Extended sum = EatenCalories(day);
  sum += TEnergyModel::MifflinRmr(user.AgeOn(date), female, day.PW, user.UserHeight);
  sum += TEnergyModel::ReferenceWeight(female, user.UserHeight);
  const Extended adaptation = model.UnderfeedingAdaptation(date);
  const Extended bodyFat = model.BodyFatOnDay(date);
  sum += adaptation + bodyFat;
  sum += TEnergyModel::MetabolicFactor(female, adaptation, static_cast<float>(bodyFat),
                                       user.UserHeight, day.PW);
  sum += model.RestingMetabolicRate(day);
  sum += model.ThermicEffectOfFood(day);
  sum += model.DailyPhysicalActivity(day);
  sum += model.ExerciseCalories(day);
  sum += model.TotalDailyExpenditure(day);
  sum += model.CalorieBalance(day);
  sum += model.InProjectionWindow(date) ? 1 : 0;
  sum += model.CurrentProjectedWeight();
  sum += model.LatestWeighInWeight();
  sum += model.RestingMetabolicRateOn(date);
  sum += model.ActivityCoefficientOn(date);
  sum += TEnergyModel::DefaultActivityCoefficient(female, user.UserActivityLevel);
  sum += model.CurrentRestingRate();
  sum += model.RestingRateForDay(date);
  return sum;
}

// One dashboard recomputation after login: the day's record and its three
// days before are loaded (today's by the restart, a historic day's on the
// first iteration).
void BM_DashboardDay(benchmark::State& state, TDateTime date) {
  TDiary& diary = Diary();
  TDayRecordStore store(diary.registry, *diary.random);
  store.OpenDayRecords(diary.folder.Path());
  TEnergyModel model(store, diary.user, diary.clock);
  model.RestartEnergyModel();
  TCalStat& day = store.Loaded<TCalStat>(store.GetOrCreateDayRecord(kCalStatKind, date));
  for (auto _ : state) benchmark::DoNotOptimize(AllFiguresOfDay(model, day, diary.user));
  store.CloseDayRecords();
}
BENCHMARK_CAPTURE(BM_DashboardDay, today, kToday)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_DashboardDay, historic, kHistoricDay)->Unit(benchmark::kMicrosecond);

// The main window's recomputation of every panel for a day, nutrition plan
// included, with ten years of records, goals, phases and measurements.
void BM_CalendarChange(benchmark::State& state, TDateTime date) {
  TDiary& diary = Diary();
  TDayRecordStore store(diary.registry, *diary.random);
  store.OpenDayRecords(diary.folder.Path());
  TEnergyModel model(store, diary.user, diary.clock);
  model.RestartEnergyModel();
  TConfigurator config;
  for (auto _ : state) benchmark::DoNotOptimize(CalendarChange(date, model, store, config));
  store.CloseDayRecords();
}
BENCHMARK_CAPTURE(BM_CalendarChange, today, kToday)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(BM_CalendarChange, historic, kHistoricDay)->Unit(benchmark::kMicrosecond);

// The marks of the 42 cells of a month page: the phases read once, then every
// day's bands and record icons.
void BM_MonthOfCalendarMarks(benchmark::State& state) {
  TDiary& diary = Diary();
  TDayRecordStore store(diary.registry, *diary.random);
  store.OpenDayRecords(diary.folder.Path());
  const TWorkoutQuery noWorkouts = [](TDateTime) { return false; };
  const TDateTime firstCell = kHistoricDay - 20;
  for (auto _ : state) {
    const std::vector<TPhaseBand> phases = PhaseBands(store);
    std::size_t marks = 0;
    for (int cell = 0; cell < 42; ++cell) {
      const TDayMarks day = CalendarDrawFlags(store, phases, firstCell + cell, noWorkouts);
      marks += day.bands.size() + day.weighIn + day.measurements;
    }
    benchmark::DoNotOptimize(marks);
  }
  store.CloseDayRecords();
}
BENCHMARK(BM_MonthOfCalendarMarks)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvela::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  try {
    korvela::bench::Diary();
    benchmark::RunSpecifiedBenchmarks();
  } catch (const std::exception& e) {
    std::cerr << "korvela-bench-energy: " << e.what() << '\n';
    benchmark::Shutdown();
    return 1;
  }
  benchmark::Shutdown();
  return 0;
}
