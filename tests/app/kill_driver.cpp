// The program's start-up and its food log, workout and weigh-in saves, run
// without the screens so that a script can kill the process in the middle of
// a save and then check what it left behind.
//
//   korvela_kill_driver DATA SHIPPED setup
//       a fresh data folder with one account, as the first start makes it
//   korvela_kill_driver DATA SHIPPED food|workout|weighin FROM
//       starts as the program does, logs in and saves without end from save
//       number FROM on; prints "ready" after the login and "saved N" after
//       save N is complete
//   korvela_kill_driver DATA SHIPPED verify FOOD WORKOUT WEIGHIN
//       starts and logs in on a copy of DATA, loads every day record, food log
//       and workout and checks that the first FOOD, WORKOUT and WEIGHIN saves
//       are stored; each may be followed by the one a kill interrupted.
//       Prints "verified food=K workout=K weighin=K ..." with the saves
//       found and exits 0, or prints "FAULT: ..." and exits 1.
//
// Each save stores something that tells it apart: food save N logs one more
// food on day kDay - N % kDays, workout save N adds a workout on that day,
// and weigh-in N weighs in on day kDay + 1 + N with WeightOf(N), logging in
// on that day and off again as a user who starts the program once a day.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <map>
#include <memory>
#include <random>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/program_folder.h"
#include "energy/weigh_in.h"
#include "energy/weight_stat.h"
#include "nutrition/food_log_state.h"
#include "nutrition/food_log_store.h"
#include "storage/date_time.h"
#include "storage/random.h"
#include "support/new_account.h"
#include "training/training_log_state.h"
#include "training/training_records.h"
#include "users/clock.h"
#include "users/account_forms.h"
#include "users/prompter.h"

namespace korvela {
namespace {

const TDateTime kDay = EncodeDate(2026, 6, 30);
// Food and workout saves go round the days from 5 May to 30 June: one
// period file, and no log old enough for the archive while the clock
// stays on kDay.
constexpr int kDays = 56;

TDateTime FoodDayOf(long n) { return kDay - static_cast<double>(n % kDays); }
TDateTime WeighInDayOf(long n) { return kDay + 1 + static_cast<double>(n); }
double WeightOf(long n) { return 55 + static_cast<double>(n % 40) * 0.25; }

struct EFault : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A save of the driver never asks or warns: a question or a warning means
// a file was found damaged or a write refused, which the runs must report.
class TDriverPrompter final : public TPrompter {
 public:
  void Warn(const std::string& text) override { throw EFault("warning shown: " + text); }
  void Inform(const std::string& text) override { std::cerr << "information: " << text << '\n'; }
  bool AskYesNo(const std::string& text) override { throw EFault("question asked: " + text); }
  TAnswer AskYesNoAll(const std::string& text) override {
    throw EFault("question asked: " + text);
  }
};

// The start-up of the program on a data folder: leftovers of an interrupted
// write removed, the shipped files seeded, the account list and the shared
// collections loaded.
std::unique_ptr<TProgram> StartProgram(const std::filesystem::path& folder,
                                       const std::filesystem::path& shipped, TClock& clock,
                                       TRandom& random, TPrompter& prompter) {
  RemoveLeftoverTemporaryFiles(folder);
  SeedProgramFolder(shipped, folder);
  auto program = std::make_unique<TProgram>(folder, TSystemDefaults{}, clock, random);
  program->Start();
  if (!program->LoadSharedCollections(&prompter)) throw EFault("the food catalogue is missing");
  return program;
}

// What the login screen does with the only account and an empty password.
void LogIn(TProgram& program, TPrompter& prompter) {
  if (program.Accounts().size() != 1) throw EFault("the data folder has no single account");
  TUser& user = *program.Accounts()[0];
  if (!LoginAccepted(user, "")) throw EFault("the password is refused");
  program.Login(user, &prompter);
}

void Progress(const char* what, long n = -1) {
  if (n < 0)
    std::printf("%s\n", what);
  else
    std::printf("%s %ld\n", what, n);
  std::fflush(stdout);
}

// The food log screen opened on the day, one food logged from a search
// result with the pop-up's quick log, Save, and the screen closed with OK.
void SaveFood(TProgram& program, TPrompter& prompter, long n) {
  TUserSession& session = *program.Session();
  TFoodLogStore store(program.CurrentUser()->Folder, program.Random());
  store.RunArchivingPass(session.Energy().Today());
  TFoodLogDialogs dialogs;
  dialogs.logFood = [](TWFoodItem, TDaysMeals&, int) -> TLogOutcome {
    throw EFault("the logging dialog was opened");
  };
  dialogs.openLog = []() -> std::optional<TDaysMeals> { return std::nullopt; };
  dialogs.openMenu = []() -> std::optional<int> { return std::nullopt; };
  dialogs.planOptions = [](TDaysMeals&) { return false; };
  TFoodLogState state({program.Config(), program.Foods(), session.FrequentFoods(), program.Menus(),
                       session.MealDefinitions(), store, session.Energy(), session.DayRecords(),
                       program.FoodClipboard(), prompter, std::move(dialogs)},
                      FoodDayOf(n));
  if (state.Find("whole milk", 0, false) != TSearchOutcome::Found)
    throw EFault("the catalogue has no whole milk");
  if (!state.QuickLog(1, 0, 0)) throw EFault("the quick log logged nothing");
  if (!state.Save(kFirstPlanTab)) throw EFault("the food log was not saved");
  if (!state.CloseScreen(true)) throw EFault("the food log screen did not close");
}

// The training log screen opened on the day, a new workout with one
// exercise, Save, and the screen closed.
void SaveWorkout(TProgram& program, TPrompter& prompter, std::int32_t exercise, long n) {
  TUserSession& session = *program.Session();
  THeaderFields header;
  TTrainingLogDialogs dialogs;
  dialogs.readHeader = [&header] { return header; };
  dialogs.focusHeader = [](THeaderField) { throw EFault("a header field was refused"); };
  dialogs.loadHeader = [&header](const TWorkout& w) {
    header = THeaderFields{};
    header.name = w.Name;
    if (!w.IsTemplate()) header.date = w.Date;
    header.timeOfDay = w.TOD == -1 ? 0 : w.TOD;
    header.duration = w.Dur == -1 ? 0 : w.Dur;
    header.notes = w.Notes;
    header.met = w.MET == -1 ? "" : std::to_string(w.MET);
    header.metDescription = w.METStr;
  };
  // A day of several workouts asks which to open: none, a new one is made.
  dialogs.openWorkout = [](TDateTime) { return std::optional<TOpenChoice>(); };
  TTrainingLogState state({program.Config(), program.Exercises(), program.Templates(),
                           session.DayRecords(), session.Energy(), program.Clock(), prompter,
                           dialogs},
                          FoodDayOf(n));
  if (!state.NewWorkout()) throw EFault("no new workout");
  header.duration = 30 + static_cast<std::int32_t>(n % 60);
  state.Grid().ApplyExercise(0, exercise, kNoLimb);
  state.MarkModified();
  if (!state.Save()) throw EFault("the workout was not saved");
  if (!state.CloseScreen()) throw EFault("the training log screen did not close");
}

// The exercise every workout holds: the first two-sided one of the list.
std::int32_t WorkoutExercise(TProgram& program) {
  for (const auto& drill : program.Exercises().Live())
    if (drill->LAT == 0) return drill->ID;
  throw EFault("the exercise dictionary is empty");
}

// The day's weigh-in from the weigh-in screen, logged in on the day.
void SaveWeighIn(TProgram& program, TFixedClock& clock, TPrompter& prompter, long n) {
  clock.Set(WeighInDayOf(n) + 0.3);
  LogIn(program, prompter);
  TUserSession& session = *program.Session();
  WeighIn(session.Energy(), session.DayRecords(), session.User(), WeightOf(n), -1,
          TLogAccuracy::Precise);
  program.LogOff();
}

int Setup(const std::filesystem::path& folder, const std::filesystem::path& shipped) {
  std::filesystem::create_directories(folder);
  TFixedClock clock(kDay + 0.5);
  std::unique_ptr<TRandom> random = MakeSystemRandom();
  TDriverPrompter prompter;
  auto program = StartProgram(folder, shipped, clock, *random, prompter);
  program->CreateAccount(test::AnnAccount());
  program->LogOff();
  program->Exit();
  return 0;
}

int Saves(const std::filesystem::path& folder, const std::filesystem::path& shipped,
          const std::string& kind, long from) {
  TFixedClock clock(kDay + 0.5);
  std::unique_ptr<TRandom> random = MakeSystemRandom();
  TDriverPrompter prompter;
  auto program = StartProgram(folder, shipped, clock, *random, prompter);
  if (kind == "weighin") {
    Progress("ready");
    for (long n = from;; ++n) {
      SaveWeighIn(*program, clock, prompter, n);
      Progress("saved", n);
    }
  }
  LogIn(*program, prompter);
  const std::int32_t exercise = WorkoutExercise(*program);
  Progress("ready");
  for (long n = from;; ++n) {
    if (kind == "food")
      SaveFood(*program, prompter, n);
    else
      SaveWorkout(*program, prompter, exercise, n);
    Progress("saved", n);
  }
}

// Of the saves `done` printed and the one a kill may have interrupted after
// its write, how many the stored counts of days show: every day must hold
// as many entries as the first `done` saves put there, or the first
// `done + 1`.
long SavesFound(const char* what, long done, const std::map<TDateTime, long>& stored) {
  for (long k = done; k <= done + 1; ++k) {
    std::map<TDateTime, long> expected;
    for (long n = 0; n < k; ++n) ++expected[FoodDayOf(n)];
    bool same = true;
    for (long d = 0; d < kDays; ++d) {
      const TDateTime day = kDay - static_cast<double>(d);
      const auto e = expected.find(day);
      const auto s = stored.find(day);
      if ((e == expected.end() ? 0 : e->second) != (s == stored.end() ? 0 : s->second))
        same = false;
    }
    if (same) return k;
  }
  std::string days;
  std::map<TDateTime, long> expected;
  for (long n = 0; n < done; ++n) ++expected[FoodDayOf(n)];
  for (long d = 0; d < kDays; ++d) {
    const TDateTime day = kDay - static_cast<double>(d);
    const long e = expected.count(day) ? expected.at(day) : 0;
    const long s = stored.count(day) ? stored.at(day) : 0;
    if (e != s)
      days += " " + IsoDateText(day) + ": " + std::to_string(s) + " stored, " +
              std::to_string(e) + " saved;";
  }
  throw EFault(std::string(what) + " after " + std::to_string(done) + " saves:" + days);
}

int VerifyCopy(const std::filesystem::path& copy, const std::filesystem::path& shipped,
               long foods, long workouts, long weighIns);

// Errors name the files of the folder, not of its copy.
int Verify(const std::filesystem::path& folder, const std::filesystem::path& shipped,
           long foods, long workouts, long weighIns) {
  // On a copy: the start-up removes leftovers and login may archive logs,
  // and the runs must find the folder as the kill left it.
  const std::filesystem::path copy =
      std::filesystem::temp_directory_path() /
      ("korvela-kill-verify-" + std::to_string(std::random_device()()));
  std::filesystem::copy(folder, copy, std::filesystem::copy_options::recursive);
  struct TRemove {
    std::filesystem::path path;
    ~TRemove() {
      std::error_code ec;
      std::filesystem::remove_all(path, ec);
    }
  } remove{copy};
  try {
    return VerifyCopy(copy, shipped, foods, workouts, weighIns);
  } catch (const std::exception& e) {
    std::string text = e.what();
    for (std::size_t at; (at = text.find(copy.string())) != std::string::npos;)
      text.replace(at, copy.string().size(), folder.string());
    throw EFault(text);
  }
}

// Days whose food log is stored more than once: a kill between the two
// writes of the archiving pass leaves a log in both files, of which the
// current file's is read.
long DaysInBothFiles(const std::filesystem::path& userFolder, TRandom& random) {
  TFoodLogStore store(userFolder, random);
  std::map<TDateTime, int> copies;
  for (XMLDB* db : {&store.Current(), &store.Archive()})
    for (const XMLHandle& h : db->Handles())
      if (h.ID == kFoodLogID) ++copies[DayOf(h.Date)];
  long days = 0;
  for (const auto& entry : copies)
    if (entry.second > 1) ++days;
  return days;
}

int VerifyCopy(const std::filesystem::path& copy, const std::filesystem::path& shipped,
               long foods, long workouts, long weighIns) {

  // The day after the last weigh-in, as the user would start the program
  // next: login may then archive old food logs (on the copy).
  TFixedClock clock(WeighInDayOf(weighIns) + 0.5);
  std::unique_ptr<TRandom> random = MakeSystemRandom();
  TDriverPrompter prompter;
  auto program = StartProgram(copy, shipped, clock, *random, prompter);
  if (program->Accounts().size() != 1) throw EFault("the data folder has no single account");
  // As the kill left them, before the login's archiving pass.
  const long logsInBothAsLeft = DaysInBothFiles(program->Accounts()[0]->Folder, *random);
  LogIn(*program, prompter);
  TUserSession& session = *program->Session();
  TDayRecordStore& records = session.DayRecords();

  long recordsLoaded = 0;
  for (std::int32_t kind = kFirstDayRecordKind; kind <= kLastDayRecordKind; ++kind) {
    if (!program->Registry().Has(kind)) continue;
    for (const auto& entry : records.List(kind)) {
      records.LoadDayRecord(*entry);
      ++recordsLoaded;
    }
  }

  long logs = 0;
  const long logsInBoth = DaysInBothFiles(program->CurrentUser()->Folder, *random);
  std::map<TDateTime, long> foodsOfDay;
  {
    TFoodLogStore store(program->CurrentUser()->Folder, program->Random());
    std::vector<TDateTime> days;
    for (XMLDB* db : {&store.Current(), &store.Archive()})
      for (const XMLHandle& h : db->Handles())
        if (h.ID == kFoodLogID) days.push_back(h.Date);
    for (const TDateTime day : days) {
      const std::optional<TDaysMeals> log = store.LoadDayLog(day);
      if (!log) throw EFault("the food log of " + IsoDateText(day) + " does not load");
      ++logs;
      long count = 0;
      for (const TMeal& meal : log->meals) count += static_cast<long>(meal.foods.size());
      foodsOfDay[DayOf(day)] = count;
    }
  }

  const std::int32_t exercise = WorkoutExercise(*program);
  long workoutsLoaded = 0;
  std::map<TDateTime, long> workoutsOfDay;
  for (const auto& entry : records.List(kWorkoutDayKind)) {
    const std::vector<TWorkout> day = WorkoutsOfDay(records, entry->Date);
    workoutsLoaded += static_cast<long>(day.size());
    workoutsOfDay[entry->Date] = static_cast<long>(day.size());
    for (const TWorkout& w : day)
      if (w.Lines.size() != 1 || std::get<TDrillSet>(w.Lines[0]).DID != exercise)
        throw EFault("a workout of " + IsoDateText(entry->Date) + " lost its exercise");
  }

  const long foodSaves = SavesFound("food logs", foods, foodsOfDay);
  const long workoutSaves = SavesFound("workouts", workouts, workoutsOfDay);

  long weighInSaves = weighIns;
  const auto weightOn = [&records](TDateTime day) -> std::optional<double> {
    TDBC* entry = records.FindDayRecord(kWeightStatKind, day);
    if (!entry) return std::nullopt;
    return records.Loaded<TWeightStat>(*entry).W;
  };
  for (long n = 0; n <= weighIns; ++n) {
    const std::optional<double> w = weightOn(WeighInDayOf(n));
    if (n == weighIns) {
      if (w && std::fabs(*w - WeightOf(n)) < 1e-6) weighInSaves = n + 1;
      break;
    }
    if (!w || std::fabs(*w - WeightOf(n)) > 1e-6)
      throw EFault("weigh-in " + std::to_string(n) + " of " + IsoDateText(WeighInDayOf(n)) +
                   (w ? " has another weight" : " is missing"));
  }
  program->LogOff();

  std::printf(
      "verified food=%ld workout=%ld weighin=%ld records=%ld foodlogs=%ld workouts=%ld"
      " twice-stored-logs=%ld/%ld\n",
      foodSaves, workoutSaves, weighInSaves, recordsLoaded, logs, workoutsLoaded, logsInBothAsLeft,
      logsInBoth);
  return 0;
}

int Run(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 3) {
    const std::filesystem::path folder = args[0];
    const std::filesystem::path shipped = args[1];
    const std::string& command = args[2];
    if (command == "setup" && args.size() == 3) return Setup(folder, shipped);
    if ((command == "food" || command == "workout" || command == "weighin") && args.size() == 4)
      return Saves(folder, shipped, command, std::stol(args[3]));
    if (command == "verify" && args.size() == 6)
      return Verify(folder, shipped, std::stol(args[3]), std::stol(args[4]), std::stol(args[5]));
  }
  std::cerr << "usage: korvela_kill_driver DATA SHIPPED setup | food|workout|weighin FROM |"
               " verify FOOD WORKOUT WEIGHIN\n";
  return 2;
}

}  // namespace
}  // namespace korvela

int main(int argc, char** argv) {
  try {
    return korvela::Run(argc, argv);
  } catch (const std::exception& e) {
    std::printf("FAULT: %s\n", e.what());
    std::fflush(stdout);
    return 1;
  }
}
