#pragma once
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "energy/energy_model.h"
#include "nutrition/day_plan.h"
#include "storage/date_time.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"

namespace korvela {

// A user's day logs live in two record databases in the user's folder: the
// recent ones in "FDBC.DAT", older ones in "FDBA.DAT". Each log is one
// "FoodLog" document under identifier 12 and the log's day.
inline constexpr std::string_view kCurrentFoodLogsFile = "FDBC.DAT";
inline constexpr std::string_view kArchivedFoodLogsFile = "FDBA.DAT";
inline constexpr std::int32_t kFoodLogKind = 394857;
inline constexpr std::int32_t kFoodLogID = 12;

// A log this many whole days away from today starts the archiving pass; from
// it on, every log at least kArchiveAge days away is moved to the archive.
inline constexpr int kArchiveTrigger = 60;
inline constexpr int kArchiveAge = 30;

// Whole days between two dates, the absolute difference rounded down.
int WholeDaysBetween(TDateTime a, TDateTime b);

// The food log store of one user, open from construction to Close.
class TFoodLogStore {
 public:
  // Opens (creating when absent) both files of the user's folder.
  TFoodLogStore(const std::filesystem::path& userFolder, TRandom& random,
                TFileSystem& fs = PosixFileSystem());
  TFoodLogStore(const TFoodLogStore&) = delete;
  TFoodLogStore& operator=(const TFoodLogStore&) = delete;

  // Moves old logs out of "FDBC.DAT" when one of them is kArchiveTrigger days
  // or more away from today: "FDBA.DAT" is written with them appended, then
  // "FDBC.DAT" without them. Returns how many logs moved. Before anything
  // moves, both files are read whole (every record's size and checksum); a
  // damaged one raises EXMLIOError naming it, both files unchanged. The logs
  // leave "FDBC.DAT" only after "FDBA.DAT" has been read back holding them.
  // Logs that an earlier pass, cut short, left in both files first lose
  // their archived copy.
  int RunArchivingPass(TDateTime today);

  // The stored log of the day, meals sorted by time; none when the day has
  // no log. "FDBC.DAT" is asked first.
  std::optional<TDaysMeals> LoadDayLog(TDateTime day);
  // Stores the log under its day, replacing a stored one, and writes the file
  // it went into: the file that already holds the day, otherwise the current
  // file for a day less than kArchiveAge days from today, else the archive.
  void StoreDayLog(const TDaysMeals& log, TDateTime today);
  // Which file a log of the day would go into.
  const std::filesystem::path& FileFor(TDateTime day, TDateTime today) const;

  void Close();

  XMLDB& Current() { return current_; }
  XMLDB& Archive() { return archive_; }

 private:
  bool GoesToCurrent(TDateTime day, TDateTime today) const;
  void DropArchivedCopiesOfCurrentLogs();

  XMLDB current_;
  XMLDB archive_;
};

// The stored log of the day and the name of the file that holds it, read
// without creating or changing any file; none when the day has no log.
struct TStoredDayLog {
  TDaysMeals log;
  std::filesystem::path file;
};
std::optional<TStoredDayLog> ReadStoredDayLog(const std::filesystem::path& userFolder,
                                              TDateTime day, TRandom& random,
                                              TFileSystem& fs = PosixFileSystem());

// Opens the user's store, runs the archiving pass and closes it again, as at
// every login. Returns how many logs moved.
int ArchiveOldFoodLogs(const std::filesystem::path& userFolder, TDateTime today, TRandom& random,
                       TFileSystem& fs = PosixFileSystem());

// Saves a day's log: its day's calorie record takes the day's nutrient
// totals (re-projecting the bodyweight after it when the day is in the
// projection window) and the log is stored. A plan without a day is a menu
// and raises EInternalError.
void SaveDayLog(TDaysMeals& log, TFoodLogStore& store, TEnergyModel& energy);

}  // namespace korvela
