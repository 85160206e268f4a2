#include "energy/ui/diet_comp_form.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "energy/goals.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kDietCompHelpTopic = 76;
constexpr const char* kRowNames[kNutrientCount] = {"protein", "fats", "carbs"};

QString Text(const char* text) { return QString::fromUtf8(text); }
QString Text(const std::string& text) { return QString::fromStdString(text); }

QString ObjectName(int nutrient, const char* control) {
  return Text(kRowNames[nutrient]) + Text(control);
}

// The failure mark the nutrition plan shows beside a missed goal.
QLabel* FailureMark(QWidget* parent) {
  auto* mark = new QLabel(QStringLiteral("\u2718"), parent);
  mark->setObjectName(QStringLiteral("failureMarkLabel"));
  mark->setStyleSheet(QStringLiteral("QLabel { color: #c00000; font-weight: bold; }"));
  return mark;
}

}  // namespace

TFDietComp::TFDietComp(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      allowanceEdit_(new TLabeledEdit(Text(kAllowanceCaption), this)) {
  setWindowTitle(Text(kDietCompCaption));
  auto* heading = new QLabel(Text(kDietCompHeading), this);
  heading->setObjectName(QStringLiteral("headingLabel"));
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);

  const TConfigurator& config = program_.Config();
  auto* group = new QGroupBox(Text(kDietaryGoalsGroup), this);
  group->setObjectName(QStringLiteral("dietaryGoalsGroupBox"));
  auto* grid = new QGridLayout(group);
  for (int column = 0; column < 4; ++column) {
    auto* title = new QLabel(Text(kDietCompColumns[column]), group);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    grid->addWidget(title, 0, column);
  }
  const auto measurements = MeasurementNames(config);
  for (int n = 0; n < kNutrientCount; ++n) {
    TRow& row = rows_[static_cast<std::size_t>(n)];
    row.goal = new QComboBox(group);
    row.goal->addItem(Text(kDietGoalChoices[n][0]));
    row.goal->addItem(Text(kDietGoalChoices[n][1]));
    row.goal->setObjectName(ObjectName(n, "GoalComboBox"));
    row.goal->setAccessibleName(Text(kDietCompColumns[0]) + QStringLiteral(" ") +
                                Text(kRowNames[n]));
    row.qualifier = new QComboBox(group);
    for (const char* name : kQualifierNames) row.qualifier->addItem(Text(name));
    row.qualifier->setObjectName(ObjectName(n, "QualifierComboBox"));
    row.qualifier->setAccessibleName(row.goal->itemText(1) + QStringLiteral(" ") +
                                     Text(kDietCompColumns[1]));
    row.quantity = new QLineEdit(group);
    row.quantity->setObjectName(ObjectName(n, "QuantityLineEdit"));
    row.quantity->setAccessibleName(row.goal->itemText(1) + QStringLiteral(" ") +
                                    Text(kDietCompColumns[2]));
    row.quantity->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
    row.quantity->setMaximumWidth(80);
    row.measurement = new QComboBox(group);
    for (const std::string& name : measurements) row.measurement->addItem(Text(name));
    row.measurement->setObjectName(ObjectName(n, "MeasurementComboBox"));
    row.measurement->setAccessibleName(row.goal->itemText(1) + QStringLiteral(" ") +
                                       Text(kDietCompColumns[3]));
    grid->addWidget(row.goal, n + 1, 0);
    grid->addWidget(row.qualifier, n + 1, 1);
    grid->addWidget(row.quantity, n + 1, 2);
    grid->addWidget(row.measurement, n + 1, 3);
    connect(row.goal, &QComboBox::currentIndexChanged, this, [this, n] { GoalComboBoxChange(n); });
  }

  auto* question = new QLabel(Text(kDeviationQuestion), this);
  question->setObjectName(QStringLiteral("deviationLabel"));
  auto* markLine = new QHBoxLayout;
  markLine->setSpacing(4);
  markLine->addWidget(new QLabel(Text(kDeviationA), this));
  markLine->addWidget(FailureMark(this));
  markLine->addWidget(new QLabel(Text(kDeviationFailure), this));
  markLine->addStretch(1);
  allowanceEdit_->setObjectName(QStringLiteral("allowanceEdit"));
  allowanceEdit_->Edit()->setObjectName(QStringLiteral("allowanceLineEdit"));
  allowanceEdit_->Edit()->setMaximumWidth(60);
  allowanceEdit_->SetUnit(QStringLiteral("%"));
  auto* allowanceLine = new QHBoxLayout;
  allowanceLine->addWidget(allowanceEdit_);
  allowanceLine->addStretch(1);

  auto* adopt = new QPushButton(Text(kAdoptDietaryGoals), this);
  adopt->setObjectName(QStringLiteral("adoptButton"));
  adopt->setDefault(true);
  auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
  cancel->setObjectName(QStringLiteral("cancelButton"));
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(adopt, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  connect(adopt, &QPushButton::clicked, this, &TFDietComp::AdoptButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this] { program_.ShowHelp(kDietCompHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addSpacing(6);
  layout->addWidget(group);
  layout->addSpacing(6);
  layout->addWidget(question);
  layout->addLayout(markLine);
  layout->addLayout(allowanceLine);
  layout->addWidget(buttons);
  // The allowance was made first; Tab reaches it after the goals above it.
  setTabOrder(rows_.back().measurement, allowanceEdit_->Edit());

  TUserSession& session = *program_.Session();
  const TDietCompForm form = OpenDietCompForm(config, LatestDietComp(session.DayRecords()));
  for (int n = 0; n < kNutrientCount; ++n) {
    const TDietGoalRow& values = form.rows[static_cast<std::size_t>(n)];
    TRow& row = rows_[static_cast<std::size_t>(n)];
    row.goal->setCurrentIndex(values.set ? 1 : 0);
    row.qualifier->setCurrentIndex(values.qualifier);
    row.quantity->setText(Text(values.quantity));
    row.measurement->setCurrentIndex(values.measurement);
    GoalComboBoxChange(n);
  }
  allowanceEdit_->Edit()->setText(Text(form.allowance));
}

void TFDietComp::GoalComboBoxChange(int nutrient) {
  TRow& row = rows_[static_cast<std::size_t>(nutrient)];
  const bool set = row.goal->currentIndex() == 1;
  row.qualifier->setEnabled(set);
  row.quantity->setEnabled(set);
  row.measurement->setEnabled(set);
}

TDietCompForm TFDietComp::ReadForm() const {
  TDietCompForm form;
  for (int n = 0; n < kNutrientCount; ++n) {
    const TRow& row = rows_[static_cast<std::size_t>(n)];
    TDietGoalRow& values = form.rows[static_cast<std::size_t>(n)];
    values.set = row.goal->currentIndex() == 1;
    values.qualifier = row.qualifier->currentIndex();
    values.quantity = row.quantity->text().toStdString();
    values.measurement = row.measurement->currentIndex();
  }
  form.allowance = allowanceEdit_->Edit()->text().toStdString();
  return form;
}

void TFDietComp::AdoptButtonClick() {
  TDietCompCheck check = CheckDietCompForm(program_.Config(), ReadForm());
  if (!check.Accepted()) {
    prompter_.Warn(check.message);
    switch (check.focus) {
      case TDietCompField::ProteinQuantity:
      case TDietCompField::FatsQuantity:
      case TDietCompField::CarbsQuantity:
        rows_[static_cast<std::size_t>(static_cast<int>(check.focus) -
                                       static_cast<int>(TDietCompField::ProteinQuantity))]
            .quantity->setFocus();
        break;
      case TDietCompField::Allowance:
        allowanceEdit_->Edit()->setFocus();
        break;
      case TDietCompField::None:
        break;
    }
    return;
  }
  TUserSession& session = *program_.Session();
  if (!SaveOrWarn(prompter_, [&] {
        AdoptDietComp(session.DayRecords(), program_.Clock().Today(), check.constraints);
      }))
    return;
  accept();
}

}  // namespace korvela
