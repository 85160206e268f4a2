#pragma once
#include <variant>

#include "nutrition/day_plan.h"

namespace korvela {

// What the nutrition screens copy and paste: nothing, a meal with copies of
// its foods, or one logged food. Lives for the whole run; a copy replaces
// the one before.
struct TFoodClipboard {
  std::variant<std::monostate, TMeal, TWFoodItem> content;
  bool Empty() const { return std::holds_alternative<std::monostate>(content); }
};

}  // namespace korvela
