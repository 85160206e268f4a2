#include <algorithm>
#include <cmath>
#include <cstdio>
#include <variant>

#include "reports/report_parts.h"
#include "storage/errors.h"
#include "training/exercise_dictionary.h"
#include "training/expressions.h"
#include "training/quantities.h"
#include "training/rm_fractions.h"
#include "training/set_weights.h"
#include "training/training_records.h"
#include "training/workout_stats.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// The figures of a day or of the whole period. Volume in kilograms, distance
// in the chosen unit.
struct TTrainingFigures {
  Extended OneRMSum = 0, OneRMLifts = 0;
  Extended NRMSum = 0, NRMLifts = 0;
  Extended Volume = 0;
  Extended Lifts = 0;
  std::int64_t Minutes = 0;
  Extended Distance = 0;
  std::int64_t Seconds = 0;

  void Add(const TTrainingFigures& o) {
    OneRMSum += o.OneRMSum;
    OneRMLifts += o.OneRMLifts;
    NRMSum += o.NRMSum;
    NRMLifts += o.NRMLifts;
    Volume += o.Volume;
    Lifts += o.Lifts;
    Minutes += o.Minutes;
    Distance += o.Distance;
    Seconds += o.Seconds;
  }
};

struct TTrainingDay {
  TDateTime Day = 0;
  TTrainingFigures Figures;
};

struct TTrainingData {
  std::string Heading;
  bool AnyExercise = false;
  std::vector<TTrainingDay> Days;
};

const TExerciseDictionary& Dictionary(TReportSources sources) {
  if (!sources.Dictionary) throw EInternalError("the training report needs the exercises");
  return *sources.Dictionary;
}

void AddWorkout(TTrainingFigures& day, const TWorkout& workout,
                const std::vector<std::int32_t>& considered, std::int32_t unit,
                TReportSources sources) {
  const TExerciseDictionary& dictionary = Dictionary(sources);
  if (workout.Dur != -1) day.Minutes += workout.Dur;
  // Only section headers change the multiplier here: a line without an
  // exercise does not end a section's repeats.
  std::int64_t m = 1;
  for (const TWLine& line : workout.Lines) {
    if (const auto* section = std::get_if<TWSection>(&line)) {
      m = section->Reps == -1 ? 1 : section->Reps;
      continue;
    }
    const TDrillSet& set = std::get<TDrillSet>(line);
    if (set.DID == -1 ||
        std::find(considered.begin(), considered.end(), set.DID) == considered.end())
      continue;
    const TDrill* drill = dictionary.Find(set.DID);
    if (!drill) continue;
    const std::int64_t sets = set.Sets != -1 ? set.Sets : 1;
    const TMeasureKind kind = drill->TDM;
    if (kind == TMeasureKind::Weight) {
      const auto r = RepetitionValue(set.Reps, -1);
      if (!r || *r <= 0) continue;
      const std::optional<TDrillPR> reference =
          ReferenceRecord(sources.Store, dictionary, workout, set);
      const auto lifts = static_cast<Extended>(m * *r * sets);
      day.Lifts += lifts;
      if (const auto oneRM = PercentOfRM(sources.Config, set, reference, 1)) {
        day.OneRMSum += lifts * *oneRM;
        day.OneRMLifts += lifts;
      }
      if (HasRMFraction(*r))
        if (const auto nRM = PercentOfRM(sources.Config, set, reference, *r)) {
          day.NRMSum += lifts * *nRM;
          day.NRMLifts += lifts;
        }
      if (Extended weight = ResolvedWeight(sources.Config, set, reference); weight >= 0) {
        if (set.Weight.M == kPounds) weight /= kPoundsPerKg;
        day.Volume += lifts * weight;
      }
    }
    if ((kind == TMeasureKind::DistanceTime || kind == TMeasureKind::Distance) && set.Dist.IsSet())
      day.Distance += ConvertDistance(set.Dist, unit) * static_cast<Extended>(m * sets);
    if ((kind == TMeasureKind::Time || kind == TMeasureKind::DistanceTime) && set.Dur != -1)
      day.Seconds += std::int64_t{set.Dur} * m * sets;
  }
}

TTrainingData TrainingDays(const TReportRequest& request, TReportSources sources) {
  const TExerciseDictionary& dictionary = Dictionary(sources);
  TTrainingData data;
  std::vector<std::int32_t> considered;
  if (request.Exercises) {
    data.Heading = "Exercises: ";
    for (const std::int32_t id : *request.Exercises)
      if (const TDrill* drill = dictionary.Find(id)) {
        data.Heading += drill->Name + "; ";
        considered.push_back(id);
      }
  } else {
    data.Heading = "Exercises: All from the period";
    considered = PeriodExercises(sources.Store, dictionary, request.Period);
  }
  data.AnyExercise = !considered.empty();
  if (!data.AnyExercise) return data;
  for (TDBC* entry : RecordsInPeriod(sources.Store, kWorkoutDayKind, request.Period)) {
    const std::vector<TWorkout> workouts = WorkoutsOfDay(sources.Store, entry->Date);
    if (workouts.empty()) continue;
    TTrainingDay day{entry->Date, {}};
    for (const TWorkout& workout : workouts)
      AddWorkout(day.Figures, workout, considered, request.DistanceUnit, sources);
    data.Days.push_back(day);
  }
  return data;
}

// Hours beyond a day go on counting: a period's total time may be longer.
std::string DurationText(std::int64_t seconds) {
  char text[48];
  std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
                static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
  return text;
}

std::vector<std::string> FigureCells(const TReportRequest& request, const TTrainingFigures& f,
                                     const TConfigurator& config) {
  const double factor = WeightFactor(config);
  const std::string unit = WeightSuffix(config);
  const auto number = [&](Extended value, int decimals) {
    return FormatNumber(config, static_cast<double>(value), decimals);
  };
  const auto average = [&](Extended sum, Extended lifts) {
    return sum > 0 && lifts > 0 ? number(sum / lifts, 0) + "%" : std::string(kNotAvailable);
  };
  const TDistWrap distance{f.Distance, request.DistanceUnit};
  std::vector<std::string> cells;
  if (IsTicked(request, 0)) cells.push_back(average(f.OneRMSum, f.OneRMLifts));
  if (IsTicked(request, 1)) cells.push_back(average(f.NRMSum, f.NRMLifts));
  if (IsTicked(request, 2)) cells.push_back(number(f.Volume * factor, 0) + unit);
  if (IsTicked(request, 3)) cells.push_back(number(f.Lifts, 0) + " lifts");
  if (IsTicked(request, 4))
    cells.push_back(f.Minutes > 0 && f.Volume > 0
                        ? number(f.Volume * factor / static_cast<Extended>(f.Minutes), 0) + unit +
                              " per min"
                        : std::string(kNotAvailable));
  if (IsTicked(request, 5))
    cells.push_back(f.Distance > 0
                        ? number(f.Distance, 3) + " " + DistUnitPlural(request.DistanceUnit)
                        : std::string(kNotAvailable));
  if (IsTicked(request, 6))
    cells.push_back(f.Seconds > 0 ? DurationText(f.Seconds) : std::string(kNotAvailable));
  const auto seconds = static_cast<Extended>(f.Seconds);
  if (IsTicked(request, 7)) cells.push_back(PaceText(seconds, distance));
  if (IsTicked(request, 8)) cells.push_back(SpeedText(config, seconds, distance));
  return cells;
}

// Short unit names for the column names of the table file.
const char* UnitField(std::int32_t unit) {
  switch (unit) {
    case kMile:
      return "mi";
    case kFoot:
      return "ft";
    case kYard:
      return "yd";
    case kMeter:
      return "m";
    default:
      return "km";
  }
}

}  // namespace

TMyReport TrainingReport(const TReportRequest& request, TReportSources sources) {
  const TTrainingData data = TrainingDays(request, sources);
  TMyReport report = BeginDiaryReport(request, sources.Config);
  report.AddSubtitle(data.Heading);
  if (data.AnyExercise) {
    TTrainingFigures period;
    for (const TTrainingDay& day : data.Days) {
      AddDayRow(report, day.Day, FigureCells(request, day.Figures, sources.Config));
      period.Add(day.Figures);
    }
    report.BeginRow(kRowSubheader);
    report.AddCell(kPeriodAverage, kCellLeft);
    for (const std::string& cell : FigureCells(request, period, sources.Config))
      report.AddCell(cell, kCellCentre);
    report.EndRow();
  }
  report.EndTable();
  report.EndDocument();
  return report;
}

std::string TrainingCsv(const TReportRequest& request, TReportSources sources) {
  const std::string unit = UnitField(request.DistanceUnit);
  const std::string names[] = {"avg_1rm_pct",  "avg_nrm_pct",          "volume_kg",
                               "total_lifts",  "density_kg_per_min",   "distance_" + unit,
                               "duration_min", "pace_min_per_" + unit, "speed_" + unit + "_per_h"};
  std::vector<std::string> header{"date"};
  for (std::size_t i = 0; i < std::size(names); ++i)
    if (IsTicked(request, i)) header.push_back(names[i]);
  TCsvTable table(header);
  const TTrainingData data = TrainingDays(request, sources);
  for (const TTrainingDay& day : data.Days) {
    const TTrainingFigures& f = day.Figures;
    const auto minutes = static_cast<double>(f.Seconds) / 60;
    const auto distance = static_cast<double>(f.Distance);
    const auto ratio = [](Extended sum, Extended by) {
      return sum > 0 && by > 0 ? std::optional(static_cast<double>(sum / by)) : std::nullopt;
    };
    const std::optional<double> values[] = {
        ratio(f.OneRMSum, f.OneRMLifts),
        ratio(f.NRMSum, f.NRMLifts),
        static_cast<double>(f.Volume),
        static_cast<double>(f.Lifts),
        ratio(f.Volume, static_cast<Extended>(f.Minutes)),
        f.Distance > 0 ? std::optional(distance) : std::nullopt,
        f.Seconds > 0 ? std::optional(minutes) : std::nullopt,
        f.Seconds > 0 && f.Distance > 0 ? std::optional(minutes / distance) : std::nullopt,
        f.Seconds > 0 && f.Distance > 0 ? std::optional(distance / (minutes / 60)) : std::nullopt,
    };
    table.BeginRow();
    table.AddText(IsoDateText(day.Day));
    for (std::size_t i = 0; i < std::size(values); ++i)
      if (IsTicked(request, i)) table.AddNumber(values[i]);
  }
  return table.Text();
}

}  // namespace korvela
