#pragma once
#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QTimeEdit>
#include <array>

#include "app/program.h"
#include "energy/recovery_editor.h"
#include "users/prompter.h"
#include "widgets/date_edit.h"

namespace korvela {

// "Track and evaluate my daily recovery status": sleep, colds and six ratings
// of a day, with the recovery score they make. Nothing is stored before OK;
// nothing here can be typed wrongly (hours that are not a number are simply not
// given), so the screen has no warnings.
class TFRecovery final : public QDialog {
  Q_OBJECT
 public:
  // Opens on `day`.
  TFRecovery(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent = nullptr);

  const TRecoveryEditor& Editor() const { return editor_; }

 private:
  void DateChange();
  void FieldChange();
  void OkButtonClick();

  TRecoveryFields Fields() const;
  void ShowRecord();
  void ApplyTimeFormat();

  TProgram& program_;
  TPrompter& prompter_;
  TRecoveryEditor editor_;
  TMyDate* dateEdit_;
  QTimeEdit* wakeUpTimeEdit_;
  QLineEdit* hoursLineEdit_;
  QCheckBox* coldsCheckBox_;
  std::array<QButtonGroup*, 6> ratingGroups_;
  QLineEdit* scoreLineEdit_;
  bool showing_ = false;
};

}  // namespace korvela
