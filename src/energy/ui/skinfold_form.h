#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <vector>

#include "app/program.h"
#include "energy/skinfold.h"
#include "users/prompter.h"
#include "widgets/labeled_edit.h"

namespace korvela {

// The 3-site and the 7-site skinfold body fat calculators: sex, age and one
// skinfold in mm per site in, body fat in percent out. Nothing is stored.
class TFSkinfold final : public QDialog {
  Q_OBJECT
 public:
  TFSkinfold(TProgram& program, TPrompter& prompter, TSkinfoldMethod method,
             QWidget* parent = nullptr);

 private:
  QWidget* BuildEntries();
  QWidget* BuildResult();
  TSex Sex() const;
  QLineEdit* FieldEdit(int field) const;
  void SexComboBoxChange();
  void CalculateButtonClick();
  void HelpKeyPress();

  TProgram& program_;
  TPrompter& prompter_;
  const TSkinfoldMethod method_;
  QComboBox* sexComboBox_ = nullptr;
  TLabeledEdit* ageEdit_ = nullptr;
  std::vector<TLabeledEdit*> skinfoldEdits_;
  QPushButton* calculateButton_ = nullptr;
  TLabeledEdit* bodyFatEdit_ = nullptr;
  QPushButton* closeButton_ = nullptr;
};

}  // namespace korvela
