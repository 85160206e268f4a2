#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <initializer_list>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "korvela_data/tool.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "support/temp_folder.h"

namespace korvela::test {

struct TToolRun {
  int code = -1;
  std::string out;
  std::string err;
};

// Each test runs the tool's commands in a fresh temporary folder.
class TToolTest : public ::testing::Test {
 protected:
  std::filesystem::path File(const std::string& name) const { return folder_ / name; }
  std::string Name(const std::string& name) const { return File(name).string(); }

  TToolRun Run(std::initializer_list<std::string> args) {
    const std::vector<std::string> owned(args);
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    std::ostringstream out, err;
    TToolEnvironment env{out, *random_, PosixFileSystem(), today_, temporaryFolder_};
    const int code = RunTool(views, env, err);
    return {code, out.str(), err.str()};
  }

  bool FolderIsEmpty() const { return std::filesystem::is_empty(folder_.Path()); }

  TTempFolder folder_;
  std::unique_ptr<TRandom> random_ = MakeSeededRandom(20070101);
  // What Run hands the commands as KORVELA_TODAY and as their scratch place.
  std::optional<std::string> today_;
  std::filesystem::path temporaryFolder_;
};

// A failure report is a single line that names the file.
inline void ExpectOneLineNaming(const std::string& err, const std::string& file) {
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_TRUE(err.starts_with("korvela-data: ")) << err;
  EXPECT_TRUE(err.ends_with("\n")) << err;
  EXPECT_NE(err.find(file), std::string::npos) << err;
}

}  // namespace korvela::test
