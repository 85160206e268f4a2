// A diary backed up in one installation and restored in another, compared
// record by record, and backups that must be refused without a trace.
#include "app/account_backup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <variant>

#include "activities/sport_list.h"
#include "app/program.h"
#include "app/program_folder.h"
#include "energy/cal_stat.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_item.h"
#include "nutrition/food_log_store.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "reports/exchange_package.h"
#include "storage/base64.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "energy/energy_records.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/unit_dictionary.h"
#include "support/cut_file_system.h"
#include "support/disk_limit.h"
#include "support/scripted_prompter.h"
#include "support/new_account.h"
#include "support/temp_folder.h"
#include "training/training_records.h"
#include "users/account_forms.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kToday = 39248;  // 15 June 2007

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Every file under a folder, subfolders included, with its bytes.
std::map<std::string, std::string> TreeContents(const fs::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    contents[fs::relative(entry.path(), folder).string()] =
        entry.is_regular_file() ? ReadFile(entry.path()) : std::string("<folder>");
  return contents;
}

// The names of the files that differ between two snapshots, so that a
// failure lists names rather than bytes.
std::vector<std::string> Differences(const std::map<std::string, std::string>& a,
                                     const std::map<std::string, std::string>& b) {
  std::vector<std::string> names;
  for (const auto& [name, bytes] : a)
    if (!b.count(name) || b.at(name) != bytes) names.push_back(name);
  for (const auto& [name, bytes] : b)
    if (!a.count(name)) names.push_back(name);
  return names;
}
#define EXPECT_SAME_FILES(a, b) EXPECT_EQ(Differences(a, b), std::vector<std::string>{})

// One installation: a program folder with the shipped files, started as the
// program starts.
class TInstallation {
 public:
  explicit TInstallation(std::uint64_t seed) : random_(MakeSeededRandom(seed)) {
    for (const char* shipped : {KORVELA_SHIPPED_STRINGS, KORVELA_SHIPPED_FOODS,
                                KORVELA_SHIPPED_EXERCISES, KORVELA_SHIPPED_ACTIVITIES})
      fs::copy_file(shipped, folder.Path() / fs::path(shipped).filename());
    program = std::make_unique<TProgram>(folder.Path(), TSystemDefaults{}, clock_, *random_);
    program->Start();
    EXPECT_TRUE(program->LoadSharedCollections());
  }

  TUserFood& AddFood(const std::string& name) {
    auto food = std::make_unique<TUserFood>(name);
    food->P = 9;
    food->C = 48;
    food->weights.push_back({"slice", 1, 30});
    SaveUserFood(*food, folder.Path(), *random_);
    auto& list = program->Foods().UserFoodList().Foods;
    list.push_back(std::move(food));
    return static_cast<TUserFood&>(*list.back());
  }

  TRecipeFood& AddRecipe(const std::string& name, const TFoodItem& ingredient) {
    auto recipe = std::make_unique<TRecipeFood>(TFoodItem(name));
    TRecepta contents;
    contents.ServStr = "2";
    contents.NumServ = 2;
    TWFoodItem item(ingredient);
    item.WI = 0;
    item.WM = 2;
    item.WMStr = "2";
    contents.ingredients.push_back(item);
    SetRecipe(*recipe, contents);
    SaveRecipe(*recipe, folder.Path(), *random_);
    auto& list = program->Foods().RecipeList().Foods;
    list.push_back(std::move(recipe));
    return static_cast<TRecipeFood&>(*list.back());
  }

  std::int32_t AddExercise(const std::string& name) {
    TDrill drill;
    drill.Name = name;
    drill.TDM = TMeasureKind::Weight;
    return program->Exercises().AddExercise(drill).ID;
  }

  void AddSport(const std::string& name) {
    TSport sport;
    sport.Activity = name;
    sport.MET = 5.5;
    sport.Per = 45;
    program->Sports().AddSport(sport);
  }

  TDrillSet SetLine(std::int32_t exercise) {
    TDrillSet line = NewSetLine(program->Config());
    line.DID = exercise;
    line.Sets = 3;
    line.Reps = "8";
    return line;
  }

  std::int32_t ExerciseID(const std::string& name) {
    for (const auto& drill : program->Exercises().Live())
      if (drill->Name == name) return drill->ID;
    return -1;
  }

  std::size_t Count(const std::vector<std::unique_ptr<TFoodItem>>& list, const std::string& name) {
    return static_cast<std::size_t>(std::count_if(
        list.begin(), list.end(), [&](const auto& food) { return food->Name == name; }));
  }

  test::TTempFolder folder;
  std::unique_ptr<TProgram> program;

 private:
  TFixedClock clock_{kToday + 0.4};
  std::unique_ptr<TRandom> random_;
};

TWFoodItem Logged(const TFoodItem& food, double servings) {
  TWFoodItem item(food);
  item.WI = 0;
  item.WM = servings;
  item.WMStr = std::to_string(servings);
  return item;
}

TDaysMeals DayLog(TDateTime day, std::vector<TWFoodItem> foods) {
  TDaysMeals log;
  log.ForDate = day;
  TMeal meal;
  meal.Name = "Breakfast";
  meal.TOD = 0.3;
  meal.foods = std::move(foods);
  log.meals.push_back(std::move(meal));
  return log;
}

// Every day record of a folder as text, keyed by kind and day. The
// exercises of workouts and personal records are given by name, so that
// two installations with their own exercise numbers compare alike.
std::map<std::pair<std::int32_t, TDateTime>, std::string> DayRecordTexts(TProgram& program,
                                                                         const fs::path& folder) {
  std::map<std::pair<std::int32_t, TDateTime>, std::string> texts;
  TDayRecordStore store(program.Registry(), program.Random());
  store.OpenDayRecords(folder);
  const auto name = [&](std::int32_t id) {
    const TDrill* drill = program.Exercises().Find(id);
    return drill ? drill->Name : "#" + std::to_string(id);
  };
  for (std::int32_t kind = kFirstDayRecordKind; kind <= kLastDayRecordKind; ++kind) {
    if (!program.Registry().Has(kind)) continue;
    for (const auto& entry : store.List(kind)) {
      store.LoadDayRecord(*entry);
      std::string exercises;
      if (kind == kWorkoutDayKind) {
        for (TWorkout& workout : static_cast<TWorkoutDay&>(*entry->Record).Workouts)
          for (TWLine& line : workout.Lines)
            if (auto* set = std::get_if<TDrillSet>(&line)) {
              exercises += name(set->DID) + ";";
              set->DID = 0;
            }
      } else if (kind == kPRWrapperKind) {
        for (TDrillPR& record : static_cast<TPRWrapper&>(*entry->Record).Records) {
          exercises += name(record.DID) + ";";
          record.DID = 0;
        }
      }
      texts[{kind, entry->Date}] = exercises + entry->Record->Write()->ToText();
    }
  }
  store.CloseDayRecords();
  return texts;
}

class AccountBackupTest : public ::testing::Test {
 protected:
  AccountBackupTest() {
    TProgram& program = *home.program;
    TUser& ann = program.CreateAccount(test::AnnAccount());
    annFolder = ann.Folder;

    TUserFood& bread = home.AddFood("Ann's Bread");
    TUserFood& jam = home.AddFood("Ann's Jam");
    home.AddFood("Nobody's Cake");
    TRecipeFood& toast = home.AddRecipe("Ann's Toast", jam);
    auto menu = std::make_unique<TDaysMeals>(DayLog(0, {Logged(bread, 2)}));
    menu->MenuName = "Ann's Monday";
    program.Menus().SaveMenu(std::move(menu));
    press = home.AddExercise("Ann's Press");
    shipped = program.Exercises().Live().front()->ID;
    home.AddExercise("Nobody's Curl");
    home.AddSport("Ann's Dance");
    home.AddSport("Nobody's Sport");
    TWorkout plan;
    plan.Name = "Ann's Plan";
    plan.Lines.push_back(home.SetLine(press));
    program.Templates().Save(std::move(plan), program.Exercises());

    // Today's log stays current, one of half a year ago goes to the archive.
    TFoodLogStore logs(annFolder, program.Random());
    logs.StoreDayLog(DayLog(kToday, {Logged(bread, 1), Logged(toast, 1)}), kToday);
    logs.StoreDayLog(DayLog(kToday - 180, {Logged(bread, 3)}), kToday);
    logs.Close();
    program.Session()->FrequentFoods().AddToFavourites(bread);

    TDayRecordStore& records = program.Session()->DayRecords();
    TDBC& cal = records.GetOrCreateDayRecord(kCalStatKind, kToday - 1);
    TSECERec dance;
    dance.Name = "Ann's Dance";
    dance.MET = 5.5;
    dance.Dur = 45;
    records.Loaded<TCalStat>(cal).Entries.push_back(dance);
    records.SaveDayRecord(cal);
    TDBC& day = records.GetOrCreateDayRecord(kWorkoutDayKind, kToday - 1);
    TWorkout workout;
    workout.Name = "Monday";
    workout.Date = kToday - 1;
    workout.Lines.push_back(home.SetLine(press));
    workout.Lines.push_back(home.SetLine(shipped));
    records.Loaded<TWorkoutDay>(day).Workouts.push_back(workout);
    records.SaveDayRecord(day);
    TDBC& best = records.GetOrCreateDayRecord(kPRWrapperKind, kToday - 1);
    TDrillPR record;
    record.DID = press;
    record.Weight.Q = "80";
    record.Reps = 5;
    record.Date = kToday - 1;
    records.Loaded<TPRWrapper>(best).Records.push_back(record);
    records.SaveDayRecord(best);
    records.FlushDayRecords();
    program.Session()->FrequentFoods().FlushFrequentFoods();

    // The other installation has an Ann of its own and exercises of its own.
    other.program->CreateAccount(test::AnnAccount());
    other.program->LogOff();
    other.AddExercise("Someone's Row");
  }

  TUser& Ann() { return *home.program->CurrentUser(); }

  TInstallation home{1};
  TInstallation other{2};
  test::TTempFolder scratch;
  fs::path annFolder;
  fs::path backup = scratch.Path() / "Ann.kvb";
  std::int32_t press = -1;
  std::int32_t shipped = -1;
};

TEST_F(AccountBackupTest, ADiaryComesBackWholeInAnotherInstallation) {
  const auto before = test::FolderContents(annFolder);
  const TBackupSummary summary = BackUpAccount(*home.program, Ann(), backup);
  EXPECT_SAME_FILES(test::FolderContents(annFolder), before);
  EXPECT_EQ(summary.userName, "Ann");
  EXPECT_EQ(summary.files, before.size());
  // Two user foods, the recipe, the menu, the template, the activity and the
  // two exercises.
  EXPECT_EQ(summary.items, 8u);

  TUser& restored = RestoreAccount(*other.program, backup);
  EXPECT_EQ(restored.UserName, "Ann (restored)");
  EXPECT_FALSE(restored.AutoLogin);
  EXPECT_EQ(restored.UserBirthDate, Ann().UserBirthDate);
  EXPECT_EQ(restored.UserHeight, Ann().UserHeight);
  EXPECT_EQ(restored.UserSex, Ann().UserSex);
  EXPECT_EQ(restored.UserActivityLevel, Ann().UserActivityLevel);
  EXPECT_EQ(restored.UserCreationDate, Ann().UserCreationDate);
  EXPECT_EQ(restored.Password, Ann().Password);

  // The account list of a fresh start holds both Anns, and nothing else
  // was left in the program folder.
  EXPECT_EQ(LoadAccountList(other.folder.Path()).size(), 2u);
  for (const auto& entry : fs::directory_iterator(other.folder.Path()))
    EXPECT_FALSE(entry.path().filename().string().starts_with("restoring")) << entry.path();

  // File by file: the same names; food logs, frequent foods, settings and
  // meals byte for byte; the day records record by record.
  const auto restoredFiles = test::FolderContents(restored.Folder);
  ASSERT_EQ(restoredFiles.size(), before.size());
  for (const auto& [name, bytes] : before) {
    ASSERT_TRUE(restoredFiles.count(name)) << name;
    if (name != kAccountFileName && !name.starts_with("PS")) {
      EXPECT_TRUE(restoredFiles.at(name) == bytes) << name;
    }
  }
  const auto homeRecords = DayRecordTexts(*home.program, annFolder);
  const auto restoredRecords = DayRecordTexts(*other.program, restored.Folder);
  EXPECT_GE(homeRecords.size(), 4u);
  EXPECT_EQ(restoredRecords, homeRecords);

  // The shared items the diary uses came along; the rest stayed home.
  TFoodTree& foods = other.program->Foods();
  EXPECT_EQ(other.Count(foods.UserFoodList().Foods, "Ann's Bread"), 1u);
  EXPECT_EQ(other.Count(foods.UserFoodList().Foods, "Ann's Jam"), 1u);
  EXPECT_EQ(other.Count(foods.UserFoodList().Foods, "Nobody's Cake"), 0u);
  EXPECT_EQ(other.Count(foods.RecipeList().Foods, "Ann's Toast"), 1u);
  ASSERT_EQ(other.program->Menus().Menus().size(), 1u);
  EXPECT_EQ(other.program->Menus().Menus().front()->MenuName, "Ann's Monday");
  EXPECT_EQ(other.ExerciseID("Nobody's Curl"), -1);
  ASSERT_NE(other.ExerciseID("Ann's Press"), -1);
  ASSERT_EQ(other.program->Templates().Templates().size(), 1u);
  const TWorkout& plan = other.program->Templates().Templates().front();
  EXPECT_EQ(std::get<TDrillSet>(plan.Lines.at(0)).DID, other.ExerciseID("Ann's Press"));
  std::vector<std::string> sports;
  for (std::size_t i = 0; i < other.program->Sports().Count(); ++i)
    sports.push_back(other.program->Sports().At(i).Activity);
  EXPECT_EQ(std::count(sports.begin(), sports.end(), "Ann's Dance"), 1);
  EXPECT_EQ(std::count(sports.begin(), sports.end(), "Nobody's Sport"), 0);

  // The restored account opens like any other.
  other.program->Login(restored);
  EXPECT_EQ(other.program->CurrentUser(), &restored);
}

TEST_F(AccountBackupTest, ABackupKeptInTheAccountFolderNeverHoldsItself) {
  const std::size_t files = test::FolderContents(annFolder).size();
  const fs::path inside = annFolder / "mine.kvb";
  EXPECT_EQ(BackUpAccount(*home.program, Ann(), inside).files, files);
  EXPECT_EQ(BackUpAccount(*home.program, Ann(), inside).files, files);
  EXPECT_EQ(test::FolderContents(annFolder).size(), files + 1);
}

TEST_F(AccountBackupTest, RestoringAgainAddsAnAccountButNoSharedItemTwice) {
  BackUpAccount(*home.program, Ann(), backup);
  RestoreAccount(*other.program, backup);
  const auto shared = test::FolderContents(other.folder.Path());
  const TUser& second = RestoreAccount(*other.program, backup);
  EXPECT_EQ(second.UserName, "Ann (restored 2)");
  EXPECT_EQ(other.program->Accounts().size(), 3u);
  // The shared files of the program folder are as the first restore left
  // them: every item was there already.
  EXPECT_SAME_FILES(test::FolderContents(other.folder.Path()), shared);
  // Restored where it was made, the diary links to the very same exercises.
  TUser& home2 = RestoreAccount(*home.program, backup);
  EXPECT_EQ(DayRecordTexts(*home.program, home2.Folder), DayRecordTexts(*home.program, annFolder));
  EXPECT_EQ(home.ExerciseID("Ann's Press"), press);
}

TEST(RestoredName, KeepsAFreeNameAndNumbersTakenOnesWithinTheNameLength) {
  const std::vector<std::string> taken = {"Ann", "ann (Restored)", "Bob"};
  EXPECT_EQ(RestoredName(" Eve ", taken), "Eve");
  EXPECT_EQ(RestoredName("ANN", taken), "ANN (restored 2)");
  EXPECT_EQ(RestoredName("Bob", taken), "Bob (restored)");
  const std::string longName(kMaxNameLength, 'x');
  const std::string restored = RestoredName(longName, {longName});
  EXPECT_LE(restored.size(), static_cast<std::size_t>(kMaxNameLength));
  EXPECT_TRUE(restored.ends_with("... (restored)")) << restored;
}

TEST(BackupTexts, TheDefaultFileNameIsSafeForAnyAccountName) {
  EXPECT_EQ(DefaultBackupFileName("Ann", kToday), "Ann diary 2007-06-15.kvb");
  EXPECT_EQ(DefaultBackupFileName("../a/b\\c:d", kToday), "_.._a_b_c_d diary 2007-06-15.kvb");
  EXPECT_EQ(DefaultBackupFileName("  ", kToday), "_ diary 2007-06-15.kvb");
}

// Ways a backup can be damaged or foreign; each is refused and leaves the
// installation exactly as it was.
class DamagedBackupTest : public AccountBackupTest {
 protected:
  DamagedBackupTest() { BackUpAccount(*home.program, Ann(), backup); }

  // Changes one record of a copy of the backup in place of the original.
  template <typename Change>
  void ChangeRecords(Change&& change) {
    XMLDB db(backup, kBackupKind, home.program->Random());
    change(db);
    db.Save();
  }

  // The day-record file that holds the workout.
  static std::string PeriodFile() { return DayRecordFileName(kToday - 1); }

  std::int32_t RecordOfFile(XMLDB& db, const std::string& name) {
    for (const XMLHandle& h : db.Handles()) {
      const XMLNode* node = db.Get(h.ID, kDataKey, h.Date);
      if (node && node->Name == kBackupFileElement && node->AttrOrEmpty("NAME") == name)
        return h.ID;
    }
    return -1;
  }

  void ExpectRefused(const std::string& what, bool tooNew = false) {
    const auto before = TreeContents(other.folder.Path());
    const std::size_t accounts = other.program->Accounts().size();
    try {
      RestoreAccount(*other.program, backup);
      ADD_FAILURE() << what << ": restored";
    } catch (const EBackupDamaged& e) {
      EXPECT_EQ(e.File(), backup.string()) << what;
      EXPECT_EQ(e.Message(), tooNew ? kMsgBackupTooNew : kMsgBackupDamaged) << what;
    }
    EXPECT_EQ(other.program->Accounts().size(), accounts) << what;
    EXPECT_SAME_FILES(TreeContents(other.folder.Path()), before) << what;
  }
};

TEST_F(DamagedBackupTest, DamagedBytesAreRefused) {
  const std::string whole = ReadFile(backup);
  const std::pair<const char*, std::string> cases[] = {
      {"empty", ""},
      {"cut in half", whole.substr(0, whole.size() / 2)},
      {"last byte missing", whole.substr(0, whole.size() - 1)},
      {"a byte in the middle",
       [&] {
         std::string b = whole;
         b[b.size() / 2] ^= 0x20;
         return b;
       }()},
      {"a byte near the end",
       [&] {
         std::string b = whole;
         b[b.size() - 40] ^= 0x01;
         return b;
       }()},
      {"not a database", "date,weight\n2007-06-01,60\n"},
  };
  for (const auto& [what, bytes] : cases) {
    WriteFile(backup, bytes);
    ExpectRefused(what);
  }
}

TEST_F(DamagedBackupTest, AnExchangePackageIsNoBackup) {
  fs::remove(backup);
  {
    TIEPackage package(backup, home.program->Random());
    ASSERT_EQ(package.Load(""), TPackageLoad::Ok);
    package.Save();
  }
  ExpectRefused("package");
}

TEST_F(DamagedBackupTest, RecordsThatDoNotAddUpAreRefused) {
  const fs::path original = scratch.Path() / "original.kvb";
  fs::copy_file(backup, original);
  const auto fresh = [&] { fs::copy_file(original, backup, fs::copy_options::overwrite_existing); };

  ChangeRecords([&](XMLDB& db) { db.Delete(RecordOfFile(db, "MI.DAT"), 2); });
  ExpectRefused("a file missing");

  fresh();
  ChangeRecords([&](XMLDB& db) {
    // Without the account file the count is made to agree again.
    db.Delete(RecordOfFile(db, kAccountFileName), 2);
    const XMLNode* header = db.Get(4, kDataKey, 1);
    auto changed = CopyElement(*header);
    changed->Attributes.erase(std::find_if(changed->Attributes.begin(), changed->Attributes.end(),
                                           [](const XMLAttr& a) { return a.Name == "RECORDS"; }));
    changed->AddIntAttr("RECORDS", header->AttrInt("RECORDS") - 1);
    db.Put(std::move(changed), 4, kDataKey, 1);
  });
  ExpectRefused("no account file");

  fresh();
  ChangeRecords([&](XMLDB& db) {
    const std::int32_t id = RecordOfFile(db, "MI.DAT");
    auto changed = CopyElement(*db.Get(id, kDataKey, 2));
    for (XMLAttr& a : changed->Attributes)
      if (a.Name == "NAME") a.Value = "../MI.DAT";
    db.Put(std::move(changed), id, kDataKey, 2);
  });
  ExpectRefused("a file outside the folder");

  fresh();
  ChangeRecords([&](XMLDB& db) {
    const std::int32_t id = RecordOfFile(db, "MI.DAT");
    auto changed = CopyElement(*db.Get(id, kDataKey, 2));
    changed->Text = changed->Text.str() + "AAAA";
    db.Put(std::move(changed), id, kDataKey, 2);
  });
  ExpectRefused("a file of another size");

  // Files whose checksums agree but whose bytes the program cannot read.
  for (const std::string& name : {std::string(kAccountFileName), PeriodFile()}) {
    fresh();
    ChangeRecords([&](XMLDB& db) {
      const std::int32_t id = RecordOfFile(db, name);
      ASSERT_NE(id, -1) << name;
      const std::string garbage = "not a Korvela file";
      char crc[9];
      std::snprintf(crc, sizeof crc, "%08x", Crc32Update(0, garbage.data(), garbage.size()));
      auto changed = std::make_unique<XMLNode>("BFILE", XMLString(EncodeBase64(garbage)));
      changed->AddAttr("NAME", name);
      changed->AddAttr("SIZE", std::to_string(garbage.size()));
      changed->AddAttr("CRC", crc);
      db.Put(std::move(changed), id, kDataKey, 2);
    });
    ExpectRefused("an unreadable " + name);
  }

  fresh();
  ChangeRecords([&](XMLDB& db) {
    auto header = CopyElement(*db.Get(4, kDataKey, 1));
    for (XMLAttr& a : header->Attributes)
      if (a.Name == "REQ") a.Value = "2";
    db.Put(std::move(header), 4, kDataKey, 1);
  });
  ExpectRefused("a newer format", true);
}

TEST_F(AccountBackupTest, AFullDiskKeepsTheOldBackupAndLeavesNothingBehind) {
  WriteFile(backup, "the backup of last week");
  const auto diary = test::FolderContents(annFolder);
  {
    const test::TDiskLimit limit(2000);
    try {
      BackUpAccount(*home.program, Ann(), backup);
      ADD_FAILURE() << "written past the limit";
    } catch (const EXMLIOError& e) {
      EXPECT_EQ(e.File(), backup.string());
    }
  }
  EXPECT_EQ(ReadFile(backup), "the backup of last week");
  EXPECT_EQ(test::FolderContents(scratch.Path()).size(), 1u);
  EXPECT_SAME_FILES(test::FolderContents(annFolder), diary);
}

TEST_F(AccountBackupTest, ARestoreTheDiskRefusesLeavesNoAccount) {
  BackUpAccount(*home.program, Ann(), backup);
  const auto before = TreeContents(other.folder.Path());
  {
    // The day records and food logs are larger than this.
    const test::TDiskLimit limit(2000);
    EXPECT_THROW(RestoreAccount(*other.program, backup), EXMLIOError);
  }
  EXPECT_EQ(other.program->Accounts().size(), 1u);
  EXPECT_SAME_FILES(TreeContents(other.folder.Path()), before);
}

// The settings file is no part of what a backup must hold: without it the
// restored account opens with the settings of a new account.
TEST_F(AccountBackupTest, ABackupWithoutSettingsRestoresAndOpensWithTheDefaults) {
  fs::remove(annFolder / kConfigFileName);
  BackUpAccount(*home.program, Ann(), backup);
  TUser& restored = RestoreAccount(*other.program, backup);
  EXPECT_FALSE(fs::exists(restored.Folder / kConfigFileName));
  other.program->Config().SetFloatingChar(',');
  test::TScriptedPrompter prompter;
  other.program->Login(restored, &prompter);
  EXPECT_EQ(prompter.shown, std::vector<std::string>{});
  EXPECT_EQ(other.program->Config().FloatingChar(), ',');
  EXPECT_TRUE(fs::exists(restored.Folder / kConfigFileName));
  EXPECT_EQ(DayRecordTexts(*other.program, restored.Folder).size(),
            DayRecordTexts(*home.program, annFolder).size());
}

// Where the installations of the cut restores lie: a folder in memory when
// the system has one, since every run flushes its files many times.
fs::path Scratch() {
  std::error_code ec;
  return fs::is_directory("/dev/shm", ec) ? fs::path("/dev/shm") : fs::temp_directory_path();
}

// The shared collections of a program folder as the program loads them,
// over a file system of the test's choice, and the day-record kinds.
class TCollectionsOn {
 public:
  TCollectionsOn(const fs::path& folder, TRandom& random, TFileSystem& fs)
      : menus_(folder, random, fs),
        exercises_(folder, random, fs),
        templates_(folder, config_, random, fs),
        sports_(folder, random, fs),
        stores{folder, foods_, menus_, exercises_, templates_, sports_, config_, random, fs} {
    if (!LoadFoodCatalogue(foods_, units_, folder, random, fs))
      throw std::runtime_error("no food catalogue");
    menus_.LoadMenus();
    exercises_.Load();
    templates_.Load();
    sports_.LoadSports();
    RegisterEnergyRecords(registry);
    RegisterTrainingRecords(registry, config_);
  }

 private:
  TConfigurator config_;
  TFoodTree foods_;
  TUnitDictionary units_;
  TMenuList menus_;
  TExerciseDictionary exercises_;
  TTemplateList templates_;
  TSportList sports_;

 public:
  TIEStores stores;
  TDayRecordRegistry registry;
};

using TTree = std::map<std::string, std::string>;

// The files of the shared collections a restore adds to.
const std::set<std::string> kSharedFiles = {"UA.DAT",   "RBOX.DAT", "FM.DAT",
                                            "GDDB.DAT", "PWTD.DAT", "SAA.DAT"};

// A restore cut at each of its write steps in turn, by a kill or by a disk
// that refuses the step. The installation is one that a restore made
// whole (the reference) or the one before, file by file: the account folder
// appears whole or not at all, every other file is as before or as the
// whole restore leaves it, and the next start loads it without a word.
class RestoreCutTest : public AccountBackupTest {
 protected:
  RestoreCutTest() {
    BackUpAccount(*home.program, Ann(), backup);
    // The installation holds every shared record database already, so that
    // the cuts fall on the restore's own steps; a cut while a missing
    // database is first made is the record database's own test.
    TUserFood& rye = other.AddFood("Other's Rye");
    other.AddRecipe("Other's Toast", rye);
    auto menu = std::make_unique<TDaysMeals>(DayLog(0, {Logged(rye, 1)}));
    menu->MenuName = "Other's Sunday";
    other.program->Menus().SaveMenu(std::move(menu));
    TWorkout plan;
    plan.Name = "Other's Plan";
    plan.Lines.push_back(other.SetLine(other.ExerciseID("Someone's Row")));
    other.program->Templates().Save(std::move(plan), other.program->Exercises());
    other.program->Exit();
    fs::copy(other.folder.Path(), before.Path(), fs::copy_options::recursive);
    beforeTree = Tree(before.Path());
    // The reference: the same restore, never cut.
    const test::TTempFolder whole(Scratch());
    Copy(whole.Path());
    EXPECT_EQ(test::RunInChild([&] { Restore(whole.Path(), -1, test::TCutFileSystem::TCut::Kill); }),
              test::TChildEnd::Finished);
    wholeTree = Tree(whole.Path());
    for (const auto& [name, bytes] : wholeTree)
      if (!beforeTree.count(name) && name.find('/') == std::string::npos) accountFolder = name;
    EXPECT_TRUE(accountFolder.starts_with("usr")) << accountFolder;
    wholeRecords = RecordsOfStart(whole.Path(), accountFolder);
    const test::TTempFolder start(Scratch());
    Copy(start.Path());
    RecordsOfStart(start.Path(), "");
  }

  void Copy(const fs::path& to) const {
    fs::copy(before.Path(), to, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  }

  // The restore as the data tool runs it, cut at write step `at`.
  void Restore(const fs::path& folder, int at, test::TCutFileSystem::TCut cut) const {
    auto random = MakeSeededRandom(77);
    test::TCutFileSystem fs(cut);
    TCollectionsOn collections(folder, *random, fs);
    fs.Arm(at);
    RestoreDiary(backup, collections.stores, collections.registry, {"Ann"});
  }

  // Every file and folder, a staging folder of a restore left out: it is
  // no account, and a start removes it once it is an hour old.
  static TTree Tree(const fs::path& folder) {
    TTree tree = TreeContents(folder);
    std::erase_if(tree, [](const auto& entry) {
      return entry.first.starts_with(kRestoreStagingPrefix);
    });
    return tree;
  }

  // The shared items of a started program by kind and name.
  static std::set<std::string> SharedItems(TProgram& program) {
    std::set<std::string> items;
    for (const auto& food : program.Foods().UserFoodList().Foods) items.insert("food " + food->Name);
    for (const auto& food : program.Foods().RecipeList().Foods) items.insert("recipe " + food->Name);
    for (const auto& menu : program.Menus().Menus()) items.insert("menu " + menu->MenuName);
    for (const auto& drill : program.Exercises().Live()) items.insert("exercise " + drill->Name);
    for (const auto& plan : program.Templates().Templates()) items.insert("template " + plan.Name);
    for (std::size_t i = 0; i < program.Sports().Count(); ++i)
      items.insert("activity " + program.Sports().At(i).Activity);
    return items;
  }

  // The day records of the restored account as a start finds them, empty
  // when there is no such account; the shared items become those of the
  // installation before the restore (no account named) or after it.
  std::map<std::pair<std::int32_t, TDateTime>, std::string> RecordsOfStart(
      const fs::path& folder, const std::string& account) {
    TFixedClock clock(kToday + 0.5);
    auto random = MakeSeededRandom(5);
    TProgram program(folder, TSystemDefaults{}, clock, *random);
    program.Start();
    EXPECT_TRUE(program.LoadSharedCollections());
    (account.empty() ? beforeItems : wholeItems) = SharedItems(program);
    for (const auto& user : program.Accounts())
      if (user->Folder.filename() == account) return DayRecordTexts(program, user->Folder);
    return {};
  }

  // What a cut left: returns whether the account came.
  bool ExpectWholeOrNothing(const fs::path& folder, const std::string& what) {
    RemoveLeftoverTemporaryFiles(folder);
    const TTree after = Tree(folder);
    const bool restored = after.count(accountFolder) > 0;
    std::set<std::string> names;
    for (const TTree* tree : std::initializer_list<const TTree*>{&beforeTree, &wholeTree, &after})
      for (const auto& [name, bytes] : *tree) names.insert(name);
    for (const std::string& name : names) {
      const auto value = [&](const TTree& tree) {
        const auto found = tree.find(name);
        return found == tree.end() ? std::optional<std::string>() : found->second;
      };
      if (name == accountFolder || name.starts_with(accountFolder + "/")) {
        EXPECT_TRUE(value(after) == (restored ? value(wholeTree) : value(beforeTree)))
            << what << ": " << name;
      } else if (value(after) != value(beforeTree) && value(after) != value(wholeTree)) {
        // A shared collection that takes its items one write each may hold
        // some of them: checked item by item below.
        EXPECT_TRUE(kSharedFiles.count(name)) << what << ": " << name;
      }
      if (!name.starts_with("usr") && value(after) != value(beforeTree)) sharedChanged.insert(what);
    }
    // The next start: no message, the shared collections load, every
    // account opens.
    TFixedClock clock(kToday + 0.5);
    auto random = MakeSeededRandom(6);
    test::TScriptedPrompter prompter;
    TProgram program(folder, TSystemDefaults{}, clock, *random);
    program.Start(&prompter);
    EXPECT_EQ(prompter.shown, std::vector<std::string>{}) << what;
    EXPECT_TRUE(program.LoadSharedCollections()) << what;
    EXPECT_EQ(program.Accounts().size(), restored ? 2u : 1u) << what;
    const std::set<std::string> items = SharedItems(program);
    EXPECT_TRUE(std::includes(items.begin(), items.end(), beforeItems.begin(), beforeItems.end()))
        << what;
    EXPECT_TRUE(std::includes(wholeItems.begin(), wholeItems.end(), items.begin(), items.end()))
        << what;
    for (const auto& user : program.Accounts()) {
      program.Login(*user);
      program.LogOff();
    }
    if (!restored) {
      // A later restore is not hindered by what the cut one left.
      TUser& again = RestoreAccount(program, backup);
      EXPECT_EQ(again.UserName, "Ann (restored)") << what;
      EXPECT_EQ(DayRecordTexts(program, again.Folder), wholeRecords) << what;
    }
    return restored;
  }

  test::TTempFolder before{Scratch()};
  TTree beforeTree;
  TTree wholeTree;
  std::string accountFolder;
  std::map<std::pair<std::int32_t, TDateTime>, std::string> wholeRecords;
  std::set<std::string> beforeItems;
  std::set<std::string> wholeItems;
  // The cuts after which a shared file held what the restore added.
  std::set<std::string> sharedChanged;
};

TEST_F(RestoreCutTest, AKillAtAnyWriteStepLeavesTheInstallationAsBeforeOrWhollyRestored) {
  int killed = 0, restored = 0;
  for (int at = 0;; ++at) {
    const test::TTempFolder folder(Scratch());
    Copy(folder.Path());
    const test::TChildEnd end = test::RunInChild(
        [&] { Restore(folder.Path(), at, test::TCutFileSystem::TCut::Kill); });
    ASSERT_NE(end, test::TChildEnd::Failed) << "step " << at;
    if (end == test::TChildEnd::Finished) {
      // Every step has been cut once; uncut, the restore is the reference.
      EXPECT_EQ(Tree(folder.Path()), wholeTree);
      break;
    }
    ++killed;
    if (ExpectWholeOrNothing(folder.Path(), "killed at step " + std::to_string(at))) ++restored;
  }
  EXPECT_GT(killed, 20);
  // A kill ends the restore before its step is done, and the account's move
  // is the last one: no kill brings the account.
  EXPECT_EQ(restored, 0);
  std::printf("restore killed at %d write steps; %zu left shared items added, none an account\n",
              killed, sharedChanged.size());
}

TEST_F(RestoreCutTest, AWriteStepTheDiskRefusesLeavesNoAccountAndNoStagingFolder) {
  int refused = 0;
  for (int at = 0;; ++at) {
    const test::TTempFolder folder(Scratch());
    Copy(folder.Path());
    const std::string what = "refused at step " + std::to_string(at);
    bool failed = false;
    try {
      Restore(folder.Path(), at, test::TCutFileSystem::TCut::Fail);
    } catch (const EKorvelaError& e) {
      failed = true;
      EXPECT_FALSE(e.File().empty()) << what << ": " << e.what();
    }
    if (!failed) break;
    ++refused;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
      EXPECT_FALSE(entry.path().filename().string().starts_with(kRestoreStagingPrefix)) << what;
    EXPECT_FALSE(ExpectWholeOrNothing(folder.Path(), what));
  }
  EXPECT_GT(refused, 20);
  std::printf("restore refused at %d write steps; %zu left shared items added, none an account\n",
              refused, sharedChanged.size());
}

}  // namespace
}  // namespace korvela
