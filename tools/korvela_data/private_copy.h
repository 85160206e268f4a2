#pragma once
#include <filesystem>
#include <functional>

#include "training/exercise_dictionary.h"

namespace korvela {

// Runs `work` on a private copy of `userFolder`, made in a fresh scratch
// folder under `temporaryFolder` (empty: the system's temporary folder) and
// removed afterwards, also when something fails. The user's own files are
// never touched. An error about a file of the copy is raised again naming
// the user's own file.
void WithPrivateCopy(const std::filesystem::path& userFolder,
                     const std::filesystem::path& temporaryFolder,
                     const std::function<void(const std::filesystem::path& copy)>& work);

// Runs `work` on a private copy of a data folder: its own files and the one
// user folder `userFolder` (a folder of `dataFolder`), without the other
// accounts. Errors about a copied file name the original.
void WithPrivateDataCopy(const std::filesystem::path& dataFolder,
                         const std::filesystem::path& userFolder,
                         const std::filesystem::path& temporaryFolder,
                         const std::function<void(const std::filesystem::path& copy)>& work);

// Whether a running Korvela has the data folder open: it keeps
// "korvela.lock" there with its process number on the first line.
bool ProgramRunsOn(const std::filesystem::path& dataFolder);

// Copies the exercise dictionary of `dataFolder` into a folder "data" under
// `scratch` and returns that folder: loading the dictionary may store
// missing classifications, which must not reach the user's files.
std::filesystem::path CopyExerciseDictionary(const std::filesystem::path& dataFolder,
                                             const std::filesystem::path& scratch);
// Loads a dictionary made on such a copy; an error names the original file
// of `dataFolder`.
void LoadCopiedDictionary(TExerciseDictionary& dictionary, const std::filesystem::path& dataFolder);

}  // namespace korvela
