#pragma once

namespace korvela {

// Starts the program: program folder, settings, string table, accounts,
// single-instance rule, splash picture, error handler, main window. Returns
// the process's exit code.
int RunKorvela(int argc, char** argv);

}  // namespace korvela
