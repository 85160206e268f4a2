#include "nutrition/user_foods.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nutrition/food_catalogue.h"
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

class TUserFoodsTest : public ::testing::Test {
 protected:
  std::filesystem::path File() const { return folder_ / "UA.DAT"; }

  TUserFood& Save(const std::string& name, int categoryID) {
    auto food = std::make_unique<TUserFood>(name);
    food->P = 3;
    food->F = 1;
    food->C = 40;
    food->weights = {{"slice", 1, 30}};
    food->CategoryID = categoryID;
    SaveUserFood(*food, folder_.Path(), *random_);
    saved_.push_back(std::move(food));
    return *saved_.back();
  }
  std::vector<const TUserFood*> Load() {
    list_.Foods.clear();
    LoadUserFoods(list_, folder_.Path(), *random_);
    std::vector<const TUserFood*> foods;
    for (const auto& food : list_.Foods) {
      const auto* user = dynamic_cast<const TUserFood*>(food.get());
      EXPECT_TRUE(user) << food->Name;
      foods.push_back(user);
    }
    return foods;
  }
  std::vector<std::string> LoadedNames() {
    std::vector<std::string> names;
    for (const TUserFood* food : Load()) names.push_back(food->Name);
    return names;
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(4242);
  std::vector<std::unique_ptr<TUserFood>> saved_;
  TFoodList list_{"User-Added Foods", {}};
};

TEST_F(TUserFoodsTest, SavedFoodsComeBackInFileOrderWithTheirIdentifiers) {
  TUserFood& rye = Save("Rye bread", 25);
  TUserFood& spelt = Save("Spelt bread", 3);
  TUserFood& corn = Save("Corn bread", 25);
  for (const TUserFood* food : {&rye, &spelt, &corn}) {
    EXPECT_GE(food->ID, kFirstFreeID) << food->Name;
    EXPECT_LT(food->ID, kIDLimit) << food->Name;
  }
  EXPECT_NE(rye.ID, spelt.ID);
  EXPECT_NE(spelt.ID, corn.ID);

  const std::vector<const TUserFood*> foods = Load();
  ASSERT_EQ(foods.size(), 3u);
  const TUserFood* want[] = {&rye, &spelt, &corn};
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(foods[i]->Name, want[i]->Name);
    EXPECT_EQ(foods[i]->ID, want[i]->ID);
    EXPECT_EQ(foods[i]->CategoryID, want[i]->CategoryID);
    EXPECT_EQ(foods[i]->C, 40);
    ASSERT_EQ(foods[i]->weights.size(), 1u);
    EXPECT_EQ(foods[i]->weights[0].desc, "slice");
    EXPECT_FALSE(foods[i]->recipe);
  }
}

TEST_F(TUserFoodsTest, SavingAStoredFoodReplacesItsRecord) {
  TUserFood& rye = Save("Rye bread", 25);
  Save("Spelt bread", 25);
  const int id = rye.ID;
  rye.Name = "Dark rye bread";
  rye.CategoryID = 4;
  SaveUserFood(rye, folder_.Path(), *random_);
  EXPECT_EQ(rye.ID, id);

  const std::vector<const TUserFood*> foods = Load();
  ASSERT_EQ(foods.size(), 2u);
  // The new version is written after the records kept as they were.
  EXPECT_EQ(foods[0]->Name, "Spelt bread");
  EXPECT_EQ(foods[1]->Name, "Dark rye bread");
  EXPECT_EQ(foods[1]->ID, id);
  EXPECT_EQ(foods[1]->CategoryID, 4);
}

TEST_F(TUserFoodsTest, DeletingRemovesTheRecordAndForgetsTheIdentifier) {
  Save("Rye bread", 25);
  TUserFood& spelt = Save("Spelt bread", 25);
  Save("Corn bread", 25);
  DeleteUserFood(spelt, folder_.Path(), *random_);
  EXPECT_EQ(spelt.ID, -1);
  EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"Rye bread", "Corn bread"}));

  // A food that was never stored leaves the file as it is.
  const std::string before = ReadBytes(File());
  DeleteUserFood(spelt, folder_.Path(), *random_);
  EXPECT_EQ(spelt.ID, -1);
  EXPECT_EQ(ReadBytes(File()), before);
}

TEST_F(TUserFoodsTest, RecordsWithReservedIdentifiersAreSkipped) {
  Save("Rye bread", 25);
  {
    XMLDB db(File(), kUserFoodsKind, *random_);
    for (int id : {1, 9, 10}) {
      TUserFood food("Fixed " + std::to_string(id));
      food.CategoryID = 0;
      db.Put(WriteUserFoodElement(food), id, kDataKey, 0);
    }
    db.Close();
  }
  EXPECT_EQ(LoadedNames(), (std::vector<std::string>{"Rye bread", "Fixed 10"}));
}

TEST_F(TUserFoodsTest, AbsentFileHoldsNoFoodsAndIsNotCreated) {
  EXPECT_TRUE(Load().empty());
  EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(TUserFoodsTest, ADamagedRecordRaisesATypedErrorNamingTheFile) {
  Save("Rye bread", 25);
  Save("Spelt bread", 25);
  const std::string good = ReadBytes(File());

  const struct {
    const char* what;
    std::function<void()> damage;
  } damages[] = {
      {"a flipped byte in the last record",
       [&] {
         std::string bytes = good;
         bytes[bytes.size() - 3] ^= 0x20;
         WriteBytes(File(), bytes);
       }},
      {"a record without CategoryID",
       [&] {
         WriteBytes(File(), good);
         XMLDB db(File(), kUserFoodsKind, *random_);
         TUserFood food("Corn bread");
         std::unique_ptr<XMLNode> node = WriteUserFoodElement(food);
         node->Attributes.pop_back();
         db.Put(std::move(node), 11, kDataKey, 0);
         db.Close();
       }},
      {"a weight without grams",
       [&] {
         WriteBytes(File(), good);
         XMLDB db(File(), kUserFoodsKind, *random_);
         TUserFood food("Corn bread");
         food.weights = {{"slice", 1, 30}};
         std::unique_ptr<XMLNode> node = WriteUserFoodElement(food);
         node->Children[0]->Attributes.pop_back();
         db.Put(std::move(node), 11, kDataKey, 0);
         db.Close();
       }},
  };
  for (const auto& d : damages) {
    d.damage();
    list_.Foods.clear();
    try {
      LoadUserFoods(list_, folder_.Path(), *random_);
      ADD_FAILURE() << d.what << ": loaded";
    } catch (const EInvalidXMLFile& e) {
      EXPECT_EQ(e.File(), File().string()) << d.what;
    }
    EXPECT_TRUE(list_.Foods.empty()) << d.what;
  }
}

}  // namespace
}  // namespace korvela
