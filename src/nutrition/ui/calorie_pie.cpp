#include "nutrition/ui/calorie_pie.h"

namespace korvela {

TPieChart* MakeCaloriePie(QWidget* parent) {
  auto* pie = new TPieChart(parent);
  pie->setObjectName(QStringLiteral("caloriePieChart"));
  pie->setAccessibleName(QStringLiteral("Calories from protein, fat, carbs and alcohol"));
  pie->setFocusPolicy(Qt::NoFocus);
  return pie;
}

void ShowCalorieShares(TPieChart& pie, const TCalorieShares& shares) {
  pie.SetSlices(
      {{QStringLiteral("Protein"), static_cast<double>(shares.protein), QColor(31, 90, 180)},
       {QStringLiteral("Fat"), static_cast<double>(shares.fat), QColor(230, 130, 20)},
       {QStringLiteral("Carbs"), static_cast<double>(shares.carbs), QColor(40, 150, 60)},
       {QStringLiteral("Alcohol"), static_cast<double>(shares.alcohol), QColor(150, 40, 110)}});
}

}  // namespace korvela
