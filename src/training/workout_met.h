#pragma once
#include <string>

#include "activities/sport_list.h"
#include "training/exercise_dictionary.h"
#include "training/workout.h"

namespace korvela {

// The words that find the resistance training entry of the activity
// dictionary: "Resistance (weight) training, multiple exercises, ...".
inline constexpr const char* kResistanceTrainingWords = "resistance training multiple exercises";
// Its value and name when the dictionary no longer holds it.
inline constexpr double kResistanceTrainingMET = 3.5;
inline constexpr const char* kResistanceTrainingActivity =
    "Resistance (weight) training, multiple exercises, 8-15 reps, varied resistance";

// Where a workout's MET came from.
enum class TMETSource {
  Resistance,  // the default: resistance training
  FirstLine,   // the activity of the first line's exercise
  Entered,     // typed or chosen for the workout
};

struct TDefaultMET {
  double MET = kResistanceTrainingMET;
  std::string Activity = kResistanceTrainingActivity;
  TMETSource Source = TMETSource::Resistance;
};

// The MET a workout has until one is entered for it. A workout whose first
// line is an exercise measured by time or distance (an endurance workout)
// takes the activity of the dictionary that the exercise's name finds (the
// activity search, a "general" entry preferred among equally good ones),
// when one does; every other workout the dictionary's resistance training.
// `sports` may be null: resistance training at 3.5.
TDefaultMET DefaultWorkoutMET(const TSportList* sports, const TExerciseDictionary& dictionary,
                              const TWorkout& workout);

// The calorie panel's note of where the MET came from ("MET 3.5 of the
// activity dictionary's Resistance (weight) training, ...").
std::string METSourceText(TMETSource source, const std::string& activity);

}  // namespace korvela
