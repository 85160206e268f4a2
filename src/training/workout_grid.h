#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/day_records.h"
#include "training/exercise_dictionary.h"
#include "training/personal_record.h"
#include "training/workout.h"
#include "training/workout_columns.h"
#include "training/workout_stats.h"
#include "users/configurator.h"

namespace korvela {

// The grid has at least this many rows, the title row included.
inline constexpr std::size_t kInitialGridRows = 80;

// Copied lines, kept while the training log screen is open and shared by its
// tabs.
using TWorkoutClipboard = std::vector<TWLine>;

// "H:mm:ss" or "mm:ss" read into seconds; none for anything else.
std::optional<std::int32_t> ParseDurationText(std::string_view text);
// Whether what was typed into a time picker names a time. The typing began
// in section `firstSection` of a picker of "H:mm:ss" (`withHours`) or
// "mm:ss"; each ":" and each third digit go on to the next section. The
// digits of each section must fit it: hours to 23, minutes and seconds to
// 59. "99" in the minutes is no time, though a picker would take
// it as 09 and 09 in the next section.
bool TypedTimeFits(std::string_view typed, std::size_t firstSection, bool withHours);
std::string HourMinSecSeconds(std::int32_t seconds);  // "01:02:03"
std::string MinSecSeconds(std::int32_t seconds);      // "01:30", the hours dropped

// What the exercise editor shows after a keystroke: `Text` with the cursor
// after its first `PrefixLength` bytes, and the exercise and limb it stands
// for (DID -1 when nothing is left of the prefix).
struct TExerciseMatch {
  std::string Text;
  std::size_t PrefixLength = 0;
  std::int32_t DID = -1;
  std::uint8_t Limb = kNoLimb;
};
// Completes a typed prefix against the live exercises in list order: full
// names, then short names (each with " (Left)" and " (Right)" for one-sided
// exercises), letter case ignored; a prefix nothing continues loses its last
// character until one matches or none is left.
TExerciseMatch CompleteExercise(const TExerciseDictionary& dictionary, std::string_view prefix);

// The grid of one workout: the texts of its cells, which cells take input and
// how typed input is taken, the row and clipboard commands. Lines are counted
// from 0 (grid row = line + 1); a line at or past the end is a blank row.
class TWorkoutGrid {
 public:
  struct TContext {
    const TConfigurator& config;
    const TExerciseDictionary& dictionary;
    // For the reference records of workout logs; none in tests of templates.
    TDayRecordStore* store = nullptr;
    bool shortNames = false;
  };

  TWorkoutGrid(TContext context, TWorkout& workout, const TColMap& map);

  // Recomputes every cell (reference records, statistics, texts).
  void Fill();

  // Grid geometry, the title row included.
  std::size_t RowCount() const;
  std::size_t ColumnCount() const { return visible_.size(); }
  std::string Title(std::size_t column) const;
  std::int32_t ColumnWidth(std::size_t column) const;
  std::uint8_t ColumnID(std::size_t column) const;
  // The text shown for a line and a grid column.
  const std::string& Text(std::size_t line, std::size_t column) const;
  bool IsSection(std::size_t line) const;

  // Whether the cell of that column identity takes input on that line.
  bool CanEdit(std::size_t line, std::size_t column) const;
  // The exercise cell of a set line or a blank row opens the exercise editor;
  // TIME and REST open a time editor.
  bool UsesExerciseEditor(std::size_t line, std::size_t column) const;
  bool UsesTimeEditor(std::size_t line, std::size_t column) const;
  // What a text editor starts with.
  std::string EditText(std::size_t line, std::size_t column) const;
  // Takes typed text; the lines first reach the edited row. Returns whether
  // the workout changed (then Fill has run).
  bool Commit(std::size_t line, std::size_t column, std::string_view text);
  // The seconds a time editor starts with (0 when not set) and its result.
  std::int32_t EditSeconds(std::size_t line, std::size_t column) const;
  bool CommitSeconds(std::size_t line, std::size_t column, std::int32_t seconds);

  // The exercise editor opened on a line: its text and whether it is read
  // only (a deleted exercise). A one-sided exercise is switched to the left.
  struct TExerciseStart {
    std::string Text;
    bool ReadOnly = false;
  };
  TExerciseStart StartExerciseEdit(std::size_t line);
  // Puts the exercise (-1: none) on the line. Returns whether it changed.
  bool ApplyExercise(std::size_t line, std::int32_t did, std::uint8_t limb);
  // The text an exercise shows in the editor.
  std::string ExerciseEditorText(std::int32_t did) const;

  // Row commands on `line` (the current row's); each returns whether the
  // workout changed. The moves return the line the current row moves to.
  bool InsertSection(std::size_t line);
  bool InsertEmptyRow(std::size_t line);
  bool DeleteRow(std::size_t line);
  bool RepeatRow(std::size_t line);
  std::optional<std::size_t> MoveRowUp(std::size_t line);
  std::optional<std::size_t> MoveRowDown(std::size_t line);

  // Clipboard commands.
  bool CopyRow(std::size_t line, TWorkoutClipboard& clipboard) const;
  void CopyWorkout(TWorkoutClipboard& clipboard);
  bool Paste(std::size_t line, const TWorkoutClipboard& clipboard);
  // Another workout dropped on this one: its lines replace these.
  void ReplaceLines(const TWorkout& source);

  const TWorkoutStats& Stats() const { return *stats_; }
  const TWorkout& Workout() const { return workout_; }
  const TExerciseDictionary& Dictionary() const { return context_.dictionary; }
  const TColMap& Map() const { return map_; }
  void SetMap(const TColMap& map);

 private:
  const TDrill* DrillOf(const TDrillSet& set) const;
  TMeasureKind KindOf(const TDrillSet& set) const;
  std::string CellText(std::size_t line, const TColEntry& entry) const;
  std::string SetCellText(std::size_t line, const TDrillSet& set, const TColEntry& entry) const;
  bool EditableSetColumn(TMeasureKind kind, std::uint8_t column) const;
  bool CommitSetText(std::size_t line, TDrillSet& set, const TColEntry& entry,
                     std::string_view text);
  // Pasted copies: weights of repetition maxima in the user's unit, and in a
  // log the weight each stands for on this workout's date.
  std::vector<TWLine> Prepared(const std::vector<TWLine>& lines) const;
  std::optional<TDrillPR> Reference(std::size_t line) const;
  std::optional<TDrillPR> ReferenceFor(const TDrillSet& set) const;
  void Ensure(std::size_t lines);
  bool Changed(const std::vector<TWLine>& before);

  TContext context_;
  TWorkout& workout_;
  TColMap map_;
  std::vector<std::size_t> visible_;
  std::vector<std::optional<TDrillPR>> references_;
  std::unique_ptr<TWorkoutStats> stats_;
  std::vector<std::vector<std::string>> cells_;
};

}  // namespace korvela
