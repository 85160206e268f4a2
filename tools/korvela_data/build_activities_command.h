#pragma once
#include <filesystem>
#include <stdexcept>
#include <vector>

#include "activities/sport.h"
#include "korvela_data/command.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// A line of the activity table that cannot be built into the dictionary.
// The message is "FILE:LINE: what is wrong".
class EActivityTableError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads the readable source of the activity dictionary: UTF-8 text with tabs
// between the columns, a header line
//   activity  met  default_minutes  code  major_heading
// and one activity a line. The name must not be empty, the MET must be a
// plain decimal from 0.9 to 20, the minutes a whole number from 1 to 1440
// and the code five digits, each code used once. The code becomes the
// activity's identifier, so that an activity keeps its identifier from one
// build to the next. LF and CR LF line ends are both accepted.
std::vector<TSport> ReadActivityTable(const std::filesystem::path& file, TFileSystem& fs);

// Builds the dictionary `outFile` (the program's "SAA.DAT") from the table:
// read and checked first, then written as a record database under a
// temporary name and renamed over `outFile`.
void BuildActivityDictionary(const std::filesystem::path& tableFile,
                             const std::filesystem::path& outFile, TRandom& random,
                             TFileSystem& fs);

// build-activities TSVFILE OUT
void RunBuildActivitiesCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
