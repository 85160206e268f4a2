#include "korvela_data/build_exercises_command.h"

#include <algorithm>
#include <array>
#include <map>
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

constexpr std::array<std::string_view, 9> kColumns = {
    "name",    "short_name", "target_muscles", "equipment", "movement_type",
    "measure", "unilateral", "instructions",   "image"};
constexpr std::array<std::string_view, 5> kMeasures = {"weight", "reps", "time", "distance_time",
                                                       "distance"};
constexpr std::string_view kLineBreak = " | ";

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> parts;
  for (;;) {
    const std::size_t at = text.find(separator);
    parts.push_back(text.substr(0, at));
    if (at == std::string_view::npos) return parts;
    text.remove_prefix(at + separator.size());
  }
}

// Calls `line` with each line of the file and its number (from 1).
template <typename TLine>
void ForEachLine(const std::string& content, TLine line) {
  std::string_view rest = content;
  for (int number = 1; !rest.empty(); ++number) {
    const std::size_t end = rest.find('\n');
    std::string_view text = rest.substr(0, end);
    if (!text.empty() && text.back() == '\r') text.remove_suffix(1);
    line(text, number);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
}

[[noreturn]] void Refuse(const std::filesystem::path& file, int line, const std::string& what) {
  throw EExerciseTableError(file.string() + ":" + std::to_string(line) + ": " + what);
}

// FNV-1a of the name in lower case, brought into the identifiers of
// exercises; a taken one moves on to the next free number.
std::int32_t StableID(std::string_view name, const std::set<std::int32_t>& taken) {
  std::uint32_t hash = 2166136261u;
  for (char c : name) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
  }
  const std::int64_t span = kIDLimit - kFirstFreeExerciseID;
  std::int64_t id = kFirstFreeExerciseID + static_cast<std::int64_t>(hash) % span;
  while (taken.count(static_cast<std::int32_t>(id)))
    id = id + 1 == kIDLimit ? kFirstFreeExerciseID : id + 1;
  return static_cast<std::int32_t>(id);
}

void AddItems(std::set<std::string>& items, std::string_view value) {
  if (value.empty()) return;
  for (const std::string_view item : Split(value, ", "))
    if (!item.empty()) items.emplace(item);
}

}  // namespace

TExerciseTable ReadExerciseTable(const std::filesystem::path& tableFile,
                                 const std::filesystem::path& instructionsFile, TFileSystem& fs) {
  TExerciseTable table;
  std::set<std::int32_t> ids;
  std::map<std::string, std::size_t> byName;  // squeezed lower-case name -> position
  std::array<std::set<std::string>, 3> classItems;
  const auto key = [](std::string_view name) {
    std::string k;
    for (const char c : name)
      if (c != ' ') k += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    return k;
  };

  const std::string content = ReadWholeFile(tableFile, fs);
  ForEachLine(content, [&](std::string_view line, int number) {
    const std::vector<std::string_view> fields = Split(line, "\t");
    if (number == 1) {
      if (fields != std::vector<std::string_view>(kColumns.begin(), kColumns.end()))
        Refuse(tableFile, 1,
               "the header is not the columns name, short_name, target_muscles, equipment, "
               "movement_type, measure, unilateral, instructions, image");
      return;
    }
    if (fields.size() != kColumns.size())
      Refuse(
          tableFile, number,
          std::to_string(fields.size()) + " columns instead of " + std::to_string(kColumns.size()));
    TDrill d;
    d.Name = std::string(fields[0]);
    if (d.Name.empty() || d.Name.front() == ' ' || d.Name.back() == ' ')
      Refuse(tableFile, number, "the name is empty or not trimmed");
    if (!byName.emplace(key(d.Name), table.drills.size()).second)
      Refuse(tableFile, number, "the name '" + d.Name + "' is given twice");
    d.ShortName = std::string(fields[1]);
    d.Muscles = std::string(fields[2]);
    d.Equipment = std::string(fields[3]);
    d.TOM = std::string(fields[4]);
    const auto measure = std::find(kMeasures.begin(), kMeasures.end(), fields[5]);
    if (measure == kMeasures.end())
      Refuse(tableFile, number,
             "the measure '" + std::string(fields[5]) +
                 "' is not one of "
                 "weight, reps, time, distance_time, distance");
    d.TDM = static_cast<TMeasureKind>(measure - kMeasures.begin() + 1);
    if (fields[6] != "0" && fields[6] != "1")
      Refuse(tableFile, number, "unilateral is '" + std::string(fields[6]) + "', not 0 or 1");
    d.LAT = fields[6] == "1" ? 1 : 0;
    d.Instructions = std::string(fields[7]);
    d.ID = StableID(d.Name, ids);
    ids.insert(d.ID);
    AddItems(classItems[0], d.Muscles);
    AddItems(classItems[1], d.TOM);
    AddItems(classItems[2], d.Equipment);
    table.drills.push_back(std::move(d));
  });
  if (content.empty()) Refuse(tableFile, 1, "the file is empty");

  ForEachLine(ReadWholeFile(instructionsFile, fs), [&](std::string_view line, int number) {
    if (line.empty() || line.front() == '#') return;
    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab + 1 == line.size())
      Refuse(instructionsFile, number, "not NAME<TAB>TEXT");
    const auto it = byName.find(key(line.substr(0, tab)));
    if (it == byName.end())
      Refuse(instructionsFile, number,
             "no exercise named '" + std::string(line.substr(0, tab)) + "' in the table");
    std::string text;
    for (const std::string_view part : Split(line.substr(tab + 1), kLineBreak)) {
      if (!text.empty()) text += "\r\n";
      text += part;
    }
    table.drills[it->second].Instructions = std::move(text);
  });

  const std::array<std::int32_t, 3> found = {kMusclesClassID, kMovementClassID, kEquipmentClassID};
  for (std::size_t i = 0; i < found.size(); ++i)
    table.classes.push_back(
        {found[i], DefaultClassName(found[i]), {classItems[i].begin(), classItems[i].end()}});
  for (std::int32_t id = kUserClassOneID; id <= kUserClassFourID; ++id)
    table.classes.push_back({id, DefaultClassName(id), {}});
  return table;
}

void BuildExerciseDictionary(const std::filesystem::path& tableFile,
                             const std::filesystem::path& instructionsFile,
                             const std::filesystem::path& outFile, TRandom& random,
                             TFileSystem& fs) {
  const std::filesystem::path temp = TemporaryNameFor(outFile);
  for (const auto& source : {tableFile, instructionsFile})
    if (SameFile(source, outFile) || SameFile(source, temp))
      throw EUsageError("TSVFILE and INSTRUCTIONS must be neither OUT nor " + temp.string());
  const TExerciseTable table = ReadExerciseTable(tableFile, instructionsFile, fs);
  if (fs.Exists(temp)) fs.Remove(temp);
  try {
    XMLDB db(temp, kExerciseDBKind, random, fs);
    for (const TDClass& c : table.classes) db.Put(WriteDClass(c), c.ID, kDataKey, 0);
    for (const TDrill& d : table.drills) db.Put(WriteDrill(d), d.ID, kDataKey, 0);
    db.Close();
    fs.Rename(temp, outFile);
  } catch (...) {
    try {
      if (fs.Exists(temp)) fs.Remove(temp);
    } catch (const EKorvelaError&) {
    }
    throw;
  }
}

void RunBuildExercisesCommand(TCommandArgs args, TToolEnvironment& env) {
  BuildExerciseDictionary(args[0], args[1], args[2], env.random, env.fs);
}

}  // namespace korvela
