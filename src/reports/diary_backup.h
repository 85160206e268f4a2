#pragma once
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "reports/exchange_kinds.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "storage/errors.h"

namespace korvela {

// A diary backup is a record database of its own kind: a header record, one
// record per file of the account's folder (its bytes in base64 with their
// size and CRC-32), one record per shared item in the element an exchange
// package carries, and one record with the exercises the workouts and
// records name, each under its negated identifier.
inline constexpr std::int32_t kBackupKind = 23904831;
inline constexpr std::int32_t kBackupFormatLevel = 1;
inline constexpr std::string_view kBackupExtension = ".kvb";
inline constexpr std::string_view kBackupHeaderElement = "KVBACKUP";
inline constexpr std::string_view kBackupFileElement = "BFILE";
inline constexpr std::string_view kBackupExercisesElement = "BDRILLS";
// A restore writes the account into the program folder's "restoring" + a
// number first; the account list never shows such a folder.
inline constexpr std::string_view kRestoreStagingPrefix = "restoring";

inline constexpr const char* kMsgBackupDamaged =
    "This file is not a Korvela diary backup, or it is damaged. Nothing was restored.";
inline constexpr const char* kMsgBackupTooNew =
    "This backup was made by a newer version of Korvela. Nothing was restored.";

// A backup that cannot be read whole: not a backup, cut short, a checksum
// that fails or an item no kind reads. Names the backup file.
class EBackupDamaged : public EKorvelaError {
 public:
  explicit EBackupDamaged(std::string file, std::string message = kMsgBackupDamaged)
      : EKorvelaError(std::move(message), std::move(file)) {}
  const char* KindText() const override { return "Damaged backup"; }
};

struct TBackupSummary {
  std::string userName;
  std::size_t files = 0;
  std::size_t items = 0;  // shared items, exercises included
};

// Writes the backup of the account in `userFolder` to `backupFile`, which is
// replaced only once the whole backup is written. The folder's files are
// read as they are on the disk (the caller writes pending changes first) and
// never changed. Besides the folder it holds the user foods and recipes its
// food logs and frequent foods name (and the user foods those recipes and
// the menus name), every menu and workout template of the installation, the
// activities its activity entries name and the exercises its workouts,
// personal records and the templates use.
TBackupSummary BackUpDiary(const std::filesystem::path& userFolder,
                           const TDayRecordRegistry& registry, TIEStores& stores,
                           const std::filesystem::path& backupFile);

struct TRestoreOutcome {
  std::filesystem::path folder;  // the new account's folder
  std::string userName;          // as the account is now named
  std::size_t newItems = 0;      // shared items the installation did not have
};

// Restores a backup as a new account of the program folder of `stores`. The
// whole backup is read and checked before anything is written: a damaged
// backup raises EBackupDamaged and changes nothing. The account keeps its
// name unless one of `takenNames` has it (letter case ignored), then it is
// named "NAME (restored)", "NAME (restored 2)", ...; it never logs in by
// itself. Shared items whose name the installation already has keep the
// local item; the workouts and records are linked to the local exercises.
// The folder appears under its final name only when everything is written;
// a failure on the way removes what was written of it.
TRestoreOutcome RestoreDiary(const std::filesystem::path& backupFile, TIEStores& stores,
                             const TDayRecordRegistry& registry,
                             const std::vector<std::string>& takenNames);

// The record of one file of the account folder as a backup holds it.
std::unique_ptr<XMLNode> BackupFileRecord(const std::string& name, std::string_view bytes);

// The texts of the backup and restore screens.
inline constexpr const char* kMsgChooseBackupTarget = "Please choose the file to back up to";
inline constexpr const char* kMsgChooseBackupSource = "Please choose the backup file to restore";
// "NAME diary YYYY-MM-DD.kvb", with the characters a file name cannot hold
// replaced by "_".
std::string DefaultBackupFileName(std::string_view userName, TDateTime today);
// The file a backup is written to: a name typed without an extension gets
// ".kvb"; one with an extension of its own keeps it.
std::filesystem::path WithBackupExtension(const std::filesystem::path& file);
std::string ReplaceBackupQuestion(const std::filesystem::path& file);
std::string BackedUpText(const TBackupSummary& summary, const std::filesystem::path& file);
std::string RestoredText(std::string_view userName);
std::string NoBackupFileText(const std::filesystem::path& file);
// A backup that cannot be restored: the reason and the file.
std::string RefusedBackupText(const EKorvelaError& error);

// Reads the whole backup and checks it as RestoreDiary does, without any
// collection of the installation: raises EBackupDamaged (or EXMLIOError for
// a file that is not there) and writes nothing.
void CheckBackup(const std::filesystem::path& backupFile, const TConfigurator& config,
                 TRandom& random, TFileSystem& fs = PosixFileSystem());

// The name a restored account takes (see RestoreDiary).
std::string RestoredName(std::string_view name, const std::vector<std::string>& takenNames);

}  // namespace korvela
