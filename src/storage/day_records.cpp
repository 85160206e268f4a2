#include "storage/day_records.h"

#include <algorithm>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

bool IsDayRecordKind(std::int32_t kind) {
  return kind >= kFirstDayRecordKind && kind <= kLastDayRecordKind;
}

}  // namespace

bool IsDayRecordFileName(const std::string& name) {
  const std::string_view n(name);
  return n.size() > 6 && SameTextIgnoringCase(n.substr(0, 2), "PS") &&
         SameTextIgnoringCase(n.substr(n.size() - 4), ".dat");
}

void TDayRecordRegistry::Register(std::int32_t kind, TFactory factory) {
  factories_[kind] = std::move(factory);
}

bool TDayRecordRegistry::Has(std::int32_t kind) const { return factories_.contains(kind); }

std::unique_ptr<TDBD> TDayRecordRegistry::Create(std::int32_t kind, TDBC* owner) const {
  const auto it = factories_.find(kind);
  if (it == factories_.end())
    throw EInternalError("no record class for day record kind " + std::to_string(kind));
  return it->second(owner);
}

std::string PeriodSuffix(TDateTime date) {
  const TYearMonthDay ymd = DecodeDate(date);
  const char period = ymd.month <= 4 ? '1' : ymd.month <= 8 ? '2' : '3';
  return period + std::to_string(ymd.year);
}

std::string DayRecordFileName(TDateTime date) { return "PS" + PeriodSuffix(date) + ".dat"; }

TDayRecordStore::TDayRecordStore(const TDayRecordRegistry& registry, TRandom& random,
                                 TFileSystem& fs)
    : registry_(registry),
      random_(random),
      staging_(std::make_unique<TStagingFileSystem>(fs)) {}

void TDayRecordStore::OpenDayRecords(const std::filesystem::path& userFolder) {
  folder_ = userFolder;
  auto manager = std::make_unique<TDBFManager>();
  for (TList& list : lists_) list.clear();

  std::vector<std::filesystem::path> names;
  std::error_code ec;
  for (const auto& entry : std::filesystem::directory_iterator(userFolder, ec)) {
    if (!IsDayRecordFileName(entry.path().filename().string())) continue;
    // A folder under a period file's name would hide that period's records.
    if (!entry.is_regular_file())
      throw EXMLIOError(entry.path().string(),
                        "a folder or device stands where a data file belongs");
    names.push_back(entry.path());
  }
  if (ec) throw EXMLIOError(userFolder.string(), "cannot list the folder");
  std::sort(names.begin(), names.end());

  for (const auto& name : names) {
    manager->Files.push_back(std::make_unique<XMLDB>(name, kDayRecordsKind, random_, *staging_));
    const auto fileIndex = static_cast<std::int32_t>(manager->Files.size() - 1);
    for (const XMLHandle& h : manager->Files.back()->Handles()) {
      if (!IsDayRecordKind(h.ID)) continue;
      auto entry = std::make_unique<TDBC>();
      entry->Kind = h.ID;
      entry->Date = DayOf(h.Date);
      entry->FileIndex = fileIndex;
      MutableList(h.ID).push_back(std::move(entry));
    }
  }
  for (TList& list : lists_) {
    std::stable_sort(list.begin(), list.end(),
                     [](const auto& a, const auto& b) { return a->Date < b->Date; });
    // One entry per kind and day: of duplicates the one indexed last wins,
    // as it does when the database itself is asked.
    TList unique;
    for (auto& e : list) {
      if (!unique.empty() && unique.back()->Date == e->Date) unique.pop_back();
      unique.push_back(std::move(e));
    }
    list = std::move(unique);
  }
  manager_ = std::move(manager);
}

void TDayRecordStore::CloseDayRecords() {
  if (!manager_) return;
  // Every file is closed even when one fails; the first failure is reported.
  std::exception_ptr failure;
  for (auto& file : manager_->Files) {
    try {
      file->Close();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  manager_.reset();
  for (TList& list : lists_) list.clear();
  if (failure) std::rethrow_exception(failure);
}

TDayRecordStore::TList& TDayRecordStore::MutableList(std::int32_t kind) {
  if (!IsDayRecordKind(kind))
    throw EInternalError("day record kind out of range: " + std::to_string(kind));
  return lists_[static_cast<std::size_t>(kind - kFirstDayRecordKind)];
}

const TDayRecordStore::TList& TDayRecordStore::List(std::int32_t kind) const {
  return const_cast<TDayRecordStore*>(this)->MutableList(kind);
}

TDBC* TDayRecordStore::FindDayRecord(std::int32_t kind, TDateTime date) {
  TList& list = MutableList(kind);
  const TDateTime day = DayOf(date);
  const auto it = std::lower_bound(list.begin(), list.end(), day,
                                   [](const auto& e, TDateTime d) { return e->Date < d; });
  return it != list.end() && (*it)->Date == day ? it->get() : nullptr;
}

std::int32_t TDayRecordStore::FileOfDate(TDateTime date) {
  const std::string name = DayRecordFileName(date);
  for (std::size_t i = 0; i < manager_->Files.size(); ++i)
    if (SameTextIgnoringCase(manager_->Files[i]->FileName().filename().string(), name))
      return static_cast<std::int32_t>(i);
  manager_->Files.push_back(std::make_unique<XMLDB>(folder_ / name, kDayRecordsKind, random_, *staging_));
  return static_cast<std::int32_t>(manager_->Files.size() - 1);
}

XMLDB& TDayRecordStore::FileOf(const TDBC& entry) {
  return *manager_->Files.at(static_cast<std::size_t>(entry.FileIndex));
}

TDBC& TDayRecordStore::GetOrCreateDayRecord(std::int32_t kind, TDateTime date) {
  if (TDBC* found = FindDayRecord(kind, date)) return *found;
  auto entry = std::make_unique<TDBC>();
  entry->Kind = kind;
  entry->Date = DayOf(date);
  entry->Record = registry_.Create(kind, entry.get());
  entry->FileIndex = FileOfDate(date);
  TList& list = MutableList(kind);
  const auto at = std::upper_bound(list.begin(), list.end(), entry->Date,
                                   [](TDateTime d, const auto& e) { return d < e->Date; });
  return **list.insert(at, std::move(entry));
}

void TDayRecordStore::LoadDayRecord(TDBC& entry) {
  if (entry.Record) return;
  XMLDB& file = FileOf(entry);
  try {
    const XMLNode* element = file.Get(entry.Kind, kDataKey, entry.Date);
    auto record = registry_.Create(entry.Kind, &entry);
    // A record missing behind the index keeps its defaults.
    if (element) record->Read(*element);
    entry.Record = std::move(record);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.FileName().string());
    throw;
  }
}

void TDayRecordStore::SaveDayRecord(const TDBC& entry) {
  if (!entry.Record) return;
  FileOf(entry).Put(entry.Record->Write(), entry.Kind, kDataKey, entry.Date);
}

void TDayRecordStore::FlushDayRecordFile(const TDBC& entry) {
  if (holding_) return;
  XMLDB& file = FileOf(entry);
  file.Save();
  file.ReleaseCache();
}

void TDayRecordStore::FlushDayRecords() {
  if (holding_) return;
  for (auto& file : manager_->Files) {
    file->Save();
    file->ReleaseCache();
  }
}

void TDayRecordStore::HoldFlushes() {
  holding_ = true;
  // A period file made meanwhile appears with the commit too.
  staging_->BeginStaging();
}

bool TDayRecordStore::CommitHeldChanges() {
  holding_ = false;
  bool settled = false;
  try {
    for (auto& file : manager_->Files) file->Save();
    settled = staging_->CommitStaged(folder_);
  } catch (const EXMLIOError&) {
    DropHeldChanges();
    throw;
  }
  for (auto& file : manager_->Files) file->ReleaseCache();
  return settled;
}

void TDayRecordStore::DropHeldChanges() {
  holding_ = false;
  staging_->DiscardStaged();
  OpenDayRecords(folder_);
}

void TDayRecordStore::DeleteDayRecord(std::int32_t kind, TDateTime date) {
  TDBC* found = FindDayRecord(kind, date);
  if (!found) return;
  FileOf(*found).Delete(kind, found->Date);
  ForgetDayRecord(kind, date);
}

void TDayRecordStore::ForgetDayRecord(std::int32_t kind, TDateTime date) {
  TDBC* found = FindDayRecord(kind, date);
  if (!found) return;
  TList& list = MutableList(kind);
  list.erase(
      std::find_if(list.begin(), list.end(), [found](const auto& e) { return e.get() == found; }));
}

}  // namespace korvela
