#pragma once
#include "energy/cal_stat.h"
#include "energy/extended.h"
#include "energy/weight_stat.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela {

// Calories of a day's nutrients: 4 per gram of protein and carbohydrate,
// 9 per gram of fat, 7 per gram of alcohol.
Extended EatenCalories(const TCalStat& day);

// The energy balance of the logged-in user, day by day, and the bodyweight it
// projects forward from the latest weigh-in.
//
// Units: kilograms, centimetres, kilocalories per day. Every result that
// cannot be computed is -1 (a calorie balance that cannot be computed is 0).
// Days are calendar days: the time of any date-time argument is ignored, and
// "today" is the injected clock's.
//
// A calorie record passed in must belong to the store (its owner gives its
// day). Operations on records may find or create the records of other days,
// and computing an expenditure may assign the record its activity
// coefficient and save it.
class TEnergyModel {
 public:
  TEnergyModel(TDayRecordStore& records, const TUser& user, const TClock& clock);
  TEnergyModel(const TEnergyModel&) = delete;
  TEnergyModel& operator=(const TEnergyModel&) = delete;

  // Model state, rebuilt by RestartEnergyModel.
  Extended LastWeighInWeight = -1;       // kg; -1 before the first restart or without a weigh-in
  float CurrentActivityCoefficient = 0;  // given to days of the window that have none
  // Today's projection is 5 % or more away from the latest weigh-in, or a
  // projection was held at that limit: the dashboard asks for a weigh-in.
  bool WeightDriftFlag = false;
  bool WeighInPromptShown = false;  // the dashboard has asked since the flags were cleared
  void ClearFlags();

  // Formulas of the model that need no records.
  // Mifflin-St Jeor, calories per day.
  static Extended MifflinRmr(int age, bool female, Extended weight, Extended height);
  // The weight (kg) at which a height carries no weight correction.
  static Extended ReferenceWeight(bool female, Extended height);
  // The correction of the Mifflin rate for underfeeding, distance from the
  // reference weight and, when bodyFat is not -1, leanness; only with a body
  // fat value is the factor held within 0.66 ... 1.5.
  static Extended MetabolicFactor(bool female, Extended adaptation, float bodyFat, Extended height,
                                  Extended weight);
  // By activity level 0 light, 1 moderate, 2 heavy; levels outside that range
  // count as the nearest one.
  static float DefaultActivityCoefficient(bool female, int activityLevel);

  // Figures of a day.
  // 1 less a share for each of the three days before that has food logged
  // below 1200 calories.
  Extended UnderfeedingAdaptation(TDateTime day);
  // The body fat of the weigh-in governing the day, moved along the day's
  // projected weight; -1 for a day after today, before the first weigh-in, or
  // when that weigh-in has no body fat.
  Extended BodyFatOnDay(TDateTime day);
  Extended RestingMetabolicRate(TCalStat& day);
  Extended ThermicEffectOfFood(TCalStat& day);
  // Non-exercise activity above the resting rate.
  Extended DailyPhysicalActivity(TCalStat& day);
  // Only the METs above 1.2 count: the 1.2 of every minute are in the
  // activity coefficient.
  Extended ExerciseCalories(TCalStat& day);
  // Assigns CurrentActivityCoefficient to a record of the projection window
  // that has none, and saves it.
  Extended TotalDailyExpenditure(TCalStat& day);
  // Eaten less expenditure; 0 when nothing is eaten or the expenditure is
  // unknown.
  Extended CalorieBalance(TCalStat& day);
  // From the latest weigh-in's day through today.
  bool InProjectionWindow(TDateTime day);
  Extended RestingMetabolicRateOn(TDateTime day);  // -1 when the day has no calorie record
  Extended ActivityCoefficientOn(TDateTime day);   // -1 when the day has no calorie record
  Extended RestingRateForDay(TDateTime day);

  // Today.
  Extended CurrentProjectedWeight();
  Extended LatestWeighInWeight();  // -1 without any weigh-in
  Extended CurrentRestingRate();

  // Projection.
  // Fills the projected weights of first ... last (never beyond today) from
  // the day before each, holding them within 5 % of the latest weigh-in.
  void ProjectWeights(TDateTime first, TDateTime last);
  void RestartEnergyModel();
  // Run before the dashboard shows today: raises the drift flag, or projects
  // today when it has no weight yet.
  void CheckTodayProjection();

  // The food log of a day was saved with these totals (grams): they replace
  // the record's and the days after it in the window are projected again.
  void StoreFoodTotals(TDateTime day, double protein, double fat, double carbohydrate,
                       double alcohol);
  // The activity log was saved: the whole window is projected again.
  void ActivityLogSaved();

  // Every save of a calorie record goes through here, never straight to the
  // store: the record's expenditure is evaluated first, which gives a record
  // of the projection window that has no activity coefficient the current
  // one. A record saved inside the window therefore always carries one.
  void SaveCalRecord(TDBC& entry);

  // The day of the latest weigh-in; -1 without any.
  TDateTime LatestWeighInDay() const;
  TDateTime Today() const { return clock_.Today(); }

 private:
  TDBC* LatestWeighIn() const;
  TCalStat& Cal(TDBC& entry) { return records_.Loaded<TCalStat>(entry); }
  TCalStat& CalOf(TDateTime day);  // found or created
  TDateTime DayOfRecord(const TCalStat& day) const;
  bool Female() const { return user_.UserSex == TSex::Female; }
  // The factor of a day's record at the record's projected weight.
  Extended FactorOf(TCalStat& day);
  Extended ExerciseMets(const TCalStat& day) const;
  bool Drifted(Extended weight) const;

  TDayRecordStore& records_;
  const TUser& user_;
  const TClock& clock_;
};

}  // namespace korvela
