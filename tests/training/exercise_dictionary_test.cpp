#include <gtest/gtest.h>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/temp_folder.h"
#include "training/exercise_dictionary.h"

namespace korvela {
namespace {

class ExerciseDictionaryTest : public ::testing::Test {
 protected:
  ExerciseDictionaryTest() { dictionary.Load(); }

  TDrill Drill(const std::string& name, const std::string& muscles = "") {
    TDrill d;
    d.Name = name;
    d.Muscles = muscles;
    d.TDM = TMeasureKind::Weight;
    return d;
  }
  std::vector<std::string> Names(const TExerciseFilter& filter) {
    std::vector<std::string> names;
    for (const std::size_t i : dictionary.Filter(filter))
      names.push_back(dictionary.Live()[i]->Name);
    return names;
  }

  test::TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(3);
  TExerciseDictionary dictionary{folder.Path(), *random};
};

TEST_F(ExerciseDictionaryTest, AFileWithoutClassificationsGetsTheSevenDefaults) {
  ASSERT_EQ(dictionary.Classes().size(), 7u);
  EXPECT_EQ(dictionary.ClassName(11), "Target Muscles");
  EXPECT_EQ(dictionary.ClassName(12), "Movement Type");
  EXPECT_EQ(dictionary.ClassName(13), "Equipment");
  EXPECT_EQ(dictionary.ClassName(17), "User Defined #4");
  XMLDB db(folder / "GDDB.DAT", kExerciseDBKind, *random);
  for (std::int32_t id = 11; id <= 17; ++id) {
    ASSERT_TRUE(db.Has(id, 0)) << id;
    EXPECT_EQ(db.Get(id, kDataKey, 0)->AttrText("Name"), DefaultClassName(id));
  }
  EXPECT_FALSE(db.Has(18, 0));
}

TEST_F(ExerciseDictionaryTest, ExercisesAndClassificationsSurviveAReload) {
  TDrill curl = Drill("Curl", "Biceps");
  curl.UImg = "/tmp/curl.png";
  curl.LAT = 1;
  curl.Instructions = "Line one\r\nline two";
  const std::int32_t curlID = dictionary.AddExercise(curl).ID;
  EXPECT_GE(curlID, 21);
  dictionary.AddExercise(Drill("bench press"));
  const std::int32_t goneID = dictionary.AddExercise(Drill("Gone")).ID;
  dictionary.DeleteExercise(2);
  TDClass user = *dictionary.FindClass(14);
  user.Name = "Grip";
  user.SubClasses = {"Wide", "Narrow"};
  dictionary.SaveClass(user);
  EXPECT_THROW(dictionary.SaveClass(TDClass{}), EInternalError);

  TExerciseDictionary again(folder.Path(), *random);
  again.Load();
  ASSERT_EQ(again.Live().size(), 2u);
  EXPECT_EQ(again.Live()[0]->Name, "bench press") << "sorted by name, case ignored";
  EXPECT_EQ(again.Live()[1]->UImg, "/tmp/curl.png");
  EXPECT_EQ(again.Live()[1]->Instructions, "Line one\r\nline two");
  EXPECT_TRUE(again.Live()[1]->Unilateral());
  ASSERT_EQ(again.DeletedList().size(), 1u);
  EXPECT_EQ(again.DisplayName(goneID, false), "Gone") << "deleted exercises still resolve";
  EXPECT_EQ(again.ClassName(14), "Grip");
  EXPECT_EQ(again.FindClass(14)->SubClasses, (std::vector<std::string>{"Wide", "Narrow"}));
  EXPECT_EQ(again.Find(curlID)->Name, "Curl");
  EXPECT_EQ(again.Find(12345), nullptr);
  EXPECT_EQ(again.DisplayName(12345, true), "");
}

TEST_F(ExerciseDictionaryTest, StoredAndExchangeFormsHoldTheirAttributes) {
  TDrill d = Drill("Row");
  d.ID = 77;
  d.ShortName = "R";
  d.UImg = "x.png";
  d.Deleted = true;
  const auto stored = WriteDrill(d);
  std::vector<std::string> names;
  for (const XMLAttr& a : stored->Attributes) names.push_back(a.Name);
  EXPECT_EQ(names, (std::vector<std::string>{"Name", "ShortName", "Muscles", "Equipment", "TOM",
                                             "TDM", "LAT", "Instructions", "UDOne", "UDTwo",
                                             "UDThree", "UDFour", "UImg", "Deleted"}));
  TDrill back = ReadDrill(*stored, false);
  back.ID = 77;
  EXPECT_TRUE(back.Deleted);
  EXPECT_EQ(back.UImg, "x.png");
  const auto exchange = WriteDrillExchange(d);
  EXPECT_EQ(exchange->Attributes.front().Name, "ID");
  EXPECT_EQ(exchange->FindAttr("UImg"), nullptr);
  EXPECT_EQ(exchange->FindAttr("Deleted"), nullptr);
  EXPECT_EQ(ReadDrill(*exchange, true).ID, 77);
  XMLNode missing("Drill");
  missing.AddAttr("Name", "x");
  missing.AddIntAttr("TDM", 1);
  EXPECT_THROW(ReadDrill(missing, false), EInvalidXMLFile);
}

TEST_F(ExerciseDictionaryTest, DuplicateNamesIgnoreBlanksAndCaseButNotDeletedOnes) {
  const std::int32_t id = dictionary.AddExercise(Drill("Bench Press")).ID;
  dictionary.AddExercise(Drill("Old Row"));
  dictionary.DeleteExercise(1);
  EXPECT_TRUE(dictionary.IsDuplicate("Bench  Press", -1));
  EXPECT_TRUE(dictionary.IsDuplicate(" bench press", -1));
  EXPECT_TRUE(dictionary.IsDuplicate("BENCHPRESS\t", -1));
  EXPECT_FALSE(dictionary.IsDuplicate("Bench Press", id)) << "the exercise itself";
  EXPECT_FALSE(dictionary.IsDuplicate("Old Row", -1)) << "deleted";
  EXPECT_FALSE(dictionary.IsDuplicate("Bench-Press", -1));
}

TEST_F(ExerciseDictionaryTest, FilterWordsAreSplitAtSeparatorsNotAtHyphens) {
  dictionary.AddExercise(Drill("Barbell Bench Press - Medium Grip", "Chest, Triceps"));
  dictionary.AddExercise(Drill("Bench-Press Machine", "Chest"));
  dictionary.AddExercise(Drill("Press Bench Alternate", "Shoulders"));
  TDrill squat = Drill("Barbell Squat", "Quadriceps, Glutes");
  squat.ShortName = "Squat";
  squat.UDTwo = "Heavy day";
  dictionary.AddExercise(squat);
  dictionary.SortLive();
  TExerciseFilter filter;
  filter[0] = "bench,PRESS";
  EXPECT_EQ(Names(filter),
            (std::vector<std::string>{"Barbell Bench Press - Medium Grip", "Bench-Press Machine",
                                      "Press Bench Alternate"}));
  filter[0] = "bench-press";
  EXPECT_EQ(Names(filter), (std::vector<std::string>{"Bench-Press Machine"}));
  filter[0] = "  ";
  filter[1] = "chest";
  EXPECT_EQ(Names(filter).size(), 2u);
  filter[1] = "triceps;chest";
  EXPECT_EQ(Names(filter), (std::vector<std::string>{"Barbell Bench Press - Medium Grip"}));
  filter = {};
  filter[0] = "squat";
  filter[5] = "heavy";
  EXPECT_EQ(Names(filter), (std::vector<std::string>{"Barbell Squat"}));
  filter[5] = "light";
  EXPECT_TRUE(Names(filter).empty());
  EXPECT_TRUE(FilterTextMatches("", "anything"));
  EXPECT_TRUE(FilterTextMatches("(a)", "A"));
  EXPECT_FALSE(FilterTextMatches("a/b", "a b"));
}

TEST_F(ExerciseDictionaryTest, EditedExercisesKeepTheirPlaceUntilTheNextSort) {
  dictionary.AddExercise(Drill("B"));
  dictionary.AddExercise(Drill("C"));
  const TDrill& added = dictionary.AddExercise(Drill("A"));
  EXPECT_EQ(dictionary.Live().back()->Name, "A");
  TDrill edited = added;
  edited.Name = "Z";
  dictionary.ReplaceExercise(0, edited);
  EXPECT_EQ(dictionary.Live()[0]->Name, "Z");
  dictionary.SortLive();
  EXPECT_EQ(dictionary.Live()[0]->Name, "A");
  EXPECT_EQ(dictionary.Live()[2]->Name, "Z");
}

// The operating system's files, except that replacing a file can be refused
// as a full disk would.
class TFullDiskFileSystem final : public TFileSystem {
 public:
  std::unique_ptr<TReadableFile> OpenRead(const std::filesystem::path& p) override {
    return PosixFileSystem().OpenRead(p);
  }
  std::unique_ptr<TWritableFile> Create(const std::filesystem::path& p) override {
    return PosixFileSystem().Create(p);
  }
  std::unique_ptr<TWritableFile> OpenUpdate(const std::filesystem::path& p) override {
    return PosixFileSystem().OpenUpdate(p);
  }
  void Rename(const std::filesystem::path& from, const std::filesystem::path& to) override {
    if (full) throw EXMLIOError(to.string(), "No space left on device");
    PosixFileSystem().Rename(from, to);
  }
  void Remove(const std::filesystem::path& p) override { PosixFileSystem().Remove(p); }
  bool Exists(const std::filesystem::path& p) override { return PosixFileSystem().Exists(p); }
  bool full = false;
};

TEST_F(ExerciseDictionaryTest, ARefusedWriteKeepsTheFileAndTheListAndCanBeRetried) {
  TFullDiskFileSystem disk;
  TExerciseDictionary onDisk(folder.Path(), *random, disk);
  onDisk.Load();
  onDisk.AddExercise(Drill("Row"));
  const std::string before = test::ReadBytes(folder / "GDDB.DAT");
  disk.full = true;
  EXPECT_THROW(onDisk.AddExercise(Drill("Curl")), EXMLIOError);
  EXPECT_THROW(onDisk.DeleteExercise(0), EXMLIOError);
  EXPECT_EQ(test::ReadBytes(folder / "GDDB.DAT"), before);
  ASSERT_EQ(onDisk.Live().size(), 1u);
  EXPECT_FALSE(onDisk.Live()[0]->Deleted);
  disk.full = false;
  onDisk.AddExercise(Drill("Curl"));

  // With the file open, as the dictionary screen keeps it, a refused write
  // does not reach the file with the next one.
  onDisk.OpenFile();
  disk.full = true;
  TDrill cancelled = Drill("Cancelled");
  EXPECT_THROW(onDisk.SaveExercise(cancelled), EXMLIOError);
  EXPECT_EQ(cancelled.ID, -1);
  disk.full = false;
  onDisk.AddExercise(Drill("Squat"));
  onDisk.CloseFile();
  TExerciseDictionary again(folder.Path(), *random);
  again.Load();
  ASSERT_EQ(again.Live().size(), 3u);
  EXPECT_EQ(again.Live()[2]->Name, "Squat");
}

TEST_F(ExerciseDictionaryTest, ADamagedRecordNamesTheFile) {
  {
    XMLDB db(folder / "GDDB.DAT", kExerciseDBKind, *random);
    auto bad = std::make_unique<XMLNode>("Drill");
    bad->AddAttr("Name", "No kind");
    db.Put(std::move(bad), 500, kDataKey, 0);
    db.Save();
  }
  TExerciseDictionary again(folder.Path(), *random);
  try {
    again.Load();
    FAIL() << "no error";
  } catch (const EKorvelaError& e) {
    EXPECT_NE(e.File().find("GDDB.DAT"), std::string::npos);
  }
}

}  // namespace
}  // namespace korvela
