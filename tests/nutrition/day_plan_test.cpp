#include "nutrition/day_plan.h"

#include <gtest/gtest.h>

#include <cstring>

#include "nutrition/meal_definitions.h"
#include "storage/date_time.h"
#include "storage/errors.h"

namespace korvela {
namespace {

TWFoodItem Logged(Extended p, std::vector<TWeightItem> weights, std::int32_t wi, Extended wm,
                  std::string wmStr = "1") {
  TWFoodItem food;
  food.Name = "Milk";
  food.P = p;
  food.F = 1;
  food.C = 5;
  food.A = 0;
  food.weights = std::move(weights);
  food.WI = wi;
  food.WM = wm;
  food.WMStr = std::move(wmStr);
  return food;
}

TEST(LoggedNutrients, ScalesTheFoodByTheGramsOfTheChosenQuantity) {
  // Two cups of 240 g of a food with 3.5 g protein per 100 g.
  const TNutrients cups = LoggedNutrients(Logged(3.5L, {{"cup", 1, 240}}, 0, 2));
  EXPECT_NEAR(static_cast<double>(cups.grams), 480, 1e-12);
  EXPECT_NEAR(static_cast<double>(cups.P), 16.8, 1e-12);
  EXPECT_NEAR(static_cast<double>(cups.calories),
              static_cast<double>(4 * (cups.P + cups.C) + 9 * cups.F), 1e-12);

  // WI equal to the number of weights: the quantity is in grams.
  const TNutrients grams = LoggedNutrients(Logged(3.5L, {{"cup", 1, 240}}, 1, 150));
  EXPECT_NEAR(static_cast<double>(grams.grams), 150, 1e-12);
  EXPECT_NEAR(static_cast<double>(grams.P), 3.5 * 1.5, 1e-12);

  // A measure of several units: 3 of "2 slices weigh 50 g" is 75 g.
  const TNutrients slices = LoggedNutrients(Logged(10, {{"slices", 2, 50}}, 0, 3));
  EXPECT_NEAR(static_cast<double>(slices.grams), 75, 1e-12);
}

TEST(LoggedNutrients, OneServingOfARecipeIsItsShareOfTheTotals) {
  TWFoodItem recipe = Logged(80, {{"servings", 4, 100}}, 0, 1);
  recipe.F = 0;
  recipe.C = 0;
  recipe.recipe = std::make_unique<XMLNode>("R");
  const TNutrients serving = LoggedNutrients(recipe);
  EXPECT_NEAR(static_cast<double>(serving.P), 20, 1e-12);
  EXPECT_NEAR(static_cast<double>(serving.calories), 80, 1e-12);
}

TEST(DayTotals, AddMealsAndFoodsWithoutRounding) {
  TDaysMeals day = NewDayPlan(EncodeDate(2007, 6, 15), DefaultMealDefinitions());
  day.meals[0].foods.push_back(Logged(3.3L, {{"cup", 1, 100}}, 0, 1));
  day.meals[0].foods.push_back(Logged(3.3L, {{"cup", 1, 100}}, 1, 50));
  day.meals[2].foods.push_back(Logged(10, {}, 0, 33.3L));
  const TNutrients breakfast = MealTotals(day.meals[0]);
  EXPECT_NEAR(static_cast<double>(breakfast.P), 3.3 + 1.65, 1e-12);
  const TNutrients total = DayTotals(day);
  EXPECT_NEAR(static_cast<double>(total.P), 3.3 + 1.65 + 3.33, 1e-12);
  EXPECT_NEAR(static_cast<double>(total.grams), 100 + 50 + 33.3, 1e-12);
  EXPECT_EQ(DayTotals(NewDayPlan(0, DefaultMealDefinitions())).calories, 0);
}

TEST(QuantityText, NamesTheMeasureOrGrams) {
  EXPECT_EQ(QuantityText(Logged(1, {{"cup", 1, 240}}, 0, 1.5L, "1 1/2")), "1 1/2 cup");
  EXPECT_EQ(QuantityText(Logged(1, {{"cup", 1, 240}}, 1, 150, "150")), "150 grams");
}

TEST(MealDefinitions, DefaultsAreSixMealsInTimeOrder) {
  const TMealDefinitions meals = DefaultMealDefinitions();
  ASSERT_EQ(meals.size(), 6u);
  EXPECT_EQ(meals[0].Name, "Breakfast");
  EXPECT_DOUBLE_EQ(meals[0].TOD, 7.5 / 24);
  EXPECT_EQ(meals[5].Name, "Snack 3");
  EXPECT_DOUBLE_EQ(meals[5].TOD, 21.0 / 24);
  const TDaysMeals plan = NewDayPlan(EncodeDate(2007, 6, 15) + 0.25, meals);
  ASSERT_EQ(plan.meals.size(), 6u);
  EXPECT_EQ(plan.meals[2].Name, "Lunch");
  EXPECT_TRUE(plan.meals[2].foods.empty());
  EXPECT_EQ(plan.ID, -1);
  EXPECT_TRUE(NewDayPlan(0, meals).IsMenu());
}

TEST(MergeMealDefinitions, KeepsMealsWithFoodsAndAddsNewDefinitions) {
  TMealDefinitions definitions = DefaultMealDefinitions();
  TDaysMeals log = NewDayPlan(EncodeDate(2007, 6, 15), definitions);
  log.meals.push_back({"Midnight", 23.5 / 24, {}});
  log.meals.push_back({"Brunch", 11.0 / 24, {Logged(1, {}, 0, 100)}});
  log.meals[0].TOD = 8.0 / 24;  // breakfast moved on this day

  // Since then "Snack 3" went, "Pre-workout" came and breakfast is "breakfast".
  definitions.erase(definitions.begin() + 5);
  definitions[0].Name = "breakfast";
  definitions.push_back({"Pre-workout", 16.5 / 24, {}});
  MergeMealDefinitions(log, definitions);

  std::vector<std::string> names;
  for (const TMeal& meal : log.meals) names.push_back(meal.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"breakfast", "Snack 1", "Brunch", "Lunch", "Snack 2",
                                             "Pre-workout", "Supper"}));
  EXPECT_DOUBLE_EQ(log.meals[0].TOD, 7.5 / 24);  // the old "Breakfast" was empty and went
}

TEST(MergeMealDefinitions, AMatchingMealKeepsItsOwnTime) {
  TDaysMeals log = NewDayPlan(EncodeDate(2007, 6, 15), DefaultMealDefinitions());
  log.meals[4].TOD = 19.0 / 24;  // supper later that day
  MergeMealDefinitions(log, DefaultMealDefinitions());
  EXPECT_EQ(log.meals.size(), 6u);
  EXPECT_DOUBLE_EQ(log.meals[4].TOD, 19.0 / 24);
}

TEST(SortMeals, TimesLessThanAMillisecondApartAreEqual) {
  std::vector<TMeal> meals = {{"b", 0.5 + 0.4 / 86400000, {}}, {"a", 0.5, {}}, {"c", 0.25, {}}};
  SortMeals(meals);
  EXPECT_EQ(meals[0].Name, "c");
  EXPECT_EQ(meals[1].Name, "b");  // equal to "a": stays before it
  EXPECT_EQ(meals[2].Name, "a");
}

TEST(CopyDayPlan, ACopyOfALogIsAMenuWithItsOwnFoods) {
  TDaysMeals log = NewDayPlan(EncodeDate(2007, 6, 15), DefaultMealDefinitions());
  log.MenuName = LogNotesName(log.ForDate);
  log.MenuNotes = "rest day";
  log.meals[0].foods.push_back(Logged(3.5L, {{"cup", 1, 240}}, 0, 2));
  log.meals[0].foods[0].recipe = std::make_unique<XMLNode>("R");

  TDaysMeals copy = CopyDayPlan(log);
  EXPECT_TRUE(copy.IsMenu());
  EXPECT_EQ(copy.ID, -1);
  EXPECT_EQ(copy.MenuNotes, "rest day");
  ASSERT_EQ(copy.meals[0].foods.size(), 1u);
  EXPECT_NE(copy.meals[0].foods[0].recipe.get(), log.meals[0].foods[0].recipe.get());
  copy.meals[0].foods[0].WM = 3;
  EXPECT_EQ(log.meals[0].foods[0].WM, 2);

  EXPECT_EQ(log.MenuName, "Food Log 15 June 2007");
  EXPECT_EQ(CopyName(log), "A Copy of Food Log 15 Jun 2007");
  copy.MenuName = "Cutting day";
  EXPECT_EQ(CopyName(copy), "A Copy of Cutting day");
}

TEST(FoodLogElement, RoundTripsMealsFoodsQuantitiesAndRecipes) {
  TDaysMeals log = NewDayPlan(EncodeDate(2007, 6, 15), DefaultMealDefinitions());
  log.MenuNotes = "notes <&> \"quoted\"";
  log.meals[1].foods.push_back(Logged(3.5L, {{"cup", 1, 240}, {"oz", 1, 28.35L}}, 1, 1.5L, "1 1/2"));
  TWFoodItem stew = Logged(80, {{"servings", 4, 100}}, 0, 1);
  auto recipe = std::make_unique<XMLNode>("R");
  recipe->AddAttr("Directions", "Simmer.");
  stew.recipe = std::move(recipe);
  log.meals[1].foods.push_back(std::move(stew));

  const auto element = WriteFoodLogElement(log);
  EXPECT_EQ(element->FindAttr(kMenuNameAttr), nullptr);  // empty: not written
  const std::string text = element->ToText();
  const auto parsed = XMLNode::Parse(text.data(), text.size());
  const TDaysMeals back = ReadFoodLogElement(*parsed);

  EXPECT_EQ(back.ForDate, log.ForDate);
  EXPECT_EQ(back.MenuName, "");
  EXPECT_EQ(back.MenuNotes, log.MenuNotes);
  ASSERT_EQ(back.meals.size(), 6u);
  const auto& foods = back.meals[1].foods;
  ASSERT_EQ(foods.size(), 2u);
  EXPECT_EQ(foods[0].WI, 1);
  EXPECT_EQ(foods[0].WMStr, "1 1/2");
  EXPECT_EQ(foods[0].weights.size(), 2u);
  EXPECT_EQ(foods[0].recipe, nullptr);
  ASSERT_NE(foods[1].recipe, nullptr);
  EXPECT_EQ(foods[1].recipe->AttrText("Directions"), "Simmer.");
  EXPECT_EQ(foods[1].weights.size(), 1u);
  EXPECT_NEAR(static_cast<double>(DayTotals(back).P), static_cast<double>(DayTotals(log).P), 1e-9);
  EXPECT_TRUE(WriteFoodLogElement(back)->SameAs(*element));
}

TEST(FoodLogElement, RequiredAttributesAreChecked) {
  const char* broken[] = {
      R"(<FoodLog MenuName="x"></FoodLog>)",
      R"(<FoodLog ForDate="1"><MealInfo Name="a"></MealInfo></FoodLog>)",
      R"(<FoodLog ForDate="1"><MealInfo Name="a" TOD="0.3"><WFood Name="x" WI="0" WM="1" P="1" F="1" C="1" A="0"></WFood></MealInfo></FoodLog>)",
      R"(<FoodLog ForDate="1"><MealInfo Name="a" TOD="0.3"><WFood Name="x" WI="0" WM="1" WMStr="1" P="1" F="1" C="1" A="0" R="1"></WFood></MealInfo></FoodLog>)",
  };
  for (const char* text : broken) {
    const auto node = XMLNode::Parse(text, std::strlen(text));
    ASSERT_NE(node, nullptr) << text;
    EXPECT_THROW(ReadFoodLogElement(*node), EInvalidXMLFile) << text;
  }
}

}  // namespace
}  // namespace korvela
