#pragma once
#include <QCalendarWidget>
#include <QColor>
#include <QList>
#include <QPixmap>
#include <functional>

#include "storage/date_time.h"
#include "users/configurator.h"

namespace korvela {

// The month calendar of the main window. After each day cell of the shown
// month is painted, OnDrawFlags is called with the cell and its date; inside
// it DrawFlag and DrawIcon put the day's marks into that cell. The first
// column follows the settings' first day of the week.
class TMyBigCalendar : public QCalendarWidget {
  Q_OBJECT
 public:
  TMyBigCalendar(TConfigurator& config, QWidget* parent = nullptr);
  ~TMyBigCalendar() override;

  // 0 = Monday ... 6 = Sunday.
  int FirstDOW() const;
  void SetFirstDOW(int firstDOW);

  TDateTime Date() const;
  void SelectDay(int year, unsigned month, unsigned day);
  // The same day one month back or forward (the last day of a shorter month).
  void PreviousMonth();
  void NextMonth();

  // A pennant in slot 0 to 3 in the upper left of the cell being drawn; any
  // other slot draws nothing.
  void DrawFlag(int slot, const QColor& colour);
  // The next icon of the cell being drawn, along its bottom from the left.
  void DrawIcon(const QList<QPixmap>& images, int index);

  std::function<void(TMyBigCalendar& calendar, const QRect& cell, TDateTime date)> OnDrawFlags;

 protected:
  void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;

 private:
  void StepMonth(int delta);

  TConfigurator& config_;
  TConfigurator::THandle handle_;
  // The cell being painted: valid only while OnDrawFlags runs.
  mutable QPainter* painter_ = nullptr;
  mutable QRect cell_;
  mutable int iconsDrawn_ = 0;
};

}  // namespace korvela
