#pragma once
#include <QComboBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <memory>

#include "app/program.h"
#include "energy/weight_goals.h"
#include "users/prompter.h"
#include "widgets/chart.h"
#include "widgets/date_edit.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// The bodyweight goal from today on: maintain the present weight, or reach a
// target weight by a target date, with the diet that takes and a chart of the
// way there.
class TFWeightGoal final : public QDialog {
  Q_OBJECT
 public:
  TFWeightGoal(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  ~TFWeightGoal() override;

 private:
  TWeightGoalType GoalType() const;
  void SetGoalType(TWeightGoalType type);
  void GoalComboBoxChange();
  void TargetWeightExit();
  void CalculateButtonClick();
  void AdoptButtonClick();
  // A goal to lose or gain needs a date after today; otherwise the user is
  // told, the date becomes tomorrow and takes the focus.
  bool TargetDateAccepted();
  void ShowChart(const std::string& title, const TGoalArrow& arrow);
  TChart* MakeChart();

  TProgram& program_;
  TPrompter& prompter_;
  std::unique_ptr<TWeightGoalSetting> setting_;
  QComboBox* goalComboBox_;
  TWeightEdit* targetWeightEdit_;
  TMyDate* targetDate_;
  QPlainTextEdit* descriptionTextEdit_;
  TChart* chart_;
  QHBoxLayout* body_;
};

}  // namespace korvela
