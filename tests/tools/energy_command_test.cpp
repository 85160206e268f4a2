#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "korvela_data/tool.h"
#include "storage/day_records.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "users/clock.h"
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
constexpr const char* kUsage = "usage: korvela-data energy DATAFOLDER USERFOLDER FIRST LAST";
constexpr std::size_t kFigureCount = 7;  // the model's figures before PW and AC

std::string DateText(TDateTime day) {
  const TYearMonthDay d = DecodeDate(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", d.year, d.month, d.day);
  return text;
}

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (std::size_t at = text.find(separator); at != std::string::npos;
       at = text.find(separator, start)) {
    parts.push_back(text.substr(start, at - start));
    start = at + 1;
  }
  parts.push_back(text.substr(start));
  return parts;
}

// The lines of an output that ends with a line end.
std::vector<std::string> Lines(const std::string& out) {
  EXPECT_TRUE(out.ends_with('\n')) << out;
  std::vector<std::string> lines = Split(out, '\n');
  lines.pop_back();
  return lines;
}

// The whole text must be the number.
template <typename T>
std::optional<T> ReadNumber(const std::string& text) {
  char* end = nullptr;
  T value{};
  if constexpr (std::is_same_v<T, long double>)
    value = std::strtold(text.c_str(), &end);
  else if constexpr (std::is_same_v<T, double>)
    value = std::strtod(text.c_str(), &end);
  else
    value = std::strtof(text.c_str(), &end);
  if (text.empty() || *end != '\0') return std::nullopt;
  return value;
}

// The bytes and modification time of every file below a folder.
using TFolderState = std::map<std::string, std::pair<std::string, fs::file_time_type>>;

TFolderState FolderState(const fs::path& folder) {
  TFolderState state;
  for (const auto& entry : fs::recursive_directory_iterator(folder))
    if (entry.is_regular_file())
      state[fs::relative(entry.path(), folder).string()] = {ReadBytes(entry.path()),
                                                            entry.last_write_time()};
  return state;
}

// What the model computes for one day's record after a restart.
struct TDayFigures {
  Extended figures[kFigureCount];
  double PW = 0;
  float AC = 0;
};

// A user's history made the way the program makes it: an account created on
// 15 June 2007 with a weigh-in, food logged on the first, second and fourth
// day, a readjusted activity coefficient on the second, an exercise on the
// fourth, and the model restarted on that fourth day.
class TEnergyCommandTest : public TToolTest {
 protected:
  TEnergyCommandTest() {
    temporaryFolder_ = File("scratch");
    fs::create_directory(temporaryFolder_);
    fs::create_directory(DataFolder());
    MakeHistory();
  }

  fs::path DataFolder() const { return File("data"); }


  void MakeHistory() {
    TFixedClock clock(kCreationDay + 0.4);
    TProgram program(DataFolder(), TSystemDefaults{}, clock, *random_);
    userFolder_ = program.CreateAccount(test::AnnAccount()).Folder;
    TEnergyModel& energy = program.Session()->Energy();
    TDayRecordStore& records = program.Session()->DayRecords();
    energy.StoreFoodTotals(kCreationDay, 100, 50, 300, 10);

    clock.Set(kCreationDay + 3 + 0.5);
    energy.StoreFoodTotals(kCreationDay + 1, 80, 60, 250, 0);
    // A coefficient as a readjustment leaves it, with every digit of a float.
    TDBC& readjusted = records.GetOrCreateDayRecord(kCalStatKind, kCreationDay + 1);
    records.Loaded<TCalStat>(readjusted).AC =
        std::nextafter(TEnergyModel::DefaultActivityCoefficient(true, 2), 2.0f);
    energy.SaveCalRecord(readjusted);
    TDBC& exerciseDay = records.GetOrCreateDayRecord(kCalStatKind, kCreationDay + 3);
    TSECERec run;
    run.Time = 0.75;
    run.Name = "Running";
    run.MET = 8;
    run.Dur = 40;
    records.Loaded<TCalStat>(exerciseDay).Entries.push_back(run);
    energy.SaveCalRecord(exerciseDay);
    energy.StoreFoodTotals(kCreationDay + 3, 90, 70, 200, 20);
    energy.RestartEnergyModel();
    program.LogOff();
  }

  TToolRun RunEnergy(const std::string& user, TDateTime first, TDateTime last) {
    return Run({"energy", DataFolder().string(), user, DateText(first), DateText(last)});
  }
  TToolRun RunEnergy(TDateTime first, TDateTime last) {
    return RunEnergy(userFolder_.filename().string(), first, last);
  }

  // The model's figures of the days first ... last, worked out on a copy of
  // the user folder restarted with `today`; no entry for a day without a
  // calorie record.
  std::map<TDateTime, TDayFigures> ModelFigures(TDateTime first, TDateTime last, TDateTime today) {
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
    std::map<TDateTime, TDayFigures> days;
    for (TDateTime day = first; day <= last; day += 1) {
      TDBC* entry = store.FindDayRecord(kCalStatKind, day);
      if (!entry) continue;
      TCalStat& cal = store.Loaded<TCalStat>(*entry);
      TDayFigures& f = days[day];
      f.figures[0] = EatenCalories(cal);
      f.figures[1] = model.RestingMetabolicRate(cal);
      f.figures[2] = model.ThermicEffectOfFood(cal);
      f.figures[3] = model.DailyPhysicalActivity(cal);
      f.figures[4] = model.ExerciseCalories(cal);
      f.figures[5] = model.TotalDailyExpenditure(cal);
      f.figures[6] = model.CalorieBalance(cal);
      f.PW = cal.PW;
      f.AC = cal.AC;
    }
    return days;
  }

  // The printed day lines by date, each split at its tabs, the date removed.
  static std::map<std::string, std::vector<std::string>> DayLines(const std::string& out) {
    std::map<std::string, std::vector<std::string>> days;
    const std::vector<std::string> lines = Lines(out);
    for (std::size_t i = 1; i < lines.size(); ++i) {
      std::vector<std::string> fields = Split(lines[i], '\t');
      const std::string date = fields.front();
      fields.erase(fields.begin());
      days[date] = std::move(fields);
    }
    return days;
  }

  void ExpectScratchEmpty() const {
    EXPECT_TRUE(fs::is_empty(temporaryFolder_)) << "a copy was left behind";
  }

  fs::path userFolder_;
};

TEST_F(TEnergyCommandTest, PrintsAHeaderAndOneLinePerDayInOrder) {
  today_ = "2007-06-20";
  const TDateTime first = kCreationDay - 2, last = kCreationDay + 7;
  const TToolRun run = RunEnergy(first, last);
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_TRUE(run.err.empty()) << run.err;
  const std::vector<std::string> lines = Lines(run.out);
  ASSERT_EQ(lines.size(), 1 + static_cast<std::size_t>(last - first + 1)) << run.out;
  EXPECT_TRUE(lines[0].starts_with('#')) << lines[0];
  EXPECT_EQ(Split(lines[0], '\t').size(), 1 + kFigureCount + 2) << lines[0];
  for (const char* name :
       {"EatenCalories", "RestingMetabolicRate", "ThermicEffectOfFood", "DailyPhysicalActivity",
        "ExerciseCalories", "TotalDailyExpenditure", "CalorieBalance", "PW", "AC"})
    EXPECT_NE(lines[0].find(name), std::string::npos) << name;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    const TDateTime day = first + static_cast<TDateTime>(i - 1);
    const std::vector<std::string> fields = Split(lines[i], '\t');
    EXPECT_EQ(fields[0], DateText(day));
    // Before the account and after today there is no record; from the
    // account's day through today the restart has made one for every day.
    if (day < kCreationDay || day > kCreationDay + 5)
      EXPECT_EQ(fields, (std::vector<std::string>{DateText(day), "no record"}));
    else
      EXPECT_EQ(fields.size(), 1 + kFigureCount + 2) << lines[i];
  }
}

TEST_F(TEnergyCommandTest, NumbersAreTheModelsAndReadBackExactly) {
  const TDateTime first = kCreationDay - 1, last = kCreationDay + 6;
  for (const TDateTime today : {kCreationDay + 3, kCreationDay + 5}) {
    SCOPED_TRACE(DateText(today));
    today_ = DateText(today);
    const TToolRun run = RunEnergy(first, last);
    ASSERT_EQ(run.code, kExitSuccess) << run.err;
    const auto printed = DayLines(run.out);
    const auto model = ModelFigures(first, last, today);
    ASSERT_EQ(model.size(), static_cast<std::size_t>(today - kCreationDay + 1));
    for (TDateTime day = first; day <= last; day += 1) {
      SCOPED_TRACE(DateText(day));
      const std::vector<std::string>& fields = printed.at(DateText(day));
      const auto want = model.find(day);
      if (want == model.end()) {
        EXPECT_EQ(fields, std::vector<std::string>{"no record"});
        continue;
      }
      ASSERT_EQ(fields.size(), kFigureCount + 2);
      for (std::size_t i = 0; i < kFigureCount; ++i)
        EXPECT_EQ(ReadNumber<long double>(fields[i]), want->second.figures[i])
            << "column " << i + 1 << ": " << fields[i];
      EXPECT_EQ(ReadNumber<double>(fields[kFigureCount]), want->second.PW);
      EXPECT_EQ(ReadNumber<float>(fields[kFigureCount + 1]), want->second.AC);
    }
  }
}

TEST_F(TEnergyCommandTest, ShowsTheFoodWeighInAndExerciseThatWereLogged) {
  today_ = "2007-06-18";
  const TToolRun run = RunEnergy(kCreationDay, kCreationDay + 3);
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  const auto days = DayLines(run.out);
  // 4 calories a gram of protein and carbohydrate, 9 of fat, 7 of alcohol.
  const struct {
    TDateTime day;
    long double eaten;
  } eaten[] = {
      {kCreationDay, 4 * 100 + 9 * 50 + 4 * 300 + 7 * 10},
      {kCreationDay + 1, 4 * 80 + 9 * 60 + 4 * 250},
      {kCreationDay + 2, 0},
      {kCreationDay + 3, 4 * 90 + 9 * 70 + 4 * 200 + 7 * 20},
  };
  for (const auto& c : eaten)
    EXPECT_EQ(ReadNumber<long double>(days.at(DateText(c.day))[0]), c.eaten) << DateText(c.day);
  const std::vector<std::string>& creation = days.at(DateText(kCreationDay));
  EXPECT_EQ(ReadNumber<double>(creation[kFigureCount]), 61.5);  // the weigh-in
  EXPECT_EQ(ReadNumber<float>(creation[kFigureCount + 1]),
            TEnergyModel::DefaultActivityCoefficient(true, 2));
  // Only the fourth day has an exercise.
  for (TDateTime day = kCreationDay; day <= kCreationDay + 3; day += 1) {
    const std::optional<long double> exercise = ReadNumber<long double>(days.at(DateText(day))[4]);
    ASSERT_TRUE(exercise.has_value());
    if (day == kCreationDay + 3)
      EXPECT_GT(*exercise, 0) << DateText(day);
    else
      EXPECT_EQ(*exercise, 0) << DateText(day);
  }
}

TEST_F(TEnergyCommandTest, LeavesTheUserFolderAsItWasAndRemovesTheCopy) {
  const TFolderState before = FolderState(userFolder_);
  // Days after the last restart: the copy gets records the folder must not.
  today_ = "2007-06-25";
  const TToolRun run = RunEnergy(kCreationDay - 3, kCreationDay + 12);
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  EXPECT_EQ(FolderState(userFolder_), before);
  ExpectScratchEmpty();
}

TEST_F(TEnergyCommandTest, TakesTheUserFolderRelativeToTheDataFolderOrAbsolute) {
  today_ = "2007-06-19";
  const TToolRun relative =
      RunEnergy(userFolder_.filename().string(), kCreationDay, kCreationDay + 4);
  const TToolRun absolute = RunEnergy(userFolder_.string(), kCreationDay, kCreationDay + 4);
  ASSERT_EQ(relative.code, kExitSuccess) << relative.err;
  ASSERT_EQ(absolute.code, kExitSuccess) << absolute.err;
  EXPECT_EQ(relative.out, absolute.out);
  EXPECT_EQ(Lines(relative.out).size(), 6u);
}

TEST_F(TEnergyCommandTest, WithoutKorvelaTodayTodayIsTheSystemDate) {
  const std::unique_ptr<TClock> system = MakeSystemClock();
  const TDateTime today = system->Today();
  const TToolRun run = RunEnergy(today - 1, today + 1);
  if (system->Today() != today) GTEST_SKIP() << "the date changed during the run";
  ASSERT_EQ(run.code, kExitSuccess) << run.err;
  const auto days = DayLines(run.out);
  // The restart projects every day from the weigh-in through today.
  EXPECT_EQ(days.at(DateText(today - 1)).size(), kFigureCount + 2);
  EXPECT_EQ(days.at(DateText(today)).size(), kFigureCount + 2);
  EXPECT_EQ(days.at(DateText(today + 1)), std::vector<std::string>{"no record"});
}

TEST_F(TEnergyCommandTest, FilesThatFailAreNamedInOneLine) {
  today_ = "2007-06-20";
  const fs::path userWithoutAccount = DataFolder() / "usr42";
  fs::create_directory(userWithoutAccount);
  fs::copy_file(userFolder_ / kAccountFileName, userWithoutAccount / "CI.DAT");

  const struct {
    const char* what;
    std::string data;
    std::string user;
    std::string named;
  } cases[] = {
      {"missing user folder", DataFolder().string(), "usr7", (DataFolder() / "usr7").string()},
      {"missing data folder", Name("nowhere"), "usr7", Name("nowhere")},
      {"no account file", DataFolder().string(), "usr42",
       (userWithoutAccount / kAccountFileName).string()},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const TToolRun run = Run({"energy", c.data, c.user, "2007-06-15", "2007-06-20"});
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_TRUE(run.out.empty()) << run.out;
    test::ExpectOneLineNaming(run.err, c.named);
    EXPECT_EQ(run.err.find(temporaryFolder_.string()), std::string::npos) << run.err;
    ExpectScratchEmpty();
  }
}

TEST_F(TEnergyCommandTest, ADamagedDayRecordFileIsNamedAndLeftAsItWas) {
  today_ = "2007-06-20";
  const fs::path records = userFolder_ / DayRecordFileName(kCreationDay);
  const std::string intact = ReadBytes(records);
  ASSERT_GT(intact.size(), 64u);
  // The start holds the database's header, the end the last record's body.
  for (const std::size_t at : {std::size_t{0}, intact.size() - 8}) {
    SCOPED_TRACE(at);
    std::string damaged = intact;
    damaged[at] = static_cast<char>(damaged[at] ^ 0x5A);
    WriteBytes(records, damaged);
    const TFolderState before = FolderState(userFolder_);
    const TToolRun run = RunEnergy(kCreationDay, kCreationDay + 5);
    EXPECT_EQ(run.code, kExitFailure);
    EXPECT_TRUE(run.out.empty()) << run.out;
    test::ExpectOneLineNaming(run.err, records.string());
    EXPECT_EQ(FolderState(userFolder_), before);
    ExpectScratchEmpty();
  }
}

TEST_F(TEnergyCommandTest, WrongDatesAreUsageErrorsNamingTheArgument) {
  const struct {
    const char* first;
    const char* last;
    std::optional<std::string> today;
    const char* named;
  } cases[] = {
      {"2007-13-01", "2007-06-20", "2007-06-20", "FIRST"},
      {"2007-06-15", "2007-06-31", "2007-06-20", "LAST"},
      {"39248", "2007-06-20", "2007-06-20", "FIRST"},
      {"2007-06-15", "2007-6-20", "2007-06-20", "LAST"},
      {"2007-06-20", "2007-06-19", "2007-06-20", "before FIRST"},
      {"2007-06-15", "2007-06-20", "20070620", "KORVELA_TODAY"},
      {"2007-06-15", "2007-06-20", "", "KORVELA_TODAY"},
      {"2007-06-15", "2007-06-20", "2007-02-29", "KORVELA_TODAY"},
  };
  const TFolderState before = FolderState(userFolder_);
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.first) + " " + c.last);
    today_ = c.today;
    const TToolRun run =
        Run({"energy", DataFolder().string(), userFolder_.filename().string(), c.first, c.last});
    EXPECT_EQ(run.code, kExitUsage);
    EXPECT_TRUE(run.out.empty()) << run.out;
    EXPECT_NE(run.err.find(c.named), std::string::npos) << run.err;
    EXPECT_NE(run.err.find(kUsage), std::string::npos) << run.err;
  }
  EXPECT_EQ(FolderState(userFolder_), before);
  ExpectScratchEmpty();
}

TEST_F(TEnergyCommandTest, TakesExactlyFourArguments) {
  today_ = "2007-06-20";
  const TToolRun run = Run({"energy", DataFolder().string(), "2007-06-15", "2007-06-20"});
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_NE(run.err.find(kUsage), std::string::npos) << run.err;
}

}  // namespace
}  // namespace korvela
