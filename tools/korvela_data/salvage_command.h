#pragma once
#include "korvela_data/command.h"

namespace korvela {

// salvage DATAFOLDER [USERFOLDER]: reads every record database of the data
// folder ("UA.DAT", "RBOX.DAT", "FM.DAT", "GDDB.DAT", "PWTD.DAT", "SAA.DAT")
// and, when given, of the user folder (relative to DATAFOLDER unless
// absolute: "FF.DAT", the food logs, the period files) as the program does at
// start-up and login, and replaces each damaged one by its readable records,
// keeping the original as "NAME.damaged". A shipped dictionary takes what it
// lost from the shipped copy when the tool finds one. Prints one line per
// file,
//   FILE: sound, N records
//   FILE: kept N records, M could not be read[, K taken from the shipped
//         copy]; the damaged file is kept as NAME.damaged
// and exits 1 when records were set aside, 0 when nothing was lost. Refuses
// while the program runs on the data folder.
void RunSalvageCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
