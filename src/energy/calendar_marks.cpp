#include "energy/calendar_marks.h"

#include "energy/weight_stat.h"

namespace korvela {

std::vector<TPhaseBand> PhaseBands(TDayRecordStore& records) {
  std::vector<TPhaseBand> bands;
  for (const TDated<TPhase>& phase : ListPhases(records))
    if (phase.Values.PColor != kNoColor)
      bands.push_back({phase.Date, phase.Values.PEndDate, phase.Values.PColor});
  return bands;
}

TDayMarks CalendarDrawFlags(TDayRecordStore& records, const std::vector<TPhaseBand>& phases,
                            TDateTime day, const TWorkoutQuery& hasWorkout) {
  day = DayOf(day);
  TDayMarks marks;
  for (const TPhaseBand& phase : phases)
    if (phase.start <= day && day <= phase.end) marks.bands.push_back(phase.colour);
  marks.weighIn = records.FindDayRecord(kWeightStatKind, day) != nullptr;
  marks.measurements = records.FindDayRecord(kMeasureStatKind, day) != nullptr;
  marks.workout = hasWorkout && hasWorkout(day);
  return marks;
}

}  // namespace korvela
