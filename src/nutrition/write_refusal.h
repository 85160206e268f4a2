#pragma once
#include <filesystem>
#include <string>

#include "storage/errors.h"

namespace korvela {

// The warning when the disk refuses to write a file that a screen saves: the
// file, the folder and the reason, and that the user's changes are still on
// the screen to save again.
std::string WriteRefusedMessage(const std::filesystem::path& file, const EKorvelaError& error);

}  // namespace korvela
