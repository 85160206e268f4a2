#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>

#include "app/program.h"
#include "users/prompter.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// "Who am I?": creates an account from the name, birth date, sex, body
// measurements, activity level and an optional password, and makes it the
// current user. The measurement system chosen here applies at once.
class TFWhoAmI final : public QDialog {
  Q_OBJECT
 public:
  TFWhoAmI(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  QWidget* BuildNameAndBirth();
  QWidget* BuildChoices();
  QWidget* BuildPhysicalAttributes();
  QWidget* BuildPassword();
  void MetricRadioButtonToggle(bool metric);
  void PasswordCheckBoxToggle(bool ticked);
  void OkButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  QLineEdit* nameLineEdit_ = nullptr;
  QComboBox* birthDayComboBox_ = nullptr;
  QComboBox* birthMonthComboBox_ = nullptr;
  QSpinBox* birthYearSpinBox_ = nullptr;
  QRadioButton* maleRadioButton_ = nullptr;
  QRadioButton* femaleRadioButton_ = nullptr;
  QRadioButton* usImperialRadioButton_ = nullptr;
  QRadioButton* metricRadioButton_ = nullptr;
  TWeightEdit* weightEdit_ = nullptr;
  TDistEdit* heightEdit_ = nullptr;
  QComboBox* activityComboBox_ = nullptr;
  QCheckBox* passwordCheckBox_ = nullptr;
  QLineEdit* passwordLineEdit_ = nullptr;
  QLineEdit* confirmPasswordLineEdit_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace korvela
