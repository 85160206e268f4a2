#include "app/ui/screens.h"

#include <utility>

#include "activities/ui/activity_log_form.h"
#include "activities/ui/calories_burned_form.h"
#include "activities/ui/sports_dictionary_form.h"
#include "app/about.h"
#include "app/main_menu.h"
#include "app/ui/about_form.h"
#include "app/ui/ask_question_form.h"
#include "energy/ui/body_composition_forms.h"
#include "energy/ui/diet_comp_form.h"
#include "energy/ui/expenditure_form.h"
#include "energy/ui/fluctuations_form.h"
#include "energy/ui/measurements_form.h"
#include "energy/ui/phases_form.h"
#include "energy/ui/recovery_form.h"
#include "energy/ui/skinfold_form.h"
#include "energy/ui/weigh_in_form.h"
#include "energy/ui/weigh_in_import_form.h"
#include "energy/ui/weight_goal_form.h"
#include "nutrition/ui/food_log_form.h"
#include "nutrition/ui/food_weights_form.h"
#include "nutrition/ui/meal_definitions_form.h"
#include "nutrition/ui/recipe_book_form.h"
#include "reports/ui/diary_backup_form.h"
#include "reports/ui/graphs_form.h"
#include "reports/ui/import_export_form.h"
#include "reports/ui/reports_form.h"
#include "training/ui/exercises_form.h"
#include "training/ui/records_form.h"
#include "training/ui/strength_forms.h"
#include "training/ui/train_form.h"
#include "training/ui/training_graphs_form.h"
#include "users/ui/international_form.h"
#include "users/ui/login_form.h"
#include "users/ui/personal_info_form.h"
#include "users/ui/who_am_i_form.h"

namespace korvela {
namespace {

// Shows a screen modally; true when it was accepted.
template <typename TForm, typename... TArgs>
bool Run(QWidget* parent, TArgs&&... args) {
  TForm form(std::forward<TArgs>(args)..., parent);
  return form.exec() == QDialog::Accepted;
}

}  // namespace

TFMain::TScreens MakeScreens(TProgram& program, TPrompter& prompter) {
  TFMain::TScreens screens;
  screens.newAccount = [&program, &prompter](QWidget* parent) {
    return Run<TFWhoAmI>(parent, program, prompter);
  };
  screens.login = [&program, &prompter, newAccount = screens.newAccount](QWidget* parent) {
    TFLogin form(
        program, prompter, [newAccount, parent] { return newAccount(parent); }, parent,
        [&program, &prompter](QWidget* over) {
          return Run<TFDiaryBackup>(over, TFDiaryBackup::TMode::Restore, program, prompter);
        });
    return form.exec() == QDialog::Accepted;
  };
  auto& commands = screens.commands;
  commands["Personal Information..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFPersonalInfo>(parent, program, prompter);
  };
  commands["Internalization Options..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFInternational>(parent, program, prompter);
  };
  commands["Weigh in bodyweight and bf%"] = [&](QWidget* parent, TDateTime) {
    return Run<TFWeighIn>(parent, program, prompter);
  };
  commands["Import Weigh-ins and Measurements..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFWeighInImport>(parent, program, prompter);
  };
  commands["Set Diet Composition Goals..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFDietComp>(parent, program, prompter);
  };
  commands["Set Bodyweight Goals..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFWeightGoal>(parent, program, prompter);
  };
  commands["Measurements..."] = [&](QWidget* parent, TDateTime day) {
    return Run<TFMeasurements>(parent, program, prompter, day);
  };
  commands["Define Training and Nutrition Phases..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFPhases>(parent, program, prompter);
  };
  commands["Recovery..."] = [&](QWidget* parent, TDateTime day) {
    return Run<TFRecovery>(parent, program, prompter, day);
  };
  commands["Exercise Dictionary..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFExercises>(parent, program, prompter);
  };
  commands["My Records..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFPRHistory>(parent, program, prompter);
  };
  commands["Assess the maximal strength for various repetition ranges"] =
      [&](QWidget* parent, TDateTime) { return Run<TFMaxStrength>(parent, program, prompter); };
  commands["Training Logs..."] = [&](QWidget* parent, TDateTime day) {
    return ShowTrainingLog(program, prompter, day, parent);
  };
  commands["Food Logs..."] = [&](QWidget* parent, TDateTime day) {
    return ShowFoodLog(program, prompter, day, parent);
  };
  commands["Recipe Book..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFRecipeBook>(parent, program, prompter);
  };
  commands["Meals Dictionary..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFMealDefinitions>(parent, program, prompter);
  };
  commands["Food Weights Dictionary..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFFoodWeights>(parent, program, prompter);
  };
  commands["Reports..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFReports>(parent, program, prompter);
  };
  commands["Daily Calorie Balance Fluctuations Graph..."] = [&](QWidget* parent, TDateTime day) {
    return Run<TFFluctuations>(parent, program, prompter, day);
  };
  commands["Nutrition, Bodyweight and Recovery Graphs..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFGraphs>(parent, program, prompter);
  };
  commands["Training Graphs..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFTrainingGraphs>(parent, program, prompter);
  };
  commands[kAskQuestionCommand] = [](QWidget* parent, TDateTime) {
    return Run<TFAskQuestion>(parent);
  };
  commands[kAboutCommand] = [](QWidget* parent, TDateTime) { return Run<TFAbout>(parent); };
  const std::pair<const char*, TSkinfoldMethod> skinfolds[] = {
      {"Calculate body fat % using 3-site skinfold measurements", TSkinfoldMethod::ThreeSite},
      {"Calculate body fat % using 7-site skinfold measurements", TSkinfoldMethod::SevenSite}};
  for (const auto& [caption, method] : skinfolds) {
    commands[caption] = [&program, &prompter, method = method](QWidget* parent, TDateTime) {
      return Run<TFSkinfold>(parent, program, prompter, method);
    };
  }
  commands["Sports and Activities Logs..."] = [&](QWidget* parent, TDateTime day) {
    return Run<TFActivityLog>(parent, program, prompter, day);
  };
  commands["Sports and Activities Dictionary..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFSportsDictionary>(parent, program, prompter);
  };
  commands["How many calories does a person burn doing?"] = [&](QWidget* parent, TDateTime) {
    return Run<TFCaloriesBurned>(parent, program, prompter);
  };
  commands["How many calories a day does a person burn?"] = [&](QWidget* parent, TDateTime) {
    return Run<TFExpenditure>(parent, program, prompter);
  };
  commands["What is the Body Mass Index of a person?"] = [&](QWidget* parent, TDateTime) {
    return Run<TFBodyMassIndex>(parent, program, prompter);
  };
  commands["Calculate the LBM and Fat Mass of a person"] = [&](QWidget* parent, TDateTime) {
    return Run<TFLeanBodyMass>(parent, program, prompter);
  };
  commands["Compare the composition of two bodyweights"] = [&](QWidget* parent, TDateTime) {
    return Run<TFCompareBodies>(parent, program, prompter);
  };
  commands["Predict body fat % (using weight and waist measurements)"] =
      [&](QWidget* parent, TDateTime) { return Run<TFWaistBodyFat>(parent, program, prompter); };
  commands["Import/Export..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFImportExport>(parent, program, prompter);
  };
  commands["Back Up My Diary..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFDiaryBackup>(parent, TFDiaryBackup::TMode::BackUp, program, prompter);
  };
  commands["Restore a Diary..."] = [&](QWidget* parent, TDateTime) {
    return Run<TFDiaryBackup>(parent, TFDiaryBackup::TMode::Restore, program, prompter);
  };
  return screens;
}

}  // namespace korvela
