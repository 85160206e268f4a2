#include "training/training_records.h"

#include <algorithm>

#include "storage/errors.h"

namespace korvela {

void TUDC::Read(const XMLNode& element) {
  Name = element.AttrOrEmpty("Name");
  Width = element.AttrIntOr("Width", 0);
}

std::unique_ptr<XMLNode> TUDC::Write() const {
  auto node = std::make_unique<XMLNode>(kUDCElement);
  node->AddAttr("Name", Name);
  node->AddIntAttr("Width", Width);
  return node;
}

void TColMapStat::Read(const XMLNode& element) {
  static_cast<TColMap&>(*this) = ReadColMap(element);
}

std::unique_ptr<XMLNode> TColMapStat::Write() const { return WriteColMap(*this); }

void TTrainOptStat::Read(const XMLNode& element) {
  Names = element.AttrIntOr("Names", 0);
  Pace = element.AttrIntOr("Pace", 0);
  PrintDrills = element.FindAttr("PrintDrills") != nullptr;
}

std::unique_ptr<XMLNode> TTrainOptStat::Write() const {
  auto node = std::make_unique<XMLNode>(kTrainOptElement);
  node->AddIntAttr("Names", Names);
  node->AddIntAttr("Pace", Pace);
  if (PrintDrills) node->AddAttr("PrintDrills", "");
  return node;
}

void TWorkoutDay::Read(const XMLNode& element) {
  Workouts.clear();
  for (const auto& child : element.Children)
    if (child->Name == kWorkoutElement) Workouts.push_back(ReadWorkout(*child, config_));
}

std::unique_ptr<XMLNode> TWorkoutDay::Write() const {
  auto node = std::make_unique<XMLNode>(kWorkoutDayElement);
  for (const TWorkout& w : Workouts) node->AddChild(WriteWorkout(w));
  return node;
}

void TPRWrapper::Read(const XMLNode& element) {
  Records.clear();
  for (const auto& child : element.Children)
    if (child->Name == kDrillPRElement) Records.push_back(ReadDrillPR(*child, config_));
}

std::unique_ptr<XMLNode> TPRWrapper::Write() const {
  auto node = std::make_unique<XMLNode>(kPRWrapperElement);
  for (const TDrillPR& r : Records) node->AddChild(WriteDrillPR(r));
  return node;
}

void RegisterTrainingRecords(TDayRecordRegistry& registry, const TConfigurator& config) {
  registry.Register(kUDCKind, [](TDBC* owner) { return std::make_unique<TUDC>(owner); });
  registry.Register(kColMapKind, [](TDBC* owner) { return std::make_unique<TColMapStat>(owner); });
  registry.Register(kWorkoutDayKind, [&config](TDBC* owner) {
    return std::make_unique<TWorkoutDay>(owner, config);
  });
  registry.Register(kPRWrapperKind,
                    [&config](TDBC* owner) { return std::make_unique<TPRWrapper>(owner, config); });
  registry.Register(kTrainOptKind,
                    [](TDBC* owner) { return std::make_unique<TTrainOptStat>(owner); });
}

TTrainOpt FetchTrainOpt(TDayRecordStore& store) {
  return store.Loaded<TTrainOptStat>(store.GetOrCreateDayRecord(kTrainOptKind, kTrainOptKey));
}

void SaveTrainOpt(TDayRecordStore& store, const TTrainOpt& options) {
  TDBC& entry = store.GetOrCreateDayRecord(kTrainOptKind, kTrainOptKey);
  static_cast<TTrainOpt&>(store.Loaded<TTrainOptStat>(entry)) = options;
  store.SaveDayRecord(entry);
  store.FlushDayRecordFile(entry);
}

TColMap FetchDefaultColMap(TDayRecordStore& store) {
  TDBC* entry = store.FindDayRecord(kColMapKind, kColMapKey);
  if (!entry) return TColMap::Default();
  return store.Loaded<TColMapStat>(*entry);
}

std::optional<std::int32_t> NewColumnKey(TDayRecordStore& store, TRandom& random) {
  std::vector<std::int32_t> free;
  for (std::int32_t key = kFirstColumnKey; key <= kLastColumnKey; ++key)
    if (!store.FindDayRecord(kUDCKind, key)) free.push_back(key);
  if (free.empty()) return std::nullopt;
  // Drawing among the free keys gives each the same chance as redrawing
  // until a free one comes up, and ends after one draw.
  return free[static_cast<std::size_t>(random.Uniform(0, static_cast<std::int64_t>(free.size())))];
}

bool HasWorkout(TDayRecordStore& store, TDateTime day) {
  TDBC* entry = store.FindDayRecord(kWorkoutDayKind, DayOf(day));
  return entry && !store.Loaded<TWorkoutDay>(*entry).Workouts.empty();
}

std::vector<TWorkout> WorkoutsOfDay(TDayRecordStore& store, TDateTime day) {
  TDBC* entry = store.FindDayRecord(kWorkoutDayKind, DayOf(day));
  if (!entry) return {};
  return store.Loaded<TWorkoutDay>(*entry).Workouts;
}

std::int32_t AppendWorkoutLog(TDayRecordStore& store, const TExerciseDictionary& dictionary,
                              TWorkout workout) {
  if (workout.IsTemplate()) throw EInternalError("a workout template is not a day's log");
  PrepareForWriting(workout, dictionary);
  TDBC& entry = store.GetOrCreateDayRecord(kWorkoutDayKind, DayOf(workout.Date));
  TWorkoutDay& day = store.Loaded<TWorkoutDay>(entry);
  day.Workouts.push_back(std::move(workout));
  store.SaveDayRecord(entry);
  return static_cast<std::int32_t>(day.Workouts.size());
}

void RemoveWorkoutLog(TDayRecordStore& store, TDateTime day, std::int32_t position) {
  TDBC* entry = store.FindDayRecord(kWorkoutDayKind, DayOf(day));
  if (!entry) return;
  TWorkoutDay& record = store.Loaded<TWorkoutDay>(*entry);
  if (position < 1 || position > static_cast<std::int32_t>(record.Workouts.size())) return;
  record.Workouts.erase(record.Workouts.begin() + (position - 1));
  if (record.Workouts.empty())
    store.DeleteDayRecord(kWorkoutDayKind, DayOf(day));
  else
    store.SaveDayRecord(*entry);
}

}  // namespace korvela
