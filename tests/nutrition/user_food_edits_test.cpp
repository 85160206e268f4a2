#include "nutrition/user_food_edits.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "storage/errors.h"
#include "storage/random.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TTempFolder;

// Two catalogue categories, then "User-Added Foods" (2) and "Recipes" (3).
class TUserFoodEditsTest : public ::testing::Test {
 protected:
  TUserFoodEditsTest() {
    for (const char* name : {"Fruits", "Breads", "User-Added Foods", "Recipes"})
      tree_.Lists.push_back({name, {}});
    auto roll = std::make_unique<TFoodItem>("Bread roll");
    roll->P = 9;
    roll->weights = {{"roll", 1, 60}, {"oz", 1, 28.35L}};
    roll_ = roll.get();
    tree_.Lists[1].Foods.push_back(std::move(roll));
  }
  std::vector<std::string> UserFoodNames() {
    std::vector<std::string> names;
    for (const auto& food : tree_.UserFoodList().Foods) names.push_back(food->Name);
    return names;
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(99);
  TFoodTree tree_;
  TFoodItem* roll_ = nullptr;
};

TEST_F(TUserFoodEditsTest, ANewUserFoodIsFiledUnderUserAddedFoods) {
  const std::unique_ptr<TUserFood> food = NewUserFood(tree_, "Granola");
  EXPECT_EQ(food->Name, "Granola");
  EXPECT_EQ(food->CategoryID, 2);
  EXPECT_EQ(food->ID, -1);
  EXPECT_TRUE(tree_.UserFoodList().Foods.empty());
}

TEST_F(TUserFoodEditsTest, ACopyOfACatalogueFoodIsFiledUnderItsCategory) {
  TUserFood& copy = AddEditCopy(tree_, *roll_);
  EXPECT_EQ(copy.Name, "A Copy of Bread roll");
  EXPECT_EQ(copy.CategoryID, 1);
  EXPECT_EQ(copy.ID, -1);
  EXPECT_EQ(copy.P, 9);
  ASSERT_EQ(copy.weights.size(), 2u);
  EXPECT_EQ(tree_.CategoryIndexOf(copy), 2);
  EXPECT_EQ(UserFoodNames(), std::vector<std::string>{"A Copy of Bread roll"});

  // The copy of a stored user food keeps the category, not the identifier.
  copy.CategoryID = 0;
  SaveUserFood(copy, folder_.Path(), *random_);
  TUserFood& second = AddEditCopy(tree_, copy);
  EXPECT_EQ(second.Name, "A Copy of A Copy of Bread roll");
  EXPECT_EQ(second.CategoryID, 0);
  EXPECT_EQ(second.ID, -1);

  // A food held by no list has no category.
  const TFoodItem loose("Loose");
  EXPECT_EQ(AddEditCopy(tree_, loose).CategoryID, -1);
}

TEST_F(TUserFoodEditsTest, ARecipeCannotBeCopiedIntoAUserFood) {
  TFoodItem& recipe = *tree_.RecipeList().Foods.emplace_back(std::make_unique<TFoodItem>("Stew"));
  recipe.recipe = std::make_unique<XMLNode>("R");
  EXPECT_THROW(AddEditCopy(tree_, recipe), EInternalError);
  EXPECT_TRUE(tree_.UserFoodList().Foods.empty());
}

TEST_F(TUserFoodEditsTest, SavingAnEditUpdatesTheFrequentCopyFoundByTheOldName) {
  TFrequentFoods frequent(*random_);
  TTempFolder user;
  frequent.OpenFrequentFoods(user.Path());
  frequent.LoadFrequentFoods();
  TUserFood& food = AddEditCopy(tree_, *roll_);
  SaveUserFood(food, folder_.Path(), *random_);
  frequent.CountFoodUse(food);
  frequent.CountFoodUse(TFoodItem("Other"));

  const struct {
    const char* newName;
    const char* oldName;
    const char* entryAfter;
  } edits[] = {
      {"Wholemeal roll", "a copy of bread ROLL", "Wholemeal roll"},
      // An old name that matches no entry leaves the entries alone.
      {"Rye roll", "Bread roll", "Wholemeal roll"},
  };
  for (const auto& e : edits) {
    food.Name = e.newName;
    food.P = 11;
    SaveEditedUserFood(food, e.oldName, frequent, folder_.Path(), *random_);
    EXPECT_EQ(frequent.Entries[0]->Name, e.entryAfter) << e.newName;
    EXPECT_EQ(frequent.Entries[1]->Name, "Other") << e.newName;
  }
  EXPECT_EQ(frequent.Entries[0]->P, 11);
  EXPECT_EQ(frequent.Entries[0]->UsageCount, 1);

  TFoodList stored{"User-Added Foods", {}};
  LoadUserFoods(stored, folder_.Path(), *random_);
  ASSERT_EQ(stored.Foods.size(), 1u);
  EXPECT_EQ(stored.Foods[0]->Name, "Rye roll");

  // With nobody logged in only the user food is stored.
  frequent.CloseFrequentFoods();
  food.Name = "Oat roll";
  SaveEditedUserFood(food, "Rye roll", frequent, folder_.Path(), *random_);
  stored.Foods.clear();
  LoadUserFoods(stored, folder_.Path(), *random_);
  EXPECT_EQ(stored.Foods[0]->Name, "Oat roll");
}

TEST_F(TUserFoodEditsTest, RemovingAUserFoodDeletesItsRecordAndTakesItOffTheList) {
  TUserFood& first = AddEditCopy(tree_, *roll_);
  TUserFood& second = AddEditCopy(tree_, *roll_);
  second.Name = "Second";
  SaveUserFood(first, folder_.Path(), *random_);
  SaveUserFood(second, folder_.Path(), *random_);
  RemoveUserFood(tree_, first, folder_.Path(), *random_);
  EXPECT_EQ(UserFoodNames(), std::vector<std::string>{"Second"});

  TFoodList stored{"User-Added Foods", {}};
  LoadUserFoods(stored, folder_.Path(), *random_);
  ASSERT_EQ(stored.Foods.size(), 1u);
  EXPECT_EQ(stored.Foods[0]->Name, "Second");
}

}  // namespace
}  // namespace korvela
