#pragma once
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <functional>
#include <optional>
#include <vector>

#include "app/program.h"
#include "training/personal_record.h"
#include "training/record_history.h"
#include "training/ui/minutes_seconds_edit.h"
#include "users/prompter.h"
#include "widgets/date_edit.h"
#include "widgets/grid.h"

namespace korvela {

// "Add/Edit a Personal Record": the exercise (picked with "<.."), the date,
// the result in the fields the exercise's measurement kind needs, and notes.
// The working record is a copy; OK hands it back filled, Cancel drops it.
class TFPREditor final : public QDialog {
  Q_OBJECT
 public:
  TFPREditor(TProgram& program, TPrompter& prompter, const TDrillPR& record,
             QWidget* parent = nullptr);

  // The record after OK.
  const TDrillPR& Record() const { return record_; }
  // Opens the exercise picker; the default shows it modally. Tests replace
  // it. Returns the chosen exercise's identifier, or -1.
  std::function<std::int32_t()> RunPicker;

 private:
  void SelectExerciseButtonClick();
  void OkButtonClick();
  // Shows the record's exercise and the fields its measurement kind needs.
  void ShowExercise();
  void ShowEntry();
  QWidget* FieldOf(TRecordField field) const;

  TProgram& program_;
  TPrompter& prompter_;
  TDrillPR record_;
  QLineEdit* exerciseEdit_;
  QWidget* stepsPanel_;
  TMyDate* dateEdit_;
  QLabel* limbLabel_;
  QComboBox* limbComboBox_;
  QLabel* weightLabel_;
  QWidget* weightRow_;
  QLineEdit* weightEdit_;
  QComboBox* weightUnitComboBox_;
  QLabel* repsLabel_;
  QLineEdit* repsEdit_;
  QLabel* distanceLabel_;
  QWidget* distanceRow_;
  QLineEdit* distanceEdit_;
  QComboBox* distanceUnitComboBox_;
  QLabel* timeLabel_;
  TMinutesSecondsEdit* timeEdit_;
  QPlainTextEdit* notesEdit_;
};

// "Personal Records History": the valid records of every day, filtered by
// the exercise's name; New, Edit and Delete go to the user's day records at
// once and reach the disk when the screen closes.
class TFPRHistory final : public QDialog {
  Q_OBJECT
 public:
  TFPRHistory(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TMyGrid* Grid() const { return grid_; }
  const std::vector<TRecordRow>& Rows() const { return rows_; }
  // Runs the record editor on a record; the default shows it modally. Tests
  // replace it to answer the editor. Returns the record after OK, or none.
  std::function<std::optional<TDrillPR>(const TDrillPR& record)> RunEditor;

  // Closing (OK, Escape, the window's close box) writes the day records; a
  // refused write is told and keeps the screen open.
  void done(int result) override;

 private:
  void FilterChange();
  void NewButtonClick();
  void EditButtonClick();
  void DeleteButtonClick();
  void UpdateButtons();
  // Lists the records again; selects the record of that exercise, limb and
  // day when given.
  void Fill(const TDrillPR* select = nullptr);
  // The one selected row, or -1.
  int SelectedRow() const;
  void EditRow(int row);
  // The filter emptied without a second rebuild, then the list rebuilt.
  void ClearFilterAndFill(const TDrillPR& select);

  TProgram& program_;
  TPrompter& prompter_;
  QLineEdit* filterEdit_;
  TMyGrid* grid_;
  QPushButton* editButton_;
  QPushButton* deleteButton_;
  std::vector<TRecordRow> rows_;
  bool filling_ = false;
};

}  // namespace korvela
