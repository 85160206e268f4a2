#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>
#include <vector>

#include "nutrition/food_item.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"
#include "storage/xml_node.h"

namespace korvela {

// The foods a user logged or marked as favourite: a record database in the
// user's folder, one "FFood" element per entry (the food element form with
// "UsageCount" and "Showed" after the food's own attributes), date key 0.
inline constexpr std::string_view kFrequentFoodsFile = "FF.DAT";
inline constexpr std::int32_t kFrequentFoodsKind = 643332;
inline constexpr std::string_view kFrequentFoodElement = "FFood";
inline constexpr std::string_view kUsageCountAttr = "UsageCount";
inline constexpr std::string_view kShowedAttr = "Showed";

// A food is listed among the favourites once it has been logged more often
// than this.
inline constexpr std::int32_t kFavouriteAfterUses = 10;

// A user's own copy of a food. ID is its record identifier in "FF.DAT", -1
// while it is not stored; UsageCount the times it was logged; Showed whether
// it is listed under "Favourite Foods". The copy does not follow later
// changes of the food it came from.
class TFrequentFood : public TFoodItem {
 public:
  TFrequentFood() = default;
  // A new entry for a food: a deep copy, used once, not shown.
  explicit TFrequentFood(const TFoodItem& food) : TFoodItem(food) {}

  std::int32_t ID = -1;
  std::int32_t UsageCount = 1;
  bool Showed = false;
};

std::unique_ptr<XMLNode> WriteFrequentFoodElement(const TFrequentFood& food);
// The food element form, then "UsageCount" and "Showed", both required. The
// ID is left as it is.
void ReadFrequentFoodElement(const XMLNode& node, TFrequentFood& food);

// Whether two food names are the same when ASCII letters are compared
// without regard to case; other bytes must be equal.
bool SameFoodName(std::string_view a, std::string_view b);

// Column keys of SortFrequentFoods: the key sorts ascending, its negation
// descending.
enum TFrequentSortKey : int {
  kSortByName = 0,
  kSortByProtein = 1,
  kSortByFat = 2,
  kSortByCarbs = 3,
  kSortByCalories = 4,
};

// The frequent-food list of the logged-in user with its open file, from
// login to logout.
class TFrequentFoods {
 public:
  explicit TFrequentFoods(TRandom& random, TFileSystem& fs = PosixFileSystem());
  TFrequentFoods(const TFrequentFoods&) = delete;
  TFrequentFoods& operator=(const TFrequentFoods&) = delete;

  // At login: opens "FF.DAT" in the user's folder (creating it when absent).
  void OpenFrequentFoods(const std::filesystem::path& userFolder);
  // Reads every record with an identifier of 10 or more, once per login, and
  // sorts the entries by UsageCount, highest first. A record that cannot be
  // decoded raises EInvalidXMLFile, a number that is not one EConvertError,
  // each naming the file.
  void LoadFrequentFoods();
  // Writes pending changes and drops the cached documents.
  void FlushFrequentFoods();
  // At logout: writes pending changes, closes the file and frees the list.
  void CloseFrequentFoods();
  bool IsOpen() const { return db_ != nullptr; }

  // The first entry whose name is the food's name (SameFoodName), or -1.
  int FindFrequentFood(const TFoodItem& food) const;
  // The food was logged from a search result: its entry counts one more use,
  // or a new entry (used once, not shown) is appended and stored without
  // re-sorting the list.
  void CountFoodUse(const TFoodItem& food);
  // The entry was logged: one more use, shown from the eleventh on; stored,
  // then the list is sorted by UsageCount, highest first.
  void CountFrequentUse(TFrequentFood& entry);
  // A new entry is appended shown with one use and stored; an existing one is
  // shown, stored, and the list sorted by UsageCount, highest first.
  void AddToFavourites(const TFoodItem& food);
  // Deletes the entry's record when it has an ID and sets the ID to -1. The
  // caller removes the entry from the list.
  void RemoveFrequentFood(TFrequentFood& entry);
  // Replaces the entry's name, nutrients, weights and recipe by copies of
  // the food's and stores the entry (after the food was edited).
  void UpdateFrequentCopy(TFrequentFood& entry, const TFoodItem& food);
  // Sorts by a column key in -4 ... 4 (TFrequentSortKey); names compare
  // without regard to ASCII letter case.
  void SortFrequentFoods(int key);
  void SortByUsage();

  std::vector<std::unique_ptr<TFrequentFood>> Entries;

 private:
  // Gives the entry an ID when it has none and puts its element under it.
  void Store(TFrequentFood& entry);
  XMLDB& Database() const;

  TRandom& random_;
  TFileSystem& fs_;
  std::unique_ptr<XMLDB> db_;
  bool loaded_ = false;
};

}  // namespace korvela
