#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimeEdit>

#include "food_fixture.h"
#include "nutrition/food_logging.h"
#include "nutrition/ui/food_logging_form.h"
#include "screen_tests.h"
#include "users/unit_text.h"

namespace korvela::test {
namespace {

QLineEdit* Edit(const QWidget& form, const char* name) { return Child<QLineEdit>(form, name); }

class TFoodLoggingFormTest : public QObject {
  Q_OBJECT
 private slots:
  void AHouseholdMeasureIsLoggedWithAFewKeys() {
    TFoodFixture f;
    TFLogFood form(f.program, f.prompter, NewLoggedItem(Oats(), f.program.Config()), f.plan, 2);
    ShowActive(form);
    QCOMPARE(form.windowTitle(), QStringLiteral("Log Oat flakes"));
    QVERIFY(Edit(form, "quantityLineEdit")->hasFocus());
    QCOMPARE(Child<QComboBox>(form, "mealComboBox")->currentText(), QStringLiteral("Lunch"));
    // "2", Tab, Down (the tablespoon), Enter.
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("2"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), Child<QComboBox>(form, "unitComboBox"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QCOMPARE(Child<QPushButton>(form, "okButton")->text(), QStringLiteral("Log 2 tablespoon"));
    QCOMPARE(Child<QLabel>(form, "gramsLabel")->text(), QStringLiteral("60"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.ChosenMeal(), 2);
    QCOMPARE(f.plan.meals[2].foods.size(), std::size_t(1));
    QCOMPARE(Q(QuantityText(f.plan.meals[2].foods[0])), QStringLiteral("2 tablespoon"));
    QCOMPARE(f.prompter.shown.size(), std::size_t(0));
    QCOMPARE(UnnamedControls(form), QStringList());
  }

  void ARefusedQuantityIsSaidOncePerAttemptAndTheDialogStays() {
    TFoodFixture f;
    TFLogFood form(f.program, f.prompter, NewLoggedItem(Oats(), f.program.Config()), f.plan, 0);
    ShowActive(form);
    QLineEdit* quantity = Edit(form, "quantityLineEdit");
    auto* ok = Child<QPushButton>(form, "okButton");
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("1 1/2"));
    QCOMPARE(ok->text(), QStringLiteral("Log 1 1/2 cup"));
    QCOMPARE(Child<QLabel>(form, "gramsLabel")->text(), QStringLiteral("120"));
    const QString warning = QStringLiteral("warn: Invalid serving size");
    // Enter, then OK twice: three attempts, three warnings.
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("lots"));
    QTest::keyClick(quantity, Qt::Key_Return);
    QCOMPARE(Shown(f.prompter), QStringList{warning});
    ok->click();
    ok->click();
    QCOMPARE(Shown(f.prompter), (QStringList{warning, warning, warning}));
    QCOMPARE(Child<QLabel>(form, "gramsLabel")->text(), QString());
    // A click on OK takes the focus from the field first: one press, one
    // warning, and the field has the focus again.
    f.prompter.shown.clear();
    for (const char* text : {"1e30", "5000"}) {  // 5000 cups: 400 kg
      quantity->setFocus();
      quantity->selectAll();
      QTest::keyClicks(quantity, QString::fromUtf8(text));
      QVERIFY(!ok->text().contains(QString::fromUtf8(text)));  // ignored while typing
      QTest::mouseClick(ok, Qt::LeftButton);
      QCOMPARE(Shown(f.prompter), QStringList{warning});
      QVERIFY(quantity->hasFocus());
      f.prompter.shown.clear();
    }
    QVERIFY(form.isVisible());
    QVERIFY(f.plan.meals[0].foods.empty());
    // Cancel checks nothing.
    QTest::mouseClick(Child<QPushButton>(form, "cancelButton"), Qt::LeftButton);
    QCOMPARE(f.prompter.shown.size(), std::size_t(0));
    QCOMPARE(form.result(), int(QDialog::Rejected));
  }

  void ACalorieAmountIsLoggedExactly() {
    TFoodFixture f;
    TFLogFood form(f.program, f.prompter, NewLoggedItem(Oats(), f.program.Config()), f.plan, 0);
    ShowActive(form);
    QLineEdit* calories = Edit(form, "caloriesLineEdit");
    calories->setFocus();
    calories->selectAll();
    QTest::keyClicks(calories, QStringLiteral("250"));
    QTest::keyClick(calories, Qt::Key_Return);
    QCOMPARE(Edit(form, "quantityLineEdit")->text(), QStringLiteral("70.42"));
    QTest::mouseClick(Child<QPushButton>(form, "okButton"), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(Shown(f.prompter), QStringList());
    const TWFoodItem& logged = f.plan.meals[0].foods.at(0);
    QCOMPARE(Q(QuantityText(logged)), QStringLiteral("70.42 grams"));
    QCOMPARE(static_cast<double>(LoggedNutrients(logged).calories), 250.0);
  }

  void EscapeChecksNothing() {
    TFoodFixture f;
    TFLogFood form(f.program, f.prompter, NewLoggedItem(Oats(), f.program.Config()), f.plan, 0);
    ShowActive(form);
    QLineEdit* quantity = Edit(form, "quantityLineEdit");
    quantity->selectAll();
    QTest::keyClicks(quantity, QStringLiteral("x"));
    QTest::keyClick(quantity, Qt::Key_Escape);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!form.isVisible());
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void ATypedFigureChoosesTheGramsAndEnterDoesNotLog() {
    TFoodFixture f;
    TFoodItem cream("Cream cheese");
    cream.F = 5;
    cream.C = 20;
    cream.weights = {{"oz", 1, 28.35L}};
    TFLogFood form(f.program, f.prompter, NewLoggedItem(cream, f.program.Config()), f.plan, 0);
    ShowActive(form);
    QVERIFY(!Edit(form, "proteinLineEdit")->isEnabled());
    QLineEdit* fat = Edit(form, "fatLineEdit");
    fat->setFocus();
    fat->selectAll();
    QTest::keyClicks(fat, QStringLiteral("20"));
    QTest::keyClick(fat, Qt::Key_Return);
    QCOMPARE(Edit(form, "quantityLineEdit")->text(), QStringLiteral("400"));
    QCOMPARE(Child<QComboBox>(form, "unitComboBox")->currentText(), QStringLiteral("grams"));
    QCOMPARE(Child<QPushButton>(form, "okButton")->text(), QStringLiteral("Log 400 grams"));
    QVERIFY(form.isVisible());
    QLineEdit* calories = Edit(form, "caloriesLineEdit");
    calories->setFocus();
    calories->selectAll();
    QTest::keyClicks(calories, QStringLiteral("0"));
    QTest::keyClick(calories, Qt::Key_Return);
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Invalid calories number")});
    QVERIFY(calories->hasFocus());
    calories->selectAll();
    QTest::keyClicks(calories, QStringLiteral("250"));
    Child<QPushButton>(form, "okButton")->click();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(Q(QuantityText(f.plan.meals[0].foods[0])), QStringLiteral("200 grams"));
  }

  void ARecipeShowsServingsOnly() {
    TFoodFixture f;
    TFoodItem stew("Lentil stew");
    stew.P = 80;
    stew.weights = {{"serving(s)", 4, 100}};
    stew.recipe = std::make_unique<XMLNode>("R");
    TFLogFood form(f.program, f.prompter, NewLoggedItem(stew, f.program.Config()), f.plan, 0);
    QCOMPARE(Child<QComboBox>(form, "unitComboBox")->count(), 1);
    QVERIFY(!Child<QLabel>(form, "gramsLabel")->isVisibleTo(&form));
    for (const char* name : {"proteinLineEdit", "fatLineEdit", "carbsLineEdit", "caloriesLineEdit"})
      QVERIFY(!Edit(form, name)->isEnabled());
  }

  void MealTimesAndNewMealsStayWhenCancelled() {
    TFoodFixture f;
    TFLogFood form(f.program, f.prompter, NewLoggedItem(Oats(), f.program.Config()), f.plan, 0);
    form.OnAskNewMeal = [] { return std::optional<TNewMeal>(TNewMeal{"Brunch", 10.5 / 24}); };
    Child<QTimeEdit>(form, "mealTimeEdit")->setTime(QTime(13, 0));  // breakfast after lunch
    QCOMPARE(Child<QComboBox>(form, "mealComboBox")->currentText(), QStringLiteral("Breakfast"));
    QCOMPARE(Child<QComboBox>(form, "mealComboBox")->currentIndex(), 2);
    Child<QPushButton>(form, "newMealButton")->click();
    QCOMPARE(Child<QComboBox>(form, "mealComboBox")->currentText(), QStringLiteral("Brunch"));
    form.reject();
    QCOMPARE(Q(f.plan.meals[3].Name), QStringLiteral("Breakfast"));
    QCOMPARE(SecondsOfDay(f.plan.meals[3].TOD), 13 * 3600);
    QCOMPARE(Q(f.plan.meals[1].Name), QStringLiteral("Brunch"));
    QVERIFY(form.Logging().MealsChanged());
  }

  void TheNewMealDialogWantsAName() {
    TFoodFixture f;
    TFNewMeal dialog(f.program, f.prompter);
    QCOMPARE(Child<QLineEdit>(dialog, "mealNameLineEdit")->text(), QStringLiteral("A new meal"));
    QCOMPARE(Child<QTimeEdit>(dialog, "mealTimeEdit")->time(), QTime(12, 0));
    Child<QLineEdit>(dialog, "mealNameLineEdit")->setText(QStringLiteral("   "));
    Child<QPushButton>(dialog, "okButton")->click();
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Please, specify a meal name")});
    QCOMPARE(dialog.result(), int(QDialog::Rejected));
    Child<QLineEdit>(dialog, "mealNameLineEdit")->setText(QStringLiteral(" Tea"));
    Child<QPushButton>(dialog, "okButton")->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(Q(dialog.Meal().name), QStringLiteral(" Tea"));
  }
};

}  // namespace

int RunFoodLoggingFormTests(int argc, char** argv) {
  TFoodLoggingFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "food_logging_form_test.moc"
