#include "nutrition/user_food_edits.h"

#include <algorithm>

#include "storage/errors.h"

namespace korvela {
namespace {

int UserFoodListIndex(const TFoodTree& tree) {
  if (tree.Lists.size() < 2) throw EInternalError("the food tree has no list of user-added foods");
  return static_cast<int>(tree.Lists.size()) - 2;
}

}  // namespace

std::unique_ptr<TUserFood> NewUserFood(const TFoodTree& tree, std::string name) {
  auto food = std::make_unique<TUserFood>(std::move(name));
  food->CategoryID = UserFoodListIndex(tree);
  return food;
}

TUserFood& AddEditCopy(TFoodTree& tree, const TFoodItem& food) {
  if (food.recipe) throw EInternalError("a recipe cannot be copied into a user food");
  auto copy = std::make_unique<TUserFood>();
  static_cast<TFoodItem&>(*copy) = food;
  copy->Name = std::string(kCopyNamePrefix) + food.Name;
  if (const auto* user = dynamic_cast<const TUserFood*>(&food))
    copy->CategoryID = user->CategoryID;
  else
    copy->CategoryID = tree.CategoryIndexOf(food);
  TFoodList& list = tree.UserFoodList();
  list.Foods.push_back(std::move(copy));
  return static_cast<TUserFood&>(*list.Foods.back());
}

void SaveEditedUserFood(TUserFood& food, std::string_view nameBeforeEdit,
                        TFrequentFoods& frequentFoods, const std::filesystem::path& programFolder,
                        TRandom& random, TFileSystem& fs) {
  SaveUserFood(food, programFolder, random, fs);
  if (!frequentFoods.IsOpen()) return;
  const int found = frequentFoods.FindFrequentFood(TFoodItem(std::string(nameBeforeEdit)));
  if (found >= 0)
    frequentFoods.UpdateFrequentCopy(*frequentFoods.Entries[static_cast<std::size_t>(found)], food);
}

void RemoveUserFood(TFoodTree& tree, TUserFood& food, const std::filesystem::path& programFolder,
                    TRandom& random, TFileSystem& fs) {
  DeleteUserFood(food, programFolder, random, fs);
  std::erase_if(tree.UserFoodList().Foods, [&](const auto& held) { return held.get() == &food; });
}

}  // namespace korvela
