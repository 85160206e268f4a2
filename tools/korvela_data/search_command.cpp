#include "korvela_data/search_command.h"

#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include "korvela_data/arguments.h"
#include "nutrition/food_catalogue.h"
#include "nutrition/food_search.h"
#include "nutrition/frequent_foods.h"
#include "storage/errors.h"
#include "users/prompter.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCategoryOption = "--category";
constexpr std::string_view kNoUserFolder = "-";

// Reads through another file system and refuses every change, so that no
// step of loading can touch the user's files.
class TReadOnlyFileSystem final : public TFileSystem {
 public:
  explicit TReadOnlyFileSystem(TFileSystem& fs) : fs_(fs) {}
  std::unique_ptr<TReadableFile> OpenRead(const fs::path& path) override {
    return fs_.OpenRead(path);
  }
  std::unique_ptr<TWritableFile> Create(const fs::path& path) override { Refuse(path); }
  std::unique_ptr<TWritableFile> OpenUpdate(const fs::path& path) override { Refuse(path); }
  void Rename(const fs::path& from, const fs::path&) override { Refuse(from); }
  void Remove(const fs::path& path) override { Refuse(path); }
  bool Exists(const fs::path& path) override { return fs_.Exists(path); }

 private:
  [[noreturn]] static void Refuse(const fs::path& path) {
    throw EXMLIOError(path.string(), "the search changes no file");
  }
  TFileSystem& fs_;
};

// The search's messages, printed as its only output line.
class TPrintingPrompter final : public TPrompter {
 public:
  explicit TPrintingPrompter(std::ostream& out) : out_(out) {}
  void Warn(const std::string& text) override { out_ << text << '\n'; }
  void Inform(const std::string& text) override { out_ << text << '\n'; }
  bool AskYesNo(const std::string&) override { return false; }
  TAnswer AskYesNoAll(const std::string&) override { return TAnswer::No; }

 private:
  std::ostream& out_;
};

}  // namespace

void RunSearchCommand(TCommandArgs args, TToolEnvironment& env) {
  int category = -1;
  if (args.size() == 4) throw EUsageError("--category takes a number N");
  if (args.size() == 5) {
    if (args[0] != kCategoryOption)
      throw EUsageError("unknown option '" + std::string(args[0]) + "'");
    category = ParseInt32Argument(args[1], "N");
    if (category < -1) throw EUsageError("N must be -1 or a position in the food tree");
    args = args.subspan(2);
  }
  const fs::path dataFolder(args[0]);
  const std::string_view userArgument = args[1];
  const std::string_view query = args[2];
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");

  TReadOnlyFileSystem files(env.fs);
  TFoodTree tree;
  TUnitDictionary units;
  // Without a catalogue the program still searches the user foods.
  [[maybe_unused]] const bool catalogueFound =
      LoadFoodCatalogue(tree, units, dataFolder, env.random, files);
  TFrequentFoods frequent(env.random, files);
  if (userArgument != kNoUserFolder) {
    const fs::path userFolder = dataFolder / fs::path(userArgument);
    if (!fs::is_directory(userFolder))
      throw EXMLIOError(userFolder.string(), "no such user folder");
    // A user who never logged a food has no list yet.
    if (files.Exists(userFolder / kFrequentFoodsFile)) {
      frequent.OpenFrequentFoods(userFolder);
      frequent.LoadFrequentFoods();
    }
  }

  TPrintingPrompter messages(env.out);
  std::vector<TSFoodItem> result;
  SearchFoods(result, query, category, tree, frequent.Entries, &messages);
  for (const TSFoodItem& item : result) env.out << item.Rank << '\t' << item.Name << '\n';
}

}  // namespace korvela
