#include "energy/skinfold.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "storage/errors.h"

namespace korvela {
namespace {

constexpr auto kThree = TSkinfoldMethod::ThreeSite;
constexpr auto kSeven = TSkinfoldMethod::SevenSite;

std::vector<std::string> Names(TSkinfoldMethod method, TSex sex) {
  const auto names = SkinfoldSiteNames(method, sex);
  return {names.begin(), names.end()};
}

TSkinfoldOutcome Calculate(TSkinfoldMethod method, TSex sex, const std::string& age,
                           const std::vector<std::string>& skinfolds, char decimal = '.') {
  TConfigurator config;
  config.SetFloatingChar(decimal);
  return CalculateSkinfoldBodyFat(config, method, sex, age, skinfolds);
}

TEST(SkinfoldSites, ThreeSitesDependOnTheSexSevenSitesDoNot) {
  using V = std::vector<std::string>;
  const V seven{"Chest", "Midaxillary", "Triceps", "Subscapula", "Abdomen", "Suprailiac", "Thigh"};
  EXPECT_EQ(Names(kThree, TSex::Male), (V{"Chest", "Abdomen", "Thigh"}));
  EXPECT_EQ(Names(kThree, TSex::Female), (V{"Triceps", "Suprailiac", "Thigh"}));
  EXPECT_EQ(Names(kSeven, TSex::Male), seven);
  EXPECT_EQ(Names(kSeven, TSex::Female), seven);
}

TEST(SkinfoldScreenTexts, EachCalculatorHasItsCaptionHeadingAndHelpTopic) {
  EXPECT_STREQ(SkinfoldCaption(kThree), "3 site skinfold measurement body fat % calculator");
  EXPECT_STREQ(SkinfoldHeading(kThree), "Calculate body fat % using 3-site skinfold measurements");
  EXPECT_EQ(SkinfoldHelpTopic(kThree), 65);
  EXPECT_STREQ(SkinfoldCaption(kSeven), "7 site skinfold measurement body fat % calculator");
  EXPECT_STREQ(SkinfoldHeading(kSeven), "Calculate body fat % using 7-site skinfold measurements");
  EXPECT_EQ(SkinfoldHelpTopic(kSeven), 66);
}

// Densities and body fat worked out by hand from the Jackson–Pollock
// equations and Brozek's (4.57 / D − 4.142) × 100:
//  3-site man, S = 60, 30 years:
//    D = 1.10938 − 0.0008267·60 + 0.0000016·3600 − 0.000257·30
//      = 1.10938 − 0.049602 + 0.00576 − 0.00771 = 1.057828
//    4.57 / 1.057828 = 4.320173 → 17.8173 %
//  3-site woman, S = 60, 27 years:
//    D = 1.0994921 − 0.0009929·60 + 0.0000023·3600 − 0.0001392·27
//      = 1.0994921 − 0.059574 + 0.00828 − 0.0037584 = 1.0444397
//    4.57 / 1.0444397 = 4.375552 → 23.3552 %
//  7-site man, S = 100, 40 years:
//    D = 1.112 − 0.00043499·100 + 0.00000055·10000 − 0.00028826·40
//      = 1.112 − 0.043499 + 0.0055 − 0.0115304 = 1.0624706
//    4.57 / 1.0624706 = 4.301295 → 15.9295 %
//  7-site woman, S = 120, 35 years:
//    D = 1.097 − 0.00046971·120 + 0.00000056·14400 − 0.00012828·35
//      = 1.097 − 0.0563652 + 0.008064 − 0.0044898 = 1.044209
//    4.57 / 1.044209 = 4.376518 → 23.4518 %
struct THandWorkedCase {
  const char* name;
  TSkinfoldMethod method;
  TSex sex;
  int age;
  std::vector<std::string> skinfolds;
  double sum, density, bodyFat;
  const char* shown;
};

const THandWorkedCase kHandWorked[] = {
    {"3-site man", kThree, TSex::Male, 30, {"20", "25", "15"}, 60, 1.057828, 17.8173, "17.8"},
    {"3-site woman", kThree, TSex::Female, 27, {"18", "15", "27"}, 60, 1.0444397, 23.3552, "23.4"},
    {"7-site man",
     kSeven,
     TSex::Male,
     40,
     {"10", "15", "12", "14", "20", "13", "16"},
     100,
     1.0624706,
     15.9295,
     "15.9"},
    {"7-site woman",
     kSeven,
     TSex::Female,
     35,
     {"14", "12", "20", "16", "22", "19", "17"},
     120,
     1.044209,
     23.4518,
     "23.5"},
};

TEST(SkinfoldBodyFat, DensityAndBodyFatMatchTheHandWorkedCases) {
  for (const THandWorkedCase& c : kHandWorked) {
    EXPECT_NEAR(SkinfoldBodyDensity(c.method, c.sex, c.sum, c.age), c.density, 1e-9) << c.name;
    EXPECT_NEAR(BrozekBodyFat(c.density), c.bodyFat, 1e-4) << c.name;
    const TSkinfoldOutcome outcome = Calculate(c.method, c.sex, std::to_string(c.age), c.skinfolds);
    EXPECT_EQ(outcome.warning, std::nullopt) << c.name;
    EXPECT_EQ(outcome.bodyFat, c.shown) << c.name;
  }
}

TEST(SkinfoldBodyFat, SkinfoldsAndResultUseTheUsersDecimalCharacter) {
  // 20.5 + 20 + 19.5 = 60 mm: the 3-site man at 30 again.
  const TSkinfoldOutcome outcome = Calculate(kThree, TSex::Male, "30", {"20,5", "20", "19,5"}, ',');
  EXPECT_EQ(outcome.warning, std::nullopt);
  EXPECT_EQ(outcome.bodyFat, "17,8");
  // "." is read as the point whatever the user's character.
  EXPECT_EQ(Calculate(kThree, TSex::Male, "30", {"20.5", "20", "19.5"}, ',').bodyFat, "17,8");
}

// Every check on its own, starting from a valid 3-site man of 30 with
// 20 mm at each site; the warning names the field that gets the focus.
TEST(SkinfoldChecks, EachRefusedEntryWarnsAndNamesItsField) {
  const struct {
    const char* what;
    std::string age;
    std::vector<std::string> skinfolds;
    const char* warning;
    int field;
  } cases[] = {
      {"empty age", "", {"20", "20", "20"}, kMsgInvalidAge, kSkinfoldAgeField},
      {"age 9", "9", {"20", "20", "20"}, kMsgInvalidAge, kSkinfoldAgeField},
      {"age 101", "101", {"20", "20", "20"}, kMsgInvalidAge, kSkinfoldAgeField},
      {"fractional age", "30.5", {"20", "20", "20"}, kMsgInvalidAge, kSkinfoldAgeField},
      {"age in words", "thirty", {"20", "20", "20"}, kMsgInvalidAge, kSkinfoldAgeField},
      {"age before a bad skinfold", "5", {"-1", "20", "20"}, kMsgInvalidAge, kSkinfoldAgeField},
      {"empty first site", "30", {"", "20", "20"}, kMsgInvalidSkinfold, SkinfoldSiteField(0)},
      {"negative first site", "30", {"-1", "20", "20"}, kMsgInvalidSkinfold, SkinfoldSiteField(0)},
      {"letters at the second site",
       "30",
       {"20", "2o", "20"},
       kMsgInvalidSkinfold,
       SkinfoldSiteField(1)},
      {"second site over 1000",
       "30",
       {"20", "1000.5", "20"},
       kMsgInvalidSkinfold,
       SkinfoldSiteField(1)},
      {"negative third site",
       "30",
       {"20", "20", "-0.1"},
       kMsgInvalidSkinfold,
       SkinfoldSiteField(2)},
      {"first of two bad sites",
       "30",
       {"20", "x", "-5"},
       kMsgInvalidSkinfold,
       SkinfoldSiteField(1)},
  };
  for (const auto& c : cases) {
    const TSkinfoldOutcome outcome = Calculate(kThree, TSex::Male, c.age, c.skinfolds);
    EXPECT_EQ(outcome.warning, c.warning) << c.what;
    EXPECT_EQ(outcome.focusField, c.field) << c.what;
    EXPECT_EQ(outcome.bodyFat, std::nullopt) << c.what << ": the shown result must stay";
  }
}

TEST(SkinfoldChecks, AgesTenAndHundredAndZeroSkinfoldsAreAccepted) {
  const struct {
    std::string age;
    std::vector<std::string> skinfolds;
  } cases[] = {
      {"10", {"20", "20", "20"}},
      {"100", {"20", "20", "20"}},
      {" 30 ", {"0", "30", "30"}},
  };
  for (const auto& c : cases) {
    const TSkinfoldOutcome outcome = Calculate(kThree, TSex::Male, c.age, c.skinfolds);
    EXPECT_EQ(outcome.warning, std::nullopt) << c.age;
    ASSERT_TRUE(outcome.bodyFat.has_value()) << c.age;
    EXPECT_FALSE(outcome.bodyFat->empty()) << c.age;
  }
}

// Every 7-site field refuses more than 1000 mm; of the 3-site fields only
// the second does. A skinfold of 1000 mm itself passes the check (and then
// gives an impossible density).
TEST(SkinfoldChecks, TheUpperLimitAppliesToEverySevenSiteFieldAndTheSecondThreeSiteField) {
  for (int site = 0; site < 7; ++site) {
    std::vector<std::string> skinfolds(7, "10");
    skinfolds[static_cast<std::size_t>(site)] = "1000.1";
    const TSkinfoldOutcome refused = Calculate(kSeven, TSex::Female, "30", skinfolds);
    EXPECT_EQ(refused.warning, kMsgInvalidSkinfold) << "7-site field " << site;
    EXPECT_EQ(refused.focusField, SkinfoldSiteField(site)) << "7-site field " << site;
    skinfolds[static_cast<std::size_t>(site)] = "1000";
    EXPECT_NE(Calculate(kSeven, TSex::Female, "30", skinfolds).warning, kMsgInvalidSkinfold)
        << "7-site field " << site;
  }
  const struct {
    int site;
    const char* warning;
  } threeSite[] = {{0, kMsgNegativeBodyFat}, {1, kMsgInvalidSkinfold}, {2, kMsgNegativeBodyFat}};
  for (const auto& c : threeSite) {
    for (const TSex sex : {TSex::Male, TSex::Female}) {
      std::vector<std::string> skinfolds(3, "20");
      skinfolds[static_cast<std::size_t>(c.site)] = "1500";
      EXPECT_EQ(Calculate(kThree, sex, "30", skinfolds).warning, c.warning)
          << "3-site field " << c.site;
    }
  }
}

TEST(SkinfoldChecks, AnImpossibleDensityWarnsAndEmptiesTheResult) {
  const struct {
    const char* what;
    TSkinfoldMethod method;
    std::vector<std::string> skinfolds;
  } cases[] = {
      // 10 years, no fat: D = 1.10938 − 0.00257 = 1.10681, and
      // 4.57 / 1.10681 = 4.1290 is below 4.142: −1.3 %.
      {"3-site, all zero", kThree, {"0", "0", "0"}},
      // 7 × 1000 mm: D = 1.112 − 3.04493 + 26.95 − 0.0028826 = 25.01, far
      // above any real body.
      {"7-site, all at the limit", kSeven, std::vector<std::string>(7, "1000")},
      // A sum too large to square is no number at all.
      {"3-site, sum overflows", kThree, {"1e308", "20", "1e308"}},
  };
  for (const auto& c : cases) {
    const TSkinfoldOutcome outcome = Calculate(c.method, TSex::Male, "10", c.skinfolds);
    EXPECT_EQ(outcome.warning, kMsgNegativeBodyFat) << c.what;
    EXPECT_EQ(outcome.focusField, kSkinfoldNoField) << c.what;
    EXPECT_EQ(outcome.bodyFat, "") << c.what;
  }
  EXPECT_STREQ(kMsgNegativeBodyFat,
               "The formula calculated a negative body fat %. There is something wrong with your "
               "measurements. Please, measure again and check the numbers!");
}

TEST(SkinfoldChecks, ASkinfoldCountOtherThanTheSitesIsAFaultOfTheCaller) {
  EXPECT_THROW(Calculate(kThree, TSex::Male, "30", {"20", "20"}), EInternalError);
  EXPECT_THROW(Calculate(kSeven, TSex::Male, "30", {"20", "20", "20"}), EInternalError);
}

}  // namespace
}  // namespace korvela
