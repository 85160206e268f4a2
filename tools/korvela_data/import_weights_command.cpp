#include "korvela_data/import_weights_command.h"

#include <fstream>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>

#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "energy/weigh_in_import.h"
#include "korvela_data/arguments.h"
#include "korvela_data/private_copy.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "storage/staged_commit.h"
#include "users/user.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

std::string ReadWholeFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw EXMLIOError(path.string(), "cannot open the file");
  std::ostringstream text;
  text << in.rdbuf();
  if (in.bad()) throw EXMLIOError(path.string(), "cannot read the file");
  return text.str();
}

void Import(const fs::path& userFolder, const std::string& csv, const fs::path& csvPath,
            TImportUnit unit, bool store, const TClock& clock, std::ostream& out,
            TToolEnvironment& env) {
  const std::unique_ptr<TUser> user = LoadUser(userFolder);
  TDayRecordRegistry registry;
  RegisterEnergyRecords(registry);
  TDayRecordStore records(registry, env.random, env.fs);
  if (store) CompleteStagedCommit(env.fs, userFolder);
  records.OpenDayRecords(userFolder);
  TEnergyModel model(records, *user, clock);
  // The projection the restart writes goes in with the import, or not at all.
  if (store) records.HoldFlushes();
  model.RestartEnergyModel();
  std::string why;
  const std::optional<TImportPreview> preview =
      PreviewImport(csv, unit, records, clock.Today(), &why);
  if (!preview) throw EKorvelaError(why, csvPath.string());
  for (const std::string& line : PreviewLines(*preview)) out << line << '\n';
  out << preview->Summary() << '\n';
  if (store) {
    TImportOutcome outcome;
    try {
      outcome = ApplyImport(*preview, model, records, *user);
      if (records.HoldsFlushes()) outcome.inPlace = records.CommitHeldChanges() && outcome.inPlace;
    } catch (const EXMLIOError& e) {
      throw EXMLIOError(e.File(), e.Message() + "; nothing was imported, the diary is as it was");
    }
    out << "stored " << outcome.stored << '\n';
    if (!outcome.inPlace) out << kMsgImportedLater << '\n';
  }
  records.CloseDayRecords();
}

}  // namespace

void RunImportWeightsCommand(TCommandArgs args, TToolEnvironment& env) {
  bool dryRun = false;
  TImportUnit unit = TImportUnit::Kilograms;
  while (args.size() > 3) {
    if (args[0] == "--dry-run" && !dryRun)
      dryRun = true;
    else if (args[0] == "--lbs" && unit == TImportUnit::Kilograms)
      unit = TImportUnit::Pounds;
    else
      throw EUsageError("unknown or repeated option '" + std::string(args[0]) + "'");
    args = args.subspan(1);
  }
  const fs::path dataFolder(args[0]);
  const fs::path userFolder = dataFolder / fs::path(args[1]);
  const fs::path csvPath(args[2]);
  const std::unique_ptr<TClock> clock = CommandClock(env.today);
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  const std::string csv = ReadWholeFile(csvPath);

  std::ostringstream text;
  if (dryRun) {
    WithPrivateCopy(userFolder, env.temporaryFolder, [&](const fs::path& copy) {
      Import(copy, csv, csvPath, unit, false, *clock, text, env);
    });
  } else {
    if (ProgramRunsOn(dataFolder))
      throw EKorvelaError("Korvela is running with this data folder; close it first",
                          (dataFolder / "korvela.lock").string());
    Import(userFolder, csv, csvPath, unit, true, *clock, text, env);
  }
  env.out << text.str();
}

}  // namespace korvela
