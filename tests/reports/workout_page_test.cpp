#include "reports/workout_page.h"

#include <gtest/gtest.h>

#include "training/training_fixture.h"
#include "training/workout_columns.h"

namespace korvela {
namespace {

class WorkoutPageTest : public test::TrainingTest {};

TEST_F(WorkoutPageTest, PageHoldsTheVisibleColumnsSectionsAndTotals) {
  TWorkout w;
  w.Name = "Heavy <day>";
  w.Date = 39248;
  w.Notes = "<b>heavy</b>";
  w.Dur = 50;
  w.ColMap = TColMap::Default();
  w.ColMap.Cols[kTUTColumn].HIDDEN = 1;
  TWorkoutGrid grid({config, dictionary, store.get(), false}, w, w.ColMap);
  grid.InsertSection(0);
  grid.ApplyExercise(1, bench, kNoLimb);
  grid.Commit(1, kRepsColumn, "10");
  grid.Commit(1, kWeightColumn, "100");
  grid.Commit(1, kNotesColumn - 1, "slow & low");  // TUT hidden: notes moved left

  const std::string page = WorkoutPage(grid, dictionary, false, false).Text();
  EXPECT_NE(page.find("Heavy &lt;day&gt;"), std::string::npos);
  EXPECT_NE(page.find("&lt;b&gt;heavy&lt;/b&gt;<br>"), std::string::npos);
  EXPECT_NE(page.find("table_subheader"), std::string::npos);
  EXPECT_NE(page.find(">A New Section<"), std::string::npos);
  EXPECT_NE(page.find(">1000 kg<"), std::string::npos);  // the line's volume
  EXPECT_NE(page.find(">slow &amp; low<"), std::string::npos);
  EXPECT_EQ(page.find(">TUT<"), std::string::npos);
  EXPECT_NE(page.find(">Number of Lifts<"), std::string::npos);
  EXPECT_NE(page.find(">20 kg/min<"), std::string::npos);  // 1000 kg in 50 minutes
  EXPECT_EQ(page.find("Exercise Information"), std::string::npos);

  const std::string withDrills = WorkoutPage(grid, dictionary, true, false).Text();
  EXPECT_NE(withDrills.find("Exercise Information"), std::string::npos);
  EXPECT_NE(withDrills.find(">Bench Press<"), std::string::npos);
  EXPECT_NE(withDrills.find(">N/A<"), std::string::npos);  // no picture
}

}  // namespace
}  // namespace korvela
