#include "storage/text_helpers.h"

#include <algorithm>

#include <vector>

#include "storage/errors.h"
#include "storage/value_text.h"

namespace korvela {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// A number as people write it: a sign, digits and at most one decimal
// character ("." or the user's), with at least one digit. The exponent form
// of stored numbers ("1e30") is no typed quantity.
bool IsWrittenOut(std::string_view text, char floatingChar) {
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) text.remove_prefix(1);
  bool digit = false;
  bool point = false;
  for (char c : text) {
    if (c >= '0' && c <= '9') {
      digit = true;
    } else if ((c == '.' || c == floatingChar) && !point) {
      point = true;
    } else {
      return false;
    }
  }
  return digit;
}

// The byte offset of the code point with index `count`, or the text's size.
std::size_t Utf8Offset(std::string_view text, std::size_t count) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) == 0x80) continue;
    if (seen++ == count) return i;
  }
  return text.size();
}

std::size_t Utf8Length(std::string_view text) {
  std::size_t n = 0;
  for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  return n;
}

}  // namespace

std::string NormalizeFraction(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  std::string out;
  out.reserve(text.size());
  for (char c : text)
    if (!(c == ' ' && !out.empty() && out.back() == ' ')) out.push_back(c);
  const std::size_t slash = out.find('/');
  if (slash != std::string::npos) {
    std::size_t after = slash + 1;
    while (after < out.size() && out[after] == ' ') ++after;
    std::size_t before = slash;
    while (before > 0 && out[before - 1] == ' ') --before;
    out = out.substr(0, before) + "/" + out.substr(after);
  }
  return out;
}

double ParseFraction(std::string_view text, char floatingChar) {
  const std::string normal = NormalizeFraction(text);
  // Each space and each "/" is a token of its own.
  std::vector<std::string_view> tokens;
  const std::string_view s = normal;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == ' ' || s[i] == '/') {
      if (i > start) tokens.push_back(s.substr(start, i - start));
      if (i < s.size()) tokens.push_back(s.substr(i, 1));
      start = i + 1;
    }
    if (tokens.size() > 5) throw EConvertError();
  }
  auto number = [&](std::size_t i) {
    if (!IsWrittenOut(tokens[i], floatingChar)) throw EConvertError();
    return ParseNumber(tokens[i], floatingChar);
  };
  auto quotient = [&](std::size_t i) {
    if (tokens[i + 1] != "/") throw EConvertError();
    const double denominator = number(i + 2);
    if (denominator == 0) throw EConvertError();
    return number(i) / denominator;
  };
  switch (tokens.size()) {
    case 1:
      return number(0);
    case 3:
      return quotient(0);
    case 5:
      if (tokens[1] != " ") throw EConvertError();
      return number(0) + quotient(2);
    default:
      throw EConvertError();
  }
}

std::size_t FindWordStart(std::string_view word, std::string_view text) {
  std::string copy(text);
  std::size_t removed = 0;
  for (;;) {
    const std::size_t at = copy.find(word);
    if (at == std::string::npos) return 0;
    if (at == 0 || !IsAsciiLetter(copy[at - 1])) return at + 1 + removed;
    copy.erase(at, word.size());
    removed += word.size();
  }
}

bool SameTextIgnoringCase(std::string_view a, std::string_view b) {
  auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                    [&lower](char x, char y) { return lower(x) == lower(y); });
}

std::string SignedText(std::string_view text) {
  if (text.empty() || text == "0" || text.front() == '-') return std::string(text);
  std::string signedText = "+";
  signedText += text;
  return signedText;
}

std::string Ellipsize(std::string_view text, std::size_t n) {
  if (Utf8Length(text) <= n) return std::string(text);
  const std::size_t keep = n >= 3 ? n - 3 : 0;
  return std::string(text.substr(0, Utf8Offset(text, keep))) + "...";
}

}  // namespace korvela
