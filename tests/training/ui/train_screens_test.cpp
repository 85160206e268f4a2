#include <QAction>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimeEdit>

#include "screen_tests.h"
#include "training/training_records.h"
#include "training/ui/strength_forms.h"
#include "training/ui/train_form.h"
#include "training/workout_columns.h"
#include "users/ui/program_fixture.h"
#include "widgets/access_key_assigner.h"

namespace korvela::test {
namespace {

// Anna is logged in; the dictionary holds a few exercises.
struct TTrainFixture : TProgramFixture {
  TTrainFixture() {
    (void)program.LoadSharedCollections();
    AddAccount("Anna");
    bench = Add("Barbell Bench Press", TMeasureKind::Weight);
    Add("Barbell Curl", TMeasureKind::Weight);
    Add("Plank", TMeasureKind::Time);
    program.Exercises().SortLive();
  }
  std::int32_t Add(const std::string& name, TMeasureKind kind) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    return program.Exercises().AddExercise(d).ID;
  }
  TDateTime Today() const { return clock.Today(); }
  std::int32_t bench = -1;
};

const TDrillSet& SetLine(TFTrain& form, std::size_t line) {
  return std::get<TDrillSet>(form.State().Grid().Workout().Lines.at(line));
}

int Column(const TFTrain& form, std::uint8_t id) {
  const TWorkoutGrid* m = form.Grid()->Model();
  for (std::size_t c = 0; c < m->ColumnCount(); ++c)
    if (m->ColumnID(c) == id) return static_cast<int>(c);
  return -1;
}

class TTrainScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void ASetLineIsTypedFromTheKeyboard() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TWorkoutGridView* grid = form.Grid();
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    int keys = 0;
    const auto type = [&](const char* text) {
      for (const char* c = text; *c; ++c) {
        QTest::keyClick(QApplication::focusWidget(), *c);
        ++keys;
      }
    };
    const auto press = [&](Qt::Key key) {
      QTest::keyClick(QApplication::focusWidget(), key);
      ++keys;
    };
    type("barb");
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor);
    QCOMPARE(editor->text(), QStringLiteral("Barbell Bench Press"));
    QCOMPARE(editor->selectedText(), QStringLiteral("ell Bench Press"));  // the completed rest
    press(Qt::Key_Tab);
    type("3");
    press(Qt::Key_Tab);
    type("10");
    press(Qt::Key_Tab);
    type("100");
    press(Qt::Key_Return);
    QCoreApplication::processEvents();  // the grid commits after the key
    QVERIFY(form.isVisible());          // Enter in the grid is no OK
    const TDrillSet& line = SetLine(form, 0);
    QCOMPARE(line.DID, f.bench);
    QCOMPARE(line.Sets, 3);
    QCOMPARE(QString::fromStdString(line.Reps), QStringLiteral("10"));
    QCOMPARE(QString::fromStdString(line.Weight.Q), QStringLiteral("100"));
    QCOMPARE(grid->CellText(0, Column(form, kVolumeColumn)), QStringLiteral("3000 kg"));
    QVERIFY(form.State().At(0).modified);
    // To the next line's exercise cell.
    press(Qt::Key_Down);
    press(Qt::Key_Home);
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(grid->currentColumn(), 0);
    qInfo("keystrokes for one set line and the move to the next: %d", keys);
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void TimeCellsOpenATimeEditor() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TWorkoutGridView* grid = form.Grid();
    grid->setFocus();
    form.Command(QStringLiteral("Insert Section"))->trigger();
    grid->setCurrentCell(0, Column(form, kRestColumn));
    QTest::keyClick(grid, Qt::Key_F2);
    auto* time = grid->findChild<QTimeEdit*>(QStringLiteral("timeEditor"));
    QVERIFY(time);
    QCOMPARE(time->displayFormat(), QStringLiteral("mm:ss"));
    time->setTime(QTime(0, 1, 30));
    QTest::keyClick(time, Qt::Key_Return);
    QCoreApplication::processEvents();
    QCOMPARE(grid->CellText(0, Column(form, kRestColumn)), QStringLiteral("01:30"));
    QCOMPARE(std::get<TWSection>(form.State().Grid().Workout().Lines[0]).Rest, 90);
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void ATypedTimeThatIsNoTimeIsRefused() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TWorkoutGridView* grid = form.Grid();
    grid->setFocus();
    form.Command(QStringLiteral("Insert Section"))->trigger();
    const auto type = [&](std::uint8_t column, const char* text) {
      grid->setFocus();
      grid->setCurrentCell(0, Column(form, column));
      QTest::keyClick(grid, Qt::Key_F2);
      // The open picker has the focus (the one of an earlier edit may
      // still wait for its deletion).
      auto* time = qobject_cast<QTimeEdit*>(QApplication::focusWidget());
      QVERIFY(time);
      QCOMPARE(time->objectName(), QStringLiteral("timeEditor"));
      time->setSelectedSection(time->sectionAt(0));
      QTest::keyClicks(time, QString::fromLatin1(text));
      QTest::keyClick(time, Qt::Key_Return);
      QCoreApplication::processEvents();
    };
    const auto section = [&] { return std::get<TWSection>(form.State().Grid().Workout().Lines[0]); };
    type(kRestColumn, "0130");
    QCOMPARE(section().Rest, 90);
    type(kRestColumn, "99:99");
    QCOMPARE(section().Rest, 90);  // kept, not 09:09
    QCOMPARE(grid->CellText(0, Column(form, kRestColumn)), QStringLiteral("01:30"));
    type(kTimeColumn, "1:02:03");
    QCOMPARE(section().Dur, 3723);
    type(kTimeColumn, "99:99");
    QCOMPARE(section().Dur, 3723);  // kept, not 9:09:09
    QCOMPARE(grid->CellText(0, Column(form, kTimeColumn)), QStringLiteral("01:02:03"));
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void TheDefaultWidthsShowTimesSpeedsAndPercentagesWhole() {
    TTrainFixture f;
    const std::int32_t run = f.Add("Running", TMeasureKind::DistanceTime);
    f.program.Exercises().SortLive();
    for (const auto& [name, met] : {std::pair<const char*, double>{"Running", 8},
                                    {"Running, 10 mph (6 min/mile)", 14.5},
                                    {kResistanceTrainingActivity, 3.5}}) {
      TSport sport;
      sport.Activity = name;
      sport.MET = met;
      sport.Per = 30;
      f.program.Sports().AddSport(sport);
    }
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TWorkoutGrid& g = form.State().Grid();
    QVERIFY(g.ApplyExercise(0, run, kNoLimb));
    QVERIFY(g.Commit(0, Column(form, kDistanceColumn), "5 km"));
    QVERIFY(g.CommitSeconds(0, Column(form, kTimeColumn), 25 * 60 + 30));
    QVERIFY(g.ApplyExercise(1, f.bench, kNoLimb));
    TWorkoutGridView* grid = form.Grid();
    grid->OnChanged();  // as after an edit in the grid
    grid->Refresh();
    // A running workout counts with the dictionary's running MET, and says so.
    QCOMPARE(Child<QLineEdit>(form, "metLineEdit")->text(), QStringLiteral("8"));
    QVERIFY(Child<QLabel>(form, "metNoteLabel")->text().startsWith(
        QStringLiteral("MET of the first exercise's activity")));
    QCOMPARE(grid->CellText(0, Column(form, kTimeColumn)), QStringLiteral("00:25:30"));
    QCOMPARE(grid->CellText(0, Column(form, kTempoColumn)), QStringLiteral("11.76 kph"));
    // The cell's text margins on both sides, as the style draws them.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 1) + 2;
    const struct {
      std::uint8_t column;
      const char* widest;
    } cases[] = {{kTimeColumn, "00:25:30"}, {kTempoColumn, "11.76 kph"}, {kNRMColumn, "92%10RM"}};
    for (const auto& c : cases) {
      const int needed = grid->fontMetrics().horizontalAdvance(QString::fromLatin1(c.widest)) + margins;
      QVERIFY2(grid->columnWidth(Column(form, c.column)) >= needed, c.widest);
    }
    // The pace of the same line too.
    const QString pace = grid->CellText(0, Column(form, kPaceColumn));
    QVERIFY(!pace.isEmpty());
    QVERIFY2(grid->columnWidth(Column(form, kPaceColumn)) >=
                 grid->fontMetrics().horizontalAdvance(pace) + margins,
             qPrintable(pace));
    if (const QString folder = qEnvironmentVariable("KORVELA_SNAPSHOTS"); !folder.isEmpty())
      form.grab().save(folder + QStringLiteral("/training-log-widths.png"));
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void RowCommandsActOnlyWhileTheGridHasTheFocus() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    TWorkoutGridView* grid = form.Grid();
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    QTest::keyClick(grid, Qt::Key_Insert, Qt::ControlModifier);  // Insert Section
    const auto lines = [&] { return form.State().Grid().Workout().Lines.size(); };
    QCOMPARE(lines(), std::size_t{1});
    auto* notes = Child<QPlainTextEdit>(form, "notesPlainTextEdit");
    auto* name = Child<QLineEdit>(form, "nameLineEdit");
    for (QWidget* field : std::initializer_list<QWidget*>{notes, name}) {
      field->setFocus();
      QVERIFY(field->hasFocus());
      for (const Qt::Key key : {Qt::Key_R, Qt::Key_E, Qt::Key_Insert, Qt::Key_Delete, Qt::Key_V})
        QTest::keyClick(field, key, Qt::ControlModifier);
      QCOMPARE(lines(), std::size_t{1});
    }
    grid->setFocus();
    QTest::keyClick(grid, Qt::Key_R, Qt::ControlModifier);  // Repeat Row
    QCOMPARE(lines(), std::size_t{2});
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void OkSavesWhatTheUserAgreesTo() {
    TTrainFixture f;
    {
      TFTrain form(f.program, f.prompter, f.Today());
      Child<QPlainTextEdit>(form, "notesPlainTextEdit")->setPlainText(QStringLiteral("easy"));
      Child<QLineEdit>(form, "metLineEdit")->setText(QStringLiteral("5"));
      f.prompter.Plan(TAnswer::Yes);
      form.accept();
      QCOMPARE(Shown(f.prompter),
               QStringList{QStringLiteral(
                   "ask: Workout Log 15 June 2007 is not saved. Do you want to save it now?")});
    }
    TDayRecordStore& store = f.program.Session()->DayRecords();
    const std::vector<TWorkout> logs = WorkoutsOfDay(store, f.Today());
    QCOMPARE(logs.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(logs[0].Notes), QStringLiteral("easy"));
    QCOMPARE(logs[0].MET, 5.0F);
    // Opened again on that day: the saved workout, nothing to ask.
    f.prompter.shown.clear();
    TFTrain again(f.program, f.prompter, f.Today());
    QCOMPARE(again.Tabs()->tabText(0), QStringLiteral("Workout Log 15 June 2007"));
    QCOMPARE(again.State().At(0).storedDate, f.Today());
    again.reject();
    QVERIFY(f.prompter.shown.empty());
  }

  void ClosingWithAnUnsavedWorkoutOnAHiddenTabAsksForEachAndSavesBoth() {
    for (const bool ok : {true, false}) {
      TTrainFixture f;
      {
        TFTrain form(f.program, f.prompter, f.Today());
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        auto* notes = Child<QPlainTextEdit>(form, "notesPlainTextEdit");
        form.Grid()->setFocus();
        form.Command(QStringLiteral("Insert Section"))->trigger();
        notes->setPlainText(QStringLiteral("first"));
        form.Command(QStringLiteral("New Workout"))->trigger();
        notes->setPlainText(QStringLiteral("second"));
        form.Grid()->setFocus();
        form.Command(QStringLiteral("Insert Section"))->trigger();
        QCOMPARE(form.Tabs()->currentIndex(), 1);

        // While each question is up the screen goes on painting: the grid
        // must show the workout asked about, never a grid that is gone.
        QStringList asked;
        f.prompter.onAsk = [&](const std::string&) {
          TWorkoutGridView* grid = form.Grid();
          QVERIFY(grid->Model() == &form.State().Grid());
          grid->repaint();
          QCoreApplication::processEvents();
          QCOMPARE(form.Tabs()->currentIndex(), static_cast<int>(form.State().Shown()));
          asked << notes->toPlainText();
          QCOMPARE(QString::fromStdString(grid->Model()->Workout().Notes), notes->toPlainText());
        };
        f.prompter.Plan(TAnswer::Yes);
        f.prompter.Plan(TAnswer::Yes);
        if (ok)
          form.accept();
        else
          form.reject();
        f.prompter.onAsk = nullptr;
        QCOMPARE(asked, (QStringList{QStringLiteral("second"), QStringLiteral("first")}));
        QVERIFY(!form.isVisible());
      }
      const std::vector<TWorkout> logs =
          WorkoutsOfDay(f.program.Session()->DayRecords(), f.Today());
      QCOMPARE(logs.size(), std::size_t{2});
      QCOMPARE(QString::fromStdString(logs[0].Notes), QStringLiteral("second"));
      QCOMPARE(QString::fromStdString(logs[1].Notes), QStringLiteral("first"));
    }
  }

  void ATemplateWithoutANameStaysOpen() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.Command(QStringLiteral("New Workout Template"))->trigger();
    QCOMPARE(form.Tabs()->count(), 2);
    auto* name = Child<QLineEdit>(form, "nameLineEdit");
    QVERIFY(!Child<QLineEdit>(form, "dateLineEdit")->isVisibleTo(&form));
    name->setText(QStringLiteral("   "));
    form.Command(QStringLiteral("Save"))->trigger();
    QCOMPARE(f.prompter.Last(), std::string("warn: ") + kMsgTemplateName);
    form.Tabs()->setCurrentIndex(0);
    QCOMPARE(form.State().Shown(), std::size_t{1});
    QCOMPARE(form.Tabs()->currentIndex(), 1);
    name->setText(QStringLiteral("Push day"));
    form.Command(QStringLiteral("Save"))->trigger();
    QCOMPARE(f.program.Templates().Templates().size(), std::size_t{1});
    QCOMPARE(form.Tabs()->tabText(1), QStringLiteral("Push day"));
    form.reject();
  }

  void FifteenTabsDisableNewAndOpen() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    QAction* newWorkout = form.Command(QStringLiteral("New Workout"));
    while (form.Tabs()->count() < 15) newWorkout->trigger();
    for (const char* c : {"New Workout", "New Workout Template", "Open a Workout/Template..."})
      QVERIFY(!form.Command(QString::fromUtf8(c))->isEnabled());
    form.Command(QStringLiteral("Close"))->trigger();
    QCOMPARE(form.Tabs()->count(), 14);
    QVERIFY(newWorkout->isEnabled());
    form.reject();
  }

  void TheRecordsAndStrengthToolsOpenFromTheLog() {
    TTrainFixture f;
    // As in the program, the menus gain access keys when shown; the
    // commands are still found by their captions.
    TAccessKeyAssigner keys;
    qApp->installEventFilter(&keys);
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    qApp->removeEventFilter(&keys);
    for (const char* c :
         {"My Records...", "Assess the maximal strength for various repetition ranges...",
          "Prilepin's Table..."})
      QVERIFY2(form.Command(QString::fromUtf8(c)), c);
    QCOMPARE(
        form.Command(QStringLiteral("Assess the maximal strength for various repetition ranges..."))
            ->toolTip(),
        QStringLiteral("%NRM Calculator"));
    // The table is a tool window beside the log, opened once.
    QAction* table = form.Command(QStringLiteral("Prilepin's Table..."));
    table->trigger();
    table->trigger();
    QCOMPARE(form.findChildren<TFPrilepin*>().size(), qsizetype(1));
    QVERIFY(!form.findChildren<TFPrilepin*>().front()->isModal());
    form.reject();
  }

  void TheWorkoutPanelFollowsTheDurationField() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    QLabel* duration = nullptr;
    for (QGroupBox* box : form.findChildren<QGroupBox*>()) {
      if (box->title() != QStringLiteral("Workout Data")) continue;
      auto* rows = qobject_cast<QFormLayout*>(box->layout());
      for (int r = 0; r < rows->rowCount(); ++r) {
        auto* caption = qobject_cast<QLabel*>(rows->itemAt(r, QFormLayout::LabelRole)->widget());
        if (caption && caption->text() == QStringLiteral("Duration"))
          duration = qobject_cast<QLabel*>(rows->itemAt(r, QFormLayout::FieldRole)->widget());
      }
    }
    QVERIFY(duration);
    form.findChild<QSpinBox*>(QStringLiteral("durationSpinBox"))->setValue(45);
    QCOMPARE(duration->text(), QStringLiteral("45 min"));
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void ATabDroppedOnAnotherGivesItItsLines() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Command(QStringLiteral("New Workout"))->trigger();
    QCOMPARE(form.Tabs()->count(), 2);
    QVERIFY(!form.State().At(0).modified);
    const QPoint from = form.Tabs()->tabRect(1).center();
    const QPoint to = form.Tabs()->tabRect(0).center();
    QTest::mousePress(form.Tabs(), Qt::LeftButton, {}, from);
    QTest::mouseRelease(form.Tabs(), Qt::LeftButton, {}, to);
    QCOMPARE(form.Tabs()->currentIndex(), 0);
    QVERIFY(form.State().At(0).modified);
    f.prompter.Plan(TAnswer::No);
    f.prompter.Plan(TAnswer::No);
    form.reject();
  }

  void EveryControlIsNamed() {
    TTrainFixture f;
    TFTrain form(f.program, f.prompter, f.Today());
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(UnnamedControls(form).join(QStringLiteral("; ")), QString());
    form.reject();
  }
};

}  // namespace

int RunTrainScreensTests(int argc, char** argv) {
  TTrainScreensTest test;
  return QTest::qExec(&test, argc, argv);
}

}  // namespace korvela::test

#include "train_screens_test.moc"
