#pragma once
#include <array>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "energy/extended.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

// The training graphs in the order of their list.
enum class TTrainingGraph {
  OneRM = 0,
  NRM,
  Volume,
  TotalLifts,
  Density,
  Distance,
  Time,
  Pace,
  Speed,
};
inline constexpr std::array<std::string_view, 9> kTrainingGraphNames = {
    "Avg. %1RM", "Avg. %NRM", "Volume",    "Total Lifts", "Density",
    "Distance",  "Time",      "Avg. Pace", "Avg. Speed"};
inline constexpr TTrainingGraph kDefaultTrainingGraph = TTrainingGraph::Volume;

// The distance units of the distance graphs, in list order, with their unit
// codes.
inline constexpr std::array<std::string_view, 5> kGraphDistanceUnitNames = {
    "miles", "feet", "yards", "meters", "kilometers"};
inline constexpr std::array<std::int32_t, 5> kGraphDistanceUnits = {0, 1, 2, 4, 5};
// Meters for metric users, miles otherwise (an index into the lists above).
std::size_t DefaultGraphDistanceUnit(const TConfigurator& config);

// What a graph is called and how it is drawn.
struct TTrainingGraphLook {
  std::string SeriesName;  // the legend
  bool Bars = false;       // else a line
  std::string Title;
  std::string YTitle;
};
TTrainingGraphLook TrainingGraphLook(TTrainingGraph graph, bool metric, std::int32_t distanceUnit);

inline constexpr const char* kAllExercisesChoice = "All exercises from the selected period";
inline constexpr const char* kChosenExercisesChoice = "Specify which exercises to account for";
inline constexpr const char* kNoExercisesMessage =
    "There are no selected or logged exercises for the selected period";

// Every exercise of a set line of a workout logged from ... to, in order of
// first occurrence.
std::vector<std::int32_t> PeriodExercises(TDayRecordStore& store, TDateTime from, TDateTime to);
// "Exercises done from 1 March 2007 to 31 March 2007", or "Exercises" for
// a period that ends before it starts.
std::string ExerciseListTitle(TDateTime from, TDateTime to);

struct TGraphPoint {
  TDateTime Day = 0;
  Extended Value = 0;
};

// One point a day of the chosen graph over the days from ... to that have
// workouts, counting only the set lines of the `considered` exercises. A
// line counts as often as the repeat count of the last section header above
// it in its workout, and `Sets` times. `distanceUnit` is a unit code.
std::vector<TGraphPoint> TrainingGraphPoints(TDayRecordStore& store,
                                             const TExerciseDictionary& dictionary,
                                             const TConfigurator& config, TTrainingGraph graph,
                                             std::int32_t distanceUnit, TDateTime from,
                                             TDateTime to,
                                             const std::set<std::int32_t>& considered);

// A number of seconds as minutes with the seconds as two decimals: 90 s is
// 1.30.
Extended MinutesDotSeconds(Extended seconds);

}  // namespace korvela
