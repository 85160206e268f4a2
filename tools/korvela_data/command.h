#pragma once
#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// What a command works with: where it prints, where its random draws come
// from and the files it reads and writes.
struct TToolEnvironment {
  std::ostream& out;
  TRandom& random;
  TFileSystem& fs;
  // The value of KORVELA_TODAY when it is set: the day the commands take as
  // today (YYYY-MM-DD). Unset, today is the system's date.
  std::optional<std::string> today = std::nullopt;
  // Where a command makes its scratch folders; empty for the system's
  // temporary folder.
  std::filesystem::path temporaryFolder = {};
  // Where the shipped data files lie; empty when the tool found none.
  std::filesystem::path shippedFolder = {};
};

// A command's arguments, the command name excluded.
using TCommandArgs = std::span<const std::string_view>;

// One entry of the tool's command table. The dispatcher checks the number of
// arguments before `run` is called; `run` raises EUsageError for an argument
// of the wrong form and EKorvelaError when a file fails.
struct TCommand {
  std::string_view name;
  std::string_view arguments;  // as shown in the usage text
  std::string_view summary;
  std::size_t argumentCount;
  void (*run)(TCommandArgs args, TToolEnvironment& env);
  // Arguments the options in front may add at most ("--category N" adds two).
  std::size_t optionArgumentCount = 0;
};

}  // namespace korvela
