#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "energy/color_value.h"
#include "energy/extended.h"
#include "storage/date_time.h"
#include "storage/day_records.h"

namespace korvela {

inline constexpr std::int32_t kMeasureStatKind = 115;
inline constexpr std::int32_t kPhaseStatKind = 116;
inline constexpr std::int32_t kRecoveryStatKind = 117;

inline constexpr const char* kMeasureStatElement = "SMeasurements";
inline constexpr const char* kPhaseStatElement = "SPhase";
inline constexpr const char* kRecoveryStatElement = "SRecovery";

// ---------------------------------------------------------------------------
// Body measurements

// The thirteen sites in the order of their stored attributes.
enum class TMeasureSite {
  Neck,
  Shoulders,
  Chest,
  LBiceps,
  RBiceps,
  LForearm,
  RForearm,
  Waist,
  Hips,
  LThigh,
  RThigh,
  LCalf,
  RCalf
};
inline constexpr std::size_t kMeasureSiteCount = 13;

inline constexpr std::array<const char*, kMeasureSiteCount> kMeasureSiteAttrs = {
    "Neck",  "Shoulders", "Chest",  "LBiceps", "RBiceps", "LForearm", "RForearm",
    "Waist", "Hips",      "LThigh", "RThigh",  "LCalf",   "RCalf"};

inline constexpr std::size_t SiteIndex(TMeasureSite site) { return static_cast<std::size_t>(site); }

// The measurements of one day, in centimetres; -1: the site was not measured.
struct TMeasurements {
  TMeasurements() { Sites.fill(-1); }
  double& operator[](TMeasureSite site) { return Sites[SiteIndex(site)]; }
  double operator[](TMeasureSite site) const { return Sites[SiteIndex(site)]; }
  // No site measured: such a record is never stored.
  bool IsEmpty() const;

  std::array<double, kMeasureSiteCount> Sites;
};

class TMeasureStat final : public TDBD, public TMeasurements {
 public:
  explicit TMeasureStat(TDBC* owner) : TDBD(owner) {}
  // A missing attribute is a site not measured.
  void Read(const XMLNode& element) override;
  // Only measured sites are written.
  std::unique_ptr<XMLNode> Write() const override;
};

// ---------------------------------------------------------------------------
// Training and nutrition phases

inline constexpr const char* kPhaseColorAttr = "PColor";
inline constexpr const char* kPhaseEndDateAttr = "PEndDate";
inline constexpr const char* kPhaseNameAttr = "PName";
inline constexpr const char* kPhaseNotesAttr = "PNotes";

// A phase without its start date, which is the day it is stored under.
struct TPhase {
  TColorValue PColor = kNoColor;
  TDateTime PEndDate = 0;
  std::string PName;
  std::string PNotes;
};

class TPhaseStat final : public TDBD, public TPhase {
 public:
  explicit TPhaseStat(TDBC* owner) : TDBD(owner) {}
  // Missing notes read as empty.
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;
};

// ---------------------------------------------------------------------------
// Recovery ratings

inline constexpr const char* kHoursSleptAttr = "HSlept";
inline constexpr const char* kColdsAttr = "RColds";
inline constexpr const char* kSleepRatingAttr = "RSleep";
inline constexpr const char* kAppetiteRatingAttr = "RApetite";
inline constexpr const char* kPulseRatingAttr = "RPulse";
inline constexpr const char* kEnergyRatingAttr = "REnergy";
inline constexpr const char* kPerformanceRatingAttr = "RPerformance";
inline constexpr const char* kDesireRatingAttr = "RDesire";
inline constexpr const char* kWakeUpTimeAttr = "RWakeUpTime";

// RColds holds this when the user has been more prone to colds and minor
// infections than usual.
inline constexpr std::int32_t kColdsReported = 2;
// The wake-up time assumed when none is given: 6:30.
inline constexpr TDateTime kDefaultWakeUpTime = 6.5 / 24;

// The recovery ratings of one day. Ratings are indices 0-4 into their scales
// (-1: not given); the pulse rating 0 means the pulse is not known.
struct TRecovery {
  double HSlept = -1;  // hours
  std::int32_t RColds = -1;
  std::int32_t RSleep = -1;
  std::int32_t RApetite = -1;
  std::int32_t RPulse = -1;
  std::int32_t REnergy = -1;
  std::int32_t RPerformance = -1;
  std::int32_t RDesire = -1;
  TDateTime RWakeUpTime = -1;  // time of day; -1: the default 6:30
  // Nothing given: such a record is never stored.
  bool IsEmpty() const;
};

class TRecoveryStat final : public TDBD, public TRecovery {
 public:
  explicit TRecoveryStat(TDBC* owner) : TDBD(owner) {}
  // A missing wake-up time reads as 6:30, other missing fields as -1.
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;
};

// 5 for a perfect day down to 0; -1 when the hours of sleep or one of the six
// ratings is missing (the colds flag may be absent). Hours count within 0-9.5.
Extended RecoveryScore(const TRecovery& record);

// ---------------------------------------------------------------------------
// The records of a kind as the editing screens take them

template <typename T>
struct TDated {
  TDateTime Date = 0;  // the day the record is stored under
  T Values;
};
using TMeasurementList = std::vector<TDated<TMeasurements>>;
using TPhaseList = std::vector<TDated<TPhase>>;
using TRecoveryList = std::vector<TDated<TRecovery>>;

// Copies of every record of the kind, oldest first.
TMeasurementList ListMeasurements(TDayRecordStore& store);
TPhaseList ListPhases(TDayRecordStore& store);
TRecoveryList ListRecovery(TDayRecordStore& store);

// Every stored record of the kind is replaced by the list: empty measurement
// and recovery records are dropped, and the user's files are written. Of two
// entries for one day the later one is kept.
void ReplaceMeasurements(TDayRecordStore& store, const TMeasurementList& list);
void ReplacePhases(TDayRecordStore& store, const TPhaseList& list);
void ReplaceRecovery(TDayRecordStore& store, const TRecoveryList& list);

}  // namespace korvela
