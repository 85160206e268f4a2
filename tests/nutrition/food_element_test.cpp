#include "nutrition/food_element.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "nutrition/frequent_foods.h"
#include "nutrition/user_foods.h"
#include "storage/errors.h"

namespace korvela {
namespace {

// Rolled oats with two measures; the numbers have short stored texts.
TFoodItem Oats() {
  TFoodItem food("Oats & \"bran\"");
  food.P = 10;
  food.F = 5;
  food.C = 60;
  food.A = 0.5L;
  food.weights = {{"cup", 1, 80}, {"oz", 2, 56.7L}};
  return food;
}

std::unique_ptr<XMLNode> RecipeElement() {
  auto recipe = std::make_unique<XMLNode>("R");
  recipe->AddAttr("Servings", "4");
  recipe->AddChild(std::make_unique<XMLNode>("Dir", "Stir"));
  return recipe;
}

const char* const kOatsAttrs =
    "Name=\"Oats &amp; &quot;bran&quot;\" P=\" 1.00000000000000E+0001\" "
    "F=\" 5.00000000000000E+0000\" C=\" 6.00000000000000E+0001\" A=\" 5.00000000000000E-0001\"";
const char* const kOatsWeights =
    "<w mod=\" 1.00000000000000E+0000\" desc=\"cup\" gr=\" 8.00000000000000E+0001\">\r\n</w>\r\n"
    "<w mod=\" 2.00000000000000E+0000\" desc=\"oz\" gr=\" 5.67000000000000E+0001\">\r\n</w>\r\n";

TEST(FoodElement, WritesNameNutrientsAndWeightsInOrderWithoutRecipeMark) {
  EXPECT_EQ(WriteFoodElement(Oats())->ToText(),
            std::string("<Food ") + kOatsAttrs + ">\r\n" + kOatsWeights + "</Food>\r\n");
}

TEST(FoodElement, ARecipeIsMarkedAndItsElementComesAfterTheWeights) {
  TFoodItem food = Oats();
  food.recipe = RecipeElement();
  EXPECT_EQ(WriteFoodElement(food)->ToText(),
            std::string("<Food ") + kOatsAttrs + " R=\"1\">\r\n" + kOatsWeights +
                "<R Servings=\"4\">\r\n<Dir>Stir</Dir>\r\n</R>\r\n</Food>\r\n");
}

TEST(FoodElement, UserAndFrequentFoodsAppendTheirAttributesAfterTheFoodsOwn) {
  TUserFood user;
  static_cast<TFoodItem&>(user) = Oats();
  user.ID = 77;
  user.CategoryID = 25;
  EXPECT_EQ(WriteUserFoodElement(user)->ToText(), std::string("<UFood ") + kOatsAttrs +
                                                      " CategoryID=\"25\">\r\n" + kOatsWeights +
                                                      "</UFood>\r\n");

  TFrequentFood frequent(Oats());
  frequent.UsageCount = 12;
  frequent.Showed = true;
  EXPECT_EQ(WriteFrequentFoodElement(frequent)->ToText(),
            std::string("<FFood ") + kOatsAttrs + " UsageCount=\"12\" Showed=\"-1\">\r\n" +
                kOatsWeights + "</FFood>\r\n");

  frequent.Showed = false;
  frequent.recipe = RecipeElement();
  EXPECT_EQ(WriteFrequentFoodElement(frequent)->ToText(),
            std::string("<FFood ") + kOatsAttrs + " R=\"1\" UsageCount=\"12\" Showed=\"0\">\r\n" +
                kOatsWeights + "<R Servings=\"4\">\r\n<Dir>Stir</Dir>\r\n</R>\r\n</FFood>\r\n");
}

void ExpectSameFood(const TFoodItem& got, const TFoodItem& want) {
  EXPECT_EQ(got.Name, want.Name);
  EXPECT_EQ(got.P, want.P);
  EXPECT_EQ(got.F, want.F);
  EXPECT_EQ(got.C, want.C);
  EXPECT_EQ(got.A, want.A);
  ASSERT_EQ(got.weights.size(), want.weights.size());
  for (std::size_t i = 0; i < got.weights.size(); ++i) {
    EXPECT_EQ(got.weights[i].desc, want.weights[i].desc) << i;
    EXPECT_DOUBLE_EQ(static_cast<double>(got.weights[i].mod),
                     static_cast<double>(want.weights[i].mod))
        << i;
    EXPECT_DOUBLE_EQ(static_cast<double>(got.weights[i].gr),
                     static_cast<double>(want.weights[i].gr))
        << i;
  }
  ASSERT_EQ(got.recipe != nullptr, want.recipe != nullptr);
  if (want.recipe) {
    EXPECT_TRUE(got.recipe->SameAs(*want.recipe));
  }
}

TEST(FoodElement, ReadsBackWhatWasWrittenWithAndWithoutRecipe) {
  TFoodItem plain = Oats();
  TFoodItem recipe = Oats();
  recipe.recipe = RecipeElement();
  for (const TFoodItem* want : {&plain, &recipe}) {
    const std::string text = WriteFoodElement(*want)->ToText();
    const std::unique_ptr<XMLNode> parsed = XMLNode::Parse(text.data(), text.size());
    TFoodItem got("stale");
    got.weights = {{"old", 1, 1}};
    got.recipe = RecipeElement();
    ReadFoodElement(*parsed, got);
    ExpectSameFood(got, *want);
  }
}

TEST(FoodElement, WithoutTheRecipeMarkEveryChildIsAWeight) {
  std::unique_ptr<XMLNode> node = WriteFoodElement(Oats());
  node->AddChild(std::make_unique<XMLNode>("R"));
  TFoodItem got;
  // The last child has no weight attributes and is read as a weight.
  EXPECT_THROW(ReadFoodElement(*node, got), EInvalidXMLFile);
}

TEST(FoodElement, EveryAttributeOfFoodAndWeightIsRequired) {
  const struct {
    const char* attr;
    bool onWeight;
  } cases[] = {{"Name", false}, {"P", false},  {"F", false},   {"C", false},
               {"A", false},    {"mod", true}, {"desc", true}, {"gr", true}};
  for (const auto& c : cases) {
    std::unique_ptr<XMLNode> node = WriteFoodElement(Oats());
    XMLNode& target = c.onWeight ? *node->Children[1] : *node;
    std::erase_if(target.Attributes, [&](const XMLAttr& a) { return a.Name == c.attr; });
    TFoodItem food;
    EXPECT_THROW(ReadFoodElement(*node, food), EInvalidXMLFile) << c.attr;
    TFrequentFood frequent;
    EXPECT_THROW(ReadFrequentFoodElement(*node, frequent), EInvalidXMLFile) << c.attr;
  }
  for (const char* attr : {"UsageCount", "Showed"}) {
    std::unique_ptr<XMLNode> node = WriteFrequentFoodElement(TFrequentFood(Oats()));
    std::erase_if(node->Attributes, [&](const XMLAttr& a) { return a.Name == attr; });
    TFrequentFood frequent;
    EXPECT_THROW(ReadFrequentFoodElement(*node, frequent), EInvalidXMLFile) << attr;
  }
  std::unique_ptr<XMLNode> node = WriteUserFoodElement(TUserFood("Bread"));
  std::erase_if(node->Attributes, [](const XMLAttr& a) { return a.Name == "CategoryID"; });
  TUserFood user;
  EXPECT_THROW(ReadUserFoodElement(*node, user), EInvalidXMLFile);
}

TEST(FoodElement, FrequentEntryReadsUsageAndShowedWithTheBooleanParse) {
  const struct {
    const char* showed;
    bool want;
  } cases[] = {{"-1", true}, {"0", false}, {"1", true}, {"True", true}, {"false", false}};
  for (const auto& c : cases) {
    std::unique_ptr<XMLNode> node = WriteFrequentFoodElement(TFrequentFood(Oats()));
    node->Attributes.back().Value = c.showed;
    node->Attributes[node->Attributes.size() - 2].Value = "31";
    TFrequentFood got;
    ReadFrequentFoodElement(*node, got);
    EXPECT_EQ(got.Showed, c.want) << c.showed;
    EXPECT_EQ(got.UsageCount, 31) << c.showed;
    ExpectSameFood(got, Oats());
  }
}

TEST(FoodElement, AUserFoodReadsItsCategoryAndEveryChildAsAWeight) {
  TUserFood want;
  static_cast<TFoodItem&>(want) = Oats();
  want.CategoryID = 3;
  TUserFood got;
  got.ID = 55;
  ReadUserFoodElement(*WriteUserFoodElement(want), got);
  ExpectSameFood(got, want);
  EXPECT_EQ(got.CategoryID, 3);
  EXPECT_EQ(got.ID, 55);
}

}  // namespace
}  // namespace korvela
