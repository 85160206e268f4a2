#pragma once
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "app/help.h"
#include "app/string_table.h"
#include "app/user_session.h"
#include "energy/calendar_marks.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_clipboard.h"
#include "nutrition/menus.h"
#include "nutrition/unit_dictionary.h"
#include "storage/day_records.h"
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
  // list loaded.
  void Start();
  // The shared collections, loaded while the start-up picture is shown: the
  // food catalogue with the user-added foods, the unit dictionary and the
  // menus, and the help book. Returns
  // false when the catalogue file is missing (the program then runs with an
  // empty catalogue and says so once).
  [[nodiscard]] bool LoadSharedCollections();

  TFoodTree& Foods() { return foods_; }
  TUnitDictionary& Units() { return units_; }
  // The menus shared by all users, read at start-up and kept for the run.
  TMenuList& Menus() { return menus_; }
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

  // Whether a day of the logged-in user holds a workout; the training records
  // answer it once they are kept. Until then no day has one.
  void SetWorkoutQuery(TWorkoutQuery query) { workoutQuery_ = std::move(query); }
  const TWorkoutQuery& WorkoutQuery() const { return workoutQuery_; }

  TUser* CurrentUser() { return current_; }
  TUserSession* Session() { return session_.get(); }

  // Creates the folder and "LI.DAT", makes the account current and opens its
  // data for a new account.
  TUser& CreateAccount(const TNewAccount& account);
  void Login(TUser& user);
  void DeleteAccount(TUser& user);
  void LogOff();
  // Ends the run: pending day records of a logged-in user are written.
  void Exit();

 private:
  std::filesystem::path folder_;
  TConfigurator config_;
  TClock& clock_;
  TRandom& random_;
  TDayRecordRegistry registry_;
  std::unique_ptr<TStringTable> strings_;
  TFoodTree foods_;
  TUnitDictionary units_;
  TMenuList menus_;
  TFoodClipboard foodClipboard_;
  TAccountList accounts_;
  TUser* current_ = nullptr;
  std::unique_ptr<TUserSession> session_;
  std::function<void(int)> help_;
  TWorkoutQuery workoutQuery_ = [](TDateTime) { return false; };
  std::unique_ptr<THelpBook> helpBook_;
};

}  // namespace korvela
