#pragma once
#include <QLabel>
#include <QMainWindow>
#include <QToolButton>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/program.h"
#include "energy/calendar_marks.h"
#include "storage/date_time.h"
#include "users/prompter.h"

namespace korvela {

// The frame of the program: menu bar, tool bar, title strip and the panels
// of the logged-in user. Every command opens one modal screen.
class TMyBigCalendar;
class TElidedLabel;
class TProfilePanels;
class TDayPanels;

class TFMain final : public QMainWindow {
  Q_OBJECT
 public:
  // A screen the window opens, for the selected day when its command takes
  // one (otherwise the day is ignored); it returns true when it was accepted.
  using TScreen = std::function<bool(QWidget* parent, TDateTime day)>;
  using TAccountScreen = std::function<bool(QWidget* parent)>;
  struct TScreens {
    TAccountScreen newAccount;
    TAccountScreen login;
    // The screens of the menu and tool bar commands, by caption.
    std::map<std::string, TScreen> commands;
  };

  TFMain(TProgram& program, TPrompter& prompter, TScreens screens);

  // Runs whenever the window becomes active: asks for a first account or a
  // login, ends the program without a user, else shows the user's panels.
  void RunActivationStep();
  // The action of a menu or tool bar command, by its caption.
  QAction* Command(const std::string& caption) const;
  void ExecuteCommand(const std::string& caption);
  // The calendar's day.
  TDateTime SelectedDay() const;
  void SelectDay(TDateTime day);
  // Recomputes every panel for the selected day and asks for a weigh-in when
  // the energy model wants one.
  void CalendarChange();
  // Redraws the calendar's day marks.
  void RedrawCalendar();
  TMyBigCalendar& Calendar() const { return *calendar_; }
  // Gives the window its remembered size and place on this data folder, or
  // a size that fits the screen's free area, centred.
  void PlaceOnScreen();

 protected:
  bool event(QEvent* event) override;
  // The title bar's close button ends the program as "Exit..." does.
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildMenus();
  void BuildToolBar();
  void BuildPanels();
  QWidget* BuildCalendarPanel(QWidget* parent);
  void UpdateMonthCaption();
  void CalendarDrawFlags(const QRect& cell, TDateTime day);
  QAction* AddCommand(QMenu& menu, const std::string& caption, int helpTopic);
  void ShowPanels(bool visible);
  void LogOff();
  void ExitProgram();
  void SavePlacement() const;
  QString PlacementFile() const;

  TProgram& program_;
  TPrompter& prompter_;
  TScreens screens_;
  QLabel* titleLabel_ = nullptr;
  QWidget* panels_ = nullptr;
  TElidedLabel* welcomeLabel_ = nullptr;
  QLabel* dateLabel_ = nullptr;
  QLabel* monthCaption_ = nullptr;
  QToolButton* previousMonth_ = nullptr;
  QToolButton* nextMonth_ = nullptr;
  TMyBigCalendar* calendar_ = nullptr;
  TProfilePanels* profilePanels_ = nullptr;
  TDayPanels* dayPanels_ = nullptr;
  std::vector<TPhaseBand> phaseBands_;
  std::map<std::string, QAction*> actions_;
  bool activating_ = false;
  bool ending_ = false;
};

}  // namespace korvela
