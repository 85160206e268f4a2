// The food log screen's refresh after a change, for a day of 40 foods in six
// meals, on a user with ten years of daily records: the Qt-free part (the
// panels' figures and the list's rows) and the whole screen refresh (tabs,
// list, targets, panels and commands). The screen runs offscreen.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <filesystem>
#include <iostream>
#include <memory>

#include "app/program.h"
#include "app/string_table.h"
#include "bench_folder.h"
#include "energy/energy_records.h"
#include "energy/goal_records.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_logging.h"
#include "nutrition/ui/food_log_form.h"
#include "storage/day_records.h"
#include "storage/random.h"
#include "users/clock.h"
#include "users/prompter.h"

namespace korvela::bench {
namespace {

const TDateTime kFirstDay = EncodeDate(2009, 1, 4);
const TDateTime kToday = EncodeDate(2019, 1, 4);
constexpr int kMeals = 6;
constexpr int kFoods = 40;

double Between(TRandom& random, double low, double high) {
  return low + (high - low) * static_cast<double>(random.Next()) / 4294967296.0;
}

// Answers every question with No and shows nothing.
class TQuietPrompter final : public TPrompter {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  TAnswer AskYesNoAll(const std::string&) override { return TAnswer::No; }
};

struct TScreen {
  TBenchFolder folder;
  TFixedClock clock{kToday + 0.5};
  std::unique_ptr<TRandom> random = MakeSeededRandom(20190104);
  TProgram program{folder.Path(), TSystemDefaults{}, clock, *random};
  TQuietPrompter prompter;
  std::unique_ptr<TFFoodLogForm> form;

  TScreen() {
    TStringTable strings(folder / kStringTableFileName, *random);
    strings.PutString(kTitleString, "Korvela");
    strings.Close();
    std::filesystem::copy_file(KORVELA_SHIPPED_FOODS, folder / "foods.dat");
    program.Start();
    TNewAccount account;
    account.name = "Bench";
    account.birthDate = EncodeDate(1980, 3, 2);
    account.sex = TSex::Male;
    account.activityLevel = 1;
    account.heightCm = 178;
    account.weightKg = 86;
    TUser& user = program.CreateAccount(account);
    program.LogOff();
    WriteDiary(user.Folder);
    program.Login(user);
    (void)LoadFoodCatalogue(program.Foods(), program.Units(), folder.Path(), *random);
    form = std::make_unique<TFFoodLogForm>(program, prompter, kToday);
    LogBusyDay();
  }

  // A calorie record for every day, a weigh-in every week, a goal to lose.
  void WriteDiary(const std::filesystem::path& userFolder) {
    TDayRecordRegistry registry;
    RegisterEnergyRecords(registry);
    TDayRecordStore store(registry, *random);
    store.OpenDayRecords(userFolder);
    double weight = 86;
    for (TDateTime day = kFirstDay; day <= kToday; ++day) {
      if (static_cast<int>(day - kFirstDay) % 7 == 0) {
        weight += Between(*random, -0.6, 0.5);
        TDBC& entry = store.GetOrCreateDayRecord(kWeightStatKind, day);
        store.Loaded<TWeightStat>(entry).W = weight;
        store.SaveDayRecord(entry);
      }
      TDBC& entry = store.GetOrCreateDayRecord(kCalStatKind, day);
      TCalStat& cal = store.Loaded<TCalStat>(entry);
      cal.P = Between(*random, 60, 180);
      cal.F = Between(*random, 40, 120);
      cal.C = Between(*random, 150, 400);
      cal.AC = static_cast<float>(Between(*random, 1.35, 1.85));
      cal.PW = weight;
      store.SaveDayRecord(entry);
    }
    TDBC& goalEntry = store.GetOrCreateDayRecord(kWeightGoalStatKind, kToday - 30);
    TWeightGoalStat& goal = store.Loaded<TWeightGoalStat>(goalEntry);
    goal.WeightGoalType = TWeightGoalType::Lose;
    goal.TargetWeight = weight - 5;
    goal.TargetDate = kToday + 90;
    store.SaveDayRecord(goalEntry);
    store.CloseDayRecords();
  }

  // 40 catalogue foods spread over six meals of the day's log.
  void LogBusyDay() {
    TFoodLogState& state = form->State();
    form->Dialogs().logFood = [this](TWFoodItem item, TDaysMeals& plan, int meal) {
      TFoodLogging logging(std::move(item), plan, meal, program.Config());
      return TLogOutcome{true, logging.Confirm(), false};
    };
    static const char* const kQueries[] = {"oats",   "milk",    "banana", "apple",  "bread",
                                           "cheese", "chicken", "rice",   "egg",    "yogurt",
                                           "beef",   "salmon",  "pasta",  "potato", "carrot",
                                           "tomato", "orange",  "butter", "beans",  "tuna"};
    int logged = 0;
    for (int i = 0; logged < kFoods; ++i) {
      state.Find(kQueries[i % 20], 0, false);
      if (state.Results().empty()) continue;
      const int meal = logged % kMeals;
      TDaysMeals& plan = state.Plan(0);
      while (static_cast<int>(plan.meals.size()) <= meal) {
        // The default day has five meals; the sixth is a late snack.
        TMeal extra;
        extra.Name = "Late snack";
        extra.TOD = plan.meals.back().TOD + 1.0 / 12;
        plan.meals.push_back(extra);
      }
      state.SetDefaultMeal(meal);
      state.LogFood(1, static_cast<int>(static_cast<std::size_t>(i) % state.Results().size()));
      ++logged;
    }
  }
};

// Made in main, after the application object, and gone before it.
std::unique_ptr<TScreen> gScreen;
TScreen& Screen() { return *gScreen; }

void BM_PanelsAndRows(benchmark::State& s) {
  TFoodLogState& state = Screen().form->State();
  for (auto _ : s) {
    TFoodLogPanels panels = state.Panels();
    std::vector<TListRow> rows = state.Rows(kFirstPlanTab);
    benchmark::DoNotOptimize(panels);
    benchmark::DoNotOptimize(rows);
  }
  s.counters["foods"] = static_cast<double>(kFoods);
}
BENCHMARK(BM_PanelsAndRows)->Unit(benchmark::kMicrosecond);

void BM_ScreenRefresh(benchmark::State& s) {
  TFFoodLogForm& form = *Screen().form;
  for (auto _ : s) form.Refresh(kFirstPlanTab);
}
BENCHMARK(BM_ScreenRefresh)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvela::bench

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  korvela::bench::gScreen = std::make_unique<korvela::bench::TScreen>();
  const korvela::TDaysMeals& plan = korvela::bench::Screen().form->State().Plan(0);
  std::size_t foods = 0;
  for (const auto& meal : plan.meals) foods += meal.foods.size();
  std::cout << "day: " << plan.meals.size() << " meals, " << foods << " foods\n";
  benchmark::RunSpecifiedBenchmarks();
  korvela::bench::gScreen.reset();
  return 0;
}
