#include "energy/ui/graph_period_box.h"

#include <QGridLayout>

#include "energy/body_records.h"
#include "energy/ui/body_form_parts.h"
#include "energy/ui/phases_form.h"
#include "users/ready_periods.h"

namespace korvela {

TGraphPeriodBox::TGraphPeriodBox(TProgram& program, QWidget* parent)
    : QGroupBox(tr("Select Graph Period"), parent),
      program_(program),
      periodList_(new QComboBox(this)),
      fromEdit_(MakeDateEntry(program, "fromDateLineEdit", "From Date", this)),
      toEdit_(MakeDateEntry(program, "toDateLineEdit", "To Date", this)),
      phasesButton_(MakeButton("Select From Phases...>>", "phasesButton", this)) {
  setObjectName(QStringLiteral("periodGroupBox"));
  PickPhase = [this](QWidget* owner) { return korvela::PickPhase(program_, owner); };
  periodList_->setObjectName(QStringLiteral("periodComboBox"));
  periodList_->setAccessibleName(tr("Ready periods"));
  for (const std::string_view name : kReadyPeriodNames)
    periodList_->addItem(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
  periodList_->addItem(QString::fromUtf8(kCustomPeriodName.data(),
                                         static_cast<qsizetype>(kCustomPeriodName.size())));
  fromEdit_->setFixedWidth(140);
  toEdit_->setFixedWidth(140);

  auto* grid = new QGridLayout(this);
  grid->addWidget(periodList_, 0, 0, 1, 2);
  grid->addWidget(MakeBuddyLabel("From Date", fromEdit_->Edit(), this), 1, 0);
  grid->addWidget(fromEdit_, 1, 1);
  grid->addWidget(MakeBuddyLabel("To Date", toEdit_->Edit(), this), 2, 0);
  grid->addWidget(toEdit_, 2, 1);
  grid->addWidget(phasesButton_, 3, 0, 1, 2);

  phasesButton_->setEnabled(program.Session() &&
                            !ListPhases(program.Session()->DayRecords()).empty());
  connect(periodList_, &QComboBox::activated, this, &TGraphPeriodBox::PeriodListChange);
  connect(phasesButton_, &QPushButton::clicked, this, &TGraphPeriodBox::PhasesButtonClick);
  const auto changed = [this] {
    ShowMatchingPeriod();
    if (OnPeriodChange) OnPeriodChange();
  };
  fromEdit_->UserOnDateChange = changed;
  toEdit_->UserOnDateChange = changed;
  PeriodListChange(0);
}

void TGraphPeriodBox::SetPeriod(TDateTime from, TDateTime to) {
  fromEdit_->SetDate(from);
  toEdit_->SetDate(to);
  ShowMatchingPeriod();
}

void TGraphPeriodBox::ShowMatchingPeriod() {
  const std::optional<std::size_t> ready = MatchingReadyPeriod(
      From(), To(), program_.Clock().Today(), program_.Config().FirstDOW());
  periodList_->setCurrentIndex(static_cast<int>(ready.value_or(kReadyPeriodNames.size())));
}

void TGraphPeriodBox::PeriodListChange(int index) {
  if (index >= static_cast<int>(kReadyPeriodNames.size())) {
    // The dates stay as they are, to be typed or picked.
    ShowMatchingPeriod();
    fromEdit_->Edit()->setFocus();
    return;
  }
  periodList_->setCurrentIndex(index);
  const TPeriod period = ReadyPeriod(static_cast<std::size_t>(index), program_.Clock().Today(),
                                     program_.Config().FirstDOW());
  SetPeriod(period.From, period.To);
  if (OnPeriodChange) OnPeriodChange();
}

void TGraphPeriodBox::PhasesButtonClick() {
  const TDateRange range = PickPhase(window());
  if (range.start < 0 || range.end < 0) return;
  SetPeriod(range.start, range.end);
  if (OnPeriodChange) OnPeriodChange();
}

QDialogButtonBox* MakeGraphButtons(QDialog& screen, TProgram& program,
                                   const std::function<void()>& ok) {
  QDialogButtonBox* buttons = MakeDialogButtons(screen, program, kGraphsHelpTopic, ok);
  if (auto* cancel = buttons->findChild<QPushButton*>(QStringLiteral("cancelButton")))
    cancel->hide();
  return buttons;
}

}  // namespace korvela
