#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QToolButton>

#include <QScrollArea>
#include <QScrollBar>

#include "app/main_menu.h"
#include "app/ui/main_form.h"
#include "energy/dashboard.h"
#include "energy/weight_stat.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "users/unit_text.h"
#include "widgets/big_calendar.h"
#include "widgets/elided_label.h"

namespace korvela {
namespace {

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() {
    TStringTable strings(folder / kStringTableFileName, *random);
    strings.PutString(kTitleString, "Korvela title text");
    strings.Close();
    program.Start();
  }

  TFMain::TScreens Screens() {
    TFMain::TScreens s;
    s.newAccount = [this](QWidget*) {
      calls.push_back("new account");
      if (!createOnNewAccount) return false;
      TNewAccount a;
      a.name = accountName;
      a.birthDate = EncodeDate(1980, 1, 1);
      a.heightCm = 170;
      a.weightKg = 70;
      program.CreateAccount(a);
      return true;
    };
    s.login = [this](QWidget*) {
      calls.push_back("login");
      if (!loginOnLogin || program.Accounts().empty()) return false;
      program.Login(*program.Accounts()[0]);
      return true;
    };
    s.commands["Personal Information..."] = [this](QWidget*, TDateTime) {
      calls.push_back("personal information");
      return true;
    };
    s.commands["Measurements..."] = [this](QWidget*, TDateTime day) {
      calls.push_back("measurements " + ShortDateText(day));
      return true;
    };
    s.commands["Weigh in bodyweight and bf%"] = [this](QWidget*, TDateTime day) {
      calls.push_back("weigh-in " + ShortDateText(day));
      return true;
    };
    return s;
  }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(5);
  TFixedClock clock{EncodeDate(2007, 6, 15)};
  TProgram program{folder.Path(), TSystemDefaults{}, clock, *random};
  test::TScriptedPrompter prompter;
  std::vector<std::string> calls;
  bool createOnNewAccount = true;
  std::string accountName = "Ann";
  bool loginOnLogin = true;
};

TEST_F(MainFormTest, FirstStartAsksForAnAccountAndShowsTheUsersPanels) {
  TFMain main(program, prompter, Screens());
  auto* panels = main.findChild<QWidget*>(QStringLiteral("panelsFrame"));
  ASSERT_NE(panels, nullptr);
  main.show();
  EXPECT_FALSE(panels->isVisible());
  main.RunActivationStep();
  EXPECT_EQ(calls, std::vector<std::string>{"new account"});
  EXPECT_TRUE(panels->isVisible());
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("titleLabel"))->text(),
            QStringLiteral("Korvela title text"));
  EXPECT_TRUE(main.findChild<QLabel*>(QStringLiteral("dateLabel"))
                  ->text()
                  .contains(QStringLiteral("15 June, 2007")));
}

TEST_F(MainFormTest, CancellingBothScreensEndsTheProgram) {
  createOnNewAccount = false;
  loginOnLogin = false;
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  EXPECT_EQ(calls, (std::vector<std::string>{"new account", "login"}));
  EXPECT_EQ(program.CurrentUser(), nullptr);
}

TEST_F(MainFormTest, LogOffHidesThePanelsAndAsksForALogin) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  calls.clear();
  main.Command(kLogOffCommand)->trigger();
  EXPECT_EQ(calls, std::vector<std::string>{"login"});
  EXPECT_NE(program.CurrentUser(), nullptr);
  EXPECT_TRUE(main.findChild<QWidget*>(QStringLiteral("panelsFrame"))->isVisible());
}

TEST_F(MainFormTest, MenuBarHoldsEveryMenuAndCommandInOrder) {
  TFMain main(program, prompter, Screens());
  const QList<QAction*> menus = main.menuBar()->actions();
  ASSERT_EQ(static_cast<std::size_t>(menus.size()), MainMenus().size());
  for (std::size_t m = 0; m < MainMenus().size(); ++m) {
    const TMenu& menu = MainMenus()[m];
    EXPECT_EQ(menus[static_cast<int>(m)]->text().toStdString(), menu.caption);
    const QList<QAction*> items = menus[static_cast<int>(m)]->menu()->actions();
    ASSERT_EQ(static_cast<std::size_t>(items.size()), menu.items.size()) << menu.caption;
    for (std::size_t i = 0; i < menu.items.size(); ++i) {
      EXPECT_EQ(items[static_cast<int>(i)]->text().toStdString(), menu.items[i].caption);
      if (!menu.items[i].items.empty()) {
        EXPECT_EQ(static_cast<std::size_t>(items[static_cast<int>(i)]->menu()->actions().size()),
                  menu.items[i].items.size());
      }
    }
  }
}

TEST_F(MainFormTest, CommandsOpenTheirScreensOrSayTheyAreNotAvailableYet) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  calls.clear();
  main.Command("Personal Information...")->trigger();
  EXPECT_EQ(calls, std::vector<std::string>{"personal information"});
  main.Command("Food Logs...")->trigger();
  EXPECT_EQ(prompter.Last(), std::string("inform: ") + kNotAvailableYet);
  int shownTopic = 0;
  program.SetHelpHandler([&](int topic) { shownTopic = topic; });
  main.Command("What is the Projected Weight?")->trigger();
  EXPECT_EQ(shownTopic, 24);
}

TEST_F(MainFormTest, ADayCommandOpensOnTheSelectedDayAndTheCalendarReturnsToToday) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  calls.clear();
  main.SelectDay(EncodeDate(2007, 5, 3));
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("dateLabel"))->text(),
            QStringLiteral("3 May, 2007"));
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("monthCaption"))->text(),
            QStringLiteral("May 2007"));
  main.Command("Measurements...")->trigger();
  main.SelectDay(EncodeDate(2007, 5, 3));
  main.Command("Weigh in bodyweight and bf%")->trigger();  // takes no day: today
  EXPECT_EQ(calls, (std::vector<std::string>{"measurements 3 May 2007", "weigh-in 15 Jun 2007"}));
  EXPECT_EQ(main.SelectedDay(), clock.Today());
}

TEST_F(MainFormTest, MonthArrowsMoveTheCalendarAndTheDashboardFollows) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  auto* previous = main.findChild<QToolButton*>(QStringLiteral("previousMonth"));
  auto* next = main.findChild<QToolButton*>(QStringLiteral("nextMonth"));
  ASSERT_NE(previous, nullptr);
  previous->click();
  EXPECT_EQ(main.SelectedDay(), EncodeDate(2007, 5, 15));
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("dateLabel"))->text(),
            QStringLiteral("15 May, 2007"));
  // No calorie record that day: nothing is reported.
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("eaten"))->text(),
            QStringLiteral("Not reported"));
  EXPECT_EQ(main.findChild<QLabel*>(QStringLiteral("netBalance"))->text(), QStringLiteral("N/R"));
  next->click();
  next->click();
  EXPECT_EQ(main.SelectedDay(), EncodeDate(2007, 7, 15));
}

TEST_F(MainFormTest, TheWeighInQuestionLeadsToTheWeighInAndIsAskedOnce) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  calls.clear();
  program.Session()->Energy().WeightDriftFlag = true;
  prompter.Plan(TAnswer::Yes);
  main.SelectDay(EncodeDate(2007, 6, 14));
  EXPECT_EQ(prompter.Last(), std::string("ask: ") + kWeighInQuestion);
  EXPECT_EQ(calls, std::vector<std::string>{"weigh-in 15 Jun 2007"});
  main.SelectDay(EncodeDate(2007, 6, 13));
  EXPECT_EQ(calls.size(), 1u);
}

TEST_F(MainFormTest, AMarkupNameIsShownAsTheCharactersTyped) {
  accountName = "<img src=\"/dev/zero\"><b>Bold</b>";
  TFMain main(program, prompter, Screens());
  main.resize(1000, 700);
  main.show();
  main.RunActivationStep();
  auto* welcome = main.findChild<TElidedLabel*>(QStringLiteral("welcomeLabel"));
  ASSERT_NE(welcome, nullptr);
  EXPECT_EQ(welcome->textFormat(), Qt::PlainText);
  EXPECT_EQ(welcome->FullText(), QStringLiteral("Welcome, <img src=\"/dev/zero\"><b>Bold</b>"));
  // Every label of the window that shows such text shows it as plain text;
  // drawing the window would read /dev/zero for ever otherwise.
  for (const QLabel* label : main.findChildren<QLabel*>()) {
    if (label->text().contains(QLatin1Char('<'))) {
      EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    }
  }
  EXPECT_FALSE(main.grab().isNull());
}

TEST_F(MainFormTest, ALongNameIsElidedAndNeverWidensTheWindow) {
  accountName = std::string(60, 'W');
  TFMain main(program, prompter, Screens());
  main.resize(900, 650);
  main.show();
  main.RunActivationStep();
  QCoreApplication::processEvents();
  EXPECT_EQ(main.width(), 900);
  auto* welcome = main.findChild<TElidedLabel*>(QStringLiteral("welcomeLabel"));
  EXPECT_TRUE(welcome->text().endsWith(QChar(0x2026))) << welcome->text().toStdString();
  EXPECT_EQ(welcome->toolTip(), welcome->FullText());
}

TEST_F(MainFormTest, ClosingByTheTitleBarStoresWhatOnlyMemoryHeld) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  const std::filesystem::path userFolder = program.CurrentUser()->Folder;
  TDayRecordStore& records = program.Session()->DayRecords();
  TDBC& entry = records.GetOrCreateDayRecord(kWeightStatKind, EncodeDate(2007, 6, 1));
  records.Loaded<TWeightStat>(entry).W = 71.5;
  records.SaveDayRecord(entry);  // in memory only
  EXPECT_TRUE(main.close());

  TDayRecordStore stored(program.Registry(), *random);
  stored.OpenDayRecords(userFolder);
  TDBC* found = stored.FindDayRecord(kWeightStatKind, EncodeDate(2007, 6, 1));
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(stored.Loaded<TWeightStat>(*found).W, 71.5);
  stored.CloseDayRecords();
}

TEST_F(MainFormTest, StartsWithTheFocusOnTheNamedCalendar) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  // The calendar hands its focus to its own day table.
  QWidget* focused = main.focusWidget();
  EXPECT_TRUE(focused == &main.Calendar() || main.Calendar().isAncestorOf(focused));
  EXPECT_EQ(main.Calendar().accessibleName(), QStringLiteral("Calendar"));
  for (const char* arrow : {"previousMonth", "nextMonth"})
    EXPECT_FALSE(main.findChild<QWidget*>(QString::fromLatin1(arrow))->accessibleName().isEmpty());
}

TEST_F(MainFormTest, ASmallWindowScrollsItsPanels) {
  TFMain main(program, prompter, Screens());
  main.show();
  main.RunActivationStep();
  auto* scroller = main.findChild<QScrollArea*>(QStringLiteral("panelsScrollArea"));
  ASSERT_NE(scroller, nullptr);
  main.resize(640, 420);
  QCoreApplication::processEvents();
  EXPECT_TRUE(scroller->verticalScrollBar()->maximum() > 0 ||
              scroller->horizontalScrollBar()->maximum() > 0);
}

}  // namespace
}  // namespace korvela
