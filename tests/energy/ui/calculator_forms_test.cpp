#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "energy/ui/body_composition_forms.h"
#include "energy/ui/expenditure_form.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Tom: a man born 1 January 1977 (30 on the fixture's day), 180 cm, 80 kg.
struct TTom : TProgramFixture {
  TTom() {
    TNewAccount account;
    account.name = "Tom";
    account.birthDate = EncodeDate(1977, 1, 1);
    account.sex = TSex::Male;
    account.heightCm = 180;
    account.weightKg = 80;
    program.CreateAccount(account);
  }
};

QLineEdit* Line(const QWidget& form, const char* name) { return Child<QLineEdit>(form, name); }
void Click(const QWidget& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}
QStringList Texts(std::initializer_list<const char*> texts) {
  QStringList list;
  for (const char* t : texts) list << QString::fromUtf8(t);
  return list;
}

}  // namespace

class TCalculatorFormsTest : public QObject {
  Q_OBJECT
 private slots:
  void ExpenditureOfTheUserAsTheScreenOpens() {
    TTom f;
    TFExpenditure form(f.program, f.prompter);
    form.show();
    QCOMPARE(Line(form, "ageLineEdit")->text(), QStringLiteral("30"));
    QCOMPARE(Child<QComboBox>(form, "activityLevelComboBox")->currentText(),
             QStringLiteral("Light Activity"));
    Click(form, "calculateButton");
    QCOMPARE(Line(form, "totalLineEdit")->text(), QStringLiteral("2763"));
    QCOMPARE(Line(form, "restingLineEdit")->text(), QStringLiteral("1783"));
    QCOMPARE(Line(form, "foodLineEdit")->text(), QStringLiteral("276"));
    QCOMPARE(Line(form, "activityLineEdit")->text(), QStringLiteral("704"));
    Line(form, "ageLineEdit")->setText(QStringLiteral("101"));
    Click(form, "calculateButton");
    Line(form, "ageLineEdit")->setText(QStringLiteral("30"));
    // 51 % is taken here (no leanness limit applies to it).
    Child<QComboBox>(form, "bodyFatComboBox")->setEditText(QStringLiteral("51"));
    Click(form, "calculateButton");
    QCOMPARE(Shown(f.prompter), Texts({"warn: Please, enter a valid age(10-100)"}));
    QCOMPARE(Line(form, "totalLineEdit")->text(), QStringLiteral("2763"));
    // A lean man's resting rate is lowered.
    Child<QComboBox>(form, "bodyFatComboBox")->setEditText(QStringLiteral("8"));
    Click(form, "calculateButton");
    QCOMPARE(Line(form, "restingLineEdit")->text(), QStringLiteral("1711"));
  }

  void BodyMassIndexAndLeanMass() {
    TTom f;
    TFBodyMassIndex bmi(f.program, f.prompter);
    bmi.show();
    Click(bmi, "calculateButton");
    QCOMPARE(Child<QLabel>(bmi, "bmiLabel")->text(), QStringLiteral("BMI = 24.7"));

    TFLeanBodyMass lean(f.program, f.prompter);
    lean.show();
    Line(lean, "bodyFatLineEdit")->setText(QStringLiteral("51"));
    Click(lean, "calculateButton");
    QCOMPARE(Shown(f.prompter), Texts({"warn: Please, enter a valid body fat percentage"}));
    QVERIFY(Line(lean, "leanBodyMassLineEdit")->text().isEmpty());
    Line(lean, "bodyFatLineEdit")->setText(QStringLiteral("20"));
    Click(lean, "calculateButton");
    QCOMPARE(Line(lean, "leanBodyMassLineEdit")->text(), QStringLiteral("64"));
    QCOMPARE(Line(lean, "fatMassLineEdit")->text(), QStringLiteral("16"));
  }

  void ComparisonShowsItsChartAndSentenceOnlyAfterComparing() {
    TTom f;
    TFCompareBodies form(f.program, f.prompter);
    form.show();
    QVERIFY(!form.Chart()->isVisible());
    Line(form, "bodyFat1LineEdit")->setText(QStringLiteral("20"));
    Line(form, "weight2LineEdit")->setText(QStringLiteral("76"));
    Line(form, "bodyFat2LineEdit")->setText(QStringLiteral("51"));
    Click(form, "compareButton");
    QCOMPARE(Shown(f.prompter), Texts({"warn: Please, enter a valid body fat percentage"}));
    QVERIFY(!form.Chart()->isVisible());
    Line(form, "bodyFat2LineEdit")->setText(QStringLiteral("15"));
    Click(form, "compareButton");
    QVERIFY(form.Chart()->isVisible());
    QCOMPARE(form.Chart()->SeriesCount(), 4);
    QCOMPARE(form.Chart()->SeriesName(0), QStringLiteral("LBM #1 = 64 kg"));
    QCOMPARE(form.Chart()->SeriesName(3), QStringLiteral("Fat Mass #2 = 11.4 kg"));
    QCOMPARE(Child<QLabel>(form, "resultLabel")->text(),
             QStringLiteral("Bodyweight #1 has 0.6 kg Lean Body Mass less and 4.6 kg Fat Mass "
                            "more than Bodyweight #2"));
  }

  void ASmallWaistGivesTheNegativeBodyFatMessageNotANumber() {
    TTom f;
    TFWaistBodyFat form(f.program, f.prompter);
    form.show();
    Line(form, "waistLineEdit")->setText(QStringLiteral("90"));
    Click(form, "calculateButton");
    QCOMPARE(Line(form, "bodyFatLineEdit")->text(), QStringLiteral("19.4"));
    Line(form, "waistLineEdit")->setText(QStringLiteral("60"));
    Click(form, "calculateButton");
    QVERIFY(Line(form, "bodyFatLineEdit")->text().isEmpty());
    QCOMPARE(Shown(f.prompter),
             Texts({"warn: The formula calculated a negative body fat %. There is something "
                    "wrong with your measurements. Please, measure again and check the "
                    "numbers!"}));
  }
};

int RunCalculatorFormsTests(int argc, char** argv) {
  TCalculatorFormsTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "calculator_forms_test.moc"
