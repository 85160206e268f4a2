#include "activities/ui/met_picker_form.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "activities/activity_figures.h"
#include "energy/ui/calculator_parts.h"

namespace korvela {
namespace {

constexpr int kMETPickerHelpTopic = 105;

}  // namespace

TFSelectMET::TFSelectMET(TProgram& program, QWidget* parent) : QDialog(parent), program_(program) {
  setWindowTitle(QStringLiteral("Select MET"));
  filterEdit_ = new QLineEdit(this);
  filterEdit_->setObjectName(QStringLiteral("filterLineEdit"));
  filterEdit_->setClearButtonEnabled(true);
  auto* filterLabel = MakeLabelFor(QStringLiteral("Filter METs by Activity"), filterEdit_, this);
  grid_ = MakeMETGrid(program_.Sports(), program_.Config(), QStringLiteral("MET Value"), this);
  grid_->OnSelectSport = [this](const TSport* sport) { SportSelect(sport); };
  connect(filterEdit_, &QLineEdit::textChanged, this, &TFSelectMET::FilterTextChange);
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] {
    if (okButton_->isEnabled()) OkButtonClick();
  });

  auto* group = new QGroupBox(QStringLiteral("Selected MET for the workout"), this);
  metEdit_ = MakeEntry(group, QStringLiteral("MET"), QStringLiteral("met"));
  activityEdit_ = MakeEntry(group, QStringLiteral("Activity"), QStringLiteral("activity"));
  activityEdit_->Edit()->setFixedWidth(EntryWidth(*this, 48));
  MakeReadOnly(*metEdit_);
  MakeReadOnly(*activityEdit_);
  AlignCaptions({metEdit_, activityEdit_});
  auto* groupLayout = new QVBoxLayout(group);
  groupLayout->addWidget(metEdit_, 0, Qt::AlignLeft);
  groupLayout->addWidget(activityEdit_, 0, Qt::AlignLeft);

  QDialogButtonBox* buttons =
      MakeDialogButtons(*this, program_, kMETPickerHelpTopic, [this] { OkButtonClick(); });
  okButton_ = buttons->findChild<QPushButton*>(QStringLiteral("okButton"));

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(filterEdit_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filterRow);
  layout->addWidget(grid_, 1);
  layout->addWidget(group);
  layout->addWidget(buttons);

  grid_->Fill();
  SportSelect(nullptr);
  resize(760, 600);
  filterEdit_->setFocus();
}

void TFSelectMET::FilterTextChange() {
  grid_->Filter(filterEdit_->text());
  grid_->Highlight(filterEdit_->text());
}

void TFSelectMET::SportSelect(const TSport* sport) {
  okButton_->setEnabled(sport != nullptr);
  metEdit_->Edit()->setText(sport ? QText(METText(program_.Config(), sport->MET)) : QString());
  activityEdit_->Edit()->setText(sport ? QText(sport->Activity) : QString());
  activityEdit_->Edit()->setCursorPosition(0);
}

void TFSelectMET::OkButtonClick() {
  const TSport* sport = grid_->SelectedSport();
  if (!sport) return;
  picked_ = TPickedMET{sport->MET, sport->Activity};
  accept();
}

std::optional<TPickedMET> PickMET(TProgram& program, QWidget* parent) {
  TFSelectMET picker(program, parent);
  if (picker.exec() != QDialog::Accepted) return std::nullopt;
  return picker.Picked();
}

}  // namespace korvela
