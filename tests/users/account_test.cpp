#include <gtest/gtest.h>

#include "storage/garbled_stream.h"
#include "support/temp_folder.h"
#include "users/account_forms.h"
#include "users/password.h"
#include "users/user.h"

namespace korvela {
namespace {

using test::TTempFolder;

TUser SampleUser(const std::filesystem::path& folder) {
  TUser user;
  user.UserName = "Ann";
  user.UserHeight = 170.5;
  user.UserBirthDate = EncodeDate(1980, 1, 1);
  user.UserSex = TSex::Female;
  user.UserCreationDate = EncodeDate(2007, 1, 1);
  user.UserActivityLevel = 2;
  user.Folder = folder;
  return user;
}

TEST(AccountFile, StoresTheEightAttributesInOrderAndReadsThemBack) {
  TTempFolder folder;
  auto random = MakeSeededRandom(1);
  TUser user = SampleUser(folder.Path());
  SaveUser(user, *random);
  const auto root = LoadXMLFile(folder / "LI.DAT", kDataKey);
  ASSERT_TRUE(root);
  EXPECT_EQ(root->ToText(),
            "<LoginInformation UserName=\"Ann\" Password=\"\" AutoLogin=\"0\" "
            "UserHeight=\" 1.70500000000000E+0002\" UserBirthDate=\" 2.92210000000000E+0004\" "
            "UserSex=\"1\" UserCreationDate=\" 3.90830000000000E+0004\" "
            "UserActivityLevel=\"2\">\r\n</LoginInformation>\r\n");
  const auto back = LoadUser(folder.Path());
  EXPECT_EQ(back->UserName, "Ann");
  EXPECT_EQ(back->Password, "");
  EXPECT_DOUBLE_EQ(back->UserHeight, 170.5);
  EXPECT_EQ(back->UserBirthDate, EncodeDate(1980, 1, 1));
  EXPECT_EQ(back->UserSex, TSex::Female);
  EXPECT_EQ(back->UserActivityLevel, 2);
  EXPECT_EQ(back->AgeOn(EncodeDate(2007, 1, 1)), 27);
}

TEST(AccountFile, PasswordsAreStoredAsHashesAndOlderPlainOnesAreUpgraded) {
  TTempFolder folder;
  auto random = MakeSeededRandom(1);
  TUser user = SampleUser(folder.Path());
  user.SetNewPassword("Secret");
  EXPECT_TRUE(IsPasswordHash(user.Password));
  SaveUser(user, *random);
  EXPECT_EQ(test::ReadBytes(folder / "LI.DAT").find("Secret"), std::string::npos);
  EXPECT_TRUE(LoginAccepted(*LoadUser(folder.Path()), "Secret"));
  EXPECT_FALSE(LoginAccepted(*LoadUser(folder.Path()), "secret"));

  // An older file: the plain value is compared exactly, then hashed on save.
  XMLNode old("LoginInformation");
  old.AddAttr("UserName", "Bo");
  old.AddAttr("Password", "OldPass");
  old.AddAttr("AutoLogin", "-1");
  for (const char* attr : {"UserHeight", "UserBirthDate"}) old.AddFloatAttr(attr, 1);
  old.AddIntAttr("UserSex", 0);
  old.AddFloatAttr("UserCreationDate", 1);
  old.AddIntAttr("UserActivityLevel", 0);
  SaveXMLFile(old, folder / "LI.DAT", kDataKey, *random);
  auto legacy = LoadUser(folder.Path());
  EXPECT_TRUE(legacy->AutoLogin);
  EXPECT_TRUE(LoginAccepted(*legacy, "OldPass"));
  EXPECT_FALSE(LoginAccepted(*legacy, "oldpass"));
  SaveUser(*legacy, *random);
  const auto upgraded = LoadUser(folder.Path());
  EXPECT_TRUE(IsPasswordHash(upgraded->Password));
  EXPECT_TRUE(LoginAccepted(*upgraded, "OldPass"));
  EXPECT_TRUE(upgraded->AutoLogin);  // read and written back unchanged
}

TEST(AccountFile, MissingPasswordMeansNoneAndOtherAttributesAreRequired) {
  TTempFolder folder;
  auto random = MakeSeededRandom(1);
  XMLNode node("LoginInformation");
  node.AddAttr("UserName", "Cy");
  SaveXMLFile(node, folder / "LI.DAT", kDataKey, *random);
  EXPECT_THROW(LoadUser(folder.Path()), EInvalidXMLFile);
}

TEST(AccountList, ReadsEveryUsrFolderAndSetsApartFoldersWithoutAccountFile) {
  TTempFolder program;
  auto random = MakeSeededRandom(9);
  for (const char* name : {"Ann", "Bo"}) {
    TUser user = SampleUser(CreateAccountFolder(program.Path(), *random));
    user.UserName = name;
    SaveUser(user, *random);
  }
  std::filesystem::create_directory(program / "other");
  test::WriteBytes(program / "usr-notes.txt", "a file, not an account");
  const TAccountList list = LoadAccountList(program.Path());
  ASSERT_EQ(list.size(), 2u);
  for (const auto& user : list) {
    const std::string name = user->Folder.filename().string();
    EXPECT_TRUE(name.starts_with("usr"));
    EXPECT_EQ(name.find_first_not_of("0123456789", 3), std::string::npos) << name;
  }
  std::filesystem::create_directory(program / "usr77");
  std::filesystem::create_directory(program / "usr0");
  test::WriteBytes(program / "usr0" / "CI.DAT", "settings without an account");
  const TAccountFolders scan = ScanAccountFolders(program.Path());
  EXPECT_EQ(scan.accounts.size(), 2u);
  EXPECT_EQ(scan.withoutAccountFile,
            (std::vector<std::filesystem::path>{program / "usr0", program / "usr77"}));
  EXPECT_EQ(LoadAccountList(program.Path()).size(), 2u);
  // Reading changes nothing.
  EXPECT_TRUE(std::filesystem::is_directory(program / "usr77"));
  EXPECT_THROW(LoadUser(program / "usr77"), EUserLogInfoMissing);
}

// Draws the folder numbers given, over and over (a number below 1000000
// is drawn from two 32-bit values, the high one first).
class TDraws final : public TRandom {
 public:
  explicit TDraws(std::vector<std::uint32_t> numbers) : numbers_(std::move(numbers)) {}
  std::uint32_t Next() override {
    if (calls_++ % 2 == 0) return 0;
    return numbers_.at(next_++ % numbers_.size());
  }

 private:
  std::vector<std::uint32_t> numbers_;
  std::size_t calls_ = 0;
  std::size_t next_ = 0;
};

// The folder takes its account name in one rename: a name taken by a
// folder, even an empty one, or by a file is passed over, never replaced.
TEST(AccountFolder, MovingToAFreeNamePassesOverTakenNames) {
  TTempFolder program;
  const std::filesystem::path emptyOne = program / "usr1", fileOne = program / "usr2",
                              free = program / "usr3";
  std::filesystem::create_directory(emptyOne);
  test::WriteBytes(fileOne, "a file");
  std::filesystem::create_directory(program / "restoring1");
  test::WriteBytes(program / "restoring1" / "LI.DAT", "restored");
  TDraws draws({1, 2, 3});
  EXPECT_EQ(MoveToFreeAccountFolder(program / "restoring1", program.Path(), draws), free);
  EXPECT_EQ(test::ReadBytes(free / "LI.DAT"), "restored");
  EXPECT_FALSE(std::filesystem::exists(program / "restoring1"));
  EXPECT_TRUE(std::filesystem::is_empty(emptyOne));
  EXPECT_EQ(test::ReadBytes(fileOne), "a file");

  // No free name among the draws: nothing moves.
  std::filesystem::create_directory(program / "restoring2");
  TDraws taken({1, 2, 3});
  EXPECT_THROW(MoveToFreeAccountFolder(program / "restoring2", program.Path(), taken),
               EUserCreationError);
  EXPECT_TRUE(std::filesystem::is_directory(program / "restoring2"));
}

// A name taken between the look and the rename is not replaced either.
TEST(FileSystem, RenamingAFolderNeverReplaces) {
  TTempFolder folder;
  std::filesystem::create_directory(folder / "a");
  test::WriteBytes(folder / "a" / "x", "a");
  std::filesystem::create_directory(folder / "empty");
  std::filesystem::create_directory(folder / "full");
  test::WriteBytes(folder / "full" / "x", "full");
  TFileSystem& fs = PosixFileSystem();
  EXPECT_FALSE(fs.RenameFolder(folder / "a", folder / "empty"));
  EXPECT_FALSE(fs.RenameFolder(folder / "a", folder / "full"));
  EXPECT_TRUE(std::filesystem::is_empty(folder / "empty"));
  EXPECT_EQ(test::ReadBytes(folder / "full" / "x"), "full");
  EXPECT_TRUE(fs.RenameFolder(folder / "a", folder / "b"));
  EXPECT_EQ(test::ReadBytes(folder / "b" / "x"), "a");
  EXPECT_THROW(fs.RenameFolder(folder / "gone", folder / "c"), EXMLIOError);
  EXPECT_TRUE(fs.CreateFolder(folder / "c"));
  EXPECT_FALSE(fs.CreateFolder(folder / "c"));
}

TEST(AccountFolder, DeletingRemovesItsFilesAndTheFolder) {
  TTempFolder program;
  auto random = MakeSeededRandom(3);
  const auto folder = CreateAccountFolder(program.Path(), *random);
  TUser user = SampleUser(folder);
  SaveUser(user, *random);
  test::WriteBytes(folder / "CI.DAT", "x");
  DeleteAccountFolder(folder);
  EXPECT_FALSE(std::filesystem::exists(folder));
  // A folder with a subfolder cannot be removed: a typed error, files gone.
  const auto second = CreateAccountFolder(program.Path(), *random);
  std::filesystem::create_directory(second / "sub");
  test::WriteBytes(second / "LI.DAT", "x");
  EXPECT_THROW(DeleteAccountFolder(second), EXMLIOError);
  EXPECT_FALSE(std::filesystem::exists(second / "LI.DAT"));
  EXPECT_THROW(DeleteAccountFolder(program / "usr404"), EXMLIOError);
}

// A "usr*" link to another folder is no account, and Delete never follows
// it: the folder it points to keeps its files.
TEST(AccountFolder, ALinkNamedLikeAnAccountIsNeitherListedNorFollowedByDelete) {
  TTempFolder program;
  TTempFolder elsewhere;
  auto random = MakeSeededRandom(5);
  TUser user = SampleUser(elsewhere.Path());
  SaveUser(user, *random);
  std::filesystem::create_directory_symlink(elsewhere.Path(), program / "usr123");
  EXPECT_TRUE(LoadAccountList(program.Path()).empty());
  EXPECT_THROW(DeleteAccountFolder(program / "usr123"), EXMLIOError);
  EXPECT_TRUE(std::filesystem::exists(elsewhere / "LI.DAT"));
  EXPECT_TRUE(std::filesystem::is_symlink(program / "usr123"));
}

TEST(AccountFolder, CreationFailsWhenNoFreeNameIsFound) {
  TTempFolder program;
  // A generator that always draws the same number finds its name taken.
  class TConstantRandom final : public TRandom {
   public:
    std::uint32_t Next() override { return 0; }
  } constant;
  const auto first = CreateAccountFolder(program.Path(), constant);
  EXPECT_EQ(first.filename(), "usr0");
  EXPECT_THROW(CreateAccountFolder(program.Path(), constant), EUserCreationError);
  auto random = MakeSeededRandom(3);
  EXPECT_THROW(CreateAccountFolder(program / "missing", *random), EUserCreationError);
}

TEST(NewAccountChecks, NameThenBirthDateInOrder) {
  const TDateTime today = EncodeDate(2007, 6, 15);
  const struct {
    const char* name;
    int day, month;
    const char* year;
    const char* warning;  // nullptr: accepted
  } cases[] = {
      {"", 31, 2, "x", kMsgEnterName},
      {"  \t ", 1, 1, "1980", kMsgEnterName},
      {"Ann", 31, 2, "1980", kMsgInvalidBirthDate},
      {"Ann", 1, 1, "1980.5", kMsgInvalidBirthDate},
      {"Ann", 1, 1, "abc", kMsgInvalidBirthDate},
      {"Ann", 15, 6, "2007", kMsgInvalidBirthDate},  // today
      // Age is the whole part of the days between / 365.25.
      {"Ann", 16, 6, "1997", kMsgInvalidBirthDate},  // 3651 days: 9 years
      {"Ann", 14, 6, "1997", nullptr},               // 3653 days: 10 years
      {"Ann", 13, 6, "1907", nullptr},               // 36527 days: 100 years
      {"Ann", 14, 6, "1906", kMsgInvalidBirthDate},  // 36891 days: 101 years
      {"Ann", 29, 2, "1980", nullptr},
  };
  for (const auto& c : cases) {
    const TBirthCheck check = CheckNameAndBirthDate(c.name, c.day, c.month, c.year, today);
    if (c.warning) {
      EXPECT_EQ(check.warning, c.warning)
          << c.name << " " << c.day << "." << c.month << "." << c.year;
    } else {
      EXPECT_FALSE(check.warning) << c.day << "." << c.month << "." << c.year << ": "
                                  << *check.warning;
      EXPECT_EQ(check.birthDate, EncodeDate(std::stoi(c.year), static_cast<unsigned>(c.month),
                                            static_cast<unsigned>(c.day)));
    }
  }
  EXPECT_EQ(CheckNewPasswords(true, "a", "b"), kMsgPasswordsDiffer);
  EXPECT_FALSE(CheckNewPasswords(false, "a", "b"));
  EXPECT_FALSE(CheckNewPasswords(true, "a", "a"));
  // Ticked with nothing typed would create an account without protection.
  EXPECT_EQ(CheckNewPasswords(true, "", ""), kMsgEnterPassword);
  EXPECT_EQ(CheckNewPasswords(true, "", "a"), kMsgEnterPassword);
  EXPECT_FALSE(CheckNewPasswords(false, "", ""));
}

TEST(Login, EmptyPasswordAcceptsOnlyAnEmptyFieldAndDeletionAsksByName) {
  TUser user;
  user.UserName = "Ann";
  EXPECT_TRUE(LoginAccepted(user, ""));
  EXPECT_FALSE(LoginAccepted(user, "x"));
  EXPECT_EQ(DeleteAccountQuestion(user), "Do you really want to delete Ann?");
}

TEST(PasswordChange, CurrentMustMatchThenTheNewOnesMustAgree) {
  TUser user;
  user.SetNewPassword("Old");
  EXPECT_EQ(CheckPasswordChange(user, "old", "n", "n"), TPasswordChangeFault::WrongCurrent);
  EXPECT_EQ(CheckPasswordChange(user, "Old", "n", "m"), TPasswordChangeFault::NewDiffer);
  EXPECT_EQ(CheckPasswordChange(user, "Old", "n", "n"), TPasswordChangeFault::None);
}

}  // namespace
}  // namespace korvela
