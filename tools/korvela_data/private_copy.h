#pragma once
#include <filesystem>
#include <functional>

namespace korvela {

// Runs `work` on a private copy of `userFolder`, made in a fresh scratch
// folder under `temporaryFolder` (empty: the system's temporary folder) and
// removed afterwards, also when something fails. The user's own files are
// never touched. An error about a file of the copy is raised again naming
// the user's own file.
void WithPrivateCopy(const std::filesystem::path& userFolder,
                     const std::filesystem::path& temporaryFolder,
                     const std::function<void(const std::filesystem::path& copy)>& work);

}  // namespace korvela
