#include "nutrition/food_catalogue.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "nutrition/user_foods.h"
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

struct TWeightSpec {
  double mod;
  const char* desc;
  double gr;
};

XMLNode& AddCategory(XMLNode& root, const std::string& name, const char* element = "Cat") {
  XMLNode& category = root.AddChild(std::make_unique<XMLNode>(element));
  category.AddAttr("name", name);
  return category;
}

XMLNode& AddFood(XMLNode& category, const std::string& name, double p, double f, double c,
                 const std::vector<TWeightSpec>& weights = {}, const char* element = "Food") {
  XMLNode& food = category.AddChild(std::make_unique<XMLNode>(element));
  food.AddAttr("name", name);
  food.AddFloatAttr("P", p);
  food.AddFloatAttr("F", f);
  food.AddFloatAttr("C", c);
  for (const TWeightSpec& w : weights) {
    XMLNode& weight = food.AddChild(std::make_unique<XMLNode>("w"));
    weight.AddFloatAttr("mod", w.mod);
    weight.AddAttr("desc", w.desc);
    weight.AddFloatAttr("gr", w.gr);
  }
  return food;
}

class TFoodCatalogueTest : public ::testing::Test {
 protected:
  std::filesystem::path CatalogueFile() const { return folder_ / "foods.dat"; }
  void Save(const XMLNode& root) { SaveXMLFile(root, CatalogueFile(), kDataKey, *random_); }
  TFoodTree Load() {
    TFoodTree tree;
    EXPECT_TRUE(LoadFoodCatalogue(tree, units_, folder_.Path(), *random_));
    return tree;
  }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(20070101);
  TUnitDictionary units_;
};

std::vector<std::string> ListNames(const TFoodTree& tree) {
  std::vector<std::string> names;
  for (const TFoodList& list : tree.Lists) names.push_back(list.Name);
  return names;
}

std::vector<std::string> WeightDescs(const TFoodItem& food) {
  std::vector<std::string> descs;
  for (const TWeightItem& w : food.weights) descs.push_back(w.desc);
  return descs;
}

TEST_F(TFoodCatalogueTest, CategoriesFoodsAndMeasuresComeInFileOrder) {
  XMLNode root("Foods");
  XMLNode& fruit = AddCategory(root, "Fruits");
  AddFood(fruit, "Apples, raw", 0.26, 0.17, 13.81,
          {{1, "large", 223}, {0.5, "cup, sliced", 54.5}, {1, "oz", 28.35}});
  AddFood(fruit, "Pears, raw", 0.36, 0.14, 15.23, {{1, "medium", 178}});
  // Element names mean nothing to the reader.
  XMLNode& drinks = AddCategory(root, "Beverages", "Other");
  XMLNode& wine = AddFood(drinks, "Wine, red", 0.07, 0, 2.61, {{1, "fl oz", 29.4}}, "Drink");
  wine.AddFloatAttr("A", 10.6);
  AddCategory(root, "Spices and Herbs");
  Save(root);

  const TFoodTree tree = Load();
  EXPECT_EQ(ListNames(tree), (std::vector<std::string>{"Fruits", "Beverages", "Spices and Herbs",
                                                       "User-Added Foods", "Recipes"}));
  ASSERT_EQ(tree.Lists[0].Foods.size(), 2u);
  ASSERT_EQ(tree.Lists[1].Foods.size(), 1u);
  EXPECT_TRUE(tree.Lists[2].Foods.empty());
  EXPECT_TRUE(tree.Lists[3].Foods.empty());
  EXPECT_TRUE(tree.Lists[4].Foods.empty());

  const TFoodItem& apple = *tree.Lists[0].Foods[0];
  EXPECT_EQ(apple.Name, "Apples, raw");
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.P), 0.26);
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.F), 0.17);
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.C), 13.81);
  EXPECT_EQ(apple.A, 0);
  EXPECT_FALSE(apple.recipe);
  ASSERT_EQ(WeightDescs(apple), (std::vector<std::string>{"large", "cup, sliced", "oz"}));
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.weights[1].mod), 0.5);
  EXPECT_DOUBLE_EQ(static_cast<double>(apple.weights[1].gr), 54.5);

  EXPECT_EQ(tree.Lists[0].Foods[1]->Name, "Pears, raw");
  const TFoodItem& red = *tree.Lists[1].Foods[0];
  EXPECT_DOUBLE_EQ(static_cast<double>(red.A), 10.6);
  EXPECT_EQ(tree.FoodCount(), 3u);
}

TEST_F(TFoodCatalogueTest, EveryFoodWithoutAMeasureNamedExactlyOzGetsTheOunce) {
  const struct {
    std::vector<TWeightSpec> weights;
    bool ounceAdded;
  } cases[] = {
      {{}, true},
      {{{1, "oz", 28}}, false},
      {{{1, "cup", 240}, {2, "oz", 56.7}}, false},
      {{{1, "Oz", 28.35}}, true},
      {{{1, "OZ", 28.35}, {1, "oz (1 slice)", 28}}, true},
      {{{1, "fl oz", 29.6}}, true},
  };
  XMLNode root("Foods");
  XMLNode& category = AddCategory(root, "Mixed");
  for (const auto& c : cases) AddFood(category, "Food", 1, 2, 3, c.weights);
  Save(root);

  const TFoodTree tree = Load();
  ASSERT_EQ(tree.Lists[0].Foods.size(), std::size(cases));
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const TFoodItem& food = *tree.Lists[0].Foods[i];
    const std::size_t given = cases[i].weights.size();
    ASSERT_EQ(food.weights.size(), given + (cases[i].ounceAdded ? 1 : 0)) << i;
    for (std::size_t w = 0; w < given; ++w)
      EXPECT_EQ(food.weights[w].desc, cases[i].weights[w].desc) << i;
    if (cases[i].ounceAdded) {
      const TWeightItem& ounce = food.weights.back();
      EXPECT_EQ(ounce.desc, "oz") << i;
      EXPECT_EQ(ounce.mod, 1) << i;
      EXPECT_EQ(ounce.gr, 28.35L) << i;
    }
  }
}

TEST_F(TFoodCatalogueTest, AFoodWithoutNameOrAlcoholHasAnEmptyNameAndNoAlcohol) {
  XMLNode root("Foods");
  XMLNode& category = AddCategory(root, "Unnamed");
  XMLNode& food = category.AddChild(std::make_unique<XMLNode>("Food"));
  food.AddFloatAttr("P", 10);
  food.AddFloatAttr("F", 5);
  food.AddFloatAttr("C", 20);
  Save(root);

  const TFoodTree tree = Load();
  ASSERT_EQ(tree.Lists[0].Foods.size(), 1u);
  const TFoodItem& loaded = *tree.Lists[0].Foods[0];
  EXPECT_EQ(loaded.Name, "");
  EXPECT_EQ(loaded.A, 0);
  EXPECT_NEAR(static_cast<double>(Calories(loaded)), 165, 1e-12);
}

TEST_F(TFoodCatalogueTest, CategoryIndexIsThePositionHoldingThatVeryFood) {
  XMLNode root("Foods");
  AddFood(AddCategory(root, "A"), "Same name", 1, 1, 1);
  AddFood(AddCategory(root, "B"), "Same name", 1, 1, 1);
  Save(root);

  TFoodTree tree = Load();
  const TFoodItem& first = *tree.Lists[0].Foods[0];
  const TFoodItem& second = *tree.Lists[1].Foods[0];
  EXPECT_EQ(tree.CategoryIndexOf(first), 0);
  EXPECT_EQ(tree.CategoryIndexOf(second), 1);
  const TFoodItem copy(first);
  EXPECT_EQ(tree.CategoryIndexOf(copy), -1);

  tree.RecipeList().Foods.push_back(std::make_unique<TFoodItem>("Pancakes"));
  tree.UserFoodList().Foods.push_back(std::make_unique<TFoodItem>("My bread"));
  EXPECT_EQ(tree.CategoryIndexOf(*tree.Lists[3].Foods[0]), 3);
  EXPECT_EQ(tree.Lists[3].Foods[0]->Name, "Pancakes");
  EXPECT_EQ(tree.CategoryIndexOf(*tree.Lists[2].Foods[0]), 2);
  EXPECT_EQ(tree.Lists[2].Foods[0]->Name, "My bread");
  // The foods keep their identity when the tree's lists move.
  const TFoodTree moved = std::move(tree);
  EXPECT_EQ(moved.CategoryIndexOf(second), 1);
}

TEST_F(TFoodCatalogueTest, WithoutTheFileOnlyTheTwoFixedListsAreThere) {
  XMLNode root("Foods");
  AddFood(AddCategory(root, "Fruits"), "Apple", 1, 1, 1);
  Save(root);
  TFoodTree tree = Load();
  std::filesystem::remove(CatalogueFile());

  EXPECT_FALSE(LoadFoodCatalogue(tree, units_, folder_.Path(), *random_));
  EXPECT_EQ(ListNames(tree), (std::vector<std::string>{"User-Added Foods", "Recipes"}));
  EXPECT_EQ(tree.FoodCount(), 0u);
  EXPECT_EQ(&tree.RecipeList(), &tree.Lists[1]);
  EXPECT_EQ(&tree.UserFoodList(), &tree.Lists[0]);
  EXPECT_TRUE(units_.empty());
}

TEST_F(TFoodCatalogueTest, WithoutTheFileUserFoodsAreNotRead) {
  TUserFood bread("Rye bread");
  bread.CategoryID = 0;
  SaveUserFood(bread, folder_.Path(), *random_);
  TFoodTree tree;
  EXPECT_FALSE(LoadFoodCatalogue(tree, units_, folder_.Path(), *random_));
  EXPECT_EQ(tree.FoodCount(), 0u);
}

TEST_F(TFoodCatalogueTest, UserFoodsFollowTheCategoriesInFileOrderAndTheUnitsAreLoaded) {
  XMLNode root("Foods");
  AddFood(AddCategory(root, "Fruits"), "Apple", 1, 1, 1);
  AddCategory(root, "Breads");
  Save(root);
  std::vector<std::unique_ptr<TUserFood>> saved;
  for (const char* name : {"Rye bread", "Spelt bread", "Corn bread"}) {
    saved.push_back(std::make_unique<TUserFood>(name));
    saved.back()->CategoryID = 1;
    saved.back()->weights = {{"slice", 1, 30}};
    SaveUserFood(*saved.back(), folder_.Path(), *random_);
  }

  // Without "FW.DAT" the units are the defaults.
  TFoodTree tree = Load();
  ASSERT_EQ(ListNames(tree),
            (std::vector<std::string>{"Fruits", "Breads", "User-Added Foods", "Recipes"}));
  const TFoodList& users = tree.UserFoodList();
  ASSERT_EQ(users.Foods.size(), 3u);
  for (std::size_t i = 0; i < 3; ++i) {
    const auto* food = dynamic_cast<const TUserFood*>(users.Foods[i].get());
    ASSERT_TRUE(food) << i;
    EXPECT_EQ(food->Name, saved[i]->Name);
    EXPECT_EQ(food->ID, saved[i]->ID);
    EXPECT_EQ(food->CategoryID, 1);
    // User foods are read as stored: no ounce is added.
    EXPECT_EQ(WeightDescs(*food), std::vector<std::string>{"slice"});
    EXPECT_EQ(tree.CategoryIndexOf(*food), 2);
  }
  ASSERT_EQ(units_.size(), 23u);
  EXPECT_EQ(units_.front().desc, "oz");
  EXPECT_EQ(units_.back().desc, "meal");

  SaveUnitDictionary({{"mug", 1, 250}}, folder_.Path(), *random_);
  tree = Load();
  ASSERT_EQ(units_.size(), 1u);
  EXPECT_EQ(units_[0].desc, "mug");
  EXPECT_EQ(tree.UserFoodList().Foods.size(), 3u);
}

TEST_F(TFoodCatalogueTest, ADamagedUserFoodRaisesATypedErrorAndChangesNothing) {
  XMLNode root("Foods");
  AddFood(AddCategory(root, "Fruits"), "Apple", 1, 1, 1);
  Save(root);
  {
    XMLDB db(folder_ / "UA.DAT", kUserFoodsKind, *random_);
    std::unique_ptr<XMLNode> node = WriteUserFoodElement(TUserFood("Rye bread"));
    std::erase_if(node->Attributes, [](const XMLAttr& a) { return a.Name == "P"; });
    db.Put(std::move(node), 12, kDataKey, 0);
    db.Close();
  }
  TFoodTree tree;
  tree.Lists.push_back({"Earlier", {}});
  units_ = {{"mug", 1, 250}};
  try {
    (void)LoadFoodCatalogue(tree, units_, folder_.Path(), *random_);
    ADD_FAILURE() << "loaded";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_EQ(e.File(), (folder_ / "UA.DAT").string());
  }
  EXPECT_EQ(ListNames(tree), std::vector<std::string>{"Earlier"});
  ASSERT_EQ(units_.size(), 1u);
  EXPECT_EQ(units_[0].desc, "mug");
}

TEST_F(TFoodCatalogueTest, ADamagedCatalogueRaisesATypedErrorNamingTheFile) {
  XMLNode good("Foods");
  AddFood(AddCategory(good, "Fruits"), "Apple", 1, 1, 1, {{1, "cup", 125}});
  Save(good);
  const std::string goodBytes = ReadBytes(CatalogueFile());

  enum class TKind { Invalid, Convert };
  const auto missing = [](const char* attr) {
    return [attr](XMLNode& root) {
      XMLNode* node = &root;
      while (!node->FindAttr(attr)) node = node->Children[0].get();
      std::erase_if(node->Attributes, [attr](const XMLAttr& a) { return a.Name == attr; });
    };
  };
  struct TDamage {
    const char* what;
    std::function<void(std::string&)> bytes;  // applied to the file
    std::function<void(XMLNode&)> document;   // applied to the good document
    TKind kind;
  };
  const TDamage damages[] = {
      {"a flipped byte", [](std::string& b) { b[b.size() / 2] ^= 0x20; }, nullptr, TKind::Invalid},
      {"cut short", [](std::string& b) { b.resize(b.size() - 5); }, nullptr, TKind::Invalid},
      {"no scrambled body", [](std::string& b) { b.resize(10); }, nullptr, TKind::Invalid},
      {"category without name", nullptr, missing("name"), TKind::Invalid},
      {"food without P", nullptr, missing("P"), TKind::Invalid},
      {"food without C", nullptr, missing("C"), TKind::Invalid},
      {"weight without gr", nullptr, missing("gr"), TKind::Invalid},
      {"weight without desc", nullptr, missing("desc"), TKind::Invalid},
      {"weight without mod", nullptr, missing("mod"), TKind::Invalid},
      {"fat not a number", nullptr,
       [](XMLNode& root) { root.Children[0]->Children[0]->Attributes[2].Value = "much"; },
       TKind::Convert},
  };
  for (const TDamage& damage : damages) {
    if (damage.bytes) {
      std::string bytes = goodBytes;
      damage.bytes(bytes);
      WriteBytes(CatalogueFile(), bytes);
    } else {
      WriteBytes(CatalogueFile(), goodBytes);
      const std::unique_ptr<XMLNode> root = LoadXMLFile(CatalogueFile(), kDataKey);
      damage.document(*root);
      Save(*root);
    }
    TFoodTree tree;
    tree.Lists.push_back({"Earlier", {}});
    try {
      (void)LoadFoodCatalogue(tree, units_, folder_.Path(), *random_);
      ADD_FAILURE() << damage.what << ": loaded";
    } catch (const EInvalidXMLFile& e) {
      EXPECT_EQ(damage.kind, TKind::Invalid) << damage.what;
      EXPECT_EQ(e.File(), CatalogueFile().string()) << damage.what;
    } catch (const EConvertError& e) {
      EXPECT_EQ(damage.kind, TKind::Convert) << damage.what;
      EXPECT_EQ(e.File(), CatalogueFile().string()) << damage.what;
    } catch (const EKorvelaError& e) {
      ADD_FAILURE() << damage.what << ": " << e.what();
    }
    EXPECT_EQ(ListNames(tree), std::vector<std::string>{"Earlier"}) << damage.what;
  }
}

const TFoodItem* FindFood(const TFoodTree& tree, const std::string& name) {
  for (const TFoodList& list : tree.Lists)
    for (const auto& food : list.Foods)
      if (food->Name == name) return food.get();
  return nullptr;
}

TEST(ShippedFoodCatalogue, HoldsTheUsdaGroupsAndFoodsWithTheirMeasures) {
  const std::filesystem::path shipped = KORVELA_SHIPPED_FOODS;
  TFoodTree tree;
  TUnitDictionary units;
  ASSERT_TRUE(LoadFoodCatalogue(tree, units, shipped.parent_path(), *MakeSeededRandom(1)));
  ASSERT_EQ(tree.Lists.size(), 25u + 2u);
  EXPECT_EQ(tree.Lists.front().Name, "Dairy and Egg Products");
  EXPECT_EQ(tree.Lists[25].Name, "User-Added Foods");
  EXPECT_EQ(tree.Lists[26].Name, "Recipes");
  EXPECT_EQ(tree.FoodCount(), 8789u);
  std::vector<std::string> names = ListNames(tree);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(std::adjacent_find(names.begin(), names.end()), names.end());
  for (const TFoodList& list : tree.Lists)
    for (const auto& food : list.Foods) {
      const std::vector<std::string> descs = WeightDescs(*food);
      ASSERT_NE(std::find(descs.begin(), descs.end(), "oz"), descs.end()) << food->Name;
    }

  // Cheddar's measures already hold the ounce; beer's do not.
  const TFoodItem* cheddar = FindFood(tree, "Cheese, cheddar");
  ASSERT_TRUE(cheddar);
  EXPECT_EQ(WeightDescs(*cheddar),
            (std::vector<std::string>{"cup, diced", "cup, melted", "cup, shredded", "oz",
                                      "cubic inch", "slice (1 oz)"}));
  const TFoodItem* beer = FindFood(tree, "Alcoholic beverage, beer, regular, all");
  ASSERT_TRUE(beer);
  EXPECT_EQ(WeightDescs(*beer), (std::vector<std::string>{"fl oz", "can", "oz"}));
  EXPECT_DOUBLE_EQ(static_cast<double>(beer->A), 3.9);
  EXPECT_DOUBLE_EQ(static_cast<double>(beer->weights[1].gr), 356);
}

}  // namespace
}  // namespace korvela
