#pragma once
#include <cstdint>
#include <memory>
#include <string>

#include "storage/date_time.h"
#include "storage/xml_node.h"
#include "training/quantities.h"
#include "training/workout.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

inline constexpr const char* kDrillPRElement = "DrillPR";

// A personal record of an exercise (and limb) on a day.
struct TDrillPR {
  std::int32_t DID = -1;
  std::uint8_t Limb = kNoLimb;
  TWeightWrap Weight;
  std::int32_t Reps = -1;
  TDateTime Time = -1;  // time taken or held, fraction of a day
  TDistWrap Dist;
  std::string Notes;
  TDateTime Date = -1;
  bool operator==(const TDrillPR&) const = default;
};

// The exercise exists, the record holds what its measurement kind needs and
// the limb agrees with the exercise (0 or 1 when unilateral, 2 otherwise).
bool IsValidRecord(const TDrillPR& record, const TExerciseDictionary& dictionary);

std::unique_ptr<XMLNode> WriteDrillPR(const TDrillPR& record);
TDrillPR ReadDrillPR(const XMLNode& element, const TConfigurator& config);

}  // namespace korvela
