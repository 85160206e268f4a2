#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimeEdit>

#include "activities/ui/activity_log_form.h"
#include "activities/ui/calories_burned_form.h"
#include "activities/ui/met_picker_form.h"
#include "activities/ui/sport_editor_form.h"
#include "activities/ui/sports_dictionary_form.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

// A program with a small dictionary and Ann logged in.
struct TActivityFixture : TProgramFixture {
  TActivityFixture() {
    for (const auto& [name, met, per] :
         {std::tuple{"Running, 6 mph", 9.8, 30}, std::tuple{"Bicycling, leisure", 5.8, 45},
          std::tuple{"Walking the dog", 3.0, 30}, std::tuple{"Water aerobics", 5.3, 60},
          std::tuple{"Swimming laps, freestyle", 8.3, 30}}) {
      TSport sport;
      sport.Activity = name;
      sport.MET = met;
      sport.Per = per;
      program.Sports().AddSport(sport);
    }
    AddAccount("Ann");
  }
  TDayRecordStore& Records() { return program.Session()->DayRecords(); }
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
QStringList ShownNames(const TActivityGrid& grid) {
  QStringList names;
  for (const TSport* s : grid.ShownSports()) names << Q(s->Activity);
  return names;
}

}  // namespace

class TActivityFormsTest : public QObject {
  Q_OBJECT
 private slots:
  void DictionaryFindsFiltersAndHighlightsByWords() {
    TActivityFixture f;
    TFSportsDictionary form(f.program, f.prompter);
    form.show();
    TActivityGrid& grid = *form.Grid();
    QCOMPARE(grid.ShownCount(), 5);
    // Typing only highlights the best match.
    QTest::keyClicks(Line(form, "searchLineEdit"), QStringLiteral("w"));
    QCOMPARE(grid.ShownCount(), 5);
    QVERIFY(grid.SelectedSport());
    QCOMPARE(Q(grid.SelectedSport()->Activity), QStringLiteral("Walking the dog"));
    // Enter filters.
    QTest::keyClick(Line(form, "searchLineEdit"), Qt::Key_Return);
    QCOMPARE(ShownNames(grid), Texts({"Walking the dog", "Water aerobics"}));
    QVERIFY(Child<QPushButton>(form, "editActivityButton")->isEnabled());
    Click(form, "showAllButton");
    QCOMPARE(grid.ShownCount(), 5);
    QVERIFY(Line(form, "searchLineEdit")->text().isEmpty());
    // A letter typed in the list goes on in the search box.
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_S);
    QCOMPARE(Line(form, "searchLineEdit")->text(), QStringLiteral("s"));
    QVERIFY(Line(form, "searchLineEdit")->hasFocus() || !form.isActiveWindow());
    QCOMPARE(Q(grid.SelectedSport()->Activity), QStringLiteral("Swimming laps, freestyle"));
  }

  void DictionaryDeletesAfterAskingAndCommandsNeedOneRow() {
    TActivityFixture f;
    TFSportsDictionary form(f.program, f.prompter);
    form.show();
    QVERIFY(!Child<QPushButton>(form, "deleteActivityButton")->isEnabled());
    form.Grid()->selectRow(0);
    QVERIFY(Child<QPushButton>(form, "deleteActivityButton")->isEnabled());
    f.prompter.Plan(TAnswer::No);
    Click(form, "deleteActivityButton");
    QCOMPARE(f.program.Sports().Count(), std::size_t{5});
    f.prompter.Plan(TAnswer::Yes);
    form.Grid()->selectRow(0);
    Click(form, "deleteActivityButton");
    QCOMPARE(Shown(f.prompter), Texts({"ask: Do you really want to delete Bicycling, leisure?",
                                       "ask: Do you really want to delete Bicycling, leisure?"}));
    QCOMPARE(f.program.Sports().Count(), std::size_t{4});
    QCOMPARE(form.Grid()->ShownCount(), 4);
  }

  void EditorChecksOkInOrderAndKeepsTheScreenOpen() {
    TActivityFixture f;
    TFSportEditor editor(f.program, f.prompter, TSport{}, true, nullptr);
    editor.show();
    QCOMPARE(editor.windowTitle(), QStringLiteral("New Physical Activity"));
    QCOMPARE(Line(editor, "nameLineEdit")->text(), QStringLiteral("New Activity..."));
    Line(editor, "nameLineEdit")->setText(QStringLiteral("  "));
    Click(editor, "okButton");
    Line(editor, "nameLineEdit")->setText(QStringLiteral("Rowing"));
    Line(editor, "durationLineEdit")->setText(QStringLiteral("20"));
    Line(editor, "metLineEdit")->setText(QStringLiteral("25"));
    Click(editor, "okButton");
    QCOMPARE(Shown(f.prompter), Texts({"warn: Please, provide a Name for the acitivity!",
                                       "warn: Invalid MET value!"}));
    QVERIFY(editor.isVisible());
    // The figures follow the fields: blank while the MET is out of range.
    QVERIFY(Line(editor, "burnedLineEdit")->text().isEmpty());
    Line(editor, "metLineEdit")->setText(QStringLiteral("7"));
    QVERIFY(!Line(editor, "burnedLineEdit")->text().isEmpty());
    // Calculate MET: calories per minute, not copied into the MET field.
    Line(editor, "caloriesLineEdit")->setText(QStringLiteral("300"));
    Line(editor, "minutesLineEdit")->setText(QStringLiteral("60"));
    Click(editor, "calculateButton");
    QCOMPARE(Line(editor, "resultingMetLineEdit")->text(), QStringLiteral("5"));
    QCOMPARE(Line(editor, "metLineEdit")->text(), QStringLiteral("7"));
    Click(editor, "okButton");
    QCOMPARE(editor.result(), int(QDialog::Accepted));
    QCOMPARE(Q(editor.Sport().Activity), QStringLiteral("Rowing"));
    QCOMPARE(editor.Sport().Per, 20);
    QCOMPARE(editor.Sport().MET, 7.0);
  }

  void ActivityLogLogsThreeActivitiesAndSavesOnOk() {
    TActivityFixture f;
    const TDateTime day = f.clock.Today() - 0;
    TFActivityLog form(f.program, f.prompter, day);
    form.show();
    QVERIFY(!Child<QPushButton>(form, "logActivityButton")->isEnabled());
    QVERIFY(!Child<QPushButton>(form, "saveChangesButton")->isEnabled());
    const char* const picks[] = {"run", "swim", "walk"};
    for (const char* pick : picks) {
      Line(form, "filterLineEdit")->setText(QString::fromUtf8(pick));
      QVERIFY(form.Grid()->SelectedSport());
      QVERIFY(!Line(form, "burnedLineEdit")->text().isEmpty());
      Click(form, "logActivityButton");
    }
    QCOMPARE(form.LoggedGrid()->rowCount(), 4);
    QVERIFY(form.LoggedGrid()->CellText(1, 0).endsWith(QStringLiteral("Running, 6 mph")));
    QCOMPARE(form.LoggedGrid()->CellText(1, 1), QStringLiteral("30 min"));
    QVERIFY(Child<QPushButton>(form, "saveChangesButton")->isEnabled());
    // Nothing is stored before the save.
    QVERIFY(!f.Records().FindDayRecord(kCalStatKind, day) ||
            f.Records()
                .Loaded<TCalStat>(*f.Records().FindDayRecord(kCalStatKind, day))
                .Entries.empty());
    Click(form, "okButton");
    QCOMPARE(form.result(), int(QDialog::Accepted));
    TDBC* entry = f.Records().FindDayRecord(kCalStatKind, day);
    QVERIFY(entry);
    QCOMPARE(f.Records().Loaded<TCalStat>(*entry).Entries.size(), std::size_t{3});
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void ActivityLogAsksOnCancelAfterLogging() {
    TActivityFixture f;
    const TDateTime day = f.clock.Today();
    TFActivityLog form(f.program, f.prompter, day);
    form.show();
    Line(form, "nameLineEdit")->setText(QStringLiteral("Rowing"));
    Line(form, "metLineEdit")->setText(QStringLiteral("7"));
    Line(form, "durationLineEdit")->setText(QStringLiteral("0"));
    QVERIFY(!Child<QPushButton>(form, "logActivityButton")->isEnabled());
    QVERIFY(Line(form, "burnedLineEdit")->text().isEmpty());
    Line(form, "durationLineEdit")->setText(QStringLiteral("20"));
    Click(form, "logActivityButton");
    f.prompter.Plan(TAnswer::No);
    Click(form, "cancelButton");
    QCOMPARE(Shown(f.prompter), Texts({"ask: Would you like to save the logged activities?"}));
    TDBC* entry = f.Records().FindDayRecord(kCalStatKind, day);
    QVERIFY(!entry || f.Records().Loaded<TCalStat>(*entry).Entries.empty());
  }

  // Enter in a field never closes the screen: in the activity's fields it
  // logs the activity when they are valid, in the filter it finds.
  void ActivityLogEnterLogsOrFindsAndKeepsTheScreenOpen() {
    TActivityFixture f;
    const TDateTime day = f.clock.Today();
    TFActivityLog form(f.program, f.prompter, day);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QLineEdit* filter = Line(form, "filterLineEdit");
    filter->setFocus();
    QTest::keyClicks(filter, QStringLiteral("swim"));
    QTest::keyClick(filter, Qt::Key_Return);
    QVERIFY(form.isVisible());
    QCOMPARE(ShownNames(*form.Grid()), Texts({"Swimming laps, freestyle"}));

    Line(form, "nameLineEdit")->setText(QStringLiteral("Rowing"));
    Line(form, "metLineEdit")->setText(QStringLiteral("7"));
    QLineEdit* duration = Line(form, "durationLineEdit");
    duration->clear();
    duration->setFocus();
    // Not valid yet: nothing is logged, and the screen stays.
    QTest::keyClick(duration, Qt::Key_Return);
    QVERIFY(form.isVisible());
    QCOMPARE(form.LoggedGrid()->rowCount(), 1);
    QTest::keyClicks(duration, QStringLiteral("25"));
    QTest::keyClick(duration, Qt::Key_Enter, Qt::KeypadModifier);
    QVERIFY(form.isVisible());
    QCOMPARE(form.LoggedGrid()->rowCount(), 2);
    QVERIFY(form.LoggedGrid()->CellText(1, 0).endsWith(QStringLiteral("Rowing")));
    QCOMPARE(form.LoggedGrid()->CellText(1, 1), QStringLiteral("25 min"));
    // The same from the other fields of the activity.
    for (const char* field : {"nameLineEdit", "metLineEdit"}) {
      Line(form, field)->setFocus();
      QTest::keyClick(Line(form, field), Qt::Key_Return);
    }
    auto* time = Child<QTimeEdit>(form, "timeOfDayTimeEdit");
    time->setFocus();
    QTest::keyClick(time, Qt::Key_Return);
    QVERIFY(form.isVisible());
    QCOMPARE(form.LoggedGrid()->rowCount(), 5);
    // What was logged is stored by OK.
    Click(form, "okButton");
    TDBC* entry = f.Records().FindDayRecord(kCalStatKind, day);
    QVERIFY(entry);
    QCOMPARE(f.Records().Loaded<TCalStat>(*entry).Entries.size(), std::size_t{4});
  }

  void CaloriesBurnedForAnAveragePersonAndForGivenAttributes() {
    TActivityFixture f;
    TFCaloriesBurned form(f.program, f.prompter);
    form.show();
    QVERIFY(Child<QRadioButton>(form, "averageRadioButton")->isChecked());
    Line(form, "filterLineEdit")->setText(QStringLiteral("walk"));
    QCOMPARE(Line(form, "metLineEdit")->text(), QStringLiteral("3"));
    QCOMPARE(Line(form, "durationLineEdit")->text(), QStringLiteral("30"));
    // One calorie a minute at rest: 30 × 3 and 30 × 1.8.
    QCOMPARE(Line(form, "burnedLineEdit")->text(), QStringLiteral("90"));
    QCOMPARE(Line(form, "additionalLineEdit")->text(), QStringLiteral("54"));
    Child<QRadioButton>(form, "specifyRadioButton")->setChecked(true);
    const QString burned = Line(form, "burnedLineEdit")->text();
    QVERIFY(!burned.isEmpty());
    QVERIFY(burned != QStringLiteral("90"));
    Line(form, "ageLineEdit")->setText(QStringLiteral("9"));
    QVERIFY(Line(form, "burnedLineEdit")->text().isEmpty());
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void MetPickerHandsBackTheChosenActivity() {
    TActivityFixture f;
    TFSelectMET picker(f.program);
    picker.show();
    QVERIFY(!Child<QPushButton>(picker, "okButton")->isEnabled());
    Line(picker, "filterLineEdit")->setText(QStringLiteral("bic"));
    QVERIFY(Child<QPushButton>(picker, "okButton")->isEnabled());
    QCOMPARE(Line(picker, "metLineEdit")->text(), QStringLiteral("5.8"));
    Click(picker, "okButton");
    QVERIFY(picker.Picked().has_value());
    QCOMPARE(picker.Picked()->MET, 5.8);
    QCOMPARE(Q(picker.Picked()->Activity), QStringLiteral("Bicycling, leisure"));
  }
};

}  // namespace korvela::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  korvela::test::TActivityFormsTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "activity_forms_test.moc"
