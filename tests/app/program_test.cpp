#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "app/program.h"
#include "app/program_folder.h"
#include "energy/weight_stat.h"
#include "nutrition/food_log_store.h"
#include "storage/garbled_stream.h"
#include "support/disk_limit.h"
#include "support/new_account.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "training/training_records.h"
#include "users/account_forms.h"
#include "users/password.h"

namespace korvela {
namespace {

using test::TTempFolder;

void WriteStrings(const std::filesystem::path& folder, TRandom& random) {
  TStringTable table(folder / kStringTableFileName, random);
  table.PutString(kTitleString, "Korvela title");
  table.PutString(kWrongPasswordString, "wrong");
  table.Close();
}

class ProgramTest : public ::testing::Test {
 protected:
  ProgramTest() { WriteStrings(folder.Path(), *random); }

  std::unique_ptr<TProgram> StartProgram() {
    auto program = std::make_unique<TProgram>(folder.Path(), TSystemDefaults{}, clock, *random);
    program->Start();
    return program;
  }

  TTempFolder folder;
  TFixedClock clock{EncodeDate(2007, 6, 15) + 0.4};
  std::unique_ptr<TRandom> random = MakeSeededRandom(21);
};

// A number missing from the table means a damaged table: the error names it.
TEST_F(ProgramTest, StringTableReadsByNumberAndRefusesUnknownNumbersNamingTheFile) {
  auto program = StartProgram();
  EXPECT_EQ(program->TitleText(), "Korvela title");
  EXPECT_EQ(program->Strings().GetString(kWrongPasswordString), "wrong");
  try {
    program->Strings().GetString(11);
    FAIL() << "no error";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_NE(std::string(e.what()).find("rs.dat"), std::string::npos) << e.what();
  }
}

TEST_F(ProgramTest, NewAccountWritesItsFilesAndBecomesCurrent) {
  auto program = StartProgram();
  EXPECT_TRUE(program->Accounts().empty());
  program->Config().SetMetricSystem(false);
  TUser& user = program->CreateAccount(test::AnnAccount(1));
  EXPECT_EQ(program->CurrentUser(), &user);
  EXPECT_EQ(user.UserCreationDate, EncodeDate(2007, 6, 15));
  EXPECT_EQ(user.Password, "");
  EXPECT_TRUE(std::filesystem::exists(user.Folder / "LI.DAT"));
  const auto settings = LoadXMLFile(user.Folder / "CI.DAT", kDataKey);
  ASSERT_TRUE(settings);
  EXPECT_EQ(settings->AttrText("MetricSystem"), "0");
  program->LogOff();
  EXPECT_EQ(program->CurrentUser(), nullptr);

  auto again = StartProgram();
  ASSERT_EQ(again->Accounts().size(), 1u);
  EXPECT_EQ(again->Accounts()[0]->UserName, "Ann");
  EXPECT_EQ(again->Accounts()[0]->UserActivityLevel, 1);
}

TEST_F(ProgramTest, LoginAppliesTheUsersSettingsAndLogOffKeepsThem) {
  auto program = StartProgram();
  program->Config().SetFloatingChar(',');
  program->CreateAccount(test::AnnAccount(1));
  program->LogOff();
  program->Config().SetFloatingChar('.');
  program->Login(*program->Accounts()[0]);
  EXPECT_EQ(program->Config().FloatingChar(), ',');
  // A change made while logged in reaches the user's file.
  program->Config().SetFirstDOW(6);
  program->Session()->SaveSettings();
  program->LogOff();
  EXPECT_EQ(program->Config().FirstDOW(), 6);
  program->Config().SetFirstDOW(0);
  program->Login(*program->Accounts()[0]);
  EXPECT_EQ(program->Config().FirstDOW(), 6);
}

TEST_F(ProgramTest, PasswordIsStoredAsAHash) {
  auto program = StartProgram();
  TNewAccount account = test::AnnAccount(1);
  account.password = "Open Sesame";
  TUser& user = program->CreateAccount(account);
  EXPECT_TRUE(IsPasswordHash(user.Password));
  EXPECT_EQ(test::ReadBytes(user.Folder / "LI.DAT").find("Sesame"), std::string::npos);
}

// An older account file holds the plain password: the first login with it
// stores its hash instead.
TEST_F(ProgramTest, FirstLoginReplacesAPlainPasswordByItsHash) {
  const std::filesystem::path file = [&] {
    auto program = StartProgram();
    const std::filesystem::path f = program->CreateAccount(test::AnnAccount(1)).Folder / "LI.DAT";
    program->LogOff();
    return f;
  }();
  auto stored = LoadXMLFile(file, kDataKey);
  ASSERT_TRUE(stored);
  for (XMLAttr& a : stored->Attributes)
    if (a.Name == "Password") a.Value = "OldPass";
  SaveXMLFile(*stored, file, kDataKey, *random);

  auto program = StartProgram();
  TUser& user = *program->Accounts()[0];
  ASSERT_EQ(user.Password, "OldPass");
  ASSERT_TRUE(LoginAccepted(user, "OldPass"));
  program->Login(user);
  const std::unique_ptr<TUser> again = LoadUser(file.parent_path());
  EXPECT_TRUE(IsPasswordHash(again->Password));
  EXPECT_TRUE(LoginAccepted(*again, "OldPass"));
}

TEST_F(ProgramTest, DeletingAnAccountRemovesItsFolderAndListEntry) {
  auto program = StartProgram();
  const std::filesystem::path annFolder = program->CreateAccount(test::AnnAccount(1)).Folder;
  program->LogOff();
  TNewAccount bo = test::AnnAccount(1);
  bo.name = "Bo";
  program->CreateAccount(bo);
  program->LogOff();
  TUser& ann = program->Accounts()[0]->Folder == annFolder ? *program->Accounts()[0]
                                                           : *program->Accounts()[1];
  program->DeleteAccount(ann);
  ASSERT_EQ(program->Accounts().size(), 1u);
  EXPECT_EQ(program->Accounts()[0]->UserName, "Bo");
  EXPECT_FALSE(std::filesystem::exists(annFolder));
}

TEST_F(ProgramTest, DamagedSettingsFailTheLoginWithTheFileNamed) {
  auto program = StartProgram();
  const auto userFolder = program->CreateAccount(test::AnnAccount(1)).Folder;
  program->LogOff();
  test::WriteBytes(userFolder / "CI.DAT", "garbage, not a settings file");
  try {
    program->Login(*program->Accounts()[0]);
    FAIL() << "no error";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_NE(std::string(e.what()).find("CI.DAT"), std::string::npos) << e.what();
  }
}

// A settings file never written (a backup or a copy without it) is no
// damage: the login goes on as a new account would, with the settings then
// in effect, and stores them.
TEST_F(ProgramTest, AMissingSettingsFileMeansTheSettingsOfANewAccount) {
  auto program = StartProgram();
  const auto userFolder = program->CreateAccount(test::AnnAccount(1)).Folder;
  program->Config().SetFloatingChar(',');
  program->LogOff();
  std::filesystem::remove(userFolder / "CI.DAT");
  program->Config().SetFloatingChar('.');
  program->Config().SetFirstDOW(3);
  test::TScriptedPrompter prompter;
  program->Login(*program->Accounts()[0], &prompter);
  EXPECT_EQ(prompter.shown, std::vector<std::string>{});
  EXPECT_EQ(program->Config().FloatingChar(), '.');
  EXPECT_EQ(program->Config().FirstDOW(), 3);
  const auto stored = LoadXMLFile(userFolder / "CI.DAT", kDataKey);
  ASSERT_TRUE(stored);
  program->LogOff();
  program->Config().SetFirstDOW(0);
  program->Login(*program->Accounts()[0]);
  EXPECT_EQ(program->Config().FirstDOW(), 3);
}

// Folders named like accounts but without "LI.DAT" never stop the start: an
// empty one (an account creation cut short) goes, one with files stays,
// listed nowhere, and the start names it in one message.
TEST_F(ProgramTest, AStartPassesOverFoldersWithoutAccountFile) {
  {
    auto program = StartProgram();
    program->CreateAccount(test::AnnAccount(1));
    program->LogOff();
  }
  std::filesystem::create_directory(folder / "usr5");
  std::filesystem::create_directory(folder / "usr6");
  test::WriteBytes(folder / "usr6" / "FDBC.DAT", "someone's food logs");
  std::filesystem::create_directory(folder / "usr7");
  std::filesystem::create_directory(folder / "usr7" / "photos");

  test::TScriptedPrompter prompter;
  auto program = std::make_unique<TProgram>(folder.Path(), TSystemDefaults{}, clock, *random);
  program->Start(&prompter);
  ASSERT_EQ(program->Accounts().size(), 1u);
  EXPECT_EQ(program->Accounts()[0]->UserName, "Ann");
  EXPECT_FALSE(std::filesystem::exists(folder / "usr5"));
  EXPECT_EQ(test::ReadBytes(folder / "usr6" / "FDBC.DAT"), "someone's food logs");
  EXPECT_TRUE(std::filesystem::is_directory(folder / "usr7" / "photos"));
  EXPECT_EQ(prompter.shown,
            std::vector<std::string>{"inform: " + FoldersWithoutAccountFileText(
                                                      {folder / "usr6", folder / "usr7"})});
  const std::string& text = prompter.shown.at(0);
  EXPECT_NE(text.find((folder / "usr6").string()), std::string::npos) << text;
  EXPECT_NE(text.find("LI.DAT"), std::string::npos) << text;
  EXPECT_EQ(text.find("usr5"), std::string::npos) << text;
  // The account still opens; the other folders are as they were.
  program->Login(*program->Accounts()[0]);
  EXPECT_EQ(test::FolderContents(folder / "usr6").size(), 1u);
}

TEST(AccountFolderTexts, OneFolderOrSeveral) {
  EXPECT_EQ(FoldersWithoutAccountFileText({"/home/k/usr6"}),
            "This folder holds files but no account file (\"LI.DAT\"), so it is not listed as "
            "an account:\n\n/home/k/usr6\n\nIts files were left as they are.");
  EXPECT_EQ(FoldersWithoutAccountFileText({"/k/usr6", "/k/usr7"}),
            "These folders hold files but no account file (\"LI.DAT\"), so they are not listed "
            "as accounts:\n\n/k/usr6\n/k/usr7\n\nTheir files were left as they are.");
}

TEST_F(ProgramTest, WithoutACatalogueFileTheFoodTreeHoldsOnlyItsTwoFixedLists) {
  auto program = StartProgram();
  EXPECT_FALSE(program->LoadSharedCollections());
  ASSERT_EQ(program->Foods().Lists.size(), 2u);
  EXPECT_EQ(program->Foods().FoodCount(), 0u);
}

TEST_F(ProgramTest, FrequentFoodsAreOpenFromLoginToLogOff) {
  auto program = StartProgram();
  program->CreateAccount(test::AnnAccount(1));
  EXPECT_TRUE(program->Session()->FrequentFoods().IsOpen());
  const TFoodItem oats("Oats");
  program->Session()->FrequentFoods().AddToFavourites(oats);
  program->LogOff();
  program->Login(*program->Accounts()[0]);
  EXPECT_GE(program->Session()->FrequentFoods().FindFrequentFood(oats), 0);
}

TEST_F(ProgramTest, MealDefinitionsAreWrittenForANewAccountAndReadAtLogin) {
  auto program = StartProgram();
  const auto userFolder = program->CreateAccount(test::AnnAccount(1)).Folder;
  EXPECT_TRUE(std::filesystem::exists(userFolder / "MI.DAT"));
  TMealDefinitions& meals = program->Session()->MealDefinitions();
  ASSERT_EQ(meals.size(), 6u);
  meals.push_back({"Pre-workout", 16.5 / 24, {}});
  SaveMealDefinitions(meals, userFolder, *random);
  program->LogOff();
  program->Login(*program->Accounts()[0]);
  EXPECT_EQ(program->Session()->MealDefinitions().size(), 7u);
}

TEST_F(ProgramTest, LoginMovesOldFoodLogsToTheArchive) {
  auto program = StartProgram();
  const auto userFolder = program->CreateAccount(test::AnnAccount(1)).Folder;
  const TDateTime today = clock.Today();
  {
    TFoodLogStore store(userFolder, *random);
    for (const int ago : {3, 20}) {
      TDaysMeals log = NewDayPlan(today - ago, DefaultMealDefinitions());
      SaveDayLog(log, store, program->Session()->Energy());
    }
    store.Close();
  }
  program->LogOff();
  clock.Set(today + 57);  // the older log is now 77 days old, the other 60
  program->Login(*program->Accounts()[0]);
  TFoodLogStore store(userFolder, *random);
  EXPECT_TRUE(store.Current().Handles().empty());
  EXPECT_EQ(store.Archive().Handles().size(), 2u);
  EXPECT_TRUE(store.LoadDayLog(today - 20).has_value());
}

TEST_F(ProgramTest, MenusAreReadWithTheSharedCollections) {
  {
    TMenuList menus(folder.Path(), *random);
    auto menu = std::make_unique<TDaysMeals>(NewDayPlan(0, DefaultMealDefinitions()));
    menu->MenuName = "Rest day";
    menus.SaveMenu(std::move(menu));
  }
  auto program = StartProgram();
  (void)program->LoadSharedCollections();
  ASSERT_EQ(program->Menus().Menus().size(), 1u);
  EXPECT_EQ(program->Menus().Menus()[0]->MenuName, "Rest day");
}

// A weigh-in of `kg` two days ago, saved but not yet written to its file.
void ChangeWeighIn(TProgram& program, TDateTime day, double kg) {
  TDayRecordStore& records = program.Session()->DayRecords();
  TDBC& entry = records.GetOrCreateDayRecord(kWeightStatKind, day);
  records.Loaded<TWeightStat>(entry).W = kg;
  records.SaveDayRecord(entry);
}

double StoredWeighIn(TProgram& program, TDateTime day) {
  TDayRecordStore& records = program.Session()->DayRecords();
  TDBC* entry = records.FindDayRecord(kWeightStatKind, day);
  return entry ? records.Loaded<TWeightStat>(*entry).W : -1;
}

TEST_F(ProgramTest, DayRecordsSurviveLogOffAndExitWithoutLogOff) {
  const TDateTime day = clock.Today() - 2;
  {
    auto program = StartProgram();
    program->CreateAccount(test::AnnAccount(1));
    ChangeWeighIn(*program, day, 60.5);
    program->LogOff();
    program->Login(*program->Accounts()[0]);
    EXPECT_EQ(StoredWeighIn(*program, day), 60.5);
    ChangeWeighIn(*program, day, 60.2);
    program->Exit();  // no log off: the pending record must be written all the same
  }
  auto program = StartProgram();
  program->Login(*program->Accounts()[0]);
  EXPECT_EQ(StoredWeighIn(*program, day), 60.2);
}

TEST(ProgramFolder, ChosenFromTheEnvironmentOrTheDesktop) {
  EXPECT_EQ(ChooseProgramFolder("/tmp/k", "/home/x/.local/share/korvela"), "/tmp/k");
  EXPECT_EQ(ChooseProgramFolder("", "/home/x/.local/share/korvela"),
            "/home/x/.local/share/korvela");
  EXPECT_EQ(ChooseProgramFolder(nullptr, "/d"), "/d");
}

TEST(ProgramFolder, ShippedFilesLieBesideABuiltProgramOrInItsInstalledShareFolder) {
  TTempFolder root;
  std::filesystem::create_directories(root / "bin");
  std::filesystem::create_directories(root / "share" / "korvela");
  // Nothing shipped anywhere: the program's own folder, where a seed finds nothing.
  EXPECT_EQ(ShippedDataFolder(root / "bin"), root / "bin");
  test::WriteBytes(root / "share" / "korvela" / "rs.dat", "strings");
  EXPECT_EQ(ShippedDataFolder(root / "bin"), root / "share" / "korvela");
  // A build tree keeps them beside the program, and that copy wins.
  test::WriteBytes(root / "bin" / "rs.dat", "strings");
  EXPECT_EQ(ShippedDataFolder(root / "bin"), root / "bin");
}

TEST(ProgramFolder, SeedingRefreshesProgramFilesButKeepsGrowingOnes) {
  TTempFolder shipped;
  TTempFolder program;
  test::WriteBytes(shipped / "rs.dat", "new strings");
  test::WriteBytes(shipped / "SAA.DAT", "shipped dictionary");
  test::WriteBytes(shipped / "korvela", "the program itself");
  SeedProgramFolder(shipped.Path(), program.Path());
  EXPECT_FALSE(std::filesystem::exists(program / "korvela"));
  EXPECT_EQ(test::ReadBytes(program / "rs.dat"), "new strings");
  EXPECT_EQ(test::ReadBytes(program / "SAA.DAT"), "shipped dictionary");

  test::WriteBytes(program / "SAA.DAT", "grown by the user");
  test::WriteBytes(program / "rs.dat", "old strings");
  const auto old = std::filesystem::last_write_time(program / "rs.dat");
  std::filesystem::last_write_time(shipped / "rs.dat", old + std::chrono::seconds(10));
  SeedProgramFolder(shipped.Path(), program.Path());
  EXPECT_EQ(test::ReadBytes(program / "rs.dat"), "new strings");
  EXPECT_EQ(test::ReadBytes(program / "SAA.DAT"), "grown by the user");
}

TEST(ProgramFolder, LeftoverTemporaryFilesGoAndEverythingElseStays) {
  TTempFolder program;
  TTempFolder elsewhere;
  std::filesystem::create_directory(program / "usr12");
  const char* const leftovers[] = {"LItmp", "UAtmp", "foods.dat.new", "usr12/PS12007tmp",
                                   "usr12/CItmp"};
  const char* const kept[] = {"LI.DAT", "UA.DAT", "notes.txt", "usr12/LI.DAT", "usr12/PS12007.dat"};
  for (const char* name : leftovers) test::WriteBytes(program / name, "half written");
  for (const char* name : kept) test::WriteBytes(program / name, "whole");
  // A linked "usr" folder is no account: nothing in it is touched.
  test::WriteBytes(elsewhere / "Xtmp", "not ours");
  std::filesystem::create_directory_symlink(elsewhere.Path(), program / "usr99");
  // A restore cut short goes whole; one at work (written to in the last
  // hour) and folders only named alike stay.
  std::filesystem::create_directories(program / "restoring4711");
  test::WriteBytes(program / "restoring4711" / "LI.DAT", "half restored");
  std::filesystem::last_write_time(
      program / "restoring4711",
      std::filesystem::file_time_type::clock::now() - std::chrono::hours(2));
  for (const char* name : {"restoring", "restoring old", "restoring12a", "restoring815"})
    std::filesystem::create_directories(program / name);
  std::filesystem::create_directory_symlink(elsewhere.Path(), program / "restoring99");

  RemoveLeftoverTemporaryFiles(program.Path());
  for (const char* name : leftovers) EXPECT_FALSE(std::filesystem::exists(program / name)) << name;
  for (const char* name : kept) EXPECT_EQ(test::ReadBytes(program / name), "whole") << name;
  EXPECT_TRUE(std::filesystem::exists(elsewhere / "Xtmp"));
  EXPECT_FALSE(std::filesystem::exists(program / "restoring4711"));
  for (const char* name :
       {"restoring", "restoring old", "restoring12a", "restoring815", "restoring99"})
    EXPECT_TRUE(std::filesystem::exists(program / name)) << name;
}

TEST_F(ProgramTest, ANewAccountTheDiskRefusesLeavesNoFolderBehind) {
  auto program = StartProgram();
  const auto folders = [this] {
    int n = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      n += entry.is_directory() ? 1 : 0;
    return n;
  };
  TNewAccount account;
  account.name = "Ann";
  account.birthDate = EncodeDate(1980, 1, 1);
  account.heightCm = 170;
  account.weightKg = 70;
  {
    const test::TDiskLimit fullDisk(16);
    EXPECT_THROW(program->CreateAccount(account), EXMLIOError);
  }
  EXPECT_EQ(folders(), 0);
  EXPECT_TRUE(program->Accounts().empty());
  EXPECT_EQ(program->CurrentUser(), nullptr);
  program->CreateAccount(account);
  EXPECT_EQ(folders(), 1);
}

}  // namespace
}  // namespace korvela

namespace korvela {
namespace {

TEST_F(ProgramTest, TheCalendarsWorkoutMarkComesFromTheUsersWorkoutLogs) {
  auto program = StartProgram();
  (void)program->LoadSharedCollections();
  EXPECT_FALSE(program->WorkoutQuery()(EncodeDate(2007, 6, 15))) << "nobody logged in";
  program->CreateAccount(test::AnnAccount());
  TDrill squat;
  squat.Name = "Squat";
  squat.TDM = TMeasureKind::Weight;
  const std::int32_t id = program->Exercises().AddExercise(squat).ID;
  TWorkout log;
  log.Name = NewWorkoutLogName(EncodeDate(2007, 6, 14));
  log.Date = EncodeDate(2007, 6, 14) + 0.7;
  TDrillSet set = NewSetLine(program->Config());
  set.DID = id;
  log.Lines.emplace_back(set);
  AppendWorkoutLog(program->Session()->DayRecords(), program->Exercises(), log);
  EXPECT_TRUE(program->WorkoutQuery()(EncodeDate(2007, 6, 14)));
  EXPECT_FALSE(program->WorkoutQuery()(EncodeDate(2007, 6, 15)));
  TUser& user = *program->CurrentUser();
  program->LogOff();
  EXPECT_FALSE(program->WorkoutQuery()(EncodeDate(2007, 6, 14)));
  program->Login(user);
  EXPECT_TRUE(program->WorkoutQuery()(EncodeDate(2007, 6, 14)));
  ASSERT_NE(program->Exercises().Find(id), nullptr);
  EXPECT_TRUE(std::filesystem::exists(folder / "GDDB.DAT"));
}

}  // namespace
}  // namespace korvela
