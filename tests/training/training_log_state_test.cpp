#include "training/training_log_state.h"

#include <gtest/gtest.h>

#include "energy/cal_stat.h"
#include "energy/energy_records.h"
#include "support/scripted_prompter.h"
#include "activities/sport_list.h"
#include "training/workout_log_calories.h"
#include "training_fixture.h"
#include "users/clock.h"
#include "users/user.h"

namespace korvela {
namespace {

constexpr TDateTime kDay = 39248;  // 15 June 2007

class TrainingLogStateTest : public test::TrainingTest {
 protected:
  TrainingLogStateTest() {
    RegisterEnergyRecords(registry);
    Reopen();
    user.UserHeight = 180;
    user.UserBirthDate = EncodeDate(1977, 1, 1);
    user.Folder = folder.Path() / "usr1";
    model = std::make_unique<TEnergyModel>(*store, user, clock);
  }

  // Opens the screen on a day; the header fields are `header`, which
  // follows every workout shown.
  std::unique_ptr<TTrainingLogState> OpenScreen(TDateTime day) {
    TTrainingLogDialogs dialogs;
    dialogs.readHeader = [this] { return header; };
    dialogs.focusHeader = [this](THeaderField f) { focused.push_back(f); };
    dialogs.loadHeader = [this](const TWorkout& w) {
      header.name = w.Name;
      header.date = w.IsTemplate() ? std::nullopt : std::optional<TDateTime>(w.Date);
      header.timeOfDay = w.TOD == -1 ? 0 : w.TOD;
      header.duration = w.Dur == -1 ? 0 : w.Dur;
      header.notes = w.Notes;
      header.met = w.MET == -1 ? "" : std::to_string(w.MET);
      header.metDescription = w.METStr;
    };
    dialogs.openWorkout = [this](TDateTime d) -> std::optional<TOpenChoice> {
      openDialogDays.push_back(d);
      if (choices.empty()) return std::nullopt;
      const TOpenChoice c = choices.front();
      choices.erase(choices.begin());
      return c;
    };
    return std::make_unique<TTrainingLogState>(
        TTrainingLogState::TContext{config, dictionary, templates, *store, *model, clock, prompter,
                                    dialogs, sports},
        day);
  }

  TWorkout Logged(const char* name, TDateTime day, std::int32_t minutes) {
    TWorkout w;
    w.Name = name;
    w.Date = day;
    w.Dur = minutes;
    w.ColMap = TColMap::Default();
    TDrillSet d = NewSetLine(config);
    d.DID = bench;
    d.Sets = 3;
    w.Lines.push_back(d);
    return w;
  }
  void StoreLog(const TWorkout& w) { SaveWorkoutLog(*store, *model, dictionary, w, std::nullopt); }
  std::vector<std::string> EntryNames(TDateTime day) {
    std::vector<std::string> names;
    if (TDBC* e = store->FindDayRecord(kCalStatKind, day))
      for (const TSECERec& r : store->Loaded<TCalStat>(*e).Entries)
        names.push_back(r.Name + "#" + std::to_string(r.Type));
    return names;
  }

  TUser user;
  TFixedClock clock{kDay + 5.5};
  std::unique_ptr<TEnergyModel> model;
  TTemplateList templates{folder.Path(), config, *random};
  test::TScriptedPrompter prompter;
  THeaderFields header;
  std::vector<THeaderField> focused;
  std::vector<TOpenChoice> choices;
  std::vector<TDateTime> openDialogDays;
  const TSportList* sports = nullptr;  // the activity dictionary, when a test has one
};

TEST_F(TrainingLogStateTest, OpeningOnADayOfTwoWorkoutsAsksWhichOne) {
  StoreLog(Logged("Morning", kDay, 30));
  StoreLog(Logged("Evening", kDay, 45));
  {
    auto screen = OpenScreen(kDay);  // the dialog is cancelled
    EXPECT_EQ(openDialogDays, std::vector<TDateTime>{kDay});
    ASSERT_EQ(screen->Count(), 1u);
    EXPECT_EQ(screen->At(0).workout.Name, "Workout Log 15 June 2007");
    EXPECT_EQ(screen->At(0).storedDate, -1);
    EXPECT_FALSE(screen->At(0).modified);
    EXPECT_TRUE(screen->CloseScreen());
    EXPECT_TRUE(prompter.shown.empty());
  }
  choices.push_back({false, kDay, 1});
  auto screen = OpenScreen(kDay);
  ASSERT_EQ(screen->Count(), 1u);
  EXPECT_EQ(screen->At(0).workout.Name, "Evening");
  EXPECT_EQ(screen->At(0).storedPosition, 1);

  // One workout only: opened straight away.
  StoreLog(Logged("Alone", kDay + 1, 20));
  openDialogDays.clear();
  EXPECT_EQ(OpenScreen(kDay + 1)->At(0).workout.Name, "Alone");
  EXPECT_TRUE(openDialogDays.empty());
}

TEST_F(TrainingLogStateTest, TheOpenDialogListsWorkoutsByTheirCalorieEntries) {
  StoreLog(Logged("Morning", kDay, 30));
  StoreLog(Logged("Evening", kDay, 0));
  {  // an entry pointing past the day's workouts, and an activity
    TDBC& e = store->GetOrCreateDayRecord(kCalStatKind, kDay);
    TSECERec stray;
    stray.Name = "Stray";
    stray.Type = 3;
    TSECERec walk;
    walk.Name = "Walk";
    store->Loaded<TCalStat>(e).Entries.push_back(stray);
    store->Loaded<TCalStat>(e).Entries.push_back(walk);
    store->SaveDayRecord(e);
  }
  const std::vector<TOpenRow> rows = LoggedWorkoutRows(*store, kDay);
  ASSERT_EQ(rows.size(), 2u);
  EXPECT_EQ(rows[0].name, "Morning");
  EXPECT_EQ(rows[0].duration, "30 mins");
  EXPECT_EQ(rows[1].duration, "N/A");
  EXPECT_EQ(rows[1].index, 1);
  EXPECT_TRUE(LoggedWorkoutRows(*store, kDay + 9).empty());
  EXPECT_EQ(LoggedWorkoutsTabCaption(kDay), "Logged Workouts 15 June 2007");
}

TEST_F(TrainingLogStateTest, MovingASavedLogToAnotherDayMovesItsCalorieEntry) {
  auto screen = OpenScreen(kDay);
  header.duration = 40;
  header.met = "5";
  ASSERT_TRUE(screen->Save());
  EXPECT_EQ(EntryNames(kDay), std::vector<std::string>{"Workout Log 15 June 2007#1"});
  EXPECT_EQ(screen->At(0).storedDate, kDay);

  header.name = screen->ChangeDate(kDay + 2, header.name);
  header.date = kDay + 2;
  EXPECT_EQ(header.name, "Workout Log 17 June 2007");
  EXPECT_TRUE(screen->At(0).modified);
  ASSERT_TRUE(screen->Save());
  EXPECT_TRUE(EntryNames(kDay).empty());
  EXPECT_FALSE(HasWorkout(*store, kDay));
  EXPECT_EQ(EntryNames(kDay + 2), std::vector<std::string>{"Workout Log 17 June 2007#1"});
  ASSERT_EQ(WorkoutsOfDay(*store, kDay + 2).size(), 1u);
  EXPECT_EQ(WorkoutsOfDay(*store, kDay + 2)[0].Dur, 40);
  EXPECT_FALSE(screen->At(0).modified);

  // A name of one's own stays when the date changes.
  EXPECT_EQ(screen->ChangeDate(kDay + 3, "Legs"), "Legs");
}

TEST_F(TrainingLogStateTest, HeaderChecksStopEveryCommand) {
  auto screen = OpenScreen(kDay);
  ASSERT_TRUE(screen->NewTemplate());
  header.name = "  ";
  const std::size_t shown = screen->Shown();
  const struct {
    const char* command;
    std::function<bool()> run;
  } commands[] = {
      {"save", [&] { return screen->Save(); }},
      {"switch", [&] { return screen->SwitchTo(0, 1); }},
      {"close", [&] { return screen->Close(); }},
      {"new", [&] { return screen->NewWorkout(); }},
  };
  for (const auto& c : commands) {
    prompter.shown.clear();
    EXPECT_FALSE(c.run()) << c.command;
    EXPECT_EQ(prompter.shown, std::vector<std::string>{"warn: " + std::string(kMsgTemplateName)})
        << c.command;
    EXPECT_EQ(screen->Shown(), shown) << c.command;
    EXPECT_EQ(screen->Count(), 2u) << c.command;
  }
  EXPECT_FALSE(screen->Verify());  // what printing runs first
  EXPECT_EQ(focused.back(), THeaderField::Name);
  EXPECT_TRUE(templates.Templates().empty());

  header.name = " Upper body ";
  header.met = "21";
  prompter.shown.clear();
  EXPECT_FALSE(screen->Save());
  EXPECT_EQ(prompter.Last(), "warn: " + std::string(kMsgMETValue));
  EXPECT_EQ(focused.back(), THeaderField::MET);
  header.met = "";
  ASSERT_TRUE(screen->Save());
  ASSERT_EQ(templates.Templates().size(), 1u);
  EXPECT_EQ(templates.Templates()[0].Name, "Upper body");
  EXPECT_EQ(templates.Templates()[0].MET, -1);

  ASSERT_TRUE(screen->SwitchTo(0, 1));
  header.date.reset();
  EXPECT_FALSE(screen->Save());
  EXPECT_EQ(prompter.Last(), "warn: " + std::string(kMsgWorkoutDate));
  EXPECT_EQ(focused.back(), THeaderField::Date);
}

TEST_F(TrainingLogStateTest, ATemplateOpensOnce) {
  TWorkout t;
  t.Name = "Push";
  t.ColMap = TColMap::Default();
  templates.OpenFile();
  templates.Save(t, dictionary);
  templates.CloseFile();
  auto screen = OpenScreen(kDay);
  choices = {{true, -1, 0}, {true, -1, 0}};
  ASSERT_TRUE(screen->Open());
  EXPECT_EQ(screen->At(1).workout.Name, "Push");
  EXPECT_EQ(screen->At(1).storedPosition, 0);
  EXPECT_FALSE(screen->Open());
  EXPECT_EQ(prompter.Last(), "warn: " + std::string(kMsgTemplateOpen));
  EXPECT_EQ(screen->Count(), 2u);
  // The dialog starts on today.
  EXPECT_EQ(openDialogDays.front(), kDay + 5);

  StoreLog(Logged("Morning", kDay, 30));
  choices = {{false, kDay, 0}, {false, kDay, 0}};
  ASSERT_TRUE(screen->Open());
  EXPECT_FALSE(screen->Open());
  EXPECT_EQ(prompter.Last(), "warn: " + std::string(kMsgWorkoutOpen));
}

TEST_F(TrainingLogStateTest, FifteenWorkoutsAreTheMost) {
  auto screen = OpenScreen(kDay);
  while (screen->Count() < kMaxOpenWorkouts) ASSERT_TRUE(screen->NewWorkout());
  EXPECT_FALSE(screen->CanOpenMore());
  EXPECT_FALSE(screen->NewWorkout());
  EXPECT_FALSE(screen->NewTemplate());
  choices.push_back({true, -1, 0});
  EXPECT_FALSE(screen->Open());
  EXPECT_EQ(choices.size(), 1u);  // no dialog was shown
  ASSERT_TRUE(screen->Close());
  EXPECT_TRUE(screen->CanOpenMore());
  EXPECT_TRUE(screen->NewTemplate());
}

TEST_F(TrainingLogStateTest, DeletingWorkouts) {
  auto screen = OpenScreen(kDay);
  // Never saved: only the tab goes (the last one is replaced by a new log).
  prompter.Plan(TAnswer::Yes);
  ASSERT_TRUE(screen->Delete());
  EXPECT_EQ(prompter.Last(), "ask: Do you really want to delete Workout Log 15 June 2007?");
  EXPECT_EQ(screen->Count(), 1u);
  EXPECT_FALSE(HasWorkout(*store, kDay));

  // Two saved logs of a day open at once: deleting the first moves the
  // second up.
  StoreLog(Logged("Morning", kDay, 30));
  StoreLog(Logged("Evening", kDay, 45));
  choices = {{false, kDay, 0}, {false, kDay, 1}};
  ASSERT_TRUE(screen->Open());
  ASSERT_TRUE(screen->Open());
  ASSERT_TRUE(screen->SwitchTo(1, 1));
  prompter.Plan(TAnswer::Yes);
  ASSERT_TRUE(screen->Delete());
  EXPECT_EQ(EntryNames(kDay), std::vector<std::string>{"Evening#1"});
  const TOpenWorkout& evening = screen->At(screen->Count() - 1);
  EXPECT_EQ(evening.workout.Name, "Evening");
  EXPECT_EQ(evening.storedPosition, 0);
  ASSERT_TRUE(screen->SwitchTo(screen->Count() - 1, 1));
  header.notes = "felt strong";
  ASSERT_TRUE(screen->Save());
  ASSERT_EQ(WorkoutsOfDay(*store, kDay).size(), 1u);
  EXPECT_EQ(WorkoutsOfDay(*store, kDay)[0].Notes, "felt strong");
}

TEST_F(TrainingLogStateTest, ClosingTheScreenAsksForEachModifiedWorkout) {
  auto screen = OpenScreen(kDay);
  ASSERT_TRUE(screen->NewTemplate());
  header.name = "Pull";
  screen->Grid().ApplyExercise(0, pullup, kNoLimb);
  screen->MarkModified();
  ASSERT_TRUE(screen->SwitchTo(0, 1));
  header.notes = "easy day";
  // Last first: the template is saved, the log is discarded.
  prompter.Plan(TAnswer::Yes);
  prompter.Plan(TAnswer::No);
  EXPECT_TRUE(screen->CloseScreen());
  EXPECT_EQ(prompter.shown,
            (std::vector<std::string>{"ask: Pull is not saved. Do you want to save it now?",
                                      "ask: Workout Log 15 June 2007 is not saved. Do you want "
                                      "to save it now?"}));
  ASSERT_EQ(templates.Templates().size(), 1u);
  EXPECT_EQ(templates.Templates()[0].Lines.size(), 1u);
  EXPECT_FALSE(HasWorkout(*store, kDay));
}

TEST_F(TrainingLogStateTest, UnchangedWorkoutsCloseWithoutQuestions) {
  auto screen = OpenScreen(kDay);
  ASSERT_TRUE(screen->NewTemplate());
  ASSERT_TRUE(screen->SwitchTo(0, 3));
  EXPECT_EQ(screen->At(1).currentRow, 3u);
  ASSERT_TRUE(screen->SwitchTo(1, 5));
  EXPECT_EQ(screen->At(0).currentRow, 5u);
  EXPECT_TRUE(screen->CloseScreen());
  EXPECT_TRUE(prompter.shown.empty());
}

TEST_F(TrainingLogStateTest, ANewWorkoutCountsCaloriesWithTheDefaultMET) {
  std::filesystem::create_directories(folder.Path() / "program");
  TSportList list(folder.Path() / "program", *random);
  for (const auto& [name, met] : std::vector<std::pair<std::string, double>>{
           {"Resistance training, power lifting or body building, vigorous effort", 6},
           {kResistanceTrainingActivity, 3.5},
           {"Running, cross country", 9},
           {"Running, general", 8},
           {"Walking, general", 3.5}}) {
    TSport sport;
    sport.Activity = name;
    sport.MET = met;
    sport.Per = 30;
    list.AddSport(sport);
  }
  sports = &list;
  auto screen = OpenScreen(kDay);
  const auto shown = [&]() -> const TWorkout& { return screen->At(screen->Shown()).workout; };
  // What the screen does after every change of the lines.
  const auto changed = [&] {
    screen->MarkModified();
    if (screen->FollowDefaultMET()) {
      header.met = std::to_string(shown().MET);
      header.metDescription = shown().METStr;
    }
  };
  EXPECT_FLOAT_EQ(shown().MET, 3.5F);
  EXPECT_EQ(shown().METStr, kResistanceTrainingActivity);
  EXPECT_EQ(screen->METNote(header.met),
            "MET of resistance training, from the activity dictionary: " +
                std::string(kResistanceTrainingActivity));

  // A 55-minute strength session adds to the day.
  ASSERT_TRUE(screen->Grid().ApplyExercise(0, bench, kNoLimb));
  changed();
  EXPECT_FLOAT_EQ(shown().MET, 3.5F);
  header.duration = 55;
  ASSERT_TRUE(screen->Save());
  TCalStat& day = store->Loaded<TCalStat>(*store->FindDayRecord(kCalStatKind, kDay));
  ASSERT_EQ(day.Entries.size(), 1u);
  EXPECT_FLOAT_EQ(day.Entries[0].MET, 3.5F);
  EXPECT_GT(model->ExerciseCalories(day), 0);

  // An endurance workout takes its first line's activity, "general" first.
  ASSERT_TRUE(screen->NewWorkout());
  ASSERT_TRUE(screen->Grid().ApplyExercise(0, run, kNoLimb));
  changed();
  EXPECT_FLOAT_EQ(shown().MET, 8.0F);
  EXPECT_EQ(shown().METStr, "Running, general");
  EXPECT_EQ(screen->METNote(header.met),
            "MET of the first exercise's activity, from the activity dictionary: "
            "Running, general");
  // A plank matches no activity: resistance training again.
  ASSERT_TRUE(screen->Grid().ApplyExercise(0, plank, kNoLimb));
  changed();
  EXPECT_FLOAT_EQ(shown().MET, 3.5F);

  // An entered MET stays whatever the lines become.
  header.met = "5";
  screen->METEntered();
  ASSERT_TRUE(screen->Verify());
  ASSERT_TRUE(screen->Grid().ApplyExercise(0, run, kNoLimb));
  changed();
  EXPECT_FLOAT_EQ(shown().MET, 5.0F);
  EXPECT_EQ(screen->METNote(header.met), "MET as entered for this workout");
  EXPECT_EQ(screen->METNote(""), "No MET entered: the workout adds no calories");

  // Without an activity dictionary the Compendium's value stands.
  sports = nullptr;
  prompter.Plan(TAnswer::No);
  EXPECT_TRUE(screen->CloseScreen());
  EXPECT_TRUE(prompter.answers.empty());
  screen.reset();
  auto bare = OpenScreen(kDay + 1);
  EXPECT_FLOAT_EQ(bare->At(0).workout.MET, kResistanceTrainingMET);
}

}  // namespace
}  // namespace korvela
