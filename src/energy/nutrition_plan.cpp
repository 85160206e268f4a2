#include "energy/nutrition_plan.h"

#include <cmath>

#include "energy/goal_records.h"
#include "energy/goals.h"
#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

const char* GoalNote(const TWeightGoalRef& goal) {
  if (!goal) return kNoWeightGoalNote;
  switch (goal.goal->WeightGoalType) {
    case TWeightGoalType::Lose:
      return kLoseWeightNote;
    case TWeightGoalType::Maintain:
      return kMaintainWeightNote;
    case TWeightGoalType::Gain:
      return kGainWeightNote;
    case TWeightGoalType::None:
      break;
  }
  return kNoWeightGoalNote;
}

std::string TaskText(const TConfigurator& config, const TDietConstraint& c) {
  static constexpr const char* kQualifierWords[kQualifierCount] = {"more than ", "", "less than "};
  static constexpr const char* kNutrientNames[kNutrientCount] = {"protein", "fats", "carbs"};
  const bool perWeight = c.Measurement == TMeasurement::GramsPerKg;
  const double quantity =
      perWeight && !config.MetricSystem() ? c.Quantity / kPoundsPerKg : c.Quantity;
  const char* measurement = "";
  switch (c.Measurement) {
    case TMeasurement::Grams:
      measurement = " grams of ";
      break;
    case TMeasurement::Calories:
      measurement = " calories of ";
      break;
    case TMeasurement::GramsPerKg:
      measurement = config.MetricSystem() ? " grams per kg of " : " grams per lbs of ";
      break;
    case TMeasurement::PercentOfCalories:
      measurement = "% calories as ";
      break;
  }
  return std::string("Eat ") + kQualifierWords[static_cast<int>(c.Qualifier)] +
         FormatNumber(config, quantity, 1) + measurement +
         kNutrientNames[static_cast<int>(c.Nutrient)];
}

// The day's figure in the constraint's measurement.
double ActualValue(const TDietConstraint& c, const TNutrientTotals& totals, double eaten,
                   double projectedWeight) {
  double grams = 0;
  double calories = 0;
  switch (c.Nutrient) {
    case TNutrient::Protein:
      grams = totals.P;
      calories = grams * 4;
      break;
    case TNutrient::Fats:
      grams = totals.F;
      calories = grams * 9;
      break;
    case TNutrient::Carbs:
      grams = totals.C;
      calories = grams * 4;
      break;
  }
  switch (c.Measurement) {
    case TMeasurement::Grams:
      return grams;
    case TMeasurement::Calories:
      return calories;
    case TMeasurement::GramsPerKg:
      return projectedWeight > 0 && grams != 0 ? grams / projectedWeight : 0;
    case TMeasurement::PercentOfCalories:
      return calories != 0 ? calories / eaten * 100 : 0;
  }
  return 0;
}

bool Passes(const TDietConstraint& c, double value) {
  const double allowance = c.ErrorAllowance / 100;
  const double low = (1 - allowance) * c.Quantity;
  const double high = (1 + allowance) * c.Quantity;
  switch (c.Qualifier) {
    case TQualifier::AtLeast:
      return value >= low;
    case TQualifier::Exactly:
      return low <= value && value <= high;
    case TQualifier::AtMost:
      return value <= high;
  }
  return false;
}

// The model's balance of the record with the given totals in place of its
// own, which are put back afterwards.
Extended BalanceWithTotals(TEnergyModel& model, TCalStat& record, const TNutrientTotals& totals) {
  // A record still without an activity coefficient receives it here, and is
  // saved, while it holds its own totals: the totals put in below are never
  // stored.
  model.TotalDailyExpenditure(record);
  struct TRestore {
    TCalStat& record;
    TNutrientTotals own;
    ~TRestore() {
      record.P = own.P;
      record.F = own.F;
      record.C = own.C;
      record.A = own.A;
    }
  } restore{record, {record.P, record.F, record.C, record.A}};
  record.P = totals.P;
  record.F = totals.F;
  record.C = totals.C;
  record.A = totals.A;
  return model.CalorieBalance(record);
}

}  // namespace

TNutritionPlan NutritionPlan(TEnergyModel& model, TDayRecordStore& records,
                             const TConfigurator& config, TDateTime day,
                             const TNutrientTotals& totals, TCalStat* dayRecord) {
  const TDateTime d = DayOf(day);
  TNutritionPlan plan;
  const TWeightGoalRef goal = ActiveWeightGoal(records, model.Today());
  plan.goalNote = GoalNote(goal);

  TCalStat eatenDay(nullptr);
  eatenDay.P = totals.P;
  eatenDay.F = totals.F;
  eatenDay.C = totals.C;
  eatenDay.A = totals.A;
  const double eaten = static_cast<double>(EatenCalories(eatenDay));
  const double projectedWeight = dayRecord ? dayRecord->PW : -1;
  const bool marked = dayRecord && eaten != 0;

  if (const TDietCompStat* diet = GoverningDietComp(records, d)) {
    for (const TDietConstraint& c : diet->Constraints) {
      if (plan.tasks.size() == 3) break;
      TPlanTask task{TaskText(config, c), TPlanMark::NotAvailable};
      if (marked)
        task.mark = Passes(c, ActualValue(c, totals, eaten, projectedWeight)) ? TPlanMark::Pass
                                                                              : TPlanMark::Fail;
      plan.tasks.push_back(std::move(task));
    }
  }

  // A day without a projected weight has nothing to aim from.
  if (!goal || !dayRecord || dayRecord->PW <= 0 || !model.InProjectionWindow(d) ||
      !AppliesTo(goal, d))
    return plan;

  TTargetBalance& balance = plan.balance;
  const TWeightGoalStat& g = *goal.goal;
  // A maintenance goal brings the weight back to the adopted one within a
  // week; another goal spreads the way to its target over the days left,
  // the day itself included.
  const double days =
      g.WeightGoalType == TWeightGoalType::Maintain ? 7 : DayOf(g.TargetDate) - d + 1;
  const double target = (g.TargetWeight - dayRecord->PW) / days * kGoalCaloriesPerKilogram;
  balance.shown = true;
  balance.firstLine = "Target calorie balance for " + ShortDateText(d) + " is";
  balance.target = SignedText(FormatNumber(config, target, 0));
  balance.blue = target >= 0;
  if (eaten == 0) {
    balance.thirdLine = kReportFoodIntake;
    balance.mark = TPlanMark::Fail;
    return plan;
  }
  const double diff = static_cast<double>(BalanceWithTotals(model, *dayRecord, totals)) - target;
  const std::string amount = FormatNumber(config, std::fabs(diff), 0);
  if (std::fabs(diff) < 0.5)
    balance.thirdLine = kRightOnTarget;
  else if (diff > 0)
    balance.thirdLine = "calories. Burn " + amount + " more calories.";
  else
    balance.thirdLine = "calories. Eat " + amount + " more calories.";
  balance.mark = std::fabs(diff) < kTargetBalanceTolerance ? TPlanMark::Pass : TPlanMark::Fail;
  return plan;
}

}  // namespace korvela
