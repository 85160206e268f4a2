// A record database read whole, and a damaged one replaced by its readable
// records without losing the original.
#include "storage/record_salvage.h"

#include <gtest/gtest.h>

#include <functional>
#include <iostream>
#include <set>
#include <string>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

constexpr std::int32_t kKind = 834763;

std::unique_ptr<XMLNode> Named(const std::string& name) {
  auto node = std::make_unique<XMLNode>("Item");
  node->AddAttr("Name", name);
  node->AddAttr("Padding", std::string(200, 'x'));
  return node;
}

// The names of the records a database holds, in index order.
std::string NamesIn(const std::filesystem::path& file) {
  auto random = MakeSeededRandom(1);
  XMLDB db(file, kKind, *random);
  std::string names;
  for (const XMLHandle& h : db.Handles()) {
    if (!db.Has(h.ID, h.Date)) continue;
    names += db.Get(h.ID, kDataKey, h.Date)->AttrText("Name");
    names += ' ';
  }
  return names;
}

// Four records a, b, c, d (identifiers 11-14); returns the record offsets.
std::vector<TRecordSpan> FourRecords(const std::filesystem::path& file) {
  auto random = MakeSeededRandom(2);
  XMLDB db(file, kKind, *random);
  db.Put(Named("a"), 11, kDataKey, 0);
  db.Put(Named("b"), 12, kDataKey, 0);
  db.Put(Named("c"), 13, kDataKey, 0);
  db.Put(Named("d"), 14, kDataKey, 0);
  db.Close();
  const auto in = PosixFileSystem().OpenRead(file);
  return ScanRecordDatabase(*in, kKind).records;
}

void Flip(std::string& bytes, std::int64_t at) {
  bytes[static_cast<std::size_t>(at)] =
      static_cast<char>(bytes[static_cast<std::size_t>(at)] ^ 0x5A);
}

TEST(EmptyRecordDatabase, ReadsAsADatabaseWithoutRecords) {
  TTempFolder folder;
  auto random = MakeSeededRandom(3);
  const auto file = folder / "FM.DAT";
  WriteBytes(file, "");
  {
    XMLDB db(file, kKind, *random);
    EXPECT_TRUE(db.Handles().empty());
    db.Close();
  }
  EXPECT_EQ(ReadBytes(file), "");  // nothing to write, nothing written
  EXPECT_TRUE(CheckRecordDatabase(file, kKind, PosixFileSystem()).Sound());
  {
    XMLDB db(file, kKind, *random);
    db.Put(Named("a"), 11, kDataKey, 0);
    db.Close();
  }
  EXPECT_EQ(NamesIn(file), "a ");

  // An archive left empty takes appended records behind a proper header.
  const auto target = folder / "FDBA.DAT";
  WriteBytes(target, "");
  XMLDB from(file, kKind, *random);
  XMLDB to(target, kKind, *random);
  to.AppendStoredRecords(from, {0});
  EXPECT_EQ(NamesIn(target), "a ");
}

// A kill at each write step of creating a database leaves no file or the
// whole 8-byte database, never an empty or half one under the real name.
TEST(FaultInjection, ACreatedDatabaseIsThereWholeOrNotAtAll) {
  TTempFolder folder;
  auto random = MakeSeededRandom(5);
  const auto file = folder / "PS12007.dat";
  test::TFaultyFileSystem fs;
  int step = 0;
  for (;; ++step) {
    std::filesystem::remove(file);
    fs.KillAt(step);
    bool killed = false;
    try {
      XMLDB db(file, 666, *random, fs);
    } catch (const EXMLIOError&) {
      killed = true;
    }
    EXPECT_EQ(killed, fs.Killed()) << step;
    fs.Disarm();
    if (std::filesystem::exists(file)) {
      EXPECT_EQ(std::filesystem::file_size(file), 8u) << step;
      XMLDB reopened(file, 666, *random);
      EXPECT_TRUE(reopened.Handles().empty());
    } else {
      EXPECT_TRUE(killed) << step;
    }
    // The next start opens it whatever the kill left.
    XMLDB next(file, 666, *random);
    EXPECT_TRUE(next.Handles().empty()) << step;
    if (!killed) break;
  }
  EXPECT_GE(step, 3);  // create, write, flush, rename at least
  std::cout << "kill tests, creating a record database: " << step
            << " write steps killed, then a whole run\n";
}

TEST(CheckRecordDatabase, EachDamageNamesTheRecordsThatCannotBeRead) {
  TTempFolder folder;
  const auto sound = folder / "sound.dat";
  const std::vector<TRecordSpan> spans = FourRecords(sound);
  ASSERT_EQ(spans.size(), 4u);
  const std::string bytes = ReadBytes(sound);
  const auto middleOf = [&](int i) { return spans[i].Offset + spans[i].Size / 2; };
  const struct {
    const char* name;
    std::function<void(std::string&)> damage;
    const char* readable;  // identifiers of the readable records
    int lost;
    bool database;
  } cases[] = {
      {"sound", [](std::string&) {}, "11 12 13 14 ", 0, true},
      {"cut in half", [&](std::string& b) { b.resize(static_cast<std::size_t>(middleOf(1))); },
       "11 ", 1, true},
      {"one byte short", [](std::string& b) { b.pop_back(); }, "11 12 13 ", 1, true},
      {"body byte of the second", [&](std::string& b) { Flip(b, middleOf(1)); }, "11 13 14 ", 1,
       true},
      {"checksum of the last", [&](std::string& b) { Flip(b, spans[3].Offset + 1); }, "11 12 13 ",
       1, true},
      {"record header cut",
       [&](std::string& b) { b.resize(static_cast<std::size_t>(spans[3].Offset - 9)); },
       "11 12 13 ", 1, true},
      // The second record's size no longer leads to the third record: the
      // records behind it are found by their checksums.
      {"size of the second", [&](std::string& b) { Flip(b, spans[1].Offset - 4); }, "11 13 14 ", 1,
       true},
      {"size of the second past the end", [&](std::string& b) { Flip(b, spans[1].Offset - 2); },
       "11 13 14 ", 1, true},
      {"another kind", [](std::string& b) { b[4] = static_cast<char>(b[4] + 1); }, "", 0, false},
      {"no database", [](std::string& b) { b = "garbage garbage"; }, "", 0, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    std::string damaged = bytes;
    c.damage(damaged);
    const auto file = folder / "FM.DAT";
    WriteBytes(file, damaged);
    const TDatabaseCheck check = CheckRecordDatabase(file, kKind, PosixFileSystem());
    std::string readable;
    for (const TRecordSpan& r : check.readable) readable += std::to_string(r.ID) + ' ';
    EXPECT_EQ(readable, c.readable);
    EXPECT_EQ(check.Lost(), c.lost);
    EXPECT_EQ(check.database, c.database);
    EXPECT_EQ(check.Sound(), std::string(c.name) == "sound");
    EXPECT_EQ(ReadBytes(file), damaged);  // a check changes nothing
  }
  // A reader's refusal makes a record unreadable as a bad checksum does.
  WriteBytes(folder / "FM.DAT", bytes);
  const TDatabaseCheck refused = CheckRecordDatabase(folder / "FM.DAT", kKind, PosixFileSystem(),
                                                     [](std::int32_t id, double, const XMLNode&) {
                                                       if (id == 13)
                                                         throw EConvertError("no number");
                                                     });
  ASSERT_EQ(refused.unreadable.size(), 1u);
  EXPECT_EQ(refused.unreadable[0].ID, 13);
  EXPECT_EQ(refused.unreadable[0].what, "no number");
}

TEST(SalvageRecordDatabase, KeepsEveryReadableRecordAndTheOriginal) {
  TTempFolder folder;
  const auto file = folder / "FM.DAT";
  const std::vector<TRecordSpan> spans = FourRecords(file);
  std::string damaged = ReadBytes(file);
  Flip(damaged, spans[1].Offset + spans[1].Size / 2);
  WriteBytes(file, damaged);
  WriteBytes(folder / "FM.DAT.damaged", "an earlier one");

  const TSalvage salvage = SalvageRecordDatabase(file, kKind, PosixFileSystem());
  EXPECT_EQ(salvage.kept, 3);
  EXPECT_EQ(salvage.lost, 1);
  EXPECT_EQ(salvage.aside, folder / "FM.DAT.2.damaged");
  EXPECT_EQ(ReadBytes(salvage.aside), damaged);
  EXPECT_EQ(ReadBytes(folder / "FM.DAT.damaged"), "an earlier one");
  EXPECT_EQ(NamesIn(file), "a c d ");
  EXPECT_TRUE(CheckRecordDatabase(file, kKind, PosixFileSystem()).Sound());
}

TEST(SalvageRecordDatabase, AShippedCopyFillsWhatTheDamagedFileLost) {
  TTempFolder folder;
  std::filesystem::create_directory(folder / "shipped");
  const auto shipped = folder / "shipped" / "SAA.DAT";
  FourRecords(shipped);
  // The user's copy: shipped a, b, c, d with b renamed and e added.
  const auto file = folder / "SAA.DAT";
  std::filesystem::copy_file(shipped, file);
  {
    auto random = MakeSeededRandom(6);
    XMLDB db(file, kKind, *random);
    db.Put(Named("B"), 12, kDataKey, 0);
    db.Put(Named("e"), 15, kDataKey, 0);
    db.Close();
  }
  EXPECT_EQ(NamesIn(file), "a c d B e ");
  // Cut in the middle of the user's last record "e".
  std::string bytes = ReadBytes(file);
  bytes.resize(bytes.size() - 20);
  WriteBytes(file, bytes);

  const TSalvage salvage = SalvageRecordDatabase(file, kKind, PosixFileSystem(), {}, {}, shipped);
  EXPECT_EQ(salvage.kept, 4);
  EXPECT_EQ(salvage.lost, 1);
  EXPECT_EQ(salvage.filled, 0);  // every shipped item is still there
  EXPECT_EQ(NamesIn(file), "a c d B ");

  // A folder in the file's place: moved aside whole, the shipped items return.
  std::filesystem::remove(file);
  std::filesystem::create_directory(file);
  const TSalvage fresh = SalvageRecordDatabase(file, kKind, PosixFileSystem(), {}, {}, shipped);
  EXPECT_FALSE(fresh.database);
  EXPECT_EQ(fresh.filled, 4);
  EXPECT_TRUE(std::filesystem::is_directory(fresh.aside));
  EXPECT_EQ(NamesIn(file), "a b c d ");
}

// A kill at each write step of a salvage leaves the original in place or the
// salvaged file, and the original's bytes are always somewhere.
TEST(FaultInjection, ASalvageStoppedAtAnyStepLosesNothing) {
  TTempFolder folder;
  const auto file = folder / "FM.DAT";
  const std::vector<TRecordSpan> spans = FourRecords(file);
  std::string damaged = ReadBytes(file);
  Flip(damaged, spans[2].Offset + spans[2].Size / 2);
  test::TFaultyFileSystem fs;
  int step = 0;
  for (;; ++step) {
    for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
      std::filesystem::remove(e.path());
    WriteBytes(file, damaged);
    fs.KillAt(step);
    bool killed = false;
    try {
      (void)SalvageRecordDatabase(file, kKind, fs);
    } catch (const EXMLIOError&) {
      killed = true;
    }
    fs.Disarm();
    const std::string now = ReadBytes(file);
    const bool original = now == damaged;
    EXPECT_TRUE(original || NamesIn(file) == "a b d ") << step;
    EXPECT_TRUE(original || ReadBytes(folder / "FM.DAT.damaged") == damaged) << step;
    EXPECT_EQ(killed, original) << step;
    if (!killed) break;
  }
  EXPECT_GE(step, 8);  // two files, each created, written, flushed, renamed
  std::cout << "kill tests, salvage: " << step << " write steps killed, then a whole run\n";
}

// An error about the file a save reads from names that file, not the file
// being written.
TEST(ReplaceFile, AnErrorOfTheSourceNamesTheSource) {
  TTempFolder folder;
  const auto source = folder / "FDBC.DAT";
  const auto target = folder / "FDBA.DAT";
  FourRecords(source);
  auto random = MakeSeededRandom(8);
  XMLDB from(source, kKind, *random);
  XMLDB to(target, kKind, *random);
  std::string bytes = ReadBytes(source);
  bytes.pop_back();
  WriteBytes(source, bytes);  // cut behind the index's back
  const std::string before = ReadBytes(target);
  try {
    to.AppendStoredRecords(from, {0, 3});
    ADD_FAILURE() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_EQ(e.File(), source.string()) << e.what();
  }
  EXPECT_EQ(ReadBytes(target), before);
}

}  // namespace
}  // namespace korvela
