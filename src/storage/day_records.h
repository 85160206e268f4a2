#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "storage/date_time.h"
#include "storage/staged_commit.h"
#include "storage/xml_db.h"

namespace korvela {

// Kinds of day records; 111-122 have record classes, up to 133 are indexed.
inline constexpr std::int32_t kFirstDayRecordKind = 111;
inline constexpr std::int32_t kLastDayRecordKind = 133;

class TDBC;

// Base of every day record class: reads its fields from its element and
// writes them into a new element.
class TDBD {
 public:
  explicit TDBD(TDBC* owner) : Owner(owner) {}
  virtual ~TDBD() = default;
  virtual void Read(const XMLNode& element) = 0;
  virtual std::unique_ptr<XMLNode> Write() const = 0;

  TDBC* Owner;
};

// One indexed day record; the record object is loaded on first use.
class TDBC {
 public:
  std::int32_t Kind = 0;
  TDateTime Date = 0;  // a whole day
  std::unique_ptr<TDBD> Record;
  std::int32_t FileIndex = -1;
};

// The record classes of the day-record kinds. Each subsystem registers the
// kinds it owns; a factory makes a record with the kind's defaults.
class TDayRecordRegistry {
 public:
  using TFactory = std::function<std::unique_ptr<TDBD>(TDBC* owner)>;
  void Register(std::int32_t kind, TFactory factory);
  bool Has(std::int32_t kind) const;
  // Raises EInternalError for a kind without a class.
  std::unique_ptr<TDBD> Create(std::int32_t kind, TDBC* owner) const;

 private:
  std::map<std::int32_t, TFactory> factories_;
};

// "1" + year for January-April, "2" for May-August, "3" for September-December.
std::string PeriodSuffix(TDateTime date);
// "PS" + period suffix + ".dat".
std::string DayRecordFileName(TDateTime date);
// Whether a file name is one of a period file: "PS" ... ".dat" in any letter case.
bool IsDayRecordFileName(const std::string& name);

// The open day-record files of a user.
class TDBFManager {
 public:
  std::string Prefix = "PS";
  std::vector<std::unique_ptr<XMLDB>> Files;
};

// A user's day records from login to log off: one record database per third
// of a year, indexed by kind and day, records loaded on first use.
class TDayRecordStore {
 public:
  using TList = std::vector<std::unique_ptr<TDBC>>;

  TDayRecordStore(const TDayRecordRegistry& registry, TRandom& random,
                  TFileSystem& fs = PosixFileSystem());
  TDayRecordStore(const TDayRecordStore&) = delete;
  TDayRecordStore& operator=(const TDayRecordStore&) = delete;

  // Opens every "PS*.dat" of the user's folder and indexes its records.
  void OpenDayRecords(const std::filesystem::path& userFolder);
  // Saves and closes every file and forgets the index.
  void CloseDayRecords();
  bool IsOpen() const { return manager_ != nullptr; }

  TDBC* FindDayRecord(std::int32_t kind, TDateTime date);
  // The existing record of the day, or a new one with the kind's defaults
  // (not stored until saved). May create the file of the date's period.
  TDBC& GetOrCreateDayRecord(std::int32_t kind, TDateTime date);
  void LoadDayRecord(TDBC& entry);
  // Hands the record's element to its file; nothing reaches the disk until
  // the file is saved.
  void SaveDayRecord(const TDBC& entry);
  void FlushDayRecordFile(const TDBC& entry);
  void FlushDayRecords();
  void DeleteDayRecord(std::int32_t kind, TDateTime date);
  // Holds back every flush until CommitHeldChanges or DropHeldChanges, so
  // that a change made in several steps over several files reaches the disk
  // as one: each file is written once, and all of them or none take it.
  void HoldFlushes();
  bool HoldsFlushes() const { return holding_; }
  // Writes every file with changes, all staged before any replaces its old
  // content. False when the change is decided but a file could not yet be
  // put in place: reads see it, and CompleteStagedCommit puts it there at
  // the next opening. When the disk refuses a write before the change is
  // decided, every change since HoldFlushes is dropped (DropHeldChanges)
  // and the EXMLIOError goes on: the files are as they were.
  bool CommitHeldChanges();
  // Forgets every change since HoldFlushes: the files are indexed again as
  // the disk holds them, and every entry handed out before is gone.
  void DropHeldChanges();

  // Takes the day's record out of the index only: the stored record stays in
  // its file until a new record of the kind and day is saved over it.
  void ForgetDayRecord(std::int32_t kind, TDateTime date);

  // The records of a kind, sorted by day.
  const TList& List(std::int32_t kind) const;
  const TDBFManager& Manager() const { return *manager_; }

  // The loaded record of an entry as its class.
  template <typename T>
  T& Loaded(TDBC& entry) {
    LoadDayRecord(entry);
    return static_cast<T&>(*entry.Record);
  }

 private:
  TList& MutableList(std::int32_t kind);
  std::int32_t FileOfDate(TDateTime date);
  XMLDB& FileOf(const TDBC& entry);

  const TDayRecordRegistry& registry_;
  TRandom& random_;
  // What the files are opened through: the real files, except while held
  // changes are being committed.
  std::unique_ptr<TStagingFileSystem> staging_;
  bool holding_ = false;
  std::filesystem::path folder_;
  std::unique_ptr<TDBFManager> manager_;
  std::array<TList, kLastDayRecordKind - kFirstDayRecordKind + 1> lists_;
};

}  // namespace korvela
