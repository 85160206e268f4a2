#pragma once
#include <filesystem>
#include <optional>
#include <string>

#include "nutrition/meal_definitions.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kMealEditorCaption = "Edit my default daily meals";
inline constexpr const char* kMealEditorHeading = "Default Meals";
inline constexpr const char* kMealColumn = "Meal";
inline constexpr const char* kMealTimeColumn = "Meal time";
inline constexpr const char* kMsgOneMealRequired = "At least 1 meal is required!";
inline constexpr const char* kMsgMealNamesRequired = "Meal names are required!";

// The editor of the user's meal names and times. It works on its own copy;
// OK checks the names and stores the copy.
class TMealDefinitionEditor {
 public:
  explicit TMealDefinitionEditor(TMealDefinitions definitions);

  const TMealDefinitions& Meals() const { return meals_; }
  int Count() const { return static_cast<int>(meals_.size()); }
  // -1 when there is no meal.
  int Selected() const { return selected_; }
  void Select(int row);

  void SetName(int row, std::string name);
  void SetTime(int row, TDateTime time);

  // "A new meal" at the time of day of `now`, appended and selected.
  void NewMeal(TDateTime now);
  // The warning when the selected meal is the only one.
  std::optional<std::string> DeleteRefusal() const;
  std::string DeleteQuestion(const TConfigurator& config) const;
  // The meal that takes its place is selected (the new last one at the end).
  void DeleteSelected();
  // Earliest first; the selected meal stays selected.
  void SortByTime();

  // OK's check: the warning for the first meal without a name, which is
  // then selected.
  std::optional<std::string> Check();
  // Writes the edited list, sorted, as the user's "MI.DAT" and on success
  // makes it the user's definitions. A refused write leaves both the file and
  // the definitions as they were and returns the warning.
  std::optional<std::string> Save(TMealDefinitions& definitions,
                                  const std::filesystem::path& userFolder, TRandom& random,
                                  TFileSystem& fs = PosixFileSystem());

 private:
  TMealDefinitions meals_;
  int selected_ = -1;
};

}  // namespace korvela
