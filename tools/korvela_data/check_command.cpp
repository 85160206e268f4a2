#include "korvela_data/check_command.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "app/help.h"
#include "app/record_files.h"
#include "app/string_table.h"
#include "energy/energy_records.h"
#include "korvela_data/arguments.h"
#include "korvela_data/data_files.h"
#include "korvela_data/dump_command.h"
#include "nutrition/day_plan.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_log_store.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/meal_definitions.h"
#include "nutrition/menus.h"
#include "nutrition/unit_dictionary.h"
#include "nutrition/user_foods.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/text_helpers.h"
#include "storage/xml_db.h"
#include "users/configurator.h"
#include "users/user.h"

namespace korvela {
namespace {

// What is wrong, without the file, which the line names first.
std::string Describe(const EKorvelaError& e) {
  std::string text = e.what();
  const std::string suffix = " (file \"" + e.File() + "\")";
  if (!e.File().empty() && text.ends_with(suffix)) text.resize(text.size() - suffix.size());
  return text;
}

class TChecker {
 public:
  TChecker(std::ostream& out, TFileSystem& fs) : out_(out), fs_(fs) {}

  // A file read whole by `read`, which raises as the program would.
  void CheckFile(const std::filesystem::path& file, const std::function<void()>& read) {
    ++files_;
    try {
      read();
    } catch (const EKorvelaError& e) {
      Report(file, nullptr, Describe(e));
    } catch (const std::exception& e) {
      Report(file, nullptr, e.what());
    }
  }

  // A record database read whole with the program's reader of its records:
  // a line for what is wrong with the file as a whole and one for each
  // record that cannot be read.
  // The help book shares the recipe box's kind; its pages are read as
  // documents only (`documentsOnly`).
  void CheckDatabase(const TRecordFile& file, bool documentsOnly = false) {
    ++files_;
    if (std::filesystem::is_directory(file.path)) {
      Report(file.path, nullptr, "a folder stands where a data file belongs");
      return;
    }
    const TDatabaseCheck check =
        documentsOnly
            ? CheckRecordDatabase(file.path, file.kind, fs_, {}, TRecordReaders::KeyOf(file.kind))
            : CheckRecordFile(file, readers_, fs_);
    records_ += static_cast<int>(check.readable.size() + check.unreadable.size());
    if (!check.problem.empty()) Report(file.path, nullptr, check.problem);
    for (const TUnreadableRecord& r : check.unreadable) {
      if (r.cutHeader) {
        Report(file.path, nullptr, r.what);
        continue;
      }
      XMLHandle h;
      h.ID = r.ID;
      h.Date = r.Date;
      Report(file.path, &h, r.what);
    }
  }

  void CheckProgramFolder(const std::filesystem::path& folder) {
    if (Exists(folder / kStringTableFileName))
      CheckDatabase({folder / kStringTableFileName, kStringTableKind, "strings", false});
    if (Exists(folder / kHelpBookFileName))
      CheckDatabase({folder / kHelpBookFileName, kHelpBookKind, "help pages", false}, true);
    const std::filesystem::path catalogue = folder / kFoodCatalogueFile;
    if (Exists(catalogue))
      CheckFile(catalogue, [&] {
        const std::unique_ptr<XMLNode> root = LoadXMLFile(catalogue, kDataKey, fs_);
        if (!root || root->IsBlob) throw EInvalidXMLFile();
      });
    if (Exists(folder / kUnitDictionaryFile))
      CheckFile(folder / kUnitDictionaryFile, [&] { (void)LoadUnitDictionary(folder, fs_); });
    for (const TRecordFile& file : SharedRecordFiles(folder, fs_)) CheckDatabase(file);
  }

  void CheckAccountFolder(const std::filesystem::path& folder) {
    CheckFile(folder / kAccountFileName, [&] { (void)LoadUser(folder); });
    const std::filesystem::path settings = folder / kConfigFileName;
    CheckFile(settings, [&] {
      if (!Exists(settings)) throw EKorvelaError("missing");
      TConfigurator probe;
      (void)TConfigData::Load(probe, settings);
    });
    if (Exists(folder / kMealDefinitionsFile))
      CheckFile(folder / kMealDefinitionsFile, [&] { (void)LoadMealDefinitions(folder, fs_); });
    for (const TRecordFile& file : UserRecordFiles(folder, fs_)) CheckDatabase(file);
  }

  // Prints the summary; whether all is sound.
  bool Finish() {
    out_ << "checked " << files_ << (files_ == 1 ? " file" : " files") << " and " << records_
         << (records_ == 1 ? " record" : " records") << ": ";
    if (damaged_ == 0)
      out_ << "all sound\n";
    else
      out_ << damaged_ << " damaged\n";
    return damaged_ == 0;
  }

 private:
  bool Exists(const std::filesystem::path& file) { return fs_.Exists(file); }

  void Report(const std::filesystem::path& file, const XMLHandle* record, std::string_view what) {
    ++damaged_;
    out_ << file.string() << ": ";
    if (record)
      out_ << "record id=" << record->ID << " date=" << DayValueText(record->Date) << ": ";
    out_ << what << '\n';
  }

  std::ostream& out_;
  TFileSystem& fs_;
  TRecordReaders readers_;
  int files_ = 0;
  int records_ = 0;
  int damaged_ = 0;
};

}  // namespace

bool CheckDataFolder(const std::filesystem::path& folder, std::ostream& out, TFileSystem& fs) {
  if (!std::filesystem::is_directory(folder))
    throw EXMLIOError(folder.string(), "not a data folder");
  TChecker checker(out, fs);
  checker.CheckProgramFolder(folder);
  std::vector<std::filesystem::path> accounts;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
    if (!entry.is_symlink() && entry.is_directory() &&
        entry.path().filename().string().starts_with("usr"))
      accounts.push_back(entry.path());
  if (ec) throw EXMLIOError(folder.string(), "cannot list the folder");
  std::sort(accounts.begin(), accounts.end());
  for (const auto& account : accounts) checker.CheckAccountFolder(account);
  return checker.Finish();
}

void RunCheckCommand(TCommandArgs args, TToolEnvironment& env) {
  if (!CheckDataFolder(args[0], env.out, env.fs)) throw EReported();
}

}  // namespace korvela
