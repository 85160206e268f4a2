#include "users/user.h"

#include <algorithm>
#include <cmath>

#include "storage/document_file.h"
#include "storage/garbled_stream.h"
#include "users/password.h"

namespace korvela {
namespace {

constexpr const char* kLoginElement = "LoginInformation";
constexpr const char* kUserNameAttr = "UserName";
constexpr const char* kPasswordAttr = "Password";
constexpr const char* kAutoLoginAttr = "AutoLogin";
constexpr const char* kHeightAttr = "UserHeight";
constexpr const char* kBirthDateAttr = "UserBirthDate";
constexpr const char* kSexAttr = "UserSex";
constexpr const char* kCreationDateAttr = "UserCreationDate";
constexpr const char* kActivityAttr = "UserActivityLevel";

}  // namespace

int TUser::AgeOn(TDateTime day) const {
  return static_cast<int>(std::floor(std::fabs(day - UserBirthDate) / 365.25));
}

void TUser::SetNewPassword(const std::string& plain) { Password = HashPassword(plain); }

std::unique_ptr<TUser> LoadUser(const std::filesystem::path& folder) {
  const std::filesystem::path file = folder / kAccountFileName;
  if (!std::filesystem::exists(file)) throw EUserLogInfoMissing(file.string());
  const std::unique_ptr<XMLNode> root = LoadDocumentFile(file, kLoginElement);
  auto user = std::make_unique<TUser>();
  try {
    user->UserName = root->AttrText(kUserNameAttr);
    user->Password = root->AttrOrEmpty(kPasswordAttr);
    user->AutoLogin = root->AttrBool(kAutoLoginAttr);
    user->UserHeight = root->AttrFloat(kHeightAttr);
    user->UserBirthDate = root->AttrFloat(kBirthDateAttr);
    user->UserSex = root->AttrInt(kSexAttr) == 1 ? TSex::Female : TSex::Male;
    user->UserCreationDate = root->AttrFloat(kCreationDateAttr);
    user->UserActivityLevel = std::clamp(root->AttrInt(kActivityAttr), 0, 2);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
  user->Folder = folder;
  return user;
}

TAccountFolders ScanAccountFolders(const std::filesystem::path& programFolder) {
  std::vector<std::filesystem::path> folders;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder, ec))
    // A link named "usr*" points somewhere else: it is no account folder.
    if (!entry.is_symlink() && entry.is_directory() &&
        entry.path().filename().string().starts_with("usr"))
      folders.push_back(entry.path());
  if (ec) throw EXMLIOError(programFolder.string(), "cannot list the folder");
  std::sort(folders.begin(), folders.end());
  TAccountFolders scan;
  for (const auto& folder : folders) {
    if (std::filesystem::exists(std::filesystem::symlink_status(folder / kAccountFileName)))
      scan.accounts.push_back(LoadUser(folder));
    else
      scan.withoutAccountFile.push_back(folder);
  }
  return scan;
}

TAccountList LoadAccountList(const std::filesystem::path& programFolder) {
  return std::move(ScanAccountFolders(programFolder).accounts);
}

void SaveUser(TUser& user, TRandom& random, TFileSystem& fs) {
  if (!user.Password.empty() && !IsPasswordHash(user.Password))
    user.Password = HashPassword(user.Password);
  XMLNode root(kLoginElement);
  root.AddAttr(kUserNameAttr, user.UserName);
  root.AddAttr(kPasswordAttr, user.Password);
  root.AddBoolAttr(kAutoLoginAttr, user.AutoLogin);
  root.AddFloatAttr(kHeightAttr, user.UserHeight);
  root.AddFloatAttr(kBirthDateAttr, user.UserBirthDate);
  root.AddIntAttr(kSexAttr, static_cast<int>(user.UserSex));
  root.AddFloatAttr(kCreationDateAttr, user.UserCreationDate);
  root.AddIntAttr(kActivityAttr, user.UserActivityLevel);
  SaveXMLFile(root, user.Folder / kAccountFileName, kDataKey, random, fs);
}

std::filesystem::path CreateAccountFolder(const std::filesystem::path& programFolder,
                                          TRandom& random) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path folder =
        programFolder / ("usr" + std::to_string(random.Uniform(0, 1000000)));
    if (std::filesystem::exists(std::filesystem::symlink_status(folder))) continue;
    std::error_code ec;
    if (!std::filesystem::create_directory(folder, ec) || ec)
      throw EUserCreationError(folder.string());
    return folder;
  }
  throw EUserCreationError(programFolder.string());
}

std::filesystem::path MoveToFreeAccountFolder(const std::filesystem::path& folder,
                                              const std::filesystem::path& programFolder,
                                              TRandom& random, TFileSystem& fs) {
  for (int attempt = 0; attempt < 100; ++attempt) {
    const std::filesystem::path name =
        programFolder / ("usr" + std::to_string(random.Uniform(0, 1000000)));
    if (std::filesystem::exists(std::filesystem::symlink_status(name))) continue;
    if (fs.RenameFolder(folder, name)) return name;
  }
  throw EUserCreationError(programFolder.string());
}

std::string FoldersWithoutAccountFileText(const std::vector<std::filesystem::path>& folders) {
  const bool one = folders.size() == 1;
  std::string text = one ? "This folder holds files but no account file (\"LI.DAT\"), so it is "
                           "not listed as an account:\n"
                         : "These folders hold files but no account file (\"LI.DAT\"), so they "
                           "are not listed as accounts:\n";
  for (const auto& folder : folders) text += "\n" + folder.string();
  text += one ? "\n\nIts files were left as they are." : "\n\nTheir files were left as they are.";
  return text;
}

void DeleteAccountFolder(const std::filesystem::path& folder) {
  std::error_code ec;
  // Never follow a link: deleting would empty the folder it points to.
  if (std::filesystem::is_symlink(folder, ec) || ec)
    throw EXMLIOError(folder.string(), "not an account folder");
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (!entry.is_directory()) files.push_back(entry.path());
  if (ec) throw EXMLIOError(folder.string(), "cannot list the account folder");
  for (const auto& file : files)
    if (!std::filesystem::remove(file, ec) || ec) throw EXMLIOError(file.string(), "cannot delete");
  if (!std::filesystem::remove(folder, ec) || ec)
    throw EXMLIOError(folder.string(), "cannot delete the account folder");
}

}  // namespace korvela
