#include "activities/sport_list.h"

#include <algorithm>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

char UpperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

bool SportNameLess(const TSport& a, const TSport& b) {
  return std::lexicographical_compare(a.Activity.begin(), a.Activity.end(), b.Activity.begin(),
                                      b.Activity.end(), [](char x, char y) {
                                        return static_cast<unsigned char>(UpperAscii(x)) <
                                               static_cast<unsigned char>(UpperAscii(y));
                                      });
}

TSportList::TSportList(const std::filesystem::path& programFolder, TRandom& random, TFileSystem& fs)
    : file_(programFolder / kSportsFile), random_(random), fs_(fs) {}

void TSportList::LoadSports() {
  std::vector<std::unique_ptr<TSport>> sports;
  try {
    XMLDB db(file_, kSportsKind, random_, fs_);
    for (const XMLHandle& handle : db.Handles()) {
      if (handle.ID < kFirstFreeID || !db.Has(handle.ID, handle.Date)) continue;
      const XMLNode* node = db.Get(handle.ID, kDataKey, handle.Date);
      if (!node || node->IsBlob) throw EInvalidXMLFile(file_.string());
      auto sport = std::make_unique<TSport>();
      sport->Read(*node);
      sport->ID = handle.ID;
      sports.push_back(std::move(sport));
    }
    db.Close();
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file_.string());
    throw;
  }
  sports_ = std::move(sports);
  SortSports();
}

int TSportList::IndexOf(const TSport& sport) const {
  for (std::size_t i = 0; i < sports_.size(); ++i)
    if (sports_[i].get() == &sport) return static_cast<int>(i);
  return -1;
}

void TSportList::SaveSport(TSport& sport) {
  XMLDB db(file_, kSportsKind, random_, fs_);
  std::int32_t id = sport.ID;
  if (id == -1) id = db.AllocateID(kFirstFreeID, kIDLimit);
  db.Put(sport.Write(), id, kDataKey, 0);
  db.Save();
  sport.ID = id;
}

void TSportList::DeleteSport(TSport& sport) {
  if (sport.ID == -1) return;
  XMLDB db(file_, kSportsKind, random_, fs_);
  db.Delete(sport.ID, 0);
  db.Save();
  sport.ID = -1;
}

void TSportList::SortSports() {
  std::stable_sort(sports_.begin(), sports_.end(),
                   [](const auto& a, const auto& b) { return SportNameLess(*a, *b); });
}

TSport& TSportList::AddSport(const TSport& sport) {
  auto added = std::make_unique<TSport>(sport);
  added->ID = -1;
  SaveSport(*added);
  TSport& result = *added;
  sports_.push_back(std::move(added));
  SortSports();
  return result;
}

TSport& TSportList::ReplaceSport(const TSport& old, const TSport& edited) {
  const int index = IndexOf(old);
  if (index < 0) throw EInternalError("the edited activity is not in the dictionary");
  auto replacement = std::make_unique<TSport>(edited);
  replacement->ID = old.ID;
  // One write replaces the record under the same identifier.
  SaveSport(*replacement);
  TSport& result = *replacement;
  sports_[static_cast<std::size_t>(index)] = std::move(replacement);
  SortSports();
  return result;
}

void TSportList::RemoveSport(const TSport& sport) {
  const int index = IndexOf(sport);
  if (index < 0) return;
  DeleteSport(*sports_[static_cast<std::size_t>(index)]);
  sports_.erase(sports_.begin() + index);
}

}  // namespace korvela
