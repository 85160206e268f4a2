#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "energy/color_value.h"
#include "energy/energy_model.h"
#include "energy/extended.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "training/training_graphs.h"

namespace korvela {

// The graphs of the nutrition, bodyweight and recovery records.
enum class TDiaryGraph {
  Calories = 0,
  Grams,
  Expenditure,
  RestingRate,
  GramsPerWeight,
  BodyComposition,
  WeightComparison,
  TrendWeight,
  Recovery,
};

// A tab of the graph screen and its graphs, in list order.
struct TDiaryGraphTab {
  std::string_view Name;
  std::vector<TDiaryGraph> Graphs;
};
const std::vector<TDiaryGraphTab>& DiaryGraphTabs();
// "Protein/Fats/Carbs/Total Calories", ...
std::string_view DiaryGraphName(TDiaryGraph graph);

// How a series is drawn: a line, a line with a mark on each value (for
// values a few days apart, which a bare line would hide when there is only
// one), marks alone (drawn over the lines), or bars.
enum class TSeriesStyle { Line, MarkedLine, Points, Bars };

// One drawn series. A bar series may colour each bar and show its value.
struct TSeriesData {
  std::string Name;
  TSeriesStyle Style = TSeriesStyle::Line;
  std::vector<TGraphPoint> Points;
  std::vector<TColorValue> Colors;  // one per point, or empty for the series' colour
  bool ValueLabels = false;
};

// A graph of the days From to To (both included). YFromZero: whether its
// y axis starts at 0 unless the user chooses otherwise; weights are fitted
// so that a loss of a kilogram shows.
struct TGraphData {
  std::string Title;
  std::string YTitle;
  std::vector<TSeriesData> Series;
  TDateTime From = 0;
  TDateTime To = 0;
  bool YFromZero = true;
};

// Whether the y axis of a graph starts at 0 at first: not for the weights.
bool DiaryGraphFromZero(TDiaryGraph graph);

// The colour of a recovery score's bar: red below 2, orange below 3,
// yellow below 4, green from 4.
TColorValue RecoveryColor(Extended score);

// The series of a graph over the days from ... to (both included), weights in
// the user's unit. Days without the record a series needs give it no point.
TGraphData DiaryGraphData(TDiaryGraph graph, TEnergyModel& model, TDayRecordStore& store,
                          bool metric, TDateTime from, TDateTime to);

}  // namespace korvela
