#include "app/ui/screens.h"

#include "energy/ui/measurements_form.h"
#include "energy/ui/phases_form.h"
#include "energy/ui/recovery_form.h"
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
  // The main window has no selected day yet: the day screens open on today.
  screens.commands["Measurements..."] = [&program, &prompter](QWidget* parent) {
    TFMeasurements form(program, prompter, program.Clock().Today(), parent);
    return form.exec() == QDialog::Accepted;
  };
  screens.commands["Define Training and Nutrition Phases..."] = [&program,
                                                                 &prompter](QWidget* parent) {
    TFPhases form(program, prompter, parent);
    return form.exec() == QDialog::Accepted;
  };
  screens.commands["Recovery..."] = [&program](QWidget* parent) {
    TFRecovery form(program, program.Clock().Today(), parent);
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
