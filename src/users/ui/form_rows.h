#pragma once
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>
#include <initializer_list>

namespace korvela {

// Adds a captioned row; the caption becomes the field's buddy and accessible
// name, so tests and screen readers find the field by what its label says.
QLabel* AddFormRow(QFormLayout& form, const QString& caption, QWidget* field);

// Gives every caption the width of the widest one, so that the entries to
// their right start in one column. Needed where a caption belongs to a
// TLabeledEdit, which lays out its own caption beside its entry.
void AlignCaptions(std::initializer_list<QLabel*> captions);

// "OK" (the default button, okButton) and "Cancel" (cancelButton, which
// rejects the dialog) in a button box of the dialog; the caller connects OK.
struct TOkCancelButtons {
  QDialogButtonBox* box;
  QPushButton* ok;
  QPushButton* cancel;
};
TOkCancelButtons AddOkCancelButtons(QDialog& dialog);

}  // namespace korvela
