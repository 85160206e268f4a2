#pragma once
#include "korvela_data/command.h"

namespace korvela {

// backup DATAFOLDER USERFOLDER BACKUPFILE
// Writes the backup "Back Up My Diary..." writes: the user's folder and the
// shared items its diary uses, in one file. Works on a private copy of the
// data folder; the user's files are never changed. Prints the line the
// screen shows when it is done.
void RunBackupCommand(TCommandArgs args, TToolEnvironment& env);

// restore DATAFOLDER BACKUPFILE
// Restores a backup as a new account of the data folder, as "Restore a
// Diary..." does, and prints the new account's folder and name as
// "FOLDER<TAB>NAME". A damaged backup changes nothing. Refuses to run while
// Korvela has the data folder open.
void RunRestoreCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
