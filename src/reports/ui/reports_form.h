#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <array>
#include <functional>
#include <vector>

#include "app/program.h"
#include "energy/phases_editor.h"
#include "reports/diary_report.h"
#include "users/prompter.h"
#include "widgets/date_edit.h"
#include "widgets/report_viewer.h"

namespace korvela {

inline constexpr std::string_view kReportsCaption = "Reports";
inline constexpr int kReportsHelpTopic = 69;

// "Reports": the period, the kind of report and its columns; "Show Report"
// opens the page in the report viewer and "Export to CSV..." writes the same
// report as a table file.
class TFReports final : public QDialog {
  Q_OBJECT
 public:
  TFReports(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  // What the controls ask for; the period as the date entries hold it.
  TReportRequest Request() const;

  // Seams for tests: the report viewer, the save dialog and the phase picker.
  std::function<void(TMyReport& report)> ShowPage;
  TExportFileChooser ChooseFile = ChooseExportFile;
  std::function<TDateRange()> PickPhaseRange;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  QWidget* MakePeriodBox();
  QWidget* MakeReportBox();
  QWidget* MakeColumnsPage(TReportKind kind);
  void AddColumnChecks(TReportKind kind, QWidget* page, QVBoxLayout* list);
  QWidget* MakeTrainingPage();

  void ReadyPeriodChange(int row);
  void PhasesButtonClick();
  void DateChange();
  void ExerciseChoiceChange();
  void ShowReportButtonClick();
  void ExportCsvButtonClick();

  // Reads both date entries; a date that cannot be read is warned about
  // once and focused. False when the period cannot be reported.
  bool ReadPeriod();
  // Fills the exercise list when exercises are to be picked, else empties it.
  void RefreshExercises();
  void SetPeriod(TDateTime from, TDateTime to);
  // Chooses the ready period the dates make, or "Custom period".
  void ShowMatchingPeriod();
  TReportSources Sources();

  TProgram& program_;
  TPrompter& prompter_;
  TMyDate* fromDate_ = nullptr;
  TMyDate* toDate_ = nullptr;
  QListWidget* readyPeriods_ = nullptr;
  QPushButton* phasesButton_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  std::array<std::vector<QCheckBox*>, kReportKindCount> columns_;  // table order
  QComboBox* distanceUnit_ = nullptr;
  QRadioButton* allExercises_ = nullptr;
  QRadioButton* someExercises_ = nullptr;
  QLabel* exerciseTitle_ = nullptr;
  QListWidget* exercises_ = nullptr;
};

}  // namespace korvela
