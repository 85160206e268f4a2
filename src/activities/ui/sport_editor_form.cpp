#include "activities/ui/sport_editor_form.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QIntValidator>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QVBoxLayout>

#include "activities/activity_figures.h"
#include "activities/sport_editor.h"
#include "energy/ui/calculator_parts.h"

namespace korvela {

TFSportEditor::TFSportEditor(TProgram& program, TPrompter& prompter, const TSport& sport,
                             bool isNew, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter), sport_(sport) {
  setWindowTitle(isNew ? QText(kNewSportCaption) : QText(kEditSportCaption));
  auto* heading = MakePlainHeading(QText(SportEditorHeading(isNew, sport_.Activity)), this);
  if (TUserSession* session = program_.Session())
    rate_ = static_cast<double>(session->Energy().CurrentRestingRate());

  // Made in reading order, which is the order Tab follows.
  QWidget* fields = BuildFields();
  QWidget* contribution = BuildContribution();
  QWidget* calculator = BuildMETCalculator();
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("okButton"));
  buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("cancelButton"));
  connect(buttons, &QDialogButtonBox::accepted, this, &TFSportEditor::OkButtonClick);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addWidget(fields);
  layout->addWidget(contribution);
  layout->addWidget(calculator);
  layout->addStretch();
  layout->addWidget(buttons);

  nameEdit_->Edit()->setText(isNew ? QText(kNewSportName) : QText(sport_.Activity));
  if (sport_.Per > 0) durationEdit_->Edit()->setText(QString::number(sport_.Per));
  if (sport_.MET > 0) metEdit_->Edit()->setText(QText(METText(program_.Config(), sport_.MET)));
  FieldsChange();
  nameEdit_->Edit()->setFocus();
  nameEdit_->Edit()->selectAll();
}

QWidget* TFSportEditor::BuildFields() {
  auto* box = new QWidget(this);
  nameEdit_ = MakeEntry(box, QStringLiteral("Activity"), QStringLiteral("name"));
  nameEdit_->Edit()->setMinimumWidth(EntryWidth(*this, 50));
  durationEdit_ = MakeEntry(box, QStringLiteral("Default Duration"), QStringLiteral("duration"),
                            QStringLiteral("minutes"));
  durationEdit_->Edit()->setValidator(DigitsOnly(durationEdit_->Edit()));
  metEdit_ = MakeEntry(box, QStringLiteral("MET Value"), QStringLiteral("met"));
  AlignCaptions({nameEdit_, durationEdit_, metEdit_});
  connect(durationEdit_->Edit(), &QLineEdit::textChanged, this, &TFSportEditor::FieldsChange);
  connect(metEdit_->Edit(), &QLineEdit::textChanged, this, &TFSportEditor::FieldsChange);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(nameEdit_);
  layout->addWidget(durationEdit_, 0, Qt::AlignLeft);
  layout->addWidget(metEdit_, 0, Qt::AlignLeft);
  return box;
}

QWidget* TFSportEditor::BuildContribution() {
  auto* group = new QGroupBox(
      QStringLiteral("How does this activity contribute to your Total Daily Energy Expenditure?"),
      this);
  burnedEdit_ = MakeEntry(group, QStringLiteral("Burned"), QStringLiteral("burned"),
                          QStringLiteral("calories"));
  addedEdit_ = MakeEntry(group, QStringLiteral("Added to TDEE"), QStringLiteral("added"),
                         QStringLiteral("calories"));
  for (TLabeledEdit* edit : {burnedEdit_, addedEdit_}) MakeReadOnly(*edit);
  AlignCaptions({burnedEdit_, addedEdit_});
  auto* layout = new QHBoxLayout(group);
  layout->addWidget(burnedEdit_);
  layout->addSpacing(16);
  layout->addWidget(addedEdit_);
  layout->addStretch();
  return group;
}

QWidget* TFSportEditor::BuildMETCalculator() {
  auto* group =
      new QGroupBox(QStringLiteral("Calculate MET?   (assuming an average person)"), this);
  caloriesEdit_ = MakeEntry(group, QStringLiteral("Calories Burned:"), QStringLiteral("calories"));
  minutesEdit_ = MakeEntry(group, QString(), QStringLiteral("minutes"), QStringLiteral("minutes"));
  minutesEdit_->Edit()->setAccessibleName(QStringLiteral("Duration in minutes"));
  minutesEdit_->Edit()->setValidator(DigitsOnly(minutesEdit_->Edit()));
  calculateButton_ = new QPushButton(QStringLiteral("Calculate"), group);
  calculateButton_->setObjectName(QStringLiteral("calculateButton"));
  calculateButton_->setAutoDefault(false);
  connect(calculateButton_, &QPushButton::clicked, this, &TFSportEditor::CalculateButtonClick);
  resultEdit_ = MakeEntry(group, QStringLiteral("Resulting MET:"), QStringLiteral("resultingMet"));
  MakeReadOnly(*resultEdit_);
  auto* row = new QHBoxLayout;
  row->addWidget(caloriesEdit_);
  row->addWidget(minutesEdit_);
  row->addWidget(calculateButton_);
  row->addStretch();
  auto* layout = new QVBoxLayout(group);
  layout->addLayout(row);
  layout->addWidget(resultEdit_, 0, Qt::AlignLeft);
  return group;
}

void TFSportEditor::FieldsChange() {
  const TActivityFigures figures =
      ActivityFigures(program_.Config(), metEdit_->Edit()->text().toStdString(),
                      durationEdit_->Edit()->text().toStdString(), rate_);
  burnedEdit_->Edit()->setText(QText(figures.burned));
  addedEdit_->Edit()->setText(QText(figures.added));
}

void TFSportEditor::CalculateButtonClick() {
  const TMETCalcOutcome outcome =
      CalculateMET(program_.Config(), caloriesEdit_->Edit()->text().toStdString(),
                   minutesEdit_->Edit()->text().toStdString());
  if (outcome.met) {
    resultEdit_->Edit()->setText(QText(*outcome.met));
    return;
  }
  resultEdit_->Edit()->clear();
  prompter_.Warn(outcome.warning.value_or(std::string()));
  QLineEdit* focus = outcome.focus == TMETCalcField::Calories  ? caloriesEdit_->Edit()
                     : outcome.focus == TMETCalcField::Minutes ? minutesEdit_->Edit()
                                                               : nullptr;
  if (focus) {
    focus->setFocus();
    focus->selectAll();
  }
}

void TFSportEditor::OkButtonClick() {
  const TSportCheck check = CheckSport(program_.Config(), nameEdit_->Edit()->text().toStdString(),
                                       durationEdit_->Edit()->text().toStdString(),
                                       metEdit_->Edit()->text().toStdString(), sport_);
  if (!check.warning) {
    accept();
    return;
  }
  prompter_.Warn(*check.warning);
  QLineEdit* focus = check.focus == TSportField::Name       ? nameEdit_->Edit()
                     : check.focus == TSportField::Duration ? durationEdit_->Edit()
                                                            : metEdit_->Edit();
  focus->setFocus();
  focus->selectAll();
}

}  // namespace korvela
