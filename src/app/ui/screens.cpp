#include "app/ui/screens.h"

#include "app/main_menu.h"
#include "app/ui/ask_question_form.h"
#include "energy/ui/skinfold_form.h"
#include "energy/ui/weigh_in_form.h"
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
  screens.commands["Weigh in bodyweight and bf%"] = [&program, &prompter](QWidget* parent) {
    TFWeighIn form(program, prompter, parent);
    return form.exec() == QDialog::Accepted;
  };
  screens.commands[kAskQuestionCommand] = [](QWidget* parent) {
    TFAskQuestion form(parent);
    return form.exec() == QDialog::Accepted;
  };
  const std::pair<const char*, TSkinfoldMethod> skinfolds[] = {
      {"Calculate body fat % using 3-site skinfold measurements", TSkinfoldMethod::ThreeSite},
      {"Calculate body fat % using 7-site skinfold measurements", TSkinfoldMethod::SevenSite}};
  for (const auto& [caption, method] : skinfolds) {
    screens.commands[caption] = [&program, &prompter, method = method](QWidget* parent) {
      TFSkinfold form(program, prompter, method, parent);
      return form.exec() == QDialog::Accepted;
    };
  }
  return screens;
}

}  // namespace korvela
