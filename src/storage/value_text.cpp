#include "storage/value_text.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "storage/errors.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view TrimLeft(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  return text;
}

std::string_view Trim(std::string_view text) {
  text = TrimLeft(text);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Reads a decimal number ("." as point, optional sign and exponent) that
// fills the whole text. Returns the number of characters consumed; success
// only when that is the whole text.
struct TDecimalRead {
  double value = 0;
  std::size_t used = 0;
  bool ok = false;
};

TDecimalRead ReadDecimal(std::string_view text) {
  TDecimalRead r;
  std::size_t start = 0;
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    start = 1;
  }
  // from_chars would also take "inf" and "nan", which are no numbers here.
  if (start >= text.size() || !(text[start] == '.' || (text[start] >= '0' && text[start] <= '9'))) {
    r.used = start;
    return r;
  }
  const char* first = text.data() + start;
  const char* last = text.data() + text.size();
  const auto [end, ec] = std::from_chars(first, last, r.value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    r.used = static_cast<std::size_t>(end - text.data());
    return r;
  }
  if (ec != std::errc()) {
    r.used = start;
    return r;
  }
  if (negative) r.value = -r.value;
  r.used = static_cast<std::size_t>(end - text.data());
  r.ok = r.used == text.size();
  return r;
}

}  // namespace

std::string FloatText(double value) {
  if (!std::isfinite(value) || value == 0) return " 0.00000000000000E+0000";
  char digits[40];
  // "%.14E" rounds to 15 significant digits: d.ddddddddddddddE+xx.
  const int n = std::snprintf(digits, sizeof digits, "%.14E", std::fabs(value));
  const std::string_view s(digits, static_cast<std::size_t>(n));
  const std::size_t e = s.find('E');
  const int exponent = std::atoi(digits + e + 1);
  char out[32];
  std::snprintf(out, sizeof out, "%c%.*sE%c%04d", value < 0 ? '-' : ' ', static_cast<int>(e),
                digits, exponent < 0 ? '-' : '+', std::abs(exponent));
  return out;
}

std::string IntText(std::int32_t value) { return std::to_string(value); }

std::string BoolText(bool value) { return value ? "-1" : "0"; }

std::int32_t ReadIntText(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text[0] == '+') text.remove_prefix(1);
  std::int32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || text.empty())
    throw EConvertError("'" + std::string(text) + "' is not a valid integer value");
  return value;
}

double ReadFloatText(std::string_view text) {
  const TDecimalRead r = ReadDecimal(Trim(text));
  if (!r.ok) throw EConvertError("'" + std::string(text) + "' is not a valid floating point value");
  return r.value;
}

bool ReadBoolText(std::string_view text) {
  const std::string_view t = Trim(text);
  if (SameTextIgnoringCase(t, "true")) return true;
  if (SameTextIgnoringCase(t, "false")) return false;
  const TDecimalRead r = ReadDecimal(t);
  if (!r.ok) throw EConvertError("'" + std::string(text) + "' is not a valid boolean value");
  return r.value != 0;
}

double ParseNumber(std::string_view text, char floatingChar) {
  const std::string_view t = Trim(text);
  if (t.empty()) throw EConvertError();
  TDecimalRead r = ReadDecimal(t);
  if (r.ok) return r.value;
  if (r.used < t.size() && t[r.used] == floatingChar && floatingChar != '.') {
    std::string changed(t);
    changed[r.used] = '.';
    r = ReadDecimal(changed);
    if (r.ok) return r.value;
  }
  throw EConvertError();
}

}  // namespace korvela
