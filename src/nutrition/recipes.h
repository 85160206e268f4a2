#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "energy/extended.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_item.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_node.h"

namespace korvela {

struct TFoodList;
class TSFoodItem;

// The recipe box: a record database in the program folder shared by all
// users, one "Food" element (with its recipe element) per recipe, date key 0.
inline constexpr std::string_view kRecipeBoxFile = "RBOX.DAT";
inline constexpr std::int32_t kRecipeBoxKind = 1394257;

// Attributes of the recipe element, in this order.
inline constexpr std::string_view kServStrAttr = "ServStr";
inline constexpr std::string_view kNumServAttr = "NumServ";
inline constexpr std::string_view kDescAttr = "Desc";

// The single measure of every recipe: `mod` servings weigh 100 "grams", so
// that q servings of a recipe give q / servings of its totals.
inline constexpr std::string_view kServingsDesc = "serving(s)";
inline constexpr std::string_view kNewRecipeName = "A new recipe";
inline constexpr std::string_view kNewRecipeDirections = "Type recipe directions here...";
inline constexpr std::string_view kRecipeCopyPrefix = "A copy of ";

// The deepest nesting of recipes inside recipes an ingredient may bring: a
// recipe element holds its ingredients, which may hold recipes in turn, and
// the document reader refuses elements nested too deep to be read back.
inline constexpr int kMaxRecipeNesting = 64;

inline constexpr std::string_view kMsgRecipeNameRequired = "Recipe name is required!";
inline constexpr std::string_view kMsgOwnIngredients =
    "You cannot add to a recipe its own ingredients!";
inline constexpr std::string_view kMsgRecipeTooDeep =
    "This food holds recipes nested 64 levels deep. A recipe cannot hold it: "
    "the recipe book could not be read back.";
inline constexpr std::string_view kMsgSaveRecipeOnExit =
    "Would you like to save the recipe before exiting?";

// The recipe part of a food: directions (RTF), servings as typed and as a
// value, and the ingredients, each a logged food with its quantity, itself
// possibly a recipe. A copy is deep.
struct TRecepta {
  std::string Desc;
  std::string ServStr = "1";
  Extended NumServ = 1;
  std::vector<TWFoodItem> ingredients;
};

// A recipe of the "Recipes" list: a food carrying a recipe element, with the
// identifier of its record in "RBOX.DAT" (-1 while never stored).
class TRecipeFood : public TFoodItem {
 public:
  TRecipeFood() = default;
  explicit TRecipeFood(const TFoodItem& food) : TFoodItem(food) {}
  std::int32_t ID = -1;
};

std::unique_ptr<XMLNode> WriteReceptaElement(const TRecepta& recipe);
// "ServStr" and "NumServ" are required, "Desc" is empty when absent; every
// child is an ingredient. A missing attribute raises EInvalidXMLFile, a
// number that is not one EConvertError.
TRecepta ReadReceptaElement(const XMLNode& node);

// The recipe of a food, read from its recipe element; an empty recipe for a
// food that is none.
TRecepta RecipeOf(const TFoodItem& food);
// Makes the food the recipe: its recipe element, its single "serving(s)"
// measure and its totals (RecomputeRecipe).
void SetRecipe(TFoodItem& food, const TRecepta& recipe);
// A new recipe: "A new recipe", 1 serving, no ingredients, the directions
// placeholder.
TRecipeFood NewRecipe();
// "Edit a copy": a copy named "A copy of " + name that is stored as new.
TRecipeFood RecipeCopy(const TRecipeFood& recipe);

// The sums of the ingredients' logged nutrients.
TNutrients RecipeTotals(const TRecepta& recipe);
// Sets P, F, C and A of a recipe to the sums over its ingredients; a food
// that is not a recipe is left unchanged.
void RecomputeRecipe(TFoodItem& food);

// 0 for a food that is not a recipe, 1 for a recipe of plain foods, one more
// for every recipe held inside a recipe.
int RecipeNesting(const TFoodItem& food);
// True when the food may become an ingredient of a recipe without nesting
// recipes deeper than kMaxRecipeNesting.
bool MayBeIngredient(const TFoodItem& food);

// A typed number of servings: a number, fraction or mixed number above 0 and
// below 100000. Returns false for any other text; otherwise the normalised
// text and the value.
bool ParseServings(std::string_view text, char floatingChar, std::string& servStr, Extended& value);
// Sets the servings of the food's recipe (text, value and the measure's
// `mod`) and recomputes it.
void SetServings(TFoodItem& food, const std::string& servStr, Extended value);
// The directions line "Paste ingredients" writes for an ingredient: quantity,
// measure, three blanks, name.
std::string IngredientLine(const TWFoodItem& ingredient);

// Appends every record of "RBOX.DAT" with an identifier of 10 or more to the
// list, in file order, each with its identifier as ID. An absent file holds
// no recipes. A record that cannot be decoded raises EInvalidXMLFile (or
// EConvertError), naming the file; the list is then left as it was.
void LoadRecipes(TFoodList& list, const std::filesystem::path& programFolder, TRandom& random,
                 TFileSystem& fs = PosixFileSystem());
// Stores the recipe under its ID, allocating one first when it has none.
void SaveRecipe(TRecipeFood& recipe, const std::filesystem::path& programFolder, TRandom& random,
                TFileSystem& fs = PosixFileSystem());
// Deletes the recipe's record when it has an ID and sets the ID to -1.
void DeleteRecipe(TRecipeFood& recipe, const std::filesystem::path& programFolder, TRandom& random,
                  TFileSystem& fs = PosixFileSystem());
// A view row per recipe of the list, Rank = position; none at all when the
// list holds more than 3000 recipes (a search still finds them).
std::vector<TSFoodItem> ListAllRecipes(const TFoodList& list);

}  // namespace korvela
