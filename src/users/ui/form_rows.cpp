#include "users/ui/form_rows.h"

#include <algorithm>

namespace korvela {

QLabel* AddFormRow(QFormLayout& form, const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, form.parentWidget());
  label->setBuddy(field);
  field->setAccessibleName(caption);
  form.addRow(label, field);
  return label;
}

void AlignCaptions(std::initializer_list<QLabel*> captions) {
  int width = 0;
  for (const QLabel* caption : captions) width = std::max(width, caption->sizeHint().width());
  for (QLabel* caption : captions) caption->setMinimumWidth(width);
}

}  // namespace korvela
