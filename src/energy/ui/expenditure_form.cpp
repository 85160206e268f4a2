#include "energy/ui/expenditure_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "energy/body_calculators.h"
#include "energy/ui/calculator_parts.h"

namespace korvela {
namespace {

constexpr int kExpenditureHelpTopic = 60;

}  // namespace

TFExpenditure::TFExpenditure(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Daily Energy Expenditure Calculations"));
  TConfigurator& config = program_.Config();

  auto* inputs = new QGroupBox(QStringLiteral("Physical Attributes"), this);
  weightEdit_ = new TWeightEdit(QStringLiteral("Weight:"), config, prompter_, inputs);
  NameQuantity(*weightEdit_, QStringLiteral("weight"));
  heightEdit_ = new TDistEdit(QStringLiteral("Height:"), config, prompter_, inputs);
  NameQuantity(*heightEdit_, QStringLiteral("height"));
  ageEdit_ =
      MakeEntry(inputs, QStringLiteral("Age: "), QStringLiteral("age"), QStringLiteral("years"));
  sexComboBox_ = MakeSexComboBox(inputs);
  activityComboBox_ = new QComboBox(inputs);
  activityComboBox_->setObjectName(QStringLiteral("activityLevelComboBox"));
  for (const char* level : kActivityLevelNames) activityComboBox_->addItem(QText(level));
  bodyFatComboBox_ = MakeBodyFatComboBox(inputs);
  AlignCaptions({weightEdit_, heightEdit_, ageEdit_});
  const int captionWidth = ageEdit_->CaptionLabel()->minimumWidth();
  auto* grid = new QGridLayout(inputs);
  grid->addWidget(weightEdit_, 0, 0, 1, 3, Qt::AlignLeft);
  grid->addWidget(heightEdit_, 1, 0, 1, 3, Qt::AlignLeft);
  grid->addWidget(ageEdit_, 2, 0, 1, 3, Qt::AlignLeft);
  const struct {
    const char* caption;
    QWidget* control;
    const char* unit;
  } rows[] = {{"Sex:", sexComboBox_, nullptr},
              {"Activity Level:", activityComboBox_, nullptr},
              {"*Body Fat:", bodyFatComboBox_, "%"}};
  int row = 3;
  for (const auto& r : rows) {
    QLabel* label = MakeLabelFor(QText(r.caption), r.control, inputs);
    label->setMinimumWidth(captionWidth);
    grid->addWidget(label, row, 0);
    grid->addWidget(r.control, row, 1);
    if (r.unit) grid->addWidget(new QLabel(QText(r.unit), inputs), row, 2);
    ++row;
  }
  grid->setColumnStretch(3, 1);

  auto* calculate = MakeButton("Calculate", "calculateButton", this);
  calculate->setDefault(true);
  connect(calculate, &QPushButton::clicked, this, &TFExpenditure::CalculateButtonClick);

  auto* results =
      new QGroupBox(QStringLiteral("Calorie Expenditure at a Maintainance Level Diet"), this);
  totalEdit_ = MakeEntry(results, QStringLiteral("Total Daily Energy Expenditure:"),
                         QStringLiteral("total"), QStringLiteral("kcals"));
  restingEdit_ = MakeEntry(results, QStringLiteral("Resting Metabolic Rate(RMR):"),
                           QStringLiteral("resting"), QStringLiteral("kcals"));
  foodEdit_ = MakeEntry(results, QStringLiteral("Thermic Effect of Food(TEF):"),
                        QStringLiteral("food"), QStringLiteral("kcals"));
  activityEdit_ = MakeEntry(results, QStringLiteral("Physical Activity Level(PAL):"),
                            QStringLiteral("activity"), QStringLiteral("kcals"));
  for (TLabeledEdit* e : {totalEdit_, restingEdit_, foodEdit_, activityEdit_}) MakeReadOnly(*e);
  AlignCaptions({totalEdit_, restingEdit_, foodEdit_, activityEdit_});
  auto* note = new QLabel(
      QStringLiteral("NOTE: The results must be cut down by 5% to 20% if the person is\non a "
                     "very low calorie diet ( < 1200 calories a day)"),
      results);
  note->setObjectName(QStringLiteral("noteLabel"));
  auto* resultsLayout = new QVBoxLayout(results);
  for (TLabeledEdit* e : {totalEdit_, restingEdit_, foodEdit_, activityEdit_})
    resultsLayout->addWidget(e, 0, Qt::AlignLeft);
  resultsLayout->addWidget(note);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(
      "Predict the total daily calorie expenditure of a person based on his physical attributes",
      this));
  layout->addWidget(inputs);
  layout->addWidget(calculate, 0, Qt::AlignLeft);
  layout->addWidget(results);
  layout->addStretch();
  layout->addWidget(MakeCloseButtons(*this, program_, kExpenditureHelpTopic));

  if (const TUser* user = program_.CurrentUser()) {
    if (TUserSession* session = program_.Session())
      weightEdit_->SetValue(static_cast<double>(session->Energy().LatestWeighInWeight()));
    heightEdit_->SetValue(user->UserHeight);
    ageEdit_->Edit()->setText(QString::number(user->AgeOn(program_.Clock().Today())));
    sexComboBox_->setCurrentIndex(static_cast<int>(user->UserSex));
  }
  activityComboBox_->setCurrentIndex(0);
  weightEdit_->Edit()->setFocus();
}

void TFExpenditure::CalculateButtonClick() {
  if (!weightEdit_->Validate() || !heightEdit_->Validate()) return;
  const TExpenditureOutcome outcome = CalculateExpenditure(
      program_.Config(), weightEdit_->Weight(), heightEdit_->Dist(),
      ageEdit_->Edit()->text().toStdString(), SexOf(*sexComboBox_),
      activityComboBox_->currentIndex(), bodyFatComboBox_->currentText().toStdString());
  if (outcome.warning) {
    prompter_.Warn(*outcome.warning);
    if (outcome.focusAge) {
      ageEdit_->Edit()->setFocus();
      ageEdit_->Edit()->selectAll();
    } else {
      bodyFatComboBox_->setFocus();
    }
    return;
  }
  totalEdit_->Edit()->setText(QText(outcome.total));
  restingEdit_->Edit()->setText(QText(outcome.resting));
  foodEdit_->Edit()->setText(QText(outcome.food));
  activityEdit_->Edit()->setText(QText(outcome.activity));
}

}  // namespace korvela
