#include <gtest/gtest.h>

#include "storage/random.h"

namespace korvela {
namespace {

TEST(RandomUniform, EqualBoundsGiveTheBoundWithoutADrawAndOthersStayInRange) {
  const auto random = MakeSeededRandom(7);
  const auto same = MakeSeededRandom(7);
  EXPECT_EQ(random->Uniform(5, 5), 5);
  EXPECT_EQ(random->Uniform(-3, -3), -3);
  EXPECT_EQ(random->Next(), same->Next());
  for (int i = 0; i < 1000; ++i) {
    const std::int64_t v = random->Uniform(-2, 3);
    EXPECT_GE(v, -2);
    EXPECT_LT(v, 3);
  }
}

}  // namespace
}  // namespace korvela
