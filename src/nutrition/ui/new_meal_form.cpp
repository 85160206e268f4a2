#include "nutrition/ui/new_meal_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "nutrition/food_logging.h"
#include "nutrition/ui/food_form_parts.h"

namespace korvela {

TFNewMeal::TFNewMeal(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      prompter_(prompter),
      nameLineEdit_(MakeLineEdit("mealNameLineEdit", this)),
      timeEdit_(MakeTimeEdit(program.Config(), "mealTimeEdit", this)) {
  setWindowTitle(QString::fromUtf8(kNewMealCaption));
  nameLineEdit_->setText(QString::fromUtf8(kNewMealName));
  nameLineEdit_->selectAll();
  timeEdit_->setTime(ToQTime(TimeOfDay(program.Clock().Now())));

  auto* group = new QGroupBox(QString::fromUtf8(kNewMealHeading), this);
  auto* form = new QFormLayout(group);
  form->addRow(MakeBuddyLabel("Meal name:", nameLineEdit_, this), nameLineEdit_);
  form->addRow(MakeBuddyLabel("Meal time:", timeEdit_, this), timeEdit_);

  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(ok, &QPushButton::clicked, this, &TFNewMeal::OkButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(group);
  layout->addWidget(buttons);
  nameLineEdit_->setMinimumWidth(220);
  nameLineEdit_->setFocus();
}

TNewMeal TFNewMeal::Meal() const {
  return {nameLineEdit_->text().toStdString(), FromQTime(timeEdit_->time())};
}

void TFNewMeal::OkButtonClick() {
  if (const auto warning = CheckNewMealName(nameLineEdit_->text().toStdString())) {
    prompter_.Warn(*warning);
    nameLineEdit_->setFocus();
    return;
  }
  accept();
}

std::optional<TNewMeal> AskNewMeal(TProgram& program, TPrompter& prompter, QWidget* parent) {
  TFNewMeal dialog(program, prompter, parent);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Meal();
}

}  // namespace korvela
