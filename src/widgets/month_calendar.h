#pragma once
#include <QWidget>
#include <functional>

#include "storage/date_time.h"
#include "widgets/calendar_layout.h"

namespace korvela {

// The small month calendar of the date entry: a header with the month and
// year between two arrows, a row of weekday names starting on `FirstDOW` and
// the weeks of the shown month. A drop-down (a popup window that closes on a
// click elsewhere) unless `StaticCalendar` is set.
class TMyCalendar : public QWidget {
  Q_OBJECT
 public:
  TMyCalendar(TDateTime selected, QWidget* parent = nullptr);

  TDateTime SelectedDate() const { return selected_; }
  // A new value also shows its month and raises OnSelectDate; the same value
  // does nothing.
  void SetSelectedDate(TDateTime date);
  int FirstDOW() const { return firstDOW_; }
  void SetFirstDOW(int firstDOW);
  bool StaticCalendar() const { return static_; }
  void SetStaticCalendar(bool value);

  TYearMonth ShownMonth() const { return shown_; }
  void ShowPreviousMonth() { ShowMonth(StepMonth(shown_, -1)); }
  void ShowNextMonth() { ShowMonth(StepMonth(shown_, 1)); }
  QString HeaderText() const;

  // Cell rectangles, for drawing and for finding what a click hits.
  QRect DayRect(int day) const;
  QRect PreviousArrowRect() const;
  QRect NextArrowRect() const;

  QSize sizeHint() const override;

  std::function<void()> OnSelectDate;
  // Raised when a drop-down calendar is hidden.
  std::function<void()> OnCloseUp;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;

 private:
  enum class THover { None, Previous, Next };
  void ShowMonth(TYearMonth month);
  void SetHover(THover hover);
  void PickDate(TDateTime date);
  int DayAt(QPoint pos) const;

  TDateTime selected_;
  TYearMonth shown_;
  int firstDOW_ = 0;
  bool static_ = false;
  THover hover_ = THover::None;
};

}  // namespace korvela
