// The help window, F1 and the "Ask us a question." screen, under the
// program's own application object (it handles F1).
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "app/about.h"
#include "app/help.h"
#include "app/help_search.h"
#include "app/main_menu.h"
#include "app/ui/about_form.h"
#include "app/ui/application.h"
#include "app/ui/ask_question_form.h"
#include "app/ui/help_window.h"
#include "app/ui/main_form.h"
#include "app/ui/screens.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

TKorvelaApplication& App() { return *static_cast<TKorvelaApplication*>(qApp); }

class HelpWindowTest : public ::testing::Test {
 protected:
  HelpWindowTest() {
    {
      TStringTable strings(folder / kStringTableFileName, *random);
      strings.PutString(kTitleString, "Korvela");
      THelpBook book(folder / kHelpBookFileName, *random);
      book.PutHelpTopic(kHelpTemplateTopic, {"Template", "<h1>___topic</h1>___content"});
      book.PutHelpTopic(20, {"Main window", "<p>Go to <a href=\"#35\">recipes</a>.</p>"});
      book.PutHelpTopic(35, {"Recipe book", "<p>All about recipes.</p>"});
      book.PutHelpTopic(72, {"Weigh-in", "<p>Weigh yourself.</p>"});
      book.PutHelpTopic(77, {"Weight goals", "<p>A goal weight &amp; a date.</p>"});
      book.Close();
      strings.Close();
    }
    program.Start();
    (void)program.LoadSharedCollections();
    program.SetHelpHandler([this](int topic) { help.ShowHelp(topic); });
    App().SetHelpKeyHandler([this](QWidget* window) { help.ShowHelpForScreen(window); });
  }
  ~HelpWindowTest() override { App().SetHelpKeyHandler({}); }

  // Waits until the help window is the active window and has rendered.
  TFHelp& ActiveHelp() {
    TFHelp* window = help.Window();
    EXPECT_NE(window, nullptr);
    EXPECT_TRUE(QTest::qWaitForWindowActive(window));
    QCoreApplication::processEvents();
    return *window;
  }

  static QString ShownText(const TFHelp& window) { return window.Viewer()->toPlainText(); }
  static QAction* Action(const TFHelp& window, const char* name) {
    return window.findChild<QAction*>(QString::fromLatin1(name));
  }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(8);
  TFixedClock clock{EncodeDate(2007, 6, 15)};
  TProgram program{folder.Path(), TSystemDefaults{}, clock, *random};
  test::TScriptedPrompter prompter;
  THelpWindowOwner help{program};
};

TEST_F(HelpWindowTest, F1OnAScreenOpensItsTopicAndF1InHelpShowsNoPage) {
  TNewAccount ann;
  ann.name = "Ann";
  ann.birthDate = EncodeDate(1980, 1, 1);
  ann.heightCm = 170;
  ann.weightKg = 70;
  program.CreateAccount(ann);
  TFMain main(program, prompter, {});
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));

  QTest::keyClick(&main, Qt::Key_F1);
  TFHelp& window = ActiveHelp();
  EXPECT_EQ(window.State().ShownTopic(), 20);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("Main window")));
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("Go to recipes.")));

  QTest::keyClick(window.Viewer(), Qt::Key_F1);
  QCoreApplication::processEvents();
  EXPECT_EQ(window.State().ShownTopic(), kHelpWindowTopic);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("No Help Found")));
}

TEST_F(HelpWindowTest, ScreensWithoutATopicShowNoPage) {
  QDialog other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  QTest::keyClick(&other, Qt::Key_F1);
  TFHelp& window = ActiveHelp();
  EXPECT_EQ(window.State().ShownTopic(), 0);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("No Help Found")));

  // A screen may name its topic itself.
  other.setProperty(kHelpTopicProperty, 72);
  EXPECT_EQ(HelpTopicOfWindow(&other), 72);
}

TEST_F(HelpWindowTest, LinksBackAndForward) {
  program.ShowHelp(20);
  TFHelp& window = ActiveHelp();
  QAction* back = Action(window, "backAction");
  QAction* forward = Action(window, "forwardAction");
  ASSERT_TRUE(back && forward);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  // A link whose text after "#" is no number does nothing.
  emit window.Viewer()->anchorClicked(QUrl(QStringLiteral("#top")));
  EXPECT_EQ(window.State().ShownTopic(), 20);
  EXPECT_FALSE(back->isEnabled());

  emit window.Viewer()->anchorClicked(QUrl(QStringLiteral("#35")));
  EXPECT_EQ(window.State().ShownTopic(), 35);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("All about recipes.")));
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  back->trigger();
  EXPECT_EQ(window.State().ShownTopic(), 20);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("Go to recipes.")));
  EXPECT_FALSE(back->isEnabled());
  EXPECT_TRUE(forward->isEnabled());

  forward->trigger();
  EXPECT_EQ(window.State().ShownTopic(), 35);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("All about recipes.")));
  EXPECT_TRUE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());

  // A new ShowHelp starts a fresh history.
  program.ShowHelp(72);
  QCoreApplication::processEvents();
  EXPECT_EQ(window.State().ShownTopic(), 72);
  EXPECT_FALSE(back->isEnabled());
  EXPECT_FALSE(forward->isEnabled());
}

TEST_F(HelpWindowTest, TheWindowHidesWhenAnotherWindowBecomesActive) {
  program.ShowHelp(20);
  TFHelp& window = ActiveHelp();
  ASSERT_TRUE(window.isVisible());
  {
    // Its own dialogs (print, preview) keep it.
    QDialog own(&window);
    own.show();
    own.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&own));
    QCoreApplication::processEvents();
    EXPECT_TRUE(window.isVisible());
  }
  QWidget other;
  other.show();
  other.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&other));
  QCoreApplication::processEvents();
  EXPECT_FALSE(window.isVisible());

  // The next request shows the same window again.
  program.ShowHelp(72);
  EXPECT_EQ(&ActiveHelp(), &window);
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(window.State().ShownTopic(), 72);
}

TEST_F(HelpWindowTest, TheKeyboardGoesBackForwardAndClosesTheWindow) {
  program.ShowHelp(20);
  TFHelp& window = ActiveHelp();
  emit window.Viewer()->anchorClicked(QUrl(QStringLiteral("#35")));
  ASSERT_EQ(window.State().ShownTopic(), 35);
  QTest::keyClick(window.Viewer(), Qt::Key_Left, Qt::AltModifier);
  EXPECT_EQ(window.State().ShownTopic(), 20);
  QTest::keyClick(window.Viewer(), Qt::Key_Right, Qt::AltModifier);
  EXPECT_EQ(window.State().ShownTopic(), 35);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Help - Recipe book"));
  QTest::keyClick(window.Viewer(), Qt::Key_Escape);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(HelpWindowTest, TheWindowOpensBesideTheScreenThatAsked) {
  const QRect area = QApplication::primaryScreen()->availableGeometry();
  QDialog screen;
  screen.setGeometry(area.left() + 20, area.top() + 40, 240, 200);
  screen.show();
  screen.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&screen));
  program.ShowHelp(72);
  TFHelp& window = ActiveHelp();
  EXPECT_FALSE(window.frameGeometry().intersects(screen.frameGeometry()));
  EXPECT_TRUE(area.contains(window.frameGeometry()))
      << window.frameGeometry().x() << "," << window.frameGeometry().y() << " "
      << window.frameGeometry().width() << "x" << window.frameGeometry().height() << " in "
      << area.width() << "x" << area.height();
}

TEST_F(HelpWindowTest, TheSearchFieldListsPagesBestFirstAndOpensTheChosenOne) {
  program.ShowHelp(20);
  TFHelp& window = ActiveHelp();
  QLineEdit* field = window.SearchField();
  ASSERT_NE(field, nullptr);
  QTest::keyClick(window.Viewer(), Qt::Key_F, Qt::ControlModifier);
  EXPECT_EQ(QApplication::focusWidget(), field);
  QTest::keyClicks(field, QStringLiteral("weig"));
  QTest::keyClick(field, Qt::Key_Return);
  EXPECT_EQ(window.State().ShownTopic(), kHelpSearchTopic);
  EXPECT_EQ(window.windowTitle(), QStringLiteral("Help - Search Help"));
  const QString found = ShownText(window);
  EXPECT_TRUE(found.contains(QStringLiteral("2 pages hold \u201cweig\u201d")))
      << found.toStdString();
  EXPECT_LT(found.indexOf(QStringLiteral("Weigh-in")),
            found.indexOf(QStringLiteral("Weight goals")))
      << found.toStdString();
  EXPECT_FALSE(found.contains(QStringLiteral("Recipe book"))) << found.toStdString();

  // The chosen result opens its page; Back returns to the results and
  // their words.
  emit window.Viewer()->anchorClicked(QUrl(QStringLiteral("#77")));
  EXPECT_EQ(window.State().ShownTopic(), 77);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("A goal weight & a date.")));
  field->clear();
  Action(window, "backAction")->trigger();
  EXPECT_EQ(window.State().ShownTopic(), kHelpSearchTopic);
  EXPECT_EQ(field->text(), QStringLiteral("weig"));

  // What was typed is shown as typed, never as markup.
  field->setText(QStringLiteral("<b>bold</b>"));
  Action(window, "searchAction")->trigger();
  EXPECT_TRUE(ShownText(window).contains(
      QStringLiteral("No page holds every word of \u201c<b>bold</b>\u201d")))
      << ShownText(window).toStdString();
}

TEST_F(HelpWindowTest, ContentsListsEveryPageAndLeadsToIt) {
  program.ShowHelp(72);
  TFHelp& window = ActiveHelp();
  Action(window, "contentsAction")->trigger();
  EXPECT_EQ(window.State().ShownTopic(), kHelpContentsTopic);
  const QString contents = ShownText(window);
  for (const char* title : {"Main window", "Recipe book", "Weigh-in", "Weight goals"})
    EXPECT_TRUE(contents.contains(QString::fromUtf8(title))) << title << "\n"
                                                             << contents.toStdString();
  EXPECT_TRUE(contents.contains(QStringLiteral("Nutrition"))) << contents.toStdString();
  EXPECT_FALSE(contents.contains(QStringLiteral("Template"))) << contents.toStdString();
  emit window.Viewer()->anchorClicked(QUrl(QStringLiteral("#35")));
  EXPECT_EQ(window.State().ShownTopic(), 35);
  EXPECT_EQ(window.State().History(), (std::vector<int>{72, kHelpContentsTopic, 35}));
}

TEST_F(HelpWindowTest, TheHelpMenuOpensContentsAndTheSearchField) {
  TNewAccount ann;
  ann.name = "Ann";
  ann.birthDate = EncodeDate(1980, 1, 1);
  ann.heightCm = 170;
  ann.weightKg = 70;
  program.CreateAccount(ann);
  TFMain main(program, prompter, MakeScreens(program, prompter));
  main.show();
  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  ASSERT_NE(main.Command(kContentsCommand), nullptr);
  main.Command(kContentsCommand)->trigger();
  TFHelp& window = ActiveHelp();
  EXPECT_EQ(window.State().ShownTopic(), kHelpContentsTopic);

  main.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
  ASSERT_NE(main.Command(kSearchHelpCommand), nullptr);
  main.Command(kSearchHelpCommand)->trigger();
  EXPECT_EQ(&ActiveHelp(), &window);
  EXPECT_EQ(window.State().ShownTopic(), kHelpSearchTopic);
  EXPECT_TRUE(ShownText(window).contains(QStringLiteral("press Enter")));
  EXPECT_EQ(QApplication::focusWidget(), window.SearchField());
}

TEST(AboutForm, ShowsVersionAndLicenceAsPlainTextAndOkCloses) {
  TFAbout form;
  EXPECT_EQ(form.windowTitle(), QStringLiteral("About Korvela"));
  EXPECT_EQ(HelpTopicOfWindow(&form), kHelpMenuTopic);
  QString shown;
  for (QLabel* label : form.findChildren<QLabel*>()) {
    if (label->text().isEmpty()) continue;
    EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    shown += label->text() + QLatin1Char('\n');
  }
  EXPECT_TRUE(
      shown.contains(QStringLiteral("Korvela ") + QString::fromUtf8(KorvelaVersion().data())))
      << shown.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("GPL-3.0-or-later"))) << shown.toStdString();
  EXPECT_TRUE(shown.contains(QStringLiteral("Qt ") + QString::fromLatin1(qVersion())))
      << shown.toStdString();
  form.show();
  auto* ok = form.findChild<QPushButton*>(QStringLiteral("okButton"));
  ASSERT_NE(ok, nullptr);
  EXPECT_TRUE(ok->isDefault());
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
}

TEST(AskQuestionForm, ShowsWhereToLookAndStartsAnEmail) {
  std::vector<QUrl> opened;
  TFAskQuestion form(nullptr, [&opened](const QUrl& url) { opened.push_back(url); });
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Ask us a question."));
  const struct {
    const char* label;
    const char* text;
  } labels[] = {
      {"headingLabel", "You need help? Ask us a question..."},
      {"hint1Label", "1. Read the Frequently Asked Questions in the [FAQ] menu"},
      {"hint2Label", "2. Read the help of the screen related to your question"},
      {"hint3Label", "3. E-mail us your question to support@korvela.example.org"},
  };
  for (const auto& l : labels) {
    auto* label = form.findChild<QLabel*>(QString::fromLatin1(l.label));
    ASSERT_NE(label, nullptr) << l.label;
    EXPECT_EQ(label->text(), QString::fromUtf8(l.text)) << l.label;
  }

  form.show();
  auto* email = form.findChild<QPushButton*>(QStringLiteral("emailButton"));
  ASSERT_NE(email, nullptr);
  EXPECT_EQ(email->text(), QStringLiteral("E-mail your question now"));
  QTest::mouseClick(email, Qt::LeftButton);
  ASSERT_EQ(opened.size(), 1u);
  EXPECT_EQ(opened[0].toEncoded().toStdString(),
            "mailto:support@korvela.example.org?subject=Korvela%20Question");
  EXPECT_TRUE(form.isVisible());

  auto* ok = form.findChild<QPushButton*>(QStringLiteral("okButton"));
  ASSERT_NE(ok, nullptr);
  QTest::mouseClick(ok, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST_F(HelpWindowTest, TheMainWindowOpensTheAskAndAboutScreens) {
  const TFMain::TScreens screens = MakeScreens(program, prompter);
  EXPECT_EQ(screens.commands.count(kAskQuestionCommand), 1u);
  EXPECT_EQ(screens.commands.count(kAboutCommand), 1u);
}

TEST_F(HelpWindowTest, MyRecordsAndTheStrengthCalculatorOpenTheirScreens) {
  const TFMain::TScreens screens = MakeScreens(program, prompter);
  for (const auto& [command, screen] :
       {std::pair{"My Records...", "Personal Records History"},
        std::pair{"Assess the maximal strength for various repetition ranges",
                  "Calculate Maximal Strength"}}) {
    QString shown;
    QTimer::singleShot(0, [&shown] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal) return;
      shown = modal->windowTitle();
      modal->close();
    });
    ASSERT_EQ(screens.commands.count(command), 1u) << command;
    screens.commands.at(command)(nullptr, EncodeDate(2007, 6, 15));
    EXPECT_EQ(shown, QString::fromUtf8(screen));
  }
}

}  // namespace
}  // namespace korvela

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedKingdom));
  korvela::TKorvelaApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
