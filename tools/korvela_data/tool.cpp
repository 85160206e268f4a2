#include "korvela_data/tool.h"

#include <algorithm>
#include <array>
#include <exception>
#include <ostream>
#include <string>

#include "korvela_data/arguments.h"
#include "korvela_data/backup_command.h"
#include "korvela_data/build_activities_command.h"
#include "korvela_data/build_exercises_command.h"
#include "korvela_data/build_foods_command.h"
#include "korvela_data/build_help_command.h"
#include "korvela_data/build_strings_command.h"
#include "korvela_data/check_command.h"
#include "korvela_data/db_add_command.h"
#include "korvela_data/dump_command.h"
#include "korvela_data/energy_command.h"
#include "korvela_data/foodlog_command.h"
#include "korvela_data/import_weights_command.h"
#include "korvela_data/pack_command.h"
#include "korvela_data/report_command.h"
#include "korvela_data/salvage_command.h"
#include "korvela_data/search_command.h"
#include "korvela_data/strength_command.h"
#include "korvela_data/workout_command.h"
#include "storage/errors.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

constexpr std::string_view kProgramName = "korvela-data";

constexpr std::array kCommands = {
    TCommand{"dump", "FILE", "print a data file or record database as stored", 1, RunDumpCommand},
    TCommand{"pack", "TEXTFILE OUT", "write a text-form document as a scrambled data file", 2,
             RunPackCommand},
    TCommand{"db-add", "DBFILE KIND ID DATE TEXTFILE",
             "store a text-form document as a record of a record database", 5, RunDbAddCommand},
    TCommand{"build-strings", "TEXTFILE OUT",
             "build the string table OUT afresh from its text source", 2, RunBuildStringsCommand},
    TCommand{"build-foods", "TSVFILE OUT",
             "build the food catalogue OUT afresh from its table of foods", 2,
             RunBuildFoodsCommand},
    TCommand{"build-activities", "TSVFILE OUT",
             "build the activity dictionary OUT afresh from its table of activities", 2,
             RunBuildActivitiesCommand},
    TCommand{"build-help", "DIR OUT", "build the help book OUT afresh from the pages in DIR", 2,
             RunBuildHelpCommand},
    TCommand{"build-exercises", "TSVFILE INSTRUCTIONS OUT",
             "build the exercise dictionary OUT afresh from its table and instructions", 3,
             RunBuildExercisesCommand},
    TCommand{"energy", "DATAFOLDER USERFOLDER FIRST LAST",
             "print the energy model's figures of each day of a user, from a copy", 4,
             RunEnergyCommand},
    TCommand{"foodlog", "DATAFOLDER USERFOLDER DATE",
             "print a user's stored food log of a day with its totals", 3, RunFoodLogCommand},
    TCommand{"search", "[--category N] DATAFOLDER USERFOLDER QUERY",
             "print the foods a search finds, best first, as RANK<TAB>NAME", 3, RunSearchCommand,
             2},
    TCommand{"check", "DATAFOLDER",
             "read every file and record of a data folder and list what is damaged", 1,
             RunCheckCommand},
    TCommand{"salvage", "DATAFOLDER [USERFOLDER]",
             "replace each damaged record database by its readable records, keeping the original",
             1, RunSalvageCommand, 1},
    TCommand{"workout", "DATAFOLDER USERFOLDER DATE",
             "print a user's workouts of a day with their statistics, from a copy", 3,
             RunWorkoutCommand},
    TCommand{"import-weights", "[--dry-run] [--lbs] DATAFOLDER USERFOLDER CSVFILE",
             "bring weigh-ins or measurements from a CSV file into a user's records", 3,
             RunImportWeightsCommand, 2},
    TCommand{"backup", "DATAFOLDER USERFOLDER BACKUPFILE",
             "write a backup of a user's diary with the shared items it uses, from a copy", 3,
             RunBackupCommand},
    TCommand{"restore", "DATAFOLDER BACKUPFILE",
             "restore a diary backup as a new account; prints FOLDER<TAB>NAME", 2,
             RunRestoreCommand},
    TCommand{"strength", "WEIGHT UNIT REPS",
             "print the strength profile of WEIGHT kg or lbs lifted REPS times to failure", 3,
             RunStrengthCommand},
    TCommand{"report", "KIND DATAFOLDER USERFOLDER FROM TO [--csv]",
             "print a report of a user's days as the reports screen shows it, or as CSV", 5,
             RunReportCommand, 1},
};

const TCommand* FindCommand(std::string_view name) {
  const auto it = std::find_if(kCommands.begin(), kCommands.end(),
                               [name](const TCommand& c) { return c.name == name; });
  return it == kCommands.end() ? nullptr : &*it;
}

// A usage error names what is wrong, then shows the command's own usage line
// or, without a known command, the whole usage text.
int UsageFailure(std::ostream& err, std::string_view problem, const TCommand* command = nullptr) {
  err << kProgramName << ": " << problem << '\n';
  if (command)
    err << "usage: " << kProgramName << ' ' << command->name << ' ' << command->arguments << '\n';
  else
    WriteUsage(err);
  return kExitUsage;
}

}  // namespace

std::span<const TCommand> Commands() { return kCommands; }

void WriteUsage(std::ostream& out) {
  std::size_t width = 0;
  for (const TCommand& c : kCommands)
    width = std::max(width, c.name.size() + 1 + c.arguments.size());
  out << "usage: " << kProgramName << " COMMAND ARGUMENTS...\n"
      << "       " << kProgramName << " --help\n\ncommands:\n";
  for (const TCommand& c : kCommands) {
    const std::size_t used = c.name.size() + 1 + c.arguments.size();
    out << "  " << c.name << ' ' << c.arguments << std::string(width - used + 2, ' ') << c.summary
        << '\n';
  }
  out << "\nDATE is a day value (39083, 39083.5) or YYYY-MM-DD.\n"
      << "KIND " << kStringTableKind
      << " (string table) keys each record by its ID; other kinds use the data key.\n"
      << "The text source of the string table holds one NUMBER<TAB>TEXT a line;\n"
      << "blank lines and lines starting with # are skipped.\n"
      << "The food table has a header line and then one food a line:\n"
      << "group<TAB>food<TAB>protein<TAB>fat<TAB>carbohydrate<TAB>alcohol<TAB>measures,\n"
      << "nutrients in grams per 100 g, measures as mod|desc|gr joined by ;.\n"
      << "The activity table has a header line and then one activity a line:\n"
      << "activity<TAB>met<TAB>default_minutes<TAB>code<TAB>major_heading;\n"
      << "the five-digit code becomes the activity's identifier.\n"
      << "Each help page DIR/*.htm starts with the line <!-- topic NUMBER: TITLE -->\n"
      << "followed by the topic's HTML; topic 10 is the page template.\n"
      << "The exercise table has a header line and then one exercise a line:\n"
      << "name<TAB>short_name<TAB>target_muscles<TAB>equipment<TAB>movement_type<TAB>\n"
      << "measure<TAB>unilateral<TAB>instructions<TAB>image; INSTRUCTIONS holds\n"
      << "NAME<TAB>TEXT lines, \" | \" in TEXT starting a new line.\n"
      << "energy reads USERFOLDER (relative to DATAFOLDER unless absolute) from a copy\n"
      << "and leaves it as it was; FIRST and LAST are YYYY-MM-DD. Today is\n"
      << "$KORVELA_TODAY (YYYY-MM-DD) when set, else the system's date.\n"
      << "foodlog reads USERFOLDER (relative to DATAFOLDER unless absolute) and\n"
      << "changes nothing.\n"
      << "search takes the foods of DATAFOLDER and the frequent foods of USERFOLDER\n"
      << "(- for none), within category N of the food tree when given; it prints\n"
      << "the search's message instead when it shows one, and changes nothing.\n"
      << "check prints one line per damaged file or record and a summary line;\n"
      << "it exits 1 when anything is damaged and changes nothing.\n"
      << "salvage keeps a damaged file as NAME.damaged and exits 1 when records\n"
      << "could not be read; it prints one line per record database.\n"
      << "workout reads GDDB.DAT of DATAFOLDER and USERFOLDER from copies; DATE is\n"
      << "YYYY-MM-DD; today as for energy.\n"
      << "import-weights reads CSV with a date column (YYYY-MM-DD) and weight_kg,\n"
      << "weight_lbs or weight (kg, or lbs with --lbs) and body_fat_pct, or\n"
      << "measurement columns (neck_cm ... calves_cm); it lists what it would add,\n"
      << "replace and skip, then stores it; --dry-run changes nothing.\n"
      << "report prints the page of KIND (nutrition, bodyweight, training, recovery,\n"
      << "measurements) from FROM to TO (YYYY-MM-DD) with every column, or with\n"
      << "--csv its comma-separated form; it reads copies as workout does.\n";
}

int RunTool(std::span<const std::string_view> args, TToolEnvironment& env, std::ostream& err) {
  if (args.empty()) return UsageFailure(err, "no command given");
  if (args[0] == "--help" || args[0] == "-h") {
    if (args.size() != 1) return UsageFailure(err, "--help takes no arguments");
    WriteUsage(env.out);
    return kExitSuccess;
  }
  const TCommand* command = FindCommand(args[0]);
  if (!command) return UsageFailure(err, "unknown command '" + std::string(args[0]) + "'");
  const std::size_t given = args.size() - 1;
  if (given < command->argumentCount ||
      given > command->argumentCount + command->optionArgumentCount)
    return UsageFailure(err, "wrong number of arguments for " + std::string(command->name),
                        command);
  try {
    command->run(args.subspan(1), env);
    return kExitSuccess;
  } catch (const EUsageError& e) {
    return UsageFailure(err, e.what(), command);
  } catch (const EReported&) {
    return kExitFailure;
  } catch (const std::exception& e) {
    // Storage errors (EKorvelaError) already name their file. Anything else
    // the standard library raises is reported the same way, as one line.
    env.out.flush();
    err << kProgramName << ": " << e.what() << '\n';
    return kExitFailure;
  }
}

}  // namespace korvela
