#pragma once
#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "storage/day_records.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kActivityLogCaption = "Log Physical Activities";
inline constexpr const char* kMsgSaveLoggedActivities =
    "Would you like to save the logged activities?";
// "Do you really want to delete(unlog)  " + name + " ?"
std::string UnlogQuestion(const std::string& name);

// One row of the logged list: the entry's texts as shown.
struct TLoggedRow {
  std::string activity;  // time of day, a blank and the name
  std::string duration;  // "45 min"
  std::string burned;    // "312 cal"
  std::string added;     // "251 cal"
};

// The activity log screen without Qt: the selected day, the day's resting
// rate and the pending changes. The screen works on copies: the first time
// a day is changed, all its activity entries (workout entries included) are
// copied into a pending list, and only "Save Changes" writes pending lists
// back into their days' calorie records.
class TActivityLog {
 public:
  TActivityLog(TDayRecordStore& records, TEnergyModel& energy, TDateTime day);

  // Selects a day and computes its resting rate.
  void SetDay(TDateTime day);
  TDateTime Day() const { return day_; }
  // Calories a day at rest on the selected day.
  double Rate() const { return rate_; }

  // The activity-log entries (Type 0) of the selected day in their order:
  // the pending list when the day has one, else the stored record's.
  std::vector<TSECERec> Logged() const;
  std::vector<TLoggedRow> LoggedRows(const TConfigurator& config) const;

  // Appends an entry (Type 0) to the selected day's pending list.
  void Log(TDateTime timeOfDay, const std::string& name, double met, int minutes);
  // Removes the n-th shown entry of the selected day from its pending list.
  void Unlog(std::size_t row);

  bool HasPending() const { return !pending_.empty(); }
  // Logging enables "Save Changes"; unlogging alone does not.
  bool SaveEnabled() const { return saveEnabled_; }
  // Closing without OK asks whether to save only then.
  bool AsksOnClose() const { return HasPending() && saveEnabled_; }

  // Writes every pending day into its calorie record, re-projects the
  // bodyweight, flushes the day records and forgets the pending lists.
  void SaveChanges();
  // Forgets the pending lists.
  void Discard();

 private:
  std::vector<TSECERec>& Pending();
  // Positions in the day's full list of the shown (Type 0) entries.
  std::vector<std::size_t> ShownPositions(const std::vector<TSECERec>& all) const;
  const std::vector<TSECERec>* StoredEntries() const;

  TDayRecordStore& records_;
  TEnergyModel& energy_;
  TDateTime day_ = 0;
  double rate_ = -1;
  std::map<TDateTime, std::vector<TSECERec>> pending_;
  bool saveEnabled_ = false;
};

}  // namespace korvela
