#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/date_time.h"
#include "storage/day_records.h"
#include "training/personal_record.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;
struct TDrill;

// "5 reps x 100 kg", "12 repetitions", "01:30", "5 km in 25:00", "6 meters".
std::string RecordDescription(const TConfigurator& config, const TDrill& drill,
                              const TDrillPR& record);
// A time of day as minutes and seconds, whole minutes beyond the hour kept:
// "01:30", "75:00".
std::string RecordTimeText(TDateTime time);

// One row of the personal records history: where the record lies and what
// the list shows.
struct TRecordRow {
  TDateTime Day = -1;
  std::size_t Position = 0;
  TDrillPR Record;
  std::string Name, Date, Result, Notes;
};

// The valid records whose display name matches the filter (the exercise
// list's word filter; blank matches all), every day in date order and each
// day's records in stored order.
std::vector<TRecordRow> RecordHistory(TDayRecordStore& store, const TExerciseDictionary& dictionary,
                                      const TConfigurator& config, std::string_view filter);

// Stores a record on its day, replacing one of the same exercise and limb.
void StoreRecord(TDayRecordStore& store, const TDrillPR& record);
// Removes the record at `position` of the day; a day left without records
// goes.
void RemoveRecord(TDayRecordStore& store, TDateTime day, std::size_t position);

// What the record editor's panel holds.
struct TRecordEntry {
  std::string Weight;
  std::int32_t WeightUnit = 1;  // 0 lbs, 1 kg
  std::string Reps;
  std::int32_t Seconds = 0;  // the time picked
  std::string Distance;
  std::int32_t DistanceUnit = 4;
  bool Right = false;  // the limb choice of a unilateral exercise
  std::string Notes;
};

// The field a refused entry points at, and its warning.
enum class TRecordField { Weight, Reps, Time, Distance };
struct TRecordProblem {
  TRecordField Field;
  std::string Message;
};
inline constexpr const char* kRecordWeightMessage = "Please, enter a valid Weight";
inline constexpr const char* kRecordRepsMessage = "Please, enter a valid number of repetitions";
inline constexpr const char* kRecordTimeMessage = "Please, enter a valid time(duration)";
inline constexpr const char* kRecordDistanceMessage = "Please, enter a valid distance";

// Resets the record (no limb, empty weight, repetitions, time and distance
// not set) and fills it from the entry for the exercise's measurement kind;
// the first refused field stops it.
std::optional<TRecordProblem> FillRecord(const TConfigurator& config, const TDrill& drill,
                                         const TRecordEntry& entry, TDrillPR& record);

// The panel's entry preset from a record (a new record's weight in the
// user's unit system).
TRecordEntry EntryOfRecord(const TConfigurator& config, const TDrillPR& record);

}  // namespace korvela
