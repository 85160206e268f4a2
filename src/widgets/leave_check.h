#pragma once
#include <QWidget>

namespace korvela {

// Whether leaving `field` should check it now. A field is checked once: when
// the focus moves on to another control of the same window. Not when the
// focus goes to a push button (OK runs every check itself, Cancel and Help
// check nothing), not on Enter (the default button checks), not when the
// window closes or another window or program becomes active.
bool LeaveCheckWanted(const QWidget* field);

}  // namespace korvela
