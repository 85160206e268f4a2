#include "users/ui/form_rows.h"

#include <algorithm>

namespace korvela {

QLabel* AddFormRow(QFormLayout& form, const QString& caption, QWidget* field) {
  auto* label = new QLabel(caption, form.parentWidget());
  label->setTextFormat(Qt::PlainText);
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

TOkCancelButtons AddOkCancelButtons(QDialog& dialog) {
  TOkCancelButtons b;
  b.ok = new QPushButton(QStringLiteral("OK"), &dialog);
  b.ok->setObjectName(QStringLiteral("okButton"));
  b.ok->setDefault(true);
  b.cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
  b.cancel->setObjectName(QStringLiteral("cancelButton"));
  b.box = new QDialogButtonBox(&dialog);
  b.box->addButton(b.ok, QDialogButtonBox::AcceptRole);
  b.box->addButton(b.cancel, QDialogButtonBox::RejectRole);
  QObject::connect(b.cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return b;
}

}  // namespace korvela
