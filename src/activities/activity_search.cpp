#include "activities/activity_search.h"

#include <algorithm>
#include <numeric>

#include "storage/text_helpers.h"

namespace korvela {

std::string UpperAscii(std::string_view text) {
  std::string upper(text);
  for (char& c : upper)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return upper;
}

std::size_t MatchPosition(const std::vector<std::string>& words, std::string_view upperName) {
  std::size_t best = 0;
  for (const std::string& word : words) {
    const std::size_t position = FindWordStart(word, upperName);
    if (position == 0) return 0;
    if (best == 0 || position < best) best = position;
  }
  return words.empty() ? 1 : best;
}

void TActivitySearch::SetNames(const std::vector<std::string>& names) {
  upper_.clear();
  upper_.reserve(names.size());
  for (const std::string& name : names) upper_.push_back(UpperAscii(name));
}

std::vector<std::size_t> TActivitySearch::Filter(std::string_view text) const {
  const std::vector<std::string> words = SearchWords(text);
  std::vector<std::size_t> shown;
  shown.reserve(upper_.size());
  for (std::size_t i = 0; i < upper_.size(); ++i)
    if (MatchPosition(words, upper_[i]) != 0) shown.push_back(i);
  return shown;
}

int TActivitySearch::BestMatch(std::string_view text, const std::vector<std::size_t>& shown) const {
  const std::vector<std::string> words = SearchWords(text);
  if (words.empty()) return -1;
  int best = -1;
  std::size_t bestPosition = 0;
  for (const std::size_t i : shown) {
    if (i >= upper_.size()) continue;
    const std::size_t position = MatchPosition(words, upper_[i]);
    if (position != 0 && (best == -1 || position < bestPosition)) {
      best = static_cast<int>(i);
      bestPosition = position;
    }
  }
  return best;
}

int TActivitySearch::BestMatch(std::string_view text) const {
  std::vector<std::size_t> all(upper_.size());
  std::iota(all.begin(), all.end(), std::size_t{0});
  return BestMatch(text, all);
}

}  // namespace korvela
