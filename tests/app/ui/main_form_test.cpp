#include <gtest/gtest.h>

#include <QLabel>
#include <QMenuBar>

#include "app/main_menu.h"
#include "app/ui/main_form.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

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
      a.name = "Ann";
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
    s.commands["Personal Information..."] = [this](QWidget*) {
      calls.push_back("personal information");
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
                  .contains(QStringLiteral("15 June 2007")));
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

}  // namespace
}  // namespace korvela
