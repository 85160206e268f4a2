#pragma once
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "nutrition/day_plan.h"
#include "nutrition/food_logging.h"
#include "nutrition/menus.h"

namespace korvela {

inline constexpr const char* kMenuOptionsCaption =
    "Menu Options and its current Dietary Composition";
inline constexpr const char* kLogNotesCaption = "Food Log Notes and Dietary Composition";
inline constexpr const char* kMsgMenuNameRequired = "Please, enter a menu name!";
inline constexpr std::array<const char*, 7> kCompositionLabels = {
    "Protein (g)",    "Fats (g)",    "Carbs (g)",   "Calories (kcal)",
    "Protein (%cal)", "Fats (%cal)", "Carbs (%cal)"};

inline constexpr const char* kOpenLogCaption = "Open food log...";
inline constexpr const char* kOpenLogHeading = "I want to open the food log for a given day...";
inline constexpr const char* kOpenLogGroup = "   Select a day...   ";
// The quick day buttons and their distance from today.
inline constexpr std::array<std::pair<const char*, int>, 4> kOpenLogDays = {
    {{"The day before yesterday", -2}, {"Yesterday", -1}, {"Today", 0}, {"Tomorrow", 1}}};

inline constexpr const char* kOpenMenuCaption = "Open a saved menu...";
inline constexpr const char* kOpenMenuHeading = "Open one of the saved menus...";
inline constexpr const char* kSavedMenusLabel = "Saved Menus";
inline constexpr const char* kMenuNotesLabel = "Selected Menu Notes";

// The composition of a plan as the options dialog shows it: grams and
// calories as whole numbers, then each nutrient's share of the calories.
std::array<std::string, 7> CompositionTexts(const TNutrients& totals);

// The menu options dialog, which is the notes dialog of a day's log as well.
// For a log the name is "Food Log " and the day and cannot be changed.
class TPlanOptions {
 public:
  explicit TPlanOptions(TDaysMeals& plan) : plan_(plan) {}

  bool IsLog() const { return !plan_.IsMenu(); }
  std::string Caption() const;
  // "Menu Name" / "Log Date", "Menu Notes" / "Log Notes", "Menu Composition"
  // / "Log Composition".
  std::string NameLabel() const { return IsLog() ? "Log Date" : "Menu Name"; }
  std::string NotesLabel() const { return IsLog() ? "Log Notes" : "Menu Notes"; }
  std::string CompositionLabel() const { return IsLog() ? "Log Composition" : "Menu Composition"; }
  std::string NameText() const;
  const std::string& NotesText() const { return plan_.MenuNotes; }
  TNutrients Totals() const { return DayTotals(plan_); }

  // OK: the warning for a blank name, or the name (as typed) and the notes
  // go into the plan.
  std::optional<std::string> Confirm(std::string_view name, std::string_view notes);

 private:
  TDaysMeals& plan_;
};

// What the open-log dialog returns for a day: its stored log, or a new one.
template <typename TStore>
TDaysMeals OpenDayLog(TStore& store, TDateTime day, const TMealDefinitions& definitions) {
  if (std::optional<TDaysMeals> log = store.LoadDayLog(day)) return std::move(*log);
  return NewDayPlan(day, definitions);
}

}  // namespace korvela
