#pragma once
#include <QObject>

class QAbstractButton;
class QApplication;
class QGroupBox;
class QKeySequence;
class QMenu;
class QShortcut;
class QWidget;

namespace korvela {

// Gives the window's buttons, the labels of its controls, the titles of
// groups that need one (see GroupTakesAccessKey), the tabs of its tab
// widgets and its menu titles access keys that no two of them share
// (those the screen chose are kept where they are unique), and each of its
// menus keys of their own. Only what is visible in the window counts. A
// shortcut a button was given with setShortcut is kept, through
// AddButtonShortcut, when its caption takes a key.
void AssignAccessKeys(QWidget& window);
void AssignAccessKeys(QMenu& menu);

// Whether a group box's title takes an access key: it holds a control Tab
// reaches that has no key of its own (a field no label names, a radio button
// or check box whose caption has no letter). The key moves the focus into
// the group.
bool GroupTakesAccessKey(const QGroupBox& group);

// Gives a button a shortcut of its own that clicks it while it is enabled
// and shown (the key the tooltip names: "Save Changes (Ctrl+S)"). Unlike
// QAbstractButton::setShortcut it stays when the caption gets an access
// key (setText makes the caption's Alt key a button's only shortcut), and
// it wins over a field's own use of the key (Ctrl+Insert copies in a line
// edit) while the button is enabled. Make buttons' shortcuts with it.
QShortcut* AddButtonShortcut(QAbstractButton& button, const QKeySequence& key);

// Assigns the keys of every dialog, main window and menu when it is shown.
class TAccessKeyAssigner final : public QObject {
 public:
  explicit TAccessKeyAssigner(QObject* parent = nullptr) : QObject(parent) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs a TAccessKeyAssigner on the application.
void AssignAccessKeysOnShow(QApplication& app);

}  // namespace korvela
