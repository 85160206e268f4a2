// Every file operation of a save is made to fail in turn; afterwards the file
// must load with either its old or its new content.
#include <gtest/gtest.h>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "support/faulty_file_system.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::TTempFolder;

using test::kSteps;
using test::StepName;
using test::TFaultyFileSystem;
using test::TStep;

std::unique_ptr<XMLNode> Version(const std::string& text) {
  auto node = std::make_unique<XMLNode>("LI");
  node->AddAttr("Version", text);
  // Large enough to need several buffered writes.
  node->AddAttr("Padding", std::string(600000, 'p'));
  return node;
}

TEST(FaultInjection, SaveXMLFileLeavesTheOldOrTheNewDocument) {
  TTempFolder folder;
  auto random = MakeSeededRandom(2);
  const auto file = folder / "LI.DAT";
  TFaultyFileSystem fs;
  for (TStep step : kSteps) {
    int failAt = 0;
    for (;; ++failAt) {
      SaveXMLFile(*Version("old"), file, kDataKey, *random);
      fs.Arm(step, failAt);
      bool failed = false;
      try {
        SaveXMLFile(*Version("new"), file, kDataKey, *random, fs);
      } catch (const EXMLIOError&) {
        failed = true;
      }
      const auto loaded = LoadXMLFile(file, kDataKey);
      ASSERT_TRUE(loaded) << StepName(step) << " " << failAt;
      EXPECT_EQ(loaded->AttrText("Version"), failed ? "old" : "new") << StepName(step) << failAt;
      if (!failed) break;  // every occurrence of this step has been tried
    }
    EXPECT_GT(failAt, 0) << StepName(step) << " never happened";
  }
}

TEST(FaultInjection, XMLDBSaveLeavesTheOldOrTheNewRecordsAndCanBeRetried) {
  TTempFolder folder;
  auto random = MakeSeededRandom(4);
  const auto file = folder / "FM.DAT";
  constexpr std::int32_t kKind = 834763;
  TFaultyFileSystem fs;
  auto names = [&](XMLDB& db) {
    std::string all;
    for (std::int32_t id : {100, 200, 300}) {
      const XMLNode* node = db.Get(id, kDataKey, 0);
      all += node ? node->AttrText("Version") : "-";
      all += ' ';
    }
    return all;
  };
  for (TStep step : kSteps) {
    int failAt = 0;
    for (;; ++failAt) {
      std::filesystem::remove(file);
      {
        XMLDB db(file, kKind, *random);
        db.Put(Version("a"), 100, kDataKey, 0);
        db.Put(Version("b"), 200, kDataKey, 0);
        db.Close();
      }
      XMLDB db(file, kKind, *random, fs);
      db.Put(Version("B"), 200, kDataKey, 0);
      db.Put(Version("C"), 300, kDataKey, 0);
      db.Delete(100, 0);
      fs.Arm(step, failAt);
      bool failed = false;
      try {
        db.Save();
      } catch (const EXMLIOError&) {
        failed = true;
      }
      fs.Disarm();
      {
        XMLDB check(file, kKind, *random);
        EXPECT_EQ(names(check), failed ? "a b - " : "- B C ") << StepName(step) << " " << failAt;
      }
      if (!failed) break;
      // The database's own state survived the failure: saving again works.
      db.Save();
      XMLDB retried(file, kKind, *random);
      EXPECT_EQ(names(retried), "- B C ") << StepName(step) << " " << failAt;
    }
    EXPECT_GT(failAt, 0) << StepName(step) << " never happened";
  }
}

TEST(FaultInjection, AppendingRecordsLeavesTheTargetAsItWasOrWithAllOfThem) {
  TTempFolder folder;
  auto random = MakeSeededRandom(4);
  const auto source = folder / "FROM.DAT";
  const auto target = folder / "TO.DAT";
  {
    XMLDB from(source, 77, *random);
    for (int day = 1; day <= 3; ++day) from.Put(Version("moved"), 12, kDataKey, day);
    from.Save();
    XMLDB to(target, 77, *random);
    to.Put(Version("kept"), 12, kDataKey, 100);
    to.Save();
  }
  const std::string before = test::ReadBytes(target);
  TFaultyFileSystem fs;
  for (TStep step : kSteps) {
    int failAt = 0;
    for (;; ++failAt) {
      test::WriteBytes(target, before);
      XMLDB from(source, 77, *random);
      XMLDB to(target, 77, *random, fs);
      fs.Arm(step, failAt);
      bool failed = false;
      try {
        to.AppendStoredRecords(from, {0, 2});
      } catch (const EXMLIOError&) {
        failed = true;
      }
      fs.Disarm();
      XMLDB reread(target, 77, *random);
      ASSERT_EQ(reread.Handles().size(), failed ? 1u : 3u) << StepName(step) << " " << failAt;
      EXPECT_NE(reread.Get(12, kDataKey, 100), nullptr);
      if (!failed) {
        EXPECT_EQ(reread.Get(12, kDataKey, 3)->AttrText("Version"), "moved");
        EXPECT_FALSE(reread.Has(12, 2));
        break;
      }
    }
    EXPECT_GT(failAt, 0) << StepName(step) << " never happened";
  }
}

}  // namespace
}  // namespace korvela
