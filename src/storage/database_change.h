#pragma once
#include <filesystem>
#include <memory>

#include "storage/errors.h"
#include "storage/xml_db.h"

namespace korvela {

// Runs one change on a record database file and saves it. With the file held
// open (`open`), the change goes to it; when the change or its save fails,
// the open file starts again from what is on the disk, so that nothing of the
// failed change reaches a later save. Otherwise the file is opened for this
// change alone. Errors name the file.
template <typename TAction>
void ChangeDatabaseFile(std::unique_ptr<XMLDB>& open, const std::filesystem::path& file,
                        std::int32_t kind, TRandom& random, TFileSystem& fs, TAction action) {
  try {
    if (open) {
      try {
        action(*open);
        open->Save();
      } catch (...) {
        open.reset();
        try {
          open = std::make_unique<XMLDB>(file, kind, random, fs);
        } catch (const EKorvelaError&) {
        }
        throw;
      }
      return;
    }
    XMLDB db(file, kind, random, fs);
    action(db);
    db.Save();
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

}  // namespace korvela
