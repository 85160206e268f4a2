#include "energy/ui/weight_goal_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "users/unit_text.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kWeightGoalHelpTopic = 77;

QString Text(const char* text) { return QString::fromUtf8(text); }
QString Text(const std::string& text) { return QString::fromStdString(text); }

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(Text(caption), parent);
  button->setObjectName(Text(name));
  return button;
}

}  // namespace

TFWeightGoal::TFWeightGoal(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      goalComboBox_(new QComboBox(this)),
      targetWeightEdit_(new TWeightEdit(Text(kIWantToWeigh), program.Config(), prompter, this)),
      targetDate_(new TMyDate(program.Config(), program.Clock(), this)),
      descriptionTextEdit_(new QPlainTextEdit(this)),
      chart_(MakeChart()),
      body_(new QHBoxLayout) {
  TUserSession& session = *program_.Session();
  setting_ = std::make_unique<TWeightGoalSetting>(session.Energy(), session.DayRecords(),
                                                  session.User(), program_.Config());
  setWindowTitle(Text(kWeightGoalCaption));
  auto* heading = new QLabel(Text(kWeightGoalHeading), this);
  heading->setObjectName(QStringLiteral("headingLabel"));
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);

  auto* goalLabel = new QLabel(Text(kMyGoalIs), this);
  goalComboBox_->setObjectName(QStringLiteral("goalComboBox"));
  for (const char* choice : kWeightGoalChoices) goalComboBox_->addItem(Text(choice));
  goalComboBox_->setAccessibleName(goalLabel->text());
  goalLabel->setBuddy(goalComboBox_);
  connect(goalComboBox_, &QComboBox::activated, this, &TFWeightGoal::GoalComboBoxChange);

  targetWeightEdit_->setObjectName(QStringLiteral("targetWeightEdit"));
  targetWeightEdit_->Edit()->setObjectName(QStringLiteral("targetWeightLineEdit"));
  targetWeightEdit_->SetLimits(kMinTargetWeight, kMaxTargetWeight);
  // Runs after the entry's own check of the left text.
  connect(targetWeightEdit_->Edit(), &QLineEdit::editingFinished, this,
          &TFWeightGoal::TargetWeightExit);

  auto* dateLabel = new QLabel(Text(kTargetDateCaption), this);
  targetDate_->setObjectName(QStringLiteral("targetDateEdit"));
  targetDate_->Edit()->setObjectName(QStringLiteral("targetDateLineEdit"));
  targetDate_->Edit()->setAccessibleName(dateLabel->text());
  dateLabel->setBuddy(targetDate_->Edit());

  auto* fields = new QGridLayout;
  fields->addWidget(goalLabel, 0, 0);
  fields->addWidget(goalComboBox_, 0, 1);
  fields->addWidget(targetWeightEdit_->CaptionLabel(), 1, 0);
  fields->addWidget(targetWeightEdit_, 1, 1);
  fields->addWidget(dateLabel, 2, 0);
  fields->addWidget(targetDate_, 2, 1);
  fields->setColumnStretch(1, 1);

  auto* descriptionLabel = new QLabel(Text(kDietDescriptionCaption), this);
  descriptionTextEdit_->setObjectName(QStringLiteral("dietDescriptionTextEdit"));
  descriptionTextEdit_->setAccessibleName(descriptionLabel->text());
  descriptionTextEdit_->setReadOnly(true);
  descriptionTextEdit_->setFocusPolicy(Qt::NoFocus);
  descriptionTextEdit_->setMinimumSize(380, 330);
  descriptionLabel->setBuddy(descriptionTextEdit_);

  auto* left = new QVBoxLayout;
  left->addLayout(fields);
  left->addSpacing(6);
  left->addWidget(descriptionLabel);
  left->addWidget(descriptionTextEdit_, 1);

  body_->addLayout(left, 1);
  body_->addWidget(chart_, 1);

  auto* calculate = MakeButton(kCalculateDietParameters, "calculateButton", this);
  auto* adopt = MakeButton(kAdoptWeightGoals, "adoptButton", this);
  adopt->setDefault(true);
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* help = MakeButton("Help", "helpButton", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  for (QPushButton* button : {calculate, adopt, cancel, help}) buttons->addWidget(button);
  connect(calculate, &QPushButton::clicked, this, &TFWeightGoal::CalculateButtonClick);
  connect(adopt, &QPushButton::clicked, this, &TFWeightGoal::AdoptButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { program_.ShowHelp(kWeightGoalHelpTopic); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this] { program_.ShowHelp(kWeightGoalHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addSpacing(6);
  layout->addLayout(body_, 1);
  layout->addLayout(buttons);

  const TWeightGoalOpening opening = setting_->Opening();
  SetGoalType(opening.type);
  targetDate_->SetDate(opening.targetDate);
  if (opening.targetWeight != -1) targetWeightEdit_->SetValue(opening.targetWeight);
  ShowChart(kBodyweightChartTitle, opening.arrow);
  if (opening.calculate) CalculateButtonClick();
}

TFWeightGoal::~TFWeightGoal() = default;

TWeightGoalType TFWeightGoal::GoalType() const {
  return static_cast<TWeightGoalType>(goalComboBox_->currentIndex());
}

void TFWeightGoal::SetGoalType(TWeightGoalType type) {
  goalComboBox_->setCurrentIndex(static_cast<int>(type));
  GoalComboBoxChange();
}

void TFWeightGoal::GoalComboBoxChange() {
  const bool target = GoalType() != TWeightGoalType::Maintain;
  targetWeightEdit_->setEnabled(target);
  targetDate_->setEnabled(target);
}

void TFWeightGoal::TargetWeightExit() {
  const double target = targetWeightEdit_->Entry().Value();
  if (target != -1) SetGoalType(GoalTypeForTarget(target, setting_->PresentWeight()));
}

bool TFWeightGoal::TargetDateAccepted() {
  const std::optional<std::string> warning =
      setting_->CheckTargetDate(GoalType(), targetDate_->Date());
  if (!warning) return true;
  prompter_.Warn(*warning);
  targetDate_->SetDate(setting_->Today() + 1);
  targetDate_->setFocus();
  return false;
}

void TFWeightGoal::CalculateButtonClick() {
  if (GoalType() != TWeightGoalType::Maintain) {
    // While the dialog opens it is not yet the active window, and the goal it
    // shows always ends after today.
    if (isActiveWindow() && !TargetDateAccepted()) return;
    if (!targetWeightEdit_->Validate()) return;
    SetGoalType(GoalTypeForTarget(targetWeightEdit_->Weight(), setting_->PresentWeight()));
  }
  const TWeightGoalCalculation result =
      setting_->Calculate(GoalType(), targetWeightEdit_->Entry().Value(), targetDate_->Date());
  descriptionTextEdit_->setPlainText(Text(result.description));
  ShowChart(result.chartTitle, result.arrow);
}

void TFWeightGoal::AdoptButtonClick() {
  const TWeightGoalType type = GoalType();
  if (type != TWeightGoalType::Maintain) {
    if (!TargetDateAccepted()) return;
    if (!targetWeightEdit_->Validate()) return;
  }
  if (!SaveOrWarn(prompter_, [&] {
        setting_->Adopt(type, targetWeightEdit_->Entry().Value(), targetDate_->Date());
      }))
    return;
  accept();
}

TChart* TFWeightGoal::MakeChart() {
  auto* chart = new TChart(this);
  chart->setObjectName(QStringLiteral("goalChart"));
  chart->setAccessibleName(Text(kBodyweightChartTitle));
  // A picture only: neither the chart nor its drawing surface takes the focus.
  chart->setFocusPolicy(Qt::NoFocus);
  chart->viewport()->setFocusPolicy(Qt::NoFocus);
  chart->setMinimumSize(420, 330);
  chart->SetLegendVisible(false);
  chart->SetDateAxis(true, QStringLiteral("d MMM"));
  chart->SetYLabelFormat(QStringLiteral("%.1f") + Text(WeightAxisSuffix(program_.Config())));
  return chart;
}

void TFWeightGoal::ShowChart(const std::string& title, const TGoalArrow& arrow) {
  // Every arrow gets a chart of its own: a cleared chart would still draw the
  // head of the arrow it showed before.
  TChart* chart = MakeChart();
  delete body_->replaceWidget(chart_, chart);
  delete chart_;
  chart_ = chart;
  chart_->SetTitle(Text(title));
  chart_->AddArrow(Text(kBodyweightChartTitle), QPointF(arrow.fromDate, arrow.fromWeight),
                   QPointF(arrow.toDate, arrow.toWeight), QColor(0x1f, 0x5f, 0xbf));
}

}  // namespace korvela
