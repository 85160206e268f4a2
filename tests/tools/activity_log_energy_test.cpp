#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "activities/activity_log.h"
#include "app/program.h"
#include "support/new_account.h"
#include "tool_test.h"
#include "users/clock.h"

namespace korvela {
namespace {

using test::TToolRun;
using test::TToolTest;

constexpr TDateTime kCreationDay = 39248;  // 15 June 2007

std::string DateText(TDateTime day) {
  const TYearMonthDay d = DecodeDate(day);
  char text[16];
  std::snprintf(text, sizeof text, "%04d-%02u-%02u", d.year, d.month, d.day);
  return text;
}

std::vector<std::string> Fields(const std::string& line) {
  std::vector<std::string> fields;
  std::size_t start = 0;
  for (std::size_t at = line.find('\t'); at != std::string::npos; at = line.find('\t', start)) {
    fields.push_back(line.substr(start, at - start));
    start = at + 1;
  }
  fields.push_back(line.substr(start));
  return fields;
}

// The printed figures of a day: the fields after the date.
std::vector<std::string> DayFields(const std::string& out, TDateTime day) {
  const std::string prefix = DateText(day) + "\t";
  const std::size_t at = out.find("\n" + prefix);
  if (at == std::string::npos) return {};
  const std::size_t end = out.find('\n', at + 1);
  std::vector<std::string> fields = Fields(out.substr(at + 1, end - at - 1));
  fields.erase(fields.begin());
  return fields;
}

// A day logged through the activity log shows its exercise calories in
// `korvela-data energy`, figured from that day's resting rate.
TEST_F(TToolTest, ActivitiesLoggedThroughTheActivityLogReachTheEnergyFigures) {
  const std::filesystem::path data = File("data");
  std::filesystem::create_directory(data);
  std::filesystem::path userFolder;
  {
    TFixedClock clock(kCreationDay + 0.4);
    TProgram program(data, TSystemDefaults{}, clock, *random_);
    userFolder = program.CreateAccount(test::AnnAccount()).Folder;
    clock.Set(kCreationDay + 3 + 0.5);
    TUserSession& session = *program.Session();
    session.Energy().StoreFoodTotals(kCreationDay + 1, 90, 60, 220, 0);
    TActivityLog log(session.DayRecords(), session.Energy(), kCreationDay + 1);
    log.Log(0.3, "Running", 8, 40);
    log.Log(0.7, "Stretching", 1.0, 30);  // below 1.2 METs: nothing added
    log.SaveChanges();
    program.LogOff();
  }
  today_ = DateText(kCreationDay + 3);
  const TToolRun run = Run({"energy", data.string(), userFolder.filename().string(),
                            DateText(kCreationDay), DateText(kCreationDay + 3)});
  ASSERT_EQ(run.code, kExitSuccess) << run.err;

  const std::vector<std::string> logged = DayFields(run.out, kCreationDay + 1);
  ASSERT_GE(logged.size(), 6u) << run.out;
  const long double rate = std::strtold(logged[1].c_str(), nullptr);
  const long double exercise = std::strtold(logged[4].c_str(), nullptr);
  ASSERT_GT(rate, 1000);
  // The entries' METs are 32-bit floats: a few millionths of a calorie.
  EXPECT_NEAR(static_cast<double>(exercise), static_cast<double>(rate / 1440 * 40 * (8 - 1.2)),
              1e-4);
  for (const TDateTime day : {kCreationDay, kCreationDay + 2, kCreationDay + 3}) {
    const std::vector<std::string> other = DayFields(run.out, day);
    ASSERT_GE(other.size(), 6u) << DateText(day);
    EXPECT_EQ(std::strtold(other[4].c_str(), nullptr), 0) << DateText(day);
  }
}

}  // namespace
}  // namespace korvela
