#include "nutrition/food_log_state.h"

#include <algorithm>
#include <cmath>

#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "nutrition/food_logging.h"
#include "storage/write_refused.h"
#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr const char* kFoodLogPrefix = "Food Log ";

std::string Whole(const TConfigurator& config, Extended value) {
  return FormatNumber(config, static_cast<double>(value), 0);
}

TPanelColour ColourOf(TEmphasis e) {
  switch (e) {
    case TEmphasis::Blue:
      return TPanelColour::Blue;
    case TEmphasis::Red:
      return TPanelColour::Red;
    case TEmphasis::None:
      break;
  }
  return TPanelColour::None;
}

// The day's calorie record when it has one; none is created here.
TCalStat* FindCalRecord(TDayRecordStore& records, TDateTime day) {
  TDBC* entry = records.FindDayRecord(kCalStatKind, DayOf(day));
  return entry ? &records.Loaded<TCalStat>(*entry) : nullptr;
}

}  // namespace

TFoodLogState::TFoodLogState(TContext context, TDateTime day) : c_(std::move(context)) {
  TOpenPlan first;
  if (std::optional<TDaysMeals> log = c_.store.LoadDayLog(day)) {
    first.owned = std::make_unique<TDaysMeals>(std::move(*log));
    MergeMealDefinitions(*first.owned, c_.definitions);
  } else {
    first.owned = std::make_unique<TDaysMeals>(NewDayPlan(DayOf(day), c_.definitions));
  }
  first.plan = first.owned.get();
  plans_.push_back(std::move(first));
}

std::string TFoodLogState::PlanCaption(int plan) const {
  const TDaysMeals& p = *At(plan).plan;
  return p.IsMenu() ? p.MenuName : kFoodLogPrefix + ShortDateText(p.ForDate);
}

std::vector<std::string> TFoodLogState::TabCaptions() const {
  std::vector<std::string> tabs = {kFavouritesTab, kSearchResultsTab};
  for (std::size_t i = 0; i < plans_.size(); ++i) tabs.push_back(PlanCaption(static_cast<int>(i)));
  return tabs;
}

std::vector<std::string> TFoodLogState::TargetCaptions() const {
  std::vector<std::string> captions;
  for (const TOpenPlan& p : plans_)
    captions.push_back(p.plan->IsMenu() ? p.plan->MenuName : ShortDateText(p.plan->ForDate));
  return captions;
}

void TFoodLogState::SetTarget(int plan) {
  if (plan < 0 || plan >= static_cast<int>(plans_.size())) return;
  target_ = plan;
  defaultMeal_ = 0;
}

void TFoodLogState::SetDefaultMeal(int meal) {
  defaultMeal_ = meal;
  FixDefaultMeal();
}

void TFoodLogState::FixDefaultMeal() {
  const int meals = static_cast<int>(At(target_).plan->meals.size());
  if (defaultMeal_ < 0 || defaultMeal_ >= meals) defaultMeal_ = 0;
}

std::vector<std::string> TFoodLogState::MealNames() const {
  std::vector<std::string> names;
  for (const TMeal& m : At(target_).plan->meals) names.push_back(m.Name);
  return names;
}

std::vector<std::string> TFoodLogState::Categories() const {
  std::vector<std::string> names = {kAllFoods};
  for (const TFoodList& list : c_.foods.Lists) names.push_back(list.Name);
  return names;
}

TSearchOutcome TFoodLogState::Find(const std::string& query, int category, bool messages) {
  lastSortColumn_ = -1;
  lastQuery_ = query;
  lastCategory_ = category;
  return SearchFoods(results_, query, category <= 0 ? -1 : category - 1, c_.foods,
                     c_.frequent.Entries, messages ? &c_.prompter : nullptr);
}

std::vector<TFrequentFood*> TFoodLogState::Favourites() const {
  std::vector<TFrequentFood*> shown;
  for (const auto& entry : c_.frequent.Entries)
    if (entry->Showed) shown.push_back(entry.get());
  return shown;
}

void TFoodLogState::SortColumn(int tab, int column) {
  if (column < 0 || column > 4) return;
  if (tab == 0) {
    c_.frequent.SortFrequentFoods(column == lastSortColumn_ ? -column : column);
  } else if (tab == 1) {
    resultsAscending_ = column == lastSortColumn_ ? !resultsAscending_ : true;
    static constexpr TFoodResultColumn kColumns[] = {TFoodResultColumn::Name, TFoodResultColumn::P,
                                                     TFoodResultColumn::F, TFoodResultColumn::C,
                                                     TFoodResultColumn::Calories};
    SortFoodResults(results_, kColumns[column], resultsAscending_);
  } else {
    return;
  }
  lastSortColumn_ = column;
}

std::vector<TListRow> TFoodLogState::Rows(int tab) const {
  std::vector<TListRow> rows;
  const auto number = [&](Extended v) { return Whole(c_.config, v); };
  const auto foodRow = [&](const TFoodItem& f) {
    TListRow row;
    row.cells = {f.Name, number(f.P), number(f.F), number(f.C), number(Calories(f)), ""};
    return row;
  };
  if (tab == 0) {
    for (const TFrequentFood* f : Favourites()) rows.push_back(foodRow(*f));
    return rows;
  }
  if (tab == 1) {
    for (const TSFoodItem& r : results_) {
      TListRow row = foodRow(r.Food());
      row.cells[0] = r.Name;
      rows.push_back(std::move(row));
    }
    return rows;
  }
  const int plan = PlanOfTab(tab);
  if (plan < 0 || plan >= static_cast<int>(plans_.size())) return rows;
  const TDaysMeals& p = *At(plan).plan;
  const auto figures = [&](TListRow& row, const TNutrients& n) {
    row.cells[2] = number(n.P);
    row.cells[3] = number(n.F);
    row.cells[4] = number(n.C);
    row.cells[5] = number(n.calories);
  };
  for (std::size_t m = 0; m < p.meals.size(); ++m) {
    const TMeal& meal = p.meals[m];
    if (meal.foods.empty()) continue;
    TListRow mealRow;
    mealRow.kind = TRowKind::Meal;
    mealRow.meal = static_cast<int>(m);
    mealRow.cells[0] = TimeOfDayText(c_.config, meal.TOD) + " " + meal.Name;
    figures(mealRow, MealTotals(meal));
    rows.push_back(std::move(mealRow));
    for (std::size_t f = 0; f < meal.foods.size(); ++f) {
      TListRow row;
      row.meal = static_cast<int>(m);
      row.food = static_cast<int>(f);
      row.cells[0] = "     " + meal.foods[f].Name;
      row.cells[1] = QuantityText(meal.foods[f]);
      figures(row, LoggedNutrients(meal.foods[f]));
      rows.push_back(std::move(row));
    }
  }
  TListRow total;
  total.kind = TRowKind::Total;
  total.cells[0] = "Total";
  figures(total, DayTotals(p));
  rows.push_back(std::move(total));
  return rows;
}

const TFoodItem* TFoodLogState::RowFood(int tab, int row) const {
  if (row < 0) return nullptr;
  if (tab == 0) {
    TFrequentFood* f = RowFavourite(tab, row);
    return f;
  }
  if (tab == 1 && row < static_cast<int>(results_.size()))
    return &results_[static_cast<std::size_t>(row)].Food();
  return nullptr;
}

TFrequentFood* TFoodLogState::RowFavourite(int tab, int row) const {
  if (tab != 0 || row < 0) return nullptr;
  const std::vector<TFrequentFood*> shown = Favourites();
  return row < static_cast<int>(shown.size()) ? shown[static_cast<std::size_t>(row)] : nullptr;
}

std::optional<std::pair<int, int>> TFoodLogState::PlanRow(int plan, int row) const {
  if (plan < 0 || plan >= static_cast<int>(plans_.size()) || row < 0) return std::nullopt;
  int r = 0;
  const TDaysMeals& p = *At(plan).plan;
  for (std::size_t m = 0; m < p.meals.size(); ++m) {
    const std::size_t foods = p.meals[m].foods.size();
    if (foods == 0) continue;
    if (row == r) return std::pair{static_cast<int>(m), -1};
    if (row <= r + static_cast<int>(foods)) return std::pair{static_cast<int>(m), row - r - 1};
    r += static_cast<int>(foods) + 1;
  }
  return std::nullopt;
}

bool TFoodLogState::Enabled(TFoodLogCommand command, int tab, int row) const {
  const int plan = PlanOfTab(tab);
  const bool planShown = plan >= 0 && plan < static_cast<int>(plans_.size());
  const bool logShown = planShown && !At(plan).plan->IsMenu();
  const bool menuShown = planShown && At(plan).plan->IsMenu();
  const std::optional<std::pair<int, int>> planRow = planShown ? PlanRow(plan, row) : std::nullopt;
  switch (command) {
    case TFoodLogCommand::OpenLog:
    case TFoodLogCommand::NewMenu:
    case TFoodLogCommand::OpenMenu:
      return HasRoom();
    case TFoodLogCommand::SaveLog:
    case TFoodLogCommand::LogNotes:
      return logShown;
    case TFoodLogCommand::CloseLog:
      return logShown && plan != 0;
    case TFoodLogCommand::CopyPlan:
      return planShown && HasRoom();
    case TFoodLogCommand::SaveMenu:
    case TFoodLogCommand::MenuOptions:
    case TFoodLogCommand::CloseMenu:
    case TFoodLogCommand::DeleteMenu:
      return menuShown;
    case TFoodLogCommand::LogFood:
      return RowFood(tab, row) != nullptr;
    case TFoodLogCommand::AddFavourite: {
      if (tab != 1 || !RowFood(tab, row)) return false;
      const int i = c_.frequent.FindFrequentFood(*RowFood(tab, row));
      return i < 0 || !c_.frequent.Entries[static_cast<std::size_t>(i)]->Showed;
    }
    case TFoodLogCommand::RemoveFavourite:
      return RowFavourite(tab, row) != nullptr;
    case TFoodLogCommand::Copy:
    case TFoodLogCommand::Remove:
      return planRow.has_value();
    case TFoodLogCommand::Paste:
      return planShown && !c_.clipboard.Empty();
    case TFoodLogCommand::EditQuantity:
      return planRow.has_value() && planRow->second >= 0;
    case TFoodLogCommand::Print:
      return planShown;
  }
  return false;
}

void TFoodLogState::MarkModified(int plan) { At(plan).modified = true; }

std::optional<int> TFoodLogState::LogFood(int tab, int row) {
  const TFoodItem* food = RowFood(tab, row);
  if (!food || !c_.dialogs.logFood) return std::nullopt;
  TFrequentFood* favourite = RowFavourite(tab, row);
  TDaysMeals& target = *At(target_).plan;
  const std::string defaultName = target.meals.empty()
                                      ? std::string()
                                      : target.meals[static_cast<std::size_t>(defaultMeal_)].Name;
  const TLogOutcome outcome =
      c_.dialogs.logFood(NewLoggedItem(*food, c_.config), target, defaultMeal_);
  if (!outcome.logged) {
    // Meals may have been added or moved: keep the default meal by name.
    if (outcome.mealsChanged) {
      const auto it = std::find_if(target.meals.begin(), target.meals.end(),
                                   [&](const TMeal& m) { return m.Name == defaultName; });
      defaultMeal_ = it == target.meals.end() ? 0 : static_cast<int>(it - target.meals.begin());
    }
    return std::nullopt;
  }
  if (favourite)
    c_.frequent.CountFrequentUse(*favourite);
  else
    c_.frequent.CountFoodUse(*food);
  MarkModified(target_);
  defaultMeal_ = outcome.meal;
  FixDefaultMeal();
  return kFirstPlanTab + target_;
}

std::vector<std::string> TFoodLogState::QuickLogCaptions(int tab, int row) const {
  std::vector<std::string> captions;
  if (const TFoodItem* food = RowFood(tab, row))
    for (const TWeightItem& w : food->weights)
      captions.push_back("Log " + FormatNumber(c_.config, static_cast<double>(w.mod), 1) + " " +
                         w.desc);
  return captions;
}

std::optional<int> TFoodLogState::QuickLog(int tab, int row, int weight) {
  const TFoodItem* food = RowFood(tab, row);
  if (!food || weight < 0 || weight >= static_cast<int>(food->weights.size())) return std::nullopt;
  TDaysMeals& target = *At(target_).plan;
  if (target.meals.empty()) return std::nullopt;
  TWFoodItem item(*food);
  item.WI = weight;
  item.WM = food->weights[static_cast<std::size_t>(weight)].mod;
  item.WMStr = FormatNumber(c_.config, static_cast<double>(item.WM), 1);
  FixDefaultMeal();
  target.meals[static_cast<std::size_t>(defaultMeal_)].foods.push_back(std::move(item));
  MarkModified(target_);
  return kFirstPlanTab + target_;
}

void TFoodLogState::AddToFavourites(int row) {
  if (const TFoodItem* food = RowFood(1, row)) c_.frequent.AddToFavourites(*food);
}

void TFoodLogState::RemoveFavourite(int row) {
  TFrequentFood* entry = RowFavourite(0, row);
  if (!entry || !c_.prompter.AskYesNo("Do you really want to delete " + entry->Name + "?")) return;
  c_.frequent.RemoveFrequentFood(*entry);
  auto& entries = c_.frequent.Entries;
  entries.erase(std::find_if(entries.begin(), entries.end(),
                             [&](const auto& e) { return e.get() == entry; }));
}

void TFoodLogState::Copy(int tab, int row) {
  const int plan = PlanOfTab(tab);
  const std::optional<std::pair<int, int>> at = PlanRow(plan, row);
  if (!at) return;
  const TMeal& meal = At(plan).plan->meals[static_cast<std::size_t>(at->first)];
  if (at->second < 0)
    c_.clipboard.content = meal;
  else
    c_.clipboard.content = meal.foods[static_cast<std::size_t>(at->second)];
}

int TFoodLogState::MergeMeal(TDaysMeals& plan, const TMeal& meal) {
  auto it = std::find_if(plan.meals.begin(), plan.meals.end(),
                         [&](const TMeal& m) { return m.Name == meal.Name; });
  std::size_t at;
  if (it == plan.meals.end()) {
    plan.meals.push_back(TMeal{meal.Name, meal.TOD, {}});
    at = SortMeals(plan.meals, plan.meals.size() - 1);
  } else {
    at = static_cast<std::size_t>(it - plan.meals.begin());
  }
  std::vector<TWFoodItem>& foods = plan.meals[at].foods;
  foods.insert(foods.end(), meal.foods.begin(), meal.foods.end());
  return static_cast<int>(at);
}

std::optional<int> TFoodLogState::Paste(int tab) {
  const int plan = PlanOfTab(tab);
  if (!Enabled(TFoodLogCommand::Paste, tab, -1)) return std::nullopt;
  TDaysMeals& p = *At(plan).plan;
  if (const TWFoodItem* food = std::get_if<TWFoodItem>(&c_.clipboard.content)) {
    if (!c_.dialogs.logFood) return std::nullopt;
    const TLogOutcome outcome = c_.dialogs.logFood(*food, p, plan == target_ ? defaultMeal_ : 0);
    if (!outcome.logged) {
      if (plan == target_) FixDefaultMeal();
      return std::nullopt;
    }
    c_.frequent.CountFoodUse(*food);
    MarkModified(plan);
    if (plan == target_) {
      defaultMeal_ = outcome.meal;
      FixDefaultMeal();
    }
    return tab;
  }
  const TMeal& meal = std::get<TMeal>(c_.clipboard.content);
  const int used = MergeMeal(p, meal);
  MarkModified(plan);
  if (plan == target_) defaultMeal_ = used;
  return tab;
}

void TFoodLogState::Remove(int tab, int row) {
  const int plan = PlanOfTab(tab);
  const std::optional<std::pair<int, int>> at = PlanRow(plan, row);
  if (!at) return;
  TMeal& meal = At(plan).plan->meals[static_cast<std::size_t>(at->first)];
  if (at->second < 0)
    meal.foods.clear();
  else
    meal.foods.erase(meal.foods.begin() + at->second);
  MarkModified(plan);
}

void TFoodLogState::EditQuantity(int tab, int row) {
  const int plan = PlanOfTab(tab);
  const std::optional<std::pair<int, int>> at = PlanRow(plan, row);
  if (!at || at->second < 0 || !c_.dialogs.logFood) return;
  TDaysMeals& p = *At(plan).plan;
  std::vector<TWFoodItem>& own = p.meals[static_cast<std::size_t>(at->first)].foods;
  // The dialog may add meals and re-sort them, which moves the meal objects
  // but never their food buffers; room for one more food keeps the edited
  // food where it is even when the copy comes back into its own meal.
  own.reserve(own.size() + 1);
  const TWFoodItem* edited = &own[static_cast<std::size_t>(at->second)];
  const std::string targetDefault = plan == target_ && !p.meals.empty()
                                        ? p.meals[static_cast<std::size_t>(defaultMeal_)].Name
                                        : std::string();
  const TLogOutcome outcome = c_.dialogs.logFood(*edited, p, at->first);
  if (plan == target_ && outcome.mealsChanged) {
    const auto it = std::find_if(p.meals.begin(), p.meals.end(),
                                 [&](const TMeal& m) { return m.Name == targetDefault; });
    defaultMeal_ = it == p.meals.end() ? 0 : static_cast<int>(it - p.meals.begin());
  }
  if (!outcome.logged) return;
  for (TMeal& meal : p.meals) {
    if (meal.foods.empty() || edited < meal.foods.data() ||
        edited >= meal.foods.data() + meal.foods.size())
      continue;
    // The last food of the meal takes the edited food's place.
    const std::size_t i = static_cast<std::size_t>(edited - meal.foods.data());
    if (i + 1 != meal.foods.size()) meal.foods[i] = std::move(meal.foods.back());
    meal.foods.pop_back();
    break;
  }
  MarkModified(plan);
}

std::optional<int> TFoodLogState::Drop(int fromTab, int toTab) {
  const int from = PlanOfTab(fromTab);
  const int to = PlanOfTab(toTab);
  const int count = static_cast<int>(plans_.size());
  if (from < 0 || to < 0 || from >= count || to >= count || from == to) return std::nullopt;
  TDaysMeals& target = *At(to).plan;
  const TMeal* lastMeal = nullptr;
  // The source is read while the target changes: they are different plans.
  for (const TMeal& meal : At(from).plan->meals)
    if (!meal.foods.empty()) {
      MergeMeal(target, meal);
      lastMeal = &meal;
    }
  if (!lastMeal) return std::nullopt;
  MarkModified(to);
  if (to == target_) {
    // Later meals may have moved the earlier ones: the last is found by name.
    const auto it = std::find_if(target.meals.begin(), target.meals.end(),
                                 [&](const TMeal& m) { return m.Name == lastMeal->Name; });
    defaultMeal_ = static_cast<int>(it - target.meals.begin());
    FixDefaultMeal();
  }
  return toTab;
}

int TFoodLogState::AddPlan(TOpenPlan plan) {
  plans_.push_back(std::move(plan));
  target_ = static_cast<int>(plans_.size()) - 1;
  defaultMeal_ = 0;
  return target_;
}

std::optional<int> TFoodLogState::OpenLog() {
  if (!HasRoom() || !c_.dialogs.openLog) return std::nullopt;
  std::optional<TDaysMeals> log = c_.dialogs.openLog();
  if (!log) return std::nullopt;
  for (const TOpenPlan& p : plans_)
    if (!p.plan->IsMenu() && DayOf(p.plan->ForDate) == DayOf(log->ForDate)) {
      c_.prompter.Warn(kMsgLogAlreadyOpen);
      return std::nullopt;
    }
  MergeMealDefinitions(*log, c_.definitions);
  TOpenPlan open;
  open.owned = std::make_unique<TDaysMeals>(std::move(*log));
  open.plan = open.owned.get();
  return kFirstPlanTab + AddPlan(std::move(open));
}

std::optional<int> TFoodLogState::OpenMenu() {
  if (!HasRoom() || !c_.dialogs.openMenu) return std::nullopt;
  const std::optional<int> chosen = c_.dialogs.openMenu();
  const auto& menus = c_.menus.Menus();
  if (!chosen || *chosen < 0 || *chosen >= static_cast<int>(menus.size())) return std::nullopt;
  TDaysMeals* menu = menus[static_cast<std::size_t>(*chosen)].get();
  for (const TOpenPlan& p : plans_)
    if (p.plan == menu) {
      c_.prompter.Warn(kMsgMenuAlreadyOpen);
      return std::nullopt;
    }
  MergeMealDefinitions(*menu, c_.definitions);
  TOpenPlan open;
  open.plan = menu;
  return kFirstPlanTab + AddPlan(std::move(open));
}

std::optional<int> TFoodLogState::NewMenu() {
  if (!HasRoom() || !c_.dialogs.planOptions) return std::nullopt;
  auto menu = std::make_unique<TDaysMeals>(NewDayPlan(0, c_.definitions));
  menu->MenuName = kNewMenuName;
  if (!c_.dialogs.planOptions(*menu)) return std::nullopt;
  TOpenPlan open;
  open.owned = std::move(menu);
  open.plan = open.owned.get();
  open.modified = true;
  return kFirstPlanTab + AddPlan(std::move(open));
}

std::optional<int> TFoodLogState::CopyPlan(int tab) {
  const int plan = PlanOfTab(tab);
  if (!Enabled(TFoodLogCommand::CopyPlan, tab, -1) || !c_.dialogs.planOptions) return std::nullopt;
  auto copy = std::make_unique<TDaysMeals>(CopyDayPlan(*At(plan).plan));
  copy->MenuName = CopyName(*At(plan).plan);
  if (!c_.dialogs.planOptions(*copy)) return std::nullopt;
  TOpenPlan open;
  open.owned = std::move(copy);
  open.plan = open.owned.get();
  open.modified = true;
  return kFirstPlanTab + AddPlan(std::move(open));
}

bool TFoodLogState::PlanOptions(int tab) {
  const int plan = PlanOfTab(tab);
  if (plan < 0 || plan >= static_cast<int>(plans_.size()) || !c_.dialogs.planOptions) return false;
  if (!c_.dialogs.planOptions(*At(plan).plan)) return false;
  MarkModified(plan);
  return true;
}

std::string TFoodLogState::SaveRefusal(const EKorvelaError& e, const std::string& fallback) const {
  return WriteRefusedText(e.File().empty() ? fallback : e.File(), e);
}

bool TFoodLogState::Save(int tab) {
  const int plan = PlanOfTab(tab);
  if (plan < 0 || plan >= static_cast<int>(plans_.size())) return false;
  TOpenPlan& open = At(plan);
  try {
    if (open.plan->IsMenu()) {
      if (open.owned) {
        open.plan = &c_.menus.SaveMenu(std::move(open.owned));
      } else {
        c_.menus.SaveMenu(*open.plan);
      }
    } else {
      SaveDayLog(*open.plan, c_.store, c_.energy);
    }
  } catch (const EXMLIOError& e) {
    c_.prompter.Warn(SaveRefusal(e, open.plan->IsMenu() ? "FM.DAT" : "FDBC.DAT"));
    return false;
  }
  open.modified = false;
  return true;
}

bool TFoodLogState::ClosePlan(int plan, bool silentSave) {
  if (plan < 0 || plan >= static_cast<int>(plans_.size())) return false;
  TOpenPlan& open = At(plan);
  if (open.modified) {
    const std::string question = PlanCaption(plan) + " is not saved. Do you want to save it now?";
    if (silentSave || c_.prompter.AskYesNo(question)) {
      if (!Save(kFirstPlanTab + plan)) return false;
    } else if (open.plan->IsMenu() && !open.owned) {
      c_.menus.RevertMenu(*open.plan);
    }
  }
  plans_.erase(plans_.begin() + plan);
  if (!plans_.empty()) SetTarget(0);
  return true;
}

void TFoodLogState::DeleteMenu(int tab) {
  const int plan = PlanOfTab(tab);
  if (!Enabled(TFoodLogCommand::DeleteMenu, tab, -1)) return;
  TOpenPlan& open = At(plan);
  if (!c_.prompter.AskYesNo("Do you really want to delete " + open.plan->MenuName + "?")) return;
  if (!open.owned) {
    try {
      c_.menus.DeleteMenu(*open.plan);
    } catch (const EXMLIOError& e) {
      c_.prompter.Warn(SaveRefusal(e, "FM.DAT"));
      return;
    }
  }
  open.modified = false;
  plans_.erase(plans_.begin() + plan);
  SetTarget(0);
}

bool TFoodLogState::CloseScreen(bool ok) {
  while (!plans_.empty())
    if (!ClosePlan(static_cast<int>(plans_.size()) - 1, ok)) return false;
  c_.store.Close();
  c_.frequent.FlushFrequentFoods();
  c_.records.FlushDayRecords();
  results_.clear();
  return true;
}

TFoodLogPanels TFoodLogState::Panels() {
  TFoodLogPanels panels;
  const TConfigurator& config = c_.config;
  TDaysMeals& plan = *At(target_).plan;
  const bool menu = plan.IsMenu();
  const TNutrients t = DayTotals(plan);
  const bool metric = config.MetricSystem();
  const double u = metric ? 1 : 2.2;
  const std::string unit = metric ? "kg" : "lbs";

  if (!menu) c_.energy.CheckTodayProjection();
  const TDateTime day = menu ? c_.energy.Today() : DayOf(plan.ForDate);
  TCalStat* r = FindCalRecord(c_.records, day);
  const bool computable = r && r->PW > 0 && r->AC > 0;

  TBalancePanelView& b = panels.balance;
  const std::string eaten = t.calories == 0 ? kNoRecord : Whole(config, t.calories);
  if (menu) {
    b.eaten = b.burned = b.balance = kNotAvailable;
    b.balanceColour = TPanelColour::Blue;
    if (computable) {
      b.date = Ellipsize(plan.MenuName, 16);
      b.eaten = eaten;
    }
  } else {
    b.date = ShortDateText(day);
    b.eaten = eaten;
    b.burned = b.balance = kNotAvailable;
    b.balanceColour = TPanelColour::Blue;
  }
  if (computable) {
    // The live totals stand in for the record's for this computation only.
    const double saved[] = {r->P, r->F, r->C, r->A};
    r->P = static_cast<double>(t.P);
    r->F = static_cast<double>(t.F);
    r->C = static_cast<double>(t.C);
    r->A = static_cast<double>(t.A);
    b.burned = Whole(config, c_.energy.TotalDailyExpenditure(*r));
    if (t.calories != 0) {
      auto [text, colour] = BalanceText(c_.energy.CalorieBalance(*r), config);
      b.balance = text;
      b.balanceColour = ColourOf(colour);
    } else {
      b.balance = kAssumedZero;
      b.balanceColour = TPanelColour::Red;
    }
    r->P = saved[0];
    r->F = saved[1];
    r->C = saved[2];
    r->A = saved[3];
  }

  TCompositionPanelView& comp = panels.composition;
  comp.title = menu ? Ellipsize(plan.MenuName, 22) : kFoodLogPrefix + ShortDateText(day);
  if (t.calories != 0) {
    const Extended grams[] = {t.P, t.F, t.C};
    const int perGram[] = {4, 9, 4};
    for (int i = 0; i < 3; ++i) {
      const Extended cals = grams[i] * perGram[i];
      comp.calories[static_cast<std::size_t>(i)] = cals;
      auto& row = comp.cells[static_cast<std::size_t>(i)];
      row[0] = Whole(config, grams[i]) + " gr";
      row[1] = Whole(config, cals) + " cals";
      row[2] = Whole(config, cals / t.calories * 100) + "%";
      if (r && r->PW > 0)
        row[3] =
            FormatNumber(config, static_cast<double>(grams[i]) / r->PW / u, 1) + " gr per " + unit;
    }
  }

  const TNutrientTotals totals{static_cast<double>(t.P), static_cast<double>(t.F),
                               static_cast<double>(t.C), static_cast<double>(t.A)};
  panels.plan = NutritionPlan(c_.energy, c_.records, config, day, totals, r);
  return panels;
}

}  // namespace korvela
