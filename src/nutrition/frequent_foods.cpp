#include "nutrition/frequent_foods.h"

#include <algorithm>
#include <functional>

#include "nutrition/food_element.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool NameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(LowerAscii(x)) < static_cast<unsigned char>(LowerAscii(y));
  });
}

}  // namespace

std::unique_ptr<XMLNode> WriteFrequentFoodElement(const TFrequentFood& food) {
  std::unique_ptr<XMLNode> node = WriteFoodElement(food, kFrequentFoodElement);
  node->AddIntAttr(std::string(kUsageCountAttr), food.UsageCount);
  node->AddBoolAttr(std::string(kShowedAttr), food.Showed);
  return node;
}

void ReadFrequentFoodElement(const XMLNode& node, TFrequentFood& food) {
  ReadFoodElement(node, food);
  food.UsageCount = node.AttrInt(kUsageCountAttr);
  food.Showed = node.AttrBool(kShowedAttr);
}

bool SameFoodName(std::string_view a, std::string_view b) { return SameTextIgnoringCase(a, b); }

TFrequentFoods::TFrequentFoods(TRandom& random, TFileSystem& fs) : random_(random), fs_(fs) {}

void TFrequentFoods::OpenFrequentFoods(const std::filesystem::path& userFolder) {
  if (db_) throw EInternalError("the frequent foods are already open");
  db_ = std::make_unique<XMLDB>(userFolder / kFrequentFoodsFile, kFrequentFoodsKind, random_, fs_);
}

void TFrequentFoods::LoadFrequentFoods() {
  XMLDB& db = Database();
  if (loaded_) return;
  try {
    std::vector<std::unique_ptr<TFrequentFood>> entries;
    for (const XMLHandle& handle : db.Handles()) {
      if (handle.ID < kFirstFreeID) continue;
      const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
      if (!node) continue;
      if (node->IsBlob) throw EInvalidXMLFile();
      auto entry = std::make_unique<TFrequentFood>();
      ReadFrequentFoodElement(*node, *entry);
      entry->ID = handle.ID;
      entries.push_back(std::move(entry));
    }
    Entries = std::move(entries);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(db.FileName().string());
    throw;
  }
  loaded_ = true;
  SortByUsage();
}

void TFrequentFoods::FlushFrequentFoods() {
  XMLDB& db = Database();
  db.Save();
  db.ReleaseCache();
}

void TFrequentFoods::CloseFrequentFoods() {
  if (db_) db_->Close();
  db_.reset();
  Entries.clear();
  loaded_ = false;
}

int TFrequentFoods::FindFrequentFood(const TFoodItem& food) const {
  for (std::size_t i = 0; i < Entries.size(); ++i)
    if (SameFoodName(Entries[i]->Name, food.Name)) return static_cast<int>(i);
  return -1;
}

void TFrequentFoods::CountFoodUse(const TFoodItem& food) {
  const int found = FindFrequentFood(food);
  if (found >= 0) {
    CountFrequentUse(*Entries[static_cast<std::size_t>(found)]);
    return;
  }
  TFrequentFood& entry = *Entries.emplace_back(std::make_unique<TFrequentFood>(food));
  Store(entry);
}

void TFrequentFoods::CountFrequentUse(TFrequentFood& entry) {
  ++entry.UsageCount;
  if (entry.UsageCount > kFavouriteAfterUses) entry.Showed = true;
  Store(entry);
  SortByUsage();
}

void TFrequentFoods::AddToFavourites(const TFoodItem& food) {
  const int found = FindFrequentFood(food);
  if (found < 0) {
    TFrequentFood& entry = *Entries.emplace_back(std::make_unique<TFrequentFood>(food));
    entry.Showed = true;
    Store(entry);
    return;
  }
  TFrequentFood& entry = *Entries[static_cast<std::size_t>(found)];
  entry.Showed = true;
  Store(entry);
  SortByUsage();
}

void TFrequentFoods::RemoveFrequentFood(TFrequentFood& entry) {
  if (entry.ID == -1) return;
  Database().Delete(entry.ID, 0);
  entry.ID = -1;
}

void TFrequentFoods::UpdateFrequentCopy(TFrequentFood& entry, const TFoodItem& food) {
  static_cast<TFoodItem&>(entry) = food;
  Store(entry);
}

void TFrequentFoods::SortFrequentFoods(int key) {
  using TLess = std::function<bool(const TFrequentFood&, const TFrequentFood&)>;
  TLess less;
  switch (key < 0 ? -key : key) {
    case kSortByName:
      less = [](const TFrequentFood& a, const TFrequentFood& b) {
        return NameLess(a.Name, b.Name);
      };
      break;
    case kSortByProtein:
      less = [](const TFrequentFood& a, const TFrequentFood& b) { return a.P < b.P; };
      break;
    case kSortByFat:
      less = [](const TFrequentFood& a, const TFrequentFood& b) { return a.F < b.F; };
      break;
    case kSortByCarbs:
      less = [](const TFrequentFood& a, const TFrequentFood& b) { return a.C < b.C; };
      break;
    case kSortByCalories:
      less = [](const TFrequentFood& a, const TFrequentFood& b) {
        return Calories(a) < Calories(b);
      };
      break;
    default:
      throw EInternalError("no frequent-food column has the sort key " + std::to_string(key));
  }
  const bool descending = key < 0;
  std::stable_sort(Entries.begin(), Entries.end(), [&](const auto& a, const auto& b) {
    return descending ? less(*b, *a) : less(*a, *b);
  });
}

void TFrequentFoods::SortByUsage() {
  std::stable_sort(Entries.begin(), Entries.end(),
                   [](const auto& a, const auto& b) { return a->UsageCount > b->UsageCount; });
}

void TFrequentFoods::Store(TFrequentFood& entry) {
  XMLDB& db = Database();
  if (entry.ID == -1) entry.ID = db.AllocateID(kFirstFreeID, kIDLimit);
  db.Put(WriteFrequentFoodElement(entry), entry.ID, kDataKey, 0);
}

XMLDB& TFrequentFoods::Database() const {
  if (!db_) throw EInternalError("the frequent foods are not open");
  return *db_;
}

}  // namespace korvela
