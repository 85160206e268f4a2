#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

#include "activities/sport_list.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

class TSportListTest : public ::testing::Test {
 protected:
  TSport Sport(const char* name, double met, int per) {
    TSport s;
    s.Activity = name;
    s.MET = met;
    s.Per = per;
    return s;
  }
  std::vector<std::string> Names(const TSportList& list) {
    std::vector<std::string> names;
    for (const auto& s : list.Sports()) names.push_back(s->Activity);
    return names;
  }
  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(5);
};

TEST_F(TSportListTest, AnAbsentFileIsCreatedEmpty) {
  TSportList list(folder.Path(), *random);
  list.LoadSports();
  EXPECT_EQ(list.Count(), 0u);
  EXPECT_TRUE(std::filesystem::exists(folder / "SAA.DAT"));
}

TEST_F(TSportListTest, KeepsTheListSortedWithoutCaseAndReadsItBack) {
  TSportList list(folder.Path(), *random);
  list.LoadSports();
  list.AddSport(Sport("walking", 3.5, 30));
  list.AddSport(Sport("Bicycling", 8, 45));
  TSport& rowing = list.AddSport(Sport("Rowing", 7, 20));
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Bicycling", "Rowing", "walking"}));
  EXPECT_GE(rowing.ID, kFirstFreeID);

  TSportList again(folder.Path(), *random);
  again.LoadSports();
  ASSERT_EQ(Names(again), Names(list));
  EXPECT_EQ(again.At(1).ID, rowing.ID);
  EXPECT_EQ(again.At(1).MET, 7);
  EXPECT_EQ(again.At(1).Per, 20);
}

TEST_F(TSportListTest, EditingKeepsTheIdentifierCopyingGetsANewOneDeletingRemoves) {
  TSportList list(folder.Path(), *random);
  list.LoadSports();
  TSport& original = list.AddSport(Sport("Rowing", 7, 20));
  const std::int32_t id = original.ID;

  TSport edited = original;
  edited.Activity = "Rowing, vigorous";
  edited.MET = 12;
  const TSport& replaced = list.ReplaceSport(original, edited);
  EXPECT_EQ(replaced.ID, id);

  TSport copy = replaced;
  copy.Activity = "A Copy of " + copy.Activity;
  const TSport& copied = list.AddSport(copy);
  EXPECT_NE(copied.ID, id);
  EXPECT_EQ(list.Count(), 2u);

  TSportList again(folder.Path(), *random);
  again.LoadSports();
  ASSERT_EQ(again.Count(), 2u);
  EXPECT_EQ(again.At(0).Activity, "A Copy of Rowing, vigorous");
  EXPECT_EQ(again.At(1).Activity, "Rowing, vigorous");
  EXPECT_EQ(again.At(1).ID, id);
  EXPECT_EQ(again.At(1).MET, 12);

  list.RemoveSport(replaced);
  EXPECT_EQ(Names(list), std::vector<std::string>{"A Copy of Rowing, vigorous"});
  TSportList afterDelete(folder.Path(), *random);
  afterDelete.LoadSports();
  EXPECT_EQ(Names(afterDelete), std::vector<std::string>{"A Copy of Rowing, vigorous"});
}

TEST_F(TSportListTest, RecordsBelowTenAreNotActivities) {
  {
    XMLDB db(folder / "SAA.DAT", kSportsKind, *random);
    db.Put(Sport("Reserved", 2, 10).Write(), 9, kDataKey, 0);
    db.Put(Sport("Golf", 4.8, 60).Write(), 10, kDataKey, 0);
    db.Close();
  }
  TSportList list(folder.Path(), *random);
  list.LoadSports();
  EXPECT_EQ(Names(list), std::vector<std::string>{"Golf"});
}

TEST_F(TSportListTest, AFileOfAnotherKindIsRefusedNamingIt) {
  {
    XMLDB db(folder / "SAA.DAT", 12345, *random);
    db.Close();
  }
  TSportList list(folder.Path(), *random);
  try {
    list.LoadSports();
    FAIL() << "a foreign database was read";
  } catch (const EKorvelaError& e) {
    EXPECT_EQ(std::filesystem::path(e.File()).filename(), "SAA.DAT") << e.what();
  }
}

}  // namespace
}  // namespace korvela
