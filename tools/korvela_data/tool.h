#pragma once
#include <iosfwd>
#include <span>
#include <string_view>

#include "korvela_data/command.h"

namespace korvela {

inline constexpr int kExitSuccess = 0;
// A file could not be read, written or understood.
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

// The command table, in the order of the usage text.
std::span<const TCommand> Commands();

void WriteUsage(std::ostream& out);

// Runs one command line, the program name excluded, and returns the exit
// code. "--help" prints the usage text on env.out; a usage error prints what
// is wrong and the usage text on `err`; a failed file prints the single line
// "korvela-data: <error>" on `err`.
int RunTool(std::span<const std::string_view> args, TToolEnvironment& env, std::ostream& err);

}  // namespace korvela
