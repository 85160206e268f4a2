#include "widgets/elided_label.h"

#include <QFontMetrics>

namespace korvela {

TElidedLabel::TElidedLabel(QWidget* parent) : QLabel(parent) {
  setTextFormat(Qt::PlainText);
  setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
}

void TElidedLabel::SetFullText(const QString& text) {
  full_ = text;
  Elide();
}

QSize TElidedLabel::minimumSizeHint() const { return {0, QLabel::minimumSizeHint().height()}; }

void TElidedLabel::resizeEvent(QResizeEvent* event) {
  QLabel::resizeEvent(event);
  Elide();
}

void TElidedLabel::Elide() {
  const int room = contentsRect().width();
  const QString shown = fontMetrics().elidedText(full_, Qt::ElideRight, room > 0 ? room : 1);
  if (shown != text()) setText(shown);
  setToolTip(shown == full_ ? QString() : full_);
}

}  // namespace korvela
