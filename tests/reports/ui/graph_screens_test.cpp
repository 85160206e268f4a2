// The three graph screens offscreen: the day's calorie curve, the nutrition,
// bodyweight and recovery graphs and the training graphs.
#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimeEdit>

#include "energy/body_records.h"
#include "energy/calorie_fluctuations.h"
#include "energy/ui/fluctuations_form.h"
#include "energy/weight_stat.h"
#include "nutrition/food_log_store.h"
#include "reports/graph_texts.h"
#include "reports/ui/graphs_form.h"
#include "support/tab_chain.h"
#include "training/training_records.h"
#include "training/ui/training_graphs_form.h"
#include "training/workout.h"
#include "users/ready_periods.h"
#include "users/ui/program_fixture.h"

namespace korvela::test {
namespace {

constexpr TDateTime kToday = 39248;  // 15 June 2007, the fixture's clock

struct TGraphFixture : TProgramFixture {
  TGraphFixture() { AddAccount("Ann"); }
  TDayRecordStore& Records() { return program.Session()->DayRecords(); }

  // A log of `day` with a breakfast of 100 g of a food of `calories` per
  // 100 g (all carbohydrate) at 8:00 and an empty lunch.
  void PutFoodLog(TDateTime day, double calories) {
    TDaysMeals log;
    log.ForDate = day;
    TWFoodItem food;
    food.Name = "Porridge";
    food.C = calories / 4;
    food.WI = 0;  // grams: the food has no measures
    food.WM = 100;
    food.WMStr = "100";
    log.meals.push_back({"Breakfast", 8.0 / 24, {food}});
    log.meals.push_back({"Lunch", 12.5 / 24, {}});
    TFoodLogStore store(program.CurrentUser()->Folder, program.Random());
    store.StoreDayLog(log, kToday);
    store.Close();
  }
  void PutWeighIn(TDateTime day, double weight) {
    TDBC& entry = Records().GetOrCreateDayRecord(kWeightStatKind, day);
    Records().Loaded<TWeightStat>(entry).W = weight;
    Records().SaveDayRecord(entry);
  }
  void PutRecovery(TDateTime day, double hours, std::int32_t rating) {
    TDBC& entry = Records().GetOrCreateDayRecord(kRecoveryStatKind, day);
    TRecoveryStat& r = Records().Loaded<TRecoveryStat>(entry);
    r.HSlept = hours;
    r.RColds = 0;
    r.RSleep = r.RApetite = r.REnergy = r.RPerformance = r.RDesire = rating;
    r.RPulse = 1;
    Records().SaveDayRecord(entry);
  }
  std::int32_t AddExercise(const char* name, TMeasureKind kind) {
    TDrill d;
    d.Name = name;
    d.TDM = kind;
    return program.Exercises().AddExercise(d).ID;
  }
  void PutWorkout(TDateTime day, std::int32_t did, const char* reps, const char* weight) {
    TWorkout w;
    w.Name = "Log";
    w.Date = day;
    TDrillSet set = NewSetLine(program.Config());
    set.DID = did;
    set.Sets = 3;
    set.Reps = reps;
    set.Weight.Q = weight;
    w.Lines.push_back(set);
    AppendWorkoutLog(Records(), program.Exercises(), w);
  }
};

void Click(const QWidget& form, const char* button) {
  QTest::mouseClick(Child<QPushButton>(form, button), Qt::LeftButton);
}

TExportFileChooser Answer(const QString& file) {
  return [file](QWidget*, const TExportDialog&) { return file; };
}

}  // namespace

class TGraphScreensTest : public QObject {
  Q_OBJECT
 private slots:
  void FluctuationsWithoutAFoodLogWarnAndCannotCalculate() {
    TGraphFixture f;
    TFFluctuations form(f.program, f.prompter, kToday);
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral(
                 "warn: You have logged no food for 15 June 2007! Please select another date")});
    QVERIFY(!Child<QPushButton>(form, "calculateButton")->isEnabled());
    QVERIFY(!Child<QTimeEdit>(form, "wakeUpTimeEdit")->isEnabled());
    QCOMPARE(form.Chart()->SeriesCount(), 0);
  }

  void FluctuationsCheckTheDigestionTimesThenDrawTheDay() {
    TGraphFixture f;
    f.PutFoodLog(kToday - 1, 1500);
    TFFluctuations form(f.program, f.prompter, kToday - 1);
    form.show();
    QVERIFY(f.prompter.shown.empty());
    // Only the meal with food takes part, digested over the default 2 hours.
    QCOMPARE(form.Meals().size(), std::size_t{1});
    auto* grid = Child<TMyGrid>(form, "mealsGrid");
    QCOMPARE(grid->CellText(1, 0), QStringLiteral("08:00 Breakfast"));
    QCOMPARE(grid->CellText(1, 1), QStringLiteral("120"));
    QVERIFY(grid->CanEditCell(1, 1));
    QVERIFY(!grid->CanEditCell(2, 1));
    QVERIFY(!grid->CanEditCell(1, 0));

    grid->SetCellText(1, 1, QStringLiteral("1441"));
    Click(form, "calculateButton");
    QCOMPARE(Shown(f.prompter), QStringList{QStringLiteral("warn: Invalid Digestion Time!")});
    QCOMPARE(grid->currentRow(), 1);
    QCOMPARE(form.Chart()->SeriesCount(), 0);

    Child<QSpinBox>(form, "hoursSpinBox")->setValue(0);
    Click(form, "setAllButton");
    QCOMPARE(grid->CellText(1, 1), QStringLiteral("1"));
    grid->SetCellText(1, 1, QStringLiteral("60"));
    Child<QRadioButton>(form, "zeroBalanceRadioButton")->setChecked(true);
    Click(form, "calculateButton");
    QCOMPARE(f.prompter.shown.size(), std::size_t{1});
    QCOMPARE(form.Chart()->SeriesCount(), 1);
    const QList<QPointF> curve = form.Chart()->Points(0);
    QCOMPARE(curve.size(), kMinutesPerDay);
    QCOMPARE(form.Chart()->Title(),
             QStringLiteral("Daily Calorie Balance Fluctuations 14 Jun 2007"));
    // The breakfast's 1350 absorbed calories from 8:00 to 9:00.
    const double burnPerMinute = curve[500].y() - curve[501].y() + 1350.0 / 60;
    QVERIFY(std::abs((curve[540].y() - curve[479].y()) - (1350 - 61 * burnPerMinute)) < 1e-6);
    // The highest point is the end of digestion: 9:00.
    QCOMPARE(Child<QLabel>(form, "highestLabel")->text().section(QStringLiteral("  at "), 1),
             QStringLiteral("09:00"));
    QVERIFY(Child<QLabel>(form, "lowestLabel")
                ->text()
                .startsWith(QStringLiteral("Lowest Calorie Balance = -")));
  }

  void FluctuationsKeepTheWakeUpTimeOnlyWhenAllowed() {
    TGraphFixture f;
    f.PutFoodLog(kToday - 1, 600);
    {
      TFFluctuations form(f.program, f.prompter, kToday - 1);
      Child<QTimeEdit>(form, "wakeUpTimeEdit")->setTime(QTime(16, 1));
      Click(form, "calculateButton");
      QCOMPARE(Shown(f.prompter),
               QStringList{QStringLiteral("warn: ") + QString::fromUtf8(kWakeUpTooLateMessage)});
      QCOMPARE(form.Chart()->SeriesCount(), 0);
      Child<QTimeEdit>(form, "wakeUpTimeEdit")->setTime(QTime(16, 0));
      Click(form, "calculateButton");
      QCOMPARE(form.Chart()->SeriesCount(), 1);
      Click(form, "okButton");
    }
    QVERIFY(std::abs(WakeUpTimeOn(f.Records(), kToday - 1) - 16.0 / 24) < 1e-9);
    {
      // Changed, then cancelled: the record keeps what it had.
      TFFluctuations form(f.program, f.prompter, kToday - 1);
      QCOMPARE(Child<QTimeEdit>(form, "wakeUpTimeEdit")->time(), QTime(16, 0));
      Child<QTimeEdit>(form, "wakeUpTimeEdit")->setTime(QTime(7, 0));
      form.reject();
    }
    QVERIFY(std::abs(WakeUpTimeOn(f.Records(), kToday - 1) - 16.0 / 24) < 1e-9);
  }

  void GraphsRefuseAPeriodEndingBeforeItStarts() {
    TGraphFixture f;
    TFGraphs form(f.program, f.prompter);
    form.Period()->SetPeriod(kToday, kToday - 1);
    form.GraphButtonClick();
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: ") + QString::fromUtf8(kPeriodOrderMessage)});
    QCOMPARE(form.Chart()->SeriesCount(), 0);
  }

  void GraphsDrawTheChosenGraphOfThePeriod() {
    TGraphFixture f;
    for (int d = 0; d < 30; d += 3) f.PutWeighIn(kToday - 29 + d, 80 - d * 0.1);
    f.PutRecovery(kToday - 2, 9.5, 0);
    f.PutRecovery(kToday - 1, 3, 4);
    TFGraphs form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // "This week" is chosen first; a phase-less user cannot pick phases.
    const TPeriod week = ReadyPeriod(0, kToday, f.program.Config().FirstDOW());
    QCOMPARE(form.Period()->From(), week.From);
    QVERIFY(!form.Period()->PhasesButton()->isEnabled());
    form.Period()->SetPeriod(kToday - 29, kToday);

    form.Tabs()->setCurrentIndex(1);
    QCOMPARE(form.GraphList()->count(), 3);
    QCOMPARE(form.GraphList()->currentRow(), 0);
    form.GraphList()->setCurrentRow(2);
    Click(form, "graphButton");
    QCOMPARE(form.Chart()->Title(), QStringLiteral("Trend Weight Graph"));
    QCOMPARE(form.Chart()->YAxisTitle(), QStringLiteral("Weight in KG"));
    QCOMPARE(form.Chart()->SeriesCount(), 2);
    QCOMPARE(form.Chart()->SeriesName(0), QStringLiteral("Reported Bodyweight"));
    QCOMPARE(form.Chart()->Points(0).size(), 11);  // and the account's own weigh-in today
    QCOMPARE(form.Chart()->Points(1).size(), 30);

    form.Tabs()->setCurrentIndex(2);
    Click(form, "graphButton");
    QCOMPARE(form.Chart()->Title(), QStringLiteral("Recovery Graph"));
    QCOMPARE(form.Chart()->Kind(0), TSeriesKind::Bar);
    QCOMPARE(form.Chart()->ValueLabels(0).size(), 2);
    QCOMPARE(form.Chart()->ValueLabels(0).first(), QStringLiteral("5.00"));
    QVERIFY(f.prompter.shown.empty());
  }

  void GraphCommandsPrintSaveAndReportFailures() {
    TGraphFixture f;
    TFGraphs form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    Click(form, "graphButton");
    form.ChartCommands()->SetPrinter([](TChart&, QWidget*) { return std::optional<bool>(false); });
    Click(form, "printGraphButton");
    form.ChartCommands()->SetPrinter([](TChart&, QWidget*) { return std::optional<bool>(); });
    Click(form, "printGraphButton");  // cancelled: nothing to say
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: ") + QString::fromUtf8(kPrintGraphErrorMessage)});

    QTemporaryDir folder;
    const QString png = folder.filePath(QStringLiteral("graph.png"));
    form.ChartCommands()->SetImageFileChooser(Answer(png));
    Click(form, "saveImageButton");
    QCOMPARE(QImage(png).size(), form.Chart()->viewport()->size());
    form.ChartCommands()->SetImageFileChooser(Answer(folder.filePath(QStringLiteral("no/g.svg"))));
    Click(form, "saveImageButton");
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
    QVERIFY(Q(f.prompter.shown.back())
                .startsWith(QStringLiteral("warn: The graph could not be saved")));

    // Zoom, scroll and reset through the buttons.
    const QPointF x0 = form.Chart()->XView();
    Click(form, "zoomInButton");
    QVERIFY(form.Chart()->XView().y() - form.Chart()->XView().x() < x0.y() - x0.x());
    Click(form, "scrollRightButton");
    Click(form, "resetZoomButton");
    QCOMPARE(form.Chart()->XView(), x0);
  }

  void TrainingGraphsNeedExercisesAndDrawOnePointADay() {
    TGraphFixture f;
    const std::int32_t squat = f.AddExercise("Squat", TMeasureKind::Weight);
    const std::int32_t curl = f.AddExercise("Curl", TMeasureKind::Weight);
    TFTrainingGraphs form(f.program, f.prompter);
    form.Period()->SetPeriod(kToday - 30, kToday);
    form.GraphButtonClick();
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: ") + QString::fromUtf8(kNoExercisesMessage)});

    f.PutWorkout(kToday - 3, squat, "5", "100");
    f.PutWorkout(kToday - 3, curl, "10", "20");
    f.PutWorkout(kToday - 1, curl, "10", "20");
    form.ChosenExercisesRadio()->setChecked(true);
    QCOMPARE(form.ExerciseList()->count(), 2);
    QCOMPARE(form.ExerciseList()->item(0)->text(), QStringLiteral("Squat"));
    QCOMPARE(form.ExerciseListTitle()->text(),
             QStringLiteral("Exercises done from 16 May 2007 to 15 June 2007"));
    form.GraphButtonClick();  // nothing selected
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
    form.ExerciseList()->item(0)->setSelected(true);
    form.GraphButtonClick();
    QCOMPARE(form.Chart()->Title(), QStringLiteral("Volume Graph"));
    QCOMPARE(form.Chart()->YAxisTitle(), QStringLiteral("kg"));
    QCOMPARE(form.Chart()->Kind(0), TSeriesKind::Bar);
    QCOMPARE(form.Chart()->Points(0), (QList<QPointF>{{kToday - 3, 1500}}));

    Child<QRadioButton>(form, "allExercisesRadioButton")->setChecked(true);
    QCOMPARE(form.ExerciseList()->count(), 0);
    form.GraphList()->setCurrentRow(static_cast<int>(TTrainingGraph::TotalLifts));
    form.GraphButtonClick();
    QCOMPARE(form.Chart()->Points(0), (QList<QPointF>{{kToday - 3, 45}, {kToday - 1, 30}}));
    QCOMPARE(f.prompter.shown.size(), std::size_t{2});
  }

  void TabReachesEveryCommandOfTheGraphScreens() {
    TGraphFixture f;
    f.PutFoodLog(kToday, 600);
    const QStringList chartButtons = {
        QStringLiteral("zoomInButton"),     QStringLiteral("zoomOutButton"),
        QStringLiteral("resetZoomButton"),  QStringLiteral("scrollLeftButton"),
        QStringLiteral("scrollDownButton"), QStringLiteral("printGraphButton"),
        QStringLiteral("saveImageButton"),  QStringLiteral("okButton"),
        QStringLiteral("helpButton")};
    TFGraphs graphs(f.program, f.prompter);
    graphs.show();
    QCOMPARE(TabChainFaults(graphs, chartButtons + QStringList{QStringLiteral("graphButton")}),
             QStringList());
    TFTrainingGraphs training(f.program, f.prompter);
    training.show();
    QCOMPARE(TabChainFaults(training, chartButtons + QStringList{QStringLiteral("graphButton")}),
             QStringList());
    TFFluctuations day(f.program, f.prompter, kToday);
    day.show();
    QCOMPARE(TabChainFaults(day, chartButtons + QStringList{QStringLiteral("calculateButton")}),
             QStringList());
  }
};

}  // namespace korvela::test

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QLocale::setDefault(QLocale::c());
  korvela::test::TGraphScreensTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "graph_screens_test.moc"
