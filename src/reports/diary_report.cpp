#include "reports/diary_report.h"

#include <algorithm>
#include <array>
#include <variant>

#include "reports/report_parts.h"
#include "training/exercise_dictionary.h"
#include "training/training_records.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr std::array<std::string_view, kReportKindCount> kTabNames = {
    "Nutrition", "Bodyweight", "Training", "Recovery", "Measurements"};
constexpr std::array<std::string_view, kReportKindCount> kKindWords = {
    "nutrition", "bodyweight", "training", "recovery", "measurements"};
constexpr std::array<std::string_view, kReportKindCount> kReportTitles = {
    "Nutrition Report", "Bodyweight Report", "Training Report", "Recovery Report",
    "Measurements Report"};

std::size_t Index(TReportKind kind) { return static_cast<std::size_t>(kind); }

std::vector<TReportColumn> NutritionColumns(const TConfigurator& config) {
  const std::string unit = config.MetricSystem() ? "kg" : "lbs";
  return {
      {"Calories Eaten", {"Eaten"}},
      {"Resting Metabolic Rate (RMR)", {"RMR"}},
      {"Calories Burned by Physical Activity (PAL)", {"PAL"}},
      {"Total Daily Energy Expenditure (TDEE)", {"TDEE"}},
      {"Protein Grams, Calories and % of the Calories", {"Protein"}},
      {"Fat Grams, Calories and % of the Calories", {"Fat"}},
      {"Carb Grams, Calories and % of the Calories", {"Carbs"}},
      {"Protein Grams per " + unit, {"Protein per BW"}},
      {"Fat Grams per " + unit, {"Fat per BW"}},
      {"Carb Grams per " + unit, {"Carbs per BW"}},
  };
}

std::vector<TReportColumn> BodyweightColumns() {
  return {
      {"Reported Bodyweight", {"Reported"}},   {"Goal Bodyweight", {"Goal"}},
      {"Projected Bodyweight", {"Projected"}}, {"Body Fat %", {"BF%"}},
      {"Lean Body Mass", {"Lean Body Mass"}},  {"Fat Mass", {"Fat Mass"}},
  };
}

std::vector<TReportColumn> TrainingColumns() {
  return {
      {"Avg. %1RM", {"Avg. %1RM"}},   {"Avg. %NRM", {"Avg. %NRM"}},
      {"Volume", {"Volume"}},         {"Total Lifts", {"Total Lifts"}},
      {"Density", {"Density"}},       {"Distance", {"Distance"}},
      {"Time/Duration", {"Time"}},    {"Avg. Pace", {"Avg. Pace"}},
      {"Avg. Speed", {"Avg. Speed"}},
  };
}

std::vector<TReportColumn> RecoveryColumns() {
  return {{"Wake Up Time", {"Wake Up Time"}},
          {"Hours of Sleep", {"Hours of Sleep"}},
          {"Recovery Score", {"Recovery Score"}}};
}

std::vector<TReportColumn> MeasurementColumns() {
  std::vector<TReportColumn> columns;
  for (const char* site : {"Neck", "Chest", "Shoulders", "Waist", "Hips"})
    columns.push_back({site, {site}});
  for (const std::string site : {"Biceps", "Forearms", "Thighs", "Calves"})
    columns.push_back({site, {site + "(L)", site + "(R)"}});
  return columns;
}

}  // namespace

std::string ReportTabName(TReportKind kind) { return std::string(kTabNames[Index(kind)]); }

std::string ReportKindWord(TReportKind kind) { return std::string(kKindWords[Index(kind)]); }

std::optional<TReportKind> ReportKindOfWord(std::string_view word) {
  for (std::size_t i = 0; i < kKindWords.size(); ++i)
    if (kKindWords[i] == word) return static_cast<TReportKind>(i);
  return std::nullopt;
}

std::vector<TReportColumn> ReportColumns(TReportKind kind, const TConfigurator& config) {
  switch (kind) {
    case TReportKind::Nutrition:
      return NutritionColumns(config);
    case TReportKind::Bodyweight:
      return BodyweightColumns();
    case TReportKind::Training:
      return TrainingColumns();
    case TReportKind::Recovery:
      return RecoveryColumns();
    case TReportKind::Measurements:
      return MeasurementColumns();
  }
  return {};
}

std::vector<std::size_t> CheckBoxOrder(TReportKind kind) {
  switch (kind) {
    case TReportKind::Nutrition:
      // Eaten, TDEE, PAL, RMR, then the nutrients as in the table.
      return {0, 3, 2, 1, 4, 5, 6, 7, 8, 9};
    case TReportKind::Bodyweight:
      // Reported, Goal, Projected, Lean Body Mass, Body Fat %, Fat Mass.
      return {0, 1, 2, 4, 3, 5};
    case TReportKind::Training:
    case TReportKind::Recovery:
    case TReportKind::Measurements:
      break;
  }
  std::vector<std::size_t> order(ReportColumns(kind, TConfigurator()).size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  return order;
}

std::string ReportDistanceUnitName(std::int32_t unit) {
  return unit == kKm ? "kilometers" : DistUnitPlural(unit);
}

std::int32_t InitialReportDistanceUnit(const TConfigurator& config) {
  return config.MetricSystem() ? kKm : kMile;
}

TMyReport DiaryReport(const TReportRequest& request, TReportSources sources) {
  switch (request.Kind) {
    case TReportKind::Nutrition:
      return NutritionReport(request, sources);
    case TReportKind::Bodyweight:
      return BodyweightReport(request, sources);
    case TReportKind::Training:
      return TrainingReport(request, sources);
    case TReportKind::Recovery:
      return RecoveryReport(request, sources);
    case TReportKind::Measurements:
      return MeasurementsReport(request, sources);
  }
  return {};
}

std::string DiaryReportCsv(const TReportRequest& request, TReportSources sources) {
  switch (request.Kind) {
    case TReportKind::Nutrition:
      return NutritionCsv(request, sources);
    case TReportKind::Bodyweight:
      return BodyweightCsv(request, sources);
    case TReportKind::Training:
      return TrainingCsv(request, sources);
    case TReportKind::Recovery:
      return RecoveryCsv(request, sources);
    case TReportKind::Measurements:
      return MeasurementsCsv(request, sources);
  }
  return {};
}

std::vector<std::int32_t> PeriodExercises(TDayRecordStore& store,
                                          const TExerciseDictionary& dictionary,
                                          const TReportPeriod& period) {
  std::vector<std::int32_t> exercises;
  for (TDBC* entry : RecordsInPeriod(store, kWorkoutDayKind, period))
    for (const TWorkout& workout : WorkoutsOfDay(store, entry->Date))
      for (const TWLine& line : workout.Lines) {
        const auto* set = std::get_if<TDrillSet>(&line);
        if (!set || set->DID == -1 || !dictionary.Find(set->DID)) continue;
        if (std::find(exercises.begin(), exercises.end(), set->DID) == exercises.end())
          exercises.push_back(set->DID);
      }
  return exercises;
}

std::string ExerciseListTitle(const TReportPeriod& period) {
  if (CheckReportPeriod(period)) return std::string(kAllExercisesTitle);
  return "Exercises done from " + ShortDateText(period.From) + " to " + ShortDateText(period.To);
}

// Shared parts.

bool IsTicked(const TReportRequest& request, std::size_t column) {
  return request.Ticked.empty() || (column < request.Ticked.size() && request.Ticked[column]);
}

std::vector<std::string> TickedHeaders(const TReportRequest& request, const TConfigurator& config) {
  std::vector<std::string> headers;
  const std::vector<TReportColumn> columns = ReportColumns(request.Kind, config);
  for (std::size_t i = 0; i < columns.size(); ++i)
    if (IsTicked(request, i))
      headers.insert(headers.end(), columns[i].Headers.begin(), columns[i].Headers.end());
  return headers;
}

TMyReport BeginDiaryReport(const TReportRequest& request, const TConfigurator& config) {
  TMyReport report;
  report.AddSubtitle(kReportTitles[Index(request.Kind)]);
  report.AddSubtitle("From: " + LongDateText(request.Period.From));
  report.AddSubtitle("To: " + LongDateText(request.Period.To));
  report.BeginTable();
  report.BeginHeaderRow();
  report.AddCell("Date", kCellLeft);
  for (const std::string& header : TickedHeaders(request, config))
    report.AddCell(header, kCellCentre);
  report.EndRow();
  return report;
}

void AddDayRow(TMyReport& report, TDateTime day, const std::vector<std::string>& cells) {
  report.BeginRow();
  report.AddCell(LongDateText(day), kCellLeft);
  for (const std::string& cell : cells) report.AddCell(cell, kCellCentre);
  report.EndRow();
}

void AddPeriodHeaderRow(TMyReport& report, const TReportRequest& request,
                        const TConfigurator& config) {
  report.BeginRow(kRowSubheader);
  report.AddCell(kPeriodAverage, kCellLeft);
  for (const std::string& header : TickedHeaders(request, config))
    report.AddCell(header, kCellCentre);
  report.EndRow();
}

void AddPeriodRow(TMyReport& report, std::string_view first,
                  const std::vector<std::string>& cells) {
  report.BeginRow();
  report.AddCell(first, kCellLeft);
  for (const std::string& cell : cells) report.AddCell(cell, kCellCentre);
  report.EndRow();
}

std::string PeriodText(const TReportPeriod& period) {
  return ShortDateText(period.From) + " to " + ShortDateText(period.To);
}

std::vector<TDBC*> RecordsInPeriod(TDayRecordStore& store, std::int32_t kind,
                                   const TReportPeriod& period) {
  const auto& list = store.List(kind);
  const TDateTime from = DayOf(period.From);
  const TDateTime to = DayOf(period.To);
  auto it = std::lower_bound(list.begin(), list.end(), from,
                             [](const auto& e, TDateTime d) { return e->Date < d; });
  std::vector<TDBC*> entries;
  for (; it != list.end() && (*it)->Date <= to; ++it) entries.push_back(it->get());
  return entries;
}

double WeightFactor(const TConfigurator& config) {
  return config.MetricSystem() ? 1.0 : kPoundsPerKg;
}

std::string WeightSuffix(const TConfigurator& config) {
  return config.MetricSystem() ? " kg" : " lbs";
}

}  // namespace korvela
