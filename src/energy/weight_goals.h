#pragma once
#include <optional>
#include <string>

#include "energy/energy_model.h"
#include "energy/goal_records.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {

inline constexpr const char* kWeightGoalCaption = "Setting Weight Goals";
inline constexpr const char* kWeightGoalHeading = "Set my bodyweight goals over a period of time";
inline constexpr const char* kMyGoalIs = "My goal is:";
// By goal type code: 0 lose, 1 maintain, 2 gain.
inline constexpr const char* kWeightGoalChoices[3] = {"Lose weight", "Maintain weight",
                                                      "Gain weight"};
inline constexpr const char* kIWantToWeigh = "I want to weight:";
inline constexpr const char* kTargetDateCaption = "Target Date:";
inline constexpr const char* kDietDescriptionCaption = "Diet Description";
inline constexpr const char* kBodyweightChartTitle = "Bodyweight";
inline constexpr const char* kCalculateDietParameters = "Calculate Diet Parameters";
inline constexpr const char* kAdoptWeightGoals = "Adopt Weight Goals";
inline constexpr const char* kMsgTargetDateInFuture = "Please, select a target date in the future";

// Target weights the dialog accepts, kg.
inline constexpr double kMinTargetWeight = 30;
inline constexpr double kMaxTargetWeight = 600;
// Without an active goal the dialog proposes a target this many days ahead.
inline constexpr int kDefaultGoalDays = 100;

// The chart's arrow from the present weight to the goal; weights in the
// user's unit.
struct TGoalArrow {
  TDateTime fromDate = 0;
  double fromWeight = 0;
  TDateTime toDate = 0;
  double toWeight = 0;
};

// What the weight-goal dialog shows on opening.
struct TWeightGoalOpening {
  TWeightGoalType type = TWeightGoalType::Maintain;
  TDateTime targetDate = 0;
  double targetWeight = -1;  // kg; -1 leaves the field empty
  TGoalArrow arrow;
  bool calculate = false;  // run "Calculate Diet Parameters" at once
};

// The daily figures of a goal to lose or gain weight by a date.
struct TWeightChangePlan {
  int days = 0;               // from today through the target date
  Extended balance = 0;       // daily calorie balance needed
  Extended weeklyChange = 0;  // kg per week, never negative
  Extended intake = 0;        // calories a day to start with
};

// What "Calculate Diet Parameters" shows.
struct TWeightGoalCalculation {
  std::string description;
  std::string chartTitle;
  TGoalArrow arrow;
};

// The same day `months` calendar months later; a day that month does not have
// becomes its last day.
TDateTime AddMonths(TDateTime day, int months);

// A target above the present weight is a goal to gain, any other one to lose.
TWeightGoalType GoalTypeForTarget(double targetKg, double presentKg);

// The balance of each day from today through the target date that reaches the
// target, 7700 calories to the kilogram, on top of the maintenance intake.
TWeightChangePlan PlanWeightChange(Extended presentKg, Extended targetKg,
                                   Extended maintenanceIntake, TDateTime today,
                                   TDateTime targetDate);

// The texts of a goal; weights shown in the user's unit, the user's name in
// front.
std::string MaintenanceDescription(const TConfigurator& config, const std::string& name,
                                   double presentKg, Extended intake);
std::string WeightChangeDescription(const TConfigurator& config, const std::string& name,
                                    TWeightGoalType type, double presentKg, double targetKg,
                                    TDateTime targetDate, const TWeightChangePlan& plan);
std::string WeightChangeChartTitle(const TConfigurator& config, TWeightGoalType type,
                                   const TWeightChangePlan& plan);
// " kg" or " lbs" after the weights of the chart's axis.
std::string WeightAxisSuffix(const TConfigurator& config);

// The weight-goal dialog's decisions, for the logged-in user; the present
// weight W is today's projected weight, taken once when the dialog opens.
class TWeightGoalSetting {
 public:
  TWeightGoalSetting(TEnergyModel& model, TDayRecordStore& records, const TUser& user,
                     const TConfigurator& config);

  double PresentWeight() const { return present_; }
  TDateTime Today() const { return today_; }

  // Without an active goal: maintain, a target 100 days ahead, and an arrow a
  // month long at the present weight. With one: its type, target date (the
  // day after when it is today) and target weight, then calculated.
  TWeightGoalOpening Opening();
  // What eating as much as one burns takes today: the resting rate at the
  // present weight times the current activity coefficient, over 0.9 for the
  // thermic effect of the food itself.
  Extended MaintenanceIntake();
  // For a goal to lose or gain, the target date must lie after today; returns
  // the warning otherwise.
  std::optional<std::string> CheckTargetDate(TWeightGoalType type, TDateTime targetDate) const;
  // Description, chart title and arrow of a goal; a goal to lose or gain needs
  // a valid target weight (kg) and a target date after today.
  TWeightGoalCalculation Calculate(TWeightGoalType type, double targetKg, TDateTime targetDate);
  // Today's goal record takes the goal (a maintenance goal the present weight
  // and no date) and its file is written.
  void Adopt(TWeightGoalType type, double targetKg, TDateTime targetDate);

 private:
  TEnergyModel& model_;
  TDayRecordStore& records_;
  const TUser& user_;
  const TConfigurator& config_;
  TDateTime today_;
  double present_;
};

}  // namespace korvela
