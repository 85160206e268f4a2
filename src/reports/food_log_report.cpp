#include "reports/food_log_report.h"

#include "users/unit_text.h"

namespace korvela {
namespace {

void AddFigures(TMyReport& report, const TNutrients& n, const TConfigurator& config) {
  report.AddCell(FormatNumber(config, static_cast<double>(n.calories), 0), kCellRight);
  for (Extended grams : {n.P, n.F, n.C})
    report.AddCell(FormatNumber(config, static_cast<double>(grams), 2), kCellRight);
}

}  // namespace

TMyReport FoodLogReport(const TDaysMeals& plan, const TConfigurator& config) {
  TMyReport report;
  report.AddTitle(plan.IsMenu() ? "Menu " + plan.MenuName
                                : "Food Log for " + LongDateText(plan.ForDate));
  report.BeginTable();
  report.BeginHeaderRow();
  report.AddCell("Meal/Foods", kCellLeft);
  for (const char* heading : {"Quantity", "Calories", "Protein(g)", "Fat(g)", "Carbs(g)"})
    report.AddCell(heading, kCellCentre);
  report.EndRow();
  for (const TMeal& meal : plan.meals) {
    if (meal.foods.empty()) continue;
    report.BeginRow(kRowSubheader);
    report.AddCell(TimeOfDayText(config, meal.TOD) + " " + meal.Name, kCellLeft);
    report.AddEmptyCell();
    AddFigures(report, MealTotals(meal), config);
    report.EndRow();
    for (const TWFoodItem& food : meal.foods) {
      report.BeginRow();
      report.AddCell(food.Name, kCellLeft);
      report.AddCell(QuantityText(food), kCellCentre);
      AddFigures(report, LoggedNutrients(food), config);
      report.EndRow();
    }
  }
  report.BeginTotalRow();
  report.AddCell("Totals", kCellRight);
  report.AddEmptyCell();
  AddFigures(report, DayTotals(plan), config);
  report.EndRow();
  report.EndTable();
  report.EndDocument();
  return report;
}

}  // namespace korvela
