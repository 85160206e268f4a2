#include "app/ui/application.h"

#include <exception>

namespace korvela {

TKorvelaApplication::TKorvelaApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TKorvelaApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& e) {
    ReportError(e.what(), receiver ? receiver->metaObject()->className() : "");
  } catch (...) {
    ReportError("", receiver ? receiver->metaObject()->className() : "");
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
