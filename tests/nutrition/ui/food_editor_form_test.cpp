#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "food_fixture.h"
#include "nutrition/ui/food_editor_form.h"
#include "nutrition/ui/food_weights_form.h"
#include "nutrition/unit_dictionary.h"
#include "nutrition/user_food_edits.h"
#include "nutrition/user_foods.h"
#include "screen_tests.h"

namespace korvela::test {
namespace {

void Click(const QWidget& form, const char* button) { Child<QPushButton>(form, button)->click(); }

void Type(QLineEdit* edit, const char* text) {
  edit->setFocus();
  edit->selectAll();
  QTest::keyClicks(edit, QString::fromUtf8(text));
}

// The program's catalogue holds no category of its own here: "User-Added
// Foods" is list 0 and "Recipes" list 1.
struct TEditorFixture : TFoodFixture {
  TEditorFixture() {
    program.Foods().Lists.clear();
    for (const char* name : {"Dairy and Egg Products", "User-Added Foods", "Recipes"})
      program.Foods().Lists.push_back({name, {}});
    program.Units() = DefaultUnits();
    auto food = std::make_unique<TUserFood>("Quark");
    food->P = 12;
    food->F = 0.25L;
    food->C = 4;
    food->CategoryID = 1;
    food->weights = {{"cup", 1, 225}};
    quark = food.get();
    program.Foods().UserFoodList().Foods.push_back(std::move(food));
  }
  TUserFood* quark = nullptr;
};

class TFoodEditorFormTest : public QObject {
  Q_OBJECT
 private slots:
  void ANewFoodTypedForAPortionIsStoredPer100Grams() {
    TEditorFixture f;
    std::unique_ptr<TUserFood> food = NewUserFood(f.program.Foods(), "A new food");
    TFFoodEditor form(f.program, f.prompter, *food, true);
    ShowActive(form);
    QCOMPARE(form.windowTitle(), QStringLiteral("New Food"));
    QCOMPARE(Child<QComboBox>(form, "categoryComboBox")->count(), 2);
    QCOMPARE(Child<QComboBox>(form, "categoryComboBox")->currentText(),
             QStringLiteral("User-Added Foods"));
    Type(Child<QLineEdit>(form, "foodNameLineEdit"), "Skyr");
    Type(Child<QLineEdit>(form, "proteinLineEdit"), "5");
    Type(Child<QLineEdit>(form, "portionLineEdit"), "50");
    QTest::keyClick(Child<QLineEdit>(form, "portionLineEdit"), Qt::Key_Tab);
    QCOMPARE(Child<QLineEdit>(form, "caloriesLineEdit")->text(), QStringLiteral("20"));

    TMeasureGridView* portions = Child<TMeasureGridView>(form, "portionsGrid");
    TMeasureGridView* units = Child<TMeasureGridView>(form, "unitsGrid");
    QCOMPARE(units->CellText(4, 1), QStringLiteral("tablespoon(s)"));
    QCOMPARE(units->CellText(4, 2), QString());
    Click(form, "okButton");  // the empty first row
    portions->SetCellText(1, 0, QStringLiteral("1"));
    portions->SetCellText(1, 1, QStringLiteral("pot"));
    portions->SetCellText(1, 2, QStringLiteral("150"));
    Click(form, "newButton");
    QCOMPARE(portions->CellText(2, 2), QStringLiteral("grams"));
    Click(form, "okButton");  // "grams" is no number
    QCOMPARE(Shown(f.prompter),
             (QStringList{QStringLiteral("warn: Enter a valid amount!"),
                          QStringLiteral("warn: Enter a valid number of grams!")}));
    QCOMPARE(portions->currentRow(), 2);
    QCOMPARE(portions->currentColumn(), 2);
    portions->SetCellText(2, 2, QStringLiteral("20"));
    QCOMPARE(form.result(), int(QDialog::Rejected));
    Click(form, "okButton");
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(Q(food->Name), QStringLiteral("Skyr"));
    QCOMPARE(static_cast<double>(food->P), 10.0);
    QCOMPARE(food->weights.size(), std::size_t(2));
    QVERIFY(food->ID >= 10);
    QCOMPARE(UnnamedControls(form), QStringList());
  }

  void EnterInAFieldNeverStoresANegativeOrInfiniteValue() {
    TEditorFixture f;
    TFFoodEditor form(f.program, f.prompter, *f.quark, false);
    ShowActive(form);
    QCOMPARE(form.windowTitle(), QStringLiteral("Editing Quark"));
    QLineEdit* fat = Child<QLineEdit>(form, "fatLineEdit");
    QCOMPARE(fat->text(), QStringLiteral("0.25"));
    Type(fat, "-3");
    QTest::keyClick(fat, Qt::Key_Return);
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Invalid fat grams")});
    QVERIFY(form.isVisible());
    QCOMPARE(static_cast<double>(f.quark->F), 0.25);
    Type(fat, "1");
    QLineEdit* portion = Child<QLineEdit>(form, "portionLineEdit");
    Type(portion, "0");
    Click(form, "okButton");
    QCOMPARE(Q(f.prompter.Last()), QStringLiteral("warn: Invalid Number of Grams"));
    QCOMPARE(f.prompter.shown.size(), std::size_t(2));
    QVERIFY(form.isVisible());
    // Escape leaves without a word and gives the food back.
    Type(portion, "x");
    QTest::keyClick(portion, Qt::Key_Escape);
    QCOMPARE(f.prompter.shown.size(), std::size_t(2));
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(static_cast<double>(f.quark->F), 0.25);
  }

  void ProportionalGramsAndCancelRestoresTheFood() {
    TEditorFixture f;
    f.quark->weights = {{"slice", 1, 30}};
    TFFoodEditor form(f.program, f.prompter, *f.quark, false);
    ShowActive(form);
    TMeasureGridView* portions = Child<TMeasureGridView>(form, "portionsGrid");
    portions->setCurrentCell(1, 1);
    portions->setCurrentCell(1, 0);
    portions->SetCellText(1, 0, QStringLiteral("2"));
    QCOMPARE(portions->CellText(1, 2), QStringLiteral("60"));
    portions->SetCellText(1, 0, QStringLiteral("1/2"));
    QCOMPARE(portions->CellText(1, 2), QStringLiteral("15"));

    Type(Child<QLineEdit>(form, "foodNameLineEdit"), "Curd");
    QTest::keyClick(Child<QLineEdit>(form, "foodNameLineEdit"), Qt::Key_Tab);
    QCOMPARE(Q(f.quark->Name), QStringLiteral("Curd"));
    form.reject();
    QCOMPARE(Q(f.quark->Name), QStringLiteral("Quark"));
    QCOMPARE(f.quark->weights.size(), std::size_t(1));
    QCOMPARE(static_cast<double>(f.quark->weights[0].gr), 30.0);
  }

  void TheUnitDictionaryKeepsUnitsWithoutGrams() {
    TEditorFixture f;
    TFFoodWeights form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Food weights library..."));
    TMeasureGridView* grid = Child<TMeasureGridView>(form, "unitsGrid");
    QCOMPARE(grid->rowCount(), 24);
    Click(form, "newButton");
    QCOMPARE(grid->currentRow(), 24);
    QCOMPARE(grid->currentColumn(), 1);
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Unit of measurement name is required!")});
    grid->SetCellText(24, 1, QStringLiteral("scoop"));
    f.prompter.Plan(TAnswer::No);
    grid->setCurrentCell(1, 0);
    Click(form, "deleteButton");
    QCOMPARE(Q(f.prompter.Last()),
             QStringLiteral("ask: Do you really want to delete the selected\nAmount: \t1\nUnit: "
                            "\t\toz\nGrams: \t\t28.35"));
    Click(form, "okButton");
    QCOMPARE(form.result(), int(QDialog::Accepted));
    const TUnitDictionary stored = LoadUnitDictionary(f.program.Folder());
    QCOMPARE(stored.size(), std::size_t(24));
    QCOMPARE(Q(stored[23].desc), QStringLiteral("scoop"));
    QVERIFY(stored[23].gr == kNoFixedGrams);
    QCOMPARE(f.program.Units().size(), std::size_t(24));
    QCOMPARE(UnnamedControls(form), QStringList());
  }
};

}  // namespace

int RunFoodEditorFormTests(int argc, char** argv) {
  TFoodEditorFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "food_editor_form_test.moc"
