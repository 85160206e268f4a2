#include "activities/activity_log.h"

#include <cmath>

#include "activities/activity_figures.h"
#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

TDateTime CalendarDay(TDateTime day) { return std::floor(day); }

}  // namespace

std::string UnlogQuestion(const std::string& name) {
  return "Do you really want to delete(unlog)  " + name + " ?";
}

TActivityLog::TActivityLog(TDayRecordStore& records, TEnergyModel& energy, TDateTime day)
    : records_(records), energy_(energy) {
  SetDay(day);
}

void TActivityLog::SetDay(TDateTime day) {
  day_ = CalendarDay(day);
  rate_ = static_cast<double>(energy_.RestingRateForDay(day_));
}

const std::vector<TSECERec>* TActivityLog::StoredEntries() const {
  TDBC* entry = records_.FindDayRecord(kCalStatKind, day_);
  if (!entry) return nullptr;
  return &records_.Loaded<TCalStat>(*entry).Entries;
}

std::vector<std::size_t> TActivityLog::ShownPositions(const std::vector<TSECERec>& all) const {
  std::vector<std::size_t> positions;
  for (std::size_t i = 0; i < all.size(); ++i)
    if (all[i].Type == 0) positions.push_back(i);
  return positions;
}

std::vector<TSECERec> TActivityLog::Logged() const {
  const auto pending = pending_.find(day_);
  const std::vector<TSECERec>* all = pending != pending_.end() ? &pending->second : StoredEntries();
  std::vector<TSECERec> shown;
  if (!all) return shown;
  for (const std::size_t i : ShownPositions(*all)) shown.push_back((*all)[i]);
  return shown;
}

std::vector<TLoggedRow> TActivityLog::LoggedRows(const TConfigurator& config) const {
  std::vector<TLoggedRow> rows;
  for (const TSECERec& e : Logged()) {
    TLoggedRow row;
    row.activity = TimeOfDayText(config, e.Time) + " " + e.Name;
    row.duration = std::to_string(e.Dur) + " min";
    if (rate_ >= 0) {
      row.burned = FormatNumber(config, BurnedCalories(e.MET, e.Dur, rate_), 0) + " cal";
      row.added = FormatNumber(config, AddedCalories(e.MET, e.Dur, rate_), 0) + " cal";
    }
    rows.push_back(std::move(row));
  }
  return rows;
}

std::vector<TSECERec>& TActivityLog::Pending() {
  const auto found = pending_.find(day_);
  if (found != pending_.end()) return found->second;
  // The day's record is found or created the first time the day changes.
  TDBC& entry = records_.GetOrCreateDayRecord(kCalStatKind, day_);
  return pending_[day_] = records_.Loaded<TCalStat>(entry).Entries;
}

void TActivityLog::Log(TDateTime timeOfDay, const std::string& name, double met, int minutes) {
  TSECERec entry;
  entry.Time = timeOfDay - std::floor(timeOfDay);
  entry.Name = name;
  entry.MET = static_cast<float>(met);
  entry.Dur = minutes;
  entry.Type = 0;
  Pending().push_back(std::move(entry));
  saveEnabled_ = true;
}

void TActivityLog::Unlog(std::size_t row) {
  std::vector<TSECERec>& all = Pending();
  const std::vector<std::size_t> positions = ShownPositions(all);
  if (row >= positions.size()) throw EInternalError("no logged activity in that row");
  all.erase(all.begin() + static_cast<std::ptrdiff_t>(positions[row]));
}

void TActivityLog::SaveChanges() {
  for (auto& [day, entries] : pending_) {
    TDBC& entry = records_.GetOrCreateDayRecord(kCalStatKind, day);
    records_.Loaded<TCalStat>(entry).Entries = entries;
    energy_.SaveCalRecord(entry);
  }
  pending_.clear();
  energy_.ActivityLogSaved();
  saveEnabled_ = false;
  rate_ = static_cast<double>(energy_.RestingRateForDay(day_));
}

void TActivityLog::Discard() {
  pending_.clear();
  saveEnabled_ = false;
}

}  // namespace korvela
