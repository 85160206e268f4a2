#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "storage/date_time.h"
#include "storage/day_records.h"

namespace korvela {

inline constexpr std::int32_t kDietCompStatKind = 113;
inline constexpr std::int32_t kWeightGoalStatKind = 114;

inline constexpr const char* kDietCompStatElement = "SDietComp";
inline constexpr const char* kConstraintElement = "Constraint";
inline constexpr const char* kNutrientAttr = "Nutrient";
inline constexpr const char* kQualifierAttr = "Qualifier";
inline constexpr const char* kQuantityAttr = "Quantity";
inline constexpr const char* kMeasurementAttr = "Measurement";
inline constexpr const char* kErrorAllowanceAttr = "ErrorAllowance";

inline constexpr const char* kWeightGoalStatElement = "SWeightGoal";
inline constexpr const char* kWeightGoalTypeAttr = "WeightGoalType";
inline constexpr const char* kTargetWeightAttr = "TargetWeight";
inline constexpr const char* kTargetDateAttr = "TargetDate";

// The stored codes of a diet constraint.
enum class TNutrient : std::int32_t { Protein = 0, Fats = 1, Carbs = 2 };
enum class TQualifier : std::int32_t { AtLeast = 0, Exactly = 1, AtMost = 2 };
enum class TMeasurement : std::int32_t {
  Grams = 0,
  Calories = 1,
  GramsPerKg = 2,  // per kilogram of bodyweight, whatever unit the user works in
  PercentOfCalories = 3,
};

inline constexpr int kNutrientCount = 3;
inline constexpr int kQualifierCount = 3;
inline constexpr int kMeasurementCount = 4;

// One goal for one nutrient: eat at least, exactly or at most a quantity,
// failing only beyond the allowance.
struct TDietConstraint {
  TNutrient Nutrient = TNutrient::Protein;
  TQualifier Qualifier = TQualifier::AtLeast;
  double Quantity = 0;  // in the measurement's unit; per-weight amounts per kg
  TMeasurement Measurement = TMeasurement::Grams;
  double ErrorAllowance = 0;  // percent, 0-10

  // False when a code read from a file is none of the known ones.
  bool Valid() const;
  void Read(const XMLNode& element);
  std::unique_ptr<XMLNode> Write() const;
  bool operator==(const TDietConstraint&) const = default;
};

// The diet-composition goals adopted on a day, at most one constraint per
// nutrient in the order protein, fats, carbs. They govern every day from the
// record's day to the next record.
class TDietCompStat : public TDBD {
 public:
  explicit TDietCompStat(TDBC* owner) : TDBD(owner) {}

  // Every child element is a constraint; one whose codes are unknown cannot be
  // shown or checked and is left out.
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;

  std::vector<TDietConstraint> Constraints;
};

enum class TWeightGoalType : std::int32_t { None = -1, Lose = 0, Maintain = 1, Gain = 2 };

// The bodyweight goal adopted on a day.
class TWeightGoalStat : public TDBD {
 public:
  explicit TWeightGoalStat(TDBC* owner) : TDBD(owner) {}

  // Absent attributes keep the values of a new record; an unknown goal type
  // reads as None.
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;

  TWeightGoalType WeightGoalType = TWeightGoalType::None;
  double TargetWeight = 0;   // kg; for maintenance the weight on the day the goal was set
  TDateTime TargetDate = 0;  // 0 for maintenance
};

}  // namespace korvela
