#pragma once
#include <memory>
#include <string>
#include <string_view>

#include "nutrition/food_item.h"
#include "storage/xml_node.h"

namespace korvela {

// The element form of a whole food, shared by the recipe store, the frequent
// foods, the user foods and the exchange packages. Attributes in this order:
// "Name", "P", "F", "C", "A", then "R" with the text "1" only for a recipe;
// one "w" child per weight in order ("mod", "desc", "gr"), and for a recipe
// the recipe element last of all.
inline constexpr std::string_view kFoodElement = "Food";
inline constexpr std::string_view kFoodNameAttr = "Name";
inline constexpr std::string_view kRecipeMarkAttr = "R";
inline constexpr std::string_view kRecipeMarkText = "1";
inline constexpr std::string_view kRecipeElement = "R";

// A "w" element of a weight.
std::unique_ptr<XMLNode> WriteWeightElement(const TWeightItem& weight);
// Every attribute of a weight element is required.
TWeightItem ReadWeightElement(const XMLNode& node);
// The required Name, P, F, C and A of any food element.
void ReadNameAndNutrients(const XMLNode& node, TFoodItem& food);

// Pieces of the form for elements that carry more than a food: "P", "F", "C",
// "A" and the recipe mark; the weights and the recipe as children; and the
// reading of those children (with the mark the last child is the recipe).
void AddNutrientAttrs(XMLNode& node, const TFoodItem& food);
void AddWeightsAndRecipe(XMLNode& node, const TFoodItem& food);
void ReadWeightsAndRecipe(const XMLNode& node, TFoodItem& food);

// The food as an element named `element`. Callers that store a kind of food
// with more attributes append them to the returned element; they come after
// the food's own.
std::unique_ptr<XMLNode> WriteFoodElement(const TFoodItem& food,
                                          std::string_view element = kFoodElement);
// Fills the food from the element: "Name", "P", "F", "C" and "A" are
// required. With "R" present the last child is the recipe and every other
// child a weight; without it every child is a weight. A missing attribute
// raises EInvalidXMLFile, a number that is not one EConvertError.
void ReadFoodElement(const XMLNode& node, TFoodItem& food);

}  // namespace korvela
