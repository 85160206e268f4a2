#include "app/ui/splash_form.h"

#include <QApplication>
#include <QPixmap>
#include <QScreen>

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
  setWindowOpacity(0);
  show();
  for (int step = 1; step <= 255; ++step) {
    setWindowOpacity(step / 255.0);
    repaint();
  }
  QApplication::processEvents();
}

}  // namespace korvela
