#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "app/program_folder.h"
#include "korvela_data/tool.h"
#include "storage/file_system.h"
#include "storage/random.h"

int main(int argc, char** argv) {
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  const std::unique_ptr<korvela::TRandom> random = korvela::MakeSystemRandom();
  korvela::TToolEnvironment env{std::cout, *random, korvela::PosixFileSystem()};
  if (const char* today = std::getenv("KORVELA_TODAY")) env.today = today;
  // The shipped files lie beside the program when installed, in the build
  // tree in the program's folder "src".
  std::error_code ec;
  const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) {
    for (const std::filesystem::path& dir :
         {exe.parent_path(), exe.parent_path().parent_path() / "src"}) {
      const std::filesystem::path shipped = korvela::ShippedDataFolder(dir);
      if (std::filesystem::exists(shipped / "rs.dat", ec)) {
        env.shippedFolder = shipped;
        break;
      }
    }
  }
  const int code = korvela::RunTool(args, env, std::cerr);
  // A dump cut short by a full disk or a closed pipe must not exit 0.
  if (!std::cout.flush()) {
    std::cerr << "korvela-data: cannot write the output\n";
    return code == korvela::kExitSuccess ? korvela::kExitFailure : code;
  }
  return code;
}
