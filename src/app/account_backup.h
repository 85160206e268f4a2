#pragma once
#include <filesystem>

#include "app/program.h"
#include "reports/diary_backup.h"
#include "reports/exchange_kinds.h"

namespace korvela {

// The installation's shared collections as an exchange or a backup sees them.
TIEStores ExchangeStores(TProgram& program);

// Writes a backup of the account's diary to the file. For the logged-in
// account the day records and frequent foods still in memory are written
// first, so that the backup holds what the screens show.
TBackupSummary BackUpAccount(TProgram& program, TUser& user, const std::filesystem::path& file);

// Restores a backup as a new account and adds it to the account list (it is
// not logged in). A damaged backup raises EBackupDamaged and changes nothing.
TUser& RestoreAccount(TProgram& program, const std::filesystem::path& file);

}  // namespace korvela
