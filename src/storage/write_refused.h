#pragma once
#include <string>

#include "storage/errors.h"

namespace korvela {

// What a screen tells the user when the disk refuses one of its writes (full,
// read-only, no permission): the file, the reason, and that nothing typed is
// lost.
std::string WriteRefusedText(const EXMLIOError& error);

}  // namespace korvela
