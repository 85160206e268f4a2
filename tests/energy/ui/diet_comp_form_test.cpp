#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "energy/diet_goals.h"
#include "energy/goals.h"
#include "energy/ui/diet_comp_form.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Anna, created on the fixture's day, is logged in.
struct TDietCompFixture : TProgramFixture {
  TDietCompFixture() { AddAccount("Anna"); }

  TDayRecordStore& Records() { return program.Session()->DayRecords(); }

  // Sets a row's goal; an empty quantity leaves the row without one.
  static void SetRow(TFDietComp& form, const char* nutrient, const char* quantity,
                     int measurement = -1) {
    const QByteArray name(nutrient);
    Child<QComboBox>(form, name + "GoalComboBox")->setCurrentIndex(*quantity ? 1 : 0);
    Child<QLineEdit>(form, name + "QuantityLineEdit")->setText(QString::fromUtf8(quantity));
    if (measurement >= 0)
      Child<QComboBox>(form, name + "MeasurementComboBox")->setCurrentIndex(measurement);
  }
};

void ShowActive(QWidget& form) {
  form.show();
  QApplication::setActiveWindow(&form);
  QVERIFY(QTest::qWaitForWindowActive(&form));
}

class TDietCompFormTest : public QObject {
  Q_OBJECT
 private slots:
  void AdoptingStoresTodaysGoals() {
    TDietCompFixture f;
    TFDietComp form(f.program, f.prompter);
    TDietCompFixture::SetRow(form, "protein", "1.8");  // grams per kg by default
    TDietCompFixture::SetRow(form, "fats", "30");      // % of the calories by default
    Child<QComboBox>(form, "fatsQualifierComboBox")->setCurrentIndex(2);
    Child<QLineEdit>(form, "allowanceLineEdit")->setText(QStringLiteral("7"));
    Child<QPushButton>(form, "adoptButton")->click();

    QCOMPARE(Shown(f.prompter), QStringList{});
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    TDBC* today = f.Records().FindDayRecord(kDietCompStatKind, f.clock.Today());
    QVERIFY(today != nullptr);
    const auto& constraints = f.Records().Loaded<TDietCompStat>(*today).Constraints;
    QCOMPARE(constraints.size(), std::size_t{2});
    QVERIFY((constraints[0] == TDietConstraint{TNutrient::Protein, TQualifier::AtLeast, 1.8,
                                               TMeasurement::GramsPerKg, 7}));
    QVERIFY((constraints[1] == TDietConstraint{TNutrient::Fats, TQualifier::AtMost, 30,
                                               TMeasurement::PercentOfCalories, 7}));
  }

  void RefusedPercentagesKeepTheDialogOpenWithTheMessage() {
    TDietCompFixture f;
    TFDietComp form(f.program, f.prompter);
    ShowActive(form);
    TDietCompFixture::SetRow(form, "protein", "1.8");
    TDietCompFixture::SetRow(form, "fats", "40");
    TDietCompFixture::SetRow(form, "carbs", "61");
    Child<QPushButton>(form, "adoptButton")->click();
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: The total sum of the percentages must be less "
                                        "than 100")});
    QCOMPARE(form.result(), 0);
    QCOMPARE(QApplication::focusWidget(), Child<QLineEdit>(form, "proteinQuantityLineEdit"));
    QVERIFY(f.Records().List(kDietCompStatKind).empty());

    // Corrected, the same dialog adopts the goals.
    Child<QLineEdit>(form, "carbsQuantityLineEdit")->setText(QStringLiteral("60"));
    Child<QPushButton>(form, "adoptButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));
    QCOMPARE(f.Records().List(kDietCompStatKind).size(), std::size_t{1});
  }

  void OpensWithTheLatestGoalsInPounds() {
    TDietCompFixture f;
    f.program.Config().SetMetricSystem(false);
    AdoptDietComp(f.Records(), f.clock.Today() - 3,
                  {{TNutrient::Protein, TQualifier::Exactly, 3.3, TMeasurement::GramsPerKg, 2.5}});
    TFDietComp form(f.program, f.prompter);
    QCOMPARE(UnnamedControls(form), QStringList{});
    QCOMPARE(Child<QComboBox>(form, "proteinGoalComboBox")->currentText(),
             QStringLiteral("Set Protein Goals to"));
    QCOMPARE(Child<QComboBox>(form, "proteinQualifierComboBox")->currentText(),
             QStringLiteral("exactly"));
    QCOMPARE(Child<QLineEdit>(form, "proteinQuantityLineEdit")->text(), QStringLiteral("1.5"));
    QCOMPARE(Child<QComboBox>(form, "proteinMeasurementComboBox")->currentText(),
             QStringLiteral("grams per lbs"));
    QCOMPARE(Child<QLineEdit>(form, "allowanceLineEdit")->text(), QStringLiteral("2.5"));
    // Rows without a goal: their fields are disabled until a goal is chosen.
    auto* carbs = Child<QComboBox>(form, "carbsGoalComboBox");
    QCOMPARE(carbs->currentText(), QStringLiteral("No Carb Goals Set"));
    QVERIFY(!Child<QLineEdit>(form, "carbsQuantityLineEdit")->isEnabled());
    QCOMPARE(Child<QComboBox>(form, "carbsMeasurementComboBox")->currentText(),
             QStringLiteral("% of the calories"));
    carbs->setCurrentIndex(1);
    QVERIFY(Child<QLineEdit>(form, "carbsQuantityLineEdit")->isEnabled());
    QVERIFY(Child<QComboBox>(form, "carbsQualifierComboBox")->isEnabled());

    Child<QPushButton>(form, "cancelButton")->click();
    QCOMPARE(form.result(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(f.Records().List(kDietCompStatKind).size(), std::size_t{1});
  }
};

}  // namespace

int RunDietCompFormTests(int argc, char** argv) {
  TDietCompFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "diet_comp_form_test.moc"
