#pragma once
#include <string>
#include <string_view>

#include "reports/report_page.h"

namespace korvela {

// The texts every graph screen shares.
inline constexpr const char* kPrintGraphErrorMessage =
    "There was an error trying to print the graph!";
inline constexpr TExportDialog kSaveGraphDialog = {"Save Graph as Image", "Images (*.png *.svg)",
                                                   "png", "Graph.png"};

// The warning when a picture of a graph cannot be written.
inline std::string GraphImageRefusedText(std::string_view file, std::string_view reason) {
  return "The graph could not be saved to \"" + std::string(file) + "\": " + std::string(reason) +
         ". Any earlier file of that name is left as it was.";
}

}  // namespace korvela
