#include "app/damaged_files.h"

#include "storage/record_salvage.h"

namespace korvela {

std::filesystem::path SetAsideName(const std::filesystem::path& file, TFileSystem& fs) {
  return FreeSetAsideName(file, fs);
}

std::string SetAsideQuestion(const std::filesystem::path& file, std::string_view contents,
                             TFileSystem& fs) {
  return "The file \"" + file.string() + "\" is damaged and cannot be read.\n\n" +
         "Set it aside as \"" + SetAsideName(file, fs).filename().string() +
         "\" and go on with the default " + std::string(contents) +
         "? The damaged file is kept in its folder.\n\n" +
         "No ends the program with an error report.";
}

bool OfferToSetAside(const EKorvelaError& error, const std::filesystem::path& file,
                     std::string_view contents, TPrompter* prompter, TFileSystem& fs) {
  if (!prompter || error.File().empty()) return false;
  if (std::filesystem::path(error.File()) != file || !fs.Exists(file)) return false;
  if (!prompter->AskYesNo(SetAsideQuestion(file, contents, fs))) return false;
  fs.Rename(file, SetAsideName(file, fs));
  return true;
}

}  // namespace korvela
