#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace korvela {

inline constexpr const char* kAboutCommand = "About Korvela...";
inline constexpr const char* kAboutCaption = "About Korvela";
inline constexpr const char* kLicenceAddress = "https://www.gnu.org/licenses/gpl-3.0.html";

// The program's version, as the build gives it ("0.1.0").
std::string_view KorvelaVersion();

// The paragraphs of the About screen, plain text: name and version, what
// the program is, who holds the copyright, the licence and where the food
// data comes from; `qtVersion` is the version of the Qt the program runs on.
std::vector<std::string> AboutParagraphs(std::string_view qtVersion);

}  // namespace korvela
