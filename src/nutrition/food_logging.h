#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nutrition/day_plan.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kLogMealHeading = "  Log to which meal?   ";
inline constexpr const char* kServingSizeHeading = "   Serving size   ";
inline constexpr const char* kGramsUnit = "grams";
inline constexpr const char* kMsgInvalidServingSize = "Invalid serving size";
inline constexpr std::size_t kQuantityMaxLength = 10;

inline constexpr const char* kNewMealCaption = "New meal";
inline constexpr const char* kNewMealHeading = "  Meal  information   ";
inline constexpr const char* kNewMealName = "A new meal";
inline constexpr const char* kMsgMealNameRequired = "Please, specify a meal name";

// The four figures of a logged quantity that the user may type to choose the
// quantity by its content.
enum class TNutrientField { Protein, Fat, Carbs, Calories };

// The calories a food's protein, fat, carbohydrate and alcohol give (4, 9, 4
// and 7 per gram), in this order: the slices of the calorie pie charts.
struct TCalorieShares {
  Extended protein = 0;
  Extended fat = 0;
  Extended carbs = 0;
  Extended alcohol = 0;
};
TCalorieShares CalorieShares(Extended p, Extended f, Extended c, Extended a);

// A number the user typed that must be above 0: a whole or decimal number, a
// fraction or a mixed number ("1 1/2"). None for any other text, for 0 and
// below and for numbers too large to hold.
std::optional<Extended> ReadPositiveFraction(std::string_view text, char floatingChar);

// The most of a food one entry may log: 10,000 units of a measure or
// servings of a recipe, and 100 kg of food. A larger quantity is a slip of
// the keyboard, refused like a text that is no number.
inline constexpr Extended kMostLoggedUnits = 10000;
inline constexpr Extended kMostLoggedGrams = 100000;
// Whether a logged food's quantity (`WM` in the unit `WI`) lies within them.
// The grams of a recipe's servings are no weight and are not compared.
bool PlausibleQuantity(const TWFoodItem& item);

// The copy of a food that the logging dialog opens on: its first measure, one
// serving of it ("mod" units), or 100 grams when the food has no measure.
TWFoodItem NewLoggedItem(const TFoodItem& food, const TConfigurator& config);

// Whether a name is empty once blanks are trimmed.
bool IsBlank(std::string_view text);

// The new-meal dialog's check: the warning for a name that is blank.
std::optional<std::string> CheckNewMealName(std::string_view name);

// The logging dialog: a working copy of one food with its quantity, the day
// plan it goes into and the meal it goes to. Meal times changed and meals
// added here reach the plan at once; the food only on Confirm.
class TFoodLogging {
 public:
  TFoodLogging(TWFoodItem item, TDaysMeals& target, int defaultMeal, const TConfigurator& config);

  std::string Caption() const;
  const TWFoodItem& Item() const { return item_; }
  bool IsRecipe() const { return item_.recipe != nullptr; }

  // The food's measures, then "grams" unless it is a recipe.
  std::vector<std::string> UnitNames() const;
  int SelectedUnit() const { return item_.WI; }
  const std::string& QuantityText() const { return item_.WMStr; }

  std::vector<std::string> MealNames() const;
  int SelectedMeal() const { return meal_; }
  TDateTime SelectedMealTime() const;
  // True once a meal time was changed or a meal added: the caller refreshes
  // its list of meals.
  bool MealsChanged() const { return mealsChanged_; }

  TNutrients Figures() const { return LoggedNutrients(item_); }
  // The figures as shown, up to 2 decimals; the grams are empty after a
  // quantity was refused and while the food is a recipe.
  std::string GramsText() const;
  std::string FigureText(TNutrientField field) const;
  // "Log 1 1/2 cup".
  std::string OkCaption() const;
  // A figure the food has none of (and every figure of a recipe) cannot be
  // typed.
  bool NutrientFieldEnabled(TNutrientField field) const;
  TCalorieShares Shares() const;

  // Typing in the quantity field: a text that reads as a number above 0 and
  // gives a plausible quantity in the chosen unit becomes the quantity at
  // once; other texts are ignored. The text shown for the quantity keeps the
  // exact quantity it was rounded from (a quantity found from a typed
  // figure). True when taken.
  bool TypeQuantity(std::string_view text);
  // Leaving the quantity field, Enter in it, and OK: the warning for a text
  // that is no quantity, or none the chosen unit makes plausible (the grams
  // figure is cleared).
  std::optional<std::string> CheckQuantity(std::string_view text);
  // Position in UnitNames.
  void ChooseUnit(int unit);
  // A figure typed by the user: the quantity becomes the grams that hold it
  // and the unit "grams", kept exact behind its 2-decimal text. The warning
  // when the text is no amount above 0 or needs grams that are no plausible
  // quantity.
  std::optional<std::string> EnterNutrient(TNutrientField field, std::string_view text);

  void ChooseMeal(int meal);
  // Applied to the plan at once; the meals are re-sorted and the meal stays
  // selected.
  void ChangeMealTime(TDateTime time);
  // A meal from the new-meal dialog: added to the plan, sorted and selected.
  void AddMeal(std::string name, TDateTime time);

  // OK: the food goes to the end of the selected meal, which becomes the
  // default meal; returns it.
  int Confirm();

 private:
  std::string Number(Extended value) const;
  Extended Per100(TNutrientField field) const;

  TWFoodItem item_;
  TDaysMeals& target_;
  const TConfigurator& config_;
  int meal_ = 0;
  bool gramsCleared_ = false;
  bool mealsChanged_ = false;
};

}  // namespace korvela
