#pragma once
#include "korvela_data/command.h"

namespace korvela {

// strength WEIGHT UNIT REPS
// The maximal-strength calculator: WEIGHT (read with ".") in UNIT ("kg" or
// "lbs") lifted to failure REPS times (1 to 20); prints 20 rows
// k<TAB>%1RM<TAB>weight, the weight in UNIT with "." as decimal character.
// A weight over 1000 kg is a usage error.
void RunStrengthCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
