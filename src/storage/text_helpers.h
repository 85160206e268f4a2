#pragma once
#include <cstddef>
#include <string>
#include <string_view>

namespace korvela {

// Trims the text, reduces runs of spaces to one and removes the spaces around
// the first "/": "  1   1 / 2 " becomes "1 1/2".
std::string NormalizeFraction(std::string_view text);

// A number, a fraction "a/b" or a mixed number "w a/b", each number written
// out (digits and at most one "." or user's decimal character, no exponent)
// and read with ParseNumber. Any other shape or a zero denominator raises
// EConvertError.
double ParseFraction(std::string_view text, char floatingChar);

// The 1-based position of an occurrence of `word` in `text` that starts a
// word (at the start, or after a character that is not a letter A-Z/a-z),
// or 0. Case-sensitive: callers pass both texts in one letter case.
std::size_t FindWordStart(std::string_view word, std::string_view text);

// Equal texts when the letters A-Z and a-z are compared without regard to
// their case; every other byte must be equal.
bool SameTextIgnoringCase(std::string_view a, std::string_view b);

// "+" in front of a number's text unless it is "0", empty or negative.
std::string SignedText(std::string_view text);

// A text longer than n characters becomes its first n-3 characters and
// "..."; characters are counted as UTF-8 code points.
std::string Ellipsize(std::string_view text, std::size_t n);

}  // namespace korvela
