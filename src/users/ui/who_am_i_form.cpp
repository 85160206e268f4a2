#include "users/ui/who_am_i_form.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "users/account_forms.h"
#include "users/ui/form_rows.h"
#include "users/unit_text.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr double kMinWeightKg = 30;
constexpr double kMaxWeightKg = 600;
constexpr double kMinHeightCm = 100;
constexpr double kMaxHeightCm = 300;
constexpr int kInitialBirthYear = 1980;

QString Text(const char* text) { return QString::fromUtf8(text); }

QRadioButton* AddRadioButton(QBoxLayout& layout, const char* caption, const char* name) {
  auto* button = new QRadioButton(Text(caption));
  button->setObjectName(Text(name));
  layout.addWidget(button);
  return button;
}

}  // namespace

TFWhoAmI::TFWhoAmI(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QStringLiteral("Who am I?"));
  auto* heading = new QLabel(
      QStringLiteral(
          "I am a new user. Set up basic information about me and start using Korvela now!"),
      this);
  heading->setObjectName(QStringLiteral("headingLabel"));
  heading->setWordWrap(true);
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);

  // The fields first, so that Tab reaches OK and Cancel last.
  QWidget* nameAndBirth = BuildNameAndBirth();
  QWidget* choices = BuildChoices();
  QWidget* attributes = BuildPhysicalAttributes();
  QWidget* password = BuildPassword();
  const TOkCancelButtons okCancel = AddOkCancelButtons(*this);
  okButton_ = okCancel.ok;
  cancelButton_ = okCancel.cancel;
  auto* buttons = okCancel.box;
  connect(okButton_, &QPushButton::clicked, this, &TFWhoAmI::OkButtonClick);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addSpacing(6);
  layout->addWidget(nameAndBirth);
  layout->addWidget(choices);
  layout->addWidget(attributes);
  layout->addWidget(password);
  layout->addStretch();
  layout->addWidget(buttons);
  setMinimumWidth(fontMetrics().averageCharWidth() * 64);
  nameLineEdit_->setFocus();
}

QWidget* TFWhoAmI::BuildNameAndBirth() {
  auto* box = new QWidget(this);
  nameLineEdit_ = new QLineEdit(box);
  nameLineEdit_->setObjectName(QStringLiteral("nameLineEdit"));
  nameLineEdit_->setMaxLength(kMaxNameLength);

  birthDayComboBox_ = new QComboBox(box);
  birthDayComboBox_->setObjectName(QStringLiteral("birthDayComboBox"));
  for (int day = 1; day <= 31; ++day) birthDayComboBox_->addItem(QString::number(day));
  birthMonthComboBox_ = new QComboBox(box);
  birthMonthComboBox_->setObjectName(QStringLiteral("birthMonthComboBox"));
  birthMonthComboBox_->setAccessibleName(QStringLiteral("Month of birth"));
  for (const char* month : kMonthNames) birthMonthComboBox_->addItem(Text(month));
  // The year is read back as text by the birth date check; plain digits in
  // every locale.
  birthYearSpinBox_ = new QSpinBox(box);
  birthYearSpinBox_->setObjectName(QStringLiteral("birthYearSpinBox"));
  birthYearSpinBox_->setAccessibleName(QStringLiteral("Year of birth"));
  birthYearSpinBox_->setLocale(QLocale::c());
  birthYearSpinBox_->setRange(kFirstBirthYear, kLastBirthYear);
  birthYearSpinBox_->setValue(kInitialBirthYear);
  // Each part of the date has a small caption of its own above it, the
  // part's buddy, so that a screen reader names it and Alt+letter reaches it.
  auto* birth = new QGridLayout;
  birth->setVerticalSpacing(0);
  const std::pair<const char*, QWidget*> parts[] = {
      {"&Day", birthDayComboBox_}, {"M&onth", birthMonthComboBox_}, {"&Year", birthYearSpinBox_}};
  int column = 0;
  for (const auto& [caption, field] : parts) {
    auto* label = new QLabel(QString::fromUtf8(caption), box);
    label->setObjectName(field->objectName() + QStringLiteral("Label"));
    label->setStyleSheet(QStringLiteral("QLabel { color: #4a5568; font-size: 8pt; }"));
    label->setBuddy(field);
    birth->addWidget(label, 0, column);
    birth->addWidget(field, 1, column);
    ++column;
  }
  birth->setColumnStretch(1, 1);

  auto* form = new QFormLayout(box);
  form->setContentsMargins(0, 0, 0, 0);
  AddFormRow(*form, QStringLiteral("My name is:"), nameLineEdit_);
  auto* birthLabel = new QLabel(QStringLiteral("I was born:"), box);
  birthLabel->setBuddy(birthDayComboBox_);
  birthLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  birthDayComboBox_->setAccessibleName(QStringLiteral("I was born:"));
  form->addRow(birthLabel, birth);
  return box;
}

QWidget* TFWhoAmI::BuildChoices() {
  auto* box = new QWidget(this);
  auto* sexBox = new QGroupBox(QStringLiteral(" I am: "), box);
  auto* sex = new QVBoxLayout(sexBox);
  maleRadioButton_ = AddRadioButton(*sex, "male", "maleRadioButton");
  femaleRadioButton_ = AddRadioButton(*sex, "female", "femaleRadioButton");
  maleRadioButton_->setChecked(true);

  auto* unitsBox = new QGroupBox(QStringLiteral(" My preferred measurement system is: "), box);
  auto* units = new QVBoxLayout(unitsBox);
  usImperialRadioButton_ =
      AddRadioButton(*units, "US/Imperial (inch/lbs)", "usImperialRadioButton");
  metricRadioButton_ = AddRadioButton(*units, "Metric (cm/kg)", "metricRadioButton");
  const bool metric = program_.Config().MetricSystem();
  metricRadioButton_->setChecked(metric);
  usImperialRadioButton_->setChecked(!metric);
  connect(metricRadioButton_, &QRadioButton::toggled, this, &TFWhoAmI::MetricRadioButtonToggle);

  auto* layout = new QHBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(sexBox, 1);
  layout->addWidget(unitsBox, 2);
  return box;
}

QWidget* TFWhoAmI::BuildPhysicalAttributes() {
  auto* box = new QGroupBox(QStringLiteral(" Physical Attributes "), this);
  weightEdit_ = new TWeightEdit(QStringLiteral("My weight is:"), program_.Config(), prompter_, box);
  weightEdit_->setObjectName(QStringLiteral("weightEdit"));
  weightEdit_->Edit()->setObjectName(QStringLiteral("weightLineEdit"));
  weightEdit_->SetLimits(kMinWeightKg, kMaxWeightKg);
  heightEdit_ = new TDistEdit(QStringLiteral("My height is:"), program_.Config(), prompter_, box);
  heightEdit_->setObjectName(QStringLiteral("heightEdit"));
  heightEdit_->Edit()->setObjectName(QStringLiteral("heightLineEdit"));
  heightEdit_->SetLimits(kMinHeightCm, kMaxHeightCm);

  // The activity row copies the shape of the entries above: caption, gap,
  // field.
  activityComboBox_ = new QComboBox(box);
  activityComboBox_->setObjectName(QStringLiteral("activityComboBox"));
  for (const char* level : kActivityLevelNames) activityComboBox_->addItem(Text(level));
  auto* activityLabel = new QLabel(QStringLiteral("My daily activity is:"), box);
  activityLabel->setBuddy(activityComboBox_);
  activityComboBox_->setAccessibleName(activityLabel->text());
  auto* activity = new QHBoxLayout;
  activity->setSpacing(0);
  activity->addWidget(activityLabel);
  activity->addSpacing(10);
  activity->addWidget(activityComboBox_);
  activity->addStretch();
  AlignCaptions({weightEdit_->CaptionLabel(), heightEdit_->CaptionLabel(), activityLabel});
  // The three fields share one width; the units stand to the right of it.
  const int fieldWidth = std::max(activityComboBox_->sizeHint().width(),
                                  fontMetrics().horizontalAdvance(QLatin1Char('0')) * 16);
  for (QWidget* field :
       {static_cast<QWidget*>(weightEdit_->Edit()), static_cast<QWidget*>(heightEdit_->Edit()),
        static_cast<QWidget*>(activityComboBox_)})
    field->setFixedWidth(fieldWidth);

  auto* layout = new QVBoxLayout(box);
  layout->addWidget(weightEdit_, 0, Qt::AlignLeft);
  layout->addWidget(heightEdit_, 0, Qt::AlignLeft);
  layout->addLayout(activity);
  return box;
}

QWidget* TFWhoAmI::BuildPassword() {
  auto* box = new QWidget(this);
  passwordCheckBox_ =
      new QCheckBox(QStringLiteral(" I want to protect my information with a password "), box);
  passwordCheckBox_->setObjectName(QStringLiteral("passwordCheckBox"));
  passwordLineEdit_ = new QLineEdit(box);
  passwordLineEdit_->setObjectName(QStringLiteral("passwordLineEdit"));
  confirmPasswordLineEdit_ = new QLineEdit(box);
  confirmPasswordLineEdit_->setObjectName(QStringLiteral("confirmPasswordLineEdit"));
  for (QLineEdit* edit : {passwordLineEdit_, confirmPasswordLineEdit_}) {
    edit->setEchoMode(QLineEdit::Password);
    edit->setEnabled(false);
  }
  connect(passwordCheckBox_, &QCheckBox::toggled, this, &TFWhoAmI::PasswordCheckBoxToggle);

  auto* form = new QFormLayout;
  form->setContentsMargins(20, 0, 0, 0);
  AddFormRow(*form, QStringLiteral("Password"), passwordLineEdit_);
  AddFormRow(*form, QStringLiteral("I confirm my password:"), confirmPasswordLineEdit_);
  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(passwordCheckBox_);
  layout->addLayout(form);
  return box;
}

void TFWhoAmI::MetricRadioButtonToggle(bool metric) { program_.Config().SetMetricSystem(metric); }

void TFWhoAmI::PasswordCheckBoxToggle(bool ticked) {
  passwordLineEdit_->setEnabled(ticked);
  confirmPasswordLineEdit_->setEnabled(ticked);
  if (ticked) passwordLineEdit_->setFocus();
}

void TFWhoAmI::OkButtonClick() {
  const std::string name = nameLineEdit_->text().toStdString();
  const TBirthCheck birth = CheckNameAndBirthDate(
      name, birthDayComboBox_->currentIndex() + 1, birthMonthComboBox_->currentIndex() + 1,
      birthYearSpinBox_->text().toStdString(), program_.Clock().Today());
  if (birth.warning) {
    prompter_.Warn(*birth.warning);
    if (*birth.warning == kMsgEnterName)
      nameLineEdit_->setFocus();
    else
      birthDayComboBox_->setFocus();
    return;
  }
  if (!weightEdit_->Validate()) return;
  if (!heightEdit_->Validate()) return;
  const bool protect = passwordCheckBox_->isChecked();
  const std::string password = protect ? passwordLineEdit_->text().toStdString() : std::string();
  const std::string confirmation =
      protect ? confirmPasswordLineEdit_->text().toStdString() : std::string();
  if (const auto warning = CheckNewPasswords(protect, password, confirmation)) {
    prompter_.Warn(*warning);
    passwordLineEdit_->setFocus();
    return;
  }

  TNewAccount account;
  account.name = name;
  account.password = password;
  account.birthDate = birth.birthDate;
  account.sex = femaleRadioButton_->isChecked() ? TSex::Female : TSex::Male;
  account.activityLevel = activityComboBox_->currentIndex();
  account.heightCm = heightEdit_->Value();
  account.weightKg = weightEdit_->Value();
  if (!SaveOrWarn(prompter_, [&] { program_.CreateAccount(account); })) return;
  accept();
}

}  // namespace korvela
