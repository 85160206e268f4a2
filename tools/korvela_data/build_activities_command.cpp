#include "korvela_data/build_activities_command.h"

#include <array>
#include <charconv>
#include <cmath>
#include <set>
#include <string>
#include <string_view>

#include "korvela_data/arguments.h"
#include "korvela_data/data_files.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

constexpr std::array<std::string_view, 5> kColumns = {"activity", "met", "default_minutes", "code",
                                                      "major_heading"};
constexpr double kLowestMET = 0.9;
constexpr double kHighestMET = 20;
constexpr int kLongestMinutes = 1440;
constexpr std::size_t kCodeDigits = 5;

std::vector<std::string_view> SplitTabs(std::string_view text) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find('\t');
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + 1);
  }
}

bool AllDigits(std::string_view text) {
  return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

class TActivityTableReader {
 public:
  explicit TActivityTableReader(std::string fileName) : fileName_(std::move(fileName)) {}

  void ReadHeader(std::string_view line) {
    if (SplitTabs(line) != std::vector<std::string_view>(kColumns.begin(), kColumns.end()))
      Refuse(1,
             "the header is not the columns activity, met, default_minutes, code, major_heading");
  }

  TSport ReadLine(std::string_view line, int lineNumber) {
    const std::vector<std::string_view> fields = SplitTabs(line);
    if (fields.size() != kColumns.size())
      Refuse(lineNumber, std::to_string(fields.size()) + " columns instead of " +
                             std::to_string(kColumns.size()));
    TSport sport;
    sport.Activity = std::string(fields[0]);
    if (sport.Activity.find_first_not_of(' ') == std::string::npos)
      Refuse(lineNumber, "the activity has no name");
    sport.MET = ReadMET(fields[1], lineNumber);
    sport.Per = ReadWhole(fields[2], lineNumber, "default_minutes");
    if (sport.Per < 1 || sport.Per > kLongestMinutes)
      Refuse(lineNumber, "the default_minutes " + std::string(fields[2]) + " is not 1 to 1440");
    if (fields[3].size() != kCodeDigits || !AllDigits(fields[3]))
      Refuse(lineNumber, "the code '" + std::string(fields[3]) + "' is not five digits");
    sport.ID = ReadWhole(fields[3], lineNumber, "code");
    if (sport.ID < kFirstFreeID)
      Refuse(lineNumber, "the code " + std::string(fields[3]) + " is below 00010");
    if (!codes_.insert(sport.ID).second)
      Refuse(lineNumber, "the code " + std::string(fields[3]) + " is given twice");
    return sport;
  }

 private:
  [[noreturn]] void Refuse(int lineNumber, const std::string& problem) const {
    throw EActivityTableError(fileName_ + ":" + std::to_string(lineNumber) + ": " + problem);
  }

  double ReadMET(std::string_view field, int lineNumber) const {
    const bool plain = !field.empty() && field.front() != '.' && field.back() != '.' &&
                       field.find_first_not_of("0123456789.") == std::string_view::npos &&
                       field.find('.') == field.rfind('.');
    double value = 0;
    if (plain) {
      const char* end = field.data() + field.size();
      const auto [ptr, ec] = std::from_chars(field.data(), end, value);
      if (ec == std::errc() && ptr == end && value >= kLowestMET && value <= kHighestMET)
        return value;
    }
    Refuse(lineNumber, "the met '" + std::string(field) + "' is not a number from 0.9 to 20");
  }

  int ReadWhole(std::string_view field, int lineNumber, std::string_view what) const {
    int value = 0;
    const char* end = field.data() + field.size();
    if (AllDigits(field)) {
      const auto [ptr, ec] = std::from_chars(field.data(), end, value);
      if (ec == std::errc() && ptr == end) return value;
    }
    Refuse(lineNumber,
           "the " + std::string(what) + " '" + std::string(field) + "' is not a whole number");
  }

  std::string fileName_;
  std::set<std::int32_t> codes_;
};

}  // namespace

std::vector<TSport> ReadActivityTable(const std::filesystem::path& file, TFileSystem& fs) {
  const std::string content = ReadWholeFile(file, fs);
  TActivityTableReader reader(file.string());
  std::vector<TSport> sports;
  std::string_view rest = content;
  for (int lineNumber = 1; lineNumber == 1 || !rest.empty(); ++lineNumber) {
    const std::size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (lineNumber == 1)
      reader.ReadHeader(line);
    else
      sports.push_back(reader.ReadLine(line, lineNumber));
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return sports;
}

void BuildActivityDictionary(const std::filesystem::path& tableFile,
                             const std::filesystem::path& outFile, TRandom& random,
                             TFileSystem& fs) {
  const std::filesystem::path temp = TemporaryNameFor(outFile);
  if (SameFile(tableFile, outFile) || SameFile(tableFile, temp))
    throw EUsageError("TSVFILE must be neither OUT nor " + temp.string());
  const std::vector<TSport> sports = ReadActivityTable(tableFile, fs);
  // A build cut short may have left its temporary file; the new dictionary
  // must not start from it.
  RemoveQuietly(fs, temp);
  try {
    XMLDB db(temp, kSportsKind, random, fs);
    for (const TSport& sport : sports) db.Put(sport.Write(), sport.ID, kDataKey, 0);
    db.Close();
    fs.Rename(temp, outFile);
  } catch (...) {
    RemoveQuietly(fs, TemporaryNameFor(temp));
    RemoveQuietly(fs, temp);
    throw;
  }
}

void RunBuildActivitiesCommand(TCommandArgs args, TToolEnvironment& env) {
  BuildActivityDictionary(args[0], args[1], env.random, env.fs);
}

}  // namespace korvela
