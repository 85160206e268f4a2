#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/program.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "korvela_data/tool.h"
#include "storage/day_records.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout_log_calories.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

using test::ReadBytes;
using test::TTempFolder;
using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

constexpr TDateTime kCreationDay = 39248;  // 15 June 2007
constexpr TDateTime kWorkoutDay = kCreationDay + 2;

using TFolderState = std::map<std::string, std::string>;

TFolderState FolderState(const fs::path& folder) {
  TFolderState state;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      state[fs::relative(entry.path(), folder).string()] = ReadBytes(entry.path());
  return state;
}

TDrillSet Line(std::int32_t did, std::int32_t sets, const char* reps, const char* weight,
               const char* tempo = "") {
  TDrillSet d;
  d.DID = did;
  d.Sets = sets;
  d.Reps = reps;
  d.Weight.Q = weight;
  d.Tempo = tempo;
  return d;
}

// An account with a bench press record of 100 kg x 5 and two workouts on
// 17 June 2007, saved the way the training log saves them.
class TWorkoutCommandTest : public TToolTest {
 protected:
  TWorkoutCommandTest() {
    temporaryFolder_ = File("scratch");
    fs::create_directory(temporaryFolder_);
    fs::create_directory(DataFolder());
    TFixedClock clock(kCreationDay + 0.4);
    TProgram program(DataFolder(), TSystemDefaults{}, clock, *random_);
    userFolder_ = program.CreateAccount(test::AnnAccount()).Folder;
    TExerciseDictionary& exercises = program.Exercises();
    const auto add = [&](const char* name, TMeasureKind kind, std::uint8_t lat) {
      TDrill d;
      d.Name = name;
      d.TDM = kind;
      d.LAT = lat;
      return exercises.AddExercise(d).ID;
    };
    const std::int32_t bench = add("Bench Press", TMeasureKind::Weight, 0);
    const std::int32_t row = add("One-Arm Row", TMeasureKind::Weight, 1);
    const std::int32_t pullups = add("Pullups", TMeasureKind::Reps, 0);
    const std::int32_t running = add("Running", TMeasureKind::DistanceTime, 0);

    TDayRecordStore& records = program.Session()->DayRecords();
    TDBC& prs = records.GetOrCreateDayRecord(kPRWrapperKind, kCreationDay);
    TDrillPR pr;
    pr.DID = bench;
    pr.Weight.Q = "100";
    pr.Reps = 5;
    pr.Date = kCreationDay;
    records.Loaded<TPRWrapper>(prs).Records.push_back(pr);
    records.SaveDayRecord(prs);

    clock.Set(kWorkoutDay + 0.8);
    TWorkout push;
    push.Name = "Push";
    push.Date = kWorkoutDay;
    push.TOD = 0.75;
    push.MET = 6;
    push.Dur = 60;
    push.Lines.push_back(Line(bench, 3, "10", "80", "3010"));
    TWSection pyramid;
    pyramid.Name = "Pyramid";
    pyramid.Reps = 2;
    pyramid.Dur = 120;
    push.Lines.push_back(pyramid);
    TDrillSet left = Line(row, 2, "8", "20");
    left.Limb = kLeftLimb;
    push.Lines.push_back(left);
    push.Lines.push_back(Line(pullups, 3, "12", "", "2"));
    push.Lines.push_back(TDrillSet{});
    TDrillSet run = Line(running, -1, "", "");
    run.Dist.Q = 5;
    run.Dist.M = kKm;
    run.Dur = 1500;
    push.Lines.push_back(run);
    TEnergyModel& energy = program.Session()->Energy();
    SaveWorkoutLog(records, energy, exercises, push, {});
    TWorkout easy;
    easy.Name = "Easy";
    easy.Date = kWorkoutDay;
    SaveWorkoutLog(records, energy, exercises, easy, {});
    program.LogOff();
  }

  fs::path DataFolder() const { return File("data"); }
  TToolRun RunWorkout(const std::string& date) {
    return Run({"workout", DataFolder().string(), userFolder_.filename().string(), date});
  }

  // The resting rate of the workout day after a restart on `today`, worked
  // out on a copy.
  Extended RestingRate(TDateTime today) {
    const TTempFolder copy;
    fs::copy(userFolder_, copy / "user", fs::copy_options::recursive);
    const std::unique_ptr<TUser> user = LoadUser(copy / "user");
    TDayRecordRegistry registry;
    RegisterEnergyRecords(registry);
    TDayRecordStore store(registry, *random_);
    store.OpenDayRecords(copy / "user");
    const TFixedClock clock(today);
    TEnergyModel model(store, *user, clock);
    model.RestartEnergyModel();
    return model.RestingRateForDay(kWorkoutDay);
  }

  fs::path userFolder_;
};

TEST_F(TWorkoutCommandTest, PrintsEachWorkoutWithItsSectionsAndLines) {
  today_ = "2007-06-20";
  const TFolderState before = FolderState(File("data"));
  const TToolRun run = RunWorkout("2007-06-17");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  const Extended rmr = RestingRate(EncodeDate(2007, 6, 20));
  ASSERT_GT(rmr, 1000);
  const std::string total = std::to_string(std::llround(60 * 6 * rmr / 1440)) + " cals";
  const std::string additional = std::to_string(std::llround(60 * 4.8L * rmr / 1440)) + " cals";
  EXPECT_EQ(run.out,
            "workout\tPush\t3040 kg\t62 lifts\t60 min\t264 sec\t51 kg/min\t71%\t" + total + "\t" +
                additional +
                "\n"
                "line\tBench Press\t80\t71%\t92%10RM\t120\t2400 kg\t\t\t80 kg\t10\t\n"
                "section\tSection Pyramid (repeat 2 times)\t640 kg\t32 lifts\t2 mins\t144 sec"
                "\t320 kg/min\tN/A\n"
                "line\tOne-Arm Row (Left)\t20\t\t\t0\t320 kg\t\t\t20 kg\t8\t\n"
                "line\tPullups\t\t\t\t72\t36 reps\t\t\t\t12\t\n"
                "line\t\t\t\t\t\t\t\t\t\t\t\n"
                "line\tRunning\t\t\t\t\t\t05:00 per km\t12 kph\t\t\t5 km\n"
                "workout\tEasy\t0 kg\t0 lifts\t0 min\t0 sec\tN/A\tN/A\tN/A\tN/A\n");
  EXPECT_EQ(FolderState(File("data")), before) << "nothing of the data folder changes";
  EXPECT_TRUE(fs::is_empty(temporaryFolder_));
}

TEST_F(TWorkoutCommandTest, ADayWithoutWorkoutsPrintsNoWorkout) {
  today_ = "2007-06-20";
  const TToolRun none = RunWorkout("2007-06-18");
  EXPECT_EQ(none.code, kExitSuccess);
  EXPECT_EQ(none.out, "no workout\n");
}

TEST_F(TWorkoutCommandTest, UnitsAndDecimalCharacterFollowTheUsersSettings) {
  today_ = "2007-06-20";
  TConfigurator config;
  auto settings = TConfigData::Load(config, userFolder_ / kConfigFileName);
  settings->MetricSystem = false;
  settings->FloatChar = ',';
  settings->Save(userFolder_ / kConfigFileName, *random_);
  const TToolRun run = RunWorkout("2007-06-17");
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_TRUE(
      run.out.starts_with("workout\tPush\t6688 lbs\t62 lifts\t60 min\t264 sec\t111 lbs/min\t"))
      << run.out;
  EXPECT_NE(run.out.find("\t320 kg\t"), std::string::npos) << "a line keeps its own unit";
  EXPECT_NE(run.out.find("\t1408 lbs\t32 lifts\t2 mins\t144 sec\t704 lbs/min\t"), std::string::npos)
      << run.out;
}

TEST_F(TWorkoutCommandTest, DamagedFilesAndUsageErrors) {
  today_ = "2007-06-20";
  const fs::path dictionary = DataFolder() / "GDDB.DAT";
  std::string bytes = ReadBytes(dictionary);
  bytes[bytes.size() - 8] = static_cast<char>(bytes[bytes.size() - 8] ^ 0x5A);
  WriteBytes(dictionary, bytes);
  const TToolRun damaged = RunWorkout("2007-06-17");
  EXPECT_EQ(damaged.code, kExitFailure);
  EXPECT_TRUE(damaged.out.empty());
  test::ExpectOneLineNaming(damaged.err, dictionary.string());
  EXPECT_EQ(ReadBytes(dictionary), bytes);
  EXPECT_TRUE(fs::is_empty(temporaryFolder_));

  EXPECT_EQ(RunWorkout("17.6.2007").code, kExitUsage);
  EXPECT_EQ(Run({"workout", DataFolder().string(), "usr1"}).code, kExitUsage);
  const TToolRun missing = Run({"workout", DataFolder().string(), "usr9", "2007-06-17"});
  EXPECT_EQ(missing.code, kExitFailure);
  test::ExpectOneLineNaming(missing.err, (DataFolder() / "usr9").string());
}

TEST(StrengthCommandTest, PrintsTheProfileOrRefusesTheArguments) {
  std::ostringstream out, err;
  auto random = MakeSeededRandom(1);
  const auto run = [&](std::initializer_list<std::string_view> args) {
    out.str("");
    err.str("");
    TToolEnvironment env{out, *random, PosixFileSystem()};
    return RunTool(std::vector<std::string_view>(args), env, err);
  };
  ASSERT_EQ(run({"strength", "225", "lbs", "5"}), kExitSuccess) << err.str();
  const std::string text = out.str();
  EXPECT_TRUE(text.starts_with("1\t100%\t253.15 lbs\n2\t97.22%\t")) << text;
  EXPECT_NE(text.find("\n5\t88.88%\t225 lbs\n"), std::string::npos) << text;
  EXPECT_TRUE(text.ends_with("\n20\t67.25%\t170.24 lbs\n")) << text;
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 20);
  ASSERT_EQ(run({"strength", "100.5", "kg", "1"}), kExitSuccess);
  EXPECT_TRUE(out.str().starts_with("1\t100%\t100.5 kg\n")) << out.str();
  for (const auto& bad : {std::vector<std::string_view>{"strength", "1001", "kg", "3"},
                          {"strength", "2201", "lbs", "3"},
                          {"strength", "100", "stone", "3"},
                          {"strength", "100,5", "kg", "3"},
                          {"strength", "100", "kg", "21"},
                          {"strength", "100", "kg", "0"},
                          {"strength", "0", "kg", "3"},
                          {"strength", "100", "kg"}}) {
    TToolEnvironment env{out, *random, PosixFileSystem()};
    EXPECT_EQ(RunTool(bad, env, err), kExitUsage)
        << bad[1] << " " << bad[2] << " " << bad[3 % bad.size()];
  }
  ASSERT_EQ(run({"strength", "1000", "kg", "1"}), kExitSuccess);
}

}  // namespace
}  // namespace korvela
