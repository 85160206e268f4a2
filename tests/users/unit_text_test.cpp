#include <gtest/gtest.h>

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

TEST(FormatNumber, RoundsAndDropsTrailingZerosWithTheUsersDecimalCharacter) {
  TConfigurator config;
  EXPECT_EQ(FormatNumber(config, 72.50, 2), "72.5");
  EXPECT_EQ(FormatNumber(config, 72.00, 2), "72");
  EXPECT_EQ(FormatNumber(config, 72.456, 2), "72.46");
  EXPECT_EQ(FormatNumber(config, 72.5, 0), "72");  // rounds half to even like printf
  EXPECT_EQ(FormatNumber(config, 73.6, 0), "74");
  EXPECT_EQ(FormatNumber(config, -0.001, 2), "0");
  EXPECT_EQ(FormatNumber(config, 1500, 2), "1500");
  config.SetFloatingChar(',');
  EXPECT_EQ(FormatNumber(config, 3.5, 2), "3,5");
  EXPECT_DOUBLE_EQ(ParseNumber(config, "3,5"), 3.5);
  EXPECT_DOUBLE_EQ(ParseNumber(config, "3.5"), 3.5);
  EXPECT_THROW(ParseNumber(config, "1,000.5"), EConvertError);
}

TEST(DateTexts, LongAndShortForms) {
  EXPECT_EQ(LongDateText(EncodeDate(2007, 3, 10)), "10 March 2007");
  EXPECT_EQ(ShortDateText(EncodeDate(2007, 3, 10) + 0.5), "10 Mar 2007");
  EXPECT_EQ(LongDateText(EncodeDate(1980, 12, 1)), "1 December 1980");
}

TEST(TimeTexts, TwelveAndTwentyFourHourClocks) {
  TConfigurator config;
  const struct {
    int seconds;
    const char* hr12;
    const char* hr24;
  } cases[] = {
      {5 * 60, "12:05 AM", "00:05"},
      {12 * 3600, "12:00 PM", "12:00"},
      {20 * 3600 + 34 * 60, "08:34 PM", "20:34"},
      {7 * 3600 + 5 * 60, "07:05 AM", "07:05"},
      {11 * 3600 + 59 * 60 + 59, "11:59 AM", "11:59"},
  };
  for (const auto& c : cases) {
    const TDateTime t = 39000 + TimeFromSeconds(c.seconds);
    config.SetTimeFormat(TTimeFormat::hr12);
    EXPECT_EQ(TimeOfDayText(config, t), c.hr12);
    config.SetTimeFormat(TTimeFormat::hr24);
    EXPECT_EQ(TimeOfDayText(config, t), c.hr24);
    EXPECT_EQ(SecondsOfDay(t), c.seconds);
  }
  const TDateTime t = TimeFromSeconds(3 * 3600 + 4 * 60 + 5);
  EXPECT_EQ(MinSecText(t), "04:05");
  EXPECT_EQ(HourMinSecText(t), "03:04:05");
  EXPECT_EQ(TimeFromSeconds(-1), 0);
}

TEST(ParseDateText, DayFirstOrderOn20December2007) {
  const TDateTime today = EncodeDate(2007, 12, 20);
  const struct {
    const char* text;
    TDateTime want;
  } cases[] = {
      {"5 jan", EncodeDate(2008, 1, 5)},      {"1/12", EncodeDate(2007, 12, 1)},
      {"3.4.07", EncodeDate(2007, 4, 3)},     {"15", EncodeDate(2007, 12, 15)},
      {"APR 5 2006", EncodeDate(2006, 4, 5)}, {"5/3/98", EncodeDate(2098, 3, 5)},
      {"2", EncodeDate(2008, 1, 2)},          {"13/5/2001", EncodeDate(2001, 5, 13)},
      {"5/13", EncodeDate(2008, 5, 13)},  // 13 > 12: the 5 becomes the month
      {"march 2", EncodeDate(2008, 3, 2)},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseDateText(c.text, today, true), c.want) << c.text;
  for (const char* bad : {"1899", "31 feb 2007", "xyz", "", "5 6 7 8", "40", "5/3/100", "1 2 3 jan",
                          "2 3 dec", "5/3/07/09"})
    EXPECT_THROW(ParseDateText(bad, today, true), EConvertError) << bad;
}

TEST(ParseDateText, MonthFirstOrderAndMonthWordsNearTheCurrentMonth) {
  EXPECT_EQ(ParseDateText("4/3/2007", EncodeDate(2007, 12, 20), false), EncodeDate(2007, 4, 3));
  EXPECT_EQ(ParseDateText("1 ju 2007", EncodeDate(2007, 3, 10), true), EncodeDate(2007, 6, 1));
  EXPECT_EQ(ParseDateText("1 ju 2007", EncodeDate(2007, 8, 10), true), EncodeDate(2007, 7, 1));
  EXPECT_EQ(ParseDateText("1 ma 2007", EncodeDate(2007, 1, 10), true), EncodeDate(2007, 3, 1));
}

TEST(Units, PoundsAndInchesUseTheProgramsFactors) {
  TConfigurator config;
  config.SetMetricSystem(false);
  EXPECT_DOUBLE_EQ(ShownToKg(config, 154), 70);
  EXPECT_DOUBLE_EQ(KgToShown(config, 70), 154);
  EXPECT_DOUBLE_EQ(ShownToCm(config, 70), 177.8);
  EXPECT_STREQ(WeightUnit(config), "lbs");
  EXPECT_STREQ(DistanceUnit(config), "inches");
  config.SetMetricSystem(true);
  EXPECT_DOUBLE_EQ(ShownToKg(config, 154), 154);
  EXPECT_STREQ(WeightUnit(config), "kg");
}

}  // namespace
}  // namespace korvela
