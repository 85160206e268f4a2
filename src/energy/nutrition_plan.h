#pragma once
#include <string>
#include <vector>

#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kNoWeightGoalNote = "(no weight goal set)";
inline constexpr const char* kLoseWeightNote = "(lose weight)";
inline constexpr const char* kMaintainWeightNote = "(weight maintainance)";
inline constexpr const char* kGainWeightNote = "(gain weight)";
inline constexpr const char* kReportFoodIntake = "calories. Please report food intake!";
inline constexpr const char* kRightOnTarget = "calories. You are right on target!";

// Calories of the target balance within which the day is on target.
inline constexpr double kTargetBalanceTolerance = 80;
// The calorie balance that moves the bodyweight by one kilogram.
inline constexpr double kGoalCaloriesPerKilogram = 7700;

// Grams of a day's nutrients.
struct TNutrientTotals {
  double P = 0;
  double F = 0;
  double C = 0;
  double A = 0;
};

enum class TPlanMark { Pass, Fail, NotAvailable };

struct TPlanTask {
  std::string text;  // "Eat more than 100 grams of protein"
  TPlanMark mark = TPlanMark::NotAvailable;
};

// The day's target calorie balance and how far the day is from it.
struct TTargetBalance {
  bool shown = false;
  std::string firstLine;  // "Target calorie balance for 15 Jun 2007 is"
  std::string target;     // whole calories, "+" in front when positive
  bool blue = false;      // the target is 0 or more; red otherwise
  std::string thirdLine;  // what to do about it
  TPlanMark mark = TPlanMark::NotAvailable;
};

struct TNutritionPlan {
  std::string goalNote;
  std::vector<TPlanTask> tasks;  // at most three, one per diet constraint of the day
  TTargetBalance balance;
};

// The nutrition plan of a day from the goals that govern it. The totals are
// the day's (the dashboard's, from the calorie record) or the food log's being
// edited; dayRecord is the day's calorie record, or null when the day has
// none. The record's own totals are put back before this returns; it may
// receive its activity coefficient (and be saved) as any expenditure
// computation of the model does.
TNutritionPlan NutritionPlan(TEnergyModel& model, TDayRecordStore& records,
                             const TConfigurator& config, TDateTime day,
                             const TNutrientTotals& totals, TCalStat* dayRecord);

}  // namespace korvela
