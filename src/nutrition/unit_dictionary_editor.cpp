#include "nutrition/unit_dictionary_editor.h"

#include "nutrition/write_refusal.h"
#include "storage/errors.h"

namespace korvela {

TUnitDictionaryEditor::TUnitDictionaryEditor(const TUnitDictionary& units,
                                             const TConfigurator& config)
    : grid_(MeasureRows(units, config), config) {}

void TUnitDictionaryEditor::NewUnit() { grid_.AppendRow({"1", "", ""}, TMeasureColumn::Unit); }

std::optional<std::string> TUnitDictionaryEditor::Save(TUnitDictionary& units,
                                                       const std::filesystem::path& programFolder,
                                                       TRandom& random, TFileSystem& fs) {
  TUnitDictionary edited = grid_.Weights(kNoFixedGrams);
  try {
    SaveUnitDictionary(edited, programFolder, random, fs);
  } catch (const EXMLIOError& e) {
    return WriteRefusedMessage(programFolder / kUnitDictionaryFile, e);
  }
  units = std::move(edited);
  return std::nullopt;
}

}  // namespace korvela
