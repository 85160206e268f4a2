#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <array>
#include <functional>
#include <optional>

#include "app/program.h"
#include "nutrition/food_logging.h"
#include "nutrition/ui/new_meal_form.h"
#include "users/prompter.h"
#include "widgets/pie_chart.h"

namespace korvela {

// The logging dialog ("Log " + the food's name): quantity and unit, the
// meal it goes to and its time, the figures of the quantity, and OK, which
// reads "Log " + quantity + unit. Meal times and new meals reach the plan at
// once; the food only on OK.
class TFLogFood : public QDialog {
  Q_OBJECT
 public:
  TFLogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, TDaysMeals& target,
            int defaultMeal, QWidget* parent = nullptr);

  const TFoodLogging& Logging() const { return logging_; }
  // The meal the food went to after OK.
  int ChosenMeal() const { return chosenMeal_; }

  // "New Meal..." asks through this; the new-meal dialog unless replaced.
  std::function<std::optional<TNewMeal>()> OnAskNewMeal;

 protected:
  // The same dialog for the quantity of a recipe's ingredient: no meal, the
  // food's name as caption, OK keeps the quantity in Logging().Item().
  TFLogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, QWidget* parent);
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  TFLogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, TDaysMeals* target,
            int defaultMeal, QWidget* parent);
  void QuantityChange(const QString& text);
  // False when the text was refused (the warning was shown).
  bool QuantityLeave();
  bool NutrientLeave(int field);
  void UnitChange(int unit);
  void MealChange(int meal);
  void MealTimeChange(const QTime& time);
  void NewMealButtonClick();
  void OkButtonClick();

  // Shows the figures, the chart and OK's caption.
  void ShowFigures();
  void ShowMeals();

  TProgram& program_;
  TPrompter& prompter_;
  const bool ingredient_;
  // The plan of an ingredient's dialog, which logs to no meal.
  TDaysMeals noPlan_;
  TFoodLogging logging_;
  QLineEdit* quantityLineEdit_;
  QComboBox* unitComboBox_;
  QLabel* gramsLabel_;
  QLabel* gramsUnitLabel_;
  QComboBox* mealComboBox_;
  QTimeEdit* mealTimeEdit_;
  std::array<QLineEdit*, 4> nutrientEdits_;
  TPieChart* pie_;
  QPushButton* okButton_;
  QPushButton* cancelButton_;
  bool showing_ = false;
  bool checking_ = false;
  int chosenMeal_ = -1;
};

// The recipe book's ingredient quantity dialog.
class TFIngredient final : public TFLogFood {
  Q_OBJECT
 public:
  TFIngredient(TProgram& program, TPrompter& prompter, TWFoodItem item, QWidget* parent = nullptr)
      : TFLogFood(program, prompter, std::move(item), parent) {}
  const TWFoodItem& Ingredient() const { return Logging().Item(); }
};

// The entry point of the food screens: opens the dialog on a copy of a food
// (see NewLoggedItem) for a plan and its default meal. After OK the food is
// in the chosen meal.
struct TLogFoodResult {
  bool logged = false;
  int meal = -1;              // the meal used, the new default meal
  bool mealsChanged = false;  // meal times changed or a meal added
};
TLogFoodResult LogFood(TProgram& program, TPrompter& prompter, TWFoodItem item, TDaysMeals& target,
                       int defaultMeal, QWidget* parent);

}  // namespace korvela
