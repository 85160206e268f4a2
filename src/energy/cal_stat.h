#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "storage/date_time.h"
#include "storage/day_records.h"

namespace korvela {

inline constexpr std::int32_t kCalStatKind = 112;

inline constexpr const char* kCalStatElement = "SCal";
inline constexpr const char* kProteinAttr = "P";
inline constexpr const char* kFatAttr = "F";
inline constexpr const char* kCarbohydrateAttr = "C";
inline constexpr const char* kAlcoholAttr = "A";
inline constexpr const char* kActivityCoefficientAttr = "AC";
inline constexpr const char* kProjectedWeightAttr = "PW";

inline constexpr const char* kActivityEntryElement = "SECE";
inline constexpr const char* kTimeAttr = "Time";
inline constexpr const char* kNameAttr = "Name";
inline constexpr const char* kMETAttr = "MET";
inline constexpr const char* kDurationAttr = "Dur";
inline constexpr const char* kTypeAttr = "Type";

// One logged activity or workout of a day.
struct TSECERec {
  TDateTime Time = 0;  // only the time of day counts
  std::string Name;
  float MET = 0;          // multiples of the resting rate
  std::int32_t Dur = 0;   // minutes
  std::int32_t Type = 0;  // 0: activity log; n >= 1: the n-th workout of the day

  void Read(const XMLNode& element);
  std::unique_ptr<XMLNode> Write() const;
};

// The calorie record of one day: the day's nutrient totals (grams), the
// activity coefficient and the projected bodyweight the energy model uses for
// the day, and the day's activity entries.
class TCalStat : public TDBD {
 public:
  explicit TCalStat(TDBC* owner) : TDBD(owner) {}

  // Fields absent from an element keep the values of a new record.
  void Read(const XMLNode& element) override;
  std::unique_ptr<XMLNode> Write() const override;

  double P = 0;
  double F = 0;
  double C = 0;
  double A = 0;
  float AC = 0;    // 0: not yet assigned
  double PW = -1;  // kg; -1: unknown
  std::vector<TSECERec> Entries;
};

}  // namespace korvela
