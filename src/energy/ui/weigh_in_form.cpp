#include "energy/ui/weigh_in_form.h"

#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "energy/ui/skinfold_form.h"
#include "energy/weigh_in.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kWeighInHelpTopic = 72;

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  return button;
}

}  // namespace

TFWeighIn::TFWeighIn(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      weightEdit_(
          new TWeightEdit(QStringLiteral("Today I weigh:"), program.Config(), prompter, this)),
      bodyFatComboBox_(new QComboBox(this)),
      accuracyGroup_(new QButtonGroup(this)) {
  setWindowTitle(QString::fromUtf8(kWeighInCaption));
  auto* heading = new QLabel(QString::fromUtf8(kWeighInHeading), this);
  heading->setObjectName(QStringLiteral("headingLabel"));
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);

  weightEdit_->setObjectName(QStringLiteral("weightEdit"));
  weightEdit_->Edit()->setObjectName(QStringLiteral("weightLineEdit"));
  weightEdit_->SetLimits(30, 600);

  auto* bodyFatLabel = new QLabel(QStringLiteral("*My body fat is:"), this);
  bodyFatComboBox_->setObjectName(QStringLiteral("bodyFatComboBox"));
  bodyFatComboBox_->setEditable(true);
  bodyFatComboBox_->addItem(QString::fromUtf8(kIDontKnow));
  bodyFatComboBox_->setAccessibleName(bodyFatLabel->text());
  bodyFatComboBox_->lineEdit()->setObjectName(QStringLiteral("bodyFatLineEdit"));
  bodyFatComboBox_->lineEdit()->setAccessibleName(bodyFatLabel->text());
  bodyFatLabel->setBuddy(bodyFatComboBox_);
  auto* bodyFatRow = new QHBoxLayout;
  bodyFatRow->addWidget(bodyFatLabel);
  bodyFatRow->addSpacing(10);
  bodyFatRow->addWidget(bodyFatComboBox_, 1);
  bodyFatRow->addSpacing(3);
  bodyFatRow->addWidget(new QLabel(QStringLiteral("%"), this));
  // Both captions in one column.
  const int captionWidth =
      std::max(weightEdit_->CaptionLabel()->sizeHint().width(), bodyFatLabel->sizeHint().width());
  weightEdit_->CaptionLabel()->setMinimumWidth(captionWidth);
  bodyFatLabel->setMinimumWidth(captionWidth);

  auto* calculators = new QGroupBox(QStringLiteral("Body fat calculators"), this);
  auto* threeSites =
      MakeButton("Invoke the 3-site skinfold bf% calculator", "threeSiteButton", calculators);
  auto* sevenSites =
      MakeButton("Invoke the 7-site skinfold bf% calculator", "sevenSiteButton", calculators);
  auto* calculatorLayout = new QVBoxLayout(calculators);
  calculatorLayout->addWidget(threeSites);
  calculatorLayout->addWidget(sevenSites);
  connect(threeSites, &QPushButton::clicked, this, [this] { SkinfoldButtonClick(false); });
  connect(sevenSites, &QPushButton::clicked, this, [this] { SkinfoldButtonClick(true); });

  auto* accuracy = new QGroupBox(QString::fromUtf8(kAccuracyQuestion), this);
  accuracy->setObjectName(QStringLiteral("accuracyGroupBox"));
  auto* accuracyLayout = new QVBoxLayout(accuracy);
  for (int answer = 0; answer < 3; ++answer) {
    auto* radio = new QRadioButton(QString::fromUtf8(kAccuracyAnswers[answer]), accuracy);
    radio->setObjectName(QStringLiteral("accuracy%1RadioButton").arg(answer));
    accuracyGroup_->addButton(radio, answer);
    accuracyLayout->addWidget(radio);
  }

  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* help = MakeButton("Help", "helpButton", this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  buttons->addButton(help, QDialogButtonBox::HelpRole);
  connect(ok, &QPushButton::clicked, this, &TFWeighIn::OkButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, [this] { program_.ShowHelp(kWeighInHelpTopic); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, [this] { program_.ShowHelp(kWeighInHelpTopic); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addSpacing(6);
  layout->addWidget(weightEdit_);
  layout->addLayout(bodyFatRow);
  layout->addWidget(calculators);
  layout->addWidget(accuracy);
  layout->addWidget(buttons);
}

void TFWeighIn::SkinfoldButtonClick(bool sevenSites) {
  TFSkinfold calculator(program_, prompter_,
                        sevenSites ? TSkinfoldMethod::SevenSite : TSkinfoldMethod::ThreeSite, this);
  calculator.exec();
}

void TFWeighIn::OkButtonClick() {
  if (!weightEdit_->Validate()) return;
  const std::optional<float> bodyFat =
      ReadBodyFatField(program_.Config(), bodyFatComboBox_->currentText().toStdString());
  if (!bodyFat) {
    prompter_.Warn(kMsgInvalidBodyFatPercentage);
    bodyFatComboBox_->setFocus();
    return;
  }
  const int answer = accuracyGroup_->checkedId();
  if (answer < 0) {
    prompter_.Warn(kMsgSelectAccuracy);
    return;
  }
  TUserSession& session = *program_.Session();
  TWeighInOutcome outcome{};
  const bool saved = SaveOrWarn(prompter_, [&] {
    outcome = WeighIn(session.Energy(), session.DayRecords(), session.User(), weightEdit_->Weight(),
                      *bodyFat, static_cast<TLogAccuracy>(answer));
  });
  if (!saved) return;
  // Whether the coefficients moved, and plainly why not when they did not.
  if (const std::optional<std::string> message = WeighInMessage(outcome))
    prompter_.Inform(*message);
  accept();
}

}  // namespace korvela
