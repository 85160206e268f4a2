#include "nutrition/food_search.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "nutrition/user_foods.h"
#include "storage/random.h"
#include "storage/text_helpers.h"
#include "support/scripted_prompter.h"

namespace korvela {
namespace {

using test::TScriptedPrompter;

// A tree of two catalogue categories ("Fruit" 0, "Baked" 1), then
// "User-Added Foods" 2 and "Recipes" 3.
class TFoodSearchTest : public ::testing::Test {
 protected:
  TFoodSearchTest() {
    for (const char* name : {"Fruit", "Baked", "User-Added Foods", "Recipes"})
      tree_.Lists.push_back(TFoodList{name, {}});
  }
  TFoodItem& Add(int list, const std::string& name, Extended p = 0) {
    auto food = std::make_unique<TFoodItem>(name);
    food->P = p;
    food->weights = {{"cup", 1, 240}};
    TFoodItem& added = *food;
    tree_.Lists[static_cast<std::size_t>(list)].Foods.push_back(std::move(food));
    return added;
  }
  void AddUserFood(const std::string& name, int categoryID) {
    auto food = std::make_unique<TUserFood>(name);
    food->CategoryID = categoryID;
    tree_.Lists[2].Foods.push_back(std::move(food));
  }
  void Logged(const std::string& name, int times) {
    auto entry = std::make_unique<TFrequentFood>(TFoodItem(name));
    entry->UsageCount = times;
    frequent_.push_back(std::move(entry));
  }
  TSearchOutcome Search(const std::string& query, int category = -1) {
    return SearchFoods(result_, query, category, tree_, frequent_, &prompter_);
  }
  std::vector<std::pair<int, std::string>> Ranked() const {
    std::vector<std::pair<int, std::string>> ranked;
    for (const TSFoodItem& item : result_) ranked.emplace_back(item.Rank, item.Name);
    return ranked;
  }
  using Ranks = std::vector<std::pair<int, std::string>>;

  TFoodTree tree_;
  std::vector<std::unique_ptr<TFrequentFood>> frequent_;
  std::vector<TSFoodItem> result_;
  TScriptedPrompter prompter_;
};

TEST(SearchWords, BlanksSeparateLettersAreUpperCasedAndFiftyWordsAreKept) {
  EXPECT_EQ(SearchWords("  apple   Juice "), (std::vector<std::string>{"APPLE", "JUICE"}));
  EXPECT_EQ(SearchWords("caf\xC3\xA9 1%-fat\tx"),
            (std::vector<std::string>{"CAF\xC3\xA9", "1%-FAT\tX"}));
  EXPECT_TRUE(SearchWords("").empty());
  EXPECT_TRUE(SearchWords("     ").empty());
  std::string many;
  for (int i = 0; i < 60; ++i) many += "w" + std::to_string(i) + " ";
  const std::vector<std::string> words = SearchWords(many);
  ASSERT_EQ(words.size(), kMaxSearchWords);
  EXPECT_EQ(words.back(), "W49");
}

TEST_F(TFoodSearchTest, WordsMatchAtWordStartsAndRankByTheEarliestPosition) {
  Add(0, "Pineapple");
  Add(0, "Pie, apple");
  Add(1, "Crab-apple");
  Add(0, "Apple juice");
  Add(1, "Juice, apple");
  Add(0, "Grape juice");
  EXPECT_EQ(Search("apple"), TSearchOutcome::Found);
  EXPECT_EQ(Ranked(),
            (Ranks{{1, "Apple juice"}, {6, "Pie, apple"}, {6, "Crab-apple"}, {8, "Juice, apple"}}));
  EXPECT_EQ(Search("apple juice"), TSearchOutcome::Found);
  EXPECT_EQ(Ranked(), (Ranks{{1, "Apple juice"}, {1, "Juice, apple"}}));
  EXPECT_EQ(Search("APPLE juice "), TSearchOutcome::Found);
  EXPECT_EQ(Ranked(), (Ranks{{1, "Apple juice"}, {1, "Juice, apple"}}));
  EXPECT_TRUE(prompter_.shown.empty());
}

// Names of every length with the words at every place, in both cases, next
// to separators, digits and UTF-8 bytes: each search ranks exactly as
// upper-casing the whole name and looking for each word's word start does.
TEST_F(TFoodSearchTest, RanksAgreeWithWordStartsOfTheUpperCasedNameOnGeneratedNames) {
  const std::unique_ptr<TRandom> random = MakeSeededRandom(34);
  const std::string alphabet = "aAbBpPlLeE -,2%\xC3\xA9";
  auto draw = [&random](const std::string& from, std::size_t length) {
    std::string text;
    for (std::size_t i = 0; i < length; ++i)
      text += from[static_cast<std::size_t>(
          random->Uniform(0, static_cast<std::int64_t>(from.size())))];
    return text;
  };
  for (int i = 0; i < 4000; ++i) Add(i % 2, draw(alphabet, static_cast<std::size_t>(i % 41)));
  for (int q = 0; q < 200; ++q) {
    const std::string query =
        draw("abpleAB2%-,", static_cast<std::size_t>(1 + q % 3)) +
        (q % 4 == 0 ? " " + draw("aBlE", static_cast<std::size_t>(1 + q % 2)) : "");
    Search(query);
    const std::vector<std::string> words = SearchWords(query);
    std::vector<std::pair<int, std::string>> want;
    for (const auto& list : tree_.Lists)
      for (const auto& food : list.Foods) {
        std::string upper = food->Name;
        for (char& c : upper)
          if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
        std::size_t rank = 1000;
        for (const std::string& word : words) {
          const std::size_t at = FindWordStart(word, upper);
          rank = at == 0 ? 0 : std::min(rank, at);
          if (at == 0) break;
        }
        if (rank != 0) want.emplace_back(static_cast<int>(rank), food->Name);
      }
    if (want.size() >= kSearchResultCap) want.clear();
    std::stable_sort(want.begin(), want.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    ASSERT_EQ(Ranked(), want) << query;
  }
}

// One word at every place of names of every length up to 48 bytes.
TEST_F(TFoodSearchTest, WordIsFoundAtEveryPlaceOfLongNames) {
  for (std::size_t length = 3; length <= 48; ++length)
    for (std::size_t at = 0; at + 3 <= length; ++at) {
      std::string name(length, 'q');
      name.replace(at, 3, at % 2 ? "pIe" : "PIE");
      if (at > 0) name[at - 1] = at % 3 ? ' ' : '2';
      Add(0, name);
    }
  Search("pie");
  ASSERT_EQ(result_.size(), tree_.Lists[0].Foods.size());
  for (const TSFoodItem& item : result_) {
    const std::size_t at = item.Name.find_first_of("pP");
    EXPECT_EQ(item.Rank, static_cast<int>(at + 1)) << item.Name;
  }
  EXPECT_EQ(Search("iep"), TSearchOutcome::NoneFound);
}

TEST_F(TFoodSearchTest, ViewsShareTheFoodsMeasuresAndOutliveNothing) {
  TFoodItem& pie = Add(1, "Pie, apple", 3);
  Search("pie");
  ASSERT_EQ(result_.size(), 1u);
  EXPECT_EQ(&result_[0].Food(), &pie);
  EXPECT_EQ(&result_[0].Weights(), &pie.weights);
  EXPECT_EQ(result_[0].Recipe(), nullptr);
  EXPECT_EQ(result_[0].P, 3);
  result_.clear();
  EXPECT_EQ(tree_.Lists[1].Foods[0]->weights.size(), 1u);
}

TEST_F(TFoodSearchTest, FrequentFoodsComeFirstMostUsedFirstWhetherShownOrNot) {
  Add(0, "Apple juice");
  Add(0, "Pie, apple");
  Add(1, "Crab-apple");
  Add(0, "Banana");
  Logged("PIE, APPLE", 7);
  Logged("crab-apple", 2);
  Logged("pie, apple", 30);  // a later entry of the same name does not count
  Logged("Banana", 50);
  Search("apple");
  EXPECT_EQ(Ranked(), (Ranks{{-7, "Pie, apple"}, {-2, "Crab-apple"}, {1, "Apple juice"}}));
}

TEST_F(TFoodSearchTest, EmptyAndBlankQueriesFindNothingAndSaySo) {
  Add(0, "Apple");
  for (const char* query : {"", "   ", "zebra", "pple"}) {
    prompter_.shown.clear();
    result_.emplace_back(*tree_.Lists[0].Foods[0], 1);
    EXPECT_EQ(Search(query), TSearchOutcome::NoneFound) << query;
    EXPECT_TRUE(result_.empty()) << query;
    EXPECT_EQ(prompter_.shown, std::vector<std::string>{"inform: Your search found no foods"})
        << query;
  }
  EXPECT_EQ(SearchFoods(result_, "", -1, tree_, frequent_, nullptr), TSearchOutcome::NoneFound);
  EXPECT_EQ(prompter_.shown.size(), 1u);
}

TEST_F(TFoodSearchTest, CategoryFilterTakesTheListAndUserFoodsFiledUnderIt) {
  Add(0, "Apple");
  Add(1, "Apple pie");
  AddUserFood("Apple crumble", 1);
  AddUserFood("Apple cake", 2);
  AddUserFood("Apple sauce", 0);
  Add(3, "Apple tart");
  Search("apple", 1);
  EXPECT_EQ(Ranked(), (Ranks{{1, "Apple pie"}, {1, "Apple crumble"}}));
  Search("apple", 2);
  EXPECT_EQ(Ranked(), (Ranks{{1, "Apple cake"}}));
  Search("apple", 3);
  EXPECT_EQ(Ranked(), (Ranks{{1, "Apple tart"}}));
  Search("apple");
  EXPECT_EQ(result_.size(), 6u);
}

TEST_F(TFoodSearchTest, ThreeThousandMatchesGiveNoneAndTheWarningOneFewerGiveAll) {
  for (int i = 0; i < 2999; ++i) Add(i % 2, "Soup " + std::to_string(i));
  EXPECT_EQ(Search("soup"), TSearchOutcome::Found);
  EXPECT_EQ(result_.size(), 2999u);
  EXPECT_TRUE(prompter_.shown.empty());
  // Equal ranks keep the tree's order.
  EXPECT_EQ(result_.front().Name, "Soup 0");
  EXPECT_EQ(result_[1].Name, "Soup 2");

  Add(1, "Soup 2999");
  EXPECT_EQ(Search("soup"), TSearchOutcome::TooMany);
  EXPECT_TRUE(result_.empty());
  EXPECT_EQ(prompter_.shown,
            std::vector<std::string>{
                "warn: Too many search results. Please be more specific in your search."});
  EXPECT_EQ(SearchFoods(result_, "soup", -1, tree_, frequent_, nullptr), TSearchOutcome::TooMany);
  EXPECT_EQ(prompter_.shown.size(), 1u);
}

TEST_F(TFoodSearchTest, ResultsResortByEveryColumnBothWays) {
  const struct {
    const char* name;
    Extended p, f, c, a;
  } foods[] = {{"beans b", 21, 1, 60, 0}, {"Beans a", 8, 0.5, 20, 1}, {"BEANS c", 5, 4, 5, 3}};
  for (const auto& f : foods) {
    auto food = std::make_unique<TFoodItem>(f.name);
    food->P = f.p;
    food->F = f.f;
    food->C = f.c;
    food->A = f.a;
    tree_.Lists[0].Foods.push_back(std::move(food));
  }
  Logged("BEANS C", 4);
  Search("beans");
  auto names = [this] {
    std::string s;
    for (const TSFoodItem& item : result_) s += item.Name.back();
    return s;
  };
  EXPECT_EQ(names(), "cba");
  const struct {
    TFoodResultColumn column;
    const char* ascending;
    const char* descending;
  } cases[] = {{TFoodResultColumn::Name, "abc", "cba"}, {TFoodResultColumn::P, "cab", "bac"},
               {TFoodResultColumn::F, "abc", "cba"},    {TFoodResultColumn::C, "cab", "bac"},
               {TFoodResultColumn::A, "bac", "cab"},    {TFoodResultColumn::Calories, "cab", "bac"},
               {TFoodResultColumn::Rank, "cba", "bac"}};
  for (const auto& c : cases) {
    SortFoodResults(result_, c.column, true);
    EXPECT_EQ(names(), c.ascending) << static_cast<int>(c.column);
    SortFoodResults(result_, c.column, false);
    EXPECT_EQ(names(), c.descending) << static_cast<int>(c.column);
  }
}

}  // namespace
}  // namespace korvela
