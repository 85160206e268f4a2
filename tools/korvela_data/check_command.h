#pragma once
#include <filesystem>
#include <iosfwd>

#include "korvela_data/command.h"
#include "storage/file_system.h"

namespace korvela {

// Reads every file of a data folder with the program's own readers: the
// shared files of the program folder ("rs.dat", "Help.dat", "foods.dat",
// "FW.DAT", "UA.DAT", "RBOX.DAT", "FM.DAT", "GDDB.DAT", "PWTD.DAT", "SAA.DAT")
// and, in every account folder, "LI.DAT", "CI.DAT" (named when missing),
// "MI.DAT", "FF.DAT", the food logs and the period files, each record of a
// record database on its own with the reader of its kind. Prints one line
// per damaged file or record,
//   FILE: what is wrong
//   FILE: record id=ID date=DATE: what is wrong
// and then the summary line
//   checked N files and M records: all sound | K damaged
// Returns whether all is sound. Changes nothing.
bool CheckDataFolder(const std::filesystem::path& folder, std::ostream& out, TFileSystem& fs);

// check DATAFOLDER: exits 1 when something is damaged.
void RunCheckCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
