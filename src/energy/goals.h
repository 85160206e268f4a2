#pragma once
#include "energy/goal_records.h"
#include "storage/date_time.h"
#include "storage/day_records.h"

namespace korvela {

// Which goal records govern a day. Goals are never edited for past days:
// adopting one writes the record of the day it is adopted, so the records of
// a kind, in date order, are the history of the user's goals.

// The diet composition of a day: the latest record on or before the day
// (days after today included); none before the first one.
TDietCompStat* GoverningDietComp(TDayRecordStore& records, TDateTime day);
// The latest diet composition of all, whatever its day.
TDietCompStat* LatestDietComp(TDayRecordStore& records);

// A weight goal with the day it was set.
struct TWeightGoalRef {
  TWeightGoalStat* goal = nullptr;
  TDateTime setOn = 0;
  explicit operator bool() const { return goal != nullptr; }
};

// The current weight goal: the latest set on or before today, active or not.
TWeightGoalRef CurrentWeightGoal(TDayRecordStore& records, TDateTime today);
// A maintenance goal stays active; another one until its target date passes.
bool IsActive(const TWeightGoalStat& goal, TDateTime today);
// The current goal when it is active, else none.
TWeightGoalRef ActiveWeightGoal(TDayRecordStore& records, TDateTime today);
// From the day it was set on and, unless it is a maintenance goal, through its
// target date.
bool AppliesTo(const TWeightGoalRef& goal, TDateTime day);

}  // namespace korvela
