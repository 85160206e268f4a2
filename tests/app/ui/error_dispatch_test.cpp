// An exception escaping an event handler is caught by the application's
// event dispatch and handed to the error handler with the failing object's
// class name.
#include <QCoreApplication>
#include <QEvent>
#include <QPushButton>
#include <cstdio>
#include <stdexcept>
#include <string>

#include "app/ui/application.h"

namespace {

class TThrowingButton final : public QPushButton {
 public:
  bool event(QEvent* e) override {
    if (e->type() == QEvent::User) throw std::runtime_error("the disk is full");
    return QPushButton::event(e);
  }
};

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  korvela::TKorvelaApplication app(argc, argv);
  std::string message, sender;
  int reports = 0;
  app.SetErrorHandler([&](const std::string& m, const std::string& s) {
    message = m;
    sender = s;
    ++reports;
  });
  TThrowingButton button;
  QCoreApplication::postEvent(&button, new QEvent(QEvent::User));
  QCoreApplication::processEvents();
  if (reports != 1 || message != "the disk is full" || sender != "QPushButton") {
    std::printf("reports %d, message '%s', sender '%s'\n0 passed, 1 failed\n", reports,
                message.c_str(), sender.c_str());
    return 1;
  }
  std::printf("1 passed, 0 failed\n");
  return 0;
}
