#pragma once
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "nutrition/food_catalogue.h"
#include "nutrition/frequent_foods.h"
#include "users/prompter.h"

namespace korvela {

// A query keeps at most this many words; further words are ignored.
inline constexpr std::size_t kMaxSearchWords = 50;
// A search that reaches this many results gives none: the query is too vague.
inline constexpr std::size_t kSearchResultCap = 3000;
// A food's rank when its words match further in than this.
inline constexpr int kWorstWordRank = 1000;

inline constexpr std::string_view kMsgTooManySearchResults =
    "Too many search results. Please be more specific in your search.";
inline constexpr std::string_view kMsgNoFoodsFound = "Your search found no foods";

// A result row of a food search or of the recipe list: a view onto one food.
// Name and nutrients are copies; the measures and the recipe are the food's
// own, shared and never owned, so the food must outlive the view. Rank is the
// sort key of the result list: -UsageCount for the user's frequent foods,
// otherwise the 1-based position of the earliest matching word (at most
// 1000).
class TSFoodItem {
 public:
  TSFoodItem(const TFoodItem& food, int rank)
      : Name(food.Name), P(food.P), F(food.F), C(food.C), A(food.A), Rank(rank), food_(&food) {}

  std::string Name;
  Extended P = 0;
  Extended F = 0;
  Extended C = 0;
  Extended A = 0;
  int Rank = 0;

  const TFoodItem& Food() const { return *food_; }
  const std::vector<TWeightItem>& Weights() const { return food_->weights; }
  // The food's recipe, or none.
  const XMLNode* Recipe() const { return food_->recipe.get(); }

 private:
  const TFoodItem* food_;
};

// The words of a query: split at blanks (runs of blanks count as one,
// leading and trailing ones are ignored), ASCII letters upper-cased, at most
// kMaxSearchWords.
std::vector<std::string> SearchWords(std::string_view query);

enum class TSearchOutcome { Found, NoneFound, TooMany };

// Finds the foods of the tree whose upper-cased name holds every word of the
// query at the start of a word, and replaces `result` by views of them sorted
// by Rank (equal ranks keep tree order). `category` -1 searches every list;
// otherwise only list `category` and those user foods filed under it. A food
// whose name is a frequent entry's (SameFoodName) ranks -UsageCount of the
// first such entry. With `messages`, "Your search found no foods" is shown
// when nothing matches and the too-many warning when the search reaches
// kSearchResultCap results, which then leaves `result` empty.
TSearchOutcome SearchFoods(std::vector<TSFoodItem>& result, std::string_view query, int category,
                           const TFoodTree& tree,
                           std::span<const std::unique_ptr<TFrequentFood>> frequent,
                           TPrompter* messages);

// The columns a result list can be sorted by.
enum class TFoodResultColumn { Name, P, F, C, A, Calories, Rank };

// Sorts by a column, names without regard to ASCII letter case; rows with
// equal values keep their order.
void SortFoodResults(std::vector<TSFoodItem>& result, TFoodResultColumn column, bool ascending);

}  // namespace korvela
