#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "activities/activity_search.h"

namespace korvela {
namespace {

TEST(SearchWords, TrimsSplitsAtRunsOfBlanksAndUpperCases) {
  EXPECT_EQ(SearchWords("  swim   Lap  "), (std::vector<std::string>{"SWIM", "LAP"}));
  EXPECT_TRUE(SearchWords("   ").empty());
  EXPECT_TRUE(SearchWords("").empty());
}

TEST(SearchWords, KeepsAtMostFiftyWords) {
  std::string text;
  for (int i = 0; i < 60; ++i) text += "w" + std::to_string(i) + " ";
  const std::vector<std::string> words = SearchWords(text);
  ASSERT_EQ(words.size(), kMaxSearchWords);
  EXPECT_EQ(words.back(), "W49");
}

class TActivitySearchTest : public ::testing::Test {
 protected:
  TActivitySearchTest() { search.SetNames(names); }
  const std::vector<std::string> names = {
      "Bicycling, mountain, uphill",  // 0
      "Running, 6 mph",               // 1
      "Swimming laps, freestyle",     // 2
      "Walking the dog",              // 3
      "Backpacking, hiking",          // 4
      "Water aerobics",               // 5
  };
  TActivitySearch search;
};

TEST_F(TActivitySearchTest, EveryWordMustStartAWordOfTheNameInAnyOrder) {
  const struct {
    const char* text;
    std::vector<std::size_t> want;
  } cases[] = {
      {"", {0, 1, 2, 3, 4, 5}},
      {"run", {1}},
      {"laps  swim", {2}},  // two blanks still make two words, order free
      {"ing", {}},          // inside words only
      {"king", {}},
      {"hik back", {4}},
      {"w", {3, 5}},  // the W of "Swimming" does not start a word
      {"mph 6", {1}},
      {"run swim", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(search.Filter(c.text), c.want) << c.text;
}

TEST_F(TActivitySearchTest, TheBestMatchHasTheLowestWordStartFirstOnATie) {
  // "Walking the dog": W at 1; "Water aerobics": W at 1 -> first wins.
  EXPECT_EQ(search.BestMatch("w"), 3);
  // "Swimming laps": L at 10; no other.
  EXPECT_EQ(search.BestMatch("la"), 2);
  // "aerobics" starts at 7 in "Water aerobics"; the smallest start of all
  // words counts: "wa" at 1.
  EXPECT_EQ(search.BestMatch("aer wa"), 5);
  EXPECT_EQ(search.BestMatch("zzz"), -1);
  EXPECT_EQ(search.BestMatch(""), -1);
  // Among the rows shown only.
  EXPECT_EQ(search.BestMatch("w", {5}), 5);
}

}  // namespace
}  // namespace korvela
