#pragma once
#include <filesystem>
#include <iosfwd>

#include "korvela_data/command.h"
#include "storage/date_time.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// Prints the stored food log of a day of the user whose folder is
// `userFolder`: a title line naming the day and the file that holds the log,
// the log's name and notes when it has them, then a tab-separated table: per
// meal a "meal" line (name, time), a "food" line per logged food (name,
// quantity as shown in the log, grams, protein, fat, carbohydrate, alcohol,
// calories) and the meal's "total" line, and at the end the day's "day"
// line. Numbers carry at most two decimals. A day without a log prints one
// line saying so. No file is created or changed.
void PrintFoodLog(const std::filesystem::path& userFolder, TDateTime day, std::ostream& out,
                  TRandom& random, TFileSystem& fs);

// foodlog DATAFOLDER USERFOLDER DATE
// USERFOLDER is taken relative to DATAFOLDER unless it is absolute; DATE is
// YYYY-MM-DD or a day value.
void RunFoodLogCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
