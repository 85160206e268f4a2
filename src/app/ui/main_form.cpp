#include "app/ui/main_form.h"

#include <QApplication>
#include <QEvent>
#include <QFrame>
#include <QMenuBar>
#include <QStyle>
#include <QToolBar>
#include <QVBoxLayout>

#include "app/main_menu.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr int kMainWindowHelpTopic = 20;

QString Q(const std::string& text) { return QString::fromStdString(text); }

// A generic picture for each tool bar command until the program has its own.
QIcon ToolIcon(const QStyle& style, const std::string& caption) {
  if (caption.starts_with("Food") || caption.starts_with("Recipe"))
    return style.standardIcon(QStyle::SP_FileDialogContentsView);
  if (caption.starts_with("Training") || caption.starts_with("My Records") ||
      caption.starts_with("Sports"))
    return style.standardIcon(QStyle::SP_MediaPlay);
  if (caption.starts_with("Personal")) return style.standardIcon(QStyle::SP_DirHomeIcon);
  if (caption.starts_with("Import")) return style.standardIcon(QStyle::SP_DriveNetIcon);
  if (caption.starts_with("Ask")) return style.standardIcon(QStyle::SP_MessageBoxQuestion);
  return style.standardIcon(QStyle::SP_FileDialogDetailedView);
}

}  // namespace

TFMain::TFMain(TProgram& program, TPrompter& prompter, TScreens screens)
    : program_(program), prompter_(prompter), screens_(std::move(screens)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Korvela"));
  BuildMenus();
  BuildToolBar();
  BuildPanels();
  ShowPanels(false);
  resize(960, 640);
}

void TFMain::BuildMenus() {
  for (const TMenu& menu : MainMenus()) {
    QMenu* qmenu = menuBar()->addMenu(Q(menu.caption));
    for (const TMenuItem& item : menu.items) {
      if (item.items.empty()) {
        AddCommand(*qmenu, item.caption, item.helpTopic);
        continue;
      }
      QMenu* sub = qmenu->addMenu(Q(item.caption));
      for (const TMenuItem& subItem : item.items)
        AddCommand(*sub, subItem.caption, subItem.helpTopic);
    }
  }
}

QAction* TFMain::AddCommand(QMenu& menu, const std::string& caption, int helpTopic) {
  QAction* action = menu.addAction(Q(caption));
  connect(action, &QAction::triggered, this, [this, caption, helpTopic] {
    if (helpTopic != 0)
      program_.ShowHelp(helpTopic);
    else
      ExecuteCommand(caption);
  });
  actions_[caption] = action;
  return action;
}

void TFMain::BuildToolBar() {
  QToolBar* bar = addToolBar(QStringLiteral("Commands"));
  bar->setObjectName(QStringLiteral("commandsToolBar"));
  bar->setMovable(false);
  bar->setIconSize(QSize(32, 32));
  for (const std::string& caption : ToolBarCommands()) {
    if (caption == kToolBarSeparator) {
      bar->addSeparator();
      continue;
    }
    QAction* action = Command(caption);
    if (!action) {
      action = new QAction(Q(caption), this);
      connect(action, &QAction::triggered, this, [this, caption] { ExecuteCommand(caption); });
      actions_[caption] = action;
    }
    action->setIcon(ToolIcon(*style(), caption));
    action->setToolTip(Q(caption));
    bar->addAction(action);
  }
}

void TFMain::BuildPanels() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  titleLabel_ = new QLabel(central);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setAlignment(Qt::AlignCenter);
  titleLabel_->setStyleSheet(QStringLiteral(
      "QLabel { background: #2f6f5e; color: white; font-size: 18pt; font-weight: bold;"
      " padding: 10px; border-radius: 4px; }"));
  titleLabel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  layout->addWidget(titleLabel_);

  panels_ = new QFrame(central);
  panels_->setObjectName(QStringLiteral("panelsFrame"));
  auto* panelLayout = new QVBoxLayout(panels_);
  welcomeLabel_ = new QLabel(panels_);
  welcomeLabel_->setObjectName(QStringLiteral("welcomeLabel"));
  welcomeLabel_->setStyleSheet(QStringLiteral("QLabel { font-size: 14pt; }"));
  dateLabel_ = new QLabel(panels_);
  dateLabel_->setObjectName(QStringLiteral("dateLabel"));
  panelLayout->addWidget(welcomeLabel_);
  panelLayout->addWidget(dateLabel_);
  panelLayout->addStretch();
  layout->addWidget(panels_, 1);
  layout->addStretch();
  setCentralWidget(central);
}

QAction* TFMain::Command(const std::string& caption) const {
  const auto it = actions_.find(caption);
  return it == actions_.end() ? nullptr : it->second;
}

void TFMain::ShowPanels(bool visible) {
  panels_->setVisible(visible);
  if (!visible) return;
  if (const TUser* user = program_.CurrentUser())
    welcomeLabel_->setText(QStringLiteral("Welcome, ") + Q(user->UserName));
  dateLabel_->setText(Q(LongDateText(program_.Clock().Today())));
}

void TFMain::RunActivationStep() {
  if (activating_ || ending_) return;
  activating_ = true;
  titleLabel_->setText(Q(program_.TitleText()));
  if (program_.Accounts().empty() && screens_.newAccount) screens_.newAccount(this);
  if (!program_.CurrentUser() && screens_.login) screens_.login(this);
  activating_ = false;
  if (!program_.CurrentUser()) {
    ExitProgram();
    return;
  }
  ShowPanels(true);
}

bool TFMain::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate && isVisible())
    QMetaObject::invokeMethod(
        this, [this] { RunActivationStep(); }, Qt::QueuedConnection);
  return QMainWindow::event(e);
}

void TFMain::ExecuteCommand(const std::string& caption) {
  if (caption == kLogOffCommand) {
    LogOff();
    return;
  }
  if (caption == kExitCommand) {
    ExitProgram();
    return;
  }
  const auto screen = screens_.commands.find(caption);
  if (screen == screens_.commands.end()) {
    prompter_.Inform(kNotAvailableYet);
    return;
  }
  screen->second(this);
  RunActivationStep();
}

void TFMain::LogOff() {
  program_.LogOff();
  ShowPanels(false);
  RunActivationStep();
}

void TFMain::ExitProgram() {
  if (ending_) return;
  ending_ = true;
  program_.Exit();
  QApplication::quit();
}

}  // namespace korvela
