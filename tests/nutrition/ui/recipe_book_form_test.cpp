#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QTreeWidget>
#include <filesystem>

#include "food_fixture.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/recipes.h"
#include "nutrition/rtf.h"
#include "nutrition/ui/food_logging_form.h"
#include "nutrition/ui/recipe_book_form.h"
#include "nutrition/ui/rtf_document.h"
#include "screen_tests.h"
#include "support/tab_chain.h"
#include "widgets/pie_chart.h"

namespace korvela::test {
namespace {

std::unique_ptr<TFoodItem> Food(const std::string& name, Extended p, Extended f, Extended c) {
  auto food = std::make_unique<TFoodItem>(name);
  food->P = p;
  food->F = f;
  food->C = c;
  food->weights = {{"cup", 1, 80}, {"tablespoon", 1, 30}};
  return food;
}

// Anna with a small catalogue: two cereals, no own foods, no recipes yet.
struct TRecipeFixture : TFoodFixture {
  TRecipeFixture() {
    auto& lists = program.Foods().Lists;
    lists.clear();
    lists.push_back({"Cereals", {}});
    lists[0].Foods.push_back(Food("Oat flakes", 13, 7, 60));
    lists[0].Foods.push_back(Food("Rye flakes", 10, 2, 70));
    lists.push_back({"User-Added Foods", {}});
    lists.push_back({"Recipes", {}});
  }
  std::vector<std::unique_ptr<TFoodItem>>& Recipes() { return program.Foods().RecipeList().Foods; }
  std::vector<std::string> Stored() {
    TFoodList list{"Recipes", {}};
    LoadRecipes(list, folder.Path(), *random);
    std::vector<std::string> names;
    for (const auto& food : list.Foods) names.push_back(food->Name);
    return names;
  }
};

QPushButton* Button(const QWidget& form, const char* name) {
  return Child<QPushButton>(form, name);
}
QTreeWidget* Grid(const QWidget& form, const char* name) { return Child<QTreeWidget>(form, name); }

QStringList VisibleTabs(const TFRecipeBook& form) {
  const auto* tabs = Child<QTabWidget>(form, "recipeTabs");
  QStringList shown;
  for (int i = 0; i < tabs->count(); ++i)
    if (tabs->isTabVisible(i)) shown << tabs->tabText(i);
  return shown;
}

QStringList RowTexts(const QTreeWidget& grid, int row) {
  QStringList texts;
  const QTreeWidgetItem* item = grid.topLevelItem(row);
  for (int c = 0; item && c < grid.columnCount(); ++c) texts << item->text(c);
  return texts;
}

// Searches for an ingredient and adds the first result, the quantity dialog
// answering with `quantity` of its first measure.
void AddIngredient(TFRecipeBook& form, const QString& query, Extended quantity) {
  form.OnAskQuantity = [quantity](TWFoodItem item) -> std::optional<TWFoodItem> {
    item.WM = quantity;
    item.WMStr = std::to_string(static_cast<int>(quantity));
    return item;
  };
  QLineEdit* search = Child<QLineEdit>(form, "searchLineEdit");
  search->setFocus();
  search->setText(query);
  QTest::keyClick(search, Qt::Key_Return);
  QTest::keyClick(Grid(form, "resultGrid"), Qt::Key_Return);
}

TRtfRun Span(std::string text, bool bold = false, bool italic = false, bool underline = false,
             std::string link = {}) {
  return {std::move(text), bold, italic, underline, std::move(link)};
}

class TRecipeBookFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ANewRecipeIsComposedAndSaved() {
    TRecipeFixture f;
    TFRecipeBook form(f.program, f.prompter);
    ShowActive(form);
    QCOMPARE(form.windowTitle(), QStringLiteral("Recipe Book"));
    QCOMPARE(VisibleTabs(form), QStringList{QStringLiteral("Recipes")});
    QCOMPARE(UnnamedControls(form), QStringList());
    QCOMPARE(TabChainFaults(form, {QStringLiteral("newRecipeButton"), QStringLiteral("okButton"),
                                   QStringLiteral("helpButton")}),
             QStringList());

    QTest::keyClick(&form, Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(VisibleTabs(form),
             (QStringList{QStringLiteral("Ingredients"), QStringLiteral("Directions"),
                          QStringLiteral("Ingredients Search Results")}));
    QLineEdit* name = Child<QLineEdit>(form, "nameLineEdit");
    QVERIFY(name->hasFocus());
    QCOMPARE(name->selectedText(), QStringLiteral("A new recipe"));
    QVERIFY(!Button(form, "saveButton")->isEnabled());
    QVERIFY(Button(form, "okButton")->isHidden());
    QVERIFY(Child<TPieChart>(form, "caloriePieChart")->isHidden());

    QTest::keyClicks(name, QStringLiteral("Porridge"));
    QLineEdit* servings = Child<QLineEdit>(form, "servingsLineEdit");
    servings->setFocus();
    servings->selectAll();
    QTest::keyClicks(servings, QStringLiteral("2"));
    QTest::keyClick(servings, Qt::Key_Return);
    AddIngredient(form, QStringLiteral("oat"), 2);
    AddIngredient(form, QStringLiteral("rye"), 1);
    QCOMPARE(Child<QTabWidget>(form, "recipeTabs")
                 ->currentWidget()
                 ->isAncestorOf(Grid(form, "ingredientGrid")),
             true);
    const QTreeWidget* ingredients = Grid(form, "ingredientGrid");
    QCOMPARE(ingredients->topLevelItemCount(), 2);
    // Two cups (160 g) of oats: 20.8 g protein, 11.2 g fat, 96 g carbs.
    QCOMPARE(
        RowTexts(*ingredients, 0),
        (QStringList{QStringLiteral("Oat flakes"), QStringLiteral("2 cup"), QStringLiteral("20.8"),
                     QStringLiteral("11.2"), QStringLiteral("96"), QStringLiteral("568")}));
    QCOMPARE(Child<QLineEdit>(form, "caloriesLineEdit")->text(), QStringLiteral("838.4"));
    QVERIFY(!Child<TPieChart>(form, "caloriePieChart")->isHidden());
    QVERIFY(Button(form, "saveButton")->isEnabled());
    QVERIFY(!Button(form, "okButton")->isHidden());
    QCOMPARE(UnnamedControls(form), QStringList());
    QCOMPARE(TabChainFaults(form, {QStringLiteral("saveButton"), QStringLiteral("okButton"),
                                   QStringLiteral("cancelButton")}),
             QStringList());

    // The quantity of an ingredient is changed in place.
    form.OnAskQuantity = [](TWFoodItem item) -> std::optional<TWFoodItem> {
      item.WI = 1;
      item.WM = 3;
      item.WMStr = "3";
      return item;
    };
    Grid(form, "ingredientGrid")->setFocus();
    Grid(form, "ingredientGrid")->setCurrentItem(Grid(form, "ingredientGrid")->topLevelItem(1));
    QTest::keyClick(Grid(form, "ingredientGrid"), Qt::Key_Return);
    QCOMPARE(RowTexts(*ingredients, 1)[1], QStringLiteral("3 tablespoon"));

    form.Directions()->setPlainText(QStringLiteral("Simmer."));
    QTest::keyClick(&form, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(VisibleTabs(form), QStringList{QStringLiteral("Recipes")});
    QCOMPARE(Child<QLineEdit>(form, "searchLineEdit")->text(), QString());
    QCOMPARE(RowTexts(*Grid(form, "recipeGrid"), 0),
             (QStringList{QStringLiteral("Porridge"), QStringLiteral("2 serving(s)"),
                          QStringLiteral("29.8"), QStringLiteral("13"), QStringLiteral("159"),
                          QStringLiteral("872.2")}));
    QCOMPARE(f.Stored(), std::vector<std::string>{"Porridge"});
    QCOMPARE(Q(PlainText(ReadRtf(RecipeOf(*f.Recipes()[0]).Desc))), QStringLiteral("Simmer."));
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void RefusedNameAndServingsAreSaidOnceAndCancelChecksNothing() {
    TRecipeFixture f;
    TFRecipeBook form(f.program, f.prompter);
    ShowActive(form);
    form.NewRecipeExecute();
    QLineEdit* name = Child<QLineEdit>(form, "nameLineEdit");
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    QTest::keyClick(name, Qt::Key_Tab);
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Recipe name is required!")});
    QVERIFY(name->hasFocus());
    QCOMPARE(Q(form.State().NameText()), QStringLiteral("A new recipe"));
    QTest::keyClicks(name, QStringLiteral("Muesli"));
    QTest::keyClick(name, Qt::Key_Tab);
    QLineEdit* servings = Child<QLineEdit>(form, "servingsLineEdit");
    QVERIFY(servings->hasFocus());
    const QStringList refused = {QStringLiteral("0"), QStringLiteral("100000"),
                                 QStringLiteral("1/0"), QStringLiteral("many")};
    for (const QString& text : refused) {
      f.prompter.shown.clear();
      servings->selectAll();
      QTest::keyClicks(servings, text);
      QTest::keyClick(servings, Qt::Key_Return);
      QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Invalid serving size")});
      QVERIFY(servings->hasFocus());
      QCOMPARE(Q(form.State().ServingsText()), QStringLiteral("1"));
    }
    f.prompter.shown.clear();
    servings->selectAll();
    QTest::keyClicks(servings, QStringLiteral("1  1/2"));
    QTest::keyClick(servings, Qt::Key_Return);
    QCOMPARE(servings->text(), QStringLiteral("1 1/2"));
    QCOMPARE(Q(form.State().NameText()), QStringLiteral("Muesli"));
    // Cancel leaves a bad text unchecked and the book unchanged.
    servings->selectAll();
    QTest::keyClicks(servings, QStringLiteral("0"));
    Button(form, "cancelButton")->setFocus();
    Button(form, "cancelButton")->click();
    QCOMPARE(Shown(f.prompter), QStringList());
    QVERIFY(form.State().Browsing());
    QVERIFY(form.isVisible());
    QVERIFY(f.Recipes().empty());
  }

  void EditCopyAndDeleteWantOneSelectedRecipe() {
    TRecipeFixture f;
    TFRecipeBook form(f.program, f.prompter);
    ShowActive(form);
    for (const char* recipe : {"Porridge", "Rye bowl"}) {
      form.NewRecipeExecute();
      Child<QLineEdit>(form, "nameLineEdit")->setText(QString::fromUtf8(recipe));
      form.State().Book().SetName(recipe);
      AddIngredient(form, QStringLiteral("flakes"), 1);
      form.SaveExecute();
    }
    QTreeWidget* recipes = Grid(form, "recipeGrid");
    recipes->selectAll();
    for (const char* command : {"editButton", "editCopyButton", "deleteButton"})
      QVERIFY2(!Button(form, command)->isEnabled(), command);
    recipes->clearSelection();
    recipes->topLevelItem(0)->setSelected(true);
    for (const char* command : {"editButton", "editCopyButton", "deleteButton"})
      QVERIFY2(Button(form, command)->isEnabled(), command);

    // Editing a recipe refuses the recipe itself as an ingredient.
    Button(form, "editButton")->click();
    QCOMPARE(Child<QLineEdit>(form, "nameLineEdit")->text(), QStringLiteral("Porridge"));
    QVERIFY(!Button(form, "okButton")->isHidden());
    AddIngredient(form, QStringLiteral("porridge"), 1);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: You cannot add to a recipe its own ingredients!")});
    QCOMPARE(Grid(form, "ingredientGrid")->topLevelItemCount(), 1);
    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(form.State().Browsing());
    QVERIFY(form.isVisible());

    recipes->clearSelection();
    recipes->topLevelItem(1)->setSelected(true);
    Button(form, "editCopyButton")->click();
    QCOMPARE(Child<QLineEdit>(form, "nameLineEdit")->text(), QStringLiteral("A copy of Rye bowl"));
    Button(form, "okButton")->click();
    QCOMPARE(f.Stored(), (std::vector<std::string>{"Porridge", "Rye bowl", "A copy of Rye bowl"}));

    f.prompter.shown.clear();
    recipes->clearSelection();
    recipes->setCurrentItem(recipes->topLevelItem(0));
    f.prompter.Plan(TAnswer::Yes);
    QTest::keyClick(recipes, Qt::Key_Delete);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("ask: Do you really want to delete Porridge?")});
    QCOMPARE(recipes->topLevelItemCount(), 2);
    QCOMPARE(f.Stored(), (std::vector<std::string>{"Rye bowl", "A copy of Rye bowl"}));
  }

  void ClosingAsksToSaveTheRecipe() {
    const struct {
      TAnswer answer;
      std::vector<std::string> stored;
    } cases[] = {{TAnswer::No, {}}, {TAnswer::Yes, {"Oat bake"}}};
    for (const auto& c : cases) {
      TRecipeFixture f;
      TFRecipeBook form(f.program, f.prompter);
      ShowActive(form);
      form.NewRecipeExecute();
      Child<QLineEdit>(form, "nameLineEdit")->setText(QStringLiteral("Oat bake"));
      AddIngredient(form, QStringLiteral("oat"), 1);
      f.prompter.Plan(c.answer);
      form.close();
      QVERIFY(!form.isVisible());
      QCOMPARE(
          Shown(f.prompter),
          QStringList{QStringLiteral("ask: Would you like to save the recipe before exiting?")});
      QCOMPARE(f.Stored(), c.stored);
    }
  }

  // The editor's document and the stored model, both ways.
  void TheDirectionsKeepTheirFormat() {
    TRtfDocument model;
    model.paragraphs.push_back({TRtfAlign::Center, false, {Span("Porridge", true)}});
    model.paragraphs.push_back(
        {TRtfAlign::Left, true, {Span("Soak "), Span("overnight", false, true), Span(".")}});
    model.paragraphs.push_back({TRtfAlign::Left, true, {Span("Boil, stir", false, false, true)}});
    model.paragraphs.push_back({TRtfAlign::Right, false, {}});
    model.paragraphs.push_back(
        {TRtfAlign::Justify,
         false,
         {Span("See "), Span("the video", false, false, false, "https://example.org/v")}});
    QTextDocument document;
    ShowRtfDocument(model, document);
    QCOMPARE(document.blockCount(), 5);
    QVERIFY(document.begin().next().textList() != nullptr);
    QCOMPARE(document.begin().next().textList(), document.begin().next().next().textList());
    QVERIFY(ReadTextDocument(document) == model);
    // Through the stored text and back.
    QTextDocument again;
    ShowRtfDocument(ReadRtf(WriteRtf(ReadTextDocument(document))), again);
    QCOMPARE(again.toPlainText(), document.toPlainText());
    const TRtfDocument read = ReadTextDocument(again);
    QCOMPARE(read.paragraphs.size(), model.paragraphs.size());
    for (std::size_t i = 0; i < model.paragraphs.size(); ++i)
      QVERIFY2(
          read.paragraphs[i] == model.paragraphs[i],
          qPrintable(
              QStringLiteral("paragraph %1: %2").arg(i).arg(Q(WriteRtf({{read.paragraphs[i]}})))));
  }

  void PasteIngredientsAndLinks() {
    TRecipeFixture f;
    TFRecipeBook form(f.program, f.prompter);
    ShowActive(form);
    form.NewRecipeExecute();
    AddIngredient(form, QStringLiteral("oat"), 2);
    // A food copied on the food log screen is pasted with its quantity.
    QVERIFY(!Button(form, "pasteFoodsButton")->isEnabled());
    TWFoodItem rye(*f.program.Foods().Lists[0].Foods[1]);
    rye.WI = 0;
    rye.WM = 1;
    rye.WMStr = "1";
    f.program.FoodClipboard().content = rye;
    form.Refresh();
    Button(form, "pasteFoodsButton")->click();
    QCOMPARE(Grid(form, "ingredientGrid")->topLevelItemCount(), 2);
    form.Directions()->setPlainText(QStringLiteral("Mix:"));
    form.PasteIngredientsExecute();
    QCOMPARE(form.Directions()->toPlainText(),
             QStringLiteral("Mix:\n2 cup   Oat flakes\n1 cup   Rye flakes"));

    // A typed address becomes a link once the editor is left; Ctrl+click
    // opens web links only.
    QStringList opened;
    form.OnOpenLink = [&opened](const QString& link) { opened << link; };
    form.Directions()->setFocus();
    form.Directions()->setPlainText(QStringLiteral("Watch www.example.org first"));
    Child<QLineEdit>(form, "searchLineEdit")->setFocus();
    QTextEdit* editor = form.Directions();
    const QRect at = editor->cursorRect(QTextCursor(editor->document()->findBlockByNumber(0)));
    const QPoint onLink =
        at.center() +
        QPoint(editor->fontMetrics().horizontalAdvance(QStringLiteral("Watch www.ex")), 0);
    QCOMPARE(editor->anchorAt(onLink), QStringLiteral("http://www.example.org"));
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::NoModifier, onLink);
    QCOMPARE(opened, QStringList());
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier, onLink);
    QCOMPARE(opened, QStringList{QStringLiteral("http://www.example.org")});
    TRtfDocument unsafe;
    unsafe.paragraphs.push_back(
        {TRtfAlign::Left, false, {Span("run me", false, false, false, "file:///bin/sh")}});
    ShowRtfDocument(unsafe, *editor->document());
    QTest::mouseClick(editor->viewport(), Qt::LeftButton, Qt::ControlModifier,
                      editor->cursorRect(QTextCursor(editor->document())).center() + QPoint(4, 0));
    QCOMPARE(opened.size(), 1);
  }

  void TheIngredientDialogAsksTheQuantityAlone() {
    TRecipeFixture f;
    const TFoodItem& oats = *f.program.Foods().Lists[0].Foods[0];
    {
      TFIngredient dialog(f.program, f.prompter, NewLoggedItem(oats, f.program.Config()));
      ShowActive(dialog);
      QCOMPARE(dialog.windowTitle(), QStringLiteral("Oat flakes"));
      QVERIFY(!Child<QComboBox>(dialog, "mealComboBox")->isVisibleTo(&dialog));
      QCOMPARE(UnnamedControls(dialog), QStringList());
      QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
      QCOMPARE(Button(dialog, "okButton")->text(), QStringLiteral("OK"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
      QCOMPARE(dialog.result(), int(QDialog::Accepted));
      QCOMPARE(Q(QuantityText(dialog.Ingredient())), QStringLiteral("2 tablespoon"));
    }
    // A recipe goes in by servings; its figures cannot be typed.
    TRecipeFood stew = NewRecipe();
    TRecepta parts = RecipeOf(stew);
    parts.ingredients = {NewLoggedItem(oats, f.program.Config())};
    SetRecipe(stew, parts);
    TFIngredient dialog(f.program, f.prompter, NewLoggedItem(stew, f.program.Config()));
    ShowActive(dialog);
    QCOMPARE(Child<QComboBox>(dialog, "unitComboBox")->count(), 1);
    for (const char* figure :
         {"proteinLineEdit", "fatLineEdit", "carbsLineEdit", "caloriesLineEdit"})
      QVERIFY2(!Child<QLineEdit>(dialog, figure)->isEnabled(), figure);
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void PrintingTellsWhenThePrinterFails() {
    TRecipeFixture f;
    TFRecipeBook form(f.program, f.prompter);
    ShowActive(form);
    form.NewRecipeExecute();
    form.Directions()->setPlainText(QStringLiteral("Boil for ten minutes."));
    const std::filesystem::path good = f.folder / "directions.pdf";
    const std::filesystem::path bad = f.folder / "missing" / "directions.pdf";
    QString title;
    for (const auto& file : {good, bad}) {
      form.OnChoosePrinter = [&file, &title](QPrinter& printer) {
        title = printer.docName();
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(QString::fromStdString(file.string()));
        return true;
      };
      form.PrintExecute();
    }
    QCOMPARE(title, QStringLiteral("Recipe Instructions"));
    QVERIFY(std::filesystem::file_size(good) > 0);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral(
                 "warn: There was an error trying to print the recipe instructions!")});
  }
};

}  // namespace

int RunRecipeBookFormTests(int argc, char** argv) {
  TRecipeBookFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "recipe_book_form_test.moc"
