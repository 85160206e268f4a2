#include "nutrition/plan_dialogs.h"

#include <cmath>

namespace korvela {
namespace {

std::string Whole(Extended value) { return std::to_string(std::llround(value)); }

std::string Share(Extended calories, Extended total) {
  if (calories <= 0 || total <= 0) return "0%";
  return Whole(calories / total * 100) + "%";
}

}  // namespace

std::array<std::string, 7> CompositionTexts(const TNutrients& totals) {
  const TCalorieShares shares = CalorieShares(totals.P, totals.F, totals.C, totals.A);
  return {Whole(totals.P),
          Whole(totals.F),
          Whole(totals.C),
          Whole(totals.calories),
          Share(shares.protein, totals.calories),
          Share(shares.fat, totals.calories),
          Share(shares.carbs, totals.calories)};
}

std::string TPlanOptions::Caption() const {
  return IsLog() ? kLogNotesCaption : kMenuOptionsCaption;
}

std::string TPlanOptions::NameText() const {
  return IsLog() ? LogNotesName(plan_.ForDate) : plan_.MenuName;
}

std::optional<std::string> TPlanOptions::Confirm(std::string_view name, std::string_view notes) {
  if (IsBlank(name)) return std::string(kMsgMenuNameRequired);
  plan_.MenuName = std::string(name);
  plan_.MenuNotes = std::string(notes);
  return std::nullopt;
}

}  // namespace korvela
