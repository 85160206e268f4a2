#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QPushButton>

#include "app/program.h"
#include "users/prompter.h"
#include "widgets/labeled_edit.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// "View/Change Personal Information": the current user's name, height and
// password; the birth date is shown only.
class TFPersonalInfo final : public QDialog {
  Q_OBJECT
 public:
  TFPersonalInfo(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

 private:
  TLabeledEdit* AddPasswordEdit(int captionString, const char* name);
  bool NameIsEmpty() const;
  void FocusChange(QWidget* old, QWidget* now);
  void NameEditExit();
  void ChangePasswordCheckBoxToggle(bool ticked);
  void OkButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  TUser& user_;
  TLabeledEdit* nameEdit_ = nullptr;
  TLabeledEdit* birthDateEdit_ = nullptr;
  TDistEdit* heightEdit_ = nullptr;
  QCheckBox* changePasswordCheckBox_ = nullptr;
  TLabeledEdit* currentPasswordEdit_ = nullptr;
  TLabeledEdit* newPasswordEdit_ = nullptr;
  TLabeledEdit* confirmPasswordEdit_ = nullptr;
  QPushButton* okButton_ = nullptr;
  QPushButton* cancelButton_ = nullptr;
};

}  // namespace korvela
