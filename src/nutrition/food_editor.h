#pragma once
#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "nutrition/food_catalogue.h"
#include "nutrition/food_logging.h"
#include "nutrition/frequent_foods.h"
#include "nutrition/measure_grid.h"
#include "nutrition/unit_dictionary.h"
#include "nutrition/user_foods.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kNewFoodCaption = "New Food";
inline constexpr const char* kNewFoodName = "A new food";
inline constexpr const char* kPortionsHeading = "Default Portion Sizes";
inline constexpr const char* kPredefinedUnitsHeading = "Predefined units of measurement";
inline constexpr const char* kPortionLabel = "Dietary Composition per:";
inline constexpr const char* kDefaultPortion = "100";
inline constexpr const char* kMsgFoodNameRequired = "Food name is required!";
inline constexpr const char* kMsgInvalidPortion = "Invalid Number of Grams";
// A new row of the portion grid: its grams must be typed before OK.
inline const TMeasureRow kNewPortionRow{"1", "unit", "grams"};

// The fields of the food editor above its grids.
enum class TFoodField { Name, Protein, Fat, Carbs, Alcohol, Portion, Portions };

// The field labels and warnings of the four nutrient fields, in the order
// protein, fat, carbohydrate, alcohol.
inline constexpr std::array<const char*, 4> kNutrientLabels = {
    "Protein grams:", "Fat grams:", "Carb grams:", "Alcohol grams:"};
inline constexpr std::array<const char*, 4> kNutrientWarnings = {
    "Invalid protein grams", "Invalid fat grams", "Invalid carb grams", "Invalid alcohol grams"};

// What OK found wrong: the warning and the field (or, for the portion grid,
// the cell) to return to.
struct TFoodEditorFault {
  std::string message;
  TFoodField field = TFoodField::Name;
  int row = 0;
  TMeasureColumn column = TMeasureColumn::Amount;
};

// The food editor. It changes the user food in place while it is open: the
// name when its field is left, the nutrients as typed (they refer to the
// portion in "Dietary Composition per:"). OK checks everything again,
// converts the nutrients to 100 g, takes the measures of the portion grid and
// stores the food; Cancel gives the food back every field it had.
class TFoodEditor {
 public:
  TFoodEditor(TUserFood& food, bool isNew, const TFoodTree& tree, const TUnitDictionary& units,
              const TConfigurator& config);

  bool IsNew() const { return isNew_; }
  std::string Caption() const;
  // Every list of the tree but the last ("Recipes").
  std::vector<std::string> CategoryNames() const;
  int Category() const { return food_.CategoryID; }

  // The texts the fields open with.
  std::string NameText() const { return food_.Name; }
  std::string NutrientText(int nutrient) const;
  std::string CaloriesText() const;
  // The chart is hidden while the food has no nutrient.
  bool ChartVisible() const;
  TCalorieShares Shares() const;

  // Leaving a field: the warning for a text it cannot take (the food keeps
  // its value), or none after the value went into the food.
  std::optional<std::string> LeaveName(std::string_view text);
  void ChooseCategory(int category);
  std::optional<std::string> LeaveNutrient(int nutrient, std::string_view text);
  std::optional<std::string> LeavePortion(std::string_view text);

  TMeasureGrid& Portions() { return portions_; }
  const std::vector<TMeasureRow>& DictionaryRows() const { return dictionary_; }
  // "New": a row "1", "unit", "grams" with its unit cell selected.
  void NewPortion();
  // "Copy <<": a copy of a dictionary row with its amount cell selected.
  void CopyUnit(int dictionaryRow);

  // OK's checks on the texts the fields hold now, in screen order: name,
  // nutrients, portion, then every row of the portion grid. On success the
  // food has its measures and its nutrients per 100 g.
  std::optional<TFoodEditorFault> Apply(std::string_view name,
                                        const std::array<std::string, 4>& nutrients,
                                        std::string_view portion);
  // Stores the applied food: a new food in "UA.DAT", an edited one also in
  // the frequent entry its old name matched. A refused write returns the
  // warning and gives the food back the values it had before Apply, so that
  // the screen stays as the user left it.
  std::optional<std::string> Save(TFrequentFoods& frequentFoods,
                                  const std::filesystem::path& programFolder, TRandom& random,
                                  TFileSystem& fs = PosixFileSystem());
  // Cancel: the food gets back its name, nutrients, measures, ID and
  // category as they were when the editor opened.
  void Restore();

 private:
  std::optional<Extended> NonNegative(std::string_view text) const;
  Extended& Nutrient(int nutrient);

  TUserFood& food_;
  bool isNew_;
  const TFoodTree& tree_;
  const TConfigurator& config_;
  TUserFood backup_;
  std::string nameBeforeEdit_;
  Extended portion_ = 100;
  TMeasureGrid portions_;
  std::vector<TMeasureRow> dictionary_;
  // The food as typed, kept by Apply until Save succeeds.
  std::optional<TUserFood> typed_;
};

}  // namespace korvela
