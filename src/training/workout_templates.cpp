#include "training/workout_templates.h"

#include <algorithm>

#include "storage/database_change.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {

TTemplateList::TTemplateList(const std::filesystem::path& programFolder,
                             const TConfigurator& config, TRandom& random, TFileSystem& fs)
    : file_(programFolder / kTemplateFile), config_(config), random_(random), fs_(fs) {}

TTemplateList::~TTemplateList() = default;

template <typename TAction>
void TTemplateList::WithFile(TAction action) {
  ChangeDatabaseFile(db_, file_, kTemplateDBKind, random_, fs_, action);
}

void TTemplateList::Load() {
  std::vector<TWorkout> templates;
  if (fs_.Exists(file_)) {
    WithFile([&](XMLDB& db) {
      for (const XMLHandle& handle : db.Handles()) {
        if (handle.ID < kFirstTemplateID || !db.Has(handle.ID, handle.Date)) continue;
        const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
        if (!node || node->IsBlob) throw EInvalidXMLFile(file_.string());
        TWorkout w = ReadWorkout(*node, config_);
        w.ID = handle.ID;
        templates.push_back(std::move(w));
        db.ReleaseCache();
      }
    });
  }
  templates_ = std::move(templates);
}

void TTemplateList::OpenFile() {
  if (db_) return;
  try {
    db_ = std::make_unique<XMLDB>(file_, kTemplateDBKind, random_, fs_);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file_.string());
    throw;
  }
}

void TTemplateList::CloseFile() {
  if (!db_) return;
  std::unique_ptr<XMLDB> db = std::move(db_);
  db->Close();
}

const TWorkout& TTemplateList::Save(TWorkout workout, const TExerciseDictionary& dictionary) {
  PrepareForWriting(workout, dictionary);
  WithFile([&](XMLDB& db) {
    if (workout.ID == -1) workout.ID = db.AllocateID(kFirstTemplateID, kIDLimit);
    db.Put(WriteWorkout(workout), workout.ID, kDataKey, 0);
  });
  const auto it = std::find_if(templates_.begin(), templates_.end(),
                               [&](const TWorkout& t) { return t.ID == workout.ID; });
  if (it != templates_.end()) {
    *it = std::move(workout);
    return *it;
  }
  templates_.push_back(std::move(workout));
  return templates_.back();
}

void TTemplateList::Delete(TWorkout& workout) {
  if (workout.ID == -1) return;
  const std::int32_t id = workout.ID;
  WithFile([&](XMLDB& db) { db.Delete(id, 0); });
  templates_.erase(std::remove_if(templates_.begin(), templates_.end(),
                                  [id](const TWorkout& t) { return t.ID == id; }),
                   templates_.end());
  workout.ID = -1;
}

}  // namespace korvela
