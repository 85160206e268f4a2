#pragma once
#include <functional>
#include <vector>

#include "energy/body_records.h"
#include "storage/date_time.h"
#include "storage/day_records.h"

namespace korvela {

// A coloured phase as the calendar draws it.
struct TPhaseBand {
  TDateTime start = 0;
  TDateTime end = 0;
  TColorValue colour = kNoColor;
};

// The marks of one calendar day: a pennant per coloured phase that covers the
// day (in the phases' date order) and the icons of its records.
struct TDayMarks {
  std::vector<TColorValue> bands;
  bool weighIn = false;
  bool measurements = false;
  bool workout = false;
};

// Whether a day holds at least one workout; asked of the training records.
using TWorkoutQuery = std::function<bool(TDateTime day)>;

// The user's phases that have a colour, oldest start first. The calendar
// reads them once per drawing of the month.
std::vector<TPhaseBand> PhaseBands(TDayRecordStore& records);
TDayMarks CalendarDrawFlags(TDayRecordStore& records, const std::vector<TPhaseBand>& phases,
                            TDateTime day, const TWorkoutQuery& hasWorkout);

}  // namespace korvela
