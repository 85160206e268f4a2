#include "users/access_keys.h"

#include <map>
#include <set>
#include <vector>

namespace korvela {
namespace {

bool IsKeyChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The caption without its key mark, lone ampersands doubled: the text as it
// would show with "&&" kept.
std::string Unmarked(const std::string& caption) {
  std::string out;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] != '&') {
      out += caption[i];
    } else if (i + 1 < caption.size() && caption[i + 1] == '&') {
      out.append(2, '&');
      ++i;
    } else if (i + 1 < caption.size() && IsKeyChar(caption[i + 1])) {
      // the mark goes; the character stays
    } else {
      out.append(2, '&');
    }
  }
  return out;
}

// The characters that could carry a caption's key, best first: the starts
// of words, then the others, each character once (by its lower case).
std::vector<std::size_t> Candidates(const std::string& text) {
  std::vector<std::size_t> order;
  std::set<char> seen;
  for (const bool starts : {true, false}) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '&') {  // "&&"
        ++i;
        continue;
      }
      const bool wordStart = i == 0 || !IsKeyChar(text[i - 1]);
      if (!IsKeyChar(text[i]) || wordStart != starts) continue;
      if (seen.insert(Lower(text[i])).second) order.push_back(i);
    }
  }
  return order;
}

// Kuhn's augmenting path: caption `i` takes a free key or one whose holder
// can move to another; `owner` maps keys to the caption holding them (-1
// for a key a screen fixed, which never moves).
bool Place(std::size_t i, const std::vector<std::string>& texts,
           const std::vector<std::vector<std::size_t>>& candidates, std::map<char, long>& owner,
           std::vector<std::size_t>& chosen, std::set<char>& visited) {
  for (std::size_t at : candidates[i]) {
    const char key = Lower(texts[i][at]);
    if (!visited.insert(key).second) continue;
    const auto it = owner.find(key);
    if (it != owner.end() && it->second < 0) continue;
    if (it == owner.end() ||
        Place(static_cast<std::size_t>(it->second), texts, candidates, owner, chosen, visited)) {
      owner[key] = static_cast<long>(i);
      chosen[i] = at;
      return true;
    }
  }
  return false;
}

}  // namespace

char AccessKeyOf(const std::string& caption) {
  for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    return IsKeyChar(caption[i + 1]) ? Lower(caption[i + 1]) : 0;
  }
  return 0;
}

std::vector<std::string> WithAccessKeys(const std::vector<std::string>& captions) {
  std::vector<std::string> out(captions.size());
  std::map<char, long> owner;
  std::vector<bool> keyed(captions.size(), false);
  // Keys already given are kept, first come first served.
  for (std::size_t i = 0; i < captions.size(); ++i) {
    const char key = AccessKeyOf(captions[i]);
    if (key != 0 && !owner.count(key)) {
      owner[key] = -1;
      out[i] = captions[i];
      keyed[i] = true;
    } else {
      out[i] = Unmarked(captions[i]);
    }
  }
  // The others, in order, each placed so that as many as possible get one.
  std::vector<std::vector<std::size_t>> candidates(captions.size());
  std::vector<std::size_t> chosen(captions.size(), std::string::npos);
  for (std::size_t i = 0; i < captions.size(); ++i) {
    if (keyed[i] || out[i].empty()) continue;
    candidates[i] = Candidates(out[i]);
    std::set<char> visited;
    Place(i, out, candidates, owner, chosen, visited);
  }
  for (std::size_t i = 0; i < captions.size(); ++i)
    if (chosen[i] != std::string::npos)
      out[i].insert(out[i].begin() + static_cast<std::ptrdiff_t>(chosen[i]), '&');
  return out;
}

}  // namespace korvela
