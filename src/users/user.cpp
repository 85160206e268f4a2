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

TAccountList LoadAccountList(const std::filesystem::path& programFolder) {
  std::vector<std::filesystem::path> folders;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder, ec))
    // A link named "usr*" points somewhere else: it is no account folder.
    if (!entry.is_symlink() && entry.is_directory() &&
        entry.path().filename().string().starts_with("usr"))
      folders.push_back(entry.path());
  if (ec) throw EXMLIOError(programFolder.string(), "cannot list the folder");
  std::sort(folders.begin(), folders.end());
  TAccountList list;
  for (const auto& folder : folders) list.push_back(LoadUser(folder));
  return list;
}

void SaveUser(TUser& user, TRandom& random) {
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
  SaveXMLFile(root, user.Folder / kAccountFileName, kDataKey, random);
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
