#pragma once
#include <QApplication>
#include <functional>
#include <string>

namespace korvela {

// The program's application object: an exception that escapes any event
// handler is handed to the error handler (the unexpected-error report)
// together with the class name of the object whose event failed.
class TKorvelaApplication final : public QApplication {
 public:
  using TErrorHandler = std::function<void(const std::string& message, const std::string& sender)>;

  TKorvelaApplication(int& argc, char** argv);
  void SetErrorHandler(TErrorHandler handler) { handler_ = std::move(handler); }
  // F1 anywhere asks for the help of the active window.
  using THelpKeyHandler = std::function<void(QWidget* activeWindow)>;
  void SetHelpKeyHandler(THelpKeyHandler handler) { helpKey_ = std::move(handler); }
  bool notify(QObject* receiver, QEvent* event) override;
  // Shows the report for an error caught outside the event loop.
  void ReportError(const std::string& message, const std::string& sender);

 private:
  TErrorHandler handler_;
  THelpKeyHandler helpKey_;
  bool reporting_ = false;
};

}  // namespace korvela
