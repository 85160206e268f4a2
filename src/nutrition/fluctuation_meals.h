#pragma once
#include <vector>

#include "energy/calorie_fluctuations.h"
#include "nutrition/day_plan.h"

namespace korvela {

// The meals of a day's log that take part in its calorie curve: those with at
// least one food, in log order, each digested over `digestionMinutes`.
std::vector<TFluctuationMeal> FluctuationMeals(const TDaysMeals& log, int digestionMinutes);

}  // namespace korvela
