#include "nutrition/frequent_foods.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/random.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

TFoodItem Food(const std::string& name, Extended p = 0, Extended f = 0, Extended c = 0,
               Extended a = 0) {
  TFoodItem food(name);
  food.P = p;
  food.F = f;
  food.C = c;
  food.A = a;
  food.weights = {{"cup", 1, 100}};
  return food;
}

class TFrequentFoodsTest : public ::testing::Test {
 protected:
  TFrequentFoodsTest() {
    foods_.OpenFrequentFoods(folder_.Path());
    foods_.LoadFrequentFoods();
  }
  std::filesystem::path File() const { return folder_ / "FF.DAT"; }
  // Logout and login again: the entries as stored.
  void Relogin() {
    foods_.CloseFrequentFoods();
    EXPECT_TRUE(foods_.Entries.empty());
    foods_.OpenFrequentFoods(folder_.Path());
    foods_.LoadFrequentFoods();
  }
  std::vector<std::string> Names() const {
    std::vector<std::string> names;
    for (const auto& entry : foods_.Entries) names.push_back(entry->Name);
    return names;
  }
  const TFrequentFood& Entry(const std::string& name) const {
    for (const auto& entry : foods_.Entries)
      if (entry->Name == name) return *entry;
    throw EInternalError("no entry " + name);
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(643332);
  TFrequentFoods foods_{*random_};
};

TEST_F(TFrequentFoodsTest, AFoodBecomesAFavouriteOnItsEleventhLogging) {
  const TFoodItem oats = Food("Oats", 13, 7, 67);
  for (int use = 1; use <= 12; ++use) {
    foods_.CountFoodUse(oats);
    ASSERT_EQ(foods_.Entries.size(), 1u) << use;
    EXPECT_EQ(foods_.Entries[0]->UsageCount, use);
    EXPECT_EQ(foods_.Entries[0]->Showed, use >= 11) << use;
    if (use == 10 || use == 11) {
      Relogin();
      ASSERT_EQ(foods_.Entries.size(), 1u) << use;
      EXPECT_EQ(foods_.Entries[0]->UsageCount, use);
      EXPECT_EQ(foods_.Entries[0]->Showed, use == 11) << use;
    }
  }
  const TFrequentFood& entry = *foods_.Entries[0];
  EXPECT_EQ(entry.Name, "Oats");
  EXPECT_EQ(entry.C, 67);
  ASSERT_EQ(entry.weights.size(), 1u);
  EXPECT_EQ(entry.weights[0].desc, "cup");
}

TEST_F(TFrequentFoodsTest, NamesMatchWithoutRegardToAsciiLetterCaseOnly) {
  const struct {
    const char* stored;
    const char* logged;
    bool same;
  } cases[] = {
      {"Apple pie", "apple PIE", true},
      {"Apple pie", "Apple pie", true},
      {"Apple pie", "Apple pie ", false},
      {"Apple pie", "Apple pi", false},
      {"Crème brûlée", "CRèME BRûLéE", true},
      // The accented letters differ in case and are not ASCII.
      {"Crème", "CRÈME", false},
      {"", "", true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SameFoodName(c.stored, c.logged), c.same) << c.stored << " / " << c.logged;
    TFrequentFoods foods(*random_);
    TTempFolder folder;
    foods.OpenFrequentFoods(folder.Path());
    foods.LoadFrequentFoods();
    foods.CountFoodUse(Food("Bread"));
    foods.CountFoodUse(Food(c.stored));
    EXPECT_EQ(foods.FindFrequentFood(Food(c.logged)), c.same ? 1 : -1)
        << c.stored << " / " << c.logged;
    foods.CountFoodUse(Food(c.logged));
    EXPECT_EQ(foods.Entries.size(), c.same ? 2u : 3u) << c.stored << " / " << c.logged;
    foods.CloseFrequentFoods();
  }
}

TEST_F(TFrequentFoodsTest, TwoFoodsDifferingInCaseShareOneEntryKeepingTheFirstName) {
  foods_.CountFoodUse(Food("Milk, whole"));
  foods_.CountFoodUse(Food("MILK, WHOLE"));
  ASSERT_EQ(foods_.Entries.size(), 1u);
  EXPECT_EQ(foods_.Entries[0]->Name, "Milk, whole");
  EXPECT_EQ(foods_.Entries[0]->UsageCount, 2);
}

TEST_F(TFrequentFoodsTest, CountingAUseSortsByUsageButANewEntryIsOnlyAppended) {
  for (const char* name : {"Apple", "Bread", "Cheese"}) foods_.CountFoodUse(Food(name));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Apple", "Bread", "Cheese"}));
  foods_.CountFoodUse(Food("cheese"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cheese", "Apple", "Bread"}));
  foods_.CountFoodUse(Food("Dates"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Cheese", "Apple", "Bread", "Dates"}));
  // The entry stays the same object while the list is re-sorted around it.
  TFrequentFood& dates = *foods_.Entries[3];
  foods_.CountFrequentUse(dates);
  foods_.CountFrequentUse(dates);
  EXPECT_EQ(Names(), (std::vector<std::string>{"Dates", "Cheese", "Apple", "Bread"}));
  EXPECT_EQ(Entry("Dates").UsageCount, 3);
}

TEST_F(TFrequentFoodsTest, AddingAFavouriteShowsItAtOnce) {
  foods_.CountFoodUse(Food("Apple"));
  foods_.CountFoodUse(Food("Apple"));
  foods_.CountFoodUse(Food("Bread"));
  foods_.AddToFavourites(Food("Honey"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Apple", "Bread", "Honey"}));
  EXPECT_EQ(Entry("Honey").UsageCount, 1);
  EXPECT_TRUE(Entry("Honey").Showed);
  EXPECT_GE(Entry("Honey").ID, kFirstFreeID);

  // An entry already there is shown with its count unchanged.
  foods_.AddToFavourites(Food("BREAD"));
  EXPECT_EQ(Names(), (std::vector<std::string>{"Apple", "Bread", "Honey"}));
  EXPECT_EQ(Entry("Bread").UsageCount, 1);
  EXPECT_TRUE(Entry("Bread").Showed);
  EXPECT_FALSE(Entry("Apple").Showed);

  Relogin();
  EXPECT_EQ(Names()[0], "Apple");
  EXPECT_TRUE(Entry("Honey").Showed);
  EXPECT_TRUE(Entry("Bread").Showed);
  EXPECT_FALSE(Entry("Apple").Showed);
}

TEST_F(TFrequentFoodsTest, ColumnKeysSortAscendingAndTheirNegationsDescending) {
  // Calories: bread 4*(9+50)+9*3 = 263, apple 4*(1+30)+9*20 = 304,
  // dates 4*(2+75) = 308, cider 4*(0+5)+9*0.5+7*60 = 444.5 (alcohol counts).
  foods_.CountFoodUse(Food("bread", 9, 3, 50));
  foods_.CountFoodUse(Food("Dates", 2, 0, 75));
  foods_.CountFoodUse(Food("apple", 1, 20, 30));
  foods_.CountFoodUse(Food("Cider", 0, 0.5L, 5, 60));
  using TNames = std::vector<std::string>;
  const struct {
    int key;
    TNames want;
  } cases[] = {
      {0, {"apple", "bread", "Cider", "Dates"}},  {1, {"Cider", "apple", "Dates", "bread"}},
      {-1, {"bread", "Dates", "apple", "Cider"}}, {2, {"Dates", "Cider", "bread", "apple"}},
      {-2, {"apple", "bread", "Cider", "Dates"}}, {3, {"Cider", "apple", "bread", "Dates"}},
      {-3, {"Dates", "bread", "apple", "Cider"}}, {4, {"bread", "apple", "Dates", "Cider"}},
      {-4, {"Cider", "Dates", "apple", "bread"}},
  };
  for (const auto& c : cases) {
    foods_.SortFrequentFoods(c.key);
    EXPECT_EQ(Names(), c.want) << c.key;
  }
  EXPECT_THROW(foods_.SortFrequentFoods(5), EInternalError);
  EXPECT_THROW(foods_.SortFrequentFoods(-5), EInternalError);
}

TEST_F(TFrequentFoodsTest, RemovingAnEntryDeletesItsRecordWithItsCount) {
  foods_.CountFoodUse(Food("Apple"));
  foods_.CountFoodUse(Food("Bread"));
  foods_.FlushFrequentFoods();
  TFrequentFood& bread = *foods_.Entries[1];
  foods_.RemoveFrequentFood(bread);
  EXPECT_EQ(bread.ID, -1);
  foods_.Entries.erase(foods_.Entries.begin() + 1);
  Relogin();
  EXPECT_EQ(Names(), std::vector<std::string>{"Apple"});

  // Logged again, it starts over at one use.
  foods_.CountFoodUse(Food("Bread"));
  EXPECT_EQ(Entry("Bread").UsageCount, 1);

  // An entry never stored leaves the file alone.
  foods_.FlushFrequentFoods();
  const std::string before = ReadBytes(File());
  TFrequentFood loose(Food("Loose"));
  foods_.RemoveFrequentFood(loose);
  foods_.FlushFrequentFoods();
  EXPECT_EQ(ReadBytes(File()), before);
}

TEST_F(TFrequentFoodsTest, UpdatingACopyReplacesTheFoodButKeepsTheCounts) {
  for (int i = 0; i < 11; ++i) foods_.CountFoodUse(Food("Pancakes", 6, 9, 28));
  TFoodItem edited = Food("Pancakes, light", 7, 4, 30);
  edited.weights = {{"piece", 1, 40}, {"stack", 1, 120}};
  edited.recipe = std::make_unique<XMLNode>("R");
  const std::int32_t id = foods_.Entries[0]->ID;
  foods_.UpdateFrequentCopy(*foods_.Entries[0], edited);
  edited.weights[0].desc = "changed afterwards";

  Relogin();
  ASSERT_EQ(foods_.Entries.size(), 1u);
  const TFrequentFood& entry = *foods_.Entries[0];
  EXPECT_EQ(entry.ID, id);
  EXPECT_EQ(entry.Name, "Pancakes, light");
  EXPECT_EQ(entry.F, 4);
  EXPECT_EQ(entry.UsageCount, 11);
  EXPECT_TRUE(entry.Showed);
  ASSERT_EQ(entry.weights.size(), 2u);
  EXPECT_EQ(entry.weights[0].desc, "piece");
  ASSERT_TRUE(entry.recipe);
  EXPECT_EQ(entry.recipe->Name, "R");
}

TEST_F(TFrequentFoodsTest, LoadingSortsByUsageSkipsReservedRecordsAndRunsOncePerLogin) {
  foods_.CloseFrequentFoods();
  {
    XMLDB db(File(), kFrequentFoodsKind, *random_);
    const struct {
      int id;
      const char* name;
      int uses;
    } records[] = {{40, "Apple", 2}, {9, "Reserved", 50}, {10, "Bread", 7}, {77, "Cheese", 3}};
    for (const auto& r : records) {
      TFrequentFood entry(Food(r.name));
      entry.UsageCount = r.uses;
      db.Put(WriteFrequentFoodElement(entry), r.id, kDataKey, 0);
    }
    db.Close();
  }
  foods_.OpenFrequentFoods(folder_.Path());
  foods_.LoadFrequentFoods();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Bread", "Cheese", "Apple"}));
  EXPECT_EQ(Entry("Bread").ID, 10);
  EXPECT_EQ(Entry("Cheese").ID, 77);

  foods_.SortFrequentFoods(kSortByName);
  foods_.Entries.pop_back();
  foods_.LoadFrequentFoods();
  EXPECT_EQ(Names(), (std::vector<std::string>{"Apple", "Bread"}));
}

TEST_F(TFrequentFoodsTest, ADamagedRecordRaisesATypedErrorNamingTheFile) {
  foods_.CountFoodUse(Food("Apple"));
  foods_.CountFoodUse(Food("Bread"));
  foods_.CloseFrequentFoods();
  std::string bytes = ReadBytes(File());
  bytes[bytes.size() - 3] ^= 0x20;
  WriteBytes(File(), bytes);

  foods_.OpenFrequentFoods(folder_.Path());
  try {
    foods_.LoadFrequentFoods();
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_EQ(e.File(), File().string());
  }
  EXPECT_TRUE(foods_.Entries.empty());
}

TEST_F(TFrequentFoodsTest, FlushingWritesPendingEntriesWhileTheFileStaysOpen) {
  const auto storedNames = [&] {
    std::vector<std::string> names;
    XMLDB db(File(), kFrequentFoodsKind, *random_);
    for (const XMLHandle& handle : db.Handles())
      names.push_back(db.Get(handle.ID, kDataKey, handle.Date)->AttrText("Name"));
    return names;
  };
  foods_.CountFoodUse(Food("Apple"));
  EXPECT_TRUE(storedNames().empty());
  foods_.FlushFrequentFoods();
  EXPECT_EQ(storedNames(), std::vector<std::string>{"Apple"});
  foods_.CountFoodUse(Food("Bread"));
  foods_.FlushFrequentFoods();
  EXPECT_EQ(storedNames(), (std::vector<std::string>{"Apple", "Bread"}));
  EXPECT_TRUE(foods_.IsOpen());
}

TEST(FrequentFoods, StoringWithoutAnOpenFileIsAnInternalError) {
  const std::unique_ptr<TRandom> random = MakeSeededRandom(1);
  TFrequentFoods foods(*random);
  EXPECT_THROW(foods.CountFoodUse(Food("Apple")), EInternalError);
  EXPECT_THROW(foods.LoadFrequentFoods(), EInternalError);
}

}  // namespace
}  // namespace korvela
