#pragma once
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace korvela::test {

// While alive, no file of this process may grow past `bytes`: a write beyond
// fails with EFBIG as on a full disk, for root as well.
class TDiskLimit {
 public:
  explicit TDiskLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limited = saved_;
    limited.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limited);
  }
  ~TDiskLimit() { setrlimit(RLIMIT_FSIZE, &saved_); }
  TDiskLimit(const TDiskLimit&) = delete;
  TDiskLimit& operator=(const TDiskLimit&) = delete;

 private:
  rlimit saved_{};
};

// Every file of a folder (not its subfolders) with its bytes.
inline std::map<std::string, std::string> FolderContents(const std::filesystem::path& folder) {
  std::map<std::string, std::string> contents;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    contents[entry.path().filename().string()] =
        std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  return contents;
}

}  // namespace korvela::test
