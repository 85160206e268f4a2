#pragma once
#include <QDialog>
#include <QUrl>
#include <functional>

namespace korvela {

// "Ask us a question.": where to look for an answer first, and a button that
// starts an e-mail to the support address.
class TFAskQuestion final : public QDialog {
  Q_OBJECT
 public:
  // `openUrl` hands the "mailto:" address to the desktop; tests pass their
  // own to see it.
  using TUrlOpener = std::function<void(const QUrl&)>;
  explicit TFAskQuestion(QWidget* parent = nullptr, TUrlOpener openUrl = {});

 private:
  void EmailButtonClick();

  TUrlOpener openUrl_;
};

}  // namespace korvela
