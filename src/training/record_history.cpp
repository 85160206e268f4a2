#include "training/record_history.h"

#include <algorithm>
#include <cmath>

#include "storage/errors.h"
#include "storage/value_text.h"
#include "training/exercise_dictionary.h"
#include "training/set_weights.h"
#include "training/training_records.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

std::string TwoDigits(long value) {
  return value < 10 ? "0" + std::to_string(value) : std::to_string(value);
}

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

std::optional<double> Number(const TConfigurator& config, std::string_view text) {
  try {
    return ParseNumber(config, text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

std::optional<std::int32_t> PositiveInteger(std::string_view text) {
  text = Trimmed(text);
  if (text.empty() || text.size() > 9) return std::nullopt;
  std::int32_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value <= 0) return std::nullopt;
  return value;
}

}  // namespace

std::string RecordTimeText(TDateTime time) {
  const long seconds = std::lround(std::max<TDateTime>(time, 0) * 86400);
  return TwoDigits(seconds / 60) + ":" + TwoDigits(seconds % 60);
}

std::string RecordDescription(const TConfigurator& config, const TDrill& drill,
                              const TDrillPR& record) {
  switch (drill.TDM) {
    case TMeasureKind::Weight:
      return std::to_string(record.Reps) + " reps x " + record.Weight.Q + " " +
             record.Weight.UnitName();
    case TMeasureKind::Reps:
      return std::to_string(record.Reps) + " repetitions";
    case TMeasureKind::Time:
      return RecordTimeText(record.Time);
    case TMeasureKind::DistanceTime:
      return DistanceText(config, record.Dist) + " in " + RecordTimeText(record.Time);
    case TMeasureKind::Distance:
      return DistanceText(config, record.Dist);
    case TMeasureKind::Unset:
      break;
  }
  return {};
}

std::vector<TRecordRow> RecordHistory(TDayRecordStore& store, const TExerciseDictionary& dictionary,
                                      const TConfigurator& config, std::string_view filter) {
  std::vector<TRecordRow> rows;
  for (const auto& entry : store.List(kPRWrapperKind)) {
    const auto& records = store.Loaded<TPRWrapper>(*entry).Records;
    for (std::size_t i = 0; i < records.size(); ++i) {
      const TDrillPR& r = records[i];
      if (!IsValidRecord(r, dictionary)) continue;
      std::string name = NameWithLimb(dictionary, r.DID, r.Limb);
      if (!FilterTextMatches(filter, name)) continue;
      TRecordRow row;
      row.Day = entry->Date;
      row.Position = i;
      row.Record = r;
      row.Name = std::move(name);
      row.Date = LongDateText(r.Date == -1 ? entry->Date : r.Date);
      row.Result = RecordDescription(config, *dictionary.Find(r.DID), r);
      row.Notes = r.Notes;
      rows.push_back(std::move(row));
    }
  }
  return rows;
}

void StoreRecord(TDayRecordStore& store, const TDrillPR& record) {
  TDBC& entry = store.GetOrCreateDayRecord(kPRWrapperKind, DayOf(record.Date));
  auto& records = store.Loaded<TPRWrapper>(entry).Records;
  const auto same = std::find_if(records.begin(), records.end(), [&](const TDrillPR& r) {
    return r.DID == record.DID && r.Limb == record.Limb;
  });
  if (same != records.end()) records.erase(same);
  records.push_back(record);
  store.SaveDayRecord(entry);
}

void RemoveRecord(TDayRecordStore& store, TDateTime day, std::size_t position) {
  TDBC* entry = store.FindDayRecord(kPRWrapperKind, DayOf(day));
  if (!entry) return;
  auto& records = store.Loaded<TPRWrapper>(*entry).Records;
  if (position >= records.size()) return;
  records.erase(records.begin() + static_cast<std::ptrdiff_t>(position));
  if (records.empty())
    store.DeleteDayRecord(kPRWrapperKind, DayOf(day));
  else
    store.SaveDayRecord(*entry);
}

std::optional<TRecordProblem> FillRecord(const TConfigurator& config, const TDrill& drill,
                                         const TRecordEntry& entry, TDrillPR& record) {
  record.Limb = kNoLimb;
  record.Weight.Q.clear();
  record.Reps = -1;
  record.Time = -1;
  record.Dist.Q = -1;
  const auto reps = [&]() -> std::optional<TRecordProblem> {
    const auto value = PositiveInteger(entry.Reps);
    if (!value) return TRecordProblem{TRecordField::Reps, kRecordRepsMessage};
    record.Reps = *value;
    return std::nullopt;
  };
  const auto time = [&]() -> std::optional<TRecordProblem> {
    if (entry.Seconds <= 0) return TRecordProblem{TRecordField::Time, kRecordTimeMessage};
    record.Time = TimeFromSeconds(entry.Seconds);
    return std::nullopt;
  };
  const auto distance = [&]() -> std::optional<TRecordProblem> {
    const auto value = Number(config, entry.Distance);
    if (!value || !(*value > 0))
      return TRecordProblem{TRecordField::Distance, kRecordDistanceMessage};
    record.Dist.Q = *value;
    record.Dist.M = entry.DistanceUnit;
    return std::nullopt;
  };
  std::optional<TRecordProblem> problem;
  switch (drill.TDM) {
    case TMeasureKind::Weight: {
      const std::string weight(Trimmed(entry.Weight));
      const auto value = Number(config, weight);
      if (!value || !(*value > 0))
        return TRecordProblem{TRecordField::Weight, kRecordWeightMessage};
      record.Weight.Q = weight;
      record.Weight.M = entry.WeightUnit;
      problem = reps();
      break;
    }
    case TMeasureKind::Reps:
      problem = reps();
      break;
    case TMeasureKind::Time:
      problem = time();
      break;
    case TMeasureKind::DistanceTime:
      problem = distance();
      if (!problem) problem = time();
      break;
    case TMeasureKind::Distance:
      problem = distance();
      break;
    case TMeasureKind::Unset:
      break;
  }
  if (problem) return problem;
  record.Limb = drill.Unilateral() ? (entry.Right ? kRightLimb : kLeftLimb) : kNoLimb;
  record.Notes = entry.Notes;
  return std::nullopt;
}

TRecordEntry EntryOfRecord(const TConfigurator& config, const TDrillPR& record) {
  TRecordEntry entry;
  entry.Weight = record.Weight.Q;
  entry.WeightUnit =
      record.DID == -1 ? (config.MetricSystem() ? kKilograms : kPounds) : record.Weight.M;
  entry.Reps = record.Reps > 0 ? std::to_string(record.Reps) : std::string();
  entry.Seconds = record.Time > 0 ? static_cast<std::int32_t>(std::lround(record.Time * 86400)) : 0;
  entry.Distance =
      record.Dist.IsSet() ? FormatNumber(config, static_cast<double>(record.Dist.Q), 4) : "";
  entry.DistanceUnit = record.Dist.M;
  entry.Right = record.Limb == kRightLimb;
  entry.Notes = record.Notes;
  return entry;
}

}  // namespace korvela
