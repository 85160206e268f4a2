#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "energy/body_records.h"
#include "energy/ui/measurements_form.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"
#include "widgets/grid.h"

namespace korvela::test {
namespace {

// Anna is logged in on 15 June 2007 with measurements of 1 and 8 June.
struct TMeasurementsFixture : TProgramFixture {
  TMeasurementsFixture() {
    AddAccount("Anna");
    TMeasurementList list(2);
    list[0].Date = EncodeDate(2007, 6, 1);
    list[0].Values[TMeasureSite::Waist] = 80;
    list[0].Values[TMeasureSite::LThigh] = 57;
    list[1].Date = EncodeDate(2007, 6, 8);
    list[1].Values[TMeasureSite::Waist] = 79.5;
    ReplaceMeasurements(Records(), list);
  }
  TDayRecordStore& Records() { return program.Session()->DayRecords(); }
  TDateTime Today() const { return clock.Today(); }
};

TMyGrid* Unilateral(const QWidget& form) { return Child<TMyGrid>(form, "unilateralGrid"); }
TMyGrid* Bilateral(const QWidget& form) { return Child<TMyGrid>(form, "bilateralGrid"); }
QListWidget* PastList(const QWidget& form) {
  return Child<QListWidget>(form, "pastMeasurementsListWidget");
}
void Click(const QWidget& form, const char* button) { Child<QPushButton>(form, button)->click(); }

// Rows of the unilateral grid: Neck, Chest, Shoulders, Waist, Hips; of the
// bilateral grid: Biceps, Forearms, Thighs, Calves (left column 1, right 3).
constexpr int kNeckRow = 1;
constexpr int kWaistRow = 4;
constexpr int kThighsRow = 3;

class TMeasurementsFormTest : public QObject {
  Q_OBJECT
 private slots:
  void OpensOnTheDayWithTheDifferencesToThePreviousMeasurements() {
    TMeasurementsFixture f;
    TFMeasurements form(f.program, f.prompter, f.Today() - 7, nullptr);
    QCOMPARE(PastList(form)->count(), 2);
    QCOMPARE(PastList(form)->currentRow(), 1);
    QCOMPARE(Unilateral(form)->CellText(kWaistRow, 1), QStringLiteral("79.5"));
    QCOMPARE(Unilateral(form)->CellText(kWaistRow, 2), QStringLiteral("-0.5"));
    QCOMPARE(Unilateral(form)->CellText(0, 1), QStringLiteral("Measurement (cm)"));
    QCOMPARE(Bilateral(form)->CellText(0, 3), QStringLiteral("Right (cm)"));
    QCOMPARE(Bilateral(form)->CellText(kThighsRow, 1), QString());
    QCOMPARE(Bilateral(form)->CellText(kThighsRow, 2), QString());

    TFMeasurements onToday(f.program, f.prompter, f.Today(), nullptr);
    QCOMPARE(PastList(onToday)->count(), 3);
    QCOMPARE(PastList(onToday)->currentItem()->text(), QStringLiteral("15 Jun 2007"));
    QCOMPARE(Unilateral(onToday)->CellText(kWaistRow, 1), QString());
  }

  void ARefusedMeasurementKeepsTheSelectionAndSelectsTheCell() {
    TMeasurementsFixture f;
    TFMeasurements form(f.program, f.prompter, f.Today(), nullptr);
    Unilateral(form)->SetCellText(kNeckRow, 1, QStringLiteral("36"));
    Bilateral(form)->SetCellText(kThighsRow, 3, QStringLiteral("300"));
    PastList(form)->setCurrentRow(0);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Please, enter a valid Right Thigh measurement!")});
    QCOMPARE(PastList(form)->currentRow(), 2);
    QCOMPARE(Bilateral(form)->currentRow(), kThighsRow);
    QCOMPARE(Bilateral(form)->currentColumn(), 3);
    QCOMPARE(Bilateral(form)->CellText(kThighsRow, 3), QStringLiteral("300"));

    Click(form, "okButton");
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
    QCOMPARE(form.result(), 0);
    QCOMPARE(ListMeasurements(f.Records()).size(), std::size_t{2});  // nothing stored

    Bilateral(form)->SetCellText(kThighsRow, 3, QStringLiteral("299.9"));
    PastList(form)->setCurrentRow(0);
    QCOMPARE(PastList(form)->currentRow(), 0);
    QCOMPARE(Unilateral(form)->CellText(kWaistRow, 1), QStringLiteral("80"));
  }

  void OkStoresTheListAndAnEmptiedDayIsRemoved() {
    TMeasurementsFixture f;
    TFMeasurements form(f.program, f.prompter, f.Today() - 7, nullptr);
    Unilateral(form)->SetCellText(kWaistRow, 1, QString());
    PastList(form)->setCurrentRow(0);
    Bilateral(form)->SetCellText(kThighsRow, 1, QStringLiteral("56,5"));  // not a number here
    Click(form, "okButton");
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: Please, enter a valid Left Thigh measurement!")});
    Bilateral(form)->SetCellText(kThighsRow, 1, QStringLiteral("56.5"));
    Click(form, "okButton");
    QCOMPARE(form.result(), static_cast<int>(QDialog::Accepted));

    const TMeasurementList stored = ListMeasurements(f.Records());
    QCOMPARE(stored.size(), std::size_t{1});
    QCOMPARE(stored[0].Date, EncodeDate(2007, 6, 1));
    QCOMPARE(stored[0].Values[TMeasureSite::LThigh], 56.5);
    QCOMPARE(stored[0].Values[TMeasureSite::Waist], 80.0);
  }

  void TheDifferenceFollowsTyping() {
    TMeasurementsFixture f;
    TFMeasurements form(f.program, f.prompter, f.Today() - 7, nullptr);
    form.show();
    TMyGrid* grid = Unilateral(form);
    grid->setFocus();
    grid->setCurrentCell(kWaistRow, 1);
    auto* cell = Child<QLineEdit>(form, "cellLineEdit");
    cell->selectAll();
    QTest::keyClicks(cell, QStringLiteral("81.2"));
    QCOMPARE(grid->CellText(kWaistRow, 2), QStringLiteral("+1.2"));
    QTest::keyClicks(cell, QStringLiteral("5"));  // 81.25
    QCOMPARE(grid->CellText(kWaistRow, 2), QStringLiteral("+1.25"));
    // The cell being typed is what OK stores.
    Click(form, "okButton");
    QCOMPARE(ListMeasurements(f.Records())[1].Values[TMeasureSite::Waist], 81.25);
  }

  void InchesAreShownAndAnotherRecordsDateIsRefused() {
    TMeasurementsFixture f;
    f.program.Config().SetMetricSystem(false);
    TFMeasurements form(f.program, f.prompter, f.Today() - 14, nullptr);
    QCOMPARE(Unilateral(form)->CellText(0, 1), QStringLiteral("Measurement (inch)"));
    QCOMPARE(Unilateral(form)->CellText(kWaistRow, 1), QStringLiteral("31.5"));
    QCOMPARE(Bilateral(form)->CellText(0, 1), QStringLiteral("Left (inch)"));

    auto* date = Child<QLineEdit>(form, "dateLineEdit");
    date->clear();
    QTest::keyClicks(date, QStringLiteral("8 jun 2007"));
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: You have already taken measurements on 8 Jun 2007!\n"
                                        "Please select another date!")});
    QCOMPARE(date->text(), QStringLiteral("1 Jun 2007"));

    date->clear();
    QTest::keyClicks(date, QStringLiteral("10 jun 2007"));
    QTest::keyClick(date, Qt::Key_Return);
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QCOMPARE(PastList(form)->item(1)->text(), QStringLiteral("10 Jun 2007"));
    QCOMPARE(PastList(form)->currentRow(), 1);
    // Now the newer of the two: its difference is to 8 June.
    QCOMPARE(Unilateral(form)->CellText(kWaistRow, 2), QStringLiteral("+0.2"));
  }

  void NewAndDeleteMeasurements() {
    TMeasurementsFixture f;
    TFMeasurements form(f.program, f.prompter, f.Today() - 7, nullptr);
    Click(form, "newMeasurementsButton");
    QCOMPARE(PastList(form)->count(), 3);
    QCOMPARE(PastList(form)->currentItem()->text(), QStringLiteral("15 Jun 2007"));
    const auto* dateEntry = form.findChild<TMyDate*>();
    QVERIFY(dateEntry->Calendar() != nullptr);  // the date is offered for choosing
    QVERIFY(dateEntry->Calendar()->isVisible());
    dateEntry->Calendar()->hide();
    Click(form, "deleteMeasurementsButton");
    Click(form, "deleteMeasurementsButton");
    Click(form, "deleteMeasurementsButton");
    QCOMPARE(f.prompter.shown.size(), std::size_t{0});  // deleting does not ask
    QCOMPARE(PastList(form)->count(), 0);
    QVERIFY(!Unilateral(form)->isEnabled());
    QVERIFY(!Child<QPushButton>(form, "deleteMeasurementsButton")->isEnabled());
    QCOMPARE(Child<QLineEdit>(form, "dateLineEdit")->text(), QString());
    Click(form, "okButton");
    QVERIFY(ListMeasurements(f.Records()).empty());
  }
};

}  // namespace

int RunMeasurementsFormTests(int argc, char** argv) {
  TMeasurementsFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "measurements_form_test.moc"
