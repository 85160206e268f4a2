#include "energy/ui/body_form_parts.h"

#include <QShortcut>

#include "widgets/date_edit.h"

namespace korvela {

QString QText(const std::string& text) { return QString::fromStdString(text); }

QPushButton* MakeButton(const char* caption, const char* name, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(caption), parent);
  button->setObjectName(QString::fromUtf8(name));
  return button;
}

QLabel* MakeHeading(const char* text, QWidget* parent) {
  auto* heading = new QLabel(QString::fromUtf8(text), parent);
  heading->setObjectName(QStringLiteral("headingLabel"));
  QFont font = heading->font();
  font.setBold(true);
  heading->setFont(font);
  return heading;
}

QLabel* MakeBuddyLabel(const char* text, QWidget* control, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setBuddy(control);
  control->setAccessibleName(label->text());
  return label;
}

TMyDate* MakeDateEntry(TProgram& program, const char* name, const char* label, QWidget* parent) {
  auto* entry = new TMyDate(program.Config(), program.Clock(), parent);
  entry->Edit()->setObjectName(QString::fromUtf8(name));
  entry->Edit()->setAccessibleName(QString::fromUtf8(label));
  entry->setAccessibleName(QString::fromUtf8(label));
  return entry;
}

QDialogButtonBox* MakeDialogButtons(QDialog& dialog, TProgram& program, int helpTopic,
                                    std::function<void()> okClick) {
  auto* ok = MakeButton("OK", "okButton", &dialog);
  ok->setDefault(true);
  ok->setAutoDefault(true);
  auto* cancel = MakeButton("Cancel", "cancelButton", &dialog);
  auto* help = MakeButton("Help", "helpButton", &dialog);
  auto* buttons = new QDialogButtonBox(&dialog);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);
  buttons->addButton(help, QDialogButtonBox::HelpRole);
  QObject::connect(ok, &QPushButton::clicked, &dialog, std::move(okClick));
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  ConnectHelp(dialog, help, program, helpTopic);
  return buttons;
}

void ConnectHelp(QDialog& dialog, QPushButton* help, TProgram& program, int helpTopic) {
  QObject::connect(help, &QPushButton::clicked, &dialog,
                   [&program, helpTopic] { program.ShowHelp(helpTopic); });
  auto* f1 = new QShortcut(QKeySequence::HelpContents, &dialog);
  QObject::connect(f1, &QShortcut::activated, &dialog,
                   [&program, helpTopic] { program.ShowHelp(helpTopic); });
}

}  // namespace korvela
