#pragma once
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "energy/dashboard.h"
#include "energy/energy_model.h"
#include "energy/nutrition_plan.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_clipboard.h"
#include "nutrition/food_log_store.h"
#include "nutrition/food_search.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/menus.h"
#include "storage/day_records.h"
#include "users/configurator.h"
#include "users/prompter.h"

namespace korvela {

inline constexpr const char* kFoodLogCaption = "Log your daily eating...";
inline constexpr const char* kFavouritesTab = "Favourite Foods";
inline constexpr const char* kSearchResultsTab = "Search Results";
inline constexpr const char* kSearchBoxHint = "Type here the food I am looking for...";
inline constexpr const char* kAllFoods = "All foods";
inline constexpr const char* kMsgLogAlreadyOpen = "You have already opened this food log!";
inline constexpr const char* kMsgMenuAlreadyOpen = "You have already opened this menu!";
inline constexpr const char* kAssumedZero = "(assumed) 0";
// At most this many logs and menus are open at once.
inline constexpr std::size_t kMaxOpenPlans = 5;
// The first plan's tab comes after "Favourite Foods" and "Search Results".
inline constexpr int kFirstPlanTab = 2;

// What the logging dialog did: after OK the food is at the end of `meal`.
struct TLogOutcome {
  bool logged = false;
  int meal = -1;
  bool mealsChanged = false;  // meal times changed or a meal added, even when cancelled
};

// The dialogs the screen opens for the state; tests answer them directly.
struct TFoodLogDialogs {
  // The logging dialog on a copy of a food, for a plan, a meal preselected.
  std::function<TLogOutcome(TWFoodItem item, TDaysMeals& plan, int meal)> logFood;
  // The open-log dialog: the stored or a new log of the chosen day.
  std::function<std::optional<TDaysMeals>()> openLog;
  // The open-menu dialog: a position in the menu list.
  std::function<std::optional<int>()> openMenu;
  // The menu options or log notes dialog; true when confirmed.
  std::function<bool(TDaysMeals& plan)> planOptions;
};

// One row of the list view.
enum class TRowKind { Food, Meal, Total };
struct TListRow {
  TRowKind kind = TRowKind::Food;
  std::array<std::string, 6> cells;  // 5 for favourites and results
  int meal = -1;                     // plan rows: the meal
  int food = -1;                     // plan food rows: the food in the meal
};

enum class TPanelColour { None, Blue, Red };

struct TBalancePanelView {
  std::string date;
  std::string eaten;
  std::string burned;
  std::string balance;
  TPanelColour balanceColour = TPanelColour::None;
};

struct TCompositionPanelView {
  std::string title;
  // Rows protein, fat, carbs: grams, calories, percent, per body weight.
  std::array<std::array<std::string, 4>, 3> cells;
  std::array<Extended, 3> calories{};  // the pie's slices
};

struct TFoodLogPanels {
  TBalancePanelView balance;
  TCompositionPanelView composition;
  TNutritionPlan plan;
};

// An open log or menu. A menu opened from the menu list is the list's own
// object; new menus and logs belong to the screen.
struct TOpenPlan {
  TDaysMeals* plan = nullptr;
  std::unique_ptr<TDaysMeals> owned;
  bool modified = false;
};

// The commands whose enabled state follows the screen.
enum class TFoodLogCommand {
  OpenLog,
  SaveLog,
  LogNotes,
  CloseLog,
  CopyPlan,
  NewMenu,
  OpenMenu,
  SaveMenu,
  MenuOptions,
  CloseMenu,
  DeleteMenu,
  LogFood,
  AddFavourite,
  RemoveFavourite,
  Copy,
  Paste,
  Remove,
  EditQuantity,
  Print,
};

// Everything of the food log screen without the screen: the open plans, the
// logging target and default meal, the favourites and search results, the
// commands and the panels. The tab shown and the row selected are the
// screen's and are passed in.
class TFoodLogState {
 public:
  struct TContext {
    const TConfigurator& config;
    TFoodTree& foods;
    TFrequentFoods& frequent;
    TMenuList& menus;
    const TMealDefinitions& definitions;
    TFoodLogStore& store;
    TEnergyModel& energy;
    TDayRecordStore& records;
    TFoodClipboard& clipboard;
    TPrompter& prompter;
    TFoodLogDialogs dialogs;
  };

  // Opens the screen on the day's stored log, or a new one.
  TFoodLogState(TContext context, TDateTime day);

  // Tabs.
  std::vector<std::string> TabCaptions() const;
  std::string PlanCaption(int plan) const;
  // The entries of "Logging to:".
  std::vector<std::string> TargetCaptions() const;
  std::size_t PlanCount() const { return plans_.size(); }
  TDaysMeals& Plan(int plan) { return *plans_.at(static_cast<std::size_t>(plan)).plan; }
  bool Modified(int plan) const { return plans_.at(static_cast<std::size_t>(plan)).modified; }
  // The plan of a tab; -1 for the favourites and results tabs.
  static int PlanOfTab(int tab) { return tab >= kFirstPlanTab ? tab - kFirstPlanTab : -1; }

  int Target() const { return target_; }
  void SetTarget(int plan);
  int DefaultMeal() const { return defaultMeal_; }
  void SetDefaultMeal(int meal);
  std::vector<std::string> MealNames() const;

  // Search and favourites.
  std::vector<std::string> Categories() const;
  // Category 0 is "All foods". Returns how the search went.
  TSearchOutcome Find(const std::string& query, int category, bool messages = true);
  // The last search again, after a food was edited or deleted.
  void Refind(bool messages) { Find(lastQuery_, lastCategory_, messages); }
  const std::vector<TSFoodItem>& Results() const { return results_; }
  // The favourites as listed: entries shown, in list order.
  std::vector<TFrequentFood*> Favourites() const;
  // A click on a column header of the favourites (tab 0) or results (tab 1).
  void SortColumn(int tab, int column);
  // Tab changes and searches forget the last clicked column.
  void ForgetSortColumn() { lastSortColumn_ = -1; }

  // The rows of a tab.
  std::vector<TListRow> Rows(int tab) const;

  // Commands. `tab` is the tab shown, `row` the selected row (-1 for none).
  bool Enabled(TFoodLogCommand command, int tab, int row) const;
  // "Log this food", double-click: the logging dialog; returns the tab to show.
  std::optional<int> LogFood(int tab, int row);
  // The pop-up's quick logs: "Log 1 cup" per weight of the food.
  std::vector<std::string> QuickLogCaptions(int tab, int row) const;
  std::optional<int> QuickLog(int tab, int row, int weight);
  void AddToFavourites(int row);
  void RemoveFavourite(int row);
  void Copy(int tab, int row);
  std::optional<int> Paste(int tab);
  void Remove(int tab, int row);
  void EditQuantity(int tab, int row);
  // A plan tab dropped on another; returns the tab to show.
  std::optional<int> Drop(int fromTab, int toTab);

  // Plans; each returns the tab to show afterwards (none: nothing changed).
  std::optional<int> OpenLog();
  std::optional<int> OpenMenu();
  std::optional<int> NewMenu();
  std::optional<int> CopyPlan(int tab);
  bool PlanOptions(int tab);
  // False when the disk refused the write (the warning was shown).
  bool Save(int tab);
  // Closes a plan by the rules of a screen closed with OK (`silentSave`) or
  // otherwise. False when a save failed: the plan stays open.
  bool ClosePlan(int plan, bool silentSave);
  void DeleteMenu(int tab);
  // OK or Cancel: every plan closed from the last to the first, then the
  // stores written. False when a save failed and the screen stays open.
  bool CloseScreen(bool ok);

  // The panels of the logging target.
  TFoodLogPanels Panels();

 private:
  TOpenPlan& At(int plan) { return plans_.at(static_cast<std::size_t>(plan)); }
  const TOpenPlan& At(int plan) const { return plans_.at(static_cast<std::size_t>(plan)); }
  bool HasRoom() const { return plans_.size() < kMaxOpenPlans; }
  int AddPlan(TOpenPlan plan);
  void MarkModified(int plan);
  // The food of a favourites or results row.
  const TFoodItem* RowFood(int tab, int row) const;
  TFrequentFood* RowFavourite(int tab, int row) const;
  // The meal and food of a plan row; food -1 for a meal row.
  std::optional<std::pair<int, int>> PlanRow(int plan, int row) const;
  void FixDefaultMeal();
  // Appends copies of the meal's foods to the plan's meal of that name,
  // adding the meal when missing; returns the meal used.
  int MergeMeal(TDaysMeals& plan, const TMeal& meal);
  std::string SaveRefusal(const EKorvelaError& e, const std::string& fallback) const;

  TContext c_;
  std::vector<TOpenPlan> plans_;
  int target_ = 0;
  int defaultMeal_ = 0;
  std::vector<TSFoodItem> results_;
  std::string lastQuery_;
  int lastCategory_ = 0;
  int lastSortColumn_ = -1;
  bool resultsAscending_ = true;
};

}  // namespace korvela
