#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app/program.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_log_store.h"
#include "nutrition/unit_dictionary.h"
#include "nutrition/user_foods.h"
#include "support/disk_limit.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kToday = 39248;  // 15 June 2007

// Every file under a folder with its bytes.
std::map<std::string, std::string> Tree(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& e : fs::recursive_directory_iterator(folder))
    if (e.is_regular_file()) files[e.path().string()] = test::ReadBytes(e.path());
  return files;
}

// Two data folders: "data" with Ann, who logged a food of her own, and Bob;
// "home2" with nobody yet. Both have a small food catalogue.
class BackupCommandTest : public test::TToolTest {
 protected:
  BackupCommandTest() {
    temporaryFolder_ = File("scratch");
    fs::create_directory(temporaryFolder_);
    std::ofstream(File("foods.tsv"))
        << "group\tfood\tprotein\tfat\tcarbohydrate\talcohol\tmeasures\n"
           "Grains\tOats\t13\t7\t60\t0\t1|cup|80\n";
    for (const char* folder : {"data", "home2"}) {
      fs::create_directory(File(folder));
      const test::TToolRun built =
          Run({"build-foods", Name("foods.tsv"), (File(folder) / "foods.dat").string()});
      EXPECT_EQ(built.code, 0) << built.err;
    }
    TFixedClock clock(kToday + 0.4);
    TProgram program(File("data"), TSystemDefaults{}, clock, *random_);
    ann_ = program.CreateAccount(test::AnnAccount()).Folder;
    TUserFood bread("Ann's Bread");
    bread.P = 9;
    bread.weights.push_back({"slice", 1, 30});
    SaveUserFood(bread, File("data"), *random_);
    TDaysMeals log;
    log.ForDate = kToday;
    TMeal meal;
    meal.Name = "Breakfast";
    TWFoodItem logged(bread);
    logged.WI = 0;
    logged.WM = 1;
    logged.WMStr = "1";
    meal.foods.push_back(logged);
    log.meals.push_back(meal);
    TFoodLogStore logs(ann_, *random_);
    logs.StoreDayLog(log, kToday);
    logs.Close();
    program.LogOff();
    TNewAccount bob = test::AnnAccount();
    bob.name = "Bob";
    program.CreateAccount(bob);
    program.LogOff();
  }

  fs::path ann_;
};

TEST_F(BackupCommandTest, ABackupRestoresInAnotherDataFolderAndChangesNothingAtHome) {
  const auto home = Tree(File("data"));
  const fs::path backup = File("Ann.kvb");
  const test::TToolRun made =
      Run({"backup", Name("data"), ann_.filename().string(), Name("Ann.kvb")});
  ASSERT_EQ(made.code, 0) << made.err;
  const std::size_t files = test::FolderContents(ann_).size();
  EXPECT_EQ(made.out, "The diary of Ann was backed up to " + backup.string() + " (" +
                          std::to_string(files) + " files and 1 shared item).\n");
  EXPECT_EQ(Tree(File("data")), home);
  EXPECT_TRUE(fs::is_empty(temporaryFolder_));

  const test::TToolRun restored = Run({"restore", Name("home2"), backup.string()});
  ASSERT_EQ(restored.code, 0) << restored.err;
  const TAccountList accounts = LoadAccountList(File("home2"));
  ASSERT_EQ(accounts.size(), 1u);
  EXPECT_EQ(restored.out, accounts.front()->Folder.filename().string() + "\tAnn\n");
  EXPECT_EQ(test::FolderContents(accounts.front()->Folder).size(), files);
  TFoodTree foods;
  TUnitDictionary units;
  ASSERT_TRUE(LoadFoodCatalogue(foods, units, File("home2"), *random_));
  ASSERT_EQ(foods.UserFoodList().Foods.size(), 1u);
  EXPECT_EQ(foods.UserFoodList().Foods.front()->Name, "Ann's Bread");

  // Restored at home beside the original, the account takes another name.
  const test::TToolRun again = Run({"restore", Name("data"), backup.string()});
  ASSERT_EQ(again.code, 0) << again.err;
  EXPECT_TRUE(again.out.ends_with("\tAnn (restored)\n")) << again.out;
}

// An account folder an older version left empty, or one with files but no
// account file, is no account: it neither stops a restore nor is touched.
TEST_F(BackupCommandTest, FoldersWithoutAccountFileDoNotHinderARestore) {
  ASSERT_EQ(Run({"backup", Name("data"), ann_.filename().string(), Name("Ann.kvb")}).code, 0);
  fs::create_directory(File("home2") / "usr5");
  fs::create_directory(File("home2") / "usr6");
  std::ofstream(File("home2") / "usr6" / "notes.txt") << "kept";
  const test::TToolRun restored = Run({"restore", Name("home2"), Name("Ann.kvb")});
  ASSERT_EQ(restored.code, 0) << restored.err;
  const TAccountList accounts = LoadAccountList(File("home2"));
  ASSERT_EQ(accounts.size(), 1u);
  EXPECT_EQ(restored.out, accounts.front()->Folder.filename().string() + "\tAnn\n");
  EXPECT_TRUE(fs::is_empty(File("home2") / "usr5"));
  EXPECT_EQ(test::ReadBytes(File("home2") / "usr6" / "notes.txt"), "kept");
}

TEST_F(BackupCommandTest, ADamagedBackupOrAWrongCallChangesNothing) {
  ASSERT_EQ(Run({"backup", Name("data"), ann_.filename().string(), Name("Ann.kvb")}).code, 0);
  std::string bytes = test::ReadBytes(File("Ann.kvb"));
  bytes.resize(bytes.size() * 2 / 3);
  std::ofstream(File("Ann.kvb"), std::ios::binary | std::ios::trunc) << bytes;
  const auto before = Tree(File("home2"));
  const test::TToolRun damaged = Run({"restore", Name("home2"), Name("Ann.kvb")});
  EXPECT_EQ(damaged.code, 1);
  test::ExpectOneLineNaming(damaged.err, Name("Ann.kvb"));
  EXPECT_EQ(Tree(File("home2")), before);

  const test::TToolRun missing = Run({"backup", Name("data"), "usr0", Name("x.kvb")});
  EXPECT_EQ(missing.code, 1);
  test::ExpectOneLineNaming(missing.err, (File("data") / "usr0").string());
  EXPECT_FALSE(fs::exists(File("x.kvb")));
  EXPECT_EQ(Run({"restore", Name("home2")}).code, 2);
  EXPECT_EQ(Run({"backup", Name("data"), Name("Ann.kvb")}).code, 2);
}

}  // namespace
}  // namespace korvela
