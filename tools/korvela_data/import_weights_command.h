#pragma once
#include "korvela_data/command.h"

namespace korvela {

// import-weights [--dry-run] [--lbs] DATAFOLDER USERFOLDER CSVFILE
// Brings weigh-ins or body measurements from a CSV file into a user's
// records, as "Import Weigh-ins and Measurements..." does: prints one line
// per row of the preview (line, date, action, values, reason) and the
// summary, then, unless --dry-run, stores the rows to add and replace and
// prints "stored N". --lbs reads a plain "weight" column as pounds. The dry
// run works on a private copy and changes nothing; the import refuses to
// run while Korvela has the data folder open.
void RunImportWeightsCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
