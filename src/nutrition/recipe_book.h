#pragma once
#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "nutrition/frequent_foods.h"
#include "nutrition/recipes.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

struct TFoodList;

// What the recipe book is doing: browsing, or editing a working recipe that
// is new, a stored one, or a copy of a stored one.
enum class TRecipeMode { Browsing = 0, New = 1, Edit = 2, EditCopy = 3 };

// The recipe book's decisions, apart from its screen: the working recipe, the
// checks of its fields and ingredients, saving and deleting.
class TRecipeBook {
 public:
  TRecipeBook(TFoodList& recipes, std::filesystem::path programFolder, TRandom& random,
              TFrequentFoods* frequent = nullptr, TFileSystem& fs = PosixFileSystem());

  TRecipeMode Mode() const { return mode_; }
  // The recipe being edited; none while browsing.
  const TRecipeFood* Working() const { return working_.get(); }

  void StartNew();
  // Works on a copy of the stored recipe, which the save replaces.
  void StartEdit(const TRecipeFood& stored);
  // Works on "A copy of " + name, saved as a new recipe.
  void StartEditCopy(const TRecipeFood& stored);
  // Discards the working recipe.
  void Cancel();

  // Every non-empty name is taken; an empty one gives the warning and the
  // recipe keeps its last name.
  std::optional<std::string> SetName(std::string_view name);
  // A refused text gives "Invalid serving size" and changes nothing.
  std::optional<std::string> SetServings(std::string_view text, char floatingChar);
  void SetDirections(std::string rtf);

  // The warning when the food cannot become an ingredient: the stored
  // recipe being edited itself, or a food that would nest recipes too deep.
  std::optional<std::string> CheckIngredient(const TFoodItem& food) const;
  void AddIngredient(TWFoodItem ingredient);
  void ReplaceIngredient(std::size_t index, TWFoodItem ingredient);
  void DeleteIngredient(std::size_t index);
  // A recipe can be saved once it has an ingredient.
  bool CanSave() const;

  // Stores the working recipe (a stored one under its own ID, others as
  // new), puts it in the list in place of the stored one, refreshes the
  // user's frequent copy of an edited recipe and returns to browsing. When
  // the disk refuses, returns the warning and nothing changes.
  std::optional<std::string> Save();
  // Deletes the recipe's record and removes it from the list.
  void Delete(const TRecipeFood& stored);

 private:
  void Change(const TRecepta& recipe);

  TFoodList& recipes_;
  std::filesystem::path folder_;
  TRandom& random_;
  TFrequentFoods* frequent_;
  TFileSystem& fs_;
  TRecipeMode mode_ = TRecipeMode::Browsing;
  std::unique_ptr<TRecipeFood> working_;
  const TRecipeFood* stored_ = nullptr;
  int frequentEntry_ = -1;
};

}  // namespace korvela
