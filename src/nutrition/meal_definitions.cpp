#include "nutrition/meal_definitions.h"

#include <memory>
#include <string>

#include "storage/document_file.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {

TMealDefinitions DefaultMealDefinitions() {
  const struct {
    const char* name;
    int hour;
    int minute;
  } defaults[] = {{"Breakfast", 7, 30}, {"Snack 1", 10, 0}, {"Lunch", 12, 0},
                  {"Snack 2", 15, 0},   {"Supper", 18, 0},  {"Snack 3", 21, 0}};
  TMealDefinitions definitions;
  for (const auto& meal : defaults)
    definitions.push_back({meal.name, (meal.hour * 60 + meal.minute) / 1440.0, {}});
  return definitions;
}

TMealDefinitions LoadMealDefinitions(const std::filesystem::path& userFolder, TFileSystem& fs) {
  const std::filesystem::path file = userFolder / kMealDefinitionsFile;
  if (!fs.Exists(file)) return DefaultMealDefinitions();
  try {
    const std::unique_ptr<XMLNode> root = LoadDocumentFile(file, kMealDefinitionsElement, fs);
    TMealDefinitions definitions;
    definitions.reserve(root->Children.size());
    for (const auto& child : root->Children)
      definitions.push_back(
          {child->AttrText(kMealNameAttr), TimeOfDay(child->AttrFloat(kMealTimeAttr)), {}});
    SortMeals(definitions);
    return definitions;
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

void SaveMealDefinitions(TMealDefinitions& definitions, const std::filesystem::path& userFolder,
                         TRandom& random, TFileSystem& fs) {
  SortMeals(definitions);
  XMLNode root{std::string(kMealDefinitionsElement)};
  for (const TMeal& meal : definitions) {
    auto node = std::make_unique<XMLNode>(std::string(kMealDefinitionElement));
    node->AddAttr(std::string(kMealNameAttr), meal.Name);
    node->AddFloatAttr(std::string(kMealTimeAttr), meal.TOD);
    root.AddChild(std::move(node));
  }
  SaveXMLFile(root, userFolder / kMealDefinitionsFile, kDataKey, random, fs);
}

}  // namespace korvela
