#pragma once
#include <QLineEdit>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>

#include "storage/date_time.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "widgets/month_calendar.h"

namespace korvela {

// A date entry: a one-line field showing the date in the short date text
// ("10 Mar 2007") with a button that drops a month calendar down below it.
// Typed text is read with the free-form date reader when the field is left.
// UserOnDateChange is raised only when the user changes the date (typing or
// picking); SetDate never raises it, so a screen can tell the user's changes
// from its own.
class TMyDate : public QWidget {
  Q_OBJECT
 public:
  TMyDate(TConfigurator& config, const TClock& clock, QWidget* parent = nullptr);
  ~TMyDate() override;

  TDateTime Date() const { return date_; }
  void SetDate(TDateTime date);

  // Opens the drop-down calendar, created the first time.
  void DropDown();
  // The drop-down calendar; null until it is first dropped down.
  TMyCalendar* Calendar() const { return calendar_; }
  QLineEdit* Edit() const { return edit_; }
  QToolButton* DropDownButton() const { return button_; }

  std::function<void()> UserOnDateChange;
  // The warning sound of a date that cannot be read; tests replace it.
  std::function<void()> Beep;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowDate();
  // The typed text has been left: read it, or beep and offer the calendar.
  void EditLeft();
  void CalendarSelectDate();
  void CalendarCloseUp();
  // Moves the calendar to a date without it counting as the user's pick.
  void SetCalendarDate(TDateTime date);
  bool ReadTyped(TDateTime& date) const;

  TConfigurator& config_;
  const TClock& clock_;
  QLineEdit* edit_;
  QToolButton* button_;
  TMyCalendar* calendar_ = nullptr;
  TDateTime date_;
  bool typed_ = false;
  bool settingCalendar_ = false;
};

}  // namespace korvela
