#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "nutrition/food_item.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_node.h"

namespace korvela {

struct TFoodList;

// The user-added foods: a record database in the program folder shared by
// all users, one "UFood" element per food (the food element form with
// "CategoryID" after the food's own attributes), date key 0.
inline constexpr std::string_view kUserFoodsFile = "UA.DAT";
inline constexpr std::int32_t kUserFoodsKind = 10293948;
inline constexpr std::string_view kUserFoodElement = "UFood";
inline constexpr std::string_view kCategoryIDAttr = "CategoryID";

// A food the user created. ID is its record identifier in "UA.DAT", -1 while
// it is not stored; CategoryID the tree position of the category the user
// filed it under, -1 when unset. User foods never carry a recipe.
class TUserFood : public TFoodItem {
 public:
  TUserFood() = default;
  explicit TUserFood(std::string name) : TFoodItem(std::move(name)) {}

  std::int32_t ID = -1;
  std::int32_t CategoryID = -1;
};

std::unique_ptr<XMLNode> WriteUserFoodElement(const TUserFood& food);
// Reads "Name", "P", "F", "C", "A" and "CategoryID", all required, and every
// child as a weight. The ID is left as it is.
void ReadUserFoodElement(const XMLNode& node, TUserFood& food);

// Appends every record of "UA.DAT" with an identifier of 10 or more to the
// list, in file order, each with its identifier as ID. An absent file holds
// no foods and is not created. A record that cannot be decoded raises
// EInvalidXMLFile, a number that is not one EConvertError, each naming the
// file.
void LoadUserFoods(TFoodList& list, const std::filesystem::path& programFolder, TRandom& random,
                   TFileSystem& fs = PosixFileSystem());
// Stores the food under its ID, allocating one first when it has none; the
// older record of that ID is replaced.
void SaveUserFood(TUserFood& food, const std::filesystem::path& programFolder, TRandom& random,
                  TFileSystem& fs = PosixFileSystem());
// Deletes the food's record when it has an ID and sets the ID to -1. The
// caller removes the food from its list.
void DeleteUserFood(TUserFood& food, const std::filesystem::path& programFolder, TRandom& random,
                    TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
