#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "energy/extended.h"
#include "nutrition/food_item.h"
#include "storage/date_time.h"
#include "storage/xml_node.h"

namespace korvela {

// Element and attribute names of a day's log or a menu.
inline constexpr std::string_view kFoodLogElement = "FoodLog";
inline constexpr std::string_view kForDateAttr = "ForDate";
inline constexpr std::string_view kMenuNameAttr = "MenuName";
inline constexpr std::string_view kMenuNotesAttr = "MenuNotes";
inline constexpr std::string_view kMealElement = "MealInfo";
inline constexpr std::string_view kMealNameAttr = "Name";
inline constexpr std::string_view kMealTimeAttr = "TOD";
inline constexpr std::string_view kLoggedFoodElement = "WFood";
inline constexpr std::string_view kWeightIndexAttr = "WI";
inline constexpr std::string_view kWeightMultiplierAttr = "WM";
inline constexpr std::string_view kQuantityTextAttr = "WMStr";

inline constexpr std::string_view kNewMenuName = "New Menu";

// A food as it was when it was logged, with the quantity eaten. WI indexes
// the food's own weights; WI equal to their number means the quantity is in
// grams. Both WI and WM are -1 until a quantity is chosen.
class TWFoodItem : public TFoodItem {
 public:
  TWFoodItem() = default;
  explicit TWFoodItem(const TFoodItem& food) : TFoodItem(food) {}

  std::int32_t WI = -1;
  Extended WM = -1;
  std::string WMStr;

  bool InGrams() const { return WI >= 0 && static_cast<std::size_t>(WI) >= weights.size(); }
};

// A meal: its name, its time of day as a fraction of a day, and the foods
// logged in it in logging order.
struct TMeal {
  std::string Name;
  TDateTime TOD = 0;
  std::vector<TWFoodItem> foods;
};

// A day's food log or a named menu; ForDate 0 is what makes it a menu.
// Meals are kept sorted by time of day.
struct TDaysMeals {
  std::string MenuName;
  std::string MenuNotes;
  TDateTime ForDate = 0;
  std::vector<TMeal> meals;
  std::int32_t ID = -1;

  bool IsMenu() const { return ForDate == 0; }
};

// Nutrient grams, total grams and calories of a food, a meal or a day.
struct TNutrients {
  Extended P = 0;
  Extended F = 0;
  Extended C = 0;
  Extended A = 0;
  Extended grams = 0;
  Extended calories = 0;
  TNutrients& operator+=(const TNutrients& other);
};

// The user's meals of a day, names and times only.
using TMealDefinitions = std::vector<TMeal>;

// The time part of a date-time.
TDateTime TimeOfDay(TDateTime value);
// Sorts the meals earliest first; times less than a millisecond apart count
// as equal.
void SortMeals(std::vector<TMeal>& meals);
// The same, returning the position the meal at `keep` moved to.
std::size_t SortMeals(std::vector<TMeal>& meals, std::size_t keep);

// A new log for the day (0 for a menu): one empty meal per definition.
TDaysMeals NewDayPlan(TDateTime date, const TMealDefinitions& definitions);
// A menu with the log's or menu's name, notes, meals and foods.
TDaysMeals CopyDayPlan(const TDaysMeals& plan);
// The name of a copy made by "Edit a Copy".
std::string CopyName(const TDaysMeals& plan);
// The name the notes dialog gives a day's log.
std::string LogNotesName(TDateTime day);

TNutrients LoggedNutrients(const TWFoodItem& food);
TNutrients MealTotals(const TMeal& meal);
TNutrients DayTotals(const TDaysMeals& plan);
// The quantity as shown beside a logged food: "1 1/2 cup" or "150 grams".
std::string QuantityText(const TWFoodItem& food);

// Brings a stored log or menu in line with the current meal definitions:
// meals no longer defined go when empty, newly defined meals are added empty.
void MergeMealDefinitions(TDaysMeals& plan, const TMealDefinitions& definitions);

std::unique_ptr<XMLNode> WriteFoodLogElement(const TDaysMeals& plan);
// Meals come back sorted by time. A missing required attribute raises
// EInvalidXMLFile, a number that is not one EConvertError.
TDaysMeals ReadFoodLogElement(const XMLNode& node);
std::unique_ptr<XMLNode> WriteLoggedFoodElement(const TWFoodItem& food);
TWFoodItem ReadLoggedFoodElement(const XMLNode& node);

}  // namespace korvela
