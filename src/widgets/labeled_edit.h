#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QWidget>

namespace korvela {

// A text entry with its caption to the left (the entry's buddy, so its text
// is the entry's accessible name) and an optional unit label to the right.
class TLabeledEdit : public QWidget {
  Q_OBJECT
 public:
  TLabeledEdit(const QString& caption, QWidget* parent = nullptr);
  QLineEdit* Edit() const { return edit_; }
  QLabel* CaptionLabel() const { return caption_; }
  QLabel* UnitLabel() const { return unit_; }
  void SetCaption(const QString& caption);
  void SetUnit(const QString& unit);

 private:
  QLabel* caption_;
  QLineEdit* edit_;
  QLabel* unit_;
};

// The labelled entry of the screens.
using TMyCoolLEdit = TLabeledEdit;

// The entry without a label: white background, text left, right or centred
// through setAlignment.
class TMyEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TMyEdit(QWidget* parent = nullptr);
};

}  // namespace korvela
