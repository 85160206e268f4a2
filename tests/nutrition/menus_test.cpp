#include "nutrition/menus.h"

#include <gtest/gtest.h>

#include "nutrition/meal_definitions.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

class MenuListTest : public ::testing::Test {
 protected:
  std::unique_ptr<TDaysMeals> Menu(const std::string& name, Extended grams = 100) {
    auto menu = std::make_unique<TDaysMeals>(NewDayPlan(0, DefaultMealDefinitions()));
    menu->MenuName = name;
    TWFoodItem oats;
    oats.Name = "Oats";
    oats.P = 13;
    oats.WI = 0;
    oats.WM = grams;
    oats.WMStr = "100";
    menu->meals[0].foods.push_back(oats);
    return menu;
  }
  std::vector<std::string> Names(const TMenuList& list) {
    std::vector<std::string> names;
    for (const auto& menu : list.Menus()) names.push_back(menu->MenuName);
    return names;
  }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  TMenuList menus{folder.Path(), *random};
};

TEST_F(MenuListTest, SavedMenusComeBackInFileOrderWithTheirIDs) {
  menus.LoadMenus();
  EXPECT_TRUE(menus.Menus().empty());
  EXPECT_FALSE(std::filesystem::exists(folder / "FM.DAT"));

  TDaysMeals& cutting = menus.SaveMenu(Menu("Cutting day"));
  menus.SaveMenu(Menu("Rest day"));
  TDaysMeals& big = menus.SaveMenu(Menu("Big day"));
  EXPECT_GE(cutting.ID, kFirstFreeID);
  menus.DeleteMenu(big);
  EXPECT_EQ(Names(menus), (std::vector<std::string>{"Cutting day", "Rest day"}));

  TMenuList again(folder.Path(), *random);
  again.LoadMenus();
  EXPECT_EQ(Names(again), (std::vector<std::string>{"Cutting day", "Rest day"}));
  EXPECT_EQ(again.Menus()[0]->ID, cutting.ID);
  EXPECT_TRUE(again.Menus()[0]->IsMenu());
  EXPECT_EQ(again.Menus()[0]->meals[0].foods[0].Name, "Oats");
}

TEST_F(MenuListTest, SavingAChangedMenuReplacesItsRecord) {
  TDaysMeals& menu = menus.SaveMenu(Menu("Cutting day"));
  const std::int32_t id = menu.ID;
  menu.MenuNotes = "low carb";
  menus.SaveMenu(menu);
  EXPECT_EQ(menu.ID, id);
  TMenuList again(folder.Path(), *random);
  again.LoadMenus();
  ASSERT_EQ(again.Menus().size(), 1u);
  EXPECT_EQ(again.Menus()[0]->MenuNotes, "low carb");
}

TEST_F(MenuListTest, RevertingDiscardsChangesInPlace) {
  menus.SaveMenu(Menu("First"));
  TDaysMeals& menu = menus.SaveMenu(Menu("Second", 100));
  menus.SaveMenu(Menu("Third"));
  menu.meals[0].foods[0].WM = 250;
  menu.MenuName = "Renamed";

  TDaysMeals& fresh = menus.RevertMenu(menu);
  EXPECT_EQ(menus.IndexOf(fresh), 1);
  EXPECT_EQ(fresh.MenuName, "Second");
  EXPECT_EQ(fresh.meals[0].foods[0].WM, 100);
  EXPECT_EQ(Names(menus), (std::vector<std::string>{"First", "Second", "Third"}));

  // A menu never saved has nothing to go back to.
  auto unsaved = Menu(std::string(kNewMenuName));
  EXPECT_EQ(&menus.RevertMenu(*unsaved), unsaved.get());
}

TEST_F(MenuListTest, ADayLogIsNotAMenu) {
  auto log = Menu("x");
  log->ForDate = 39248;
  EXPECT_THROW(menus.SaveMenu(*log), EInternalError);
}

TEST_F(MenuListTest, AForeignFileIsRefusedWithItsName) {
  { XMLDB other(folder / "FM.DAT", 394857, *random); }
  try {
    menus.LoadMenus();
    FAIL() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_NE(e.File().find("FM.DAT"), std::string::npos);
  }
}

TEST(MealDefinitionsFile, SavedDefinitionsComeBackSortedAndTheDefaultsWithoutAFile) {
  test::TTempFolder folder;
  auto random = MakeSeededRandom(1);
  EXPECT_EQ(LoadMealDefinitions(folder.Path()).size(), 6u);
  EXPECT_FALSE(std::filesystem::exists(folder / "MI.DAT"));

  TMealDefinitions meals = {{"Supper", 18.5 / 24, {}}, {"Breakfast", 6.0 / 24, {}}};
  SaveMealDefinitions(meals, folder.Path(), *random);
  EXPECT_EQ(meals[0].Name, "Breakfast");
  const TMealDefinitions back = LoadMealDefinitions(folder.Path());
  ASSERT_EQ(back.size(), 2u);
  EXPECT_EQ(back[0].Name, "Breakfast");
  EXPECT_DOUBLE_EQ(back[1].TOD, 18.5 / 24);

  test::WriteBytes(folder / "MI.DAT", "damaged");
  try {
    LoadMealDefinitions(folder.Path());
    FAIL() << "no error";
  } catch (const EKorvelaError& e) {
    EXPECT_NE(e.File().find("MI.DAT"), std::string::npos);
  }
}

}  // namespace
}  // namespace korvela
