#pragma once
#include <functional>

class QApplication;

namespace korvela {

// Starts the program: program folder, settings, string table, accounts,
// single-instance rule, splash picture, error handler, main window. Returns
// the process's exit code.
// `prepare`, when given, sees the application object before anything else
// happens (measurements install their event filters there).
int RunKorvela(int argc, char** argv, const std::function<void(QApplication&)>& prepare = {});

}  // namespace korvela
