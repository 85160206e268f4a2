#include <gtest/gtest.h>

#include "storage/day_records.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;

constexpr std::int32_t kWeighIn = 111;
constexpr std::int32_t kColumns = 118;

// A small record class standing in for the real kinds.
class TNoteRecord : public TDBD {
 public:
  using TDBD::TDBD;
  void Read(const XMLNode& element) override { Note = element.AttrText("Note"); }
  std::unique_ptr<XMLNode> Write() const override {
    auto node = std::make_unique<XMLNode>("SNote");
    node->AddAttr("Note", Note);
    return node;
  }
  std::string Note = "default";
};

class DayRecords : public ::testing::Test {
 protected:
  DayRecords() {
    for (std::int32_t kind : {kWeighIn, 112, kColumns})
      registry.Register(kind, [](TDBC* owner) { return std::make_unique<TNoteRecord>(owner); });
  }

  std::unique_ptr<TDayRecordStore> OpenStore() {
    auto store = std::make_unique<TDayRecordStore>(registry, *random);
    store->OpenDayRecords(folder.Path());
    return store;
  }

  void Store(TDayRecordStore& store, std::int32_t kind, TDateTime date, const std::string& note) {
    TDBC& entry = store.GetOrCreateDayRecord(kind, date);
    store.Loaded<TNoteRecord>(entry).Note = note;
    store.SaveDayRecord(entry);
  }

  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(1);
  TDayRecordRegistry registry;
};

TEST(PeriodFiles, ThirdsOfTheYear) {
  EXPECT_EQ(DayRecordFileName(EncodeDate(2007, 3, 10)), "PS12007.dat");
  EXPECT_EQ(DayRecordFileName(EncodeDate(2007, 4, 30)), "PS12007.dat");
  EXPECT_EQ(DayRecordFileName(EncodeDate(2007, 5, 1)), "PS22007.dat");
  EXPECT_EQ(DayRecordFileName(EncodeDate(2007, 8, 31) + 0.99), "PS22007.dat");
  EXPECT_EQ(DayRecordFileName(EncodeDate(2007, 12, 31)), "PS32007.dat");
  EXPECT_EQ(DayRecordFileName(79), "PS11900.dat");
}

TEST_F(DayRecords, RecordsAreIndexedAtOpenAndLoadedOnFirstUse) {
  {
    auto store = OpenStore();
    Store(*store, kWeighIn, EncodeDate(2007, 4, 30), "april");
    Store(*store, kWeighIn, EncodeDate(2007, 5, 1), "may");
    Store(*store, kWeighIn, EncodeDate(2007, 12, 31), "december");
    Store(*store, 112, EncodeDate(2007, 5, 1), "calories");
    store->CloseDayRecords();
  }
  for (const char* name : {"PS12007.dat", "PS22007.dat", "PS32007.dat"})
    EXPECT_TRUE(std::filesystem::exists(folder / name)) << name;

  auto store = OpenStore();
  const auto& list = store->List(kWeighIn);
  ASSERT_EQ(list.size(), 3u);
  EXPECT_EQ(list.front()->Date, EncodeDate(2007, 4, 30));
  EXPECT_EQ(list.back()->Date, EncodeDate(2007, 12, 31));
  EXPECT_EQ(list.front()->Record, nullptr);                                  // indexed, not loaded
  TDBC* may = store->FindDayRecord(kWeighIn, EncodeDate(2007, 5, 1) + 0.7);  // a date-time
  ASSERT_NE(may, nullptr);
  EXPECT_EQ(store->Loaded<TNoteRecord>(*may).Note, "may");
  EXPECT_EQ(may->Record->Owner, may);
  EXPECT_EQ(store->FindDayRecord(kWeighIn, EncodeDate(2007, 5, 2)), nullptr);
  EXPECT_EQ(store->List(112).size(), 1u);
}

TEST_F(DayRecords, NewRecordHasDefaultsAndListsStaySorted) {
  auto store = OpenStore();
  for (int day : {20, 5, 12, 1}) store->GetOrCreateDayRecord(kWeighIn, EncodeDate(2008, 1, day));
  TDBC& again = store->GetOrCreateDayRecord(kWeighIn, EncodeDate(2008, 1, 12) + 0.5);
  EXPECT_EQ(static_cast<TNoteRecord&>(*again.Record).Note, "default");
  const auto& list = store->List(kWeighIn);
  ASSERT_EQ(list.size(), 4u);
  for (std::size_t i = 1; i < list.size(); ++i) EXPECT_LT(list[i - 1]->Date, list[i]->Date);
}

TEST_F(DayRecords, CreatingARecordCreatesAnEmptyPeriodFile) {
  auto store = OpenStore();
  store->GetOrCreateDayRecord(kWeighIn, EncodeDate(2010, 6, 1));
  EXPECT_EQ(ReadBytes(folder / "PS22010.dat").size(), 8u);
  store->CloseDayRecords();
  EXPECT_EQ(ReadBytes(folder / "PS22010.dat").size(), 8u);
}

TEST_F(DayRecords, DeletingAnUnflushedRecordLeavesNothingAfterTheFlush) {
  {
    auto store = OpenStore();
    Store(*store, kWeighIn, EncodeDate(2009, 2, 2), "kept");
    store->FlushDayRecords();
    Store(*store, kWeighIn, EncodeDate(2009, 2, 3), "short-lived");
    store->DeleteDayRecord(kWeighIn, EncodeDate(2009, 2, 3));
    EXPECT_EQ(store->FindDayRecord(kWeighIn, EncodeDate(2009, 2, 3)), nullptr);
    store->FlushDayRecords();
    // A saved and flushed record can be deleted too.
    store->DeleteDayRecord(kWeighIn, EncodeDate(2009, 2, 2));
    store->CloseDayRecords();
  }
  XMLDB db(folder / "PS12009.dat", kDayRecordsKind, *random);
  EXPECT_TRUE(db.Handles().empty());
}

TEST_F(DayRecords, FixedSmallDatesLiveInTheFileOf1900) {
  auto store = OpenStore();
  for (int key : {20, 79, 119}) Store(*store, kColumns, key, "column " + std::to_string(key));
  store->CloseDayRecords();
  XMLDB db(folder / "PS11900.dat", kDayRecordsKind, *random);
  EXPECT_EQ(db.Handles().size(), 3u);
}

TEST_F(DayRecords, ForeignKindsAreIgnoredAndAForeignFileFailsTheLogin) {
  {
    XMLDB db(folder / "PS12007.dat", kDayRecordsKind, *random);
    auto node = std::make_unique<XMLNode>("Other");
    db.Put(std::move(node), 500, kDataKey, EncodeDate(2007, 1, 1));
    auto kept = std::make_unique<XMLNode>("SNote");
    kept->AddAttr("Note", "x");
    db.Put(std::move(kept), kWeighIn, kDataKey, EncodeDate(2007, 1, 1));
    db.Close();
  }
  {
    auto store = OpenStore();
    EXPECT_EQ(store->List(kWeighIn).size(), 1u);
    EXPECT_THROW(store->List(500), EInternalError);
    store->CloseDayRecords();
  }
  { XMLDB other(folder / "PS22007.dat", 394857, *random); }
  TDayRecordStore store(registry, *random);
  EXPECT_THROW(store.OpenDayRecords(folder.Path()), EXMLIOError);
}

// Names are matched in any letter case: a renamed file is still read, and
// records of its period are written to it rather than to a second file.
TEST_F(DayRecords, PeriodFileNamesMatchInAnyLetterCase) {
  {
    auto store = OpenStore();
    Store(*store, kWeighIn, EncodeDate(2007, 1, 1), "renamed");
    store->CloseDayRecords();
  }
  std::filesystem::rename(folder / "PS12007.dat", folder / "ps12007.DAT");
  {
    auto store = OpenStore();
    TDBC* entry = store->FindDayRecord(kWeighIn, EncodeDate(2007, 1, 1));
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(store->Loaded<TNoteRecord>(*entry).Note, "renamed");
    Store(*store, kWeighIn, EncodeDate(2007, 1, 2), "same file");
    store->CloseDayRecords();
  }
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(folder.Path()))
    names.push_back(e.path().filename().string());
  EXPECT_EQ(names, std::vector<std::string>{"ps12007.DAT"});
  EXPECT_EQ(OpenStore()->List(kWeighIn).size(), 2u);
}

TEST_F(DayRecords, AFolderInPlaceOfAPeriodFileIsAnErrorNamingIt) {
  std::filesystem::create_directory(folder / "PS22007.dat");
  TDayRecordStore store(registry, *random);
  try {
    store.OpenDayRecords(folder.Path());
    FAIL() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_NE(std::string(e.what()).find("PS22007.dat"), std::string::npos) << e.what();
  }
}

TEST_F(DayRecords, DamagedRecordNamesItsFileWhenLoaded) {
  {
    XMLDB db(folder / "PS12007.dat", kDayRecordsKind, *random);
    db.Put(std::make_unique<XMLNode>("SNote"), kWeighIn, kDataKey, EncodeDate(2007, 1, 1));
    db.Close();
  }
  auto store = OpenStore();
  TDBC* entry = store->FindDayRecord(kWeighIn, EncodeDate(2007, 1, 1));
  ASSERT_NE(entry, nullptr);
  try {
    store->LoadDayRecord(*entry);  // the Note attribute is missing
    FAIL() << "no error";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_NE(std::string(e.what()).find("PS12007.dat"), std::string::npos) << e.what();
  }
}

TEST_F(DayRecords, RecordChangedJustBeforeCloseIsStored) {
  {
    auto store = OpenStore();
    Store(*store, kWeighIn, EncodeDate(2011, 9, 9), "first");
    store->FlushDayRecords();
    Store(*store, kWeighIn, EncodeDate(2011, 9, 9), "last word");
    store->CloseDayRecords();
  }
  auto store = OpenStore();
  TDBC* entry = store->FindDayRecord(kWeighIn, EncodeDate(2011, 9, 9));
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(store->Loaded<TNoteRecord>(*entry).Note, "last word");
}

}  // namespace
}  // namespace korvela
