#include "app/ui/application.h"

#include <QKeyEvent>
#include <exception>

namespace korvela {
namespace {

// The class of the object whose event failed, without the namespace.
std::string SenderClass(const QObject* receiver) {
  if (!receiver) return {};
  const std::string name = receiver->metaObject()->className();
  const auto colon = name.rfind("::");
  return colon == std::string::npos ? name : name.substr(colon + 2);
}

}  // namespace

TKorvelaApplication::TKorvelaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TKorvelaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    if (helpKey_ && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1 &&
        static_cast<QKeyEvent*>(event)->modifiers() == Qt::NoModifier) {
      helpKey_(QApplication::activeWindow());
      return true;
    }
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ReportError(e.what(), SenderClass(receiver));
  } catch (...) {
    ReportError("", SenderClass(receiver));
  }
  return false;
}

void TKorvelaApplication::ReportError(const std::string& message, const std::string& sender) {
  // One report only: an error raised while the report is shown ends the
  // program at once.
  if (reporting_ || !handler_) std::_Exit(1);
  reporting_ = true;
  handler_(message, sender);
}

}  // namespace korvela
