#pragma once
#include <QButtonGroup>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>

#include "app/program.h"
#include "users/prompter.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// Today's weigh-in: the weight, optionally the body fat, and how well the
// foods and training were logged, which decides how far the activity
// coefficient may be readjusted.
class TFWeighIn final : public QDialog {
  Q_OBJECT
 public:
  TFWeighIn(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  void OkButtonClick();
  void SkinfoldButtonClick(bool sevenSites);

  TProgram& program_;
  TPrompter& prompter_;
  TWeightEdit* weightEdit_;
  QComboBox* bodyFatComboBox_;
  QButtonGroup* accuracyGroup_;
};

}  // namespace korvela
