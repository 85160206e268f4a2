#include "nutrition/recipe_book_state.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "nutrition/food_catalogue.h"
#include "storage/random.h"
#include "support/disk_limit.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TScriptedPrompter;
using test::TTempFolder;

std::unique_ptr<TFoodItem> Food(const std::string& name, Extended p, Extended f, Extended c) {
  auto food = std::make_unique<TFoodItem>(name);
  food->P = p;
  food->F = f;
  food->C = c;
  food->weights = {{"cup", 1, 200}};
  return food;
}

// A catalogue of one category, no user foods and the recipes the test saves.
class TRecipeBookStateTest : public ::testing::Test {
 protected:
  static TFoodTree Catalogue() {
    TFoodTree tree;
    tree.Lists.push_back({"Vegetables", {}});
    tree.Lists[0].Foods.push_back(Food("Carrot stew base", 1, 0.2, 8));
    tree.Lists[0].Foods.push_back(Food("Bean paste", 10, 1, 20));
    tree.Lists.push_back({"User-Added Foods", {}});
    tree.Lists.push_back({"Recipes", {}});
    return tree;
  }

  // Saves a recipe of the food found by `query`, one cup of it per serving
  // count given.
  void SaveRecipe(const std::string& name, const std::string& query, const std::string& servings) {
    state_.New();
    ASSERT_FALSE(state_.Book().SetName(name));
    ASSERT_FALSE(state_.Book().SetServings(servings, '.'));
    ASSERT_EQ(state_.FindIngredients(query, 0), TSearchOutcome::Found);
    std::optional<TWFoodItem> item = state_.IngredientFor(0);
    ASSERT_TRUE(item);
    state_.AddIngredient(std::move(*item));
    ASSERT_TRUE(state_.Save("{\\rtf1 Stir.}"));
  }

  int RowOf(const std::string& name) const {
    const auto rows = state_.RecipeRows();
    for (std::size_t i = 0; i < rows.size(); ++i)
      if (rows[i][0] == name) return static_cast<int>(i);
    return -1;
  }

  std::vector<std::string> Column(const std::vector<TRecipeBookRow>& rows, std::size_t c) const {
    std::vector<std::string> cells;
    for (const auto& row : rows) cells.push_back(row[c]);
    return cells;
  }

  std::vector<std::string> Stored() {
    TFoodList list{"Recipes", {}};
    LoadRecipes(list, folder_.Path(), *random_);
    std::vector<std::string> names;
    for (const auto& food : list.Foods) names.push_back(food->Name);
    return names;
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(35);
  TConfigurator config_;
  TScriptedPrompter prompter_;
  TFoodTree tree_ = Catalogue();
  TRecipeBookState state_{tree_, config_, prompter_, folder_.Path(), *random_};
};

TEST(ColumnSortTest, TheSameColumnReversesAnotherSortsAscending) {
  TColumnSort sort;
  const std::pair<int, bool> clicks[] = {{0, true}, {0, false}, {0, true},
                                         {3, true}, {3, false}, {0, true}};
  for (const auto& [column, ascending] : clicks) EXPECT_EQ(sort.Click(column), ascending) << column;
}

TEST_F(TRecipeBookStateTest, TheListShowsWholeRecipesAndSortsByTheClickedColumn) {
  SaveRecipe("bean soup", "bean", "4");
  SaveRecipe("Carrot Stew", "carrot", "2 1/2");
  const auto rows = state_.RecipeRows();
  ASSERT_EQ(rows.size(), 2U);
  // One cup (200 g) of beans with P 10: 20 g protein, the whole pot.
  EXPECT_EQ(rows[0], (TRecipeBookRow{"bean soup", "4 serving(s)", "20", "2", "40", "258"}));
  EXPECT_EQ(rows[1][1], "2 1/2 serving(s)");
  EXPECT_EQ(rows[1][3], "0.4");

  state_.SortRecipes(0);
  EXPECT_EQ(Column(state_.RecipeRows(), 0), (std::vector<std::string>{"bean soup", "Carrot Stew"}));
  state_.SortRecipes(0);
  EXPECT_EQ(Column(state_.RecipeRows(), 0), (std::vector<std::string>{"Carrot Stew", "bean soup"}));
  state_.SortRecipes(2);  // protein ascending
  EXPECT_EQ(Column(state_.RecipeRows(), 0), (std::vector<std::string>{"Carrot Stew", "bean soup"}));
  state_.SortRecipes(1);  // servings do not sort
  EXPECT_EQ(Column(state_.RecipeRows(), 0), (std::vector<std::string>{"Carrot Stew", "bean soup"}));
  // The row still leads to its own recipe after sorting.
  EXPECT_EQ(state_.RecipeAt(1)->Name, "bean soup");
}

TEST_F(TRecipeBookStateTest, FindSearchesOnlyRecipesAndAnEmptyQueryListsAll) {
  SaveRecipe("Bean soup", "bean", "4");
  SaveRecipe("Carrot stew", "carrot", "2");
  state_.FindRecipes("stew");
  EXPECT_EQ(Column(state_.RecipeRows(), 0), (std::vector<std::string>{"Carrot stew"}));
  state_.FindRecipes("paste");  // a catalogue food, no recipe
  EXPECT_TRUE(state_.RecipeRows().empty());
  EXPECT_EQ(prompter_.Last(), "inform: Your search found no foods");
  state_.FindRecipes("  ");
  EXPECT_EQ(state_.RecipeRows().size(), 2U);
}

TEST_F(TRecipeBookStateTest, IngredientRowsFollowTheirSortForEditAndDelete) {
  state_.New();
  const char* queries[] = {"bean", "carrot"};
  for (const char* query : queries) {
    state_.FindIngredients(query, 0);
    std::optional<TWFoodItem> item = state_.IngredientFor(0);
    ASSERT_TRUE(item);
    state_.AddIngredient(std::move(*item));
  }
  state_.SortIngredients(0);
  state_.SortIngredients(0);  // descending: carrot first
  ASSERT_EQ(state_.IngredientAt(0)->Name, "Carrot stew base");
  TWFoodItem twoCups = *state_.IngredientAt(0);
  twoCups.WM = 2;
  twoCups.WMStr = "2";
  state_.ReplaceIngredient(0, twoCups);
  const auto rows = state_.IngredientRows();
  EXPECT_EQ(rows[0], (TRecipeBookRow{"Carrot stew base", "2 cup", "4", "0.8", "32", "151.2"}));
  EXPECT_EQ(rows[1][0], "Bean paste");
  // The recipe keeps its own order; the lines follow it.
  EXPECT_EQ(state_.IngredientLines(),
            (std::vector<std::string>{"1 cup   Bean paste", "2 cup   Carrot stew base"}));
  EXPECT_EQ(state_.CaloriesText(), "409.2");
  state_.DeleteIngredient(0);
  EXPECT_EQ(Column(state_.IngredientRows(), 0), (std::vector<std::string>{"Bean paste"}));
}

TEST_F(TRecipeBookStateTest, ARecipeCannotTakeItselfWhileEditedButItsCopyCan) {
  SaveRecipe("Bean soup", "bean", "4");
  ASSERT_TRUE(state_.Edit(0));
  state_.FindIngredients("soup", 0);
  EXPECT_FALSE(state_.IngredientFor(0));
  EXPECT_EQ(prompter_.Last(), "warn: You cannot add to a recipe its own ingredients!");
  state_.Cancel();
  ASSERT_TRUE(state_.EditCopy(0));
  EXPECT_EQ(state_.NameText(), "A copy of Bean soup");
  state_.FindIngredients("soup", 0);
  std::optional<TWFoodItem> soup = state_.IngredientFor(0);
  ASSERT_TRUE(soup);
  EXPECT_EQ(soup->WMStr, "4");  // all four servings of it
  state_.AddIngredient(std::move(*soup));
  ASSERT_TRUE(state_.Save(""));
  EXPECT_EQ(Stored(), (std::vector<std::string>{"Bean soup", "A copy of Bean soup"}));
}

TEST_F(TRecipeBookStateTest, ARecipeNestedTooDeepIsRefusedWithTheWarning) {
  SaveRecipe("Doll", "bean", "1");
  // Each doll holds the one before, one level deeper (kept in memory: the
  // book only searches the list).
  auto& recipes = tree_.RecipeList().Foods;
  for (int level = 1; level < kMaxRecipeNesting; ++level) {
    auto doll = std::make_unique<TRecipeFood>(NewRecipe());
    doll->Name = "Doll " + std::to_string(level);
    TRecepta parts = RecipeOf(*doll);
    parts.ingredients = {NewLoggedItem(*recipes.back(), config_)};
    SetRecipe(*doll, parts);
    recipes.push_back(std::move(doll));
  }
  ASSERT_EQ(RecipeNesting(*recipes.back()), kMaxRecipeNesting);
  state_.New();
  state_.FindIngredients("doll", 0);
  EXPECT_FALSE(state_.IngredientFor(kMaxRecipeNesting - 1));
  EXPECT_EQ(prompter_.Last(), "warn: " + std::string(kMsgRecipeTooDeep));
  EXPECT_TRUE(state_.IngredientFor(kMaxRecipeNesting - 2));
  // Pasted from the food log screen it is refused the same way.
  prompter_.shown.clear();
  TFoodClipboard clipboard;
  clipboard.content = NewLoggedItem(*tree_.RecipeList().Foods.back(), config_);
  EXPECT_EQ(state_.PasteFoods(clipboard), 0);
  EXPECT_EQ(prompter_.Last(), "warn: " + std::string(kMsgRecipeTooDeep));
  EXPECT_TRUE(state_.IngredientRows().empty());
}

TEST_F(TRecipeBookStateTest, DeleteAsksFirst) {
  SaveRecipe("Bean soup", "bean", "4");
  prompter_.Plan(TAnswer::No);
  EXPECT_FALSE(state_.Delete(0));
  EXPECT_EQ(prompter_.Last(), "ask: Do you really want to delete Bean soup?");
  EXPECT_EQ(state_.RecipeRows().size(), 1U);
  prompter_.Plan(TAnswer::Yes);
  EXPECT_TRUE(state_.Delete(0));
  EXPECT_TRUE(state_.RecipeRows().empty());
  EXPECT_TRUE(tree_.RecipeList().Foods.empty());
  EXPECT_TRUE(Stored().empty());
}

TEST_F(TRecipeBookStateTest, ClosingOffersToSaveOnlyARecipeThatCanBeSaved) {
  state_.New();  // no ingredient: nothing to ask
  EXPECT_TRUE(state_.Close([] { return std::string(); }));
  EXPECT_TRUE(prompter_.shown.empty());

  const struct {
    TAnswer answer;
    std::vector<std::string> stored;
  } cases[] = {{TAnswer::No, {}}, {TAnswer::Yes, {"Bean soup"}}};
  for (const auto& c : cases) {
    state_.New();
    ASSERT_FALSE(state_.Book().SetName("Bean soup"));
    state_.FindIngredients("bean", 0);
    state_.AddIngredient(*state_.IngredientFor(0));
    prompter_.Plan(c.answer);
    EXPECT_TRUE(state_.Close([] { return std::string("{\\rtf1 Soak.}"); }));
    EXPECT_EQ(prompter_.Last(), "ask: Would you like to save the recipe before exiting?");
    EXPECT_TRUE(state_.Browsing());
    EXPECT_EQ(Stored(), c.stored);
  }
  EXPECT_EQ(RecipeOf(*tree_.RecipeList().Foods.back()).Desc, "{\\rtf1 Soak.}");
}

TEST_F(TRecipeBookStateTest, ARefusedWriteKeepsTheRecipeAndTheScreenOpen) {
  SaveRecipe("Bean soup", "bean", "4");
  const auto before = test::FolderContents(folder_.Path());
  state_.New();
  ASSERT_FALSE(state_.Book().SetName("Carrot stew"));
  state_.FindIngredients("carrot", 0);
  state_.AddIngredient(*state_.IngredientFor(0));
  prompter_.Plan(TAnswer::Yes);
  {
    test::TDiskLimit full(64);
    EXPECT_FALSE(
        state_.Close([] { return std::string("{\\rtf1 " + std::string(500, 'x') + "}"); }));
  }
  EXPECT_NE(prompter_.Last().find("RBOX.DAT"), std::string::npos) << prompter_.Last();
  EXPECT_FALSE(state_.Browsing());
  EXPECT_EQ(state_.NameText(), "Carrot stew");
  EXPECT_EQ(tree_.RecipeList().Foods.size(), 1U);
  EXPECT_EQ(test::FolderContents(folder_.Path()), before);
}

// A meal or a food copied on the food log screen becomes ingredients with
// its quantities.
TEST_F(TRecipeBookStateTest, CopiedFoodsArePastedAsIngredients) {
  TWFoodItem beans(*tree_.Lists[0].Foods[1]);
  beans.WI = 0;
  beans.WM = 2;
  beans.WMStr = "2";
  TWFoodItem carrots(*tree_.Lists[0].Foods[0]);
  carrots.WI = 1;  // grams
  carrots.WM = 50;
  carrots.WMStr = "50";
  TFoodClipboard clipboard;
  state_.New();
  EXPECT_EQ(state_.PasteFoods(clipboard), 0);
  clipboard.content = TMeal{"Lunch", 0.5, {beans, carrots}};
  EXPECT_EQ(state_.PasteFoods(clipboard), 2);
  clipboard.content = beans;
  EXPECT_EQ(state_.PasteFoods(clipboard), 1);
  EXPECT_EQ(Column(state_.IngredientRows(), 1),
            (std::vector<std::string>{"2 cup", "50 grams", "2 cup"}));
  EXPECT_TRUE(state_.HasIngredients());
  EXPECT_TRUE(prompter_.shown.empty());
}

}  // namespace
}  // namespace korvela
