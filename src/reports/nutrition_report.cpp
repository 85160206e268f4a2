#include <array>

#include "energy/cal_stat.h"
#include "reports/report_parts.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

// The figures of a day with a calorie record; -1 where the model cannot
// compute one.
struct TNutritionDay {
  TDateTime Day = 0;
  Extended Eaten = 0;
  Extended RMR = -1;
  Extended PAL = -1;  // daily physical activity and exercise
  Extended TDEE = -1;
  Extended Balance = 0;
  std::array<double, 3> Grams{};  // protein, fat, carbohydrate
  double Alcohol = 0;
  double PW = -1;
};

constexpr std::array<int, 3> kCaloriesPerGram = {4, 9, 4};

std::vector<TNutritionDay> NutritionDays(const TReportPeriod& period, TReportSources sources) {
  std::vector<TNutritionDay> days;
  for (TDBC* entry : RecordsInPeriod(sources.Store, kCalStatKind, period)) {
    TCalStat& cal = sources.Store.Loaded<TCalStat>(*entry);
    TNutritionDay d;
    d.Day = entry->Date;
    // The expenditure first: it gives a record of the projection window that
    // has no activity coefficient the current one, so that every figure of
    // the day uses the same coefficient.
    d.TDEE = sources.Model.TotalDailyExpenditure(cal);
    d.Eaten = EatenCalories(cal);
    d.RMR = sources.Model.RestingMetabolicRate(cal);
    const Extended activity = sources.Model.DailyPhysicalActivity(cal);
    const Extended exercise = sources.Model.ExerciseCalories(cal);
    d.PAL = activity == -1 || exercise == -1 ? -1 : activity + exercise;
    d.Balance = sources.Model.CalorieBalance(cal);
    d.Grams = {cal.P, cal.F, cal.C};
    d.Alcohol = cal.A;
    d.PW = cal.PW;
    days.push_back(d);
  }
  return days;
}

// A figure averaged over the days that had one.
struct TAverage {
  Extended Sum = 0;
  int Count = 0;
  void Add(Extended value) {
    Sum += value;
    ++Count;
  }
  Extended Value() const { return Sum / Count; }
};

}  // namespace

TMyReport NutritionReport(const TReportRequest& request, TReportSources sources) {
  const TConfigurator& config = sources.Config;
  const double factor = WeightFactor(config);
  const std::string perWeight = config.MetricSystem() ? "(gr. per kg)" : "(gr. per lbs)";
  const auto number = [&](Extended value, int decimals) {
    return FormatNumber(config, static_cast<double>(value), decimals);
  };
  const auto known = [&](Extended value) {
    return value != -1 ? number(value, 0) : std::string(kNotAvailable);
  };

  TMyReport report = BeginDiaryReport(request, config);
  TAverage eaten, rmr, pal, tdee;
  std::array<TAverage, 3> grams, perBodyweight;
  for (const TNutritionDay& d : NutritionDays(request.Period, sources)) {
    const bool ate = d.Eaten != 0;
    std::vector<std::string> cells;
    if (IsTicked(request, 0)) cells.push_back(ate ? number(d.Eaten, 0) : std::string(kNotReported));
    if (IsTicked(request, 1)) cells.push_back(known(d.RMR));
    if (IsTicked(request, 2)) cells.push_back(known(d.PAL));
    if (IsTicked(request, 3)) cells.push_back(known(d.TDEE));
    if (ate) eaten.Add(d.Eaten);
    if (d.RMR != -1) rmr.Add(d.RMR);
    if (d.PAL != -1) pal.Add(d.PAL);
    if (d.TDEE != -1) tdee.Add(d.TDEE);
    for (std::size_t n = 0; n < 3; ++n) {
      if (!IsTicked(request, 4 + n)) continue;
      if (!ate) {
        cells.emplace_back(kNotReported);
        continue;
      }
      const Extended g = d.Grams[n];
      const Extended calories = g * kCaloriesPerGram[n];
      cells.push_back(number(g, 0) + "(gr), " + number(calories, 0) + "(cal), " +
                      number(calories / d.Eaten * 100, 0) + "%");
    }
    for (std::size_t n = 0; n < 3; ++n) {
      if (ate) grams[n].Add(d.Grams[n]);
      if (!IsTicked(request, 7 + n)) continue;
      if (!ate) {
        cells.emplace_back(kNotReported);
      } else if (d.PW <= 0) {
        cells.emplace_back(kNotAvailable);
      } else {
        const Extended value = d.Grams[n] / (d.PW * factor);
        perBodyweight[n].Add(value);
        cells.push_back(number(value, 1) + perWeight);
      }
    }
    AddDayRow(report, d.Day, cells);
  }

  AddPeriodHeaderRow(report, request, config);
  const auto average = [&](const TAverage& a) {
    return a.Count ? number(a.Value(), 0) : std::string(kNotAvailable);
  };
  std::vector<std::string> cells;
  if (IsTicked(request, 0)) cells.push_back(average(eaten));
  if (IsTicked(request, 1)) cells.push_back(average(rmr));
  if (IsTicked(request, 2)) cells.push_back(average(pal));
  if (IsTicked(request, 3)) cells.push_back(average(tdee));
  // The shares are of the average of the "Eaten" column, none when it is not
  // shown.
  const Extended e = IsTicked(request, 0) && eaten.Count ? eaten.Value() : 0;
  for (std::size_t n = 0; n < 3; ++n) {
    if (!IsTicked(request, 4 + n)) continue;
    if (!grams[n].Count) {
      cells.emplace_back(kNotAvailable);
      continue;
    }
    const Extended g = grams[n].Value();
    const Extended calories = g * kCaloriesPerGram[n];
    std::string cell = number(g, 0) + "(gr), " + number(calories, 0) + "(cal)";
    if (e > 0) cell += ", " + number(calories / e * 100, 0) + "%";
    cells.push_back(cell);
  }
  for (std::size_t n = 0; n < 3; ++n) {
    if (!IsTicked(request, 7 + n)) continue;
    cells.push_back(perBodyweight[n].Count ? number(perBodyweight[n].Value(), 1) + " " + perWeight
                                           : std::string(kNotAvailable));
  }
  AddPeriodRow(report, PeriodText(request.Period), cells);
  report.EndTable();
  report.EndDocument();
  return report;
}

std::string NutritionCsv(const TReportRequest& request, TReportSources sources) {
  TCsvTable table({"date", "eaten_kcal", "rmr_kcal", "activity_kcal", "tdee_kcal", "balance_kcal",
                   "protein_g", "fat_g", "carbs_g", "alcohol_g", "projected_weight_kg"});
  const auto known = [](Extended value) {
    return value != -1 ? std::optional<double>(static_cast<double>(value)) : std::nullopt;
  };
  for (const TNutritionDay& d : NutritionDays(request.Period, sources)) {
    const bool ate = d.Eaten != 0;
    const auto eaten = [&](double value) { return ate ? std::optional(value) : std::nullopt; };
    table.BeginRow();
    table.AddText(IsoDateText(d.Day));
    table.AddNumber(eaten(static_cast<double>(d.Eaten)));
    table.AddNumber(known(d.RMR));
    table.AddNumber(known(d.PAL));
    table.AddNumber(known(d.TDEE));
    // The balance is only known with food and an expenditure.
    table.AddNumber(ate && d.TDEE != -1 ? std::optional(static_cast<double>(d.Balance))
                                        : std::nullopt);
    for (const double g : d.Grams) table.AddNumber(eaten(g));
    table.AddNumber(eaten(d.Alcohol));
    table.AddNumber(d.PW > 0 ? std::optional(d.PW) : std::nullopt);
  }
  return table.Text();
}

}  // namespace korvela
