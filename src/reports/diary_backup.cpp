#include "reports/diary_backup.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <system_error>
#include <variant>

#include "activities/sport_list.h"
#include "energy/cal_stat.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_log_store.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/menus.h"
#include "nutrition/recipes.h"
#include "storage/base64.h"
#include "storage/garbled_stream.h"
#include "storage/text_helpers.h"
#include "storage/xml_db.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout.h"
#include "training/workout_templates.h"
#include "users/account_forms.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr std::int32_t kHeaderID = 4;
constexpr double kHeaderDate = 1;
constexpr double kFileDate = 2;
constexpr double kItemDate = 3;
constexpr double kExercisesDate = 4;
constexpr std::string_view kLevelAttr = "REQ";
constexpr std::string_view kUserNameAttr = "NAME";
constexpr std::string_view kRecordCountAttr = "RECORDS";
constexpr std::string_view kFileNameAttr = "NAME";
constexpr std::string_view kFileSizeAttr = "SIZE";
constexpr std::string_view kFileCrcAttr = "CRC";

// Positions of the kinds in MakeExchangeKinds.
enum TKindIndex : std::size_t { kFoods, kRecipes, kMenus, kExercises, kSports, kTemplates };

// Names compared as the lists compare them: trimmed, ASCII letter case
// ignored.
std::string NameKey(std::string_view name) {
  std::string key(TrimmedName(name));
  for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return key;
}

std::string ReadBytes(TFileSystem& fs, const fs::path& path) {
  const std::unique_ptr<TReadableFile> file = fs.OpenRead(path);
  std::string bytes(static_cast<std::size_t>(file->Size()), '\0');
  if (!bytes.empty()) file->ReadAt(0, bytes.data(), bytes.size());
  return bytes;
}

// The files of an account folder by name: its regular files, the temporary
// files of an interrupted write left out.
std::vector<std::string> AccountFiles(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code ec;
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    if (!it->is_regular_file(ec)) continue;
    const std::string name = it->path().filename().string();
    if (name.ends_with("tmp")) continue;
    names.push_back(name);
  }
  if (ec) throw EXMLIOError(folder.string(), "cannot list the account folder: " + ec.message());
  std::sort(names.begin(), names.end());
  return names;
}

// A file name the backup may carry: one plain name inside the folder.
bool IsPlainFileName(std::string_view name) {
  return !name.empty() && name != "." && name != ".." && name.find('/') == std::string_view::npos &&
         name.find('\\') == std::string_view::npos && name.find('\0') == std::string_view::npos;
}

std::string CrcText(std::string_view bytes) {
  char text[9];
  std::snprintf(text, sizeof text, "%08x", Crc32Update(0, bytes.data(), bytes.size()));
  return text;
}

// What the diary of a folder names among the shared items.
struct TUsedItems {
  std::set<std::string> foods;       // name keys
  std::set<std::string> activities;  // name keys
  std::vector<std::int32_t> exercises;

  void AddExercise(std::int32_t id) {
    if (id >= 0 && std::find(exercises.begin(), exercises.end(), id) == exercises.end())
      exercises.push_back(id);
  }
  void AddFoods(const TDaysMeals& plan) {
    for (const TMeal& meal : plan.meals)
      for (const TWFoodItem& food : meal.foods) foods.insert(NameKey(food.Name));
  }
  void AddLines(const TWorkout& workout) {
    for (const TWLine& line : workout.Lines)
      if (const auto* set = std::get_if<TDrillSet>(&line)) AddExercise(set->DID);
  }
};

// Hands every record of a record database from identifier `firstID` on to
// `read`; an absent file has none. An error names the file.
template <typename Read>
void ReadEveryRecord(const fs::path& file, std::int32_t kind, std::int32_t firstID, Read&& read,
                     TRandom& random, TFileSystem& fs) {
  if (!fs.Exists(file)) return;
  XMLDB db(file, kind, random, fs);
  for (const XMLHandle& handle : db.Handles()) {
    if (handle.ID < firstID) continue;
    if (const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date)) {
      try {
        read(*node);
      } catch (EKorvelaError& e) {
        e.SetFileIfUnknown(file.string());
        throw;
      }
    }
  }
}

void ScanFoodLogs(const fs::path& file, TUsedItems& used, TRandom& random, TFileSystem& fs) {
  ReadEveryRecord(
      file, kFoodLogKind, 0, [&](const XMLNode& node) { used.AddFoods(ReadFoodLogElement(node)); },
      random, fs);
}

void ScanFrequentFoods(const fs::path& file, TUsedItems& used, TRandom& random, TFileSystem& fs) {
  ReadEveryRecord(
      file, kFrequentFoodsKind, kFirstFreeID,
      [&](const XMLNode& node) {
        TFrequentFood food;
        ReadFrequentFoodElement(node, food);
        used.foods.insert(NameKey(food.Name));
      },
      random, fs);
}

// The day-record kinds that name exercises, and where: the set lines of a
// day's workouts and the day's personal records. Loads the record.
constexpr std::array<std::int32_t, 2> kExerciseRecordKinds = {kWorkoutDayKind, kPRWrapperKind};
std::vector<std::int32_t*> ExerciseIDsOf(TDayRecordStore& store, TDBC& entry) {
  std::vector<std::int32_t*> ids;
  if (entry.Kind == kWorkoutDayKind) {
    for (TWorkout& workout : store.Loaded<TWorkoutDay>(entry).Workouts)
      for (TWLine& line : workout.Lines)
        if (auto* set = std::get_if<TDrillSet>(&line)) ids.push_back(&set->DID);
  } else if (entry.Kind == kPRWrapperKind) {
    for (TDrillPR& record : store.Loaded<TPRWrapper>(entry).Records) ids.push_back(&record.DID);
  }
  return ids;
}

void ScanDayRecords(const fs::path& folder, const TDayRecordRegistry& registry, TUsedItems& used,
                    TRandom& random, TFileSystem& fs) {
  TDayRecordStore store(registry, random, fs);
  store.OpenDayRecords(folder);
  for (const auto& entry : store.List(kCalStatKind))
    for (const TSECERec& activity : store.Loaded<TCalStat>(*entry).Entries)
      if (activity.Type == 0) used.activities.insert(NameKey(activity.Name));
  for (const std::int32_t kind : kExerciseRecordKinds)
    for (const auto& entry : store.List(kind))
      for (const std::int32_t* id : ExerciseIDsOf(store, *entry)) used.AddExercise(*id);
  store.CloseDayRecords();
}

// Adds to the used foods what the used recipes hold, recipes within recipes
// included.
void AddRecipeIngredients(TFoodTree& foods, TUsedItems& used) {
  std::set<std::string> expanded;
  for (bool grew = true; grew;) {
    grew = false;
    for (const auto& recipe : foods.RecipeList().Foods) {
      const std::string key = NameKey(recipe->Name);
      if (!used.foods.count(key) || !expanded.insert(key).second) continue;
      for (const TWFoodItem& ingredient : RecipeOf(*recipe).ingredients)
        grew |= used.foods.insert(NameKey(ingredient.Name)).second;
    }
  }
}

// One file of a backup as it will be written into the new folder.
struct TBackedUpFile {
  std::string name;
  std::string bytes;
};

// A backup read whole and checked.
struct TBackupContents {
  std::vector<TBackedUpFile> files;
  std::vector<const XMLNode*> items;  // owned by the open database
  std::vector<TDrill> exercises;      // each under its negated identifier
};

void Require(bool condition, const fs::path& file) {
  if (!condition) throw EBackupDamaged(file.string());
}

TBackedUpFile ReadFileElement(const XMLNode& element, const fs::path& backupFile) {
  Require(element.Name == kBackupFileElement && !element.IsBlob, backupFile);
  TBackedUpFile file{element.AttrOrEmpty(kFileNameAttr).str(), {}};
  Require(IsPlainFileName(file.name), backupFile);
  std::optional<std::string> bytes = DecodeBase64(element.Text.view());
  Require(bytes.has_value(), backupFile);
  Require(element.AttrOrEmpty(kFileSizeAttr) == std::to_string(bytes->size()), backupFile);
  Require(element.AttrOrEmpty(kFileCrcAttr) == CrcText(*bytes), backupFile);
  file.bytes = std::move(*bytes);
  return file;
}

// Reads every record of the backup and checks it with the readers the
// restore uses; nothing is written.
TBackupContents ReadBackup(XMLDB& db, const std::vector<std::unique_ptr<TIEBase>>& kinds) {
  const fs::path& backupFile = db.FileName();
  TBackupContents contents;
  std::size_t records = 0;
  std::set<std::string> names;
  try {
    const XMLNode* header = db.Get(kHeaderID, kDataKey, kHeaderDate);
    Require(header && !header->IsBlob && header->Name == kBackupHeaderElement &&
                header->FindAttr(kLevelAttr) && header->FindAttr(kRecordCountAttr),
            backupFile);
    if (header->AttrInt(kLevelAttr) > kBackupFormatLevel)
      throw EBackupDamaged(backupFile.string(), kMsgBackupTooNew);
    const std::int32_t expected = header->AttrInt(kRecordCountAttr);
    for (const XMLHandle& handle : db.Handles()) {
      if (handle.ID == kHeaderID && handle.Date == kHeaderDate) continue;
      const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
      Require(node && !node->IsBlob, backupFile);
      ++records;
      if (handle.Date == kFileDate) {
        TBackedUpFile file = ReadFileElement(*node, backupFile);
        Require(names.insert(file.name).second, backupFile);
        contents.files.push_back(std::move(file));
      } else if (handle.Date == kItemDate) {
        const auto kind = std::find_if(kinds.begin(), kinds.end(),
                                       [&](const auto& k) { return k->IsOfKind(*node); });
        Require(kind != kinds.end(), backupFile);
        (*kind)->CheckItem(*node);
        contents.items.push_back(node);
      } else if (handle.Date == kExercisesDate) {
        Require(node->Name == kBackupExercisesElement, backupFile);
        for (const auto& child : node->Children)
          contents.exercises.push_back(ReadSentExercise(*child));
      } else {
        Require(false, backupFile);
      }
    }
    Require(static_cast<std::int64_t>(records) == expected, backupFile);
    Require(names.count(kAccountFileName) == 1, backupFile);
  } catch (const EBackupDamaged&) {
    throw;
  } catch (const EKorvelaError&) {
    // A checksum or grammar that fails, a value that is not a number: the
    // backup as a whole is damaged.
    throw EBackupDamaged(backupFile.string());
  }
  return contents;
}

// The backup's record database; a file that is none raises EBackupDamaged.
// A missing file is not created.
std::unique_ptr<XMLDB> OpenBackup(const fs::path& backupFile, TRandom& random, TFileSystem& fs) {
  if (!fs.Exists(backupFile)) throw EXMLIOError(backupFile.string(), "no such file");
  try {
    return std::make_unique<XMLDB>(backupFile, kBackupKind, random, fs);
  } catch (const EKorvelaError&) {
    throw EBackupDamaged(backupFile.string());
  }
}

void WriteBytes(TFileSystem& fs, const fs::path& path, const std::string& bytes) {
  std::unique_ptr<TWritableFile> file = fs.Create(path);
  file->Write(bytes.data(), bytes.size());
  file->Flush();
  file->Close();
}

// The workouts and personal records of a restored folder, read whole before
// anything outside the folder changes, then pointed at the local exercises.
class TRestoredTraining {
 public:
  // A record that cannot be read came so from the backup.
  TRestoredTraining(const fs::path& folder, const TDayRecordRegistry& registry, TRandom& random,
                    TFileSystem& fs, const fs::path& backupFile)
      : store_(registry, random, fs) {
    try {
      store_.OpenDayRecords(folder);
      for (const std::int32_t kind : kExerciseRecordKinds)
        for (const auto& entry : store_.List(kind)) ExerciseIDsOf(store_, *entry);
    } catch (const EKorvelaError&) {
      throw EBackupDamaged(backupFile.string());
    }
  }

  // Renumbers every exercise by the map; one the backup does not carry is
  // named by none. The changed records are written.
  void Link(const std::map<std::int32_t, std::int32_t>& local) {
    const auto linked = [&](std::int32_t id) {
      if (id < 0) return id;
      const auto found = local.find(id);
      return found == local.end() ? -1 : found->second;
    };
    for (const std::int32_t kind : kExerciseRecordKinds) {
      for (const auto& entry : store_.List(kind)) {
        bool changed = false;
        for (std::int32_t* id : ExerciseIDsOf(store_, *entry)) {
          changed = changed || linked(*id) != *id;
          *id = linked(*id);
        }
        if (changed) store_.SaveDayRecord(*entry);
      }
    }
    store_.CloseDayRecords();
  }

 private:
  TDayRecordStore store_;
};

// A folder of the program folder that no account and no other restore
// uses; its name does not start with "usr", so the account list never
// shows it.
fs::path StagingFolder(const fs::path& programFolder, TRandom& random, TFileSystem& fs) {
  for (;;) {
    const fs::path folder = programFolder / (std::string(kRestoreStagingPrefix) +
                                             std::to_string(random.Uniform(0, 1000000)));
    if (fs.CreateFolder(folder)) return folder;
  }
}

}  // namespace

std::unique_ptr<XMLNode> BackupFileRecord(const std::string& name, std::string_view bytes) {
  auto element =
      std::make_unique<XMLNode>(std::string(kBackupFileElement), XMLString(EncodeBase64(bytes)));
  element->AddAttr(std::string(kFileNameAttr), name);
  element->AddAttr(std::string(kFileSizeAttr), std::to_string(bytes.size()));
  element->AddAttr(std::string(kFileCrcAttr), CrcText(bytes));
  return element;
}

std::string DefaultBackupFileName(std::string_view userName, TDateTime today) {
  std::string name(TrimmedName(userName));
  for (char& c : name)
    if (c == '/' || c == '\\' || c == ':' || static_cast<unsigned char>(c) < 32) c = '_';
  if (name.empty() || name.front() == '.') name.insert(name.begin(), '_');
  return name + " diary " + IsoDateText(today) + std::string(kBackupExtension);
}

fs::path WithBackupExtension(const fs::path& file) {
  if (!file.has_filename() || file.has_extension()) return file;
  fs::path named = file;
  named += std::string(kBackupExtension);
  return named;
}

std::string ReplaceBackupQuestion(const fs::path& file) {
  return file.string() + " already exists. Do you want to replace it?";
}

std::string BackedUpText(const TBackupSummary& summary, const fs::path& file) {
  const auto count = [](std::size_t n, const char* one, const char* many) {
    return std::to_string(n) + ' ' + (n == 1 ? one : many);
  };
  return "The diary of " + summary.userName + " was backed up to " + file.string() + " (" +
         count(summary.files, "file", "files") + " and " +
         count(summary.items, "shared item", "shared items") + ").";
}

std::string RestoredText(std::string_view userName) {
  return "The diary was restored as the new account \"" + std::string(userName) +
         "\". To open it, choose it in the list of users when you log in.";
}

std::string NoBackupFileText(const fs::path& file) {
  return "The file " + file.string() + " does not exist.";
}

std::string RefusedBackupText(const EKorvelaError& error) {
  return error.Message() + "\n\n" + error.File();
}

void CheckBackup(const fs::path& backupFile, const TConfigurator& config, TRandom& random,
                 TFileSystem& fs) {
  // Collections that are never loaded nor written: the kinds' checks read
  // an element with the settings alone.
  const fs::path nowhere = backupFile.parent_path() / "unused";
  TFoodTree foods;
  TMenuList menus(nowhere, random, fs);
  TExerciseDictionary exercises(nowhere, random, fs);
  TTemplateList templates(nowhere, config, random, fs);
  TSportList sports(nowhere, random, fs);
  TIEStores stores{nowhere, foods, menus, exercises, templates, sports, config, random, fs};
  const std::unique_ptr<XMLDB> db = OpenBackup(backupFile, random, fs);
  ReadBackup(*db, MakeExchangeKinds(stores));
}

std::string RestoredName(std::string_view name, const std::vector<std::string>& takenNames) {
  const auto taken = [&](const std::string& candidate) {
    return std::any_of(takenNames.begin(), takenNames.end(), [&](const std::string& other) {
      return NameKey(other) == NameKey(candidate);
    });
  };
  std::string base(TrimmedName(name));
  if (!taken(base)) return base;
  for (int n = 1;; ++n) {
    const std::string suffix = n == 1 ? " (restored)" : " (restored " + std::to_string(n) + ")";
    std::string stem = base;
    // The name stays within what the account screens let a user type.
    const std::size_t room = kMaxNameLength - suffix.size();
    if (stem.size() > room) stem = std::string(TrimmedName(Ellipsize(stem, room)));
    if (!taken(stem + suffix)) return stem + suffix;
  }
}

TBackupSummary BackUpDiary(const fs::path& userFolder, const TDayRecordRegistry& registry,
                           TIEStores& stores, const fs::path& backupFile) {
  TFileSystem& fs = stores.fs;
  const std::unique_ptr<TUser> user = LoadUser(userFolder);
  TUsedItems used;
  ScanFoodLogs(userFolder / kCurrentFoodLogsFile, used, stores.random, fs);
  ScanFoodLogs(userFolder / kArchivedFoodLogsFile, used, stores.random, fs);
  ScanFrequentFoods(userFolder / kFrequentFoodsFile, used, stores.random, fs);
  ScanDayRecords(userFolder, registry, used, stores.random, fs);

  const std::vector<std::unique_ptr<TIEBase>> kinds = MakeExchangeKinds(stores);
  std::vector<std::unique_ptr<XMLNode>> items;
  // Every menu and template: nothing in a diary says which it came from.
  for (std::size_t i = 0; i < kinds[kMenus]->LocalCount(); ++i) {
    used.AddFoods(*stores.menus.Menus().at(i));
    items.push_back(kinds[kMenus]->ExportItem(i));
  }
  for (std::size_t i = 0; i < kinds[kTemplates]->LocalCount(); ++i) {
    used.AddLines(stores.templates.Templates().at(i));
    items.push_back(kinds[kTemplates]->ExportItem(i));
  }
  AddRecipeIngredients(stores.foods, used);
  for (const TKindIndex k : {kFoods, kRecipes, kSports}) {
    const std::set<std::string>& names = k == kSports ? used.activities : used.foods;
    for (std::size_t i = 0; i < kinds[k]->LocalCount(); ++i)
      if (names.count(NameKey(kinds[k]->LocalName(i)))) items.push_back(kinds[k]->ExportItem(i));
  }
  auto exercises = std::make_unique<XMLNode>(std::string(kBackupExercisesElement));
  for (const std::int32_t id : used.exercises) {
    const TDrill* drill = stores.exercises.Find(id);
    if (!drill) continue;
    TDrill sent = *drill;
    sent.ID = -drill->ID;
    exercises->AddChild(WriteDrillExchange(sent));
  }

  TBackupSummary summary{user->UserName, 0, items.size() + exercises->Children.size()};
  const fs::path part = backupFile.string() + ".part";
  // Listed before anything is written: a backup made into the account
  // folder itself never holds itself or an older backup of that name.
  std::vector<std::string> names = AccountFiles(userFolder);
  std::erase_if(names, [&](const std::string& name) {
    const fs::path file = fs::absolute(userFolder / name).lexically_normal();
    return file == fs::absolute(backupFile).lexically_normal() ||
           file == fs::absolute(part).lexically_normal();
  });
  RemoveQuietly(fs, part);
  try {
    {
      XMLDB db(part, kBackupKind, stores.random, fs);
      std::int32_t id = kFirstFreeID;
      for (const std::string& name : names) {
        db.Put(BackupFileRecord(name, ReadBytes(fs, userFolder / name)), id++, kDataKey, kFileDate);
        ++summary.files;
      }
      for (auto& item : items) db.Put(std::move(item), id++, kDataKey, kItemDate);
      db.Put(std::move(exercises), id++, kDataKey, kExercisesDate);
      auto header = std::make_unique<XMLNode>(std::string(kBackupHeaderElement));
      header->AddIntAttr(std::string(kLevelAttr), kBackupFormatLevel);
      header->AddAttr(std::string(kUserNameAttr), user->UserName);
      header->AddIntAttr(std::string(kRecordCountAttr), id - kFirstFreeID);
      db.Put(std::move(header), kHeaderID, kDataKey, kHeaderDate);
      db.Save();
    }
    fs.Rename(part, backupFile);
  } catch (const EXMLIOError& e) {
    RemoveQuietly(fs, part);
    RemoveQuietly(fs, TemporaryNameFor(part));
    // The account's own files are only read; a failure to write names the
    // backup the user chose.
    if (e.File().starts_with(userFolder.string())) throw;
    throw EXMLIOError(backupFile.string(), e.Message());
  } catch (...) {
    RemoveQuietly(fs, part);
    throw;
  }
  return summary;
}

TRestoreOutcome RestoreDiary(const fs::path& backupFile, TIEStores& stores,
                             const TDayRecordRegistry& registry,
                             const std::vector<std::string>& takenNames) {
  TFileSystem& fs = stores.fs;
  const std::vector<std::unique_ptr<TIEBase>> kinds = MakeExchangeKinds(stores);
  const std::unique_ptr<XMLDB> db = OpenBackup(backupFile, stores.random, fs);
  const TBackupContents contents = ReadBackup(*db, kinds);

  TRestoreOutcome outcome;
  const fs::path staging = StagingFolder(stores.programFolder, stores.random, fs);
  try {
    for (const TBackedUpFile& file : contents.files)
      WriteBytes(fs, staging / file.name, file.bytes);
    std::unique_ptr<TUser> user;
    try {
      user = LoadUser(staging);
    } catch (const EKorvelaError&) {
      throw EBackupDamaged(backupFile.string());
    }
    user->UserName = RestoredName(user->UserName, takenNames);
    user->AutoLogin = false;
    SaveUser(*user, stores.random, fs);
    outcome.userName = user->UserName;
    TRestoredTraining training(staging, registry, stores.random, fs, backupFile);

    // The exercises first: the workouts and records need their local
    // identifiers.
    std::map<std::int32_t, std::int32_t> local;
    stores.exercises.OpenFile();
    try {
      for (const TDrill& drill : contents.exercises) {
        const std::size_t before = stores.exercises.Live().size();
        local[-drill.ID] = LinkIncomingExercise(stores.exercises, drill);
        if (stores.exercises.Live().size() > before) ++outcome.newItems;
      }
    } catch (...) {
      stores.exercises.CloseFile();
      throw;
    }
    stores.exercises.CloseFile();
    training.Link(local);

    for (const auto& kind : kinds) kind->OpenStore();
    try {
      for (const XMLNode* item : contents.items) {
        for (const auto& kind : kinds) {
          if (!kind->IsOfKind(*item)) continue;
          if (!kind->IsDuplicate(*item)) {
            kind->ImportItem(*item);
            ++outcome.newItems;
          }
          break;
        }
      }
    } catch (...) {
      for (const auto& kind : kinds) kind->CloseStore();
      throw;
    }
    for (const auto& kind : kinds) kind->CloseStore();

    // The account appears whole under its own name, in one rename: until
    // then no account folder exists that a start could find half written.
    outcome.folder = MoveToFreeAccountFolder(staging, stores.programFolder, stores.random, fs);
  } catch (const EKorvelaError& e) {
    fs.RemoveFolder(staging);
    // A restored file that cannot be read came so from the backup.
    if (!dynamic_cast<const EXMLIOError*>(&e) && e.File().starts_with(staging.string()))
      throw EBackupDamaged(backupFile.string());
    throw;
  } catch (...) {
    fs.RemoveFolder(staging);
    throw;
  }
  return outcome;
}

}  // namespace korvela
