#pragma once
#include <cstdint>
#include <memory>

#include "storage/day_records.h"

namespace korvela {

inline constexpr std::int32_t kWeightStatKind = 111;

inline constexpr const char* kWeightStatElement = "SWeight";
inline constexpr const char* kWeightAttr = "W";
inline constexpr const char* kBodyFatAttr = "BFP";

// A weigh-in: the measured bodyweight of a day and, when given, the body-fat
// percentage.
class TWeightStat : public TDBD {
 public:
  explicit TWeightStat(TDBC* owner) : TDBD(owner) {}

  // An absent BFP reads as -1; an absent W keeps 0.
  void Read(const XMLNode& element) override;
  // BFP is written only when known.
  std::unique_ptr<XMLNode> Write() const override;

  double W = 0;    // kg
  float BFP = -1;  // percent; -1: not given
};

}  // namespace korvela
