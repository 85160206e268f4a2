#include "korvela_data/arguments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>

#include "korvela_data/dump_command.h"
#include "tool_test.h"

namespace korvela {
namespace {

TEST(DayArgument, ReadsDayValuesAndCalendarDates) {
  const struct {
    const char* text;
    TDateTime want;
  } cases[] = {
      {"0", 0},
      {"39083", 39083},
      {"39083.5", 39083.5},
      {"-1", -1},
      {"1899-12-30", 0},
      {"1899-12-29", -1},
      {"1900-03-01", 61},
      {"2007-01-01", 39083},
      {"2024-02-29", 45351},
      {"2000-02-29", 36585},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDayArgument(c.text), c.want) << c.text;
}

TEST(DayArgument, RefusesOtherTexts) {
  const char* const cases[] = {
      "",           "abc",        "2007-13-01", "2007-00-10", "2007-01-00", "2007-02-30",
      "2023-02-29", "1900-02-29", "2007-1-1",   "07-01-01",   "2007/01/01", "2007-01-01 ",
      " 39083",     "39083x",     "+5",         "inf",        "nan",        "1e999",
  };
  for (const char* text : cases) {
    try {
      const TDateTime value = ParseDayArgument(text);
      ADD_FAILURE() << "'" << text << "' read as " << value;
    } catch (const EUsageError& e) {
      EXPECT_NE(std::string(e.what()).find("DATE"), std::string::npos) << e.what();
    }
  }
}

TEST(Int32Argument, ReadsWholeNumbersOfThe32BitRange) {
  const struct {
    const char* text;
    std::int32_t want;
  } good[] = {{"17", 17},
              {"0", 0},
              {"-3", -3},
              {"654", 654},
              {"2147483647", 2147483647},
              {"-2147483648", -2147483647 - 1}};
  for (const auto& c : good) EXPECT_EQ(ParseInt32Argument(c.text, "ID"), c.want) << c.text;

  const char* const bad[] = {"", "1.5", "12a", "+5", "0x10", "2147483648", "-2147483649", " 1"};
  for (const char* text : bad) EXPECT_THROW(ParseInt32Argument(text, "ID"), EUsageError) << text;
}

TEST(DayValueText, IsTheShortestTextThatReadsBackExactly) {
  const struct {
    double value;
    const char* want;
  } cases[] = {{39083, "39083"},
               {39083.5, "39083.5"},
               {0, "0"},
               {-1.25, "-1.25"},
               {0.1, "0.1"},
               {100000, "100000"},
               {1000000, "1000000"},
               {2958465, "2958465"},
               {0.0001, "0.0001"},
               {1e16, "10000000000000000"},
               {1e17, "1e+17"},
               {1e-5, "1e-05"},
               {-2.5e-7, "-2.5e-07"}};
  for (const auto& c : cases) EXPECT_EQ(DayValueText(c.value), c.want) << c.value;

  // A time of day is rarely a short binary fraction.
  for (const double value : {39083.0 + 1.0 / 3, 39083.0 + 17.0 / 24 + 5.0 / 1440, 1e-300, 1e300}) {
    const std::string text = DayValueText(value);
    EXPECT_EQ(std::strtod(text.c_str(), nullptr), value) << text;
  }
}

using test::TToolRun;
using test::TToolTest;

TEST_F(TToolTest, UsageErrorsExitWith2AndTouchNoFile) {
  const std::string db = Name("db.dat");
  const std::string text = Name("doc.txt");
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"frobnicate"},
      {"DUMP", db},
      {"dump"},
      {"dump", db, db},
      {"pack", text},
      {"db-add", db, "666", "17", "2007-01-01"},
      {"db-add", db, "6x6", "17", "2007-01-01", text},
      {"db-add", db, "666", "seventeen", "2007-01-01", text},
      {"db-add", db, "666", "17", "2007-02-30", text},
      {"build-strings", text},
      {"build-strings", text, db, db},
      {"--help", "dump"},
  };
  for (const auto& args : cases) {
    std::string line;
    for (const auto& a : args) line += a + ' ';
    const std::vector<std::string_view> views(args.begin(), args.end());
    std::ostringstream out, err;
    TToolEnvironment env{out, *random_, PosixFileSystem()};
    EXPECT_EQ(RunTool(views, env, err), kExitUsage) << line;
    EXPECT_TRUE(out.str().empty()) << line;
    EXPECT_TRUE(err.str().starts_with("korvela-data: ")) << line;
    EXPECT_NE(err.str().find("usage: korvela-data"), std::string::npos) << line;
  }
  EXPECT_TRUE(FolderIsEmpty());
}

TEST_F(TToolTest, BadArgumentIsNamedWithItsCommandsUsage) {
  const TToolRun run = Run({"db-add", Name("db.dat"), "666", "17", "someday", Name("doc.txt")});
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_NE(run.err.find("'someday'"), std::string::npos) << run.err;
  EXPECT_NE(run.err.find("usage: korvela-data db-add DBFILE KIND ID DATE TEXTFILE"),
            std::string::npos)
      << run.err;
}

TEST_F(TToolTest, HelpListsEveryCommandOnStandardOutput) {
  const TToolRun run = Run({"--help"});
  EXPECT_EQ(run.code, kExitSuccess);
  EXPECT_TRUE(run.err.empty());
  for (const TCommand& c : Commands())
    EXPECT_NE(run.out.find(std::string(c.name) + ' ' + std::string(c.arguments)), std::string::npos)
        << c.name;
}

}  // namespace
}  // namespace korvela
