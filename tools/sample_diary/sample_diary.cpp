// korvela-sample-diary DATAFOLDER: makes a small diary in a data folder that
// holds the shipped files, for pictures of the program: the account "Ann"
// (no password) with four weeks of weigh-ins and eaten calories, a goal to
// lose weight, and today's food log of a few catalogue foods by meal. The
// days end today, so the program opens on a filled-in dashboard. Not
// installed; scripts/screenshots runs it.
#include <cmath>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>

#include "app/program.h"
#include "app/user_session.h"
#include "energy/energy_records.h"
#include "energy/goal_records.h"
#include "energy/weight_stat.h"
#include "nutrition/food_log_state.h"
#include "nutrition/food_log_store.h"
#include "nutrition/food_logging.h"
#include "storage/day_records.h"
#include "storage/random.h"
#include "users/clock.h"
#include "users/prompter.h"

namespace korvela {
namespace {

constexpr int kDays = 28;

class TSilentPrompter final : public TPrompter {
 public:
  void Warn(const std::string& text) override {
    std::fprintf(stderr, "warning: %s\n", text.c_str());
  }
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  TAnswer AskYesNoAll(const std::string&) override { return TAnswer::No; }
};

// A weigh-in every few days on the way down from 74.6 kg, and every day's
// protein, fat and carbohydrate, all with a little day-to-day wobble.
void WriteDays(const std::filesystem::path& userFolder, TDateTime today, TRandom& random) {
  const auto wobble = [&random](double size) {
    return size * (static_cast<double>(random.Next() % 2001) / 1000.0 - 1.0);
  };
  TDayRecordRegistry registry;
  RegisterEnergyRecords(registry);
  TDayRecordStore store(registry, random);
  store.OpenDayRecords(userFolder);
  const TDateTime first = today - kDays;
  double weight = 74.6;
  for (TDateTime day = first; day < today; ++day) {
    const int n = static_cast<int>(day - first);
    weight -= 0.07 + wobble(0.05);
    if (n % 3 == 0) {
      TDBC& entry = store.GetOrCreateDayRecord(kWeightStatKind, day);
      TWeightStat& stat = store.Loaded<TWeightStat>(entry);
      stat.W = std::round((weight + wobble(0.3)) * 10) / 10;
      stat.BFP = static_cast<float>(std::round((27.5 - n * 0.04 + wobble(0.4)) * 10) / 10);
      store.SaveDayRecord(entry);
    }
    TDBC& entry = store.GetOrCreateDayRecord(kCalStatKind, day);
    TCalStat& cal = store.Loaded<TCalStat>(entry);
    cal.P = 95 + wobble(20);
    cal.F = 55 + wobble(15);
    cal.C = 190 + wobble(45);
    cal.AC = 1.45F;
    cal.PW = weight;
    store.SaveDayRecord(entry);
  }
  TDBC& goalEntry = store.GetOrCreateDayRecord(kWeightGoalStatKind, first);
  TWeightGoalStat& goal = store.Loaded<TWeightGoalStat>(goalEntry);
  goal.WeightGoalType = TWeightGoalType::Lose;
  goal.TargetWeight = 68;
  goal.TargetDate = today + 75;
  store.SaveDayRecord(goalEntry);
  store.CloseDayRecords();
}

// Today's log: breakfast, lunch and a snack of catalogue foods.
void LogToday(TProgram& program, TPrompter& prompter, TDateTime today) {
  TUserSession& session = *program.Session();
  TFoodLogStore store(program.CurrentUser()->Folder, program.Random());
  TFoodLogDialogs dialogs;
  dialogs.logFood = [&program](TWFoodItem item, TDaysMeals& plan, int meal) {
    TFoodLogging logging(std::move(item), plan, meal, program.Config());
    return TLogOutcome{true, logging.Confirm(), false};
  };
  TFoodLogState state(
      TFoodLogState::TContext{program.Config(), program.Foods(), session.FrequentFoods(),
                              program.Menus(), session.MealDefinitions(), store, session.Energy(),
                              session.DayRecords(), program.FoodClipboard(), prompter, dialogs},
      today);
  const struct {
    const char* query;
    int meal;
  } foods[] = {{"oats regular quick", 0},
               {"milk reduced fat 2%", 0},
               {"bananas raw", 0},
               {"chicken breast roasted", 2},
               {"rice brown long-grain cooked", 2},
               {"broccoli cooked boiled", 2},
               {"yogurt greek plain", 3},
               {"apples raw with skin", 3}};
  for (const auto& f : foods) {
    state.Find(f.query, 0, false);
    if (state.Results().empty()) {
      std::fprintf(stderr, "no food found for \"%s\"\n", f.query);
      continue;
    }
    state.SetDefaultMeal(f.meal);
    state.LogFood(1, 0);
  }
  if (!state.Save(kFirstPlanTab)) throw std::runtime_error("today's food log was not saved");
}

int Run(const std::filesystem::path& folder) {
  std::unique_ptr<TClock> clock = MakeSystemClock();
  std::unique_ptr<TRandom> random = MakeSeededRandom(20261210);
  TSilentPrompter prompter;
  TProgram program(folder, TSystemDefaults{}, *clock, *random);
  program.Start();
  (void)program.LoadSharedCollections(&prompter);
  TNewAccount account;
  account.name = "Ann";
  account.birthDate = EncodeDate(1988, 4, 12);
  account.sex = TSex::Female;
  account.activityLevel = 1;
  account.heightCm = 168;
  account.weightKg = 72.7;
  TUser& user = program.CreateAccount(account);
  program.LogOff();
  WriteDays(user.Folder, clock->Today(), *random);
  program.Login(user, &prompter);
  LogToday(program, prompter, clock->Today());
  program.LogOff();
  program.Exit();
  std::printf("%s\n", user.Folder.string().c_str());
  return 0;
}

}  // namespace
}  // namespace korvela

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: korvela-sample-diary DATAFOLDER\n");
    return 2;
  }
  try {
    return korvela::Run(argv[1]);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "korvela-sample-diary: %s\n", e.what());
    return 1;
  }
}
