#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "nutrition/food_log_store.h"
#include "nutrition/meal_definitions.h"
#include "storage/garbled_stream.h"
#include "tool_test.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kDay = 39248;  // 15 June 2007

class FoodLogCommandTest : public test::TToolTest {
 protected:
  FoodLogCommandTest() { fs::create_directories(File("user1")); }

  void StoreLog(const std::string& file, const TDaysMeals& log) {
    XMLDB db(File("user1") / file, kFoodLogKind, *random_);
    db.Put(WriteFoodLogElement(log), kFoodLogID, kDataKey, log.ForDate);
    db.Save();
  }

  static TDaysMeals Log() {
    TDaysMeals log = NewDayPlan(kDay, DefaultMealDefinitions());
    log.MenuNotes = "rest day";
    TWFoodItem milk;
    milk.Name = "Milk, whole";
    milk.P = 3.15L;
    milk.F = 3.2L;
    milk.C = 4.8L;
    milk.weights = {{"cup", 1, 244}};
    milk.WI = 0;
    milk.WM = 1.5L;
    milk.WMStr = "1 1/2";
    log.meals[0].foods.push_back(milk);
    TWFoodItem oats = milk;
    oats.Name = "Oats";
    oats.P = 10;
    oats.F = 0;
    oats.C = 0;
    oats.WI = 1;
    oats.WM = 50;
    oats.WMStr = "50";
    log.meals[0].foods.push_back(oats);
    return log;
  }
};

TEST_F(FoodLogCommandTest, PrintsMealsFoodsQuantitiesAndTotals) {
  StoreLog("FDBA.DAT", Log());
  const test::TToolRun printed = Run({"foodlog", folder_.Path().string(), "user1", "2007-06-15"});
  ASSERT_EQ(printed.code, 0) << printed.err;
  const std::string& out = printed.out;
  EXPECT_TRUE(out.starts_with("Food log of 2007-06-15 in FDBA.DAT\nNotes: rest day\n")) << out;
  // 1 1/2 cups of 244 g: 366 g, 11.529 g protein, 11.712 g fat, 17.568 g carbs.
  EXPECT_NE(out.find("meal\tBreakfast\t07:30\n"
                     "food\tMilk, whole\t1 1/2 cup\t366\t11.53\t11.71\t17.57\t0\t221.8\n"
                     "food\tOats\t50 grams\t50\t5\t0\t0\t0\t20\n"
                     "total\tBreakfast\t\t416\t16.53\t11.71\t17.57\t0\t241.8\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("meal\tSnack 3\t21:00\ntotal\tSnack 3\t\t0\t0\t0\t0\t0\t0\n"),
            std::string::npos)
      << out;
  EXPECT_TRUE(out.ends_with("day\t\t\t416\t16.53\t11.71\t17.57\t0\t241.8\n")) << out;
}

TEST_F(FoodLogCommandTest, ADayWithoutALogSaysSoAndCreatesNothing) {
  const test::TToolRun run = Run({"foodlog", folder_.Path().string(), "user1", "2007-06-16"});
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.out, "No food log is stored for 2007-06-16.\n");
  EXPECT_TRUE(fs::is_empty(File("user1")));

  StoreLog("FDBC.DAT", Log());
  EXPECT_EQ(Run({"foodlog", folder_.Path().string(), "user1", "39249"}).out,
            "No food log is stored for 2007-06-16.\n");
}

TEST_F(FoodLogCommandTest, ADamagedStoreIsNamed) {
  test::WriteBytes(File("user1") / "FDBC.DAT", "garbage that is no database");
  const test::TToolRun run = Run({"foodlog", folder_.Path().string(), "user1", "2007-06-15"});
  EXPECT_EQ(run.code, 1);
  test::ExpectOneLineNaming(run.err, "FDBC.DAT");
  EXPECT_EQ(Run({"foodlog", folder_.Path().string(), "nobody", "2007-06-15"}).code, 1);
  EXPECT_EQ(Run({"foodlog", folder_.Path().string(), "user1", "June"}).code, 2);
}

}  // namespace
}  // namespace korvela
