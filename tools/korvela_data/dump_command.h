#pragma once
#include <filesystem>
#include <iosfwd>
#include <string>

#include "korvela_data/command.h"
#include "storage/file_system.h"

namespace korvela {

// The shortest text that reads back as the same double, without an exponent
// from 1e-4 up to 1e17: 39083 for 39083.0, 39083.5, 0.1, 1000000.
std::string DayValueText(double value);

// Prints a data file exactly as stored. A record database gives, per record
// in file order, the line "id=<ID> date=<date> size=<size>" and then the
// record's plain body; any other file is read as a scrambled file of its own
// and its plain body printed. A body that fails its checksum or is not a
// document raises EInvalidXMLFile; a damaged record raises after the records
// before it have been printed.
void DumpDataFile(const std::filesystem::path& file, std::ostream& out, TFileSystem& fs);

// dump FILE
void RunDumpCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
