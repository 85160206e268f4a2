#pragma once
#include <filesystem>
#include <iosfwd>

#include "korvela_data/command.h"
#include "storage/date_time.h"
#include "users/clock.h"

namespace korvela {

// Prints the workouts stored for `day` as the training log shows them after
// login: for each workout in stored order a "workout" row (name, the
// "Workout Data" texts and the two calorie texts), then per line a "section"
// row ("Section Data" of the header) or a "line" row (exercise cell, resolved
// weight, %1RM, %NRM, TUT, VOLUME, PACE, speed, WEIGHT, REPS, DISTANCE);
// tab-separated, empty fields kept. A day without workouts prints
// "no workout". Works on a private copy of the user folder with the energy
// model restarted as at login; the exercise dictionary of `dataFolder` is
// read from a copy too.
void PrintWorkouts(const std::filesystem::path& dataFolder, const std::filesystem::path& userFolder,
                   TDateTime day, const TClock& clock, const std::filesystem::path& temporaryFolder,
                   std::ostream& out, TRandom& random, TFileSystem& fs);

// workout DATAFOLDER USERFOLDER DATE
void RunWorkoutCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
