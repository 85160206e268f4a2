#include "nutrition/food_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
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

// Whether `upperWord` stands in `name` at `at` once the name's ASCII
// letters are upper-cased.
bool MatchesAt(std::string_view upperWord, std::string_view name, std::size_t at) {
  for (std::size_t k = 0; k < upperWord.size(); ++k)
    if (AsciiUpper(name[at + k]) != upperWord[k]) return false;
  return true;
}

// Whether `upperWord` occurs anywhere in `name` once the name's ASCII letters
// are upper-cased, without building the upper-cased name: most names of a
// search hold none of the words and are passed over here. Eight bytes are
// tested at a time for the word's first character (either case of a letter);
// the test may let through a byte that is not one, never miss one, and every
// place it lets through is checked whole.
bool OccursIgnoringCase(std::string_view upperWord, std::string_view name) {
  if (upperWord.size() > name.size()) return false;
  const std::size_t last = name.size() - upperWord.size();
  const char first = upperWord.front();
  const bool letter = first >= 'A' && first <= 'Z';
  constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
  constexpr std::uint64_t kHighs = 0x8080808080808080ULL;
  const std::uint64_t fold = letter ? 0x20 * kOnes : 0;
  const std::uint64_t wanted = static_cast<unsigned char>(letter ? first | 0x20 : first) * kOnes;
  std::size_t at = 0;
  if constexpr (std::endian::native == std::endian::little) {
    for (; at + 8 <= last + 1; at += 8) {
      std::uint64_t chunk;
      std::memcpy(&chunk, name.data() + at, sizeof chunk);
      const std::uint64_t x = (chunk | fold) ^ wanted;
      // A byte of x is zero where the first character may stand.
      for (std::uint64_t hits = (x - kOnes) & ~x & kHighs; hits != 0; hits &= hits - 1)
        if (MatchesAt(upperWord, name, at + static_cast<std::size_t>(std::countr_zero(hits)) / 8))
          return true;
    }
  }
  for (; at <= last; ++at)
    if (AsciiUpper(name[at]) == first && MatchesAt(upperWord, name, at)) return true;
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
