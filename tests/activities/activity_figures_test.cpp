#include <gtest/gtest.h>

#include <string>

#include "activities/activity_figures.h"
#include "activities/sport_editor.h"
#include "users/configurator.h"

namespace korvela {
namespace {

// The settings with a decimal character.
struct TConfig {
  explicit TConfig(char floatingChar = '.') { config.SetFloatingChar(floatingChar); }
  TConfigurator config{TSystemDefaults{}};
};

TEST(ActivityFigures, BurnedAndAddedCalories) {
  // MET 1.3 for an hour at 1440 a day: 78 burned, 6 above the ordinary 1.2.
  EXPECT_DOUBLE_EQ(BurnedCalories(1.3, 60, 1440), 78);
  EXPECT_NEAR(AddedCalories(1.3, 60, 1440), 6, 1e-9);
  // MET 1.0 burns but adds nothing; never below 0.
  EXPECT_DOUBLE_EQ(BurnedCalories(1.0, 30, 2000), 30 * 2000.0 / 1440);
  EXPECT_EQ(AddedCalories(1.0, 30, 2000), 0);
}

TEST(ActivityFigures, ShownWithoutDecimalsAndBlankWhileAFieldIsInvalid) {
  const TConfig settings(',');
  const TConfigurator& config = settings.config;
  const TActivityFigures ok = ActivityFigures(config, "8", "45", 2880);
  EXPECT_TRUE(ok.valid);
  EXPECT_EQ(ok.burned, "720");  // 45 × 8 × 2 a minute
  EXPECT_EQ(ok.added, "612");   // 45 × 6.8 × 2
  EXPECT_EQ(ActivityFigures(config, "1", "60", 1440).added, "0");
  EXPECT_EQ(ActivityFigures(config, "1,5", "60", 1440).burned, "90");
  const struct {
    const char* met;
    const char* minutes;
  } blank[] = {{"0,8", "30"}, {"20,5", "30"}, {"x", "30"}, {"", "30"},  {"5", "0"},
               {"5", "1441"}, {"5", "2,5"},   {"5", ""},   {"5", "ten"}};
  for (const auto& c : blank) {
    const TActivityFigures f = ActivityFigures(config, c.met, c.minutes, 1440);
    EXPECT_FALSE(f.valid) << c.met << " " << c.minutes;
    EXPECT_TRUE(f.burned.empty() && f.added.empty());
  }
  EXPECT_TRUE(ActivityFigures(config, "0,9", "1", 1440).valid);
  EXPECT_TRUE(ActivityFigures(config, "20", "1440", 1440).valid);
}

TEST(SportEditor, OkChecksNameThenDurationThenMetTakingEachValue) {
  const TConfig settings;
  const TConfigurator& config = settings.config;
  const struct {
    const char* name;
    const char* duration;
    const char* met;
    const char* message;
    TSportField focus;
  } cases[] = {
      {"   ", "x", "x", kMsgSportNameMissing, TSportField::Name},
      {"Rowing", "0", "x", kMsgInvalidSportDuration, TSportField::Duration},
      {"Rowing", "1441", "7", kMsgInvalidSportDuration, TSportField::Duration},
      {"Rowing", "30", "0.89", kMsgInvalidMETValue, TSportField::MET},
      {"Rowing", "30", "20.01", kMsgInvalidMETValue, TSportField::MET},
  };
  for (const auto& c : cases) {
    TSport sport;
    const TSportCheck check = CheckSport(config, c.name, c.duration, c.met, sport);
    ASSERT_TRUE(check.warning.has_value()) << c.name << c.duration << c.met;
    EXPECT_EQ(*check.warning, c.message);
    EXPECT_EQ(check.focus, c.focus);
  }
  TSport sport;
  sport.ID = 77;
  const TSportCheck partly = CheckSport(config, "  Rowing ", "40", "bad", sport);
  EXPECT_EQ(sport.Activity, "Rowing");
  EXPECT_EQ(sport.Per, 40);
  EXPECT_TRUE(partly.warning.has_value());
  EXPECT_FALSE(CheckSport(config, "Rowing", "40", "7.5", sport).warning.has_value());
  EXPECT_EQ(sport.MET, 7.5);
  EXPECT_EQ(sport.ID, 77);
}

TEST(SportEditor, HeadingOfANewAndOfAnEditedActivity) {
  EXPECT_EQ(SportEditorHeading(true, "anything"), "New Physical Activity");
  EXPECT_EQ(SportEditorHeading(false, "Rowing"), "Edit Rowing");
  const std::string longName(80, 'a');
  EXPECT_EQ(SportEditorHeading(false, longName), "Edit " + std::string(63, 'a') + "...");
}

TEST(SportEditor, MetFromCaloriesOfAnAveragePerson) {
  const TConfig settings;
  const TConfigurator& config = settings.config;
  EXPECT_EQ(CalculateMET(config, "300", "60").met, "5");
  EXPECT_EQ(CalculateMET(config, "100", "30").met, "3.33");
  const struct {
    const char* calories;
    const char* minutes;
    const char* message;
  } refused[] = {
      {"0", "30", kMsgInvalidCaloriesBurned},   {"-5", "30", kMsgInvalidCaloriesBurned},
      {"abc", "30", kMsgInvalidCaloriesBurned}, {"100", "0", kMsgInvalidCalcDuration},
      {"100", "2.5", kMsgInvalidCalcDuration},  {"100", "", kMsgInvalidCalcDuration},
      {"2100", "100", kMsgImpossibleMET},
  };
  for (const auto& c : refused) {
    const TMETCalcOutcome outcome = CalculateMET(config, c.calories, c.minutes);
    EXPECT_EQ(outcome.warning.value_or(""), c.message) << c.calories << " " << c.minutes;
    EXPECT_FALSE(outcome.met.has_value());
  }
  EXPECT_EQ(CalculateMET(config, "2000", "100").met, "20");
}

}  // namespace
}  // namespace korvela
