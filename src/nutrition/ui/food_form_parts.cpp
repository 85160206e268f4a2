#include "nutrition/ui/food_form_parts.h"

#include "users/unit_text.h"

namespace korvela {

QTime ToQTime(TDateTime timeOfDay) {
  return QTime::fromMSecsSinceStartOfDay(SecondsOfDay(timeOfDay) * 1000);
}

TDateTime FromQTime(const QTime& time) {
  return TimeFromSeconds(time.msecsSinceStartOfDay() / 1000);
}

QTimeEdit* MakeTimeEdit(const TConfigurator& config, const char* name, QWidget* parent) {
  auto* edit = new QTimeEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  edit->setDisplayFormat(config.TimeFormat() == TTimeFormat::hr24 ? QStringLiteral("HH:mm")
                                                                  : QStringLiteral("hh:mm AP"));
  return edit;
}

QLineEdit* MakeLineEdit(const char* name, QWidget* parent, int maxLength) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  if (maxLength > 0) edit->setMaxLength(maxLength);
  return edit;
}

}  // namespace korvela
