#include "widgets/leave_check.h"

#include <QApplication>
#include <QPushButton>

namespace korvela {

bool LeaveCheckWanted(const QWidget* field) {
  const QWidget* now = QApplication::focusWidget();
  if (!now || now == field) return false;
  if (now->window() != field->window() || !field->window()->isVisible()) return false;
  return qobject_cast<const QPushButton*>(now) == nullptr;
}

}  // namespace korvela
