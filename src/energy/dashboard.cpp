#include "energy/dashboard.h"

#include <cmath>
#include <tuple>

#include "energy/cal_stat.h"
#include "energy/goals.h"
#include "storage/text_helpers.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr Extended kActiveZoneRatio = 1.75L;

void FillBalance(TCalorieBalancePanel& panel, TEnergyModel& model, TCalStat* day,
                 const TConfigurator& config) {
  const auto number = [&](Extended value) {
    return FormatNumber(config, static_cast<double>(value), 0);
  };
  const auto known = [&](Extended value) { return value == -1 ? kNotAvailable : number(value); };
  if (!day) {
    panel.eaten = kNotReported;
    panel.thermicEffect = panel.restingRate = panel.physicalActivity = panel.exercise =
        panel.expenditure = kNoRecord;
    panel.balance = kNoRecord;
    panel.balanceColour = TEmphasis::Blue;
    panel.balanceUnitShown = false;
    return;
  }
  const Extended eaten = EatenCalories(*day);
  const Extended expenditure = model.TotalDailyExpenditure(*day);
  panel.eaten = eaten > 0 ? number(eaten) : kNotReported;
  panel.thermicEffect = number(model.ThermicEffectOfFood(*day));
  panel.restingRate = known(model.RestingMetabolicRate(*day));
  panel.physicalActivity = known(model.DailyPhysicalActivity(*day));
  panel.exercise = number(model.ExerciseCalories(*day));
  panel.expenditure = known(expenditure);
  panel.balanceUnitShown = true;
  if (eaten <= 0) {
    panel.balance = "(assumed) 0";
    panel.balanceColour = TEmphasis::Red;
  } else if (expenditure == -1) {
    panel.balance = kNotAvailable;
    panel.balanceColour = TEmphasis::Blue;
    panel.balanceUnitShown = false;
  } else {
    std::tie(panel.balance, panel.balanceColour) =
        BalanceText(model.CalorieBalance(*day), config);
  }
}

void FillComposition(TCompositionPanel& panel, const TCalStat* day, const TConfigurator& config) {
  const bool pounds = !config.MetricSystem();
  panel.perWeightTitle = pounds ? "gr. per lbs" : "gr. per kg";
  const Extended eaten = day ? EatenCalories(*day) : 0;
  if (!day || eaten <= 0) {
    for (auto& row : panel.cells) row.fill(kNoRecord);
    return;
  }
  const struct {
    double grams;
    int caloriesPerGram;
  } rows[] = {{day->P, 4}, {day->F, 9}, {day->C, 4}};
  for (std::size_t i = 0; i < 3; ++i) {
    const double grams = rows[i].grams;
    const Extended calories = grams * rows[i].caloriesPerGram;
    auto& cells = panel.cells[i];
    cells[0] = FormatNumber(config, grams, 0) + " gr";
    cells[1] = FormatNumber(config, static_cast<double>(calories), 0);
    cells[2] = FormatNumber(config, static_cast<double>(calories / eaten * 100), 0) + "%";
    if (day->PW > 0) {
      double perWeight = grams / day->PW;
      if (pounds) perWeight /= kPoundsPerKg;
      cells[3] = FormatNumber(config, perWeight, 1) + " gr";
    } else {
      cells[3] = kNoRecord;
    }
  }
}

void FillZone(TActivityZonePanel& panel, TEnergyModel& model, TCalStat* day,
              const TConfigurator& config) {
  panel.lineShown = {true, false, false};
  panel.pointerShown = false;
  panel.lines = {kNoZoneInformation, "", ""};
  if (!day) return;
  const Extended resting = model.RestingMetabolicRate(*day);
  const Extended expenditure = model.TotalDailyExpenditure(*day);
  if (resting == -1 || expenditure == -1) return;
  const Extended activity = (expenditure - model.ThermicEffectOfFood(*day)) * 1.1L;
  panel = ActivityZone(resting, activity, config);
}

void FillWeight(TWeightProfilePanel& panel, TEnergyModel& model, TDayRecordStore& records,
                TDateTime selected, const TCalStat* day, const TConfigurator& config) {
  const auto weight = [&](double kg) {
    return FormatNumber(config, KgToShown(config, kg), 2) + " " + WeightUnit(config);
  };
  const Extended last = model.LatestWeighInWeight();
  panel.lastWeighIn = last == -1 ? kNotAvailable : weight(static_cast<double>(last));
  panel.projectedWeight = (!day || day->PW == -1) ? kNotAvailable : weight(day->PW);
  panel.targetWeight = panel.targetDate = panel.remaining = kNotSet;
  const TWeightGoalRef goal = ActiveWeightGoal(records, model.Today());
  if (!goal || !AppliesTo(goal, selected)) return;
  panel.targetWeight = weight(goal.goal->TargetWeight);
  if (goal.goal->WeightGoalType == TWeightGoalType::Maintain) {
    panel.targetDate = panel.remaining = "";
    return;
  }
  panel.targetDate = ShortDateText(goal.goal->TargetDate);
  panel.remaining =
      std::to_string(static_cast<int>(std::floor(std::fabs(goal.goal->TargetDate - selected)))) +
      " days";
}

}  // namespace

std::pair<std::string, TEmphasis> BalanceText(Extended balance, const TConfigurator& config) {
  const std::string number = FormatNumber(config, static_cast<double>(balance), 0);
  if (balance >= 0) return {"+" + number, TEmphasis::Blue};
  return {"(" + number + ")", TEmphasis::Red};
}

TActivityZonePanel ActivityZone(Extended resting, Extended activity, const TConfigurator& config) {
  TActivityZonePanel panel;
  const Extended ratio = activity / resting;
  if (ratio >= kActiveZoneRatio) {
    panel.lines = {"You are in the Active Zone!", "", ""};
    panel.lineShown = {true, false, false};
  } else {
    const Extended missing = resting * kActiveZoneRatio - activity;
    panel.lines = {"You are in the Inactive Zone!", "To enter the Active Zone you need to",
                   "burn " + FormatNumber(config, static_cast<double>(missing), 0) +
                       " additional calories this day"};
    panel.lineShown = {true, true, true};
  }
  panel.pointerShown = true;
  panel.pointer = ZonePointer(ratio);
  return panel;
}

int ZonePointer(Extended ratio) {
  if (ratio < 1) return 16;
  if (ratio > 2.5L) return 224;
  return static_cast<int>(std::floor((ratio - 1) * 208 / 1.5L + 16));
}

std::string DashboardDateText(TDateTime day) {
  const TYearMonthDay d = DecodeDate(day);
  return std::to_string(d.day) + " " + kMonthNames[d.month - 1] + ", " + std::to_string(d.year);
}

TDashboardView CalendarChange(TDateTime day, TEnergyModel& model, TDayRecordStore& records,
                              const TConfigurator& config) {
  day = DayOf(day);
  model.CheckTodayProjection();
  TDashboardView view;
  view.longHeading = DashboardDateText(day);
  view.shortHeading = ShortDateText(day);
  TDBC* entry = records.FindDayRecord(kCalStatKind, day);
  TCalStat* cal = entry ? &records.Loaded<TCalStat>(*entry) : nullptr;
  FillBalance(view.balance, model, cal, config);
  FillComposition(view.composition, cal, config);
  FillZone(view.zone, model, cal, config);
  FillWeight(view.weight, model, records, day, cal, config);
  TNutrientTotals totals;
  if (cal) totals = {cal->P, cal->F, cal->C, cal->A};
  view.plan = NutritionPlan(model, records, config, day, totals, cal);
  if (model.WeightDriftFlag && !model.WeighInPromptShown) {
    model.WeighInPromptShown = true;
    view.askForWeighIn = true;
  }
  return view;
}

}  // namespace korvela
