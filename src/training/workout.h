#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "storage/date_time.h"
#include "storage/xml_node.h"
#include "training/quantities.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

inline constexpr const char* kWorkoutElement = "Workout";
inline constexpr const char* kColMapElement = "SCOLMAP";

// A value of a user-defined column in a section or set line.
struct TUDCVal {
  std::string ColName;
  std::string ColVal;
  bool operator==(const TUDCVal&) const = default;
};
using TUDCValues = std::vector<TUDCVal>;

// The value of the first entry of that column (letter case ignored), or empty.
std::string ColumnValue(const TUDCValues& values, std::string_view column);
// Replaces the first entry's value, or appends an entry.
void SetColumnValue(TUDCValues& values, std::string_view column, std::string value);

inline constexpr std::uint8_t kLeftLimb = 0;
inline constexpr std::uint8_t kRightLimb = 1;
inline constexpr std::uint8_t kNoLimb = 2;

// A section header: its set lines are done Reps times.
struct TWSection {
  std::string Name = "A New Section";
  std::int32_t Dur = -1;   // seconds
  std::int32_t Reps = -1;  // 1 to 1000; -1 counts as 1
  std::int32_t Rest = -1;  // seconds
  std::string Notes;
  TUDCValues Values;
  bool operator==(const TWSection&) const = default;
};

// A line naming an exercise with its sets, repetitions and quantities; DID -1
// for an empty line.
struct TDrillSet {
  std::int32_t DID = -1;
  std::uint8_t Limb = kNoLimb;
  std::int32_t Sets = -1;  // 1 to 100
  std::string Reps;        // repetition expression
  TWeightWrap Weight;
  std::string Tempo;
  TDistWrap Dist;
  std::int32_t Dur = -1;   // seconds
  std::int32_t Rest = -1;  // seconds
  std::string Notes;
  TUDCValues Values;

  // No exercise, no notes and no column values.
  bool IsEmpty() const { return DID == -1 && Notes.empty() && Values.empty(); }
  bool operator==(const TDrillSet&) const = default;
};

// An empty line with an empty weight and no distance in the user's units.
TDrillSet NewSetLine(const TConfigurator& config);

using TWLine = std::variant<TWSection, TDrillSet>;

inline constexpr std::size_t kMaxColumns = 30;
inline constexpr std::uint8_t kUserColumnID = 14;
inline constexpr std::uint8_t kUndefinedColumnID = 15;

struct TColEntry {
  std::uint8_t HIDDEN = 0;
  std::uint8_t COLID = kUndefinedColumnID;
  std::string UDCNAME;  // the user-defined column's name for COLID 14
  std::int32_t WIDTH = 0;
  bool operator==(const TColEntry&) const = default;
};

// The columns of the workout grid in order; entries beyond Count are unused.
struct TColMap {
  std::int32_t Count = 0;
  std::array<TColEntry, kMaxColumns> Cols{};

  // The fourteen standard columns, all visible, at the grid's first widths.
  static TColMap Default();
  bool operator==(const TColMap&) const = default;
};

// "SECTION/EXERCISE (Limb)", "SETS", ..., the user column's name for 14.
std::string ColumnTitle(const TColEntry& entry);

std::unique_ptr<XMLNode> WriteColMap(const TColMap& map);
// More than 30 columns raises EInvalidXMLFile.
TColMap ReadColMap(const XMLNode& element);

// A workout log (dated, stored with the user's day records) or a template
// (Date -1, stored in the shared template file under ID).
struct TWorkout {
  std::int32_t ID = -1;
  std::string Name;
  TDateTime Date = -1;
  TDateTime TOD = -1;  // time of day it started
  float MET = -1;      // 0 to 20
  std::string METStr;
  std::int32_t Dur = -1;  // minutes, 0 to 240
  std::string Notes;
  TColMap ColMap;
  std::vector<TWLine> Lines;

  bool IsTemplate() const { return Date == -1; }
  // Appends new empty set lines until there are at least n lines.
  void EnsureLines(std::size_t n, const TConfigurator& config);
  bool operator==(const TWorkout&) const = default;
};

// "Workout Log 6 September 2003".
std::string NewWorkoutLogName(TDateTime date);

// How often the set line at `line` is done by its section: the repeat count
// of the section header that governs it (a header governs the set lines up
// to the next header or the first line without an exercise), else 1.
std::int32_t RepeatMultiplier(const TWorkout& workout, std::size_t line);

// What is done to every workout before it is written: trailing empty set
// lines are dropped, and each set line of a known exercise loses the fields
// its measurement kind does not use (the distance keeps its unit).
void PrepareForWriting(TWorkout& workout, const TExerciseDictionary& dictionary);

std::unique_ptr<XMLNode> WriteWorkout(const TWorkout& workout);
TWorkout ReadWorkout(const XMLNode& element, const TConfigurator& config);

}  // namespace korvela
