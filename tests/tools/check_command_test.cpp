#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/program.h"
#include "app/string_table.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "users/clock.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;
using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

// A data folder as the program leaves it: the string table, a catalogue,
// and Ann's account with a weigh-in and a day of food.
class TCheckCommandTest : public TToolTest {
 protected:
  TCheckCommandTest() {
    fs::create_directory(Data());
    TStringTable strings(Data() / kStringTableFileName, *random_);
    strings.PutString(kTitleString, "Korvela");
    strings.Close();
    XMLNode catalogue("Foods");
    catalogue.AddChild(std::make_unique<XMLNode>("Cat")).AddAttr("name", "Fruit");
    SaveXMLFile(catalogue, Data() / "foods.dat", kDataKey, *random_);
    TFixedClock clock(EncodeDate(2007, 6, 15) + 0.4);
    TProgram program(Data(), TSystemDefaults{}, clock, *random_);
    program.Start();
    user_ = program.CreateAccount(test::AnnAccount()).Folder;
    program.Session()->Energy().StoreFoodTotals(EncodeDate(2007, 6, 15), 100, 50, 300, 10);
    program.LogOff();
    program.Exit();
  }

  fs::path Data() const { return File("data"); }

  // Every file's bytes, to show that a check changes nothing.
  std::map<fs::path, std::string> Snapshot() const {
    std::map<fs::path, std::string> files;
    for (const auto& e : fs::recursive_directory_iterator(Data()))
      files[e.path()] = e.is_regular_file() ? ReadBytes(e.path()) : "(folder)";
    return files;
  }

  fs::path user_;
};

TEST_F(TCheckCommandTest, ASoundFolderPrintsOnlyTheSummaryAndExitsZero) {
  const auto before = Snapshot();
  const TToolRun run = Run({"check", Data().string()});
  EXPECT_EQ(run.code, kExitSuccess) << run.out << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  EXPECT_TRUE(run.out.starts_with("checked ")) << run.out;
  EXPECT_TRUE(run.out.ends_with(" records: all sound\n")) << run.out;
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 1) << run.out;
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(TCheckCommandTest, EachDamagedFileOrRecordGetsALineAndTheExitIsOne) {
  // A weigh-in whose weight is no number, beside a sound one.
  {
    XMLDB db(user_ / "PS22007.dat", kDayRecordsKind, *random_);
    auto bad = std::make_unique<XMLNode>("SWeight");
    bad->AddAttr("W", "heavy");
    db.Put(std::move(bad), 111, kDataKey, EncodeDate(2007, 6, 16));
    db.Close();
  }
  WriteBytes(user_ / "MI.DAT", "not a document at all");
  // A document of another kind in the place of the settings.
  WriteBytes(user_ / "CI.DAT", ReadBytes(user_ / "LI.DAT"));
  fs::create_directory(user_ / "PS32007.dat");
  const auto before = Snapshot();

  const TToolRun run = Run({"check", Data().string()});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_TRUE(run.err.empty()) << run.err;
  const std::string expected[] = {
      (user_ / "CI.DAT").string() + ": Invalid data file\n",
      (user_ / "MI.DAT").string() + ": ",
      (user_ / "PS22007.dat").string() + ": record id=111 date=39249: ",
      (user_ / "PS32007.dat").string() + ": a folder stands where a data file belongs\n",
  };
  std::size_t at = 0;
  for (const std::string& line : expected) {
    const std::size_t found = run.out.find(line, at);
    EXPECT_NE(found, std::string::npos) << line << " in\n" << run.out;
    if (found != std::string::npos) at = found;
  }
  EXPECT_EQ(std::count(run.out.begin(), run.out.end(), '\n'), 5) << run.out;
  EXPECT_TRUE(run.out.ends_with(": 4 damaged\n")) << run.out;
  EXPECT_EQ(Snapshot(), before);
}

// The shared dictionaries, the workout records and the column map are read
// with the program's readers, and a missing settings file is named.
TEST_F(TCheckCommandTest, EveryFileAndRecordKindIsReadAsTheProgramReadsIt) {
  const std::pair<const char*, std::int32_t> dictionaries[] = {{"RBOX.DAT", 1394257},
                                                               {"GDDB.DAT", 94387390},
                                                               {"PWTD.DAT", 482319762},
                                                               {"SAA.DAT", 95739423}};
  for (const auto& [name, kind] : dictionaries) {
    XMLDB db(Data() / name, kind, *random_);
    db.Put(std::make_unique<XMLNode>("X"), 5, kDataKey, 0);  // a fixed record, not read
    db.Put(std::make_unique<XMLNode>("X"), 100, kDataKey, 0);
    db.Close();
    std::string bytes = ReadBytes(Data() / name);
    bytes.pop_back();
    WriteBytes(Data() / name, bytes);
  }
  {
    XMLDB db(user_ / "PS22007.dat", kDayRecordsKind, *random_);
    auto day = std::make_unique<XMLNode>("WW");
    day->AddChild(std::make_unique<XMLNode>("Workout"));  // without its column map
    db.Put(std::move(day), 120, kDataKey, EncodeDate(2007, 6, 16));
    db.Close();
  }
  {
    XMLDB db(user_ / "PS11900.dat", kDayRecordsKind, *random_);
    auto map = std::make_unique<XMLNode>("SCOLMAP");
    for (int i = 0; i < 31; ++i) map->AddChild(std::make_unique<XMLNode>("COL"));
    db.Put(std::move(map), 119, kDataKey, 79);
    db.Close();
  }
  fs::remove(user_ / "CI.DAT");
  const auto before = Snapshot();

  const TToolRun run = Run({"check", Data().string()});
  EXPECT_EQ(run.code, kExitFailure);
  for (const std::string& line : std::vector<std::string>{
           (Data() / "RBOX.DAT").string() + ": record id=100 date=0: ",
           (Data() / "GDDB.DAT").string() + ": record id=100 date=0: ",
           (Data() / "PWTD.DAT").string() + ": record id=100 date=0: ",
           (Data() / "SAA.DAT").string() + ": record id=100 date=0: ",
           (user_ / "CI.DAT").string() + ": missing\n",
           (user_ / "PS11900.dat").string() + ": record id=119 date=79: ",
           (user_ / "PS22007.dat").string() + ": record id=120 date=39249: ",
       })
    EXPECT_NE(run.out.find(line), std::string::npos) << line << " in\n" << run.out;
  EXPECT_TRUE(run.out.ends_with(": 7 damaged\n")) << run.out;
  EXPECT_EQ(Snapshot(), before);
}

// The checksum holds, but what it guards is no document: dump refuses it as
// the program would.
TEST_F(TToolTest, DumpRefusesAScrambledBodyThatIsNoDocument) {
  {
    const auto out = PosixFileSystem().Create(File("odd.dat"));
    AppendXMLBlock(*out, "just words, <not a document", kDataKey, *random_);
    out->Close();
  }
  const TToolRun run = Run({"dump", Name("odd.dat")});
  EXPECT_EQ(run.code, kExitFailure);
  EXPECT_TRUE(run.out.empty()) << run.out;
  test::ExpectOneLineNaming(run.err, Name("odd.dat"));
}

TEST_F(TCheckCommandTest, AMissingFolderIsOneLineNamingIt) {
  const TToolRun run = Run({"check", File("nowhere").string()});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, File("nowhere").string());
  EXPECT_EQ(Run({"check"}).code, kExitUsage);
}

}  // namespace
}  // namespace korvela
