#include "app/ui/splash_form.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>
#include <QThread>

namespace korvela {

TFSplash::TFSplash(const QString& pictureFile)
    : QLabel(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  setObjectName(QStringLiteral("splashLabel"));
  setPixmap(QPixmap(pictureFile));
  adjustSize();
  if (const QScreen* screen = QApplication::primaryScreen())
    move(screen->availableGeometry().center() - rect().center());
}

void TFSplash::ShowFadingIn() {
  // Platforms without a screen (tests, measurements) cannot fade.
  if (QGuiApplication::platformName() == QStringLiteral("offscreen")) {
    show();
    return;
  }
  setWindowOpacity(0);
  show();
  // The picture itself does not change: each step only changes the window's
  // opacity, which the window system draws; the steps are spread over a fifth
  // of a second so that the fade can be seen.
  constexpr int kSteps = 16;
  constexpr unsigned long kStepMs = 12;
  for (int step = 1; step <= kSteps; ++step) {
    setWindowOpacity(static_cast<double>(step) / kSteps);
    QApplication::processEvents();
    QThread::msleep(kStepMs);
  }
}

}  // namespace korvela
