#include "training/expressions.h"

#include <cmath>
#include <limits>
#include <string>

#include "storage/errors.h"
#include "storage/value_text.h"
#include "training/rm_fractions.h"

namespace korvela {
namespace {

constexpr std::int64_t kInt32Max = std::numeric_limits<std::int32_t>::max();

std::string WithoutBlanks(std::string_view text) {
  std::string s;
  for (const char c : text)
    if (c != ' ') s += c;
  return s;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c, char upper) { return c == upper || c == upper + ('a' - 'A'); }

// A run of digits that fits 32 bits.
std::optional<std::int64_t> TermInteger(const std::string& term) {
  if (term.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const char c : term) {
    if (!IsDigit(c)) return std::nullopt;
    value = value * 10 + (c - '0');
    if (value > kInt32Max) return std::nullopt;
  }
  if (value > kInt32Max) return std::nullopt;
  return value;
}

// The nearest integer of a / b (a >= 0, b > 0), halves to the even integer.
std::int64_t RoundHalfEven(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  const std::int64_t r = a % b;
  if (2 * r > b || (2 * r == b && q % 2 == 1)) return q + 1;
  return q;
}

// The value of one term of a weight expression; -1 when invalid.
Extended WeightTerm(const TConfigurator& config, std::string_view term, Extended oneRM) {
  std::size_t end = 0;
  while (end < term.size() && (IsDigit(term[end]) || term[end] == ',' || term[end] == '.')) ++end;
  if (end == 0) return -1;
  Extended n = 0;
  try {
    n = ParseNumber(term.substr(0, end), config.FloatingChar());
  } catch (const EConvertError&) {
    return -1;
  }
  std::string_view rest = term.substr(end);
  if (rest.empty()) return n;
  const auto isRM = [](std::string_view s) {
    return s.size() == 2 && IsLetter(s[0], 'R') && IsLetter(s[1], 'M');
  };
  if (isRM(rest)) {
    if (n != std::floor(n) || !HasRMFraction(static_cast<std::int64_t>(n)) || oneRM <= 0) return -1;
    return RMFraction(static_cast<std::int64_t>(n)) * oneRM;
  }
  if (rest.front() != '%') return -1;
  rest.remove_prefix(1);
  std::size_t digits = 0;
  while (digits < rest.size() && IsDigit(rest[digits])) ++digits;
  if (digits == 0 || digits > 9 || !isRM(rest.substr(digits))) return -1;
  const std::int64_t d = std::stoll(std::string(rest.substr(0, digits)));
  if (!HasRMFraction(d) || oneRM <= 0) return -1;
  return n / 100 * RMFraction(d) * oneRM;
}

}  // namespace

std::optional<std::int32_t> RepetitionValue(std::string_view expression, std::int32_t maxReps) {
  const std::string e = WithoutBlanks(expression);
  if (e.empty()) return std::nullopt;
  std::int64_t total = 0;
  char sign = '+';
  std::string term = "0";
  const auto apply = [&](std::int64_t value) { total += sign == '+' ? value : -value; };
  for (std::size_t i = 0; i < e.size(); ++i) {
    const char c = e[i];
    if (IsDigit(c)) {
      term += c;
    } else if (c == '+' || c == '-') {
      const auto value = TermInteger(term);
      if (!value || i + 1 == e.size()) return std::nullopt;
      apply(*value);
      sign = c;
      term.clear();
    } else if (c == '%') {
      const auto value = TermInteger(term);
      if (i == 0 || !value) return std::nullopt;
      if (i + 2 < e.size() && IsLetter(e[i + 1], 'M')) {
        if (!IsLetter(e[i + 2], 'R')) return std::nullopt;
        i += 2;
      }
      if (maxReps <= 0) return std::nullopt;
      term = std::to_string(RoundHalfEven(*value * maxReps, 100));
    } else {
      return std::nullopt;
    }
  }
  const auto value = TermInteger(term);
  if (!value) return std::nullopt;
  apply(*value);
  if (total > kInt32Max || total < -kInt32Max) return std::nullopt;
  return static_cast<std::int32_t>(total);
}

Extended WeightValue(const TConfigurator& config, std::string_view expression, std::int32_t reps,
                     Extended oneRM) {
  const std::string e = "0" + WithoutBlanks(expression);
  if (e.size() == 1) return -1;
  for (const char c : e)
    if (!IsDigit(c) && c != ',' && c != '.' && c != '%' && c != '+' && c != '-' &&
        !IsLetter(c, 'M') && !IsLetter(c, 'R'))
      return -1;
  Extended sum = 0;
  char sign = '+';
  std::size_t start = 0;
  for (std::size_t i = 0; i <= e.size(); ++i) {
    if (i < e.size() && e[i] != '+' && e[i] != '-') continue;
    if (i == start || (i < e.size() && i + 1 == e.size())) return -1;
    const Extended term = WeightTerm(config, std::string_view(e).substr(start, i - start), oneRM);
    if (term < 0) return -1;
    sum += sign == '+' ? term : -term;
    if (i < e.size()) sign = e[i];
    start = i + 1;
  }
  if (reps == 0) return sum;
  if (!HasRMFraction(reps) || oneRM == -1) return -1;
  const Extended nRM = RMFraction(reps) * oneRM;
  if (nRM == 0) return -1;
  return sum / nRM * 100;
}

bool IsAbsoluteWeight(const TConfigurator& config, std::string_view expression) {
  return WeightValue(config, expression, 0, -1) >= 0;
}

bool IsPurelyRelativeWeight(const TConfigurator& config, std::string_view expression) {
  return std::fabs(WeightValue(config, expression, 2, 1000) -
                   WeightValue(config, expression, 2, 100)) <= 0.0001L;
}

}  // namespace korvela
