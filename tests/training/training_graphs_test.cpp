#include "training/training_graphs.h"

#include <gtest/gtest.h>

#include "training/quantities.h"
#include "training/training_fixture.h"
#include "training/workout.h"

namespace korvela {
namespace {

class TrainingGraphsTest : public test::TrainingTest {
 protected:
  static constexpr TDateTime kDay = 39248;  // 15 June 2007

  TDrillSet Lift(std::int32_t did, std::int32_t sets, const char* reps, const char* weight) {
    TDrillSet d = NewSetLine(config);
    d.DID = did;
    d.Sets = sets;
    d.Reps = reps;
    d.Weight.Q = weight;
    return d;
  }
  TDrillSet Timed(std::int32_t did, std::int32_t seconds, Extended distance = -1,
                  std::int32_t unit = kKm) {
    TDrillSet d = NewSetLine(config);
    d.DID = did;
    d.Dur = seconds;
    d.Dist = {distance, unit};
    return d;
  }
  TWSection Section(std::int32_t reps) {
    TWSection s;
    s.Reps = reps;
    return s;
  }
  void Log(TDateTime day, std::vector<TWLine> lines, std::int32_t minutes = -1) {
    TWorkout w;
    w.Name = "Log";
    w.Date = day;
    w.Dur = minutes;
    w.Lines = std::move(lines);
    AppendWorkoutLog(*store, dictionary, w);
  }
  std::vector<TGraphPoint> Points(TTrainingGraph graph, std::set<std::int32_t> considered,
                                  std::int32_t unit = kKm) {
    return TrainingGraphPoints(*store, dictionary, config, graph, unit, kDay - 10, kDay + 10,
                               considered);
  }
};

TEST_F(TrainingGraphsTest, TwoWorkoutsOnADayMakeOnePointOfTheirSum) {
  Log(kDay, {Lift(bench, 3, "10", "50")}, 30);
  Log(kDay, {Lift(bench, 2, "5", "100")}, 20);
  Log(kDay + 2, {Lift(bench, 1, "8", "60")});
  const std::vector<TGraphPoint> volume = Points(TTrainingGraph::Volume, {bench});
  ASSERT_EQ(volume.size(), 2u);
  EXPECT_EQ(volume[0].Day, kDay);
  EXPECT_NEAR(volume[0].Value, 3 * 10 * 50 + 2 * 5 * 100, 1e-9);
  EXPECT_NEAR(volume[1].Value, 8 * 60, 1e-9);

  const std::vector<TGraphPoint> lifts = Points(TTrainingGraph::TotalLifts, {bench});
  ASSERT_EQ(lifts.size(), 2u);
  EXPECT_NEAR(lifts[0].Value, 40, 1e-9);
  // Density: volume over the minutes of the workouts that have a duration.
  const std::vector<TGraphPoint> density = Points(TTrainingGraph::Density, {bench});
  ASSERT_EQ(density.size(), 1u);
  EXPECT_NEAR(density[0].Value, 2500.0 / 50, 1e-9);
}

TEST_F(TrainingGraphsTest, ARepeatedSectionHoldsAcrossEmptyLinesUntilTheNextHeader) {
  TDrillSet empty = NewSetLine(config);
  Log(kDay, {Section(3), Lift(bench, 1, "10", "50"), empty, Lift(bench, 1, "5", "50"), Section(-1),
             Lift(bench, 1, "2", "50")});
  const std::vector<TGraphPoint> lifts = Points(TTrainingGraph::TotalLifts, {bench});
  ASSERT_EQ(lifts.size(), 1u);
  EXPECT_NEAR(lifts[0].Value, 3 * 10 + 3 * 5 + 2, 1e-9);
}

TEST_F(TrainingGraphsTest, OnlyTheConsideredExercisesCount) {
  Log(kDay, {Lift(bench, 1, "10", "50"), Lift(row, 1, "10", "20")});
  Log(kDay + 1, {Lift(row, 1, "10", "20")});
  const std::vector<TGraphPoint> volume = Points(TTrainingGraph::Volume, {bench});
  ASSERT_EQ(volume.size(), 1u);
  EXPECT_NEAR(volume[0].Value, 500, 1e-9);
  EXPECT_TRUE(Points(TTrainingGraph::Volume, {}).empty());
}

TEST_F(TrainingGraphsTest, TimesPlotAsMinutesWithSecondsAsDecimals) {
  Log(kDay, {Timed(plank, 90)});
  Log(kDay + 1, {Section(2), Timed(plank, 165)});  // 5:30
  const std::vector<TGraphPoint> time = Points(TTrainingGraph::Time, {plank});
  ASSERT_EQ(time.size(), 2u);
  EXPECT_NEAR(time[0].Value, 1.30, 1e-9);
  EXPECT_NEAR(time[1].Value, 5.30, 1e-9);
  EXPECT_NEAR(MinutesDotSeconds(3599.9), 59.59, 1e-9);
}

TEST_F(TrainingGraphsTest, DistancePaceAndSpeedInTheChosenUnit) {
  Log(kDay, {Timed(run, 1500, 5000, kMeter), Timed(jump, -1, 0.5, kKm)});
  const struct {
    TTrainingGraph graph;
    std::int32_t unit;
    Extended want;
  } cases[] = {
      {TTrainingGraph::Distance, kKm, 5.5},
      {TTrainingGraph::Distance, kMeter, 5500},
      {TTrainingGraph::Pace, kKm, 4.32},  // 1500 s / 5.5 km: 272 s a km
      {TTrainingGraph::Speed, kKm, 5.5 / (1500.0 / 3600)},
  };
  for (const auto& c : cases) {
    const std::vector<TGraphPoint> points = Points(c.graph, {run, jump}, c.unit);
    ASSERT_EQ(points.size(), 1u);
    EXPECT_NEAR(points[0].Value, c.want, 1e-6) << static_cast<int>(c.graph);
  }
  // A distance without a time gives no pace.
  EXPECT_TRUE(Points(TTrainingGraph::Pace, {jump}).empty());
}

TEST_F(TrainingGraphsTest, AverageOneRMIsWeightedByLifts) {
  Log(kDay, {Lift(bench, 1, "10", "70%1RM"), Lift(bench, 1, "5", "85%1RM")});
  const std::vector<TGraphPoint> points = Points(TTrainingGraph::OneRM, {bench});
  ASSERT_EQ(points.size(), 1u);
  EXPECT_NEAR(points[0].Value, (10 * 70 + 5 * 85) / 15.0, 1e-6);
}

TEST_F(TrainingGraphsTest, PeriodExercisesInOrderOfFirstUse) {
  Log(kDay - 20, {Lift(pullup, 1, "5", "")});
  Log(kDay, {Lift(row, 1, "10", "20"), Lift(bench, 1, "10", "50")});
  Log(kDay + 1, {Lift(bench, 1, "10", "50"), Timed(plank, 30)});
  EXPECT_EQ(PeriodExercises(*store, kDay - 10, kDay + 10),
            (std::vector<std::int32_t>{row, bench, plank}));
  EXPECT_EQ(ExerciseListTitle(kDay, kDay + 16), "Exercises done from 15 June 2007 to 1 July 2007");
  EXPECT_EQ(ExerciseListTitle(kDay + 1, kDay), "Exercises");
}

TEST_F(TrainingGraphsTest, TitlesFollowTheUnits) {
  EXPECT_EQ(TrainingGraphLook(TTrainingGraph::Volume, false, kMile).YTitle, "lbs");
  EXPECT_EQ(TrainingGraphLook(TTrainingGraph::Density, true, kMile).YTitle, "kg per min");
  EXPECT_EQ(TrainingGraphLook(TTrainingGraph::Distance, true, kKm).YTitle, "Distance in km");
  EXPECT_EQ(TrainingGraphLook(TTrainingGraph::Pace, true, kYard).YTitle, "Minutes per yards");
  EXPECT_EQ(TrainingGraphLook(TTrainingGraph::Speed, true, kMile).YTitle, " miles per hour");
  EXPECT_TRUE(TrainingGraphLook(TTrainingGraph::Time, true, kKm).Bars);
  EXPECT_FALSE(TrainingGraphLook(TTrainingGraph::Pace, true, kKm).Bars);
}

}  // namespace
}  // namespace korvela
