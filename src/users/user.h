#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/date_time.h"
#include "storage/errors.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

class EUserCreationError : public EKorvelaError {
 public:
  explicit EUserCreationError(std::string file = {})
      : EKorvelaError("The account folder could not be created", std::move(file)) {}
};

class EUserLogInfoMissing : public EKorvelaError {
 public:
  explicit EUserLogInfoMissing(std::string file = {})
      : EKorvelaError("An account folder has no account file", std::move(file)) {}
};

enum class TSex { Male = 0, Female = 1 };

inline constexpr const char* kAccountFileName = "LI.DAT";
inline constexpr const char* kActivityLevelNames[3] = {"Light Activity", "Moderate Activity",
                                                       "Heavy Activity"};

// One account. `Password` holds the stored form: empty, a hash, or the plain
// text of an older file.
struct TUser {
  std::string UserName;
  std::string Password;
  bool AutoLogin = false;
  double UserHeight = 0;  // centimetres
  TDateTime UserBirthDate = 0;
  TSex UserSex = TSex::Male;
  TDateTime UserCreationDate = 0;
  int UserActivityLevel = 0;  // 0 light, 1 moderate, 2 heavy
  std::filesystem::path Folder;

  // Whole years between the birth date and the day.
  int AgeOn(TDateTime day) const;
  void SetNewPassword(const std::string& plain);
};

using TAccountList = std::vector<std::unique_ptr<TUser>>;

// The "usr*" folders of a program folder, sorted by name: the accounts, and
// the folders without "LI.DAT", which are no account and are listed nowhere
// (an account creation or a restore of an older version cut short leaves
// one). A damaged "LI.DAT" raises EInvalidXMLFile.
struct TAccountFolders {
  TAccountList accounts;
  std::vector<std::filesystem::path> withoutAccountFile;
};
TAccountFolders ScanAccountFolders(const std::filesystem::path& programFolder);
// The accounts of ScanAccountFolders.
TAccountList LoadAccountList(const std::filesystem::path& programFolder);
// A folder without "LI.DAT" raises EUserLogInfoMissing.
std::unique_ptr<TUser> LoadUser(const std::filesystem::path& folder);
// Writes "LI.DAT"; a plain password of an older file is stored as a hash.
void SaveUser(TUser& user, TRandom& random, TFileSystem& fs = PosixFileSystem());
// "usr" + a free random number below 1000000, created in the program folder.
std::filesystem::path CreateAccountFolder(const std::filesystem::path& programFolder,
                                          TRandom& random);
// Gives a folder written elsewhere in the program folder a free account
// name ("usr" + a random number below 1000000) in one rename, so that the
// account appears whole or not at all; a name taken meanwhile is passed
// over. Raises EUserCreationError when no free name is found, EXMLIOError
// when the disk refuses the rename.
std::filesystem::path MoveToFreeAccountFolder(const std::filesystem::path& folder,
                                              const std::filesystem::path& programFolder,
                                              TRandom& random,
                                              TFileSystem& fs = PosixFileSystem());
// What start-up tells the user about folders without "LI.DAT" that hold
// files: they are left as they are.
std::string FoldersWithoutAccountFileText(const std::vector<std::filesystem::path>& folders);
// Deletes the files directly in the folder, then the folder.
void DeleteAccountFolder(const std::filesystem::path& folder);

}  // namespace korvela
