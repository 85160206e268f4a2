#include "training/personal_record.h"

#include "training/exercise_dictionary.h"

namespace korvela {

bool IsValidRecord(const TDrillPR& r, const TExerciseDictionary& dictionary) {
  const TDrill* drill = dictionary.Find(r.DID);
  if (!drill) return false;
  const bool limbAgrees =
      drill->Unilateral() ? r.Limb == kLeftLimb || r.Limb == kRightLimb : r.Limb == kNoLimb;
  if (!limbAgrees) return false;
  switch (drill->TDM) {
    case TMeasureKind::Weight:
      return r.Weight.Q.find_first_not_of(" \t\r\n") != std::string::npos && r.Reps > 0;
    case TMeasureKind::Reps:
      return r.Reps > 0;
    case TMeasureKind::Time:
      return r.Time >= 0 && r.Dist.Q == -1;
    case TMeasureKind::DistanceTime:
      return r.Time >= 0 && r.Dist.Q > 0;
    case TMeasureKind::Distance:
      return r.Dist.Q > 0 && r.Time == -1;
    case TMeasureKind::Unset:
      return false;
  }
  return false;
}

std::unique_ptr<XMLNode> WriteDrillPR(const TDrillPR& r) {
  auto node = std::make_unique<XMLNode>(kDrillPRElement);
  node->AddIntAttr("DID", r.DID);
  node->AddIntAttr("Limb", r.Limb);
  node->AddIntAttr("Reps", r.Reps);
  node->AddFloatAttr("Time", r.Time);
  if (!r.Notes.empty()) node->AddAttr("Notes", r.Notes);
  node->AddFloatAttr("Date", r.Date);
  node->AddChild(WriteWeightWrap(r.Weight));
  node->AddChild(WriteDistWrap(r.Dist));
  return node;
}

TDrillPR ReadDrillPR(const XMLNode& element, const TConfigurator& config) {
  TDrillPR r;
  r.DID = element.AttrIntOr("DID", -1);
  const std::int32_t limb = element.AttrInt("Limb");
  r.Limb = limb == kLeftLimb || limb == kRightLimb ? static_cast<std::uint8_t>(limb) : kNoLimb;
  r.Reps = element.AttrIntOr("Reps", -1);
  r.Time = element.AttrFloatOr("Time", -1);
  r.Notes = element.AttrOrEmpty("Notes");
  r.Date = element.AttrFloatOr("Date", -1);
  r.Weight = ReadWeightWrap(RequiredChild(element, kWeightWrapElement), config);
  r.Dist = ReadDistWrap(RequiredChild(element, kDistWrapElement));
  return r;
}

}  // namespace korvela
