#include <gtest/gtest.h>

#include "energy/diet_goals.h"
#include "energy/goals.h"
#include "goal_fixture.h"

namespace korvela {
namespace {

// A form with the given rows set; an empty quantity leaves its row unset.
TDietCompForm Form(const char* protein, int proteinMeasurement, const char* fats, const char* carbs,
                   const char* allowance = "5") {
  TDietCompForm form;
  const char* quantities[3] = {protein, fats, carbs};
  const int measurements[3] = {proteinMeasurement, 3, 3};
  for (std::size_t n = 0; n < 3; ++n) {
    form.rows[n].set = *quantities[n] != '\0';
    form.rows[n].quantity = quantities[n];
    form.rows[n].measurement = measurements[n];
  }
  form.allowance = allowance;
  return form;
}

constexpr int kGrams = 0;
constexpr int kPerWeight = 2;
constexpr int kPercent = 3;

TEST(DietCompChecks, RefusedInTheirOrderWithTheFocusOnTheField) {
  using enum TDietCompField;
  const struct {
    TDietCompForm form;
    const char* message;
    TDietCompField focus;
  } cases[] = {
      {Form("abc", kGrams, "-1", "", "20"), "Please enter a valid protein quantity",
       ProteinQuantity},
      {Form("-0.1", kPerWeight, "", ""), "Please enter a valid protein quantity", ProteinQuantity},
      {Form("120", kGrams, "-1", "x"), "Please enter a valid fats quantity", FatsQuantity},
      {Form("", kGrams, "30", " "), "Please enter a valid carbs quantity", CarbsQuantity},
      {Form("101", kPercent, "", ""), "Protein percentage must be less than 100", ProteinQuantity},
      {Form("", kGrams, "100.5", ""), "Fats percentage must be less than 100", FatsQuantity},
      {Form("", kGrams, "30", "101", "x"), "Carbs percentage must be less than 100", CarbsQuantity},
      // The sum is refused with the focus on protein, whichever row tipped it;
      // without a protein goal (its field disabled) on the row that tipped it.
      {Form("1.8", kPerWeight, "40", "61"),
       "The total sum of the percentages must be less than 100", ProteinQuantity},
      {Form("", kGrams, "40", "61"), "The total sum of the percentages must be less than 100",
       CarbsQuantity},
      {Form("30", kPercent, "50", "21"), "The total sum of the percentages must be less than 100",
       ProteinQuantity},
      {Form("1e999", kGrams, "", ""), "Please enter a valid protein quantity", ProteinQuantity},
      // Only then the allowance.
      {Form("120", kGrams, "", "", "10.01"),
       "Please provide a goal deviation allowance between 0% and 10%", Allowance},
      {Form("", kGrams, "", "", "-1"),
       "Please provide a goal deviation allowance between 0% and 10%", Allowance},
      {Form("", kGrams, "", "", ""), "Please provide a goal deviation allowance between 0% and 10%",
       Allowance},
  };
  const TConfigurator config;
  for (const auto& c : cases) {
    const TDietCompCheck check = CheckDietCompForm(config, c.form);
    EXPECT_EQ(check.message, c.message)
        << c.form.rows[0].quantity << "|" << c.form.rows[1].quantity << "|"
        << c.form.rows[2].quantity << "|" << c.form.allowance;
    EXPECT_EQ(check.focus, c.focus) << c.message;
    EXPECT_FALSE(check.Accepted());
  }
}

TEST(DietCompChecks, AcceptedFormsGiveOneConstraintPerSetRow) {
  const TConfigurator config;
  TDietCompForm form = Form("2", kPerWeight, "40", "60", "7.5");  // exactly 100 %
  form.rows[0].qualifier = 0;
  form.rows[1].qualifier = 2;
  form.rows[2].qualifier = 1;
  TDietCompCheck check = CheckDietCompForm(config, form);
  ASSERT_TRUE(check.Accepted()) << check.message;
  using enum TMeasurement;
  EXPECT_EQ(check.constraints,
            (std::vector<TDietConstraint>{
                {TNutrient::Protein, TQualifier::AtLeast, 2, GramsPerKg, 7.5},
                {TNutrient::Fats, TQualifier::AtMost, 40, PercentOfCalories, 7.5},
                {TNutrient::Carbs, TQualifier::Exactly, 60, PercentOfCalories, 7.5}}));

  // Unset rows are not read at all; the allowance may be 0 or 10.
  for (const char* allowance : {"0", "10"}) {
    form = Form("", kGrams, "", "250", allowance);
    form.rows[0].quantity = "not a number";
    form.rows[2].measurement = kGrams;
    check = CheckDietCompForm(config, form);
    ASSERT_TRUE(check.Accepted()) << allowance;
    ASSERT_EQ(check.constraints.size(), 1u);
    EXPECT_EQ(check.constraints[0].Nutrient, TNutrient::Carbs);
    EXPECT_EQ(check.constraints[0].Quantity, 250);
  }
  EXPECT_TRUE(CheckDietCompForm(config, Form("", kGrams, "", "", "5")).constraints.empty());
}

TEST(DietCompChecks, UsersDecimalCharacterIsAccepted) {
  TConfigurator config;
  config.SetFloatingChar(',');
  const TDietCompCheck check = CheckDietCompForm(config, Form("1,8", kPerWeight, "", "", "2,5"));
  ASSERT_TRUE(check.Accepted());
  EXPECT_DOUBLE_EQ(check.constraints[0].Quantity, 1.8);
  EXPECT_DOUBLE_EQ(check.constraints[0].ErrorAllowance, 2.5);
}

TEST(DietCompChecks, PerPoundQuantitiesAreStoredPerKilogramAndShownAgainPerPound) {
  TConfigurator config;
  config.SetMetricSystem(false);
  EXPECT_EQ(MeasurementNames(config)[2], "grams per lbs");
  const TDietCompCheck check = CheckDietCompForm(config, Form("1.5", kPerWeight, "", ""));
  ASSERT_TRUE(check.Accepted());
  EXPECT_NEAR(check.constraints[0].Quantity, 3.3, 1e-12);

  TDietCompStat stored(nullptr);
  stored.Constraints = check.constraints;
  EXPECT_EQ(OpenDietCompForm(config, &stored).rows[0].quantity, "1.5");
  config.SetMetricSystem(true);
  EXPECT_EQ(OpenDietCompForm(config, &stored).rows[0].quantity, "3.3");
  EXPECT_EQ(MeasurementNames(config)[2], "grams per kg");
  // Grams are grams in either unit.
  config.SetMetricSystem(false);
  EXPECT_EQ(CheckDietCompForm(config, Form("150", kGrams, "", "")).constraints[0].Quantity, 150);
}

TEST(DietCompOpening, DefaultsAndTheLatestRecordsGoals) {
  const TConfigurator config;
  TDietCompForm form = OpenDietCompForm(config, nullptr);
  for (const TDietGoalRow& row : form.rows) EXPECT_FALSE(row.set);
  EXPECT_EQ(form.rows[0].measurement, kPerWeight);
  EXPECT_EQ(form.rows[1].measurement, kPercent);
  EXPECT_EQ(form.rows[2].measurement, kPercent);
  EXPECT_EQ(form.allowance, "5");

  TDietCompStat latest(nullptr);
  latest.Constraints = {{TNutrient::Fats, TQualifier::AtMost, 27.24, TMeasurement::Grams, 7.126}};
  form = OpenDietCompForm(config, &latest);
  EXPECT_FALSE(form.rows[0].set);
  EXPECT_TRUE(form.rows[1].set);
  EXPECT_EQ(form.rows[1].qualifier, 2);
  EXPECT_EQ(form.rows[1].measurement, kGrams);
  EXPECT_EQ(form.rows[1].quantity, "27.2");  // one decimal
  EXPECT_EQ(form.allowance, "7.13");         // two decimals
}

class DietCompAdoption : public test::GoalTest {};

TEST_F(DietCompAdoption, TodaysRecordIsWrittenAndReplacedByALaterAdoptionOfTheDay) {
  PutDietComp(kToday - 7, {{TNutrient::Protein, TQualifier::AtLeast, 1, TMeasurement::Grams, 5}});
  AdoptDietComp(*store, kToday + 0.4,
                {{TNutrient::Fats, TQualifier::AtMost, 30, TMeasurement::PercentOfCalories, 5}});
  AdoptDietComp(*store, kToday + 0.7,
                {{TNutrient::Carbs, TQualifier::AtLeast, 200, TMeasurement::Grams, 3}});
  // Written to the file at once: a fresh store on the same folder sees it.
  TDayRecordStore other(registry, *random);
  other.OpenDayRecords(folder.Path());
  ASSERT_EQ(other.List(kDietCompStatKind).size(), 2u);
  const TDietCompStat* latest = LatestDietComp(other);
  ASSERT_EQ(latest->Constraints.size(), 1u);
  EXPECT_EQ(latest->Constraints[0].Nutrient, TNutrient::Carbs);
  EXPECT_EQ(latest->Constraints[0].ErrorAllowance, 3);
  EXPECT_EQ(GoverningDietComp(other, kToday - 1)->Constraints[0].Quantity, 1);
  other.CloseDayRecords();
}

}  // namespace
}  // namespace korvela
