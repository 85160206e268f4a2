#pragma once
#include <filesystem>
#include <string>
#include <string_view>

#include "nutrition/food_catalogue.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/user_foods.h"
#include "storage/file_system.h"
#include "storage/random.h"

namespace korvela {

// The name of a copy made for editing: this text followed by the food's name.
inline constexpr std::string_view kCopyNamePrefix = "A Copy of ";

// A new user food, not yet in any list or file, filed under "User-Added
// Foods" until the user picks another category.
std::unique_ptr<TUserFood> NewUserFood(const TFoodTree& tree, std::string name);

// "Edit a copy" of a food without a recipe: a user food named "A Copy of "
// and the food's name, appended to "User-Added Foods" at once and returned.
// The copy of a user food keeps its category and has no ID; the copy of any
// other food is filed under the category that holds the food. A recipe
// cannot be copied into a user food (EInternalError).
TUserFood& AddEditCopy(TFoodTree& tree, const TFoodItem& food);

// After the user saved an edit: stores the food and, when its name before
// the edit matched a frequent entry, replaces that entry's copy of the food.
// The frequent foods may be closed (no user logged in); they are then left
// alone.
void SaveEditedUserFood(TUserFood& food, std::string_view nameBeforeEdit,
                        TFrequentFoods& frequentFoods, const std::filesystem::path& programFolder,
                        TRandom& random, TFileSystem& fs = PosixFileSystem());

// Deletes the food's record and removes it from "User-Added Foods"; the food
// is freed. Frequent entries, logs and menus holding copies are not touched.
void RemoveUserFood(TFoodTree& tree, TUserFood& food, const std::filesystem::path& programFolder,
                    TRandom& random, TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
