#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>

#include "app/program.h"
#include "app/user_session.h"
#include "energy/body_records.h"
#include "korvela_data/tool.h"
#include "storage/day_records.h"
#include "support/csv_reader.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout_log_calories.h"
#include "users/clock.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

constexpr TDateTime kCreationDay = 39248;  // 15 June 2007
constexpr const char* kUsage =
    "usage: korvela-data report KIND DATAFOLDER USERFOLDER FROM TO [--csv]";

using TFolderState = std::map<std::string, std::string>;

TFolderState FolderState(const fs::path& folder) {
  TFolderState state;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      state[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path());
  return state;
}

bool Holds(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

std::string Cell(const std::string& text) { return "<td class=\"trc\">" + text + "</td>"; }

// Ann's account of 15 June 2007 (61.5 kg) with the day's food, a squat
// workout, a recovery rating and a measurement, saved as the screens save
// them.
class TReportCommandTest : public TToolTest {
 protected:
  TReportCommandTest() {
    temporaryFolder_ = File("scratch");
    fs::create_directory(temporaryFolder_);
    fs::create_directory(DataFolder());
    TFixedClock clock(kCreationDay + 0.4);
    TProgram program(DataFolder(), TSystemDefaults{}, clock, *random_);
    userFolder_ = program.CreateAccount(test::AnnAccount()).Folder;
    TUserSession& session = *program.Session();
    session.Energy().StoreFoodTotals(kCreationDay, 80, 50, 200, 0);

    TDrill squat;
    squat.Name = "Squat, \"deep\"";
    squat.TDM = TMeasureKind::Weight;
    TExerciseDictionary& exercises = program.Exercises();
    TWorkout workout;
    workout.Name = "Legs";
    workout.Date = kCreationDay;
    workout.Dur = 30;
    TDrillSet set;
    set.DID = exercises.AddExercise(squat).ID;
    set.Sets = 3;
    set.Reps = "10";
    set.Weight.Q = "100";
    workout.Lines.push_back(set);
    SaveWorkoutLog(session.DayRecords(), session.Energy(), exercises, workout, {});

    TRecoveryList recovery(1);
    recovery[0].Date = kCreationDay;
    recovery[0].Values.HSlept = 7.5;
    ReplaceRecovery(session.DayRecords(), recovery);
    TMeasurementList measures(1);
    measures[0].Date = kCreationDay;
    measures[0].Values[TMeasureSite::Waist] = 70.5;
    ReplaceMeasurements(session.DayRecords(), measures);
    program.LogOff();
    today_ = "2007-06-16";
  }

  fs::path DataFolder() const { return File("data"); }
  TToolRun Report(const std::string& kind, const std::string& from, const std::string& to,
                  bool csv = false) {
    if (csv)
      return Run({"report", kind, DataFolder().string(), userFolder_.filename().string(), from, to,
                  "--csv"});
    return Run({"report", kind, DataFolder().string(), userFolder_.filename().string(), from, to});
  }

  fs::path userFolder_;
};

TEST_F(TReportCommandTest, PrintsEachKindsPageFromACopyAndChangesNothing) {
  const TFolderState before = FolderState(DataFolder());
  const struct {
    const char* kind;
    std::vector<std::string> parts;
  } cases[] = {
      {"nutrition",
       {"<h2>Nutrition Report</h2>", "<h2>From: 14 June 2007</h2>", "<h2>To: 16 June 2007</h2>",
        "<td class=\"trl\">15 June 2007</td>", Cell("1570"), Cell("80(gr), 320(cal), 20%"),
        "<td class=\"trl\">14 Jun 2007 to 16 Jun 2007</td>"}},
      {"bodyweight",
       {"<td class=\"trl\">14 June 2007</td>", Cell("61.5 kg"), Cell("Not Set"), Cell("61.5 kg"),
        "<td class=\"trl\">16 June 2007</td>"}},
      {"training",
       {"<h2>Exercises: All from the period</h2>", Cell("3000 kg"), Cell("30 lifts"),
        Cell("100 kg per min"), "Period Average"}},
      {"recovery", {Cell("7.5 hours"), Cell("06:30")}},
      {"measurements", {Cell("70.5 cm"), "<td class=\"trc\">Calves(R)</td>"}},
  };
  for (const auto& c : cases) {
    const TToolRun run = Report(c.kind, "2007-06-14", "2007-06-16");
    ASSERT_EQ(run.code, kExitSuccess) << c.kind << ": " << run.err;
    EXPECT_TRUE(run.out.starts_with("<html>")) << run.out;
    EXPECT_TRUE(run.out.ends_with("</html>\r\n")) << c.kind;
    for (const std::string& part : c.parts)
      EXPECT_TRUE(Holds(run.out, part)) << c.kind << ": " << part;
  }
  EXPECT_EQ(FolderState(DataFolder()), before) << "nothing of the data folder changes";
  EXPECT_TRUE(fs::is_empty(temporaryFolder_));
}

TEST_F(TReportCommandTest, CsvOfEachKindReadsBack) {
  const struct {
    const char* kind;
    std::size_t rows;  // data rows from 14 to 16 June
    std::string header;
  } cases[] = {
      {"nutrition", 2, "protein_g"},  // today has a record from the restart
      {"bodyweight", 3, "weight_kg"}, {"training", 1, "volume_kg"},
      {"recovery", 1, "sleep_hours"}, {"measurements", 1, "waist_cm"},
  };
  for (const auto& c : cases) {
    const TToolRun run = Report(c.kind, "2007-06-14", "2007-06-16", true);
    ASSERT_EQ(run.code, kExitSuccess) << c.kind << ": " << run.err;
    const auto records = test::ReadCsv(run.out);
    ASSERT_EQ(records.size(), c.rows + 1) << c.kind;
    EXPECT_NE(std::find(records[0].begin(), records[0].end(), c.header), records[0].end());
    for (const auto& record : records) EXPECT_EQ(record.size(), records[0].size()) << c.kind;
  }
  const auto nutrition = test::ReadCsv(Report("nutrition", "2007-06-15", "2007-06-15", true).out);
  EXPECT_EQ(nutrition[1][0], "2007-06-15");
  EXPECT_EQ(nutrition[1][1], "1570");
  EXPECT_EQ(nutrition[1][6], "80");
  EXPECT_EQ(nutrition[1][10], "61.5");
  const auto training = test::ReadCsv(Report("training", "2007-06-15", "2007-06-15", true).out);
  EXPECT_EQ(training[1][3], "3000");
  EXPECT_EQ(training[1][6], "");  // no distance
}

TEST_F(TReportCommandTest, UsageErrorsAndDamagedFiles) {
  const struct {
    std::vector<std::string> args;
  } usage[] = {
      {{"report", "weight", "D", "usr1", "2007-06-14", "2007-06-16"}},
      {{"report", "nutrition", "D", "usr1", "2007-06-16", "2007-06-14"}},
      {{"report", "nutrition", "D", "usr1", "14.6.2007", "2007-06-16"}},
      {{"report", "nutrition", "D", "usr1", "2007-06-14", "2007-06-16", "--html"}},
      {{"report", "nutrition", "D", "usr1", "2007-06-14"}},
  };
  for (const auto& u : usage) {
    std::vector<std::string> args = u.args;
    args[2] = DataFolder().string();
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    TToolEnvironment env{out, *random_, PosixFileSystem(), today_, temporaryFolder_};
    EXPECT_EQ(RunTool(views, env, err), kExitUsage) << args[1] << " " << args[4];
    EXPECT_TRUE(Holds(err.str(), kUsage)) << err.str();
    EXPECT_TRUE(out.str().empty());
  }

  // The end of the day-record file holds the last record's body.
  const fs::path dayFile = userFolder_ / DayRecordFileName(kCreationDay);
  std::string bytes = ReadBytes(dayFile);
  bytes[bytes.size() - 8] = static_cast<char>(bytes[bytes.size() - 8] ^ 0x5A);
  WriteBytes(dayFile, bytes);
  const TToolRun damaged = Report("measurements", "2007-06-14", "2007-06-16");
  EXPECT_EQ(damaged.code, kExitFailure);
  EXPECT_TRUE(damaged.out.empty());
  test::ExpectOneLineNaming(damaged.err, dayFile.string());
  EXPECT_EQ(ReadBytes(dayFile), bytes);
  EXPECT_TRUE(fs::is_empty(temporaryFolder_));

  const fs::path dictionary = DataFolder() / "GDDB.DAT";
  fs::remove(dictionary);
  const TToolRun noDictionary = Report("training", "2007-06-14", "2007-06-16");
  EXPECT_EQ(noDictionary.code, kExitFailure);
  test::ExpectOneLineNaming(noDictionary.err, dictionary.string());
}

}  // namespace
}  // namespace korvela
