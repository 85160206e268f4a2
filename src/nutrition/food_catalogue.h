#pragma once
#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "nutrition/food_item.h"
#include "nutrition/unit_dictionary.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// The catalogue file in the program folder: one scrambled document (data
// key) that ships with the program and is never written by it. The root's
// children are categories, their children foods, theirs the food's weights.
inline constexpr std::string_view kFoodCatalogueFile = "foods.dat";
// Element names as the catalogue is built; the reader ignores them.
inline constexpr std::string_view kCatalogueElement = "Foods";
inline constexpr std::string_view kCategoryElement = "Cat";
inline constexpr std::string_view kCatalogueFoodElement = "Food";
inline constexpr std::string_view kWeightElement = "w";
// Attributes. Category "name" is required; a food's "name" may be absent
// (an empty name), "P", "F", "C" are required and "A" is 0 when absent;
// every attribute of a weight is required.
inline constexpr std::string_view kCatalogueNameAttr = "name";
inline constexpr std::string_view kFoodProteinAttr = "P";
inline constexpr std::string_view kFoodFatAttr = "F";
inline constexpr std::string_view kFoodCarbsAttr = "C";
inline constexpr std::string_view kFoodAlcoholAttr = "A";
inline constexpr std::string_view kWeightModAttr = "mod";
inline constexpr std::string_view kWeightDescAttr = "desc";
inline constexpr std::string_view kWeightGramsAttr = "gr";

// Every catalogue food can be measured in ounces: the measure added on load
// to a food that has none named exactly "oz".
inline constexpr std::string_view kOunceDesc = "oz";
inline constexpr Extended kOunceGrams = 28.35L;

// The two lists that always end the tree.
inline constexpr std::string_view kUserFoodsListName = "User-Added Foods";
inline constexpr std::string_view kRecipesListName = "Recipes";

// A named category owning its foods in order.
struct TFoodList {
  std::string Name;
  std::vector<std::unique_ptr<TFoodItem>> Foods;
};

// The whole catalogue: the categories of the catalogue file in file order,
// then "User-Added Foods", then "Recipes", always the last list. Foods are
// held by pointer, so a food keeps its identity while lists are added.
class TFoodTree {
 public:
  std::vector<TFoodList> Lists;

  // The position of the list that holds this very object (not a food of the
  // same name), or -1 when no list holds it.
  int CategoryIndexOf(const TFoodItem& food) const;
  // The last two lists; the tree must hold them.
  TFoodList& UserFoodList();
  TFoodList& RecipeList();
  std::size_t FoodCount() const;
};

// Start-up load of the catalogue from the program folder: the tree is
// replaced by the categories of "foods.dat", then "User-Added Foods" with the
// foods of "UA.DAT" in file order, then "Recipes" with the recipes of
// "RBOX.DAT" in file order; the units are
// replaced by the unit dictionary ("FW.DAT" or its defaults). Returns false
// when "foods.dat" is not there; the tree then holds only the two fixed lists,
// both empty, the units are empty and the caller says once that the catalogue
// is missing. A damaged file raises EInvalidXMLFile, a number that is not one
// EConvertError, each naming the file; the tree and the units are then left
// as they were.
[[nodiscard]] bool LoadFoodCatalogue(TFoodTree& tree, TUnitDictionary& units,
                                     const std::filesystem::path& programFolder, TRandom& random,
                                     TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
