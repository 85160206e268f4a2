#include "reports/report_page.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "storage/errors.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::WriteBytes;

// The system's files, with creating, renaming or deleting made to fail on
// request, as a full or read-only disk would.
class TRefusingFileSystem final : public TFileSystem {
 public:
  std::unique_ptr<TReadableFile> OpenRead(const fs::path& path) override {
    return PosixFileSystem().OpenRead(path);
  }
  std::unique_ptr<TWritableFile> Create(const fs::path& path) override {
    if (refuseCreate) throw EXMLIOError(path.string(), "cannot create: No space left on device");
    return PosixFileSystem().Create(path);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const fs::path& path) override {
    return PosixFileSystem().OpenUpdate(path);
  }
  void Rename(const fs::path& from, const fs::path& to) override {
    if (refuseRename) throw EXMLIOError(to.string(), "cannot rename: Permission denied");
    PosixFileSystem().Rename(from, to);
  }
  void Remove(const fs::path& path) override {
    if (refuseRemove && path.filename() == "report.htm")
      throw EXMLIOError(path.string(), "cannot delete: Permission denied");
    PosixFileSystem().Remove(path);
  }
  bool Exists(const fs::path& path) override { return PosixFileSystem().Exists(path); }

  bool refuseCreate = false;
  bool refuseRename = false;
  bool refuseRemove = false;
};

class TReportPageTest : public ::testing::Test {
 protected:
  TReportPageTest() {
    report_.AddTitle("Week");
    report_.EndDocument();
  }
  test::TTempFolder folder_;
  TMyReport report_;
  TRefusingFileSystem files_;
  TReportPage page_{report_, folder_.Path(), files_};
};

TEST_F(TReportPageTest, PageFollowsTheSchemeAndIsDeletedOnClose) {
  EXPECT_EQ(page_.PageFile(), folder_ / "report.htm");
  EXPECT_EQ(page_.WritePage(), std::nullopt);
  EXPECT_EQ(ReadBytes(page_.PageFile()), report_.Text());
  const std::string first = report_.Text();
  EXPECT_EQ(page_.SelectScheme(1), std::nullopt);
  EXPECT_EQ(report_.Scheme(), 1u);
  EXPECT_EQ(ReadBytes(page_.PageFile()), report_.Text());
  EXPECT_NE(report_.Text(), first);
  page_.DeletePage();
  EXPECT_FALSE(fs::exists(page_.PageFile()));
  page_.DeletePage();  // nothing left to delete
}

TEST_F(TReportPageTest, PageThatCannotBeDeletedIsReplacedByTheNextOne) {
  ASSERT_EQ(page_.WritePage(), std::nullopt);
  files_.refuseRemove = true;
  page_.DeletePage();
  EXPECT_TRUE(fs::exists(page_.PageFile()));

  TMyReport next;
  next.AddTitle("Next week");
  TReportPage nextPage(next, folder_.Path(), files_);
  EXPECT_EQ(nextPage.WritePage(), std::nullopt);
  EXPECT_EQ(ReadBytes(nextPage.PageFile()), next.Text());
}

TEST_F(TReportPageTest, PageThatCannotBeWrittenSaysSoAndKeepsTheOldPage) {
  WriteBytes(page_.PageFile(), "old");
  files_.refuseRename = true;
  EXPECT_EQ(page_.WritePage(), "The report cannot be shown: the file \"" +
                                   page_.PageFile().string() +
                                   "\" could not be written (cannot rename: Permission denied).");
  EXPECT_EQ(ReadBytes(page_.PageFile()), "old");
  EXPECT_FALSE(fs::exists(TemporaryNameFor(page_.PageFile())));
}

TEST_F(TReportPageTest, ExportsWriteTheFileOrWarnNamingItAndKeepTheOldOne) {
  const fs::path html = folder_ / "Exported Report.htm";
  EXPECT_EQ(page_.ExportHtml(html), std::nullopt);
  EXPECT_EQ(ReadBytes(html), report_.Text());
  EXPECT_EQ(page_.ExportBytes(folder_ / "r.pdf", "%PDF-1.4"), std::nullopt);
  EXPECT_EQ(ReadBytes(folder_ / "r.pdf"), "%PDF-1.4");

  files_.refuseCreate = true;
  report_.AddTitle("changed");
  EXPECT_EQ(page_.ExportHtml(html), "The report could not be exported to \"" + html.string() +
                                        "\" (cannot create: No space left on device).");
  EXPECT_NE(ReadBytes(html), report_.Text());
  files_.refuseCreate = false;
  const fs::path gone = folder_ / "gone" / "r.pdf";
  const auto warning = page_.ExportBytes(gone, "%PDF");
  ASSERT_TRUE(warning);
  EXPECT_TRUE(warning->starts_with("The report could not be exported to \"" + gone.string() +
                                   "\" (cannot create: "))
      << *warning;
}

}  // namespace
}  // namespace korvela
