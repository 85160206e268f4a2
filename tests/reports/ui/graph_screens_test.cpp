// The three graph screens offscreen: the day's calorie curve, the nutrition,
// bodyweight and recovery graphs and the training graphs.
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QScatterSeries>
#include <QScreen>
#include <QSet>
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
#include "energy/cal_stat.h"
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
  void PutWeighIn(TDateTime day, double weight, float bodyFat = -1) {
    TDBC& entry = Records().GetOrCreateDayRecord(kWeightStatKind, day);
    Records().Loaded<TWeightStat>(entry).W = weight;
    Records().Loaded<TWeightStat>(entry).BFP = bodyFat;
    Records().SaveDayRecord(entry);
  }
  void PutProjectedWeight(TDateTime day, double weight) {
    TDBC& entry = Records().GetOrCreateDayRecord(kCalStatKind, day);
    Records().Loaded<TCalStat>(entry).PW = weight;
    Records().SaveDayRecord(entry);
  }
  // A fortnight of a new user: weigh-ins every other day from 78.4 to
  // 76.8 kg with their body fat, a projected weight every day, and three
  // workouts of squats this month.
  std::int32_t PutFortnight() {
    for (int d = 0; d <= 14; ++d) {
      const double weight = 78.4 - d * (1.6 / 14);
      PutProjectedWeight(kToday - 14 + d, weight + 0.3);
      if (d % 2 == 0) PutWeighIn(kToday - 14 + d, weight, static_cast<float>(24 - d * 0.1));
    }
    const std::int32_t squat = AddExercise("Squat", TMeasureKind::Weight);
    PutWorkout(kToday - 13, squat, "5", "80");
    PutWorkout(kToday - 6, squat, "5", "85");
    PutWorkout(kToday - 2, squat, "5", "90");
    return squat;
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

// Types `text` into a date entry and leaves it, as a user does.
void TypeDate(TMyDate& entry, const char* text) {
  entry.Edit()->selectAll();
  QTest::keyClicks(entry.Edit(), QString::fromUtf8(text));
  QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(entry.Edit(), &out);
}

// A day axis labels days, each once, under the title of their year.
QString DayLabelFaults(const TChart& chart, int least) {
  const QStringList labels = chart.DayLabels();
  if (labels.size() < least) return QStringLiteral("too few labels: ") + labels.join(u'|');
  if (QSet<QString>(labels.begin(), labels.end()).size() != labels.size())
    return QStringLiteral("a repeated label: ") + labels.join(u'|');
  const QString title = chart.chart()->axes(Qt::Horizontal).first()->titleText();
  if (title != QStringLiteral("2007")) return QStringLiteral("title: ") + title;
  return {};
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
    // The screen opens with the first graph of this week drawn.
    QCOMPARE(form.Chart()->Title(), QStringLiteral("Protein/Fats/Carbs/Total Calories Graph"));
    const QPointF week = form.Chart()->XView();
    form.Period()->SetPeriod(kToday, kToday - 1);
    form.GraphButtonClick();
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: ") + QString::fromUtf8(kPeriodOrderMessage)});
    // ... and keeps it.
    QCOMPARE(form.Chart()->XView(), week);
  }

  void GraphsDrawTheChosenGraphOfThePeriod() {
    TGraphFixture f;
    for (int d = 0; d < 30; d += 3) f.PutWeighIn(kToday - 29 + d, 80 - d * 0.1);
    f.PutRecovery(kToday - 12, 9.5, 0);
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

  void WeightGraphsShowTheLossOfAFortnight() {
    TGraphFixture f;
    f.PutFortnight();
    TFGraphs form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Before "Graph" the chart already shows this week, 11 to 17 June.
    const TPeriod week = ReadyPeriod(0, kToday, f.program.Config().FirstDOW());
    QCOMPARE(form.Chart()->XView(), QPointF(week.From - 0.5, week.To + 0.5));
    QCOMPARE(DayLabelFaults(*form.Chart(), 4), QString());
    QCOMPARE(form.Period()->PeriodList()->currentText(), QStringLiteral("This week"));

    // A fortnight typed by hand is no ready period; the chart follows it.
    TypeDate(*form.Period()->FromEdit(), "1 Jun 2007");
    QCOMPARE(form.Period()->From(), kToday - 14);
    QCOMPARE(form.Period()->PeriodList()->currentText(),
             QString::fromUtf8(kCustomPeriodName.data()));
    QCOMPARE(form.Chart()->XView(), QPointF(kToday - 14.5, week.To + 0.5));

    form.Tabs()->setCurrentIndex(1);
    form.GraphList()->setCurrentRow(1);  // Reported vs Projected vs Goal Weight
    QVERIFY(!form.YFromZero()->isChecked());
    Click(form, "graphButton");
    // The axis fits 76.8 to 78.7 kg with a margin: the loss fills it.
    const QPointF y = form.Chart()->YView();
    QVERIFY2(y.x() > 75 && y.x() <= 76.8 && y.y() >= 78.7 && y.y() < 80,
             qPrintable(QStringLiteral("%1 to %2").arg(y.x()).arg(y.y())));
    // The weigh-ins are marks drawn over the projected line.
    QCOMPARE(form.Chart()->SeriesName(0), QStringLiteral("Reported Bodyweight"));
    QCOMPARE(form.Chart()->Kind(0), TSeriesKind::Point);
    QCOMPARE(form.Chart()->Points(0).size(), 8);
    QVERIFY(qobject_cast<QScatterSeries*>(form.Chart()->chart()->series().last()));
    // From zero stays a choice.
    form.YFromZero()->setChecked(true);
    QCOMPARE(form.Chart()->YView().x(), 0.0);
    Click(form, "graphButton");
    QCOMPARE(form.Chart()->YView().x(), 0.0);
    // The ready periods still set the dates.
    form.Period()->PeriodList()->activated(3);
    QCOMPARE(form.Period()->PeriodList()->currentText(), QStringLiteral("This month"));
    QCOMPARE(form.Chart()->XView().x(), EncodeDate(2007, 6, 1) - 0.5);
    QVERIFY(f.prompter.shown.empty());
  }

  void BodyCompositionShowsABodyFatEnteredOnce() {
    TGraphFixture f;
    f.PutWeighIn(kToday - 3, 78.4, 22);
    f.PutWeighIn(kToday - 1, 77.9);
    TFGraphs form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    form.Tabs()->setCurrentIndex(1);  // Body Composition
    Click(form, "graphButton");
    QCOMPARE(form.Chart()->SeriesName(1), QStringLiteral("Lean Body Mass"));
    QCOMPARE(form.Chart()->SeriesName(2), QStringLiteral("Fat Mass"));
    for (const int series : {1, 2}) {
      QCOMPARE(form.Chart()->Points(series).size(), 1);
      // A single value is marked: a bare line of one point draws nothing.
      QVERIFY(form.Chart()->Marked(series));
      const auto* line = qobject_cast<QXYSeries*>(form.Chart()->chart()->series().at(series));
      QVERIFY(line && line->pointsVisible());
    }
    // 17.2 to 78.4 kg on one fitted axis.
    QVERIFY(form.Chart()->YView().x() >= 10);
    QVERIFY(form.Chart()->YView().y() < 90.01);
  }

  void TrainingGraphsDrawABarPerWorkoutDayOverThePeriod() {
    TGraphFixture f;
    f.PutFortnight();
    TFTrainingGraphs form(f.program, f.prompter);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    // Opened: this week's one workout, on 13 June, in a bar of its own day.
    const TPeriod week = ReadyPeriod(0, kToday, f.program.Config().FirstDOW());
    QCOMPARE(form.Chart()->XView(), QPointF(week.From - 0.5, week.To + 0.5));
    QCOMPARE(form.Chart()->Points(0), (QList<QPointF>{{kToday - 2, 3 * 5 * 90}}));
    QCOMPARE(DayLabelFaults(*form.Chart(), 4), QString());

    // A month typed by hand: three bars, each a narrow part of the plot.
    TypeDate(*form.Period()->FromEdit(), "1 Jun 2007");
    TypeDate(*form.Period()->ToEdit(), "30 Jun 2007");
    QCOMPARE(form.Period()->PeriodList()->currentText(), QStringLiteral("This month"));
    Click(form, "graphButton");
    QVERIFY(f.prompter.shown.empty());
    QCOMPARE(form.Chart()->XView(), QPointF(EncodeDate(2007, 6, 1) - 0.5,
                                            EncodeDate(2007, 6, 30) + 0.5));
    QCOMPARE(form.Chart()->Points(0).size(), 3);
    QCOMPARE(DayLabelFaults(*form.Chart(), 4), QString());
    const double width = form.Chart()->BarWidth(0);
    const double pixels = form.Chart()->MapToWidget({kToday + width / 2, 0}).x() -
                          form.Chart()->MapToWidget({kToday - width / 2, 0}).x();
    QVERIFY2(pixels >= 3 && pixels <= 48, qPrintable(QString::number(pixels)));
    QVERIFY(width <= 1);

    // Typed dates that end before they start warn only on "Graph".
    TypeDate(*form.Period()->FromEdit(), "20 Jul 2007");
    QVERIFY(f.prompter.shown.empty());
    QCOMPARE(form.Period()->PeriodList()->currentText(),
             QString::fromUtf8(kCustomPeriodName.data()));
    Click(form, "graphButton");
    QCOMPARE(Shown(f.prompter),
             QStringList{QStringLiteral("warn: ") + QString::fromUtf8(kPeriodOrderMessage)});
  }

  // With KORVELA_SNAPSHOTS set, pictures of the bodyweight and training
  // graphs of a fortnight as they open and once drawn.
  void SnapshotsOfTheGraphsOfAFortnight() {
    const QString folder = qEnvironmentVariable("KORVELA_SNAPSHOTS");
    if (folder.isEmpty()) QSKIP("KORVELA_SNAPSHOTS names no folder");
    QDir().mkpath(folder);
    const auto save = [&folder](QWidget& w, const char* name) {
      QTest::qWait(150);  // the chart lays itself out in its own events
      QVERIFY(w.grab().save(QDir(folder).filePath(QString::fromLatin1(name))));
      // The whole screen too, with the window manager's frame where there is one.
      QGuiApplication::primaryScreen()->grabWindow(0).save(
          QDir(folder).filePath(QStringLiteral("screen-") + QString::fromLatin1(name)));
    };
    TGraphFixture f;
    f.PutFortnight();
    TFGraphs graphs(f.program, f.prompter);
    graphs.show();
    QVERIFY(QTest::qWaitForWindowExposed(&graphs));
    save(graphs, "graphs-opened.png");
    graphs.Period()->SetPeriod(kToday - 14, kToday);
    graphs.Tabs()->setCurrentIndex(1);
    Click(graphs, "graphButton");
    save(graphs, "graphs-body-composition.png");
    graphs.GraphList()->setCurrentRow(1);
    Click(graphs, "graphButton");
    save(graphs, "graphs-reported-projected-goal.png");
    graphs.GraphList()->setCurrentRow(2);
    Click(graphs, "graphButton");
    save(graphs, "graphs-trend-weight.png");

    TFTrainingGraphs training(f.program, f.prompter);
    training.show();
    QVERIFY(QTest::qWaitForWindowExposed(&training));
    save(training, "training-opened.png");
    training.Period()->SetPeriod(kToday - 14, kToday - 14 + 29);
    Click(training, "graphButton");
    save(training, "training-volume-month.png");
    training.Period()->SetPeriod(kToday - 2, kToday - 2);
    Click(training, "graphButton");
    save(training, "training-volume-one-day.png");
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
