#include "widgets/message_box_prompter.h"

#include <QApplication>
#include <QMessageBox>

namespace korvela {
namespace {

QString Title() { return QApplication::applicationDisplayName(); }

}  // namespace

void TMessageBoxPrompter::Warn(const std::string& text) {
  QMessageBox::warning(QApplication::activeWindow(), Title(), QString::fromStdString(text));
}

void TMessageBoxPrompter::Inform(const std::string& text) {
  QMessageBox::information(QApplication::activeWindow(), Title(), QString::fromStdString(text));
}

bool TMessageBoxPrompter::AskYesNo(const std::string& text) {
  return QMessageBox::question(QApplication::activeWindow(), Title(), QString::fromStdString(text),
                               QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

TAnswer TMessageBoxPrompter::AskYesNoAll(const std::string& text) {
  const auto answer = QMessageBox::question(
      QApplication::activeWindow(), Title(), QString::fromStdString(text),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::YesToAll | QMessageBox::NoToAll);
  switch (answer) {
    case QMessageBox::Yes: return TAnswer::Yes;
    case QMessageBox::YesToAll: return TAnswer::YesToAll;
    case QMessageBox::NoToAll: return TAnswer::NoToAll;
    default: return TAnswer::No;
  }
}

}  // namespace korvela
