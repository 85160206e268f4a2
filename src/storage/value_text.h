#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace korvela {

// The stored text of a floating-point number: exactly 23 characters, a sign
// character (blank for zero and positive values), one digit, ".", fourteen
// digits, "E", the exponent's sign and four exponent digits; 15 significant
// digits. 72.5 is " 7.25000000000000E+0001".
std::string FloatText(double value);
// Plain decimal, "-" in front of negative numbers.
std::string IntText(std::int32_t value);
// "-1" for true, "0" for false.
std::string BoolText(bool value);

// Readers of stored values. Leading blanks and a sign are allowed; any other
// deviation raises EConvertError.
std::int32_t ReadIntText(std::string_view text);
// Accepts the 23-character form and any plain decimal text with ".".
double ReadFloatText(std::string_view text);
// Any number (non-zero is true) or "True"/"False" in any letter case; other
// text fails with "'<text>' is not a valid boolean value".
bool ReadBoolText(std::string_view text);

// The number reader of entry fields: the text is trimmed, "." is always the
// decimal point, and where reading stops at the user's decimal character that
// one character is taken as the point. Empty or malformed text raises
// EConvertError.
double ParseNumber(std::string_view text, char floatingChar);

}  // namespace korvela
