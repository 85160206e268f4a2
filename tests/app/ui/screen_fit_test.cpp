// The main window on a real display (run under Xvfb with a window manager at
// 1366x768, 1280x720 and at scale factor 2 on 2732x1536): it opens within
// the screen's free area with its frame, its panels fit or scroll, and it
// comes back where it was left.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <cmath>
#include <iostream>
#include <memory>
#include <tuple>

#include "activities/ui/activity_log_form.h"
#include "app/program.h"
#include "app/string_table.h"
#include "app/ui/main_form.h"
#include "energy/body_records.h"
#include "energy/cal_stat.h"
#include "energy/ui/fluctuations_form.h"
#include "energy/ui/weight_goal_form.h"
#include "energy/weight_stat.h"
#include "nutrition/food_log_store.h"
#include "nutrition/ui/food_log_form.h"
#include "nutrition/ui/food_logging_form.h"
#include "nutrition/ui/recipe_book_form.h"
#include "reports/ui/graphs_form.h"
#include "reports/ui/import_export_form.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "training/training_records.h"
#include "training/ui/train_form.h"
#include "training/ui/training_graphs_form.h"
#include "users/ready_periods.h"
#include "widgets/window_fit.h"

namespace korvela {
namespace {

class ScreenFitTest : public ::testing::Test {
 protected:
  ScreenFitTest() {
    TStringTable strings(folder / kStringTableFileName, *random);
    strings.PutString(kTitleString, "Korvela - diet, bodyweight and training diary");
    strings.Close();
    program.Start();
    TNewAccount a;
    a.name = "Ann";
    a.birthDate = EncodeDate(1980, 1, 1);
    a.heightCm = 170;
    a.weightKg = 70;
    program.CreateAccount(a);
  }

  TFMain::TScreens Screens() {
    TFMain::TScreens s;
    s.login = [](QWidget*) { return true; };
    return s;
  }

  static QRect Area() { return QApplication::primaryScreen()->availableGeometry(); }

  // Whether the window's frame, title bar included, lies within the free
  // area once the window manager has framed and placed it.
  static bool FrameWithinTheScreen(const QWidget& window) {
    return QTest::qWaitFor([&window] { return Area().contains(Frame(window)); }, 3000);
  }

  // The window's frame as the window system has it now.
  static QRect Frame(const QWidget& window) {
    return window.windowHandle() ? window.windowHandle()->frameGeometry() : window.frameGeometry();
  }

  static std::string Measured(const QWidget& window) {
    const QRect area = Area();
    const QRect frame = Frame(window);
    return "screen " + std::to_string(area.width()) + "x" + std::to_string(area.height()) +
           ", frame " + std::to_string(frame.width()) + "x" + std::to_string(frame.height()) + "+" +
           std::to_string(frame.x()) + "+" + std::to_string(frame.y()) + ", client " +
           std::to_string(window.width()) + "x" + std::to_string(window.height());
  }

  // A screen as it opens, and at its smallest, fits the free area.
  static void ExpectWithinTheScreen(const QWidget& screen) {
    const QRect area = Area();
    EXPECT_TRUE(FrameWithinTheScreen(screen))
        << screen.windowTitle().toStdString() << ": " << Measured(screen);
    EXPECT_LE(screen.minimumSizeHint().width(), area.width());
    EXPECT_LE(screen.minimumSizeHint().height(), area.height());
  }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(5);
  TFixedClock clock{EncodeDate(2007, 6, 15)};
  TProgram program{folder.Path(), TSystemDefaults{}, clock, *random};
  test::TScriptedPrompter prompter;
};

TEST_F(ScreenFitTest, TheMainWindowOpensWithinTheScreen) {
  TFMain main(program, prompter, Screens());
  main.PlaceOnScreen();
  main.show();
  main.RunActivationStep();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QCoreApplication::processEvents();
  const QRect area = Area();
  EXPECT_TRUE(FrameWithinTheScreen(main)) << Measured(main);
  // The window manager's title bar is part of what must fit.
  EXPECT_GT(Frame(main).height(), main.height()) << "no window manager framed the window";
  // A screen lower than the window would like is used to its full height.
  EXPECT_GE(Frame(main).height(), std::min(area.height(), 800) - 2) << Measured(main);
  std::cout << "main window: " << Measured(main) << std::endl;
  // On a screen of 1366x768 or more nothing needs scrolling.
  const auto* scroller = main.findChild<QScrollArea*>(QStringLiteral("panelsScrollArea"));
  ASSERT_NE(scroller, nullptr);
  if (area.width() >= 1366 && area.height() >= 700) {
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0);
  }
}

// A dialog larger than the screen, shown before any window has a frame and
// again beside the main window, is made to fit with its frame, as every
// dialog is (TWindowFitter).
TEST_F(ScreenFitTest, ADialogTooLargeForTheScreenIsFittedWithItsFrame) {
  const auto tooLarge = [] {
    auto dialog = std::make_unique<QDialog>();
    dialog->setWindowTitle(QStringLiteral("Too large"));
    dialog->resize(Area().size() + QSize(300, 200));
    return dialog;
  };
  {
    auto alone = tooLarge();
    alone->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(alone.get()));
    EXPECT_TRUE(FrameWithinTheScreen(*alone)) << Measured(*alone);
  }
  TFMain main(program, prompter, Screens());
  main.PlaceOnScreen();
  main.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  auto beside = tooLarge();
  beside->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(beside.get()));
  EXPECT_TRUE(FrameWithinTheScreen(*beside)) << Measured(*beside);
}

TEST_F(ScreenFitTest, TheWindowComesBackWhereItWasLeft) {
  QRect left;
  {
    TFMain main(program, prompter, Screens());
    main.PlaceOnScreen();
    main.show();
    main.RunActivationStep();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
    main.setGeometry(QRect(Area().topLeft() + QPoint(40, 30), QSize(900, 600)));
    QCoreApplication::processEvents();
    left = main.geometry();
    main.close();
  }
  if (!program.CurrentUser()) program.Login(*program.Accounts()[0]);
  TFMain again(program, prompter, Screens());
  again.PlaceOnScreen();
  again.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
  EXPECT_EQ(again.geometry().size(), left.size());
  EXPECT_EQ(again.geometry().topLeft(), left.topLeft());
}

TEST_F(ScreenFitTest, TheFoodLogOpensWithinTheScreen) {
  TFFoodLogForm form(program, prompter, clock.Today());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
  ExpectWithinTheScreen(form);
  prompter.Plan(TAnswer::No);
  form.reject();
}

// A year of diary for the graph screens: weigh-ins, food totals, recovery
// ratings and workouts, and a food log of today.
void PutAYearOfData(TProgram& program, TDateTime today) {
  TDayRecordStore& records = program.Session()->DayRecords();
  TDrill squat;
  squat.Name = "Squat";
  squat.TDM = TMeasureKind::Weight;
  const std::int32_t did = program.Exercises().AddExercise(squat).ID;
  for (int d = 365; d >= 0; --d) {
    const TDateTime day = today - d;
    const double weight = 75 - 6.0 * (365 - d) / 365 + 0.8 * std::sin(d * 0.7);
    TDBC& cal = records.GetOrCreateDayRecord(kCalStatKind, day);
    TCalStat& c = records.Loaded<TCalStat>(cal);
    c.P = 110 + d % 17, c.F = 60 + d % 11, c.C = 220 + (d * 7) % 60;
    c.PW = weight + 0.3;
    c.AC = 1.4f;
    records.SaveDayRecord(cal);
    if (d % 3 == 0) {
      TDBC& w = records.GetOrCreateDayRecord(kWeightStatKind, day);
      records.Loaded<TWeightStat>(w).W = weight;
      records.Loaded<TWeightStat>(w).BFP = static_cast<float>(22 - 4.0 * (365 - d) / 365);
      records.SaveDayRecord(w);
    }
    TDBC& r = records.GetOrCreateDayRecord(kRecoveryStatKind, day);
    TRecoveryStat& rec = records.Loaded<TRecoveryStat>(r);
    rec.HSlept = 5 + d % 5;
    rec.RColds = 0;
    rec.RSleep = rec.RApetite = rec.REnergy = rec.RPerformance = rec.RDesire = d % 4;
    rec.RPulse = 1;
    records.SaveDayRecord(r);
    if (d % 2 == 0) {
      TWorkout w;
      w.Name = "Legs";
      w.Date = day;
      w.Dur = 45;
      TDrillSet set = NewSetLine(program.Config());
      set.DID = did;
      set.Sets = 3 + d % 3;
      set.Reps = "5";
      set.Weight.Q = std::to_string(100 + (365 - d) / 10);
      w.Lines.push_back(set);
      AppendWorkoutLog(records, program.Exercises(), w);
    }
  }
  TDaysMeals log;
  log.ForDate = today;
  for (const auto& [name, hour, calories] :
       {std::tuple{"Breakfast", 7.5, 500.0}, std::tuple{"Lunch", 12.5, 800.0},
        std::tuple{"Dinner", 19.0, 900.0}}) {
    TWFoodItem food;
    food.Name = "Food";
    food.C = calories / 4;
    food.WI = 0;
    food.WM = 100;
    food.WMStr = "100";
    log.meals.push_back({name, hour / 24, {food}});
  }
  TFoodLogStore logs(program.CurrentUser()->Folder, program.Random());
  logs.StoreDayLog(log, today);
  logs.Close();
  records.FlushDayRecords();
}

TEST_F(ScreenFitTest, GraphScreensOpenWithinTheScreen) {
  const auto fits = [](QDialog& screen) {
    screen.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&screen));
    QCoreApplication::processEvents();
    EXPECT_TRUE(FrameWithinTheScreen(screen))
        << screen.windowTitle().toStdString() << ": " << Measured(screen);
    EXPECT_GE(screen.width(), screen.minimumSizeHint().width());
    EXPECT_GE(screen.height(), screen.minimumSizeHint().height());
  };
  {
    TFGraphs graphs(program, prompter);
    fits(graphs);
  }
  {
    TFTrainingGraphs training(program, prompter);
    fits(training);
  }
  {
    TFFluctuations day(program, prompter, clock.Today());
    fits(day);
  }
}

// The recipe book, browsing and editing, and its ingredient dialog open
// whole within the screen.
TEST_F(ScreenFitTest, TheRecipeBookFitsTheScreen) {
  (void)program.LoadSharedCollections();
  TFRecipeBook book(program, prompter);
  book.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&book));
  const QRect area = Area();
  const auto fits = [&area](const QWidget& w, const char* what) {
    EXPECT_TRUE(FrameWithinTheScreen(w)) << what << ": " << Measured(w);
    EXPECT_LE(w.minimumSizeHint().width(), area.width()) << what;
    EXPECT_LE(w.minimumSizeHint().height(), area.height()) << what;
  };
  fits(book, "browsing");
  book.NewRecipeExecute();
  QCoreApplication::processEvents();
  fits(book, "editing");
  TFIngredient dialog(program, prompter, TWFoodItem(TFoodItem("Oat flakes")), &book);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  fits(dialog, "ingredient");
}

TEST_F(ScreenFitTest, TheImportExportScreenOpensWithinTheScreen) {
  ASSERT_FALSE(program.LoadSharedCollections());  // no catalogue here
  TFImportExport form(program, prompter);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
  ExpectWithinTheScreen(form);
  form.accept();
}

TEST_F(ScreenFitTest, TheTrainingLogOpensWithinTheScreen) {
  TFTrain form(program, prompter, clock.Today());
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
  ExpectWithinTheScreen(form);
  prompter.Plan(TAnswer::No);
  form.reject();
}

// With KORVELA_SCREENSHOTS set to a folder, pictures of the whole screen:
// the main window and a dialog over it.
TEST_F(ScreenFitTest, Screenshots) {
  const QString folder = qEnvironmentVariable("KORVELA_SCREENSHOTS");
  if (folder.isEmpty()) GTEST_SKIP() << "KORVELA_SCREENSHOTS not set";
  const QString size = QStringLiteral("%1x%2@%3")
                           .arg(Area().width())
                           .arg(Area().height())
                           .arg(qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")));
  TFMain main(program, prompter, Screens());
  main.PlaceOnScreen();
  main.show();
  main.RunActivationStep();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&main));
  QTest::qWait(300);
  const auto shoot = [&](const QString& name) {
    QApplication::primaryScreen()->grabWindow(0).save(
        folder + QStringLiteral("/") + name + QStringLiteral("-") + size + QStringLiteral(".png"));
  };
  shoot(QStringLiteral("main"));
  {
    TFWeightGoal goal(program, prompter, &main);
    goal.show();
    QTest::qWait(300);
    shoot(QStringLiteral("weight-goal"));
  }
  PutAYearOfData(program, clock.Today());
  const TPeriod year{clock.Today() - 365, clock.Today()};
  {
    TFGraphs graphs(program, prompter, &main);
    graphs.show();
    graphs.Period()->SetPeriod(year.From, year.To);
    const std::pair<int, int> choices[] = {{0, 0}, {1, 1}, {1, 2}, {2, 0}};
    for (const auto& [tab, row] : choices) {
      graphs.Tabs()->setCurrentIndex(tab);
      graphs.GraphList()->setCurrentRow(row);
      graphs.GraphButtonClick();
      QTest::qWait(300);
      shoot(QStringLiteral("graphs-%1-%2").arg(tab).arg(row));
    }
    graphs.Period()->SetPeriod(clock.Today() - 30, clock.Today());
    graphs.GraphButtonClick();
    QTest::qWait(300);
    shoot(QStringLiteral("graphs-recovery-month"));
    graphs.Chart()->SaveImage(folder + QStringLiteral("/exported-") + size +
                              QStringLiteral(".png"));
    graphs.Chart()->SaveImage(folder + QStringLiteral("/exported-") + size +
                              QStringLiteral(".svg"));
  }
  {
    TFTrainingGraphs training(program, prompter, &main);
    training.show();
    training.Period()->SetPeriod(year.From, year.To);
    training.GraphButtonClick();
    QTest::qWait(300);
    shoot(QStringLiteral("training-graphs"));
  }
  {
    TFFluctuations day(program, prompter, clock.Today(), &main);
    day.show();
    QTest::mouseClick(day.findChild<QPushButton*>(QStringLiteral("calculateButton")),
                      Qt::LeftButton);
    QTest::qWait(300);
    shoot(QStringLiteral("fluctuations"));
  }
  {
    TFActivityLog log(program, prompter, clock.Today(), &main);
    log.show();
    QTest::qWait(300);
    shoot(QStringLiteral("activity-log"));
    prompter.Plan(TAnswer::No);
  }
  {
    (void)program.LoadSharedCollections();
    TFImportExport exchange(program, prompter, &main);
    exchange.show();
    QTest::qWait(300);
    shoot(QStringLiteral("import-export"));
  }
}

}  // namespace
}  // namespace korvela

int main(int argc, char** argv) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  QApplication app(argc, argv);
  korvela::FitWindowsOnShow(app);  // as the program does
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
