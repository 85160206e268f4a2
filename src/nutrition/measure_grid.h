#pragma once
#include <optional>
#include <string>
#include <vector>

#include "nutrition/food_item.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kAmountColumn = "Amount";
inline constexpr const char* kUnitColumn = "Unit of measurement";
inline constexpr const char* kGramsColumn = "= grams";
inline constexpr const char* kMsgOneWeightRequired = "At least 1 food weight is required!";
inline constexpr const char* kMsgInvalidAmount = "Enter a valid amount!";
inline constexpr const char* kMsgUnitRequired = "Unit of measurement name is required!";
inline constexpr const char* kMsgInvalidGrams = "Enter a valid number of grams!";

enum class TMeasureColumn { Amount = 0, Unit = 1, Grams = 2 };

// One row of a grid of measures as the user sees and types it.
struct TMeasureRow {
  std::string amount;
  std::string unit;
  std::string grams;
  bool operator==(const TMeasureRow&) const = default;
};

// Where a grid check failed, and the warning.
struct TMeasureRowFault {
  std::string message;
  int row = 0;
  TMeasureColumn column = TMeasureColumn::Amount;
};

// The rows of measures with up to 2 decimals; a unit without a fixed weight
// (the dictionary's marker) gets an empty grams cell.
std::vector<TMeasureRow> MeasureRows(const std::vector<TWeightItem>& weights,
                                     const TConfigurator& config);

// The grid of measures (amount, unit, grams) of the food editor and of the
// unit dictionary editor: rows as typed, the selected cell, the row commands
// and the check that turns the rows into measures.
class TMeasureGrid {
 public:
  TMeasureGrid(std::vector<TMeasureRow> rows, const TConfigurator& config);

  const std::vector<TMeasureRow>& Rows() const { return rows_; }
  int Count() const { return static_cast<int>(rows_.size()); }
  // -1 when there is no row.
  int SelectedRow() const { return row_; }
  TMeasureColumn SelectedColumn() const { return column_; }

  // Selecting a cell ends the tracking of grams; selecting the amount of a
  // row with an amount and grams above 0 starts it with that pair.
  void SelectCell(int row, TMeasureColumn column);
  // A typed cell. While the grams are tracked, a new amount above 0 scales
  // the grams cell in proportion; returns true when it did.
  bool SetCell(int row, TMeasureColumn column, std::string text);

  // Appends a row and selects one of its cells.
  void AppendRow(TMeasureRow row, TMeasureColumn select);
  // The warning when the selected row is the only one.
  std::optional<std::string> DeleteRefusal() const;
  // The question before deleting the selected row; `emptyGrams` stands for
  // an empty grams cell.
  std::string DeleteQuestion(const std::string& emptyGrams) const;
  // The row that takes its place is selected.
  void DeleteSelected();
  // Swap the selected row with its neighbour; the selection follows.
  void MoveUp();
  void MoveDown();

  // The first row that is not a measure, from the top: an amount above 0, a
  // unit name, and grams above 0 (an empty grams cell passes when the grams
  // are not required).
  std::optional<TMeasureRowFault> Check(bool gramsRequired) const;
  // The rows as measures in grid order, once Check passed; an empty grams
  // cell gives `noGrams`.
  std::vector<TWeightItem> Weights(Extended noGrams) const;

 private:
  std::optional<Extended> Positive(const std::string& text) const;
  void Swap(int other);

  std::vector<TMeasureRow> rows_;
  const TConfigurator& config_;
  int row_ = -1;
  TMeasureColumn column_ = TMeasureColumn::Amount;
  // The amount and grams the proportional grams are computed from, while the
  // amount cell of row_ is selected.
  std::optional<std::pair<Extended, Extended>> reference_;
};

}  // namespace korvela
