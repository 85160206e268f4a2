#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "app/help.h"
#include "screen_tests.h"
#include "support/tab_chain.h"
#include "training/ui/records_form.h"
#include "training/ui/strength_forms.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

QStringList Column(const TMyGrid& grid, int column) {
  QStringList cells;
  for (int r = 0; r < grid.rowCount(); ++r) cells << grid.CellText(r, column);
  return cells;
}

struct TStrengthFixture : TProgramFixture {
  TStrengthFixture() { AddAccount("Anna"); }
  void Calculate(TFMaxStrength& form, const char* weight, int repsIndex) {
    Child<QLineEdit>(form, "weightLineEdit")->setText(QString::fromUtf8(weight));
    Child<QComboBox>(form, "repsComboBox")->setCurrentIndex(repsIndex);
    Child<QPushButton>(form, "calculateButton")->click();
  }
};

class TStrengthScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void CalculatorFillsTheProfileInTheUsersUnit() {
    TStrengthFixture f;
    f.program.Config().SetMetricSystem(false);
    TFMaxStrength form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Calculate Maximal Strength"));
    const TMyGrid& grid = *form.Grid();
    QCOMPARE(grid.rowCount(), 21);
    QCOMPARE(grid.CellText(0, 0), QStringLiteral("Weight"));
    // Repetitions and percentages are there before anything is calculated.
    QCOMPARE(grid.CellText(1, 1), QStringLiteral("1"));
    QCOMPARE(grid.CellText(1, 2), QStringLiteral("100%"));
    QCOMPARE(grid.CellText(20, 1), QStringLiteral("20"));
    QCOMPARE(grid.CellText(5, 2), QStringLiteral("88.88%"));
    QCOMPARE(grid.CellText(1, 0), QString());

    f.Calculate(form, "225", 4);
    QCOMPARE(grid.CellText(1, 0), QStringLiteral("253.15 lbs"));
    QCOMPARE(grid.CellText(5, 0), QStringLiteral("225 lbs"));
    QVERIFY(grid.CellText(20, 0).endsWith(QStringLiteral(" lbs")));
    QCOMPARE(Shown(f.prompter), QStringList());

    f.program.Config().SetMetricSystem(true);
    f.Calculate(form, "100", 0);
    QCOMPARE(grid.CellText(1, 0), QStringLiteral("100 kg"));
  }

  void AMissingEntryWarnsOnceAndEmptiesTheWeights() {
    TStrengthFixture f;
    TFMaxStrength form(f.program, f.prompter);
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    f.Calculate(form, "100", 4);
    QVERIFY(!form.Grid()->CellText(1, 0).isEmpty());

    f.Calculate(form, "100", -1);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Please, provide the number of repetitions")});
    QVERIFY(Child<QComboBox>(form, "repsComboBox")->hasFocus());
    QCOMPARE(Column(*form.Grid(), 0).mid(1), QStringList(20, QString()));

    f.prompter.shown.clear();
    f.Calculate(form, "", 4);
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Please enter a weight")});
    QCOMPARE(Column(*form.Grid(), 0).mid(1), QStringList(20, QString()));

    f.prompter.shown.clear();
    f.Calculate(form, "1000.5", 4);
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QVERIFY(Q(f.prompter.shown[0]).startsWith(QStringLiteral("warn: This Weight field requires")));
    QCOMPARE(Column(*form.Grid(), 0).mid(1), QStringList(20, QString()));
    QVERIFY(!form.Grid()->CellText(1, 2).isEmpty());
  }

  void PrilepinsTableOpensOnceBesideItsOwner() {
    TStrengthFixture f;
    QDialog owner;
    owner.show();
    QPointer<TFPrilepin> table = ShowPrilepinTable(f.program, &owner);
    QVERIFY(table);
    QCOMPARE(table->windowTitle(), QStringLiteral("Prilepin's Table"));
    QVERIFY(!table->isModal());
    QVERIFY(table->isVisible());
    QCOMPARE(Column(*table->Grid(), 0),
             (QStringList{QStringLiteral("% 1RM Range"), QStringLiteral("70% and below"),
                          QStringLiteral("70% - 80%"), QStringLiteral("80% - 89%"),
                          QStringLiteral("90% and above")}));
    QCOMPARE(table->Grid()->CellText(4, 3), QStringLiteral(" 4 - 10"));
    QCOMPARE(table->Grid()->CellText(2, 2), QStringLiteral("18"));
    QVERIFY(!table->Grid()->CanEditCell(1, 1));

    QCOMPARE(ShowPrilepinTable(f.program, &owner), table.data());
    QCOMPARE(owner.findChildren<TFPrilepin*>().size(), 1);

    Child<QPushButton>(*table, "okButton")->click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!table);
    QPointer<TFPrilepin> again = ShowPrilepinTable(f.program, &owner);
    QVERIFY(again && again->isVisible());
    QCOMPARE(owner.findChildren<TFPrilepin*>().size(), 1);
  }

  void ScreensCarryTheirHelpTopics() {
    QCOMPARE(HelpTopicOfScreen(TFMaxStrength::staticMetaObject.className()), 68);
    QCOMPARE(HelpTopicOfScreen(TFPRHistory::staticMetaObject.className()), 85);
    QCOMPARE(HelpTopicOfScreen(TFPREditor::staticMetaObject.className()), 86);
    QCOMPARE(HelpTopicOfScreen(TFPrilepin::staticMetaObject.className()), 100);
  }

  void EveryControlIsNamedAndReachedByTab() {
    TStrengthFixture f;
    TFMaxStrength form(f.program, f.prompter);
    QCOMPARE(UnnamedControls(form), QStringList());
    QCOMPARE(TabChainFaults(form, {QStringLiteral("calculateButton"), QStringLiteral("okButton"),
                                   QStringLiteral("helpButton")}),
             QStringList());
    TFPrilepin table(f.program);
    QCOMPARE(UnnamedControls(table), QStringList());
    QCOMPARE(TabChainFaults(table, {QStringLiteral("okButton")}), QStringList());
  }
};

}  // namespace

int RunStrengthScreensTests(int argc, char** argv) {
  TStrengthScreensTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "strength_screens_test.moc"
