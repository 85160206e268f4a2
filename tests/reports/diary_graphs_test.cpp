#include "reports/diary_graphs.h"

#include <gtest/gtest.h>

#include "energy/body_records.h"
#include "energy/goal_fixture.h"

namespace korvela {
namespace {

class DiaryGraphsTest : public test::GoalTest {
 protected:
  static constexpr TDateTime kFrom = kToday - 30;
  static constexpr TDateTime kTo = kToday;

  TGraphData Graph(TDiaryGraph graph, bool metric = true, TDateTime from = kFrom,
                   TDateTime to = kTo) {
    return DiaryGraphData(graph, *model, *store, metric, from, to);
  }
  static const TSeriesData& Series(const TGraphData& data, const std::string& name) {
    for (const TSeriesData& s : data.Series)
      if (s.Name == name) return s;
    ADD_FAILURE() << "no series " << name;
    static const TSeriesData none;
    return none;
  }
  void PutRecovery(TDateTime day, double hours, std::int32_t rating) {
    TDBC& entry = store->GetOrCreateDayRecord(kRecoveryStatKind, day);
    TRecoveryStat& r = store->Loaded<TRecoveryStat>(entry);
    r.HSlept = hours;
    r.RColds = 0;
    r.RSleep = r.RApetite = r.REnergy = r.RPerformance = r.RDesire = rating;
    r.RPulse = 1;
    store->SaveDayRecord(entry);
  }
};

TEST_F(DiaryGraphsTest, APeriodWithoutRecordsHasTitlesAndEmptySeries) {
  for (const TDiaryGraphTab& tab : DiaryGraphTabs())
    for (const TDiaryGraph graph : tab.Graphs) {
      const TGraphData data = Graph(graph);
      EXPECT_EQ(data.Title, std::string(DiaryGraphName(graph)) + " Graph");
      EXPECT_FALSE(data.YTitle.empty()) << data.Title;
      ASSERT_FALSE(data.Series.empty()) << data.Title;
      for (const TSeriesData& s : data.Series) EXPECT_TRUE(s.Points.empty()) << s.Name;
    }
  EXPECT_EQ(Graph(TDiaryGraph::Recovery).YTitle, "Score (0-5)");
  EXPECT_EQ(Graph(TDiaryGraph::BodyComposition, false).YTitle, "Weight in LBS");
}

TEST_F(DiaryGraphsTest, NutrientSeriesOfCalorieRecordDays) {
  TCalStat& cal = PutCal(kToday - 3, 80, 1.4f);
  cal.P = 100, cal.F = 50, cal.C = 200, cal.A = 10;
  store->SaveDayRecord(*cal.Owner);
  PutCal(kToday - 40, 80, 1.4f);  // before the period
  const TGraphData calories = Graph(TDiaryGraph::Calories);
  const struct {
    const char* series;
    double value;
  } cases[] = {{"Total Calories", 400 + 450 + 800 + 70},
               {"Protein Calories", 400},
               {"Fat Calories", 450},
               {"Carb Calories", 800}};
  for (const auto& c : cases) {
    const TSeriesData& s = Series(calories, c.series);
    ASSERT_EQ(s.Points.size(), 1u) << c.series;
    EXPECT_EQ(s.Points[0].Day, kToday - 3);
    EXPECT_NEAR(s.Points[0].Value, c.value, 1e-9) << c.series;
  }
  const TGraphData perWeight = Graph(TDiaryGraph::GramsPerWeight, false);
  EXPECT_EQ(perWeight.YTitle, "Nutrient grams per lbs");
  const TSeriesData& protein = Series(perWeight, "Protein grams per lbs");
  ASSERT_EQ(protein.Points.size(), 1u);
  EXPECT_NEAR(protein.Points[0].Value, 100 / (80 * 2.2), 1e-9);
}

TEST_F(DiaryGraphsTest, UnknownProjectedWeightDrawsZeroButNoPerWeightPoint) {
  PutEaten(kToday - 2, 2000);  // a record without a projected weight
  const TGraphData weights = Graph(TDiaryGraph::WeightComparison);
  const TSeriesData& projected = Series(weights, "Projected Weight");
  ASSERT_EQ(projected.Points.size(), 1u);
  EXPECT_EQ(projected.Points[0].Value, 0);
  const TGraphData perWeight = Graph(TDiaryGraph::GramsPerWeight);
  EXPECT_TRUE(Series(perWeight, "Carb grams per kg").Points.empty());
  const TGraphData expenditure = Graph(TDiaryGraph::Expenditure);
  ASSERT_EQ(Series(expenditure, "TDEE").Points.size(), 1u);
  EXPECT_EQ(Series(expenditure, "TDEE").Points[0].Value, 0);
}

TEST_F(DiaryGraphsTest, BodyCompositionSplitsWeighInsWithBodyFat) {
  PutWeighIn(kToday - 10, 80, 20);
  PutWeighIn(kToday - 5, 79);
  const TGraphData data = Graph(TDiaryGraph::BodyComposition, false);
  ASSERT_EQ(Series(data, "Reported Bodyweight").Points.size(), 2u);
  EXPECT_NEAR(Series(data, "Reported Bodyweight").Points[1].Value, 79 * 2.2, 1e-9);
  ASSERT_EQ(Series(data, "Lean Body Mass").Points.size(), 1u);
  EXPECT_NEAR(Series(data, "Lean Body Mass").Points[0].Value, 64 * 2.2, 1e-6);
  EXPECT_NEAR(Series(data, "Fat Mass").Points[0].Value, 16 * 2.2, 1e-6);
}

// A fortnight's weigh-ins from 78.4 to 76.8 kg with the body fat of each.
TEST_F(DiaryGraphsTest, WeighInsShowAsMarksOnAnAxisFittedToTheWeights) {
  for (int d = 0; d <= 14; d += 2)
    PutWeighIn(kToday - 14 + d, 78.4 - d * (1.6 / 14), static_cast<float>(22 - d * 0.1));
  for (const TDiaryGraph graph :
       {TDiaryGraph::BodyComposition, TDiaryGraph::WeightComparison, TDiaryGraph::TrendWeight}) {
    const TGraphData data = Graph(graph, true, kToday - 13, kToday);
    EXPECT_FALSE(data.YFromZero) << data.Title;
    EXPECT_EQ(data.From, kToday - 13);
    EXPECT_EQ(data.To, kToday);
    const TSeriesData& reported = Series(data, "Reported Bodyweight");
    ASSERT_EQ(reported.Points.size(), 7u) << data.Title;
    EXPECT_NEAR(reported.Points.back().Value, 76.8, 1e-9);
    // Over a line of every day the weigh-ins are marks; alone they are joined.
    EXPECT_EQ(reported.Style, graph == TDiaryGraph::BodyComposition ? TSeriesStyle::MarkedLine
                                                                     : TSeriesStyle::Points)
        << data.Title;
  }
  const TGraphData body = Graph(TDiaryGraph::BodyComposition, true, kToday - 13, kToday);
  for (const char* name : {"Lean Body Mass", "Fat Mass"}) {
    const TSeriesData& s = Series(body, name);
    EXPECT_EQ(s.Style, TSeriesStyle::MarkedLine) << name;
    ASSERT_EQ(s.Points.size(), 7u) << name;
  }
  EXPECT_NEAR(Series(body, "Fat Mass").Points.back().Value, 76.8 * 0.206, 1e-5);
  EXPECT_NEAR(Series(body, "Lean Body Mass").Points.back().Value, 76.8 * 0.794, 1e-5);
  // The other graphs stand on 0 at first.
  for (const TDiaryGraph graph :
       {TDiaryGraph::Calories, TDiaryGraph::GramsPerWeight, TDiaryGraph::Recovery})
    EXPECT_TRUE(Graph(graph).YFromZero) << DiaryGraphName(graph);
}

TEST_F(DiaryGraphsTest, GoalWeightJoinsTheProjectedWeightWithTheTarget) {
  PutCal(kFrom - 10, 90, 1.4f);
  PutWeightGoal(kFrom - 10, TWeightGoalType::Lose, 85, kFrom + 20);  // set before, ends inside
  PutCal(kFrom + 5, 84, 1.4f);
  PutWeightGoal(kFrom + 5, TWeightGoalType::Maintain, 84, 0);     // draws nothing
  PutWeightGoal(kFrom + 8, TWeightGoalType::Gain, 90, kTo + 60);  // no calorie record
  PutCal(kFrom - 90, 95, 1.4f);
  PutWeightGoal(kFrom - 90, TWeightGoalType::Lose, 92, kFrom - 60);  // outside the period
  const TGraphData data = Graph(TDiaryGraph::WeightComparison);
  const TSeriesData& goal = Series(data, "Goal Weight");
  ASSERT_EQ(goal.Points.size(), 2u);
  EXPECT_EQ(goal.Points[0].Day, kFrom - 10);
  EXPECT_NEAR(goal.Points[0].Value, 90, 1e-9);
  EXPECT_EQ(goal.Points[1].Day, kFrom + 20);
  EXPECT_NEAR(goal.Points[1].Value, 85, 1e-9);
}

TEST_F(DiaryGraphsTest, TrendWeightFollowsTheWeighInsOfThePeriod) {
  PutWeighIn(kFrom + 1, 80);
  PutWeighIn(kFrom + 3, 90);
  const TGraphData data = Graph(TDiaryGraph::TrendWeight);
  const TSeriesData& trend = Series(data, "Trend Weight");
  ASSERT_EQ(trend.Points.size(), 30u);
  EXPECT_NEAR(trend.Points[1].Value, 80, 1e-9);
  EXPECT_NEAR(trend.Points[2].Value, 81, 1e-9);
  EXPECT_NEAR(trend.Points.back().Value, 81, 1e-9);
  EXPECT_EQ(Series(data, "Reported Bodyweight").Points.size(), 2u);
}

TEST_F(DiaryGraphsTest, RecoveryBarsAreColouredByScore) {
  const struct {
    Extended score;
    TColorValue want;
  } cases[] = {{1.9L, RgbColor(255, 0, 0)},
               {2.0L, RgbColor(245, 200, 103)},
               {3.5L, RgbColor(255, 255, 0)},
               {4.0L, RgbColor(0, 128, 0)}};
  for (const auto& c : cases) EXPECT_EQ(RecoveryColor(c.score), c.want) << c.score;

  PutRecovery(kToday - 4, 9.5, 0);  // a perfect day: 5
  PutRecovery(kToday - 3, 3.5, 4);
  TDBC& partial = store->GetOrCreateDayRecord(kRecoveryStatKind, kToday - 2);
  store->Loaded<TRecoveryStat>(partial).HSlept = 8;  // no score
  store->SaveDayRecord(partial);
  const TGraphData data = Graph(TDiaryGraph::Recovery);
  const TSeriesData& bars = Series(data, "Recovery Score");
  EXPECT_EQ(bars.Style, TSeriesStyle::Bars);
  EXPECT_TRUE(bars.ValueLabels);
  ASSERT_EQ(bars.Points.size(), 2u);
  ASSERT_EQ(bars.Colors.size(), 2u);
  EXPECT_NEAR(bars.Points[0].Value, 5, 1e-9);
  EXPECT_EQ(bars.Colors[0], RecoveryColor(5));
  EXPECT_LT(bars.Points[1].Value, 2);
  EXPECT_EQ(bars.Colors[1], RgbColor(255, 0, 0));
}

}  // namespace
}  // namespace korvela
