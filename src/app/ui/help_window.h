#pragma once
#include <QAction>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QTextBrowser>
#include <cstdint>
#include <memory>

#include "app/help.h"
#include "app/program.h"

namespace korvela {

// A screen whose class serves more than one help topic (the skinfold
// calculator) names its topic in this property; it wins over the table.
inline constexpr const char* kHelpTopicProperty = "helpTopic";

// The help topic of a window: its helpTopic property when set, else the topic
// of its class; 0 (no page) for none.
int HelpTopicOfWindow(const QWidget* window);

// The help window: shows one topic as a web page, follows links between
// topics with a history of its own, shows the contents and searches the
// book, prints. It is not modal; it renders when it becomes the active window
// and hides when it stops being active.
class TFHelp final : public QMainWindow {
  Q_OBJECT
 public:
  explicit TFHelp(TProgram& program, QWidget* parent = nullptr);

  // Starts a fresh history at `topic`, shows the window and brings it to the
  // front; the page follows when the window becomes active.
  void ShowHelp(int topic);
  // Enables Back and Forward and shows the requested topic unless it is on
  // screen already.
  void RenderPage();
  // Moves the window beside `screen` (the window that asked for help) and
  // within the free area of its display: it never covers the screen's buttons
  // when there is room beside it.
  void PlaceBeside(const QWidget* screen);

  const THelpState& State() const { return *state_; }
  QTextBrowser* Viewer() const { return viewer_; }
  QLineEdit* SearchField() const { return searchField_; }

 protected:
  bool event(QEvent* event) override;

 private:
  void ViewerAnchorClicked(const QUrl& url);
  void BackButtonClick();
  void ForwardButtonClick();
  void ContentsButtonClick();
  void SearchButtonClick();
  void FindShortcutActivated();
  void PrintButtonClick();
  void PrintPreviewButtonClick();
  void ShowRenderedPage();
  void HideUnlessActive();

  TProgram& program_;
  std::unique_ptr<THelpState> state_;
  QTextBrowser* viewer_ = nullptr;
  QLineEdit* searchField_ = nullptr;
  QAction* backAction_ = nullptr;
  QAction* forwardAction_ = nullptr;
  std::uint64_t loadedVersion_ = 0;
};

// Creates the help window on first use and keeps it to the end of the run.
// While a modal screen is open, the window belongs to that screen so that it
// can be used beside it; once hidden it stands on its own again.
class THelpWindowOwner {
 public:
  explicit THelpWindowOwner(TProgram& program) : program_(program) {}
  ~THelpWindowOwner();
  THelpWindowOwner(const THelpWindowOwner&) = delete;
  THelpWindowOwner& operator=(const THelpWindowOwner&) = delete;

  void ShowHelp(int topic);
  // Help for the active window (F1).
  void ShowHelpForScreen(const QWidget* window) { ShowHelp(HelpTopicOfWindow(window)); }
  TFHelp* Window() const { return window_; }

 private:
  TProgram& program_;
  QPointer<TFHelp> window_;
};

}  // namespace korvela
