#include "app/ui/main_form.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QScrollArea>
#include <QSettings>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "app/main_menu.h"
#include "app/ui/dashboard_panels.h"
#include "energy/color_value.h"
#include "energy/dashboard.h"
#include "users/unit_text.h"
#include "widgets/big_calendar.h"
#include "widgets/elided_label.h"
#include "widgets/icons.h"
#include "widgets/window_fit.h"

namespace korvela {
namespace {

QString Q(const std::string& text) { return QString::fromStdString(text); }

constexpr const char* kWeighInCommand = "Weigh in bodyweight and bf%";

// The picture of each tool bar command.
const std::map<std::string, const char*, std::less<>>& ToolIcons() {
  static const std::map<std::string, const char*, std::less<>> icons = {
      {"Food Logs...", "food-logs"},
      {"Recipe Book...", "recipe-book"},
      {"Training Logs...", "training-logs"},
      {"My Records...", "my-records"},
      {"Sports and Activities Logs...", "activities-logs"},
      {"Set Bodyweight Goals...", "bodyweight-goals"},
      {kWeighInCommand, "weigh-in"},
      {"Measurements...", "measurements"},
      {"Define Training and Nutrition Phases...", "phases"},
      {"Nutrition, Bodyweight and Recovery Graphs...", "graphs"},
      {"Reports...", "reports"},
      {"Personal Information...", "personal-info"},
      {"Import/Export...", "import-export"},
      {kAskQuestionCommand, "ask-question"},
  };
  return icons;
}

// The day marks' icons in the calendar's order: weigh-in, measurements, workout.
const QList<QPixmap>& MarkIcons() {
  static const QList<QPixmap> icons = {KorvelaPixmap("mark-weigh-in", 16),
                                       KorvelaPixmap("mark-measurements", 16),
                                       KorvelaPixmap("mark-workout", 16)};
  return icons;
}

// An arrow button beside the month caption that lights up under the pointer.
class TMonthArrow final : public QToolButton {
 public:
  TMonthArrow(const char* normal, const char* hot, QWidget* parent)
      : QToolButton(parent), normal_(KorvelaIcon(normal)), hot_(KorvelaIcon(hot)) {
    setIcon(normal_);
    setIconSize(QSize(24, 24));
    setAutoRaise(true);
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void enterEvent(QEnterEvent* event) override {
    setIcon(hot_);
    QToolButton::enterEvent(event);
  }
  void leaveEvent(QEvent* event) override {
    setIcon(normal_);
    QToolButton::leaveEvent(event);
  }

 private:
  QIcon normal_;
  QIcon hot_;
};

}  // namespace

TFMain::TFMain(TProgram& program, TPrompter& prompter, TScreens screens)
    : program_(program), prompter_(prompter), screens_(std::move(screens)) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Korvela"));
  setWindowIcon(KorvelaIcon("app-icon"));
  BuildMenus();
  BuildToolBar();
  BuildPanels();
  ShowPanels(false);
  resize(1180, 740);
}

QString TFMain::PlacementFile() const {
  return QString::fromStdString((program_.Folder() / "window.ini").string());
}

void TFMain::PlaceOnScreen() {
  QSettings placement(PlacementFile(), QSettings::IniFormat);
  const QByteArray saved = placement.value(QStringLiteral("MainWindow/Geometry")).toByteArray();
  if (!saved.isEmpty() && restoreGeometry(saved) && FreeArea(*this).intersects(frameGeometry())) {
    KeepFrameOnScreen(*this);
    return;
  }
  // The title bar and borders take room of their own: the whole frame
  // stays within the free area.
  FitByFrame(*this, QSize(1180, 800));
}

void TFMain::SavePlacement() const {
  QSettings placement(PlacementFile(), QSettings::IniFormat);
  placement.setValue(QStringLiteral("MainWindow/Geometry"), saveGeometry());
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
  bar->setIconSize(QSize(40, 40));
  bar->setStyleSheet(
      QStringLiteral("QToolBar { spacing: 4px; padding: 4px; background: #f4f7f6; border-bottom: "
                     "1px solid #d5dde5; }"
                     "QToolButton { padding: 4px; border-radius: 6px; }"
                     "QToolButton:hover { background: #dcebe5; }"));
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
    const auto icon = ToolIcons().find(caption);
    if (icon != ToolIcons().end()) action->setIcon(KorvelaIcon(icon->second));
    action->setToolTip(Q(caption));
    bar->addAction(action);
  }
}

void TFMain::BuildPanels() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  titleLabel_ = new QLabel(central);
  titleLabel_->setTextFormat(Qt::PlainText);
  titleLabel_->setWordWrap(true);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setAlignment(Qt::AlignCenter);
  titleLabel_->setStyleSheet(QStringLiteral(
      "QLabel { background: #2f6f5e; color: white; font-size: 18pt; font-weight: bold;"
      " padding: 10px; border-radius: 4px; }"));
  titleLabel_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
  layout->addWidget(titleLabel_);

  // A window made smaller than its panels scrolls them.
  auto* scroller = new QScrollArea(central);
  scroller->setObjectName(QStringLiteral("panelsScrollArea"));
  // Tab goes to the panels' own controls, which the area scrolls into view.
  scroller->setFocusPolicy(Qt::NoFocus);
  scroller->setWidgetResizable(true);
  scroller->setFrameShape(QFrame::NoFrame);
  panels_ = new QFrame(scroller);
  panels_->setObjectName(QStringLiteral("panelsFrame"));
  panels_->setStyleSheet(QStringLiteral("QFrame#panelsFrame { background: #eef3f1; }"));
  auto* panelLayout = new QHBoxLayout(panels_);
  panelLayout->setContentsMargins(10, 10, 10, 10);
  panelLayout->setSpacing(12);
  panelLayout->addWidget(BuildCalendarPanel(panels_), 3);
  auto* right = new QVBoxLayout;
  right->setSpacing(6);
  welcomeLabel_ = new TElidedLabel(panels_);
  welcomeLabel_->setObjectName(QStringLiteral("welcomeLabel"));
  welcomeLabel_->setStyleSheet(QStringLiteral("QLabel { font-size: 13pt; color: #2d3748; }"));
  dateLabel_ = new QLabel(panels_);
  dateLabel_->setTextFormat(Qt::PlainText);
  dateLabel_->setObjectName(QStringLiteral("dateLabel"));
  dateLabel_->setStyleSheet(
      QStringLiteral("QLabel { font-size: 15pt; font-weight: bold; color: #2f6f5e; }"));
  right->addWidget(welcomeLabel_);
  right->addWidget(dateLabel_);
  dayPanels_ = new TDayPanels(panels_);
  right->addWidget(dayPanels_, 1);
  panelLayout->addLayout(right, 2);
  scroller->setWidget(panels_);
  layout->addWidget(scroller, 1);
  setCentralWidget(central);
}

QWidget* TFMain::BuildCalendarPanel(QWidget* parent) {
  auto* panel = new QWidget(parent);
  auto* layout = new QVBoxLayout(panel);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(6);
  auto* navigation = new QHBoxLayout;
  previousMonth_ = new TMonthArrow("arrow-left", "arrow-left-hot", panel);
  previousMonth_->setObjectName(QStringLiteral("previousMonth"));
  previousMonth_->setAccessibleName(QStringLiteral("Previous month"));
  previousMonth_->setToolTip(QStringLiteral("Previous month"));
  nextMonth_ = new TMonthArrow("arrow-right", "arrow-right-hot", panel);
  nextMonth_->setObjectName(QStringLiteral("nextMonth"));
  nextMonth_->setAccessibleName(QStringLiteral("Next month"));
  nextMonth_->setToolTip(QStringLiteral("Next month"));
  monthCaption_ = new QLabel(panel);
  monthCaption_->setTextFormat(Qt::PlainText);
  monthCaption_->setObjectName(QStringLiteral("monthCaption"));
  monthCaption_->setAlignment(Qt::AlignCenter);
  monthCaption_->setStyleSheet(
      QStringLiteral("QLabel { font-size: 15pt; font-weight: bold; color: #2d3748; }"));
  navigation->addStretch();
  navigation->addWidget(previousMonth_);
  navigation->addWidget(monthCaption_);
  navigation->addWidget(nextMonth_);
  navigation->addStretch();
  layout->addLayout(navigation);

  calendar_ = new TMyBigCalendar(program_.Config(), panel);
  calendar_->setObjectName(QStringLiteral("calendar"));
  calendar_->setAccessibleName(QStringLiteral("Calendar"));
  calendar_->setNavigationBarVisible(false);
  calendar_->setMinimumHeight(340);
  QFont days = calendar_->font();
  days.setPointSizeF(days.pointSizeF() * 1.25);
  calendar_->setFont(days);
  calendar_->OnDrawFlags = [this](TMyBigCalendar&, const QRect& cell, TDateTime day) {
    CalendarDrawFlags(cell, day);
  };
  layout->addWidget(calendar_, 1);
  connect(previousMonth_, &QToolButton::clicked, this, [this] { calendar_->PreviousMonth(); });
  connect(nextMonth_, &QToolButton::clicked, this, [this] { calendar_->NextMonth(); });
  connect(calendar_, &QCalendarWidget::selectionChanged, this, [this] {
    UpdateMonthCaption();
    CalendarChange();
  });
  connect(calendar_, &QCalendarWidget::currentPageChanged, this, [this] { UpdateMonthCaption(); });

  profilePanels_ = new TProfilePanels(panel);
  layout->addWidget(profilePanels_);
  UpdateMonthCaption();
  return panel;
}

void TFMain::UpdateMonthCaption() {
  monthCaption_->setText(QStringLiteral("%1 %2")
                             .arg(QString::fromLatin1(kMonthNames[calendar_->monthShown() - 1]))
                             .arg(calendar_->yearShown()));
}

TDateTime TFMain::SelectedDay() const { return calendar_->Date(); }

void TFMain::SelectDay(TDateTime day) {
  const TYearMonthDay d = DecodeDate(day);
  calendar_->SelectDay(d.year, d.month, d.day);
}

void TFMain::CalendarChange() {
  TUserSession* session = program_.Session();
  if (!session || !panels_->isVisible()) return;
  const TDashboardView view = korvela::CalendarChange(SelectedDay(), session->Energy(),
                                                      session->DayRecords(), program_.Config());
  dateLabel_->setText(Q(view.longHeading));
  profilePanels_->Show(view);
  dayPanels_->Show(view);
  if (view.askForWeighIn && prompter_.AskYesNo(kWeighInQuestion)) {
    const auto screen = screens_.commands.find(kWeighInCommand);
    if (screen != screens_.commands.end()) {
      screen->second(this, program_.Clock().Today());
      RedrawCalendar();
      CalendarChange();
    }
  }
}

void TFMain::RedrawCalendar() {
  TUserSession* session = program_.Session();
  phaseBands_ = session ? PhaseBands(session->DayRecords()) : std::vector<TPhaseBand>{};
  calendar_->update();
  if (auto* view = calendar_->findChild<QAbstractItemView*>()) view->viewport()->update();
}

void TFMain::CalendarDrawFlags(const QRect&, TDateTime day) {
  TUserSession* session = program_.Session();
  if (!session) return;
  const TDayMarks marks =
      korvela::CalendarDrawFlags(session->DayRecords(), phaseBands_, day, program_.WorkoutQuery());
  int slot = 0;
  for (const TColorValue colour : marks.bands) {
    const std::optional<TColorValue> rgb = PaintedColor(colour);
    if (!rgb) continue;
    calendar_->DrawFlag(slot++, QColor(RedOf(*rgb), GreenOf(*rgb), BlueOf(*rgb)));
  }
  if (marks.weighIn) calendar_->DrawIcon(MarkIcons(), 0);
  if (marks.measurements) calendar_->DrawIcon(MarkIcons(), 1);
  if (marks.workout) calendar_->DrawIcon(MarkIcons(), 2);
}

QAction* TFMain::Command(const std::string& caption) const {
  const auto it = actions_.find(caption);
  return it == actions_.end() ? nullptr : it->second;
}

void TFMain::ShowPanels(bool visible) {
  panels_->setVisible(visible);
  if (!visible) return;
  if (const TUser* user = program_.CurrentUser())
    welcomeLabel_->SetFullText(QStringLiteral("Welcome, ") + Q(user->UserName));
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
  const bool firstShow = !panels_->isVisible();
  ShowPanels(true);
  if (firstShow) calendar_->setFocus();
  // Every return to the main window starts again from today.
  RedrawCalendar();
  const TDateTime today = program_.Clock().Today();
  if (SelectedDay() != today)
    SelectDay(today);
  else
    CalendarChange();
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
  const TCommandEffects effects = CommandEffects(caption);
  const TDateTime day = SelectedDay();
  screen->second(this, effects.takesSelectedDay ? day : program_.Clock().Today());
  if (effects.redrawsCalendar) RedrawCalendar();
  if (effects.recomputesDashboard) CalendarChange();
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
  SavePlacement();
  program_.Exit();
  QApplication::quit();
}

void TFMain::closeEvent(QCloseEvent* event) {
  ExitProgram();
  event->accept();
}

}  // namespace korvela
