#include "reports/exchange_package.h"

#include <set>
#include <utility>

#include "nutrition/food_item.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {

namespace {

std::unique_ptr<XMLNode> HeaderElement(std::int32_t level, const std::string& password) {
  auto header = std::make_unique<XMLNode>(std::string(kPackageHeaderElement));
  header->AddIntAttr(std::string(kPackageLevelAttr), level);
  if (!IsBlankText(password)) header->AddAttr(std::string(kPackagePasswordAttr), password);
  return header;
}

}  // namespace

bool IsBlankText(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

TIEPackage::TIEPackage(std::filesystem::path file, TRandom& random, TFileSystem& fs)
    : db_(std::move(file), kPackageKind, random, fs) {
  // A record reaching past the end of the file could never be copied into
  // the next save, so such a package is refused as a whole.
  const std::int64_t size = fs.OpenRead(db_.FileName())->Size();
  for (const XMLHandle& handle : db_.Handles())
    if (handle.State == TRecordState::Stored && std::int64_t{handle.Offset} + handle.Size > size)
      throw EXMLIOError(db_.FileName().string(), "record beyond the end of the file");
}

TPackageLoad TIEPackage::Load(const std::string& enteredPassword) {
  items_.clear();
  unreadable_ = 0;
  bool hasRecords = false;
  for (const XMLHandle& handle : db_.Handles())
    if (db_.Has(handle.ID, handle.Date)) hasRecords = true;

  if (!hasRecords) {
    level_ = kPackageFormatLevel;
    SetPassword(enteredPassword);
    return TPackageLoad::Ok;
  }

  try {
    const XMLNode* header = db_.Get(kPackageHeaderID, kDataKey, kPackageHeaderDate);
    if (!header || header->IsBlob || header->Name != kPackageHeaderElement ||
        !header->FindAttr(kPackageLevelAttr))
      return TPackageLoad::Invalid;
    level_ = header->AttrInt(kPackageLevelAttr);
    if (level_ > kPackageFormatLevel) return TPackageLoad::TooNew;
    const XMLAttr* password = header->FindAttr(kPackagePasswordAttr);
    if (password && password->Value != enteredPassword) return TPackageLoad::BadPassword;
    password_ = password ? password->Value.str() : std::string();
  } catch (const EKorvelaError&) {
    return TPackageLoad::Invalid;
  }

  // The index may hold older versions of a record; each record is read once.
  std::set<std::pair<std::int32_t, double>> seen;
  for (const XMLHandle& handle : db_.Handles()) {
    if (handle.ID <= kLastReservedPackageID || !db_.Has(handle.ID, handle.Date)) continue;
    if (!seen.insert({handle.ID, handle.Date}).second) continue;
    try {
      const XMLNode* node = db_.Get(handle.ID, kDataKey, handle.Date);
      if (!node || node->IsBlob) {
        ++unreadable_;
        continue;
      }
      items_.push_back({handle.ID, handle.Date, CopyElement(*node)});
    } catch (const EKorvelaError&) {
      ++unreadable_;
    }
  }
  db_.ReleaseCache();
  return TPackageLoad::Ok;
}

void TIEPackage::SetPassword(const std::string& text) {
  db_.Put(HeaderElement(level_, text), kPackageHeaderID, kDataKey, kPackageHeaderDate);
  password_ = IsBlankText(text) ? std::string() : text;
}

const TIEXML& TIEPackage::AddItem(std::unique_ptr<XMLNode> element) {
  const std::int32_t id = db_.AllocateID(kFirstFreeID, kIDLimit);
  TIEXML item{id, 0, CopyElement(*element)};
  db_.Put(std::move(element), id, kDataKey, 0);
  items_.push_back(std::move(item));
  return items_.back();
}

void TIEPackage::DeleteItem(std::size_t position) {
  const TIEXML& item = items_.at(position);
  db_.Delete(item.ID, item.Date);
  DropItem(position);
}

void TIEPackage::DropItem(std::size_t position) {
  items_.erase(items_.begin() + static_cast<std::ptrdiff_t>(position));
}

void TIEPackage::Save() { db_.Save(); }

}  // namespace korvela
