#pragma once
#include <vector>

#include "energy/goal_records.h"
#include "energy_fixture.h"
#include "users/configurator.h"

namespace korvela::test {

// The energy fixture with the settings and helpers that store goals the way
// the goal dialogs leave them.
class GoalTest : public EnergyTest {
 protected:
  void PutDietComp(TDateTime day, std::vector<TDietConstraint> constraints) {
    TDBC& entry = store->GetOrCreateDayRecord(kDietCompStatKind, day);
    store->Loaded<TDietCompStat>(entry).Constraints = std::move(constraints);
    store->SaveDayRecord(entry);
  }

  void PutWeightGoal(TDateTime setOn, TWeightGoalType type, double targetWeight,
                     TDateTime targetDate) {
    TDBC& entry = store->GetOrCreateDayRecord(kWeightGoalStatKind, setOn);
    TWeightGoalStat& goal = store->Loaded<TWeightGoalStat>(entry);
    goal.WeightGoalType = type;
    goal.TargetWeight = targetWeight;
    goal.TargetDate = targetDate;
    store->SaveDayRecord(entry);
  }

  TConfigurator config;
};

}  // namespace korvela::test
