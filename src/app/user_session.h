#pragma once
#include <memory>

#include "energy/energy_model.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/meal_definitions.h"
#include "storage/day_records.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "users/prompter.h"
#include "users/user.h"

namespace korvela {

// Everything of the logged-in user, from login (or account creation) to log
// off: the user's settings, day records and energy model.
class TUserSession {
 public:
  TUserSession(TUser& user, TConfigurator& config, const TDayRecordRegistry& registry,
               TRandom& random, const TClock& clock);
  TUserSession(const TUserSession&) = delete;
  TUserSession& operator=(const TUserSession&) = delete;

  // Login: the user's "CI.DAT" is applied, the meal definitions and frequent
  // foods loaded, old food logs archived, the day records indexed and the
  // energy model restarted. With a prompter, a damaged "CI.DAT", "MI.DAT" or
  // "FF.DAT" may be set aside (OfferToSetAside) and its defaults taken, and
  // a damaged record database of the user (frequent foods, food logs, period
  // files) replaced by its readable records (OfferToSalvage).
  // A missing "CI.DAT" means the settings of a new account.
  void OpenAtLogin(TPrompter* prompter = nullptr);
  // A new account: the current settings become the user's "CI.DAT" and the
  // default meals its "MI.DAT"; the entered weight (kg) becomes today's
  // weigh-in and today's projected weight.
  void OpenForNewAccount(double weightKg);
  // Log off: records written, settings discarded, files closed.
  void Close();
  // "Exit..." while logged in: pending day records are written.
  void FlushForExit();

  TUser& User() { return user_; }
  TDayRecordStore& DayRecords() { return dayRecords_; }
  TConfigData& Settings() { return *settings_; }
  // The energy model of the open user; only while the data is open.
  TEnergyModel& Energy() { return *energy_; }
  // The user's frequent and favourite foods ("FF.DAT"), open while the data is.
  TFrequentFoods& FrequentFoods() { return frequentFoods_; }
  // The user's meal names and times ("MI.DAT"), loaded while the data is open.
  TMealDefinitions& MealDefinitions() { return mealDefinitions_; }
  // Writes the user's settings as "CI.DAT".
  void SaveSettings();

 private:
  void OpenFrequentFoods();
  void LoadSettings(TPrompter* prompter);
  void LoadMeals(TPrompter* prompter);
  void LoadFrequentFoods(TPrompter* prompter);

  TUser& user_;
  TConfigurator& config_;
  TRandom& random_;
  const TClock& clock_;
  std::unique_ptr<TConfigData> settings_;
  TDayRecordStore dayRecords_;
  std::unique_ptr<TEnergyModel> energy_;
  TFrequentFoods frequentFoods_;
  TMealDefinitions mealDefinitions_;
};

}  // namespace korvela
