#pragma once
#include <array>

namespace korvela {

// Texts of the maximal-strength calculator.
inline constexpr const char* kMaxStrengthCaption = "Calculate Maximal Strength";
inline constexpr const char* kMaxStrengthHeading =
    "Assess the maximal strength for various repetitions based on a set to failure";
inline constexpr const char* kMaxStrengthInputs = "Input weight and repetitions to failure";
inline constexpr const char* kMaxStrengthProfile = "Strength profile of that exercise";
inline constexpr const char* kMsgProvideRepetitions = "Please, provide the number of repetitions";
inline constexpr std::array<const char*, 3> kStrengthProfileColumns = {"Weight", "Reps to failure",
                                                                       "%1RM"};

// Prilepin's table: the sets, repetitions and total lifts that suit each
// band of intensity.
inline constexpr const char* kPrilepinCaption = "Prilepin's Table";
using TPrilepinRow = std::array<const char*, 4>;
inline constexpr std::array<TPrilepinRow, 5> kPrilepinTable = {{
    {"% 1RM Range", "Reps per Set", "Optimal Total", "Total Range"},
    {"70% and below", "3 - 6", "24", "18 - 30"},
    {"70% - 80%", "3 - 6", "18", "12 - 24"},
    {"80% - 89%", "2 - 4", "15", "10 - 20"},
    {"90% and above", "1 - 2", "7", " 4 - 10"},
}};

}  // namespace korvela
