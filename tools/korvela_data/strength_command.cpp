#include "korvela_data/strength_command.h"

#include <ostream>
#include <string>

#include "korvela_data/arguments.h"
#include "storage/errors.h"
#include "storage/value_text.h"
#include "training/strength_profile.h"
#include "users/configurator.h"

namespace korvela {

void RunStrengthCommand(TCommandArgs args, TToolEnvironment& env) {
  double weight = 0;
  try {
    weight = ParseNumber(args[0], '.');
  } catch (const EConvertError&) {
    throw EUsageError("WEIGHT (" + std::string(args[0]) + ") is no number");
  }
  if (args[1] != "kg" && args[1] != "lbs")
    throw EUsageError("UNIT (" + std::string(args[1]) + ") is neither kg nor lbs");
  const bool metric = args[1] == "kg";
  const std::int32_t reps = ParseInt32Argument(args[2], "REPS");
  if (reps < 1 || reps > 20) throw EUsageError("REPS must be 1 to 20");
  const Extended kg = metric ? Extended{weight} : weight / 2.2L;
  if (!(kg > 0) || kg > kMaxStrengthWeightKg)
    throw EUsageError("WEIGHT must be above 0 and at most 1000 kg");
  TConfigurator config;
  config.SetFloatingChar('.');
  config.SetMetricSystem(metric);
  for (const TStrengthRow& row : StrengthProfile(config, EstimatedOneRM(kg, reps)))
    env.out << row.Reps << '\t' << row.Percent << '\t' << row.Weight << '\n';
}

}  // namespace korvela
