#include "nutrition/unit_dictionary.h"

#include <memory>
#include <string>

#include "nutrition/food_element.h"
#include "storage/document_file.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_node.h"

namespace korvela {

TUnitDictionary DefaultUnits() {
  const struct {
    const char* desc;
    Extended gr;
  } defaults[] = {
      {"oz", 28.35L},
      {"kg", 1000},
      {"pound(s)", 453},
      {"tablespoon(s)", kNoFixedGrams},
      {"teaspoon(s)", kNoFixedGrams},
      {"pint", kNoFixedGrams},
      {"quart", kNoFixedGrams},
      {"gallon", kNoFixedGrams},
      {"liter", 1000},
      {"ml", 1},
      {"dl", 100},
      {"half", kNoFixedGrams},
      {"slice", kNoFixedGrams},
      {"piece", kNoFixedGrams},
      {"serving", kNoFixedGrams},
      {"small", kNoFixedGrams},
      {"medium", kNoFixedGrams},
      {"large", kNoFixedGrams},
      {"package", kNoFixedGrams},
      {"bar", kNoFixedGrams},
      {"bag", kNoFixedGrams},
      {"box", kNoFixedGrams},
      {"meal", kNoFixedGrams},
  };
  TUnitDictionary units;
  units.reserve(std::size(defaults));
  for (const auto& unit : defaults) units.push_back({unit.desc, 1, unit.gr});
  return units;
}

TUnitDictionary LoadUnitDictionary(const std::filesystem::path& programFolder, TFileSystem& fs) {
  const std::filesystem::path file = programFolder / kUnitDictionaryFile;
  if (!fs.Exists(file)) return DefaultUnits();
  try {
    const std::unique_ptr<XMLNode> root = LoadDocumentFile(file, kUnitDictionaryElement, fs);
    TUnitDictionary units;
    units.reserve(root->Children.size());
    for (const auto& child : root->Children) units.push_back(ReadWeightElement(*child));
    return units;
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

void SaveUnitDictionary(const TUnitDictionary& units, const std::filesystem::path& programFolder,
                        TRandom& random, TFileSystem& fs) {
  XMLNode root{std::string(kUnitDictionaryElement)};
  for (const TWeightItem& unit : units) root.AddChild(WriteWeightElement(unit));
  SaveXMLFile(root, programFolder / kUnitDictionaryFile, kDataKey, random, fs);
}

}  // namespace korvela
