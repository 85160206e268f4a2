#include "nutrition/food_element.h"

#include "nutrition/food_catalogue.h"
#include "storage/errors.h"

namespace korvela {
void ReadNameAndNutrients(const XMLNode& node, TFoodItem& food) {
  food.Name = node.AttrText(kFoodNameAttr);
  food.P = node.AttrFloat(kFoodProteinAttr);
  food.F = node.AttrFloat(kFoodFatAttr);
  food.C = node.AttrFloat(kFoodCarbsAttr);
  food.A = node.AttrFloat(kFoodAlcoholAttr);
}

std::unique_ptr<XMLNode> WriteWeightElement(const TWeightItem& weight) {
  auto node = std::make_unique<XMLNode>(std::string(kWeightElement));
  node->AddFloatAttr(std::string(kWeightModAttr), static_cast<double>(weight.mod));
  node->AddAttr(std::string(kWeightDescAttr), weight.desc);
  node->AddFloatAttr(std::string(kWeightGramsAttr), static_cast<double>(weight.gr));
  return node;
}

TWeightItem ReadWeightElement(const XMLNode& node) {
  TWeightItem weight;
  weight.mod = node.AttrFloat(kWeightModAttr);
  weight.desc = node.AttrText(kWeightDescAttr);
  weight.gr = node.AttrFloat(kWeightGramsAttr);
  return weight;
}

void AddNutrientAttrs(XMLNode& node, const TFoodItem& food) {
  node.AddFloatAttr(std::string(kFoodProteinAttr), static_cast<double>(food.P));
  node.AddFloatAttr(std::string(kFoodFatAttr), static_cast<double>(food.F));
  node.AddFloatAttr(std::string(kFoodCarbsAttr), static_cast<double>(food.C));
  node.AddFloatAttr(std::string(kFoodAlcoholAttr), static_cast<double>(food.A));
  if (food.recipe) node.AddAttr(std::string(kRecipeMarkAttr), std::string(kRecipeMarkText));
}

void AddWeightsAndRecipe(XMLNode& node, const TFoodItem& food) {
  for (const TWeightItem& weight : food.weights) node.AddChild(WriteWeightElement(weight));
  if (food.recipe) node.AddChild(CopyElement(*food.recipe));
}

std::unique_ptr<XMLNode> WriteFoodElement(const TFoodItem& food, std::string_view element) {
  auto node = std::make_unique<XMLNode>(std::string(element));
  node->AddAttr(std::string(kFoodNameAttr), food.Name);
  AddNutrientAttrs(*node, food);
  AddWeightsAndRecipe(*node, food);
  return node;
}

void ReadFoodElement(const XMLNode& node, TFoodItem& food) {
  ReadNameAndNutrients(node, food);
  ReadWeightsAndRecipe(node, food);
}

void ReadWeightsAndRecipe(const XMLNode& node, TFoodItem& food) {
  const bool isRecipe = node.FindAttr(kRecipeMarkAttr) != nullptr;
  std::size_t weightCount = node.Children.size();
  if (isRecipe) {
    if (weightCount == 0) throw EInvalidXMLFile();
    --weightCount;
  }
  food.weights.clear();
  food.weights.reserve(weightCount);
  for (std::size_t i = 0; i < weightCount; ++i)
    food.weights.push_back(ReadWeightElement(*node.Children[i]));
  food.recipe = isRecipe ? CopyElement(*node.Children.back()) : nullptr;
}

}  // namespace korvela
