#pragma once
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimeEdit>
#include <memory>

#include "activities/activity_log.h"
#include "activities/ui/activity_grid.h"
#include "app/program.h"
#include "users/prompter.h"
#include "widgets/grid.h"
#include "widgets/labeled_edit.h"
#include "widgets/month_calendar.h"

namespace korvela {

// "Log Physical Activities": activities of the dictionary logged into the
// days of a calendar, kept as pending changes until saved.
class TFActivityLog final : public QDialog {
  Q_OBJECT
 public:
  TFActivityLog(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent = nullptr);
  ~TFActivityLog() override;

  TActivityLog& Log() { return *log_; }
  TActivityGrid* Grid() const { return grid_; }
  TMyGrid* LoggedGrid() const { return loggedGrid_; }
  TMyCalendar* Calendar() const { return calendar_; }

  void reject() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget* BuildEntries();
  QWidget* BuildLogged();
  void CalendarChange();
  void FilterTextChange();
  void SportSelect(const TSport* sport);
  void LoggedSelect();
  void Recompute();
  void RefreshLogged();
  void LogActivityClick();
  void UnlogActivityClick();
  void SaveChangesClick();
  void OkButtonClick();
  void UpdateSaveCommand();

  TProgram& program_;
  TPrompter& prompter_;
  std::unique_ptr<TActivityLog> log_;
  QLineEdit* filterEdit_ = nullptr;
  TActivityGrid* grid_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QTimeEdit* timeEdit_ = nullptr;
  TLabeledEdit* metEdit_ = nullptr;
  TLabeledEdit* durationEdit_ = nullptr;
  TLabeledEdit* burnedEdit_ = nullptr;
  TLabeledEdit* additionalEdit_ = nullptr;
  QPushButton* logButton_ = nullptr;
  QPushButton* unlogButton_ = nullptr;
  QPushButton* saveButton_ = nullptr;
  TMyCalendar* calendar_ = nullptr;
  QLabel* loggedLabel_ = nullptr;
  TMyGrid* loggedGrid_ = nullptr;
};

}  // namespace korvela
