#pragma once
#include <memory>
#include <string>
#include <vector>

#include "energy/extended.h"
#include "storage/xml_node.h"

namespace korvela {

// One way of measuring a food: `mod` units of `desc` weigh `gr` grams.
struct TWeightItem {
  std::string desc;
  Extended mod = 1;
  Extended gr = 0;
};

// A food: its name, nutrient grams (per 100 g; for a recipe the totals of
// its ingredients), its measures in the order they are offered (the first
// is the default when the food is logged) and, for a recipe only, the
// recipe. A copy is deep: new weights and a new recipe.
class TFoodItem {
 public:
  TFoodItem() = default;
  // A new food made from a name alone: no nutrients, weights or recipe.
  explicit TFoodItem(std::string name) : Name(std::move(name)) {}
  TFoodItem(const TFoodItem& other);
  TFoodItem& operator=(const TFoodItem& other);
  TFoodItem(TFoodItem&&) noexcept = default;
  TFoodItem& operator=(TFoodItem&&) noexcept = default;
  virtual ~TFoodItem() = default;

  std::string Name;
  Extended P = 0;
  Extended F = 0;
  Extended C = 0;
  Extended A = 0;
  std::vector<TWeightItem> weights;
  // The recipe element as stored, kept whole so that a recipe is written
  // back as it was read; none for every food that is not a recipe.
  std::unique_ptr<XMLNode> recipe;
};

// Kilocalories of the food's four nutrient values: 4 per gram of protein and
// of carbohydrate, 9 per gram of fat, 7 per gram of alcohol.
Extended Calories(const TFoodItem& food);

// A deep copy of an element with its attributes and children.
std::unique_ptr<XMLNode> CopyElement(const XMLNode& node);

}  // namespace korvela
