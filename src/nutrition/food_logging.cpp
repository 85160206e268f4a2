#include "nutrition/food_logging.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {

TCalorieShares CalorieShares(Extended p, Extended f, Extended c, Extended a) {
  return {4 * p, 9 * f, 4 * c, 7 * a};
}

std::optional<Extended> ReadPositiveFraction(std::string_view text, char floatingChar) {
  double value = 0;
  try {
    value = ParseFraction(text, floatingChar);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  if (!std::isfinite(value) || value <= 0) return std::nullopt;
  return static_cast<Extended>(value);
}

bool PlausibleQuantity(const TWFoodItem& item) {
  if (!(item.WM > 0)) return false;
  if (!item.InGrams() && item.WM > kMostLoggedUnits) return false;
  if (item.recipe) return true;
  const Extended grams = LoggedNutrients(item).grams;
  return std::isfinite(static_cast<double>(grams)) && grams <= kMostLoggedGrams;
}

TWFoodItem NewLoggedItem(const TFoodItem& food, const TConfigurator& config) {
  TWFoodItem item(food);
  item.WI = 0;
  item.WM = item.weights.empty() ? 100 : item.weights.front().mod;
  item.WMStr = FormatNumber(config, static_cast<double>(item.WM), 2);
  return item;
}

bool IsBlank(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](unsigned char c) { return std::isspace(c) != 0; });
}

std::optional<std::string> CheckNewMealName(std::string_view name) {
  if (IsBlank(name)) return std::string(kMsgMealNameRequired);
  return std::nullopt;
}

TFoodLogging::TFoodLogging(TWFoodItem item, TDaysMeals& target, int defaultMeal,
                           const TConfigurator& config)
    : item_(std::move(item)), target_(target), config_(config) {
  const int meals = static_cast<int>(target_.meals.size());
  meal_ = meals == 0 ? -1 : std::clamp(defaultMeal, 0, meals - 1);
  // A quantity the caller did not choose starts as one of the first unit.
  const int units = static_cast<int>(UnitNames().size());
  if (item_.WI < 0 || item_.WI >= units) item_.WI = 0;
  if (!(item_.WM > 0)) {
    item_.WM = 1;
    item_.WMStr.clear();
  }
  if (item_.WMStr.empty()) item_.WMStr = Number(item_.WM);
}

std::string TFoodLogging::Caption() const { return std::string("Log ").append(item_.Name); }

std::vector<std::string> TFoodLogging::UnitNames() const {
  std::vector<std::string> names;
  for (const TWeightItem& weight : item_.weights) names.push_back(weight.desc);
  if (!IsRecipe() || names.empty()) names.emplace_back(kGramsUnit);
  return names;
}

std::vector<std::string> TFoodLogging::MealNames() const {
  std::vector<std::string> names;
  for (const TMeal& meal : target_.meals) names.push_back(meal.Name);
  return names;
}

TDateTime TFoodLogging::SelectedMealTime() const {
  return meal_ < 0 ? 0 : target_.meals[static_cast<std::size_t>(meal_)].TOD;
}

std::string TFoodLogging::Number(Extended value) const {
  return FormatNumber(config_, static_cast<double>(value), 2);
}

std::string TFoodLogging::GramsText() const {
  if (gramsCleared_ || IsRecipe()) return {};
  return Number(Figures().grams);
}

std::string TFoodLogging::FigureText(TNutrientField field) const {
  const TNutrients n = Figures();
  switch (field) {
    case TNutrientField::Protein:
      return Number(n.P);
    case TNutrientField::Fat:
      return Number(n.F);
    case TNutrientField::Carbs:
      return Number(n.C);
    case TNutrientField::Calories:
      return Number(n.calories);
  }
  return {};
}

std::string TFoodLogging::OkCaption() const {
  const std::vector<std::string> units = UnitNames();
  const std::string unit = item_.WI >= 0 && item_.WI < static_cast<int>(units.size())
                               ? units[static_cast<std::size_t>(item_.WI)]
                               : std::string();
  std::string caption = "Log ";
  caption.append(item_.WMStr).append(" ").append(unit);
  return caption;
}

Extended TFoodLogging::Per100(TNutrientField field) const {
  switch (field) {
    case TNutrientField::Protein:
      return item_.P;
    case TNutrientField::Fat:
      return item_.F;
    case TNutrientField::Carbs:
      return item_.C;
    case TNutrientField::Calories:
      return Calories(item_);
  }
  return 0;
}

bool TFoodLogging::NutrientFieldEnabled(TNutrientField field) const {
  return !IsRecipe() && Per100(field) > 0;
}

TCalorieShares TFoodLogging::Shares() const {
  const TNutrients n = Figures();
  return CalorieShares(n.P, n.F, n.C, n.A);
}

bool TFoodLogging::TypeQuantity(std::string_view text) {
  const std::optional<Extended> value = ReadPositiveFraction(text, config_.FloatingChar());
  if (!value) return false;
  std::string normal = NormalizeFraction(text);
  const Extended before = item_.WM;
  // The text as shown stands for the quantity behind it, which may carry
  // more decimals than the text.
  if (normal != item_.WMStr || !PlausibleQuantity(item_)) item_.WM = *value;
  if (!PlausibleQuantity(item_)) {
    item_.WM = before;
    return false;
  }
  item_.WMStr = std::move(normal);
  gramsCleared_ = false;
  return true;
}

std::optional<std::string> TFoodLogging::CheckQuantity(std::string_view text) {
  if (TypeQuantity(text)) return std::nullopt;
  gramsCleared_ = true;
  return std::string(kMsgInvalidServingSize);
}

void TFoodLogging::ChooseUnit(int unit) {
  if (unit < 0 || unit >= static_cast<int>(UnitNames().size())) return;
  item_.WI = unit;
}

std::optional<std::string> TFoodLogging::EnterNutrient(TNutrientField field,
                                                       std::string_view text) {
  static constexpr const char* kWarnings[] = {"Invalid protein number", "Invalid fats number",
                                              "Invalid carbs number", "Invalid calories number"};
  const Extended per100 = Per100(field);
  const std::optional<Extended> amount = ReadPositiveFraction(text, config_.FloatingChar());
  const Extended quantity = amount && per100 > 0 ? *amount * 100 / per100 : 0;
  const std::string shown = Number(quantity);
  // Grams beyond any meal, or too few to show as more than 0.
  const bool plausible = std::isfinite(static_cast<double>(quantity)) &&
                         quantity <= kMostLoggedGrams &&
                         ReadPositiveFraction(shown, config_.FloatingChar()).has_value();
  if (!amount || !NutrientFieldEnabled(field) || !plausible)
    return std::string(kWarnings[static_cast<int>(field)]);
  item_.WM = quantity;
  item_.WMStr = shown;
  item_.WI = static_cast<int>(item_.weights.size());
  gramsCleared_ = false;
  return std::nullopt;
}

void TFoodLogging::ChooseMeal(int meal) {
  if (meal >= 0 && meal < static_cast<int>(target_.meals.size())) meal_ = meal;
}

void TFoodLogging::ChangeMealTime(TDateTime time) {
  if (meal_ < 0) return;
  target_.meals[static_cast<std::size_t>(meal_)].TOD = TimeOfDay(time);
  meal_ = static_cast<int>(SortMeals(target_.meals, static_cast<std::size_t>(meal_)));
  mealsChanged_ = true;
}

void TFoodLogging::AddMeal(std::string name, TDateTime time) {
  target_.meals.push_back({std::move(name), TimeOfDay(time), {}});
  meal_ = static_cast<int>(SortMeals(target_.meals, target_.meals.size() - 1));
  mealsChanged_ = true;
}

int TFoodLogging::Confirm() {
  if (meal_ < 0) {
    // A plan without meals still takes the food, in a meal of its own.
    AddMeal(kNewMealName, 0);
  }
  target_.meals[static_cast<std::size_t>(meal_)].foods.push_back(item_);
  return meal_;
}

}  // namespace korvela
