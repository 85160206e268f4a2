#include "energy/cal_stat.h"

#include "storage/value_text.h"

namespace korvela {
namespace {

double FloatOr(const XMLNode& element, const char* name, double absent) {
  const XMLAttr* attr = element.FindAttr(name);
  return attr ? ReadFloatText(attr->Value) : absent;
}

std::int32_t IntOr(const XMLNode& element, const char* name, std::int32_t absent) {
  const XMLAttr* attr = element.FindAttr(name);
  return attr ? ReadIntText(attr->Value) : absent;
}

}  // namespace

void TSECERec::Read(const XMLNode& element) {
  Time = FloatOr(element, kTimeAttr, 0);
  Name = element.AttrOrEmpty(kNameAttr);
  MET = static_cast<float>(FloatOr(element, kMETAttr, 0));
  Dur = IntOr(element, kDurationAttr, 0);
  Type = IntOr(element, kTypeAttr, 0);
}

std::unique_ptr<XMLNode> TSECERec::Write() const {
  auto node = std::make_unique<XMLNode>(kActivityEntryElement);
  node->AddFloatAttr(kTimeAttr, Time);
  node->AddAttr(kNameAttr, Name);
  node->AddFloatAttr(kMETAttr, MET);
  node->AddIntAttr(kDurationAttr, Dur);
  node->AddIntAttr(kTypeAttr, Type);
  return node;
}

void TCalStat::Read(const XMLNode& element) {
  P = FloatOr(element, kProteinAttr, 0);
  F = FloatOr(element, kFatAttr, 0);
  C = FloatOr(element, kCarbohydrateAttr, 0);
  A = FloatOr(element, kAlcoholAttr, 0);
  AC = static_cast<float>(FloatOr(element, kActivityCoefficientAttr, 0));
  PW = FloatOr(element, kProjectedWeightAttr, -1);
  // Every child is an activity entry, whatever its name.
  Entries.clear();
  Entries.reserve(element.Children.size());
  for (const auto& child : element.Children) Entries.emplace_back().Read(*child);
}

std::unique_ptr<XMLNode> TCalStat::Write() const {
  auto node = std::make_unique<XMLNode>(kCalStatElement);
  node->AddFloatAttr(kProteinAttr, P);
  node->AddFloatAttr(kFatAttr, F);
  node->AddFloatAttr(kCarbohydrateAttr, C);
  node->AddFloatAttr(kAlcoholAttr, A);
  node->AddFloatAttr(kActivityCoefficientAttr, AC);
  node->AddFloatAttr(kProjectedWeightAttr, PW);
  for (const TSECERec& entry : Entries) node->AddChild(entry.Write());
  return node;
}

}  // namespace korvela
