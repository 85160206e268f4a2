#pragma once
// Pieces every diary report is built from; shared by the report kinds only.
#include <string>
#include <string_view>
#include <vector>

#include "reports/csv_table.h"
#include "reports/diary_report.h"
#include "reports/my_report.h"

namespace korvela {

inline constexpr std::string_view kNotAvailable = "N/A";
inline constexpr std::string_view kNotReported = "Not Reported";
inline constexpr std::string_view kPeriodAverage = "Period Average";

// Whether column `column` (table order) is ticked.
bool IsTicked(const TReportRequest& request, std::size_t column);
// The header texts of the ticked columns.
std::vector<std::string> TickedHeaders(const TReportRequest& request, const TConfigurator& config);

// The headings and the header row of a report's table.
TMyReport BeginDiaryReport(const TReportRequest& request, const TConfigurator& config);
// A day row: the day's long date, then the cells.
void AddDayRow(TMyReport& report, TDateTime day, const std::vector<std::string>& cells);
// The row that repeats the headers below the days, and the period's own row.
void AddPeriodHeaderRow(TMyReport& report, const TReportRequest& request,
                        const TConfigurator& config);
void AddPeriodRow(TMyReport& report, std::string_view first, const std::vector<std::string>& cells);
// "1 Mar 2007 to 31 Mar 2007".
std::string PeriodText(const TReportPeriod& period);

// The records of a kind dated within the period, oldest first.
std::vector<TDBC*> RecordsInPeriod(TDayRecordStore& store, std::int32_t kind,
                                   const TReportPeriod& period);

// Weights shown in the user's unit: the factor and " kg" or " lbs".
double WeightFactor(const TConfigurator& config);
std::string WeightSuffix(const TConfigurator& config);

// The report kinds.
TMyReport NutritionReport(const TReportRequest& request, TReportSources sources);
std::string NutritionCsv(const TReportRequest& request, TReportSources sources);
TMyReport BodyweightReport(const TReportRequest& request, TReportSources sources);
std::string BodyweightCsv(const TReportRequest& request, TReportSources sources);
TMyReport TrainingReport(const TReportRequest& request, TReportSources sources);
std::string TrainingCsv(const TReportRequest& request, TReportSources sources);
TMyReport RecoveryReport(const TReportRequest& request, TReportSources sources);
std::string RecoveryCsv(const TReportRequest& request, TReportSources sources);
TMyReport MeasurementsReport(const TReportRequest& request, TReportSources sources);
std::string MeasurementsCsv(const TReportRequest& request, TReportSources sources);

}  // namespace korvela
