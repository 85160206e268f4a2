#include "training/workout_stats.h"

#include <algorithm>
#include <cmath>

#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "training/exercise_dictionary.h"
#include "training/expressions.h"
#include "training/rm_fractions.h"
#include "training/set_weights.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr Extended kPercentTolerance = 0.0001L;
constexpr std::size_t kTitleLength = 38;
constexpr std::size_t kRepeatedTitleLength = 27;
constexpr Extended kMaxMET = 20;
constexpr Extended kRestingMET = 1.2L;
constexpr Extended kMinutesPerDay = 1440;

std::int64_t RoundedWhole(Extended value) { return std::llround(value); }

std::int32_t TempoSeconds(std::string_view tempo) {
  std::int32_t t = 0;
  for (const char c : tempo)
    if (c >= '1' && c <= '9') t += c - '0';
  return t;
}

std::int32_t Multiplier(const TWSection& section) { return section.Reps == -1 ? 1 : section.Reps; }

bool Counts(const TDrill* drill, TMeasureKind kind) { return drill && drill->TDM == kind; }

}  // namespace

std::string RoundedText(Extended value) { return std::to_string(RoundedWhole(value)); }

std::string TLineStats::OneRMText() const {
  return OneRMPercent ? RoundedText(*OneRMPercent) + "%" : std::string();
}

std::string TLineStats::NRMText() const {
  if (!NRMPercent || !Reps) return {};
  std::string text = RoundedText(*NRMPercent) + "%";
  if (*Reps > 1) text += std::to_string(*Reps) + "RM";
  return text;
}

std::string TLineStats::TUTText() const { return TUT ? std::to_string(*TUT) : std::string(); }

std::string TLineStats::VolumeText(const TDrillSet& set, bool repsKind) const {
  if (!Volume) return {};
  if (repsKind) return RoundedText(*Volume) + " reps";
  return RoundedText(*Volume) + " " + set.Weight.UnitName();
}

std::optional<Extended> PercentOfRM(const TConfigurator& config, const TDrillSet& set,
                                    const std::optional<TDrillPR>& reference, std::int32_t n) {
  if (!HasRMFraction(n)) return std::nullopt;
  const std::string& q = set.Weight.Q;
  Extended value = -1;
  if (!IsAbsoluteWeight(config, q)) {
    const Extended high = WeightValue(config, q, n, 1000);
    const Extended low = WeightValue(config, q, n, 100);
    if (std::fabs(high - low) > kPercentTolerance) return std::nullopt;
    value = high;
  } else {
    if (!reference || !(reference->Reps >= 0 && reference->Reps <= kLastRMReps) || q.empty())
      return std::nullopt;
    const Extended oneRM = OneRMEstimate(config, *reference, set.Weight.M);
    if (oneRM <= 0) return std::nullopt;
    value = WeightValue(config, q, n, oneRM);
  }
  if (value < 0) return std::nullopt;
  return value;
}

TLineStats LineStats(const TConfigurator& config, const TDrill* drill, const TDrillSet& set,
                     const std::optional<TDrillPR>& reference) {
  TLineStats stats;
  if (!drill || set.DID == -1) return stats;
  const TMeasureKind kind = drill->TDM;
  if (const auto r = RepetitionValue(set.Reps, -1); r && *r > 0) {
    stats.Reps = *r;
  } else if (kind == TMeasureKind::Reps && reference) {
    if (const auto rr = RepetitionValue(set.Reps, reference->Reps); rr && *rr > 0) stats.Reps = *rr;
  }
  const std::int32_t s = set.Sets;
  if (kind == TMeasureKind::Weight) {
    if (const Extended w = ResolvedWeight(config, set, reference); w >= 0) stats.Weight = w;
    stats.OneRMPercent = PercentOfRM(config, set, reference, 1);
    if (stats.Reps && HasRMFraction(*stats.Reps))
      stats.NRMPercent = PercentOfRM(config, set, reference, *stats.Reps);
  }
  if ((kind == TMeasureKind::Weight || kind == TMeasureKind::Reps) && stats.Reps) {
    std::int64_t tut = std::int64_t{*stats.Reps} * TempoSeconds(set.Tempo);
    if (s != -1) tut *= s;
    stats.TUT = tut;
  }
  if (stats.Reps && s > 0) {
    if (kind == TMeasureKind::Weight && stats.Weight)
      stats.Volume = *stats.Weight * *stats.Reps * s;
    else if (kind == TMeasureKind::Reps)
      stats.Volume = static_cast<Extended>(std::int64_t{*stats.Reps} * s);
  }
  if (kind == TMeasureKind::DistanceTime) {
    stats.Pace = PaceText(set.Dur, set.Dist);
    stats.Speed = SpeedText(config, set.Dur, set.Dist);
  }
  return stats;
}

Extended TTotals::Intensity() const {
  if (IntensitySum == 0 || IntensityLifts == 0) return 0;
  return IntensitySum / IntensityLifts;
}

TWorkoutStats::TWorkoutStats(const TConfigurator& config, const TExerciseDictionary& dictionary,
                             const TWorkout& workout,
                             std::vector<std::optional<TDrillPR>> references)
    : config_(config), dictionary_(dictionary), workout_(workout) {
  lines_.resize(workout.Lines.size());
  for (std::size_t i = 0; i < workout.Lines.size(); ++i) {
    const auto* set = std::get_if<TDrillSet>(&workout.Lines[i]);
    if (!set) continue;
    const std::optional<TDrillPR> none;
    const std::optional<TDrillPR>& reference = i < references.size() ? references[i] : none;
    lines_[i] = LineStats(config, dictionary.Find(set->DID), *set, reference);
  }
}

void TWorkoutStats::Add(TTotals& totals, std::size_t line, std::int64_t m) const {
  const auto* set = std::get_if<TDrillSet>(&workout_.Lines[line]);
  if (!set || set->DID == -1) return;
  const TDrill* drill = dictionary_.Find(set->DID);
  if (!drill) return;
  const TLineStats& stats = lines_[line];
  const std::int32_t s = set->Sets;
  const bool weight = Counts(drill, TMeasureKind::Weight);
  if (weight && stats.Reps) {
    totals.Lifts += m * *stats.Reps * (s > 0 ? s : 1);
    if (stats.OneRMPercent) {
      const Extended lifts = static_cast<Extended>(m * *stats.Reps * (s != -1 ? s : 1));
      totals.IntensitySum += *stats.OneRMPercent * lifts;
      totals.IntensityLifts += lifts;
    }
  }
  if ((weight || Counts(drill, TMeasureKind::Reps)) && stats.TUT) totals.TUT += m * *stats.TUT;
  if (weight && stats.Volume) {
    Extended volume = *stats.Volume;
    const std::int32_t userUnit = config_.MetricSystem() ? kKilograms : kPounds;
    if (set->Weight.M != userUnit)
      volume = userUnit == kKilograms ? volume / kPoundsPerKg : volume * kPoundsPerKg;
    totals.Volume += static_cast<Extended>(m) * volume;
  }
}

const TTotals& TWorkoutStats::Totals() const {
  if (!totals_) {
    TTotals totals;
    std::int64_t m = 1;
    for (std::size_t i = 0; i < workout_.Lines.size(); ++i) {
      if (const auto* section = std::get_if<TWSection>(&workout_.Lines[i])) {
        m = Multiplier(*section);
        continue;
      }
      if (std::get<TDrillSet>(workout_.Lines[i]).DID == -1) m = 1;
      Add(totals, i, m);
    }
    totals_ = totals;
  }
  return *totals_;
}

TTotals TWorkoutStats::SectionTotals(std::size_t header) const {
  TTotals totals;
  const auto& section = std::get<TWSection>(workout_.Lines.at(header));
  const std::int64_t m = Multiplier(section);
  for (std::size_t i = header + 1; i < workout_.Lines.size(); ++i) {
    const auto* set = std::get_if<TDrillSet>(&workout_.Lines[i]);
    if (!set || set->DID == -1) break;
    Add(totals, i, m);
  }
  return totals;
}

std::optional<std::size_t> TWorkoutStats::SectionOfRow(std::size_t row) const {
  if (row >= workout_.Lines.size()) return std::nullopt;
  for (std::size_t i = row + 1; i-- > 0;) {
    if (std::holds_alternative<TWSection>(workout_.Lines[i])) return i;
    if (std::get<TDrillSet>(workout_.Lines[i]).DID == -1) return std::nullopt;
  }
  return std::nullopt;
}

namespace {

void FillFigures(TPanelTexts& panel, const TTotals& totals, std::int64_t minutes,
                 const TConfigurator& config) {
  const std::string unit = config.MetricSystem() ? "kg" : "lbs";
  panel.Volume = RoundedText(totals.Volume) + " " + unit;
  panel.Lifts = std::to_string(totals.Lifts) + " lifts";
  panel.TUT = std::to_string(totals.TUT) + " sec";
  panel.Density = minutes == 0 ? "N/A"
                               : RoundedText(totals.Volume / static_cast<Extended>(minutes)) + " " +
                                     unit + "/min";
  const Extended intensity = totals.Intensity();
  panel.Intensity = intensity == 0 ? "N/A" : RoundedText(intensity) + "%";
}

}  // namespace

TPanelTexts TWorkoutStats::WorkoutPanel() const {
  TPanelTexts panel;
  panel.Title = "Workout Data";
  const std::int64_t minutes = std::max(workout_.Dur, 0);
  FillFigures(panel, Totals(), minutes, config_);
  panel.Duration = std::to_string(minutes) + " min";
  return panel;
}

TPanelTexts TWorkoutStats::SectionPanel(std::size_t row) const {
  TPanelTexts panel;
  const auto header = SectionOfRow(row);
  if (!header) {
    panel.Title = "No Section Data";
    return panel;
  }
  const auto& section = std::get<TWSection>(workout_.Lines[*header]);
  panel.Title = SectionTitle(section);
  const std::int64_t minutes = std::max(section.Dur, 0) / 60;
  FillFigures(panel, SectionTotals(*header), minutes, config_);
  panel.Duration = minutes > 0 ? std::to_string(minutes) + " mins" : "NOT SET";
  return panel;
}

std::vector<std::optional<TDrillPR>> ReferenceRecords(TDayRecordStore& store,
                                                      const TExerciseDictionary& dictionary,
                                                      const TWorkout& workout) {
  std::vector<std::optional<TDrillPR>> references(workout.Lines.size());
  if (workout.IsTemplate()) return references;
  for (std::size_t i = 0; i < workout.Lines.size(); ++i)
    if (const auto* set = std::get_if<TDrillSet>(&workout.Lines[i]); set && set->DID != -1)
      references[i] = ReferenceRecord(store, dictionary, workout, *set);
  return references;
}

std::string SectionTitle(const TWSection& section) {
  const std::string title = "Section " + section.Name;
  if (section.Reps < 2) return Ellipsize(title, kTitleLength);
  return Ellipsize(title, kRepeatedTitleLength) + " (repeat " + std::to_string(section.Reps) +
         " times)";
}

TWorkoutCalories WorkoutCalories(std::optional<Extended> met, std::int32_t minutes, Extended rmr) {
  if (!met || *met < 0 || *met > kMaxMET || rmr < 0) return {"N/A", "N/A"};
  const Extended d = std::max(minutes, 0);
  const Extended total = d * *met * rmr / kMinutesPerDay;
  const Extended additional = d * std::max(*met - kRestingMET, Extended{0}) * rmr / kMinutesPerDay;
  return {RoundedText(total) + " cals", RoundedText(additional) + " cals"};
}

std::optional<Extended> ReadWorkoutMET(const TConfigurator& config, std::string_view text) {
  try {
    return ParseNumber(config, text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
}

}  // namespace korvela
