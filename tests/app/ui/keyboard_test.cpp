// Every screen the main window opens, and the dialogs those open in turn,
// walked from the keyboard's side: Tab reaches every control that takes the
// focus and names each stop, every button, label of a control and menu title
// has an access key that no other in its window shares, every Ctrl shortcut
// a button's tooltip names still works once the keys are given, Enter
// confirms (a field that acts on Enter itself keeps the window open) and
// Escape closes the window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractPrintDialog>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPointer>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QShortcut>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <utility>
#include <vector>

#include "activities/ui/activity_log_form.h"
#include "activities/ui/sports_dictionary_form.h"
#include "app/main_menu.h"
#include "app/program.h"
#include "app/string_table.h"
#include "app/ui/main_form.h"
#include "app/ui/screens.h"
#include "energy/body_records.h"
#include "energy/cal_stat.h"
#include "support/tab_chain.h"
#include "support/temp_folder.h"
#include "users/access_keys.h"
#include "users/clock.h"
#include "widgets/access_key_assigner.h"
#include "widgets/grid.h"

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

// The Ctrl shortcut a control's tooltip names: "Save Changes (Ctrl+S)".
QKeySequence TooltipShortcut(const QWidget& w) {
  static const QRegularExpression kNamed(QStringLiteral("\\((Ctrl\\+[^)]+)\\)"));
  const QRegularExpressionMatch m = kNamed.match(w.toolTip());
  return m.hasMatch() ? QKeySequence(m.captured(1), QKeySequence::PortableText) : QKeySequence();
}

// Whether something of the window answers the key: the button's own
// shortcut, or a QShortcut or action of the window.
bool AnswersKey(QWidget& window, const QAbstractButton& button, const QKeySequence& key) {
  if (button.shortcut() == key) return true;
  for (QShortcut* s : window.findChildren<QShortcut*>())
    if (s->key() == key && s->isEnabled()) return true;
  for (QAction* a : window.findChildren<QAction*>())
    if (a->shortcuts().contains(key) && a->isEnabled()) return true;
  return false;
}

// Presses a key where the user types: at the window's focus.
void Press(QWidget& window, const QKeySequence& key) {
  if (!window.isActiveWindow()) {
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window, 2000);
  }
  QTest::keySequence(window.focusWidget() ? window.focusWidget() : &window, key);
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
    if (auto* b = qobject_cast<QAbstractButton*>(w);
        b && !TooltipShortcut(*b).isEmpty() && !AnswersKey(window, *b, TooltipShortcut(*b)))
      faults << Where(*w) + QStringLiteral(" lost its shortcut ") +
                    TooltipShortcut(*b).toString(QKeySequence::PortableText);
    if (auto* l = qobject_cast<QLabel*>(w);
        l && l->buddy() && l->buddy()->focusPolicy() != Qt::NoFocus && !l->text().isEmpty())
      key(l->text(), Where(*w));
    if (auto* g = qobject_cast<QGroupBox*>(w); g && GroupTakesAccessKey(*g))
      key(g->title(), Where(*w));
  }
  for (QMenuBar* bar : window.findChildren<QMenuBar*>())
    for (QAction* a : bar->actions())
      if (a->isVisible()) key(a->text(), QStringLiteral("menu ") + a->text());
  // Tab reads the window as a person does, rows down and columns across: no
  // step goes back up to a control wholly above the one before that also
  // starts further left (the step from the last stop round to the first is
  // no step; a step up to the top of the next column on the right is fine).
  constexpr int kSlack = 10;  // controls of one column that do not quite line up
  const auto place = [&window](QWidget* w) {
    return QRect(w->mapTo(&window, QPoint()), w->size());
  };
  for (int i = 1; i < chain.size(); ++i) {
    const QRect from = place(chain[i - 1]);
    const QRect to = place(chain[i]);
    if (to.bottom() < from.top() && to.left() + kSlack < from.left())
      faults << QStringLiteral("Tab goes back from ") + Where(*chain[i - 1]) +
                    QStringLiteral(" to ") + Where(*chain[i]);
  }
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

// The caption as the user reads it: no access key marks.
QString Plain(const QString& caption) {
  QString plain = caption;
  plain.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  return plain.trimmed();
}

// Dialogs Korvela does not make: the file and print choosers are closed
// unchecked.
bool IsForeign(QWidget& modal) {
  return qobject_cast<QFileDialog*>(&modal) || qobject_cast<QAbstractPrintDialog*>(&modal) ||
         qobject_cast<QPrintPreviewDialog*>(&modal);
}

// A button that opens a dialog on the side, as its caption says: an
// ellipsis or a picker's arrow. Buttons that choose a file or print are left
// alone.
bool OpensSideDialog(const QPushButton& button) {
  const QString caption = Plain(button.text());
  if (caption.contains(QStringLiteral("Browse"), Qt::CaseInsensitive) ||
      caption.contains(QStringLiteral("Print"), Qt::CaseInsensitive) ||
      caption.contains(QStringLiteral("Image"), Qt::CaseInsensitive))
    return false;
  return caption.endsWith(QStringLiteral("...")) || caption.endsWith(QStringLiteral("..>>")) ||
         caption == QStringLiteral("<..") || caption == QStringLiteral("..");
}

// The buttons the walk presses: those above and the main commands of a
// window that open dialogs with plain captions, named here by window and
// button. Help is left alone (its window is not modal).
bool OpensDialog(const QPushButton& button) {
  static const std::set<std::pair<QString, QString>> kOpeners = {
      {QStringLiteral("korvela::TFSportsDictionary"), QStringLiteral("newActivityButton")},
      {QStringLiteral("korvela::TFSportsDictionary"), QStringLiteral("editActivityButton")},
      {QStringLiteral("korvela::TFSportsDictionary"), QStringLiteral("copyActivityButton")},
      {QStringLiteral("korvela::TFWeighIn"), QStringLiteral("threeSiteButton")},
      {QStringLiteral("korvela::TFWeighIn"), QStringLiteral("sevenSiteButton")},
      {QStringLiteral("korvela::TFFoodLogForm"), QStringLiteral("logButton")},
      {QStringLiteral("korvela::TFReports"), QStringLiteral("showReportButton")}};
  return OpensSideDialog(button) ||
         kOpeners.count(
             {QString::fromUtf8(button.window()->metaObject()->className()), button.objectName()});
}

// The commands of a window's own menus that open a dialog: those whose
// caption ends in an ellipsis and the few named here; never printing,
// closing or deleting.
bool OpensDialog(const QAction& action) {
  static const QStringList kOpeners = {QStringLiteral("New Food"), QStringLiteral("Menu options")};
  const QString caption = Plain(action.text());
  for (const char* refused : {"Print", "Close", "Delete", "Export", "Import"})
    if (caption.startsWith(QString::fromUtf8(refused))) return false;
  return caption.endsWith(QStringLiteral("...")) || kOpeners.contains(caption);
}

QDialogButtonBox::ButtonRole RoleOf(QPushButton& button) {
  auto* box = qobject_cast<QDialogButtonBox*>(button.parentWidget());
  return box ? box->buttonRole(&button) : QDialogButtonBox::InvalidRole;
}

// A button that accepts what a dialog holds: an accepting button of its
// button box, or one that says so.
bool Accepts(QPushButton& button) {
  const QDialogButtonBox::ButtonRole role = RoleOf(button);
  static const QStringList kAccepting = {QStringLiteral("OK"), QStringLiteral("Save"),
                                         QStringLiteral("Open")};
  return role == QDialogButtonBox::AcceptRole || role == QDialogButtonBox::YesRole ||
         kAccepting.contains(Plain(button.text()), Qt::CaseInsensitive);
}

// Whether Return may press a button: the dialog's main action (OK, Save,
// Open, a calculator's Calculate, Close of a window that only shows), never
// Help, Cancel, a deleting command or one that opens a dialog on the side.
bool MayTakeReturn(QPushButton& button) {
  const QDialogButtonBox::ButtonRole role = RoleOf(button);
  const QString caption = Plain(button.text());
  if (role == QDialogButtonBox::HelpRole || caption == QStringLiteral("Help")) return false;
  if (role == QDialogButtonBox::DestructiveRole || caption.startsWith(QStringLiteral("Delete")) ||
      caption.startsWith(QStringLiteral("Remove")))
    return false;
  if ((role == QDialogButtonBox::RejectRole || caption == QStringLiteral("Cancel")) &&
      caption != QStringLiteral("Close"))
    return false;
  return !OpensSideDialog(button);
}

// Fields that act on Return themselves, where Return must keep the window
// open: the activity log's filter finds, and its activity's fields log the
// activity (Return there pressing OK would close the screen and lose what
// was typed).
bool ActsOnReturn(const QWidget& field) {
  static const QString kActivityLog = QStringLiteral("korvela::TFActivityLog");
  static const std::set<std::pair<QString, QString>> kFields = {
      {kActivityLog, QStringLiteral("filterLineEdit")},
      {kActivityLog, QStringLiteral("nameLineEdit")},
      {kActivityLog, QStringLiteral("timeOfDayTimeEdit")},
      {kActivityLog, QStringLiteral("metLineEdit")},
      {kActivityLog, QStringLiteral("durationLineEdit")}};
  return kFields.count(
      {QString::fromUtf8(field.window()->metaObject()->className()), field.objectName()});
}

// Enter confirms. Return typed in a field of a dialog presses the dialog's
// default button (Qt picks one when the dialog shows, unless the dialog
// named it): where there is one, it is the dialog's main action (see
// MayTakeReturn); a dialog with a button that accepts (see Accepts) has
// one. Windows that only show or pick, whose fields act on Return
// themselves (a search field finds), may leave Return to their fields;
// the fields named by ActsOnReturn take it in any window, and Return is
// pressed in them to see the window stay open. A push button with the
// focus takes Return itself, as everywhere, and is not checked.
QStringList EnterFaults(QDialog& dialog) {
  QList<QPushButton*> buttons;
  bool accepts = false;
  for (QPushButton* b : dialog.findChildren<QPushButton*>()) {
    if (b->window() != &dialog || !b->isVisibleTo(&dialog) || !b->isEnabled()) continue;
    buttons << b;
    accepts = accepts || Accepts(*b);
  }
  // Return in a field: the focus goes to the first stop that is no button
  // and leaves Return to the dialog.
  const QList<QWidget*> chain = test::TabChain(dialog);
  const auto field = std::find_if(chain.begin(), chain.end(), [](QWidget* w) {
    return !qobject_cast<QAbstractButton*>(w) && !ActsOnReturn(*w);
  });
  // A button that had the focus hands the default back as the focus leaves
  // it, which only an active window hears.
  if (!dialog.isActiveWindow()) {
    dialog.activateWindow();
    if (!QTest::qWaitForWindowActive(&dialog, 2000)) return {QStringLiteral("never became active")};
  }
  QWidget* const before = dialog.focusWidget();
  QStringList faults;
  for (QWidget* w : chain) {
    if (!ActsOnReturn(*w)) continue;
    w->setFocus(Qt::TabFocusReason);
    QTest::keyClick(w, Qt::Key_Return);
    if (!dialog.isVisible()) {
      faults << QStringLiteral("Return in ") + Where(*w) + QStringLiteral(" closes the window");
      return faults;
    }
  }
  if (field == chain.end()) return faults;
  (*field)->setFocus(Qt::TabFocusReason);
  const auto def =
      std::find_if(buttons.begin(), buttons.end(), [](QPushButton* b) { return b->isDefault(); });
  if (def == buttons.end() && accepts)
    faults << QStringLiteral("Return in a field presses no button");
  else if (def != buttons.end() && !MayTakeReturn(**def))
    faults << QStringLiteral("Return in a field presses ") + Where(**def) + QStringLiteral(" \"") +
                  Plain((*def)->text()) + QStringLiteral("\"");
  if (before) before->setFocus(Qt::TabFocusReason);
  return faults;
}

// Walks the modal windows as they come up, from a timer that keeps running
// in their event loops: checks each, then opens the dialogs its buttons and
// menu commands open (they come up as modals in turn), and closes it with
// Escape once they are all done.
class TModalWalk {
 public:
  static constexpr std::size_t kDepth = 4;  // a screen and three dialogs deep

  explicit TModalWalk(std::function<void(QWidget&, const QString&)> picture)
      : picture_(std::move(picture)) {
    timer_.setInterval(20);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Tick(); });
    timer_.start();
  }

  // Before a command of the main window: what it opens is named after it.
  void Begin(const QString& command) {
    command_ = command;
    stack_.clear();
  }
  QStringList faults;
  int screens = 0;  // windows the main window's commands opened
  int dialogs = 0;  // windows those opened in turn

 private:
  struct TFrame {
    QPointer<QWidget> modal;
    QString path;
    std::vector<std::pair<QString, std::function<void()>>> openers;
    std::size_t next = 0;
    int escapes = 0;
    bool inCell = false;
    QString escapedIn;
    int ticks = 0;
  };

  void Tick() {
    if (opening_) return;
    while (!stack_.empty() && (!stack_.back().modal || !stack_.back().modal->isVisible()))
      stack_.pop_back();
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal) return;
    if (stack_.empty() || stack_.back().modal != modal) {
      if (IsForeign(*modal)) {
        if (auto* d = qobject_cast<QDialog*>(modal)) d->reject();
        return;
      }
      Enter(*modal);
      return;
    }
    TFrame& top = stack_.back();
    if (top.next < top.openers.size()) {
      const auto& opener = top.openers[top.next++];
      const std::function<void()> open = opener.second;
      opening_ = true;
      opened_ = top.path + QStringLiteral(" > ") + opener.first;
      // Opened from the event loop, not from here: the timer goes on ticking
      // in the loop of the dialog that comes up.
      QTimer::singleShot(0, modal, [this, open, path = opened_] {
        opening_ = false;
        const QList<QWidget*> before = VisibleWindows();
        open();
        for (QWidget* w : VisibleWindows())
          if (!before.contains(w) && !w->isModal()) Modeless(*w, path);
      });
      return;
    }
    // One Escape closes the window; where the focus is in a cell being
    // edited, the first leaves the cell, as in every grid, and a second one
    // closes.
    if (top.escapes == 0 || (top.escapes == 1 && top.inCell && top.ticks > 2)) {
      ++top.escapes;
      top.ticks = 0;
      QWidget* target = modal->focusWidget() ? modal->focusWidget() : modal;
      top.inCell = InCell(*target);
      top.escapedIn = Where(*target);
      QTest::keyClick(target, Qt::Key_Escape);
    } else if (++top.ticks > 10) {
      faults << top.path + QStringLiteral(": Escape does not close ") + Where(*modal) +
                    QStringLiteral(" (pressed in ") + top.escapedIn + QStringLiteral(")");
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->done(QDialog::Rejected);
      top.ticks = 0;
    }
  }

  static QList<QWidget*> VisibleWindows() {
    QList<QWidget*> windows;
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->isVisible()) windows << w;
    return windows;
  }

  // A window that is not modal (a table to keep beside a screen) is checked
  // as it comes up and closed with Escape at once.
  void Modeless(QWidget& window, const QString& path) {
    ++dialogs;
    Check(window, path);
    QPointer<QWidget> w = &window;
    QTest::keyClick(window.focusWidget() ? window.focusWidget() : &window, Qt::Key_Escape);
    QCoreApplication::processEvents();
    if (w && w->isVisible()) {
      faults << path + QStringLiteral(": Escape does not close ") + Where(*w);
      w->close();
    }
  }

  void Check(QWidget& window, const QString& path) {
    for (const QString& f : KeyboardFaults(window)) faults << path + QStringLiteral(": ") + f;
    for (const QString& f : ShortcutFaults(window)) faults << path + QStringLiteral(": ") + f;
    if (auto* dialog = qobject_cast<QDialog*>(&window))
      for (const QString& f : EnterFaults(*dialog)) faults << path + QStringLiteral(": ") + f;
    picture_(window, path);
  }

  // Presses the Ctrl shortcut each enabled button's tooltip names, where
  // the focus is: the button must answer. Those that open a dialog are
  // pressed by their key among the window's openers.
  static QStringList ShortcutFaults(QWidget& window) {
    QStringList faults;
    for (QPushButton* b : window.findChildren<QPushButton*>()) {
      const QKeySequence key = TooltipShortcut(*b);
      if (key.isEmpty() || b->window() != &window || !b->isVisibleTo(&window) || !b->isEnabled() ||
          OpensDialog(*b))
        continue;
      QSignalSpy clicked(b, &QAbstractButton::clicked);
      Press(window, key);
      if (clicked.count() != 1)
        faults << key.toString(QKeySequence::PortableText) + QStringLiteral(" does not press ") +
                      Where(*b);
    }
    return faults;
  }

  // Whether a control edits a cell of a list or grid.
  static bool InCell(QWidget& w) {
    if (qobject_cast<QAbstractItemView*>(&w)) return false;
    for (QWidget* p = w.parentWidget(); p && !p->isWindow(); p = p->parentWidget())
      if (qobject_cast<QAbstractItemView*>(p)) return true;
    return false;
  }

  void Enter(QWidget& modal) {
    TFrame frame;
    frame.modal = &modal;
    frame.path = stack_.empty() ? command_ : opened_;
    ++(stack_.empty() ? screens : dialogs);
    Check(modal, frame.path);
    if (stack_.size() + 1 < kDepth) Openers(modal, frame.openers);
    stack_.push_back(std::move(frame));
  }

  void Openers(QWidget& modal, std::vector<std::pair<QString, std::function<void()>>>& openers) {
    // The food log lists foods once it has searched for them.
    if (modal.metaObject()->className() == QByteArrayLiteral("korvela::TFFoodLogForm")) {
      auto* search = modal.findChild<QLineEdit*>(QStringLiteral("searchLineEdit"));
      auto* find = modal.findChild<QPushButton*>(QStringLiteral("findButton"));
      if (search && find) {
        search->setText(QStringLiteral("apple"));
        find->click();
        QCoreApplication::processEvents();
      }
    }
    // The recipe book opens its ingredient dialog while a recipe is edited:
    // a new recipe, a food found and added, then Cancel back to the list.
    if (modal.metaObject()->className() == QByteArrayLiteral("korvela::TFRecipeBook")) {
      QPointer<QWidget> book = &modal;
      openers.emplace_back(QStringLiteral("New Recipe > Add ingredient..."), [book] {
        const auto click = [&book](const char* name) {
          if (auto* b = book ? book->findChild<QPushButton*>(QString::fromLatin1(name)) : nullptr;
              b && b->isEnabled() && b->isVisible())
            b->click();
        };
        click("newRecipeButton");
        if (auto* search =
                book ? book->findChild<QLineEdit*>(QStringLiteral("searchLineEdit")) : nullptr)
          search->setText(QStringLiteral("apple"));
        click("findButton");
        click("addIngredientButton");
        click("cancelButton");
      });
    }
    // Commands that act on a chosen row get the first one (below a grid's
    // heading rows).
    for (QAbstractItemView* view : modal.findChildren<QAbstractItemView*>()) {
      auto* grid = qobject_cast<TMyGrid*>(view);
      const int first = grid ? grid->FixedRows() : 0;
      if (view->window() != &modal || !view->isVisibleTo(&modal) || !view->model() ||
          view->model()->rowCount() <= first ||
          (view->selectionModel() && view->selectionModel()->hasSelection()))
        continue;
      view->setCurrentIndex(view->model()->index(first, grid ? grid->FixedColumns() : 0));
    }
    for (QPushButton* b : modal.findChildren<QPushButton*>()) {
      if (b->window() != &modal || !b->isVisibleTo(&modal) || !OpensDialog(*b)) continue;
      QPointer<QPushButton> button = b;
      const QString name =
          Plain(b->text()) + QStringLiteral(" (") + b->objectName() + QStringLiteral(")");
      if (const QKeySequence key = TooltipShortcut(*b); !key.isEmpty()) {
        // Opened by the key its tooltip names, as a person at the keyboard does.
        QPointer<QWidget> window = &modal;
        const QString shown = key.toString(QKeySequence::PortableText);
        openers.emplace_back(
            name + QStringLiteral(" by ") + shown, [this, button, window, key, shown] {
              if (!button || !window || !button->isEnabled() || !button->isVisible()) return;
              const int before = dialogs;
              Press(*window, key);
              if (dialogs == before)
                faults << shown + QStringLiteral(" opens nothing from ") + Where(*window);
            });
        continue;
      }
      openers.emplace_back(name, [button] {
        if (button && button->isEnabled() && button->isVisible()) button->click();
      });
    }
    for (QMenuBar* bar : modal.findChildren<QMenuBar*>()) {
      if (bar->window() != &modal) continue;
      std::vector<QMenu*> menus;
      for (QAction* a : bar->actions())
        if (a->menu()) menus.push_back(a->menu());
      for (std::size_t i = 0; i < menus.size(); ++i)
        for (QAction* a : menus[i]->actions()) {
          if (a->menu()) {
            menus.push_back(a->menu());
          } else if (!a->isSeparator() && OpensDialog(*a)) {
            QPointer<QAction> action = a;
            openers.emplace_back(
                Plain(menus[i]->title()) + QStringLiteral(" > ") + Plain(a->text()), [action] {
                  if (action && action->isEnabled()) action->trigger();
                });
          }
        }
    }
  }

  std::function<void(QWidget&, const QString&)> picture_;
  QTimer timer_;
  QString command_;
  QString opened_;
  bool opening_ = false;
  std::vector<TFrame> stack_;
};

// The Enter rule on small dialogs of the shapes the screens have: a field
// and a row of buttons, some of them default.
TEST(KeyboardRulesTest, ReturnInAFieldPressesTheMainAction) {
  struct TButton {
    const char* caption;
    QDialogButtonBox::ButtonRole role;
    bool autoDefault;
    bool isDefault;
  };
  constexpr auto kHelp = QDialogButtonBox::HelpRole;
  constexpr auto kAccept = QDialogButtonBox::AcceptRole;
  constexpr auto kReject = QDialogButtonBox::RejectRole;
  constexpr auto kBeside = QDialogButtonBox::InvalidRole;  // beside the field, in no box
  // A button box makes its first accepting button the default by itself;
  // buttons in a plain row (kBeside) get Qt's pick: the first in the tab
  // order after the focus.
  const struct {
    const char* name;
    std::vector<TButton> buttons;
    QString fault;  // empty: none
  } cases[] = {
      {"a row of Help and OK: Qt makes Help the default",
       {{"Help", kBeside, true, false}, {"OK", kBeside, true, false}},
       QStringLiteral("Return in a field presses QPushButton 'Help' \"Help\"")},
      {"the row with OK named the default",
       {{"Help", kBeside, true, false}, {"OK", kBeside, true, true}},
       {}},
      {"a picker before OK",
       {{"<..", kBeside, true, false}, {"OK", kBeside, true, false}},
       QStringLiteral("Return in a field presses QPushButton '<..' \"<..\"")},
      {"a button box with OK", {{"Help", kHelp, true, false}, {"OK", kAccept, true, false}}, {}},
      {"Cancel named the default over the box's OK",
       {{"OK", kAccept, true, false}, {"Cancel", kReject, true, true}},
       QStringLiteral("Return in a field presses QPushButton 'Cancel' \"Cancel\"")},
      {"no button takes Return though OK accepts",
       {{"OK", kBeside, false, false}, {"Cancel", kBeside, false, false}},
       QStringLiteral("Return in a field presses no button")},
      {"a dictionary whose search field takes Return", {{"Close", kReject, false, false}}, {}},
      {"a calculator", {{"&Calculate", kBeside, true, true}, {"Close", kReject, false, false}}, {}},
  };
  for (const auto& c : cases) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* field = new QLineEdit(&dialog);
    field->setAccessibleName(QStringLiteral("Field"));
    layout->addWidget(field);
    auto* box = new QDialogButtonBox(&dialog);
    for (const TButton& b : c.buttons) {
      QPushButton* button = b.role == kBeside
                                ? new QPushButton(QString::fromUtf8(b.caption), &dialog)
                                : box->addButton(QString::fromUtf8(b.caption), b.role);
      if (b.role == kBeside) layout->addWidget(button);
      button->setObjectName(Plain(button->text()));
      button->setAutoDefault(b.autoDefault);
      if (b.isDefault) button->setDefault(true);
    }
    layout->addWidget(box);
    field->setFocus();
    dialog.show();
    const QStringList faults = EnterFaults(dialog);
    EXPECT_EQ(faults.join(QLatin1Char('\n')).toStdString(), c.fault.toStdString()) << c.name;
  }
}

// A field above and left of its window's button: Tab must reach the field
// first, whichever of the two the window made first.
TEST(KeyboardRulesTest, TabFollowsTheReadingOrder) {
  for (const bool buttonFirst : {false, true}) {
    QDialog dialog;
    QPushButton* button = nullptr;
    if (buttonFirst) button = new QPushButton(QStringLiteral("&OK"), &dialog);
    auto* field = new QLineEdit(&dialog);
    field->setObjectName(QStringLiteral("field"));
    field->setAccessibleName(QStringLiteral("Field"));
    if (!buttonFirst) button = new QPushButton(QStringLiteral("&OK"), &dialog);
    button->setObjectName(QStringLiteral("ok"));
    auto* grid = new QGridLayout(&dialog);
    grid->addWidget(field, 0, 0);
    grid->addWidget(button, 1, 1);
    dialog.show();
    const QStringList faults = KeyboardFaults(dialog);
    EXPECT_EQ(faults.join(QLatin1Char('\n')).toStdString(),
              buttonFirst ? "Tab goes back from QPushButton 'ok' to QLineEdit 'field'" : "")
        << (buttonFirst ? "button made first" : "field made first");
  }
}

// A group's title takes a key where a control in it has none of its own,
// and the key moves the focus into the group.
TEST(KeyboardRulesTest, GroupsTakeKeysForControlsWithoutOne) {
  enum class TContent { NamedField, UnnamedField, LetteredRadios, SymbolRadios };
  const struct {
    TContent content;
    bool takes;
  } cases[] = {{TContent::NamedField, false},
               {TContent::UnnamedField, true},
               {TContent::LetteredRadios, false},
               {TContent::SymbolRadios, true}};
  for (const auto& c : cases) {
    QDialog dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* before = new QLineEdit(&dialog);
    layout->addWidget(before);
    auto* group = new QGroupBox(QStringLiteral("Zone"), &dialog);
    auto* inside = new QVBoxLayout(group);
    QWidget* first = nullptr;
    if (c.content == TContent::NamedField || c.content == TContent::UnnamedField) {
      auto* field = new QLineEdit(group);
      if (c.content == TContent::NamedField) {
        auto* label = new QLabel(QStringLiteral("&Name"), group);
        label->setBuddy(field);
        inside->addWidget(label);
      }
      inside->addWidget(field);
      first = field;
    } else {
      const bool letters = c.content == TContent::LetteredRadios;
      for (const char* caption : {letters ? "North" : ".", letters ? "South" : ","}) {
        auto* radio = new QRadioButton(QString::fromUtf8(caption), group);
        inside->addWidget(radio);
        if (!first) first = radio;
      }
      static_cast<QRadioButton*>(first)->setChecked(true);
    }
    layout->addWidget(group);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
    AssignAccessKeys(dialog);
    const int index = static_cast<int>(c.content);
    EXPECT_EQ(GroupTakesAccessKey(*group), c.takes) << index;
    EXPECT_EQ(group->title(), c.takes ? QStringLiteral("&Zone") : QStringLiteral("Zone")) << index;
    if (!c.takes) continue;
    before->setFocus();
    QTest::keyClick(&dialog, Qt::Key_Z, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), first) << index;
  }
}

// Says Yes to every question.
class TYesPrompter final : public TPrompter {
 public:
  void Warn(const std::string&) override {}
  void Inform(const std::string&) override {}
  bool AskYesNo(const std::string&) override { return true; }
  TAnswer AskYesNoAll(const std::string&) override { return TAnswer::Yes; }
};

// The Ctrl shortcuts of the activity screens, pressed where the user types
// once the buttons' captions have their access keys (setText with an "&"
// would have replaced a button's own shortcut).
TEST_F(KeyboardTest, ButtonShortcutsWorkOnceAccessKeysAreGiven) {
  QApplication& app = *qApp;
  TAccessKeyAssigner assigner;
  app.installEventFilter(&assigner);
  TYesPrompter yes;
  const TDateTime day = clock.Today();
  {
    TFActivityLog log(program, yes, day);
    log.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&log));
    auto* logButton = log.findChild<QPushButton*>(QStringLiteral("logActivityButton"));
    auto* saveButton = log.findChild<QPushButton*>(QStringLiteral("saveChangesButton"));
    ASSERT_TRUE(logButton && saveButton);
    EXPECT_TRUE(logButton->text().contains(QLatin1Char('&'))) << "the assigner gave no key";
    EXPECT_TRUE(saveButton->text().contains(QLatin1Char('&'))) << "the assigner gave no key";
    auto* duration = log.findChild<QLineEdit*>(QStringLiteral("durationLineEdit"));
    ASSERT_TRUE(duration);
    log.findChild<QLineEdit*>(QStringLiteral("nameLineEdit"))->setText(QStringLiteral("Rowing"));
    log.findChild<QLineEdit*>(QStringLiteral("metLineEdit"))->setText(QStringLiteral("7"));
    duration->setText(QStringLiteral("20"));
    duration->setFocus();
    // Ctrl+Insert logs, though a line edit would copy with it.
    QTest::keySequence(duration, QKeySequence(Qt::CTRL | Qt::Key_Insert));
    ASSERT_EQ(log.LoggedGrid()->rowCount(), 2);
    // Ctrl+Delete unlogs the chosen row, though a line edit would delete a word.
    log.LoggedGrid()->setCurrentCell(1, 0);
    duration->setFocus();
    QTest::keySequence(duration, QKeySequence(Qt::CTRL | Qt::Key_Delete));
    EXPECT_EQ(log.LoggedGrid()->rowCount(), 1);
    EXPECT_EQ(duration->text(), QStringLiteral("20"));
    // Ctrl+S saves what was logged.
    QTest::keySequence(duration, QKeySequence(Qt::CTRL | Qt::Key_Insert));
    ASSERT_EQ(log.LoggedGrid()->rowCount(), 2);
    ASSERT_TRUE(saveButton->isEnabled());
    QTest::keySequence(duration, QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(saveButton->isEnabled());
    TDBC* entry = program.Session()->DayRecords().FindDayRecord(kCalStatKind, day);
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(program.Session()->DayRecords().Loaded<TCalStat>(*entry).Entries.size(), 1u);
    log.accept();
  }
  {
    TFSportsDictionary dictionary(program, yes);
    dictionary.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&dictionary));
    auto* search = dictionary.findChild<QLineEdit*>(QStringLiteral("searchLineEdit"));
    ASSERT_TRUE(search);
    const std::size_t all = dictionary.Grid()->ShownSports().size();
    ASSERT_GT(all, 1u);
    search->setFocus();
    QTest::keyClicks(search, QStringLiteral("zzzz"));
    QTest::keyClick(search, Qt::Key_Return);
    ASSERT_LT(dictionary.Grid()->ShownSports().size(), all);
    // Ctrl+A shows all, though a line edit would select its text.
    QTest::keySequence(search, QKeySequence(Qt::CTRL | Qt::Key_A));
    EXPECT_TRUE(search->text().isEmpty());
    EXPECT_EQ(dictionary.Grid()->ShownSports().size(), all);
    // Ctrl+N opens the editor for a new activity.
    QString opened;
    QTimer::singleShot(0, [&opened] {
      if (auto* modal = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
        opened = modal->windowTitle();
        modal->reject();
      }
    });
    QTest::keySequence(search, QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(opened, QStringLiteral("New Physical Activity"));
  }
  app.removeEventFilter(&assigner);
}

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
  // A phase, so that the graphs' period boxes offer to pick one.
  ASSERT_NE(program.Session(), nullptr);
  TDated<TPhase> phase;
  phase.Date = EncodeDate(2007, 5, 1);
  phase.Values.PEndDate = EncodeDate(2007, 6, 30);
  phase.Values.PName = "Cut";
  ReplacePhases(program.Session()->DayRecords(), {phase});
  QStringList faults;
  for (const QString& f : KeyboardFaults(main)) faults << QStringLiteral("main window: ") + f;
  // With KORVELA_SNAPSHOTS set, a picture of every window as the keyboard
  // finds it, for a person to look at, and a list of what each shows.
  const QString pictures = qEnvironmentVariable("KORVELA_SNAPSHOTS");
  int pictureCount = 0;
  QStringList shown;
  const auto picture = [&](QWidget& window, const QString& path) {
    if (pictures.isEmpty()) return;
    const QString name = QStringLiteral("keys-%1.png").arg(pictureCount++, 3, 10, QLatin1Char('0'));
    window.grab().save(pictures + QLatin1Char('/') + name);
    shown << name + QStringLiteral(": ") + path + QStringLiteral(" [") +
                 QString::fromUtf8(window.metaObject()->className()) + QLatin1Char(']');
  };
  picture(main, QStringLiteral("main window"));

  TModalWalk walk(picture);
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
        walk.Begin(QString::fromStdString(caption));
        try {
          main.ExecuteCommand(caption);
        } catch (const std::exception& e) {
          faults << QString::fromStdString(caption) + QStringLiteral(": ") +
                        QString::fromUtf8(e.what());
        }
        QCoreApplication::processEvents();
      }
    }
  }
  faults << walk.faults;
  if (!pictures.isEmpty()) {
    QFile list(pictures + QStringLiteral("/keys.txt"));
    if (list.open(QIODevice::WriteOnly | QIODevice::Text))
      list.write(shown.join(QLatin1Char('\n')).toUtf8() + '\n');
  }
  EXPECT_GT(walk.screens, 20);
  EXPECT_GT(walk.dialogs, 20);
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
  app.removeEventFilter(&assigner);
}

}  // namespace
}  // namespace korvela

namespace korvela {
namespace {

// The screens before the main window: the login list and the new account.
TEST_F(KeyboardTest, TheStartScreensAreUsableFromTheKeyboard) {
  QApplication& app = *qApp;
  TAccessKeyAssigner assigner;
  app.installEventFilter(&assigner);
  program.LogOff();
  TFMain::TScreens screens = MakeScreens(program, prompter);
  // With KORVELA_SNAPSHOTS set, a picture of each start screen.
  const QString pictures = qEnvironmentVariable("KORVELA_SNAPSHOTS");
  int pictureCount = 0;
  TModalWalk walk([&](QWidget& window, const QString&) {
    if (!pictures.isEmpty())
      window.grab().save(QStringLiteral("%1/start-%2.png").arg(pictures).arg(pictureCount++));
  });
  walk.Begin(QStringLiteral("login"));
  EXPECT_FALSE(screens.login(nullptr));
  walk.Begin(QStringLiteral("new account"));
  EXPECT_FALSE(screens.newAccount(nullptr));
  EXPECT_EQ(walk.screens, 2);
  EXPECT_TRUE(walk.faults.isEmpty()) << walk.faults.join(QLatin1Char('\n')).toStdString();
  app.removeEventFilter(&assigner);
}

}  // namespace
}  // namespace korvela
