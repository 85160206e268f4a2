#pragma once
#include <cstdint>
#include <optional>
#include <span>

namespace korvela {

// A stored colour: 0x00BBGGRR for an RGB colour, 0xFF0000nn for system
// colour number nn (the desktop's element colours: window, highlight, ...),
// kNoColor for none.
using TColorValue = std::uint32_t;
inline constexpr TColorValue kNoColor = 0x1FFFFFFF;
inline constexpr TColorValue kSystemColorFlag = 0xFF000000;

constexpr TColorValue RgbColor(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
  return TColorValue{red} | TColorValue{green} << 8 | TColorValue{blue} << 16;
}
constexpr TColorValue SystemColor(std::uint8_t number) { return kSystemColorFlag | number; }

constexpr std::uint8_t RedOf(TColorValue rgb) { return rgb & 0xFF; }
constexpr std::uint8_t GreenOf(TColorValue rgb) { return (rgb >> 8) & 0xFF; }
constexpr std::uint8_t BlueOf(TColorValue rgb) { return (rgb >> 16) & 0xFF; }

// One entry of a colour list.
struct TNamedColor {
  const char* name;
  TColorValue value;
};

// The colours a phase can take, in list order: the named colours, the system
// colours, then "None".
std::span<const TNamedColor> PhaseColorChoices();

// The RGB colour (0x00BBGGRR) to paint for a stored colour: system colours in
// their classic desktop scheme; none for kNoColor or an unknown value.
std::optional<TColorValue> PaintedColor(TColorValue color);

}  // namespace korvela
