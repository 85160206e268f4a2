#pragma once
#include <QDialog>

namespace korvela {

// "About Korvela": the program's version, its copyright and licence, and
// where its food data comes from.
class TFAbout final : public QDialog {
  Q_OBJECT
 public:
  explicit TFAbout(QWidget* parent = nullptr);
};

}  // namespace korvela
