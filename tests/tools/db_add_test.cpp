#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "korvela_data/db_add_command.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/value_text.h"
#include "storage/xml_db.h"
#include "tool_test.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

const std::string kBreakfastText = "<Meal name=\"Breakfast\">\n  <Item>Oats</Item>\n</Meal>\n";
const std::string kBreakfastWritten =
    "<Meal name=\"Breakfast\">\r\n<Item>Oats</Item>\r\n</Meal>\r\n";
const std::string kWeightText = "<Weight kg=\"72.5\"></Weight>";
const std::string kWeightWritten = "<Weight kg=\"72.5\">\r\n</Weight>\r\n";

std::string RecordLines(std::int32_t id, const std::string& date, const std::string& written) {
  return "id=" + std::to_string(id) + " date=" + date +
         " size=" + std::to_string(kBlockHeaderSize + std::ssize(written)) + "\n" + written;
}

class TDbAddTest : public TToolTest {
 protected:
  void SetUp() override {
    WriteBytes(File("breakfast.txt"), kBreakfastText);
    WriteBytes(File("weight.txt"), kWeightText);
  }
};

TEST_F(TDbAddTest, CreatesTheDatabaseAndDumpListsEveryRecordInFileOrder) {
  ASSERT_FALSE(std::filesystem::exists(File("PS12007.dat")));
  TToolRun run =
      Run({"db-add", Name("PS12007.dat"), "666", "17", "2007-01-01", Name("breakfast.txt")});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  run = Run({"db-add", Name("PS12007.dat"), "666", "18", "39083.75", Name("weight.txt")});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;

  const TToolRun dump = Run({"dump", Name("PS12007.dat")});
  EXPECT_EQ(dump.code, kExitSuccess) << dump.err;
  EXPECT_EQ(dump.out, RecordLines(17, "39083", kBreakfastWritten) +
                          RecordLines(18, "39083.75", kWeightWritten));

  // The program finds the records where the tool put them, under the data key.
  const std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  XMLDB db(File("PS12007.dat"), kDayRecordsKind, *random);
  const XMLNode* breakfast = db.Get(17, kDataKey, 39083);
  ASSERT_NE(breakfast, nullptr);
  EXPECT_EQ(breakfast->ToText(), kBreakfastWritten);
  const XMLNode* weight = db.Get(18, kDataKey, 39083.75);
  ASSERT_NE(weight, nullptr);
  EXPECT_EQ(weight->ToText(), kWeightWritten);
}

TEST_F(TDbAddTest, StringTableRecordsAreKeyedByTheirIdentifier) {
  for (const std::int32_t id : {5, 1234567, -12}) {
    const TToolRun run =
        Run({"db-add", Name("rs.dat"), "654", std::to_string(id), "0", Name("weight.txt")});
    ASSERT_EQ(run.code, kExitSuccess) << id << ": " << run.err;
  }
  const TToolRun dump = Run({"dump", Name("rs.dat")});
  EXPECT_EQ(dump.code, kExitSuccess) << dump.err;
  EXPECT_EQ(dump.out, RecordLines(5, "0", kWeightWritten) +
                          RecordLines(1234567, "0", kWeightWritten) +
                          RecordLines(-12, "0", kWeightWritten));

  const std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  XMLDB db(File("rs.dat"), kStringTableKind, *random);
  for (const std::int32_t id : {5, 1234567, -12}) {
    EXPECT_THROW(db.Get(id, kDataKey, 0), EInvalidXMLFile) << id;
    const XMLNode* node = db.Get(id, IntText(id), 0);
    ASSERT_NE(node, nullptr) << id;
    EXPECT_EQ(node->ToText(), kWeightWritten) << id;
  }
}

TEST_F(TDbAddTest, SameIdentifierAndDayReplacesTheRecord) {
  ASSERT_EQ(Run({"db-add", Name("db.dat"), "666", "17", "39083", Name("breakfast.txt")}).code,
            kExitSuccess);
  ASSERT_EQ(Run({"db-add", Name("db.dat"), "666", "17", "39084", Name("breakfast.txt")}).code,
            kExitSuccess);
  ASSERT_EQ(Run({"db-add", Name("db.dat"), "666", "17", "2007-01-01", Name("weight.txt")}).code,
            kExitSuccess);
  EXPECT_EQ(Run({"dump", Name("db.dat")}).out,
            RecordLines(17, "39084", kBreakfastWritten) + RecordLines(17, "39083", kWeightWritten));
}

TEST_F(TDbAddTest, DatabaseOfAnotherKindIsLeftAsItWas) {
  ASSERT_EQ(Run({"db-add", Name("db.dat"), "666", "17", "0", Name("breakfast.txt")}).code,
            kExitSuccess);
  const std::string before = ReadBytes(File("db.dat"));

  const TToolRun run = Run({"db-add", Name("db.dat"), "111", "18", "0", Name("weight.txt")});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("db.dat"));
  EXPECT_EQ(ReadBytes(File("db.dat")), before);
}

TEST_F(TDbAddTest, TextOutsideTheTextFormCreatesNoDatabase) {
  WriteBytes(File("bad.txt"), "<Meal><Item></Meal>");
  const TToolRun run = Run({"db-add", Name("db.dat"), "666", "17", "0", Name("bad.txt")});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("bad.txt"));
  EXPECT_FALSE(std::filesystem::exists(File("db.dat")));
}

TEST(AddDatabaseRecord, StoresUnderTheGivenDayValue) {
  const test::TTempFolder folder;
  WriteBytes(folder / "doc.txt", kWeightText);
  const std::unique_ptr<TRandom> random = MakeSeededRandom(9);
  AddDatabaseRecord(folder / "db.dat", 111, 42, 45351.25, folder / "doc.txt", *random,
                    PosixFileSystem());

  XMLDB db(folder / "db.dat", 111, *random);
  ASSERT_EQ(db.Handles().size(), 1u);
  EXPECT_EQ(db.Handles()[0].ID, 42);
  EXPECT_EQ(db.Handles()[0].Date, 45351.25);
  EXPECT_NE(db.Get(42, kDataKey, 45351.25), nullptr);
}

}  // namespace
}  // namespace korvela
