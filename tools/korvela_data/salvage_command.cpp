#include "korvela_data/salvage_command.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "app/record_files.h"
#include "korvela_data/arguments.h"
#include "korvela_data/private_copy.h"
#include "storage/errors.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

std::string Records(int n) { return std::to_string(n) + (n == 1 ? " record" : " records"); }

}  // namespace

void RunSalvageCommand(TCommandArgs args, TToolEnvironment& env) {
  const fs::path dataFolder(args[0]);
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  std::vector<TRecordFile> files = SharedRecordFiles(dataFolder, env.fs);
  if (args.size() > 1) {
    const fs::path userFolder = dataFolder / fs::path(args[1]);
    if (!fs::is_directory(userFolder))
      throw EXMLIOError(userFolder.string(), "no such user folder");
    const std::vector<TRecordFile> own = UserRecordFiles(userFolder, env.fs);
    files.insert(files.end(), own.begin(), own.end());
  }
  if (ProgramRunsOn(dataFolder))
    throw EKorvelaError("Korvela is running with this data folder; close it first",
                        (dataFolder / "korvela.lock").string());

  const TRecordReaders readers;
  bool lost = false;
  for (const TRecordFile& file : files) {
    const TDatabaseCheck check = CheckRecordFile(file, readers, env.fs);
    if (check.Sound()) {
      env.out << file.path.string() << ": sound, "
              << Records(static_cast<int>(check.readable.size())) << '\n';
      continue;
    }
    const TSalvage salvage = SalvageRecordFile(file, readers, env.shippedFolder, env.fs);
    env.out << file.path.string() << ": ";
    if (salvage.database)
      env.out << "kept " << Records(salvage.kept) << ", " << salvage.lost << " could not be read";
    else
      env.out << "no record could be read (" << check.problem << ")";
    if (salvage.filled > 0)
      env.out << ", " << Records(salvage.filled) << " taken from the shipped copy";
    env.out << "; the damaged file is kept as " << salvage.aside.filename().string() << '\n';
    if (salvage.lost > 0 || !salvage.database) lost = true;
  }
  if (lost) throw EReported();
}

}  // namespace korvela
