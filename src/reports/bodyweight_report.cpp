#include "energy/cal_stat.h"
#include "energy/goals.h"
#include "energy/weight_stat.h"
#include "reports/report_parts.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// What the bodyweight report knows of a day; -1 where nothing is known.
struct TBodyweightDay {
  TDateTime Day = 0;
  double Weight = -1;     // kg, the day's weigh-in
  float BodyFat = -1;     // percent
  double Projected = -1;  // kg
  TWeightGoalType Goal = TWeightGoalType::None;
  double GoalWeight = -1;  // kg
};

// The newest weight goal that applies to each day, walked day by day: the
// goals of a kind are few, the days many.
class TGoalFinder {
 public:
  explicit TGoalFinder(TDayRecordStore& store) : store_(store) {}

  TWeightGoalStat* GoalOf(TDateTime day) {
    const auto& list = store_.List(kWeightGoalStatKind);
    while (next_ < list.size() && list[next_]->Date <= day) ++next_;
    for (std::size_t i = next_; i-- > 0;) {
      TWeightGoalStat& goal = store_.Loaded<TWeightGoalStat>(*list[i]);
      if (goal.WeightGoalType == TWeightGoalType::None) continue;
      if (AppliesTo(TWeightGoalRef{&goal, list[i]->Date}, day)) return &goal;
    }
    return nullptr;
  }

 private:
  TDayRecordStore& store_;
  std::size_t next_ = 0;
};

std::vector<TBodyweightDay> BodyweightDays(const TReportPeriod& period, TDayRecordStore& store) {
  std::vector<TBodyweightDay> days;
  TGoalFinder goals(store);
  for (TDateTime day = DayOf(period.From); day <= DayOf(period.To); day += 1) {
    TBodyweightDay d;
    d.Day = day;
    if (TDBC* entry = store.FindDayRecord(kWeightStatKind, day)) {
      const TWeightStat& w = store.Loaded<TWeightStat>(*entry);
      d.Weight = w.W;
      d.BodyFat = w.BFP;
    }
    if (TDBC* entry = store.FindDayRecord(kCalStatKind, day))
      d.Projected = store.Loaded<TCalStat>(*entry).PW;
    if (const TWeightGoalStat* goal = goals.GoalOf(day)) {
      d.Goal = goal->WeightGoalType;
      d.GoalWeight = goal->TargetWeight;
    }
    days.push_back(d);
  }
  return days;
}

std::string GoalPrefix(TWeightGoalType type) {
  switch (type) {
    case TWeightGoalType::Lose:
      return "(lose weight to) ";
    case TWeightGoalType::Maintain:
      return "(maintain weight) ";
    case TWeightGoalType::Gain:
      return "(gain weight to) ";
    case TWeightGoalType::None:
      break;
  }
  return {};
}

std::string GoalWord(TWeightGoalType type) {
  switch (type) {
    case TWeightGoalType::Lose:
      return "lose";
    case TWeightGoalType::Maintain:
      return "maintain";
    case TWeightGoalType::Gain:
      return "gain";
    case TWeightGoalType::None:
      break;
  }
  return {};
}

std::optional<double> Known(double value) {
  return value != -1 ? std::optional(value) : std::nullopt;
}

}  // namespace

TMyReport BodyweightReport(const TReportRequest& request, TReportSources sources) {
  const TConfigurator& config = sources.Config;
  const double factor = WeightFactor(config);
  const std::string unit = WeightSuffix(config);
  TMyReport report = BeginDiaryReport(request, config);
  for (const TBodyweightDay& d : BodyweightDays(request.Period, sources.Store)) {
    const bool weighed = d.Weight != -1;
    const bool bodyFat = weighed && d.BodyFat != -1;
    std::vector<std::string> cells;
    if (IsTicked(request, 0))
      cells.push_back(weighed ? FormatNumber(config, d.Weight * factor, 1) + unit : std::string());
    if (IsTicked(request, 1))
      cells.push_back(d.Goal == TWeightGoalType::None
                          ? std::string("Not Set")
                          : GoalPrefix(d.Goal) + FormatNumber(config, d.GoalWeight * factor, 1) +
                                unit);
    if (IsTicked(request, 2))
      cells.push_back(d.Projected != -1 ? FormatNumber(config, d.Projected * factor, 2) + unit
                                        : std::string(kNotAvailable));
    if (IsTicked(request, 3))
      cells.push_back(bodyFat ? FormatNumber(config, d.BodyFat, 2) + "%" : std::string());
    if (IsTicked(request, 4))
      cells.push_back(
          bodyFat ? FormatNumber(config, (100 - d.BodyFat) * d.Weight * factor / 100, 2) + unit
                  : std::string());
    if (IsTicked(request, 5))
      cells.push_back(bodyFat ? FormatNumber(config, d.BodyFat * d.Weight * factor / 100, 2) + unit
                              : std::string());
    AddDayRow(report, d.Day, cells);
  }
  report.EndTable();
  report.EndDocument();
  return report;
}

std::string BodyweightCsv(const TReportRequest& request, TReportSources sources) {
  TCsvTable table({"date", "weight_kg", "body_fat_pct", "lean_mass_kg", "fat_mass_kg",
                   "projected_weight_kg", "goal", "goal_weight_kg"});
  for (const TBodyweightDay& d : BodyweightDays(request.Period, sources.Store)) {
    const bool bodyFat = d.Weight != -1 && d.BodyFat != -1;
    table.BeginRow();
    table.AddText(IsoDateText(d.Day));
    table.AddNumber(Known(d.Weight));
    table.AddFloat(bodyFat ? std::optional(d.BodyFat) : std::nullopt);
    table.AddNumber(bodyFat ? std::optional((100 - d.BodyFat) * d.Weight / 100) : std::nullopt);
    table.AddNumber(bodyFat ? std::optional(d.BodyFat * d.Weight / 100) : std::nullopt);
    table.AddNumber(Known(d.Projected));
    table.AddText(GoalWord(d.Goal));
    table.AddNumber(d.Goal == TWeightGoalType::None ? std::nullopt : std::optional(d.GoalWeight));
  }
  return table.Text();
}

}  // namespace korvela
