#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "energy/body_records.h"
#include "energy/ui/phases_form.h"
#include "screen_tests.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// Anna is logged in on 15 June 2007 with a bulking phase (January to March)
// and a cutting phase (from 1 April to the end of June).
struct TPhasesFixture : TProgramFixture {
  TPhasesFixture() {
    AddAccount("Anna");
    TPhaseList list(2);
    list[0].Date = EncodeDate(2007, 1, 1);
    list[0].Values = {RgbColor(0, 128, 0), EncodeDate(2007, 3, 31), "Bulking Phase", "+5 kg"};
    list[1].Date = EncodeDate(2007, 4, 1);
    list[1].Values = {kNoColor, EncodeDate(2007, 6, 30), "Cutting Phase", ""};
    ReplacePhases(Records(), list);
  }
  TDayRecordStore& Records() { return program.Session()->DayRecords(); }
};

TPhaseGrid* Grid(const QWidget& form) { return Child<TPhaseGrid>(form, "phasesGrid"); }
void Click(const QWidget& form, const char* button) { Child<QPushButton>(form, button)->click(); }

void TypeDate(const QWidget& form, const char* name, const char* text) {
  auto* edit = Child<QLineEdit>(form, name);
  edit->clear();
  QTest::keyClicks(edit, QString::fromUtf8(text));
  QTest::keyClick(edit, Qt::Key_Return);
}

class TPhasesFormTest : public QObject {
  Q_OBJECT
 private slots:
  void OpensNewestFirstAndShowsTheSelectedPhase() {
    TPhasesFixture f;
    TFPhases form(f.program, f.prompter);
    QCOMPARE(Grid(form)->rowCount(), 3);
    QCOMPARE(Grid(form)->CellText(0, 0), QStringLiteral("Name and Objective"));
    QCOMPARE(Grid(form)->CellText(1, 0), QStringLiteral("Cutting Phase"));
    QCOMPARE(Grid(form)->CellText(2, 1), QStringLiteral("1 Jan 2007"));
    QCOMPARE(Child<QLineEdit>(form, "phaseNameLineEdit")->text(), QStringLiteral("Cutting Phase"));
    QCOMPARE(Child<QComboBox>(form, "phaseColorComboBox")->currentText(), QStringLiteral("None"));

    Grid(form)->setCurrentCell(2, 0);
    QCOMPARE(Child<QLineEdit>(form, "startDateLineEdit")->text(), QStringLiteral("1 Jan 2007"));
    QCOMPARE(Child<QLineEdit>(form, "endDateLineEdit")->text(), QStringLiteral("31 Mar 2007"));
    QCOMPARE(Child<QComboBox>(form, "phaseColorComboBox")->currentText(), QStringLiteral("Green"));
    QCOMPARE(Child<QPlainTextEdit>(form, "notesTextEdit")->toPlainText(), QStringLiteral("+5 kg"));

    Click(form, "sortDownButton");
    QCOMPARE(Grid(form)->CellText(1, 0), QStringLiteral("Bulking Phase"));
    QCOMPARE(Grid(form)->currentRow(), 1);  // still the bulking phase
  }

  void DatesAreCheckedAndASecondPhaseCannotStartOnTheSameDay() {
    TPhasesFixture f;
    TFPhases form(f.program, f.prompter);
    Grid(form)->setCurrentCell(2, 0);  // bulking
    TypeDate(form, "endDateLineEdit", "1 apr 2007");
    TypeDate(form, "startDateLineEdit", "1 apr 2007");
    TypeDate(form, "endDateLineEdit", "31 dec 2006");
    QCOMPARE(Shown(f.prompter),
             (QStringList{QStringLiteral("warn: A phase already starts on 1 Apr 2007!\n"
                                         "Please select another date!"),
                          QStringLiteral("warn: Please, select an ending date that is after "
                                         "the starting date")}));
    QCOMPARE(Child<QLineEdit>(form, "startDateLineEdit")->text(), QStringLiteral("1 Jan 2007"));
    QCOMPARE(Child<QLineEdit>(form, "endDateLineEdit")->text(), QStringLiteral("1 Apr 2007"));
    QCOMPARE(Grid(form)->CellText(2, 2), QStringLiteral("1 Apr 2007"));

    TypeDate(form, "startDateLineEdit", "2 apr 2007");
    QCOMPARE(Shown(f.prompter).last(),
             QStringLiteral("warn: Please, select a starting date that is before the ending date"));
    TypeDate(form, "startDateLineEdit", "1 feb 2007");
    QCOMPARE(f.prompter.shown.size(), std::size_t{3});
    Click(form, "okButton");
    const TPhaseList stored = ListPhases(f.Records());
    QCOMPARE(stored.size(), std::size_t{2});
    QCOMPARE(stored[0].Date, EncodeDate(2007, 2, 1));
    QCOMPARE(stored[0].Values.PEndDate, EncodeDate(2007, 4, 1));
    QCOMPARE(stored[0].Values.PNotes, std::string("+5 kg"));
  }

  void DeletingAPhaseAsksFirst() {
    TPhasesFixture f;
    TFPhases form(f.program, f.prompter);
    f.prompter.Plan(TAnswer::No);
    Click(form, "deletePhaseButton");
    QCOMPARE(
        Shown(f.prompter),
        QStringList{QStringLiteral("ask: Do you really want to delete phase: Cutting Phase ?")});
    QCOMPARE(Grid(form)->rowCount(), 3);
    f.prompter.Plan(TAnswer::Yes);
    Click(form, "deletePhaseButton");
    QCOMPARE(Grid(form)->rowCount(), 2);
    QCOMPARE(Child<QLineEdit>(form, "phaseNameLineEdit")->text(), QStringLiteral("Bulking Phase"));
    f.prompter.Plan(TAnswer::Yes);
    Click(form, "deletePhaseButton");
    // No phases: the fields are off and both dates show today.
    QVERIFY(!Child<QComboBox>(form, "phaseNameComboBox")->isEnabled());
    QVERIFY(!Child<QPushButton>(form, "deletePhaseButton")->isEnabled());
    QVERIFY(!Child<QPushButton>(form, "sortUpButton")->isEnabled());
    QCOMPARE(Child<QLineEdit>(form, "startDateLineEdit")->text(), QStringLiteral("15 Jun 2007"));
    QCOMPARE(Child<QLineEdit>(form, "endDateLineEdit")->text(), QStringLiteral("15 Jun 2007"));
    QVERIFY(ListPhases(f.Records()).size() == 2);  // nothing stored before OK
    Click(form, "okButton");
    QVERIFY(ListPhases(f.Records()).empty());
  }

  void NewPhaseIsEditedInTheFieldsAndStoredOnOk() {
    TPhasesFixture f;
    TFPhases form(f.program, f.prompter);
    Click(form, "newPhaseButton");
    QCOMPARE(Grid(form)->rowCount(), 4);
    QCOMPARE(Grid(form)->CellText(3, 0), QStringLiteral("A New Phase"));
    QCOMPARE(Grid(form)->currentRow(), 3);
    auto* name = Child<QComboBox>(form, "phaseNameComboBox");
    name->setCurrentIndex(name->findText(QStringLiteral("Strength Phase")));
    QCOMPARE(Grid(form)->CellText(3, 0), QStringLiteral("Strength Phase"));
    auto* color = Child<QComboBox>(form, "phaseColorComboBox");
    color->setCurrentIndex(color->findText(QStringLiteral("Highlight")));
    Child<QPlainTextEdit>(form, "notesTextEdit")->setPlainText(QStringLiteral("5x5"));
    Click(form, "okButton");

    const TPhaseList stored = ListPhases(f.Records());
    QCOMPARE(stored.size(), std::size_t{3});
    QCOMPARE(stored[2].Date, EncodeDate(2007, 6, 15));
    QCOMPARE(stored[2].Values.PEndDate, EncodeDate(2007, 6, 15));
    QCOMPARE(stored[2].Values.PName, std::string("Strength Phase"));
    QCOMPARE(stored[2].Values.PColor, SystemColor(13));
    QCOMPARE(stored[2].Values.PNotes, std::string("5x5"));
  }

  void CancelStoresNothing() {
    TPhasesFixture f;
    TFPhases form(f.program, f.prompter);
    Child<QLineEdit>(form, "phaseNameLineEdit")->setText(QStringLiteral("Renamed"));
    Click(form, "cancelButton");
    QCOMPARE(ListPhases(f.Records())[1].Values.PName, std::string("Cutting Phase"));
  }

  void PickerReturnsTheChosenPhaseOrNothing() {
    TPhasesFixture f;
    TFPhasePicker picker(f.program);
    QCOMPARE(picker.windowTitle(), QStringLiteral("Select Phase..."));
    Grid(picker)->setCurrentCell(2, 0);
    Click(picker, "okButton");
    QCOMPARE(picker.Range().start, EncodeDate(2007, 1, 1));
    QCOMPARE(picker.Range().end, EncodeDate(2007, 3, 31));

    TFPhasePicker cancelled(f.program);
    Click(cancelled, "cancelButton");
    QCOMPARE(cancelled.Range().start, -1.0);
    QCOMPARE(cancelled.Range().end, -1.0);
  }
};

}  // namespace

int RunPhasesFormTests(int argc, char** argv) {
  TPhasesFormTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "phases_form_test.moc"
