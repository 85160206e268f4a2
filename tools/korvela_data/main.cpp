#include <cstdlib>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "korvela_data/tool.h"
#include "storage/file_system.h"
#include "storage/random.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const std::unique_ptr<korvela::TRandom> random = korvela::MakeSystemRandom();
  korvela::TToolEnvironment env{std::cout, *random, korvela::PosixFileSystem()};
  if (const char* today = std::getenv("KORVELA_TODAY")) env.today = today;
  const int code = korvela::RunTool(args, env, std::cerr);
  // A dump cut short by a full disk or a closed pipe must not exit 0.
  if (!std::cout.flush()) {
    std::cerr << "korvela-data: cannot write the output\n";
    return code == korvela::kExitSuccess ? korvela::kExitFailure : code;
  }
  return code;
}
