#include "nutrition/recipe_book.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "nutrition/food_catalogue.h"
#include "storage/random.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TTempFolder;

class TRecipeBookTest : public ::testing::Test {
 protected:
  TWFoodItem Ingredient(const TFoodItem& food) {
    TWFoodItem item(food);
    item.WI = 0;
    item.WM = 1;
    item.WMStr = "1";
    return item;
  }
  TFoodItem Beans() {
    TFoodItem food("Beans");
    food.P = 10;
    food.weights = {{"cup", 1, 200}};
    return food;
  }
  // A stored recipe "Stew" of one cup of beans.
  const TRecipeFood& StoredStew() {
    book_.StartNew();
    EXPECT_FALSE(book_.SetName("Stew"));
    book_.AddIngredient(Ingredient(Beans()));
    EXPECT_FALSE(book_.Save());
    return dynamic_cast<const TRecipeFood&>(*list_.Foods.back());
  }
  std::vector<std::string> Loaded() {
    TFoodList list{"Recipes", {}};
    LoadRecipes(list, folder_.Path(), *random_);
    std::vector<std::string> names;
    for (const auto& food : list.Foods) names.push_back(food->Name);
    return names;
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(77);
  TFoodList list_{"Recipes", {}};
  TRecipeBook book_{list_, folder_.Path(), *random_};
};

TEST_F(TRecipeBookTest, ANewRecipeNeedsAnIngredientBeforeItIsSaved) {
  book_.StartNew();
  EXPECT_EQ(book_.Mode(), TRecipeMode::New);
  EXPECT_EQ(book_.Working()->Name, "A new recipe");
  EXPECT_FALSE(book_.CanSave());
  EXPECT_FALSE(book_.Save());
  EXPECT_TRUE(list_.Foods.empty());
  EXPECT_EQ(book_.Mode(), TRecipeMode::New);

  EXPECT_EQ(book_.SetName(""), "Recipe name is required!");
  EXPECT_EQ(book_.Working()->Name, "A new recipe");
  EXPECT_EQ(book_.SetServings("0", '.'), "Invalid serving size");
  EXPECT_FALSE(book_.SetServings("4", '.'));
  book_.AddIngredient(Ingredient(Beans()));
  EXPECT_TRUE(book_.CanSave());
  EXPECT_DOUBLE_EQ(static_cast<double>(book_.Working()->P), 20);
  book_.DeleteIngredient(0);
  EXPECT_FALSE(book_.CanSave());
  EXPECT_DOUBLE_EQ(static_cast<double>(book_.Working()->P), 0);
}

TEST_F(TRecipeBookTest, EditReplacesTheStoredRecipeAndACopyIsNew) {
  const TRecipeFood& stew = StoredStew();
  const std::int32_t id = stew.ID;
  EXPECT_EQ(book_.Mode(), TRecipeMode::Browsing);
  EXPECT_EQ(Loaded(), std::vector<std::string>{"Stew"});

  book_.StartEdit(stew);
  ASSERT_FALSE(book_.SetName("Bean stew"));
  ASSERT_FALSE(book_.Save());
  ASSERT_EQ(list_.Foods.size(), 1U);
  EXPECT_EQ(dynamic_cast<const TRecipeFood&>(*list_.Foods[0]).ID, id);
  EXPECT_EQ(Loaded(), std::vector<std::string>{"Bean stew"});

  book_.StartEditCopy(dynamic_cast<const TRecipeFood&>(*list_.Foods[0]));
  EXPECT_EQ(book_.Working()->Name, "A copy of Bean stew");
  ASSERT_FALSE(book_.Save());
  EXPECT_EQ(Loaded().size(), 2U);

  book_.StartEdit(dynamic_cast<const TRecipeFood&>(*list_.Foods[0]));
  book_.Cancel();
  EXPECT_EQ(book_.Working(), nullptr);
  book_.Delete(dynamic_cast<const TRecipeFood&>(*list_.Foods[0]));
  EXPECT_EQ(list_.Foods.size(), 1U);
  EXPECT_EQ(Loaded(), std::vector<std::string>{"A copy of Bean stew"});
}

TEST_F(TRecipeBookTest, ARecipeCannotHoldItselfButMayHoldACopy) {
  const TRecipeFood& stew = StoredStew();
  book_.StartEdit(stew);
  EXPECT_EQ(book_.CheckIngredient(stew), "You cannot add to a recipe its own ingredients!");
  // The working copy is not the stored recipe.
  EXPECT_FALSE(book_.CheckIngredient(*book_.Working()));
  book_.Cancel();

  book_.StartEditCopy(stew);
  EXPECT_FALSE(book_.CheckIngredient(stew));
  book_.AddIngredient(Ingredient(stew));
  ASSERT_FALSE(book_.Save());
  const TRecipeFood& copy = dynamic_cast<const TRecipeFood&>(*list_.Foods.back());
  book_.StartEdit(stew);
  EXPECT_FALSE(book_.CheckIngredient(copy));
  EXPECT_EQ(RecipeNesting(copy), 2);
}

}  // namespace
}  // namespace korvela
