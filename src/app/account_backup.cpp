#include "app/account_backup.h"

#include <string>
#include <vector>

namespace korvela {

TIEStores ExchangeStores(TProgram& program) {
  return {program.Folder(),    program.Foods(),     program.Menus(),
          program.Exercises(), program.Templates(), program.Sports(),
          program.Config(),    program.Random(),    PosixFileSystem()};
}

TBackupSummary BackUpAccount(TProgram& program, TUser& user, const std::filesystem::path& file) {
  if (program.CurrentUser() == &user && program.Session()) {
    program.Session()->FlushForExit();
    if (program.Session()->FrequentFoods().IsOpen())
      program.Session()->FrequentFoods().FlushFrequentFoods();
  }
  TIEStores stores = ExchangeStores(program);
  return BackUpDiary(user.Folder, program.Registry(), stores, file);
}

TUser& RestoreAccount(TProgram& program, const std::filesystem::path& file) {
  std::vector<std::string> names;
  for (const auto& account : program.Accounts()) names.push_back(account->UserName);
  TIEStores stores = ExchangeStores(program);
  const TRestoreOutcome outcome = RestoreDiary(file, stores, program.Registry(), names);
  program.Accounts().push_back(LoadUser(outcome.folder));
  return *program.Accounts().back();
}

}  // namespace korvela
