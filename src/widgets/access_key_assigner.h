#pragma once
#include <QObject>

class QApplication;
class QGroupBox;
class QMenu;
class QWidget;

namespace korvela {

// Gives the window's buttons, the labels of its controls, the titles of
// groups that need one (see GroupTakesAccessKey), the tabs of its tab
// widgets and its menu titles access keys that no two of them share
// (those the screen chose are kept where they are unique), and each of its
// menus keys of their own. Only what is visible in the window counts.
void AssignAccessKeys(QWidget& window);
void AssignAccessKeys(QMenu& menu);

// Whether a group box's title takes an access key: it holds a control Tab
// reaches that has no key of its own (a field no label names, a radio button
// or check box whose caption has no letter). The key moves the focus into
// the group.
bool GroupTakesAccessKey(const QGroupBox& group);

// Assigns the keys of every dialog, main window and menu when it is shown.
class TAccessKeyAssigner final : public QObject {
 public:
  explicit TAccessKeyAssigner(QObject* parent = nullptr) : QObject(parent) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs a TAccessKeyAssigner on the application.
void AssignAccessKeysOnShow(QApplication& app);

}  // namespace korvela
