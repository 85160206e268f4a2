#pragma once
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "energy/extended.h"
#include "storage/xml_node.h"
#include "users/configurator.h"

namespace korvela {

// Units of a weight: pounds or kilograms.
inline constexpr std::int32_t kPounds = 0;
inline constexpr std::int32_t kKilograms = 1;

// Units of a distance.
inline constexpr std::int32_t kMile = 0;
inline constexpr std::int32_t kFoot = 1;
inline constexpr std::int32_t kYard = 2;
inline constexpr std::int32_t kInch = 3;
inline constexpr std::int32_t kMeter = 4;
inline constexpr std::int32_t kKm = 5;
inline constexpr std::int32_t kCm = 6;
inline constexpr std::int32_t kDistUnitCount = 7;

inline constexpr const char* kWeightWrapElement = "WeightWrap";
inline constexpr const char* kDistWrapElement = "DistWrap";

// A weight per repetition as typed: `Q` is a weight expression (a plain
// number, or terms such as "80%1RM"), `M` its unit.
struct TWeightWrap {
  std::string Q;
  std::int32_t M = kKilograms;

  // Empty, in the user's unit system.
  static TWeightWrap New(const TConfigurator& config);
  const char* UnitName() const;  // "lbs" or "kg"
  std::string DisplayText() const { return Q + " " + UnitName(); }
  bool operator==(const TWeightWrap&) const = default;
};

// A distance: `Q` in the unit `M`, -1 when not set.
struct TDistWrap {
  Extended Q = -1;
  std::int32_t M = kMeter;

  // Not set, in meters for metric users and miles for others.
  static TDistWrap New(const TConfigurator& config);
  bool IsSet() const { return Q != -1; }
  bool operator==(const TDistWrap&) const = default;
};

const char* DistUnitSingular(std::int32_t unit);
const char* DistUnitPlural(std::int32_t unit);
const char* SpeedUnitText(std::int32_t unit);

// The distance in another unit with the program's conversion table (its
// factors as they stand, not exact reciprocals); -1 stays -1.
Extended ConvertDistance(const TDistWrap& distance, std::int32_t toUnit);
// "5 km", "1 mile", "2.5 miles"; a distance not set gives the plural word.
std::string DistanceText(const TConfigurator& config, const TDistWrap& distance);
// "mm:ss per <unit>" of the time per unit of distance, whole hours dropped;
// empty unless both are above 0 or when it takes a day or more.
std::string PaceText(Extended seconds, const TDistWrap& distance);
// "12.5 kph"; empty unless both are above 0.
std::string SpeedText(const TConfigurator& config, Extended seconds, const TDistWrap& distance);

// Element forms. A weight's "Q" is stored with "." and read back with the
// user's decimal character.
std::unique_ptr<XMLNode> WriteWeightWrap(const TWeightWrap& weight);
TWeightWrap ReadWeightWrap(const XMLNode& element, const TConfigurator& config);
std::unique_ptr<XMLNode> WriteDistWrap(const TDistWrap& distance);
TDistWrap ReadDistWrap(const XMLNode& element);
// The required child of that name; a missing one raises EInvalidXMLFile.
const XMLNode& RequiredChild(const XMLNode& element, std::string_view name);

}  // namespace korvela
