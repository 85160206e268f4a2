#include "app/program.h"

#include <algorithm>

#include "app/damaged_files.h"
#include "app/record_files.h"
#include "energy/energy_records.h"
#include "storage/errors.h"
#include "training/training_records.h"
#include "users/password.h"

namespace korvela {

TProgram::TProgram(std::filesystem::path folder, const TSystemDefaults& defaults, TClock& clock,
                   TRandom& random)
    : folder_(std::move(folder)),
      config_(defaults),
      clock_(clock),
      random_(random),
      menus_(folder_, random_),
      exercises_(folder_, random_),
      templates_(folder_, config_, random_),
      sports_(folder_, random_) {
  RegisterEnergyRecords(registry_);
  RegisterTrainingRecords(registry_, config_);
  SetWorkoutQuery([this](TDateTime day) {
    return session_ && session_->DayRecords().IsOpen() && HasWorkout(session_->DayRecords(), day);
  });
}

TProgram::~TProgram() = default;

void TProgram::Start(TPrompter* prompter) {
  strings_ = std::make_unique<TStringTable>(folder_ / kStringTableFileName, random_);
  TAccountFolders scan = ScanAccountFolders(folder_);
  accounts_ = std::move(scan.accounts);
  std::vector<std::filesystem::path> kept;
  for (const auto& folder : scan.withoutAccountFile) {
    // An account creation cut short leaves its folder empty: nothing is lost
    // by removing it. Files may be someone's diary; they stay.
    std::error_code ec;
    if (std::filesystem::is_empty(folder, ec) && !ec)
      std::filesystem::remove(folder, ec);  // one the disk keeps is still listed nowhere
    else
      kept.push_back(folder);
  }
  if (!kept.empty() && prompter) prompter->Inform(FoldersWithoutAccountFileText(kept));
}

bool TProgram::LoadSharedCollections(TPrompter* prompter) {
  OfferToSalvage(SharedRecordFiles(folder_), shippedFolder_, prompter);
  bool catalogueFound;
  try {
    catalogueFound = LoadFoodCatalogue(foods_, units_, folder_, random_);
  } catch (const EKorvelaError& e) {
    if (!OfferToSetAside(e, folder_ / kUnitDictionaryFile, "units of measure", prompter)) throw;
    catalogueFound = LoadFoodCatalogue(foods_, units_, folder_, random_);
  }
  menus_.LoadMenus();
  exercises_.Load();
  templates_.Load();
  sports_.LoadSports();
  helpBook_ = std::make_unique<THelpBook>(folder_ / kHelpBookFileName, random_);
  return catalogueFound;
}

std::string TProgram::TitleText() { return strings_->GetString(kTitleString); }

TUser& TProgram::CreateAccount(const TNewAccount& account) {
  auto user = std::make_unique<TUser>();
  user->Folder = CreateAccountFolder(folder_, random_);
  user->UserName = account.name;
  user->SetNewPassword(account.password);
  user->AutoLogin = false;
  user->UserHeight = account.heightCm;
  user->UserBirthDate = account.birthDate;
  user->UserCreationDate = clock_.Today();
  user->UserActivityLevel = account.activityLevel;
  user->UserSex = account.sex;
  accounts_.push_back(std::move(user));
  TUser& created = *accounts_.back();
  try {
    SaveUser(created, random_);
    current_ = &created;
    session_ = std::make_unique<TUserSession>(created, config_, registry_, random_, clock_);
    session_->OpenForNewAccount(account.weightKg);
  } catch (const EXMLIOError&) {
    // A disk that refuses the new account's files leaves no half account
    // behind: the folder goes and the screen can try again.
    session_.reset();
    current_ = nullptr;
    const std::filesystem::path folder = created.Folder;
    accounts_.pop_back();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
    throw;
  }
  return created;
}

void TProgram::Login(TUser& user, TPrompter* prompter) {
  // The login was accepted, so the stored plain password was the one typed:
  // from now on only its hash is kept.
  if (!user.Password.empty() && !IsPasswordHash(user.Password)) SaveUser(user, random_);
  current_ = &user;
  session_ = std::make_unique<TUserSession>(user, config_, registry_, random_, clock_);
  session_->OpenAtLogin(prompter);
}

void TProgram::DeleteAccount(TUser& user) {
  DeleteAccountFolder(user.Folder);
  accounts_.erase(std::find_if(accounts_.begin(), accounts_.end(),
                               [&user](const auto& u) { return u.get() == &user; }));
}

void TProgram::LogOff() {
  if (session_) session_->Close();
  session_.reset();
  current_ = nullptr;
}

void TProgram::Exit() {
  if (session_) session_->FlushForExit();
  if (strings_) strings_->Close();
}

}  // namespace korvela
