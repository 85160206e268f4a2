#include "widgets/color_panel.h"

#include <QPainter>

namespace korvela {

MyColorPanel::MyColorPanel(QWidget* parent) : QWidget(parent) {
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void MyColorPanel::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void MyColorPanel::SetPenColor(const QColor& color) {
  if (color == penColor_) return;
  penColor_ = color;
  update();
}

void MyColorPanel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(penColor_);
  p.setBrush(color_);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace korvela
