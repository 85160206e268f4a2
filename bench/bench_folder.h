#pragma once
#include <stdlib.h>

#include <filesystem>
#include <stdexcept>
#include <string>
#include <system_error>

namespace korvela::bench {

// A fresh folder under the system's temporary folder, removed with its
// contents at exit.
class TBenchFolder {
 public:
  TBenchFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "korvela-bench-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) throw std::runtime_error("cannot create " + pattern);
    path_ = pattern;
  }
  ~TBenchFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TBenchFolder(const TBenchFolder&) = delete;
  TBenchFolder& operator=(const TBenchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

}  // namespace korvela::bench
