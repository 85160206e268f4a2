#pragma once
#include <array>
#include <string>
#include <vector>

#include "energy/goal_records.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kDietCompCaption = "Dietary Composition Goal Setting";
inline constexpr const char* kDietCompHeading = "Define my current dietary composition goals";
inline constexpr const char* kDietaryGoalsGroup = "Dietary Goals";
inline constexpr const char* kDietCompColumns[4] = {"Nutrient/Goal", "Qualifier", "Quantity",
                                                    "Measurement"};
// Per nutrient: the row without a goal, the row with one.
inline constexpr const char* kDietGoalChoices[kNutrientCount][2] = {
    {"No Protein Goals Set", "Set Protein Goals to"},
    {"No Fats Goals Set", "Set Fats Goals to"},
    {"No Carb Goals Set", "Set Carb Goals to"}};
inline constexpr const char* kQualifierNames[kQualifierCount] = {"at least", "exactly", "at most"};
inline constexpr const char* kDeviationQuestion =
    "How much deviation from your plan do you want Korvela to allow you before giving";
inline constexpr const char* kDeviationA = "a";
inline constexpr const char* kDeviationFailure = "(failure) mark on a given nutrition goal?";
inline constexpr const char* kAllowanceCaption = "Standard Goal Deviation Allowance(0-10%):";
inline constexpr const char* kDefaultAllowance = "5";
inline constexpr const char* kAdoptDietaryGoals = "Adopt Dietary Goals";

inline constexpr const char* kMsgInvalidQuantity[kNutrientCount] = {
    "Please enter a valid protein quantity", "Please enter a valid fats quantity",
    "Please enter a valid carbs quantity"};
inline constexpr const char* kMsgPercentageTooLarge[kNutrientCount] = {
    "Protein percentage must be less than 100", "Fats percentage must be less than 100",
    "Carbs percentage must be less than 100"};
inline constexpr const char* kMsgPercentageSum =
    "The total sum of the percentages must be less than 100";
inline constexpr const char* kMsgInvalidAllowance =
    "Please provide a goal deviation allowance between 0% and 10%";

// The measurement names, "grams per lbs" for the third when the user works in
// pounds.
std::array<std::string, kMeasurementCount> MeasurementNames(const TConfigurator& config);

// One nutrient's row of the dialog.
struct TDietGoalRow {
  bool set = false;   // the second goal choice; the other fields count only then
  int qualifier = 0;  // index into kQualifierNames
  std::string quantity;
  int measurement = 0;  // index into MeasurementNames
};

// What the dialog shows and the user typed, rows in the order protein, fats,
// carbs.
struct TDietCompForm {
  std::array<TDietGoalRow, kNutrientCount> rows;
  std::string allowance = kDefaultAllowance;
};

// The dialog on opening: rows without a goal (protein per weight, fats and
// carbs as shares of the calories), then each constraint of the latest record
// sets its row; a per-weight quantity is shown per pound when the user works
// in pounds.
TDietCompForm OpenDietCompForm(const TConfigurator& config, const TDietCompStat* latest);

// Where the focus goes with a warning.
enum class TDietCompField { None, ProteinQuantity, FatsQuantity, CarbsQuantity, Allowance };

struct TDietCompCheck {
  std::vector<TDietConstraint> constraints;  // when accepted; per-weight amounts per kg
  std::string message;                       // the warning when refused
  TDietCompField focus = TDietCompField::None;
  bool Accepted() const { return message.empty(); }
};

// The checks of "Adopt Dietary Goals" in their order: each set row's quantity
// (a number of at least 0; a share of the calories at most 100, and all shares
// together at most 100), then the allowance (0 to 10). Shares that add up to
// more than 100 put the focus on the protein quantity when protein has a
// goal, else on the quantity that made the sum too large.
TDietCompCheck CheckDietCompForm(const TConfigurator& config, const TDietCompForm& form);

// Today's record takes the constraints (replacing a record adopted earlier
// today) and its file is written.
void AdoptDietComp(TDayRecordStore& records, TDateTime today,
                   std::vector<TDietConstraint> constraints);

}  // namespace korvela
