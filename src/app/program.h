#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "activities/sport_list.h"
#include "app/help.h"
#include "app/string_table.h"
#include "app/user_session.h"
#include "energy/calendar_marks.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_clipboard.h"
#include "nutrition/menus.h"
#include "nutrition/unit_dictionary.h"
#include "storage/day_records.h"
#include "training/exercise_dictionary.h"
#include "training/workout_templates.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {

// What the account creation screen hands over once its checks passed.
struct TNewAccount {
  std::string name;
  std::string password;  // plain; empty for no password
  TDateTime birthDate = 0;
  TSex sex = TSex::Male;
  int activityLevel = 0;
  double heightCm = 0;
  double weightKg = 0;
};

// What lives for the whole run: the program folder, the settings, the string
// table, the account list and the session of the current user.
class TProgram {
 public:
  TProgram(std::filesystem::path folder, const TSystemDefaults& defaults, TClock& clock,
           TRandom& random);
  ~TProgram();
  TProgram(const TProgram&) = delete;
  TProgram& operator=(const TProgram&) = delete;

  // The first step of start-up: the string table is opened and the account
  // list loaded. A "usr*" folder without "LI.DAT" never stops the start: an
  // empty one is removed, one with files is left as it is, listed nowhere,
  // and named to the prompter.
  void Start(TPrompter* prompter = nullptr);
  // The shared collections, loaded while the start-up picture is shown: the
  // food catalogue with the user-added foods, the unit dictionary and the
  // menus, the exercise dictionary, the workout templates, the activity
  // dictionary and the help book. Returns false when the catalogue file is
  // missing (the program then runs with an empty catalogue and says so once).
  // With a prompter, a damaged unit dictionary "FW.DAT" may be set aside and
  // the default units taken, and a damaged record database ("UA.DAT",
  // "RBOX.DAT", "FM.DAT", "GDDB.DAT", "PWTD.DAT", "SAA.DAT") replaced by its
  // readable records (OfferToSalvage), a shipped dictionary filled up from
  // its shipped copy.
  [[nodiscard]] bool LoadSharedCollections(TPrompter* prompter = nullptr);
  // Where the shipped copies of the dictionaries lie; none by default.
  void SetShippedFolder(std::filesystem::path folder) { shippedFolder_ = std::move(folder); }

  TFoodTree& Foods() { return foods_; }
  TUnitDictionary& Units() { return units_; }
  // The menus shared by all users, read at start-up and kept for the run.
  TMenuList& Menus() { return menus_; }
  // The exercise dictionary and the workout templates, shared by all users.
  TExerciseDictionary& Exercises() { return exercises_; }
  TTemplateList& Templates() { return templates_; }
  // The activity dictionary ("SAA.DAT"), read at start-up and kept for the run.
  TSportList& Sports() { return sports_; }
  // The meal or food copied on the nutrition screens, kept for the run.
  TFoodClipboard& FoodClipboard() { return foodClipboard_; }

  const std::filesystem::path& Folder() const { return folder_; }
  TConfigurator& Config() { return config_; }
  TStringTable& Strings() { return *strings_; }
  TAccountList& Accounts() { return accounts_; }
  TClock& Clock() { return clock_; }
  TRandom& Random() { return random_; }
  TDayRecordRegistry& Registry() { return registry_; }
  // The program's title text (string 10).
  std::string TitleText();

  // The help book, open from the load of the shared collections to the end
  // of the run; null before.
  THelpBook* HelpBook() { return helpBook_.get(); }

  // Opens the help page of a topic; the screens call this for their Help
  // buttons and F1. The shell installs the handler.
  void SetHelpHandler(std::function<void(int topic)> handler) { help_ = std::move(handler); }
  void ShowHelp(int topic) {
    if (help_) help_(topic);
  }

  // Whether a day of the logged-in user holds a workout; the program asks
  // the user's workout logs (set at construction).
  void SetWorkoutQuery(TWorkoutQuery query) { workoutQuery_ = std::move(query); }
  const TWorkoutQuery& WorkoutQuery() const { return workoutQuery_; }

  TUser* CurrentUser() { return current_; }
  TUserSession* Session() { return session_.get(); }

  // Creates the folder and "LI.DAT", makes the account current and opens its
  // data for a new account.
  TUser& CreateAccount(const TNewAccount& account);
  // Makes the account current and opens its data. A plain password of an
  // older account file is replaced by its hash. With a prompter, a damaged
  // file that has defaults may be set aside (TUserSession::OpenAtLogin).
  void Login(TUser& user, TPrompter* prompter = nullptr);
  void DeleteAccount(TUser& user);
  void LogOff();
  // Ends the run: pending day records of a logged-in user are written.
  void Exit();

 private:
  std::filesystem::path folder_;
  std::filesystem::path shippedFolder_;
  TConfigurator config_;
  TClock& clock_;
  TRandom& random_;
  TDayRecordRegistry registry_;
  std::unique_ptr<TStringTable> strings_;
  TFoodTree foods_;
  TUnitDictionary units_;
  TMenuList menus_;
  TExerciseDictionary exercises_;
  TTemplateList templates_;
  TSportList sports_;
  TFoodClipboard foodClipboard_;
  TAccountList accounts_;
  TUser* current_ = nullptr;
  std::unique_ptr<TUserSession> session_;
  std::function<void(int)> help_;
  TWorkoutQuery workoutQuery_ = [](TDateTime) { return false; };
  std::unique_ptr<THelpBook> helpBook_;
};

}  // namespace korvela
