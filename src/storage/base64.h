#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace korvela {

// The standard base64 alphabet with "=" padding, no line breaks.
std::string EncodeBase64(std::string_view bytes);
// The bytes of a base64 text; none when a character lies outside the
// alphabet or the length or padding is wrong. Blanks are not allowed.
std::optional<std::string> DecodeBase64(std::string_view text);

}  // namespace korvela
