#include "korvela_data/backup_command.h"

#include <filesystem>
#include <string>
#include <vector>

#include "activities/sport_list.h"
#include "energy/energy_records.h"
#include "korvela_data/private_copy.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/menus.h"
#include "nutrition/unit_dictionary.h"
#include "reports/diary_backup.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout_templates.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

// The shared collections of a data folder, loaded as the program loads them
// at start-up, and the day-record kinds a diary holds.
class TSharedCollections {
 public:
  TSharedCollections(const fs::path& folder, TRandom& random, TFileSystem& fs)
      : menus_(folder, random, fs),
        exercises_(folder, random, fs),
        templates_(folder, config_, random, fs),
        sports_(folder, random, fs),
        stores_{folder, foods_, menus_, exercises_, templates_, sports_, config_, random, fs} {
    // Without the catalogue the user foods and recipes would not be read.
    if (!fs.Exists(folder / kFoodCatalogueFile))
      throw EXMLIOError(folder.string(), "not a Korvela data folder (no food catalogue)");
    (void)LoadFoodCatalogue(foods_, units_, folder, random, fs);
    menus_.LoadMenus();
    exercises_.Load();
    templates_.Load();
    sports_.LoadSports();
    RegisterEnergyRecords(registry_);
    RegisterTrainingRecords(registry_, config_);
  }

  TIEStores& Stores() { return stores_; }
  const TDayRecordRegistry& Registry() const { return registry_; }

 private:
  TConfigurator config_;
  TFoodTree foods_;
  TUnitDictionary units_;
  TMenuList menus_;
  TExerciseDictionary exercises_;
  TTemplateList templates_;
  TSportList sports_;
  TIEStores stores_;
  TDayRecordRegistry registry_;
};

}  // namespace

void RunBackupCommand(TCommandArgs args, TToolEnvironment& env) {
  const fs::path dataFolder(args[0]);
  const fs::path userFolder = dataFolder / fs::path(args[1]);
  const fs::path backupFile(args[2]);
  std::string text;
  WithPrivateDataCopy(dataFolder, userFolder, env.temporaryFolder, [&](const fs::path& copy) {
    TSharedCollections shared(copy, env.random, env.fs);
    const TBackupSummary summary =
        BackUpDiary(copy / userFolder.filename(), shared.Registry(), shared.Stores(), backupFile);
    text = BackedUpText(summary, backupFile);
  });
  env.out << text << '\n';
}

void RunRestoreCommand(TCommandArgs args, TToolEnvironment& env) {
  const fs::path dataFolder(args[0]);
  const fs::path backupFile(args[1]);
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  if (ProgramRunsOn(dataFolder))
    throw EKorvelaError("Korvela is running with this data folder; close it first",
                        (dataFolder / "korvela.lock").string());
  std::vector<std::string> names;
  for (const auto& account : LoadAccountList(dataFolder)) names.push_back(account->UserName);
  // Loading the collections may write them; a damaged backup must change
  // nothing, so it is refused first.
  CheckBackup(backupFile, TConfigurator(), env.random, env.fs);
  TSharedCollections shared(dataFolder, env.random, env.fs);
  const TRestoreOutcome outcome =
      RestoreDiary(backupFile, shared.Stores(), shared.Registry(), names);
  env.out << outcome.folder.filename().string() << '\t' << outcome.userName << '\n';
}

}  // namespace korvela
