#pragma once
#include <QLabel>

namespace korvela {

// A one-line plain-text label that shows as much of its text as fits and
// ends it with "..." when it does not: a long name never widens a window.
// The whole text is the label's tool tip when it is cut.
class TElidedLabel final : public QLabel {
  Q_OBJECT
 public:
  explicit TElidedLabel(QWidget* parent = nullptr);
  void SetFullText(const QString& text);
  const QString& FullText() const { return full_; }
  QSize minimumSizeHint() const override;

 protected:
  void resizeEvent(QResizeEvent* event) override;

 private:
  void Elide();
  QString full_;
};

}  // namespace korvela
