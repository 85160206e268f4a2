#include "energy/ui/calculator_parts.h"

#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <algorithm>

#include "energy/body_calculators.h"
#include "energy/skinfold.h"

namespace korvela {

QLabel* MakePlainHeading(const QString& text, QWidget* parent) {
  auto* heading = new QLabel(text, parent);
  heading->setObjectName(QStringLiteral("headingLabel"));
  heading->setTextFormat(Qt::PlainText);
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);
  return heading;
}

TLabeledEdit* MakeEntry(QWidget* parent, const QString& caption, const QString& name,
                        const QString& unit) {
  auto* edit = new TLabeledEdit(caption, parent);
  edit->setObjectName(name + QStringLiteral("Edit"));
  edit->Edit()->setObjectName(name + QStringLiteral("LineEdit"));
  if (!unit.isEmpty()) edit->SetUnit(unit);
  edit->Edit()->setFixedWidth(EntryWidth(*edit, 8));
  return edit;
}

void MakeReadOnly(TLabeledEdit& edit) {
  edit.Edit()->setReadOnly(true);
  edit.Edit()->setFocusPolicy(Qt::NoFocus);
}

void AlignCaptions(std::initializer_list<TLabeledEdit*> edits) {
  int width = 0;
  for (TLabeledEdit* edit : edits)
    width = std::max(width, edit->CaptionLabel()->sizeHint().width());
  for (TLabeledEdit* edit : edits) edit->CaptionLabel()->setMinimumWidth(width);
}

int EntryWidth(const QWidget& widget, int digits) {
  return widget.fontMetrics().horizontalAdvance(QLatin1Char('0')) * digits + 12;
}

QValidator* DigitsOnly(QObject* parent) {
  return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), parent);
}

QComboBox* MakeSexComboBox(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QStringLiteral("sexComboBox"));
  for (const char* sex : kSkinfoldSexNames) combo->addItem(QText(sex));
  return combo;
}

TSex SexOf(const QComboBox& sexComboBox) {
  return sexComboBox.currentIndex() == static_cast<int>(TSex::Female) ? TSex::Female : TSex::Male;
}

QComboBox* MakeBodyFatComboBox(QWidget* parent) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QStringLiteral("bodyFatComboBox"));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->addItem(QText(kBodyFatUnknown));
  combo->setMinimumWidth(combo->fontMetrics().horizontalAdvance(QText(kBodyFatUnknown)) + 48);
  return combo;
}

QLabel* MakeLabelFor(const QString& text, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setBuddy(control);
  control->setAccessibleName(text);
  return label;
}

double SilentValue(TQuantityEdit& edit) {
  TQuantityEntry& entry = edit.Entry();
  entry.SetText(edit.Edit()->text().toStdString());
  if (!entry.Validate(false).ok) return -1;
  return entry.Value();
}

void NameQuantity(TQuantityEdit& edit, const QString& name) {
  edit.setObjectName(name + QStringLiteral("Edit"));
  edit.Edit()->setObjectName(name + QStringLiteral("LineEdit"));
  edit.Edit()->setFixedWidth(EntryWidth(edit, 8));
}

QDialogButtonBox* MakeCloseButtons(QDialog& dialog, TProgram& program, int helpTopic) {
  auto* buttons = new QDialogButtonBox(&dialog);
  auto* close = buttons->addButton(QStringLiteral("Close"), QDialogButtonBox::RejectRole);
  close->setObjectName(QStringLiteral("closeButton"));
  close->setAutoDefault(false);
  auto* help = buttons->addButton(QStringLiteral("Help"), QDialogButtonBox::HelpRole);
  help->setObjectName(QStringLiteral("helpButton"));
  help->setAutoDefault(false);
  QObject::connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
  ConnectHelp(dialog, help, program, helpTopic);
  return buttons;
}

}  // namespace korvela
