#include "energy/skinfold.h"

#include <cmath>

#include "storage/errors.h"
#include "storage/value_text.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr const char* kThreeSiteMaleSites[] = {"Chest", "Abdomen", "Thigh"};
constexpr const char* kThreeSiteFemaleSites[] = {"Triceps", "Suprailiac", "Thigh"};
constexpr const char* kSevenSites[] = {"Chest",   "Midaxillary", "Triceps", "Subscapula",
                                       "Abdomen", "Suprailiac",  "Thigh"};

// D = constant − linear × S + square × S² − perYear × age.
struct TDensityEquation {
  double constant, linear, square, perYear;
};

constexpr TDensityEquation kThreeSiteMale{1.10938, 0.0008267, 0.0000016, 0.000257};
constexpr TDensityEquation kThreeSiteFemale{1.0994921, 0.0009929, 0.0000023, 0.0001392};
constexpr TDensityEquation kSevenSiteMale{1.112, 0.00043499, 0.00000055, 0.00028826};
constexpr TDensityEquation kSevenSiteFemale{1.097, 0.00046971, 0.00000056, 0.00012828};

const TDensityEquation& Equation(TSkinfoldMethod method, TSex sex) {
  const bool male = sex == TSex::Male;
  switch (method) {
    case TSkinfoldMethod::ThreeSite:
      return male ? kThreeSiteMale : kThreeSiteFemale;
    case TSkinfoldMethod::SevenSite:
      return male ? kSevenSiteMale : kSevenSiteFemale;
  }
  throw EInternalError("unknown skinfold method");
}

// A whole number of years, or nothing for any other text.
std::optional<int> ReadAge(std::string_view text) {
  try {
    return ReadIntText(text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::optional<double> ReadSkinfold(const TConfigurator& config, std::string_view text) {
  try {
    return ParseNumber(config, text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace

const char* SkinfoldCaption(TSkinfoldMethod method) {
  return method == TSkinfoldMethod::ThreeSite ? "3 site skinfold measurement body fat % calculator"
                                              : "7 site skinfold measurement body fat % calculator";
}

const char* SkinfoldHeading(TSkinfoldMethod method) {
  return method == TSkinfoldMethod::ThreeSite
             ? "Calculate body fat % using 3-site skinfold measurements"
             : "Calculate body fat % using 7-site skinfold measurements";
}

int SkinfoldHelpTopic(TSkinfoldMethod method) {
  return method == TSkinfoldMethod::ThreeSite ? 65 : 66;
}

std::span<const char* const> SkinfoldSiteNames(TSkinfoldMethod method, TSex sex) {
  if (method == TSkinfoldMethod::SevenSite) return kSevenSites;
  return sex == TSex::Male ? std::span<const char* const>(kThreeSiteMaleSites)
                           : std::span<const char* const>(kThreeSiteFemaleSites);
}

bool SkinfoldHasUpperLimit(TSkinfoldMethod method, int site) {
  return method == TSkinfoldMethod::SevenSite || site == 1;
}

double SkinfoldBodyDensity(TSkinfoldMethod method, TSex sex, double sumMm, int age) {
  const TDensityEquation& e = Equation(method, sex);
  return e.constant - e.linear * sumMm + e.square * sumMm * sumMm - e.perYear * age;
}

double BrozekBodyFat(double density) { return (4.57 / density - 4.142) * 100; }

TSkinfoldOutcome CalculateSkinfoldBodyFat(const TConfigurator& config, TSkinfoldMethod method,
                                          TSex sex, std::string_view ageText,
                                          std::span<const std::string> skinfoldTexts) {
  if (skinfoldTexts.size() != SkinfoldSiteNames(method, sex).size())
    throw EInternalError("one skinfold per site is needed");
  const std::optional<int> age = ReadAge(ageText);
  if (!age || *age < kMinSkinfoldAge || *age > kMaxSkinfoldAge)
    return {kMsgInvalidAge, kSkinfoldAgeField, std::nullopt};

  double sum = 0;
  for (std::size_t i = 0; i < skinfoldTexts.size(); ++i) {
    const int site = static_cast<int>(i);
    const std::optional<double> mm = ReadSkinfold(config, skinfoldTexts[i]);
    if (!mm || *mm < 0 || (SkinfoldHasUpperLimit(method, site) && *mm > kMaxSkinfoldMm))
      return {kMsgInvalidSkinfold, SkinfoldSiteField(site), std::nullopt};
    sum += *mm;
  }

  const double density = SkinfoldBodyDensity(method, sex, sum, *age);
  const double bodyFat = density == 0 ? 0 : BrozekBodyFat(density);
  // Written so that a sum too large to compute (not a number) fails as well.
  if (!(bodyFat > 0) || !std::isfinite(bodyFat))
    return {kMsgNegativeBodyFat, kSkinfoldNoField, std::string()};
  return {std::nullopt, kSkinfoldNoField, FormatNumber(config, bodyFat, 1)};
}

}  // namespace korvela
