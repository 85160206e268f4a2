#include "nutrition/food_log_store.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/record_salvage.h"

namespace korvela {

int WholeDaysBetween(TDateTime a, TDateTime b) {
  return static_cast<int>(std::floor(std::fabs(a - b)));
}

TFoodLogStore::TFoodLogStore(const std::filesystem::path& userFolder, TRandom& random,
                             TFileSystem& fs)
    : current_(userFolder / kCurrentFoodLogsFile, kFoodLogKind, random, fs),
      archive_(userFolder / kArchivedFoodLogsFile, kFoodLogKind, random, fs) {}

namespace {

TDatabaseCheck CheckFoodLogFile(const XMLDB& db) {
  return CheckRecordDatabase(db.FileName(), kFoodLogKind, db.FileSystem(),
                             [](std::int32_t id, double, const XMLNode& node) {
                               if (id != kFoodLogID) return;
                               if (node.IsBlob) throw EInvalidXMLFile();
                               (void)ReadFoodLogElement(node);
                             });
}

void RequireSound(const XMLDB& db) {
  const TDatabaseCheck check = CheckFoodLogFile(db);
  if (check.Sound()) return;
  std::string what =
      check.database ? std::to_string(check.Lost()) +
                           (check.Lost() == 1 ? " record cannot" : " records cannot") + " be read"
                     : check.problem;
  throw EXMLIOError(db.FileName().string(),
                    "the food log file is damaged (" + what + "); no food log was archived");
}

}  // namespace

int TFoodLogStore::RunArchivingPass(TDateTime today) {
  const std::vector<XMLHandle>& handles = current_.Handles();
  const auto isLog = [](const XMLHandle& h) {
    return h.ID == kFoodLogID && h.State == TRecordState::Stored;
  };
  DropArchivedCopiesOfCurrentLogs();
  std::size_t first = 0;
  while (
      first < handles.size() &&
      !(isLog(handles[first]) && WholeDaysBetween(handles[first].Date, today) >= kArchiveTrigger))
    ++first;
  std::vector<std::size_t> moving;
  for (std::size_t i = first; i < handles.size(); ++i)
    if (isLog(handles[i]) && WholeDaysBetween(handles[i].Date, today) >= kArchiveAge)
      moving.push_back(i);
  if (moving.empty()) return 0;

  // Both files are read whole first: a record appended behind a damaged one
  // could never be read again, and a damaged record must not be carried
  // into the archive. Either stops the pass with both files as they were.
  RequireSound(current_);
  RequireSound(archive_);

  std::vector<TDateTime> days;
  days.reserve(moving.size());
  for (const std::size_t i : moving) days.push_back(handles[i].Date);
  // The archive is written first: should the program stop before the current
  // file is rewritten, the logs are in both files and the current copy wins.
  archive_.AppendStoredRecords(current_, moving);
  // The logs leave the current file only once the archive has been read
  // back holding each of them.
  const TDatabaseCheck written = CheckFoodLogFile(archive_);
  for (const TDateTime day : days) {
    const bool held =
        std::any_of(written.readable.begin(), written.readable.end(),
                    [day](const TRecordSpan& r) { return r.ID == kFoodLogID && r.Date == day; });
    if (!written.Sound() || !held)
      throw EXMLIOError(archive_.FileName().string(),
                        "the archive does not read back; no food log was moved");
  }
  for (const TDateTime day : days) current_.Delete(kFoodLogID, day);
  current_.Save();
  return static_cast<int>(days.size());
}

// A pass cut short after the archive was written leaves its logs in both
// files. The current copy is the one the diary reads and saves, so the
// archive's copy goes; otherwise it would stay there, shadowed, for good.
void TFoodLogStore::DropArchivedCopiesOfCurrentLogs() {
  std::vector<TDateTime> twice;
  for (const XMLHandle& h : current_.Handles())
    if (h.ID == kFoodLogID && h.State == TRecordState::Stored && archive_.Has(kFoodLogID, h.Date))
      twice.push_back(h.Date);
  if (twice.empty()) return;
  RequireSound(archive_);
  for (const TDateTime day : twice) archive_.Delete(kFoodLogID, day);
  archive_.Save();
}

namespace {

TDaysMeals ReadDayLog(XMLDB& db, TDateTime day) {
  try {
    const XMLNode* node = db.Get(kFoodLogID, kDataKey, day);
    if (!node || node->IsBlob) throw EInvalidXMLFile();
    return ReadFoodLogElement(*node);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(db.FileName().string());
    throw;
  }
}

}  // namespace

std::optional<TDaysMeals> TFoodLogStore::LoadDayLog(TDateTime day) {
  day = DayOf(day);
  for (XMLDB* db : {&current_, &archive_})
    if (db->Has(kFoodLogID, day)) return ReadDayLog(*db, day);
  return std::nullopt;
}

std::optional<TStoredDayLog> ReadStoredDayLog(const std::filesystem::path& userFolder,
                                              TDateTime day, TRandom& random, TFileSystem& fs) {
  day = DayOf(day);
  for (const std::string_view name : {kCurrentFoodLogsFile, kArchivedFoodLogsFile}) {
    const std::filesystem::path file = userFolder / name;
    if (!fs.Exists(file)) continue;
    XMLDB db(file, kFoodLogKind, random, fs);
    if (db.Has(kFoodLogID, day)) return TStoredDayLog{ReadDayLog(db, day), file};
  }
  return std::nullopt;
}

bool TFoodLogStore::GoesToCurrent(TDateTime day, TDateTime today) const {
  if (current_.Has(kFoodLogID, day)) return true;
  if (archive_.Has(kFoodLogID, day)) return false;
  return WholeDaysBetween(day, today) < kArchiveAge;
}

const std::filesystem::path& TFoodLogStore::FileFor(TDateTime day, TDateTime today) const {
  return (GoesToCurrent(DayOf(day), today) ? current_ : archive_).FileName();
}

void TFoodLogStore::StoreDayLog(const TDaysMeals& log, TDateTime today) {
  const TDateTime day = DayOf(log.ForDate);
  XMLDB& db = GoesToCurrent(day, today) ? current_ : archive_;
  db.Put(WriteFoodLogElement(log), kFoodLogID, kDataKey, day);
  // Written at once: a saved log survives the program ending unexpectedly.
  db.Save();
  db.ReleaseCache();
}

void TFoodLogStore::Close() {
  current_.Close();
  archive_.Close();
}

int ArchiveOldFoodLogs(const std::filesystem::path& userFolder, TDateTime today, TRandom& random,
                       TFileSystem& fs) {
  TFoodLogStore store(userFolder, random, fs);
  const int moved = store.RunArchivingPass(today);
  store.Close();
  return moved;
}

void SaveDayLog(TDaysMeals& log, TFoodLogStore& store, TEnergyModel& energy) {
  if (log.IsMenu()) throw EInternalError("a menu is not a day's food log");
  log.ForDate = DayOf(log.ForDate);
  const TNutrients totals = DayTotals(log);
  energy.StoreFoodTotals(log.ForDate, static_cast<double>(totals.P), static_cast<double>(totals.F),
                         static_cast<double>(totals.C), static_cast<double>(totals.A));
  store.StoreDayLog(log, energy.Today());
}

}  // namespace korvela
