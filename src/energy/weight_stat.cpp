#include "energy/weight_stat.h"

#include "storage/value_text.h"

namespace korvela {

void TWeightStat::Read(const XMLNode& element) {
  const XMLAttr* weight = element.FindAttr(kWeightAttr);
  W = weight ? ReadFloatText(weight->Value) : 0;
  const XMLAttr* bodyFat = element.FindAttr(kBodyFatAttr);
  BFP = bodyFat ? static_cast<float>(ReadFloatText(bodyFat->Value)) : -1;
}

std::unique_ptr<XMLNode> TWeightStat::Write() const {
  auto node = std::make_unique<XMLNode>(kWeightStatElement);
  node->AddFloatAttr(kWeightAttr, W);
  if (BFP != -1) node->AddFloatAttr(kBodyFatAttr, BFP);
  return node;
}

}  // namespace korvela
