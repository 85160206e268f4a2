#include "energy/goals.h"

#include <algorithm>

namespace korvela {
namespace {

// The entry of a kind dated on or before the day, the latest of them.
TDBC* LatestOnOrBefore(TDayRecordStore& records, std::int32_t kind, TDateTime day) {
  const auto& list = records.List(kind);
  const TDateTime d = DayOf(day);
  const auto after = std::upper_bound(list.begin(), list.end(), d,
                                      [](TDateTime t, const auto& e) { return t < e->Date; });
  return after == list.begin() ? nullptr : std::prev(after)->get();
}

}  // namespace

TDietCompStat* GoverningDietComp(TDayRecordStore& records, TDateTime day) {
  TDBC* entry = LatestOnOrBefore(records, kDietCompStatKind, day);
  return entry ? &records.Loaded<TDietCompStat>(*entry) : nullptr;
}

TDietCompStat* LatestDietComp(TDayRecordStore& records) {
  const auto& list = records.List(kDietCompStatKind);
  return list.empty() ? nullptr : &records.Loaded<TDietCompStat>(*list.back());
}

TWeightGoalRef CurrentWeightGoal(TDayRecordStore& records, TDateTime today) {
  TDBC* entry = LatestOnOrBefore(records, kWeightGoalStatKind, today);
  if (!entry) return {};
  return {&records.Loaded<TWeightGoalStat>(*entry), entry->Date};
}

bool IsActive(const TWeightGoalStat& goal, TDateTime today) {
  if (goal.WeightGoalType == TWeightGoalType::None) return false;
  return goal.WeightGoalType == TWeightGoalType::Maintain || DayOf(goal.TargetDate) >= DayOf(today);
}

TWeightGoalRef ActiveWeightGoal(TDayRecordStore& records, TDateTime today) {
  const TWeightGoalRef goal = CurrentWeightGoal(records, today);
  return goal && IsActive(*goal.goal, today) ? goal : TWeightGoalRef{};
}

bool AppliesTo(const TWeightGoalRef& goal, TDateTime day) {
  if (!goal) return false;
  const TDateTime d = DayOf(day);
  if (d < goal.setOn) return false;
  return goal.goal->WeightGoalType == TWeightGoalType::Maintain ||
         d <= DayOf(goal.goal->TargetDate);
}

}  // namespace korvela
