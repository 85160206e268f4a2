#include "energy/energy_model.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include "storage/errors.h"

namespace korvela {
namespace {

// One kilogram of bodyweight in the daily projection, in calories.
constexpr Extended kCaloriesPerKilogram = 7700;
// METs of sitting still: every minute of the day already carries them through
// the activity coefficient. Compared at the width of the MET field, so that an
// entry of exactly 1.2 adds nothing.
constexpr float kRestingMets = 1.2f;
constexpr Extended kMinutesPerDay = 1440;

// The share of the resting rate lost for one underfed day with E calories
// eaten (E != 0). The steps meet at 900, 1000 and 1100; at 1200 the loss
// drops from 5/300 to nothing, below 800 it jumps from 15/300 to 20/300.
Extended UnderfeedingReduction(Extended eaten) {
  if (eaten < 800) return 1.0L / 15;
  if (eaten <= 900) return ((900 - eaten) / 25 + 11) / 300;
  if (eaten <= 1000) return ((1000 - eaten) / 33 + 8) / 300;
  if (eaten <= 1100) return ((1100 - eaten) / 50 + 6) / 300;
  if (eaten <= 1200) return ((1200 - eaten) / 100 + 5) / 300;
  return 0;
}

// The same day of the month `months` calendar months earlier; a day that
// month does not have becomes its last day.
TDateTime MonthsBefore(TDateTime day, int months) {
  using namespace std::chrono;
  const TYearMonthDay ymd = DecodeDate(day);
  const year_month earlier =
      year_month{year{ymd.year}, month{ymd.month}} - std::chrono::months{months};
  const unsigned lastDay = static_cast<unsigned>(year_month_day_last{earlier / last}.day());
  return EncodeDate(static_cast<int>(earlier.year()), static_cast<unsigned>(earlier.month()),
                    std::min(ymd.day, lastDay));
}

}  // namespace

Extended EatenCalories(const TCalStat& day) {
  return 4 * (Extended{day.P} + day.C) + 9 * Extended{day.F} + 7 * Extended{day.A};
}

TEnergyModel::TEnergyModel(TDayRecordStore& records, const TUser& user, const TClock& clock)
    : records_(records), user_(user), clock_(clock) {}

void TEnergyModel::ClearFlags() {
  WeightDriftFlag = false;
  WeighInPromptShown = false;
}

Extended TEnergyModel::MifflinRmr(int age, bool female, Extended weight, Extended height) {
  const Extended rate = 9.99L * weight + 6.25L * height - 4.92L * age;
  return female ? rate - 161 : rate + 5;
}

Extended TEnergyModel::ReferenceWeight(bool female, Extended height) {
  const Extended metres = height / 100;
  return metres * metres * (female ? 22 : 24);
}

Extended TEnergyModel::MetabolicFactor(bool female, Extended adaptation, float bodyFat,
                                       Extended height, Extended weight) {
  const Extended reference = ReferenceWeight(female, height);
  const Extended distance = (reference - weight) * (reference - weight) * 0.000125L;
  Extended factor = weight > reference ? adaptation + distance : adaptation - distance;
  if (bodyFat == -1) return factor;

  // Lean bodies below 12 % (men) or 18 % (women) burn less than their weight
  // suggests.
  const Extended fat = bodyFat;
  Extended leanness = 1;
  if (!female && fat < 12) leanness = 1 - (12 - fat) * (12 - fat) * 0.0025L;
  if (female && fat < 18) leanness = 1 - (18 - fat) * (18 - fat) * 0.001736L;
  factor *= leanness;
  return std::clamp(factor, 0.66L, 1.5L);
}

float TEnergyModel::DefaultActivityCoefficient(bool female, int activityLevel) {
  static constexpr float kMen[3] = {1.395f, 1.602f, 1.89f};
  static constexpr float kWomen[3] = {1.404f, 1.476f, 1.638f};
  const auto level = static_cast<std::size_t>(std::clamp(activityLevel, 0, 2));
  return female ? kWomen[level] : kMen[level];
}

TDBC* TEnergyModel::LatestWeighIn() const {
  const auto& weighIns = records_.List(kWeightStatKind);
  return weighIns.empty() ? nullptr : weighIns.back().get();
}

TDateTime TEnergyModel::LatestWeighInDay() const {
  const TDBC* latest = LatestWeighIn();
  return latest ? latest->Date : -1;
}

TCalStat& TEnergyModel::CalOf(TDateTime day) {
  return Cal(records_.GetOrCreateDayRecord(kCalStatKind, day));
}

TDateTime TEnergyModel::DayOfRecord(const TCalStat& day) const {
  if (!day.Owner) throw EInternalError("a calorie record without a day");
  return day.Owner->Date;
}

Extended TEnergyModel::UnderfeedingAdaptation(TDateTime day) {
  const TDateTime d = DayOf(day);
  Extended adaptation = 1;
  for (int back = 1; back <= 3; ++back) {
    // Only records that exist count; a day with nothing eaten was not reported.
    TDBC* entry = records_.FindDayRecord(kCalStatKind, d - back);
    if (!entry) continue;
    const Extended eaten = EatenCalories(Cal(*entry));
    if (eaten != 0) adaptation -= UnderfeedingReduction(eaten);
  }
  return adaptation;
}

Extended TEnergyModel::BodyFatOnDay(TDateTime day) {
  const TDateTime d = DayOf(day);
  if (d > Today()) return -1;
  // The governing weigh-in is the latest on or before the day; an older one's
  // body fat is never used in its place.
  const auto& weighIns = records_.List(kWeightStatKind);
  const auto after = std::upper_bound(weighIns.begin(), weighIns.end(), d,
                                      [](TDateTime t, const auto& e) { return t < e->Date; });
  if (after == weighIns.begin()) return -1;
  const TWeightStat& weighIn = records_.Loaded<TWeightStat>(**std::prev(after));
  const TCalStat& cal = CalOf(d);
  if (weighIn.BFP == -1 || cal.PW == -1) return -1;

  // The weight gained or lost since the weigh-in is a third lean, two thirds
  // fat (the shares are as measured and do not add up to exactly 1).
  const Extended weight = weighIn.W;
  const Extended change = Extended{cal.PW} - weight;
  Extended fat = Extended{weighIn.BFP} * weight / 100;
  Extended lean = weight - fat;
  lean += change * 0.333333L;
  fat += change * 0.67777777L;
  return fat / (fat + lean) * 100;
}

Extended TEnergyModel::FactorOf(TCalStat& day) {
  const TDateTime d = DayOfRecord(day);
  return MetabolicFactor(Female(), UnderfeedingAdaptation(d), static_cast<float>(BodyFatOnDay(d)),
                         user_.UserHeight, day.PW);
}

Extended TEnergyModel::RestingMetabolicRate(TCalStat& day) {
  if (day.PW == -1) return -1;
  return MifflinRmr(user_.AgeOn(DayOfRecord(day)), Female(), day.PW, user_.UserHeight) *
         FactorOf(day);
}

Extended TEnergyModel::ThermicEffectOfFood(TCalStat& day) {
  const Extended thermic = EatenCalories(day) / 10;
  return day.PW == -1 ? thermic : thermic * FactorOf(day);
}

Extended TEnergyModel::DailyPhysicalActivity(TCalStat& day) {
  if (day.PW == -1 || day.AC == 0) return -1;
  if (day.AC < 1) return 0;
  return RestingMetabolicRate(day) * (Extended{day.AC} - 1);
}

Extended TEnergyModel::ExerciseMets(const TCalStat& day) const {
  // MET-minutes above rest.
  Extended sum = 0;
  for (const TSECERec& entry : day.Entries)
    if (entry.MET > kRestingMets)
      sum += static_cast<Extended>(entry.Dur) * (Extended{entry.MET} - Extended{kRestingMets});
  return sum;
}

Extended TEnergyModel::ExerciseCalories(TCalStat& day) {
  const Extended rate = RestingMetabolicRate(day);
  // Without a resting rate a MET-minute counts as one calorie.
  const Extended perMinute = rate == -1 ? 1 : rate / kMinutesPerDay;
  return perMinute * ExerciseMets(day);
}

Extended TEnergyModel::TotalDailyExpenditure(TCalStat& day) {
  if (day.PW == -1) return -1;
  if (day.AC == 0) {
    if (!InProjectionWindow(DayOfRecord(day))) return -1;
    day.AC = CurrentActivityCoefficient;
    // Saved directly: SaveCalRecord would evaluate this expenditure again.
    records_.SaveDayRecord(*day.Owner);
  }
  const Extended mifflin =
      MifflinRmr(user_.AgeOn(DayOfRecord(day)), Female(), day.PW, user_.UserHeight);
  const Extended sum = mifflin * Extended{day.AC} + EatenCalories(day) / 10 +
                       mifflin / kMinutesPerDay * ExerciseMets(day);
  return sum * FactorOf(day);
}

Extended TEnergyModel::CalorieBalance(TCalStat& day) {
  // A day without food reports is taken as balanced.
  const Extended eaten = EatenCalories(day);
  if (eaten == 0) return 0;
  const Extended expenditure = TotalDailyExpenditure(day);
  return expenditure == -1 ? 0 : eaten - expenditure;
}

bool TEnergyModel::InProjectionWindow(TDateTime day) {
  const TDateTime anchor = LatestWeighInDay();
  const TDateTime d = DayOf(day);
  return anchor != -1 && anchor <= d && d <= Today();
}

Extended TEnergyModel::RestingMetabolicRateOn(TDateTime day) {
  TDBC* entry = records_.FindDayRecord(kCalStatKind, day);
  return entry ? RestingMetabolicRate(Cal(*entry)) : -1;
}

Extended TEnergyModel::ActivityCoefficientOn(TDateTime day) {
  TDBC* entry = records_.FindDayRecord(kCalStatKind, day);
  return entry ? Cal(*entry).AC : -1;
}

Extended TEnergyModel::RestingRateForDay(TDateTime day) {
  TDBC* entry = records_.FindDayRecord(kCalStatKind, day);
  if (entry && Cal(*entry).PW != -1) return RestingMetabolicRate(Cal(*entry));
  return CurrentRestingRate();
}

Extended TEnergyModel::LatestWeighInWeight() {
  TDBC* latest = LatestWeighIn();
  return latest ? records_.Loaded<TWeightStat>(*latest).W : -1;
}

Extended TEnergyModel::CurrentProjectedWeight() {
  const TDateTime today = Today();
  TCalStat& cal = CalOf(today);
  if (cal.PW == -1) {
    ProjectWeights(today, today);
    records_.FlushDayRecords();
  }
  return cal.PW != -1 ? cal.PW : LatestWeighInWeight();
}

Extended TEnergyModel::CurrentRestingRate() {
  const Extended weight = CurrentProjectedWeight();
  if (weight == -1) return -1;
  const TDateTime today = Today();
  return MifflinRmr(user_.AgeOn(today), Female(), weight, user_.UserHeight) *
         MetabolicFactor(Female(), UnderfeedingAdaptation(today),
                         static_cast<float>(BodyFatOnDay(today)), user_.UserHeight, weight);
}

bool TEnergyModel::Drifted(Extended weight) const {
  // 5 % or more away from the latest weigh-in. No weigh-in: no drift.
  return LastWeighInWeight > 0 &&
         std::fabs(LastWeighInWeight - weight) >= 0.05L * LastWeighInWeight;
}

void TEnergyModel::ProjectWeights(TDateTime first, TDateTime last) {
  const TDateTime from = DayOf(first);
  // Days after today stay unknown.
  const TDateTime through = std::min(DayOf(last), Today());
  if (!InProjectionWindow(from) || from > through) return;

  // The record the walk starts from: the weigh-in's own day, or the nearest
  // earlier day of the window that has a weight. Days in between are created
  // and filled by the walk. The walk never reaches back before the weigh-in.
  const TDateTime anchor = LatestWeighInDay();
  TDBC* previous = nullptr;
  if (from == anchor) {
    previous = records_.FindDayRecord(kCalStatKind, anchor);
  } else {
    for (TDateTime d = from - 1; d >= anchor && !previous; --d) {
      TDBC& entry = records_.GetOrCreateDayRecord(kCalStatKind, d);
      if (Cal(entry).PW != -1) previous = &entry;
    }
  }
  if (!previous || Cal(*previous).PW == -1) {
    // The weigh-in's own day may have no weight (a weigh-in imported as
    // history): the walk starts from the latest earlier day that has one.
    previous = nullptr;
    const auto& days = records_.List(kCalStatKind);
    for (auto it = days.rbegin(); it != days.rend() && !previous; ++it)
      if ((*it)->Date < from && Cal(**it).PW != -1) previous = it->get();
    if (!previous) return;
  }

  // Each day weighs what the day before weighed, moved by that day's balance:
  // a day's own food never changes its own weight.
  for (TDateTime d = previous->Date + 1; d <= through; ++d) {
    TCalStat& before = Cal(*previous);
    Extended weight = Extended{before.PW} + CalorieBalance(before) / kCaloriesPerKilogram;
    if (Drifted(weight)) {
      WeightDriftFlag = true;
      weight = weight >= LastWeighInWeight ? 1.05L * LastWeighInWeight : 0.95L * LastWeighInWeight;
    }
    TDBC& entry = records_.GetOrCreateDayRecord(kCalStatKind, d);
    Cal(entry).PW = static_cast<double>(weight);
    SaveCalRecord(entry);
    previous = &entry;
  }
}

void TEnergyModel::RestartEnergyModel() {
  const TDateTime today = Today();
  TDBC* latest = LatestWeighIn();
  LastWeighInWeight = latest ? records_.Loaded<TWeightStat>(*latest).W : -1;
  // The weigh-in's day always has a coefficient; should it have none, the
  // user's default stands in rather than a coefficient of 0.
  TDBC* weighInDay = latest ? records_.FindDayRecord(kCalStatKind, latest->Date) : nullptr;
  const float coefficient = weighInDay ? Cal(*weighInDay).AC : 0;
  CurrentActivityCoefficient = coefficient != 0
                                   ? coefficient
                                   : DefaultActivityCoefficient(Female(), user_.UserActivityLevel);

  ProjectWeights(today, today);

  // The dashboard and the graphs read the recent months; load them at once
  // rather than one by one.
  const TDateTime since = MonthsBefore(today, 2);
  const auto& days = records_.List(kCalStatKind);
  for (auto it = days.rbegin(); it != days.rend() && (*it)->Date >= since; ++it)
    records_.LoadDayRecord(**it);

  records_.FlushDayRecords();
}

void TEnergyModel::CheckTodayProjection() {
  const TDateTime today = Today();
  TDBC* entry = records_.FindDayRecord(kCalStatKind, today);
  if (entry && Cal(*entry).PW != -1) {
    if (Drifted(Cal(*entry).PW)) WeightDriftFlag = true;
    return;
  }
  ProjectWeights(today, today);
}

void TEnergyModel::StoreFoodTotals(TDateTime day, double protein, double fat, double carbohydrate,
                                   double alcohol) {
  TDBC& entry = records_.GetOrCreateDayRecord(kCalStatKind, day);
  TCalStat& cal = Cal(entry);
  cal.P = protein;
  cal.F = fat;
  cal.C = carbohydrate;
  cal.A = alcohol;
  SaveCalRecord(entry);
  if (InProjectionWindow(day)) ProjectWeights(DayOf(day) + 1, Today());
}

void TEnergyModel::ActivityLogSaved() {
  const TDateTime anchor = LatestWeighInDay();
  if (anchor != -1) ProjectWeights(anchor + 1, Today());
  records_.FlushDayRecords();
}

void TEnergyModel::SaveCalRecord(TDBC& entry) {
  if (entry.Kind != kCalStatKind)
    throw EInternalError("not a calorie record: kind " + std::to_string(entry.Kind));
  // The expenditure is evaluated immediately before the record is written:
  // a record of the projection window without an activity coefficient gets
  // the current one then, so that no record is stored inside the window
  // without a coefficient. Outside the window the record is left as it is.
  TotalDailyExpenditure(Cal(entry));
  records_.SaveDayRecord(entry);
}

}  // namespace korvela
