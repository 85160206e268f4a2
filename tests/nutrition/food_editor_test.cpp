#include "nutrition/food_editor.h"

#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "nutrition/meal_definition_editor.h"
#include "nutrition/unit_dictionary_editor.h"
#include "nutrition/user_food_edits.h"
#include "storage/random.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TTempFolder;

TEST(MeasureGrid, AmountChangesScaleTheGramsFromTheLastReference) {
  TConfigurator config;
  TMeasureGrid grid({{"1", "slice", "30"}, {"1", "cup", "240"}}, config);
  grid.SelectCell(0, TMeasureColumn::Amount);
  EXPECT_TRUE(grid.SetCell(0, TMeasureColumn::Amount, "2"));
  EXPECT_EQ(grid.Rows()[0].grams, "60");
  EXPECT_TRUE(grid.SetCell(0, TMeasureColumn::Amount, "1/2"));
  EXPECT_EQ(grid.Rows()[0].grams, "15");
  EXPECT_FALSE(grid.SetCell(0, TMeasureColumn::Amount, "x"));  // not an amount: left alone
  EXPECT_EQ(grid.Rows()[0].grams, "15");

  grid.SelectCell(0, TMeasureColumn::Unit);  // tracking ends
  grid.SelectCell(1, TMeasureColumn::Grams);
  EXPECT_FALSE(grid.SetCell(0, TMeasureColumn::Amount, "3"));
  EXPECT_EQ(grid.Rows()[0].grams, "15");
}

TEST(MeasureGrid, RowsAreCheckedFromTheTopOneMistakeAtATime) {
  TConfigurator config;
  const struct {
    TMeasureRow row;
    bool gramsRequired;
    const char* message;
    TMeasureColumn column;
  } cases[] = {
      {{"0", "cup", "240"}, true, "Enter a valid amount!", TMeasureColumn::Amount},
      {{"1", "  ", "240"}, true, "Unit of measurement name is required!", TMeasureColumn::Unit},
      {{"1", "unit", "grams"}, true, "Enter a valid number of grams!", TMeasureColumn::Grams},
      {{"1", "unit", ""}, true, "Enter a valid number of grams!", TMeasureColumn::Grams},
      {{"1", "unit", "-5"}, false, "Enter a valid number of grams!", TMeasureColumn::Grams},
  };
  for (const auto& c : cases) {
    TMeasureGrid grid({{"1", "cup", "240"}, c.row, {"x", "", ""}}, config);
    const std::optional<TMeasureRowFault> fault = grid.Check(c.gramsRequired);
    ASSERT_TRUE(fault) << c.message;
    EXPECT_EQ(fault->message, c.message);
    EXPECT_EQ(fault->row, 1);
    EXPECT_EQ(fault->column, c.column);
  }
  TMeasureGrid grid({{"1 1/2", "bar", ""}}, config);
  EXPECT_EQ(grid.Check(false), std::nullopt);
  const std::vector<TWeightItem> weights = grid.Weights(kNoFixedGrams);
  EXPECT_DOUBLE_EQ(static_cast<double>(weights[0].mod), 1.5);
  EXPECT_EQ(weights[0].gr, kNoFixedGrams);
}

TEST(MeasureGrid, DeleteKeepsOneRowAndAsksWithTheRowsTexts) {
  TConfigurator config;
  TMeasureGrid grid({{"1", "slice", "30"}, {"1", "bar", ""}}, config);
  grid.SelectCell(1, TMeasureColumn::Unit);
  EXPECT_EQ(grid.DeleteQuestion("N/A"),
            "Do you really want to delete the selected\nAmount: \t1\nUnit: \t\tbar\nGrams: "
            "\t\tN/A");
  grid.MoveUp();
  EXPECT_EQ(grid.Rows()[0].unit, "bar");
  EXPECT_EQ(grid.SelectedRow(), 0);
  grid.MoveUp();  // not past the first row
  EXPECT_EQ(grid.SelectedRow(), 0);
  EXPECT_EQ(grid.DeleteRefusal(), std::nullopt);
  grid.DeleteSelected();
  EXPECT_EQ(grid.Rows(), (std::vector<TMeasureRow>{{"1", "slice", "30"}}));
  EXPECT_EQ(grid.DeleteRefusal(),
            std::optional<std::string>("At least 1 food weight is required!"));
}

// The tree with one catalogue category, "User-Added Foods" and "Recipes".
struct TFoodEditorTest : ::testing::Test {
  TFoodEditorTest() {
    for (const char* name : {"Dairy and Egg Products", "User-Added Foods", "Recipes"})
      tree.Lists.push_back({name, {}});
    auto food = std::make_unique<TUserFood>("Quark");
    food->P = 12;
    food->F = 0.25L;
    food->C = 4;
    food->CategoryID = 0;
    food->weights = {{"cup", 1, 225}};
    quark = food.get();
    tree.UserFoodList().Foods.push_back(std::move(food));
  }

  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(7);
  TConfigurator config;
  TFoodTree tree;
  TUnitDictionary units = DefaultUnits();
  TUserFood* quark = nullptr;
};

TEST_F(TFoodEditorTest, ANewFoodIsTypedForAPortionAndStoredPer100Grams) {
  std::unique_ptr<TUserFood> food = NewUserFood(tree, kNewFoodName);
  TFoodEditor editor(*food, true, tree, units, config);
  EXPECT_EQ(editor.Caption(), "New Food");
  EXPECT_EQ(editor.CategoryNames(),
            (std::vector<std::string>{"Dairy and Egg Products", "User-Added Foods"}));
  EXPECT_EQ(editor.Category(), 1);
  EXPECT_EQ(editor.Portions().Rows(), std::vector<TMeasureRow>{TMeasureRow{}});
  EXPECT_FALSE(editor.ChartVisible());
  EXPECT_EQ(editor.DictionaryRows()[1], (TMeasureRow{"1", "kg", "1000"}));
  EXPECT_EQ(editor.DictionaryRows()[3], (TMeasureRow{"1", "tablespoon(s)", ""}));

  EXPECT_EQ(editor.LeaveNutrient(0, "5"), std::nullopt);
  EXPECT_EQ(editor.CaloriesText(), "20");
  EXPECT_TRUE(editor.ChartVisible());
  editor.Portions().SetCell(0, TMeasureColumn::Amount, "1");
  editor.Portions().SetCell(0, TMeasureColumn::Unit, "pot");
  editor.Portions().SetCell(0, TMeasureColumn::Grams, "150");
  editor.CopyUnit(1);  // kg
  ASSERT_EQ(editor.Apply("Skyr ", {"5", "0", "2", "0"}, "50"), std::nullopt);
  EXPECT_EQ(food->Name, "Skyr");
  EXPECT_DOUBLE_EQ(static_cast<double>(food->P), 10);
  EXPECT_DOUBLE_EQ(static_cast<double>(food->C), 4);
  ASSERT_EQ(food->weights.size(), 2u);
  EXPECT_EQ(food->weights[1].desc, "kg");
  TFrequentFoods closed(*random);
  ASSERT_EQ(editor.Save(closed, folder.Path(), *random), std::nullopt);
  TFoodList stored;
  LoadUserFoods(stored, folder.Path(), *random);
  ASSERT_EQ(stored.Foods.size(), 1u);
  EXPECT_EQ(stored.Foods[0]->Name, "Skyr");
  EXPECT_DOUBLE_EQ(static_cast<double>(stored.Foods[0]->P), 10);
}

TEST_F(TFoodEditorTest, OkChecksEveryFieldAgainSoNoInfiniteOrNegativeValueIsStored) {
  TFoodEditor editor(*quark, false, tree, units, config);
  EXPECT_EQ(editor.Caption(), "Editing Quark");
  EXPECT_EQ(editor.NutrientText(1), "0.25");
  EXPECT_EQ(editor.Portions().Rows(), (std::vector<TMeasureRow>{{"1", "cup", "225"}}));
  const struct {
    const char* name;
    std::array<std::string, 4> nutrients;
    const char* portion;
    const char* message;
    TFoodField field;
  } cases[] = {
      {" ", {"1", "1", "1", "0"}, "100", "Food name is required!", TFoodField::Name},
      {"Quark", {"-1", "1", "1", "0"}, "100", "Invalid protein grams", TFoodField::Protein},
      {"Quark", {"1", "1e999", "1", "0"}, "100", "Invalid fat grams", TFoodField::Fat},
      {"Quark", {"1", "1", "x", "0"}, "100", "Invalid carb grams", TFoodField::Carbs},
      {"Quark", {"1", "1", "1", ""}, "100", "Invalid alcohol grams", TFoodField::Alcohol},
      {"Quark", {"1", "1", "1", "0"}, "0", "Invalid Number of Grams", TFoodField::Portion},
      {"Quark", {"1", "1", "1", "0"}, "-50", "Invalid Number of Grams", TFoodField::Portion},
      {"Quark", {"1e300", "1", "1", "0"}, "1e-300", "Invalid protein grams", TFoodField::Protein},
  };
  for (const auto& c : cases) {
    const std::optional<TFoodEditorFault> fault = editor.Apply(c.name, c.nutrients, c.portion);
    ASSERT_TRUE(fault) << c.message;
    EXPECT_EQ(fault->message, c.message);
    EXPECT_EQ(fault->field, c.field) << c.message;
    EXPECT_TRUE(std::isfinite(static_cast<double>(quark->P)));
    EXPECT_GE(quark->P, 0);
  }
  EXPECT_EQ(editor.LeavePortion("0"), std::optional<std::string>("Invalid Number of Grams"));
  EXPECT_EQ(editor.LeaveName("  "), std::optional<std::string>("Food name is required!"));
  EXPECT_EQ(quark->Name, "Quark");

  editor.NewPortion();  // "1", "unit", "grams": the grams must be typed
  const std::optional<TFoodEditorFault> fault =
      editor.Apply("Quark", {"12", "0.25", "4", "0"}, "100");
  ASSERT_TRUE(fault);
  EXPECT_EQ(fault->message, "Enter a valid number of grams!");
  EXPECT_EQ(fault->field, TFoodField::Portions);
  EXPECT_EQ(fault->row, 1);
  EXPECT_EQ(fault->column, TMeasureColumn::Grams);
}

TEST_F(TFoodEditorTest, CancelGivesTheFoodBackEveryField) {
  const std::int32_t id = 77;
  quark->ID = id;
  TFoodEditor editor(*quark, false, tree, units, config);
  EXPECT_EQ(editor.LeaveName("Curd"), std::nullopt);
  EXPECT_EQ(editor.LeaveNutrient(0, "30"), std::nullopt);
  editor.ChooseCategory(1);
  ASSERT_EQ(editor.Apply("Curd", {"30", "1", "1", "0"}, "50"), std::nullopt);
  EXPECT_EQ(quark->Name, "Curd");
  editor.Restore();
  EXPECT_EQ(quark->Name, "Quark");
  EXPECT_DOUBLE_EQ(static_cast<double>(quark->P), 12);
  EXPECT_DOUBLE_EQ(static_cast<double>(quark->F), 0.25);
  EXPECT_EQ(quark->CategoryID, 0);
  EXPECT_EQ(quark->ID, id);
  ASSERT_EQ(quark->weights.size(), 1u);
  EXPECT_EQ(quark->weights[0].desc, "cup");
}

TEST_F(TFoodEditorTest, ARefusedWriteKeepsTheFoodAsTyped) {
  TFoodEditor editor(*quark, false, tree, units, config);
  ASSERT_EQ(editor.Apply("Quark", {"6", "0", "2", "0"}, "50"), std::nullopt);
  // A folder where "UA.DAT" cannot be created.
  std::filesystem::create_directories(folder / "UA.DAT");
  TFrequentFoods closed(*random);
  const std::optional<std::string> warning = editor.Save(closed, folder.Path(), *random);
  ASSERT_TRUE(warning);
  EXPECT_NE(warning->find("\"UA.DAT\" could not be written"), std::string::npos) << *warning;
  EXPECT_DOUBLE_EQ(static_cast<double>(quark->P), 6);  // as typed, for OK again
}

TEST(UnitDictionaryEditor, AUnitWithoutGramsIsStoredWithTheMarkerAndShownEmpty) {
  TTempFolder folder;
  auto random = MakeSeededRandom(3);
  TConfigurator config;
  TUnitDictionary units = DefaultUnits();
  TUnitDictionaryEditor editor(units, config);
  EXPECT_EQ(editor.Grid().Rows()[14], (TMeasureRow{"1", "serving", ""}));
  editor.NewUnit();
  EXPECT_EQ(editor.Grid().SelectedRow(), 23);
  EXPECT_EQ(editor.Grid().SelectedColumn(), TMeasureColumn::Unit);
  ASSERT_TRUE(editor.Check());
  EXPECT_EQ(editor.Check()->message, "Unit of measurement name is required!");
  editor.Grid().SetCell(23, TMeasureColumn::Unit, "scoop");
  ASSERT_EQ(editor.Check(), std::nullopt);
  ASSERT_EQ(editor.Save(units, folder.Path(), *random), std::nullopt);
  ASSERT_EQ(units.size(), 24u);
  EXPECT_EQ(units[23].gr, kNoFixedGrams);
  const TUnitDictionary stored = LoadUnitDictionary(folder.Path());
  ASSERT_EQ(stored.size(), 24u);
  EXPECT_EQ(stored[23].desc, "scoop");
  EXPECT_EQ(stored[23].gr, kNoFixedGrams);
  EXPECT_EQ(MeasureRows(stored, config)[23].grams, "");
}

TEST(MealDefinitionEditor, NewDeleteSortAndTheChecksOfOk) {
  TConfigurator config;
  TMealDefinitionEditor editor({{"Breakfast", 7.5 / 24, {}}, {"Lunch", 12.0 / 24, {}}});
  editor.NewMeal(39248.25);  // 06:00
  EXPECT_EQ(editor.Selected(), 2);
  EXPECT_EQ(editor.Meals()[2].Name, "A new meal");
  editor.SortByTime();
  EXPECT_EQ(editor.Meals()[0].Name, "A new meal");
  EXPECT_EQ(editor.Selected(), 0);
  editor.SetName(0, " ");
  EXPECT_EQ(editor.Check(), std::optional<std::string>("Meal names are required!"));
  editor.Select(2);
  EXPECT_EQ(editor.DeleteQuestion(config),
            "Do you really want to delete the selected meal \nMeal: \tLunch\nTime: \t12:00");
  editor.DeleteSelected();
  editor.Select(0);
  editor.DeleteSelected();
  EXPECT_EQ(editor.Count(), 1);
  EXPECT_EQ(editor.DeleteRefusal(), std::optional<std::string>("At least 1 meal is required!"));
  editor.DeleteSelected();
  EXPECT_EQ(editor.Count(), 1);
}

TEST(MealDefinitionEditor, ARefusedWriteOfMealDefinitionsIsReportedAndChangesNothing) {
  TTempFolder folder;
  auto random = MakeSeededRandom(5);
  TMealDefinitions definitions = DefaultMealDefinitions();
  TMealDefinitionEditor editor(definitions);
  editor.SetName(0, "Early breakfast");
  // "MI.DAT" is written through "MItmp": a folder of that name refuses it.
  std::filesystem::create_directories(folder / "MItmp");
  const std::optional<std::string> warning = editor.Save(definitions, folder.Path(), *random);
  ASSERT_TRUE(warning);
  EXPECT_EQ(warning->rfind("\"MI.DAT\" could not be written in " + folder.Path().string(), 0), 0u)
      << *warning;
  EXPECT_EQ(definitions[0].Name, "Breakfast");
  EXPECT_EQ(editor.Meals()[0].Name, "Early breakfast");
  EXPECT_FALSE(std::filesystem::exists(folder / "MI.DAT"));

  std::filesystem::remove(folder / "MItmp");
  EXPECT_EQ(editor.Save(definitions, folder.Path(), *random), std::nullopt);
  EXPECT_EQ(definitions[0].Name, "Early breakfast");
  EXPECT_EQ(LoadMealDefinitions(folder.Path())[0].Name, "Early breakfast");
}

}  // namespace
}  // namespace korvela
