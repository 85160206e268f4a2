#include "nutrition/food_search.h"

#include <algorithm>
#include <unordered_map>

#include "nutrition/user_foods.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

void UpperInto(std::string& out, std::string_view text) {
  out.resize(text.size());
  std::transform(text.begin(), text.end(), out.begin(), AsciiUpper);
}

// The usage count of the first frequent entry of each name, keyed by the
// upper-cased name: upper-casing ASCII letters on both sides is the same
// comparison as SameFoodName.
std::unordered_map<std::string, int> UsageByName(
    std::span<const std::unique_ptr<TFrequentFood>> frequent) {
  std::unordered_map<std::string, int> usage;
  usage.reserve(frequent.size());
  std::string upper;
  for (const auto& entry : frequent) {
    UpperInto(upper, entry->Name);
    usage.emplace(upper, entry->UsageCount);
  }
  return usage;
}

// Whether `upperWord` occurs anywhere in `name` once the name's ASCII letters
// are upper-cased, without building the upper-cased name: most names of a
// search hold none of the words and are passed over here.
bool OccursIgnoringCase(std::string_view upperWord, std::string_view name) {
  if (upperWord.size() > name.size()) return false;
  const char first = upperWord.front();
  const std::size_t last = name.size() - upperWord.size();
  for (std::size_t i = 0; i <= last; ++i) {
    if (AsciiUpper(name[i]) != first) continue;
    std::size_t k = 1;
    while (k < upperWord.size() && AsciiUpper(name[i + k]) == upperWord[k]) ++k;
    if (k == upperWord.size()) return true;
  }
  return false;
}

// The rank of a name for the words, or 0 when a word does not start a word
// of the name.
int WordRank(const std::vector<std::string>& words, std::string_view name, std::string& upperName) {
  for (const std::string& word : words)
    if (!OccursIgnoringCase(word, name)) return 0;
  UpperInto(upperName, name);
  std::size_t rank = kWorstWordRank;
  for (const std::string& word : words) {
    const std::size_t at = FindWordStart(word, upperName);
    if (at == 0) return 0;
    rank = std::min(rank, at);
  }
  return static_cast<int>(rank);
}

bool NameLess(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                      [](char x, char y) { return AsciiLower(x) < AsciiLower(y); });
}

// Sorts stably by `less`, or by its reverse.
template <typename Less>
void SortWith(std::vector<TSFoodItem>& result, bool ascending, Less less) {
  if (ascending)
    std::stable_sort(result.begin(), result.end(), less);
  else
    std::stable_sort(result.begin(), result.end(),
                     [&less](const TSFoodItem& a, const TSFoodItem& b) { return less(b, a); });
}

}  // namespace

std::vector<std::string> SearchWords(std::string_view query) {
  std::vector<std::string> words;
  std::string word;
  auto endWord = [&] {
    if (!word.empty() && words.size() < kMaxSearchWords) words.push_back(word);
    word.clear();
  };
  for (const char c : query) {
    if (c == ' ')
      endWord();
    else
      word.push_back(AsciiUpper(c));
  }
  endWord();
  return words;
}

TSearchOutcome SearchFoods(std::vector<TSFoodItem>& result, std::string_view query, int category,
                           const TFoodTree& tree,
                           std::span<const std::unique_ptr<TFrequentFood>> frequent,
                           TPrompter* messages) {
  result.clear();
  const std::vector<std::string> words = SearchWords(query);
  if (!words.empty()) {
    const std::unordered_map<std::string, int> usage = UsageByName(frequent);
    // "User-Added Foods" stands before "Recipes" at the end of the tree.
    const int userList = static_cast<int>(tree.Lists.size()) - 2;
    std::string upperName;
    for (int list = 0; list < static_cast<int>(tree.Lists.size()); ++list) {
      const bool isUserList = list == userList;
      if (category != -1 && list != category && !isUserList) continue;
      for (const auto& food : tree.Lists[static_cast<std::size_t>(list)].Foods) {
        if (category != -1 && isUserList) {
          const auto* userFood = dynamic_cast<const TUserFood*>(food.get());
          if (!userFood || userFood->CategoryID != category) continue;
        }
        int rank = WordRank(words, food->Name, upperName);
        if (rank == 0) continue;
        if (const auto used = usage.find(upperName); used != usage.end()) rank = -used->second;
        result.emplace_back(*food, rank);
        if (result.size() == kSearchResultCap) {
          result.clear();
          if (messages) messages->Warn(std::string(kMsgTooManySearchResults));
          return TSearchOutcome::TooMany;
        }
      }
    }
  }
  if (result.empty()) {
    if (messages) messages->Inform(std::string(kMsgNoFoodsFound));
    return TSearchOutcome::NoneFound;
  }
  std::stable_sort(result.begin(), result.end(),
                   [](const TSFoodItem& a, const TSFoodItem& b) { return a.Rank < b.Rank; });
  return TSearchOutcome::Found;
}

void SortFoodResults(std::vector<TSFoodItem>& result, TFoodResultColumn column, bool ascending) {
  using T = const TSFoodItem&;
  switch (column) {
    case TFoodResultColumn::Name:
      return SortWith(result, ascending, [](T a, T b) { return NameLess(a.Name, b.Name); });
    case TFoodResultColumn::P:
      return SortWith(result, ascending, [](T a, T b) { return a.P < b.P; });
    case TFoodResultColumn::F:
      return SortWith(result, ascending, [](T a, T b) { return a.F < b.F; });
    case TFoodResultColumn::C:
      return SortWith(result, ascending, [](T a, T b) { return a.C < b.C; });
    case TFoodResultColumn::A:
      return SortWith(result, ascending, [](T a, T b) { return a.A < b.A; });
    case TFoodResultColumn::Calories:
      return SortWith(result, ascending,
                      [](T a, T b) { return Calories(a.Food()) < Calories(b.Food()); });
    case TFoodResultColumn::Rank:
      return SortWith(result, ascending, [](T a, T b) { return a.Rank < b.Rank; });
  }
}

}  // namespace korvela
