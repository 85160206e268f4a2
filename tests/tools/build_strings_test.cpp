#include "korvela_data/build_strings_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/string_table.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "tool_test.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

struct TString {
  std::int32_t number;
  std::string text;
};

class TBuildStringsTest : public TToolTest {
 protected:
  TToolRun Build(const std::string& list) {
    WriteBytes(File("strings.txt"), list);
    return Run({"build-strings", Name("strings.txt"), Name("rs.dat")});
  }

  std::string StringOf(std::int32_t n) {
    TStringTable table(File("rs.dat"), *random_);
    return table.GetString(n);
  }

  // The record numbers of the table, in file order.
  std::vector<std::int32_t> TableNumbers() {
    const XMLDB db(File("rs.dat"), kStringTableKind, *random_);
    std::vector<std::int32_t> numbers;
    for (const XMLHandle& h : db.Handles()) numbers.push_back(h.ID);
    return numbers;
  }

  std::set<std::string> FolderNames() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder_.Path()))
      names.insert(entry.path().filename().string());
    return names;
  }

  void ExpectTableHolds(const std::vector<TString>& strings) {
    std::vector<std::int32_t> numbers;
    for (const TString& s : strings) {
      numbers.push_back(s.number);
      EXPECT_EQ(StringOf(s.number), s.text) << s.number;
    }
    EXPECT_EQ(TableNumbers(), numbers);
  }
};

const std::string kGoodList = "10\tTitle\n44\tOld label\n45\tNew label\n";

TEST_F(TBuildStringsTest, TheProgramReadsBackEveryTextAsWritten) {
  const std::vector<TString> strings = {
      {1, "The first number"},
      {10, "Korvela — your diet, bodyweight and training diary"},
      {44, "Fish & chips <b>not</b> \"bold\" isn't escaped by hand"},
      {45, "tab\tinside, # not a comment, 12\tnot a number"},
      {46, "Größe · 体重 · 💪"},
      {7, "leading zeros name the same number"},
      {kLastStringNumber, "the last number"},
  };
  // Every way of writing a line the list allows: a byte order mark, comment
  // and blank lines, CR LF line ends, leading zeros and a last line without
  // its line end.
  std::string list =
      "\xEF\xBB\xBF"
      "1\t" +
      strings[0].text + "\n";
  list += "# a comment\n\n  \t \n";
  list += "10\t" + strings[1].text + "\r\n";
  list += "44\t" + strings[2].text + "\n";
  list += "45\t" + strings[3].text + "\n#\t99\tcommented out\n";
  list += "46\t" + strings[4].text + "\n";
  list += "007\t" + strings[5].text + "\n";
  list += std::to_string(kLastStringNumber) + "\t" + strings[6].text;

  const TToolRun run = Build(list);
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_TRUE(run.out.empty()) << run.out;
  ExpectTableHolds(strings);
  for (const std::int32_t absent : {2, 11, 99, 12})
    EXPECT_THROW(StringOf(absent), EInvalidXMLFile) << absent;
  EXPECT_EQ(FolderNames(), (std::set<std::string>{"strings.txt", "rs.dat"}));
}

TEST_F(TBuildStringsTest, AListWithoutStringsGivesAnEmptyTable) {
  const TToolRun run = Build("# nothing yet\n\n");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_TRUE(TableNumbers().empty());
  EXPECT_THROW(StringOf(10), EInvalidXMLFile);
}

TEST_F(TBuildStringsTest, MalformedLineIsNamedAndLeavesTheTableAsItWas) {
  const struct {
    const char* list;
    int line;
    const char* problem;
  } cases[] = {
      {"10 Title\n", 1, "no tab"},
      {"10\tTitle\n\n# note\n11 Other\n", 4, "no tab"},
      {"10\tTitle\n\tNo number\n", 2, "'' is not a string number"},
      {"0\tZero\n", 1, "'0' is not a string number"},
      {"-1\tNegative\n", 1, "'-1' is not a string number"},
      {"+1\tSigned\n", 1, "'+1' is not a string number"},
      {"2147483642\tToo large\n", 1, "'2147483642' is not a string number"},
      {"99999999999\tFar too large\n", 1, "'99999999999' is not a string number"},
      {"1.5\tFraction\n", 1, "'1.5' is not a string number"},
      {"1e3\tExponent\n", 1, "'1e3' is not a string number"},
      {"0x10\tHexadecimal\n", 1, "'0x10' is not a string number"},
      {" 10\tBlank before\n", 1, "' 10' is not a string number"},
      {"10 \tBlank after\n", 1, "'10 ' is not a string number"},
      {"ten\tWord\n", 1, "'ten' is not a string number"},
      {"10\tA\n11\tB\n10\tC\n", 3, "string 10 is already given on line 1"},
      {"10\tA\n# 10\tB\n010\tC\n", 3, "string 10 is already given on line 1"},
      {"10\t\n", 1, "the text of string 10 is empty"},
      {"10\tA\n11\t\r\n", 2, "the text of string 11 is empty"},
      {"10\t Leading blank\n", 1, "begins or ends with a blank"},
      {"10\tTrailing blank \n", 1, "begins or ends with a blank"},
      {"10\tTrailing tab\t\n", 1, "begins or ends with a blank"},
      {"10\tBell\x07inside\n", 1, "control character"},
      {"10\tCarriage\rreturn inside\n", 1, "control character"},
      {"10\tDelete\x7Finside\n", 1, "control character"},
      {"10\tCaf\xE9 in Latin-1\n", 1, "not UTF-8"},
      {"# caf\xE9\n10\tA\n", 1, "not UTF-8"},
      {"10\tOverlong \xC0\xAF slash\n", 1, "not UTF-8"},
      {"10\tOverlong \xE0\x80\xAF slash\n", 1, "not UTF-8"},
      {"10\tOverlong \xF0\x80\x80\xAF slash\n", 1, "not UTF-8"},
      {"10\tSurrogate \xED\xA0\x80 half\n", 1, "not UTF-8"},
      {"10\tBeyond \xF4\x90\x80\x80 U+10FFFF\n", 1, "not UTF-8"},
      {"10\tCut short \xE2\x80", 1, "not UTF-8"},
      {"10\tLone \x80 continuation\n", 1, "not UTF-8"},
  };
  ASSERT_EQ(Build(kGoodList).code, kExitSuccess);
  const std::string before = ReadBytes(File("rs.dat"));

  for (const auto& c : cases) {
    const TToolRun run = Build(c.list);
    EXPECT_EQ(run.code, kExitFailure) << c.list;
    test::ExpectOneLineNaming(run.err, Name("strings.txt") + ":" + std::to_string(c.line) + ": ");
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(ReadBytes(File("rs.dat")), before) << c.list;
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"strings.txt", "rs.dat"})) << c.list;
  }
}

TEST_F(TBuildStringsTest, RebuildingKeepsOnlyTheStringsOfTheList) {
  ASSERT_EQ(Build(kGoodList).code, kExitSuccess);
  // 44 removed, 45 changed and moved first, 10 unchanged, 46 new.
  const TToolRun run = Build("45\tChanged label\n10\tTitle\n46\tConfirm\n");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  ExpectTableHolds({{45, "Changed label"}, {10, "Title"}, {46, "Confirm"}});
  EXPECT_THROW(StringOf(44), EInvalidXMLFile);
}

TEST_F(TBuildStringsTest, ReplacesWhateverOutHeld) {
  // A record database of another kind cannot be opened as a string table,
  // and a foreign file is no database at all: both give way to the new table.
  const std::unique_ptr<TRandom> random = MakeSeededRandom(5);
  XMLDB other(File("other.dat"), kDayRecordsKind, *random);
  other.Put(std::make_unique<XMLNode>("Weight", "72"), 17, kDataKey, 39083);
  other.Close();
  const std::string otherKind = ReadBytes(File("other.dat"));
  std::filesystem::remove(File("other.dat"));

  for (const std::string& old : {otherKind, std::string("plain text, not a table\n")}) {
    WriteBytes(File("rs.dat"), old);
    const TToolRun run = Build(kGoodList);
    ASSERT_EQ(run.code, kExitSuccess) << run.err;
    ExpectTableHolds({{10, "Title"}, {44, "Old label"}, {45, "New label"}});
  }
}

TEST_F(TBuildStringsTest, LeftoverTemporaryFileIsNotBuiltUpon) {
  // A string table holding string 99 under the temporary name, as a build
  // cut short after writing it would leave, and a damaged leftover.
  {
    TStringTable stale(File("rstmp"), *random_);
    stale.PutString(99, "stale");
    stale.Close();
  }
  const std::string staleTable = ReadBytes(File("rstmp"));

  for (const std::string& leftover : {staleTable, std::string("half written")}) {
    WriteBytes(File("rstmp"), leftover);
    const TToolRun run = Build(kGoodList);
    ASSERT_EQ(run.code, kExitSuccess) << run.err;
    ExpectTableHolds({{10, "Title"}, {44, "Old label"}, {45, "New label"}});
    EXPECT_EQ(FolderNames(), (std::set<std::string>{"strings.txt", "rs.dat"}));
  }
}

TEST_F(TBuildStringsTest, FailedReplaceLeavesNoTemporaryFile) {
  // OUT is a folder that is not empty, so the final rename fails after the
  // table has been written under its temporary name.
  std::filesystem::create_directory(File("rs.dat"));
  WriteBytes(File("rs.dat") / "keep.txt", "kept");
  const TToolRun run = Build(kGoodList);
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("rs.dat"));
  EXPECT_EQ(FolderNames(), (std::set<std::string>{"strings.txt", "rs.dat"}));
  EXPECT_EQ(ReadBytes(File("rs.dat") / "keep.txt"), "kept");
}

TEST_F(TBuildStringsTest, MissingListIsNamedAndCreatesNothing) {
  const TToolRun run = Run({"build-strings", Name("absent.txt"), Name("rs.dat")});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("absent.txt"));
  EXPECT_TRUE(FolderIsEmpty());
}

TEST_F(TBuildStringsTest, ListIsNeverOutOrItsTemporaryFile) {
  const struct {
    const char* list;
    const char* out;
  } cases[] = {{"strings.txt", "strings.txt"}, {"rstmp", "rs.dat"}, {"rs.dat", "./rs.dat"}};
  for (const auto& c : cases) {
    WriteBytes(File(c.list), kGoodList);
    const TToolRun run = Run({"build-strings", Name(c.list), Name(c.out)});
    EXPECT_EQ(run.code, kExitUsage) << c.list << " " << c.out;
    EXPECT_NE(run.err.find("usage: korvela-data build-strings TEXTFILE OUT"), std::string::npos)
        << run.err;
    EXPECT_EQ(ReadBytes(File(c.list)), kGoodList) << c.list;
    EXPECT_EQ(FolderNames(), std::set<std::string>{c.list}) << c.list << " " << c.out;
    std::filesystem::remove(File(c.list));
  }
}

// The list the program ships with builds, and holds every string the
// program reads, each as the list writes it.
TEST_F(TBuildStringsTest, ShippedListHoldsEveryStringTheProgramReads) {
  const std::filesystem::path shipped = KORVELA_SHIPPED_STRINGS;
  const TToolRun run = Run({"build-strings", shipped.string(), Name("rs.dat")});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;

  std::vector<TString> strings;
  for (const TStringListEntry& e : ReadStringList(shipped, PosixFileSystem()))
    strings.push_back({e.number, e.text});
  ExpectTableHolds(strings);

  for (const int n : {kTitleString, kCurrentPasswordLabelString, kNewPasswordLabelString,
                      kConfirmPasswordLabelString, kWrongPasswordString, kPasswordsDifferString})
    EXPECT_FALSE(StringOf(n).empty()) << n;
}

}  // namespace
}  // namespace korvela
