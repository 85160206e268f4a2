#include "app/user_session.h"

namespace korvela {

TUserSession::TUserSession(TUser& user, TConfigurator& config, const TDayRecordRegistry& registry,
                           TRandom& random)
    : user_(user), config_(config), random_(random), dayRecords_(registry, random) {}

void TUserSession::OpenAtLogin() {
  settings_ = TConfigData::Load(config_, user_.Folder / kConfigFileName);
  dayRecords_.OpenDayRecords(user_.Folder);
}

void TUserSession::OpenForNewAccount(double /*weightKg*/) {
  settings_ = TConfigData::FromCurrent(config_);
  SaveSettings();
  dayRecords_.OpenDayRecords(user_.Folder);
}

void TUserSession::SaveSettings() { settings_->Save(user_.Folder / kConfigFileName, random_); }

void TUserSession::Close() {
  if (dayRecords_.IsOpen()) dayRecords_.FlushDayRecords();
  settings_.reset();
  dayRecords_.CloseDayRecords();
}

void TUserSession::FlushForExit() {
  if (dayRecords_.IsOpen()) dayRecords_.FlushDayRecords();
}

}  // namespace korvela
