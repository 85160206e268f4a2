// The food log store of a user with ten years of daily logs: saving a day's
// log (the calorie record, the log written to its file) and closing the
// store, and the archiving pass that runs at every login. Logs are made of
// real catalogue foods with their measures, about a dozen a day.
//
// Bytes written are counted by a file system that passes everything through
// to the real one.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <iostream>
#include <memory>

#include "bench_folder.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_log_store.h"
#include "nutrition/meal_definitions.h"
#include "storage/day_records.h"
#include "storage/garbled_stream.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela::bench {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kToday = 46000;  // 9 December 2025
constexpr int kYears = 10;

class TCountingFile : public TWritableFile {
 public:
  TCountingFile(std::unique_ptr<TWritableFile> file, std::int64_t& count)
      : file_(std::move(file)), count_(count) {}
  void Write(const void* data, std::size_t size) override {
    count_ += static_cast<std::int64_t>(size);
    file_->Write(data, size);
  }
  void WriteAt(std::int64_t offset, const void* data, std::size_t size) override {
    count_ += static_cast<std::int64_t>(size);
    file_->WriteAt(offset, data, size);
  }
  void Flush() override { file_->Flush(); }
  void Close() override { file_->Close(); }
  std::int64_t Size() const override { return file_->Size(); }

 private:
  std::unique_ptr<TWritableFile> file_;
  std::int64_t& count_;
};

class TCountingFileSystem : public TFileSystem {
 public:
  std::int64_t written = 0;
  std::unique_ptr<TReadableFile> OpenRead(const fs::path& path) override {
    return PosixFileSystem().OpenRead(path);
  }
  std::unique_ptr<TWritableFile> Create(const fs::path& path) override {
    return std::make_unique<TCountingFile>(PosixFileSystem().Create(path), written);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const fs::path& path) override {
    return std::make_unique<TCountingFile>(PosixFileSystem().OpenUpdate(path), written);
  }
  void Rename(const fs::path& from, const fs::path& to) override {
    PosixFileSystem().Rename(from, to);
  }
  void Remove(const fs::path& path) override { PosixFileSystem().Remove(path); }
  bool Exists(const fs::path& path) override { return PosixFileSystem().Exists(path); }
};

// The catalogue's foods, for building logs.
const std::vector<const TFoodItem*>& CatalogueFoods() {
  static TFoodTree tree;
  static std::vector<const TFoodItem*> foods;
  if (foods.empty()) {
    TUnitDictionary units;
    const fs::path folder = fs::path(KORVELA_SHIPPED_FOODS).parent_path();
    if (!LoadFoodCatalogue(tree, units, folder, *MakeSeededRandom(1)))
      throw std::runtime_error("foods.dat is missing in " + folder.string());
    for (const auto& list : tree.Lists)
      for (const auto& food : list.Foods) foods.push_back(food.get());
  }
  return foods;
}

TDaysMeals GeneratedLog(TDateTime day, TRandom& random) {
  const std::vector<const TFoodItem*>& foods = CatalogueFoods();
  TDaysMeals log = NewDayPlan(day, DefaultMealDefinitions());
  const int count = 8 + static_cast<int>(random.Uniform(0, 9));
  for (int i = 0; i < count; ++i) {
    TWFoodItem food(*foods[static_cast<std::size_t>(random.Uniform(0, std::ssize(foods)))]);
    food.WI = static_cast<std::int32_t>(random.Uniform(0, std::ssize(food.weights) + 1));
    food.WM = food.InGrams() ? 150 : 1.5L;
    food.WMStr = food.InGrams() ? "150" : "1 1/2";
    log.meals[static_cast<std::size_t>(random.Uniform(0, std::ssize(log.meals)))].foods.push_back(
        std::move(food));
  }
  return log;
}

// A user folder with ten years of logs: every day up to 30 days ago in the
// archive, the days since in the current file (as just after an archiving
// pass), plus `pendingDays` more logs 30 to 60 days old still in the current
// file. Made once per setup and copied for every run.
fs::path MakeDiary(const TBenchFolder& folder, const std::string& name, int pendingDays) {
  const fs::path user = folder / name;
  fs::create_directories(user);
  const auto random = MakeSeededRandom(2025);
  XMLDB archive(user / std::string(kArchivedFoodLogsFile), kFoodLogKind, *random);
  XMLDB current(user / std::string(kCurrentFoodLogsFile), kFoodLogKind, *random);
  for (TDateTime day = kToday - 365 * kYears; day <= kToday; day += 1) {
    const int age = static_cast<int>(kToday - day);
    XMLDB& db = age >= kArchiveAge + pendingDays ? archive : current;
    db.Put(WriteFoodLogElement(GeneratedLog(day, *random)), kFoodLogID, kDataKey, day);
  }
  archive.Close();
  current.Close();
  return user;
}

void CopyDiary(const fs::path& from, const fs::path& to) {
  fs::remove_all(to);
  fs::copy(from, to, fs::copy_options::recursive);
}

struct TUserData {
  TDayRecordRegistry registry;
  TUser user;
  TFixedClock clock{kToday + 0.5};
  std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  std::unique_ptr<TDayRecordStore> records;
  std::unique_ptr<TEnergyModel> model;

  explicit TUserData(const fs::path& folder) {
    RegisterEnergyRecords(registry);
    user.UserHeight = 180;
    user.UserBirthDate = kToday - 35 * 365;
    user.Folder = folder;
    records = std::make_unique<TDayRecordStore>(registry, *random);
    records->OpenDayRecords(folder);
    model = std::make_unique<TEnergyModel>(*records, user, clock);
    model->RestartEnergyModel();
  }
};

void SaveDayLogAndClose(benchmark::State& state, int daysAgo) {
  TBenchFolder folder;
  const fs::path original = MakeDiary(folder, "original", 0);
  const fs::path user = folder / "user";
  const auto random = MakeSeededRandom(9);
  TCountingFileSystem counting;
  std::int64_t files = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CopyDiary(original, user);
    TUserData data(user);
    TFoodLogStore store(user, *random, counting);
    TDaysMeals log = *store.LoadDayLog(kToday - daysAgo);
    log.meals[0].foods.push_back(log.meals.back().foods.empty() ? TWFoodItem(*CatalogueFoods()[0])
                                                                : log.meals.back().foods[0]);
    log.meals[0].foods.back().WI = 0;
    log.meals[0].foods.back().WM = 1;
    const std::int64_t before = counting.written;
    state.ResumeTiming();

    SaveDayLog(log, store, *data.model);
    store.Close();

    state.PauseTiming();
    files += counting.written - before;
    data.records->CloseDayRecords();
    state.ResumeTiming();
  }
  state.counters["bytes_written"] =
      benchmark::Counter(static_cast<double>(files) / static_cast<double>(state.iterations()));
  state.counters["FDBA_bytes"] = static_cast<double>(fs::file_size(original / "FDBA.DAT"));
  state.counters["FDBC_bytes"] = static_cast<double>(fs::file_size(original / "FDBC.DAT"));
}

void BM_SaveDayLogToday(benchmark::State& state) { SaveDayLogAndClose(state, 0); }
BENCHMARK(BM_SaveDayLogToday)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_SaveDayLogFiveYearsAgo(benchmark::State& state) { SaveDayLogAndClose(state, 5 * 365); }
BENCHMARK(BM_SaveDayLogFiveYearsAgo)->Unit(benchmark::kMillisecond)->Iterations(20);

// The login's pass: open both files, find the first old log, move, close.
// Arg 0: nothing old enough (most logins); arg 30: thirty logs 30 to 60 days
// old and one of 60 are moved (about once a month).
void BM_ArchivingPass(benchmark::State& state) {
  const int pending = static_cast<int>(state.range(0));
  TBenchFolder folder;
  const fs::path original = MakeDiary(folder, "original", pending == 0 ? 0 : pending + 1);
  const fs::path user = folder / "user";
  const auto random = MakeSeededRandom(9);
  TCountingFileSystem counting;
  std::int64_t files = 0;
  int moved = 0;
  for (auto _ : state) {
    state.PauseTiming();
    CopyDiary(original, user);
    const std::int64_t before = counting.written;
    state.ResumeTiming();
    moved = ArchiveOldFoodLogs(user, kToday, *random, counting);
    state.PauseTiming();
    files += counting.written - before;
    state.ResumeTiming();
  }
  state.counters["moved"] = moved;
  state.counters["bytes_written"] =
      benchmark::Counter(static_cast<double>(files) / static_cast<double>(state.iterations()));
}
BENCHMARK(BM_ArchivingPass)->Arg(0)->Arg(30)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace korvela::bench

BENCHMARK_MAIN();
