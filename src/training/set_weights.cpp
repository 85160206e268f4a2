#include "training/set_weights.h"

#include <cctype>

#include "storage/errors.h"
#include "storage/value_text.h"
#include "training/exercise_dictionary.h"
#include "training/expressions.h"
#include "training/rm_fractions.h"
#include "training/training_records.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr Extended kMaxTypedWeight = 2000;
constexpr Extended kMaxTypedDistance = 100000;

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return s;
}

std::string Upper(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return out;
}

bool EndsWith(std::string_view text, std::string_view suffix) {
  return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

bool HasRMReps(std::int32_t reps) { return HasRMFraction(reps); }

std::string WeightText(const TConfigurator& config, Extended value, const TDrillSet& set) {
  return FormatNumber(config, static_cast<double>(value), 3) + " " + set.Weight.UnitName();
}

}  // namespace

std::optional<TDrillPR> ReferenceRecord(TDayRecordStore& store,
                                        const TExerciseDictionary& dictionary,
                                        const TWorkout& workout, const TDrillSet& set) {
  if (workout.IsTemplate()) return std::nullopt;
  const TDateTime workoutDay = DayOf(workout.Date);
  const auto& days = store.List(kPRWrapperKind);
  for (auto it = days.rbegin(); it != days.rend(); ++it) {
    if (!((*it)->Date < workoutDay)) continue;
    for (const TDrillPR& r : store.Loaded<TPRWrapper>(**it).Records)
      if (r.DID == set.DID && r.Limb == set.Limb && IsValidRecord(r, dictionary)) return r;
  }
  return std::nullopt;
}

Extended OneRMEstimate(const TConfigurator& config, const TDrillPR& record, std::int32_t unit) {
  if (!HasRMReps(record.Reps) || record.Weight.Q.empty()) return -1;
  Extended weight = 0;
  try {
    weight = ParseNumber(config, record.Weight.Q);
  } catch (const EConvertError&) {
    return -1;
  }
  Extended estimate = weight / RMFraction(record.Reps);
  if (record.Weight.M != unit)
    estimate = unit == kKilograms ? estimate / kPoundsPerKg : estimate * kPoundsPerKg;
  return estimate;
}

Extended ResolvedWeight(const TConfigurator& config, const TDrillSet& set,
                        const std::optional<TDrillPR>& reference) {
  if (IsAbsoluteWeight(config, set.Weight.Q)) return WeightValue(config, set.Weight.Q, 0, -1);
  if (reference && HasRMReps(reference->Reps) && !set.Weight.Q.empty()) {
    const Extended oneRM = OneRMEstimate(config, *reference, set.Weight.M);
    if (oneRM < 0) return -1;
    const Extended value = WeightValue(config, set.Weight.Q, 0, oneRM);
    if (value >= 0) return value;
  }
  return -1;
}

std::string WeightDisplayText(const TConfigurator& config, const TDrillSet& set,
                              const std::optional<TDrillPR>& reference) {
  if (reference && HasRMReps(reference->Reps) && !set.Weight.Q.empty()) {
    const Extended resolved = ResolvedWeight(config, set, reference);
    if (resolved >= 0) return WeightText(config, resolved, set);
  }
  const bool absolute = IsAbsoluteWeight(config, set.Weight.Q);
  if (!IsPurelyRelativeWeight(config, set.Weight.Q) ||
      (absolute && WeightValue(config, set.Weight.Q, 0, -1) > 0))
    return set.Weight.DisplayText();
  return set.Weight.Q;
}

void NormalizeCopiedLineUnit(const TConfigurator& config, TDrillSet& set) {
  if (!IsAbsoluteWeight(config, set.Weight.Q) && IsPurelyRelativeWeight(config, set.Weight.Q))
    set.Weight.M = config.MetricSystem() ? kKilograms : kPounds;
}

bool AcceptTypedWeight(const TConfigurator& config, TDrillSet& set, std::string_view typed,
                       bool workoutLog, const std::optional<TDrillPR>& reference) {
  const std::int32_t oldUnit = set.Weight.M;
  std::string t(Trimmed(typed));
  const std::string upper = Upper(t);
  if (EndsWith(upper, "K") || EndsWith(upper, "KG"))
    set.Weight.M = kKilograms;
  else if (EndsWith(upper, "L") || EndsWith(upper, "LB") || EndsWith(upper, "LBS"))
    set.Weight.M = kPounds;
  while (!t.empty() && std::string_view("BGKLSbgkls").find(t.back()) != std::string_view::npos)
    t.pop_back();

  const auto store = [&](Extended value) {
    set.Weight.Q = FormatNumber(config, static_cast<double>(value), 3);
    return true;
  };
  if (IsAbsoluteWeight(config, t)) {
    const Extended value = WeightValue(config, t, 0, -1);
    if (value <= kMaxTypedWeight) return store(value);
  }
  if (workoutLog) {
    if (reference && reference->Reps >= 1 && reference->Reps <= 20 &&
        !reference->Weight.Q.empty()) {
      const Extended oneRM = OneRMEstimate(config, *reference, set.Weight.M);
      const Extended value = oneRM < 0 ? -1 : WeightValue(config, t, 0, oneRM);
      if (value >= 0 && value <= kMaxTypedWeight) return store(value);
    }
  } else {
    const Extended value = WeightValue(config, t, 0, 1000);
    if (value >= 0 && value <= kMaxTypedWeight) {
      set.Weight.Q = std::string(Trimmed(t));
      return true;
    }
  }
  set.Weight.M = oldUnit;
  return false;
}

std::string NameWithLimb(const TExerciseDictionary& dictionary, std::int32_t did,
                         std::uint8_t limb) {
  const TDrill* drill = dictionary.Find(did);
  if (!drill) return {};
  if (!drill->Unilateral()) return drill->Name;
  return drill->Name + (limb == kLeftLimb ? "(Left)" : "(Right)");
}

bool AcceptTypedDistance(const TConfigurator& config, TDrillSet& set, std::string_view typed) {
  const std::int32_t oldUnit = set.Dist.M;
  std::string_view t = Trimmed(typed);
  std::size_t letters = t.size();
  while (letters > 0 && std::isalpha(static_cast<unsigned char>(t[letters - 1]))) --letters;
  const std::string suffix = Upper(t.substr(letters));
  t = t.substr(0, letters);
  if (!suffix.empty()) {
    switch (suffix[0]) {
      case 'C':
        set.Dist.M = kCm;
        break;
      case 'F':
        set.Dist.M = kFoot;
        break;
      case 'I':
        set.Dist.M = kInch;
        break;
      case 'K':
        set.Dist.M = kKm;
        break;
      case 'Y':
        set.Dist.M = kYard;
        break;
      case 'M':
        if (suffix.size() == 1)
          set.Dist.M = config.MetricSystem() ? kMeter : kMile;
        else if (suffix[1] == 'E')
          set.Dist.M = kMeter;
        else if (suffix[1] == 'I')
          set.Dist.M = kMile;
        break;
      default:
        break;
    }
  }
  const Extended value = WeightValue(config, t, 0, -1);
  if (value > 0 && value <= kMaxTypedDistance) {
    set.Dist.Q = value;
    return true;
  }
  set.Dist.M = oldUnit;
  return false;
}

}  // namespace korvela
