#include "training/workout_met.h"

#include <variant>
#include <vector>

#include "activities/activity_search.h"

namespace korvela {
namespace {

bool Endurance(TMeasureKind kind) {
  return kind == TMeasureKind::Time || kind == TMeasureKind::DistanceTime ||
         kind == TMeasureKind::Distance;
}

// The first of the best matches of `text` among the dictionary's names,
// a "general" entry preferred; -1 when none matches.
int FindActivity(const TSportList& sports, const std::string& text) {
  const std::vector<std::string> words = SearchWords(text);
  if (words.empty()) return -1;
  const std::vector<std::string> general = {"GENERAL"};
  int best = -1;
  std::size_t bestPosition = 0;
  bool bestGeneral = false;
  for (std::size_t i = 0; i < sports.Count(); ++i) {
    const std::string upper = UpperAscii(sports.At(i).Activity);
    const std::size_t position = MatchPosition(words, upper);
    if (position == 0) continue;
    const bool isGeneral = MatchPosition(general, upper) != 0;
    if (best == -1 || position < bestPosition ||
        (position == bestPosition && isGeneral && !bestGeneral)) {
      best = static_cast<int>(i);
      bestPosition = position;
      bestGeneral = isGeneral;
    }
  }
  return best;
}

}  // namespace

TDefaultMET DefaultWorkoutMET(const TSportList* sports, const TExerciseDictionary& dictionary,
                              const TWorkout& workout) {
  TDefaultMET met;
  if (!sports) return met;
  for (const TWLine& line : workout.Lines) {
    const auto* set = std::get_if<TDrillSet>(&line);
    if (!set || set->DID == -1) continue;
    const TDrill* drill = dictionary.Find(set->DID);
    if (drill && Endurance(drill->TDM)) {
      const int found = FindActivity(*sports, drill->Name);
      if (found >= 0) {
        const TSport& sport = sports->At(static_cast<std::size_t>(found));
        return {sport.MET, sport.Activity, TMETSource::FirstLine};
      }
    }
    break;  // only the first line with an exercise decides
  }
  const int resistance = FindActivity(*sports, kResistanceTrainingWords);
  if (resistance >= 0) {
    const TSport& sport = sports->At(static_cast<std::size_t>(resistance));
    met.MET = sport.MET;
    met.Activity = sport.Activity;
  }
  return met;
}

std::string METSourceText(TMETSource source, const std::string& activity) {
  switch (source) {
    case TMETSource::Resistance:
      return "MET of resistance training, from the activity dictionary: " + activity;
    case TMETSource::FirstLine:
      return "MET of the first exercise's activity, from the activity dictionary: " + activity;
    case TMETSource::Entered:
      break;
  }
  return "MET as entered for this workout";
}

}  // namespace korvela
