#include "nutrition/food_logging.h"

#include <gtest/gtest.h>

#include "nutrition/plan_dialogs.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

// Oat flakes: 13 g protein, 7 g fat, 60 g carbohydrate per 100 g; a cup
// weighs 80 g and a tablespoon 30 g.
TFoodItem Oats() {
  TFoodItem food("Oat flakes");
  food.P = 13;
  food.F = 7;
  food.C = 60;
  food.weights = {{"cup", 1, 80}, {"tablespoon", 1, 30}};
  return food;
}

TDaysMeals Day() {
  TDaysMeals plan;
  plan.ForDate = 39248;
  plan.meals = {{"Breakfast", 7.5 / 24, {}}, {"Lunch", 12.0 / 24, {}}, {"Supper", 18.0 / 24, {}}};
  return plan;
}

struct TLoggingTest : ::testing::Test {
  TConfigurator config;
  TDaysMeals plan = Day();
};

TEST_F(TLoggingTest, OpensOnTheFirstMeasureWithTheDefaultMealAndItsFigures) {
  TFoodLogging logging(NewLoggedItem(Oats(), config), plan, 1, config);
  EXPECT_EQ(logging.Caption(), "Log Oat flakes");
  EXPECT_EQ(logging.UnitNames(), (std::vector<std::string>{"cup", "tablespoon", "grams"}));
  EXPECT_EQ(logging.SelectedUnit(), 0);
  EXPECT_EQ(logging.QuantityText(), "1");
  EXPECT_EQ(logging.SelectedMeal(), 1);
  EXPECT_EQ(logging.GramsText(), "80");
  EXPECT_EQ(logging.FigureText(TNutrientField::Protein), "10.4");
  EXPECT_EQ(logging.FigureText(TNutrientField::Calories), "284");  // 4*(10.4+48)+9*5.6
  EXPECT_EQ(logging.OkCaption(), "Log 1 cup");
  EXPECT_TRUE(logging.NutrientFieldEnabled(TNutrientField::Fat));
}

TEST_F(TLoggingTest, AMixedNumberOfAMeasureGivesItsGramsAndTheButtonCaption) {
  TFoodLogging logging(NewLoggedItem(Oats(), config), plan, 0, config);
  logging.ChooseUnit(1);
  EXPECT_TRUE(logging.TypeQuantity("1  1 / 2"));
  EXPECT_EQ(logging.GramsText(), "45");
  EXPECT_EQ(logging.OkCaption(), "Log 1 1/2 tablespoon");
  EXPECT_DOUBLE_EQ(static_cast<double>(logging.Item().WM), 1.5);
}

TEST_F(TLoggingTest, TextsThatAreNoQuantityAreIgnoredWhileTypingAndRefusedOnLeaving) {
  TFoodLogging logging(NewLoggedItem(Oats(), config), plan, 0, config);
  ASSERT_TRUE(logging.TypeQuantity("2"));
  for (const char* text : {"", "0", "-1", "1/0", "abc", "1e999", "2 x"}) {
    EXPECT_FALSE(logging.TypeQuantity(text)) << text;
    EXPECT_EQ(logging.QuantityText(), "2") << text;
    EXPECT_EQ(logging.GramsText(), "160") << text;
  }
  EXPECT_EQ(logging.CheckQuantity("0"), std::optional<std::string>("Invalid serving size"));
  EXPECT_EQ(logging.GramsText(), "");  // cleared until a quantity is taken
  EXPECT_EQ(logging.CheckQuantity("3"), std::nullopt);
  EXPECT_EQ(logging.GramsText(), "240");
}

TEST_F(TLoggingTest, AFigureTypedChoosesTheGramsThatHoldIt) {
  TFoodItem cream("Cream cheese");
  cream.F = 5;
  cream.C = 20;  // 125 calories per 100 g with the fat
  cream.weights = {{"oz", 1, 28.35L}};
  TFoodLogging logging(NewLoggedItem(cream, config), plan, 0, config);
  EXPECT_FALSE(logging.NutrientFieldEnabled(TNutrientField::Protein));
  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Protein, "5"),
            std::optional<std::string>("Invalid protein number"));

  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Fat, "20"), std::nullopt);
  EXPECT_EQ(logging.QuantityText(), "400");
  EXPECT_EQ(logging.SelectedUnit(), 1);  // grams
  EXPECT_EQ(logging.OkCaption(), "Log 400 grams");
  EXPECT_EQ(logging.FigureText(TNutrientField::Fat), "20");

  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Calories, "250"), std::nullopt);
  EXPECT_EQ(logging.QuantityText(), "200");
  EXPECT_EQ(logging.GramsText(), "200");

  const struct {
    TNutrientField field;
    const char* text;
    const char* warning;
  } refused[] = {{TNutrientField::Fat, "0", "Invalid fats number"},
                 {TNutrientField::Carbs, "x", "Invalid carbs number"},
                 {TNutrientField::Calories, "-3", "Invalid calories number"},
                 {TNutrientField::Fat, "1e308", "Invalid fats number"}};
  for (const auto& c : refused) {
    EXPECT_EQ(logging.EnterNutrient(c.field, c.text), std::optional<std::string>(c.warning))
        << c.text;
    EXPECT_EQ(logging.QuantityText(), "200") << c.text;
  }
}

TEST_F(TLoggingTest, QuantitiesBeyondAMealAndExponentFormsAreRefused) {
  TFoodItem oats = Oats();
  oats.weights.push_back({"pinch", 1, 1});
  TFoodItem stew("Lentil stew");
  stew.P = 80;
  stew.weights = {{"serving(s)", 4, 100}};
  stew.recipe = std::make_unique<XMLNode>("R");
  const struct {
    const TFoodItem* food;
    int unit;
    const char* text;
    bool taken;
  } cases[] = {
      {&oats, 0, "1e30", false},  // exponent form, whatever its size
      {&oats, 0, "1E1", false},       {&oats, 3, "2e2", false},
      {&oats, 0, "1250", true},  // cups of 80 g: 100 kg
      {&oats, 0, "1250.5", false},    {&oats, 0, "9999999999", false},
      {&oats, 3, "100000", true},                                 // grams
      {&oats, 3, "100000.01", false}, {&oats, 2, "10000", true},  // pinches of 1 g
      {&oats, 2, "10000 1/2", false}, {&stew, 0, "10000", true},  // servings
      {&stew, 0, "10001", false},
  };
  for (const auto& c : cases) {
    TFoodLogging logging(NewLoggedItem(*c.food, config), plan, 0, config);
    logging.ChooseUnit(c.unit);
    const std::string before = logging.QuantityText();
    EXPECT_EQ(logging.TypeQuantity(c.text), c.taken) << c.text;
    EXPECT_EQ(logging.QuantityText(), c.taken ? NormalizeFraction(c.text) : before) << c.text;
    EXPECT_EQ(logging.CheckQuantity(c.text),
              c.taken ? std::nullopt : std::optional<std::string>("Invalid serving size"))
        << c.text;
    EXPECT_TRUE(PlausibleQuantity(logging.Item())) << c.text;
  }

  // A unit chosen after the quantity: OK reads the text again in it.
  TFoodLogging logging(NewLoggedItem(oats, config), plan, 0, config);
  logging.ChooseUnit(3);
  ASSERT_TRUE(logging.TypeQuantity("50000"));
  logging.ChooseUnit(0);  // 50,000 cups
  EXPECT_EQ(logging.CheckQuantity("50000"), std::optional<std::string>("Invalid serving size"));
  EXPECT_EQ(logging.GramsText(), "");
  logging.ChooseUnit(3);
  EXPECT_EQ(logging.CheckQuantity("50000"), std::nullopt);
  EXPECT_EQ(logging.GramsText(), "50000");

  // A typed figure that needs more than 100 kg, or less than a hundredth of
  // a gram, finds no quantity.
  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Calories, "1000000"),
            std::optional<std::string>("Invalid calories number"));
  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Fat, "0.0001"),
            std::optional<std::string>("Invalid fats number"));
  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Fat, "1e3"),
            std::optional<std::string>("Invalid fats number"));
  EXPECT_EQ(logging.QuantityText(), "50000");
  EXPECT_EQ(logging.EnterNutrient(TNutrientField::Calories, "355000"), std::nullopt);
  EXPECT_EQ(logging.QuantityText(), "100000");
}

TEST_F(TLoggingTest, AQuantityFoundFromAFigureIsLoggedExactly) {
  // 355 calories per 100 g: 250 calories are 70.4225... g, shown as 70.42.
  TFoodLogging logging(NewLoggedItem(Oats(), config), plan, 0, config);
  ASSERT_EQ(logging.EnterNutrient(TNutrientField::Calories, "250"), std::nullopt);
  EXPECT_EQ(logging.QuantityText(), "70.42");
  // OK reads the field, which still shows the rounded text.
  EXPECT_EQ(logging.CheckQuantity(logging.QuantityText()), std::nullopt);
  EXPECT_TRUE(logging.TypeQuantity(" 70.42 "));
  ASSERT_EQ(logging.Confirm(), 0);
  const TWFoodItem& logged = plan.meals[0].foods.back();
  EXPECT_EQ(logged.WMStr, "70.42");
  EXPECT_DOUBLE_EQ(static_cast<double>(logged.WM), 250.0 * 100 / 355);
  EXPECT_NEAR(static_cast<double>(LoggedNutrients(logged).calories), 250, 1e-9);

  // A quantity typed over it is what the text says.
  TFoodLogging again(NewLoggedItem(Oats(), config), plan, 0, config);
  ASSERT_EQ(again.EnterNutrient(TNutrientField::Calories, "250"), std::nullopt);
  ASSERT_TRUE(again.TypeQuantity("70.4"));
  ASSERT_TRUE(again.TypeQuantity("70.42"));
  EXPECT_DOUBLE_EQ(static_cast<double>(again.Item().WM), 70.42);
}

TEST_F(TLoggingTest, ARecipeIsLoggedInServingsOnlyWithoutGramsOrTypedFigures) {
  TFoodItem stew("Lentil stew");
  stew.P = 80;
  stew.weights = {{"serving(s)", 4, 100}};
  stew.recipe = std::make_unique<XMLNode>("R");
  TFoodLogging logging(NewLoggedItem(stew, config), plan, 0, config);
  EXPECT_EQ(logging.UnitNames(), std::vector<std::string>{"serving(s)"});
  EXPECT_EQ(logging.QuantityText(), "4");
  ASSERT_TRUE(logging.TypeQuantity("1"));
  EXPECT_EQ(logging.FigureText(TNutrientField::Protein), "20");
  EXPECT_EQ(logging.GramsText(), "");
  for (auto field : {TNutrientField::Protein, TNutrientField::Fat, TNutrientField::Carbs,
                     TNutrientField::Calories})
    EXPECT_FALSE(logging.NutrientFieldEnabled(field));
}

TEST_F(TLoggingTest, MealTimesAndNewMealsReachThePlanAtOnceTheFoodOnlyOnConfirm) {
  {
    TFoodLogging logging(NewLoggedItem(Oats(), config), plan, 0, config);
    logging.ChangeMealTime(13.0 / 24);  // breakfast after lunch
    EXPECT_EQ(logging.MealNames(), (std::vector<std::string>{"Lunch", "Breakfast", "Supper"}));
    EXPECT_EQ(logging.SelectedMeal(), 1);
    logging.AddMeal("Brunch", 10.0 / 24);
    EXPECT_EQ(logging.SelectedMeal(), 0);
    EXPECT_TRUE(logging.MealsChanged());
  }  // cancelled
  ASSERT_EQ(plan.meals.size(), 4u);
  EXPECT_EQ(plan.meals[2].Name, "Breakfast");
  EXPECT_NEAR(plan.meals[2].TOD, 13.0 / 24, 1e-9);
  for (const TMeal& meal : plan.meals) EXPECT_TRUE(meal.foods.empty());

  TFoodLogging logging(NewLoggedItem(Oats(), config), plan, 3, config);
  logging.ChooseMeal(2);
  ASSERT_TRUE(logging.TypeQuantity("2"));
  EXPECT_EQ(logging.Confirm(), 2);
  ASSERT_EQ(plan.meals[2].foods.size(), 1u);
  EXPECT_EQ(QuantityText(plan.meals[2].foods[0]), "2 cup");
}

TEST(NewMealName, ABlankNameIsRefused) {
  EXPECT_EQ(CheckNewMealName("  "), std::optional<std::string>("Please, specify a meal name"));
  EXPECT_EQ(CheckNewMealName(""), std::optional<std::string>("Please, specify a meal name"));
  EXPECT_EQ(CheckNewMealName(" Tea "), std::nullopt);
}

TEST(PlanOptions, CompositionInWholeNumbersAndCalorieShares) {
  TNutrients totals;
  totals.P = 100.4;
  totals.F = 50;
  totals.C = 0;
  totals.A = 10;
  totals.calories = 4 * 100.4 + 9 * 50 + 7 * 10;  // 921.6
  EXPECT_EQ(CompositionTexts(totals),
            (std::array<std::string, 7>{"100", "50", "0", "922", "44%", "49%", "0%"}));
  EXPECT_EQ(CompositionTexts({}),
            (std::array<std::string, 7>{"0", "0", "0", "0", "0%", "0%", "0%"}));
}

TEST(PlanOptions, AMenuNeedsANameALogIsNamedAfterItsDay) {
  TDaysMeals menu;
  menu.MenuName = "Rest day";
  TPlanOptions options(menu);
  EXPECT_EQ(options.Caption(), "Menu Options and its current Dietary Composition");
  EXPECT_EQ(options.Confirm("  ", "notes"),
            std::optional<std::string>("Please, enter a menu name!"));
  EXPECT_EQ(menu.MenuName, "Rest day");
  EXPECT_EQ(options.Confirm(" Light day", "less fat"), std::nullopt);
  EXPECT_EQ(menu.MenuName, " Light day");
  EXPECT_EQ(menu.MenuNotes, "less fat");

  TDaysMeals log;
  log.ForDate = 39248;  // 15 June 2007
  TPlanOptions notes(log);
  EXPECT_EQ(notes.Caption(), "Food Log Notes and Dietary Composition");
  EXPECT_EQ(notes.NameLabel(), "Log Date");
  EXPECT_EQ(notes.NameText(), "Food Log 15 June 2007");
  EXPECT_EQ(notes.Confirm(notes.NameText(), "party"), std::nullopt);
  EXPECT_EQ(log.MenuName, "Food Log 15 June 2007");
}

// A store that holds a log for one day only.
struct TOneLogStore {
  TDateTime day;
  std::optional<TDaysMeals> LoadDayLog(TDateTime d) const {
    if (d != day) return std::nullopt;
    TDaysMeals log;
    log.ForDate = day;
    log.MenuNotes = "stored";
    return log;
  }
};

TEST(OpenDayLog, TheStoredLogOrANewOneWithTheMealDefinitions) {
  const TOneLogStore store{39248};
  EXPECT_EQ(OpenDayLog(store, 39248, {}).MenuNotes, "stored");
  const TDaysMeals fresh = OpenDayLog(store, 39249, {{"Tea", 0.7, {}}});
  EXPECT_EQ(fresh.ForDate, 39249);
  ASSERT_EQ(fresh.meals.size(), 1u);
  EXPECT_EQ(fresh.meals[0].Name, "Tea");
}

}  // namespace
}  // namespace korvela
