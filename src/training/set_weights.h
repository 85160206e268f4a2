#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "energy/extended.h"
#include "storage/day_records.h"
#include "training/personal_record.h"
#include "training/workout.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

// The personal record a set line of a workout log refers to: the first valid
// record of the same exercise and limb, searching the days strictly before
// the workout's from the latest back, each day in stored order. A template
// has none.
std::optional<TDrillPR> ReferenceRecord(TDayRecordStore& store,
                                        const TExerciseDictionary& dictionary,
                                        const TWorkout& workout, const TDrillSet& set);

// The one-repetition maximum a record stands for, in `unit` (2.2 lbs per
// kg); -1 when its repetitions are not 1 to 20 or its weight is no number.
Extended OneRMEstimate(const TConfigurator& config, const TDrillPR& record, std::int32_t unit);

// The weight a set line stands for in its unit: an absolute expression's
// value, else the expression worked out from the reference record's 1RM; -1
// when there is none.
Extended ResolvedWeight(const TConfigurator& config, const TDrillSet& set,
                        const std::optional<TDrillPR>& reference);

// The weight as the grid shows it: a resolved weight with its unit, or the
// expression as typed (with its unit unless purely relative).
std::string WeightDisplayText(const TConfigurator& config, const TDrillSet& set,
                              const std::optional<TDrillPR>& reference);

// A copied line whose weight refers only to repetition maxima takes the
// user's unit system.
void NormalizeCopiedLineUnit(const TConfigurator& config, TDrillSet& set);

// A weight typed into a set line ("100 kg", "225lbs", "80%5RM"). Accepted
// entries change `Q` (and the unit when a suffix names one); refused ones
// leave the line as it was. Returns whether the entry was accepted.
bool AcceptTypedWeight(const TConfigurator& config, TDrillSet& set, std::string_view typed,
                       bool workoutLog, const std::optional<TDrillPR>& reference);

// The name a personal record list shows for an exercise and limb: the full
// name, followed directly by "(Left)" (limb 0) or "(Right)" (any other limb)
// when the exercise is unilateral; empty for an unknown exercise.
std::string NameWithLimb(const TExerciseDictionary& dictionary, std::int32_t did,
                         std::uint8_t limb);

// A distance typed into a set line ("5 km", "400m", "3 mi"); above 0 and at
// most 100000. Returns whether it was accepted.
bool AcceptTypedDistance(const TConfigurator& config, TDrillSet& set, std::string_view typed);

}  // namespace korvela
