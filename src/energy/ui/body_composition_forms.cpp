#include "energy/ui/body_composition_forms.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "energy/body_calculators.h"
#include "energy/ui/calculator_parts.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr int kBodyMassIndexHelpTopic = 62;
constexpr int kLeanBodyMassHelpTopic = 63;
constexpr int kCompareBodiesHelpTopic = 64;
constexpr int kWaistBodyFatHelpTopic = 67;

const QColor kLeanColor(31, 90, 180);
const QColor kFatColor(200, 40, 40);

// The latest weigh-in's weight, when a user is logged in.
void StartWithLatestWeight(TProgram& program, TWeightEdit& edit) {
  if (TUserSession* session = program.Session())
    edit.SetValue(static_cast<double>(session->Energy().LatestWeighInWeight()));
}

QPushButton* MakeCalculateButton(const char* caption, QWidget* parent) {
  auto* button = MakeButton(caption, "calculateButton", parent);
  button->setDefault(true);
  return button;
}

void FocusField(QLineEdit* edit) {
  edit->setFocus();
  edit->selectAll();
}

}  // namespace

TFBodyMassIndex::TFBodyMassIndex(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program) {
  setWindowTitle(QStringLiteral("Body Mass Index Calculations"));
  weightEdit_ = new TWeightEdit(QStringLiteral("Weight:"), program_.Config(), prompter, this);
  NameQuantity(*weightEdit_, QStringLiteral("weight"));
  heightEdit_ = new TDistEdit(QStringLiteral("Height:"), program_.Config(), prompter, this);
  NameQuantity(*heightEdit_, QStringLiteral("height"));
  AlignCaptions({weightEdit_, heightEdit_});
  auto* calculate = MakeCalculateButton("Calculate", this);
  connect(calculate, &QPushButton::clicked, this, &TFBodyMassIndex::CalculateButtonClick);
  bmiLabel_ = new QLabel(QStringLiteral("BMI = "), this);
  bmiLabel_->setObjectName(QStringLiteral("bmiLabel"));
  QFont big = bmiLabel_->font();
  big.setBold(true);
  big.setPointSizeF(big.pointSizeF() * 1.4);
  bmiLabel_->setFont(big);

  auto* legend = new QGroupBox(QStringLiteral("*BMI Values Legend"), this);
  auto* legendGrid = new QGridLayout(legend);
  const char* const legendRows[4][2] = {{"21 - 22", "Optimal Range"},
                                        {"18 - 25", "Normal Range"},
                                        {"Below 18", "Underweight"},
                                        {"Over 30", "Obese"}};
  for (int r = 0; r < 4; ++r) {
    legendGrid->addWidget(new QLabel(QText(legendRows[r][0]), legend), r, 0);
    legendGrid->addWidget(new QLabel(QText(legendRows[r][1]), legend), r, 1);
  }
  legendGrid->setColumnMinimumWidth(0, EntryWidth(*this, 10));

  auto* inputs = new QVBoxLayout;
  inputs->addWidget(weightEdit_, 0, Qt::AlignLeft);
  inputs->addWidget(heightEdit_, 0, Qt::AlignLeft);
  inputs->addWidget(calculate, 0, Qt::AlignLeft);
  inputs->addWidget(bmiLabel_);
  inputs->addStretch();
  auto* columns = new QHBoxLayout;
  columns->addLayout(inputs, 1);
  columns->addWidget(legend, 0, Qt::AlignTop);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading("Calculate the Body Mass Index of a Person", this));
  layout->addLayout(columns);
  layout->addWidget(MakeCloseButtons(*this, program_, kBodyMassIndexHelpTopic));

  StartWithLatestWeight(program_, *weightEdit_);
  if (const TUser* user = program_.CurrentUser()) heightEdit_->SetValue(user->UserHeight);
  weightEdit_->Edit()->setFocus();
}

void TFBodyMassIndex::CalculateButtonClick() {
  if (!weightEdit_->Validate() || !heightEdit_->Validate()) return;
  bmiLabel_->setText(
      QStringLiteral("BMI = ") +
      QText(BodyMassIndexText(program_.Config(), weightEdit_->Weight(), heightEdit_->Dist())));
}

TFLeanBodyMass::TFLeanBodyMass(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Lean Body Mass and Fat Mass Calculator"));
  TConfigurator& config = program_.Config();
  weightEdit_ = new TWeightEdit(QStringLiteral("Weight:"), config, prompter_, this);
  NameQuantity(*weightEdit_, QStringLiteral("weight"));
  bodyFatEdit_ =
      MakeEntry(this, QStringLiteral("Body Fat:"), QStringLiteral("bodyFat"), QStringLiteral("%"));
  AlignCaptions({weightEdit_, bodyFatEdit_});
  auto* calculate = MakeCalculateButton("Calculate", this);
  connect(calculate, &QPushButton::clicked, this, &TFLeanBodyMass::CalculateButtonClick);

  auto* results = new QGroupBox(QStringLiteral("Body Composition Results"), this);
  leanEdit_ = new TWeightEdit(QStringLiteral("Lean Body Mass:"), config, prompter_, results);
  NameQuantity(*leanEdit_, QStringLiteral("leanBodyMass"));
  fatEdit_ = new TWeightEdit(QStringLiteral("Fat Mass:"), config, prompter_, results);
  NameQuantity(*fatEdit_, QStringLiteral("fatMass"));
  MakeReadOnly(*leanEdit_);
  MakeReadOnly(*fatEdit_);
  AlignCaptions({leanEdit_, fatEdit_});
  auto* resultsLayout = new QVBoxLayout(results);
  resultsLayout->addWidget(leanEdit_, 0, Qt::AlignLeft);
  resultsLayout->addWidget(fatEdit_, 0, Qt::AlignLeft);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(
      "Calculate the Lean Body Mass and the Fat Mass of a person based on weight and BF%", this));
  layout->addWidget(weightEdit_, 0, Qt::AlignLeft);
  layout->addWidget(bodyFatEdit_, 0, Qt::AlignLeft);
  layout->addWidget(calculate, 0, Qt::AlignLeft);
  layout->addWidget(results);
  layout->addStretch();
  layout->addWidget(MakeCloseButtons(*this, program_, kLeanBodyMassHelpTopic));

  StartWithLatestWeight(program_, *weightEdit_);
  weightEdit_->Edit()->setFocus();
}

void TFLeanBodyMass::CalculateButtonClick() {
  if (!weightEdit_->Validate()) return;
  const std::optional<double> bodyFat =
      ReadBodyFatPercent(program_.Config(), bodyFatEdit_->Edit()->text().toStdString());
  if (!bodyFat) {
    prompter_.Warn(kMsgInvalidBodyFat);
    FocusField(bodyFatEdit_->Edit());
    return;
  }
  const TBodyComposition c = Composition(weightEdit_->Weight(), *bodyFat);
  leanEdit_->SetValue(c.lean);
  fatEdit_->SetValue(c.fat);
}

TFCompareBodies::TFCompareBodies(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Body Composition Analysis"));
  auto* compare = MakeCalculateButton("Compare", this);
  compare->setObjectName(QStringLiteral("compareButton"));
  connect(compare, &QPushButton::clicked, this, &TFCompareBodies::CompareButtonClick);
  chart_ = new TChart(this);
  chart_->setObjectName(QStringLiteral("compositionChart"));
  chart_->SetLegendVisible(false);
  chart_->setMinimumHeight(260);
  chart_->hide();
  resultLabel_ = new QLabel(this);
  resultLabel_->setObjectName(QStringLiteral("resultLabel"));
  resultLabel_->setWordWrap(true);
  resultLabel_->hide();

  auto* inputs = new QHBoxLayout;
  inputs->addWidget(BuildBodyweight(1, weight1Edit_, bodyFat1Edit_));
  inputs->addWidget(BuildBodyweight(2, weight2Edit_, bodyFat2Edit_));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading("Compare the body composition of two bodyweights", this));
  layout->addLayout(inputs);
  layout->addWidget(compare, 0, Qt::AlignLeft);
  layout->addWidget(chart_, 1);
  layout->addWidget(resultLabel_);
  layout->addWidget(MakeCloseButtons(*this, program_, kCompareBodiesHelpTopic));

  StartWithLatestWeight(program_, *weight1Edit_);
  weight1Edit_->Edit()->setFocus();
  resize(720, 300);
}

QWidget* TFCompareBodies::BuildBodyweight(int number, TWeightEdit*& weight,
                                          TLabeledEdit*& bodyFat) {
  const QString n = QString::number(number);
  auto* group = new QGroupBox(QStringLiteral("Bodyweight #") + n, this);
  weight = new TWeightEdit(QStringLiteral("Weight:"), program_.Config(), prompter_, group);
  NameQuantity(*weight, QStringLiteral("weight") + n);
  bodyFat = MakeEntry(group, QStringLiteral("Body Fat:"), QStringLiteral("bodyFat") + n,
                      QStringLiteral("%"));
  AlignCaptions({weight, bodyFat});
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(weight, 0, Qt::AlignLeft);
  layout->addWidget(bodyFat, 0, Qt::AlignLeft);
  return group;
}

void TFCompareBodies::CompareButtonClick() {
  const TConfigurator& config = program_.Config();
  TBodyComposition bodies[2];
  const std::pair<TWeightEdit*, TLabeledEdit*> fields[2] = {{weight1Edit_, bodyFat1Edit_},
                                                            {weight2Edit_, bodyFat2Edit_}};
  for (int i = 0; i < 2; ++i) {
    if (!fields[i].first->Validate()) return;
    const std::optional<double> bodyFat =
        ReadBodyFatPercent(config, fields[i].second->Edit()->text().toStdString());
    if (!bodyFat) {
      prompter_.Warn(kMsgInvalidBodyFat);
      FocusField(fields[i].second->Edit());
      return;
    }
    bodies[i] = Composition(fields[i].first->Weight(), *bodyFat);
  }
  chart_->Clear();
  // Top to bottom: lean and fat mass of #1, then of #2.
  const struct {
    const char* caption;
    double kg;
    QColor color;
  } bars[] = {{"LBM #1 = ", bodies[0].lean, kLeanColor},
              {"Fat Mass #1 = ", bodies[0].fat, kFatColor},
              {"LBM #2 = ", bodies[1].lean, kLeanColor},
              {"Fat Mass #2 = ", bodies[1].fat, kFatColor}};
  double y = 4;
  for (const auto& bar : bars) {
    chart_->AddHorizontalBar(QText(CompositionBarLabel(config, bar.caption, bar.kg)), y,
                             KgToShown(config, bar.kg), bar.color);
    y -= 1;
  }
  chart_->SetAxisTitles(QText(WeightUnit(config)), QString());
  resultLabel_->setText(QText(CompareCompositionText(config, bodies[0], bodies[1])));
  chart_->show();
  resultLabel_->show();
  if (height() < 560) resize(width(), 560);
}

TFWaistBodyFat::TFWaistBodyFat(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Predict Body Fat %"));
  TConfigurator& config = program_.Config();
  weightEdit_ = new TWeightEdit(QStringLiteral("Weight:"), config, prompter_, this);
  NameQuantity(*weightEdit_, QStringLiteral("weight"));
  waistEdit_ = new TDistEdit(QStringLiteral("Waist:"), config, prompter_, this);
  NameQuantity(*waistEdit_, QStringLiteral("waist"));
  waistEdit_->SetDistString("Waist measurement");
  sexComboBox_ = MakeSexComboBox(this);
  QLabel* sexLabel = MakeLabelFor(QStringLiteral("Sex:"), sexComboBox_, this);
  AlignCaptions({weightEdit_, waistEdit_});
  sexLabel->setMinimumWidth(weightEdit_->CaptionLabel()->minimumWidth());
  auto* calculate = MakeCalculateButton("Calculate", this);
  connect(calculate, &QPushButton::clicked, this, &TFWaistBodyFat::CalculateButtonClick);

  auto* result = new QGroupBox(QStringLiteral("Result"), this);
  bodyFatEdit_ = MakeEntry(result, QStringLiteral("Body Fat:"), QStringLiteral("bodyFat"),
                           QStringLiteral("%"));
  MakeReadOnly(*bodyFatEdit_);
  auto* resultLayout = new QHBoxLayout(result);
  resultLayout->addWidget(bodyFatEdit_);
  resultLayout->addStretch();
  auto* note = new QLabel(
      QStringLiteral("Note: This formula is very imprecise. Use it only as a general reference."),
      this);
  note->setObjectName(QStringLiteral("noteLabel"));

  auto* sexRow = new QHBoxLayout;
  sexRow->addWidget(sexLabel);
  sexRow->addWidget(sexComboBox_);
  sexRow->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading("Predict body fat % using weight and waist measurements", this));
  layout->addWidget(weightEdit_, 0, Qt::AlignLeft);
  layout->addWidget(waistEdit_, 0, Qt::AlignLeft);
  layout->addLayout(sexRow);
  layout->addWidget(calculate, 0, Qt::AlignLeft);
  layout->addWidget(result);
  layout->addWidget(note);
  layout->addStretch();
  layout->addWidget(MakeCloseButtons(*this, program_, kWaistBodyFatHelpTopic));

  StartWithLatestWeight(program_, *weightEdit_);
  if (const TUser* user = program_.CurrentUser())
    sexComboBox_->setCurrentIndex(static_cast<int>(user->UserSex));
  waistEdit_->Edit()->setFocus();
}

void TFWaistBodyFat::CalculateButtonClick() {
  if (!weightEdit_->Validate() || !waistEdit_->Validate()) return;
  const TWaistOutcome outcome = CalculateWaistBodyFat(program_.Config(), waistEdit_->Dist(),
                                                      weightEdit_->Weight(), SexOf(*sexComboBox_));
  bodyFatEdit_->Edit()->setText(QText(outcome.bodyFat));
  if (outcome.warning) prompter_.Warn(*outcome.warning);
}

}  // namespace korvela
