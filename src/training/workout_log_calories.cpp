#include "training/workout_log_calories.h"

#include <algorithm>

#include "energy/cal_stat.h"
#include "training/training_records.h"

namespace korvela {
namespace {

// Drops the calorie entry of the workout at `position` and renumbers the
// entries of the later ones.
void RemoveCalorieEntry(TDayRecordStore& store, TEnergyModel& model, TWorkoutPlace place) {
  TDBC* entry = store.FindDayRecord(kCalStatKind, DayOf(place.Day));
  if (!entry) return;
  TCalStat& cal = store.Loaded<TCalStat>(*entry);
  const auto it = std::find_if(cal.Entries.begin(), cal.Entries.end(),
                               [&](const TSECERec& e) { return e.Type == place.Position; });
  if (it != cal.Entries.end()) cal.Entries.erase(it);
  for (TSECERec& e : cal.Entries)
    if (e.Type > place.Position) --e.Type;
  model.SaveCalRecord(*entry);
}

void RemoveStored(TDayRecordStore& store, TEnergyModel& model, TWorkoutPlace place) {
  RemoveWorkoutLog(store, place.Day, place.Position);
  RemoveCalorieEntry(store, model, place);
}

}  // namespace

TWorkoutPlace SaveWorkoutLog(TDayRecordStore& store, TEnergyModel& model,
                             const TExerciseDictionary& dictionary, const TWorkout& workout,
                             std::optional<TWorkoutPlace> old) {
  if (old) RemoveStored(store, model, *old);
  const std::int32_t position = AppendWorkoutLog(store, dictionary, workout);
  const TDateTime day = DayOf(workout.Date);
  TDBC& entry = store.GetOrCreateDayRecord(kCalStatKind, day);
  TSECERec rec;
  rec.Time = workout.TOD == -1 ? 0 : workout.TOD;
  rec.Name = workout.Name;
  rec.MET = workout.MET == -1 ? 0 : workout.MET;
  rec.Dur = workout.Dur == -1 ? 0 : workout.Dur;
  rec.Type = position;
  store.Loaded<TCalStat>(entry).Entries.push_back(rec);
  model.SaveCalRecord(entry);
  // The day's expenditure changed: the projection follows.
  model.ActivityLogSaved();
  return {day, position};
}

void DeleteWorkoutLog(TDayRecordStore& store, TEnergyModel& model, TWorkoutPlace place) {
  RemoveStored(store, model, place);
  model.ActivityLogSaved();
}

}  // namespace korvela
