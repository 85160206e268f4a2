#include "nutrition/recipes.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "nutrition/food_catalogue.h"
#include "nutrition/food_element.h"
#include "nutrition/food_search.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/random.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TTempFolder;

TFoodItem Food(const std::string& name, Extended p) {
  TFoodItem food(name);
  food.P = p;
  food.F = 1;
  food.weights = {{"cup", 1, 200}};
  return food;
}

// An ingredient of `grams` grams of the food.
TWFoodItem Grams(const TFoodItem& food, Extended grams) {
  TWFoodItem item(food);
  item.WI = static_cast<std::int32_t>(item.weights.size());
  item.WM = grams;
  item.WMStr = "200";
  return item;
}

// `servings` servings of a recipe as logged.
TWFoodItem Servings(const TFoodItem& recipe, Extended servings) {
  TWFoodItem item(recipe);
  item.WI = 0;
  item.WM = servings;
  return item;
}

TRecipeFood RecipeOfFood(const std::string& name, const TFoodItem& food, Extended grams,
                         Extended servings) {
  TRecipeFood recipe;
  recipe.Name = name;
  TRecepta parts;
  parts.ServStr = "4";
  parts.NumServ = servings;
  parts.ingredients.push_back(Grams(food, grams));
  SetRecipe(recipe, parts);
  return recipe;
}

TEST(RecipeTest, TotalsAndLoggedServings) {
  const TRecipeFood recipe = RecipeOfFood("Stew", Food("Beans", 10), 200, 4);
  EXPECT_DOUBLE_EQ(static_cast<double>(recipe.P), 20);
  EXPECT_DOUBLE_EQ(static_cast<double>(recipe.F), 2);
  ASSERT_EQ(recipe.weights.size(), 1U);
  EXPECT_EQ(recipe.weights[0].desc, "serving(s)");
  EXPECT_DOUBLE_EQ(static_cast<double>(LoggedNutrients(Servings(recipe, 1)).P), 5);
  EXPECT_DOUBLE_EQ(static_cast<double>(LoggedNutrients(Servings(recipe, 2.5L)).P), 12.5);
}

TEST(RecipeTest, ChangedServingsReachOnlyLaterServings) {
  TRecipeFood recipe = RecipeOfFood("Stew", Food("Beans", 10), 200, 4);
  const TWFoodItem before = Servings(recipe, 1);
  SetServings(recipe, "2", 2);
  EXPECT_EQ(RecipeOf(recipe).ServStr, "2");
  EXPECT_DOUBLE_EQ(static_cast<double>(LoggedNutrients(Servings(recipe, 1)).P), 10);
  EXPECT_DOUBLE_EQ(static_cast<double>(LoggedNutrients(before).P), 5);
}

TEST(RecipeTest, RecomputeSumsIngredientsAndLeavesOtherFoods) {
  TRecipeFood recipe = RecipeOfFood("Stew", Food("Beans", 10), 200, 4);
  recipe.P = 999;
  RecomputeRecipe(recipe);
  EXPECT_DOUBLE_EQ(static_cast<double>(recipe.P), 20);
  TFoodItem plain = Food("Rice", 7);
  RecomputeRecipe(plain);
  EXPECT_DOUBLE_EQ(static_cast<double>(plain.P), 7);
}

TEST(RecipeTest, ServingSizes) {
  struct Case {
    const char* text;
    bool accepted;
    double value;
  };
  for (const Case& c : {Case{"0", false, 0},
                        {"100000", false, 0},
                        {"1/0", false, 0},
                        {"-2", false, 0},
                        {"two", false, 0},
                        {"", false, 0},
                        {"99999", true, 99999},
                        {" 1  1/2 ", true, 1.5},
                        {"0.5", true, 0.5}}) {
    std::string text = "unchanged";
    Extended value = -7;
    EXPECT_EQ(ParseServings(c.text, '.', text, value), c.accepted) << c.text;
    if (c.accepted) {
      EXPECT_DOUBLE_EQ(static_cast<double>(value), c.value) << c.text;
    } else {
      EXPECT_EQ(text, "unchanged");
    }
  }
  std::string text;
  Extended value = 0;
  ASSERT_TRUE(ParseServings(" 1  1/2 ", '.', text, value));
  EXPECT_EQ(text, "1 1/2");
}

TEST(RecipeTest, NewRecipeAndCopy) {
  TRecipeFood fresh = NewRecipe();
  EXPECT_EQ(fresh.Name, "A new recipe");
  const TRecepta parts = RecipeOf(fresh);
  EXPECT_EQ(parts.ServStr, "1");
  EXPECT_EQ(parts.Desc, "Type recipe directions here...");
  EXPECT_TRUE(parts.ingredients.empty());
  EXPECT_EQ(fresh.ID, -1);

  TRecipeFood stored = RecipeOfFood("Stew", Food("Beans", 10), 200, 4);
  stored.ID = 42;
  const TRecipeFood copy = RecipeCopy(stored);
  EXPECT_EQ(copy.Name, "A copy of Stew");
  EXPECT_EQ(copy.ID, -1);
  EXPECT_EQ(RecipeOf(copy).ingredients.size(), 1U);
}

TEST(RecipeTest, ElementRoundTripKeepsOrderAndNestedRecipes) {
  const TRecipeFood inner = RecipeOfFood("Sauce", Food("Tomato", 1), 100, 2);
  TRecepta parts;
  parts.ServStr = "1 1/2";
  parts.NumServ = 1.5L;
  parts.Desc = "{\\rtf1 Boil.}";
  parts.ingredients.push_back(Grams(Food("Pasta", 12), 150));
  parts.ingredients.push_back(Servings(inner, 1));
  const std::unique_ptr<XMLNode> node = WriteReceptaElement(parts);
  ASSERT_EQ(node->Attributes.size(), 3U);
  EXPECT_EQ(node->Attributes[0].Name, "ServStr");
  EXPECT_EQ(node->Attributes[1].Name, "NumServ");
  EXPECT_EQ(node->Attributes[2].Name, "Desc");
  const TRecepta back = ReadReceptaElement(*node);
  EXPECT_EQ(back.ServStr, "1 1/2");
  EXPECT_EQ(back.Desc, parts.Desc);
  ASSERT_EQ(back.ingredients.size(), 2U);
  EXPECT_EQ(back.ingredients[0].Name, "Pasta");
  EXPECT_EQ(RecipeOf(back.ingredients[1]).ingredients[0].Name, "Tomato");

  node->Attributes.pop_back();
  EXPECT_EQ(ReadReceptaElement(*node).Desc, "");
  node->Attributes.erase(node->Attributes.begin());
  EXPECT_THROW(ReadReceptaElement(*node), EInvalidXMLFile);
}

// A recipe that holds a copy of itself, and a copy of that, and so on: the
// nesting grows by one each time until a further level is refused.
TEST(RecipeTest, NestingDeeperThanTheLimitIsRefused) {
  TRecipeFood recipe = RecipeOfFood("Doll", Food("Wood", 1), 10, 1);
  EXPECT_EQ(RecipeNesting(Food("Wood", 1)), 0);
  EXPECT_EQ(RecipeNesting(recipe), 1);
  for (int level = 1; level < kMaxRecipeNesting; ++level) {
    ASSERT_TRUE(MayBeIngredient(recipe)) << level;
    TRecepta parts = RecipeOf(recipe);
    parts.ingredients = {Servings(recipe, 1)};
    SetRecipe(recipe, parts);
    ASSERT_EQ(RecipeNesting(recipe), level + 1);
  }
  EXPECT_EQ(RecipeNesting(recipe), kMaxRecipeNesting);
  EXPECT_FALSE(MayBeIngredient(recipe));
}

class TRecipeBoxTest : public ::testing::Test {
 protected:
  std::vector<const TRecipeFood*> Load() {
    list_.Foods.clear();
    LoadRecipes(list_, folder_.Path(), *random_);
    std::vector<const TRecipeFood*> recipes;
    for (const auto& food : list_.Foods) {
      recipes.push_back(dynamic_cast<const TRecipeFood*>(food.get()));
      EXPECT_TRUE(recipes.back()) << food->Name;
    }
    return recipes;
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(1394);
  TFoodList list_{"Recipes", {}};
};

TEST_F(TRecipeBoxTest, SaveReplaceDeleteAndReload) {
  EXPECT_TRUE(Load().empty());
  TRecipeFood stew = RecipeOfFood("Stew", Food("Beans", 10), 200, 4);
  TRecipeFood soup = RecipeOfFood("Soup", Food("Leek", 2), 300, 3);
  SaveRecipe(stew, folder_.Path(), *random_);
  SaveRecipe(soup, folder_.Path(), *random_);
  EXPECT_GE(stew.ID, kFirstFreeID);
  EXPECT_NE(stew.ID, soup.ID);

  const std::int32_t id = stew.ID;
  SetServings(stew, "2", 2);
  SaveRecipe(stew, folder_.Path(), *random_);
  EXPECT_EQ(stew.ID, id);

  // A replaced record may move in the file: find the recipe by name.
  std::vector<const TRecipeFood*> loaded = Load();
  ASSERT_EQ(loaded.size(), 2U);
  const TRecipeFood* back = loaded[0]->Name == "Stew" ? loaded[0] : loaded[1];
  EXPECT_EQ(back->Name, "Stew");
  EXPECT_EQ(back->ID, id);
  EXPECT_EQ(RecipeOf(*back).ServStr, "2");
  EXPECT_DOUBLE_EQ(static_cast<double>(back->P), 20);

  DeleteRecipe(stew, folder_.Path(), *random_);
  EXPECT_EQ(stew.ID, -1);
  loaded = Load();
  ASSERT_EQ(loaded.size(), 1U);
  EXPECT_EQ(loaded[0]->Name, "Soup");
}

TEST_F(TRecipeBoxTest, AFoodWithoutItsRecipeIsADamagedBox) {
  {
    XMLDB db(folder_ / "RBOX.DAT", kRecipeBoxKind, *random_);
    db.Put(WriteFoodElement(Food("Plain", 1)), 77, kDataKey, 0);
    db.Close();
  }
  try {
    Load();
    FAIL() << "no error";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_NE(e.File().find("RBOX.DAT"), std::string::npos);
  }
}

TEST(RecipeListTest, MoreThan3000RecipesAreNotListedButFound) {
  TFoodTree tree;
  tree.Lists.push_back({"User-Added Foods", {}});
  tree.Lists.push_back({"Recipes", {}});
  for (int i = 0; i < 3001; ++i) {
    auto recipe = std::make_unique<TRecipeFood>(RecipeOfFood(
        i == 1234 ? "Quince pie" : "Dish " + std::to_string(i), Food("Beans", 10), 100, 1));
    tree.RecipeList().Foods.push_back(std::move(recipe));
  }
  EXPECT_TRUE(ListAllRecipes(tree.RecipeList()).empty());
  std::vector<TSFoodItem> found;
  SearchFoods(found, "quince", 1, tree, {}, nullptr);
  ASSERT_EQ(found.size(), 1U);
  EXPECT_EQ(found[0].Name, "Quince pie");

  tree.RecipeList().Foods.pop_back();
  const std::vector<TSFoodItem> all = ListAllRecipes(tree.RecipeList());
  ASSERT_EQ(all.size(), 3000U);
  EXPECT_EQ(all[1234].Rank, 1234);
  EXPECT_EQ(all[1234].Name, "Quince pie");
}

}  // namespace
}  // namespace korvela
