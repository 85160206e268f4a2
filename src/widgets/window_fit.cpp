#include "widgets/window_fit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QMainWindow>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>
#include <algorithm>

namespace korvela {
namespace {

// A title bar and borders larger than most window managers draw: a window
// placed before any frame is known is rather too small than too large.
constexpr QMargins kFrameGuess(6, 36, 6, 6);

// How long after a window first shows the window manager may still be
// framing and placing it.
constexpr int kSettleMilliseconds = 1500;

constexpr const char* kWantedProperty = "korvelaFitWanted";
constexpr const char* kFittedProperty = "korvelaFitSize";
constexpr const char* kWatchName = "korvelaFrameWatch";

// Whether the window shows on the screen, so that the frame the window
// manager put around it (none, without one) is known.
bool Framed(const QWidget& window) {
  return window.isVisible() && window.windowHandle() && window.windowHandle()->isExposed();
}

QSize Outer(QSize client, const QMargins& frame) {
  return client + QSize(frame.left() + frame.right(), frame.top() + frame.bottom());
}

// The top left of a frame of `outer` moved as little as needed to lie
// within `area` (its top left when it is larger).
QPoint Within(QPoint topLeft, QSize outer, const QRect& area) {
  const int x = std::max(area.left(), std::min(topLeft.x(), area.right() + 1 - outer.width()));
  const int y = std::max(area.top(), std::min(topLeft.y(), area.bottom() + 1 - outer.height()));
  return {x, y};
}

bool Watched(QWidget& window) {
  return qobject_cast<QDialog*>(&window) || qobject_cast<QMainWindow*>(&window);
}

// Follows one window from its showing until its frame has settled: when it
// first shows, a window placed by FitByFrame with a guessed frame is placed
// again with the real one, and any window whose frame the window manager
// put outside the free area is brought back within it.
class TFrameWatch final : public QObject {
 public:
  explicit TFrameWatch(QWidget& window) : QObject(&window), window_(window) {
    setObjectName(QString::fromLatin1(kWatchName));
    window_.installEventFilter(this);
    Hook();
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == &window_) {
      if (event->type() == QEvent::Show) Hook();
      if ((event->type() == QEvent::Move || event->type() == QEvent::Resize) && exposed_ &&
          !fitting_)
        Fit();
    } else if (watched == handle_ && event->type() == QEvent::Expose && !exposed_ &&
               handle_->isExposed()) {
      exposed_ = true;
      // A window that shows goes on settling for a moment, then is the user's.
      QTimer::singleShot(kSettleMilliseconds, this, [this] {
        Fit();
        deleteLater();
      });
      // After the window manager's own reply to the showing.
      QTimer::singleShot(0, this, [this] { Fit(); });
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  void Hook() {
    if (handle_ || !window_.windowHandle()) return;
    handle_ = window_.windowHandle();
    handle_->installEventFilter(this);
  }

  void Fit() {
    if (!window_.isVisible() || window_.isMaximized() || window_.isFullScreen()) return;
    fitting_ = true;
    const QVariant wanted = window_.property(kWantedProperty);
    if (wanted.isValid() && window_.size() == window_.property(kFittedProperty).toSize()) {
      // Placed with a guessed frame: the real one may leave it more room.
      FitByFrame(window_, wanted.toSize());
    }
    KeepFrameOnScreen(window_);
    fitting_ = false;
  }

  QWidget& window_;
  QWindow* handle_ = nullptr;
  bool exposed_ = false;
  bool fitting_ = false;
};

void Watch(QWidget& window) {
  if (window.findChild<TFrameWatch*>(QString::fromLatin1(kWatchName), Qt::FindDirectChildrenOnly))
    return;
  new TFrameWatch(window);
}

}  // namespace

QRect FreeArea(const QWidget& window) {
  const QScreen* screen = window.screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  return screen ? screen->availableGeometry() : QRect(0, 0, 1366, 768);
}

QMargins FrameMargins(const QWidget& window) {
  // While the window manager is still building a frame, the window system
  // may measure it as less than nothing, or as more than any frame is; that
  // is no measure yet. Trusting it would shrink the window to nothing.
  const QSize areaSize = FreeArea(window).size();
  const auto measured = [areaSize](const QWidget& w, QMargins& frame) {
    if (!Framed(w)) return false;
    frame = w.windowHandle()->frameMargins();
    return frame.left() >= 0 && frame.top() >= 0 && frame.right() >= 0 && frame.bottom() >= 0 &&
           frame.left() + frame.right() < areaSize.width() / 4 &&
           frame.top() + frame.bottom() < areaSize.height() / 4;
  };
  QMargins frame;
  if (measured(window, frame)) return frame;
  for (QWidget* other : QApplication::topLevelWidgets())
    if (other != &window && Watched(*other) && measured(*other, frame)) return frame;
  return kFrameGuess;
}

QSize SizeWithinFreeArea(const QWidget& window, QSize wanted) {
  return wanted.boundedTo(FreeArea(window).size() - Outer(QSize(0, 0), FrameMargins(window)));
}

void FitByFrame(QWidget& window, QSize wanted) {
  const QRect area = FreeArea(window);
  const QMargins frame = FrameMargins(window);
  window.resize(SizeWithinFreeArea(window, wanted));
  const QSize outer = Outer(window.size(), frame);
  window.move(Within(area.center() - QPoint(outer.width() / 2, outer.height() / 2), outer, area));
  window.setProperty(kWantedProperty, QVariant());
  if (!Framed(window)) {
    window.setProperty(kWantedProperty, wanted);
    window.setProperty(kFittedProperty, window.size());
  }
  Watch(window);
}

bool KeepFrameOnScreen(QWidget& window) {
  const QRect area = FreeArea(window);
  const QMargins frame = FrameMargins(window);
  const QSize room = area.size() - Outer(QSize(0, 0), frame);
  bool changed = false;
  if (window.width() > room.width() || window.height() > room.height()) {
    window.resize(window.size().boundedTo(room));
    changed = true;
  }
  const QSize outer = Outer(window.size(), frame);
  const QPoint frameTopLeft = window.pos();
  const QPoint within = Within(frameTopLeft, outer, area);
  if (within != frameTopLeft) {
    window.move(within);
    changed = true;
  }
  if (!Framed(window)) Watch(window);
  return changed;
}

bool TWindowFitter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Show && watched->isWidgetType()) {
    auto* widget = static_cast<QWidget*>(watched);
    if (widget->isWindow() && Watched(*widget) && !widget->isMaximized() &&
        !widget->isFullScreen()) {
      KeepFrameOnScreen(*widget);
    }
  }
  return QObject::eventFilter(watched, event);
}

void FitWindowsOnShow(QApplication& app) { app.installEventFilter(new TWindowFitter(&app)); }

}  // namespace korvela
