#include "energy/weight_goals.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "energy/goals.h"
#include "energy/nutrition_plan.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// The words of a goal's description.
struct TGoalWords {
  const char* verb;
  const char* noun;
  const char* comparative;
  const char* direction;
  const char* sign;
};

constexpr TGoalWords kGainWords = {"gain", "gain", "more", "up", "positive"};
constexpr TGoalWords kLoseWords = {"lose", "loss", "less", "down", "negative"};

const TGoalWords& WordsOf(TWeightGoalType type) {
  return type == TWeightGoalType::Gain ? kGainWords : kLoseWords;
}

constexpr const char* kNutritionPlanAdvice =
    "Please, examine the \"Nutrition Plan\" panel of the Main screen and Nutrition screen every "
    "day to see how your calorie budget changes over time.";

}  // namespace

TDateTime AddMonths(TDateTime day, int months) {
  using namespace std::chrono;
  const TYearMonthDay ymd = DecodeDate(day);
  const year_month later =
      year_month{year{ymd.year}, month{ymd.month}} + std::chrono::months{months};
  const unsigned lastDay = static_cast<unsigned>(year_month_day_last{later / last}.day());
  return EncodeDate(static_cast<int>(later.year()), static_cast<unsigned>(later.month()),
                    std::min(ymd.day, lastDay));
}

TWeightGoalType GoalTypeForTarget(double targetKg, double presentKg) {
  return targetKg > presentKg ? TWeightGoalType::Gain : TWeightGoalType::Lose;
}

TWeightChangePlan PlanWeightChange(Extended presentKg, Extended targetKg,
                                   Extended maintenanceIntake, TDateTime today,
                                   TDateTime targetDate) {
  TWeightChangePlan plan;
  // A target date of today or earlier is refused before this; should one come
  // through, the whole way is one day's.
  plan.days = std::max(1, static_cast<int>(DayOf(targetDate) - DayOf(today)) + 1);
  plan.balance = (targetKg - presentKg) / plan.days * Extended{kGoalCaloriesPerKilogram};
  plan.weeklyChange = std::fabs(plan.balance * 7 / Extended{kGoalCaloriesPerKilogram});
  plan.intake = maintenanceIntake + plan.balance;
  return plan;
}

std::string MaintenanceDescription(const TConfigurator& config, const std::string& name,
                                   double presentKg, Extended intake) {
  const std::string unit = WeightUnit(config);
  return name + ",\nto maintain your current weight of " +
         FormatNumber(config, KgToShown(config, presentKg), 3) + " " + unit +
         ", your goal is an average daily calorie balance of 0 calories(eat as much as you "
         "burn). At your current physical profile you need to eat " +
         FormatNumber(config, static_cast<double>(intake), 0) +
         " calories a day. If you under or overeat, or engage in more physical activities "
         "Korvela will correct your target calorie balance and calorie budget DAILY.\n" +
         kNutritionPlanAdvice;
}

std::string WeightChangeDescription(const TConfigurator& config, const std::string& name,
                                    TWeightGoalType type, double presentKg, double targetKg,
                                    TDateTime targetDate, const TWeightChangePlan& plan) {
  const TGoalWords& w = WordsOf(type);
  const std::string unit = WeightUnit(config);
  const std::string comparative = w.comparative;
  const std::string verb = w.verb;
  const std::string balance = FormatNumber(config, static_cast<double>(std::fabs(plan.balance)), 0);
  return name + ",\nto reach your goal weight of " +
         FormatNumber(config, KgToShown(config, targetKg), 2) + " " + unit + " on " +
         ShortDateText(targetDate) + " you need to " + verb + " " +
         FormatNumber(config, KgToShown(config, std::fabs(targetKg - presentKg)), 2) + " " + unit +
         "(" + FormatNumber(config, KgToShown(config, static_cast<double>(plan.weeklyChange)), 2) +
         " " + unit + " per week)." + " You need to shoot for an average " + w.sign +
         " daily calorie balance of " + balance + " calories(" + "eat " + balance + " calories " +
         comparative + " than you burn EVERY DAY). " +
         "At your current physical profile you need to start eating " +
         FormatNumber(config, static_cast<double>(plan.intake), 0) + " calories a day. " +
         "As you " + verb + " weight your calorie expenditure goes " + w.direction +
         " and Korvela will make DAILY adjustments to your calorie budget(this means " +
         "you will have to eat " + comparative + " and " + comparative + " calories as you " +
         verb + " weight to keep the same rate of weight " + w.noun + "). " +
         "If you under or overeat, or engage in more physical activities Korvela will adjust "
         "your target calorie balance and calorie budget daily.\n" +
         kNutritionPlanAdvice + " Korvela " +
         "will predict your bodyweight changes every day(thus making the necessary changes to "
         "your budget DAILY) and ask you periodically to report your bodyweight to further make "
         "corrections and safeguard the achievement of your goals.";
}

std::string WeightChangeChartTitle(const TConfigurator& config, TWeightGoalType type,
                                   const TWeightChangePlan& plan) {
  return std::string("Average ") + WordsOf(type).noun + " " +
         FormatNumber(config, KgToShown(config, static_cast<double>(plan.weeklyChange)), 2) + " " +
         WeightUnit(config) + " per week.";
}

std::string WeightAxisSuffix(const TConfigurator& config) {
  return std::string(" ") + WeightUnit(config);
}

TWeightGoalSetting::TWeightGoalSetting(TEnergyModel& model, TDayRecordStore& records,
                                       const TUser& user, const TConfigurator& config)
    : model_(model),
      records_(records),
      user_(user),
      config_(config),
      today_(model.Today()),
      present_(static_cast<double>(model.CurrentProjectedWeight())) {}

TWeightGoalOpening TWeightGoalSetting::Opening() {
  TWeightGoalOpening opening;
  const double shownPresent = KgToShown(config_, present_);
  opening.arrow = {today_, shownPresent, AddMonths(today_, 1), shownPresent};
  const TWeightGoalRef goal = ActiveWeightGoal(records_, today_);
  if (!goal) {
    opening.type = TWeightGoalType::Maintain;
    opening.targetDate = today_ + kDefaultGoalDays;
    return opening;
  }
  const TWeightGoalStat& g = *goal.goal;
  opening.type = g.WeightGoalType;
  opening.calculate = true;
  if (g.TargetDate == 0) {
    opening.targetDate = today_ + kDefaultGoalDays;
    return opening;
  }
  // A goal that ends today is shown ending tomorrow, a date the dialog accepts.
  const TDateTime target = DayOf(g.TargetDate);
  opening.targetDate = target == today_ ? target + 1 : target;
  opening.targetWeight = g.TargetWeight;
  opening.arrow.toDate = opening.targetDate;
  opening.arrow.toWeight = KgToShown(config_, g.TargetWeight);
  return opening;
}

Extended TWeightGoalSetting::MaintenanceIntake() {
  const bool female = user_.UserSex == TSex::Female;
  const Extended weight = present_;
  const Extended factor = TEnergyModel::MetabolicFactor(
      female, model_.UnderfeedingAdaptation(today_),
      static_cast<float>(model_.BodyFatOnDay(today_)), user_.UserHeight, weight);
  return factor * TEnergyModel::MifflinRmr(user_.AgeOn(today_), female, weight, user_.UserHeight) *
         Extended{model_.CurrentActivityCoefficient} / 0.9L;
}

std::optional<std::string> TWeightGoalSetting::CheckTargetDate(TWeightGoalType type,
                                                               TDateTime targetDate) const {
  if (type == TWeightGoalType::Maintain) return std::nullopt;
  if (DayOf(targetDate) <= today_) return std::string(kMsgTargetDateInFuture);
  return std::nullopt;
}

TWeightGoalCalculation TWeightGoalSetting::Calculate(TWeightGoalType type, double targetKg,
                                                     TDateTime targetDate) {
  TWeightGoalCalculation result;
  const double shownPresent = KgToShown(config_, present_);
  const Extended maintenance = MaintenanceIntake();
  if (type == TWeightGoalType::Maintain || type == TWeightGoalType::None) {
    result.description = MaintenanceDescription(config_, user_.UserName, present_, maintenance);
    result.chartTitle = kBodyweightChartTitle;
    result.arrow = {today_, shownPresent, AddMonths(today_, 1), shownPresent};
    return result;
  }
  const TDateTime target = DayOf(targetDate);
  const TWeightChangePlan plan = PlanWeightChange(present_, targetKg, maintenance, today_, target);
  result.description =
      WeightChangeDescription(config_, user_.UserName, type, present_, targetKg, target, plan);
  result.chartTitle = WeightChangeChartTitle(config_, type, plan);
  result.arrow = {today_, shownPresent, target, KgToShown(config_, targetKg)};
  return result;
}

void TWeightGoalSetting::Adopt(TWeightGoalType type, double targetKg, TDateTime targetDate) {
  TDBC& entry = records_.GetOrCreateDayRecord(kWeightGoalStatKind, today_);
  TWeightGoalStat& goal = records_.Loaded<TWeightGoalStat>(entry);
  goal.WeightGoalType = type;
  if (type == TWeightGoalType::Maintain) {
    goal.TargetWeight = present_;
    goal.TargetDate = 0;
  } else {
    goal.TargetWeight = targetKg;
    goal.TargetDate = DayOf(targetDate);
  }
  records_.SaveDayRecord(entry);
  records_.FlushDayRecordFile(entry);
}

}  // namespace korvela
