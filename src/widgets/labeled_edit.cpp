#include "widgets/labeled_edit.h"

#include <QHBoxLayout>

namespace korvela {

TLabeledEdit::TLabeledEdit(const QString& caption, QWidget* parent)
    : QWidget(parent),
      caption_(new QLabel(caption, this)),
      edit_(new QLineEdit(this)),
      unit_(new QLabel(this)) {
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(caption_);
  layout->addSpacing(10);
  layout->addWidget(edit_, 1);
  layout->addSpacing(3);
  layout->addWidget(unit_);
  caption_->setTextFormat(Qt::PlainText);
  unit_->setTextFormat(Qt::PlainText);
  caption_->setBuddy(edit_);
  edit_->setAccessibleName(caption);
  edit_->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
  unit_->hide();
}

TMyEdit::TMyEdit(QWidget* parent) : QLineEdit(parent) {
  setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
}

void TLabeledEdit::SetCaption(const QString& caption) {
  caption_->setText(caption);
  edit_->setAccessibleName(caption);
}

void TLabeledEdit::SetUnit(const QString& unit) {
  unit_->setText(unit);
  unit_->setVisible(!unit.isEmpty());
}

}  // namespace korvela
