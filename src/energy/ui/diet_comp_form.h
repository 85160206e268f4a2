#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <array>

#include "app/program.h"
#include "energy/diet_goals.h"
#include "users/prompter.h"
#include "widgets/labeled_edit.h"

namespace korvela {

// The diet-composition goals from today on: for protein, fats and carbs a
// goal or none, and how far a day may miss a goal before it is marked failed.
class TFDietComp final : public QDialog {
  Q_OBJECT
 public:
  TFDietComp(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  struct TRow {
    QComboBox* goal;
    QComboBox* qualifier;
    QLineEdit* quantity;
    QComboBox* measurement;
  };

  void GoalComboBoxChange(int nutrient);
  void AdoptButtonClick();
  TDietCompForm ReadForm() const;

  TProgram& program_;
  TPrompter& prompter_;
  std::array<TRow, kNutrientCount> rows_;
  TLabeledEdit* allowanceEdit_;
};

}  // namespace korvela
