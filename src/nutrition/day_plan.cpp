#include "nutrition/day_plan.h"

#include <algorithm>
#include <cmath>

#include "nutrition/food_element.h"
#include "users/unit_text.h"

namespace korvela {

TNutrients& TNutrients::operator+=(const TNutrients& other) {
  P += other.P;
  F += other.F;
  C += other.C;
  A += other.A;
  grams += other.grams;
  calories += other.calories;
  return *this;
}

TDateTime TimeOfDay(TDateTime value) { return value - std::floor(value); }

void SortMeals(std::vector<TMeal>& meals) { SortMeals(meals, 0); }

std::size_t SortMeals(std::vector<TMeal>& meals, std::size_t keep) {
  // Whole milliseconds make "less than a millisecond apart" a proper order.
  const auto millis = [](const TMeal& meal) { return std::llround(meal.TOD * 86400000.0); };
  std::vector<std::size_t> order(meals.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return millis(meals[a]) < millis(meals[b]);
  });
  std::vector<TMeal> sorted;
  sorted.reserve(meals.size());
  std::size_t kept = keep;
  for (std::size_t i = 0; i < order.size(); ++i) {
    if (order[i] == keep) kept = i;
    sorted.push_back(std::move(meals[order[i]]));
  }
  meals = std::move(sorted);
  return kept;
}

TDaysMeals NewDayPlan(TDateTime date, const TMealDefinitions& definitions) {
  TDaysMeals plan;
  plan.ForDate = date;
  plan.meals.reserve(definitions.size());
  for (const TMeal& definition : definitions)
    plan.meals.push_back({definition.Name, TimeOfDay(definition.TOD), {}});
  SortMeals(plan.meals);
  return plan;
}

TDaysMeals CopyDayPlan(const TDaysMeals& plan) {
  TDaysMeals copy = plan;
  copy.ForDate = 0;
  copy.ID = -1;
  return copy;
}

std::string CopyName(const TDaysMeals& plan) {
  if (plan.IsMenu()) return "A Copy of " + plan.MenuName;
  return "A Copy of Food Log " + ShortDateText(plan.ForDate);
}

std::string LogNotesName(TDateTime day) { return "Food Log " + LongDateText(day); }

TNutrients LoggedNutrients(const TWFoodItem& food) {
  Extended grams = food.WM;
  if (!food.InGrams() && food.WI >= 0) {
    const TWeightItem& weight = food.weights[static_cast<std::size_t>(food.WI)];
    // A measure of no units weighs nothing rather than infinitely much.
    grams = weight.mod == 0 ? 0 : weight.gr * food.WM / weight.mod;
  }
  const Extended k = grams * 0.01L;
  TNutrients result;
  result.P = food.P * k;
  result.F = food.F * k;
  result.C = food.C * k;
  result.A = food.A * k;
  result.grams = grams;
  result.calories = 4 * (result.P + result.C) + 9 * result.F + 7 * result.A;
  return result;
}

TNutrients MealTotals(const TMeal& meal) {
  TNutrients total;
  for (const TWFoodItem& food : meal.foods) total += LoggedNutrients(food);
  return total;
}

TNutrients DayTotals(const TDaysMeals& plan) {
  TNutrients total;
  for (const TMeal& meal : plan.meals) total += MealTotals(meal);
  return total;
}

std::string QuantityText(const TWFoodItem& food) {
  if (food.InGrams()) return food.WMStr + " grams";
  if (food.WI < 0) return food.WMStr;
  return food.WMStr + " " + food.weights[static_cast<std::size_t>(food.WI)].desc;
}

void MergeMealDefinitions(TDaysMeals& plan, const TMealDefinitions& definitions) {
  const auto defined = [&](const std::string& name) {
    return std::any_of(definitions.begin(), definitions.end(),
                       [&](const TMeal& d) { return d.Name == name; });
  };
  std::erase_if(plan.meals,
                [&](const TMeal& meal) { return meal.foods.empty() && !defined(meal.Name); });
  for (const TMeal& definition : definitions) {
    const bool present = std::any_of(plan.meals.begin(), plan.meals.end(),
                                     [&](const TMeal& m) { return m.Name == definition.Name; });
    if (!present) plan.meals.push_back({definition.Name, TimeOfDay(definition.TOD), {}});
  }
  SortMeals(plan.meals);
}

std::unique_ptr<XMLNode> WriteLoggedFoodElement(const TWFoodItem& food) {
  auto node = std::make_unique<XMLNode>(std::string(kLoggedFoodElement));
  node->AddAttr(std::string(kFoodNameAttr), food.Name);
  node->AddIntAttr(std::string(kWeightIndexAttr), food.WI);
  node->AddFloatAttr(std::string(kWeightMultiplierAttr), static_cast<double>(food.WM));
  node->AddAttr(std::string(kQuantityTextAttr), food.WMStr);
  AddNutrientAttrs(*node, food);
  AddWeightsAndRecipe(*node, food);
  return node;
}

TWFoodItem ReadLoggedFoodElement(const XMLNode& node) {
  TWFoodItem food;
  ReadNameAndNutrients(node, food);
  food.WI = node.AttrInt(kWeightIndexAttr);
  food.WM = node.AttrFloat(kWeightMultiplierAttr);
  food.WMStr = node.AttrText(kQuantityTextAttr);
  ReadWeightsAndRecipe(node, food);
  return food;
}

std::unique_ptr<XMLNode> WriteFoodLogElement(const TDaysMeals& plan) {
  auto node = std::make_unique<XMLNode>(std::string(kFoodLogElement));
  node->AddFloatAttr(std::string(kForDateAttr), plan.ForDate);
  if (!plan.MenuName.empty()) node->AddAttr(std::string(kMenuNameAttr), plan.MenuName);
  if (!plan.MenuNotes.empty()) node->AddAttr(std::string(kMenuNotesAttr), plan.MenuNotes);
  for (const TMeal& meal : plan.meals) {
    auto mealNode = std::make_unique<XMLNode>(std::string(kMealElement));
    mealNode->AddAttr(std::string(kMealNameAttr), meal.Name);
    mealNode->AddFloatAttr(std::string(kMealTimeAttr), meal.TOD);
    for (const TWFoodItem& food : meal.foods) mealNode->AddChild(WriteLoggedFoodElement(food));
    node->AddChild(std::move(mealNode));
  }
  return node;
}

TDaysMeals ReadFoodLogElement(const XMLNode& node) {
  TDaysMeals plan;
  plan.ForDate = node.AttrFloat(kForDateAttr);
  plan.MenuName = node.AttrOrEmpty(kMenuNameAttr);
  plan.MenuNotes = node.AttrOrEmpty(kMenuNotesAttr);
  plan.meals.reserve(node.Children.size());
  for (const auto& mealNode : node.Children) {
    TMeal meal;
    meal.Name = mealNode->AttrText(kMealNameAttr);
    meal.TOD = TimeOfDay(mealNode->AttrFloat(kMealTimeAttr));
    meal.foods.reserve(mealNode->Children.size());
    for (const auto& foodNode : mealNode->Children)
      meal.foods.push_back(ReadLoggedFoodElement(*foodNode));
    plan.meals.push_back(std::move(meal));
  }
  SortMeals(plan.meals);
  return plan;
}

}  // namespace korvela
