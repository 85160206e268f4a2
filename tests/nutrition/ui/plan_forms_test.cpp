#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>
#include <filesystem>

#include "food_fixture.h"
#include "nutrition/meal_definitions.h"
#include "nutrition/ui/meal_definitions_form.h"
#include "nutrition/ui/open_plan_forms.h"
#include "nutrition/ui/plan_options_form.h"
#include "screen_tests.h"

namespace korvela::test {
namespace {

void Click(const QWidget& form, const char* button) { Child<QPushButton>(form, button)->click(); }

class TPlanFormsTest : public QObject {
  Q_OBJECT
 private slots:
  void MealDefinitionsAreEditedCheckedAndStored() {
    TFoodFixture f;
    TFMealDefinitions form(f.program, f.prompter);
    TMyGrid* grid = Child<TMyGrid>(form, "mealsGrid");
    QCOMPARE(grid->rowCount(), 7);
    QCOMPARE(grid->CellText(0, 1), QStringLiteral("Meal time"));
    QCOMPARE(grid->CellText(3, 0), QStringLiteral("Lunch"));
    grid->SetCellText(3, 0, QStringLiteral("  "));
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Meal names are required!")});
    QCOMPARE(grid->currentRow(), 3);
    QCOMPARE(form.result(), int(QDialog::Rejected));

    grid->SetCellText(3, 0, QStringLiteral("Dinner"));
    qobject_cast<QTimeEdit*>(grid->cellWidget(3, 1))->setTime(QTime(19, 30));
    Click(form, "sortButton");
    QCOMPARE(grid->CellText(5, 0), QStringLiteral("Dinner"));
    Click(form, "okButton");
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const TMealDefinitions stored = LoadMealDefinitions(f.program.Session()->User().Folder);
    QCOMPARE(Q(stored[4].Name), QStringLiteral("Dinner"));
    QCOMPARE(Q(f.program.Session()->MealDefinitions()[4].Name), QStringLiteral("Dinner"));
  }

  void TheLastMealCannotBeDeletedAndOthersAreAskedFor() {
    TFoodFixture f;
    f.program.Session()->MealDefinitions().resize(2);
    TFMealDefinitions form(f.program, f.prompter);
    TMyGrid* grid = Child<TMyGrid>(form, "mealsGrid");
    grid->setCurrentCell(2, 0);
    f.prompter.Plan(TAnswer::Yes);
    Click(form, "deleteButton");
    Click(form, "deleteButton");
    QCOMPARE(Shown(f.prompter),
             (QStringList{QStringLiteral("ask: Do you really want to delete the selected meal "
                                         "\nMeal: \tSnack 1\nTime: \t10:00"),
                          QStringLiteral("warn: At least 1 meal is required!")}));
    QCOMPARE(grid->rowCount(), 2);
    Click(form, "newButton");
    QCOMPARE(grid->CellText(2, 0), QStringLiteral("A new meal"));
    QCOMPARE(grid->currentRow(), 2);
  }

  void ARefusedWriteOfTheMealDefinitionsKeepsTheEditorOpen() {
    TFoodFixture f;
    const std::filesystem::path folder = f.program.Session()->User().Folder;
    std::filesystem::create_directories(folder / "MItmp");
    TFMealDefinitions form(f.program, f.prompter);
    TMyGrid* grid = Child<TMyGrid>(form, "mealsGrid");
    grid->SetCellText(1, 0, QStringLiteral("Early breakfast"));
    Click(form, "okButton");
    QCOMPARE(f.prompter.shown.size(), std::size_t(1));
    QVERIFY(Q(f.prompter.Last())
                .startsWith(QStringLiteral("warn: \"MI.DAT\" could not be written in ")));
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(grid->CellText(1, 0), QStringLiteral("Early breakfast"));
    QCOMPARE(Q(f.program.Session()->MealDefinitions()[0].Name), QStringLiteral("Breakfast"));
    std::filesystem::remove(folder / "MItmp");
    Click(form, "okButton");
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(Q(LoadMealDefinitions(folder)[0].Name), QStringLiteral("Early breakfast"));
  }

  void MenuOptionsNeedANameLogNotesShowTheDay() {
    TFoodFixture f;
    TDaysMeals menu = NewDayPlan(0, f.program.Session()->MealDefinitions());
    menu.MenuName = "Rest day";
    TFMenuOptions options(f.program, f.prompter, menu);
    QCOMPARE(options.windowTitle(),
             QStringLiteral("Menu Options and its current Dietary Composition"));
    Child<QLineEdit>(options, "nameLineEdit")->clear();
    Click(options, "okButton");
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Please, enter a menu name!")});
    QCOMPARE(Q(menu.MenuName), QStringLiteral("Rest day"));
    Child<QLineEdit>(options, "nameLineEdit")->setText(QStringLiteral("<b>Light</b>"));
    Child<QPlainTextEdit>(options, "notesTextEdit")->setPlainText(QStringLiteral("less fat"));
    Click(options, "okButton");
    QCOMPARE(Q(menu.MenuName), QStringLiteral("<b>Light</b>"));
    QCOMPARE(Q(menu.MenuNotes), QStringLiteral("less fat"));

    f.plan.meals[0].foods.push_back(TWFoodItem(Oats()));
    f.plan.meals[0].foods[0].WI = 2;
    f.plan.meals[0].foods[0].WM = 100;
    TFMenuOptions notes(f.program, f.prompter, f.plan);
    QCOMPARE(notes.windowTitle(), QStringLiteral("Food Log Notes and Dietary Composition"));
    QCOMPARE(Child<QLineEdit>(notes, "nameLineEdit")->text(),
             QStringLiteral("Food Log 15 June 2007"));
    QVERIFY(Child<QLineEdit>(notes, "nameLineEdit")->isReadOnly());
    QCOMPARE(Child<QLabel>(notes, "composition3Label")->text(), QStringLiteral("355"));
    QCOMPARE(Child<QLabel>(notes, "composition6Label")->text(), QStringLiteral("68%"));
    QCOMPARE(UnnamedControls(notes), QStringList());
  }

  void OpenLogStartsTodayAndItsButtonsPickDaysAroundIt() {
    TFoodFixture f;
    TFOpenLog dialog(f.program);
    const TDateTime today = f.program.Clock().Today();
    QCOMPARE(dialog.SelectedDay(), today);
    Click(dialog, "dayBeforeYesterdayButton");
    QCOMPARE(dialog.SelectedDay(), today - 2);
    Click(dialog, "tomorrowButton");
    QCOMPARE(dialog.SelectedDay(), today + 1);
    QCOMPARE(Child<QPushButton>(dialog, "openButton")->text(), QStringLiteral("Open"));
    QCOMPARE(UnnamedControls(dialog), QStringList());
  }

  void OpenMenuListsTheMenusWithTheirNotes() {
    TFoodFixture f;
    TMenuList& menus = f.program.Menus();
    {
      TFOpenMenu empty(f.program, menus);
      QVERIFY(!Child<QPushButton>(empty, "openButton")->isEnabled());
      QCOMPARE(empty.SelectedMenu(), -1);
    }
    for (const char* name : {"Rest day", "Training day"}) {
      auto menu = std::make_unique<TDaysMeals>(NewDayPlan(0, {}));
      menu->MenuName = name;
      menu->MenuNotes = std::string("Notes of ") + name;
      menus.SaveMenu(std::move(menu));
    }
    TFOpenMenu dialog(f.program, menus);
    QCOMPARE(dialog.SelectedMenu(), 0);
    QCOMPARE(Child<QPlainTextEdit>(dialog, "notesTextEdit")->toPlainText(),
             QStringLiteral("Notes of Rest day"));
    Child<QListWidget>(dialog, "menuListWidget")->setCurrentRow(1);
    QCOMPARE(Child<QPlainTextEdit>(dialog, "notesTextEdit")->toPlainText(),
             QStringLiteral("Notes of Training day"));
    Click(dialog, "openButton");
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(dialog.SelectedMenu(), 1);
    QCOMPARE(UnnamedControls(dialog), QStringList());
  }
};

}  // namespace

int RunPlanFormsTests(int argc, char** argv) {
  TPlanFormsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "plan_forms_test.moc"
