#include <gtest/gtest.h>

#include "energy/weigh_in.h"
#include "energy_fixture.h"

namespace korvela {
namespace {

class WeighInTest : public test::EnergyTest {
 protected:
  // A previous weigh-in `daysAgo` days before today at 80 kg with the given
  // coefficient, and 2000 calories logged on every day since.
  void PreviousWeighIn(int daysAgo, float coefficient) {
    WeighInAndRestart(kToday - daysAgo, 80, coefficient);
    for (int d = daysAgo; d >= 1; --d) PutEaten(kToday - d, 2000);
    model->RestartEnergyModel();
  }

  TWeighInOutcome Weigh(double weight, TLogAccuracy accuracy, float bodyFat = -1) {
    return WeighIn(*model, *store, user, weight, bodyFat, accuracy);
  }

  // Starts over in a new, empty user folder (for tables of histories).
  void FreshHistory() {
    histories.push_back(std::make_unique<test::TTempFolder>());
    user.Folder = histories.back()->Path();
    model.reset();
    store->CloseDayRecords();
    store->OpenDayRecords(user.Folder);
    model = std::make_unique<TEnergyModel>(*store, user, clock);
  }

  std::vector<std::unique_ptr<test::TTempFolder>> histories;

  int WeighInsOfToday() {
    int n = 0;
    for (const auto& e : store->List(kWeightStatKind)) n += e->Date == kToday;
    return n;
  }
};

TEST_F(WeighInTest, FirstWeighInOnTheCreationDayKeepsTheCoefficient) {
  WeighInAndRestart(kToday, 80, 1.602F);
  const TWeighInOutcome outcome = Weigh(78, TLogAccuracy::Precise);
  EXPECT_FLOAT_EQ(outcome.activityCoefficient, 1.602F);
  EXPECT_TRUE(outcome.readjusted);
  EXPECT_DOUBLE_EQ(Cal(kToday).PW, 78);
  EXPECT_EQ(WeighInsOfToday(), 1);
  EXPECT_DOUBLE_EQ(model->LastWeighInWeight, 78);
}

TEST_F(WeighInTest, FourDaysKeepTheCoefficientFiveDaysMoveIt) {
  PreviousWeighIn(4, 1.5F);
  EXPECT_FLOAT_EQ(Weigh(70, TLogAccuracy::Precise).activityCoefficient, 1.5F);
  FreshHistory();
  PreviousWeighIn(5, 1.5F);
  EXPECT_NE(Weigh(70, TLogAccuracy::Precise).activityCoefficient, 1.5F);
}

TEST_F(WeighInTest, StepsAreLimitedByTheAnswerAndTheCoefficientStaysWithinBounds) {
  // A loss of 10 kg in a week is far more than the logged balances explain:
  // the unlimited step would be large and upwards; a gain of 10 kg downwards.
  const struct {
    float start;
    double newWeight;
    TLogAccuracy accuracy;
    float want;
  } cases[] = {
      {1.5F, 70, TLogAccuracy::Precise, 1.75F},      {1.5F, 70, TLogAccuracy::Approximate, 1.6F},
      {1.5F, 90, TLogAccuracy::Precise, 1.25F},      {1.5F, 90, TLogAccuracy::Approximate, 1.4F},
      {2.95F, 70, TLogAccuracy::Precise, 3.0F},      {1.25F, 90, TLogAccuracy::Precise, 1.2F},
      {1.5F, 70, TLogAccuracy::Misreported, 1.602F},  // the default for a moderately active man
  };
  for (const auto& c : cases) {
    FreshHistory();
    PreviousWeighIn(7, c.start);
    const TWeighInOutcome outcome = Weigh(c.newWeight, c.accuracy);
    EXPECT_NEAR(outcome.activityCoefficient, c.want, 1e-5)
        << c.start << " to " << c.newWeight << " answer " << static_cast<int>(c.accuracy);
    EXPECT_EQ(outcome.readjusted, c.accuracy != TLogAccuracy::Misreported);
    EXPECT_FLOAT_EQ(Cal(kToday).AC, outcome.activityCoefficient);
    EXPECT_FLOAT_EQ(model->CurrentActivityCoefficient, outcome.activityCoefficient);
  }
}

TEST_F(WeighInTest, AWeightThatMatchesTheLoggedBalancesKeepsTheCoefficient) {
  PreviousWeighIn(7, 1.5F);
  // Leave two days unreported: they add their resting rate, not a balance.
  Cal(kToday - 3).C = 0;
  Cal(kToday - 2).C = 0;
  Extended predicted = 0;
  for (int d = 7; d >= 1; --d) {
    TCalStat& day = Cal(kToday - d);
    if (EatenCalories(day) != 0)
      predicted += EatenCalories(day) - model->TotalDailyExpenditure(day);
  }
  const double weight = static_cast<double>(80 + predicted / 7500);
  EXPECT_NEAR(Weigh(weight, TLogAccuracy::Precise).activityCoefficient, 1.5F, 1e-4);
}

TEST_F(WeighInTest, SecondWeighInOfTheDayReplacesTheFirstAndComparesWithTheOneBefore) {
  PreviousWeighIn(7, 1.5F);
  const float first = Weigh(70, TLogAccuracy::Approximate).activityCoefficient;
  const float second = Weigh(70, TLogAccuracy::Approximate, 20).activityCoefficient;
  // Compared with the weigh-in a week ago both times: the same step.
  EXPECT_FLOAT_EQ(first, 1.6F);
  EXPECT_FLOAT_EQ(second, 1.6F);
  EXPECT_EQ(WeighInsOfToday(), 1);
  Reopen();
  EXPECT_EQ(WeighInsOfToday(), 1);
  TDBC* today = store->FindDayRecord(kWeightStatKind, kToday);
  ASSERT_NE(today, nullptr);
  EXPECT_FLOAT_EQ(store->Loaded<TWeightStat>(*today).BFP, 20);
  EXPECT_EQ(store->List(kWeightStatKind).size(), 2u);
}

TEST_F(WeighInTest, WeighInClearsTheFlagsAndAnchorsTheProjection) {
  PreviousWeighIn(7, 1.5F);
  model->WeightDriftFlag = true;
  model->WeighInPromptShown = true;
  Weigh(79, TLogAccuracy::Approximate);
  EXPECT_FALSE(model->WeightDriftFlag);
  EXPECT_FALSE(model->WeighInPromptShown);
  EXPECT_EQ(model->LatestWeighInDay(), kToday);
  EXPECT_DOUBLE_EQ(model->CurrentProjectedWeight(), 79);
}

TEST(BodyFatField, AcceptsOneToSixtyOrIDontKnow) {
  TConfigurator config;
  config.SetFloatingChar(',');
  const struct {
    const char* text;
    std::optional<float> want;
  } cases[] = {{"I don't know", -1.0F}, {"1", 1.0F},           {"60", 60.0F},
               {"12,5", 12.5F},         {"0.5", std::nullopt}, {"61", std::nullopt},
               {"", std::nullopt},      {"abc", std::nullopt}};
  for (const auto& c : cases) EXPECT_EQ(ReadBodyFatField(config, c.text), c.want) << c.text;
}

}  // namespace
}  // namespace korvela
