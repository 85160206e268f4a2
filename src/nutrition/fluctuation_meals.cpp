#include "nutrition/fluctuation_meals.h"

namespace korvela {

std::vector<TFluctuationMeal> FluctuationMeals(const TDaysMeals& log, int digestionMinutes) {
  std::vector<TFluctuationMeal> meals;
  for (const TMeal& meal : log.meals) {
    if (meal.foods.empty()) continue;
    meals.push_back({meal.Name, meal.TOD, MealTotals(meal).calories, digestionMinutes});
  }
  return meals;
}

}  // namespace korvela
