#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "energy/extended.h"
#include "storage/day_records.h"
#include "training/personal_record.h"
#include "training/workout.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;
struct TDrill;

// Whole numbers and k decimals round halves away from zero.
std::string RoundedText(Extended value);

// What one line of a workout shows in the grid; every field absent (or
// empty) when it cannot be worked out.
struct TLineStats {
  std::optional<std::int32_t> Reps;      // r, the repetitions (> 0)
  std::optional<Extended> Weight;        // the resolved weight in the line's unit
  std::optional<Extended> OneRMPercent;  // %1RM
  std::optional<Extended> NRMPercent;    // % of the r-repetition maximum, 1 <= r <= 20
  std::optional<std::int64_t> TUT;       // seconds
  std::optional<Extended> Volume;        // line's unit, or repetitions for Reps exercises
  std::string Pace;                      // distance-and-time lines
  std::string Speed;

  std::string OneRMText() const;                                      // "71%"
  std::string NRMText() const;                                        // "80%5RM"
  std::string TUTText() const;                                        // "120"
  std::string VolumeText(const TDrillSet& set, bool repsKind) const;  // "3000 kg", "30 reps"
};

// The percentage of the n-repetition maximum (1 <= n <= 20) a set line's
// weight stands for: a purely relative expression without any record, an
// absolute one against the reference record's 1RM. None when it cannot be
// worked out.
std::optional<Extended> PercentOfRM(const TConfigurator& config, const TDrillSet& set,
                                    const std::optional<TDrillPR>& reference, std::int32_t n);

// The statistics of a set line of the exercise `drill` (null: unknown
// exercise, nothing but the repetitions is worked out).
TLineStats LineStats(const TConfigurator& config, const TDrill* drill, const TDrillSet& set,
                     const std::optional<TDrillPR>& reference);

// Totals over a range of lines, the volume in the user's unit.
struct TTotals {
  Extended Volume = 0;
  std::int64_t Lifts = 0;
  std::int64_t TUT = 0;
  Extended IntensitySum = 0;  // sum of %1RM x lifts
  Extended IntensityLifts = 0;
  // The average %1RM; 0 when there is none.
  Extended Intensity() const;
};

// The panel figures as shown: "Total Volume", "Total Lifts", "Duration",
// "Total TUT", "Density" and "Avg. %1RM"; all empty for no section.
struct TPanelTexts {
  std::string Title;
  std::string Volume, Lifts, Duration, TUT, Density, Intensity;
};

// The statistics of a whole workout: every line's figures (set lines only;
// a section header's entry is empty) and the totals.
class TWorkoutStats {
 public:
  // `references` holds the reference record of each line (same size as the
  // lines, or empty for none at all).
  TWorkoutStats(const TConfigurator& config, const TExerciseDictionary& dictionary,
                const TWorkout& workout, std::vector<std::optional<TDrillPR>> references = {});

  const TLineStats& Line(std::size_t line) const { return lines_.at(line); }
  const TTotals& Totals() const;
  // The totals of the section header at `header`, over its scope, with its
  // repeat count.
  TTotals SectionTotals(std::size_t header) const;
  // The section header whose scope holds the row: a header itself, or the
  // header governing a set line; none below the last line or in no scope.
  std::optional<std::size_t> SectionOfRow(std::size_t row) const;

  // "Workout Data".
  TPanelTexts WorkoutPanel() const;
  // "Section Data" of the section holding the row.
  TPanelTexts SectionPanel(std::size_t row) const;

 private:
  void Add(TTotals& totals, std::size_t line, std::int64_t multiplier) const;

  const TConfigurator& config_;
  const TExerciseDictionary& dictionary_;
  const TWorkout& workout_;
  std::vector<TLineStats> lines_;
  mutable std::optional<TTotals> totals_;
};

// Every line's reference record, for a workout log (a template has none).
std::vector<std::optional<TDrillPR>> ReferenceRecords(TDayRecordStore& store,
                                                      const TExerciseDictionary& dictionary,
                                                      const TWorkout& workout);

// "Section Pyramid (repeat 2 times)".
std::string SectionTitle(const TWSection& section);

// "Total Calories" and "Additional Calories" of a workout of `minutes` (not
// set counts as 0) at `met` with the resting rate `rmr` (calories a day):
// "N/A" both when the MET is absent, outside 0 to 20, or the rate unknown.
struct TWorkoutCalories {
  std::string Total, Additional;
};
TWorkoutCalories WorkoutCalories(std::optional<Extended> met, std::int32_t minutes, Extended rmr);
// The MET field's text read with the number reader; none when it is no
// number.
std::optional<Extended> ReadWorkoutMET(const TConfigurator& config, std::string_view text);

}  // namespace korvela
