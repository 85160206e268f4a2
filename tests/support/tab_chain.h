#pragma once
#include <QAbstractButton>
#include <QAccessible>
#include <QStringList>
#include <QWidget>

namespace korvela::test {

// The controls the Tab key visits in a screen, in order, once round: the
// screen's focus chain filtered as Qt filters it for Tab.
inline QList<QWidget*> TabChain(QWidget& screen) {
  QList<QWidget*> chain;
  QWidget* w = &screen;
  for (int guard = 0; guard < 1000; ++guard) {
    w = w->nextInFocusChain();
    if (w == &screen) break;
    if (!screen.isAncestorOf(w) || !(w->focusPolicy() & Qt::TabFocus) || !w->isEnabled() ||
        !w->isVisibleTo(&screen) || w->focusProxy())
      continue;
    if (chain.contains(w)) break;
    chain << w;
  }
  return chain;
}

// What is wrong with a screen's tab chain: a stop with no accessible name (a
// panel a screen reader cannot name), or a wanted button that Tab never
// reaches.
inline QStringList TabChainFaults(QWidget& screen, const QStringList& wantedButtons) {
  QStringList faults;
  const QList<QWidget*> chain = TabChain(screen);
  QStringList reached;
  for (QWidget* w : chain) {
    reached << w->objectName();
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(w);
    const QString name = accessible ? accessible->text(QAccessible::Name).trimmed() : QString();
    if (name.isEmpty())
      faults << QStringLiteral("unnamed stop %1 '%2'")
                    .arg(QString::fromUtf8(w->metaObject()->className()), w->objectName());
  }
  for (const QString& button : wantedButtons)
    if (!reached.contains(button)) faults << QStringLiteral("Tab never reaches ") + button;
  return faults;
}

}  // namespace korvela::test
