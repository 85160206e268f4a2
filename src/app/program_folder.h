#pragma once
#include <filesystem>
#include <string>
#include <string_view>

namespace korvela {

// The writable folder of the shipped and shared files and the account
// folders: KORVELA_HOME when set, otherwise the desktop's per-user data folder.
std::filesystem::path ChooseProgramFolder(const char* korvelaHome,
                                          const std::filesystem::path& desktopDataFolder);

// Where the shipped data files lie for a program in `programDir`: beside it
// in a build tree, in "../share/korvela" when installed.
std::filesystem::path ShippedDataFolder(const std::filesystem::path& programDir);

// Copies the shipped data files into the program folder: program files (string
// table, catalogue, help book) whenever the shipped copy is newer, every
// other file (dictionaries that grow with use) only when absent. Each copy
// replaces its target atomically. Other files beside them are left alone.
void SeedProgramFolder(const std::filesystem::path& shippedFolder,
                       const std::filesystem::path& programFolder);

// Removes what a copy that ended in the middle of a write left behind: the
// temporary files of the program folder and of every account folder ("LItmp",
// "PS12026tmp", "foods.dat.new"), and the folder of a restore that never
// became an account ("restoring123", untouched for an hour). The files they
// were to replace are intact.
void RemoveLeftoverTemporaryFiles(const std::filesystem::path& programFolder);

// What a second start on a data folder in use tells the user.
std::string AlreadyRunningText(const std::filesystem::path& programFolder);
// What a start says when the lock file that keeps a second copy off the
// data folder cannot be made, with the reason the disk gave.
std::string LockFailedText(const std::filesystem::path& lockFile, std::string_view reason);

}  // namespace korvela
