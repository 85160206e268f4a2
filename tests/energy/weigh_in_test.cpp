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
  EXPECT_FALSE(outcome.readjusted);
  EXPECT_EQ(outcome.readjustment, TReadjustment::TooFewDays);
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

// A new user's fortnight: the account made on day 0 at 78.4 kg, weigh-ins on
// days 2, 4, 7, 9, 11 and 14 down to 76.8 kg, and food logged on days 1 and
// 2 only. Every day the program is opened once (a login), food is saved as
// the food log saves it, and weigh-ins are made through the dialog's rule.
class FortnightTest : public WeighInTest {
 protected:
  static constexpr TDateTime kStart = kToday - 14;
  struct TStep {
    int day;
    double kg;
  };
  static constexpr TStep kWeighIns[] = {{2, 78.1}, {4, 77.9},  {7, 77.6},
                                        {9, 77.3}, {11, 77.0}, {14, 76.8}};

  // Lives the days from..to (from kStart), weighing in on the days of
  // `weighIns`; returns the outcomes in order.
  std::vector<TWeighInOutcome> Live(const std::vector<TStep>& weighIns, TLogAccuracy accuracy) {
    clock.Set(kStart + 0.4);
    WeighInAndRestart(kStart, 78.4, TEnergyModel::DefaultActivityCoefficient(false, 1));
    std::vector<TWeighInOutcome> outcomes;
    for (int d = 1; d <= 14; ++d) {
      const TDateTime day = kStart + d;
      clock.Set(day + 0.5);
      model->ClearFlags();
      model->RestartEnergyModel();
      if (d == 1 || d == 2) {
        PutEaten(day, d == 1 ? 2100 : 1900);
        if (model->InProjectionWindow(day)) model->ProjectWeights(day + 1, model->Today());
      }
      for (const TStep& w : weighIns) {
        if (w.day == d) outcomes.push_back(Weigh(w.kg, accuracy));
      }
    }
    return outcomes;
  }
};

TEST_F(FortnightTest, WeighInsTwoOrThreeDaysApartKeepTheCoefficientAndSayWhy) {
  const std::vector<TWeighInOutcome> outcomes =
      Live({std::begin(kWeighIns), std::end(kWeighIns)}, TLogAccuracy::Precise);
  ASSERT_EQ(outcomes.size(), 6u);
  const int previous[] = {0, 2, 4, 7, 9, 11};
  for (std::size_t i = 0; i < outcomes.size(); ++i) {
    const TWeighInOutcome& o = outcomes[i];
    SCOPED_TRACE("weigh-in on day " + std::to_string(kWeighIns[i].day));
    EXPECT_EQ(o.referenceDay, kStart + previous[i]);
    EXPECT_EQ(o.days, kWeighIns[i].day - previous[i]);
    EXPECT_LE(o.days, 4);
    EXPECT_EQ(o.readjustment, TReadjustment::TooFewDays);
    EXPECT_FALSE(o.readjusted);
    EXPECT_FLOAT_EQ(o.coefficientBefore, 1.602F);
    EXPECT_FLOAT_EQ(o.activityCoefficient, 1.602F);
    const std::optional<std::string> message = WeighInMessage(o);
    ASSERT_TRUE(message.has_value());
    EXPECT_EQ(message->find("readjusted various"), std::string::npos) << *message;
    EXPECT_NE(message->find("only " + std::to_string(o.days) + " days ago"), std::string::npos)
        << *message;
  }
  EXPECT_FLOAT_EQ(model->CurrentActivityCoefficient, 1.602F);
  EXPECT_DOUBLE_EQ(model->LastWeighInWeight, 76.8);
  EXPECT_EQ(store->List(kWeightStatKind).size(), 7u);
}

TEST_F(FortnightTest, TheSameFortnightWeighedInAtItsEndsIsReadjustedByTheFormula) {
  // Only the last weigh-in: 14 days after the account, 2 of them with food.
  const std::vector<TWeighInOutcome> outcomes = Live({{14, 76.8}}, TLogAccuracy::Approximate);
  ASSERT_EQ(outcomes.size(), 1u);
  const TWeighInOutcome& o = outcomes[0];
  EXPECT_EQ(o.referenceDay, kStart);
  EXPECT_EQ(o.days, 14);
  EXPECT_EQ(o.reportedDays, 2);
  // The step by hand, from the day records the weigh-in left behind: every
  // day adds its resting rate, the two days with food their balance.
  Extended resting = 0, balance = 0;
  for (int d = 0; d < 14; ++d) {
    TCalStat& day = Cal(kStart + d);
    resting += model->RestingMetabolicRate(day);
    if (EatenCalories(day) != 0) balance += EatenCalories(day) - model->TotalDailyExpenditure(day);
  }
  const Extended step = -((76.8 - 78.4) * 7500 - balance) / resting;
  // 1.6 kg lost where the logged days explain about 0.3: far more than 0.1.
  EXPECT_GT(step, 0.3L);
  EXPECT_EQ(o.readjustment, TReadjustment::Readjusted);
  EXPECT_TRUE(o.readjusted);
  EXPECT_NEAR(o.activityCoefficient, 1.702F, 1e-5);
  EXPECT_EQ(WeighInMessage(o), std::optional<std::string>(kMsgReadjusted));
}

TEST_F(WeighInTest, AWeighInThatMovesNothingSaysWhy) {
  // No food since a weigh-in a week ago.
  WeighInAndRestart(kToday - 7, 80, 1.5F);
  TWeighInOutcome o = Weigh(79, TLogAccuracy::Precise);
  EXPECT_EQ(o.readjustment, TReadjustment::NoFoodLogged);
  EXPECT_EQ(o.days, 7);
  EXPECT_EQ(o.reportedDays, 0);
  EXPECT_FLOAT_EQ(o.activityCoefficient, 1.5F);
  EXPECT_EQ(WeighInMessage(o),
            std::optional<std::string>(
                "Your weigh-in is stored. Korvela has kept its calorie coefficients as they were: "
                "no food was logged in the 7 days since your previous weigh-in.\nThey are "
                "readjusted from the calories you log between two weigh-ins."));

  // At the top of its range a loss that asks for more moves nothing.
  FreshHistory();
  PreviousWeighIn(7, 3.0F);
  o = Weigh(70, TLogAccuracy::Precise);
  EXPECT_EQ(o.readjustment, TReadjustment::AtLimit);
  EXPECT_FALSE(o.readjusted);
  EXPECT_FLOAT_EQ(o.activityCoefficient, 3.0F);

  // The first weigh-in on the account's day.
  FreshHistory();
  WeighInAndRestart(kToday, 80, 1.602F);
  o = Weigh(79.5, TLogAccuracy::Approximate);
  EXPECT_EQ(o.readjustment, TReadjustment::TooFewDays);
  EXPECT_EQ(o.days, 0);
  EXPECT_NE(WeighInMessage(o)->find("your previous weigh-in was today."), std::string::npos);

  // Misreported logs restart the calculations without a message.
  FreshHistory();
  PreviousWeighIn(7, 1.5F);
  o = Weigh(79, TLogAccuracy::Misreported);
  EXPECT_EQ(o.readjustment, TReadjustment::Restarted);
  EXPECT_EQ(WeighInMessage(o), std::nullopt);
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
