#pragma once
#include <functional>

#include "users/prompter.h"

namespace korvela {

// Runs a screen's save. When the disk refuses a write, the user is told which
// file and why, and false comes back so that the screen stays open with what
// was typed; the file keeps its earlier content. Other errors go on to the
// error report.
bool SaveOrWarn(TPrompter& prompter, const std::function<void()>& save);

}  // namespace korvela
