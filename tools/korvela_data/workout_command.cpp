#include "korvela_data/workout_command.h"

#include <cstdio>
#include <limits>
#include <memory>
#include <optional>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>

#include "energy/energy_model.h"
#include "korvela_data/arguments.h"
#include "korvela_data/opened_diary.h"
#include "korvela_data/private_copy.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "training/exercise_dictionary.h"
#include "training/expressions.h"
#include "training/set_weights.h"
#include "training/training_records.h"
#include "training/workout_stats.h"
#include "users/configurator.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr const char* kNoWorkout = "no workout";

// Enough digits for the text to read back as the same double, with ".".
std::string ExactText(Extended value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", std::numeric_limits<double>::max_digits10,
                static_cast<double>(value));
  return text;
}

std::string ExerciseCell(const TExerciseDictionary& dictionary, const TDrill& drill,
                         const TDrillSet& set, bool shortNames) {
  std::string cell = dictionary.DisplayName(set.DID, shortNames);
  if (drill.Unilateral()) {
    if (set.Limb == kLeftLimb) cell += " (Left)";
    if (set.Limb == kRightLimb) cell += " (Right)";
  }
  return cell;
}

std::string RepsCell(const TDrill& drill, const TDrillSet& set,
                     const std::optional<TDrillPR>& reference) {
  if (drill.TDM == TMeasureKind::Reps && reference && reference->Reps != -1 && !set.Reps.empty()) {
    const auto value = RepetitionValue(set.Reps, reference->Reps);
    if (value) return std::to_string(*value);
  }
  return set.Reps;
}

void WriteFields(std::ostream& out, std::initializer_list<std::string> fields) {
  bool first = true;
  for (const std::string& f : fields) {
    if (!first) out << '\t';
    out << f;
    first = false;
  }
  out << '\n';
}

void WriteWorkout(std::ostream& out, const TConfigurator& config,
                  const TExerciseDictionary& dictionary, TDayRecordStore& store,
                  TEnergyModel& model, const TWorkout& workout, bool shortNames) {
  const auto references = ReferenceRecords(store, dictionary, workout);
  const TWorkoutStats stats(config, dictionary, workout, references);
  const TPanelTexts panel = stats.WorkoutPanel();
  const std::optional<Extended> met =
      workout.MET == -1 ? std::nullopt : std::optional<Extended>(workout.MET);
  const TWorkoutCalories calories =
      WorkoutCalories(met, workout.Dur, model.RestingRateForDay(DayOf(workout.Date)));
  WriteFields(out, {"workout", workout.Name, panel.Volume, panel.Lifts, panel.Duration, panel.TUT,
                    panel.Density, panel.Intensity, calories.Total, calories.Additional});
  for (std::size_t i = 0; i < workout.Lines.size(); ++i) {
    if (std::holds_alternative<TWSection>(workout.Lines[i])) {
      const TPanelTexts section = stats.SectionPanel(i);
      WriteFields(out, {"section", section.Title, section.Volume, section.Lifts, section.Duration,
                        section.TUT, section.Density, section.Intensity});
      continue;
    }
    const auto& set = std::get<TDrillSet>(workout.Lines[i]);
    const TDrill* drill = set.DID == -1 ? nullptr : dictionary.Find(set.DID);
    if (!drill) {
      WriteFields(out, {"line", "", "", "", "", "", "", "", "", "", set.Reps, ""});
      continue;
    }
    const TLineStats& line = stats.Line(i);
    const TMeasureKind kind = drill->TDM;
    const bool weightKind = kind == TMeasureKind::Weight;
    const bool distance = kind == TMeasureKind::DistanceTime || kind == TMeasureKind::Distance;
    WriteFields(
        out,
        {"line", ExerciseCell(dictionary, *drill, set, shortNames),
         weightKind && line.Weight ? ExactText(*line.Weight) : "", line.OneRMText(), line.NRMText(),
         line.TUTText(), line.VolumeText(set, kind == TMeasureKind::Reps), line.Pace, line.Speed,
         weightKind ? WeightDisplayText(config, set, references[i]) : "",
         RepsCell(*drill, set, references[i]), distance ? DistanceText(config, set.Dist) : ""});
  }
}

}  // namespace

void PrintWorkouts(const fs::path& dataFolder, const fs::path& userFolder, TDateTime day,
                   const TClock& clock, const fs::path& temporaryFolder, std::ostream& out,
                   TRandom& random, TFileSystem& fs) {
  std::ostringstream text;
  WithPrivateCopy(userFolder, temporaryFolder, [&](const fs::path& copy) {
    TExerciseDictionary dictionary(CopyExerciseDictionary(dataFolder, copy.parent_path()), random,
                                   fs);
    LoadCopiedDictionary(dictionary, dataFolder);
    TOpenedDiary diary(copy, clock, random, fs);
    const bool shortNames = FetchTrainOpt(diary.store).ShortNames();
    const std::vector<TWorkout> workouts = WorkoutsOfDay(diary.store, day);
    if (workouts.empty()) text << kNoWorkout << '\n';
    for (const TWorkout& workout : workouts)
      WriteWorkout(text, diary.config, dictionary, diary.store, diary.model, workout, shortNames);
  });
  out << text.str();
}

void RunWorkoutCommand(TCommandArgs args, TToolEnvironment& env) {
  const fs::path dataFolder(args[0]);
  const fs::path userFolder = dataFolder / fs::path(args[1]);
  const TDateTime day = ParseCalendarDateArgument(args[2], "DATE");
  const std::unique_ptr<TClock> clock = CommandClock(env.today);
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  PrintWorkouts(dataFolder, userFolder, day, *clock, env.temporaryFolder, env.out, env.random,
                env.fs);
}

}  // namespace korvela
