#include "energy/goal_records.h"

#include "storage/value_text.h"

namespace korvela {
namespace {

bool InRange(auto code, int count) {
  const auto value = static_cast<std::int32_t>(code);
  return value >= 0 && value < count;
}

}  // namespace

bool TDietConstraint::Valid() const {
  return InRange(Nutrient, kNutrientCount) && InRange(Qualifier, kQualifierCount) &&
         InRange(Measurement, kMeasurementCount);
}

void TDietConstraint::Read(const XMLNode& element) {
  Nutrient = static_cast<TNutrient>(element.AttrIntOr(kNutrientAttr, 0));
  Qualifier = static_cast<TQualifier>(element.AttrIntOr(kQualifierAttr, 0));
  Quantity = element.AttrFloatOr(kQuantityAttr, 0);
  Measurement = static_cast<TMeasurement>(element.AttrIntOr(kMeasurementAttr, 0));
  ErrorAllowance = element.AttrFloatOr(kErrorAllowanceAttr, 0);
}

std::unique_ptr<XMLNode> TDietConstraint::Write() const {
  auto node = std::make_unique<XMLNode>(kConstraintElement);
  node->AddIntAttr(kNutrientAttr, static_cast<std::int32_t>(Nutrient));
  node->AddIntAttr(kQualifierAttr, static_cast<std::int32_t>(Qualifier));
  node->AddFloatAttr(kQuantityAttr, Quantity);
  node->AddIntAttr(kMeasurementAttr, static_cast<std::int32_t>(Measurement));
  node->AddFloatAttr(kErrorAllowanceAttr, ErrorAllowance);
  return node;
}

void TDietCompStat::Read(const XMLNode& element) {
  Constraints.clear();
  for (const auto& child : element.Children) {
    TDietConstraint constraint;
    constraint.Read(*child);
    if (constraint.Valid()) Constraints.push_back(constraint);
  }
}

std::unique_ptr<XMLNode> TDietCompStat::Write() const {
  auto node = std::make_unique<XMLNode>(kDietCompStatElement);
  for (const TDietConstraint& constraint : Constraints) node->AddChild(constraint.Write());
  return node;
}

void TWeightGoalStat::Read(const XMLNode& element) {
  const std::int32_t type = element.AttrIntOr(kWeightGoalTypeAttr, -1);
  WeightGoalType =
      type >= 0 && type <= 2 ? static_cast<TWeightGoalType>(type) : TWeightGoalType::None;
  TargetWeight = element.AttrFloatOr(kTargetWeightAttr, 0);
  TargetDate = element.AttrFloatOr(kTargetDateAttr, 0);
}

std::unique_ptr<XMLNode> TWeightGoalStat::Write() const {
  auto node = std::make_unique<XMLNode>(kWeightGoalStatElement);
  node->AddIntAttr(kWeightGoalTypeAttr, static_cast<std::int32_t>(WeightGoalType));
  node->AddFloatAttr(kTargetWeightAttr, TargetWeight);
  node->AddFloatAttr(kTargetDateAttr, TargetDate);
  return node;
}

}  // namespace korvela
