#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "korvela_data/dump_command.h"
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

const std::string kFirstText = "<Meal name=\"Lunch\"></Meal>";
constexpr std::string_view kFirstWritten = "<Meal name=\"Lunch\">\r\n</Meal>\r\n";
const std::string kSecondText = "<Weight kg=\"72.5\"></Weight>";

// Offsets inside a database of the two records above.
constexpr std::int64_t kFirstBlockSize = kBlockHeaderSize + std::ssize(kFirstWritten);
constexpr std::int64_t kSecondHeader = kXMLDBHeaderSize + kRecordHeaderSize + kFirstBlockSize;

void PutInt32(std::string& bytes, std::int64_t at, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i)
    bytes[static_cast<std::size_t>(at + i)] = static_cast<char>((u >> (8 * i)) & 0xFF);
}

std::int32_t GetInt32(const std::string& bytes, std::int64_t at) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i)
    u = (u << 8) | static_cast<unsigned char>(bytes[static_cast<std::size_t>(at + i)]);
  return static_cast<std::int32_t>(u);
}

void FlipByte(std::string& bytes, std::size_t at) {
  bytes[at] = static_cast<char>(bytes[at] ^ 0x20);
}

class TDamagedFileTest : public TToolTest {
 protected:
  void SetUp() override {
    WriteBytes(File("first.txt"), kFirstText);
    WriteBytes(File("second.txt"), kSecondText);
    ASSERT_EQ(Run({"pack", Name("first.txt"), Name("packed.dat")}).code, kExitSuccess);
    ASSERT_EQ(Run({"db-add", Name("db.dat"), "666", "17", "0", Name("first.txt")}).code,
              kExitSuccess);
    ASSERT_EQ(Run({"db-add", Name("db.dat"), "666", "18", "0", Name("second.txt")}).code,
              kExitSuccess);
  }
};

TEST_F(TDamagedFileTest, DumpFailsWithOneLineNamingTheFile) {
  const struct {
    const char* name;
    const char* source;  // the intact file the damage starts from, or none
    std::function<void(std::string&)> damage;
    bool printsFirstRecord;
  } cases[] = {
      {"body byte changed", "packed.dat", [](std::string& b) { FlipByte(b, b.size() - 3); }, false},
      {"checksum changed", "packed.dat", [](std::string& b) { FlipByte(b, 1); }, false},
      {"scrambled header changed", "packed.dat", [](std::string& b) { FlipByte(b, 9); }, false},
      {"last byte cut", "packed.dat", [](std::string& b) { b.pop_back(); }, false},
      {"cut inside the header", "packed.dat", [](std::string& b) { b.resize(10); }, false},
      {"header only", "packed.dat", [](std::string& b) { b.resize(kBlockHeaderSize); }, false},
      {"empty file", nullptr, [](std::string& b) { b.clear(); }, false},
      {"foreign text", nullptr, [](std::string& b) { b = "just some words, never scrambled\n"; },
       false},
      {"database magic alone", "db.dat", [](std::string& b) { b.resize(4); }, false},
      {"second record size past the end", "db.dat",
       [](std::string& b) { PutInt32(b, kSecondHeader + 12, GetInt32(b, kSecondHeader + 12) + 1); },
       true},
      {"second record size too small for a block", "db.dat",
       [](std::string& b) {
         PutInt32(b, kSecondHeader + 12, static_cast<std::int32_t>(kBlockHeaderSize));
         b.resize(static_cast<std::size_t>(kSecondHeader + kRecordHeaderSize + kBlockHeaderSize));
       },
       true},
      {"second record body changed", "db.dat", [](std::string& b) { FlipByte(b, b.size() - 5); },
       true},
      {"second record cut short", "db.dat", [](std::string& b) { b.resize(b.size() - 1); }, true},
      {"record header cut short", "db.dat",
       [](std::string& b) { b.resize(static_cast<std::size_t>(kSecondHeader + 5)); }, false},
      {"negative record size", "db.dat",
       [](std::string& b) { PutInt32(b, kSecondHeader + 12, -40); }, false},
  };
  for (const auto& c : cases) {
    std::string bytes = c.source ? ReadBytes(File(c.source)) : std::string();
    c.damage(bytes);
    WriteBytes(File("damaged.dat"), bytes);

    const TToolRun run = Run({"dump", Name("damaged.dat")});
    EXPECT_EQ(run.code, kExitFailure) << c.name;
    test::ExpectOneLineNaming(run.err, Name("damaged.dat"));
    if (c.printsFirstRecord) {
      const std::string first = "id=17 date=0 size=" + std::to_string(kFirstBlockSize) + "\n" +
                                std::string(kFirstWritten);
      EXPECT_EQ(run.out, first) << c.name;
    } else {
      EXPECT_EQ(run.out, "") << c.name;
    }
  }
}

TEST_F(TDamagedFileTest, IntactFilesDumpWithoutError) {
  // The cases above start from these files; they must be sound to begin with.
  for (const char* name : {"packed.dat", "db.dat"}) {
    const TToolRun run = Run({"dump", Name(name)});
    EXPECT_EQ(run.code, kExitSuccess) << name << ": " << run.err;
  }
}

TEST_F(TDamagedFileTest, MissingFileIsNamed) {
  const TToolRun run = Run({"dump", Name("absent.dat")});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("absent.dat"));
}

TEST(DumpDataFile, RaisesTheStorageErrorOfAFailedChecksum) {
  const test::TTempFolder folder;
  WriteBytes(folder / "foreign.dat", std::string(40, 'x'));
  std::ostringstream out;
  EXPECT_THROW(DumpDataFile(folder / "foreign.dat", out, PosixFileSystem()), EInvalidXMLFile);
}

}  // namespace
}  // namespace korvela
