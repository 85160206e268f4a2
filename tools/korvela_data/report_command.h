#pragma once
#include <filesystem>
#include <iosfwd>

#include "korvela_data/command.h"
#include "reports/diary_report.h"
#include "users/clock.h"

namespace korvela {

// Prints a report of a user's days as the reports screen would show it
// (every column ticked, the exercises all of the period, distances in the
// user's first unit), or its CSV form. Works on a private copy of the user
// folder with the energy model restarted as at login; the exercise
// dictionary of `dataFolder` is read from a copy too.
void PrintReport(TReportKind kind, const std::filesystem::path& dataFolder,
                 const std::filesystem::path& userFolder, const TReportPeriod& period, bool csv,
                 const TClock& clock, const std::filesystem::path& temporaryFolder,
                 std::ostream& out, TRandom& random, TFileSystem& fs);

// report KIND DATAFOLDER USERFOLDER FROM TO [--csv]
void RunReportCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
