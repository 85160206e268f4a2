#pragma once
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QRadioButton>

#include "app/program.h"
#include "users/prompter.h"

namespace korvela {

// "Internalization options": time format, measurement system, decimal
// character and first day of the week of the logged-in user, stored in the
// user's settings file when accepted.
class TFInternational final : public QDialog {
  Q_OBJECT
 public:
  TFInternational(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  void OkButtonClick();
  void HelpButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  QRadioButton* hour12RadioButton_ = nullptr;
  QRadioButton* hour24RadioButton_ = nullptr;
  QRadioButton* usImperialRadioButton_ = nullptr;
  QRadioButton* metricRadioButton_ = nullptr;
  QRadioButton* pointRadioButton_ = nullptr;
  QRadioButton* commaRadioButton_ = nullptr;
  QComboBox* firstDayComboBox_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
  QPushButton* helpButton_ = nullptr;
};

}  // namespace korvela
