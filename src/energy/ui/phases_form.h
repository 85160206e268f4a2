#pragma once
#include <QComboBox>
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>

#include "app/program.h"
#include "energy/phases_editor.h"
#include "users/prompter.h"
#include "widgets/date_edit.h"
#include "widgets/grid.h"

namespace korvela {

// The grid of phases shown by the phases screen and the phase picker: name,
// start and end date, and a flag in the phase's colour.
class TPhaseGrid final : public TMyGrid {
  Q_OBJECT
 public:
  TPhaseGrid(const TPhaseTable& table, QWidget* parent);
  // Refills every row from the table and selects its selected phase.
  void Fill();
  void FillRow(int phase);

  // Raised when the user selects a row (the phase's index).
  std::function<void(int phase)> OnSelectPhase;

 private:
  void DrawColorFlag(QPainter& painter, int row, int column, const QRect& rect);

  const TPhaseTable& table_;
  bool filling_ = false;
};

// "Training and Nutrition Phases": named date ranges with a colour and notes.
// Every change goes to the screen's copy at once; OK stores the copy.
class TFPhases final : public QDialog {
  Q_OBJECT
 public:
  TFPhases(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  const TPhasesEditor& Editor() const { return editor_; }

 private:
  void GridSelect(int phase);
  void NameChange(const QString& text);
  void ColorChange(int index);
  void NotesChange();
  void StartDateChange();
  void EndDateChange();
  void NewPhaseButtonClick();
  void DeletePhaseButtonClick();
  void SortButtonClick(bool up);
  void OkButtonClick();

  // Shows the selected phase in the fields and sets what is enabled.
  void ShowFields();
  void SelectColor(TColorValue color);

  TProgram& program_;
  TPrompter& prompter_;
  TPhasesEditor editor_;
  TPhaseGrid* grid_;
  QComboBox* nameComboBox_;
  TMyDate* startDateEdit_;
  TMyDate* endDateEdit_;
  QComboBox* colorComboBox_;
  QPlainTextEdit* notesTextEdit_;
  QPushButton* deleteButton_;
  QPushButton* sortUpButton_;
  QPushButton* sortDownButton_;
  bool showing_ = false;
};

// "Select Phase...": picks a phase for a date range.
class TFPhasePicker final : public QDialog {
  Q_OBJECT
 public:
  TFPhasePicker(TProgram& program, QWidget* parent = nullptr);

  // The chosen phase's dates after OK; -1 and -1 otherwise.
  TDateRange Range() const { return range_; }

 private:
  TPhaseTable table_;
  TPhaseGrid* grid_;
  TDateRange range_;
};

// Shows the picker; the chosen phase's start and end dates, or -1 and -1.
TDateRange PickPhase(TProgram& program, QWidget* parent);

}  // namespace korvela
