#pragma once
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "nutrition/food_search.h"

namespace korvela {

// The word search of the activity lists splits a search text into words as
// the food search does (`SearchWords`: blanks separate, ASCII upper-cased, at
// most kMaxSearchWords); an empty text has no words and matches everything.

// ASCII letters upper-cased, every other byte kept.
std::string UpperAscii(std::string_view text);

// 0 when some word does not start a word of the upper-cased name; otherwise
// the smallest 1-based position at which a search word starts a word of it.
// No words: 1.
std::size_t MatchPosition(const std::vector<std::string>& words, std::string_view upperName);

// A list of names prepared for searching: the upper-cased names are made
// once, so that each keystroke only scans them.
class TActivitySearch {
 public:
  // `names` in display order.
  void SetNames(const std::vector<std::string>& names);
  std::size_t Count() const { return upper_.size(); }

  // The positions (display order) of the names that match every word.
  std::vector<std::size_t> Filter(std::string_view text) const;
  // Among `shown` (positions in display order), the one whose smallest
  // word-start position is lowest, the first on a tie; -1 when none matches.
  // An empty text picks nothing.
  int BestMatch(std::string_view text, const std::vector<std::size_t>& shown) const;
  // The same over every name.
  int BestMatch(std::string_view text) const;

 private:
  std::vector<std::string> upper_;
};

}  // namespace korvela
