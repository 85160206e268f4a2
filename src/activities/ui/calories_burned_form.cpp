#include "activities/ui/calories_burned_form.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

#include "activities/activity_figures.h"
#include "energy/body_calculators.h"
#include "energy/energy_model.h"
#include "energy/ui/calculator_parts.h"

namespace korvela {
namespace {

constexpr int kCaloriesBurnedHelpTopic = 61;

}  // namespace

TFCaloriesBurned::TFCaloriesBurned(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("How many calories does a person burn doing..?"));
  auto* columns = new QHBoxLayout;
  columns->addWidget(BuildPerson(), 0);
  columns->addWidget(BuildActivity(), 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading("How many calories does a person burn doing..?", this));
  layout->addLayout(columns, 1);
  layout->addWidget(MakeCloseButtons(*this, program_, kCaloriesBurnedHelpTopic));

  if (const TUser* user = program_.CurrentUser()) {
    if (TUserSession* session = program_.Session())
      weightEdit_->SetValue(static_cast<double>(session->Energy().LatestWeighInWeight()));
    heightEdit_->SetValue(user->UserHeight);
    ageEdit_->Edit()->setText(QString::number(user->AgeOn(program_.Clock().Today())));
    sexComboBox_->setCurrentIndex(static_cast<int>(user->UserSex));
  }
  averageRadio_->setChecked(true);
  PersonChange();
  grid_->Fill();
  resize(1080, 620);
  filterEdit_->setFocus();
}

QWidget* TFCaloriesBurned::BuildPerson() {
  auto* group = new QGroupBox(QStringLiteral("Person"), this);
  averageRadio_ = new QRadioButton(QStringLiteral("Assume an average person"), group);
  averageRadio_->setObjectName(QStringLiteral("averageRadioButton"));
  specifyRadio_ = new QRadioButton(QStringLiteral("Specify Physical Attributes"), group);
  specifyRadio_->setObjectName(QStringLiteral("specifyRadioButton"));
  connect(averageRadio_, &QRadioButton::toggled, this, &TFCaloriesBurned::PersonChange);

  attributes_ = new QWidget(group);
  TConfigurator& config = program_.Config();
  weightEdit_ = new TWeightEdit(QStringLiteral("Weight:"), config, prompter_, attributes_);
  NameQuantity(*weightEdit_, QStringLiteral("weight"));
  heightEdit_ = new TDistEdit(QStringLiteral("Height:"), config, prompter_, attributes_);
  NameQuantity(*heightEdit_, QStringLiteral("height"));
  ageEdit_ = MakeEntry(attributes_, QStringLiteral("Age: "), QStringLiteral("age"),
                       QStringLiteral("years"));
  ageEdit_->Edit()->setValidator(DigitsOnly(ageEdit_->Edit()));
  sexComboBox_ = MakeSexComboBox(attributes_);
  auto* sexLabel = MakeLabelFor(QStringLiteral("Sex:"), sexComboBox_, attributes_);
  bodyFatComboBox_ = MakeBodyFatComboBox(attributes_);
  auto* bodyFatLabel = MakeLabelFor(QStringLiteral("*Body Fat:"), bodyFatComboBox_, attributes_);
  AlignCaptions({weightEdit_, heightEdit_, ageEdit_});
  sexLabel->setMinimumWidth(ageEdit_->CaptionLabel()->minimumWidth());
  bodyFatLabel->setMinimumWidth(ageEdit_->CaptionLabel()->minimumWidth());
  for (QLineEdit* edit : {weightEdit_->Edit(), heightEdit_->Edit(), ageEdit_->Edit()})
    connect(edit, &QLineEdit::textChanged, this, &TFCaloriesBurned::Recompute);
  connect(sexComboBox_, &QComboBox::currentIndexChanged, this, &TFCaloriesBurned::Recompute);
  connect(bodyFatComboBox_, &QComboBox::currentTextChanged, this, &TFCaloriesBurned::Recompute);

  auto* sexRow = new QHBoxLayout;
  sexRow->addWidget(sexLabel);
  sexRow->addWidget(sexComboBox_);
  sexRow->addStretch();
  auto* fatRow = new QHBoxLayout;
  fatRow->addWidget(bodyFatLabel);
  fatRow->addWidget(bodyFatComboBox_);
  fatRow->addWidget(new QLabel(QStringLiteral("%"), attributes_));
  fatRow->addStretch();
  auto* attributesLayout = new QVBoxLayout(attributes_);
  attributesLayout->setContentsMargins(18, 0, 0, 0);
  attributesLayout->addWidget(weightEdit_, 0, Qt::AlignLeft);
  attributesLayout->addWidget(heightEdit_, 0, Qt::AlignLeft);
  attributesLayout->addWidget(ageEdit_, 0, Qt::AlignLeft);
  attributesLayout->addLayout(sexRow);
  attributesLayout->addLayout(fatRow);

  auto* layout = new QVBoxLayout(group);
  layout->addWidget(averageRadio_);
  layout->addWidget(specifyRadio_);
  layout->addWidget(attributes_);
  layout->addStretch();
  return group;
}

QWidget* TFCaloriesBurned::BuildActivity() {
  auto* box = new QWidget(this);
  filterEdit_ = new QLineEdit(box);
  filterEdit_->setObjectName(QStringLiteral("filterLineEdit"));
  filterEdit_->setClearButtonEnabled(true);
  auto* filterLabel = MakeLabelFor(QStringLiteral("Filter Activities:"), filterEdit_, box);
  grid_ = MakeMETGrid(program_.Sports(), program_.Config(), QStringLiteral("MET"), box);
  grid_->OnSelectSport = [this](const TSport* sport) { SportSelect(sport); };
  connect(filterEdit_, &QLineEdit::textChanged, this, &TFCaloriesBurned::FilterTextChange);

  metEdit_ = MakeEntry(box, QStringLiteral("MET Value:"), QStringLiteral("met"));
  durationEdit_ = MakeEntry(box, QStringLiteral("Duration:"), QStringLiteral("duration"),
                            QStringLiteral("minutes"));
  durationEdit_->Edit()->setValidator(DigitsOnly(durationEdit_->Edit()));
  burnedEdit_ = MakeEntry(box, QStringLiteral("Burned"), QStringLiteral("burned"),
                          QStringLiteral("calories"));
  additionalEdit_ = MakeEntry(box, QStringLiteral("Additional"), QStringLiteral("additional"),
                              QStringLiteral("calories"));
  MakeReadOnly(*burnedEdit_);
  MakeReadOnly(*additionalEdit_);
  AlignCaptions({metEdit_, durationEdit_});
  AlignCaptions({burnedEdit_, additionalEdit_});
  connect(metEdit_->Edit(), &QLineEdit::textChanged, this, &TFCaloriesBurned::Recompute);
  connect(durationEdit_->Edit(), &QLineEdit::textChanged, this, &TFCaloriesBurned::Recompute);

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(filterEdit_, 1);
  auto* fields = new QGridLayout;
  fields->addWidget(metEdit_, 0, 0, Qt::AlignLeft);
  fields->addWidget(burnedEdit_, 0, 1, Qt::AlignLeft);
  fields->addWidget(durationEdit_, 1, 0, Qt::AlignLeft);
  fields->addWidget(additionalEdit_, 1, 1, Qt::AlignLeft);
  fields->setColumnStretch(2, 1);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addLayout(filterRow);
  layout->addWidget(grid_, 1);
  layout->addLayout(fields);
  return box;
}

void TFCaloriesBurned::PersonChange() {
  attributes_->setEnabled(specifyRadio_->isChecked());
  Recompute();
}

void TFCaloriesBurned::FilterTextChange() {
  grid_->Filter(filterEdit_->text());
  grid_->Highlight(filterEdit_->text());
}

void TFCaloriesBurned::SportSelect(const TSport* sport) {
  if (!sport) return;
  metEdit_->Edit()->setText(QText(METText(program_.Config(), sport->MET)));
  durationEdit_->Edit()->setText(QString::number(sport->Per));
}

double TFCaloriesBurned::Rate() {
  if (averageRadio_->isChecked()) return kAveragePersonRate;
  const double weight = SilentValue(*weightEdit_);
  const double height = SilentValue(*heightEdit_);
  const std::optional<int> age = ReadCalcAge(ageEdit_->Edit()->text().toStdString());
  const std::optional<double> bodyFat =
      ReadBodyFatChoice(program_.Config(), bodyFatComboBox_->currentText().toStdString());
  if (weight <= 0 || height <= 0 || !age || !bodyFat) return -1;
  return PersonRestingRate(*age, SexOf(*sexComboBox_), weight, height, *bodyFat);
}

void TFCaloriesBurned::Recompute() {
  if (!burnedEdit_) return;
  const TActivityFigures figures =
      ActivityFigures(program_.Config(), metEdit_->Edit()->text().toStdString(),
                      durationEdit_->Edit()->text().toStdString(), Rate());
  burnedEdit_->Edit()->setText(QText(figures.burned));
  additionalEdit_->Edit()->setText(QText(figures.added));
}

}  // namespace korvela
