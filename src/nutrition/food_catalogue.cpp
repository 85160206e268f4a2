#include "nutrition/food_catalogue.h"

#include <algorithm>

#include "nutrition/food_element.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {
namespace {

std::unique_ptr<TFoodItem> ReadCatalogueFood(const XMLNode& node) {
  auto food = std::make_unique<TFoodItem>(node.AttrOrEmpty(kCatalogueNameAttr));
  food->P = node.AttrFloat(kFoodProteinAttr);
  food->F = node.AttrFloat(kFoodFatAttr);
  food->C = node.AttrFloat(kFoodCarbsAttr);
  food->A = node.FindAttr(kFoodAlcoholAttr) ? node.AttrFloat(kFoodAlcoholAttr) : 0;
  food->weights.reserve(node.Children.size() + 1);
  for (const auto& child : node.Children) food->weights.push_back(ReadWeightElement(*child));
  const bool hasOunce = std::any_of(food->weights.begin(), food->weights.end(),
                                    [](const TWeightItem& w) { return w.desc == kOunceDesc; });
  if (!hasOunce) food->weights.push_back({std::string(kOunceDesc), 1, kOunceGrams});
  return food;
}

void ReadCatalogue(const XMLNode& root, std::vector<TFoodList>& lists) {
  lists.reserve(root.Children.size() + 2);
  for (const auto& category : root.Children) {
    TFoodList& list = lists.emplace_back();
    list.Name = category->AttrText(kCatalogueNameAttr);
    list.Foods.reserve(category->Children.size());
    for (const auto& food : category->Children) list.Foods.push_back(ReadCatalogueFood(*food));
  }
}

}  // namespace

int TFoodTree::CategoryIndexOf(const TFoodItem& food) const {
  for (std::size_t i = 0; i < Lists.size(); ++i)
    for (const auto& held : Lists[i].Foods)
      if (held.get() == &food) return static_cast<int>(i);
  return -1;
}

TFoodList& TFoodTree::UserFoodList() {
  if (Lists.size() < 2) throw EInternalError("the food tree has no list of user-added foods");
  return Lists[Lists.size() - 2];
}

TFoodList& TFoodTree::RecipeList() {
  if (Lists.empty()) throw EInternalError("the food tree has no recipe list");
  return Lists.back();
}

std::size_t TFoodTree::FoodCount() const {
  std::size_t count = 0;
  for (const TFoodList& list : Lists) count += list.Foods.size();
  return count;
}

bool LoadFoodCatalogue(TFoodTree& tree, TUnitDictionary& units,
                       const std::filesystem::path& programFolder, TRandom& random,
                       TFileSystem& fs) {
  const std::filesystem::path file = programFolder / kFoodCatalogueFile;
  std::vector<TFoodList> lists;
  TUnitDictionary loadedUnits;
  const bool found = fs.Exists(file);
  if (found) {
    try {
      const std::unique_ptr<XMLNode> root = LoadXMLFile(file, kDataKey, fs);
      if (!root || root->IsBlob) throw EInvalidXMLFile();
      ReadCatalogue(*root, lists);
    } catch (EKorvelaError& e) {
      e.SetFileIfUnknown(file.string());
      throw;
    }
  }
  lists.push_back({std::string(kUserFoodsListName), {}});
  if (found) LoadUserFoods(lists.back(), programFolder, random, fs);
  lists.push_back({std::string(kRecipesListName), {}});
  if (found) LoadRecipes(lists.back(), programFolder, random, fs);
  if (found) loadedUnits = LoadUnitDictionary(programFolder, fs);
  tree.Lists = std::move(lists);
  units = std::move(loadedUnits);
  return found;
}

}  // namespace korvela
