#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <string>

#include "app/program.h"
#include "energy/energy_records.h"
#include "energy/weight_stat.h"
#include "storage/day_records.h"
#include "support/disk_limit.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "users/clock.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr TDateTime kCreationDay = 39248;  // 15 June 2007

// Ann's account, created on 15 June 2007 at 61.5 kg; today is 1 July 2007.
class ImportWeightsCommandTest : public test::TToolTest {
 protected:
  ImportWeightsCommandTest() {
    temporaryFolder_ = File("scratch");
    fs::create_directory(temporaryFolder_);
    fs::create_directory(File("data"));
    TFixedClock clock(kCreationDay + 0.4);
    TProgram program(File("data"), TSystemDefaults{}, clock, *random_);
    user_ = program.CreateAccount(test::AnnAccount()).Folder.filename().string();
    program.LogOff();
    today_ = "2007-07-01";
    std::ofstream(File("w.csv")) << "date,weight\n"
                                    "2007-06-20,135\n"
                                    "2007-06-25,20\n"
                                    "2007-06-28,134\n";
  }

  test::TToolRun Import(std::initializer_list<std::string> options) {
    std::vector<std::string> args{"import-weights"};
    args.insert(args.end(), options);
    args.insert(args.end(), {File("data").string(), user_, File("w.csv").string()});
    if (args.size() == 4) return Run({args[0], args[1], args[2], args[3]});
    if (args.size() == 5) return Run({args[0], args[1], args[2], args[3], args[4]});
    return Run({args[0], args[1], args[2], args[3], args[4], args[5]});
  }

  std::map<TDateTime, double> StoredWeighIns() {
    TDayRecordRegistry registry;
    RegisterEnergyRecords(registry);
    TDayRecordStore store(registry, *random_);
    store.OpenDayRecords(File("data") / user_);
    std::map<TDateTime, double> weights;
    for (const auto& entry : store.List(kWeightStatKind))
      weights[entry->Date] = store.Loaded<TWeightStat>(*entry).W;
    store.CloseDayRecords();
    return weights;
  }

  std::string user_;
};

TEST_F(ImportWeightsCommandTest, ADryRunListsThePreviewAndChangesNothing) {
  std::map<std::string, std::string> before;
  for (const auto& e : fs::recursive_directory_iterator(File("data")))
    if (e.is_regular_file()) before[e.path().string()] = test::ReadBytes(e.path());
  const test::TToolRun run = Import({"--dry-run", "--lbs"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_EQ(run.out,
            "line 2\t2007-06-20\tadd\t61.23 kg\t\n"
            "line 3\t2007-06-25\tskip\t\tweight outside 30-600 kg\n"
            "line 4\t2007-06-28\tadd\t60.78 kg\t\n"
            "2 to add, 0 to replace, 1 skipped\n");
  std::map<std::string, std::string> after;
  for (const auto& e : fs::recursive_directory_iterator(File("data")))
    if (e.is_regular_file()) after[e.path().string()] = test::ReadBytes(e.path());
  EXPECT_EQ(after, before);
}

TEST_F(ImportWeightsCommandTest, AnImportStoresTheWeighIns) {
  const test::TToolRun run = Import({"--lbs"});
  ASSERT_EQ(run.code, 0) << run.err;
  EXPECT_TRUE(run.out.ends_with("stored 2\n")) << run.out;
  const std::map<TDateTime, double> weights = StoredWeighIns();
  ASSERT_EQ(weights.size(), 3u);
  EXPECT_DOUBLE_EQ(weights.at(kCreationDay), 61.5);
  EXPECT_NEAR(weights.at(kCreationDay + 13), 60.781, 0.001);
}

TEST_F(ImportWeightsCommandTest, AFullDiskImportsNothingAndSaysSo) {
  const fs::path folder = File("data") / user_;
  const auto before = test::FolderContents(folder);
  std::uintmax_t largest = 0;
  for (const auto& [name, bytes] : before) largest = std::max<std::uintmax_t>(largest, bytes.size());
  test::TToolRun run;
  {
    const test::TDiskLimit full(largest);
    run = Import({"--lbs"});
  }
  EXPECT_EQ(run.code, 1);
  test::ExpectOneLineNaming(run.err, (folder / "PS22007.dat").string());
  EXPECT_NE(run.err.find("nothing was imported, the diary is as it was"), std::string::npos)
      << run.err;
  EXPECT_EQ(test::FolderContents(folder), before);
  // With room again the same file goes in whole.
  ASSERT_EQ(Import({"--lbs"}).code, 0);
  EXPECT_EQ(StoredWeighIns().size(), 3u);
}

TEST_F(ImportWeightsCommandTest, AFileThatIsNotCsvOrAWrongCallFails) {
  std::ofstream(File("w.csv"), std::ios::binary) << std::string("\x89PNG\0\0", 6);
  const test::TToolRun bad = Import({});
  EXPECT_EQ(bad.code, 1);
  test::ExpectOneLineNaming(bad.err, File("w.csv").string());
  EXPECT_EQ(Import({"--kg"}).code, 2);
  EXPECT_EQ(Import({"--lbs", "--lbs"}).code, 2);
  EXPECT_EQ(Run({"import-weights", File("data").string(), user_}).code, 2);
}

}  // namespace
}  // namespace korvela
