#include "energy/weigh_in_import.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>

#include "energy/cal_stat.h"
#include "energy/weight_stat.h"
#include "storage/csv.h"

namespace korvela {
namespace {

constexpr double kKgPerLb = 0.45359237;

std::string Lower(std::string_view text) {
  std::string out;
  for (char c : text) out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  return out;
}

std::string_view Trim(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  return text;
}

// A plain decimal with "."; none for anything else ("1,5", "inf", "80kg").
std::optional<double> ReadDecimal(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::fixed);
  if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string Decimal(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.2f", value);
  std::string text = buffer;
  while (text.back() == '0') text.pop_back();
  if (text.back() == '.') text.pop_back();
  return text;
}

// The columns of the file that the import reads.
struct TColumns {
  int date = -1;
  int weight = -1;
  double weightFactor = 1;  // to kilograms
  int bodyFat = -1;
  std::array<int, kMeasureSiteCount> sites{};
  bool anySite = false;
};

// The column names of each site: one-sided sites have one, two-sided sites
// are read from "<site>_left_cm"/"<site>_right_cm" (or "_l_"/"_r_"), or
// from "<site>_cm" for both sides.
void MapSite(TColumns& columns, const std::string& name, int index) {
  struct TSiteName {
    const char* name;
    TMeasureSite left;
    TMeasureSite right;
  };
  static const TSiteName kSites[] = {
      {"neck", TMeasureSite::Neck, TMeasureSite::Neck},
      {"chest", TMeasureSite::Chest, TMeasureSite::Chest},
      {"shoulders", TMeasureSite::Shoulders, TMeasureSite::Shoulders},
      {"waist", TMeasureSite::Waist, TMeasureSite::Waist},
      {"hips", TMeasureSite::Hips, TMeasureSite::Hips},
      {"biceps", TMeasureSite::LBiceps, TMeasureSite::RBiceps},
      {"forearms", TMeasureSite::LForearm, TMeasureSite::RForearm},
      {"thighs", TMeasureSite::LThigh, TMeasureSite::RThigh},
      {"calves", TMeasureSite::LCalf, TMeasureSite::RCalf},
  };
  for (const TSiteName& site : kSites) {
    const std::string base = site.name;
    const auto set = [&](TMeasureSite s) {
      columns.sites[SiteIndex(s)] = index;
      columns.anySite = true;
    };
    if (name == base + "_cm") {
      set(site.left);
      set(site.right);
    } else if (name == base + "_left_cm" || name == base + "_l_cm") {
      set(site.left);
    } else if (name == base + "_right_cm" || name == base + "_r_cm") {
      set(site.right);
    }
  }
}

std::optional<TColumns> ReadHeader(const TCsvRow& header, TImportUnit unit, std::string* why) {
  TColumns columns;
  columns.sites.fill(-1);
  for (std::size_t i = 0; i < header.size(); ++i) {
    const std::string name = Lower(Trim(header[i]));
    const int index = static_cast<int>(i);
    if (name == "date") {
      columns.date = index;
    } else if (name == "weight_kg") {
      columns.weight = index;
      columns.weightFactor = 1;
    } else if (name == "weight_lbs" || name == "weight_lb") {
      columns.weight = index;
      columns.weightFactor = kKgPerLb;
    } else if (name == "weight") {
      columns.weight = index;
      columns.weightFactor = unit == TImportUnit::Pounds ? kKgPerLb : 1;
    } else if (name == "body_fat_pct" || name == "body_fat") {
      columns.bodyFat = index;
    } else {
      MapSite(columns, name, index);
    }
  }
  const auto fail = [why](const char* reason) -> std::optional<TColumns> {
    if (why) *why = reason;
    return std::nullopt;
  };
  if (columns.date < 0) return fail("the first row names no \"date\" column");
  if (columns.weight < 0 && !columns.anySite)
    return fail("the first row names no weight column and no measurement column");
  return columns;
}

std::string_view Field(const TCsvRow& row, int index) {
  return index >= 0 && static_cast<std::size_t>(index) < row.size()
             ? Trim(row[static_cast<std::size_t>(index)])
             : std::string_view{};
}

void PreviewWeighIn(TImportRow& row, const TCsvRow& fields, const TColumns& columns,
                    TDayRecordStore& records, int& withoutValue, bool& keep) {
  const std::string_view weightText = Field(fields, columns.weight);
  const std::string_view fatText = Field(fields, columns.bodyFat);
  if (weightText.empty()) {
    // A day of an exported report without a weigh-in.
    ++withoutValue;
    keep = false;
    return;
  }
  const std::optional<double> weight = ReadDecimal(weightText);
  if (!weight) {
    row.reason = "the weight is not a number";
    return;
  }
  row.weightKg = *weight * columns.weightFactor;
  if (row.weightKg < kImportLowestWeightKg || row.weightKg > kImportHighestWeightKg) {
    row.reason = "weight outside 30-600 kg";
    return;
  }
  if (!fatText.empty()) {
    const std::optional<double> fat = ReadDecimal(fatText);
    if (!fat || *fat < 1 || *fat > 60) {
      row.reason = "body fat outside 1-60 %";
      return;
    }
    row.bodyFat = static_cast<float>(*fat);
  }
  TDBC* stored = records.FindDayRecord(kWeightStatKind, row.day);
  if (!stored) {
    row.action = TImportAction::Add;
    return;
  }
  const TWeightStat& w = records.Loaded<TWeightStat>(*stored);
  const bool sameWeight = std::fabs(w.W - row.weightKg) < 0.0005;
  const bool sameFat = std::fabs(w.BFP - row.bodyFat) < 0.0005F;
  if (sameWeight && sameFat) {
    row.action = TImportAction::Unchanged;
    return;
  }
  row.action = TImportAction::Replace;
  row.reason = "stored " + Decimal(w.W) + " kg";
  if (w.BFP != -1) row.reason += ", " + Decimal(w.BFP) + " %";
}

void PreviewMeasurements(TImportRow& row, const TCsvRow& fields, const TColumns& columns,
                         TDayRecordStore& records, int& withoutValue, bool& keep) {
  bool any = false;
  for (std::size_t s = 0; s < kMeasureSiteCount; ++s) {
    const std::string_view text = Field(fields, columns.sites[s]);
    if (text.empty()) continue;
    const std::optional<double> cm = ReadDecimal(text);
    if (!cm || *cm <= 0 || *cm >= kImportMeasurementLimitCm) {
      row.reason = std::string(kMeasureSiteAttrs[s]) + " outside 0-300 cm";
      return;
    }
    row.measurements.Sites[s] = *cm;
    any = true;
  }
  if (!any) {
    ++withoutValue;
    keep = false;
    return;
  }
  TDBC* stored = records.FindDayRecord(kMeasureStatKind, row.day);
  if (!stored) {
    row.action = TImportAction::Add;
    return;
  }
  const TMeasureStat& m = records.Loaded<TMeasureStat>(*stored);
  bool same = true;
  for (std::size_t s = 0; s < kMeasureSiteCount; ++s)
    if (row.measurements.Sites[s] != -1 &&
        std::fabs(m.Sites[s] - row.measurements.Sites[s]) >= 0.0005)
      same = false;
  row.action = same ? TImportAction::Unchanged : TImportAction::Replace;
  if (!same) row.reason = "stored measurements differ";
}

}  // namespace

int TImportPreview::Count(TImportAction action) const {
  return static_cast<int>(std::count_if(
      rows.begin(), rows.end(), [action](const TImportRow& r) { return r.action == action; }));
}

std::string TImportPreview::Summary() const {
  std::string text = std::to_string(Count(TImportAction::Add)) + " to add, " +
                     std::to_string(Count(TImportAction::Replace)) + " to replace, " +
                     std::to_string(Count(TImportAction::Skip)) + " skipped";
  if (const int same = Count(TImportAction::Unchanged); same > 0)
    text += ", " + std::to_string(same) + " already stored";
  return text;
}

std::optional<TImportPreview> PreviewImport(std::string_view csv, TImportUnit unit,
                                            TDayRecordStore& records, TDateTime today,
                                            std::string* why) {
  std::optional<TCsvRecords> table = ReadCsv(csv, why);
  if (!table) return std::nullopt;
  if (table->rows.empty()) {
    if (why) *why = "the file is empty";
    return std::nullopt;
  }
  const std::optional<TColumns> columns = ReadHeader(table->rows[0], unit, why);
  if (!columns) return std::nullopt;

  TImportPreview preview;
  preview.kind = columns->weight >= 0 ? TImportKind::WeighIns : TImportKind::Measurements;
  std::map<TDateTime, int> seen;  // day -> line of its first row
  for (std::size_t r = 1; r < table->rows.size(); ++r) {
    const TCsvRow& fields = table->rows[r];
    TImportRow row;
    row.line = table->lines[r];
    bool keep = true;
    const std::optional<TDateTime> day = ParseIsoDate(Field(fields, columns->date));
    if (!day) {
      row.reason = "not a date (YYYY-MM-DD)";
    } else if (*day > DayOf(today)) {
      row.day = *day;
      row.reason = "after today";
    } else if (const auto first = seen.find(*day); first != seen.end()) {
      row.day = *day;
      row.reason = "the day is already on line " + std::to_string(first->second);
    } else {
      row.day = *day;
      if (preview.kind == TImportKind::WeighIns)
        PreviewWeighIn(row, fields, *columns, records, preview.withoutValue, keep);
      else
        PreviewMeasurements(row, fields, *columns, records, preview.withoutValue, keep);
      if (keep && row.action != TImportAction::Skip) seen.emplace(*day, row.line);
    }
    if (keep) preview.rows.push_back(std::move(row));
  }
  return preview;
}

namespace {

// Puts the rows into the records and the model; nothing reaches the disk
// while the store holds its flushes.
void StoreRows(const std::vector<const TImportRow*>& rows, TImportKind kind, TEnergyModel& model,
               TDayRecordStore& records, const TUser& user, TImportOutcome& outcome) {
  if (kind == TImportKind::Measurements) {
    for (const TImportRow* row : rows) {
      TDBC& entry = records.GetOrCreateDayRecord(kMeasureStatKind, row->day);
      TMeasureStat& m = records.Loaded<TMeasureStat>(entry);
      for (std::size_t s = 0; s < kMeasureSiteCount; ++s)
        if (row->measurements.Sites[s] != -1) m.Sites[s] = row->measurements.Sites[s];
      records.SaveDayRecord(entry);
    }
    return;
  }

  // Weigh-ins before the newest of all are history: stored as they are.
  const TDateTime latestBefore = model.LatestWeighInDay();
  const TImportRow* newest = rows.back();
  const bool newestOfAll = newest->day >= latestBefore;
  for (const TImportRow* row : rows) {
    if (newestOfAll && row == newest) continue;
    TDBC& entry = records.GetOrCreateDayRecord(kWeightStatKind, row->day);
    TWeightStat& w = records.Loaded<TWeightStat>(entry);
    w.W = row->weightKg;
    w.BFP = row->bodyFat;
    records.SaveDayRecord(entry);
  }
  if (newestOfAll) {
    const TWeighInOutcome weighIn = WeighIn(model, records, user, newest->weightKg, newest->bodyFat,
                                            TLogAccuracy::Approximate, newest->day);
    outcome.readjusted = weighIn.readjusted;
  } else {
    model.RestartEnergyModel();
  }
}

}  // namespace

TImportOutcome ApplyImport(const TImportPreview& preview, TEnergyModel& model,
                           TDayRecordStore& records, const TUser& user) {
  std::vector<const TImportRow*> rows;
  for (const TImportRow& row : preview.rows)
    if (row.action == TImportAction::Add || row.action == TImportAction::Replace)
      rows.push_back(&row);
  std::sort(rows.begin(), rows.end(),
            [](const TImportRow* a, const TImportRow* b) { return a->day < b->day; });
  TImportOutcome outcome;
  outcome.stored = static_cast<int>(rows.size());
  if (rows.empty()) return outcome;

  // The whole import reaches the files in one commit; when it cannot, the
  // records and the model go back to what they were before it. What other
  // screens left unsaved is written first, so that dropping the import
  // drops nothing else.
  records.FlushDayRecords();
  const Extended lastWeight = model.LastWeighInWeight;
  const float coefficient = model.CurrentActivityCoefficient;
  const bool drift = model.WeightDriftFlag;
  const bool asked = model.WeighInPromptShown;
  records.HoldFlushes();
  try {
    StoreRows(rows, preview.kind, model, records, user, outcome);
    outcome.inPlace = records.CommitHeldChanges();
  } catch (...) {
    if (records.HoldsFlushes()) records.DropHeldChanges();
    model.LastWeighInWeight = lastWeight;
    model.CurrentActivityCoefficient = coefficient;
    model.WeightDriftFlag = drift;
    model.WeighInPromptShown = asked;
    throw;
  }
  return outcome;
}

std::string ImportRefusedText(const EXMLIOError& error) {
  std::string text = "Korvela could not save the file \"" + error.File() + "\".";
  if (!error.Message().empty()) text += "\nReason: " + error.Message() + ".";
  text += "\n\n";
  text += kMsgWeighInsNotImported;
  text += " Free some disk space or check that the folder may be written to, then try again.";
  return text;
}

std::vector<std::string> PreviewLines(const TImportPreview& preview) {
  std::vector<std::string> lines;
  for (const TImportRow& row : preview.rows) {
    std::string line = "line " + std::to_string(row.line) + "\t";
    line += row.day != 0 || row.action != TImportAction::Skip ? IsoDateText(row.day) : "";
    switch (row.action) {
      case TImportAction::Add:
        line += "\tadd";
        break;
      case TImportAction::Replace:
        line += "\treplace";
        break;
      case TImportAction::Unchanged:
        line += "\tunchanged";
        break;
      case TImportAction::Skip:
        line += "\tskip";
        break;
    }
    std::string value;
    if (row.action != TImportAction::Skip) {
      if (preview.kind == TImportKind::WeighIns) {
        value = Decimal(row.weightKg) + " kg";
        if (row.bodyFat != -1) value += ", " + Decimal(row.bodyFat) + " %";
      } else {
        for (std::size_t s = 0; s < kMeasureSiteCount; ++s)
          if (row.measurements.Sites[s] != -1)
            value += (value.empty() ? "" : ", ") + std::string(kMeasureSiteAttrs[s]) + " " +
                     Decimal(row.measurements.Sites[s]) + " cm";
      }
    }
    line += "\t" + value;
    line += "\t" + row.reason;
    lines.push_back(std::move(line));
  }
  return lines;
}

}  // namespace korvela
