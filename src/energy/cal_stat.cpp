#include "energy/cal_stat.h"

#include "storage/value_text.h"

namespace korvela {
void TSECERec::Read(const XMLNode& element) {
  Time = element.AttrFloatOr(kTimeAttr, 0);
  Name = element.AttrOrEmpty(kNameAttr);
  MET = static_cast<float>(element.AttrFloatOr(kMETAttr, 0));
  Dur = element.AttrIntOr(kDurationAttr, 0);
  Type = element.AttrIntOr(kTypeAttr, 0);
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
  P = element.AttrFloatOr(kProteinAttr, 0);
  F = element.AttrFloatOr(kFatAttr, 0);
  C = element.AttrFloatOr(kCarbohydrateAttr, 0);
  A = element.AttrFloatOr(kAlcoholAttr, 0);
  AC = static_cast<float>(element.AttrFloatOr(kActivityCoefficientAttr, 0));
  PW = element.AttrFloatOr(kProjectedWeightAttr, -1);
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
