#include "energy/trend_weight.h"

#include <gtest/gtest.h>

namespace korvela {
namespace {

constexpr TDateTime kDay = 39248;

TEST(TrendWeight, MovesATenthTowardEachWeighInAndHoldsBetween) {
  const std::vector<TDayWeight> weighIns = {
      {kDay - 5, 90}, {kDay, 80}, {kDay + 2, 81}, {kDay + 3, 79}, {kDay + 3.5, 79}};
  const std::vector<TDayWeight> trend = TrendWeights(weighIns, kDay - 1, kDay + 4);
  // The weigh-in before the period is not looked at; the first one inside
  // starts the trend. Two weigh-ins on one day move it twice:
  // 80.1 -> 79.99 -> 79.891.
  const std::vector<TDayWeight> want = {
      {kDay, 80}, {kDay + 1, 80}, {kDay + 2, 80.1}, {kDay + 3, 79.891}, {kDay + 4, 79.891}};
  ASSERT_EQ(trend.size(), want.size());
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_EQ(trend[i].Day, want[i].Day) << i;
    EXPECT_NEAR(trend[i].Weight, want[i].Weight, 1e-9) << i;
  }
}

TEST(TrendWeight, NoWeighInInThePeriodGivesNoTrend) {
  const std::vector<TDayWeight> weighIns = {{kDay - 5, 90}, {kDay + 10, 80}};
  EXPECT_TRUE(TrendWeights(weighIns, kDay, kDay + 9).empty());
  EXPECT_TRUE(TrendWeights({}, kDay, kDay + 9).empty());
  EXPECT_TRUE(TrendWeights(weighIns, kDay + 11, kDay).empty());
  EXPECT_EQ(TrendWeights(weighIns, kDay, kDay + 10).size(), 1u);
}

}  // namespace
}  // namespace korvela
