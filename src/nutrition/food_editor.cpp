#include "nutrition/food_editor.h"

#include <cmath>

#include "nutrition/user_food_edits.h"
#include "nutrition/write_refusal.h"
#include "storage/errors.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

std::string Trim(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

std::vector<TMeasureRow> OpeningRows(const TUserFood& food, bool isNew,
                                     const TConfigurator& config) {
  if (isNew && food.weights.empty()) return {TMeasureRow{}};
  return MeasureRows(food.weights, config);
}

}  // namespace

TFoodEditor::TFoodEditor(TUserFood& food, bool isNew, const TFoodTree& tree,
                         const TUnitDictionary& units, const TConfigurator& config)
    : food_(food),
      isNew_(isNew),
      tree_(tree),
      config_(config),
      backup_(food),
      nameBeforeEdit_(food.Name),
      portions_(OpeningRows(food, isNew, config), config),
      dictionary_(MeasureRows(units, config)) {}

std::string TFoodEditor::Caption() const {
  return isNew_ ? std::string(kNewFoodCaption) : "Editing " + nameBeforeEdit_;
}

std::vector<std::string> TFoodEditor::CategoryNames() const {
  std::vector<std::string> names;
  for (std::size_t i = 0; i + 1 < tree_.Lists.size(); ++i) names.push_back(tree_.Lists[i].Name);
  return names;
}

Extended& TFoodEditor::Nutrient(int nutrient) {
  switch (nutrient) {
    case 0:
      return food_.P;
    case 1:
      return food_.F;
    case 2:
      return food_.C;
    default:
      return food_.A;
  }
}

std::string TFoodEditor::NutrientText(int nutrient) const {
  const Extended values[] = {food_.P, food_.F, food_.C, food_.A};
  return FormatNumber(config_, static_cast<double>(values[nutrient]), 2);
}

std::string TFoodEditor::CaloriesText() const {
  return FormatNumber(config_, static_cast<double>(Calories(food_)), 2);
}

bool TFoodEditor::ChartVisible() const {
  return food_.P > 0 || food_.F > 0 || food_.C > 0 || food_.A > 0;
}

TCalorieShares TFoodEditor::Shares() const {
  return CalorieShares(food_.P, food_.F, food_.C, food_.A);
}

std::optional<Extended> TFoodEditor::NonNegative(std::string_view text) const {
  double value = 0;
  try {
    value = ParseNumber(config_, text);
  } catch (const EConvertError&) {
    return std::nullopt;
  }
  if (!std::isfinite(value) || value < 0) return std::nullopt;
  return static_cast<Extended>(value);
}

std::optional<std::string> TFoodEditor::LeaveName(std::string_view text) {
  std::string name = Trim(text);
  if (name.empty()) return std::string(kMsgFoodNameRequired);
  food_.Name = std::move(name);
  return std::nullopt;
}

void TFoodEditor::ChooseCategory(int category) {
  if (category >= 0 && category < static_cast<int>(CategoryNames().size()))
    food_.CategoryID = category;
}

std::optional<std::string> TFoodEditor::LeaveNutrient(int nutrient, std::string_view text) {
  if (nutrient < 0 || nutrient > 3) return std::nullopt;
  const std::optional<Extended> value = NonNegative(text);
  if (!value) return std::string(kNutrientWarnings[static_cast<std::size_t>(nutrient)]);
  Nutrient(nutrient) = *value;
  return std::nullopt;
}

std::optional<std::string> TFoodEditor::LeavePortion(std::string_view text) {
  const std::optional<Extended> value = NonNegative(text);
  if (!value || *value <= 0) return std::string(kMsgInvalidPortion);
  portion_ = *value;
  return std::nullopt;
}

void TFoodEditor::NewPortion() { portions_.AppendRow(kNewPortionRow, TMeasureColumn::Unit); }

void TFoodEditor::CopyUnit(int dictionaryRow) {
  if (dictionaryRow < 0 || dictionaryRow >= static_cast<int>(dictionary_.size())) return;
  portions_.AppendRow(dictionary_[static_cast<std::size_t>(dictionaryRow)], TMeasureColumn::Amount);
}

std::optional<TFoodEditorFault> TFoodEditor::Apply(std::string_view name,
                                                   const std::array<std::string, 4>& nutrients,
                                                   std::string_view portion) {
  if (auto warning = LeaveName(name)) return TFoodEditorFault{*warning, TFoodField::Name};
  static constexpr TFoodField kFields[] = {TFoodField::Protein, TFoodField::Fat, TFoodField::Carbs,
                                           TFoodField::Alcohol};
  for (int i = 0; i < 4; ++i) {
    if (auto warning = LeaveNutrient(i, nutrients[static_cast<std::size_t>(i)]))
      return TFoodEditorFault{*warning, kFields[i]};
  }
  if (auto warning = LeavePortion(portion)) return TFoodEditorFault{*warning, TFoodField::Portion};
  // A tiny portion can make a nutrient too large to hold once it is per 100 g.
  for (int i = 0; i < 4; ++i) {
    if (!std::isfinite(static_cast<double>(Nutrient(i) * 100 / portion_)))
      return TFoodEditorFault{kNutrientWarnings[static_cast<std::size_t>(i)], kFields[i]};
  }
  if (const std::optional<TMeasureRowFault> fault = portions_.Check(true))
    return TFoodEditorFault{fault->message, TFoodField::Portions, fault->row, fault->column};

  typed_ = food_;
  food_.weights = portions_.Weights(kNoFixedGrams);
  for (int i = 0; i < 4; ++i) Nutrient(i) = Nutrient(i) * 100 / portion_;
  return std::nullopt;
}

std::optional<std::string> TFoodEditor::Save(TFrequentFoods& frequentFoods,
                                             const std::filesystem::path& programFolder,
                                             TRandom& random, TFileSystem& fs) {
  try {
    if (isNew_) {
      SaveUserFood(food_, programFolder, random, fs);
    } else {
      SaveEditedUserFood(food_, nameBeforeEdit_, frequentFoods, programFolder, random, fs);
    }
  } catch (const EXMLIOError& e) {
    if (typed_) {
      // Keep an identifier the store gave out, so that a retry replaces it.
      const std::int32_t id = food_.ID;
      food_ = *typed_;
      food_.ID = id;
    }
    typed_.reset();
    return WriteRefusedMessage(programFolder / kUserFoodsFile, e);
  }
  typed_.reset();
  return std::nullopt;
}

void TFoodEditor::Restore() { food_ = backup_; }

}  // namespace korvela
