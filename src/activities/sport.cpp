#include "activities/sport.h"

#include "storage/errors.h"

namespace korvela {

void TSport::Read(const XMLNode& element) {
  if (element.Name != kSportElement) throw EInvalidXMLFile();
  Activity = element.AttrOrEmpty(kSportActivityAttr);
  MET = element.AttrFloatOr(kSportMETAttr, MET);
  Per = element.AttrIntOr(kSportPerAttr, Per);
}

std::unique_ptr<XMLNode> TSport::Write() const {
  auto element = std::make_unique<XMLNode>(std::string(kSportElement));
  element->AddAttr(kSportActivityAttr, Activity);
  element->AddFloatAttr(kSportMETAttr, MET);
  element->AddIntAttr(kSportPerAttr, Per);
  return element;
}

}  // namespace korvela
