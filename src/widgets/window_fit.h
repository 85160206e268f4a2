#pragma once
#include <QMargins>
#include <QObject>
#include <QRect>
#include <QSize>

class QApplication;
class QWidget;

namespace korvela {

// The free area of the screen a window is on (the primary screen's for a
// window that has none yet): the screen less the panels and docks of the
// desktop.
QRect FreeArea(const QWidget& window);

// The room the window manager's frame takes around the window: its title
// bar and borders. A window that was never shown has no frame yet; it takes
// the frame of a window that is shown, else a generous guess, so that a
// window placed before it shows is not made too large.
QMargins FrameMargins(const QWidget& window);

// `wanted` (a window's client area), less what the free area has no room
// for once the frame is added.
QSize SizeWithinFreeArea(const QWidget& window, QSize wanted);

// Sizes a top-level window to `wanted` (its client area), less what the
// free area has no room for once the frame is added, and centres the frame
// in the free area. A window placed before it shows is placed once more
// with its real frame when it first shows.
void FitByFrame(QWidget& window, QSize wanted);

// Makes a top-level window smaller where its frame is larger than the free
// area, and moves it where its frame sticks out of it; a window that fits
// stays as it is. A window not yet shown is checked once more when it shows
// with its real frame. Returns whether it changed anything.
bool KeepFrameOnScreen(QWidget& window);

// Keeps every dialog and main window within the free area with its frame:
// as it is shown, with the frame it is expected to get, and once more when
// the window manager has put its frame around it and the window shows.
class TWindowFitter final : public QObject {
 public:
  explicit TWindowFitter(QObject* parent = nullptr) : QObject(parent) {}
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Installs a TWindowFitter on the application.
void FitWindowsOnShow(QApplication& app);

}  // namespace korvela
