#include "nutrition/food_item.h"

namespace korvela {

TFoodItem::TFoodItem(const TFoodItem& other)
    : Name(other.Name),
      P(other.P),
      F(other.F),
      C(other.C),
      A(other.A),
      weights(other.weights),
      recipe(other.recipe ? CopyElement(*other.recipe) : nullptr) {}

TFoodItem& TFoodItem::operator=(const TFoodItem& other) {
  if (this != &other) {
    TFoodItem copy(other);
    *this = std::move(copy);
  }
  return *this;
}

Extended Calories(const TFoodItem& food) { return 4 * (food.P + food.C) + 9 * food.F + 7 * food.A; }

std::unique_ptr<XMLNode> CopyElement(const XMLNode& node) {
  auto copy = std::make_unique<XMLNode>(node.Name, node.Text);
  copy->Attributes = node.Attributes;
  copy->IsBlob = node.IsBlob;
  copy->Blobs = node.Blobs;
  for (const auto& child : node.Children) copy->AddChild(CopyElement(*child));
  return copy;
}

}  // namespace korvela
