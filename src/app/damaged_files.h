#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "storage/errors.h"
#include "storage/file_system.h"
#include "users/prompter.h"

namespace korvela {

// A damaged file that has defaults ("CI.DAT", "MI.DAT", "FF.DAT", "FW.DAT")
// need not stop the program: the user may set it aside and go on with the
// defaults. The file is renamed, never deleted, so that nothing is lost.

// The free name the file is set aside under: the name + ".damaged", or
// + ".2.damaged", ".3.damaged", ... when an earlier one is kept there.
std::filesystem::path SetAsideName(const std::filesystem::path& file, TFileSystem& fs);

// The question asked; `contents` says what the defaults replace ("settings").
std::string SetAsideQuestion(const std::filesystem::path& file, std::string_view contents,
                             TFileSystem& fs);

// Called with the error that reading `file` raised. When the error names the
// file, the file is there and the user agrees, renames it to SetAsideName and
// returns true: the caller goes on with the defaults. Otherwise (no prompter,
// another file, the answer No) returns false and the caller lets the error
// go on to the error report.
bool OfferToSetAside(const EKorvelaError& error, const std::filesystem::path& file,
                     std::string_view contents, TPrompter* prompter,
                     TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
