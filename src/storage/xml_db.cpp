#include "storage/xml_db.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>

#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {
namespace {

void PutInt32(std::uint8_t* p, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

std::int32_t GetInt32(const std::uint8_t* p) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | p[i];
  return static_cast<std::int32_t>(u);
}

// The stored date is an IEEE 754 double in little-endian byte order, which is
// the machine's own order on every platform this program builds for.
static_assert(std::endian::native == std::endian::little);

struct TRecordHeader {
  std::int32_t id;
  double date;
  std::int32_t size;
};

TRecordHeader DecodeRecordHeader(const std::uint8_t* p) {
  TRecordHeader h;
  h.id = GetInt32(p);
  std::memcpy(&h.date, p + 4, 8);
  h.size = GetInt32(p + 12);
  return h;
}

std::array<std::uint8_t, kRecordHeaderSize> EncodeRecordHeader(std::int32_t id, double date,
                                                               std::int32_t size) {
  std::array<std::uint8_t, kRecordHeaderSize> h{};
  PutInt32(h.data(), id);
  std::memcpy(h.data() + 4, &date, 8);
  PutInt32(h.data() + 12, size);
  return h;
}

std::array<std::uint8_t, kXMLDBHeaderSize> EncodeDatabaseHeader(std::int32_t kind) {
  std::array<std::uint8_t, kXMLDBHeaderSize> header{};
  PutInt32(header.data(), kXMLDBMagic);
  PutInt32(header.data() + 4, kind);
  return header;
}

// Copies byte ranges of the old file into the new one, joining neighbouring
// ranges so that a file of unchanged records is copied in large pieces.
class TRangeCopier {
 public:
  TRangeCopier(const TReadableFile& from, TWritableFile& to) : from_(from), to_(to) {}
  void Add(std::int64_t start, std::int64_t size) {
    if (size_ > 0 && start == start_ + size_) {
      size_ += size;
      return;
    }
    Drain();
    start_ = start;
    size_ = size;
  }
  std::int64_t Pending() const { return size_; }
  void Drain() {
    std::vector<char> buffer;
    while (size_ > 0) {
      const std::int64_t n = std::min<std::int64_t>(size_, 1 << 20);
      buffer.resize(static_cast<std::size_t>(n));
      from_.ReadAt(start_, buffer.data(), buffer.size());
      to_.Write(buffer.data(), buffer.size());
      start_ += n;
      size_ -= n;
    }
  }

 private:
  const TReadableFile& from_;
  TWritableFile& to_;
  std::int64_t start_ = 0;
  std::int64_t size_ = 0;
};

}  // namespace

XMLDB::XMLDB(std::filesystem::path file, std::int32_t kind, TRandom& random, TFileSystem& fs)
    : file_(std::move(file)), kind_(kind), random_(random), fs_(fs) {
  if (fs_.Exists(file_))
    Index();
  else
    CreateEmpty();
}

void XMLDB::CreateEmpty() {
  // Through the temporary file like every other write: a new database is
  // either there with its header or not there at all.
  const auto header = EncodeDatabaseHeader(kind_);
  ReplaceFile(fs_, file_, [&](TWritableFile& out) { out.Write(header.data(), header.size()); });
}

void XMLDB::Index() {
  const std::unique_ptr<TReadableFile> in = fs_.OpenRead(file_);
  const std::int64_t fileSize = in->Size();
  // An older version created a database by writing its header in place; a
  // stop at that moment left an empty file, which holds no record.
  if (fileSize == 0) return;
  if (fileSize < kXMLDBHeaderSize) throw EXMLIOError(file_.string(), "not a record database");
  std::array<std::uint8_t, kXMLDBHeaderSize> header;
  in->ReadAt(0, header.data(), header.size());
  if (GetInt32(header.data()) != kXMLDBMagic || GetInt32(header.data() + 4) != kind_)
    throw EXMLIOError(file_.string(), "not a record database of the expected kind");

  // Headers are read through a window of the file, so that a database of
  // small records is indexed with a few large reads.
  constexpr std::int64_t kWindow = 1 << 20;
  std::vector<std::uint8_t> window;
  std::int64_t windowStart = 0;
  std::int64_t pos = kXMLDBHeaderSize;
  while (pos < fileSize) {
    if (fileSize - pos < kRecordHeaderSize)
      throw EXMLIOError(file_.string(), "truncated record header");
    if (pos < windowStart || pos + kRecordHeaderSize > windowStart + std::ssize(window)) {
      windowStart = pos;
      window.resize(static_cast<std::size_t>(std::min(kWindow, fileSize - pos)));
      in->ReadAt(pos, window.data(), window.size());
    }
    const TRecordHeader h = DecodeRecordHeader(window.data() + (pos - windowStart));
    if (h.size < 0) throw EXMLIOError(file_.string(), "negative record size");
    pos += kRecordHeaderSize;
    XMLHandle handle;
    handle.ID = h.id;
    handle.Date = h.date;
    handle.Size = h.size;
    handle.Offset = static_cast<std::int32_t>(std::min<std::int64_t>(pos, kNotStored - 1));
    handle.State = TRecordState::Stored;
    index_[KeyOf(handle.ID, handle.Date)] = handles_.size();
    handles_.push_back(std::move(handle));
    // A size beyond the end of the file is indexed anyway; reading that
    // record fails.
    pos += h.size;
  }
}

TRecordScan ScanRecordDatabase(const TReadableFile& in, std::int32_t kind) {
  TRecordScan scan;
  const std::int64_t fileSize = in.Size();
  if (fileSize == 0) return scan;
  if (fileSize < kXMLDBHeaderSize) {
    scan.problem = "not a record database";
    scan.isDatabase = false;
    return scan;
  }
  std::array<std::uint8_t, kXMLDBHeaderSize> header;
  in.ReadAt(0, header.data(), header.size());
  if (GetInt32(header.data()) != kXMLDBMagic || GetInt32(header.data() + 4) != kind) {
    scan.problem = GetInt32(header.data()) == kXMLDBMagic
                       ? "not a record database of the expected kind"
                       : "not a record database";
    scan.isDatabase = false;
    return scan;
  }
  std::int64_t pos = kXMLDBHeaderSize;
  std::array<std::uint8_t, kRecordHeaderSize> bytes;
  while (pos < fileSize) {
    if (fileSize - pos < kRecordHeaderSize) {
      scan.problem = "truncated record header";
      return scan;
    }
    in.ReadAt(pos, bytes.data(), bytes.size());
    const TRecordHeader h = DecodeRecordHeader(bytes.data());
    if (h.size < 0) {
      scan.problem = "negative record size";
      return scan;
    }
    scan.records.push_back({h.id, h.date, pos + kRecordHeaderSize, h.size});
    pos += kRecordHeaderSize + h.size;
  }
  return scan;
}

XMLDB::TRecordKey XMLDB::KeyOf(std::int32_t id, double date) {
  if (date == 0) date = 0;  // -0 and 0 are the same date
  return {id, std::bit_cast<std::uint64_t>(date)};
}

XMLHandle* XMLDB::Find(std::int32_t id, double date) {
  const auto it = index_.find(KeyOf(id, date));
  return it == index_.end() ? nullptr : &handles_[it->second];
}

const XMLHandle* XMLDB::Find(std::int32_t id, double date) const {
  const auto it = index_.find(KeyOf(id, date));
  return it == index_.end() ? nullptr : &handles_[it->second];
}

bool XMLDB::Has(std::int32_t id, double date) const {
  const XMLHandle* h = Find(id, date);
  return h && h->State != TRecordState::Deleted;
}

void XMLDB::Reindex() {
  index_.clear();
  for (std::size_t i = 0; i < handles_.size(); ++i)
    index_[KeyOf(handles_[i].ID, handles_[i].Date)] = i;
}

const XMLNode* XMLDB::Get(std::int32_t id, std::string_view key, double date) {
  XMLHandle* h = Find(id, date);
  if (!h || h->State == TRecordState::Deleted) return nullptr;
  if (h->Node && h->Key == key) return h->Node.get();
  std::unique_ptr<XMLNode> node = LoadXMLBlock(file_, key, h->Offset, h->Size, fs_);
  if (!node) throw EInvalidXMLFile(file_.string());
  h->Node = std::move(node);
  h->Key = std::string(key);
  return h->Node.get();
}

void XMLDB::Put(std::unique_ptr<XMLNode> document, std::int32_t id, std::string_view key,
                double date) {
  if (!document) throw EInternalError("XMLDB: no document to store");
  XMLHandle* h = Find(id, date);
  if (h && h->State == TRecordState::Changed) {
    h->Node = std::move(document);
    h->Key = std::string(key);
    return;
  }
  if (h && h->State == TRecordState::Stored) h->State = TRecordState::Deleted;
  XMLHandle added;
  added.ID = id;
  added.Date = date;
  added.Node = std::move(document);
  added.State = TRecordState::Changed;
  added.Key = std::string(key);
  index_[KeyOf(id, date)] = handles_.size();
  handles_.push_back(std::move(added));
}

void XMLDB::Delete(std::int32_t id, double date) {
  XMLHandle* h = Find(id, date);
  if (!h) return;
  if (h->Offset == kNotStored) {
    handles_.erase(handles_.begin() + (h - handles_.data()));
    Reindex();
    return;
  }
  h->State = TRecordState::Deleted;
}

void XMLDB::Save() {
  if (std::all_of(handles_.begin(), handles_.end(),
                  [](const XMLHandle& h) { return h.State == TRecordState::Stored; }))
    return;

  // The new index is built beside the old one and takes its place only once
  // the new file has replaced the old, so a failed save changes nothing.
  std::vector<XMLHandle> rebuilt;
  rebuilt.reserve(handles_.size());
  const std::unique_ptr<TReadableFile> old = fs_.OpenRead(file_);
  ReplaceFile(fs_, file_, [&](TWritableFile& out) {
    const auto header = EncodeDatabaseHeader(kind_);
    out.Write(header.data(), header.size());
    TRangeCopier copier(*old, out);
    for (XMLHandle& h : handles_) {
      if (h.State == TRecordState::Deleted) continue;
      XMLHandle entry;
      entry.ID = h.ID;
      entry.Date = h.Date;
      entry.State = TRecordState::Stored;
      if (h.State == TRecordState::Stored) {
        const std::int64_t start = std::int64_t{h.Offset} - kRecordHeaderSize;
        if (std::int64_t{h.Offset} + h.Size > old->Size())
          throw EXMLIOError(file_.string(), "record beyond the end of the file");
        entry.Offset = static_cast<std::int32_t>(out.Size() + copier.Pending() + kRecordHeaderSize);
        copier.Add(start, h.Size + kRecordHeaderSize);
        entry.Size = h.Size;
      } else {
        copier.Drain();
        const std::string text = h.Node->ToText();
        const std::int64_t blockSize = kBlockHeaderSize + std::ssize(text);
        if (out.Size() + kRecordHeaderSize + blockSize >= kNotStored)
          throw EXMLIOError(file_.string(), "record database too large");
        const auto recordHeader =
            EncodeRecordHeader(h.ID, h.Date, static_cast<std::int32_t>(blockSize));
        out.Write(recordHeader.data(), recordHeader.size());
        entry.Offset = static_cast<std::int32_t>(out.Size());
        AppendXMLBlock(out, text, h.Key, random_);
        entry.Size = static_cast<std::int32_t>(blockSize);
      }
      rebuilt.push_back(std::move(entry));
    }
    copier.Drain();
  });
  // Cached documents stay with their records; the cleared key makes the next
  // Get read the stored block again.
  std::size_t next = 0;
  for (XMLHandle& h : handles_) {
    if (h.State == TRecordState::Deleted) continue;
    rebuilt[next++].Node = std::move(h.Node);
  }
  handles_ = std::move(rebuilt);
  Reindex();
}

void XMLDB::AppendStoredRecords(const XMLDB& source, const std::vector<std::size_t>& positions) {
  if (positions.empty()) return;
  Save();
  std::vector<XMLHandle> added;
  added.reserve(positions.size());
  const std::unique_ptr<TReadableFile> old = fs_.OpenRead(file_);
  const std::unique_ptr<TReadableFile> from = source.fs_.OpenRead(source.file_);
  ReplaceFile(fs_, file_, [&](TWritableFile& out) {
    TRangeCopier own(*old, out);
    if (old->Size() == 0) {
      const auto header = EncodeDatabaseHeader(kind_);
      out.Write(header.data(), header.size());
    } else {
      own.Add(0, old->Size());
      own.Drain();
    }
    TRangeCopier copier(*from, out);
    for (const std::size_t position : positions) {
      const XMLHandle& h = source.handles_.at(position);
      if (h.State != TRecordState::Stored)
        throw EInternalError("XMLDB: only stored records can be appended elsewhere");
      if (std::int64_t{h.Offset} + h.Size > from->Size())
        throw EXMLIOError(source.file_.string(), "record beyond the end of the file");
      const std::int64_t offset = out.Size() + copier.Pending() + kRecordHeaderSize;
      if (offset + h.Size >= kNotStored) throw EXMLIOError(file_.string(), "record database too large");
      XMLHandle entry;
      entry.ID = h.ID;
      entry.Date = h.Date;
      entry.Size = h.Size;
      entry.Offset = static_cast<std::int32_t>(offset);
      entry.State = TRecordState::Stored;
      added.push_back(std::move(entry));
      copier.Add(std::int64_t{h.Offset} - kRecordHeaderSize, h.Size + kRecordHeaderSize);
    }
    copier.Drain();
  });
  for (XMLHandle& entry : added) {
    index_[KeyOf(entry.ID, entry.Date)] = handles_.size();
    handles_.push_back(std::move(entry));
  }
}

void XMLDB::ReleaseCache() {
  for (XMLHandle& h : handles_)
    if (h.State != TRecordState::Changed) h.Node.reset();
}

std::int32_t XMLDB::AllocateID(std::int32_t low, std::int32_t high) {
  std::int32_t id = 0;
  bool found = false;
  for (int attempt = 0; attempt < 1000 && !found; ++attempt) {
    id = static_cast<std::int32_t>(random_.Uniform(low, high));
    found = std::none_of(handles_.begin(), handles_.end(),
                         [id](const XMLHandle& h) { return h.ID == id; });
  }
  if (!found) throw EInternalError("XMLDB: cannot allocated a free ID in the specified range");
  if (id == 0 || id == -1) throw EInternalError("XMLDB: invalid database ID allocated");
  return id;
}

void XMLDB::Close() {
  Save();
  ReleaseCache();
  handles_.clear();
  index_.clear();
}

}  // namespace korvela
