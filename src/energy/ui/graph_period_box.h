#pragma once
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QPushButton>
#include <functional>

#include "app/program.h"
#include "energy/phases_editor.h"
#include "widgets/date_edit.h"

namespace korvela {

// "Select Graph Period" of the graph screens: the ready periods, "From
// Date", "To Date" and "Select From Phases...>>" (enabled only when the user
// has phases). The first ready period is chosen when the box is made; the
// list shows the ready period the dates make, or "Custom period" for dates
// of the user's own.
class TGraphPeriodBox final : public QGroupBox {
  Q_OBJECT
 public:
  TGraphPeriodBox(TProgram& program, QWidget* parent = nullptr);

  TDateTime From() const { return fromEdit_->Date(); }
  TDateTime To() const { return toEdit_->Date(); }
  void SetPeriod(TDateTime from, TDateTime to);
  TMyDate* FromEdit() const { return fromEdit_; }
  TMyDate* ToEdit() const { return toEdit_; }
  QComboBox* PeriodList() const { return periodList_; }
  QPushButton* PhasesButton() const { return phasesButton_; }

  // Raised when the user changes either date, picks a period or a phase.
  std::function<void()> OnPeriodChange;
  // The phase picker; tests answer it here.
  std::function<TDateRange(QWidget* parent)> PickPhase;

 private:
  void PeriodListChange(int index);
  // Chooses the entry of the list that the dates make.
  void ShowMatchingPeriod();
  void PhasesButtonClick();

  TProgram& program_;
  QComboBox* periodList_;
  TMyDate* fromEdit_;
  TMyDate* toEdit_;
  QPushButton* phasesButton_;
};

// The help topic of the graph screens.
inline constexpr int kGraphsHelpTopic = 71;

// The buttons under a graph screen: OK (running `ok`) and Help; a graph
// has nothing to cancel.
QDialogButtonBox* MakeGraphButtons(QDialog& screen, TProgram& program,
                                   const std::function<void()>& ok);

}  // namespace korvela
