#include "nutrition/food_log_state.h"

#include <gtest/gtest.h>

#include "energy/cal_stat.h"
#include "energy/energy_fixture.h"
#include "nutrition/food_logging.h"
#include "nutrition/meal_definitions.h"
#include "nutrition/plan_dialogs.h"
#include "storage/text_helpers.h"
#include "support/scripted_prompter.h"

namespace korvela {
namespace {

TFoodItem Food(const char* name, double p, double f, double c, TWeightItem weight) {
  TFoodItem food(name);
  food.P = p;
  food.F = f;
  food.C = c;
  food.weights = {weight};
  return food;
}

class FoodLogStateTest : public test::EnergyTest {
 protected:
  FoodLogStateTest() {
    TFoodList dairy{"Dairy", {}};
    dairy.Foods.push_back(std::make_unique<TFoodItem>(Food("Milk", 3.5, 1, 5, {"cup", 1, 240})));
    dairy.Foods.push_back(
        std::make_unique<TFoodItem>(Food("Rye bread", 9, 3, 48, {"slice", 1, 32})));
    foods.Lists.push_back(std::move(dairy));
    foods.Lists.push_back(TFoodList{"User-Added Foods", {}});
    foods.Lists.push_back(TFoodList{"Recipes", {}});
    frequent.OpenFrequentFoods(folder.Path());
    frequent.LoadFrequentFoods();
    dialogs.logFood = [this](TWFoodItem item, TDaysMeals& plan, int meal) {
      TFoodLogging logging(std::move(item), plan, meal, config);
      if (inDialog) inDialog(logging);
      TLogOutcome outcome;
      outcome.mealsChanged = logging.MealsChanged();
      if (!confirm) return outcome;
      outcome.meal = logging.Confirm();
      outcome.logged = true;
      return outcome;
    };
    dialogs.planOptions = [this](TDaysMeals&) { return confirm; };
    dialogs.openLog = [this]() -> std::optional<TDaysMeals> {
      return OpenDayLog(logStore, nextLogDay++, definitions);
    };
    dialogs.openMenu = []() -> std::optional<int> { return 0; };
  }

  TFoodLogState Open(TDateTime day = kToday) {
    return TFoodLogState({config, foods, frequent, menus, definitions, logStore, *model, *store,
                          clipboard, prompter, dialogs},
                         day);
  }

  // The names of a meal's foods with their quantity texts.
  static std::vector<std::string> Foods(const TMeal& meal) {
    std::vector<std::string> names;
    for (const TWFoodItem& f : meal.foods) names.push_back(f.Name + " " + f.WMStr);
    return names;
  }
  static const TMeal& MealNamed(const TDaysMeals& plan, const std::string& name) {
    for (const TMeal& m : plan.meals)
      if (m.Name == name) return m;
    throw std::logic_error("no meal " + name);
  }
  TFrequentFood& Entry(const char* name) {
    const int i = frequent.FindFrequentFood(TFoodItem(name));
    if (i < 0) throw std::logic_error(std::string("no entry ") + name);
    return *frequent.Entries[static_cast<std::size_t>(i)];
  }

  TConfigurator config;
  TFoodTree foods;
  TFrequentFoods frequent{*random};
  TMenuList menus{folder.Path(), *random};
  TMealDefinitions definitions = DefaultMealDefinitions();
  TFoodLogStore logStore{folder.Path(), *random};
  TFoodClipboard clipboard;
  test::TScriptedPrompter prompter;
  TFoodLogDialogs dialogs;
  std::function<void(TFoodLogging&)> inDialog;
  bool confirm = true;
  TDateTime nextLogDay = kToday - 1;
};

TEST_F(FoodLogStateTest, OpensOnANewLogOfTheDayWithItsTabsAndNothingModified) {
  TFoodLogState state = Open(kToday + 0.4);
  EXPECT_EQ(state.TabCaptions(), (std::vector<std::string>{"Favourite Foods", "Search Results",
                                                           "Food Log 15 Jun 2007"}));
  EXPECT_EQ(state.TargetCaptions(), (std::vector<std::string>{"15 Jun 2007"}));
  EXPECT_EQ(state.Plan(0).ForDate, kToday);
  EXPECT_FALSE(state.Modified(0));
  EXPECT_EQ(state.MealNames().front(), "Breakfast");
  EXPECT_EQ(state.Categories(),
            (std::vector<std::string>{"All foods", "Dairy", "User-Added Foods", "Recipes"}));
  // An empty plan lists only its total.
  const std::vector<TListRow> rows = state.Rows(kFirstPlanTab);
  ASSERT_EQ(rows.size(), 1u);
  EXPECT_EQ(rows[0].kind, TRowKind::Total);
  EXPECT_EQ(rows[0].cells[5], "0");
}

TEST_F(FoodLogStateTest, LoggingCountsAUseAndQuickLogDoesNot) {
  frequent.AddToFavourites(*foods.Lists[0].Foods[0]);  // Milk, shown, used once
  TFoodLogState state = Open();
  ASSERT_EQ(state.QuickLogCaptions(0, 0), (std::vector<std::string>{"Log 1 cup"}));
  state.SetDefaultMeal(2);
  EXPECT_EQ(state.QuickLog(0, 0, 0), kFirstPlanTab);
  EXPECT_EQ(state.QuickLog(0, 0, 0), kFirstPlanTab);
  EXPECT_EQ(Entry("Milk").UsageCount, 1);
  EXPECT_TRUE(state.Modified(0));
  EXPECT_EQ(Foods(state.Plan(0).meals[2]), (std::vector<std::string>{"Milk 1", "Milk 1"}));

  inDialog = [](TFoodLogging& l) {
    l.TypeQuantity("2");
    l.ChooseMeal(4);
  };
  EXPECT_EQ(state.LogFood(0, 0), kFirstPlanTab);
  EXPECT_EQ(Entry("Milk").UsageCount, 2);
  EXPECT_EQ(Foods(state.Plan(0).meals[4]), (std::vector<std::string>{"Milk 2"}));
  EXPECT_EQ(state.DefaultMeal(), 4);

  // A search result: logging adds an entry, a quick log does not.
  ASSERT_EQ(state.Find("rye", 0), TSearchOutcome::Found);
  ASSERT_EQ(state.Results().size(), 1u);
  state.QuickLog(1, 0, 0);
  EXPECT_EQ(frequent.FindFrequentFood(TFoodItem("Rye bread")), -1);
  inDialog = nullptr;
  state.LogFood(1, 0);
  EXPECT_EQ(Entry("Rye bread").UsageCount, 1);

  // A cancelled dialog logs and counts nothing.
  confirm = false;
  EXPECT_FALSE(state.LogFood(0, 0));
  EXPECT_EQ(Entry("Milk").UsageCount, 2);
  EXPECT_EQ(state.Plan(0).meals[4].foods.size(), 3u);
}

TEST_F(FoodLogStateTest, AMealPastedIntoAPlanWithoutItIsAddedAtItsTimeAndThenAppendedTo) {
  TFoodLogState state = Open();
  TDaysMeals& log = state.Plan(0);
  log.meals.push_back(TMeal{"Brunch", 9.0 / 24, {}});
  SortMeals(log.meals);
  state.QuickLog(0, -1, 0);  // nothing selected: nothing happens
  ASSERT_EQ(state.Find("milk", 0), TSearchOutcome::Found);
  state.SetDefaultMeal(1);
  state.QuickLog(1, 0, 0);
  state.QuickLog(1, 0, 0);
  // Row 0 is the Brunch meal row.
  ASSERT_EQ(state.Rows(kFirstPlanTab)[0].cells[0], "09:00 Brunch");
  state.Copy(kFirstPlanTab, 0);

  const std::optional<int> menuTab = state.NewMenu();
  ASSERT_EQ(menuTab, kFirstPlanTab + 1);
  EXPECT_EQ(state.Target(), 1);
  EXPECT_EQ(state.Paste(*menuTab), menuTab);
  const TDaysMeals& menu = state.Plan(1);
  ASSERT_EQ(menu.meals[1].Name, "Brunch");
  EXPECT_EQ(menu.meals[1].foods.size(), 2u);
  EXPECT_EQ(state.DefaultMeal(), 1);
  // The same name again: appended to that meal.
  state.Paste(*menuTab);
  EXPECT_EQ(MealNamed(menu, "Brunch").foods.size(), 4u);
  EXPECT_EQ(menu.meals.size(), 7u);
  // The source is a copy: changing the log leaves the clipboard alone.
  state.Remove(kFirstPlanTab, 0);
  EXPECT_TRUE(MealNamed(state.Plan(0), "Brunch").foods.empty());
  state.Paste(kFirstPlanTab);
  EXPECT_EQ(MealNamed(state.Plan(0), "Brunch").foods.size(), 2u);
}

TEST_F(FoodLogStateTest, EditQuantityMovesAFoodToAnotherMealOrKeepsItsPlace) {
  TFoodLogState state = Open();
  ASSERT_EQ(state.Find("a", 0), TSearchOutcome::NoneFound);
  state.Find("milk", 0);
  // Breakfast: Milk 1, Milk 2, Milk 3 (quantities tell them apart).
  for (const char* q : {"1", "2", "3"}) {
    inDialog = [q](TFoodLogging& l) {
      l.TypeQuantity(q);
      l.ChooseMeal(0);
    };
    state.LogFood(1, 0);
  }
  // Row 1 is the first food: to Lunch with 5.
  inDialog = [](TFoodLogging& l) {
    l.TypeQuantity("5");
    l.ChooseMeal(2);
  };
  ASSERT_TRUE(state.Enabled(TFoodLogCommand::EditQuantity, kFirstPlanTab, 1));
  EXPECT_FALSE(state.Enabled(TFoodLogCommand::EditQuantity, kFirstPlanTab, 0));
  state.EditQuantity(kFirstPlanTab, 1);
  EXPECT_EQ(Foods(state.Plan(0).meals[0]), (std::vector<std::string>{"Milk 3", "Milk 2"}));
  EXPECT_EQ(Foods(state.Plan(0).meals[2]), (std::vector<std::string>{"Milk 5"}));

  // Same meal: the edited copy takes the old place.
  inDialog = [](TFoodLogging& l) { l.TypeQuantity("7"); };
  state.EditQuantity(kFirstPlanTab, 2);
  EXPECT_EQ(Foods(state.Plan(0).meals[0]), (std::vector<std::string>{"Milk 3", "Milk 7"}));

  // A meal added in the dialog before the food's own moves every meal; the
  // edited food is still the one removed.
  inDialog = [](TFoodLogging& l) {
    l.AddMeal("Early", 5.0 / 24);
    l.TypeQuantity("9");
  };
  state.EditQuantity(kFirstPlanTab, 1);
  const TDaysMeals& log = state.Plan(0);
  EXPECT_EQ(Foods(MealNamed(log, "Early")), (std::vector<std::string>{"Milk 9"}));
  EXPECT_EQ(Foods(MealNamed(log, "Breakfast")), (std::vector<std::string>{"Milk 7"}));
  EXPECT_EQ(Foods(MealNamed(log, "Lunch")), (std::vector<std::string>{"Milk 5"}));

  // Cancelled: nothing moves.
  confirm = false;
  state.EditQuantity(kFirstPlanTab, 1);
  EXPECT_EQ(Foods(MealNamed(log, "Early")), (std::vector<std::string>{"Milk 9"}));
}

TEST_F(FoodLogStateTest, FivePlansDisableTheOpenCommandsUntilOneCloses) {
  TFoodLogState state = Open();
  nextLogDay = kToday + 1;
  for (int i = 0; i < 3; ++i) ASSERT_TRUE(state.OpenLog());
  ASSERT_TRUE(state.NewMenu());
  ASSERT_EQ(state.PlanCount(), 5u);
  for (TFoodLogCommand c : {TFoodLogCommand::OpenLog, TFoodLogCommand::NewMenu,
                            TFoodLogCommand::OpenMenu, TFoodLogCommand::CopyPlan})
    EXPECT_FALSE(state.Enabled(c, kFirstPlanTab, -1)) << static_cast<int>(c);
  EXPECT_FALSE(state.OpenLog());
  EXPECT_EQ(nextLogDay, kToday + 4);  // the dialog was not opened

  EXPECT_FALSE(state.Enabled(TFoodLogCommand::CloseLog, kFirstPlanTab, -1));  // plan 1
  ASSERT_TRUE(state.Enabled(TFoodLogCommand::CloseLog, kFirstPlanTab + 1, -1));
  ASSERT_TRUE(state.ClosePlan(1, false));  // not modified: no question
  EXPECT_EQ(state.Target(), 0);
  EXPECT_TRUE(state.Enabled(TFoodLogCommand::OpenLog, kFirstPlanTab, -1));
  EXPECT_TRUE(state.Enabled(TFoodLogCommand::CopyPlan, kFirstPlanTab, -1));

  // A day already open is refused.
  nextLogDay = kToday;
  EXPECT_FALSE(state.OpenLog());
  EXPECT_EQ(prompter.Last(), "warn: You have already opened this food log!");
  EXPECT_EQ(state.PlanCount(), 4u);
}

TEST_F(FoodLogStateTest, OkSavesEveryModifiedPlanSilentlyAndCancelAsksForEach) {
  const auto modifyThree = [](TFoodLogState& state) {
    state.Find("milk", 0);
    state.QuickLog(1, 0, 0);  // plan 1
    state.OpenLog();          // yesterday
    state.QuickLog(1, 0, 0);
    state.NewMenu();  // modified from the start
  };
  {
    TFoodLogState state = Open();
    modifyThree(state);
    ASSERT_TRUE(state.CloseScreen(true));  // a question would throw
    EXPECT_TRUE(prompter.shown.empty());
  }
  TFoodLogStore check(folder.Path(), *random);
  EXPECT_TRUE(check.LoadDayLog(kToday));
  EXPECT_TRUE(check.LoadDayLog(kToday - 1));
  check.Close();
  ASSERT_EQ(menus.Menus().size(), 1u);
  EXPECT_EQ(menus.Menus()[0]->MenuName, "New Menu");
  EXPECT_NEAR(FindCal(kToday)->C, 12, 1e-9);  // one cup of milk: 240 g, 5 g per 100 g

  nextLogDay = kToday + 5;
  {
    TFoodLogStore reopened(folder.Path(), *random);
    TFoodLogState state = TFoodLogState({config, foods, frequent, menus, definitions, reopened,
                                         *model, *store, clipboard, prompter, dialogs},
                                        kToday + 4);
    modifyThree(state);
    prompter.Plan(TAnswer::No);   // the new menu
    prompter.Plan(TAnswer::Yes);  // the log of the fifth
    prompter.Plan(TAnswer::No);   // plan 1
    ASSERT_TRUE(state.CloseScreen(false));
    reopened.Close();
  }
  EXPECT_EQ(prompter.shown,
            (std::vector<std::string>{
                "ask: New Menu is not saved. Do you want to save it now?",
                "ask: Food Log 20 Jun 2007 is not saved. Do you want to save it now?",
                "ask: Food Log 19 Jun 2007 is not saved. Do you want to save it now?"}));
  TFoodLogStore check2(folder.Path(), *random);
  EXPECT_TRUE(check2.LoadDayLog(kToday + 5));
  EXPECT_FALSE(check2.LoadDayLog(kToday + 4));
  check2.Close();
  EXPECT_EQ(menus.Menus().size(), 1u);  // the second new menu was discarded
}

TEST_F(FoodLogStateTest, AStoredMenuChangesInTheListAtOnceAndIsRevertedOnNo) {
  auto stored = std::make_unique<TDaysMeals>(NewDayPlan(0, definitions));
  stored->MenuName = "Lean day";
  menus.SaveMenu(std::move(stored));
  TFoodLogState state = Open();
  ASSERT_EQ(state.OpenMenu(), kFirstPlanTab + 1);
  EXPECT_EQ(state.PlanCaption(1), "Lean day");
  EXPECT_FALSE(state.OpenMenu());
  EXPECT_EQ(prompter.Last(), "warn: You have already opened this menu!");
  state.Find("milk", 0);
  state.QuickLog(1, 0, 0);
  EXPECT_EQ(DayTotals(*menus.Menus()[0]).grams, 240);  // the list's own object

  EXPECT_TRUE(state.Enabled(TFoodLogCommand::CloseMenu, kFirstPlanTab + 1, -1));
  EXPECT_FALSE(state.Enabled(TFoodLogCommand::SaveLog, kFirstPlanTab + 1, -1));
  prompter.Plan(TAnswer::No);
  ASSERT_TRUE(state.ClosePlan(1, false));
  EXPECT_EQ(prompter.Last(), "ask: Lean day is not saved. Do you want to save it now?");
  ASSERT_EQ(menus.Menus().size(), 1u);
  EXPECT_EQ(DayTotals(*menus.Menus()[0]).grams, 0);

  // Deleting asks and removes it from the list.
  ASSERT_TRUE(state.OpenMenu());
  prompter.Plan(TAnswer::Yes);
  state.DeleteMenu(kFirstPlanTab + 1);
  EXPECT_EQ(prompter.Last(), "ask: Do you really want to delete Lean day?");
  EXPECT_TRUE(menus.Menus().empty());
  EXPECT_EQ(state.PlanCount(), 1u);
}

TEST_F(FoodLogStateTest, ADroppedPlanMergesItsMealsIntoTheTarget) {
  TFoodLogState state = Open();
  state.Find("milk", 0);
  state.SetDefaultMeal(4);
  state.QuickLog(1, 0, 0);
  ASSERT_TRUE(state.NewMenu());
  TDaysMeals& menu = state.Plan(1);
  menu.meals.push_back(TMeal{"Late", 23.0 / 24, {}});
  state.SetDefaultMeal(6);
  state.QuickLog(1, 0, 0);
  state.SetTarget(0);
  EXPECT_FALSE(state.Drop(kFirstPlanTab + 1, 1));  // onto the results tab
  EXPECT_FALSE(state.Drop(kFirstPlanTab, kFirstPlanTab));
  EXPECT_EQ(state.Drop(kFirstPlanTab + 1, kFirstPlanTab), kFirstPlanTab);
  const TDaysMeals& log = state.Plan(0);
  ASSERT_EQ(log.meals.size(), 7u);
  EXPECT_EQ(log.meals.back().Name, "Late");
  EXPECT_EQ(log.meals.back().foods.size(), 1u);
  EXPECT_EQ(state.DefaultMeal(), 6);
}

TEST_F(FoodLogStateTest, TheBalancePanelOfALogWithoutACalorieRecordShowsNotAvailable) {
  TFoodLogState state = Open(kToday - 3);
  state.Find("milk", 0);
  state.QuickLog(1, 0, 0);
  const TFoodLogPanels panels = state.Panels();
  EXPECT_EQ(panels.balance.date, "12 Jun 2007");
  EXPECT_EQ(panels.balance.eaten, "103");  // 240 g: 8.4 P, 2.4 F, 12 C
  EXPECT_EQ(panels.balance.burned, "N/A");
  EXPECT_EQ(panels.balance.balance, "N/A");
  EXPECT_EQ(panels.balance.balanceColour, TPanelColour::Blue);
  EXPECT_EQ(panels.composition.title, "Food Log 12 Jun 2007");
  EXPECT_EQ(panels.composition.cells[0],
            (std::array<std::string, 4>{"8 gr", "34 cals", "33%", ""}));
  EXPECT_EQ(panels.plan.goalNote, "(no weight goal set)");
  EXPECT_EQ(FindCal(kToday - 3), nullptr);  // none is created
}

TEST_F(FoodLogStateTest, TheBalancePanelPutsTheLiveTotalsIntoTheRecordForTheComputationOnly) {
  WeighInAndRestart(kToday - 1, 80, 1.5f);
  TCalStat& record = PutCal(kToday, 80, 1.5f);
  record.C = 100;
  TFoodLogState state = Open();
  TFoodLogPanels empty = state.Panels();
  EXPECT_EQ(empty.balance.eaten, "N/R");
  EXPECT_EQ(empty.balance.balance, "(assumed) 0");
  EXPECT_EQ(empty.balance.balanceColour, TPanelColour::Red);
  EXPECT_NE(empty.balance.burned, "N/A");
  EXPECT_EQ(empty.composition.cells[0][0], "");

  state.Find("milk", 0);
  state.QuickLog(1, 0, 0);
  const TFoodLogPanels panels = state.Panels();
  EXPECT_EQ(panels.balance.eaten, "103");
  EXPECT_EQ(panels.balance.balanceColour, TPanelColour::Red);  // far below the expenditure
  EXPECT_EQ(panels.balance.balance.front(), '(');
  EXPECT_EQ(panels.composition.cells[0][3], "0.1 gr per kg");  // 8.4 g / 80 kg
  EXPECT_EQ(record.C, 100);
  EXPECT_EQ(record.P, 0);

  config.SetMetricSystem(false);
  EXPECT_EQ(state.Panels().composition.cells[2][3], "0.1 gr per lbs");
}

TEST_F(FoodLogStateTest, AMenuShowsItsNameAndFiguresOnlyAgainstTodaysRecord) {
  TFoodLogState state = Open();
  ASSERT_TRUE(state.NewMenu());
  state.Plan(1).MenuName = "A rather long menu name for a day";
  TFoodLogPanels panels = state.Panels();
  EXPECT_EQ(panels.balance.date, "");
  EXPECT_EQ(panels.balance.eaten, "N/A");
  EXPECT_EQ(panels.balance.burned, "N/A");
  EXPECT_EQ(panels.balance.balance, "N/A");
  EXPECT_EQ(panels.composition.title, Ellipsize("A rather long menu name for a day", 22));

  WeighInAndRestart(kToday, 80, 1.5f);
  panels = state.Panels();
  EXPECT_EQ(panels.balance.date, Ellipsize("A rather long menu name for a day", 16));
  EXPECT_EQ(panels.balance.eaten, "N/R");
  EXPECT_EQ(panels.balance.balance, "(assumed) 0");
  state.Find("milk", 0);
  state.QuickLog(1, 0, 0);
  EXPECT_EQ(state.Panels().balance.eaten, "103");
}

}  // namespace
}  // namespace korvela
