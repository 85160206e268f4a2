#pragma once
#include <QColor>
#include <QWidget>

namespace korvela {

// A panel painted as one rectangle in its colour (white at first), outlined
// with the pen colour.
class MyColorPanel : public QWidget {
  Q_OBJECT
 public:
  explicit MyColorPanel(QWidget* parent = nullptr);

  QColor Color() const { return color_; }
  // A new colour repaints the panel; the same colour does nothing.
  void SetColor(const QColor& color);
  QColor PenColor() const { return penColor_; }
  void SetPenColor(const QColor& color);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor color_ = Qt::white;
  QColor penColor_ = Qt::black;
};

}  // namespace korvela
