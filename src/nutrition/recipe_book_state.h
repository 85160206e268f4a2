#pragma once
#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "nutrition/food_catalogue.h"
#include "nutrition/food_clipboard.h"
#include "nutrition/food_logging.h"
#include "nutrition/food_search.h"
#include "nutrition/recipe_book.h"
#include "users/configurator.h"
#include "users/prompter.h"

namespace korvela {

inline constexpr const char* kRecipeBookCaption = "Recipe Book";
inline constexpr const char* kIngredientHeading = "Add/edit ingredients to/in my recipes...";
inline constexpr const char* kIngredientServingHeading = "   Ingredient serving size    ";
inline constexpr const char* kRecipeInstructionsTitle = "Recipe Instructions";
inline constexpr const char* kMsgPrintRecipeFailed =
    "There was an error trying to print the recipe instructions!";

// Clicking a column header: the column clicked last time reverses its
// order, another column sorts ascending. -1 is no column yet.
struct TColumnSort {
  int last = -1;
  bool ascending = true;
  // The order the column now sorts in.
  bool Click(int column);
};

// One row of a list of the recipe book, its texts by column.
using TRecipeBookRow = std::vector<std::string>;

// The recipe book's screen, apart from its widgets: the recipe list with its
// search and sort, the ingredient search, the ingredients as listed and the
// working recipe (TRecipeBook) with saving, deleting and closing.
class TRecipeBookState {
 public:
  TRecipeBookState(TFoodTree& foods, const TConfigurator& config, TPrompter& prompter,
                   std::filesystem::path programFolder, TRandom& random,
                   TFrequentFoods* frequent = nullptr, TFileSystem& fs = PosixFileSystem());

  TRecipeBook& Book() { return book_; }
  const TRecipeBook& Book() const { return book_; }
  bool Browsing() const { return book_.Mode() == TRecipeMode::Browsing; }

  // Browsing. "Show All" lists every recipe (none beyond 3000); "Find" with
  // text searches the "Recipes" list, with messages.
  void ShowAll();
  void FindRecipes(const std::string& query);
  std::vector<TRecipeBookRow> RecipeRows() const;
  // "Recipe" and the four figures sort, "Servings" does not.
  void SortRecipes(int column);
  const TRecipeFood* RecipeAt(int row) const;
  // "Edit", "Edit a copy" and "Delete" want exactly one selected row.
  static bool OneSelected(int selected) { return selected == 1; }

  void New();
  bool Edit(int row);
  bool EditCopy(int row);
  // Asks first; true when the recipe was deleted.
  bool Delete(int row);

  // Editing: the working recipe's fields.
  std::string NameText() const;
  std::string ServingsText() const;
  // The recipe's calories, up to 2 decimals.
  std::string CaloriesText() const;
  TCalorieShares Shares() const;
  bool HasIngredients() const;

  // "All foods", then every list of the food tree.
  std::vector<std::string> Categories() const;
  // Category 0 searches everything, n the tree's list n - 1.
  TSearchOutcome FindIngredients(const std::string& query, int category);
  // Per 100 g, per recipe for a recipe.
  std::vector<TRecipeBookRow> ResultRows() const;
  void SortResults(int column);
  // The ingredient the quantity dialog opens on for a search result, or
  // none after the warning when the food cannot be one.
  std::optional<TWFoodItem> IngredientFor(int resultRow);

  // The ingredients in their listed order (sorting changes only the view).
  std::vector<TRecipeBookRow> IngredientRows() const;
  void SortIngredients(int column);
  std::optional<TWFoodItem> IngredientAt(int row) const;
  void AddIngredient(TWFoodItem ingredient);
  void ReplaceIngredient(int row, TWFoodItem ingredient);
  void DeleteIngredient(int row);
  // The meal or food copied on the food log screen, added as ingredients
  // with their logged quantities. A food that would nest recipes too deep is
  // left out, with the warning once. Returns how many were added.
  int PasteFoods(const TFoodClipboard& clipboard);
  // "Paste ingredients": one line per ingredient, in recipe order.
  std::vector<std::string> IngredientLines() const;

  // Stores the working recipe with its directions and lists all recipes;
  // false (after the warning) when the disk refused it.
  bool Save(std::string rtf);
  void Cancel();
  // Closing the screen: a recipe that could be saved is offered for saving.
  // False when the save was refused: the screen stays open. Otherwise the
  // working recipe is gone and the favourites written.
  bool Close(const std::function<std::string()>& rtf);

 private:
  int RecipeCategory() const;
  std::size_t IngredientIndex(int row) const;
  void ResetIngredientOrder();

  TFoodTree& foods_;
  const TConfigurator& config_;
  TPrompter& prompter_;
  TFrequentFoods* frequent_;
  TRecipeBook book_;
  std::vector<TSFoodItem> recipes_;
  std::vector<TSFoodItem> results_;
  std::vector<std::size_t> ingredientOrder_;
  TColumnSort recipeSort_;
  TColumnSort resultSort_;
  TColumnSort ingredientSort_;
};

}  // namespace korvela
