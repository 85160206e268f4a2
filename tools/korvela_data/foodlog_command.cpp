#include "korvela_data/foodlog_command.h"

#include <cmath>
#include <cstdio>
#include <ostream>
#include <string>

#include "korvela_data/arguments.h"
#include "nutrition/food_log_store.h"
#include "storage/errors.h"

namespace korvela {
namespace {

namespace fs = std::filesystem;

std::string TimeText(TDateTime timeOfDay) {
  const long minutes = std::lround(timeOfDay * 1440) % 1440;
  char text[16];
  std::snprintf(text, sizeof text, "%02ld:%02ld", minutes / 60, minutes % 60);
  return text;
}

// Two decimals at most, trailing zeros dropped: "16.8", "480", "0.25".
std::string Amount(Extended value) {
  char text[64];
  std::snprintf(text, sizeof text, "%.2Lf", value);
  std::string s = text;
  if (s.find('.') != std::string::npos) {
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
  }
  return s == "-0" ? "0" : s;
}

void WriteNutrients(std::ostream& out, const TNutrients& n) {
  out << Amount(n.grams) << '\t' << Amount(n.P) << '\t' << Amount(n.F) << '\t' << Amount(n.C)
      << '\t' << Amount(n.A) << '\t' << Amount(n.calories) << '\n';
}

}  // namespace

void PrintFoodLog(const fs::path& userFolder, TDateTime day, std::ostream& out, TRandom& random,
                  TFileSystem& fs) {
  if (!fs::is_directory(userFolder)) throw EXMLIOError(userFolder.string(), "no such user folder");
  const std::optional<TStoredDayLog> stored = ReadStoredDayLog(userFolder, day, random, fs);
  if (!stored) {
    out << "No food log is stored for " << IsoDateText(day) << ".\n";
    return;
  }
  const TDaysMeals& log = stored->log;
  out << "Food log of " << IsoDateText(log.ForDate) << " in " << stored->file.filename().string()
      << '\n';
  if (!log.MenuName.empty()) out << "Name: " << log.MenuName << '\n';
  if (!log.MenuNotes.empty()) out << "Notes: " << log.MenuNotes << '\n';
  out << "#line\tname\tquantity\tgrams\tprotein\tfat\tcarbohydrate\talcohol\tcalories\n";
  for (const TMeal& meal : log.meals) {
    out << "meal\t" << meal.Name << '\t' << TimeText(meal.TOD) << '\n';
    for (const TWFoodItem& food : meal.foods) {
      out << "food\t" << food.Name << '\t' << QuantityText(food) << '\t';
      WriteNutrients(out, LoggedNutrients(food));
    }
    out << "total\t" << meal.Name << "\t\t";
    WriteNutrients(out, MealTotals(meal));
  }
  out << "day\t\t\t";
  WriteNutrients(out, DayTotals(log));
}

void RunFoodLogCommand(TCommandArgs args, TToolEnvironment& env) {
  const fs::path dataFolder(args[0]);
  const fs::path userFolder = dataFolder / fs::path(args[1]);
  const TDateTime day = ParseDayArgument(args[2]);
  if (!fs::is_directory(dataFolder)) throw EXMLIOError(dataFolder.string(), "no such data folder");
  PrintFoodLog(userFolder, day, env.out, env.random, env.fs);
}

}  // namespace korvela
