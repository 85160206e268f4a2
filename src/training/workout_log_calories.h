#pragma once
#include <cstdint>
#include <optional>

#include "energy/energy_model.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "training/workout.h"

namespace korvela {

class TExerciseDictionary;

// Where a saved workout log lies: its day and its position in the day's list
// (from 1), which is also the Type of its entry in the day's calorie record.
struct TWorkoutPlace {
  TDateTime Day = -1;
  std::int32_t Position = 0;
};

// Saves a workout log: the copy stored at `old` (when given) goes with its
// calorie entry, the entries of the later workouts of that day move up by
// one, and the log is appended to its (possibly new) day with an entry of
// its name, time, MET and minutes in that day's calorie record. Returns where
// it now lies.
TWorkoutPlace SaveWorkoutLog(TDayRecordStore& store, TEnergyModel& model,
                             const TExerciseDictionary& dictionary, const TWorkout& workout,
                             std::optional<TWorkoutPlace> old);

// Deletes the stored workout log at `place` with its calorie entry and
// renumbers the entries of the day's later workouts.
void DeleteWorkoutLog(TDayRecordStore& store, TEnergyModel& model, TWorkoutPlace place);

}  // namespace korvela
