#pragma once
#include <QDialog>
#include <QPlainTextEdit>
#include <QPushButton>
#include <string>

namespace korvela {

// The unexpected-error report: the message to copy or mail to the support
// team, then the program ends.
class TFErrorReport final : public QDialog {
  Q_OBJECT
 public:
  TFErrorReport(const std::string& message, const std::string& sender, QWidget* parent = nullptr);
  QString ReportText() const { return text_->toPlainText(); }

 private:
  void SendButtonClick();
  void CopyButtonClick();

  QPlainTextEdit* text_;
};

}  // namespace korvela
