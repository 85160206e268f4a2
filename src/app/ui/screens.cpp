#include "app/ui/screens.h"

#include "users/ui/international_form.h"
#include "users/ui/login_form.h"
#include "users/ui/personal_info_form.h"
#include "users/ui/who_am_i_form.h"

namespace korvela {

TFMain::TScreens MakeScreens(TProgram& program, TPrompter& prompter) {
  TFMain::TScreens screens;
  screens.newAccount = [&program, &prompter](QWidget* parent) {
    TFWhoAmI form(program, prompter, parent);
    return form.exec() == QDialog::Accepted;
  };
  screens.login = [&program, &prompter, newAccount = screens.newAccount](QWidget* parent) {
    TFLogin form(
        program, prompter, [newAccount, parent] { return newAccount(parent); }, parent);
    return form.exec() == QDialog::Accepted;
  };
  screens.commands["Personal Information..."] = [&program, &prompter](QWidget* parent) {
    TFPersonalInfo form(program, prompter, parent);
    return form.exec() == QDialog::Accepted;
  };
  screens.commands["Internalization Options..."] = [&program, &prompter](QWidget* parent) {
    TFInternational form(program, prompter, parent);
    return form.exec() == QDialog::Accepted;
  };
  return screens;
}

}  // namespace korvela
