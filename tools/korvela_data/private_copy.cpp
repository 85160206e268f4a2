#include "korvela_data/private_copy.h"

#include <signal.h>
#include <stdlib.h>  // mkdtemp

#include <fstream>

#include <string>
#include <system_error>

#include "storage/errors.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

// A fresh, private folder removed with everything in it when this goes.
class TScratchFolder {
 public:
  explicit TScratchFolder(const fs::path& parent) {
    std::string pattern = (parent / "korvela-copy-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
      throw EXMLIOError(parent.string(), "cannot create a temporary folder");
    path_ = pattern;
  }
  ~TScratchFolder() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  TScratchFolder(const TScratchFolder&) = delete;
  TScratchFolder& operator=(const TScratchFolder&) = delete;

  const fs::path& Path() const { return path_; }

 private:
  fs::path path_;
};

void CopyFolder(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  fs::copy(from, to, fs::copy_options::recursive, ec);
  if (ec) throw EXMLIOError(from.string(), "cannot copy the user folder: " + ec.message());
}

// The name of `file` when it lies inside `copy`: the same file of `original`.
std::string OriginalName(const std::string& file, const fs::path& copy, const fs::path& original) {
  if (file.empty()) return file;
  const fs::path relative = fs::path(file).lexically_relative(copy);
  if (relative.empty() || *relative.begin() == "..") return file;
  if (relative == ".") return original.string();
  return (original / relative).string();
}

// Runs `work` on the copy; an error about a file of the copy is raised again
// naming the original's file.
void WorkOnCopy(const fs::path& copy, const fs::path& original,
                const std::function<void(const fs::path& copy)>& work) {
  try {
    work(copy);
  } catch (const EKorvelaError& e) {
    const std::string file = OriginalName(e.File(), copy, original);
    if (file == e.File()) throw;
    throw EKorvelaError(e.Message().empty() ? e.KindText() : e.Message(), file);
  }
}

}  // namespace

void WithPrivateCopy(const fs::path& userFolder, const fs::path& temporaryFolder,
                     const std::function<void(const fs::path& copy)>& work) {
  if (!fs::is_directory(userFolder)) throw EXMLIOError(userFolder.string(), "no such user folder");
  const TScratchFolder scratch(temporaryFolder.empty() ? fs::temp_directory_path()
                                                       : temporaryFolder);
  const fs::path copy = scratch.Path() / "user";
  CopyFolder(userFolder, copy);
  WorkOnCopy(copy, userFolder, work);
}

void WithPrivateDataCopy(const fs::path& dataFolder, const fs::path& userFolder,
                         const fs::path& temporaryFolder,
                         const std::function<void(const fs::path& copy)>& work) {
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  if (!fs::is_directory(userFolder)) throw EXMLIOError(userFolder.string(), "no such user folder");
  const TScratchFolder scratch(temporaryFolder.empty() ? fs::temp_directory_path()
                                                       : temporaryFolder);
  const fs::path copy = scratch.Path() / "data";
  std::error_code ec;
  fs::create_directory(copy, ec);
  for (fs::directory_iterator it(dataFolder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    fs::copy_file(it->path(), copy / it->path().filename(), ec);
  }
  if (ec) throw EXMLIOError(dataFolder.string(), "cannot copy the data folder: " + ec.message());
  CopyFolder(userFolder, copy / userFolder.filename());
  WorkOnCopy(copy, dataFolder, work);
}

bool ProgramRunsOn(const fs::path& dataFolder) {
  std::ifstream lock(dataFolder / "korvela.lock");
  long pid = 0;
  if (!(lock >> pid) || pid <= 0) return false;
  return ::kill(static_cast<pid_t>(pid), 0) == 0;
}

fs::path CopyExerciseDictionary(const fs::path& dataFolder, const fs::path& scratch) {
  const fs::path original = dataFolder / kExerciseFile;
  if (!fs::is_regular_file(original))
    throw EXMLIOError(original.string(), "no exercise dictionary");
  const fs::path folder = scratch / "data";
  std::error_code ec;
  fs::create_directories(folder, ec);
  if (!ec) fs::copy_file(original, folder / kExerciseFile, ec);
  if (ec) throw EXMLIOError(original.string(), "cannot copy the exercise dictionary");
  return folder;
}

void LoadCopiedDictionary(TExerciseDictionary& dictionary, const fs::path& dataFolder) {
  try {
    dictionary.Load();
  } catch (const EKorvelaError& e) {
    throw EKorvelaError(e.Message().empty() ? e.KindText() : e.Message(),
                        (dataFolder / kExerciseFile).string());
  }
}

}  // namespace korvela
