#pragma once
#include <QDialog>

#include "app/program.h"
#include "nutrition/meal_definition_editor.h"
#include "users/prompter.h"
#include "widgets/grid.h"

namespace korvela {

// "Edit my default daily meals": the user's meal names and times in a grid,
// each time edited with a time picker in its cell. OK stores them as the
// user's "MI.DAT"; stored logs and menus follow when next opened.
class TFMealDefinitions final : public QDialog {
  Q_OBJECT
 public:
  TFMealDefinitions(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  const TMealDefinitionEditor& Editor() const { return editor_; }

 private:
  void Fill();
  void NewButtonClick();
  void DeleteButtonClick();
  void SortButtonClick();
  void OkButtonClick();
  void SelectName(int meal);

  TProgram& program_;
  TPrompter& prompter_;
  TMealDefinitionEditor editor_;
  TMyGrid* grid_;
  bool filling_ = false;
};

}  // namespace korvela
