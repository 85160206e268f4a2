#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "nutrition/measure_grid.h"
#include "nutrition/unit_dictionary.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kUnitDictionaryCaption = "Food weights library...";
inline constexpr const char* kUnitDictionaryHeading = "Default food weights";
// What the delete question says for a unit without a gram weight.
inline constexpr const char* kNoGramsText = "N/A";

// The unit dictionary editor: its grid until OK, which checks every row,
// rebuilds the dictionary in grid order and writes "FW.DAT".
class TUnitDictionaryEditor {
 public:
  TUnitDictionaryEditor(const TUnitDictionary& units, const TConfigurator& config);

  TMeasureGrid& Grid() { return grid_; }
  // "New": amount "1", no unit or grams yet, the unit cell selected.
  void NewUnit();
  std::string DeleteQuestion() const { return grid_.DeleteQuestion(kNoGramsText); }

  // The first row that is not a unit, with the cell to return to.
  std::optional<TMeasureRowFault> Check() const { return grid_.Check(false); }
  // Writes the grid as the dictionary and, once written, makes it the
  // program's. A refused write leaves both as they were and returns the
  // warning.
  std::optional<std::string> Save(TUnitDictionary& units,
                                  const std::filesystem::path& programFolder, TRandom& random,
                                  TFileSystem& fs = PosixFileSystem());

 private:
  TMeasureGrid grid_;
};

}  // namespace korvela
