#include "energy/body_calculators.h"

#include <cmath>

#include "energy/energy_model.h"
#include "energy/skinfold.h"
#include "storage/errors.h"
#include "storage/value_text.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

std::optional<double> ReadNumber(const TConfigurator& config, std::string_view text) {
  try {
    const double value = ParseNumber(config, text);
    if (std::isfinite(value)) return value;
  } catch (const EConvertError&) {
  }
  return std::nullopt;
}

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const std::size_t last = text.find_last_not_of(" \t");
  return std::string(text.substr(first, last - first + 1));
}

}  // namespace

std::optional<int> ReadCalcAge(std::string_view text) {
  try {
    const int age = ReadIntText(text);
    if (age >= kMinCalcAge && age <= kMaxCalcAge) return age;
  } catch (const EConvertError&) {
  }
  return std::nullopt;
}

std::optional<double> ReadBodyFatChoice(const TConfigurator& config, std::string_view text) {
  if (Trimmed(text) == kBodyFatUnknown) return -1.0;
  return ReadNumber(config, text);
}

std::optional<double> ReadBodyFatPercent(const TConfigurator& config, std::string_view text) {
  const std::optional<double> value = ReadNumber(config, text);
  if (value && *value >= 1 && *value <= 50) return value;
  return std::nullopt;
}

double PhysicalActivityLevel(TSex sex, int activityLevel) {
  static constexpr double kMan[3] = {1.55, 1.78, 2.1};
  static constexpr double kWoman[3] = {1.56, 1.64, 1.82};
  const int level = activityLevel < 0 ? 0 : activityLevel > 2 ? 2 : activityLevel;
  return sex == TSex::Female ? kWoman[level] : kMan[level];
}

double PersonRestingRate(int age, TSex sex, double weightKg, double heightCm, double bodyFat) {
  const bool female = sex == TSex::Female;
  return static_cast<double>(
      TEnergyModel::MifflinRmr(age, female, weightKg, heightCm) *
      TEnergyModel::MetabolicFactor(female, 1, static_cast<float>(bodyFat), heightCm, weightKg));
}

TExpenditure DailyExpenditure(int age, TSex sex, double weightKg, double heightCm,
                              int activityLevel, double bodyFat) {
  TExpenditure e;
  e.resting = PersonRestingRate(age, sex, weightKg, heightCm, bodyFat);
  e.total = e.resting * PhysicalActivityLevel(sex, activityLevel);
  e.food = 0.1 * e.total;
  e.activity = 0.9 * e.total - e.resting;
  return e;
}

TExpenditureOutcome CalculateExpenditure(const TConfigurator& config, double weightKg,
                                         double heightCm, std::string_view age, TSex sex,
                                         int activityLevel, std::string_view bodyFat) {
  TExpenditureOutcome outcome;
  const std::optional<int> years = ReadCalcAge(age);
  if (!years) {
    outcome.warning = kMsgInvalidAge;
    outcome.focusAge = true;
    return outcome;
  }
  const std::optional<double> fat = ReadBodyFatChoice(config, bodyFat);
  if (!fat) {
    outcome.warning = kMsgInvalidBodyFatChoice;
    return outcome;
  }
  const TExpenditure e = DailyExpenditure(*years, sex, weightKg, heightCm, activityLevel, *fat);
  outcome.total = FormatNumber(config, e.total, 0);
  outcome.resting = FormatNumber(config, e.resting, 0);
  outcome.food = FormatNumber(config, e.food, 0);
  outcome.activity = FormatNumber(config, e.activity, 0);
  return outcome;
}

double BodyMassIndex(double weightKg, double heightCm) {
  const double metres = heightCm / 100;
  return weightKg / (metres * metres);
}

std::string BodyMassIndexText(const TConfigurator& config, double weightKg, double heightCm) {
  return FormatNumber(config, BodyMassIndex(weightKg, heightCm), 1);
}

TBodyComposition Composition(double weightKg, double bodyFat) {
  return {(100 - bodyFat) * weightKg / 100, bodyFat * weightKg / 100};
}

std::string CompareCompositionText(const TConfigurator& config, const TBodyComposition& first,
                                   const TBodyComposition& second) {
  const std::string unit = WeightUnit(config);
  const auto shown = [&config](double kg) {
    return FormatNumber(config, std::fabs(KgToShown(config, kg)), 2);
  };
  return "Bodyweight #1 has " + shown(first.lean - second.lean) + " " + unit +
         (first.lean >= second.lean ? " Lean Body Mass more " : " Lean Body Mass less ") + "and " +
         shown(first.fat - second.fat) + " " + unit +
         (first.fat >= second.fat ? " Fat Mass more " : " Fat Mass less ") + "than Bodyweight #2";
}

std::string CompositionBarLabel(const TConfigurator& config, std::string_view caption, double kg) {
  return std::string(caption) + FormatNumber(config, KgToShown(config, kg), 2) + " " +
         WeightUnit(config);
}

double WaistBodyFat(double waistCm, double weightKg, TSex sex) {
  const double c = sex == TSex::Female ? 76.76 : 98.42;
  const double pounds = weightKg * kPoundsPerKg;
  return (4.15 * waistCm / kCmPerInch - c - 0.082 * pounds) / pounds * 100;
}

TWaistOutcome CalculateWaistBodyFat(const TConfigurator& config, double waistCm, double weightKg,
                                    TSex sex) {
  const double bodyFat = WaistBodyFat(waistCm, weightKg, sex);
  if (!(bodyFat > 0) || !std::isfinite(bodyFat)) return {kMsgNegativeBodyFat, std::string()};
  return {std::nullopt, FormatNumber(config, bodyFat, 1)};
}

}  // namespace korvela
