#include <gtest/gtest.h>

#include "training/quantities.h"
#include "training/workout.h"

namespace korvela {
namespace {

TDistWrap Dist(long double q, std::int32_t unit) {
  TDistWrap d;
  d.Q = q;
  d.M = unit;
  return d;
}

TEST(DistanceConversion, UsesTheTableFactorsAsWritten) {
  EXPECT_EQ(ConvertDistance(Dist(1, kYard), kInch), 36);
  EXPECT_EQ(ConvertDistance(Dist(3, kFoot), kYard), 1);
  EXPECT_EQ(ConvertDistance(Dist(1000, kMeter), kMile), 1000 * 0.0006213712L);
  EXPECT_EQ(ConvertDistance(Dist(2, kMile), kMeter), 2 * 1609.344L);
  EXPECT_EQ(ConvertDistance(Dist(5, kKm), kCm), 500000);
  EXPECT_EQ(ConvertDistance(Dist(12, kInch), kFoot), 12 * 0.08333333L);
  EXPECT_EQ(ConvertDistance(Dist(-1, kKm), kMeter), -1);
  for (std::int32_t u = 0; u < kDistUnitCount; ++u)
    EXPECT_EQ(ConvertDistance(Dist(7, u), u), 7) << u;
}

TEST(DistanceText, SingularPluralAndNotSet) {
  const TConfigurator config;
  EXPECT_EQ(DistanceText(config, Dist(1, kMile)), "1 mile");
  EXPECT_EQ(DistanceText(config, Dist(2.5, kMile)), "2.5 miles");
  EXPECT_EQ(DistanceText(config, Dist(1, kFoot)), "1 foot");
  EXPECT_EQ(DistanceText(config, Dist(3.14159, kFoot)), "3.1416 feet");
  EXPECT_EQ(DistanceText(config, Dist(1, kKm)), "1 km");
  EXPECT_EQ(DistanceText(config, Dist(-1, kInch)), "inches");
}

TEST(PaceAndSpeed, TextsOfATimeOverADistance) {
  const TConfigurator config;
  EXPECT_EQ(PaceText(3725, Dist(1, kKm)), "02:05 per km");  // the hour is dropped
  EXPECT_EQ(PaceText(1500, Dist(5, kKm)), "05:00 per km");
  EXPECT_EQ(PaceText(601.9L, Dist(1, kMile)), "10:01 per mile");
  EXPECT_EQ(PaceText(86400, Dist(1, kKm)), "");  // a day or more per unit
  EXPECT_EQ(PaceText(0, Dist(1, kKm)), "");
  EXPECT_EQ(PaceText(60, Dist(-1, kKm)), "");
  EXPECT_EQ(SpeedText(config, 1800, Dist(5, kKm)), "10 kph");
  EXPECT_EQ(SpeedText(config, 3600, Dist(1, kFoot)), "1 feet per hour");
  EXPECT_EQ(SpeedText(config, 7000, Dist(10, kMile)), "5.14 mph");
  EXPECT_EQ(SpeedText(config, 0, Dist(10, kMile)), "");
}

TEST(WeightWrap, StoredWithAPointAndReadWithTheUsersDecimal) {
  TConfigurator config;
  config.SetFloatingChar(',');
  TWeightWrap w;
  w.Q = "72,5+2,5";
  w.M = kPounds;
  const auto node = WriteWeightWrap(w);
  EXPECT_EQ(node->AttrText("Q"), "72.5+2.5");
  EXPECT_EQ(ReadWeightWrap(*node, config), w);
  EXPECT_EQ(ReadWeightWrap(*node, TConfigurator()).Q, "72.5+2.5");
  EXPECT_EQ(w.DisplayText(), "72,5+2,5 lbs");
}

TEST(NewQuantities, FollowTheUsersUnitSystem) {
  TConfigurator config;
  EXPECT_EQ(NewSetLine(config).Weight.M, kKilograms);
  EXPECT_EQ(NewSetLine(config).Dist.M, kMeter);
  config.SetMetricSystem(false);
  const TDrillSet line = NewSetLine(config);
  EXPECT_EQ(line.Weight.M, kPounds);
  EXPECT_EQ(line.Dist.M, kMile);
  EXPECT_EQ(line.Dist.Q, -1);
  EXPECT_EQ(line.Limb, kNoLimb);
  EXPECT_TRUE(line.IsEmpty());
}

}  // namespace
}  // namespace korvela
