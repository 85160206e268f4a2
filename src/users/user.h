#pragma once
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/date_time.h"
#include "storage/errors.h"
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

// Every "usr*" folder of the program folder, sorted by name. A folder
// without "LI.DAT" raises EUserLogInfoMissing; a damaged one EInvalidXMLFile.
TAccountList LoadAccountList(const std::filesystem::path& programFolder);
std::unique_ptr<TUser> LoadUser(const std::filesystem::path& folder);
// Writes "LI.DAT"; a plain password of an older file is stored as a hash.
void SaveUser(TUser& user, TRandom& random);
// "usr" + a free random number below 1000000, created in the program folder.
std::filesystem::path CreateAccountFolder(const std::filesystem::path& programFolder,
                                          TRandom& random);
// Deletes the files directly in the folder, then the folder.
void DeleteAccountFolder(const std::filesystem::path& folder);

}  // namespace korvela
