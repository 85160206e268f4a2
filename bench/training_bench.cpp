// The training core on the shipped exercise dictionary (873 exercises) and a
// generated ten-year training diary (fixed seed): three workouts a week of
// ten set lines each and a personal record every week, in a fresh temporary
// folder.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <random>

#include "storage/date_time.h"
#include "storage/day_records.h"
#include "training/exercise_dictionary.h"
#include "training/set_weights.h"
#include "training/training_records.h"
#include "training/workout_grid.h"

namespace korvela::bench {
namespace {

const std::filesystem::path kProgramFolder =
    std::filesystem::path(KORVELA_SHIPPED_EXERCISES).parent_path();
constexpr TDateTime kFirstDay = 42005;  // 1 January 2015
constexpr int kDays = 3652;

// A copy of the shipped dictionary and a diary built once for all benchmarks.
struct TDiary {
  TDiary() {
    std::filesystem::create_directories(folder / "usr1");
    std::filesystem::copy_file(kProgramFolder / kExerciseFile, folder / kExerciseFile);
    dictionary.Load();
    RegisterTrainingRecords(registry, config);
    store = std::make_unique<TDayRecordStore>(registry, *random);
    store->OpenDayRecords(folder / "usr1");
    std::mt19937 draw(7);
    const auto& live = dictionary.Live();
    for (int day = 0; day < kDays; ++day) {
      const TDateTime date = kFirstDay + day;
      if (day % 7 == 0 || day % 7 == 2 || day % 7 == 4) {
        TWorkout w;
        w.Name = NewWorkoutLogName(date);
        w.Date = date + 0.75;
        w.ColMap = TColMap::Default();
        for (int line = 0; line < 10; ++line) {
          TDrillSet set = NewSetLine(config);
          set.DID = live[draw() % live.size()]->ID;
          set.Sets = 3;
          set.Reps = "10";
          set.Weight.Q = std::to_string(20 + draw() % 100);
          w.Lines.emplace_back(set);
        }
        AppendWorkoutLog(*store, dictionary, std::move(w));
      }
      if (day % 7 == 5) {
        TDrillPR pr;
        pr.DID = live[draw() % 40]->ID;
        pr.Weight.Q = std::to_string(60 + draw() % 80);
        pr.Reps = 1 + static_cast<std::int32_t>(draw() % 8);
        pr.Date = date;
        TDBC& entry = store->GetOrCreateDayRecord(kPRWrapperKind, date);
        store->Loaded<TPRWrapper>(entry).Records.push_back(pr);
        store->SaveDayRecord(entry);
      }
    }
    store->CloseDayRecords();
    store->OpenDayRecords(folder / "usr1");
  }
  ~TDiary() {
    store->CloseDayRecords();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }

  std::filesystem::path folder =
      std::filesystem::temp_directory_path() /
      ("korvela-bench-training-" + std::to_string(std::random_device()()));
  TConfigurator config;
  std::unique_ptr<TRandom> random = MakeSeededRandom(1);
  TExerciseDictionary dictionary{folder, *random};
  TDayRecordRegistry registry;
  std::unique_ptr<TDayRecordStore> store;
};

TDiary& Diary() {
  static TDiary diary;
  return diary;
}

// The start-up load of the dictionary: read, unscramble, parse, sort.
void BM_LoadExerciseDictionary(benchmark::State& state) {
  TDiary& diary = Diary();
  for (auto _ : state) {
    TExerciseDictionary d(diary.folder, *diary.random);
    d.Load();
    benchmark::DoNotOptimize(d.Live().size());
  }
}
BENCHMARK(BM_LoadExerciseDictionary)->Unit(benchmark::kMillisecond);

// One keystroke in a filter field of the dictionary screen.
void BM_FilterDictionary(benchmark::State& state) {
  TDiary& diary = Diary();
  TExerciseFilter filter;
  filter[0] = "bench, press";
  filter[1] = "chest";
  std::size_t kept = 0;
  for (auto _ : state) kept = diary.dictionary.Filter(filter).size();
  state.counters["kept"] = static_cast<double>(kept);
}
BENCHMARK(BM_FilterDictionary)->Unit(benchmark::kMicrosecond);

// The workout marks of a month view of the calendar (42 days), each day's
// record read from the file the first time.
void BM_CalendarWorkoutMarks(benchmark::State& state) {
  TDiary& diary = Diary();
  int month = 0;
  for (auto _ : state) {
    const TDateTime first = kFirstDay + 30 * (month++ % 110);
    int marks = 0;
    for (int d = 0; d < 42; ++d) marks += HasWorkout(*diary.store, first + d);
    benchmark::DoNotOptimize(marks);
  }
}
BENCHMARK(BM_CalendarWorkoutMarks)->Unit(benchmark::kMicrosecond);

// The reference record of a set line on the diary's last day: the search
// back through ten years of weekly records.
void BM_ReferenceRecordSearch(benchmark::State& state) {
  TDiary& diary = Diary();
  TWorkout log;
  log.Date = kFirstDay + kDays;
  TDrillSet set = NewSetLine(diary.config);
  set.DID = diary.dictionary.Live()[41]->ID;  // never has a record: the full search
  for (auto _ : state)
    benchmark::DoNotOptimize(ReferenceRecord(*diary.store, diary.dictionary, log, set));
}
BENCHMARK(BM_ReferenceRecordSearch)->Unit(benchmark::kMicrosecond);

// Refilling the grid of a 60-line workout log on the diary's last day: six
// sections of nine set lines (half of them weights relative to a record),
// every cell's text, the reference records and the statistics.
void BM_RefillWorkoutGrid(benchmark::State& state) {
  TDiary& diary = Diary();
  TWorkout log;
  log.Name = "Sixty lines";
  log.Date = kFirstDay + kDays;
  log.Dur = 90;
  log.ColMap = TColMap::Default();
  const auto& live = diary.dictionary.Live();
  for (int section = 0; section < 6; ++section) {
    TWSection s;
    s.Name = "Block " + std::to_string(section + 1);
    s.Reps = 2;
    s.Dur = 600;
    log.Lines.emplace_back(s);
    for (int line = 0; line < 9; ++line) {
      TDrillSet set = NewSetLine(diary.config);
      set.DID = live[static_cast<std::size_t>(section * 9 + line) % 40]->ID;
      set.Sets = 3;
      set.Reps = "8";
      set.Tempo = "3010";
      set.Weight.Q = line % 2 ? "80%1RM" : "100";
      set.Rest = 90;
      log.Lines.emplace_back(set);
    }
  }
  TWorkoutGrid grid({diary.config, diary.dictionary, diary.store.get(), false}, log, log.ColMap);
  for (auto _ : state) {
    grid.Fill();
    benchmark::DoNotOptimize(grid.Text(59, 3));
  }
  state.counters["lines"] = static_cast<double>(log.Lines.size());
}
BENCHMARK(BM_RefillWorkoutGrid)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvela::bench

BENCHMARK_MAIN();
