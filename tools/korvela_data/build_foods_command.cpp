#include "korvela_data/build_foods_command.h"
#include "korvela_data/data_files.h"

#include <array>
#include <charconv>
#include <cmath>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "korvela_data/arguments.h"
#include "nutrition/food_catalogue.h"
#include "storage/garbled_stream.h"

namespace korvela {
namespace {

constexpr std::array<std::string_view, 7> kColumns = {"group",        "food",    "protein", "fat",
                                                      "carbohydrate", "alcohol", "measures"};

std::vector<std::string_view> Split(std::string_view text, char separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

// Reads one file's lines into the catalogue and reports a refused line as
// FILE:LINE.
class TFoodTableReader {
 public:
  explicit TFoodTableReader(std::string fileName)
      : fileName_(std::move(fileName)),
        root_(std::make_unique<XMLNode>(std::string(kCatalogueElement))) {}

  void ReadHeader(std::string_view line) {
    lineNumber_ = 1;
    if (Split(line, '\t') != std::vector<std::string_view>(kColumns.begin(), kColumns.end()))
      Refuse(
          "the header is not the columns group, food, protein, fat, carbohydrate, alcohol, "
          "measures");
  }

  void ReadLine(std::string_view line, int lineNumber) {
    lineNumber_ = lineNumber;
    const std::vector<std::string_view> fields = Split(line, '\t');
    if (fields.size() != kColumns.size())
      Refuse(std::to_string(fields.size()) + " columns instead of " +
             std::to_string(kColumns.size()));
    if (fields[0].empty()) Refuse("the group is empty");

    auto food = std::make_unique<XMLNode>(std::string(kCatalogueFoodElement));
    food->AddAttr(std::string(kCatalogueNameAttr), std::string(fields[1]));
    const std::array<std::string_view, 4> nutrients = {kFoodProteinAttr, kFoodFatAttr,
                                                       kFoodCarbsAttr, kFoodAlcoholAttr};
    for (std::size_t i = 0; i < nutrients.size(); ++i) {
      ReadNumber(fields[2 + i], kColumns[2 + i]);
      food->AddAttr(std::string(nutrients[i]), std::string(fields[2 + i]));
    }
    if (!fields[6].empty())
      for (const std::string_view measure : Split(fields[6], ';')) AddMeasure(*food, measure);
    CategoryFor(fields[0]).AddChild(std::move(food));
  }

  std::unique_ptr<XMLNode> TakeCatalogue() { return std::move(root_); }

 private:
  [[noreturn]] void Refuse(const std::string& problem) const {
    throw EFoodTableError(fileName_ + ":" + std::to_string(lineNumber_) + ": " + problem);
  }

  // Plain decimals only: from_chars alone would take "-5", "1e3", "inf" and
  // stop early at "5x". The catalogue keeps the table's own text of each
  // number (every reader of stored numbers takes plain decimals): it is
  // exact to the source and about half the size of the 23-character form,
  // which halves the time to unscramble the catalogue at start-up.
  double ReadNumber(std::string_view field, std::string_view what) const {
    const bool plain = !field.empty() && field.front() != '.' &&
                       field.find_first_not_of("0123456789.") == std::string_view::npos &&
                       field.find('.') == field.rfind('.') && field.back() != '.';
    double value = 0;
    if (plain) {
      const char* end = field.data() + field.size();
      const auto [ptr, ec] = std::from_chars(field.data(), end, value);
      if (ec == std::errc() && ptr == end && std::isfinite(value)) return value;
    }
    Refuse("the " + std::string(what) + " '" + std::string(field) +
           "' is not a plain decimal number");
  }

  void AddMeasure(XMLNode& food, std::string_view measure) {
    const std::vector<std::string_view> parts = Split(measure, '|');
    if (parts.size() != 3 || parts[1].empty())
      Refuse("the measure '" + std::string(measure) + "' is not mod|desc|gr");
    const double mod = ReadNumber(parts[0], "measure amount");
    const double gr = ReadNumber(parts[2], "measure weight");
    if (mod <= 0 || gr <= 0)
      Refuse("the measure '" + std::string(measure) + "' has an amount or weight of 0");
    auto weight = std::make_unique<XMLNode>(std::string(kWeightElement));
    weight->AddAttr(std::string(kWeightModAttr), std::string(parts[0]));
    weight->AddAttr(std::string(kWeightDescAttr), std::string(parts[1]));
    weight->AddAttr(std::string(kWeightGramsAttr), std::string(parts[2]));
    food.AddChild(std::move(weight));
  }

  XMLNode& CategoryFor(std::string_view group) {
    const auto [it, added] = categories_.try_emplace(std::string(group), nullptr);
    if (added) {
      auto category = std::make_unique<XMLNode>(std::string(kCategoryElement));
      category->AddAttr(std::string(kCatalogueNameAttr), std::string(group));
      it->second = &root_->AddChild(std::move(category));
    }
    return *it->second;
  }

  std::string fileName_;
  int lineNumber_ = 0;
  std::unique_ptr<XMLNode> root_;
  std::map<std::string, XMLNode*, std::less<>> categories_;
};

}  // namespace

std::unique_ptr<XMLNode> ReadFoodTable(const std::filesystem::path& file, TFileSystem& fs) {
  const std::string content = ReadWholeFile(file, fs);
  TFoodTableReader reader(file.string());
  std::string_view rest = content;
  for (int lineNumber = 1; lineNumber == 1 || !rest.empty(); ++lineNumber) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1)
      reader.ReadHeader(line);
    else
      reader.ReadLine(line, lineNumber);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return reader.TakeCatalogue();
}

void BuildFoodCatalogue(const std::filesystem::path& tableFile,
                        const std::filesystem::path& outFile, TRandom& random, TFileSystem& fs) {
  // Building into the table itself, or into a temporary file of the table's
  // name, would destroy the table.
  const std::filesystem::path temp = TemporaryNameFor(outFile);
  if (SameFile(tableFile, outFile) || SameFile(tableFile, temp))
    throw EUsageError("TSVFILE must be neither OUT nor " + temp.string());
  const std::unique_ptr<XMLNode> catalogue = ReadFoodTable(tableFile, fs);
  SaveXMLFile(*catalogue, outFile, kDataKey, random, fs);
}

void RunBuildFoodsCommand(TCommandArgs args, TToolEnvironment& env) {
  BuildFoodCatalogue(args[0], args[1], env.random, env.fs);
}

}  // namespace korvela
