#include "storage/write_refused.h"

namespace korvela {

std::string WriteRefusedText(const std::filesystem::path& file, const EKorvelaError& error) {
  std::string text = "Korvela could not save the file \"" + file.string() + "\".";
  if (!error.Message().empty()) text += "\nReason: " + error.Message() + ".";
  text +=
      "\n\nWhat you entered is still on the screen and the file keeps its earlier content. "
      "Free some disk space or check that the folder may be written to, then try again.";
  return text;
}

std::string WriteRefusedText(const EXMLIOError& error) {
  return WriteRefusedText(error.File(), error);
}

}  // namespace korvela
