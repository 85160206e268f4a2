#include "widgets/access_key_assigner.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QShortcut>
#include <QTabBar>
#include <QToolButton>
#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "users/access_keys.h"

namespace korvela {
namespace {

// One caption that takes part: how to read it and how to put it back, and
// how soon it gets a key when there are not enough for all (lower first).
struct TCaptioned {
  std::function<QString()> get;
  std::function<void(const QString&)> set;
  int rank = 0;
};

// The window's own buttons first, then other buttons, labels and tabs; the
// radio buttons last, since the arrow keys move between them anyway.
int Rank(QWidget& w) {
  if (qobject_cast<QRadioButton*>(&w)) return 3;
  if (qobject_cast<QDialogButtonBox*>(w.parentWidget())) return 0;
  if (qobject_cast<QAbstractButton*>(&w)) return 1;
  return 2;
}

bool HasLetter(const QString& text) {
  return std::any_of(text.begin(), text.end(), [](QChar c) { return c.isLetterOrNumber(); });
}

void Apply(std::vector<TCaptioned> items) {
  std::stable_sort(items.begin(), items.end(),
                   [](const TCaptioned& a, const TCaptioned& b) { return a.rank < b.rank; });
  std::vector<std::string> captions;
  captions.reserve(items.size());
  for (const TCaptioned& item : items) captions.push_back(item.get().toStdString());
  const std::vector<std::string> keyed = WithAccessKeys(captions);
  for (std::size_t i = 0; i < items.size(); ++i)
    if (keyed[i] != captions[i]) items[i].set(QString::fromStdString(keyed[i]));
}

void AddActions(std::vector<TCaptioned>& items, const QList<QAction*>& actions) {
  for (QAction* action : actions) {
    if (action->isSeparator() || !action->isVisible() || action->text().isEmpty()) continue;
    items.push_back({[action] { return action->text(); },
                     [action](const QString& text) { action->setText(text); }});
  }
}

constexpr const char* kButtonShortcutName = "korvelaButtonShortcut";
constexpr const char* kShortcutFirstName = "korvelaShortcutFirst";

// The button a shortcut made by AddButtonShortcut clicks, while it can.
QAbstractButton* ClickableButton(QShortcut& shortcut) {
  auto* button = qobject_cast<QAbstractButton*>(shortcut.parent());
  return button && button->isEnabled() && button->isVisible() ? button : nullptr;
}

// Lets the buttons' shortcuts of one window win over a field's own use of
// their keys: it watches each control of the window that takes the focus.
class TShortcutFirst final : public QObject {
 public:
  explicit TShortcutFirst(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QString::fromLatin1(kShortcutFirstName));
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
      if (now && now->window() == &window_) now->installEventFilter(this);
    });
    if (QWidget* focus = window.focusWidget()) focus->installEventFilter(this);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::ShortcutOverride) return QObject::eventFilter(watched, event);
    const QKeySequence pressed(static_cast<QKeyEvent*>(event)->keyCombination());
    for (QShortcut* shortcut :
         window_.findChildren<QShortcut*>(QString::fromLatin1(kButtonShortcutName))) {
      if (shortcut->key() != pressed || !ClickableButton(*shortcut)) continue;
      event->ignore();  // not the field's: the shortcut takes the key
      return true;
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  QWidget& window_;
};

// setText replaces a button's shortcut by its caption's Alt key: a shortcut
// the screen gave it goes to a QShortcut of its own first.
void KeepOwnShortcut(QAbstractButton& button) {
  const QKeySequence own = button.shortcut();
  if (own.isEmpty() || own == QKeySequence::mnemonic(button.text())) return;
  AddButtonShortcut(button, own);
  button.setShortcut(QKeySequence());
}

}  // namespace

QShortcut* AddButtonShortcut(QAbstractButton& button, const QKeySequence& key) {
  auto* shortcut = new QShortcut(key, &button);
  shortcut->setObjectName(QString::fromLatin1(kButtonShortcutName));
  shortcut->setContext(Qt::WindowShortcut);
  QObject::connect(shortcut, &QShortcut::activated, &button, [shortcut] {
    if (QAbstractButton* b = ClickableButton(*shortcut)) b->click();
  });
  QWidget* window = button.window();
  if (!window->findChild<TShortcutFirst*>(QString::fromLatin1(kShortcutFirstName),
                                          Qt::FindDirectChildrenOnly))
    new TShortcutFirst(*window);
  return shortcut;
}

bool GroupTakesAccessKey(const QGroupBox& group) {
  if (group.title().isEmpty() || !group.isEnabled()) return false;
  QList<QWidget*> named;
  for (QLabel* label : group.window()->findChildren<QLabel*>())
    if (label->buddy()) named << label->buddy();
  for (QWidget* w : group.findChildren<QWidget*>()) {
    if (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(&group) || w->focusProxy()) continue;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      if (!HasLetter(button->text())) return true;
      continue;
    }
    bool hasName = false;
    for (QWidget* p = w; p && p != &group && !hasName; p = p->parentWidget())
      hasName = named.contains(p) || std::any_of(named.begin(), named.end(),
                                                 [p](QWidget* n) { return n->focusProxy() == p; });
    if (!hasName) return true;
  }
  return false;
}

void AssignAccessKeys(QMenu& menu) {
  std::vector<TCaptioned> items;
  AddActions(items, menu.actions());
  Apply(items);
  for (QAction* action : menu.actions())
    if (QMenu* sub = action->menu()) AssignAccessKeys(*sub);
}

void AssignAccessKeys(QWidget& window) {
  std::vector<TCaptioned> items;
  const auto inWindow = [&window](QWidget* w) {
    return w->window() == &window && w->isVisibleTo(&window);
  };
  for (QMenuBar* bar : window.findChildren<QMenuBar*>()) {
    if (!inWindow(bar)) continue;
    AddActions(items, bar->actions());
    for (QAction* action : bar->actions())
      if (QMenu* menu = action->menu()) AssignAccessKeys(*menu);
  }
  for (QWidget* w : window.findChildren<QWidget*>()) {
    if (!inWindow(w)) continue;
    if (auto* button = qobject_cast<QAbstractButton*>(w)) {
      // Tool bar buttons show their action's text; the menus key those.
      if (qobject_cast<QToolButton*>(w) || button->text().isEmpty()) continue;
      items.push_back({[button] { return button->text(); },
                       [button](const QString& text) {
                         KeepOwnShortcut(*button);
                         button->setText(text);
                       },
                       Rank(*w)});
    } else if (auto* label = qobject_cast<QLabel*>(w)) {
      // A label names a control; one whose buddy takes no focus has no key
      // to give.
      if (!label->buddy() || label->buddy()->focusPolicy() == Qt::NoFocus ||
          label->text().isEmpty() || label->textFormat() == Qt::RichText)
        continue;
      items.push_back({[label] { return label->text(); },
                       [label](const QString& text) { label->setText(text); }, Rank(*w)});
    } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
      if (!GroupTakesAccessKey(*group)) continue;
      items.push_back({[group] { return group->title(); },
                       [group](const QString& text) { group->setTitle(text); }, Rank(*w)});
    } else if (auto* tabs = qobject_cast<QTabBar*>(w)) {
      // Tabs whose captions come from the user's data (plans, workouts)
      // change while the window is open; only a tab widget's fixed pages
      // take keys.
      if (!qobject_cast<QTabWidget*>(tabs->parentWidget())) continue;
      for (int i = 0; i < tabs->count(); ++i)
        items.push_back({[tabs, i] { return tabs->tabText(i); },
                         [tabs, i](const QString& text) { tabs->setTabText(i, text); }, 2});
    }
  }
  Apply(items);
}

bool TAccessKeyAssigner::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (auto* menu = qobject_cast<QMenu*>(widget))
      AssignAccessKeys(*menu);
    else if (widget->isWindow() &&
             (qobject_cast<QDialog*>(widget) || qobject_cast<QMainWindow*>(widget)))
      AssignAccessKeys(*widget);
  }
  return QObject::eventFilter(watched, event);
}

void AssignAccessKeysOnShow(QApplication& app) {
  app.installEventFilter(new TAccessKeyAssigner(&app));
}

}  // namespace korvela
