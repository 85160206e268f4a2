#include "storage/base64.h"

#include <array>
#include <cstdint>

namespace korvela {
namespace {

constexpr std::string_view kAlphabet =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The six-bit value of each character; -1 outside the alphabet.
constexpr std::array<std::int8_t, 256> MakeValues() {
  std::array<std::int8_t, 256> values{};
  for (auto& v : values) v = -1;
  for (std::size_t i = 0; i < kAlphabet.size(); ++i)
    values[static_cast<unsigned char>(kAlphabet[i])] = static_cast<std::int8_t>(i);
  return values;
}
constexpr std::array<std::int8_t, 256> kValues = MakeValues();

}  // namespace

std::string EncodeBase64(std::string_view bytes) {
  std::string text;
  text.reserve((bytes.size() + 2) / 3 * 4);
  std::size_t i = 0;
  for (; i + 3 <= bytes.size(); i += 3) {
    const std::uint32_t group =
        static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16 |
        static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8 |
        static_cast<unsigned char>(bytes[i + 2]);
    text += kAlphabet[group >> 18 & 63];
    text += kAlphabet[group >> 12 & 63];
    text += kAlphabet[group >> 6 & 63];
    text += kAlphabet[group & 63];
  }
  const std::size_t rest = bytes.size() - i;
  if (rest > 0) {
    std::uint32_t group = static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i])) << 16;
    if (rest == 2)
      group |= static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i + 1])) << 8;
    text += kAlphabet[group >> 18 & 63];
    text += kAlphabet[group >> 12 & 63];
    text += rest == 2 ? kAlphabet[group >> 6 & 63] : '=';
    text += '=';
  }
  return text;
}

std::optional<std::string> DecodeBase64(std::string_view text) {
  if (text.size() % 4 != 0) return std::nullopt;
  std::size_t padding = 0;
  if (!text.empty() && text.back() == '=') padding = text[text.size() - 2] == '=' ? 2 : 1;
  std::string bytes;
  bytes.reserve(text.size() / 4 * 3);
  for (std::size_t i = 0; i < text.size(); i += 4) {
    const bool last = i + 4 == text.size();
    const std::size_t used = last ? 4 - padding : 4;
    std::uint32_t group = 0;
    for (std::size_t k = 0; k < 4; ++k) {
      std::int8_t value = 0;
      if (k < used) {
        value = kValues[static_cast<unsigned char>(text[i + k])];
        if (value < 0) return std::nullopt;
      }
      group = group << 6 | static_cast<std::uint32_t>(value);
    }
    // Bits beyond the last byte must be zero, so that every byte string has
    // one text only.
    if ((padding == 1 && last && (group & 0xFF) != 0) ||
        (padding == 2 && last && (group & 0xFFFF) != 0))
      return std::nullopt;
    bytes += static_cast<char>(group >> 16 & 0xFF);
    if (used > 2) bytes += static_cast<char>(group >> 8 & 0xFF);
    if (used > 3) bytes += static_cast<char>(group & 0xFF);
  }
  return bytes;
}

}  // namespace korvela
