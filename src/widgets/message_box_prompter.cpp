#include "widgets/message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace korvela {
namespace {

// Texts may carry names a user typed or a file held: never markup.
QMessageBox::StandardButton Show(QMessageBox::Icon icon, const std::string& text,
                                 QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, QApplication::applicationDisplayName(), QString::fromStdString(text),
                  buttons, QApplication::activeWindow());
  box.setTextFormat(Qt::PlainText);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

}  // namespace

void TMessageBoxPrompter::Warn(const std::string& text) {
  Show(QMessageBox::Warning, text, QMessageBox::Ok);
}

void TMessageBoxPrompter::Inform(const std::string& text) {
  Show(QMessageBox::Information, text, QMessageBox::Ok);
}

bool TMessageBoxPrompter::AskYesNo(const std::string& text) {
  return Show(QMessageBox::Question, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TAnswer TMessageBoxPrompter::AskYesNoAll(const std::string& text) {
  switch (Show(QMessageBox::Question, text,
               QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll | QMessageBox::NoToAll)) {
    case QMessageBox::Yes:
      return TAnswer::Yes;
    case QMessageBox::YesToAll:
      return TAnswer::YesToAll;
    case QMessageBox::NoToAll:
      return TAnswer::NoToAll;
    default:
      return TAnswer::No;
  }
}

}  // namespace korvela
