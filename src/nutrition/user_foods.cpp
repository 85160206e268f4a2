#include "nutrition/user_foods.h"

#include "nutrition/food_catalogue.h"
#include "nutrition/food_element.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

namespace korvela {

std::unique_ptr<XMLNode> WriteUserFoodElement(const TUserFood& food) {
  std::unique_ptr<XMLNode> node = WriteFoodElement(food, kUserFoodElement);
  node->AddIntAttr(std::string(kCategoryIDAttr), food.CategoryID);
  return node;
}

void ReadUserFoodElement(const XMLNode& node, TUserFood& food) {
  ReadNameAndNutrients(node, food);
  food.CategoryID = node.AttrInt(kCategoryIDAttr);
  food.weights.clear();
  food.weights.reserve(node.Children.size());
  for (const auto& child : node.Children) food.weights.push_back(ReadWeightElement(*child));
  food.recipe.reset();
}

void LoadUserFoods(TFoodList& list, const std::filesystem::path& programFolder, TRandom& random,
                   TFileSystem& fs) {
  const std::filesystem::path file = programFolder / kUserFoodsFile;
  if (!fs.Exists(file)) return;
  try {
    XMLDB db(file, kUserFoodsKind, random, fs);
    std::vector<std::unique_ptr<TFoodItem>> foods;
    for (const XMLHandle& handle : db.Handles()) {
      if (handle.ID < kFirstFreeID) continue;
      const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
      if (!node) continue;
      if (node->IsBlob) throw EInvalidXMLFile();
      auto food = std::make_unique<TUserFood>();
      ReadUserFoodElement(*node, *food);
      food->ID = handle.ID;
      foods.push_back(std::move(food));
    }
    db.Close();
    for (auto& food : foods) list.Foods.push_back(std::move(food));
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

void SaveUserFood(TUserFood& food, const std::filesystem::path& programFolder, TRandom& random,
                  TFileSystem& fs) {
  XMLDB db(programFolder / kUserFoodsFile, kUserFoodsKind, random, fs);
  if (food.ID == -1) food.ID = db.AllocateID(kFirstFreeID, kIDLimit);
  db.Put(WriteUserFoodElement(food), food.ID, kDataKey, 0);
  db.Close();
}

void DeleteUserFood(TUserFood& food, const std::filesystem::path& programFolder, TRandom& random,
                    TFileSystem& fs) {
  if (food.ID == -1) return;
  XMLDB db(programFolder / kUserFoodsFile, kUserFoodsKind, random, fs);
  db.Delete(food.ID, 0);
  db.Close();
  food.ID = -1;
}

}  // namespace korvela
