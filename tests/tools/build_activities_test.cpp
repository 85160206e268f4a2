#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "activities/sport_list.h"
#include "korvela_data/build_activities_command.h"
#include "storage/xml_db.h"
#include "tool_test.h"

namespace korvela {
namespace {

using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

constexpr const char* kHeader = "activity\tmet\tdefault_minutes\tcode\tmajor_heading\n";

class TBuildActivitiesTest : public TToolTest {
 protected:
  TToolRun Build(const std::string& table) {
    WriteBytes(File("activities.tsv"), table);
    return Run({"build-activities", Name("activities.tsv"), Name("SAA.DAT")});
  }
};

TEST_F(TBuildActivitiesTest, EachLineBecomesAnActivityUnderItsCode) {
  const TToolRun run = Build(std::string(kHeader) +
                             "Bicycling, BMX\t8.5\t30\t01008\tbicycling\r\n"
                             "Sleeping\t0.95\t480\t07030\tinactivity quiet/light\n");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  TSportList list(folder_.Path(), *random_);
  list.LoadSports();
  ASSERT_EQ(list.Count(), 2u);
  EXPECT_EQ(list.At(0).Activity, "Bicycling, BMX");
  EXPECT_EQ(list.At(0).MET, 8.5);
  EXPECT_EQ(list.At(0).Per, 30);
  EXPECT_EQ(list.At(0).ID, 1008);
  EXPECT_EQ(list.At(1).Activity, "Sleeping");
  EXPECT_EQ(list.At(1).MET, 0.95);
  EXPECT_EQ(list.At(1).Per, 480);
  EXPECT_EQ(list.At(1).ID, 7030);
}

TEST_F(TBuildActivitiesTest, AMalformedLineStopsTheBuildNamingFileAndLineAndKeepsTheOldFile) {
  ASSERT_EQ(Build(std::string(kHeader) + "Golf\t4.8\t60\t15255\tsports\n").code, kExitSuccess);
  const std::string intact = test::ReadBytes(File("SAA.DAT"));
  const struct {
    const char* line;
    const char* problem;
  } cases[] = {
      {"Golf\t4.8\t60\t15255\n", "4 columns"},
      {" \t4.8\t60\t15255\tsports\n", "no name"},
      {"Golf\t23\t60\t15255\tsports\n", "met '23'"},
      {"Golf\t0.5\t60\t15255\tsports\n", "met '0.5'"},
      {"Golf\t4,8\t60\t15255\tsports\n", "met '4,8'"},
      {"Golf\t4.8\t0\t15255\tsports\n", "default_minutes"},
      {"Golf\t4.8\t1441\t15255\tsports\n", "default_minutes"},
      {"Golf\t4.8\t60\t1525\tsports\n", "five digits"},
      {"Golf\t4.8\t60\t00005\tsports\n", "below"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    const TToolRun run = Build(std::string(kHeader) + "Tennis\t7.3\t60\t15675\tsports\n" + c.line);
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_NE(run.err.find(Name("activities.tsv") + ":3: "), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(c.problem), std::string::npos) << run.err;
    EXPECT_EQ(test::ReadBytes(File("SAA.DAT")), intact);
  }
  const TToolRun twice = Build(std::string(kHeader) + "Golf\t4.8\t60\t15255\tsports\n" +
                               "Golf, walking\t4.8\t60\t15255\tsports\n");
  EXPECT_NE(twice.err.find("given twice"), std::string::npos) << twice.err;
  const TToolRun header = Build("name\tmet\n");
  EXPECT_NE(header.err.find(":1: "), std::string::npos) << header.err;
}

TEST_F(TBuildActivitiesTest, TheShippedTableBuildsEveryActivity) {
  const TToolRun run = Run({"build-activities", KORVELA_SHIPPED_ACTIVITIES, Name("SAA.DAT")});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  TSportList list(folder_.Path(), *random_);
  list.LoadSports();
  EXPECT_EQ(list.Count(), 819u);
  for (const auto& sport : list.Sports()) {
    EXPECT_GE(sport->MET, 0.9) << sport->Activity;
    EXPECT_LE(sport->MET, 20) << sport->Activity;
    EXPECT_FALSE(sport->Activity.empty());
  }
}

}  // namespace
}  // namespace korvela
