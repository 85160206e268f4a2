#pragma once
#include <QLabel>

namespace korvela {

// The borderless start-up picture, centred and on top, fading in while the
// shared collections load.
class TFSplash final : public QLabel {
  Q_OBJECT
 public:
  explicit TFSplash(const QString& pictureFile);
  // Shows the picture and fades it in from transparent to opaque.
  void ShowFadingIn();
};

}  // namespace korvela
