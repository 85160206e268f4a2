#include "nutrition/recipes.h"

#include <algorithm>

#include "nutrition/food_catalogue.h"
#include "nutrition/food_element.h"
#include "nutrition/food_logging.h"
#include "nutrition/food_search.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/text_helpers.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

// A recipe list longer than this is not listed whole.
constexpr std::size_t kRecipeListCap = 3000;
constexpr Extended kServingsLimit = 100000;

// The recipe element of an ingredient element, or none.
const XMLNode* RecipeChild(const XMLNode& food) {
  if (!food.FindAttr(kRecipeMarkAttr) || food.Children.empty()) return nullptr;
  return food.Children.back().get();
}

// Nesting of a recipe element: one for itself, plus the deepest nesting of
// its ingredients. Bounded by the depth the document reader accepts.
int ElementNesting(const XMLNode& recipe) {
  int deepest = 0;
  for (const auto& ingredient : recipe.Children)
    if (const XMLNode* inner = RecipeChild(*ingredient))
      deepest = std::max(deepest, ElementNesting(*inner));
  return deepest + 1;
}

}  // namespace

std::unique_ptr<XMLNode> WriteReceptaElement(const TRecepta& recipe) {
  auto node = std::make_unique<XMLNode>(std::string(kRecipeElement));
  node->AddAttr(std::string(kServStrAttr), recipe.ServStr);
  node->AddFloatAttr(std::string(kNumServAttr), static_cast<double>(recipe.NumServ));
  node->AddAttr(std::string(kDescAttr), recipe.Desc);
  for (const TWFoodItem& ingredient : recipe.ingredients)
    node->AddChild(WriteLoggedFoodElement(ingredient));
  return node;
}

TRecepta ReadReceptaElement(const XMLNode& node) {
  TRecepta recipe;
  recipe.ServStr = node.AttrText(kServStrAttr);
  recipe.NumServ = node.AttrFloat(kNumServAttr);
  recipe.Desc = node.AttrOrEmpty(kDescAttr);
  recipe.ingredients.reserve(node.Children.size());
  for (const auto& child : node.Children)
    recipe.ingredients.push_back(ReadLoggedFoodElement(*child));
  return recipe;
}

TRecepta RecipeOf(const TFoodItem& food) {
  return food.recipe ? ReadReceptaElement(*food.recipe) : TRecepta{};
}

TNutrients RecipeTotals(const TRecepta& recipe) {
  TNutrients total;
  for (const TWFoodItem& ingredient : recipe.ingredients) total += LoggedNutrients(ingredient);
  return total;
}

void SetRecipe(TFoodItem& food, const TRecepta& recipe) {
  food.recipe = WriteReceptaElement(recipe);
  food.weights = {{std::string(kServingsDesc), recipe.NumServ, 100}};
  const TNutrients total = RecipeTotals(recipe);
  food.P = total.P;
  food.F = total.F;
  food.C = total.C;
  food.A = total.A;
}

void RecomputeRecipe(TFoodItem& food) {
  if (!food.recipe) return;
  const TNutrients total = RecipeTotals(ReadReceptaElement(*food.recipe));
  food.P = total.P;
  food.F = total.F;
  food.C = total.C;
  food.A = total.A;
}

TRecipeFood NewRecipe() {
  TRecipeFood food;
  food.Name = std::string(kNewRecipeName);
  TRecepta recipe;
  recipe.Desc = std::string(kNewRecipeDirections);
  SetRecipe(food, recipe);
  return food;
}

TRecipeFood RecipeCopy(const TRecipeFood& recipe) {
  TRecipeFood copy(recipe);
  copy.Name = std::string(kRecipeCopyPrefix) + recipe.Name;
  copy.ID = -1;
  return copy;
}

int RecipeNesting(const TFoodItem& food) { return food.recipe ? ElementNesting(*food.recipe) : 0; }

bool MayBeIngredient(const TFoodItem& food) { return RecipeNesting(food) + 1 <= kMaxRecipeNesting; }

bool ParseServings(std::string_view text, char floatingChar, std::string& servStr,
                   Extended& value) {
  const std::optional<Extended> read = ReadPositiveFraction(text, floatingChar);
  if (!read || !(*read < kServingsLimit)) return false;
  servStr = NormalizeFraction(text);
  value = *read;
  return true;
}

void SetServings(TFoodItem& food, const std::string& servStr, Extended value) {
  TRecepta recipe = RecipeOf(food);
  recipe.ServStr = servStr;
  recipe.NumServ = value;
  SetRecipe(food, recipe);
}

std::string IngredientLine(const TWFoodItem& ingredient) {
  return QuantityText(ingredient) + "   " + ingredient.Name;
}

void LoadRecipes(TFoodList& list, const std::filesystem::path& programFolder, TRandom& random,
                 TFileSystem& fs) {
  const std::filesystem::path file = programFolder / kRecipeBoxFile;
  if (!fs.Exists(file)) return;
  try {
    XMLDB db(file, kRecipeBoxKind, random, fs);
    std::vector<std::unique_ptr<TFoodItem>> recipes;
    for (const XMLHandle& handle : db.Handles()) {
      if (handle.ID < kFirstFreeID) continue;
      const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
      if (!node) continue;
      if (node->IsBlob) throw EInvalidXMLFile();
      auto recipe = std::make_unique<TRecipeFood>();
      ReadFoodElement(*node, *recipe);
      // A food without its recipe element is no recipe the book can edit.
      if (!recipe->recipe) throw EInvalidXMLFile();
      recipe->ID = handle.ID;
      recipes.push_back(std::move(recipe));
    }
    db.Close();
    for (auto& recipe : recipes) list.Foods.push_back(std::move(recipe));
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

void SaveRecipe(TRecipeFood& recipe, const std::filesystem::path& programFolder, TRandom& random,
                TFileSystem& fs) {
  XMLDB db(programFolder / kRecipeBoxFile, kRecipeBoxKind, random, fs);
  if (recipe.ID == -1) recipe.ID = db.AllocateID(kFirstFreeID, kIDLimit);
  db.Put(WriteFoodElement(recipe), recipe.ID, kDataKey, 0);
  db.Close();
}

void DeleteRecipe(TRecipeFood& recipe, const std::filesystem::path& programFolder, TRandom& random,
                  TFileSystem& fs) {
  if (recipe.ID == -1) return;
  XMLDB db(programFolder / kRecipeBoxFile, kRecipeBoxKind, random, fs);
  db.Delete(recipe.ID, 0);
  db.Close();
  recipe.ID = -1;
}

std::vector<TSFoodItem> ListAllRecipes(const TFoodList& list) {
  std::vector<TSFoodItem> rows;
  if (list.Foods.size() > kRecipeListCap) return rows;
  rows.reserve(list.Foods.size());
  int rank = 0;
  for (const auto& food : list.Foods) rows.emplace_back(*food, rank++);
  return rows;
}

}  // namespace korvela
