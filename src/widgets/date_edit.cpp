#include "widgets/date_edit.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QScreen>

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {

TMyDate::TMyDate(TConfigurator& config, const TClock& clock, QWidget* parent)
    : QWidget(parent),
      config_(config),
      clock_(clock),
      edit_(new QLineEdit(this)),
      button_(new QToolButton(this)),
      date_(clock.Today()) {
  Beep = [] { QApplication::beep(); };
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(edit_, 1);
  layout->addWidget(button_);
  edit_->setObjectName(QStringLiteral("dateLineEdit"));
  edit_->setStyleSheet(QStringLiteral("QLineEdit { background: white; }"));
  button_->setObjectName(QStringLiteral("dropDownToolButton"));
  button_->setArrowType(Qt::DownArrow);
  button_->setFocusPolicy(Qt::NoFocus);
  button_->setAccessibleName(QStringLiteral("Open calendar"));
  setFocusProxy(edit_);
  edit_->installEventFilter(this);
  connect(edit_, &QLineEdit::textEdited, this, [this] { typed_ = true; });
  connect(button_, &QToolButton::clicked, this, &TMyDate::DropDown);
  ShowDate();
}

TMyDate::~TMyDate() = default;

void TMyDate::ShowDate() {
  edit_->setText(QString::fromStdString(ShortDateText(date_)));
  typed_ = false;
}

void TMyDate::SetDate(TDateTime date) {
  date_ = DayOf(date);
  ShowDate();
  if (calendar_) SetCalendarDate(date_);
}

void TMyDate::SetCalendarDate(TDateTime date) {
  settingCalendar_ = true;
  calendar_->SetSelectedDate(date);
  settingCalendar_ = false;
}

bool TMyDate::ReadTyped(TDateTime& date) const {
  try {
    date = ParseDateText(edit_->text().toStdString(), clock_.Today(), config_.DayFirst());
    return true;
  } catch (const EConvertError&) {
    return false;
  }
}

bool TMyDate::eventFilter(QObject* watched, QEvent* event) {
  if (watched == edit_) {
    if (event->type() == QEvent::FocusOut && typed_) {
      EditLeft();
    } else if (event->type() == QEvent::KeyPress) {
      const auto* key = static_cast<QKeyEvent*>(event);
      if ((key->key() == Qt::Key_Down && (key->modifiers() & Qt::AltModifier)) ||
          key->key() == Qt::Key_F4) {
        DropDown();
        return true;
      }
      if ((key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) && typed_) EditLeft();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TMyDate::EditLeft() {
  TDateTime date = 0;
  if (!ReadTyped(date)) {
    typed_ = false;
    if (Beep) Beep();
    DropDown();
    return;
  }
  date = DayOf(date);
  const bool changed = date != date_;
  date_ = date;
  ShowDate();
  if (calendar_) SetCalendarDate(date_);
  if (changed && UserOnDateChange) UserOnDateChange();
}

void TMyDate::DropDown() {
  if (!calendar_) {
    calendar_ = new TMyCalendar(date_, this);
    calendar_->OnSelectDate = [this] { CalendarSelectDate(); };
    calendar_->OnCloseUp = [this] { CalendarCloseUp(); };
  }
  calendar_->SetFirstDOW(config_.FirstDOW());
  // Typed text that reads as a date is the user's choice; anything else
  // leaves the calendar on its date.
  bool changed = false;
  if (typed_) {
    TDateTime typed = 0;
    if (ReadTyped(typed)) {
      changed = DayOf(typed) != date_;
      date_ = DayOf(typed);
    }
  }
  SetCalendarDate(date_);
  ShowDate();
  if (changed && UserOnDateChange) UserOnDateChange();

  // Directly below the entry, one pixel apart, kept on the screen.
  QPoint pos = mapToGlobal(QPoint(0, height() + 1));
  const QSize size = calendar_->sizeHint();
  if (const QScreen* s = screen()) {
    const QRect area = s->availableGeometry();
    if (pos.y() + size.height() > area.bottom())
      pos.setY(mapToGlobal(QPoint(0, 0)).y() - 1 - size.height());
    pos.setX(std::max(area.left(), std::min(pos.x(), area.right() - size.width())));
  }
  calendar_->setGeometry(QRect(pos, size));
  calendar_->show();
  calendar_->setFocus(Qt::PopupFocusReason);
}

void TMyDate::CalendarSelectDate() {
  if (settingCalendar_) return;
  date_ = calendar_->SelectedDate();
  ShowDate();
  if (UserOnDateChange) UserOnDateChange();
}

void TMyDate::CalendarCloseUp() {
  date_ = calendar_->SelectedDate();
  ShowDate();
  if (edit_->isVisible()) edit_->setFocus(Qt::PopupFocusReason);
}

}  // namespace korvela
