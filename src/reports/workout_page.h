#pragma once
#include "reports/my_report.h"
#include "training/exercise_dictionary.h"
#include "training/workout_grid.h"

namespace korvela {

// The printed workout: its name and notes, a table of the grid's visible
// columns with the texts the grid shows (section rows as sub-headers), the
// workout totals and, when asked for, a table of the exercises it uses.
TMyReport WorkoutPage(const TWorkoutGrid& grid, const TExerciseDictionary& dictionary,
                      bool printDrills, bool shortNames);

}  // namespace korvela
