#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "users/configurator.h"
#include "users/user.h"

namespace korvela {

// The calculators of a person's energy expenditure and body composition.
// None of them stores anything. Weights are kg, heights and waists cm.

inline constexpr const char* kBodyFatUnknown = "I don't know";
inline constexpr const char* kMsgInvalidBodyFatChoice =
    "Please, enter a valid body fat percentage or select \"I don't know\"";
inline constexpr const char* kMsgInvalidBodyFat = "Please, enter a valid body fat percentage";
inline constexpr int kMinCalcAge = 10;
inline constexpr int kMaxCalcAge = 100;

// A whole number of years 10 to 100; none otherwise (kMsgInvalidAge of the
// skinfold calculators).
std::optional<int> ReadCalcAge(std::string_view text);
// The body fat drop-down: its item "I don't know" gives -1, a typed number
// itself, anything else none.
std::optional<double> ReadBodyFatChoice(const TConfigurator& config, std::string_view text);
// A body fat of 1 to 50 %; none otherwise.
std::optional<double> ReadBodyFatPercent(const TConfigurator& config, std::string_view text);

// Daily energy expenditure of a person on a maintenance diet; the activity
// levels are kActivityLevelNames.
// Physical activity level by sex and activity level 0-2; with the thermic
// effect of food, unlike the model's activity coefficients.
double PhysicalActivityLevel(TSex sex, int activityLevel);
// The resting rate of a person (calories a day) without underfeeding:
// Mifflin-St Jeor times the metabolic factor; bodyFat -1 when unknown.
double PersonRestingRate(int age, TSex sex, double weightKg, double heightCm, double bodyFat);
struct TExpenditure {
  double total = 0;     // m × PAL × f
  double resting = 0;   // m × f
  double food = 0;      // 0.1 × total
  double activity = 0;  // 0.9 × total − resting
};
// bodyFat -1 when unknown.
TExpenditure DailyExpenditure(int age, TSex sex, double weightKg, double heightCm,
                              int activityLevel, double bodyFat);

// What "Calculate" of a calculator shows: a warning (the screen keeps its
// last results) or the result texts.
struct TExpenditureOutcome {
  std::optional<std::string> warning;
  bool focusAge = false;                       // else the body fat
  std::string total, resting, food, activity;  // no decimals
};
TExpenditureOutcome CalculateExpenditure(const TConfigurator& config, double weightKg,
                                         double heightCm, std::string_view age, TSex sex,
                                         int activityLevel, std::string_view bodyFat);

// weight / (height in m)².
double BodyMassIndex(double weightKg, double heightCm);
// "24.7"
std::string BodyMassIndexText(const TConfigurator& config, double weightKg, double heightCm);

// Lean and fat mass of a bodyweight, kg.
struct TBodyComposition {
  double lean = 0;
  double fat = 0;
};
TBodyComposition Composition(double weightKg, double bodyFat);

// The sentence under the comparison of two bodyweights; masses in the
// user's unit (kg, or lbs at 2.2 a kg).
std::string CompareCompositionText(const TConfigurator& config, const TBodyComposition& first,
                                   const TBodyComposition& second);
// "LBM #1 = 64.5 kg" and the like: caption, value in the user's unit with
// two decimals and the unit.
std::string CompositionBarLabel(const TConfigurator& config, std::string_view caption, double kg);

// Body fat predicted from the waist and the weight; can be negative for a
// small waist, which the screen refuses with the skinfold calculators'
// message.
double WaistBodyFat(double waistCm, double weightKg, TSex sex);
struct TWaistOutcome {
  std::optional<std::string> warning;
  std::string bodyFat;  // one decimal; empty with the warning
};
TWaistOutcome CalculateWaistBodyFat(const TConfigurator& config, double waistCm, double weightKg,
                                    TSex sex);

}  // namespace korvela
