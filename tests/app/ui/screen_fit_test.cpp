// The main window on a real display (run under Xvfb at 1366x768, 1280x720 and
// at scale factor 2 on 2732x1536): it opens within the screen's free area,
// its panels fit or scroll, and it comes back where it was left.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLocale>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/program.h"
#include "app/string_table.h"
#include "app/ui/main_form.h"
#include "energy/ui/weight_goal_form.h"
#include "nutrition/ui/food_log_form.h"
#include "reports/ui/import_export_form.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

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
  EXPECT_TRUE(area.contains(main.frameGeometry()))
      << "screen " << area.width() << "x" << area.height() << ", window "
      << main.frameGeometry().width() << "x" << main.frameGeometry().height();
  // On a screen of 1366x768 or more nothing needs scrolling.
  const auto* scroller = main.findChild<QScrollArea*>(QStringLiteral("panelsScrollArea"));
  ASSERT_NE(scroller, nullptr);
  if (area.width() >= 1366 && area.height() >= 700) {
    EXPECT_EQ(scroller->verticalScrollBar()->maximum(), 0);
    EXPECT_EQ(scroller->horizontalScrollBar()->maximum(), 0);
  }
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
  const QRect area = Area();
  EXPECT_LE(form.frameGeometry().width(), area.width());
  EXPECT_LE(form.frameGeometry().height(), area.height());
  EXPECT_LE(form.minimumSizeHint().width(), area.width());
  EXPECT_LE(form.minimumSizeHint().height(), area.height());
  prompter.Plan(TAnswer::No);
  form.reject();
}

TEST_F(ScreenFitTest, TheImportExportScreenOpensWithinTheScreen) {
  ASSERT_FALSE(program.LoadSharedCollections());  // no catalogue here
  TFImportExport form(program, prompter);
  form.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
  QCoreApplication::processEvents();
  const QRect area = Area();
  EXPECT_LE(form.frameGeometry().width(), area.width());
  EXPECT_LE(form.frameGeometry().height(), area.height());
  EXPECT_LE(form.minimumSizeHint().width(), area.width());
  EXPECT_LE(form.minimumSizeHint().height(), area.height());
  form.accept();
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
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
