#pragma once
#include <QComboBox>
#include <QDialog>

#include "app/program.h"
#include "users/prompter.h"
#include "widgets/labeled_edit.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// "Daily Energy Expenditure Calculations": the total daily expenditure of a
// person on a maintenance diet and its parts. Nothing is stored.
class TFExpenditure final : public QDialog {
  Q_OBJECT
 public:
  TFExpenditure(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  void CalculateButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TWeightEdit* weightEdit_ = nullptr;
  TDistEdit* heightEdit_ = nullptr;
  TLabeledEdit* ageEdit_ = nullptr;
  QComboBox* sexComboBox_ = nullptr;
  QComboBox* activityComboBox_ = nullptr;
  QComboBox* bodyFatComboBox_ = nullptr;
  TLabeledEdit* totalEdit_ = nullptr;
  TLabeledEdit* restingEdit_ = nullptr;
  TLabeledEdit* foodEdit_ = nullptr;
  TLabeledEdit* activityEdit_ = nullptr;
};

}  // namespace korvela
