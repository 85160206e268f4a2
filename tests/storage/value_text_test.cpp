#include <gtest/gtest.h>

#include <cmath>

#include "storage/date_time.h"
#include "storage/errors.h"
#include "storage/value_text.h"

namespace korvela {
namespace {

TEST(FloatText, FixedTwentyThreeCharacterForm) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {72.5, " 7.25000000000000E+0001"},
      {-0.25, "-2.50000000000000E-0001"},
      {0.0, " 0.00000000000000E+0000"},
      {-0.0, " 0.00000000000000E+0000"},
      {39083.0, " 3.90830000000000E+0004"},
      {1.0 / 3.0, " 3.33333333333333E-0001"},
      {9.999999999999999, " 1.00000000000000E+0001"},  // rounds to 15 digits
      {1e-300, " 1.00000000000000E-0300"},
      {-1.5e308, "-1.50000000000000E+0308"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FloatText(c.value), c.text) << c.value;
    EXPECT_EQ(std::string(c.text).size(), 23u);
  }
}

TEST(FloatText, ReadsBackToFifteenSignificantDigits) {
  for (double v : {72.5, -0.25, 39083.5, 1.0 / 7.0, 123456.789012345, -1e-7}) {
    const double back = ReadFloatText(FloatText(v));
    EXPECT_NEAR(back, v, std::fabs(v) * 1e-14) << v;
  }
}

TEST(StoredValueReaders, AcceptLeadingBlanksAndSigns) {
  EXPECT_EQ(ReadIntText("  -17"), -17);
  EXPECT_EQ(ReadIntText("+5"), 5);
  EXPECT_DOUBLE_EQ(ReadFloatText(" 72.5"), 72.5);
  EXPECT_DOUBLE_EQ(ReadFloatText("-2.5E-0001"), -0.25);
  EXPECT_DOUBLE_EQ(ReadFloatText("+.5"), 0.5);
  for (const char* bad : {"", "abc", "1.5x", "inf", "nan", "2147483648", "1 2"})
    EXPECT_THROW(ReadIntText(bad), EConvertError) << bad;
  for (const char* bad : {"", "abc", "1.5x", "inf", "nan", "1,5", "--1"})
    EXPECT_THROW(ReadFloatText(bad), EConvertError) << bad;
}

TEST(Booleans, WrittenAsMinusOneAndZeroReadFromNumbersAndWords) {
  EXPECT_EQ(BoolText(true), "-1");
  EXPECT_EQ(BoolText(false), "0");
  const struct {
    const char* text;
    bool value;
  } cases[] = {{"-1", true},   {"0", false},   {"7", true},      {"0.0", false},
               {"True", true}, {"tRUE", true}, {"FALSE", false}, {"false", false}};
  for (const auto& c : cases) EXPECT_EQ(ReadBoolText(c.text), c.value) << c.text;
  try {
    ReadBoolText("yes");
    FAIL() << "no error";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'yes' is not a valid boolean value");
  }
}

TEST(ParseNumber, AcceptsPointAndTheUsersDecimalCharacter) {
  EXPECT_DOUBLE_EQ(ParseNumber("3,5", ','), 3.5);
  EXPECT_DOUBLE_EQ(ParseNumber(" 3.5 ", ','), 3.5);
  EXPECT_DOUBLE_EQ(ParseNumber("-2", ','), -2);
  EXPECT_DOUBLE_EQ(ParseNumber(",5", ','), 0.5);
  EXPECT_DOUBLE_EQ(ParseNumber("1e3", '.'), 1000);
  for (const char* bad : {"", "   ", "1,000.5", "3,5", "abc", "1..2", "1.2.3"}) {
    // "3,5" is only a number where the comma is the decimal character.
    EXPECT_THROW(ParseNumber(bad, std::string(bad) == "3,5" ? '.' : ','), EConvertError) << bad;
  }
}

TEST(DayValues, ConvertBothWays) {
  EXPECT_EQ(EncodeDate(2007, 1, 1), 39083);
  EXPECT_EQ(EncodeDate(1899, 12, 30), 0);
  EXPECT_EQ(EncodeDate(1900, 1, 1), 2);
  EXPECT_EQ(DecodeDate(39083.75), (TYearMonthDay{2007, 1, 1}));
  EXPECT_EQ(DecodeDate(-1), (TYearMonthDay{1899, 12, 29}));
  EXPECT_EQ(DayOf(39083.75), 39083);
}

}  // namespace
}  // namespace korvela
