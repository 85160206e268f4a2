#include "app/user_session.h"

#include "app/damaged_files.h"
#include "app/record_files.h"
#include "nutrition/food_log_store.h"
#include "storage/staged_commit.h"

namespace korvela {

TUserSession::TUserSession(TUser& user, TConfigurator& config, const TDayRecordRegistry& registry,
                           TRandom& random, const TClock& clock)
    : user_(user),
      config_(config),
      random_(random),
      clock_(clock),
      dayRecords_(registry, random),
      frequentFoods_(random) {}

void TUserSession::OpenFrequentFoods() {
  frequentFoods_.OpenFrequentFoods(user_.Folder);
  frequentFoods_.LoadFrequentFoods();
}

void TUserSession::LoadSettings(TPrompter* prompter) {
  const std::filesystem::path file = user_.Folder / kConfigFileName;
  std::error_code ec;
  if (!std::filesystem::exists(std::filesystem::symlink_status(file, ec))) {
    // No settings stored yet (a backup or an older copy without them): as
    // for a new account, the current settings become the user's.
    settings_ = TConfigData::FromCurrent(config_);
    SaveSettings();
    return;
  }
  try {
    settings_ = TConfigData::Load(config_, file);
  } catch (const EKorvelaError& e) {
    if (!OfferToSetAside(e, file, "settings", prompter)) throw;
    // As for a new account: the current settings become the user's.
    settings_ = TConfigData::FromCurrent(config_);
    SaveSettings();
  }
}

void TUserSession::LoadMeals(TPrompter* prompter) {
  try {
    mealDefinitions_ = LoadMealDefinitions(user_.Folder);
  } catch (const EKorvelaError& e) {
    if (!OfferToSetAside(e, user_.Folder / kMealDefinitionsFile, "meal names and times", prompter))
      throw;
    mealDefinitions_ = LoadMealDefinitions(user_.Folder);  // the defaults, the file being gone
  }
}

void TUserSession::LoadFrequentFoods(TPrompter* prompter) {
  try {
    OpenFrequentFoods();
  } catch (const EKorvelaError& e) {
    // Nothing has changed yet, so closing writes nothing to the damaged file.
    frequentFoods_.CloseFrequentFoods();
    if (!OfferToSetAside(e, user_.Folder / kFrequentFoodsFile, "(empty) list of frequent foods",
                         prompter))
      throw;
    OpenFrequentFoods();
  }
}

void TUserSession::OpenAtLogin(TPrompter* prompter) {
  LoadSettings(prompter);
  LoadMeals(prompter);
  // The record databases are read whole before anything moves records
  // between them; a damaged one may keep its readable records.
  OfferToSalvage(UserRecordFiles(user_.Folder), {}, prompter);
  LoadFrequentFoods(prompter);
  ArchiveOldFoodLogs(user_.Folder, clock_.Today(), random_);
  // A change of several day-record files that the end of the program cut off
  // after it was decided is completed first.
  CompleteStagedCommit(PosixFileSystem(), user_.Folder);
  dayRecords_.OpenDayRecords(user_.Folder);
  energy_ = std::make_unique<TEnergyModel>(dayRecords_, user_, clock_);
  energy_->ClearFlags();
  energy_->RestartEnergyModel();
}

void TUserSession::OpenForNewAccount(double weightKg) {
  settings_ = TConfigData::FromCurrent(config_);
  SaveSettings();
  mealDefinitions_ = LoadMealDefinitions(user_.Folder);
  SaveMealDefinitions(mealDefinitions_, user_.Folder, random_);
  OpenFrequentFoods();
  dayRecords_.OpenDayRecords(user_.Folder);
  energy_ = std::make_unique<TEnergyModel>(dayRecords_, user_, clock_);

  // The account starts with a weigh-in today: today's projected weight is the
  // entered weight and its coefficient the default for the user's activity.
  const TDateTime today = clock_.Today();
  TDBC& day = dayRecords_.GetOrCreateDayRecord(kCalStatKind, today);
  TCalStat& cal = dayRecords_.Loaded<TCalStat>(day);
  cal.PW = weightKg;
  cal.AC = TEnergyModel::DefaultActivityCoefficient(user_.UserSex == TSex::Female,
                                                    user_.UserActivityLevel);
  energy_->SaveCalRecord(day);

  TDBC& weighIn = dayRecords_.GetOrCreateDayRecord(kWeightStatKind, today);
  dayRecords_.Loaded<TWeightStat>(weighIn).W = weightKg;
  dayRecords_.SaveDayRecord(weighIn);
  dayRecords_.FlushDayRecordFile(weighIn);

  energy_->ClearFlags();
  energy_->RestartEnergyModel();
}

void TUserSession::SaveSettings() { settings_->Save(user_.Folder / kConfigFileName, random_); }

void TUserSession::Close() {
  if (dayRecords_.IsOpen()) dayRecords_.FlushDayRecords();
  if (frequentFoods_.IsOpen()) frequentFoods_.CloseFrequentFoods();
  mealDefinitions_.clear();
  settings_.reset();
  energy_.reset();
  dayRecords_.CloseDayRecords();
}

void TUserSession::FlushForExit() {
  if (dayRecords_.IsOpen()) dayRecords_.FlushDayRecords();
}

}  // namespace korvela
