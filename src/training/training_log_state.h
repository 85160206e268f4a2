#pragma once
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "energy/energy_model.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "storage/random.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "training/workout.h"
#include "training/workout_grid.h"
#include "training/workout_met.h"
#include "training/workout_templates.h"
#include "users/clock.h"
#include "users/configurator.h"
#include "users/prompter.h"

namespace korvela {

inline constexpr const char* kTrainingLogCaption = "Training Logs, Workouts and Workout Templates";
inline constexpr const char* kNewTemplateName = "A New Workout Template";
inline constexpr const char* kMsgTemplateName = "Please, enter a name for the workout template!";
inline constexpr const char* kMsgWorkoutDate = "Please select a workout date!";
inline constexpr const char* kMsgMETValue = "Please, enter a valid MET value";
inline constexpr const char* kMsgWorkoutOpen = "You have already opened this workout";
inline constexpr const char* kMsgTemplateOpen = "You have already opened this workout template";
// At most this many workouts are open at once.
inline constexpr std::size_t kMaxOpenWorkouts = 15;

// The MET descriptions of the header's list and the value each stands for.
struct TMETChoice {
  const char* description;
  double met;
};
inline constexpr std::array<TMETChoice, 6> kMETChoices = {{
    {"Weightlifting, light - 3", 3},
    {"Weightlifting, heavy, vigorous effort - 6", 6},
    {"Circuit Training(minimal rest) - 8", 8},
    {"Calisthenincs, vigorous effort - 8", 8},
    {"Calisthenincs, light or moderate effort - 3.5", 3.5},
    {"Passive Stretching - 2.5", 2.5},
}};

// The header fields of the shown workout as the screen holds them.
enum class THeaderField { Name, Date, MET };
struct THeaderFields {
  std::string name;
  std::optional<TDateTime> date;  // the day; none when the date field is empty
  TDateTime timeOfDay = 0;        // fraction of a day
  std::int32_t duration = 0;      // minutes
  std::string notes;
  std::string met;
  std::string metDescription;
};

// A workout to open, as the open dialog chose it.
struct TOpenChoice {
  bool isTemplate = false;
  TDateTime day = -1;       // logs
  std::int32_t index = -1;  // position in the day's list (from 0) or in the template list
};

// One row of the open dialog's lists.
struct TOpenRow {
  std::string name;
  std::string duration;  // "45 mins" or "N/A"
  std::int32_t index = -1;
};
// The day's logged workouts by their calorie entries in Type order; an entry
// whose Type points past the day's stored workouts is left out.
std::vector<TOpenRow> LoggedWorkoutRows(TDayRecordStore& store, TDateTime day);
std::vector<TOpenRow> TemplateRows(const TTemplateList& templates);
// "Logged Workouts 6 September 2003".
std::string LoggedWorkoutsTabCaption(TDateTime day);

// The screen's side of the state: reading and focusing the header, and the
// open dialog.
struct TTrainingLogDialogs {
  std::function<THeaderFields()> readHeader;
  std::function<void(THeaderField)> focusHeader;
  // A workout was shown: its header goes into the fields.
  std::function<void(const TWorkout&)> loadHeader;
  // The open dialog with its calendar on the day; none when cancelled.
  std::function<std::optional<TOpenChoice>(TDateTime day)> openWorkout;
  // The grid of the shown workout goes (false) or another took its place
  // (true): a view of the grid lets go of the old one before it is freed.
  std::function<void(bool replaced)> gridReplaced;
};

// An open workout (a tab).
struct TOpenWorkout {
  TWorkout workout;
  bool modified = false;
  TDateTime storedDate = -1;         // logs: the day its stored copy lies under
  std::int32_t storedPosition = -1;  // its position in that day (from 0) or the template list
  std::size_t currentRow = 0;        // the line whose row is shown again
  // The MET is the default (resistance training, or the first line's
  // activity) and follows the lines until one is entered.
  bool defaultMET = false;
};

// The training log screen without the screen: the open workouts, the header
// check, the workout commands, the grid of the shown workout and the panels.
class TTrainingLogState {
 public:
  struct TContext {
    const TConfigurator& config;
    TExerciseDictionary& dictionary;
    TTemplateList& templates;
    TDayRecordStore& store;
    TEnergyModel& energy;
    const TClock& clock;
    TPrompter& prompter;
    TTrainingLogDialogs dialogs;
    // The activity dictionary, for the default MET of new workouts.
    const TSportList* sports = nullptr;
  };

  // Opens the screen on a day: its only workout, the open dialog's choice
  // when it has several, or a new workout log.
  TTrainingLogState(TContext context, TDateTime day);
  ~TTrainingLogState();

  std::size_t Count() const { return open_.size(); }
  std::size_t Shown() const { return shown_; }
  const TOpenWorkout& At(std::size_t tab) const { return *open_.at(tab); }
  std::vector<std::string> TabCaptions() const;
  TWorkoutGrid& Grid() { return *grid_; }
  TWorkoutClipboard& Clipboard() { return clipboard_; }
  const TTrainOpt& Options() const { return options_; }
  TDateTime Day() const { return day_; }

  // New and Open are refused while 15 workouts are open.
  bool CanOpenMore() const { return open_.size() < kMaxOpenWorkouts; }

  // Reads the header into the shown workout; a failed check warns, focuses
  // the field and changes nothing.
  bool Verify();
  // The name field left: a blank template name warns.
  bool CheckName(const std::string& name);
  // A log's date changed: an automatic name follows it. Returns the name.
  std::string ChangeDate(TDateTime date, const std::string& name);

  // The workout commands; each returns whether it went through.
  bool NewWorkout();
  bool NewTemplate();
  bool Open();
  bool Save();
  bool Close();
  bool Delete();
  // Switching to another tab, `row` being the grid row the shown one leaves.
  bool SwitchTo(std::size_t tab, std::size_t row);
  // OK and Cancel: each modified workout, last first, is shown and offered
  // for saving; false keeps the screen open.
  bool CloseScreen();

  // Something in the shown workout changed (lines, layout, header).
  void MarkModified();
  // The duration field of the shown workout while it is typed, so that its
  // panel follows at once (the header check stores it again).
  void SetShownDuration(int minutes) { Current().workout.Dur = minutes; }
  // The grid's widths of the visible columns into the current map.
  void StoreWidths(const std::vector<std::int32_t>& widths);
  // Replaces the current map (hide/show, moves) and refills.
  void SetMap(const TColMap& map);
  // The current map becomes the user's default layout.
  void MakeDefaultLayout();
  // Entries for user-defined columns missing from the current map; the names
  // that found no room.
  std::vector<std::string> SyncUserColumns();
  // "Options...": stores the options and refills the grid.
  void SaveOptions(const TTrainOpt& options);
  // The dictionary or the records changed: the grid is refilled.
  void Refill();
  // A tab dropped on another: the target's lines become copies of the
  // source's.
  void DropTab(std::size_t from, std::size_t to);

  // A MET was typed or chosen for the shown workout: it no longer follows
  // its lines.
  void METEntered();
  // The lines of the shown workout changed: a default MET follows its first
  // line. True when the MET changed (the header shows it again).
  bool FollowDefaultMET();
  // Where the MET of the shown workout, as the header's `met` text holds
  // it, came from: the calorie panel's note.
  std::string METNote(const std::string& met);

  // The calorie panel for the header's MET text and minutes.
  TWorkoutCalories Calories(const std::string& met, std::int32_t minutes);
  // Before printing (after Verify): the trailing empty lines go.
  void PreparePrint();

 private:
  bool AddWorkout(TWorkout workout, TDateTime storedDate, std::int32_t storedPosition,
                  bool defaultMET = false);
  // A new workout's MET: resistance training from the activity dictionary.
  void SetDefaultMET(TWorkout& workout) const;
  void Show(std::size_t tab);
  void LeaveShown();
  bool SaveTab(std::size_t tab);
  bool AskToSave(std::size_t tab);
  void RemoveTab(std::size_t tab);
  void AfterStoredLogRemoved(TDateTime day, std::int32_t position, std::size_t except);
  TOpenWorkout& Current() { return *open_.at(shown_); }
  void DropGrid();

  TContext c_;
  TDateTime day_;
  TTrainOpt options_;
  std::vector<std::unique_ptr<TOpenWorkout>> open_;
  std::size_t shown_ = 0;
  std::unique_ptr<TWorkoutGrid> grid_;
  TWorkoutClipboard clipboard_;
};

}  // namespace korvela
