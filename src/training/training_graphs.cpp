#include "training/training_graphs.h"

#include <cmath>
#include <optional>
#include <variant>

#include "training/exercise_dictionary.h"
#include "training/expressions.h"
#include "training/quantities.h"
#include "training/set_weights.h"
#include "training/training_records.h"
#include "training/workout_stats.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// The sums of one day over the considered lines.
struct TDaySums {
  Extended OneRMSum = 0, OneRMLifts = 0;
  Extended NRMSum = 0, NRMLifts = 0;
  Extended Volume = 0;
  Extended Lifts = 0;
  Extended Minutes = 0;
  Extended Distance = 0;
  Extended Seconds = 0;
};

bool NeedsReferences(TTrainingGraph graph) {
  return graph == TTrainingGraph::OneRM || graph == TTrainingGraph::NRM ||
         graph == TTrainingGraph::Volume || graph == TTrainingGraph::Density;
}

void AddWorkout(TDaySums& sums, TDayRecordStore& store, const TExerciseDictionary& dictionary,
                const TConfigurator& config, TTrainingGraph graph, std::int32_t distanceUnit,
                const TWorkout& workout, const std::set<std::int32_t>& considered) {
  if (workout.Dur > 0) sums.Minutes += workout.Dur;
  const std::int32_t userUnit = config.MetricSystem() ? kKilograms : kPounds;
  Extended m = 1;
  for (const TWLine& line : workout.Lines) {
    if (const auto* section = std::get_if<TWSection>(&line)) {
      // Holds until the next header, across empty lines.
      m = section->Reps > 0 ? section->Reps : 1;
      continue;
    }
    const TDrillSet& set = std::get<TDrillSet>(line);
    if (set.DID == -1 || !considered.contains(set.DID)) continue;
    const TDrill* drill = dictionary.Find(set.DID);
    if (!drill) continue;
    const Extended s = set.Sets > 0 ? set.Sets : 1;
    switch (drill->TDM) {
      case TMeasureKind::Weight: {
        const std::optional<std::int32_t> r = RepetitionValue(set.Reps, -1);
        if (!r || *r <= 0) break;
        const Extended lifts = static_cast<Extended>(*r) * m * s;
        sums.Lifts += lifts;
        if (!NeedsReferences(graph)) break;
        const std::optional<TDrillPR> reference = ReferenceRecord(store, dictionary, workout, set);
        const TLineStats stats = LineStats(config, drill, set, reference);
        if (stats.OneRMPercent) {
          sums.OneRMSum += lifts * *stats.OneRMPercent;
          sums.OneRMLifts += lifts;
        }
        if (stats.NRMPercent) {
          sums.NRMSum += lifts * *stats.NRMPercent;
          sums.NRMLifts += lifts;
        }
        if (stats.Weight) {
          Extended weight = *stats.Weight;
          if (set.Weight.M != userUnit)
            weight = userUnit == kKilograms ? weight / kPoundsPerKg : weight * kPoundsPerKg;
          sums.Volume += lifts * weight;
        }
        break;
      }
      case TMeasureKind::Time:
        if (set.Dur > 0) sums.Seconds += set.Dur * m * s;
        break;
      case TMeasureKind::DistanceTime:
        if (set.Dur > 0) sums.Seconds += set.Dur * m * s;
        [[fallthrough]];
      case TMeasureKind::Distance:
        if (set.Dist.IsSet()) sums.Distance += ConvertDistance(set.Dist, distanceUnit) * m * s;
        break;
      case TMeasureKind::Reps:
      case TMeasureKind::Unset:
        break;
    }
  }
}

std::optional<Extended> DayValue(TTrainingGraph graph, const TDaySums& d) {
  switch (graph) {
    case TTrainingGraph::OneRM:
      if (d.OneRMSum > 0 && d.OneRMLifts >= 1) return d.OneRMSum / d.OneRMLifts;
      return std::nullopt;
    case TTrainingGraph::NRM:
      if (d.NRMSum > 0 && d.NRMLifts >= 1) return d.NRMSum / d.NRMLifts;
      return std::nullopt;
    case TTrainingGraph::Volume:
      if (d.Volume > 0) return d.Volume;
      return std::nullopt;
    case TTrainingGraph::TotalLifts:
      if (d.Lifts >= 1) return d.Lifts;
      return std::nullopt;
    case TTrainingGraph::Density:
      if (d.Volume > 0 && d.Minutes >= 1) return d.Volume / d.Minutes;
      return std::nullopt;
    case TTrainingGraph::Distance:
      if (d.Distance > 0) return d.Distance;
      return std::nullopt;
    case TTrainingGraph::Time:
      if (d.Seconds >= 1) return MinutesDotSeconds(d.Seconds);
      return std::nullopt;
    case TTrainingGraph::Pace:
      if (d.Seconds >= 1 && d.Distance > 0) return MinutesDotSeconds(d.Seconds / d.Distance);
      return std::nullopt;
    case TTrainingGraph::Speed:
      if (d.Seconds >= 1 && d.Distance > 0) return d.Distance / (d.Seconds / 3600);
      return std::nullopt;
  }
  return std::nullopt;
}

}  // namespace

std::size_t DefaultGraphDistanceUnit(const TConfigurator& config) {
  return config.MetricSystem() ? 3 : 0;
}

TTrainingGraphLook TrainingGraphLook(TTrainingGraph graph, bool metric, std::int32_t distanceUnit) {
  const std::string weight = metric ? "kg" : "lbs";
  const std::string suffix = std::string(" ") + DistUnitPlural(distanceUnit);
  switch (graph) {
    case TTrainingGraph::OneRM:
      return {"%1RM", false, "Average %1RM Graph", "%1RM"};
    case TTrainingGraph::NRM:
      return {"%NRM", false, "Average %NRM Graph", "%NRM"};
    case TTrainingGraph::Volume:
      return {"Volume", true, "Volume Graph", weight};
    case TTrainingGraph::TotalLifts:
      return {"Number of Lifts", true, "Total Lifts Graph", "Number of Lifts"};
    case TTrainingGraph::Density:
      return {"Density", true, "Density Graph", weight + " per min"};
    case TTrainingGraph::Distance:
      return {"Distance", true, "Distance Graph", "Distance in" + suffix};
    case TTrainingGraph::Time:
      return {"Time", true, "Time/Duration Graph", "Time/Duration in minutes"};
    case TTrainingGraph::Pace:
      return {"Pace", false, "Average Pace Graph", "Minutes per" + suffix};
    case TTrainingGraph::Speed:
      return {"Speed", false, "Average Speed Graph", suffix + " per hour"};
  }
  return {};
}

std::vector<std::int32_t> PeriodExercises(TDayRecordStore& store, TDateTime from, TDateTime to) {
  std::vector<std::int32_t> ids;
  std::set<std::int32_t> seen;
  for (const auto& entry : store.List(kWorkoutDayKind)) {
    const TDateTime day = DayOf(entry->Date);
    if (day < DayOf(from) || day > DayOf(to)) continue;
    for (const TWorkout& workout : store.Loaded<TWorkoutDay>(*entry).Workouts)
      for (const TWLine& line : workout.Lines)
        if (const auto* set = std::get_if<TDrillSet>(&line); set && set->DID != -1)
          if (seen.insert(set->DID).second) ids.push_back(set->DID);
  }
  return ids;
}

std::string ExerciseListTitle(TDateTime from, TDateTime to) {
  if (DayOf(from) > DayOf(to)) return "Exercises";
  return "Exercises done from " + LongDateText(from) + " to " + LongDateText(to);
}

Extended MinutesDotSeconds(Extended seconds) {
  const Extended whole = std::trunc(seconds);
  const Extended minutes = std::trunc(whole / 60);
  return minutes + (whole - minutes * 60) / 100;
}

std::vector<TGraphPoint> TrainingGraphPoints(TDayRecordStore& store,
                                             const TExerciseDictionary& dictionary,
                                             const TConfigurator& config, TTrainingGraph graph,
                                             std::int32_t distanceUnit, TDateTime from,
                                             TDateTime to,
                                             const std::set<std::int32_t>& considered) {
  std::vector<TGraphPoint> points;
  // The list is sorted by day; copies, since a reference search may load
  // other days' records.
  std::vector<TDBC*> days;
  for (const auto& entry : store.List(kWorkoutDayKind)) {
    const TDateTime day = DayOf(entry->Date);
    if (day >= DayOf(from) && day <= DayOf(to)) days.push_back(entry.get());
  }
  for (TDBC* entry : days) {
    TDaySums sums;
    const std::vector<TWorkout> workouts = store.Loaded<TWorkoutDay>(*entry).Workouts;
    for (const TWorkout& workout : workouts)
      AddWorkout(sums, store, dictionary, config, graph, distanceUnit, workout, considered);
    if (const std::optional<Extended> value = DayValue(graph, sums))
      points.push_back({DayOf(entry->Date), *value});
  }
  return points;
}

}  // namespace korvela
