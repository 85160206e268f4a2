#include "app/program_folder.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <string_view>
#include <vector>

#include "reports/diary_backup.h"
#include "storage/errors.h"
#include "storage/file_system.h"

namespace korvela {
namespace {

// Files that belong to the program itself and follow its version.
constexpr std::array<std::string_view, 3> kProgramFiles = {"rs.dat", "foods.dat", "Help.dat"};
// Dictionaries that start from a shipped copy and then grow with use.
constexpr std::array<std::string_view, 4> kGrowingFiles = {"SAA.DAT", "GDDB.DAT", "PWTD.DAT",
                                                           "FW.DAT"};

template <std::size_t N>
bool IsOneOf(const std::string& name, const std::array<std::string_view, N>& names) {
  for (std::string_view n : names)
    if (name == n) return true;
  return false;
}

void CopyAtomically(const std::filesystem::path& from, const std::filesystem::path& to) {
  const std::filesystem::path temp = to.string() + ".new";
  std::error_code ec;
  std::filesystem::copy_file(from, temp, std::filesystem::copy_options::overwrite_existing, ec);
  if (ec) throw EXMLIOError(to.string(), "cannot copy the shipped file: " + ec.message());
  PosixFileSystem().Rename(temp, to);
}

}  // namespace

std::filesystem::path ChooseProgramFolder(const char* korvelaHome,
                                          const std::filesystem::path& desktopDataFolder) {
  if (korvelaHome && *korvelaHome) return korvelaHome;
  return desktopDataFolder;
}

std::filesystem::path ShippedDataFolder(const std::filesystem::path& programDir) {
  std::error_code ec;
  if (std::filesystem::exists(programDir / "rs.dat", ec)) return programDir;
  const std::filesystem::path installed = programDir.parent_path() / "share" / "korvela";
  if (std::filesystem::exists(installed / "rs.dat", ec)) return installed;
  return programDir;
}

void SeedProgramFolder(const std::filesystem::path& shippedFolder,
                       const std::filesystem::path& programFolder) {
  std::error_code ec;
  std::filesystem::create_directories(programFolder, ec);
  if (ec) throw EXMLIOError(programFolder.string(), "cannot create the program folder");
  if (!std::filesystem::is_directory(shippedFolder)) return;
  for (const auto& entry : std::filesystem::directory_iterator(shippedFolder, ec)) {
    if (!entry.is_regular_file()) continue;
    const std::string name = entry.path().filename().string();
    const bool programFile = IsOneOf(name, kProgramFiles);
    if (!programFile && !IsOneOf(name, kGrowingFiles)) continue;
    const std::filesystem::path target = programFolder / name;
    if (!std::filesystem::exists(target)) {
      CopyAtomically(entry.path(), target);
    } else if (programFile && std::filesystem::last_write_time(entry.path()) >
                                  std::filesystem::last_write_time(target)) {
      CopyAtomically(entry.path(), target);
    }
  }
}

void RemoveLeftoverTemporaryFiles(const std::filesystem::path& programFolder) {
  const auto isLeftover = [](const std::filesystem::directory_entry& entry) {
    if (!entry.is_regular_file() || entry.is_symlink()) return false;
    const std::string name = entry.path().filename().string();
    const bool replaced = name.size() > 3 && name.find('.') == std::string::npos &&
                          name.compare(name.size() - 3, 3, "tmp") == 0;
    const bool copied = name.size() > 4 && name.compare(name.size() - 4, 4, ".new") == 0;
    return replaced || copied;
  };
  const auto clean = [&isLeftover](const std::filesystem::path& folder) {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
      if (isLeftover(entry)) std::filesystem::remove(entry.path(), ec);
  };
  clean(programFolder);
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder, ec)) {
    const std::string name = entry.path().filename().string();
    if (name.rfind("usr", 0) == 0 && entry.is_directory() && !entry.is_symlink())
      clean(entry.path());
  }
  // A restore that ended before its account was moved into place. A restore
  // takes seconds; one younger than an hour may still be at work (the data
  // tool restores without the program).
  const auto abandoned = std::filesystem::file_time_type::clock::now() - std::chrono::hours(1);
  std::vector<std::filesystem::path> staging;
  for (const auto& entry : std::filesystem::directory_iterator(programFolder, ec)) {
    const std::string name = entry.path().filename().string();
    const std::string_view number =
        std::string_view(name).substr(std::min(name.size(), kRestoreStagingPrefix.size()));
    if (name.starts_with(kRestoreStagingPrefix) && !number.empty() &&
        std::all_of(number.begin(), number.end(), [](char c) { return c >= '0' && c <= '9'; }) &&
        entry.is_directory() && !entry.is_symlink() && entry.last_write_time(ec) < abandoned && !ec)
      staging.push_back(entry.path());
  }
  for (const auto& folder : staging) std::filesystem::remove_all(folder, ec);
}

std::string AlreadyRunningText(const std::filesystem::path& programFolder) {
  return "Korvela is already running with the data folder " + programFolder.string() + ".";
}

std::string LockFailedText(const std::filesystem::path& lockFile, std::string_view reason) {
  return "Korvela cannot start: the file " + lockFile.string() + " cannot be written (" +
         std::string(reason) +
         "). Make room on the disk or make the data folder writable, then start Korvela again.";
}

}  // namespace korvela
