#include <gtest/gtest.h>

#include <string>

#include "energy/body_calculators.h"
#include "energy/skinfold.h"
#include "users/configurator.h"

namespace korvela {
namespace {

struct TSettings {
  explicit TSettings(bool metric = true) { config.SetMetricSystem(metric); }
  TConfigurator config{TSystemDefaults{}};
};

TEST(DailyExpenditure, ManOfThirtyEightyKiloLightActivity) {
  const TExpenditure e = DailyExpenditure(30, TSex::Male, 80, 180, 0, -1);
  // m = 1781.6, f = 1.0006272.
  EXPECT_NEAR(e.resting, 1781.6 * 1.0006272, 1e-6);
  EXPECT_NEAR(e.total, 1781.6 * 1.0006272 * 1.55, 1e-6);
  const TSettings s;
  const TExpenditureOutcome shown =
      CalculateExpenditure(s.config, 80, 180, "30", TSex::Male, 0, kBodyFatUnknown);
  EXPECT_FALSE(shown.warning.has_value());
  EXPECT_EQ(shown.resting, "1783");
  EXPECT_EQ(shown.total, "2763");
  EXPECT_EQ(shown.food, "276");
  EXPECT_EQ(shown.activity, "704");
}

TEST(DailyExpenditure, ActivityLevelsBySex) {
  const double man[] = {1.55, 1.78, 2.1}, woman[] = {1.56, 1.64, 1.82};
  for (int level = 0; level < 3; ++level) {
    EXPECT_EQ(PhysicalActivityLevel(TSex::Male, level), man[level]);
    EXPECT_EQ(PhysicalActivityLevel(TSex::Female, level), woman[level]);
  }
}

TEST(DailyExpenditure, RefusesAnAgeOutsideTenToAHundredAndAnUnreadableBodyFat) {
  const TSettings s;
  for (const char* age : {"9", "101", "30.5", "", "x"}) {
    const TExpenditureOutcome o =
        CalculateExpenditure(s.config, 80, 180, age, TSex::Male, 0, kBodyFatUnknown);
    EXPECT_EQ(o.warning.value_or(""), kMsgInvalidAge) << age;
    EXPECT_TRUE(o.focusAge);
    EXPECT_TRUE(o.total.empty());
  }
  const TExpenditureOutcome fat =
      CalculateExpenditure(s.config, 80, 180, "30", TSex::Male, 0, "lean");
  EXPECT_EQ(fat.warning.value_or(""),
            "Please, enter a valid body fat percentage or select \"I don't know\"");
  EXPECT_FALSE(fat.focusAge);
  // 51 % is a number: the expenditure calculator takes it.
  EXPECT_FALSE(
      CalculateExpenditure(s.config, 80, 180, "30", TSex::Male, 0, "51").warning.has_value());
  // A low body fat limits the factor, so it changes the result.
  EXPECT_NE(CalculateExpenditure(s.config, 80, 180, "30", TSex::Male, 0, "8").resting, "1783");
}

TEST(BodyComposition, BodyMassIndexLeanAndFatMass) {
  const TSettings s;
  EXPECT_EQ(BodyMassIndexText(s.config, 80, 180), "24.7");
  const TBodyComposition c = Composition(80, 20);
  EXPECT_DOUBLE_EQ(c.lean, 64);
  EXPECT_DOUBLE_EQ(c.fat, 16);
  // 1 to 50 %: 51 is refused here, unlike in the expenditure calculator.
  EXPECT_FALSE(ReadBodyFatPercent(s.config, "51").has_value());
  EXPECT_FALSE(ReadBodyFatPercent(s.config, "0.5").has_value());
  EXPECT_FALSE(ReadBodyFatPercent(s.config, kBodyFatUnknown).has_value());
  EXPECT_EQ(ReadBodyFatPercent(s.config, "50"), 50.0);
  EXPECT_EQ(ReadBodyFatPercent(s.config, "1"), 1.0);
}

TEST(BodyComposition, ComparisonSentenceInTheUsersUnit) {
  const TBodyComposition first = Composition(80, 20), second = Composition(76, 15);
  const TSettings metric;
  EXPECT_EQ(CompareCompositionText(metric.config, first, second),
            "Bodyweight #1 has 0.6 kg Lean Body Mass less and 4.6 kg Fat Mass more than "
            "Bodyweight #2");
  const TSettings pounds(false);
  EXPECT_EQ(CompareCompositionText(pounds.config, second, first),
            "Bodyweight #1 has 1.32 lbs Lean Body Mass more and 10.12 lbs Fat Mass less than "
            "Bodyweight #2");
  EXPECT_EQ(CompositionBarLabel(pounds.config, "LBM #1 = ", 64), "LBM #1 = 140.8 lbs");
  EXPECT_EQ(CompositionBarLabel(metric.config, "Fat Mass #2 = ", 11.4), "Fat Mass #2 = 11.4 kg");
}

TEST(WaistBodyFat, FormulaAndTheNegativeResultMessage) {
  const TSettings s;
  // A man of 80 kg with a 90 cm waist: (4.15 × 35.43 − 98.42 − 14.43) / 176.
  const double want = (4.15 * 90 / 2.54 - 98.42 - 0.082 * 176) / 176 * 100;
  EXPECT_NEAR(WaistBodyFat(90, 80, TSex::Male), want, 1e-9);
  const TWaistOutcome man = CalculateWaistBodyFat(s.config, 90, 80, TSex::Male);
  EXPECT_FALSE(man.warning.has_value());
  EXPECT_EQ(man.bodyFat, "19.4");
  const double woman = (4.15 * 80 / 2.54 - 76.76 - 0.082 * 143) / 143 * 100;
  EXPECT_NEAR(WaistBodyFat(80, 65, TSex::Female), woman, 1e-9);
  // 80 kg with a 60 cm waist comes out at about -8 %: refused, not shown.
  EXPECT_LT(WaistBodyFat(60, 80, TSex::Male), -7);
  const TWaistOutcome negative = CalculateWaistBodyFat(s.config, 60, 80, TSex::Male);
  EXPECT_EQ(negative.warning.value_or(""), kMsgNegativeBodyFat);
  EXPECT_TRUE(negative.bodyFat.empty());
}

}  // namespace
}  // namespace korvela
