#include "training/exercise_dictionary.h"

#include <algorithm>

#include "storage/database_change.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/text_helpers.h"

namespace korvela {
namespace {

constexpr const char* kNameAttr = "Name";
constexpr const char* kIDAttr = "ID";
constexpr const char* kTDMAttr = "TDM";
constexpr const char* kLATAttr = "LAT";
constexpr const char* kUImgAttr = "UImg";
constexpr const char* kDeletedAttr = "Deleted";

// The text attributes between "Name" and "TDM", and after "LAT", in order.
constexpr std::array<const char*, 4> kLeadingTexts = {"ShortName", "Muscles", "Equipment", "TOM"};
constexpr std::array<const char*, 5> kTrailingTexts = {"Instructions", "UDOne", "UDTwo", "UDThree",
                                                       "UDFour"};

std::array<const std::string*, 4> LeadingTexts(const TDrill& d) {
  return {&d.ShortName, &d.Muscles, &d.Equipment, &d.TOM};
}
std::array<const std::string*, 5> TrailingTexts(const TDrill& d) {
  return {&d.Instructions, &d.UDOne, &d.UDTwo, &d.UDThree, &d.UDFour};
}

std::unique_ptr<XMLNode> WriteDrillForm(const TDrill& d, bool exchange) {
  auto node = std::make_unique<XMLNode>(kDrillElement);
  if (exchange) node->AddIntAttr(kIDAttr, d.ID);
  node->AddAttr(kNameAttr, d.Name);
  const auto leading = LeadingTexts(d);
  for (std::size_t i = 0; i < leading.size(); ++i) node->AddAttr(kLeadingTexts[i], *leading[i]);
  node->AddIntAttr(kTDMAttr, static_cast<std::int32_t>(d.TDM));
  node->AddIntAttr(kLATAttr, d.LAT);
  const auto trailing = TrailingTexts(d);
  for (std::size_t i = 0; i < trailing.size(); ++i) node->AddAttr(kTrailingTexts[i], *trailing[i]);
  if (!exchange) {
    if (!d.UImg.empty()) node->AddAttr(kUImgAttr, d.UImg);
    if (d.Deleted) node->AddAttr(kDeletedAttr, "");
  }
  return node;
}

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string LowerText(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = Lower(c);
  return out;
}

bool IsSeparator(char c) {
  constexpr std::string_view kSeparators = " !#$%&()*,.:;@[\\]^_~";
  return kSeparators.find(c) != std::string_view::npos;
}

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool NameLess(const std::unique_ptr<TDrill>& a, const std::unique_ptr<TDrill>& b) {
  return LowerText(a->Name) < LowerText(b->Name);
}

}  // namespace

std::string& TDrill::ClassValue(std::int32_t classID) {
  switch (classID) {
    case kMusclesClassID:
      return Muscles;
    case kMovementClassID:
      return TOM;
    case kEquipmentClassID:
      return Equipment;
    case 14:
      return UDOne;
    case 15:
      return UDTwo;
    case 16:
      return UDThree;
    case 17:
      return UDFour;
  }
  throw EInternalError("no exercise field for classification " + std::to_string(classID));
}

const std::string& TDrill::ClassValue(std::int32_t classID) const {
  return const_cast<TDrill&>(*this).ClassValue(classID);
}

std::string DefaultClassName(std::int32_t classID) {
  switch (classID) {
    case kMusclesClassID:
      return "Target Muscles";
    case kMovementClassID:
      return "Movement Type";
    case kEquipmentClassID:
      return "Equipment";
  }
  return "User Defined #" + std::to_string(classID - kUserClassOneID + 1);
}

std::unique_ptr<XMLNode> WriteDrill(const TDrill& drill) { return WriteDrillForm(drill, false); }
std::unique_ptr<XMLNode> WriteDrillExchange(const TDrill& drill) {
  return WriteDrillForm(drill, true);
}

TDrill ReadDrill(const XMLNode& element, bool exchangeForm) {
  TDrill d;
  if (exchangeForm) d.ID = element.AttrInt(kIDAttr);
  d.Name = element.AttrText(kNameAttr);
  std::string* leading[] = {&d.ShortName, &d.Muscles, &d.Equipment, &d.TOM};
  for (std::size_t i = 0; i < kLeadingTexts.size(); ++i)
    *leading[i] = element.AttrOrEmpty(kLeadingTexts[i]);
  const std::int32_t kind = element.AttrInt(kTDMAttr);
  if (kind < 0 || kind > 5) throw EInvalidXMLFile();
  d.TDM = static_cast<TMeasureKind>(kind);
  d.LAT = element.AttrInt(kLATAttr) == 1 ? 1 : 0;
  std::string* trailing[] = {&d.Instructions, &d.UDOne, &d.UDTwo, &d.UDThree, &d.UDFour};
  for (std::size_t i = 0; i < kTrailingTexts.size(); ++i)
    *trailing[i] = element.AttrOrEmpty(kTrailingTexts[i]);
  if (!exchangeForm) {
    d.UImg = element.AttrOrEmpty(kUImgAttr);
    d.Deleted = element.FindAttr(kDeletedAttr) != nullptr;
  }
  return d;
}

std::unique_ptr<XMLNode> WriteDClass(const TDClass& dclass) {
  auto node = std::make_unique<XMLNode>(kDClassElement);
  node->AddAttr(kNameAttr, dclass.Name);
  for (const std::string& sub : dclass.SubClasses)
    node->AddChild(std::make_unique<XMLNode>(kSubClassElement, sub));
  return node;
}

TDClass ReadDClass(const XMLNode& element, std::int32_t id) {
  TDClass c;
  c.ID = id;
  c.Name = element.AttrText(kNameAttr);
  for (const auto& child : element.Children) c.SubClasses.push_back(child->Text);
  return c;
}

bool FilterTextMatches(std::string_view filter, std::string_view field) {
  const std::string lowField = LowerText(field);
  std::size_t i = 0;
  while (i < filter.size()) {
    while (i < filter.size() && IsSeparator(filter[i])) ++i;
    std::size_t end = i;
    while (end < filter.size() && !IsSeparator(filter[end])) ++end;
    if (end > i && lowField.find(LowerText(filter.substr(i, end - i))) == std::string::npos)
      return false;
    i = end;
  }
  return true;
}

bool SameExerciseName(std::string_view a, std::string_view b) {
  const auto squeeze = [](std::string_view s) {
    std::string out;
    for (const char c : s)
      if (c != ' ') out += c;
    return out;
  };
  return SameTextIgnoringCase(squeeze(Trimmed(a)), squeeze(Trimmed(b)));
}

TExerciseDictionary::TExerciseDictionary(const std::filesystem::path& programFolder,
                                         TRandom& random, TFileSystem& fs)
    : file_(programFolder / kExerciseFile), random_(random), fs_(fs) {}

TExerciseDictionary::~TExerciseDictionary() = default;

template <typename TAction>
void TExerciseDictionary::WithFile(TAction action) {
  ChangeDatabaseFile(db_, file_, kExerciseDBKind, random_, fs_, action);
}

void TExerciseDictionary::Load() {
  std::vector<std::unique_ptr<TDrill>> live, deleted;
  std::vector<TDClass> classes;
  WithFile([&](XMLDB& db) {
    for (const XMLHandle& handle : db.Handles()) {
      if (handle.ID < kFirstClassID || !db.Has(handle.ID, handle.Date)) continue;
      const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
      if (!node || node->IsBlob) throw EInvalidXMLFile(file_.string());
      if (handle.ID <= kLastClassID) {
        classes.push_back(ReadDClass(*node, handle.ID));
      } else {
        auto drill = std::make_unique<TDrill>(ReadDrill(*node, false));
        drill->ID = handle.ID;
        (drill->Deleted ? deleted : live).push_back(std::move(drill));
      }
      db.ReleaseCache();
    }
    for (std::int32_t id = kFirstClassID; id <= kUserClassFourID; ++id) {
      if (std::any_of(classes.begin(), classes.end(),
                      [id](const TDClass& c) { return c.ID == id; }))
        continue;
      TDClass c{id, DefaultClassName(id), {}};
      db.Put(WriteDClass(c), id, kDataKey, 0);
      classes.push_back(std::move(c));
    }
  });
  live_ = std::move(live);
  deleted_ = std::move(deleted);
  classes_ = std::move(classes);
  SortLive();
}

void TExerciseDictionary::OpenFile() {
  if (db_) return;
  try {
    db_ = std::make_unique<XMLDB>(file_, kExerciseDBKind, random_, fs_);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file_.string());
    throw;
  }
}

void TExerciseDictionary::CloseFile() {
  if (!db_) return;
  std::unique_ptr<XMLDB> db = std::move(db_);
  db->Close();
}

void TExerciseDictionary::SaveExercise(TDrill& drill) {
  const bool isNew = drill.ID == -1;
  try {
    WithFile([&](XMLDB& db) {
      if (isNew) drill.ID = db.AllocateID(kFirstFreeExerciseID, kIDLimit);
      db.Put(WriteDrill(drill), drill.ID, kDataKey, 0);
    });
  } catch (...) {
    if (isNew) drill.ID = -1;
    throw;
  }
}

void TExerciseDictionary::SaveClass(const TDClass& dclass) {
  if (dclass.ID == -1) throw EInternalError("Bad DClass ID");
  WithFile([&](XMLDB& db) { db.Put(WriteDClass(dclass), dclass.ID, kDataKey, 0); });
  if (TDClass* held = FindClass(dclass.ID); held && held != &dclass) *held = dclass;
}

const TDrill* TExerciseDictionary::Find(std::int32_t id) const {
  for (const auto* list : {&live_, &deleted_})
    for (const auto& d : *list)
      if (d->ID == id) return d.get();
  return nullptr;
}

TDClass* TExerciseDictionary::FindClass(std::int32_t id) {
  for (TDClass& c : classes_)
    if (c.ID == id) return &c;
  return nullptr;
}

const TDClass* TExerciseDictionary::FindClass(std::int32_t id) const {
  return const_cast<TExerciseDictionary*>(this)->FindClass(id);
}

std::string TExerciseDictionary::ClassName(std::int32_t classID) const {
  const TDClass* c = FindClass(classID);
  return c ? c->Name : DefaultClassName(classID);
}

std::string TExerciseDictionary::DisplayName(std::int32_t id, bool shortNames) const {
  const TDrill* d = Find(id);
  if (!d) return {};
  return shortNames && !d->ShortName.empty() ? d->ShortName : d->Name;
}

bool TExerciseDictionary::IsDuplicate(std::string_view name, std::int32_t id) const {
  return std::any_of(live_.begin(), live_.end(),
                     [&](const auto& d) { return d->ID != id && SameExerciseName(name, d->Name); });
}

std::vector<std::size_t> TExerciseDictionary::Filter(const TExerciseFilter& filter) const {
  std::vector<std::size_t> kept;
  for (std::size_t i = 0; i < live_.size(); ++i) {
    const TDrill& d = *live_[i];
    const bool name = FilterTextMatches(filter[0], d.Name) ||
                      (!d.ShortName.empty() && FilterTextMatches(filter[0], d.ShortName));
    if (!name) continue;
    const std::array<const std::string*, 7> fields = {&d.Muscles, &d.Equipment, &d.TOM,   &d.UDOne,
                                                      &d.UDTwo,   &d.UDThree,   &d.UDFour};
    bool all = true;
    for (std::size_t f = 0; f < fields.size() && all; ++f)
      all = FilterTextMatches(filter[f + 1], *fields[f]);
    if (all) kept.push_back(i);
  }
  return kept;
}

void TExerciseDictionary::SortLive() { std::stable_sort(live_.begin(), live_.end(), NameLess); }

const TDrill& TExerciseDictionary::AddExercise(TDrill drill) {
  SaveExercise(drill);
  return AppendSaved(std::move(drill));
}

const TDrill& TExerciseDictionary::ReplaceExercise(std::size_t position, TDrill drill) {
  SaveExercise(drill);
  return ReplaceSaved(position, std::move(drill));
}

const TDrill& TExerciseDictionary::AppendSaved(TDrill drill) {
  live_.push_back(std::make_unique<TDrill>(std::move(drill)));
  return *live_.back();
}

const TDrill& TExerciseDictionary::ReplaceSaved(std::size_t position, TDrill drill) {
  *live_.at(position) = std::move(drill);
  return *live_[position];
}

void TExerciseDictionary::DeleteExercise(std::size_t position) {
  TDrill drill = *live_.at(position);
  drill.Deleted = true;
  SaveExercise(drill);
  *live_[position] = std::move(drill);
  deleted_.push_back(std::move(live_[position]));
  live_.erase(live_.begin() + static_cast<std::ptrdiff_t>(position));
}

const TDrill& TExerciseDictionary::RestoreExercise(std::size_t deletedPosition) {
  TDrill drill = *deleted_.at(deletedPosition);
  drill.Deleted = false;
  SaveExercise(drill);
  *deleted_[deletedPosition] = std::move(drill);
  live_.push_back(std::move(deleted_[deletedPosition]));
  deleted_.erase(deleted_.begin() + static_cast<std::ptrdiff_t>(deletedPosition));
  return *live_.back();
}

}  // namespace korvela
