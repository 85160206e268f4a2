#include "reports/diary_graphs.h"

#include <algorithm>

#include "energy/body_records.h"
#include "energy/cal_stat.h"
#include "energy/goal_records.h"
#include "energy/trend_weight.h"
#include "energy/weight_stat.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

struct TNamed {
  TDiaryGraph graph;
  std::string_view name;
};
constexpr TNamed kNames[] = {
    {TDiaryGraph::Calories, "Protein/Fats/Carbs/Total Calories"},
    {TDiaryGraph::Grams, "Protein/Fats/Carbs grams"},
    {TDiaryGraph::Expenditure, "TDEE/Calories Burned by Exercise/Calories Eaten"},
    {TDiaryGraph::RestingRate, "Resting Metabolic Rate/TDEE"},
    {TDiaryGraph::GramsPerWeight, "Protein/Fats/Carbs grams per bodyweight"},
    {TDiaryGraph::BodyComposition, "Body Composition"},
    {TDiaryGraph::WeightComparison, "Reported vs Projected vs Goal Weight"},
    {TDiaryGraph::TrendWeight, "Trend Weight"},
    {TDiaryGraph::Recovery, "Recovery"},
};

// The entries of a kind whose day lies in from ... to, in day order.
std::vector<TDBC*> EntriesIn(TDayRecordStore& store, std::int32_t kind, TDateTime from,
                             TDateTime to) {
  std::vector<TDBC*> entries;
  for (const auto& entry : store.List(kind)) {
    const TDateTime day = DayOf(entry->Date);
    if (day >= from && day <= to) entries.push_back(entry.get());
  }
  return entries;
}

Extended AtLeastZero(Extended value) { return value < 0 ? 0 : value; }

TSeriesData Line(std::string name, TSeriesStyle style = TSeriesStyle::Line) {
  return {std::move(name), style, {}, {}, false};
}

void AddCalorieSeries(TGraphData& data, TDiaryGraph graph, TEnergyModel& model,
                      TDayRecordStore& store, double f, TDateTime from, TDateTime to) {
  const std::string unit = f == 1 ? "kg" : "lbs";
  std::vector<std::string> names;
  switch (graph) {
    case TDiaryGraph::Calories:
      names = {"Total Calories", "Protein Calories", "Fat Calories", "Carb Calories"};
      break;
    case TDiaryGraph::Grams:
      names = {"Protein Grams", "Fat Grams", "Carb Grams"};
      break;
    case TDiaryGraph::Expenditure:
      names = {"TDEE", "Burned by Exercise", "Eaten"};
      break;
    case TDiaryGraph::RestingRate:
      names = {"TDEE", "Resting Metabolic Rate"};
      break;
    case TDiaryGraph::GramsPerWeight:
      names = {"Protein grams per " + unit, "Fat grams per " + unit, "Carb grams per " + unit};
      break;
    default:
      return;
  }
  for (std::string& name : names) data.Series.push_back(Line(std::move(name)));
  auto add = [&data](std::size_t series, TDateTime day, Extended value) {
    data.Series[series].Points.push_back({day, value});
  };
  for (TDBC* entry : EntriesIn(store, kCalStatKind, from, to)) {
    const TDateTime day = DayOf(entry->Date);
    TCalStat& cal = store.Loaded<TCalStat>(*entry);
    switch (graph) {
      case TDiaryGraph::Calories:
        add(0, day, EatenCalories(cal));
        add(1, day, 4 * cal.P);
        add(2, day, 9 * cal.F);
        add(3, day, 4 * cal.C);
        break;
      case TDiaryGraph::Grams:
        add(0, day, cal.P);
        add(1, day, cal.F);
        add(2, day, cal.C);
        break;
      case TDiaryGraph::Expenditure:
        add(0, day, AtLeastZero(model.TotalDailyExpenditure(cal)));
        add(1, day, model.ExerciseCalories(cal));
        add(2, day, EatenCalories(cal));
        break;
      case TDiaryGraph::RestingRate:
        add(0, day, AtLeastZero(model.TotalDailyExpenditure(cal)));
        add(1, day, AtLeastZero(model.RestingMetabolicRate(cal)));
        break;
      case TDiaryGraph::GramsPerWeight:
        if (cal.PW > 0) {
          const Extended weight = cal.PW * f;
          add(0, day, cal.P / weight);
          add(1, day, cal.F / weight);
          add(2, day, cal.C / weight);
        }
        break;
      default:
        break;
    }
  }
}

std::vector<TDayWeight> WeighIns(TDayRecordStore& store, TDateTime from, TDateTime to, double f) {
  std::vector<TDayWeight> weighIns;
  for (TDBC* entry : EntriesIn(store, kWeightStatKind, from, to))
    weighIns.push_back({DayOf(entry->Date), store.Loaded<TWeightStat>(*entry).W * f});
  return weighIns;
}

// The weigh-ins as marks: over a projected or smoothed line they stay seen.
TSeriesData ReportedSeries(const std::vector<TDayWeight>& weighIns) {
  TSeriesData reported = Line("Reported Bodyweight", TSeriesStyle::Points);
  for (const TDayWeight& w : weighIns) reported.Points.push_back({w.Day, w.Weight});
  return reported;
}

// Each lose or gain goal touching the period joins the projected weight on
// its day with its target weight on its target date. A maintenance goal has
// no target date and draws nothing.
TSeriesData GoalSeries(TDayRecordStore& store, double f, TDateTime from, TDateTime to) {
  TSeriesData goal = Line("Goal Weight");
  for (const auto& entry : store.List(kWeightGoalStatKind)) {
    const TWeightGoalStat& g = store.Loaded<TWeightGoalStat>(*entry);
    if (g.WeightGoalType != TWeightGoalType::Lose && g.WeightGoalType != TWeightGoalType::Gain)
      continue;
    const TDateTime day = DayOf(entry->Date);
    const TDateTime target = DayOf(g.TargetDate);
    const bool touches = (day >= from && day <= to) || (target >= from && target <= to);
    if (!touches) continue;
    TDBC* cal = store.FindDayRecord(kCalStatKind, day);
    if (!cal) continue;
    goal.Points.push_back({target, g.TargetWeight * f});
    goal.Points.push_back({day, AtLeastZero(store.Loaded<TCalStat>(*cal).PW * f)});
  }
  std::stable_sort(goal.Points.begin(), goal.Points.end(),
                   [](const TGraphPoint& a, const TGraphPoint& b) { return a.Day < b.Day; });
  return goal;
}

}  // namespace

const std::vector<TDiaryGraphTab>& DiaryGraphTabs() {
  static const std::vector<TDiaryGraphTab> tabs = {
      {"Nutrition",
       {TDiaryGraph::Calories, TDiaryGraph::Grams, TDiaryGraph::Expenditure,
        TDiaryGraph::RestingRate, TDiaryGraph::GramsPerWeight}},
      {"Bodyweight",
       {TDiaryGraph::BodyComposition, TDiaryGraph::WeightComparison, TDiaryGraph::TrendWeight}},
      {"Recovery", {TDiaryGraph::Recovery}},
  };
  return tabs;
}

std::string_view DiaryGraphName(TDiaryGraph graph) {
  for (const TNamed& n : kNames)
    if (n.graph == graph) return n.name;
  return {};
}

bool DiaryGraphFromZero(TDiaryGraph graph) {
  return graph != TDiaryGraph::BodyComposition && graph != TDiaryGraph::WeightComparison &&
         graph != TDiaryGraph::TrendWeight;
}

TColorValue RecoveryColor(Extended score) {
  if (score < 2) return RgbColor(255, 0, 0);
  if (score < 3) return RgbColor(245, 200, 103);
  if (score < 4) return RgbColor(255, 255, 0);
  return RgbColor(0, 128, 0);
}

TGraphData DiaryGraphData(TDiaryGraph graph, TEnergyModel& model, TDayRecordStore& store,
                          bool metric, TDateTime from, TDateTime to) {
  from = DayOf(from);
  to = DayOf(to);
  const double f = metric ? 1 : kPoundsPerKg;
  const std::string weightTitle = metric ? "Weight in KG" : "Weight in LBS";
  TGraphData data;
  data.Title = std::string(DiaryGraphName(graph)) + " Graph";
  data.From = from;
  data.To = to;
  data.YFromZero = DiaryGraphFromZero(graph);
  switch (graph) {
    case TDiaryGraph::Calories:
    case TDiaryGraph::Expenditure:
    case TDiaryGraph::RestingRate:
      data.YTitle = "Calories";
      AddCalorieSeries(data, graph, model, store, f, from, to);
      break;
    case TDiaryGraph::Grams:
      data.YTitle = "Grams of Ingredient";
      AddCalorieSeries(data, graph, model, store, f, from, to);
      break;
    case TDiaryGraph::GramsPerWeight:
      data.YTitle = metric ? "Nutrient grams per kg" : "Nutrient grams per lbs";
      AddCalorieSeries(data, graph, model, store, f, from, to);
      break;
    case TDiaryGraph::BodyComposition: {
      data.YTitle = weightTitle;
      TSeriesData reported = Line("Reported Bodyweight", TSeriesStyle::MarkedLine),
                  lean = Line("Lean Body Mass", TSeriesStyle::MarkedLine),
                  fat = Line("Fat Mass", TSeriesStyle::MarkedLine);
      for (TDBC* entry : EntriesIn(store, kWeightStatKind, from, to)) {
        const TDateTime day = DayOf(entry->Date);
        const TWeightStat& w = store.Loaded<TWeightStat>(*entry);
        reported.Points.push_back({day, w.W * f});
        if (w.BFP != -1) {
          lean.Points.push_back({day, (100 - w.BFP) * w.W * f / 100});
          fat.Points.push_back({day, w.BFP * w.W * f / 100});
        }
      }
      data.Series = {std::move(reported), std::move(lean), std::move(fat)};
      break;
    }
    case TDiaryGraph::WeightComparison: {
      data.YTitle = weightTitle;
      TSeriesData projected = Line("Projected Weight");
      for (TDBC* entry : EntriesIn(store, kCalStatKind, from, to))
        projected.Points.push_back(
            {DayOf(entry->Date), AtLeastZero(store.Loaded<TCalStat>(*entry).PW * f)});
      data.Series = {ReportedSeries(WeighIns(store, from, to, f)), std::move(projected),
                     GoalSeries(store, f, from, to)};
      break;
    }
    case TDiaryGraph::TrendWeight: {
      data.YTitle = weightTitle;
      const std::vector<TDayWeight> weighIns = WeighIns(store, from, to, f);
      TSeriesData trend = Line("Trend Weight");
      for (const TDayWeight& t : TrendWeights(weighIns, from, to))
        trend.Points.push_back({t.Day, t.Weight});
      data.Series = {ReportedSeries(weighIns), std::move(trend)};
      break;
    }
    case TDiaryGraph::Recovery: {
      data.YTitle = "Score (0-5)";
      TSeriesData bars{"Recovery Score", TSeriesStyle::Bars, {}, {}, true};
      for (TDBC* entry : EntriesIn(store, kRecoveryStatKind, from, to)) {
        const Extended score = RecoveryScore(store.Loaded<TRecoveryStat>(*entry));
        if (score == -1) continue;
        bars.Points.push_back({DayOf(entry->Date), score});
        bars.Colors.push_back(RecoveryColor(score));
      }
      data.Series = {std::move(bars)};
      break;
    }
  }
  return data;
}

}  // namespace korvela
