#include "widgets/month_calendar.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr int kMargin = 2;
constexpr int kHeaderHeight = 24;
constexpr int kCellWidth = 26;
constexpr int kCellHeight = 18;
constexpr int kArrowSize = 16;

QColor ToColor(TRgb c) { return QColor(c.r, c.g, c.b); }

TYearMonth MonthOf(TDateTime date) {
  const TYearMonthDay d = DecodeDate(date);
  return {d.year, d.month};
}

}  // namespace

TMyCalendar::TMyCalendar(TDateTime selected, QWidget* parent)
    : QWidget(parent, Qt::Popup), selected_(DayOf(selected)), shown_(MonthOf(selected_)) {
  setObjectName(QStringLiteral("dropDownCalendar"));
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  setAccessibleName(QStringLiteral("Calendar"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setFixedSize(sizeHint());
}

QSize TMyCalendar::sizeHint() const {
  return {2 * kMargin + 7 * kCellWidth, 2 * kMargin + kHeaderHeight + 7 * kCellHeight};
}

void TMyCalendar::SetSelectedDate(TDateTime date) {
  date = DayOf(date);
  if (date == selected_) return;
  selected_ = date;
  shown_ = MonthOf(date);
  update();
  if (OnSelectDate) OnSelectDate();
}

void TMyCalendar::SetFirstDOW(int firstDOW) {
  if (firstDOW < 0 || firstDOW > 6 || firstDOW == firstDOW_) return;
  firstDOW_ = firstDOW;
  update();
}

void TMyCalendar::SetStaticCalendar(bool value) {
  if (value == static_) return;
  static_ = value;
  const bool wasVisible = isVisible();
  setWindowFlags(value ? Qt::Widget : Qt::Popup);
  if (value || wasVisible) show();
}

QString TMyCalendar::HeaderText() const { return QString::fromStdString(MonthHeaderText(shown_)); }

void TMyCalendar::ShowMonth(TYearMonth month) {
  shown_ = month;
  update();
}

QRect TMyCalendar::PreviousArrowRect() const {
  return {kMargin + 4, kMargin + (kHeaderHeight - kArrowSize) / 2, kArrowSize, kArrowSize};
}

QRect TMyCalendar::NextArrowRect() const {
  return {width() - kMargin - 4 - kArrowSize, kMargin + (kHeaderHeight - kArrowSize) / 2,
          kArrowSize, kArrowSize};
}

QRect TMyCalendar::DayRect(int day) const {
  const TMonthLayout layout = LayoutMonth(shown_.year, shown_.month, firstDOW_);
  const int week = layout.WeekOf(day);
  if (week < 0) return {};
  return {kMargin + layout.ColumnOf(day) * kCellWidth,
          kMargin + kHeaderHeight + (week + 1) * kCellHeight, kCellWidth, kCellHeight};
}

int TMyCalendar::DayAt(QPoint pos) const {
  const int x = pos.x() - kMargin;
  const int y = pos.y() - kMargin - kHeaderHeight - kCellHeight;
  if (x < 0 || y < 0 || x >= 7 * kCellWidth || y >= 6 * kCellHeight) return 0;
  return LayoutMonth(shown_.year, shown_.month, firstDOW_).DayAt(y / kCellHeight, x / kCellWidth);
}

void TMyCalendar::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.setPen(QColor(160, 160, 160));
  p.drawRect(rect().adjusted(0, 0, -1, -1));

  // Header: month and year between the arrows.
  const QRect header(kMargin, kMargin, width() - 2 * kMargin, kHeaderHeight);
  p.fillRect(header, ToColor(kHeaderGrey));
  QFont bold = font();
  bold.setBold(true);
  p.setFont(bold);
  p.setPen(Qt::black);
  p.drawText(header, Qt::AlignCenter, HeaderText());
  p.setFont(font());
  p.setRenderHint(QPainter::Antialiasing);
  for (const bool previous : {true, false}) {
    const QRect r = previous ? PreviousArrowRect() : NextArrowRect();
    const bool lit = hover_ == (previous ? THover::Previous : THover::Next);
    QPainterPath arrow;
    const int inset = 4;
    if (previous) {
      arrow.moveTo(r.right() - inset, r.top() + inset - 1);
      arrow.lineTo(r.left() + inset, r.center().y());
      arrow.lineTo(r.right() - inset, r.bottom() - inset + 1);
    } else {
      arrow.moveTo(r.left() + inset, r.top() + inset - 1);
      arrow.lineTo(r.right() - inset, r.center().y());
      arrow.lineTo(r.left() + inset, r.bottom() - inset + 1);
    }
    arrow.closeSubpath();
    if (lit) p.fillRect(r, ToColor(kSelectedDayBlue));
    p.fillPath(arrow, lit ? QColor(0, 70, 160) : QColor(90, 90, 90));
  }
  p.setRenderHint(QPainter::Antialiasing, false);

  // Weekday names.
  for (int column = 0; column < 7; ++column) {
    const QRect r(kMargin + column * kCellWidth, kMargin + kHeaderHeight, kCellWidth, kCellHeight);
    p.setPen(QColor(80, 80, 80));
    p.drawText(r, Qt::AlignCenter,
               QString::fromLatin1(kDayNames[WeekdayOfColumn(column, firstDOW_)], 2));
  }
  const int lineY = kMargin + kHeaderHeight + kCellHeight - 1;
  p.setPen(QColor(200, 200, 200));
  p.drawLine(kMargin + 2, lineY, width() - kMargin - 3, lineY);

  // Days.
  const TYearMonthDay sel = DecodeDate(selected_);
  const int days = DaysInMonth(shown_.year, shown_.month);
  for (int day = 1; day <= days; ++day) {
    const QRect r = DayRect(day);
    const bool selected =
        sel.year == shown_.year && sel.month == shown_.month && static_cast<int>(sel.day) == day;
    if (selected) p.fillRect(r, ToColor(kSelectedDayBlue));
    p.setPen(selected ? Qt::white : Qt::black);
    p.drawText(r, Qt::AlignCenter, QString::number(day));
  }
}

void TMyCalendar::SetHover(THover hover) {
  if (hover == hover_) return;
  hover_ = hover;
  update();
}

void TMyCalendar::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  SetHover(PreviousArrowRect().contains(pos) ? THover::Previous
           : NextArrowRect().contains(pos)   ? THover::Next
                                             : THover::None);
}

void TMyCalendar::leaveEvent(QEvent*) { SetHover(THover::None); }

void TMyCalendar::mousePressEvent(QMouseEvent* event) {
  const QPoint pos = event->position().toPoint();
  if (!rect().contains(pos)) {
    // A click elsewhere on the screen closes the drop-down.
    QWidget::mousePressEvent(event);
    return;
  }
  if (event->button() != Qt::LeftButton) return;
  if (PreviousArrowRect().contains(pos)) {
    ShowPreviousMonth();
  } else if (NextArrowRect().contains(pos)) {
    ShowNextMonth();
  } else if (const int day = DayAt(pos); day != 0) {
    PickDate(EncodeDate(shown_.year, shown_.month, static_cast<unsigned>(day)));
  }
}

void TMyCalendar::PickDate(TDateTime date) {
  SetSelectedDate(date);
  if (!static_) hide();
}

void TMyCalendar::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
      // A calendar that stays in its window leaves these keys to the window:
      // Escape closes a dialog, Enter confirms it with the day chosen.
      if (static_) {
        event->ignore();
      } else if (event->key() == Qt::Key_Escape) {
        hide();
      } else {
        PickDate(selected_);
      }
      return;
    case Qt::Key_Left:
      SetSelectedDate(selected_ - 1);
      return;
    case Qt::Key_Right:
      SetSelectedDate(selected_ + 1);
      return;
    case Qt::Key_Up:
      SetSelectedDate(selected_ - 7);
      return;
    case Qt::Key_Down:
      SetSelectedDate(selected_ + 7);
      return;
    case Qt::Key_PageUp:
      ShowPreviousMonth();
      return;
    case Qt::Key_PageDown:
      ShowNextMonth();
      return;
    default:
      QWidget::keyPressEvent(event);
  }
}

void TMyCalendar::showEvent(QShowEvent* event) {
  shown_ = MonthOf(selected_);
  hover_ = THover::None;
  QWidget::showEvent(event);
}

void TMyCalendar::hideEvent(QHideEvent* event) {
  QWidget::hideEvent(event);
  if (!static_ && OnCloseUp) OnCloseUp();
}

}  // namespace korvela
