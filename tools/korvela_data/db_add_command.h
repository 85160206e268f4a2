#pragma once
#include <cstdint>
#include <filesystem>

#include "korvela_data/command.h"
#include "storage/date_time.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// Stores the text-form document of `textFile` as record `id` of `date` in the
// record database `dbFile` of `kind` (created when absent), replacing a
// record of the same identifier and date, and saves the database. The text is
// read first: a text that is not in the text form leaves the database as it
// was and creates none.
void AddDatabaseRecord(const std::filesystem::path& dbFile, std::int32_t kind, std::int32_t id,
                       TDateTime date, const std::filesystem::path& textFile, TRandom& random,
                       TFileSystem& fs);

// db-add DBFILE KIND ID DATE TEXTFILE
void RunDbAddCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
