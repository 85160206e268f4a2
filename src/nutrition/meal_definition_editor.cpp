#include "nutrition/meal_definition_editor.h"

#include <algorithm>

#include "nutrition/food_logging.h"
#include "nutrition/write_refusal.h"
#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {

TMealDefinitionEditor::TMealDefinitionEditor(TMealDefinitions definitions)
    : meals_(std::move(definitions)), selected_(meals_.empty() ? -1 : 0) {}

void TMealDefinitionEditor::Select(int row) {
  if (row >= 0 && row < Count()) selected_ = row;
}

void TMealDefinitionEditor::SetName(int row, std::string name) {
  if (row >= 0 && row < Count()) meals_[static_cast<std::size_t>(row)].Name = std::move(name);
}

void TMealDefinitionEditor::SetTime(int row, TDateTime time) {
  if (row >= 0 && row < Count()) meals_[static_cast<std::size_t>(row)].TOD = TimeOfDay(time);
}

void TMealDefinitionEditor::NewMeal(TDateTime now) {
  meals_.push_back({kNewMealName, TimeOfDay(now), {}});
  selected_ = Count() - 1;
}

std::optional<std::string> TMealDefinitionEditor::DeleteRefusal() const {
  if (Count() <= 1) return std::string(kMsgOneMealRequired);
  return std::nullopt;
}

std::string TMealDefinitionEditor::DeleteQuestion(const TConfigurator& config) const {
  if (selected_ < 0) return {};
  const TMeal& meal = meals_[static_cast<std::size_t>(selected_)];
  return "Do you really want to delete the selected meal \nMeal: \t" + meal.Name + "\nTime: \t" +
         TimeOfDayText(config, meal.TOD);
}

void TMealDefinitionEditor::DeleteSelected() {
  if (selected_ < 0 || Count() <= 1) return;
  meals_.erase(meals_.begin() + selected_);
  selected_ = std::min(selected_, Count() - 1);
}

void TMealDefinitionEditor::SortByTime() {
  if (selected_ < 0) {
    SortMeals(meals_);
    return;
  }
  selected_ = static_cast<int>(SortMeals(meals_, static_cast<std::size_t>(selected_)));
}

std::optional<std::string> TMealDefinitionEditor::Check() {
  for (int row = 0; row < Count(); ++row) {
    if (IsBlank(meals_[static_cast<std::size_t>(row)].Name)) {
      selected_ = row;
      return std::string(kMsgMealNamesRequired);
    }
  }
  return std::nullopt;
}

std::optional<std::string> TMealDefinitionEditor::Save(TMealDefinitions& definitions,
                                                       const std::filesystem::path& userFolder,
                                                       TRandom& random, TFileSystem& fs) {
  TMealDefinitions edited = meals_;
  try {
    SaveMealDefinitions(edited, userFolder, random, fs);
  } catch (const EXMLIOError& e) {
    return WriteRefusedMessage(userFolder / kMealDefinitionsFile, e);
  }
  definitions = std::move(edited);
  return std::nullopt;
}

}  // namespace korvela
