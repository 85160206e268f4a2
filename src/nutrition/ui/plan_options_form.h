#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QPlainTextEdit>

#include "app/program.h"
#include "nutrition/plan_dialogs.h"
#include "users/prompter.h"

namespace korvela {

// The menu options dialog, and for a day's log its notes dialog: the name
// (fixed for a log), the notes and the plan's composition with its calorie
// pie. OK writes the name and notes into the plan.
class TFMenuOptions final : public QDialog {
  Q_OBJECT
 public:
  TFMenuOptions(TProgram& program, TPrompter& prompter, TDaysMeals& plan,
                QWidget* parent = nullptr);

 private:
  void OkButtonClick();

  TPrompter& prompter_;
  TPlanOptions options_;
  QLineEdit* nameLineEdit_;
  QPlainTextEdit* notesTextEdit_;
};

// The entry point of the food log screen; true when the plan was changed.
bool EditPlanOptions(TProgram& program, TPrompter& prompter, TDaysMeals& plan, QWidget* parent);

}  // namespace korvela
