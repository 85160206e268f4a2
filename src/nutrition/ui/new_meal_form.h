#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QTimeEdit>
#include <optional>
#include <string>

#include "app/program.h"
#include "users/prompter.h"

namespace korvela {

// What the new-meal dialog hands back: the name as typed and the time.
struct TNewMeal {
  std::string name;
  TDateTime time = 0;
};

// "New meal": a name (preset "A new meal") and a time (preset to now).
class TFNewMeal final : public QDialog {
  Q_OBJECT
 public:
  TFNewMeal(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  TNewMeal Meal() const;

 private:
  void OkButtonClick();

  TPrompter& prompter_;
  QLineEdit* nameLineEdit_;
  QTimeEdit* timeEdit_;
};

// Shows the dialog; the meal when it was confirmed.
std::optional<TNewMeal> AskNewMeal(TProgram& program, TPrompter& prompter, QWidget* parent);

}  // namespace korvela
