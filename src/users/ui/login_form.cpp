#include "users/ui/login_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>
#include <memory>

#include "users/account_forms.h"
#include "users/ui/form_rows.h"

namespace korvela {
namespace {

QPushButton* MakeButton(QWidget* parent, const char* caption, const char* name) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  return button;
}

}  // namespace

TFLogin::TFLogin(TProgram& program, TPrompter& prompter, std::function<bool()> newAccount,
                 QWidget* parent, std::function<bool(QWidget*)> restoreDiary)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      newAccount_(std::move(newAccount)),
      restoreDiary_(std::move(restoreDiary)) {
  setWindowTitle(QStringLiteral("Login..."));
  auto* heading = new QLabel(QString::fromStdString(program_.TitleText()), this);
  heading->setObjectName(QStringLiteral("titleLabel"));
  heading->setTextFormat(Qt::PlainText);
  heading->setAlignment(Qt::AlignCenter);
  heading->setWordWrap(true);
  QFont font = heading->font();
  font.setPointSizeF(font.pointSizeF() * 1.3);
  font.setBold(true);
  heading->setFont(font);

  userNameListWidget_ = new QListWidget(this);
  userNameListWidget_->setObjectName(QStringLiteral("userNameListWidget"));
  FillNames();
  userNameListWidget_->setCurrentRow(0);
  // About eight names without scrolling.
  userNameListWidget_->setFixedHeight(userNameListWidget_->fontMetrics().height() * 8 +
                                      2 * userNameListWidget_->frameWidth());
  passwordLineEdit_ = new QLineEdit(this);
  passwordLineEdit_->setObjectName(QStringLiteral("passwordLineEdit"));
  passwordLineEdit_->setEchoMode(QLineEdit::Password);
  auto* form = new QFormLayout;
  AddFormRow(*form, QStringLiteral("Username:"), userNameListWidget_);
  AddFormRow(*form, QStringLiteral("Password:"), passwordLineEdit_);

  loginButton_ = MakeButton(this, "Login", "loginButton");
  loginButton_->setDefault(true);
  deleteButton_ = MakeButton(this, "Delete", "deleteButton");
  newButton_ = MakeButton(this, "New", "newButton");
  restoreButton_ = MakeButton(this, "Restore a Diary...", "restoreButton");
  restoreButton_->setVisible(static_cast<bool>(restoreDiary_));
  exitButton_ = MakeButton(this, "Exit", "exitButton");
  connect(loginButton_, &QPushButton::clicked, this, &TFLogin::LoginButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFLogin::DeleteButtonClick);
  connect(newButton_, &QPushButton::clicked, this, &TFLogin::NewButtonClick);
  connect(restoreButton_, &QPushButton::clicked, this, &TFLogin::RestoreButtonClick);
  connect(exitButton_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(restoreButton_);
  buttons->addStretch();
  for (QPushButton* button : {loginButton_, deleteButton_, newButton_, exitButton_})
    buttons->addWidget(button);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(heading);
  layout->addSpacing(8);
  layout->addLayout(form);
  layout->addLayout(buttons);
  UpdateEnabled();
  setMinimumWidth(fontMetrics().averageCharWidth() * 80);
  passwordLineEdit_->setFocus();
}

TUser* TFLogin::SelectedUser() const {
  const int row = userNameListWidget_->currentRow();
  TAccountList& accounts = program_.Accounts();
  if (row < 0 || row >= static_cast<int>(accounts.size())) return nullptr;
  return accounts[static_cast<std::size_t>(row)].get();
}

void TFLogin::UpdateEnabled() {
  const bool any = userNameListWidget_->count() > 0;
  userNameListWidget_->setEnabled(any);
  loginButton_->setEnabled(any);
  deleteButton_->setEnabled(any);
}

void TFLogin::LoginButtonClick() {
  TUser* user = SelectedUser();
  if (!user) return;
  if (!LoginAccepted(*user, passwordLineEdit_->text().toStdString())) {
    prompter_.Warn(kMsgInvalidPassword);
    passwordLineEdit_->selectAll();
    passwordLineEdit_->setFocus();
    return;
  }
  program_.Login(*user, &prompter_);
  accept();
}

void TFLogin::DeleteButtonClick() {
  TUser* user = SelectedUser();
  if (!user || !prompter_.AskYesNo(DeleteAccountQuestion(*user))) return;
  const int row = userNameListWidget_->currentRow();
  program_.DeleteAccount(*user);
  const std::unique_ptr<QListWidgetItem> removed(userNameListWidget_->takeItem(row));
  userNameListWidget_->setCurrentRow(0);
  // About eight names without scrolling.
  userNameListWidget_->setFixedHeight(userNameListWidget_->fontMetrics().height() * 8 +
                                      2 * userNameListWidget_->frameWidth());
  passwordLineEdit_->clear();
  UpdateEnabled();
}

void TFLogin::NewButtonClick() {
  if (newAccount_ && newAccount_()) accept();
}

void TFLogin::FillNames() {
  userNameListWidget_->clear();
  for (const auto& user : program_.Accounts())
    userNameListWidget_->addItem(QString::fromStdString(user->UserName));
}

void TFLogin::RestoreButtonClick() {
  if (!restoreDiary_ || !restoreDiary_(this)) return;
  // The restored account joins the list at its end and is offered.
  FillNames();
  userNameListWidget_->setCurrentRow(userNameListWidget_->count() - 1);
  passwordLineEdit_->clear();
  UpdateEnabled();
  passwordLineEdit_->setFocus();
}

}  // namespace korvela
