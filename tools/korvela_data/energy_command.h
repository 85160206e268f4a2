#pragma once
#include <filesystem>
#include <iosfwd>

#include "korvela_data/command.h"
#include "storage/date_time.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "users/clock.h"

namespace korvela {

// Prints the energy model's figures of every day from `first` to `last` for
// the user whose folder (with "LI.DAT" and the "PS*.dat" day records) is
// `userFolder`, with `clock` giving today.
//
// The user's files are never touched: the folder is copied into a fresh
// scratch folder under `temporaryFolder` (empty: the system's temporary
// folder), the model is restarted there, which may project and create the
// records up to today in the copy, and the copy is removed afterwards, also
// when something fails. An error about a file of the copy names the user's
// own file.
//
// The output is a header line starting with "#", then one line a day: the
// date (YYYY-MM-DD) and, tab-separated, the eaten calories, resting metabolic
// rate, thermic effect of food, daily physical activity, exercise calories,
// total daily expenditure and calorie balance (in that order of evaluation),
// then the record's projected weight PW and activity coefficient AC as they
// stand afterwards. Each number is written with as many significant digits as
// its type needs to read back exactly; -1 stands for unknown, as the model
// returns it. A day without a calorie record shows "no record" and is not
// created. Nothing is printed unless every day could be computed.
void PrintEnergyFigures(const std::filesystem::path& userFolder, TDateTime first, TDateTime last,
                        const TClock& clock, const std::filesystem::path& temporaryFolder,
                        std::ostream& out, TRandom& random, TFileSystem& fs);

// energy DATAFOLDER USERFOLDER FIRST LAST
// USERFOLDER is taken relative to DATAFOLDER unless it is absolute; FIRST and
// LAST are dates YYYY-MM-DD, FIRST not after LAST. Today is env.today when
// given (YYYY-MM-DD), else the system's date.
void RunEnergyCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
