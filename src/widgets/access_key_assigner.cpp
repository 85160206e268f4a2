#include "widgets/access_key_assigner.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
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

}  // namespace

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
                       [button](const QString& text) { button->setText(text); }, Rank(*w)});
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
