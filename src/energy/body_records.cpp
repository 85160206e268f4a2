#include "energy/body_records.h"

#include <algorithm>
#include <cmath>

#include "storage/value_text.h"

namespace korvela {
namespace {

// The six rated fields in the order of the score's values.
std::array<std::int32_t, 6> Ratings(const TRecovery& r) {
  return {r.RSleep, r.RApetite, r.RPulse, r.REnergy, r.RPerformance, r.RDesire};
}

constexpr std::int32_t kHighestRating = 4;
constexpr double kFullSleepHours = 9.5;

template <typename TValues, typename TStat>
std::vector<TDated<TValues>> ListKind(TDayRecordStore& store, std::int32_t kind) {
  std::vector<TDated<TValues>> list;
  list.reserve(store.List(kind).size());
  for (const auto& entry : store.List(kind))
    list.push_back({entry->Date, static_cast<const TValues&>(store.Loaded<TStat>(*entry))});
  return list;
}

template <typename TValues, typename TStat, typename TKeep>
void ReplaceKind(TDayRecordStore& store, std::int32_t kind,
                 const std::vector<TDated<TValues>>& list, TKeep keep) {
  std::vector<TDateTime> stored;
  for (const auto& entry : store.List(kind)) stored.push_back(entry->Date);
  for (const TDateTime day : stored) store.DeleteDayRecord(kind, day);
  for (const TDated<TValues>& item : list) {
    if (!keep(item.Values)) continue;
    TDBC& entry = store.GetOrCreateDayRecord(kind, item.Date);
    static_cast<TValues&>(store.Loaded<TStat>(entry)) = item.Values;
    store.SaveDayRecord(entry);
  }
  store.FlushDayRecords();
}

}  // namespace

bool TMeasurements::IsEmpty() const {
  return std::all_of(Sites.begin(), Sites.end(), [](double v) { return v == -1; });
}

void TMeasureStat::Read(const XMLNode& element) {
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i)
    Sites[i] = element.AttrFloatOr(kMeasureSiteAttrs[i], -1);
}

std::unique_ptr<XMLNode> TMeasureStat::Write() const {
  auto node = std::make_unique<XMLNode>(kMeasureStatElement);
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i)
    if (Sites[i] != -1) node->AddFloatAttr(kMeasureSiteAttrs[i], Sites[i]);
  return node;
}

void TPhaseStat::Read(const XMLNode& element) {
  PColor = static_cast<TColorValue>(
      element.AttrIntOr(kPhaseColorAttr, static_cast<std::int32_t>(kNoColor)));
  PEndDate = element.AttrFloatOr(kPhaseEndDateAttr, Owner ? Owner->Date : 0);
  PName = element.AttrOrEmpty(kPhaseNameAttr);
  PNotes = element.AttrOrEmpty(kPhaseNotesAttr);
}

std::unique_ptr<XMLNode> TPhaseStat::Write() const {
  auto node = std::make_unique<XMLNode>(kPhaseStatElement);
  // The colour's bits as a signed 32-bit number: system colours are negative.
  node->AddIntAttr(kPhaseColorAttr, static_cast<std::int32_t>(PColor));
  node->AddFloatAttr(kPhaseEndDateAttr, PEndDate);
  node->AddAttr(kPhaseNameAttr, PName);
  node->AddAttr(kPhaseNotesAttr, PNotes);
  return node;
}

bool TRecovery::IsEmpty() const {
  const auto ratings = Ratings(*this);
  return HSlept == -1 && RColds == -1 && RWakeUpTime == -1 &&
         std::all_of(ratings.begin(), ratings.end(), [](std::int32_t r) { return r == -1; });
}

void TRecoveryStat::Read(const XMLNode& element) {
  HSlept = element.AttrFloatOr(kHoursSleptAttr, -1);
  RColds = element.AttrIntOr(kColdsAttr, -1);
  RSleep = element.AttrIntOr(kSleepRatingAttr, -1);
  RApetite = element.AttrIntOr(kAppetiteRatingAttr, -1);
  RPulse = element.AttrIntOr(kPulseRatingAttr, -1);
  REnergy = element.AttrIntOr(kEnergyRatingAttr, -1);
  RPerformance = element.AttrIntOr(kPerformanceRatingAttr, -1);
  RDesire = element.AttrIntOr(kDesireRatingAttr, -1);
  RWakeUpTime = element.AttrFloatOr(kWakeUpTimeAttr, kDefaultWakeUpTime);
}

std::unique_ptr<XMLNode> TRecoveryStat::Write() const {
  auto node = std::make_unique<XMLNode>(kRecoveryStatElement);
  node->AddFloatAttr(kHoursSleptAttr, HSlept);
  node->AddIntAttr(kColdsAttr, RColds);
  node->AddIntAttr(kSleepRatingAttr, RSleep);
  node->AddIntAttr(kAppetiteRatingAttr, RApetite);
  node->AddIntAttr(kPulseRatingAttr, RPulse);
  node->AddIntAttr(kEnergyRatingAttr, REnergy);
  node->AddIntAttr(kPerformanceRatingAttr, RPerformance);
  node->AddIntAttr(kDesireRatingAttr, RDesire);
  node->AddFloatAttr(kWakeUpTimeAttr, RWakeUpTime);
  return node;
}

Extended RecoveryScore(const TRecovery& record) {
  // Negative hours other than the empty -1 only come from a damaged file;
  // they count as unknown as well, and so do ratings off their scales.
  if (!(record.HSlept >= 0)) return -1;
  const auto ratings = Ratings(record);
  if (std::any_of(ratings.begin(), ratings.end(),
                  [](std::int32_t r) { return r < 0 || r > kHighestRating; }))
    return -1;

  const Extended hours = std::min<Extended>(record.HSlept, kFullSleepHours);
  Extended sum = 0;
  int n = 0;
  const auto add = [&](Extended v) {
    sum += v * v;
    ++n;
  };
  add((kFullSleepHours - hours) / 1.5L);
  add(record.RColds == kColdsReported ? 2 : 0);
  add(record.RSleep);
  add(record.RApetite);
  // A pulse that is not known adds no value; the normal range adds 0.
  if (record.RPulse != 0) add(record.RPulse - 1);
  add(record.REnergy);
  add(record.RPerformance);
  add(record.RDesire);
  return 5 - std::sqrt(sum / n);
}

TMeasurementList ListMeasurements(TDayRecordStore& store) {
  return ListKind<TMeasurements, TMeasureStat>(store, kMeasureStatKind);
}

TPhaseList ListPhases(TDayRecordStore& store) {
  return ListKind<TPhase, TPhaseStat>(store, kPhaseStatKind);
}

TRecoveryList ListRecovery(TDayRecordStore& store) {
  return ListKind<TRecovery, TRecoveryStat>(store, kRecoveryStatKind);
}

void ReplaceMeasurements(TDayRecordStore& store, const TMeasurementList& list) {
  ReplaceKind<TMeasurements, TMeasureStat>(store, kMeasureStatKind, list,
                                           [](const TMeasurements& m) { return !m.IsEmpty(); });
}

void ReplacePhases(TDayRecordStore& store, const TPhaseList& list) {
  ReplaceKind<TPhase, TPhaseStat>(store, kPhaseStatKind, list, [](const TPhase&) { return true; });
}

void ReplaceRecovery(TDayRecordStore& store, const TRecoveryList& list) {
  ReplaceKind<TRecovery, TRecoveryStat>(store, kRecoveryStatKind, list,
                                        [](const TRecovery& r) { return !r.IsEmpty(); });
}

}  // namespace korvela
