#pragma once
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QString>
#include <QValidator>
#include <initializer_list>
#include <string>

#include "app/program.h"
#include "energy/ui/body_form_parts.h"
#include "users/user.h"
#include "widgets/labeled_edit.h"
#include "widgets/quantity_edit.h"

namespace korvela {

// Pieces of the calculator and activity screens.

// The bold line at the top of a screen, a name in it shown as typed.
QLabel* MakePlainHeading(const QString& text, QWidget* parent);
// A labelled entry named `name` + "Edit", its line `name` + "LineEdit", with
// an optional unit after it.
TLabeledEdit* MakeEntry(QWidget* parent, const QString& caption, const QString& name,
                        const QString& unit = QString());
// A result field: read-only and skipped by Tab.
void MakeReadOnly(TLabeledEdit& edit);
// The captions of the entries one width, so that the fields line up.
void AlignCaptions(std::initializer_list<TLabeledEdit*> edits);
// The width of `digits` digits in the widget's font.
int EntryWidth(const QWidget& widget, int digits);
// Lets only digits be typed.
QValidator* DigitsOnly(QObject* parent);
// "Male", "Female", indexed by TSex.
QComboBox* MakeSexComboBox(QWidget* parent);
TSex SexOf(const QComboBox& sexComboBox);
// The body fat drop-down: the one item "I don't know" and a typed number.
QComboBox* MakeBodyFatComboBox(QWidget* parent);
// A label for a control, its buddy; the control's accessible name is the
// label's text.
QLabel* MakeLabelFor(const QString& text, QWidget* control, QWidget* parent);
// The metric value of a weight or length entry checked without a message;
// -1 while it is empty or not valid.
double SilentValue(TQuantityEdit& edit);
// A weight or length entry named `name` + "Edit" / "LineEdit".
void NameQuantity(TQuantityEdit& edit, const QString& name);
// "Close" and "Help" of a calculator; F1 opens the same topic.
QDialogButtonBox* MakeCloseButtons(QDialog& dialog, TProgram& program, int helpTopic);

}  // namespace korvela
