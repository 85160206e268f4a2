#include "training/workout_grid.h"

#include <algorithm>
#include <cctype>

#include "training/expressions.h"
#include "training/set_weights.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr std::int32_t kMaxSets = 100;
constexpr std::int32_t kMaxReps = 1000;
constexpr const char* kLeftSuffix = " (Left)";
constexpr const char* kRightSuffix = " (Right)";

const std::string kNoText;

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (prefix.size() > text.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(text[i])) !=
        std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// The prefix without its last character (a whole UTF-8 sequence).
std::string_view DropLastCharacter(std::string_view s) {
  if (s.empty()) return s;
  std::size_t n = s.size() - 1;
  while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
  return s.substr(0, n);
}

std::string TwoDigits(std::int32_t n) { return (n < 10 ? "0" : "") + std::to_string(n); }

// A repetition value that callers may use: above 0.
std::optional<std::int32_t> PositiveReps(std::string_view text, std::int32_t maxReps) {
  const std::optional<std::int32_t> v = RepetitionValue(text, maxReps);
  if (!v || *v <= 0) return std::nullopt;
  return v;
}

bool InRange(const std::optional<std::int32_t>& v, std::int32_t low, std::int32_t high) {
  return v && *v >= low && *v <= high;
}

}  // namespace

std::optional<std::int32_t> ParseDurationText(std::string_view text) {
  text = Trimmed(text);
  std::vector<std::int32_t> parts;
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t colon = std::min(text.find(':', start), text.size());
    const std::string_view part = text.substr(start, colon - start);
    if (part.empty() || part.size() > 4) return std::nullopt;
    std::int32_t value = 0;
    for (const char c : part) {
      if (c < '0' || c > '9') return std::nullopt;
      value = value * 10 + (c - '0');
    }
    parts.push_back(value);
    start = colon + 1;
  }
  if (parts.size() < 2 || parts.size() > 3) return std::nullopt;
  const std::int32_t seconds = parts.back();
  const std::int32_t minutes = parts[parts.size() - 2];
  const std::int32_t hours = parts.size() == 3 ? parts[0] : 0;
  if (minutes > 59 || seconds > 59) return std::nullopt;
  return hours * 3600 + minutes * 60 + seconds;
}

bool TypedTimeFits(std::string_view typed, std::size_t firstSection, bool withHours) {
  const std::vector<int> highest = withHours ? std::vector<int>{23, 59, 59} : std::vector<int>{59, 59};
  std::size_t section = firstSection;
  int digits = 0;
  int value = 0;
  for (const char c : typed) {
    if (c == ':') {
      ++section;
      digits = 0;
      value = 0;
      continue;
    }
    if (c < '0' || c > '9') return false;
    if (++digits > 2) {
      // A full section: the picker goes on to the next.
      ++section;
      digits = 1;
      value = 0;
    }
    if (section >= highest.size()) return false;
    value = value * 10 + (c - '0');
    if (value > highest[section]) return false;
  }
  return true;
}

std::string HourMinSecSeconds(std::int32_t seconds) {
  seconds = std::max(seconds, 0);
  return TwoDigits(seconds / 3600) + ":" + TwoDigits(seconds / 60 % 60) + ":" +
         TwoDigits(seconds % 60);
}

std::string MinSecSeconds(std::int32_t seconds) {
  seconds = std::max(seconds, 0);
  return TwoDigits(seconds / 60 % 60) + ":" + TwoDigits(seconds % 60);
}

TExerciseMatch CompleteExercise(const TExerciseDictionary& dictionary, std::string_view prefix) {
  for (; !prefix.empty(); prefix = DropLastCharacter(prefix)) {
    for (const auto& drill : dictionary.Live()) {
      std::vector<std::string> candidates;
      for (const std::string* name : {&drill->Name, &drill->ShortName}) {
        if (name->empty()) continue;
        candidates.push_back(*name);
        if (drill->Unilateral()) {
          candidates.back() += kLeftSuffix;
          candidates.push_back(*name + kRightSuffix);
        }
      }
      for (const std::string& c : candidates) {
        if (!StartsWithNoCase(c, prefix)) continue;
        const std::uint8_t limb = !drill->Unilateral()       ? kNoLimb
                                  : EndsWith(c, kLeftSuffix) ? kLeftLimb
                                                             : kRightLimb;
        return {c, prefix.size(), drill->ID, limb};
      }
    }
  }
  return {};
}

TWorkoutGrid::TWorkoutGrid(TContext context, TWorkout& workout, const TColMap& map)
    : context_(context), workout_(workout) {
  SetMap(map);
}

void TWorkoutGrid::SetMap(const TColMap& map) {
  map_ = map;
  visible_ = VisibleColumns(map_);
  Fill();
}

void TWorkoutGrid::Fill() {
  if (context_.store && !workout_.IsTemplate())
    references_ = ReferenceRecords(*context_.store, context_.dictionary, workout_);
  else
    references_.assign(workout_.Lines.size(), std::nullopt);
  stats_ =
      std::make_unique<TWorkoutStats>(context_.config, context_.dictionary, workout_, references_);
  cells_.assign(workout_.Lines.size(), {});
  for (std::size_t line = 0; line < workout_.Lines.size(); ++line) {
    cells_[line].reserve(visible_.size());
    for (const std::size_t entry : visible_)
      cells_[line].push_back(CellText(line, map_.Cols[entry]));
  }
}

std::size_t TWorkoutGrid::RowCount() const {
  return std::max(kInitialGridRows, workout_.Lines.size() + 2);
}

std::string TWorkoutGrid::Title(std::size_t column) const {
  return ColumnTitle(map_.Cols.at(visible_.at(column)));
}

std::int32_t TWorkoutGrid::ColumnWidth(std::size_t column) const {
  return map_.Cols.at(visible_.at(column)).WIDTH;
}

std::uint8_t TWorkoutGrid::ColumnID(std::size_t column) const {
  return map_.Cols.at(visible_.at(column)).COLID;
}

const std::string& TWorkoutGrid::Text(std::size_t line, std::size_t column) const {
  if (line >= cells_.size() || column >= cells_[line].size()) return kNoText;
  return cells_[line][column];
}

bool TWorkoutGrid::IsSection(std::size_t line) const {
  return line < workout_.Lines.size() && std::holds_alternative<TWSection>(workout_.Lines[line]);
}

const TDrill* TWorkoutGrid::DrillOf(const TDrillSet& set) const {
  return set.DID == -1 ? nullptr : context_.dictionary.Find(set.DID);
}

TMeasureKind TWorkoutGrid::KindOf(const TDrillSet& set) const {
  const TDrill* drill = DrillOf(set);
  return drill ? drill->TDM : TMeasureKind::Unset;
}

std::optional<TDrillPR> TWorkoutGrid::Reference(std::size_t line) const {
  return line < references_.size() ? references_[line] : std::nullopt;
}

std::optional<TDrillPR> TWorkoutGrid::ReferenceFor(const TDrillSet& set) const {
  if (!context_.store || workout_.IsTemplate() || set.DID == -1) return std::nullopt;
  return ReferenceRecord(*context_.store, context_.dictionary, workout_, set);
}

std::string TWorkoutGrid::CellText(std::size_t line, const TColEntry& entry) const {
  if (const auto* set = std::get_if<TDrillSet>(&workout_.Lines[line]))
    return SetCellText(line, *set, entry);
  const TWSection& s = std::get<TWSection>(workout_.Lines[line]);
  switch (entry.COLID) {
    case kExerciseColumn:
      return s.Name;
    case kRepsColumn:
      return s.Reps == -1 ? std::string() : std::to_string(s.Reps);
    case kTimeColumn:
      return s.Dur == -1 ? std::string() : HourMinSecSeconds(s.Dur);
    case kRestColumn:
      return MinSecSeconds(s.Rest == -1 ? 0 : s.Rest);
    case kNotesColumn:
      return s.Notes;
    case kUserColumnID:
      return ColumnValue(s.Values, entry.UDCNAME);
    default:
      return {};
  }
}

std::string TWorkoutGrid::SetCellText(std::size_t line, const TDrillSet& set,
                                      const TColEntry& entry) const {
  const TMeasureKind kind = KindOf(set);
  const TLineStats& stats = stats_->Line(line);
  const bool weightKind = kind == TMeasureKind::Weight;
  const bool repsKind = kind == TMeasureKind::Reps;
  switch (entry.COLID) {
    case kExerciseColumn: {
      if (set.DID == -1) return {};
      std::string name = context_.dictionary.DisplayName(set.DID, context_.shortNames);
      if (set.Limb == kLeftLimb) name += kLeftSuffix;
      if (set.Limb == kRightLimb) name += kRightSuffix;
      return name;
    }
    case kSetsColumn:
      return set.Sets == -1 ? std::string() : std::to_string(set.Sets);
    case kRepsColumn: {
      const std::optional<TDrillPR> reference = Reference(line);
      if (repsKind && reference && reference->Reps != -1 && !set.Reps.empty())
        if (const auto v = RepetitionValue(set.Reps, reference->Reps)) return std::to_string(*v);
      return set.Reps;
    }
    case kWeightColumn:
      return weightKind ? WeightDisplayText(context_.config, set, Reference(line)) : std::string();
    case kOneRMColumn:
      return weightKind ? stats.OneRMText() : std::string();
    case kNRMColumn:
      return weightKind ? stats.NRMText() : std::string();
    case kTempoColumn:
      return kind == TMeasureKind::DistanceTime ? stats.Speed : set.Tempo;
    case kTUTColumn:
      return weightKind || repsKind ? stats.TUTText() : std::string();
    case kVolumeColumn:
      return weightKind || repsKind ? stats.VolumeText(set, repsKind) : std::string();
    case kPaceColumn:
      return kind == TMeasureKind::DistanceTime ? stats.Pace : std::string();
    case kDistanceColumn:
      return kind == TMeasureKind::DistanceTime || kind == TMeasureKind::Distance
                 ? DistanceText(context_.config, set.Dist)
                 : std::string();
    case kTimeColumn:
      return EditableSetColumn(kind, kTimeColumn) ? HourMinSecSeconds(set.Dur == -1 ? 0 : set.Dur)
                                                  : std::string();
    case kRestColumn:
      return set.DID == -1 || set.Rest == -1 ? std::string() : MinSecSeconds(set.Rest);
    case kNotesColumn:
      return set.Notes;
    case kUserColumnID:
      return ColumnValue(set.Values, entry.UDCNAME);
    default:
      return {};
  }
}

bool TWorkoutGrid::EditableSetColumn(TMeasureKind kind, std::uint8_t column) const {
  switch (kind) {
    case TMeasureKind::Weight:
      return column == kSetsColumn || column == kRepsColumn || column == kWeightColumn ||
             column == kTempoColumn || column == kRestColumn;
    case TMeasureKind::Reps:
      return column == kSetsColumn || column == kRepsColumn || column == kTempoColumn ||
             column == kRestColumn;
    case TMeasureKind::Time:
      return column == kSetsColumn || column == kTimeColumn || column == kRestColumn;
    case TMeasureKind::DistanceTime:
      return column == kSetsColumn || column == kDistanceColumn || column == kTimeColumn ||
             column == kRestColumn;
    case TMeasureKind::Distance:
      return column == kSetsColumn || column == kDistanceColumn || column == kRestColumn;
    case TMeasureKind::Unset:
      return false;
  }
  return false;
}

bool TWorkoutGrid::CanEdit(std::size_t line, std::size_t column) const {
  if (column >= visible_.size()) return false;
  const std::uint8_t id = ColumnID(column);
  if (id == kExerciseColumn || id == kNotesColumn || id == kUserColumnID) return true;
  if (line >= workout_.Lines.size()) return false;
  if (const auto* set = std::get_if<TDrillSet>(&workout_.Lines[line]))
    return set->DID != -1 && EditableSetColumn(KindOf(*set), id);
  return id == kRepsColumn || id == kTimeColumn || id == kRestColumn;
}

bool TWorkoutGrid::UsesExerciseEditor(std::size_t line, std::size_t column) const {
  return column < visible_.size() && ColumnID(column) == kExerciseColumn && !IsSection(line);
}

bool TWorkoutGrid::UsesTimeEditor(std::size_t line, std::size_t column) const {
  if (!CanEdit(line, column)) return false;
  const std::uint8_t id = ColumnID(column);
  return id == kTimeColumn || id == kRestColumn;
}

std::string TWorkoutGrid::EditText(std::size_t line, std::size_t column) const {
  if (line >= workout_.Lines.size()) return Text(line, column);
  const std::uint8_t id = ColumnID(column);
  if (const auto* s = std::get_if<TWSection>(&workout_.Lines[line])) {
    if (id == kRepsColumn) return s->Reps == -1 ? std::string() : std::to_string(s->Reps);
    return Text(line, column);
  }
  const TDrillSet& set = std::get<TDrillSet>(workout_.Lines[line]);
  switch (id) {
    case kRepsColumn:
      if (const auto v = PositiveReps(set.Reps, -1)) return std::to_string(*v);
      return set.Reps;
    case kWeightColumn:
      return set.Weight.Q;
    case kDistanceColumn:
      return set.Dist.IsSet() ? FormatNumber(context_.config, static_cast<double>(set.Dist.Q), 4)
                              : std::string();
    default:
      return Text(line, column);
  }
}

void TWorkoutGrid::Ensure(std::size_t lines) { workout_.EnsureLines(lines, context_.config); }

bool TWorkoutGrid::Changed(const std::vector<TWLine>& before) {
  if (before == workout_.Lines) return false;
  Fill();
  return true;
}

bool TWorkoutGrid::Commit(std::size_t line, std::size_t column, std::string_view text) {
  if (!CanEdit(line, column)) return false;
  const TColEntry& entry = map_.Cols[visible_[column]];
  if (entry.COLID == kTimeColumn || entry.COLID == kRestColumn) {
    const std::optional<std::int32_t> seconds = ParseDurationText(text);
    return seconds && CommitSeconds(line, column, *seconds);
  }
  const std::vector<TWLine> before = workout_.Lines;
  Ensure(line + 1);
  if (auto* s = std::get_if<TWSection>(&workout_.Lines[line])) {
    switch (entry.COLID) {
      case kExerciseColumn:
        if (!Trimmed(text).empty()) s->Name = std::string(text);
        break;
      case kRepsColumn:
        if (Trimmed(text).empty()) {
          s->Reps = -1;
        } else if (const auto v = RepetitionValue(text, -1); InRange(v, 1, kMaxReps)) {
          s->Reps = *v;
        }
        break;
      case kNotesColumn:
        s->Notes = std::string(text);
        break;
      case kUserColumnID:
        SetColumnValue(s->Values, entry.UDCNAME, std::string(text));
        break;
      default:
        break;
    }
  } else {
    CommitSetText(line, std::get<TDrillSet>(workout_.Lines[line]), entry, text);
  }
  if (Changed(before)) return true;
  return false;
}

bool TWorkoutGrid::CommitSetText(std::size_t line, TDrillSet& set, const TColEntry& entry,
                                 std::string_view text) {
  const bool log = !workout_.IsTemplate();
  switch (entry.COLID) {
    case kSetsColumn:
      if (const auto v = RepetitionValue(text, -1); InRange(v, 1, kMaxSets)) {
        set.Sets = *v;
        return true;
      }
      return false;
    case kRepsColumn: {
      const std::optional<std::int32_t> plain = RepetitionValue(text, -1);
      if (KindOf(set) == TMeasureKind::Reps) {
        const std::optional<TDrillPR> reference = Reference(line);
        if (log && reference && reference->Reps >= 1) {
          if (!InRange(RepetitionValue(text, reference->Reps), 1, kMaxReps)) return false;
          set.Reps = std::string(Trimmed(text));
          return true;
        }
        if (InRange(plain, 1, kMaxReps)) {
          set.Reps = std::to_string(*plain);
          return true;
        }
        if (!log && PositiveReps(text, kMaxReps)) {
          set.Reps = std::string(Trimmed(text));
          return true;
        }
        return false;
      }
      if (!InRange(plain, 1, kMaxReps)) return false;
      set.Reps = std::to_string(*plain);
      return true;
    }
    case kWeightColumn:
      return AcceptTypedWeight(context_.config, set, text, log, Reference(line));
    case kTempoColumn:
      set.Tempo = std::string(text);
      return true;
    case kDistanceColumn:
      return AcceptTypedDistance(context_.config, set, text);
    case kNotesColumn:
      set.Notes = std::string(text);
      return true;
    case kUserColumnID:
      SetColumnValue(set.Values, entry.UDCNAME, std::string(text));
      return true;
    default:
      return false;
  }
}

std::int32_t TWorkoutGrid::EditSeconds(std::size_t line, std::size_t column) const {
  if (line >= workout_.Lines.size() || column >= visible_.size()) return 0;
  const bool time = ColumnID(column) == kTimeColumn;
  std::int32_t value = -1;
  if (const auto* s = std::get_if<TWSection>(&workout_.Lines[line]))
    value = time ? s->Dur : s->Rest;
  else if (const auto* set = std::get_if<TDrillSet>(&workout_.Lines[line]))
    value = time ? set->Dur : set->Rest;
  return std::max(value, 0);
}

bool TWorkoutGrid::CommitSeconds(std::size_t line, std::size_t column, std::int32_t seconds) {
  if (!UsesTimeEditor(line, column) || seconds < 0) return false;
  const bool time = ColumnID(column) == kTimeColumn;
  const std::vector<TWLine> before = workout_.Lines;
  if (auto* s = std::get_if<TWSection>(&workout_.Lines[line]))
    (time ? s->Dur : s->Rest) = seconds;
  else if (auto* set = std::get_if<TDrillSet>(&workout_.Lines[line]))
    (time ? set->Dur : set->Rest) = seconds;
  return Changed(before);
}

std::string TWorkoutGrid::ExerciseEditorText(std::int32_t did) const {
  const TDrill* drill = did == -1 ? nullptr : context_.dictionary.Find(did);
  if (!drill) return {};
  std::string text = context_.dictionary.DisplayName(did, context_.shortNames);
  if (drill->Unilateral()) text += kLeftSuffix;
  return text;
}

TWorkoutGrid::TExerciseStart TWorkoutGrid::StartExerciseEdit(std::size_t line) {
  if (line >= workout_.Lines.size() || IsSection(line)) return {};
  const TDrillSet& set = std::get<TDrillSet>(workout_.Lines[line]);
  const TDrill* drill = DrillOf(set);
  if (!drill) return {};
  const std::int32_t did = set.DID;
  ApplyExercise(line, did, drill->Unilateral() ? kLeftLimb : kNoLimb);
  return {ExerciseEditorText(did), drill->Deleted};
}

bool TWorkoutGrid::ApplyExercise(std::size_t line, std::int32_t did, std::uint8_t limb) {
  if (IsSection(line)) return false;
  if (line >= workout_.Lines.size() && did == -1) return false;
  const std::vector<TWLine> before = workout_.Lines;
  Ensure(line + 1);
  TDrillSet& set = std::get<TDrillSet>(workout_.Lines[line]);
  if (did == -1) {
    set.DID = -1;
    set.Sets = -1;
    set.Reps.clear();
    set.Weight.Q.clear();
    set.Tempo.clear();
    set.Dist.Q = -1;
    set.Dur = -1;
    set.Rest = -1;
    set.Limb = kNoLimb;
  } else {
    set.DID = did;
    set.Limb = limb;
    if (set.Sets == -1) set.Sets = 1;
  }
  return Changed(before);
}

bool TWorkoutGrid::InsertSection(std::size_t line) {
  Ensure(line);
  workout_.Lines.insert(workout_.Lines.begin() + static_cast<std::ptrdiff_t>(line), TWSection{});
  Fill();
  return true;
}

bool TWorkoutGrid::InsertEmptyRow(std::size_t line) {
  if (line >= workout_.Lines.size()) return false;
  workout_.Lines.insert(workout_.Lines.begin() + static_cast<std::ptrdiff_t>(line),
                        NewSetLine(context_.config));
  Fill();
  return true;
}

bool TWorkoutGrid::DeleteRow(std::size_t line) {
  if (line >= workout_.Lines.size()) return false;
  workout_.Lines.erase(workout_.Lines.begin() + static_cast<std::ptrdiff_t>(line));
  Fill();
  return true;
}

bool TWorkoutGrid::RepeatRow(std::size_t line) {
  if (line >= workout_.Lines.size()) return false;
  const TWLine copy = workout_.Lines[line];
  workout_.Lines.insert(workout_.Lines.begin() + static_cast<std::ptrdiff_t>(line), copy);
  Fill();
  return true;
}

std::optional<std::size_t> TWorkoutGrid::MoveRowUp(std::size_t line) {
  if (line < 1 || line > workout_.Lines.size()) return std::nullopt;
  Ensure(line + 1);
  std::swap(workout_.Lines[line], workout_.Lines[line - 1]);
  Fill();
  return line - 1;
}

std::optional<std::size_t> TWorkoutGrid::MoveRowDown(std::size_t line) {
  if (line >= workout_.Lines.size()) return std::nullopt;
  Ensure(line + 2);
  std::swap(workout_.Lines[line], workout_.Lines[line + 1]);
  Fill();
  return line + 1;
}

bool TWorkoutGrid::CopyRow(std::size_t line, TWorkoutClipboard& clipboard) const {
  if (line >= workout_.Lines.size()) return false;
  clipboard.clear();
  clipboard.push_back(workout_.Lines[line]);
  if (IsSection(line))
    for (std::size_t i = line + 1; i < workout_.Lines.size(); ++i) {
      const auto* set = std::get_if<TDrillSet>(&workout_.Lines[i]);
      if (!set || set->DID == -1) break;
      clipboard.push_back(*set);
    }
  for (TWLine& l : clipboard)
    if (auto* set = std::get_if<TDrillSet>(&l)) NormalizeCopiedLineUnit(context_.config, *set);
  return true;
}

void TWorkoutGrid::CopyWorkout(TWorkoutClipboard& clipboard) {
  while (!workout_.Lines.empty()) {
    const auto* set = std::get_if<TDrillSet>(&workout_.Lines.back());
    if (!set || !set->IsEmpty()) break;
    workout_.Lines.pop_back();
  }
  clipboard = workout_.Lines;
  for (TWLine& l : clipboard)
    if (auto* set = std::get_if<TDrillSet>(&l)) NormalizeCopiedLineUnit(context_.config, *set);
  Fill();
}

std::vector<TWLine> TWorkoutGrid::Prepared(const std::vector<TWLine>& lines) const {
  std::vector<TWLine> copies = lines;
  for (TWLine& l : copies) {
    auto* set = std::get_if<TDrillSet>(&l);
    if (!set) continue;
    NormalizeCopiedLineUnit(context_.config, *set);
    if (workout_.IsTemplate() || KindOf(*set) != TMeasureKind::Weight) continue;
    const Extended weight = ResolvedWeight(context_.config, *set, ReferenceFor(*set));
    if (weight >= 0) set->Weight.Q = FormatNumber(context_.config, static_cast<double>(weight), 3);
  }
  return copies;
}

bool TWorkoutGrid::Paste(std::size_t line, const TWorkoutClipboard& clipboard) {
  Ensure(line);
  const std::vector<TWLine> copies = Prepared(clipboard);
  workout_.Lines.insert(workout_.Lines.begin() + static_cast<std::ptrdiff_t>(line), copies.begin(),
                        copies.end());
  Fill();
  return !copies.empty() || line > 0;
}

void TWorkoutGrid::ReplaceLines(const TWorkout& source) {
  workout_.Lines = Prepared(source.Lines);
  Fill();
}

}  // namespace korvela
