// Every screen the main window opens, walked from the keyboard's side: Tab
// reaches every control that takes the focus and names each stop, every
// button, label of a control and menu title has an access key that no other
// in its window shares, and Escape closes the screen.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "app/main_menu.h"
#include "app/program.h"
#include "app/string_table.h"
#include "app/ui/main_form.h"
#include "app/ui/screens.h"
#include "support/tab_chain.h"
#include "support/temp_folder.h"
#include "users/access_keys.h"
#include "users/clock.h"
#include "widgets/access_key_assigner.h"

namespace korvela {
namespace {

// Says No to every question and remembers nothing.
class TNoPrompter final : public TPrompter {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return false; }
  TAnswer AskYesNoAll(const std::string&) override { return TAnswer::No; }
};

QString Where(const QWidget& w) {
  return QStringLiteral("%1 '%2'").arg(QString::fromUtf8(w.metaObject()->className()),
                                       w.objectName());
}

// What a window lacks for a person at the keyboard.
QStringList KeyboardFaults(QWidget& window) {
  QStringList faults = test::TabChainFaults(window, {});
  const QList<QWidget*> chain = test::TabChain(window);
  std::map<char, QString> keys;
  const auto key = [&](const QString& caption, const QString& where) {
    const char k = AccessKeyOf(caption.toStdString());
    const bool symbolsOnly =
        std::none_of(caption.begin(), caption.end(), [](QChar c) { return c.isLetterOrNumber(); });
    if (symbolsOnly) return;  // "<..": a key needs a letter or a digit
    if (k == 0 && where.startsWith(QStringLiteral("QRadioButton"))) return;  // arrows move there
    if (k == 0) {
      faults << where + QStringLiteral(" \"") + caption + QStringLiteral("\" has no access key");
    } else if (const auto [it, fresh] = keys.emplace(k, where); !fresh) {
      faults << where + QStringLiteral(" shares its access key with ") + it->second;
    }
  };
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (w->window() != &window || !w->isVisibleTo(&window)) continue;
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->focusProxy() &&
        !chain.contains(w) && !qobject_cast<QMenu*>(w) && !qobject_cast<QMenuBar*>(w))
      faults << Where(*w) + QStringLiteral(" is never reached by Tab");
    if (auto* b = qobject_cast<QAbstractButton*>(w);
        b && !qobject_cast<QToolButton*>(w) && !b->text().isEmpty())
      key(b->text(), Where(*w));
    if (auto* l = qobject_cast<QLabel*>(w);
        l && l->buddy() && l->buddy()->focusPolicy() != Qt::NoFocus && !l->text().isEmpty())
      key(l->text(), Where(*w));
  }
  for (QMenuBar* bar : window.findChildren<QMenuBar*>())
    for (QAction* a : bar->actions())
      if (a->isVisible()) key(a->text(), QStringLiteral("menu ") + a->text());
  return faults;
}

class KeyboardTest : public ::testing::Test {
 protected:
  KeyboardTest() {
    // The shipped files, as the program finds them in its data folder.
    for (const char* shipped : {KORVELA_SHIPPED_STRINGS, KORVELA_SHIPPED_FOODS,
                                KORVELA_SHIPPED_EXERCISES, KORVELA_SHIPPED_ACTIVITIES})
      std::filesystem::copy_file(shipped, folder / std::filesystem::path(shipped).filename());
    program.Start();
    (void)program.LoadSharedCollections(&prompter);
    TNewAccount a;
    a.name = "Ann";
    a.birthDate = EncodeDate(1980, 1, 1);
    a.heightCm = 170;
    a.weightKg = 70;
    program.CreateAccount(a);
  }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(5);
  TFixedClock clock{EncodeDate(2007, 6, 15) + 0.5};
  TProgram program{folder.Path(), TSystemDefaults{}, clock, *random};
  TNoPrompter prompter;
};

TEST_F(KeyboardTest, EveryScreenIsUsableFromTheKeyboard) {
  QApplication& app = *qApp;
  TAccessKeyAssigner assigner;
  app.installEventFilter(&assigner);
  TFMain::TScreens screens = MakeScreens(program, prompter);
  screens.login = [](QWidget*) { return true; };
  TFMain main(program, prompter, screens);
  main.show();
  main.RunActivationStep();
  QCoreApplication::processEvents();
  QStringList faults;
  for (const QString& f : KeyboardFaults(main)) faults << QStringLiteral("main window: ") + f;
  // With KORVELA_SNAPSHOTS set, a picture of every window as the keyboard
  // finds it, for a person to look at.
  const QString pictures = qEnvironmentVariable("KORVELA_SNAPSHOTS");
  int pictureCount = 0;
  const auto picture = [&](QWidget& window) {
    if (!pictures.isEmpty())
      window.grab().save(QStringLiteral("%1/keys-%2.png")
                             .arg(pictures)
                             .arg(pictureCount++, 2, 10, QLatin1Char('0')));
  };
  picture(main);

  std::set<QWidget*> seen;
  QString command;
  int ticks = 0;
  QTimer inspector;
  inspector.setInterval(20);
  QObject::connect(&inspector, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (!seen.count(modal)) {
      seen.insert(modal);
      ticks = 0;
      for (const QString& f : KeyboardFaults(*modal)) faults << command + QStringLiteral(": ") + f;
      picture(*modal);
      QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
      QTest::keyClick(target, Qt::Key_Escape);
    } else if (++ticks > 10) {
      faults << command + QStringLiteral(": Escape does not close ") + Where(*modal);
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
      ticks = 0;
    }
  });
  inspector.start();
  int opened = 0;
  for (const TMenu& menu : MainMenus()) {
    for (const TMenuItem& item : menu.items) {
      std::vector<std::string> captions;
      if (item.items.empty())
        captions.push_back(item.caption);
      else
        for (const TMenuItem& sub : item.items) captions.push_back(sub.caption);
      for (const std::string& caption : captions) {
        if (caption == kExitCommand || caption == kLogOffCommand || item.helpTopic != 0 ||
            !screens.commands.count(caption))
          continue;
        command = QString::fromStdString(caption);
        // A window of an earlier command may have lived at the same address.
        seen.clear();
        try {
          main.ExecuteCommand(caption);
        } catch (const std::exception& e) {
          faults << command + QStringLiteral(": ") + QString::fromUtf8(e.what());
        }
        QCoreApplication::processEvents();
        if (!seen.empty()) ++opened;
      }
    }
  }
  inspector.stop();
  EXPECT_GT(opened, 20);
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
  app.removeEventFilter(&assigner);
}

}  // namespace
}  // namespace korvela
