#pragma once
#include <QLineEdit>
#include <QTime>
#include <QTimeEdit>

#include "storage/date_time.h"
#include "users/configurator.h"

namespace korvela {

// Pieces shared by the food screens.

QTime ToQTime(TDateTime timeOfDay);
TDateTime FromQTime(const QTime& time);
// A time picker in the user's time format.
QTimeEdit* MakeTimeEdit(const TConfigurator& config, const char* name, QWidget* parent);
// A line entry with an object name, limited to `maxLength` characters when
// given.
QLineEdit* MakeLineEdit(const char* name, QWidget* parent, int maxLength = 0);

}  // namespace korvela
