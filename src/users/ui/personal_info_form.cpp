#include "users/ui/personal_info_form.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QVBoxLayout>

#include "users/account_forms.h"
#include "users/ui/form_rows.h"
#include "users/unit_text.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr double kMinHeightCm = 100;
constexpr double kMaxHeightCm = 300;
// Width of the entries, in digits.
constexpr int kEntryDigits = 24;

void NameControls(TLabeledEdit* edit, const char* name) {
  edit->setObjectName(QString::fromUtf8(name) + QStringLiteral("Edit"));
  edit->Edit()->setObjectName(QString::fromUtf8(name) + QStringLiteral("LineEdit"));
}

}  // namespace

TFPersonalInfo::TFPersonalInfo(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter), user_(*program.CurrentUser()) {
  setWindowTitle(QStringLiteral("View/Change Personal Information"));

  nameEdit_ = new TLabeledEdit(QStringLiteral("My name is"), this);
  NameControls(nameEdit_, "name");
  nameEdit_->Edit()->setMaxLength(kMaxNameLength);
  nameEdit_->Edit()->setText(QString::fromStdString(user_.UserName));
  birthDateEdit_ = new TLabeledEdit(QStringLiteral("I was born"), this);
  NameControls(birthDateEdit_, "birthDate");
  birthDateEdit_->Edit()->setText(QString::fromStdString(LongDateText(user_.UserBirthDate)));
  birthDateEdit_->Edit()->setReadOnly(true);
  heightEdit_ = new TDistEdit(QStringLiteral("My height is"), program_.Config(), prompter_, this);
  NameControls(heightEdit_, "height");
  heightEdit_->SetLimits(kMinHeightCm, kMaxHeightCm);
  heightEdit_->SetValue(user_.UserHeight);

  changePasswordCheckBox_ = new QCheckBox(QStringLiteral("I want to change my password"), this);
  changePasswordCheckBox_->setObjectName(QStringLiteral("changePasswordCheckBox"));
  connect(changePasswordCheckBox_, &QCheckBox::toggled, this,
          &TFPersonalInfo::ChangePasswordCheckBoxToggle);
  currentPasswordEdit_ = AddPasswordEdit(kCurrentPasswordLabelString, "currentPassword");
  newPasswordEdit_ = AddPasswordEdit(kNewPasswordLabelString, "newPassword");
  confirmPasswordEdit_ = AddPasswordEdit(kConfirmPasswordLabelString, "confirmPassword");
  AlignCaptions({nameEdit_->CaptionLabel(), birthDateEdit_->CaptionLabel(),
                 heightEdit_->CaptionLabel(), currentPasswordEdit_->CaptionLabel(),
                 newPasswordEdit_->CaptionLabel(), confirmPasswordEdit_->CaptionLabel()});

  const TOkCancelButtons okCancel = AddOkCancelButtons(*this);
  okButton_ = okCancel.ok;
  cancelButton_ = okCancel.cancel;
  auto* buttons = okCancel.box;
  connect(okButton_, &QPushButton::clicked, this, &TFPersonalInfo::OkButtonClick);
  connect(qApp, &QApplication::focusChanged, this, &TFPersonalInfo::FocusChange);

  // Entries of one width in one column; the height's unit stands to the right.
  const int entryWidth = fontMetrics().horizontalAdvance(QLatin1Char('0')) * kEntryDigits;
  const auto addEntries = [entryWidth](QVBoxLayout& layout,
                                       std::initializer_list<TLabeledEdit*> edits) {
    for (TLabeledEdit* edit : edits) {
      edit->Edit()->setFixedWidth(entryWidth);
      layout.addWidget(edit, 0, Qt::AlignLeft);
    }
  };
  auto* layout = new QVBoxLayout(this);
  addEntries(*layout, {nameEdit_, birthDateEdit_, heightEdit_});
  layout->addSpacing(8);
  layout->addWidget(changePasswordCheckBox_);
  addEntries(*layout, {currentPasswordEdit_, newPasswordEdit_, confirmPasswordEdit_});
  layout->addStretch();
  layout->addWidget(buttons);
}

TLabeledEdit* TFPersonalInfo::AddPasswordEdit(int captionString, const char* name) {
  auto* edit =
      new TLabeledEdit(QString::fromStdString(program_.Strings().GetString(captionString)), this);
  NameControls(edit, name);
  edit->Edit()->setEchoMode(QLineEdit::Password);
  edit->setEnabled(false);
  return edit;
}

bool TFPersonalInfo::NameIsEmpty() const {
  return IsBlankName(nameEdit_->Edit()->text().toStdString());
}

// Leaving the name for another field of this screen checks it. Switching to
// another window does not, nor does Cancel; OK runs the check itself.
void TFPersonalInfo::FocusChange(QWidget* old, QWidget* now) {
  if (old != nameEdit_->Edit() || !now || !isAncestorOf(now)) return;
  if (now == okButton_ || now == cancelButton_) return;
  NameEditExit();
}

void TFPersonalInfo::NameEditExit() {
  if (!NameIsEmpty()) return;
  prompter_.Warn(kMsgEnterUserName);
  nameEdit_->Edit()->setFocus();
}

void TFPersonalInfo::ChangePasswordCheckBoxToggle(bool ticked) {
  for (TLabeledEdit* edit : {currentPasswordEdit_, newPasswordEdit_, confirmPasswordEdit_})
    edit->setEnabled(ticked);
  if (ticked) currentPasswordEdit_->Edit()->setFocus();
}

void TFPersonalInfo::OkButtonClick() {
  // OK by the Enter key does not leave the name: check it here as well.
  if (NameIsEmpty()) {
    NameEditExit();
    return;
  }
  if (!heightEdit_->Validate()) return;
  std::optional<std::string> newPassword;
  if (changePasswordCheckBox_->isChecked()) {
    newPassword = newPasswordEdit_->Edit()->text().toStdString();
    switch (CheckPasswordChange(user_, currentPasswordEdit_->Edit()->text().toStdString(),
                                *newPassword, confirmPasswordEdit_->Edit()->text().toStdString())) {
      case TPasswordChangeFault::WrongCurrent:
        prompter_.Warn(program_.Strings().GetString(kWrongPasswordString));
        currentPasswordEdit_->Edit()->setFocus();
        return;
      case TPasswordChangeFault::NewDiffer:
        prompter_.Warn(program_.Strings().GetString(kPasswordsDifferString));
        newPasswordEdit_->Edit()->setFocus();
        return;
      case TPasswordChangeFault::None:
        break;
    }
  }
  TUser edited = user_;
  edited.UserName = nameEdit_->Edit()->text().toStdString();
  edited.UserHeight = heightEdit_->Value();
  if (newPassword) edited.SetNewPassword(*newPassword);
  if (!SaveOrWarn(prompter_, [&] { SaveUser(edited, program_.Random()); })) return;
  user_ = std::move(edited);
  accept();
}

}  // namespace korvela
