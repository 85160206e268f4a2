#include "app/ui/help_window.h"

#include <QApplication>
#include <QDesktopServices>
#include <QEvent>
#include <QKeySequence>
#include <QLabel>
#include <QScreen>
#include <QShortcut>
#include <QStyle>
#include <QToolBar>
#include <algorithm>

#include "app/help_search.h"
#include "widgets/page_printing.h"

namespace korvela {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr QSize kHelpWindowSize(780, 680);

}  // namespace

int HelpTopicOfWindow(const QWidget* window) {
  if (!window) return 0;
  bool ok = false;
  const int topic = window->property(kHelpTopicProperty).toInt(&ok);
  if (ok) return topic;
  return HelpTopicOfScreen(window->metaObject()->className(), window->windowTitle().toStdString());
}

TFHelp::TFHelp(TProgram& program, QWidget* parent)
    : QMainWindow(parent, Qt::Window), program_(program) {
  setObjectName(QStringLiteral("helpWindow"));
  setWindowTitle(QStringLiteral("Help"));
  state_ = std::make_unique<THelpState>(program_.HelpBook(), program_.Folder() / kHelpPageFileName);

  QToolBar* bar = addToolBar(QStringLiteral("Help"));
  bar->setObjectName(QStringLiteral("helpToolBar"));
  bar->setMovable(false);
  bar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
  backAction_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("Back"),
                               this, &TFHelp::BackButtonClick);
  backAction_->setObjectName(QStringLiteral("backAction"));
  backAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  forwardAction_ = bar->addAction(style()->standardIcon(QStyle::SP_ArrowForward),
                                  QStringLiteral("Forward"), this, &TFHelp::ForwardButtonClick);
  forwardAction_->setObjectName(QStringLiteral("forwardAction"));
  forwardAction_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  QAction* contents =
      bar->addAction(QString::fromUtf8(kHelpContentsTitle), this, &TFHelp::ContentsButtonClick);
  contents->setObjectName(QStringLiteral("contentsAction"));
  bar->addSeparator();
  QAction* print = bar->addAction(QStringLiteral("Print"), this, &TFHelp::PrintButtonClick);
  print->setObjectName(QStringLiteral("printAction"));
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  QAction* preview =
      bar->addAction(QStringLiteral("Print Preview"), this, &TFHelp::PrintPreviewButtonClick);
  preview->setObjectName(QStringLiteral("printPreviewAction"));
  bar->addSeparator();
  // Enter in the field shows the pages that hold its words; Ctrl+F comes
  // back to it from the page.
  auto* searchLabel = new QLabel(QStringLiteral("Search:"), bar);
  searchLabel->setObjectName(QStringLiteral("searchLabel"));
  searchLabel->setContentsMargins(6, 0, 4, 0);
  searchField_ = new QLineEdit(bar);
  searchField_->setObjectName(QStringLiteral("helpSearchField"));
  searchField_->setAccessibleName(QStringLiteral("Search help"));
  searchField_->setPlaceholderText(QStringLiteral("Words to find"));
  searchField_->setClearButtonEnabled(true);
  searchField_->setMaximumWidth(220);
  searchLabel->setBuddy(searchField_);
  bar->addWidget(searchLabel);
  bar->addWidget(searchField_);
  connect(searchField_, &QLineEdit::returnPressed, this, &TFHelp::SearchButtonClick);
  QAction* search = bar->addAction(QStringLiteral("Find"), this, &TFHelp::SearchButtonClick);
  search->setObjectName(QStringLiteral("searchAction"));
  auto* find = new QShortcut(QKeySequence::Find, this);
  connect(find, &QShortcut::activated, this, &TFHelp::FindShortcutActivated);
  backAction_->setEnabled(false);
  forwardAction_->setEnabled(false);

  viewer_ = new QTextBrowser(this);
  viewer_->setObjectName(QStringLiteral("helpViewer"));
  // Every link comes to the window first: topic links move the history.
  viewer_->setOpenLinks(false);
  connect(viewer_, &QTextBrowser::anchorClicked, this, &TFHelp::ViewerAnchorClicked);
  setCentralWidget(viewer_);
  auto* close = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  connect(close, &QShortcut::activated, this, &QWidget::close);
  resize(kHelpWindowSize);
}

void TFHelp::PlaceBeside(const QWidget* screen) {
  const QScreen* display = screen ? screen->screen() : QApplication::primaryScreen();
  if (!display) return;
  const QRect area = display->availableGeometry();
  // A window that was never shown has no frame yet: take the asking
  // screen's frame as the measure of its own.
  QSize frame = frameGeometry().size() - geometry().size();
  if (frame.isEmpty() && screen) frame = screen->frameGeometry().size() - screen->geometry().size();
  QSize outer = (kHelpWindowSize + frame).boundedTo(area.size());
  if (!screen) {
    resize(outer - frame);
    move(area.center() - QPoint(outer.width() / 2, outer.height() / 2));
    return;
  }
  // To the right of the screen when there is room, else to its left; else
  // narrower on the wider side when that leaves a readable page; else over
  // the screen's top right, away from its button row.
  const int narrowest = std::max(360, minimumSizeHint().width() + frame.width());
  const QRect owner = screen->frameGeometry();
  const int roomRight = area.right() - owner.right();
  const int roomLeft = owner.left() - area.left();
  int x = 0;
  if (outer.width() <= roomRight) {
    x = owner.right() + 1;
  } else if (outer.width() <= roomLeft) {
    x = owner.left() - outer.width();
  } else if (std::max(roomLeft, roomRight) >= narrowest) {
    outer.setWidth(std::max(roomLeft, roomRight));
    x = roomRight >= roomLeft ? owner.right() + 1 : owner.left() - outer.width();
  } else {
    x = area.right() + 1 - outer.width();
  }
  resize(outer - frame);
  x = std::clamp(x, area.left(), std::max(area.left(), area.right() + 1 - outer.width()));
  const int y =
      std::clamp(owner.top(), area.top(), std::max(area.top(), area.bottom() + 1 - outer.height()));
  move(x, y);
}

void TFHelp::ShowHelp(int topic) {
  state_->ShowHelp(topic);
  show();
  raise();
  activateWindow();
  // Activation renders; a window that is active already gets no new notice.
  if (isActiveWindow()) RenderPage();
}

void TFHelp::RenderPage() {
  state_->Render();
  ShowRenderedPage();
}

void TFHelp::ShowRenderedPage() {
  backAction_->setEnabled(state_->CanGoBack());
  forwardAction_->setEnabled(state_->CanGoForward());
  if (state_->PageVersion() == loadedVersion_) return;
  loadedVersion_ = state_->PageVersion();
  const QUrl page = QUrl::fromLocalFile(QString::fromStdString(state_->PageFile().string()));
  // The file keeps its name from topic to topic; reload reads it afresh.
  if (viewer_->source() == page)
    viewer_->reload();
  else
    viewer_->setSource(page);
  setWindowTitle(QStringLiteral("Help - ") + Q(state_->ShownTitle()));
  if (state_->ShownTopic() == kHelpSearchTopic) {
    // Back to a search shows its words again; the page of how to search
    // waits for them.
    searchField_->setText(Q(state_->RequestedQuery()));
    // After the activation, which gives the focus back to where it was.
    if (state_->RequestedQuery().empty())
      QMetaObject::invokeMethod(this, &TFHelp::FindShortcutActivated, Qt::QueuedConnection);
  }
}

bool TFHelp::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) RenderPage();
  if (e->type() == QEvent::WindowDeactivate && isVisible())
    QMetaObject::invokeMethod(this, &TFHelp::HideUnlessActive, Qt::QueuedConnection);
  return QMainWindow::event(e);
}

void TFHelp::HideUnlessActive() {
  // The window's own dialogs (print, preview) keep it.
  for (const QWidget* w = QApplication::activeWindow(); w; w = w->parentWidget())
    if (w == this) return;
  hide();
}

void TFHelp::ViewerAnchorClicked(const QUrl& url) {
  switch (state_->FollowLink(url.toString().toStdString())) {
    case THelpLinkAction::Navigate: {
      const QUrl target = viewer_->source().resolved(url);
      if (target.isLocalFile() || target.scheme().isEmpty())
        viewer_->setSource(target);
      else
        QDesktopServices::openUrl(target);
      return;
    }
    case THelpLinkAction::Ignore:
      return;
    case THelpLinkAction::Render:
      ShowRenderedPage();
      return;
  }
}

void TFHelp::BackButtonClick() {
  state_->Back();
  ShowRenderedPage();
}

void TFHelp::ForwardButtonClick() {
  state_->Forward();
  ShowRenderedPage();
}

void TFHelp::ContentsButtonClick() {
  state_->OpenTopic(kHelpContentsTopic);
  ShowRenderedPage();
}

void TFHelp::SearchButtonClick() {
  state_->Search(searchField_->text().toStdString());
  ShowRenderedPage();
}

void TFHelp::FindShortcutActivated() {
  searchField_->setFocus(Qt::ShortcutFocusReason);
  searchField_->selectAll();
}

void TFHelp::PrintButtonClick() { PrintPage(*viewer_, this); }

void TFHelp::PrintPreviewButtonClick() { PreviewPage(*viewer_, this); }

THelpWindowOwner::~THelpWindowOwner() { delete window_.data(); }

void THelpWindowOwner::ShowHelp(int topic) {
  const QWidget* asking = QApplication::activeWindow();
  const bool placed = window_ && window_->isVisible();
  if (!window_) window_ = new TFHelp(program_);
  if (asking == window_) asking = nullptr;
  // A modal screen blocks every window but its own: the help window joins
  // the screen that asked for it, and stands alone again otherwise.
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == window_) modal = nullptr;
  if (window_->parentWidget() != modal) {
    window_->hide();
    window_->setParent(modal, Qt::Window);
  }
  if (!placed) window_->PlaceBeside(asking);
  window_->ShowHelp(topic);
}

}  // namespace korvela
