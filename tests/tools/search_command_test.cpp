#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "nutrition/food_catalogue.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "tool_test.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TToolRun;
using test::WriteBytes;

// A data folder with two catalogue categories (Fruit 0, Drinks 1), user foods
// filed under Drinks and under "User-Added Foods" (2), and a user who logged
// "pie, apple" five times.
class TSearchCommandTest : public test::TToolTest {
 protected:
  TSearchCommandTest() {
    WriteBytes(File("foods.tsv"),
               "group\tfood\tprotein\tfat\tcarbohydrate\talcohol\tmeasures\n"
               "Fruit\tPineapple\t0.5\t0.1\t13\t0\t\n"
               "Fruit\tPie, apple\t2\t11\t34\t0\t\n"
               "Fruit\tCrab-apple\t0.4\t0.3\t20\t0\t\n"
               "Drinks\tApple juice\t0.1\t0.1\t11\t0\t\n");
    fs::create_directories(File("data") / "usr1");
    const TToolRun built = Run({"build-foods", Name("foods.tsv"), Name("data/foods.dat")});
    EXPECT_EQ(built.code, 0) << built.err;
    for (const auto& [name, category] : {std::pair{"Apple cider", 1}, {"Apple, my own", 2}}) {
      TUserFood food(name);
      food.CategoryID = category;
      SaveUserFood(food, File("data"), *random_);
    }
    TFrequentFoods frequent(*random_);
    frequent.OpenFrequentFoods(File("data") / "usr1");
    frequent.LoadFrequentFoods();
    for (int i = 0; i < 5; ++i) frequent.CountFoodUse(TFoodItem("pie, apple"));
    frequent.CloseFrequentFoods();
  }

  std::map<fs::path, std::string> Files() const {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(File("data")))
      if (entry.is_regular_file()) files[entry.path()] = ReadBytes(entry.path());
    return files;
  }
};

TEST_F(TSearchCommandTest, PrintsRankAndNameBestFirstAndChangesNoFile) {
  const auto before = Files();
  const TToolRun run = Run({"search", Name("data"), "usr1", "apple"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "-5\tPie, apple\n"
            "1\tApple juice\n"
            "1\tApple cider\n"
            "1\tApple, my own\n"
            "6\tCrab-apple\n");
  EXPECT_TRUE(run.err.empty());

  const TToolRun none = Run({"search", Name("data"), "-", "apple  PIE "});
  EXPECT_EQ(none.out, "1\tPie, apple\n");
  EXPECT_EQ(Files(), before);
}

TEST_F(TSearchCommandTest, CategoryOptionKeepsTheListAndTheUserFoodsFiledUnderIt) {
  EXPECT_EQ(Run({"search", "--category", "1", Name("data"), "usr1", "apple"}).out,
            "1\tApple juice\n1\tApple cider\n");
  EXPECT_EQ(Run({"search", "--category", "2", Name("data"), "-", "apple"}).out,
            "1\tApple, my own\n");
}

TEST_F(TSearchCommandTest, MessagesAreTheOnlyLine) {
  for (const char* query : {"kiwi", "   ", ""}) {
    const TToolRun run = Run({"search", Name("data"), "usr1", query});
    EXPECT_EQ(run.code, 0);
    EXPECT_EQ(run.out, "Your search found no foods\n") << query;
  }
}

TEST_F(TSearchCommandTest, UsageErrorsExitTwoAndDamagedFilesOne) {
  for (const auto& args : {std::initializer_list<std::string>{"search", Name("data"), "usr1"},
                           {"search", "--categry", "1", Name("data"), "usr1", "apple"},
                           {"search", "--category", "x", Name("data"), "usr1", "apple"},
                           {"search", "--category", "-2", Name("data"), "usr1", "apple"}}) {
    const TToolRun run = Run(args);
    EXPECT_EQ(run.code, 2) << run.err;
    EXPECT_TRUE(run.out.empty());
  }
  TToolRun missing = Run({"search", Name("data"), "usr9", "apple"});
  EXPECT_EQ(missing.code, 1);
  test::ExpectOneLineNaming(missing.err, "usr9");

  const std::string frequent = ReadBytes(File("data") / "usr1" / "FF.DAT");
  WriteBytes(File("data") / "usr1" / "FF.DAT", frequent.substr(0, frequent.size() - 7));
  const TToolRun damaged = Run({"search", Name("data"), "usr1", "apple"});
  EXPECT_EQ(damaged.code, 1);
  EXPECT_TRUE(damaged.out.empty());
  test::ExpectOneLineNaming(damaged.err, "FF.DAT");
}

// Recipes of the recipe box form the last list of the tree, "Recipes" (3).
TEST_F(TSearchCommandTest, FindsRecipesAndNamesADamagedRecipeBox) {
  TRecipeFood crumble = NewRecipe();
  crumble.Name = "Apple crumble";
  SaveRecipe(crumble, File("data"), *random_);
  EXPECT_EQ(Run({"search", "--category", "3", Name("data"), "-", "apple"}).out,
            "1\tApple crumble\n");
  EXPECT_EQ(Run({"search", Name("data"), "-", "crumble"}).out, "7\tApple crumble\n");

  const std::string box = ReadBytes(File("data") / "RBOX.DAT");
  WriteBytes(File("data") / "RBOX.DAT", box.substr(0, box.size() - 5));
  const TToolRun damaged = Run({"search", Name("data"), "-", "apple"});
  EXPECT_EQ(damaged.code, 1);
  test::ExpectOneLineNaming(damaged.err, "RBOX.DAT");
}

}  // namespace
}  // namespace korvela
