#pragma once
#include <filesystem>
#include <string_view>

#include "nutrition/day_plan.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// The user's meal names and times: one scrambled document (data key) in the
// user's folder, root "MealInformation" with one "Meal" child ("Name", "TOD")
// per meal.
inline constexpr std::string_view kMealDefinitionsFile = "MI.DAT";
inline constexpr std::string_view kMealDefinitionsElement = "MealInformation";
inline constexpr std::string_view kMealDefinitionElement = "Meal";

// Breakfast, lunch and supper with a snack after each.
TMealDefinitions DefaultMealDefinitions();

// The saved definitions sorted by time, or the defaults when "MI.DAT" is
// absent. A damaged file raises EInvalidXMLFile or EConvertError naming it.
TMealDefinitions LoadMealDefinitions(const std::filesystem::path& userFolder,
                                     TFileSystem& fs = PosixFileSystem());
// Sorts the definitions and writes them whole. A refused write raises
// EXMLIOError naming the file; the old file stays as it was.
void SaveMealDefinitions(TMealDefinitions& definitions, const std::filesystem::path& userFolder,
                         TRandom& random, TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
