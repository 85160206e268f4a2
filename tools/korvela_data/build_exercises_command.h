#pragma once
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "korvela_data/command.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "training/exercise_dictionary.h"

namespace korvela {

// A line of the exercise table or of the instructions that cannot be built
// into the dictionary. The message is "FILE:LINE: what is wrong".
class EExerciseTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The shipped dictionary's content: the exercises in table order and the
// classifications 11 to 17 (muscles, movement types and equipment as found
// in the table, sorted; the user-defined ones empty).
struct TExerciseTable {
  std::vector<TDrill> drills;
  std::vector<TDClass> classes;
};

// Reads the exercise table: UTF-8, tab-separated, the header
//   name short_name target_muscles equipment movement_type measure unilateral
//   instructions image
// and one exercise a line. `measure` is weight, reps, time, distance_time or
// distance; `unilateral` 0 or 1; names are unique (blanks and letter case
// ignored). Then the instructions file: lines NAME<TAB>TEXT ("#" lines and
// blank lines skipped), NAME one of the table's, " | " in TEXT a line break.
// Every exercise gets an identifier of its own derived from its name, so
// that the shipped identifiers stay put when exercises are added.
TExerciseTable ReadExerciseTable(const std::filesystem::path& tableFile,
                                 const std::filesystem::path& instructionsFile, TFileSystem& fs);

// Builds the dictionary `outFile` (the program's "GDDB.DAT") afresh under its
// temporary name and renames it over the old one.
void BuildExerciseDictionary(const std::filesystem::path& tableFile,
                             const std::filesystem::path& instructionsFile,
                             const std::filesystem::path& outFile, TRandom& random,
                             TFileSystem& fs);

// build-exercises TSVFILE INSTRUCTIONS OUT
void RunBuildExercisesCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
