#include "app/record_files.h"

#include <algorithm>

#include "activities/sport.h"
#include "energy/energy_records.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_element.h"
#include "nutrition/food_log_store.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/menus.h"
#include "nutrition/recipes.h"
#include "nutrition/user_foods.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/value_text.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout.h"
#include "training/workout_templates.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

void RefuseBlob(const XMLNode& node) {
  if (node.IsBlob) throw EInvalidXMLFile();
}

std::string Plural(int n, std::string_view one, std::string_view many) {
  return std::to_string(n) + " " + std::string(n == 1 ? one : many);
}

}  // namespace

std::vector<TRecordFile> SharedRecordFiles(const fs::path& programFolder, TFileSystem& fs) {
  const TRecordFile all[] = {
      {programFolder / kUserFoodsFile, kUserFoodsKind, "user-added foods", false},
      {programFolder / kRecipeBoxFile, kRecipeBoxKind, "recipes", false},
      {programFolder / kMenusFile, kMenusKind, "menus", false},
      {programFolder / kExerciseFile, kExerciseDBKind, "exercises", true},
      {programFolder / kTemplateFile, kTemplateDBKind, "workout templates", false},
      {programFolder / kSportsFile, kSportsKind, "activities", true},
  };
  std::vector<TRecordFile> present;
  for (const TRecordFile& f : all)
    if (fs.Exists(f.path)) present.push_back(f);
  return present;
}

std::vector<TRecordFile> UserRecordFiles(const fs::path& userFolder, TFileSystem& fs) {
  std::vector<TRecordFile> present;
  const TRecordFile named[] = {
      {userFolder / kFrequentFoodsFile, kFrequentFoodsKind, "frequent foods", false},
      {userFolder / kCurrentFoodLogsFile, kFoodLogKind, "food logs", false},
      {userFolder / kArchivedFoodLogsFile, kFoodLogKind, "archived food logs", false},
  };
  for (const TRecordFile& f : named)
    if (fs.Exists(f.path)) present.push_back(f);
  std::vector<fs::path> periods;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(userFolder, ec))
    if (IsDayRecordFileName(entry.path().filename().string())) periods.push_back(entry.path());
  std::sort(periods.begin(), periods.end());
  for (const fs::path& p : periods) present.push_back({p, kDayRecordsKind, "day records", false});
  return present;
}

TRecordReaders::TRecordReaders() {
  RegisterEnergyRecords(registry_);
  RegisterTrainingRecords(registry_, config_);
}

TRecordKeyOf TRecordReaders::KeyOf(std::int32_t kind) {
  if (kind != kStringTableKind) return {};
  return [](std::int32_t id) { return IntText(id); };
}

TRecordReader TRecordReaders::For(std::int32_t kind) const {
  switch (kind) {
    case kDayRecordsKind:
      return [this](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstDayRecordKind || id > kLastDayRecordKind || !registry_.Has(id))
          return;  // kinds the program does not read
        RefuseBlob(node);
        registry_.Create(id, nullptr)->Read(node);
      };
    case kFoodLogKind:
      return [](std::int32_t id, double, const XMLNode& node) {
        if (id != kFoodLogID) return;
        RefuseBlob(node);
        (void)ReadFoodLogElement(node);
      };
    case kMenusKind:
      return [](std::int32_t, double, const XMLNode& node) {
        RefuseBlob(node);
        (void)ReadFoodLogElement(node);
      };
    case kUserFoodsKind:
      return [](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstFreeID) return;
        RefuseBlob(node);
        TUserFood food;
        ReadUserFoodElement(node, food);
      };
    case kFrequentFoodsKind:
      return [](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstFreeID) return;
        RefuseBlob(node);
        TFrequentFood food;
        ReadFrequentFoodElement(node, food);
      };
    case kRecipeBoxKind:
      return [](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstFreeID) return;
        RefuseBlob(node);
        TRecipeFood recipe;
        ReadFoodElement(node, recipe);
        if (!recipe.recipe) throw EKorvelaError("a recipe without its recipe element");
      };
    case kExerciseDBKind:
      return [](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstClassID) return;
        RefuseBlob(node);
        if (id <= kLastClassID)
          (void)ReadDClass(node, id);
        else
          (void)ReadDrill(node, false);
      };
    case kTemplateDBKind:
      return [this](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstTemplateID) return;
        RefuseBlob(node);
        (void)ReadWorkout(node, config_);
      };
    case kSportsKind:
      return [](std::int32_t id, double, const XMLNode& node) {
        if (id < kFirstFreeID) return;
        RefuseBlob(node);
        TSport sport;
        sport.Read(node);
      };
    default:
      return {};
  }
}

TDatabaseCheck CheckRecordFile(const TRecordFile& file, const TRecordReaders& readers,
                               TFileSystem& fs) {
  return CheckRecordDatabase(file.path, file.kind, fs, readers.For(file.kind),
                             TRecordReaders::KeyOf(file.kind));
}

fs::path ShippedCopyOf(const TRecordFile& file, const fs::path& shippedFolder, TFileSystem& fs) {
  if (!file.shipped || shippedFolder.empty()) return {};
  const fs::path copy = shippedFolder / file.path.filename();
  std::error_code ec;
  if (!fs.Exists(copy) || fs::equivalent(copy, file.path, ec)) return {};
  return copy;
}

TSalvage SalvageRecordFile(const TRecordFile& file, const TRecordReaders& readers,
                           const fs::path& shippedFolder, TFileSystem& fs) {
  return SalvageRecordDatabase(file.path, file.kind, fs, readers.For(file.kind),
                               TRecordReaders::KeyOf(file.kind),
                               ShippedCopyOf(file, shippedFolder, fs));
}

std::string SalvageQuestion(const TRecordFile& file, const TDatabaseCheck& check,
                            bool fromShippedCopy, TFileSystem& fs) {
  const std::string aside = FreeSetAsideName(file.path, fs).filename().string();
  const int kept = static_cast<int>(check.readable.size());
  std::string text = "The file \"" + file.path.string() + "\" (" + file.contents + ") is damaged: ";
  if (!check.database)
    text += "none of its records can be read (" + check.problem + ").";
  else
    text += Plural(check.Lost(), "record", "records") + " cannot be read; " +
            Plural(kept, "record", "records") + " can.";
  text += "\n\n";
  if (check.database && kept > 0)
    text += "Keep the " + Plural(kept, "readable record", "readable records") + ", set";
  else
    text += "Set";
  text += " the damaged file aside as \"" + aside + "\"";
  if (fromShippedCopy)
    text += ", take what is missing from the copy that came with the program";
  else if (!check.database || kept == 0)
    text += ", start the file afresh";
  text +=
      " and go on? The damaged file is kept in its folder.\n\n"
      "No ends the program with an error report.";
  return text;
}

void OfferToSalvage(const std::vector<TRecordFile>& files, const fs::path& shippedFolder,
                    TPrompter* prompter, TFileSystem& fs) {
  if (!prompter) return;
  const TRecordReaders readers;
  for (const TRecordFile& file : files) {
    const TDatabaseCheck check = CheckRecordFile(file, readers, fs);
    if (check.Sound()) continue;
    const bool fromShipped = !ShippedCopyOf(file, shippedFolder, fs).empty();
    if (!prompter->AskYesNo(SalvageQuestion(file, check, fromShipped, fs)))
      throw EXMLIOError(
          file.path.string(),
          check.database ? "damaged record database: " + Plural(check.Lost(), "record", "records") +
                               " cannot be read"
                         : check.problem);
    (void)SalvageRecordFile(file, readers, shippedFolder, fs);
  }
}

}  // namespace korvela
