#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <functional>

#include "app/program.h"
#include "users/prompter.h"

namespace korvela {

// "Login...": picks an account and checks its password; also deletes an
// account or hands over to account creation. Accepted once a user is current.
class TFLogin final : public QDialog {
  Q_OBJECT
 public:
  // `newAccount` runs the account creation screen and returns true when an
  // account was created (it is then the current user). `restoreDiary`, when
  // given, runs the restore screen over the given window and returns true
  // when an account was added to the list; the screen then offers it.
  TFLogin(TProgram& program, TPrompter& prompter, std::function<bool()> newAccount,
          QWidget* parent = nullptr, std::function<bool(QWidget*)> restoreDiary = {});

 private:
  // The account of the selected row; rows follow the program's account list.
  TUser* SelectedUser() const;
  void UpdateEnabled();
  void LoginButtonClick();
  void DeleteButtonClick();
  void NewButtonClick();
  void RestoreButtonClick();
  void FillNames();

  TProgram& program_;
  TPrompter& prompter_;
  std::function<bool()> newAccount_;
  std::function<bool(QWidget*)> restoreDiary_;
  QListWidget* userNameListWidget_ = nullptr;
  QLineEdit* passwordLineEdit_ = nullptr;
  QPushButton* loginButton_ = nullptr;
  QPushButton* deleteButton_ = nullptr;
  QPushButton* newButton_ = nullptr;
  QPushButton* restoreButton_ = nullptr;
  QPushButton* exitButton_ = nullptr;
};

}  // namespace korvela
