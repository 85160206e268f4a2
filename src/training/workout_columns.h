#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/day_records.h"
#include "storage/random.h"
#include "training/workout.h"
#include "users/prompter.h"

namespace korvela {

// Column identities of the workout grid (`TColEntry::COLID`).
inline constexpr std::uint8_t kExerciseColumn = 0;
inline constexpr std::uint8_t kSetsColumn = 1;
inline constexpr std::uint8_t kRepsColumn = 2;
inline constexpr std::uint8_t kWeightColumn = 3;
inline constexpr std::uint8_t kOneRMColumn = 4;
inline constexpr std::uint8_t kNRMColumn = 5;
inline constexpr std::uint8_t kTempoColumn = 6;
inline constexpr std::uint8_t kTUTColumn = 7;
inline constexpr std::uint8_t kVolumeColumn = 8;
inline constexpr std::uint8_t kPaceColumn = 9;
inline constexpr std::uint8_t kDistanceColumn = 10;
inline constexpr std::uint8_t kTimeColumn = 11;
inline constexpr std::uint8_t kRestColumn = 12;
inline constexpr std::uint8_t kNotesColumn = 13;

// At most this many user-defined columns per user.
inline constexpr std::size_t kMaxUserColumns = 10;

// Positions in the map of its visible entries, in map order: grid column c
// shows entry VisibleColumns(map)[c].
std::vector<std::size_t> VisibleColumns(const TColMap& map);

// Moves the entry at map position `from` to `to`; the entries between shift
// by one.
void MoveColumn(TColMap& map, std::size_t from, std::size_t to);
// The grid's widths of the visible columns, in grid order, into their entries.
void StoreColumnWidths(TColMap& map, const std::vector<std::int32_t>& visibleWidths);

// "Hide/Show Columns...": the two lists over a copy of the map, each holding
// map positions in map order.
class THideShowColumns {
 public:
  explicit THideShowColumns(const TColMap& map) : map_(map) {}
  std::vector<std::size_t> Visible() const;
  std::vector<std::size_t> Hidden() const;
  std::string Title(std::size_t position) const { return ColumnTitle(map_.Cols.at(position)); }
  void Show(const std::vector<std::size_t>& positions);
  void Hide(const std::vector<std::size_t>& positions);
  const TColMap& Result() const { return map_; }

 private:
  TColMap map_;
};

// A user-defined column as stored (`SUDC` under its key).
struct TUserColumn {
  std::int32_t Key = -1;  // -1 until stored
  std::string Name;
  std::int32_t Width = 0;
};

// The user's columns in key order.
std::vector<TUserColumn> ListUserColumns(TDayRecordStore& store);

// "The grid of Leg day already has 30 columns: \"Mood\" cannot be added. ..."
std::string ColumnMapFullText(std::string_view workout, std::string_view column);

// Appends a visible entry for every user column that no user entry of the map
// names (trimmed, letter case ignored). A map never grows beyond 30 entries:
// when it is full, entries of user columns that no longer exist go first;
// a column that still finds no room is left out and its name returned.
std::vector<std::string> SyncUserColumns(TColMap& map, const std::vector<TUserColumn>& columns);

// "User Defined Columns Editor": edits a list of the user's columns; OK
// replaces the stored ones.
class TUserColumnsEditor {
 public:
  TUserColumnsEditor(TDayRecordStore& store, TRandom& random, TPrompter& prompter);

  const std::vector<TUserColumn>& Columns() const { return columns_; }
  bool CanAdd() const { return columns_.size() < kMaxUserColumns; }
  // Appends "A new column"; returns its position, none when the list is full.
  std::optional<std::size_t> Add();
  // A blank name keeps the old one.
  void Rename(std::size_t position, std::string_view name);
  // Asks first; returns whether it was removed.
  bool Delete(std::size_t position);
  // Replaces every stored column by the listed ones (widths from the name's
  // length), drawing keys for new ones, and flushes the user's files.
  void Save();

 private:
  TDayRecordStore& store_;
  TRandom& random_;
  TPrompter& prompter_;
  std::vector<TUserColumn> columns_;
};

inline constexpr const char* kNewUserColumnName = "A new column";

}  // namespace korvela
