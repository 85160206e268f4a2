#include <gtest/gtest.h>

#include <cmath>

#include "training/expressions.h"
#include "training/rm_fractions.h"

namespace korvela {
namespace {

TEST(RMFractions, FollowTheTwoFormulasAndExistOnlyFrom1To20) {
  EXPECT_EQ(RMFraction(1), 1.0L);
  EXPECT_NEAR(static_cast<double>(RMFraction(5)), 0.8888, 1e-12);
  EXPECT_NEAR(static_cast<double>(RMFraction(7)), 0.8332, 1e-12);
  EXPECT_NEAR(static_cast<double>(RMFraction(8)), 0.8029, 5e-5);
  EXPECT_NEAR(static_cast<double>(RMFraction(10)), 0.7747, 5e-5);
  EXPECT_NEAR(static_cast<double>(RMFraction(20)), 0.6725, 5e-5);
  EXPECT_FALSE(HasRMFraction(0));
  EXPECT_FALSE(HasRMFraction(21));
  EXPECT_ANY_THROW(RMFraction(0));
}

TEST(RepetitionExpression, ValuesOfTheTypedForms) {
  const struct {
    const char* text;
    std::int32_t maxReps;
    std::optional<std::int32_t> want;
  } cases[] = {
      {"10", -1, 10},
      {"12+2", -1, 14},
      {" 5 - 1 ", -1, 4},
      {"80%", 20, 16},
      {"80%MR", 20, 16},
      {"80%mr", 20, 16},
      {"-2", -1, -2},  // valid, and callers refuse values <= 0
      {"50%", 5, 2},   // 2.5 rounds to the even 2
      {"70%", 5, 4},   // 3.5 rounds to the even 4
      {"80%", -1, std::nullopt},
      {"80%", 0, std::nullopt},
      {"12+", -1, std::nullopt},
      {"+", -1, std::nullopt},
      {"", -1, std::nullopt},
      {"%", 20, std::nullopt},
      {"80%MX", 20, std::nullopt},
      {"80%RM", 20, std::nullopt},
      {"1+%", 20, std::nullopt},
      {"10x", -1, std::nullopt},
      {"4294967306", -1, std::nullopt},  // beyond 32 bits, not 10
      {"2147483647", -1, 2147483647},
      {"2147483647+1", -1, std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(RepetitionValue(c.text, c.maxReps), c.want) << c.text;
}

TEST(WeightExpression, PlainRelativeAndMixedTerms) {
  const TConfigurator config;
  const long double f5 = RMFraction(5), f8 = RMFraction(8), f2 = RMFraction(2);
  const struct {
    const char* text;
    std::int32_t reps;
    long double oneRM;
    long double want;
  } cases[] = {
      {"100", 0, -1, 100},
      {"100.5+2.5", 0, -1, 103},
      {"-5", 0, -1, -5},  // the leading minus applies to a first term of 0
      {"8RM", 0, 200, f8 * 200},
      {"8rm", 0, 200, f8 * 200},
      {"80%1RM", 0, 200, 160},
      {"80%5RM", 0, 100 / f5, 80},
      {"80%1RM+10", 0, 100, 90},
      {"100", 2, 150, 100 / (f2 * 150) * 100},
      {"80%", 0, 100, -1},  // a bare percentage needs a repetition maximum
      {"8RM", 0, -1, -1},
      {"21RM", 0, 100, -1},
      {"0RM", 0, 100, -1},
      {"80%21RM", 0, 100, -1},
      {"80%05RM", 0, 100 / f5, 80},
      {"80%0RM", 0, 100, -1},
      {"2.5RM", 0, 100, -1},
      {"100+", 0, -1, -1},
      {"100x", 0, -1, -1},
      {"", 0, -1, -1},
      {"1..5", 0, -1, -1},
      {"100", 21, 100, -1},
      {"100", 3, -1, -1},
  };
  for (const auto& c : cases)
    EXPECT_NEAR(static_cast<double>(WeightValue(config, c.text, c.reps, c.oneRM)),
                static_cast<double>(c.want), 1e-9)
        << c.text;
}

TEST(WeightExpression, TheUsersDecimalCommaIsANumberToo) {
  TConfigurator config;
  EXPECT_EQ(WeightValue(config, "72,5", 0, -1), -1);
  config.SetFloatingChar(',');
  EXPECT_NEAR(static_cast<double>(WeightValue(config, "72,5", 0, -1)), 72.5, 1e-12);
  EXPECT_NEAR(static_cast<double>(WeightValue(config, "72.5", 0, -1)), 72.5, 1e-12);
}

TEST(WeightExpression, AbsoluteAndPurelyRelative) {
  const TConfigurator config;
  const struct {
    const char* text;
    bool absolute;
    bool relative;
  } cases[] = {
      {"100", true, false},     {"0", true, true},    {"80%1RM", false, true}, {"8RM", false, true},
      {"8RM+10", false, false}, {"80%", false, true}, {"", false, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IsAbsoluteWeight(config, c.text), c.absolute) << c.text;
    EXPECT_EQ(IsPurelyRelativeWeight(config, c.text), c.relative) << c.text;
  }
}

}  // namespace
}  // namespace korvela
