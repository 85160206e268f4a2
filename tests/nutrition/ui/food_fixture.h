#pragma once
#include <QApplication>
#include <QTest>
#include <QWidget>

#include "nutrition/day_plan.h"
#include "nutrition/food_item.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {

// Anna logged in on 15 June 2007 at noon, with her day's log open.
struct TFoodFixture : TProgramFixture {
  TFoodFixture() {
    AddAccount("Anna");
    plan = NewDayPlan(program.Clock().Today(), program.Session()->MealDefinitions());
  }
  TDaysMeals plan;
};

// Oat flakes per 100 g, measured by the cup (80 g) and the tablespoon (30 g).
inline TFoodItem Oats() {
  TFoodItem food("Oat flakes");
  food.P = 13;
  food.F = 7;
  food.C = 60;
  food.weights = {{"cup", 1, 80}, {"tablespoon", 1, 30}};
  return food;
}

// Shows the screen and gives it the keyboard, as a person would see it.
inline void ShowActive(QWidget& screen) {
  screen.show();
  QApplication::setActiveWindow(&screen);
  if (!QTest::qWaitForWindowActive(&screen)) qWarning("the screen did not become active");
}

}  // namespace korvela::test
