#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QRadioButton>

#include "activities/ui/activity_grid.h"
#include "app/program.h"
#include "users/prompter.h"
#include "widgets/labeled_edit.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// "How many calories does a person burn doing..?": the calories an activity
// burns and adds, for an average person or for given physical attributes.
// Nothing is stored.
class TFCaloriesBurned final : public QDialog {
  Q_OBJECT
 public:
  TFCaloriesBurned(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TActivityGrid* Grid() const { return grid_; }

 private:
  QWidget* BuildPerson();
  QWidget* BuildActivity();
  void PersonChange();
  void FilterTextChange();
  void SportSelect(const TSport* sport);
  // Calories a day at rest of the person; -1 while an attribute is invalid.
  double Rate();
  void Recompute();

  TProgram& program_;
  TPrompter& prompter_;
  QRadioButton* averageRadio_ = nullptr;
  QRadioButton* specifyRadio_ = nullptr;
  TWeightEdit* weightEdit_ = nullptr;
  TDistEdit* heightEdit_ = nullptr;
  TLabeledEdit* ageEdit_ = nullptr;
  QComboBox* sexComboBox_ = nullptr;
  QComboBox* bodyFatComboBox_ = nullptr;
  QWidget* attributes_ = nullptr;
  QLineEdit* filterEdit_ = nullptr;
  TActivityGrid* grid_ = nullptr;
  TLabeledEdit* metEdit_ = nullptr;
  TLabeledEdit* durationEdit_ = nullptr;
  TLabeledEdit* burnedEdit_ = nullptr;
  TLabeledEdit* additionalEdit_ = nullptr;
};

}  // namespace korvela
