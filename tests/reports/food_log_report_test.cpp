#include "reports/food_log_report.h"

#include <gtest/gtest.h>

#include <string>

namespace korvela {
namespace {

std::size_t Count(const std::string& text, const std::string& part) {
  std::size_t n = 0;
  for (std::size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++n;
  return n;
}

TEST(FoodLogReportTest, ListsMealsWithFoodsTheirFoodsAndTheTotalsWithNamesEscaped) {
  TConfigurator config;
  TDaysMeals log;
  log.ForDate = 39248;  // 15 June 2007
  TWFoodItem milk;
  milk.Name = "Milk <b>";
  milk.P = 3.5L;
  milk.F = 1;
  milk.C = 5;
  milk.weights = {{"cup", 1, 240}};
  milk.WI = 0;
  milk.WM = 2;
  milk.WMStr = "2";
  log.meals = {{"Breakfast", 7.5 / 24, {milk}}, {"Lunch", 0.5, {}}};
  const std::string page = FoodLogReport(log, config).Text();
  EXPECT_EQ(Count(page, "Food Log for 15 June 2007"), 1u);
  EXPECT_EQ(Count(page, "Meal/Foods"), 1u);
  EXPECT_EQ(Count(page, "Breakfast"), 1u);
  EXPECT_EQ(Count(page, "Lunch"), 0u);  // no foods, no row
  EXPECT_EQ(Count(page, "Milk &lt;b&gt;"), 1u);
  EXPECT_EQ(Count(page, "<b>"), 0u);
  EXPECT_EQ(Count(page, "2 cup"), 1u);
  EXPECT_EQ(Count(page, "16.8"), 3u);  // protein of the food, the meal and the totals
  EXPECT_EQ(Count(page, "Totals"), 1u);
  EXPECT_EQ(Count(page, "<tr class=\"table_subheader\">"), 1u);

  log.ForDate = 0;
  log.MenuName = "Lean & green";
  EXPECT_EQ(Count(FoodLogReport(log, config).Text(), "Menu Lean &amp; green"), 1u);
}

}  // namespace
}  // namespace korvela
