#include "energy/color_value.h"

#include <array>

namespace korvela {
namespace {

// The classic desktop scheme of the system colours, by number.
constexpr std::array<TColorValue, 25> kSystemColorScheme = {
    RgbColor(212, 208, 200),  // 0 scroll bar
    RgbColor(58, 110, 165),   // 1 desktop
    RgbColor(10, 36, 106),    // 2 active caption
    RgbColor(128, 128, 128),  // 3 inactive caption
    RgbColor(212, 208, 200),  // 4 menu
    RgbColor(255, 255, 255),  // 5 window
    RgbColor(0, 0, 0),        // 6 window frame
    RgbColor(0, 0, 0),        // 7 menu text
    RgbColor(0, 0, 0),        // 8 window text
    RgbColor(255, 255, 255),  // 9 caption text
    RgbColor(212, 208, 200),  // 10 active border
    RgbColor(212, 208, 200),  // 11 inactive border
    RgbColor(128, 128, 128),  // 12 application workspace
    RgbColor(10, 36, 106),    // 13 highlight
    RgbColor(255, 255, 255),  // 14 highlight text
    RgbColor(212, 208, 200),  // 15 button face
    RgbColor(128, 128, 128),  // 16 button shadow
    RgbColor(128, 128, 128),  // 17 grey text
    RgbColor(0, 0, 0),        // 18 button text
    RgbColor(212, 208, 200),  // 19 inactive caption text
    RgbColor(255, 255, 255),  // 20 button highlight
    RgbColor(64, 64, 64),     // 21 dark 3D shadow
    RgbColor(212, 208, 200),  // 22 3D light
    RgbColor(0, 0, 0),        // 23 info text
    RgbColor(255, 255, 225),  // 24 info background
};

constexpr TNamedColor kPhaseColors[] = {
    {"Black", RgbColor(0, 0, 0)},
    {"Maroon", RgbColor(128, 0, 0)},
    {"Green", RgbColor(0, 128, 0)},
    {"Olive", RgbColor(128, 128, 0)},
    {"Navy", RgbColor(0, 0, 128)},
    {"Purple", RgbColor(128, 0, 128)},
    {"Teal", RgbColor(0, 128, 128)},
    {"Gray", RgbColor(128, 128, 128)},
    {"Silver", RgbColor(192, 192, 192)},
    {"Red", RgbColor(255, 0, 0)},
    {"Lime", RgbColor(0, 255, 0)},
    {"Yellow", RgbColor(255, 255, 0)},
    {"Blue", RgbColor(0, 0, 255)},
    {"Fuchsia", RgbColor(255, 0, 255)},
    {"Aqua", RgbColor(0, 255, 255)},
    {"White", RgbColor(255, 255, 255)},
    {"Money Green", RgbColor(192, 220, 192)},
    {"Sky Blue", RgbColor(166, 202, 240)},
    {"Cream", RgbColor(255, 251, 240)},
    {"Medium Gray", RgbColor(160, 160, 164)},
    {"Scroll Bar", SystemColor(0)},
    {"Desktop", SystemColor(1)},
    {"Active Caption", SystemColor(2)},
    {"Inactive Caption", SystemColor(3)},
    {"Menu", SystemColor(4)},
    {"Window", SystemColor(5)},
    {"Window Frame", SystemColor(6)},
    {"Menu Text", SystemColor(7)},
    {"Window Text", SystemColor(8)},
    {"Caption Text", SystemColor(9)},
    {"Active Border", SystemColor(10)},
    {"Inactive Border", SystemColor(11)},
    {"Application Workspace", SystemColor(12)},
    {"Highlight", SystemColor(13)},
    {"Highlight Text", SystemColor(14)},
    {"Button Face", SystemColor(15)},
    {"Button Shadow", SystemColor(16)},
    {"Gray Text", SystemColor(17)},
    {"Button Text", SystemColor(18)},
    {"Inactive Caption Text", SystemColor(19)},
    {"Button Highlight", SystemColor(20)},
    {"3D Dark Shadow", SystemColor(21)},
    {"3D Light", SystemColor(22)},
    {"Info Text", SystemColor(23)},
    {"Info Background", SystemColor(24)},
    {"None", kNoColor},
};

}  // namespace

std::span<const TNamedColor> PhaseColorChoices() { return kPhaseColors; }

std::optional<TColorValue> PaintedColor(TColorValue color) {
  if ((color & 0xFF000000) == kSystemColorFlag) {
    const TColorValue number = color & 0x00FFFFFF;
    if (number >= kSystemColorScheme.size()) return std::nullopt;
    return kSystemColorScheme[number];
  }
  if ((color & 0xFF000000) != 0) return std::nullopt;  // kNoColor and other values
  return color;
}

}  // namespace korvela
