#include "energy/weigh_in.h"

#include <cmath>

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// Calories per kilogram of bodyweight change used when weigh-ins are compared
// with logged balances (the daily projection uses 7700).
constexpr Extended kReadjustCaloriesPerKg = 7500;
constexpr float kLowestCoefficient = 1.2F;
constexpr float kHighestCoefficient = 3.0F;
// Whole days that must lie between two weigh-ins before the coefficient moves.
constexpr int kDaysBeforeReadjusting = 4;

// The largest step one weigh-in may take for each accuracy answer.
Extended StepLimit(TLogAccuracy accuracy) {
  return accuracy == TLogAccuracy::Precise ? 0.25L : 0.1L;
}

std::string DaysText(int days) { return std::to_string(days) + (days == 1 ? " day" : " days"); }

}  // namespace

std::optional<std::string> WeighInMessage(const TWeighInOutcome& outcome) {
  const std::string kept =
      "Your weigh-in is stored. Korvela has kept its calorie coefficients as they were: ";
  switch (outcome.readjustment) {
    case TReadjustment::Readjusted:
      return std::string(kMsgReadjusted);
    case TReadjustment::Restarted:
      return std::nullopt;
    case TReadjustment::TooFewDays:
      return kept +
             (outcome.days == 0
                  ? std::string("your previous weigh-in was today.")
                  : "your previous weigh-in was only " + DaysText(outcome.days) + " ago.") +
             "\nThey are readjusted when at least " + DaysText(kDaysBeforeReadjusting + 1) +
             " lie between two weigh-ins and food is logged in between.";
    case TReadjustment::NoFoodLogged:
      return kept + "no food was logged in the " + DaysText(outcome.days) +
             " since your previous weigh-in.\nThey are readjusted from the calories you log "
             "between two weigh-ins.";
    case TReadjustment::AtLimit:
      return kept + "the activity coefficient is already at its limit.";
    case TReadjustment::Agrees:
      return kept +
             "your weight is what the calories logged since your previous weigh-in "
             "predicted.";
  }
  return std::nullopt;
}

std::optional<float> ReadBodyFatField(const TConfigurator& config, const std::string& text) {
  if (text == kIDontKnow) return -1.0F;
  try {
    const double value = ParseNumber(config, text);
    if (value >= 1 && value <= 60) return static_cast<float>(value);
  } catch (const EConvertError&) {
  }
  return std::nullopt;
}

TWeighInOutcome WeighIn(TEnergyModel& model, TDayRecordStore& records, const TUser& user,
                        double weightKg, float bodyFat, TLogAccuracy accuracy,
                        std::optional<TDateTime> day) {
  const TDateTime today = day ? DayOf(*day) : model.Today();
  auto calOf = [&records](TDateTime d) -> TDBC& {
    return records.GetOrCreateDayRecord(kCalStatKind, d);
  };

  // The day's projected weight must exist before anything is compared with it.
  if (today == model.Today()) {
    model.CheckTodayProjection();
    if (records.Loaded<TCalStat>(calOf(today)).PW == -1) model.CheckTodayProjection();
  } else if (records.Loaded<TCalStat>(calOf(today)).PW == -1) {
    model.ProjectWeights(today, today);
  }

  // A second weigh-in today compares with the weigh-in before the first one:
  // today's is set aside (its stored record is overwritten below).
  const auto& weighIns = records.List(kWeightStatKind);
  if (weighIns.size() > 1 && weighIns.back()->Date == today) {
    records.ForgetDayRecord(kWeightStatKind, today);
    TDBC& latest = *records.List(kWeightStatKind).back();
    model.LastWeighInWeight = records.Loaded<TWeightStat>(latest).W;
    model.CurrentActivityCoefficient = records.Loaded<TCalStat>(calOf(latest.Date)).AC;
    model.ProjectWeights(today, today);
  }
  const TDateTime referenceDay = model.LatestWeighInDay();
  const Extended referenceWeight = model.LastWeighInWeight;

  TWeighInOutcome outcome;
  float coefficient = records.Loaded<TCalStat>(calOf(referenceDay)).AC;
  outcome.referenceDay = referenceDay;
  outcome.days = static_cast<int>(std::floor(today - referenceDay));
  outcome.coefficientBefore = coefficient;
  outcome.readjustment = TReadjustment::TooFewDays;
  if (today - referenceDay > kDaysBeforeReadjusting) {
    Extended restingSum = 0, expenditureSum = 0, eatenSum = 0;
    int reportedDays = 0;
    for (TDateTime d = referenceDay; d < today; ++d) {
      TCalStat& day = records.Loaded<TCalStat>(calOf(d));
      const Extended resting = model.RestingMetabolicRate(day);
      // A day of the window always has a weight; an unknown rate would only
      // distort the sum.
      if (resting != -1) restingSum += resting;
      const Extended eaten = EatenCalories(day);
      if (eaten == 0) continue;
      ++reportedDays;
      expenditureSum += model.TotalDailyExpenditure(day);
      eatenSum += eaten;
    }
    outcome.reportedDays = reportedDays;
    outcome.readjustment = TReadjustment::NoFoodLogged;
    if (reportedDays > 0 && restingSum > 0) {
      // The balance that happened against the balance the model predicted on
      // the reported days, spread over the resting rates of the period.
      const Extended found =
          -((weightKg - referenceWeight) * kReadjustCaloriesPerKg - (eatenSum - expenditureSum)) /
          restingSum;
      Extended step = found;
      if (coefficient + step < kLowestCoefficient) step = kLowestCoefficient - coefficient;
      if (coefficient + step > kHighestCoefficient) step = kHighestCoefficient - coefficient;
      if (accuracy != TLogAccuracy::Misreported && std::fabs(step) > StepLimit(accuracy))
        step = std::copysign(StepLimit(accuracy), step);
      coefficient = static_cast<float>(coefficient + step);
      if (coefficient != outcome.coefficientBefore) {
        outcome.readjustment = TReadjustment::Readjusted;
      } else {
        outcome.readjustment =
            static_cast<float>(outcome.coefficientBefore + found) == outcome.coefficientBefore
                ? TReadjustment::Agrees
                : TReadjustment::AtLimit;
      }
    }
  }
  if (accuracy == TLogAccuracy::Misreported) {
    coefficient = TEnergyModel::DefaultActivityCoefficient(user.UserSex == TSex::Female,
                                                           user.UserActivityLevel);
    outcome.readjustment = TReadjustment::Restarted;
  }
  outcome.activityCoefficient = coefficient;
  outcome.readjusted = outcome.readjustment == TReadjustment::Readjusted;

  model.CurrentActivityCoefficient = coefficient;
  TDBC& todayCal = calOf(today);
  TCalStat& cal = records.Loaded<TCalStat>(todayCal);
  cal.PW = weightKg;
  cal.AC = coefficient;
  model.SaveCalRecord(todayCal);

  TDBC& todayWeight = records.GetOrCreateDayRecord(kWeightStatKind, today);
  TWeightStat& weighIn = records.Loaded<TWeightStat>(todayWeight);
  weighIn.W = weightKg;
  weighIn.BFP = bodyFat;
  records.SaveDayRecord(todayWeight);
  records.FlushDayRecords();

  model.RestartEnergyModel();
  if (today < model.Today()) {
    // The days after a past weigh-in still carry weights projected from the
    // anchor before it.
    model.ProjectWeights(today + 1, model.Today());
    records.FlushDayRecords();
  }
  model.ClearFlags();
  return outcome;
}

}  // namespace korvela
