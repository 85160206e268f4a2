#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <array>

#include "app/program.h"
#include "nutrition/food_editor.h"
#include "users/prompter.h"
#include "widgets/grid.h"
#include "widgets/pie_chart.h"

namespace korvela {

// The grid of measures of the food editor and the unit dictionary editor:
// "Amount", "Unit of measurement", "= grams" under a title row.
class TMeasureGridView final : public TMyGrid {
  Q_OBJECT
 public:
  TMeasureGridView(const char* name, const char* accessibleName, bool editable, QWidget* parent);
  void Fill(const std::vector<TMeasureRow>& rows);
  void SelectMeasureCell(int row, TMeasureColumn column);
};

// The food editor: name, category, nutrients for a portion of any grams,
// the food's own measures and the unit dictionary to copy measures from.
// The food changes in place while the editor is open; OK stores it, Cancel
// gives it back every field it had.
class TFFoodEditor final : public QDialog {
  Q_OBJECT
 public:
  TFFoodEditor(TProgram& program, TPrompter& prompter, TUserFood& food, bool isNew,
               QWidget* parent = nullptr);

  const TFoodEditor& Editor() const { return editor_; }
  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // False when the field's text was refused (the warning was shown).
  bool FieldLeave(QLineEdit* edit);
  void CategoryChange(int category);
  void PortionCellChange(int row, int column);
  void PortionCellSelect(int row, int column);
  void NewButtonClick();
  void CopyButtonClick();
  void DeleteButtonClick();
  void MoveButtonClick(bool up);
  void OkButtonClick();

  void ShowNutrients();
  void ShowPortions();

  TProgram& program_;
  TPrompter& prompter_;
  TFoodEditor editor_;
  QLineEdit* nameLineEdit_;
  QComboBox* categoryComboBox_;
  std::array<QLineEdit*, 4> nutrientEdits_;
  QLineEdit* caloriesLineEdit_;
  QLineEdit* portionLineEdit_;
  TPieChart* pie_;
  TMeasureGridView* portionsGrid_;
  TMeasureGridView* unitsGrid_;
  QPushButton* cancelButton_;
  bool filling_ = false;
  bool checking_ = false;
};

// The entry points of the food log screen. A new food is appended to
// "User-Added Foods" when confirmed and returned; null when cancelled.
TUserFood* NewUserFoodDialog(TProgram& program, TPrompter& prompter, QWidget* parent);
// Edits a user food already in the tree (also the fresh copy of "Edit a
// Copy"); true when it was stored, false when cancelled (the food is as it
// was).
bool EditUserFoodDialog(TProgram& program, TPrompter& prompter, TUserFood& food, QWidget* parent);

}  // namespace korvela
