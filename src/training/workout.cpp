#include "training/workout.h"

#include <array>
#include <type_traits>

#include "storage/errors.h"
#include "storage/text_helpers.h"
#include "training/exercise_dictionary.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr std::array<const char*, 16> kColumnTitles = {"SECTION/EXERCISE (Limb)",
                                                       "SETS",
                                                       "REPS",
                                                       "WEIGHT",
                                                       "%1RM",
                                                       "%NRM",
                                                       "TEMPO",
                                                       "TUT",
                                                       "VOLUME",
                                                       "PACE",
                                                       "DISTANCE",
                                                       "TIME",
                                                       "REST",
                                                       "NOTES",
                                                       "",
                                                       "UNDEFINED"};
constexpr std::array<std::int32_t, 14> kDefaultWidths = {159, 32, 32, 59, 56, 72, 74,
                                                         34,  50, 92, 62, 66, 54, 133};

void WriteValues(XMLNode& node, const TUDCValues& values) {
  if (values.empty()) return;
  auto list = std::make_unique<XMLNode>("UDCS");
  for (const TUDCVal& v : values) {
    auto u = std::make_unique<XMLNode>("u");
    u->AddAttr("ColName", v.ColName);
    u->AddAttr("ColVal", v.ColVal);
    list->AddChild(std::move(u));
  }
  node.AddChild(std::move(list));
}

TUDCValues ReadValues(const XMLNode& node) {
  TUDCValues values;
  if (const XMLNode* list = node.FindChild("UDCS"))
    for (const auto& u : list->Children)
      values.push_back({u->AttrOrEmpty("ColName"), u->AttrOrEmpty("ColVal")});
  return values;
}

void AddIntIfSet(XMLNode& node, const char* name, std::int32_t value) {
  if (value != -1) node.AddIntAttr(name, value);
}
void AddTextIfSet(XMLNode& node, const char* name, const std::string& value) {
  if (!value.empty()) node.AddAttr(name, value);
}

std::unique_ptr<XMLNode> WriteSection(const TWSection& s) {
  auto node = std::make_unique<XMLNode>("WSec");
  node->AddAttr("Name", s.Name);
  AddIntIfSet(*node, "Dur", s.Dur);
  AddIntIfSet(*node, "Reps", s.Reps);
  AddIntIfSet(*node, "Rest", s.Rest);
  AddTextIfSet(*node, "Notes", s.Notes);
  WriteValues(*node, s.Values);
  return node;
}

TWSection ReadSection(const XMLNode& node) {
  TWSection s;
  s.Name = node.AttrOrEmpty("Name");
  s.Dur = node.AttrIntOr("Dur", -1);
  s.Reps = node.AttrIntOr("Reps", -1);
  s.Rest = node.AttrIntOr("Rest", -1);
  s.Notes = node.AttrOrEmpty("Notes");
  s.Values = ReadValues(node);
  return s;
}

std::unique_ptr<XMLNode> WriteSet(const TDrillSet& d) {
  auto node = std::make_unique<XMLNode>("DSet");
  AddIntIfSet(*node, "DID", d.DID);
  AddIntIfSet(*node, "Sets", d.Sets);
  AddTextIfSet(*node, "Reps", d.Reps);
  AddTextIfSet(*node, "Tempo", d.Tempo);
  AddIntIfSet(*node, "Dur", d.Dur);
  AddIntIfSet(*node, "Rest", d.Rest);
  AddTextIfSet(*node, "Notes", d.Notes);
  node->AddIntAttr("Limb", d.Limb);
  node->AddChild(WriteWeightWrap(d.Weight));
  node->AddChild(WriteDistWrap(d.Dist));
  WriteValues(*node, d.Values);
  return node;
}

std::uint8_t ReadLimb(const XMLNode& node) {
  const std::int32_t limb = node.AttrInt("Limb");
  return limb == kLeftLimb || limb == kRightLimb ? static_cast<std::uint8_t>(limb) : kNoLimb;
}

TDrillSet ReadSet(const XMLNode& node, const TConfigurator& config) {
  TDrillSet d;
  d.DID = node.AttrIntOr("DID", -1);
  d.Sets = node.AttrIntOr("Sets", -1);
  d.Reps = node.AttrOrEmpty("Reps");
  d.Tempo = node.AttrOrEmpty("Tempo");
  d.Dur = node.AttrIntOr("Dur", -1);
  d.Rest = node.AttrIntOr("Rest", -1);
  d.Notes = node.AttrOrEmpty("Notes");
  d.Limb = ReadLimb(node);
  d.Weight = ReadWeightWrap(RequiredChild(node, kWeightWrapElement), config);
  d.Dist = ReadDistWrap(RequiredChild(node, kDistWrapElement));
  d.Values = ReadValues(node);
  return d;
}

void ClearUnusedFields(TDrillSet& d, TMeasureKind kind) {
  const bool weight = kind == TMeasureKind::Weight;
  const bool distance = kind == TMeasureKind::DistanceTime || kind == TMeasureKind::Distance;
  const bool time = kind == TMeasureKind::Time || kind == TMeasureKind::DistanceTime;
  const bool tempo = kind == TMeasureKind::Weight || kind == TMeasureKind::Reps;
  if (!weight) d.Weight.Q.clear();
  if (!distance) d.Dist.Q = -1;
  if (!time) d.Dur = -1;
  if (!tempo) d.Tempo.clear();
}

}  // namespace

std::string ColumnValue(const TUDCValues& values, std::string_view column) {
  for (const TUDCVal& v : values)
    if (SameTextIgnoringCase(v.ColName, column)) return v.ColVal;
  return {};
}

void SetColumnValue(TUDCValues& values, std::string_view column, std::string value) {
  for (TUDCVal& v : values)
    if (SameTextIgnoringCase(v.ColName, column)) {
      v.ColVal = std::move(value);
      return;
    }
  values.push_back({std::string(column), std::move(value)});
}

TDrillSet NewSetLine(const TConfigurator& config) {
  TDrillSet d;
  d.Weight = TWeightWrap::New(config);
  d.Dist = TDistWrap::New(config);
  return d;
}

TColMap TColMap::Default() {
  TColMap map;
  map.Count = static_cast<std::int32_t>(kDefaultWidths.size());
  for (std::size_t i = 0; i < kDefaultWidths.size(); ++i) {
    map.Cols[i].COLID = static_cast<std::uint8_t>(i);
    map.Cols[i].WIDTH = kDefaultWidths[i];
  }
  return map;
}

std::string ColumnTitle(const TColEntry& entry) {
  if (entry.COLID == kUserColumnID) return entry.UDCNAME;
  return kColumnTitles[entry.COLID < kColumnTitles.size() ? entry.COLID : kUndefinedColumnID];
}

std::unique_ptr<XMLNode> WriteColMap(const TColMap& map) {
  auto node = std::make_unique<XMLNode>(kColMapElement);
  for (std::int32_t i = 0; i < map.Count && i < static_cast<std::int32_t>(kMaxColumns); ++i) {
    const TColEntry& c = map.Cols[static_cast<std::size_t>(i)];
    auto col = std::make_unique<XMLNode>("COL");
    col->AddIntAttr("HIDDEN", c.HIDDEN);
    col->AddIntAttr("COLID", c.COLID);
    col->AddAttr("UDCNAME", c.UDCNAME);
    col->AddIntAttr("WIDTH", c.WIDTH);
    node->AddChild(std::move(col));
  }
  return node;
}

TColMap ReadColMap(const XMLNode& element) {
  TColMap map;
  for (const auto& child : element.Children) {
    if (child->Name != "COL") continue;
    if (map.Count == static_cast<std::int32_t>(kMaxColumns)) throw EInvalidXMLFile();
    TColEntry& c = map.Cols[static_cast<std::size_t>(map.Count++)];
    c.HIDDEN = child->AttrIntOr("HIDDEN", 0) == 1 ? 1 : 0;
    const std::int32_t id = child->AttrIntOr("COLID", kUndefinedColumnID);
    c.COLID =
        id >= 0 && id < kUndefinedColumnID ? static_cast<std::uint8_t>(id) : kUndefinedColumnID;
    c.UDCNAME = child->AttrOrEmpty("UDCNAME");
    c.WIDTH = child->AttrIntOr("WIDTH", 0);
  }
  return map;
}

void TWorkout::EnsureLines(std::size_t n, const TConfigurator& config) {
  while (Lines.size() < n) Lines.emplace_back(NewSetLine(config));
}

std::string NewWorkoutLogName(TDateTime date) { return "Workout Log " + LongDateText(date); }

std::int32_t RepeatMultiplier(const TWorkout& workout, std::size_t line) {
  if (const auto* self = std::get_if<TDrillSet>(&workout.Lines.at(line)); self && self->DID == -1)
    return 1;
  for (std::size_t i = line; i-- > 0;) {
    const TWLine& l = workout.Lines[i];
    if (const auto* section = std::get_if<TWSection>(&l))
      return section->Reps == -1 ? 1 : section->Reps;
    if (std::get<TDrillSet>(l).DID == -1) return 1;
  }
  return 1;
}

void PrepareForWriting(TWorkout& workout, const TExerciseDictionary& dictionary) {
  while (!workout.Lines.empty()) {
    const auto* last = std::get_if<TDrillSet>(&workout.Lines.back());
    if (!last || !last->IsEmpty()) break;
    workout.Lines.pop_back();
  }
  for (TWLine& line : workout.Lines) {
    auto* set = std::get_if<TDrillSet>(&line);
    if (!set || set->DID == -1) continue;
    const TDrill* drill = dictionary.Find(set->DID);
    if (drill && drill->TDM != TMeasureKind::Unset) ClearUnusedFields(*set, drill->TDM);
  }
}

std::unique_ptr<XMLNode> WriteWorkout(const TWorkout& w) {
  auto node = std::make_unique<XMLNode>(kWorkoutElement);
  node->AddAttr("Name", w.Name);
  if (w.Date != -1) node->AddFloatAttr("Date", w.Date);
  if (w.TOD != -1) node->AddFloatAttr("TOD", w.TOD);
  if (w.MET != -1) node->AddFloatAttr("MET", w.MET);
  AddTextIfSet(*node, "METStr", w.METStr);
  AddIntIfSet(*node, "Dur", w.Dur);
  AddTextIfSet(*node, "Notes", w.Notes);
  node->AddChild(WriteColMap(w.ColMap));
  if (!w.Lines.empty()) {
    auto sets = std::make_unique<XMLNode>("WSets");
    for (const TWLine& line : w.Lines)
      sets->AddChild(std::visit(
          [](const auto& l) {
            if constexpr (std::is_same_v<std::decay_t<decltype(l)>, TWSection>)
              return WriteSection(l);
            else
              return WriteSet(l);
          },
          line));
    node->AddChild(std::move(sets));
  }
  return node;
}

TWorkout ReadWorkout(const XMLNode& element, const TConfigurator& config) {
  TWorkout w;
  w.Name = element.AttrOrEmpty("Name");
  w.Date = element.AttrFloatOr("Date", -1);
  w.TOD = element.AttrFloatOr("TOD", -1);
  w.MET = static_cast<float>(element.AttrFloatOr("MET", -1));
  w.METStr = element.AttrOrEmpty("METStr");
  w.Dur = element.AttrIntOr("Dur", -1);
  w.Notes = element.AttrOrEmpty("Notes");
  w.ColMap = ReadColMap(RequiredChild(element, kColMapElement));
  if (const XMLNode* sets = element.FindChild("WSets"))
    for (const auto& child : sets->Children) {
      if (child->Name == "DSet")
        w.Lines.emplace_back(ReadSet(*child, config));
      else
        w.Lines.emplace_back(ReadSection(*child));
    }
  return w;
}

}  // namespace korvela
