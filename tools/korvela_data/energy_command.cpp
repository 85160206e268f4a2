#include "korvela_data/energy_command.h"

#include <cstdio>
#include <limits>
#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <system_error>

#include "energy/cal_stat.h"
#include "energy/energy_model.h"
#include "energy/energy_records.h"
#include "korvela_data/arguments.h"
#include "korvela_data/private_copy.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "users/user.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr const char* kHeader =
    "#date\tEatenCalories\tRestingMetabolicRate\tThermicEffectOfFood\tDailyPhysicalActivity"
    "\tExerciseCalories\tTotalDailyExpenditure\tCalorieBalance\tPW\tAC\n";
constexpr const char* kNoRecord = "no record";

// Enough significant digits for the text to read back as the same value.
std::string NumberText(long double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*Lg", std::numeric_limits<long double>::max_digits10, value);
  return text;
}

std::string NumberText(double value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", std::numeric_limits<double>::max_digits10, value);
  return text;
}

std::string NumberText(float value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*g", std::numeric_limits<float>::max_digits10,
                static_cast<double>(value));
  return text;
}

void WriteFigures(const fs::path& userFolder, TDateTime first, TDateTime last, const TClock& clock,
                  std::ostream& out, TRandom& random, TFileSystem& fs) {
  const std::unique_ptr<TUser> user = LoadUser(userFolder);
  TDayRecordRegistry registry;
  RegisterEnergyRecords(registry);
  TDayRecordStore store(registry, random, fs);
  store.OpenDayRecords(userFolder);
  TEnergyModel model(store, *user, clock);
  model.RestartEnergyModel();

  out << kHeader;
  for (TDateTime day = first; day <= last; day += 1) {
    out << IsoDateText(day) << '\t';
    TDBC* entry = store.FindDayRecord(kCalStatKind, day);
    if (!entry) {
      out << kNoRecord << '\n';
      continue;
    }
    TCalStat& cal = store.Loaded<TCalStat>(*entry);
    // The expenditure first: it gives a record of the projection window that
    // still lacks a coefficient the current one, so that every column of the
    // line is computed with the same coefficient. A braced list is evaluated
    // left to right; PW and AC are read after all the figures.
    model.TotalDailyExpenditure(cal);
    const Extended figures[] = {
        EatenCalories(cal),
        model.RestingMetabolicRate(cal),
        model.ThermicEffectOfFood(cal),
        model.DailyPhysicalActivity(cal),
        model.ExerciseCalories(cal),
        model.TotalDailyExpenditure(cal),
        model.CalorieBalance(cal),
    };
    for (const Extended figure : figures) out << NumberText(figure) << '\t';
    out << NumberText(cal.PW) << '\t' << NumberText(cal.AC) << '\n';
  }
}

}  // namespace

void PrintEnergyFigures(const fs::path& userFolder, TDateTime first, TDateTime last,
                        const TClock& clock, const fs::path& temporaryFolder, std::ostream& out,
                        TRandom& random, TFileSystem& fs) {
  std::ostringstream text;
  WithPrivateCopy(userFolder, temporaryFolder, [&](const fs::path& copy) {
    WriteFigures(copy, first, last, clock, text, random, fs);
  });
  out << text.str();
}

void RunEnergyCommand(TCommandArgs args, TToolEnvironment& env) {
  const fs::path dataFolder(args[0]);
  const fs::path userFolder = dataFolder / fs::path(args[1]);
  const TDateTime first = ParseCalendarDateArgument(args[2], "FIRST");
  const TDateTime last = ParseCalendarDateArgument(args[3], "LAST");
  if (last < first)
    throw EUsageError("LAST (" + std::string(args[3]) + ") is before FIRST (" +
                      std::string(args[2]) + ")");
  const std::unique_ptr<TClock> clock = CommandClock(env.today);

  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  PrintEnergyFigures(userFolder, first, last, *clock, env.temporaryFolder, env.out, env.random,
                     env.fs);
}

}  // namespace korvela
