#pragma once
#include <QDialog>

#include "app/program.h"
#include "nutrition/ui/food_editor_form.h"
#include "nutrition/unit_dictionary_editor.h"
#include "users/prompter.h"

namespace korvela {

// "Food weights library...": the units the food editor offers to copy, in
// one grid. OK checks every row and writes "FW.DAT".
class TFFoodWeights final : public QDialog {
  Q_OBJECT
 public:
  TFFoodWeights(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  const TUnitDictionaryEditor& Editor() const { return editor_; }

 private:
  void Show();
  void NewButtonClick();
  void DeleteButtonClick();
  void MoveButtonClick(bool up);
  void OkButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TUnitDictionaryEditor editor_;
  TMeasureGridView* grid_;
  bool filling_ = false;
};

}  // namespace korvela
