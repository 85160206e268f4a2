// Backing up and restoring a generated diary of ten years: a calorie record
// every day, a food log of a dozen foods every day, a weigh-in every week and
// three workouts a week of six exercises, with the user foods, exercises and
// activities the diary names. Beside it, zlib's deflate of the same files,
// the packing step a zip archive would spend its time in.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#ifdef KORVELA_HAVE_ZLIB
#include <zlib.h>
#endif

#include "activities/sport_list.h"
#include "bench_folder.h"
#include "energy/cal_stat.h"
#include "energy/energy_records.h"
#include "energy/weight_stat.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_log_store.h"
#include "nutrition/menus.h"
#include "nutrition/user_foods.h"
#include "reports/diary_backup.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout_templates.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela::bench {
namespace {

namespace fs = std::filesystem;

constexpr std::uint64_t kSeed = 20190104;
const TDateTime kFirstDay = EncodeDate(2009, 1, 4);
const TDateTime kToday = EncodeDate(2019, 1, 4);
constexpr int kFoods = 60;
constexpr int kExercises = 40;

double Between(TRandom& random, double low, double high) {
  return low + (high - low) * static_cast<double>(random.Next()) / 4294967296.0;
}

// An installation's shared collections in a program folder of its own.
struct TInstallation {
  fs::path folder;
  TConfigurator config;
  std::unique_ptr<TRandom> random;
  TFoodTree foods;
  TMenuList menus;
  TExerciseDictionary exercises;
  TTemplateList templates;
  TSportList sports;
  TIEStores stores;
  TDayRecordRegistry registry;

  TInstallation(fs::path programFolder, std::uint64_t seed)
      : folder(std::move(programFolder)),
        random(MakeSeededRandom(seed)),
        menus(folder, *random),
        exercises(folder, *random),
        templates(folder, config, *random),
        sports(folder, *random),
        stores{folder, foods,  menus,   exercises,        templates,
               sports, config, *random, PosixFileSystem()} {
    fs::create_directories(folder);
    foods.Lists.push_back({std::string(kUserFoodsListName), {}});
    foods.Lists.push_back({std::string(kRecipesListName), {}});
    menus.LoadMenus();
    exercises.Load();
    templates.Load();
    sports.LoadSports();
    RegisterEnergyRecords(registry);
    RegisterTrainingRecords(registry, config);
  }
};

// The diary's home installation and the account folder in it.
struct TDiary {
  TBenchFolder root;
  TInstallation home{root / "home", kSeed};
  fs::path user = root / "home" / "usr1";
  std::uint64_t folderBytes = 0;

  TDiary() {
    fs::create_directories(user);
    TRandom& random = *home.random;
    std::vector<TFoodItem> foods;
    for (int i = 0; i < kFoods; ++i) {
      TUserFood food("Own food " + std::to_string(i));
      food.P = Between(random, 0, 30);
      food.F = Between(random, 0, 30);
      food.C = Between(random, 0, 70);
      food.weights.push_back({"serving", 1, Between(random, 20, 250)});
      SaveUserFood(food, home.folder, random);
      home.foods.UserFoodList().Foods.push_back(std::make_unique<TUserFood>(food));
      foods.push_back(food);
    }
    std::vector<std::int32_t> drills;
    for (int i = 0; i < kExercises; ++i) {
      TDrill drill;
      drill.Name = "Own exercise " + std::to_string(i);
      drill.TDM = TMeasureKind::Weight;
      drills.push_back(home.exercises.AddExercise(drill).ID);
    }
    TSport cycling;
    cycling.Activity = "Cycling";
    cycling.MET = 7.5;
    cycling.Per = 45;
    home.sports.AddSport(cycling);

    TUser account;
    account.UserName = "Bench";
    account.UserHeight = 178;
    account.UserBirthDate = EncodeDate(1980, 3, 2);
    account.UserCreationDate = kFirstDay;
    account.Folder = user;
    SaveUser(account, random);

    TDayRecordStore store(home.registry, random);
    store.OpenDayRecords(user);
    XMLDB logs(user / kArchivedFoodLogsFile, kFoodLogKind, random);
    double weight = 86;
    for (TDateTime day = kFirstDay; day <= kToday; ++day) {
      const auto index = static_cast<std::int64_t>(day - kFirstDay);
      if (index % 7 == 0) {
        weight += Between(random, -0.6, 0.5);
        TDBC& entry = store.GetOrCreateDayRecord(kWeightStatKind, day);
        store.Loaded<TWeightStat>(entry).W = weight;
        store.SaveDayRecord(entry);
      }
      TDBC& entry = store.GetOrCreateDayRecord(kCalStatKind, day);
      TCalStat& cal = store.Loaded<TCalStat>(entry);
      cal.P = Between(random, 60, 180);
      cal.F = Between(random, 40, 120);
      cal.C = Between(random, 150, 400);
      cal.AC = static_cast<float>(Between(random, 1.35, 1.85));
      cal.PW = weight;
      if (index % 3 == 0) cal.Entries.push_back({day + 0.5, "Cycling", 7.5f, 45, 0});
      store.SaveDayRecord(entry);
      if (index % 7 == 0 || index % 7 == 2 || index % 7 == 4) {
        TDBC& workoutEntry = store.GetOrCreateDayRecord(kWorkoutDayKind, day);
        TWorkout workout;
        workout.Name = NewWorkoutLogName(day);
        workout.Date = day;
        for (int k = 0; k < 6; ++k) {
          TDrillSet line = NewSetLine(home.config);
          line.DID = drills[static_cast<std::size_t>(random.Uniform(0, kExercises))];
          line.Sets = 3;
          line.Reps = "8";
          line.Weight.Q = std::to_string(random.Uniform(20, 140));
          workout.Lines.push_back(line);
        }
        store.Loaded<TWorkoutDay>(workoutEntry).Workouts.push_back(std::move(workout));
        store.SaveDayRecord(workoutEntry);
      }
      TDaysMeals log;
      log.ForDate = day;
      for (int m = 0; m < 4; ++m) {
        TMeal meal;
        meal.Name = "Meal " + std::to_string(m + 1);
        meal.TOD = 0.3 + 0.15 * m;
        for (int k = 0; k < 3; ++k) {
          TWFoodItem item(foods[static_cast<std::size_t>(random.Uniform(0, kFoods))]);
          item.WI = 0;
          item.WM = 1;
          item.WMStr = "1";
          meal.foods.push_back(std::move(item));
        }
        log.meals.push_back(std::move(meal));
      }
      logs.Put(WriteFoodLogElement(log), kFoodLogID, kDataKey, day);
    }
    logs.Close();
    store.CloseDayRecords();
    for (const auto& file : fs::directory_iterator(user)) folderBytes += file.file_size();
  }
};

TDiary& Diary() {
  static TDiary diary;
  return diary;
}

void BackUpTenYears(benchmark::State& state) {
  TDiary& diary = Diary();
  const fs::path file = diary.root / "bench.kvb";
  TBackupSummary summary;
  for (auto _ : state)
    summary = BackUpDiary(diary.user, diary.home.registry, diary.home.stores, file);
  state.counters["folder_bytes"] = static_cast<double>(diary.folderBytes);
  state.counters["backup_bytes"] = static_cast<double>(fs::file_size(file));
  state.counters["files"] = static_cast<double>(summary.files);
  state.counters["items"] = static_cast<double>(summary.items);
}

const fs::path& MadeBackup() {
  static const fs::path file = [] {
    TDiary& diary = Diary();
    const fs::path made = diary.root / "made.kvb";
    BackUpDiary(diary.user, diary.home.registry, diary.home.stores, made);
    return made;
  }();
  return file;
}

void CheckTenYearBackup(benchmark::State& state) {
  const fs::path& file = MadeBackup();
  TConfigurator config;
  for (auto _ : state) CheckBackup(file, config, *Diary().home.random);
}

// Each run restores into an installation of its own, made beforehand.
void RestoreTenYears(benchmark::State& state) {
  const fs::path& file = MadeBackup();
  int run = 0;
  for (auto _ : state) {
    state.PauseTiming();
    const fs::path folder = Diary().root / ("other" + std::to_string(run++));
    fs::create_directories(folder);
    auto other = std::make_unique<TInstallation>(folder, kSeed + static_cast<std::uint64_t>(run));
    state.ResumeTiming();
    const TRestoreOutcome outcome = RestoreDiary(file, other->stores, other->registry, {});
    benchmark::DoNotOptimize(outcome.newItems);
    state.PauseTiming();
    other.reset();
    fs::remove_all(folder);
    state.ResumeTiming();
  }
}

#ifdef KORVELA_HAVE_ZLIB
// zlib's deflate (default level) of every file of the folder, in memory:
// what a zip archive of the folder would spend in compression.
void ZlibDeflateOfTheSameFiles(benchmark::State& state) {
  TDiary& diary = Diary();
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(diary.user)) {
    std::ifstream in(entry.path(), std::ios::binary);
    files.emplace_back(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::uint64_t packed = 0;
  for (auto _ : state) {
    packed = 0;
    for (const std::string& bytes : files) {
      uLongf size = compressBound(static_cast<uLong>(bytes.size()));
      std::vector<Bytef> out(size);
      compress2(out.data(), &size, reinterpret_cast<const Bytef*>(bytes.data()),
                static_cast<uLong>(bytes.size()), Z_DEFAULT_COMPRESSION);
      packed += size;
    }
  }
  state.counters["deflated_bytes"] = static_cast<double>(packed);
}
BENCHMARK(ZlibDeflateOfTheSameFiles)->Unit(benchmark::kMillisecond);
#endif

BENCHMARK(BackUpTenYears)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(CheckTenYearBackup)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(RestoreTenYears)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace
}  // namespace korvela::bench

BENCHMARK_MAIN();
