#include "nutrition/food_item.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace korvela {
namespace {

TEST(FoodCalories, FourPerGramOfProteinAndCarbsNineOfFatSevenOfAlcohol) {
  const struct {
    Extended P, F, C, A;
    Extended want;
  } cases[] = {
      {10, 5, 20, 0, 165}, {10, 5, 20, 1, 172}, {0, 0, 0, 0, 0},          {1, 0, 0, 0, 4},
      {0, 1, 0, 0, 9},     {0, 0, 1, 0, 4},     {0, 0, 0, 33.4L, 233.8L},
  };
  for (const auto& c : cases) {
    TFoodItem food;
    food.P = c.P;
    food.F = c.F;
    food.C = c.C;
    food.A = c.A;
    EXPECT_NEAR(static_cast<double>(Calories(food)), static_cast<double>(c.want), 1e-12)
        << c.P << ' ' << c.F << ' ' << c.C << ' ' << c.A;
  }
}

TEST(FoodItem, AFoodMadeFromANameHasNoNutrientsWeightsOrRecipe) {
  const TFoodItem food("Porridge");
  EXPECT_EQ(food.Name, "Porridge");
  EXPECT_EQ(food.P + food.F + food.C + food.A, 0);
  EXPECT_TRUE(food.weights.empty());
  EXPECT_FALSE(food.recipe);
}

TFoodItem RecipeFood() {
  TFoodItem food("Pancakes");
  food.P = 20;
  food.F = 12.5L;
  food.C = 80;
  food.A = 0.5L;
  food.weights = {{"serving(s)", 4, 400}, {"oz", 1, 28.35L}};
  food.recipe = std::make_unique<XMLNode>("R");
  food.recipe->AddAttr("Dir", "Mix & fry");
  XMLNode& ingredient = food.recipe->AddChild(std::make_unique<XMLNode>("I"));
  ingredient.AddAttr("Name", "Flour");
  return food;
}

void ExpectSameFood(const TFoodItem& copy, const TFoodItem& original) {
  EXPECT_EQ(copy.Name, original.Name);
  EXPECT_EQ(copy.P, original.P);
  EXPECT_EQ(copy.F, original.F);
  EXPECT_EQ(copy.C, original.C);
  EXPECT_EQ(copy.A, original.A);
  ASSERT_EQ(copy.weights.size(), original.weights.size());
  for (std::size_t i = 0; i < copy.weights.size(); ++i) {
    EXPECT_EQ(copy.weights[i].desc, original.weights[i].desc);
    EXPECT_EQ(copy.weights[i].mod, original.weights[i].mod);
    EXPECT_EQ(copy.weights[i].gr, original.weights[i].gr);
  }
  ASSERT_TRUE(copy.recipe);
  EXPECT_NE(copy.recipe.get(), original.recipe.get());
  EXPECT_TRUE(copy.recipe->SameAs(*original.recipe));
  // The copied children point to their own new parent.
  EXPECT_EQ(copy.recipe->Children[0]->Parent, copy.recipe.get());
}

TEST(FoodItem, ACopyIsDeepAndOutlivesItsOriginal) {
  auto original = std::make_unique<TFoodItem>(RecipeFood());
  const TFoodItem constructed(*original);
  TFoodItem assigned("Something else");
  assigned = *original;
  ExpectSameFood(constructed, *original);
  ExpectSameFood(assigned, *original);

  original->weights[0].gr = 1;
  original->recipe->Attributes[0].Value = "changed";
  original->recipe->Children[0]->Attributes[0].Value = "Sugar";
  original.reset();
  const TFoodItem* const copies[] = {&constructed, &assigned};
  for (const TFoodItem* copy : copies) {
    EXPECT_EQ(copy->weights[0].gr, 400);
    EXPECT_EQ(copy->recipe->AttrText("Dir"), "Mix & fry");
    EXPECT_EQ(copy->recipe->Children[0]->AttrText("Name"), "Flour");
  }
}

TEST(FoodItem, CopyingAFoodWithoutRecipeGivesNoRecipe) {
  TFoodItem food("Bread");
  food.weights = {{"slice", 1, 30}};
  TFoodItem copy(food);
  EXPECT_FALSE(copy.recipe);
  copy = RecipeFood();
  ASSERT_TRUE(copy.recipe);
  copy = food;
  EXPECT_FALSE(copy.recipe);
  EXPECT_EQ(copy.Name, "Bread");
}

}  // namespace
}  // namespace korvela
