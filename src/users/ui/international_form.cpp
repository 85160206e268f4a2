#include "users/ui/international_form.h"

#include "users/ui/form_rows.h"
#include "widgets/save_guard.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QShortcut>
#include <QVBoxLayout>

#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr int kHelpTopic = 75;

QString Text(const char* text) { return QString::fromUtf8(text); }

// A group of two exclusive choices; the first is returned in `first`.
QGroupBox* ChoiceGroup(QWidget* parent, const char* title, QRadioButton*& first,
                       const char* firstCaption, const char* firstName, QRadioButton*& second,
                       const char* secondCaption, const char* secondName) {
  auto* group = new QGroupBox(Text(title), parent);
  first = new QRadioButton(Text(firstCaption), group);
  first->setObjectName(Text(firstName));
  second = new QRadioButton(Text(secondCaption), group);
  second->setObjectName(Text(secondName));
  auto* layout = new QVBoxLayout(group);
  layout->addWidget(first);
  layout->addWidget(second);
  return group;
}

}  // namespace

// Every choice here is valid: the only warning is a refused write.
TFInternational::TFInternational(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Internalization options"));
  QGroupBox* time =
      ChoiceGroup(this, "  Time format  ", hour12RadioButton_,
                  "12 hour format  (example: 08:34 PM)", "hour12RadioButton", hour24RadioButton_,
                  "24 hour format  (example: 20:34)", "hour24RadioButton");
  QGroupBox* units = ChoiceGroup(this, "  Measurement system  ", usImperialRadioButton_,
                                 "US/Imperial (inch/lbs)", "usImperialRadioButton",
                                 metricRadioButton_, "Metric (cm/kg)", "metricRadioButton");
  QGroupBox* decimal = ChoiceGroup(this, "  Floating point character  ", pointRadioButton_, ".",
                                   "pointRadioButton", commaRadioButton_, ",", "commaRadioButton");
  // "." and "," alone say little to a screen reader.
  pointRadioButton_->setAccessibleName(QStringLiteral("Floating point character ."));
  commaRadioButton_->setAccessibleName(QStringLiteral("Floating point character ,"));

  auto* firstDay = new QGroupBox(QStringLiteral("    First Day of Week    "), this);
  firstDayComboBox_ = new QComboBox(firstDay);
  firstDayComboBox_->setObjectName(QStringLiteral("firstDayComboBox"));
  firstDayComboBox_->setAccessibleName(QStringLiteral("First Day of Week"));
  for (const char* day : kDayNames) firstDayComboBox_->addItem(Text(day));
  auto* firstDayLayout = new QVBoxLayout(firstDay);
  firstDayLayout->addWidget(firstDayComboBox_);
  firstDayLayout->addStretch();

  const TConfigurator& config = program_.Config();
  (config.TimeFormat() == TTimeFormat::hr12 ? hour12RadioButton_ : hour24RadioButton_)
      ->setChecked(true);
  (config.MetricSystem() ? metricRadioButton_ : usImperialRadioButton_)->setChecked(true);
  (config.FloatingChar() == ',' ? commaRadioButton_ : pointRadioButton_)->setChecked(true);
  firstDayComboBox_->setCurrentIndex(config.FirstDOW());

  const TOkCancelButtons okCancel = AddOkCancelButtons(*this);
  okButton_ = okCancel.ok;
  cancelButton_ = okCancel.cancel;
  auto* buttons = okCancel.box;
  helpButton_ = new QPushButton(QStringLiteral("Help"), this);
  helpButton_->setObjectName(QStringLiteral("helpButton"));
  buttons->addButton(helpButton_, QDialogButtonBox::HelpRole);
  connect(okButton_, &QPushButton::clicked, this, &TFInternational::OkButtonClick);
  connect(helpButton_, &QPushButton::clicked, this, &TFInternational::HelpButtonClick);
  auto* f1 = new QShortcut(QKeySequence::HelpContents, this);
  connect(f1, &QShortcut::activated, this, &TFInternational::HelpButtonClick);

  auto* groups = new QGridLayout;
  groups->addWidget(time, 0, 0);
  groups->addWidget(units, 0, 1);
  groups->addWidget(decimal, 1, 0);
  groups->addWidget(firstDay, 1, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(groups);
  layout->addStretch();
  layout->addWidget(buttons);
}

void TFInternational::OkButtonClick() {
  TConfigurator& config = program_.Config();
  config.SetFloatingChar(commaRadioButton_->isChecked() ? ',' : '.');
  config.SetMetricSystem(metricRadioButton_->isChecked());
  config.SetTimeFormat(hour12RadioButton_->isChecked() ? TTimeFormat::hr12 : TTimeFormat::hr24);
  config.SetFirstDOW(firstDayComboBox_->currentIndex());
  if (TUserSession* session = program_.Session())
    if (!SaveOrWarn(prompter_, [session] { session->SaveSettings(); })) return;
  accept();
}

void TFInternational::HelpButtonClick() { program_.ShowHelp(kHelpTopic); }

}  // namespace korvela
