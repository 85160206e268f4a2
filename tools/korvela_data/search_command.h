#pragma once
#include <iosfwd>
#include <optional>
#include <string_view>

#include "korvela_data/command.h"

namespace korvela {

// search [--category N] DATAFOLDER USERFOLDER QUERY
// Builds the food tree of DATAFOLDER as the program does at start-up and
// takes the frequent foods of USERFOLDER (relative to DATAFOLDER unless
// absolute; "-" for none), searches with the program's messages on and
// prints one "RANK<TAB>NAME" line per result in result order, or the
// message as the only line when the search shows one. Every file is only
// read: an attempt to write one fails.
void RunSearchCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
