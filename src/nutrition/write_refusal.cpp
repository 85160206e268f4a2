#include "nutrition/write_refusal.h"

namespace korvela {

std::string WriteRefusedMessage(const std::filesystem::path& file, const EKorvelaError& error) {
  std::string text =
      "\"" + file.filename().string() + "\" could not be written in " + file.parent_path().string();
  if (!error.Message().empty()) text += ": " + error.Message();
  return text + ".\nYour changes are kept: press OK to try again, or Cancel to drop them.";
}

}  // namespace korvela
