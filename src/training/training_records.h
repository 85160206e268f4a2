#pragma once
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "storage/date_time.h"
#include "storage/day_records.h"
#include "storage/random.h"
#include "training/personal_record.h"
#include "training/workout.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

// The training kinds of the day records and the date keys of the per-user
// settings kept among them.
inline constexpr std::int32_t kUDCKind = 118;
inline constexpr std::int32_t kColMapKind = 119;
inline constexpr std::int32_t kWorkoutDayKind = 120;
inline constexpr std::int32_t kPRWrapperKind = 121;
inline constexpr std::int32_t kTrainOptKind = 122;
inline constexpr TDateTime kColMapKey = 79;
inline constexpr TDateTime kTrainOptKey = 20;
inline constexpr std::int32_t kFirstColumnKey = 20;
inline constexpr std::int32_t kLastColumnKey = 119;

inline constexpr const char* kUDCElement = "SUDC";
inline constexpr const char* kWorkoutDayElement = "WW";
inline constexpr const char* kPRWrapperElement = "PRWrapper";
inline constexpr const char* kTrainOptElement = "STrainOpt";

// A user-defined column of the workout grid, stored under its column key.
class TUDC final : public TDBD {
 public:
  explicit TUDC(TDBC* owner) : TDBD(owner) {}
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;

  std::string Name;
  std::int32_t Width = 0;
};

// The user's default column layout.
class TColMapStat final : public TDBD, public TColMap {
 public:
  explicit TColMapStat(TDBC* owner) : TDBD(owner), TColMap(TColMap::Default()) {}
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;
};

struct TTrainOpt {
  std::int32_t Names = 0;  // 1: shorter exercise names where set
  std::int32_t Pace = 0;   // kept as stored
  bool PrintDrills = false;
  bool ShortNames() const { return Names == 1; }
};

class TTrainOptStat final : public TDBD, public TTrainOpt {
 public:
  explicit TTrainOptStat(TDBC* owner) : TDBD(owner) {}
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;
};

// The workout logs of a day in the order they were saved.
class TWorkoutDay final : public TDBD {
 public:
  TWorkoutDay(TDBC* owner, const TConfigurator& config) : TDBD(owner), config_(config) {}
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;

  std::vector<TWorkout> Workouts;

 private:
  const TConfigurator& config_;
};

// The personal records stored on a day.
class TPRWrapper final : public TDBD {
 public:
  TPRWrapper(TDBC* owner, const TConfigurator& config) : TDBD(owner), config_(config) {}
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;

  std::vector<TDrillPR> Records;

 private:
  const TConfigurator& config_;
};

// Plugs the five training kinds into the day-record store; weights are read
// with the decimal character of `config`.
void RegisterTrainingRecords(TDayRecordRegistry& registry, const TConfigurator& config);

// The training options (defaults when none are stored) and their save.
TTrainOpt FetchTrainOpt(TDayRecordStore& store);
void SaveTrainOpt(TDayRecordStore& store, const TTrainOpt& options);
// The default column layout, the first one when none is stored.
TColMap FetchDefaultColMap(TDayRecordStore& store);

// A column key (20 to 119) no stored column uses, drawn at random; none when
// all hundred are taken.
std::optional<std::int32_t> NewColumnKey(TDayRecordStore& store, TRandom& random);
inline constexpr const char* kNoColumnKeyMessage =
    "There is no room for another column: every column key is in use.";

// Whether the day holds at least one workout log; creates no record.
bool HasWorkout(TDayRecordStore& store, TDateTime day);
// The day's workout logs; empty when there are none. Creates no record.
std::vector<TWorkout> WorkoutsOfDay(TDayRecordStore& store, TDateTime day);
// Appends the log, made ready for writing, to its day; returns its position
// in the day (from 1).
std::int32_t AppendWorkoutLog(TDayRecordStore& store, const TExerciseDictionary& dictionary,
                              TWorkout workout);
// Removes the log at `position` (from 1) of the day; the day's record goes
// when it holds no workout any more.
void RemoveWorkoutLog(TDayRecordStore& store, TDateTime day, std::int32_t position);

}  // namespace korvela
