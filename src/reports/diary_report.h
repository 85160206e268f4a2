#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "energy/energy_model.h"
#include "reports/my_report.h"
#include "reports/report_periods.h"
#include "storage/day_records.h"
#include "training/quantities.h"
#include "users/configurator.h"

namespace korvela {

class TExerciseDictionary;

// The day-by-day reports of the reports screen.
enum class TReportKind { Nutrition, Bodyweight, Training, Recovery, Measurements };
inline constexpr std::size_t kReportKindCount = 5;

// "Nutrition", ...: the tab of the kind.
std::string ReportTabName(TReportKind kind);
// "nutrition", ...: the kind as a command names it.
std::string ReportKindWord(TReportKind kind);
std::optional<TReportKind> ReportKindOfWord(std::string_view word);

// A column the user may tick: its check box caption and the header texts it
// adds to the table (two for the sides of a two-sided measurement).
struct TReportColumn {
  std::string Caption;
  std::vector<std::string> Headers;
};

// The columns of a kind in the order of the table; the per-weight captions
// end in "kg" or "lbs" by the measurement system.
std::vector<TReportColumn> ReportColumns(TReportKind kind, const TConfigurator& config);
// The columns in the order their check boxes are listed (indices into
// ReportColumns).
std::vector<std::size_t> CheckBoxOrder(TReportKind kind);

// The distance units offered for the training report, as listed ("miles",
// "feet", "yards", "meters", "kilometers"), and the first choice of a user.
inline constexpr std::int32_t kReportDistanceUnits[] = {kMile, kFoot, kYard, kMeter, kKm};
std::string ReportDistanceUnitName(std::int32_t unit);
std::int32_t InitialReportDistanceUnit(const TConfigurator& config);

// What to report.
struct TReportRequest {
  TReportKind Kind = TReportKind::Nutrition;
  TReportPeriod Period;
  // Ticked columns, indexed as ReportColumns; empty: every column.
  std::vector<bool> Ticked;
  std::int32_t DistanceUnit = kKm;
  // The exercises the training report considers; none: every exercise of
  // the period.
  std::optional<std::vector<std::int32_t>> Exercises;
};

// What the reports read: the user's day records, the energy model for the
// figures of each day (computing an expenditure may give a record of the
// projection window its activity coefficient), the settings and, for the
// training report, the exercise dictionary.
struct TReportSources {
  TDayRecordStore& Store;
  TEnergyModel& Model;
  const TConfigurator& Config;
  const TExerciseDictionary* Dictionary = nullptr;
};

// The report's page. The period must be valid (CheckReportPeriod).
TMyReport DiaryReport(const TReportRequest& request, TReportSources sources);

// The same report as comma-separated values: one header row, then a row for
// each day row of the report; dates as YYYY-MM-DD, weights in kilograms,
// lengths in centimetres and an empty field for every unknown value.
std::string DiaryReportCsv(const TReportRequest& request, TReportSources sources);

// The exercises done in the period, in order of first appearance: every
// workout of each day and every set line naming a known exercise.
std::vector<std::int32_t> PeriodExercises(TDayRecordStore& store,
                                          const TExerciseDictionary& dictionary,
                                          const TReportPeriod& period);
// The title of the exercise list: "Exercises done from 1 Mar 2007 to 31 Mar
// 2007", or "Exercises" when To is before From.
std::string ExerciseListTitle(const TReportPeriod& period);
inline constexpr std::string_view kAllExercisesTitle = "Exercises";

}  // namespace korvela
