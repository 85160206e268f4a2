#pragma once
#include <filesystem>
#include <string>

#include "storage/errors.h"

namespace korvela {

// What a screen tells the user when the disk refuses one of its writes (full,
// read-only, no permission): the file, the reason, and that what was typed
// is still on the screen and the file keeps its earlier content.
std::string WriteRefusedText(const std::filesystem::path& file, const EKorvelaError& error);
// The same for the file the error names.
std::string WriteRefusedText(const EXMLIOError& error);

}  // namespace korvela
