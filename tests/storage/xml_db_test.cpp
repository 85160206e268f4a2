#include <gtest/gtest.h>

#include <cstring>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

constexpr std::int32_t kKind = 10293948;

std::unique_ptr<XMLNode> Doc(const std::string& name) {
  auto node = std::make_unique<XMLNode>("Food");
  node->AddAttr("Name", name);
  return node;
}

std::string NameOf(const XMLNode* node) { return node ? node->AttrText("Name") : "<none>"; }

// Record identifiers in file order, read straight from the bytes.
std::vector<std::int32_t> StoredIds(const std::filesystem::path& file) {
  const std::string bytes = ReadBytes(file);
  std::vector<std::int32_t> ids;
  for (std::size_t pos = 8; pos + 16 <= bytes.size();) {
    std::int32_t id, size;
    std::memcpy(&id, bytes.data() + pos, 4);
    std::memcpy(&size, bytes.data() + pos + 12, 4);
    ids.push_back(id);
    pos += 16 + static_cast<std::size_t>(size);
  }
  return ids;
}

class RecordDatabase : public ::testing::Test {
 protected:
  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(11);
  std::filesystem::path file = folder / "UA.DAT";
};

TEST_F(RecordDatabase, NewFileHoldsOnlyTheHeader) {
  XMLDB db(file, kKind, *random);
  const std::string bytes = ReadBytes(file);
  ASSERT_EQ(bytes.size(), 8u);
  EXPECT_EQ(bytes, std::string("\x4F\x61\xBC\x00\xBC\x12\x9D\x00", 8));
}

TEST_F(RecordDatabase, RecordsSurviveSaveAndReopen) {
  {
    XMLDB db(file, kKind, *random);
    db.Put(Doc("Oats"), 100, kDataKey, 0);
    db.Put(Doc("Rye"), 101, kDataKey, 39083.0);
    db.Put(Doc("Own key"), 102, "102", 0);
    db.Close();
  }
  XMLDB db(file, kKind, *random);
  ASSERT_EQ(db.Handles().size(), 3u);
  EXPECT_EQ(NameOf(db.Get(100, kDataKey, 0)), "Oats");
  EXPECT_EQ(NameOf(db.Get(101, kDataKey, 39083.0)), "Rye");
  EXPECT_EQ(db.Get(101, kDataKey, 39084.0), nullptr);  // both identifier and date must match
  EXPECT_EQ(NameOf(db.Get(102, "102", 0)), "Own key");
  EXPECT_THROW(db.Get(102, kDataKey, 0), EInvalidXMLFile);
}

TEST_F(RecordDatabase, PutTwiceBeforeSaveLeavesOneRecord) {
  XMLDB db(file, kKind, *random);
  db.Put(Doc("first"), 100, kDataKey, 0);
  db.Put(Doc("second"), 100, kDataKey, 0);
  EXPECT_EQ(db.Handles().size(), 1u);
  EXPECT_EQ(NameOf(db.Get(100, kDataKey, 0)), "second");
  db.Save();
  EXPECT_EQ(StoredIds(file), std::vector<std::int32_t>{100});
}

TEST_F(RecordDatabase, ReplacingAStoredRecordKeepsOnlyTheNewVersion) {
  {
    XMLDB db(file, kKind, *random);
    db.Put(Doc("old"), 100, kDataKey, 0);
    db.Put(Doc("other"), 200, kDataKey, 0);
    db.Close();
  }
  XMLDB db(file, kKind, *random);
  db.Put(Doc("new"), 100, kDataKey, 0);
  EXPECT_EQ(NameOf(db.Get(100, kDataKey, 0)), "new");
  db.Save();
  EXPECT_EQ(StoredIds(file), (std::vector<std::int32_t>{200, 100}));
  XMLDB reopened(file, kKind, *random);
  EXPECT_EQ(NameOf(reopened.Get(100, kDataKey, 0)), "new");
}

TEST_F(RecordDatabase, DeleteOfAnUnsavedRecordLeavesNoTrace) {
  XMLDB db(file, kKind, *random);
  db.Put(Doc("gone"), 100, kDataKey, 0);
  db.Delete(100, 0);
  EXPECT_TRUE(db.Handles().empty());
  db.Delete(555, 0);  // absent: nothing happens
  db.Save();
  EXPECT_EQ(ReadBytes(file).size(), 8u);
}

TEST_F(RecordDatabase, DeleteOfAStoredRecordRemovesItAtSave) {
  {
    XMLDB db(file, kKind, *random);
    db.Put(Doc("a"), 100, kDataKey, 0);
    db.Put(Doc("b"), 200, kDataKey, 0);
    db.Close();
  }
  XMLDB db(file, kKind, *random);
  db.Delete(100, 0);
  EXPECT_EQ(db.Get(100, kDataKey, 0), nullptr);
  db.Save();
  EXPECT_EQ(StoredIds(file), std::vector<std::int32_t>{200});
  EXPECT_EQ(NameOf(db.Get(200, kDataKey, 0)), "b");
}

TEST_F(RecordDatabase, UnchangedDatabaseIsNotRewritten) {
  {
    XMLDB db(file, kKind, *random);
    db.Put(Doc("a"), 100, kDataKey, 0);
    db.Close();
  }
  const auto stamp = std::filesystem::last_write_time(file);
  const std::string before = ReadBytes(file);
  XMLDB db(file, kKind, *random);
  db.Get(100, kDataKey, 0);
  db.Close();
  EXPECT_EQ(ReadBytes(file), before);
  EXPECT_EQ(std::filesystem::last_write_time(file), stamp);
}

TEST_F(RecordDatabase, UnchangedRecordsAreCopiedByteForByte) {
  {
    XMLDB db(file, kKind, *random);
    for (int i = 0; i < 5; ++i) db.Put(Doc("food " + std::to_string(i)), 100 + i, kDataKey, 0);
    db.Close();
  }
  const std::string before = ReadBytes(file);
  XMLDB db(file, kKind, *random);
  db.Put(Doc("added"), 900, kDataKey, 0);
  db.Save();
  const std::string after = ReadBytes(file);
  EXPECT_EQ(after.substr(0, before.size()), before);
  // After a save every record reads from its new place in the file.
  for (int i = 0; i < 5; ++i)
    EXPECT_EQ(NameOf(db.Get(100 + i, kDataKey, 0)), "food " + std::to_string(i));
  db.ReleaseCache();
  EXPECT_EQ(NameOf(db.Get(900, kDataKey, 0)), "added");
}

TEST_F(RecordDatabase, ReleaseCacheKeepsUnsavedDocuments) {
  XMLDB db(file, kKind, *random);
  db.Put(Doc("unsaved"), 100, kDataKey, 0);
  db.ReleaseCache();
  EXPECT_EQ(NameOf(db.Get(100, kDataKey, 0)), "unsaved");
}

TEST_F(RecordDatabase, ForeignAndDamagedFilesAreTypedErrors) {
  { XMLDB db(file, kKind, *random); }
  EXPECT_THROW(XMLDB(file, 666, *random), EXMLIOError);  // another kind
  WriteBytes(file, "not a database at all");
  EXPECT_THROW(XMLDB(file, kKind, *random), EXMLIOError);
  WriteBytes(file, "abc");
  EXPECT_THROW(XMLDB(file, kKind, *random), EXMLIOError);
}

TEST_F(RecordDatabase, RecordHeadersAreNeverTrustedBeyondTheFile) {
  {
    XMLDB db(file, kKind, *random);
    db.Put(Doc("a"), 100, kDataKey, 0);
    db.Put(Doc("b"), 200, kDataKey, 0);
    db.Close();
  }
  const std::string good = ReadBytes(file);
  // A cut in the last record's body: indexed, reading it fails.
  WriteBytes(file, good.substr(0, good.size() - 3));
  {
    XMLDB db(file, kKind, *random);
    EXPECT_EQ(NameOf(db.Get(100, kDataKey, 0)), "a");
    EXPECT_THROW(db.Get(200, kDataKey, 0), EInvalidXMLFile);
  }
  // A cut inside a record header.
  WriteBytes(file, good + std::string(7, '\0'));
  EXPECT_THROW(XMLDB(file, kKind, *random), EXMLIOError);
  // A size that claims two gigabytes, and a negative size.
  for (std::int32_t size : {2147483647, -20}) {
    std::string bad = good;
    std::memcpy(bad.data() + 8 + 12, &size, 4);
    WriteBytes(file, bad);
    if (size < 0) {
      EXPECT_THROW(XMLDB(file, kKind, *random), EXMLIOError);
    } else {
      XMLDB db(file, kKind, *random);
      EXPECT_THROW(db.Get(100, kDataKey, 0), EInvalidXMLFile);
    }
  }
}

TEST(AllocateID, DrawsFreeIdentifiersInRangeIncludingDeletedOnes) {
  TTempFolder folder;
  auto random = MakeSeededRandom(5);
  XMLDB db(folder / "x.dat", kKind, *random);
  db.Put(Doc("a"), 10, kDataKey, 0);
  db.Put(Doc("b"), 11, kDataKey, 0);
  db.Save();
  db.Delete(11, 0);  // deleted but not yet saved: still taken
  for (int i = 0; i < 200; ++i) {
    const std::int32_t id = db.AllocateID(10, 13);
    EXPECT_EQ(id, 12);
  }
  db.Put(Doc("c"), 12, kDataKey, 0);
  try {
    db.AllocateID(10, 13);
    FAIL() << "no error";
  } catch (const EInternalError& e) {
    EXPECT_STREQ(e.what(), "XMLDB: cannot allocated a free ID in the specified range");
  }
  try {
    db.AllocateID(0, 1);
    FAIL() << "no error";
  } catch (const EInternalError& e) {
    EXPECT_STREQ(e.what(), "XMLDB: invalid database ID allocated");
  }
}

}  // namespace
}  // namespace korvela
