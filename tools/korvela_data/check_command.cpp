#include "korvela_data/check_command.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

#include "app/help.h"
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

// How the program reads one record's document; throws what the program would.
using TRecordReader = std::function<void(const XMLHandle& record, const XMLNode& document)>;

// What is wrong, without the file, which the line names first.
std::string Describe(const EKorvelaError& e) {
  std::string text = e.what();
  const std::string suffix = " (file \"" + e.File() + "\")";
  if (!e.File().empty() && text.ends_with(suffix)) text.resize(text.size() - suffix.size());
  return text;
}

class TChecker {
 public:
  TChecker(std::ostream& out, TFileSystem& fs) : out_(out), fs_(fs) {
    RegisterEnergyRecords(registry_);
  }

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

  // A record database: its header and index, then each record's checksum,
  // its text form and, with a reader, its content.
  void CheckDatabase(const std::filesystem::path& file, std::int32_t kind,
                     const TRecordReader& read) {
    ++files_;
    std::unique_ptr<XMLDB> db;
    std::unique_ptr<TReadableFile> in;
    try {
      db = std::make_unique<XMLDB>(file, kind, *unusedRandom_, fs_);
      in = fs_.OpenRead(file);
    } catch (const EKorvelaError& e) {
      Report(file, nullptr, Describe(e));
      return;
    }
    for (const XMLHandle& h : db->Handles()) {
      ++records_;
      try {
        std::string body = ReadPlainBlock(*in, file, RecordKey(kind, h.ID), h.Offset, h.Size);
        std::unique_ptr<XMLNode> document;
        try {
          document = XMLNode::Parse(std::move(body));
        } catch (const EInvalidXMLFile&) {
          Report(file, &h, "the body is not a document");
          continue;
        }
        if (read) read(h, *document);
      } catch (const EKorvelaError& e) {
        Report(file, &h, Describe(e));
      } catch (const std::exception& e) {
        Report(file, &h, e.what());
      }
    }
  }

  void CheckProgramFolder(const std::filesystem::path& folder) {
    if (Exists(folder / kStringTableFileName))
      CheckDatabase(folder / kStringTableFileName, kStringTableKind, nullptr);
    if (Exists(folder / kHelpBookFileName))
      CheckDatabase(folder / kHelpBookFileName, kHelpBookKind, nullptr);
    const std::filesystem::path catalogue = folder / kFoodCatalogueFile;
    if (Exists(catalogue))
      CheckFile(catalogue, [&] {
        const std::unique_ptr<XMLNode> root = LoadXMLFile(catalogue, kDataKey, fs_);
        if (!root || root->IsBlob) throw EInvalidXMLFile();
      });
    if (Exists(folder / kUserFoodsFile))
      CheckDatabase(folder / kUserFoodsFile, kUserFoodsKind,
                    [](const XMLHandle& h, const XMLNode& node) {
                      if (h.ID < kFirstFreeID) return;
                      TUserFood food;
                      ReadUserFoodElement(node, food);
                    });
    if (Exists(folder / kUnitDictionaryFile))
      CheckFile(folder / kUnitDictionaryFile, [&] { (void)LoadUnitDictionary(folder, fs_); });
    if (Exists(folder / kMenusFile))
      CheckDatabase(folder / kMenusFile, kMenusKind,
                    [](const XMLHandle&, const XMLNode& node) { (void)ReadFoodLogElement(node); });
  }

  void CheckAccountFolder(const std::filesystem::path& folder) {
    CheckFile(folder / kAccountFileName, [&] { (void)LoadUser(folder); });
    const std::filesystem::path settings = folder / kConfigFileName;
    if (Exists(settings))
      CheckFile(settings, [&] {
        TConfigurator probe;
        (void)TConfigData::Load(probe, settings);
      });
    if (Exists(folder / kMealDefinitionsFile))
      CheckFile(folder / kMealDefinitionsFile, [&] { (void)LoadMealDefinitions(folder, fs_); });
    if (Exists(folder / kFrequentFoodsFile))
      CheckDatabase(folder / kFrequentFoodsFile, kFrequentFoodsKind,
                    [](const XMLHandle& h, const XMLNode& node) {
                      if (h.ID < kFirstFreeID) return;
                      TFrequentFood food;
                      ReadFrequentFoodElement(node, food);
                    });
    for (const std::string_view name : {kCurrentFoodLogsFile, kArchivedFoodLogsFile})
      if (Exists(folder / name))
        CheckDatabase(folder / name, kFoodLogKind, [](const XMLHandle& h, const XMLNode& node) {
          if (h.ID == kFoodLogID) (void)ReadFoodLogElement(node);
        });
    for (const std::filesystem::path& file : PeriodFiles(folder)) {
      if (!std::filesystem::is_regular_file(file)) {
        ++files_;
        Report(file, nullptr, "a folder stands where a data file belongs");
        continue;
      }
      CheckDatabase(file, kDayRecordsKind, [this](const XMLHandle& h, const XMLNode& node) {
        if (h.ID < kFirstDayRecordKind || h.ID > kLastDayRecordKind || !registry_.Has(h.ID))
          return;  // kinds the program ignores
        registry_.Create(h.ID, nullptr)->Read(node);
      });
    }
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

  // "PS" + period + year + ".dat" in any letter case, sorted.
  static std::vector<std::filesystem::path> PeriodFiles(const std::filesystem::path& folder) {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
      const std::string name = entry.path().filename().string();
      if (name.size() > 6 && SameTextIgnoringCase(std::string_view(name).substr(0, 2), "PS") &&
          SameTextIgnoringCase(std::string_view(name).substr(name.size() - 4), ".dat"))
        files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
  }

  std::ostream& out_;
  TFileSystem& fs_;
  // Databases draw random numbers only when they write, which a check never does.
  std::unique_ptr<TRandom> unusedRandom_ = MakeSeededRandom(0);
  TDayRecordRegistry registry_;
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
