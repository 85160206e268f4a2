#pragma once
#include <filesystem>

#include "korvela_data/command.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// Writes the text-form document of `textFile` as a scrambled file of its own
// under kDataKey, replacing `outFile` through its temporary file. A text that
// is not in the text form raises EInvalidXMLFile naming it, before `outFile`
// is touched.
void PackTextFile(const std::filesystem::path& textFile, const std::filesystem::path& outFile,
                  TRandom& random, TFileSystem& fs);

// pack TEXTFILE OUT
void RunPackCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
