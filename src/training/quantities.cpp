#include "training/quantities.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

struct TDistUnitWords {
  const char* singular;
  const char* plural;
  const char* speed;
};

constexpr std::array<TDistUnitWords, kDistUnitCount> kDistUnits = {{
    {"mile", "miles", "mph"},
    {"foot", "feet", "feet per hour"},
    {"yard", "yards", "yards per hour"},
    {"inch", "inches", "in per hour"},
    {"meter", "meters", "meters per hour"},
    {"km", "km", "kph"},
    {"cm", "cm", "cm per hour"},
}};

// Factor from the row's unit to the column's; 0 marks the division by 3.
constexpr Extended kThird = 0;
constexpr std::array<std::array<Extended, kDistUnitCount>, kDistUnitCount> kFactors = {{
    {1, 5280, 1760, 63360, 1609.344L, 1.609344L, 160934.4L},
    {0.0001893939L, 1, kThird, 12, 0.3048L, 0.0003048L, 30.48L},
    {0.0005681818L, 3, 1, 36, 0.9144L, 0.0009144L, 91.44L},
    {0.00001578283L, 0.08333333L, 0.02777778L, 1, 0.0254L, 0.0000254L, 2.54L},
    {0.0006213712L, 3.28084L, 1.093613L, 39.37008L, 1, 0.001L, 100},
    {0.6213712L, 3280.84L, 1093.613L, 39370.08L, 1000, 1, 100000},
    {0.000006213712L, 0.0328084L, 0.01093613L, 0.3937008L, 0.01L, 0.00001L, 1},
}};

const TDistUnitWords& Words(std::int32_t unit) {
  if (unit < 0 || unit >= kDistUnitCount)
    throw EInternalError("unknown distance unit " + std::to_string(unit));
  return kDistUnits[static_cast<std::size_t>(unit)];
}

std::string TwoDigits(long long n) { return (n < 10 ? "0" : "") + std::to_string(n); }

}  // namespace

TWeightWrap TWeightWrap::New(const TConfigurator& config) {
  TWeightWrap w;
  w.M = config.MetricSystem() ? kKilograms : kPounds;
  return w;
}

const char* TWeightWrap::UnitName() const { return M == kPounds ? "lbs" : "kg"; }

TDistWrap TDistWrap::New(const TConfigurator& config) {
  TDistWrap d;
  d.M = config.MetricSystem() ? kMeter : kMile;
  return d;
}

const char* DistUnitSingular(std::int32_t unit) { return Words(unit).singular; }
const char* DistUnitPlural(std::int32_t unit) { return Words(unit).plural; }
const char* SpeedUnitText(std::int32_t unit) { return Words(unit).speed; }

Extended ConvertDistance(const TDistWrap& distance, std::int32_t toUnit) {
  Words(distance.M);
  Words(toUnit);
  if (!distance.IsSet()) return -1;
  const Extended factor =
      kFactors[static_cast<std::size_t>(distance.M)][static_cast<std::size_t>(toUnit)];
  if (distance.M == kFoot && toUnit == kYard) return distance.Q / 3;
  return distance.Q * factor;
}

std::string DistanceText(const TConfigurator& config, const TDistWrap& distance) {
  if (!distance.IsSet()) return DistUnitPlural(distance.M);
  return FormatNumber(config, static_cast<double>(distance.Q), 4) + " " +
         (distance.Q == 1 ? DistUnitSingular(distance.M) : DistUnitPlural(distance.M));
}

std::string PaceText(Extended seconds, const TDistWrap& distance) {
  if (!(distance.Q > 0 && seconds > 0)) return {};
  const Extended perUnit = std::trunc(seconds / distance.Q);
  if (perUnit >= 24 * 3600) return {};
  const long long t = static_cast<long long>(perUnit) % 3600;
  return TwoDigits(t / 60) + ":" + TwoDigits(t % 60) + " per " + DistUnitSingular(distance.M);
}

std::string SpeedText(const TConfigurator& config, Extended seconds, const TDistWrap& distance) {
  if (!(distance.Q > 0 && seconds > 0)) return {};
  return FormatNumber(config, static_cast<double>(distance.Q / (seconds / 3600)), 2) + " " +
         SpeedUnitText(distance.M);
}

std::unique_ptr<XMLNode> WriteWeightWrap(const TWeightWrap& weight) {
  auto node = std::make_unique<XMLNode>(kWeightWrapElement);
  std::string q = weight.Q;
  std::replace(q.begin(), q.end(), ',', '.');
  node->AddAttr("Q", std::move(q));
  node->AddIntAttr("M", weight.M);
  return node;
}

TWeightWrap ReadWeightWrap(const XMLNode& element, const TConfigurator& config) {
  TWeightWrap w;
  w.Q = element.AttrOrEmpty("Q");
  if (config.FloatingChar() == ',') std::replace(w.Q.begin(), w.Q.end(), '.', ',');
  w.M = element.AttrInt("M") == kPounds ? kPounds : kKilograms;
  return w;
}

std::unique_ptr<XMLNode> WriteDistWrap(const TDistWrap& distance) {
  auto node = std::make_unique<XMLNode>(kDistWrapElement);
  node->AddFloatAttr("Q", static_cast<double>(distance.Q));
  node->AddIntAttr("M", distance.M);
  return node;
}

TDistWrap ReadDistWrap(const XMLNode& element) {
  TDistWrap d;
  d.Q = element.AttrFloatOr("Q", -1);
  const std::int32_t unit = element.AttrInt("M");
  if (unit < 0 || unit >= kDistUnitCount) throw EInvalidXMLFile();
  d.M = unit;
  return d;
}

const XMLNode& RequiredChild(const XMLNode& element, std::string_view name) {
  const XMLNode* child = element.FindChild(name);
  if (!child) throw EInvalidXMLFile();
  return *child;
}

}  // namespace korvela
