// The recovery and measurements reports: one row for each day with a record.
#include <array>
#include <cstdio>

#include "energy/body_records.h"
#include "reports/report_parts.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

struct TRecoveryDay {
  TDateTime Day = 0;
  TDateTime WakeUp = kDefaultWakeUpTime;
  double Hours = -1;
  Extended Score = -1;
};

std::vector<TRecoveryDay> RecoveryDays(const TReportPeriod& period, TDayRecordStore& store) {
  std::vector<TRecoveryDay> days;
  for (TDBC* entry : RecordsInPeriod(store, kRecoveryStatKind, period)) {
    const TRecoveryStat& r = store.Loaded<TRecoveryStat>(*entry);
    days.push_back({entry->Date, r.RWakeUpTime == -1 ? kDefaultWakeUpTime : r.RWakeUpTime, r.HSlept,
                    RecoveryScore(r)});
  }
  return days;
}

// The sites in the order of the table, the two sides of a two-sided one
// together.
constexpr std::array<TMeasureSite, kMeasureSiteCount> kTableSites = {
    TMeasureSite::Neck,     TMeasureSite::Chest,   TMeasureSite::Shoulders, TMeasureSite::Waist,
    TMeasureSite::Hips,     TMeasureSite::LBiceps, TMeasureSite::RBiceps,   TMeasureSite::LForearm,
    TMeasureSite::RForearm, TMeasureSite::LThigh,  TMeasureSite::RThigh,    TMeasureSite::LCalf,
    TMeasureSite::RCalf};
constexpr std::array<const char*, kMeasureSiteCount> kSiteFields = {
    "neck_cm",         "chest_cm",        "shoulders_cm",     "waist_cm",          "hips_cm",
    "biceps_left_cm",  "biceps_right_cm", "forearms_left_cm", "forearms_right_cm", "thighs_left_cm",
    "thighs_right_cm", "calves_left_cm",  "calves_right_cm"};

// The column (table order) a site of kTableSites belongs to.
std::size_t ColumnOfSite(std::size_t site) { return site < 5 ? site : 5 + (site - 5) / 2; }

}  // namespace

TMyReport RecoveryReport(const TReportRequest& request, TReportSources sources) {
  const TConfigurator& config = sources.Config;
  TMyReport report = BeginDiaryReport(request, config);
  Extended hours = 0, score = 0;
  int hourDays = 0, scoreDays = 0;
  for (const TRecoveryDay& d : RecoveryDays(request.Period, sources.Store)) {
    std::vector<std::string> cells;
    if (IsTicked(request, 0)) cells.push_back(TimeOfDayText(config, d.WakeUp));
    if (IsTicked(request, 1))
      cells.push_back(d.Hours != -1 ? FormatNumber(config, d.Hours, 1) + " hours" : std::string());
    if (IsTicked(request, 2))
      cells.push_back(d.Score != -1 ? FormatNumber(config, static_cast<double>(d.Score), 2)
                                    : std::string());
    if (d.Hours != -1) {
      hours += d.Hours;
      ++hourDays;
    }
    if (d.Score != -1) {
      score += d.Score;
      ++scoreDays;
    }
    AddDayRow(report, d.Day, cells);
  }
  AddPeriodHeaderRow(report, request, config);
  std::vector<std::string> cells;
  if (IsTicked(request, 0)) cells.emplace_back();
  if (IsTicked(request, 1))
    cells.push_back(hourDays
                        ? FormatNumber(config, static_cast<double>(hours / hourDays), 1) + " hours"
                        : std::string(kNotAvailable));
  if (IsTicked(request, 2))
    cells.push_back(scoreDays ? FormatNumber(config, static_cast<double>(score / scoreDays), 2)
                              : std::string(kNotAvailable));
  AddPeriodRow(report, PeriodText(request.Period), cells);
  report.EndTable();
  report.EndDocument();
  return report;
}

std::string RecoveryCsv(const TReportRequest& request, TReportSources sources) {
  TCsvTable table({"date", "wake_up", "sleep_hours", "recovery_score"});
  for (const TRecoveryDay& d : RecoveryDays(request.Period, sources.Store)) {
    const int minutes = (SecondsOfDay(d.WakeUp) + 30) / 60 % (24 * 60);
    char wakeUp[16];
    std::snprintf(wakeUp, sizeof wakeUp, "%02d:%02d", minutes / 60, minutes % 60);
    table.BeginRow();
    table.AddText(IsoDateText(d.Day));
    table.AddText(wakeUp);
    table.AddNumber(d.Hours != -1 ? std::optional(d.Hours) : std::nullopt);
    table.AddNumber(d.Score != -1 ? std::optional(static_cast<double>(d.Score)) : std::nullopt);
  }
  return table.Text();
}

TMyReport MeasurementsReport(const TReportRequest& request, TReportSources sources) {
  const TConfigurator& config = sources.Config;
  TMyReport report = BeginDiaryReport(request, config);
  for (TDBC* entry : RecordsInPeriod(sources.Store, kMeasureStatKind, request.Period)) {
    const TMeasureStat& m = sources.Store.Loaded<TMeasureStat>(*entry);
    std::vector<std::string> cells;
    for (std::size_t i = 0; i < kTableSites.size(); ++i) {
      if (!IsTicked(request, ColumnOfSite(i))) continue;
      const double cm = m[kTableSites[i]];
      if (cm == -1)
        cells.emplace_back();
      else if (config.MetricSystem())
        cells.push_back(FormatNumber(config, cm, 2) + " cm");
      else
        cells.push_back(FormatNumber(config, cm / kCmPerInch, 2) + " inches");
    }
    AddDayRow(report, entry->Date, cells);
  }
  report.EndTable();
  report.EndDocument();
  return report;
}

std::string MeasurementsCsv(const TReportRequest& request, TReportSources sources) {
  TCsvTable table([] {
    std::vector<std::string> header{"date"};
    header.insert(header.end(), kSiteFields.begin(), kSiteFields.end());
    return header;
  }());
  for (TDBC* entry : RecordsInPeriod(sources.Store, kMeasureStatKind, request.Period)) {
    const TMeasureStat& m = sources.Store.Loaded<TMeasureStat>(*entry);
    table.BeginRow();
    table.AddText(IsoDateText(entry->Date));
    for (const TMeasureSite site : kTableSites)
      table.AddNumber(m[site] != -1 ? std::optional(m[site]) : std::nullopt);
  }
  return table.Text();
}

}  // namespace korvela
