#include <gtest/gtest.h>

#include "energy/goal_records.h"
#include "energy/goals.h"
#include "goal_fixture.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

std::unique_ptr<XMLNode> ParseText(const std::string& text) {
  return XMLNode::Parse(text.data(), text.size());
}

TEST(GoalRecordForm, ConstraintsAreChildrenWithTheirAttributesInOrder) {
  TDietCompStat diet(nullptr);
  diet.Constraints = {
      {TNutrient::Protein, TQualifier::AtLeast, 3.3, TMeasurement::GramsPerKg, 5},
      {TNutrient::Carbs, TQualifier::AtMost, 60, TMeasurement::PercentOfCalories, 5}};
  const std::string text = diet.Write()->ToText();
  EXPECT_EQ(text,
            "<SDietComp>\r\n"
            "<Constraint Nutrient=\"0\" Qualifier=\"0\" Quantity=\" 3.30000000000000E+0000\""
            " Measurement=\"2\" ErrorAllowance=\" 5.00000000000000E+0000\">\r\n"
            "</Constraint>\r\n"
            "<Constraint Nutrient=\"2\" Qualifier=\"2\" Quantity=\" 6.00000000000000E+0001\""
            " Measurement=\"3\" ErrorAllowance=\" 5.00000000000000E+0000\">\r\n"
            "</Constraint>\r\n"
            "</SDietComp>\r\n");
  TDietCompStat read(nullptr);
  read.Read(*ParseText(text));
  EXPECT_EQ(read.Constraints, diet.Constraints);
}

TEST(GoalRecordForm, EveryChildIsAConstraintButUnknownCodesAreLeftOut) {
  TDietCompStat read(nullptr);
  read.Read(*ParseText(
      "<SDietComp>"
      "<X Nutrient=\"1\" Qualifier=\"1\" Quantity=\"30\" Measurement=\"3\" "
      "ErrorAllowance=\"2\"></X>"
      "<Constraint Nutrient=\"3\" Qualifier=\"0\" Quantity=\"1\" Measurement=\"0\"></Constraint>"
      "<Constraint Nutrient=\"0\" Qualifier=\"-1\" Quantity=\"1\" Measurement=\"0\"></Constraint>"
      "<Constraint Nutrient=\"2\" Qualifier=\"0\" Quantity=\"1\" Measurement=\"4\"></Constraint>"
      "</SDietComp>"));
  ASSERT_EQ(read.Constraints.size(), 1u);
  EXPECT_EQ(read.Constraints[0], (TDietConstraint{TNutrient::Fats, TQualifier::Exactly, 30,
                                                  TMeasurement::PercentOfCalories, 2}));
}

TEST(GoalRecordForm, WeightGoalAttributesInOrderAndNewGoalValues) {
  EXPECT_EQ(TWeightGoalStat(nullptr).Write()->ToText(),
            "<SWeightGoal WeightGoalType=\"-1\" TargetWeight=\" 0.00000000000000E+0000\""
            " TargetDate=\" 0.00000000000000E+0000\">\r\n"
            "</SWeightGoal>\r\n");
  TWeightGoalStat goal(nullptr);
  goal.WeightGoalType = TWeightGoalType::Gain;
  goal.TargetWeight = 82.5;
  goal.TargetDate = EncodeDate(2007, 7, 19);
  TWeightGoalStat read(nullptr);
  read.Read(*ParseText(goal.Write()->ToText()));
  EXPECT_EQ(read.WeightGoalType, TWeightGoalType::Gain);
  EXPECT_EQ(read.TargetWeight, 82.5);
  EXPECT_EQ(read.TargetDate, EncodeDate(2007, 7, 19));

  read.Read(*ParseText("<SWeightGoal WeightGoalType=\"7\"></SWeightGoal>"));
  EXPECT_EQ(read.WeightGoalType, TWeightGoalType::None);
}

class GoverningGoals : public test::GoalTest {};

TEST_F(GoverningGoals, BothKindsAreStoredUnderTheirKindsAndReadBack) {
  PutDietComp(kToday,
              {{TNutrient::Fats, TQualifier::AtMost, 30, TMeasurement::PercentOfCalories, 5}});
  PutWeightGoal(kToday, TWeightGoalType::Lose, 75, kToday + 60);
  Reopen();
  ASSERT_EQ(store->List(kDietCompStatKind).size(), 1u);
  ASSERT_EQ(store->List(kWeightGoalStatKind).size(), 1u);
  EXPECT_EQ(LatestDietComp(*store)->Constraints[0].Quantity, 30);
  EXPECT_EQ(CurrentWeightGoal(*store, kToday).goal->TargetWeight, 75);
}

TEST_F(GoverningGoals, DietCompositionOfADayIsTheLatestOnOrBeforeIt) {
  PutDietComp(kToday - 14,
              {{TNutrient::Protein, TQualifier::AtLeast, 100, TMeasurement::Grams, 5}});
  PutDietComp(kToday - 5, {{TNutrient::Protein, TQualifier::AtLeast, 120, TMeasurement::Grams, 5}});
  const struct {
    TDateTime day;
    double want;  // the protein quantity governing the day; 0 for none
  } cases[] = {
      {kToday - 15, 0}, {kToday - 14, 100}, {kToday - 6, 100},        {kToday - 5, 120},
      {kToday, 120},    {kToday + 30, 120}, {kToday - 9 + 0.75, 100},  // the time of day does not
                                                                       // count
  };
  for (const auto& c : cases) {
    const TDietCompStat* diet = GoverningDietComp(*store, c.day);
    EXPECT_EQ(diet ? diet->Constraints[0].Quantity : 0, c.want) << c.day - kToday;
  }
  EXPECT_EQ(LatestDietComp(*store)->Constraints[0].Quantity, 120);
}

TEST_F(GoverningGoals, NoDietCompositionBeforeTheFirstRecord) {
  EXPECT_EQ(GoverningDietComp(*store, kToday), nullptr);
  EXPECT_EQ(LatestDietComp(*store), nullptr);
}

TEST_F(GoverningGoals, CurrentWeightGoalIsTheLatestSetOnOrBeforeToday) {
  EXPECT_FALSE(CurrentWeightGoal(*store, kToday));
  PutWeightGoal(kToday - 20, TWeightGoalType::Lose, 75, kToday + 40);
  PutWeightGoal(kToday - 3, TWeightGoalType::Gain, 85, kToday + 40);
  // A record dated after today is not yet in force.
  PutWeightGoal(kToday + 2, TWeightGoalType::Maintain, 80, 0);
  const TWeightGoalRef goal = CurrentWeightGoal(*store, kToday);
  ASSERT_TRUE(goal);
  EXPECT_EQ(goal.goal->WeightGoalType, TWeightGoalType::Gain);
  EXPECT_EQ(goal.setOn, kToday - 3);
}

TEST_F(GoverningGoals, AGoalIsActiveUntilItsTargetDatePassesAMaintenanceGoalAlways) {
  const struct {
    TWeightGoalType type;
    TDateTime targetDate;
    bool active;
  } cases[] = {
      {TWeightGoalType::Lose, kToday + 1, true},   {TWeightGoalType::Lose, kToday, true},
      {TWeightGoalType::Gain, kToday - 1, false},  {TWeightGoalType::Maintain, 0, true},
      {TWeightGoalType::None, kToday + 10, false},
  };
  for (const auto& c : cases) {
    TWeightGoalStat goal(nullptr);
    goal.WeightGoalType = c.type;
    goal.TargetDate = c.targetDate;
    EXPECT_EQ(IsActive(goal, kToday + 0.9), c.active)
        << static_cast<int>(c.type) << " " << c.targetDate - kToday;
  }
  // An expired goal is the current one, but not an active one.
  PutWeightGoal(kToday - 30, TWeightGoalType::Lose, 75, kToday - 1);
  EXPECT_TRUE(CurrentWeightGoal(*store, kToday));
  EXPECT_FALSE(ActiveWeightGoal(*store, kToday));
}

TEST_F(GoverningGoals, AGoalAppliesFromItsDayThroughItsTargetDate) {
  PutWeightGoal(kToday - 10, TWeightGoalType::Lose, 75, kToday + 10);
  PutWeightGoal(kToday - 40, TWeightGoalType::Maintain, 80, 0);
  const TWeightGoalRef lose = CurrentWeightGoal(*store, kToday);
  TWeightGoalRef maintain{
      &store->Loaded<TWeightGoalStat>(*store->FindDayRecord(kWeightGoalStatKind, kToday - 40)),
      kToday - 40};
  const struct {
    const TWeightGoalRef& goal;
    TDateTime day;
    bool applies;
  } cases[] = {
      {lose, kToday - 11, false},     {lose, kToday - 10, true},      {lose, kToday + 10.5, true},
      {lose, kToday + 11, false},     {maintain, kToday - 41, false}, {maintain, kToday - 40, true},
      {maintain, kToday + 400, true},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AppliesTo(c.goal, c.day), c.applies)
        << static_cast<int>(c.goal.goal->WeightGoalType) << " " << c.day - kToday;
  EXPECT_FALSE(AppliesTo(TWeightGoalRef{}, kToday));
}

}  // namespace
}  // namespace korvela
