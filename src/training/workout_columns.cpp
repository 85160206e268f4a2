#include "training/workout_columns.h"

#include <algorithm>
#include <cctype>

#include "training/training_records.h"

namespace korvela {
namespace {

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

bool SameColumnName(std::string_view a, std::string_view b) {
  a = Trimmed(a);
  b = Trimmed(b);
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) ==
           std::tolower(static_cast<unsigned char>(y));
  });
}

std::size_t Count(const TColMap& map) {
  return static_cast<std::size_t>(std::clamp<std::int32_t>(map.Count, 0, kMaxColumns));
}

void EraseEntry(TColMap& map, std::size_t position) {
  const std::size_t n = Count(map);
  for (std::size_t i = position; i + 1 < n; ++i) map.Cols[i] = map.Cols[i + 1];
  map.Cols[n - 1] = TColEntry{};
  --map.Count;
}

// Drops the entries of user columns that no longer exist; true when one went.
bool DropVanishedColumns(TColMap& map, const std::vector<TUserColumn>& columns) {
  bool dropped = false;
  for (std::size_t i = Count(map); i-- > 0;) {
    const TColEntry& e = map.Cols[i];
    if (e.COLID != kUserColumnID) continue;
    const bool exists = std::any_of(columns.begin(), columns.end(), [&](const TUserColumn& c) {
      return SameColumnName(c.Name, e.UDCNAME);
    });
    if (!exists) {
      EraseEntry(map, i);
      dropped = true;
    }
  }
  return dropped;
}

}  // namespace

std::vector<std::size_t> VisibleColumns(const TColMap& map) {
  std::vector<std::size_t> visible;
  for (std::size_t i = 0; i < Count(map); ++i)
    if (map.Cols[i].HIDDEN != 1) visible.push_back(i);
  return visible;
}

void MoveColumn(TColMap& map, std::size_t from, std::size_t to) {
  const std::size_t n = Count(map);
  if (from >= n || to >= n || from == to) return;
  const TColEntry moved = map.Cols[from];
  if (from < to)
    std::move(map.Cols.begin() + static_cast<std::ptrdiff_t>(from) + 1,
              map.Cols.begin() + static_cast<std::ptrdiff_t>(to) + 1,
              map.Cols.begin() + static_cast<std::ptrdiff_t>(from));
  else
    std::move_backward(map.Cols.begin() + static_cast<std::ptrdiff_t>(to),
                       map.Cols.begin() + static_cast<std::ptrdiff_t>(from),
                       map.Cols.begin() + static_cast<std::ptrdiff_t>(from) + 1);
  map.Cols[to] = moved;
}

void StoreColumnWidths(TColMap& map, const std::vector<std::int32_t>& visibleWidths) {
  const std::vector<std::size_t> visible = VisibleColumns(map);
  for (std::size_t c = 0; c < visible.size() && c < visibleWidths.size(); ++c)
    map.Cols[visible[c]].WIDTH = visibleWidths[c];
}

std::vector<std::size_t> THideShowColumns::Visible() const { return VisibleColumns(map_); }

std::vector<std::size_t> THideShowColumns::Hidden() const {
  std::vector<std::size_t> hidden;
  for (std::size_t i = 0; i < Count(map_); ++i)
    if (map_.Cols[i].HIDDEN == 1) hidden.push_back(i);
  return hidden;
}

void THideShowColumns::Show(const std::vector<std::size_t>& positions) {
  for (const std::size_t p : positions)
    if (p < Count(map_)) map_.Cols[p].HIDDEN = 0;
}

void THideShowColumns::Hide(const std::vector<std::size_t>& positions) {
  for (const std::size_t p : positions)
    if (p < Count(map_)) map_.Cols[p].HIDDEN = 1;
}

std::vector<TUserColumn> ListUserColumns(TDayRecordStore& store) {
  std::vector<TUserColumn> columns;
  for (const auto& entry : store.List(kUDCKind)) {
    const TUDC& udc = store.Loaded<TUDC>(*entry);
    columns.push_back({static_cast<std::int32_t>(entry->Date), udc.Name, udc.Width});
  }
  return columns;
}

std::string ColumnMapFullText(std::string_view workout, std::string_view column) {
  return "The grid of " + std::string(workout) + " already has " + std::to_string(kMaxColumns) +
         " columns: the column \"" + std::string(column) +
         "\" cannot be added to it. Delete user defined columns you no longer use to make room.";
}

std::vector<std::string> SyncUserColumns(TColMap& map, const std::vector<TUserColumn>& columns) {
  std::vector<std::string> refused;
  for (const TUserColumn& c : columns) {
    if (Trimmed(c.Name).empty()) continue;
    bool present = false;
    for (std::size_t i = 0; i < Count(map) && !present; ++i)
      present = map.Cols[i].COLID == kUserColumnID && SameColumnName(map.Cols[i].UDCNAME, c.Name);
    if (present) continue;
    if (Count(map) >= kMaxColumns) DropVanishedColumns(map, columns);
    if (Count(map) >= kMaxColumns) {
      refused.push_back(c.Name);
      continue;
    }
    TColEntry& e = map.Cols[Count(map)];
    e = TColEntry{0, kUserColumnID, c.Name, c.Width};
    map.Count = static_cast<std::int32_t>(Count(map) + 1);
  }
  return refused;
}

TUserColumnsEditor::TUserColumnsEditor(TDayRecordStore& store, TRandom& random, TPrompter& prompter)
    : store_(store), random_(random), prompter_(prompter), columns_(ListUserColumns(store)) {}

std::optional<std::size_t> TUserColumnsEditor::Add() {
  if (!CanAdd()) return std::nullopt;
  columns_.push_back({-1, kNewUserColumnName, 0});
  return columns_.size() - 1;
}

void TUserColumnsEditor::Rename(std::size_t position, std::string_view name) {
  if (position >= columns_.size() || Trimmed(name).empty()) return;
  columns_[position].Name = std::string(name);
}

bool TUserColumnsEditor::Delete(std::size_t position) {
  if (position >= columns_.size()) return false;
  if (!prompter_.AskYesNo("Do you really want to delete " + columns_[position].Name + "?"))
    return false;
  columns_.erase(columns_.begin() + static_cast<std::ptrdiff_t>(position));
  return true;
}

void TUserColumnsEditor::Save() {
  for (const TUserColumn& stored : ListUserColumns(store_))
    store_.DeleteDayRecord(kUDCKind, stored.Key);
  const auto store = [&](TUserColumn& c) {
    c.Width = static_cast<std::int32_t>(10 * c.Name.size());
    TDBC& entry = store_.GetOrCreateDayRecord(kUDCKind, c.Key);
    TUDC& udc = store_.Loaded<TUDC>(entry);
    udc.Name = c.Name;
    udc.Width = c.Width;
    store_.SaveDayRecord(entry);
  };
  // Kept keys first, so that the keys drawn for new columns avoid them.
  for (TUserColumn& c : columns_)
    if (c.Key != -1) store(c);
  for (TUserColumn& c : columns_) {
    if (c.Key != -1) continue;
    const std::optional<std::int32_t> key = NewColumnKey(store_, random_);
    if (!key) continue;  // ten columns never use up a hundred keys
    c.Key = *key;
    store(c);
  }
  store_.FlushDayRecords();
}

}  // namespace korvela
