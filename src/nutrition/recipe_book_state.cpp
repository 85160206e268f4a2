#include "nutrition/recipe_book_state.h"

#include <algorithm>
#include <numeric>
#include <span>

#include "nutrition/food_log_state.h"

#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr TFoodResultColumn kValueColumns[] = {TFoodResultColumn::P, TFoodResultColumn::F,
                                               TFoodResultColumn::C, TFoodResultColumn::Calories};

std::string UpperAscii(std::string text) {
  for (char& c : text)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return text;
}

}  // namespace

bool TColumnSort::Click(int column) {
  ascending = column == last ? !ascending : true;
  last = column;
  return ascending;
}

TRecipeBookState::TRecipeBookState(TFoodTree& foods, const TConfigurator& config,
                                   TPrompter& prompter, std::filesystem::path programFolder,
                                   TRandom& random, TFrequentFoods* frequent, TFileSystem& fs)
    : foods_(foods),
      config_(config),
      prompter_(prompter),
      frequent_(frequent),
      book_(foods.RecipeList(), std::move(programFolder), random, frequent, fs) {
  ShowAll();
}

int TRecipeBookState::RecipeCategory() const { return static_cast<int>(foods_.Lists.size()) - 1; }

void TRecipeBookState::ShowAll() {
  recipes_ = ListAllRecipes(foods_.RecipeList());
  recipeSort_ = {};
}

void TRecipeBookState::FindRecipes(const std::string& query) {
  if (IsBlank(query)) {
    ShowAll();
    return;
  }
  std::span<const std::unique_ptr<TFrequentFood>> frequent;
  if (frequent_) frequent = frequent_->Entries;
  SearchFoods(recipes_, query, RecipeCategory(), foods_, frequent, &prompter_);
  recipeSort_ = {};
}

std::vector<TRecipeBookRow> TRecipeBookState::RecipeRows() const {
  std::vector<TRecipeBookRow> rows;
  rows.reserve(recipes_.size());
  const auto number = [&](Extended v) { return FormatNumber(config_, static_cast<double>(v), 1); };
  for (const TSFoodItem& r : recipes_) {
    const XMLNode* recipe = r.Recipe();
    std::string servings = recipe ? recipe->AttrOrEmpty(kServStrAttr).str() : std::string("1");
    servings.append(" ").append(kServingsDesc);
    rows.push_back(
        {r.Name, servings, number(r.P), number(r.F), number(r.C), number(Calories(r.Food()))});
  }
  return rows;
}

void TRecipeBookState::SortRecipes(int column) {
  if (column < 0 || column > 5 || column == 1) return;
  const bool ascending = recipeSort_.Click(column);
  SortFoodResults(recipes_, column == 0 ? TFoodResultColumn::Name : kValueColumns[column - 2],
                  ascending);
}

const TRecipeFood* TRecipeBookState::RecipeAt(int row) const {
  if (row < 0 || row >= static_cast<int>(recipes_.size())) return nullptr;
  return dynamic_cast<const TRecipeFood*>(&recipes_[static_cast<std::size_t>(row)].Food());
}

void TRecipeBookState::New() {
  book_.StartNew();
  ResetIngredientOrder();
  results_.clear();
}

bool TRecipeBookState::Edit(int row) {
  const TRecipeFood* recipe = RecipeAt(row);
  if (!recipe) return false;
  book_.StartEdit(*recipe);
  ResetIngredientOrder();
  results_.clear();
  return true;
}

bool TRecipeBookState::EditCopy(int row) {
  const TRecipeFood* recipe = RecipeAt(row);
  if (!recipe) return false;
  book_.StartEditCopy(*recipe);
  ResetIngredientOrder();
  results_.clear();
  return true;
}

bool TRecipeBookState::Delete(int row) {
  const TRecipeFood* recipe = RecipeAt(row);
  if (!recipe || !Browsing()) return false;
  if (!prompter_.AskYesNo("Do you really want to delete " + recipe->Name + "?")) return false;
  recipes_.clear();  // the views may point at the recipe about to go
  book_.Delete(*recipe);
  ShowAll();
  return true;
}

std::string TRecipeBookState::NameText() const {
  return book_.Working() ? book_.Working()->Name : std::string();
}

std::string TRecipeBookState::ServingsText() const {
  return book_.Working() ? RecipeOf(*book_.Working()).ServStr : std::string();
}

std::string TRecipeBookState::CaloriesText() const {
  if (!book_.Working()) return {};
  return FormatNumber(config_, static_cast<double>(Calories(*book_.Working())), 2);
}

TCalorieShares TRecipeBookState::Shares() const {
  const TRecipeFood* w = book_.Working();
  return w ? CalorieShares(w->P, w->F, w->C, w->A) : TCalorieShares{};
}

bool TRecipeBookState::HasIngredients() const { return book_.CanSave(); }

std::vector<std::string> TRecipeBookState::Categories() const {
  std::vector<std::string> names = {kAllFoods};
  for (const TFoodList& list : foods_.Lists) names.push_back(list.Name);
  return names;
}

TSearchOutcome TRecipeBookState::FindIngredients(const std::string& query, int category) {
  std::span<const std::unique_ptr<TFrequentFood>> frequent;
  if (frequent_) frequent = frequent_->Entries;
  resultSort_ = {};
  return SearchFoods(results_, query, category <= 0 ? -1 : category - 1, foods_, frequent,
                     &prompter_);
}

std::vector<TRecipeBookRow> TRecipeBookState::ResultRows() const {
  std::vector<TRecipeBookRow> rows;
  rows.reserve(results_.size());
  const auto number = [&](Extended v) { return FormatNumber(config_, static_cast<double>(v), 1); };
  for (const TSFoodItem& r : results_)
    rows.push_back({r.Name, number(r.P), number(r.F), number(r.C), number(Calories(r.Food()))});
  return rows;
}

void TRecipeBookState::SortResults(int column) {
  if (column < 0 || column > 4) return;
  const bool ascending = resultSort_.Click(column);
  SortFoodResults(results_, column == 0 ? TFoodResultColumn::Name : kValueColumns[column - 1],
                  ascending);
}

std::optional<TWFoodItem> TRecipeBookState::IngredientFor(int resultRow) {
  if (resultRow < 0 || resultRow >= static_cast<int>(results_.size()) || Browsing())
    return std::nullopt;
  const TFoodItem& food = results_[static_cast<std::size_t>(resultRow)].Food();
  if (const std::optional<std::string> warning = book_.CheckIngredient(food)) {
    prompter_.Warn(*warning);
    return std::nullopt;
  }
  return NewLoggedItem(food, config_);
}

void TRecipeBookState::ResetIngredientOrder() {
  ingredientOrder_.clear();
  ingredientSort_ = {};
  if (!book_.Working()) return;
  ingredientOrder_.resize(RecipeOf(*book_.Working()).ingredients.size());
  std::iota(ingredientOrder_.begin(), ingredientOrder_.end(), std::size_t{0});
}

std::size_t TRecipeBookState::IngredientIndex(int row) const {
  if (row < 0 || row >= static_cast<int>(ingredientOrder_.size())) return ingredientOrder_.size();
  return ingredientOrder_[static_cast<std::size_t>(row)];
}

std::vector<TRecipeBookRow> TRecipeBookState::IngredientRows() const {
  std::vector<TRecipeBookRow> rows;
  if (!book_.Working()) return rows;
  const TRecepta recipe = RecipeOf(*book_.Working());
  const auto number = [&](Extended v) { return FormatNumber(config_, static_cast<double>(v), 1); };
  for (const std::size_t i : ingredientOrder_) {
    if (i >= recipe.ingredients.size()) continue;
    const TWFoodItem& item = recipe.ingredients[i];
    const TNutrients n = LoggedNutrients(item);
    rows.push_back(
        {item.Name, QuantityText(item), number(n.P), number(n.F), number(n.C), number(n.calories)});
  }
  return rows;
}

void TRecipeBookState::SortIngredients(int column) {
  if (column < 0 || column > 5 || column == 1 || !book_.Working()) return;
  const bool ascending = ingredientSort_.Click(column);
  const TRecepta recipe = RecipeOf(*book_.Working());
  const auto key = [&](std::size_t i) {
    const TNutrients n = LoggedNutrients(recipe.ingredients[i]);
    switch (column) {
      case 2:
        return n.P;
      case 3:
        return n.F;
      case 4:
        return n.C;
      default:
        return n.calories;
    }
  };
  std::stable_sort(ingredientOrder_.begin(), ingredientOrder_.end(),
                   [&](std::size_t a, std::size_t b) {
                     if (column == 0) {
                       const std::string x = UpperAscii(recipe.ingredients[a].Name);
                       const std::string y = UpperAscii(recipe.ingredients[b].Name);
                       return ascending ? x < y : y < x;
                     }
                     return ascending ? key(a) < key(b) : key(b) < key(a);
                   });
}

std::optional<TWFoodItem> TRecipeBookState::IngredientAt(int row) const {
  if (!book_.Working()) return std::nullopt;
  TRecepta recipe = RecipeOf(*book_.Working());
  const std::size_t index = IngredientIndex(row);
  if (index >= recipe.ingredients.size()) return std::nullopt;
  return std::move(recipe.ingredients[index]);
}

void TRecipeBookState::AddIngredient(TWFoodItem ingredient) {
  book_.AddIngredient(std::move(ingredient));
  ResetIngredientOrder();
}

void TRecipeBookState::ReplaceIngredient(int row, TWFoodItem ingredient) {
  book_.ReplaceIngredient(IngredientIndex(row), std::move(ingredient));
}

void TRecipeBookState::DeleteIngredient(int row) {
  book_.DeleteIngredient(IngredientIndex(row));
  ResetIngredientOrder();
}

int TRecipeBookState::PasteFoods(const TFoodClipboard& clipboard) {
  if (Browsing()) return 0;
  std::vector<TWFoodItem> foods;
  if (const auto* meal = std::get_if<TMeal>(&clipboard.content)) foods = meal->foods;
  if (const auto* food = std::get_if<TWFoodItem>(&clipboard.content)) foods.push_back(*food);
  int added = 0;
  std::optional<std::string> refused;
  for (TWFoodItem& food : foods) {
    if (std::optional<std::string> warning = book_.CheckIngredient(food)) {
      refused = std::move(warning);
      continue;
    }
    book_.AddIngredient(std::move(food));
    ++added;
  }
  ResetIngredientOrder();
  if (refused) prompter_.Warn(*refused);
  return added;
}

std::vector<std::string> TRecipeBookState::IngredientLines() const {
  std::vector<std::string> lines;
  if (!book_.Working()) return lines;
  for (const TWFoodItem& item : RecipeOf(*book_.Working()).ingredients)
    lines.push_back(IngredientLine(item));
  return lines;
}

bool TRecipeBookState::Save(std::string rtf) {
  if (!book_.CanSave()) return false;
  book_.SetDirections(std::move(rtf));
  recipes_.clear();  // an edited recipe is replaced: its views go first
  results_.clear();
  if (const std::optional<std::string> warning = book_.Save()) {
    ShowAll();
    prompter_.Warn(*warning);
    return false;
  }
  ingredientOrder_.clear();
  ShowAll();
  return true;
}

void TRecipeBookState::Cancel() {
  book_.Cancel();
  results_.clear();
  ingredientOrder_.clear();
}

bool TRecipeBookState::Close(const std::function<std::string()>& rtf) {
  if (book_.CanSave() && prompter_.AskYesNo(std::string(kMsgSaveRecipeOnExit)) && !Save(rtf()))
    return false;
  Cancel();
  if (frequent_ && frequent_->IsOpen()) frequent_->FlushFrequentFoods();
  return true;
}

}  // namespace korvela
