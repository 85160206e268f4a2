#include "korvela_data/report_command.h"

#include <memory>
#include <ostream>
#include <sstream>
#include <string>
#include <vector>

#include "energy/energy_model.h"
#include "korvela_data/arguments.h"
#include "korvela_data/opened_diary.h"
#include "korvela_data/private_copy.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "training/exercise_dictionary.h"
#include "users/configurator.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kCsvOption = "--csv";

}  // namespace

void PrintReport(TReportKind kind, const fs::path& dataFolder, const fs::path& userFolder,
                 const TReportPeriod& period, bool csv, const TClock& clock,
                 const fs::path& temporaryFolder, std::ostream& out, TRandom& random,
                 TFileSystem& fs) {
  std::string text;
  WithPrivateCopy(userFolder, temporaryFolder, [&](const fs::path& copy) {
    std::unique_ptr<TExerciseDictionary> dictionary;
    if (kind == TReportKind::Training) {
      dictionary = std::make_unique<TExerciseDictionary>(
          CopyExerciseDictionary(dataFolder, copy.parent_path()), random, fs);
      LoadCopiedDictionary(*dictionary, dataFolder);
    }
    TOpenedDiary diary(copy, clock, random, fs);
    TReportRequest request;
    request.Kind = kind;
    request.Period = period;
    request.DistanceUnit = InitialReportDistanceUnit(diary.config);
    const TReportSources sources{diary.store, diary.model, diary.config, dictionary.get()};
    text = csv ? DiaryReportCsv(request, sources) : DiaryReport(request, sources).Text();
  });
  out << text;
}

void RunReportCommand(TCommandArgs args, TToolEnvironment& env) {
  std::vector<std::string_view> positional;
  bool csv = false;
  for (const std::string_view arg : args) {
    if (arg == kCsvOption)
      csv = true;
    else
      positional.push_back(arg);
  }
  if (positional.size() != 5) throw EUsageError("report takes five arguments and the option --csv");
  const auto kind = ReportKindOfWord(positional[0]);
  if (!kind)
    throw EUsageError("KIND (" + std::string(positional[0]) +
                      ") is none of nutrition, bodyweight, training, recovery, measurements");
  const fs::path dataFolder(positional[1]);
  const fs::path userFolder = dataFolder / fs::path(positional[2]);
  const TReportPeriod period{ParseCalendarDateArgument(positional[3], "FROM"),
                             ParseCalendarDateArgument(positional[4], "TO")};
  if (CheckReportPeriod(period))
    throw EUsageError("TO (" + std::string(positional[4]) + ") is before FROM (" +
                      std::string(positional[3]) + ")");
  const std::unique_ptr<TClock> clock = CommandClock(env.today);
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  PrintReport(*kind, dataFolder, userFolder, period, csv, *clock, env.temporaryFolder, env.out,
              env.random, env.fs);
}

}  // namespace korvela
