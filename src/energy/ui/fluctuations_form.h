#pragma once
#include <QButtonGroup>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <memory>
#include <vector>

#include "app/program.h"
#include "energy/calorie_fluctuations.h"
#include "nutrition/food_log_store.h"
#include "users/prompter.h"
#include "widgets/chart.h"
#include "widgets/chart_commands.h"
#include "widgets/date_edit.h"
#include "widgets/grid.h"

namespace korvela {

// "Analyze Daily Calorie Balance Fluctuations": one day's balance minute by
// minute from its meals, with their digestion times, its activities and the
// wake-up time, which is kept in the day's recovery record.
class TFFluctuations final : public QDialog {
  Q_OBJECT
 public:
  TFFluctuations(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent = nullptr);
  ~TFFluctuations() override;

  TChart* Chart() const { return chart_; }
  TChartCommands* ChartCommands() const { return commands_; }
  const std::vector<TFluctuationMeal>& Meals() const { return meals_; }

 private:
  void LoadDay();
  void DateChange();
  void WakeUpTimeChange();
  void SetAllDigestionTimesClick();
  void CalculateButtonClick();
  void OkButtonClick();
  // Keeps a changed wake-up time for the day shown.
  void StoreWakeUp();
  TDateTime WakeUpTime() const;
  void ShowDigestionTimes();
  void SetCalculationEnabled(bool enabled);

  TProgram& program_;
  TPrompter& prompter_;
  std::unique_ptr<TFoodLogStore> foodLogs_;
  TDateTime day_;
  std::vector<TFluctuationMeal> meals_;
  bool wakeUpChanged_ = false;
  bool loading_ = false;

  TMyDate* dateEdit_;
  QTimeEdit* wakeUpTimeEdit_;
  QPushButton* setAllButton_;
  QSpinBox* hoursSpinBox_;
  TMyGrid* mealsGrid_;
  QButtonGroup* startGroup_;
  QPushButton* calculateButton_;
  TChart* chart_;
  TChartCommands* commands_;
  QLabel* highestLabel_;
  QLabel* lowestLabel_;
};

}  // namespace korvela
