#include "nutrition/measure_grid.h"

#include <cmath>
#include <utility>

#include "nutrition/food_logging.h"
#include "nutrition/unit_dictionary.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

std::string Trimmed(const std::string& text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

}  // namespace

std::vector<TMeasureRow> MeasureRows(const std::vector<TWeightItem>& weights,
                                     const TConfigurator& config) {
  std::vector<TMeasureRow> rows;
  for (const TWeightItem& w : weights) {
    rows.push_back({FormatNumber(config, static_cast<double>(w.mod), 2), w.desc,
                    w.gr == kNoFixedGrams ? std::string()
                                          : FormatNumber(config, static_cast<double>(w.gr), 2)});
  }
  return rows;
}

TMeasureGrid::TMeasureGrid(std::vector<TMeasureRow> rows, const TConfigurator& config)
    : rows_(std::move(rows)), config_(config), row_(rows_.empty() ? -1 : 0) {}

std::optional<Extended> TMeasureGrid::Positive(const std::string& text) const {
  return ReadPositiveFraction(text, config_.FloatingChar());
}

void TMeasureGrid::SelectCell(int row, TMeasureColumn column) {
  reference_.reset();
  if (row < 0 || row >= Count()) return;
  row_ = row;
  column_ = column;
  if (column != TMeasureColumn::Amount) return;
  const TMeasureRow& r = rows_[static_cast<std::size_t>(row)];
  const std::optional<Extended> amount = Positive(r.amount);
  const std::optional<Extended> grams = Positive(r.grams);
  if (amount && grams) reference_ = std::make_pair(*amount, *grams);
}

bool TMeasureGrid::SetCell(int row, TMeasureColumn column, std::string text) {
  if (row < 0 || row >= Count()) return false;
  TMeasureRow& r = rows_[static_cast<std::size_t>(row)];
  switch (column) {
    case TMeasureColumn::Amount:
      r.amount = std::move(text);
      break;
    case TMeasureColumn::Unit:
      r.unit = std::move(text);
      return false;
    case TMeasureColumn::Grams:
      r.grams = std::move(text);
      // Grams typed by hand are the weight from now on.
      if (row == row_) reference_.reset();
      return false;
  }
  if (!reference_ || row != row_ || column_ != TMeasureColumn::Amount) return false;
  const std::optional<Extended> amount = Positive(r.amount);
  if (!amount) return false;
  const Extended grams = *amount * reference_->second / reference_->first;
  if (!std::isfinite(static_cast<double>(grams))) return false;
  r.grams = FormatNumber(config_, static_cast<double>(grams), 2);
  reference_ = std::make_pair(*amount, grams);
  return true;
}

void TMeasureGrid::AppendRow(TMeasureRow row, TMeasureColumn select) {
  rows_.push_back(std::move(row));
  SelectCell(Count() - 1, select);
}

std::optional<std::string> TMeasureGrid::DeleteRefusal() const {
  if (Count() <= 1) return std::string(kMsgOneWeightRequired);
  return std::nullopt;
}

std::string TMeasureGrid::DeleteQuestion(const std::string& emptyGrams) const {
  if (row_ < 0) return {};
  const TMeasureRow& r = rows_[static_cast<std::size_t>(row_)];
  return "Do you really want to delete the selected\nAmount: \t" + r.amount + "\nUnit: \t\t" +
         r.unit + "\nGrams: \t\t" + (Trimmed(r.grams).empty() ? emptyGrams : r.grams);
}

void TMeasureGrid::DeleteSelected() {
  if (row_ < 0 || Count() <= 1) return;
  rows_.erase(rows_.begin() + row_);
  SelectCell(std::min(row_, Count() - 1), column_);
}

void TMeasureGrid::Swap(int other) {
  if (row_ < 0 || other < 0 || other >= Count()) return;
  std::swap(rows_[static_cast<std::size_t>(row_)], rows_[static_cast<std::size_t>(other)]);
  SelectCell(other, column_);
}

void TMeasureGrid::MoveUp() { Swap(row_ - 1); }
void TMeasureGrid::MoveDown() { Swap(row_ + 1); }

std::optional<TMeasureRowFault> TMeasureGrid::Check(bool gramsRequired) const {
  for (int i = 0; i < Count(); ++i) {
    const TMeasureRow& r = rows_[static_cast<std::size_t>(i)];
    if (!Positive(r.amount)) return TMeasureRowFault{kMsgInvalidAmount, i, TMeasureColumn::Amount};
    if (Trimmed(r.unit).empty()) return TMeasureRowFault{kMsgUnitRequired, i, TMeasureColumn::Unit};
    const bool emptyGrams = Trimmed(r.grams).empty();
    if ((gramsRequired || !emptyGrams) && !Positive(r.grams))
      return TMeasureRowFault{kMsgInvalidGrams, i, TMeasureColumn::Grams};
  }
  return std::nullopt;
}

std::vector<TWeightItem> TMeasureGrid::Weights(Extended noGrams) const {
  std::vector<TWeightItem> weights;
  for (const TMeasureRow& r : rows_) {
    const Extended grams = Trimmed(r.grams).empty() ? noGrams : Positive(r.grams).value_or(noGrams);
    weights.push_back({r.unit, Positive(r.amount).value_or(1), grams});
  }
  return weights;
}

}  // namespace korvela
