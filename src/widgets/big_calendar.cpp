#include "widgets/big_calendar.h"

#include <QAbstractItemView>
#include <QPainter>
#include <QTextCharFormat>

#include "widgets/calendar_layout.h"

namespace korvela {
namespace {

Qt::DayOfWeek ToQtDay(int firstDOW) { return static_cast<Qt::DayOfWeek>(firstDOW % 7 + 1); }

QPoint ToQPoint(TPoint p) { return {p.x, p.y}; }

}  // namespace

TMyBigCalendar::TMyBigCalendar(TConfigurator& config, QWidget* parent)
    : QCalendarWidget(parent), config_(config) {
  setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
  QTextCharFormat header;
  header.setBackground(QColor(kHeaderGrey.r, kHeaderGrey.g, kHeaderGrey.b));
  setHeaderTextFormat(header);
  // Weekend days keep the plain look; Qt paints them red by default.
  for (const Qt::DayOfWeek day : {Qt::Saturday, Qt::Sunday})
    setWeekdayTextFormat(day, QTextCharFormat());
  setFirstDayOfWeek(ToQtDay(config.FirstDOW()));
  // The grid of days is what Tab stops at; a screen reader names it.
  if (auto* days = findChild<QAbstractItemView*>(QStringLiteral("qt_calendar_calendarview")))
    days->setAccessibleName(QStringLiteral("Calendar"));
  handle_ = config_.Register(TConfigurator::TNotice::AnyChange,
                             [this] { SetFirstDOW(config_.FirstDOW()); });
}

TMyBigCalendar::~TMyBigCalendar() { config_.Unregister(handle_); }

int TMyBigCalendar::FirstDOW() const { return static_cast<int>(firstDayOfWeek()) - 1; }

void TMyBigCalendar::SetFirstDOW(int firstDOW) {
  if (firstDOW < 0 || firstDOW > 6) return;
  setFirstDayOfWeek(ToQtDay(firstDOW));
}

TDateTime TMyBigCalendar::Date() const {
  const QDate d = selectedDate();
  return EncodeDate(d.year(), static_cast<unsigned>(d.month()), static_cast<unsigned>(d.day()));
}

void TMyBigCalendar::SelectDay(int year, unsigned month, unsigned day) {
  const QDate d(year, static_cast<int>(month), static_cast<int>(day));
  if (!d.isValid()) return;
  setSelectedDate(d);
  setCurrentPage(d.year(), d.month());
}

void TMyBigCalendar::StepMonth(int delta) {
  const QDate d = selectedDate();
  const TYearMonth to = korvela::StepMonth({d.year(), static_cast<unsigned>(d.month())}, delta);
  const int day = std::min(d.day(), DaysInMonth(to.year, to.month));
  SelectDay(to.year, to.month, static_cast<unsigned>(day));
}

void TMyBigCalendar::PreviousMonth() { StepMonth(-1); }
void TMyBigCalendar::NextMonth() { StepMonth(1); }

void TMyBigCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const {
  QCalendarWidget::paintCell(painter, rect, date);
  if (date.year() != yearShown() || date.month() != monthShown() || !OnDrawFlags) return;
  painter->save();
  painter_ = painter;
  cell_ = rect;
  iconsDrawn_ = 0;
  const TDateTime day = EncodeDate(date.year(), static_cast<unsigned>(date.month()),
                                   static_cast<unsigned>(date.day()));
  OnDrawFlags(const_cast<TMyBigCalendar&>(*this), rect, day);
  painter_ = nullptr;
  painter->restore();
}

void TMyBigCalendar::DrawFlag(int slot, const QColor& colour) {
  if (!painter_) return;
  const std::optional<TPennant> pennant =
      PennantGeometry(slot, cell_.left(), cell_.top(), cell_.height());
  if (!pennant) return;
  painter_->setRenderHint(QPainter::Antialiasing, false);
  painter_->setPen(Qt::black);
  painter_->drawLine(ToQPoint(pennant->poleTop), ToQPoint(pennant->poleBottom));
  const QPoint corners[3] = {ToQPoint(pennant->corners[0]), ToQPoint(pennant->corners[1]),
                             ToQPoint(pennant->corners[2])};
  painter_->setBrush(colour);
  painter_->drawPolygon(corners, 3);
}

void TMyBigCalendar::DrawIcon(const QList<QPixmap>& images, int index) {
  if (!painter_ || index < 0 || index >= images.size()) return;
  const TPoint at = IconPosition(cell_.left(), cell_.top() + cell_.height(), iconsDrawn_);
  painter_->drawPixmap(ToQPoint(at), images[index]);
  ++iconsDrawn_;
}

}  // namespace korvela
