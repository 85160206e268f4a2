#pragma once
#include "nutrition/food_logging.h"
#include "widgets/pie_chart.h"

namespace korvela {

// A pie of the calories from protein, fat, carbohydrate and alcohol, in the
// same four colours on every food screen.
TPieChart* MakeCaloriePie(QWidget* parent);
void ShowCalorieShares(TPieChart& pie, const TCalorieShares& shares);

}  // namespace korvela
