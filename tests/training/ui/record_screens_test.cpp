#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "screen_tests.h"
#include "support/disk_limit.h"
#include "support/tab_chain.h"
#include "training/record_editor.h"
#include "training/record_history.h"
#include "training/training_records.h"
#include "training/ui/minutes_seconds_edit.h"
#include "training/ui/records_form.h"
#include "users/ui/program_fixture.h"
#include "users/unit_text.h"

namespace korvela::test {
namespace {

constexpr TDateTime kToday = 39248;  // 15 June 2007, the fixture's today

// Anna is logged in; the dictionary holds a weight, a one-arm, a time and a
// distance-and-time exercise.
struct TRecordsFixture : TProgramFixture {
  TRecordsFixture() {
    (void)program.LoadSharedCollections();
    AddAccount("Anna");
    bench = Add("Barbell Bench Press", TMeasureKind::Weight);
    row = Add("One-Arm Dumbbell Row", TMeasureKind::Weight, 1);
    plank = Add("Plank", TMeasureKind::Time);
    run = Add("Running", TMeasureKind::DistanceTime);
  }
  std::int32_t Add(const std::string& name, TMeasureKind kind, std::uint8_t lat = 0) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    d.LAT = lat;
    return program.Exercises().AddExercise(d).ID;
  }
  TDayRecordStore& Store() { return program.Session()->DayRecords(); }
  TDrillPR Lift(std::int32_t did, const char* weight, int reps, TDateTime day,
                std::uint8_t limb = kNoLimb) {
    TDrillPR r;
    r.DID = did;
    r.Weight.Q = weight;
    r.Reps = reps;
    r.Date = day;
    r.Limb = limb;
    return r;
  }
  std::int32_t bench = 0, row = 0, plank = 0, run = 0;
};

QStringList Rows(const TFPRHistory& form) {
  QStringList rows;
  const TMyGrid& grid = *form.Grid();
  for (int r = 1; r < grid.rowCount(); ++r) {
    QStringList cells;
    for (int c = 0; c < grid.columnCount(); ++c) cells << grid.CellText(r, c);
    rows << cells.join(QStringLiteral(" | "));
  }
  return rows;
}

void Click(const QWidget& form, const char* button) { Child<QPushButton>(form, button)->click(); }
bool Enabled(const QWidget& form, const char* button) {
  return Child<QPushButton>(form, button)->isEnabled();
}

class TRecordScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void HistoryListsValidRecordsByDayAndFilters() {
    TRecordsFixture f;
    StoreRecord(f.Store(), f.Lift(f.bench, "100", 5, kToday));
    StoreRecord(f.Store(), f.Lift(f.row, "30", 8, kToday - 1, kLeftLimb));
    StoreRecord(f.Store(), f.Lift(f.row, "32", 8, kToday - 1, kRightLimb));
    StoreRecord(f.Store(), f.Lift(f.bench, "100", -1, kToday - 2));  // no repetitions
    TDrillPR plank;
    plank.DID = f.plank;
    plank.Time = TimeFromSeconds(4500);
    plank.Date = kToday - 3;
    plank.Notes = "held\non the floor";
    StoreRecord(f.Store(), plank);

    TFPRHistory form(f.program, f.prompter);
    QCOMPARE(form.windowTitle(), QStringLiteral("Personal Records History"));
    QCOMPARE(Rows(form),
             (QStringList{
                 QStringLiteral("Plank | 12 June 2007 | 75:00 | held on the floor"),
                 QStringLiteral("One-Arm Dumbbell Row(Left) | 14 June 2007 | 8 reps x 30 kg | "),
                 QStringLiteral("One-Arm Dumbbell Row(Right) | 14 June 2007 | 8 reps x 32 kg | "),
                 QStringLiteral("Barbell Bench Press | 15 June 2007 | 5 reps x 100 kg | "),
             }));
    auto* filter = Child<QLineEdit>(form, "filterLineEdit");
    filter->setText(QStringLiteral("row DUMBBELL"));
    QCOMPARE(form.Grid()->rowCount(), 3);
    filter->setText(QStringLiteral("press squat"));
    QCOMPARE(form.Grid()->rowCount(), 1);
    filter->clear();

    // Edit and Delete want exactly one row.
    QVERIFY(!Enabled(form, "editButton") && !Enabled(form, "deleteButton"));
    form.Grid()->selectRow(2);
    QVERIFY(Enabled(form, "editButton") && Enabled(form, "deleteButton"));
    form.Grid()->setRangeSelected(QTableWidgetSelectionRange(2, 0, 3, 3), true);
    QVERIFY(!Enabled(form, "editButton") && !Enabled(form, "deleteButton"));
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void NewEditAndDeleteGoToTheDayRecords() {
    TRecordsFixture f;
    StoreRecord(f.Store(), f.Lift(f.bench, "100", 5, kToday - 10));
    TFPRHistory form(f.program, f.prompter);
    std::vector<TDrillPR> handed;
    std::optional<TDrillPR> answer;
    form.RunEditor = [&](const TDrillPR& record) {
      handed.push_back(record);
      return answer;
    };
    auto* filter = Child<QLineEdit>(form, "filterLineEdit");

    // Cancelled: nothing changes.
    Click(form, "newButton");
    QCOMPARE(handed.back().DID, -1);
    QCOMPARE(handed.back().Date, kToday);
    QCOMPARE(form.Rows().size(), std::size_t{1});

    // New: stored, the filter emptied, the new row selected.
    filter->setText(QStringLiteral("bench"));
    answer = f.Lift(f.row, "35", 6, kToday, kRightLimb);
    Click(form, "newButton");
    QCOMPARE(filter->text(), QString());
    QCOMPARE(form.Rows().size(), std::size_t{2});
    QCOMPARE(form.Grid()->selectionModel()->selectedRows().size(), 1);
    QCOMPARE(form.Grid()->currentRow(), 2);
    QCOMPARE(form.Grid()->CellText(2, 0), QStringLiteral("One-Arm Dumbbell Row(Right)"));

    // Edit the bench record onto today: its old day goes.
    form.Grid()->selectRow(1);
    answer = f.Lift(f.bench, "105", 5, kToday);
    Click(form, "editButton");
    QCOMPARE(handed.back(), f.Lift(f.bench, "100", 5, kToday - 10));
    QVERIFY(!f.Store().FindDayRecord(kPRWrapperKind, kToday - 10));
    QCOMPARE(Rows(form), (QStringList{QStringLiteral("One-Arm Dumbbell Row(Right) | 15 June 2007 "
                                                     "| 6 reps x 35 kg | "),
                                      QStringLiteral("Barbell Bench Press | 15 June 2007 | 5 reps "
                                                     "x 105 kg | ")}));

    // A double click on the one selected row edits it too.
    form.Grid()->selectRow(1);
    answer.reset();
    const std::size_t asked = handed.size();
    emit form.Grid()->cellDoubleClicked(1, 0);
    QCOMPARE(handed.size(), asked + 1);

    // Delete asks with the exercise's name, without the limb.
    form.Grid()->selectRow(1);
    f.prompter.Plan(TAnswer::No);
    Click(form, "deleteButton");
    QCOMPARE(form.Rows().size(), std::size_t{2});
    f.prompter.Plan(TAnswer::Yes);
    Click(form, "deleteButton");
    QCOMPARE(
        Shown(f.prompter),
        (QStringList{
            QStringLiteral("ask: Do you really want to delete the One-Arm Dumbbell Row Record?"),
            QStringLiteral("ask: Do you really want to delete the One-Arm Dumbbell Row Record?"),
        }));
    QCOMPARE(form.Rows().size(), std::size_t{1});
    QCOMPARE(form.Rows()[0].Record.Weight.Q, std::string("105"));
  }

  void ClosingWritesTheRecordsAndARefusedWriteKeepsTheScreen() {
    TRecordsFixture f;
    const std::filesystem::path userFolder = f.program.CurrentUser()->Folder;
    f.Store().FlushDayRecords();
    const auto before = FolderContents(userFolder);
    TFPRHistory form(f.program, f.prompter);
    form.RunEditor = [&](const TDrillPR&) { return f.Lift(f.bench, "120", 3, kToday); };
    Click(form, "newButton");
    form.show();
    {
      const TDiskLimit fullDisk(64);
      Click(form, "okButton");
    }
    QVERIFY(form.isVisible());
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QVERIFY2(Q(f.prompter.shown[0]).startsWith(QStringLiteral("warn: Korvela could not save")),
             qPrintable(Q(f.prompter.shown[0])));
    QVERIFY(FolderContents(userFolder) == before);
    QCOMPARE(form.Rows().size(), std::size_t{1});

    QTest::keyClick(&form, Qt::Key_Escape);
    QVERIFY(!form.isVisible());
    QVERIFY(FolderContents(userFolder) != before);
    // What reached the disk reads back.
    f.program.Session()->Close();
    TDayRecordStore reread(f.program.Registry(), *f.random);
    reread.OpenDayRecords(userFolder);
    const auto rows = RecordHistory(reread, f.program.Exercises(), f.program.Config(), "");
    QCOMPARE(rows.size(), std::size_t{1});
    QCOMPARE(rows[0].Result, std::string("3 reps x 120 kg"));
  }

  void EditorShowsTheFieldsOfTheExercise() {
    TRecordsFixture f;
    f.program.Config().SetMetricSystem(false);
    TFPREditor editor(f.program, f.prompter, NewRecord(f.program.Config(), kToday));
    QCOMPARE(editor.windowTitle(), QStringLiteral("Add/Edit a Personal Record"));
    editor.show();
    const auto visible = [&](const char* name) {
      return Child<QWidget>(editor, name)->isVisible();
    };
    QVERIFY(!visible("recordDateLineEdit") && !visible("notesTextEdit"));

    std::int32_t pick = f.row;
    editor.RunPicker = [&] { return pick; };
    Click(editor, "selectExerciseButton");
    QCOMPARE(Child<QLineEdit>(editor, "exerciseLineEdit")->text(),
             QStringLiteral("One-Arm Dumbbell Row"));
    QVERIFY(visible("limbComboBox") && visible("weightLineEdit") && visible("repsLineEdit"));
    QVERIFY(!visible("recordTimeEdit") && !visible("distanceLineEdit"));
    QCOMPARE(Child<QComboBox>(editor, "weightUnitComboBox")->currentText(), QStringLiteral("lbs"));

    Child<QLineEdit>(editor, "weightLineEdit")->setText(QStringLiteral("50"));
    pick = f.run;
    Click(editor, "selectExerciseButton");
    QVERIFY(!visible("limbComboBox") && !visible("weightLineEdit") && !visible("repsLineEdit"));
    QVERIFY(visible("recordTimeEdit") && visible("distanceLineEdit"));
    QCOMPARE(Child<QLineEdit>(editor, "weightLineEdit")->text(), QString());
    QCOMPARE(Child<QComboBox>(editor, "distanceUnitComboBox")->currentText(),
             QStringLiteral("miles"));

    pick = -1;  // the picker cancelled: the exercise stays
    Click(editor, "selectExerciseButton");
    QCOMPARE(editor.Record().DID, f.run);
  }

  void EditorChecksOneFieldAtATimeAndFillsTheRecord() {
    TRecordsFixture f;
    TFPREditor editor(f.program, f.prompter, NewRecord(f.program.Config(), kToday));
    editor.show();
    QApplication::setActiveWindow(&editor);
    QVERIFY(QTest::qWaitForWindowActive(&editor));
    editor.RunPicker = [&] { return f.run; };
    Click(editor, "selectExerciseButton");
    auto* distance = Child<QLineEdit>(editor, "distanceLineEdit");
    auto* time = Child<TMinutesSecondsEdit>(editor, "recordTimeEdit");
    distance->setText(QStringLiteral("far"));
    Click(editor, "okButton");
    QCOMPARE(editor.result(), 0);
    QCOMPARE(f.prompter.Last(), std::string("warn: Please, enter a valid distance"));
    QCOMPARE(QApplication::focusWidget(), distance);

    distance->setText(QStringLiteral("10.5"));
    Click(editor, "okButton");
    QCOMPARE(f.prompter.Last(), std::string("warn: Please, enter a valid time(duration)"));
    QVERIFY(time->hasFocus());
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});

    // An hour and a quarter is typed and kept as 75 minutes.
    time->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(time, QStringLiteral("75:00"));
    QCOMPARE(time->Seconds(), 4500);
    Child<QComboBox>(editor, "distanceUnitComboBox")->setCurrentIndex(kKm);
    Child<QPlainTextEdit>(editor, "notesTextEdit")->setPlainText(QStringLiteral("windy"));
    Click(editor, "okButton");
    QCOMPARE(editor.result(), static_cast<int>(QDialog::Accepted));
    const TDrillPR& filled = editor.Record();
    QCOMPARE(filled.DID, f.run);
    QCOMPARE(static_cast<double>(filled.Dist.Q), 10.5);
    QCOMPARE(filled.Dist.M, kKm);
    QCOMPARE(RecordTimeText(filled.Time), std::string("75:00"));
    QCOMPARE(filled.Notes, std::string("windy"));
    QCOMPARE(filled.Limb, kNoLimb);
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
  }

  void TimePickerStepsThePartTheCursorIsIn() {
    TMinutesSecondsEdit picker;
    auto* line = picker.findChild<QLineEdit*>();
    picker.SetSeconds(59 * 60 + 30);
    QCOMPARE(line->text(), QStringLiteral("59:30"));
    line->setCursorPosition(1);
    picker.stepBy(1);
    QCOMPARE(line->text(), QStringLiteral("60:30"));
    QCOMPARE(line->cursorPosition(), 2);  // still among the minutes
    picker.stepBy(1);
    QCOMPARE(picker.Seconds(), 61 * 60 + 30);
    line->setCursorPosition(line->text().size());
    picker.stepBy(45);
    QCOMPARE(line->text(), QStringLiteral("62:15"));
    picker.SetSeconds(0);
    picker.stepBy(-1);
    QCOMPARE(picker.Seconds(), 0);
    picker.SetSeconds(100000);
    QCOMPARE(line->text(), QStringLiteral("1439:59"));

    // Typed minutes alone, or minutes and one digit of seconds, are read
    // when the picker is left; text that is no time is not taken.
    const struct {
      const char* typed;
      int seconds;
    } cases[] = {{"7", 420}, {"7:5", 425}, {"90:00", 5400}, {"1440:00", 5400}, {"7:75", 5400}};
    for (const auto& c : cases) {
      line->setText(QString::fromUtf8(c.typed));
      picker.interpretText();
      QCOMPARE(picker.Seconds(), c.seconds);
    }
  }

  void EditorPresetsAnEditedRecord() {
    TRecordsFixture f;
    TFPREditor editor(f.program, f.prompter, f.Lift(f.row, "32.5", 8, kToday - 1, kRightLimb));
    editor.show();
    QCOMPARE(Child<QComboBox>(editor, "limbComboBox")->currentText(), QStringLiteral("Right"));
    QCOMPARE(Child<QLineEdit>(editor, "weightLineEdit")->text(), QStringLiteral("32.5"));
    QCOMPARE(Child<QLineEdit>(editor, "repsLineEdit")->text(), QStringLiteral("8"));
    QCOMPARE(Child<QLineEdit>(editor, "recordDateLineEdit")->text(), QStringLiteral("14 Jun 2007"));
    Child<QComboBox>(editor, "limbComboBox")->setCurrentIndex(0);
    Child<QLineEdit>(editor, "repsLineEdit")->setText(QStringLiteral("0"));
    Click(editor, "okButton");
    QCOMPARE(f.prompter.Last(), std::string("warn: Please, enter a valid number of repetitions"));
    Child<QLineEdit>(editor, "repsLineEdit")->setText(QStringLiteral("9"));
    Click(editor, "okButton");
    QCOMPARE(editor.Record(), f.Lift(f.row, "32.5", 9, kToday - 1, kLeftLimb));
  }

  void EditorWithoutAnExerciseClosesAsCancelled() {
    TRecordsFixture f;
    TFPREditor editor(f.program, f.prompter, TDrillPR{});
    Click(editor, "okButton");
    QCOMPARE(editor.result(), static_cast<int>(QDialog::Rejected));
    QCOMPARE(Shown(f.prompter), QStringList());
  }

  void EveryControlIsNamedAndReachedByTab() {
    TRecordsFixture f;
    StoreRecord(f.Store(), f.Lift(f.bench, "100", 5, kToday));
    TFPRHistory history(f.program, f.prompter);
    TFPREditor editor(f.program, f.prompter, f.Lift(f.row, "32.5", 8, kToday, kRightLimb));
    QCOMPARE(UnnamedControls(history), QStringList());
    QCOMPARE(UnnamedControls(editor), QStringList());
    history.Grid()->selectRow(1);
    QCOMPARE(TabChainFaults(history, {QStringLiteral("newButton"), QStringLiteral("editButton"),
                                      QStringLiteral("deleteButton"), QStringLiteral("okButton"),
                                      QStringLiteral("helpButton")}),
             QStringList());
    QCOMPARE(
        TabChainFaults(editor, {QStringLiteral("selectExerciseButton"), QStringLiteral("okButton"),
                                QStringLiteral("cancelButton"), QStringLiteral("helpButton")}),
        QStringList());
  }
};

}  // namespace

int RunRecordScreensTests(int argc, char** argv) {
  TRecordScreensTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "record_screens_test.moc"
