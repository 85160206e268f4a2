// Pictures of the food dialogs for a person to look at, on real foods of the
// shipped catalogue; written only when KORVELA_FOOD_SNAPSHOTS names a folder.
#include <QDir>
#include <QListWidget>
#include <QTimeEdit>
#include <filesystem>

#include <QLineEdit>
#include <QTabWidget>
#include <QTreeWidget>
#include "food_fixture.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_logging.h"
#include "nutrition/recipe_book_state.h"
#include "nutrition/rtf.h"
#include "nutrition/ui/food_editor_form.h"
#include "nutrition/ui/food_logging_form.h"
#include "nutrition/ui/food_weights_form.h"
#include "nutrition/ui/meal_definitions_form.h"
#include "nutrition/ui/new_meal_form.h"
#include "nutrition/ui/open_plan_forms.h"
#include "nutrition/ui/plan_options_form.h"
#include "nutrition/ui/recipe_book_form.h"
#include "nutrition/user_food_edits.h"
#include "screen_tests.h"
#include "storage/text_helpers.h"

namespace korvela::test {
namespace {

// The first catalogue food whose name contains the text and that has at
// least `measures` measures.
const TFoodItem* Find(TFoodTree& tree, const std::string& text, std::size_t measures = 2) {
  for (const TFoodList& list : tree.Lists) {
    for (const auto& food : list.Foods) {
      if (food->Name.find(text) != std::string::npos && food->weights.size() >= measures)
        return food.get();
    }
  }
  return nullptr;
}

void Log(TDaysMeals& plan, std::size_t meal, const TFoodItem* food, int weight, double amount) {
  if (!food) return;
  TWFoodItem item(*food);
  item.WI = weight;
  item.WM = amount;
  item.WMStr = std::to_string(static_cast<int>(amount));
  plan.meals[meal].foods.push_back(std::move(item));
}

// A stew of eight catalogue foods with formatted directions, in the recipe
// book: the list, the ingredients with the pie, the directions and the
// ingredient dialog.
template <typename TSave>
void WriteRecipeSnapshots(TFoodFixture& f, TSave& save) {
  const char* const wanted[] = {"Beef, ground",  "Onions, raw", "Carrots, raw", "Potatoes",
                                "Tomatoes, red", "Garlic",      "Oil, olive",   "Beans, kidney"};
  TRecipeBookState state(f.program.Foods(), f.program.Config(), f.prompter, f.folder.Path(),
                         *f.random);
  state.New();
  state.Book().SetName("Grandmother's beef and bean stew with garden vegetables");
  state.Book().SetServings("6", '.');
  for (const char* name : wanted) {
    const TFoodItem* food = Find(f.program.Foods(), name, 1);
    if (!food) food = Find(f.program.Foods(), name, 0);
    if (!food) continue;
    TWFoodItem item = NewLoggedItem(*food, f.program.Config());
    item.WM = 2;
    item.WMStr = "2";
    state.AddIngredient(std::move(item));
  }
  TRtfDocument directions;
  directions.paragraphs.push_back(
      {TRtfAlign::Center, false, {{"Beef and bean stew", true, false, false, {}}}});
  directions.paragraphs.push_back({TRtfAlign::Left,
                                   false,
                                   {{"Serves six. ", false, false, false, {}},
                                    {"Start a day ahead", false, true, false, {}},
                                    {" if the beans are dry.", false, false, false, {}}}});
  for (const char* step :
       {"Brown the beef in the olive oil.", "Add onions, garlic and carrots; soften for 5 minutes.",
        "Add potatoes, tomatoes and beans, cover with water and simmer for 1 hour."})
    directions.paragraphs.push_back({TRtfAlign::Left, true, {{step, false, false, false, {}}}});
  directions.paragraphs.push_back(
      {TRtfAlign::Left,
       false,
       {{"Do not let it boil dry!", false, false, true, {}},
        {" More at ", false, false, false, {}},
        {"www.example.org/stew", false, false, false, "http://www.example.org/stew"}}});
  state.Save(WriteRtf(directions));

  TFRecipeBook form(f.program, f.prompter);
  form.resize(940, 620);
  save(form, "recipe-book.png");
  auto* grid = form.findChild<QTreeWidget*>(QStringLiteral("recipeGrid"));
  grid->setCurrentItem(grid->topLevelItem(0));
  form.EditExecute();
  save(form, "recipe-ingredients.png");
  auto* tabs = form.findChild<QTabWidget*>(QStringLiteral("recipeTabs"));
  tabs->setCurrentIndex(2);
  save(form, "recipe-directions.png");
  form.findChild<QLineEdit*>(QStringLiteral("searchLineEdit"))->setText(QStringLiteral("beans"));
  form.FindExecute();
  save(form, "recipe-search.png");
  if (const std::optional<TWFoodItem> item = form.State().IngredientAt(0)) {
    TFIngredient dialog(f.program, f.prompter, *item);
    save(dialog, "recipe-ingredient.png");
  }
  form.State().Cancel();
}

}  // namespace

void WriteSnapshots(const QString& folder) {
  QDir().mkpath(folder);
  TFoodFixture f;
  std::filesystem::copy_file(KORVELA_SHIPPED_FOODS, f.folder / "foods.dat");
  (void)LoadFoodCatalogue(f.program.Foods(), f.program.Units(), f.folder.Path(), *f.random);
  auto save = [&](QWidget& w, const char* name) {
    w.show();
    QApplication::processEvents();
    w.grab().save(QDir(folder).filePath(QString::fromLatin1(name)));
    qInfo("%s: %dx%d", name, w.width(), w.height());
  };

  const TFoodItem* oats = Find(f.program.Foods(), "Cereals, oats");
  const TFoodItem* milk = Find(f.program.Foods(), "Milk, reduced fat");
  const TFoodItem* banana = Find(f.program.Foods(), "Bananas, raw");
  const TFoodItem* cheese = Find(f.program.Foods(), "Cheese, cheddar");
  Log(f.plan, 0, oats, 0, 1);
  Log(f.plan, 0, milk, 0, 1);
  Log(f.plan, 1, banana, 0, 1);
  {
    TFLogFood form(f.program, f.prompter, NewLoggedItem(oats ? *oats : Oats(), f.program.Config()),
                   f.plan, 0);
    save(form, "log-food.png");
  }
  {
    TFNewMeal form(f.program, f.prompter);
    save(form, "new-meal.png");
  }
  {
    TFMealDefinitions form(f.program, f.prompter);
    save(form, "meal-definitions.png");
  }
  {
    f.plan.MenuNotes = "Long run in the morning, so more carbs at breakfast.";
    TFMenuOptions form(f.program, f.prompter, f.plan);
    save(form, "log-notes.png");
  }
  {
    TDaysMeals menu = CopyDayPlan(f.plan);
    menu.MenuName = "Training day, 2400 kcal";
    TFMenuOptions form(f.program, f.prompter, menu);
    save(form, "menu-options.png");
    for (const char* name : {"Rest day", "Training day, 2400 kcal", "Race week carb loading"}) {
      auto saved = std::make_unique<TDaysMeals>(CopyDayPlan(f.plan));
      saved->MenuName = name;
      saved->MenuNotes = std::string("Notes for the ") + name + ".";
      f.program.Menus().SaveMenu(std::move(saved));
    }
  }
  {
    TFOpenLog form(f.program);
    save(form, "open-log.png");
  }
  {
    TFOpenMenu form(f.program, f.program.Menus());
    save(form, "open-menu.png");
  }
  {
    const TFoodItem fallback = Oats();
    TUserFood& copy = AddEditCopy(f.program.Foods(), cheese ? *cheese : fallback);
    TFFoodEditor form(f.program, f.prompter, copy, false);
    save(form, "food-editor.png");
  }
  {
    TFFoodWeights form(f.program, f.prompter);
    save(form, "food-weights.png");
  }
  WriteRecipeSnapshots(f, save);
}

}  // namespace korvela::test
