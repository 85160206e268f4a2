#pragma once
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "users/configurator.h"
#include "users/user.h"

namespace korvela {

// Body fat from skinfolds measured with a caliper, by the Jackson–Pollock
// body density equations and the Brozek equation.
enum class TSkinfoldMethod { ThreeSite, SevenSite };

inline constexpr const char* kMsgInvalidAge = "Please, enter a valid age(10-100)";
inline constexpr const char* kMsgInvalidSkinfold = "Enter a valid skinfold measurement";
inline constexpr const char* kMsgNegativeBodyFat =
    "The formula calculated a negative body fat %. There is something wrong with your "
    "measurements. Please, measure again and check the numbers!";

// The texts of the calculator screens.
inline constexpr const char* kSkinfoldSexLabel = "Sex:";
inline constexpr const char* kSkinfoldSexNames[2] = {"Male", "Female"};  // indexed by TSex
inline constexpr const char* kSkinfoldAgeLabel = "Age:";
inline constexpr const char* kSkinfoldUnit = "mm";
inline constexpr const char* kSkinfoldInchNote = "Note: 1 inch = 25.4 mm";
inline constexpr const char* kSkinfoldCmNote = "1 cm = 10 mm";
inline constexpr const char* kSkinfoldCalculateCaption = "Calculate";
inline constexpr const char* kSkinfoldResultCaption = "Result";
inline constexpr const char* kSkinfoldBodyFatLabel = "Body Fat:";
inline constexpr const char* kSkinfoldBodyFatUnit = "%";
inline constexpr const char* kSkinfoldCloseCaption = "Close";

const char* SkinfoldCaption(TSkinfoldMethod method);
const char* SkinfoldHeading(TSkinfoldMethod method);
int SkinfoldHelpTopic(TSkinfoldMethod method);

// The measured sites in the order of the entry fields. The 3-site method
// measures other sites on a woman than on a man; the 7-site method the same.
std::span<const char* const> SkinfoldSiteNames(TSkinfoldMethod method, TSex sex);

inline constexpr int kMinSkinfoldAge = 10;
inline constexpr int kMaxSkinfoldAge = 100;
inline constexpr double kMaxSkinfoldMm = 1000;
// Whether a site refuses more than kMaxSkinfoldMm: every 7-site field, and
// of the 3-site fields only the second. The first and third 3-site fields
// take any size; an absurd one ends in the negative body fat warning.
bool SkinfoldHasUpperLimit(TSkinfoldMethod method, int site);

// Body density in g/cm³ from the sum of the skinfolds in mm and the age in
// years.
double SkinfoldBodyDensity(TSkinfoldMethod method, TSex sex, double sumMm, int age);
// Body fat in percent of the bodyweight: (4.57 / density − 4.142) × 100.
double BrozekBodyFat(double density);

// The entry fields in screen order: the age, then one per site.
inline constexpr int kSkinfoldAgeField = 0;
inline constexpr int kSkinfoldNoField = -1;
constexpr int SkinfoldSiteField(int site) { return site + 1; }

// What "Calculate" shows: a warning with the field that gets the focus
// (kSkinfoldNoField where the focus stays), and the new text of the result.
struct TSkinfoldOutcome {
  std::optional<std::string> warning;
  int focusField = kSkinfoldNoField;
  // Percent with one decimal and the user's decimal character; emptied with
  // the negative body fat warning; unset where an entry is refused, which
  // leaves the last result standing.
  std::optional<std::string> bodyFat;
};

// The checks in their order: the age must be a whole number 10 to 100, then
// each skinfold, first to last, a number of at least 0 mm (and at most
// kMaxSkinfoldMm where that limit applies), read with the user's decimal
// character. A density of 0 or a body fat that is not positive gives
// kMsgNegativeBodyFat. One skinfold text per site of SkinfoldSiteNames.
TSkinfoldOutcome CalculateSkinfoldBodyFat(const TConfigurator& config, TSkinfoldMethod method,
                                          TSex sex, std::string_view ageText,
                                          std::span<const std::string> skinfoldTexts);

}  // namespace korvela
