#include "nutrition/recipe_book.h"

#include <algorithm>

#include "nutrition/food_catalogue.h"
#include "nutrition/food_logging.h"
#include "storage/errors.h"
#include "storage/write_refused.h"

namespace korvela {

TRecipeBook::TRecipeBook(TFoodList& recipes, std::filesystem::path programFolder, TRandom& random,
                         TFrequentFoods* frequent, TFileSystem& fs)
    : recipes_(recipes),
      folder_(std::move(programFolder)),
      random_(random),
      frequent_(frequent),
      fs_(fs) {}

void TRecipeBook::StartNew() {
  working_ = std::make_unique<TRecipeFood>(NewRecipe());
  stored_ = nullptr;
  frequentEntry_ = -1;
  mode_ = TRecipeMode::New;
}

void TRecipeBook::StartEdit(const TRecipeFood& stored) {
  working_ = std::make_unique<TRecipeFood>(stored);
  working_->ID = stored.ID;
  stored_ = &stored;
  frequentEntry_ = frequent_ && frequent_->IsOpen() ? frequent_->FindFrequentFood(stored) : -1;
  mode_ = TRecipeMode::Edit;
}

void TRecipeBook::StartEditCopy(const TRecipeFood& stored) {
  working_ = std::make_unique<TRecipeFood>(RecipeCopy(stored));
  stored_ = nullptr;
  frequentEntry_ = -1;
  mode_ = TRecipeMode::EditCopy;
}

void TRecipeBook::Cancel() {
  working_.reset();
  stored_ = nullptr;
  mode_ = TRecipeMode::Browsing;
}

void TRecipeBook::Change(const TRecepta& recipe) {
  if (working_) SetRecipe(*working_, recipe);
}

std::optional<std::string> TRecipeBook::SetName(std::string_view name) {
  if (name.empty()) return std::string(kMsgRecipeNameRequired);
  if (working_) working_->Name = std::string(name);
  return std::nullopt;
}

std::optional<std::string> TRecipeBook::SetServings(std::string_view text, char floatingChar) {
  std::string servStr;
  Extended value = 0;
  if (!ParseServings(text, floatingChar, servStr, value))
    return std::string(kMsgInvalidServingSize);
  if (working_) korvela::SetServings(*working_, servStr, value);
  return std::nullopt;
}

void TRecipeBook::SetDirections(std::string rtf) {
  if (!working_) return;
  TRecepta recipe = RecipeOf(*working_);
  recipe.Desc = std::move(rtf);
  Change(recipe);
}

std::optional<std::string> TRecipeBook::CheckIngredient(const TFoodItem& food) const {
  if (mode_ == TRecipeMode::Edit && &food == stored_) return std::string(kMsgOwnIngredients);
  if (!MayBeIngredient(food)) return std::string(kMsgRecipeTooDeep);
  return std::nullopt;
}

void TRecipeBook::AddIngredient(TWFoodItem ingredient) {
  if (!working_) return;
  TRecepta recipe = RecipeOf(*working_);
  recipe.ingredients.push_back(std::move(ingredient));
  Change(recipe);
}

void TRecipeBook::ReplaceIngredient(std::size_t index, TWFoodItem ingredient) {
  if (!working_) return;
  TRecepta recipe = RecipeOf(*working_);
  if (index >= recipe.ingredients.size()) return;
  recipe.ingredients[index] = std::move(ingredient);
  Change(recipe);
}

void TRecipeBook::DeleteIngredient(std::size_t index) {
  if (!working_) return;
  TRecepta recipe = RecipeOf(*working_);
  if (index >= recipe.ingredients.size()) return;
  recipe.ingredients.erase(recipe.ingredients.begin() + static_cast<std::ptrdiff_t>(index));
  Change(recipe);
}

bool TRecipeBook::CanSave() const {
  return working_ && working_->recipe && !working_->recipe->Children.empty();
}

std::optional<std::string> TRecipeBook::Save() {
  if (!CanSave()) return std::nullopt;
  try {
    SaveRecipe(*working_, folder_, random_, fs_);
  } catch (const EXMLIOError& e) {
    return WriteRefusedText(folder_ / kRecipeBoxFile, e);
  }
  auto& foods = recipes_.Foods;
  if (mode_ == TRecipeMode::Edit) {
    std::erase_if(foods, [&](const std::unique_ptr<TFoodItem>& f) { return f.get() == stored_; });
    if (frequent_ && frequentEntry_ >= 0 &&
        static_cast<std::size_t>(frequentEntry_) < frequent_->Entries.size())
      frequent_->UpdateFrequentCopy(*frequent_->Entries[static_cast<std::size_t>(frequentEntry_)],
                                    *working_);
  }
  foods.push_back(std::move(working_));
  Cancel();
  return std::nullopt;
}

void TRecipeBook::Delete(const TRecipeFood& stored) {
  auto& foods = recipes_.Foods;
  const auto held =
      std::find_if(foods.begin(), foods.end(),
                   [&](const std::unique_ptr<TFoodItem>& f) { return f.get() == &stored; });
  if (held == foods.end()) return;
  TRecipeFood record(stored);
  record.ID = stored.ID;
  DeleteRecipe(record, folder_, random_, fs_);
  foods.erase(held);
}

}  // namespace korvela
