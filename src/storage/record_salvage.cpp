#include "storage/record_salvage.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <set>
#include <utility>

#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {
namespace {

// What is wrong, without the file the caller names anyway.
std::string Describe(const std::exception& e) {
  if (const auto* k = dynamic_cast<const EKorvelaError*>(&e)) {
    if (!k->Message().empty()) return k->Message();
    if (dynamic_cast<const EInvalidXMLFile*>(k)) return "the record fails its checksum";
    return k->KindText();
  }
  return e.what();
}

std::string WholeFile(const TReadableFile& in) {
  std::string bytes(static_cast<std::size_t>(in.Size()), '\0');
  in.ReadAt(0, bytes.data(), bytes.size());
  return bytes;
}

std::pair<std::int32_t, std::uint64_t> KeyOf(std::int32_t id, double date) {
  if (date == 0) date = 0;  // -0 and 0 are the same date
  std::uint64_t bits;
  std::memcpy(&bits, &date, sizeof bits);
  return {id, bits};
}

std::int32_t GetInt32(const char* p) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<std::uint8_t>(p[i]);
  return static_cast<std::int32_t>(u);
}

void PutInt32(std::uint8_t* p, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int i = 0; i < 4; ++i) p[i] = static_cast<std::uint8_t>(u >> (8 * i));
}

// The spans of a sound shipped copy, with the bytes they stand in; nothing
// when the copy is missing or itself damaged.
std::pair<std::string, std::vector<TRecordSpan>> ShippedRecords(const std::filesystem::path& copy,
                                                                std::int32_t kind, TFileSystem& fs,
                                                                const TRecordReader& read,
                                                                const TRecordKeyOf& keyOf) {
  if (copy.empty() || !fs.Exists(copy)) return {};
  const TDatabaseCheck check = CheckRecordDatabase(copy, kind, fs, read, keyOf);
  if (!check.Sound()) return {};
  const std::unique_ptr<TReadableFile> in = fs.OpenRead(copy);
  return {WholeFile(*in), check.readable};
}

}  // namespace

int TDatabaseCheck::Lost() const { return static_cast<int>(unreadable.size()); }

TDatabaseCheck CheckRecordDatabase(const std::filesystem::path& file, std::int32_t kind,
                                   TFileSystem& fs, const TRecordReader& read,
                                   const TRecordKeyOf& keyOf) {
  TDatabaseCheck check;
  if (!fs.Exists(file)) return check;
  std::unique_ptr<TReadableFile> in;
  std::string bytes;
  try {
    in = fs.OpenRead(file);
    const TRecordScan scan = ScanRecordDatabase(*in, kind);
    if (!scan.isDatabase) {
      check.problem = scan.problem;
      check.database = false;
      return check;
    }
    bytes = WholeFile(*in);
  } catch (const std::exception& e) {
    check.problem = Describe(e);
    check.database = false;
    return check;
  }
  const auto fileSize = static_cast<std::int64_t>(bytes.size());
  const auto headerAt = [&bytes](std::int64_t pos) {
    TRecordSpan span;
    span.ID = GetInt32(bytes.data() + pos);
    std::memcpy(&span.Date, bytes.data() + pos + 4, 8);
    span.Size = GetInt32(bytes.data() + pos + 12);
    span.Offset = pos + kRecordHeaderSize;
    return span;
  };
  // The record's block passes its checksum (the record's extent can be
  // trusted); raises what is wrong otherwise.
  const auto verify = [&](const TRecordSpan& span) {
    if (span.Size < 0) throw EKorvelaError("negative record size");
    if (span.Offset + span.Size > fileSize)
      throw EKorvelaError("record beyond the end of the file");
    const std::string key = keyOf ? keyOf(span.ID) : std::string(kDataKey);
    return ReadPlainBlock(*in, file, key, span.Offset, span.Size);
  };
  // Where the next record whose block passes its checksum starts, searched
  // byte by byte behind a damaged one; only headers that could be true are
  // tried (a block that fits the file, a date that is a day value).
  const auto nextSound = [&](std::int64_t from) {
    for (std::int64_t q = from; q + kRecordHeaderSize + kBlockHeaderSize < fileSize; ++q) {
      const TRecordSpan span = headerAt(q);
      if (span.Size <= kBlockHeaderSize || span.Offset + span.Size > fileSize) continue;
      if (span.Date != 0 && !(std::fabs(span.Date) >= 1 && std::fabs(span.Date) <= 1e7)) continue;
      try {
        (void)verify(span);
        return q;
      } catch (const std::exception&) {
      }
    }
    return fileSize;
  };

  std::int64_t pos = kXMLDBHeaderSize;
  while (pos < fileSize) {
    if (fileSize - pos < kRecordHeaderSize) {
      check.unreadable.push_back({0, 0, "truncated record header", true});
      break;
    }
    const TRecordSpan span = headerAt(pos);
    std::string body;
    try {
      body = verify(span);
    } catch (const std::exception& e) {
      // The record's extent cannot be trusted: the records behind it are
      // found by their own checksums.
      check.unreadable.push_back({span.ID, span.Date, Describe(e)});
      pos = nextSound(pos + 1);
      continue;
    }
    pos = span.Offset + span.Size;
    try {
      std::unique_ptr<XMLNode> document;
      try {
        document = XMLNode::Parse(std::move(body));
      } catch (const EInvalidXMLFile&) {
        throw EKorvelaError("the body is not a document");
      }
      if (read) read(span.ID, span.Date, *document);
      check.readable.push_back(span);
    } catch (const std::exception& e) {
      check.unreadable.push_back({span.ID, span.Date, Describe(e)});
    }
  }
  return check;
}

std::filesystem::path FreeSetAsideName(const std::filesystem::path& file, TFileSystem& fs) {
  std::filesystem::path aside = file;
  aside += ".damaged";
  for (int n = 2; fs.Exists(aside); ++n) {
    aside = file;
    aside += "." + std::to_string(n) + ".damaged";
  }
  return aside;
}

TSalvage SalvageRecordDatabase(const std::filesystem::path& file, std::int32_t kind,
                               TFileSystem& fs, const TRecordReader& read,
                               const TRecordKeyOf& keyOf,
                               const std::filesystem::path& shippedCopy) {
  const TDatabaseCheck check = CheckRecordDatabase(file, kind, fs, read, keyOf);
  TSalvage result;
  result.kept = static_cast<int>(check.readable.size());
  result.lost = check.Lost();
  result.database = check.database;
  result.aside = FreeSetAsideName(file, fs);

  // The original is kept first, byte for byte, so that a stop before the new
  // file is in place leaves it twice rather than not at all. A folder in the
  // file's place is moved aside whole.
  std::string original;
  std::error_code ec;
  if (std::filesystem::is_directory(file, ec)) {
    fs.Rename(file, result.aside);
  } else {
    {
      const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
      original = WholeFile(*in);
    }
    ReplaceFile(fs, result.aside,
                [&](TWritableFile& out) { out.Write(original.data(), original.size()); });
  }

  // Named members rather than a structured binding: the lambda below uses
  // them, which clang 14 does not allow for bindings.
  const auto shippedRecords = ShippedRecords(shippedCopy, kind, fs, read, keyOf);
  const std::string& shipped = shippedRecords.first;
  const auto& shippedSpans = shippedRecords.second;
  std::set<std::pair<std::int32_t, std::uint64_t>> have;
  for (const TRecordSpan& span : check.readable) have.insert(KeyOf(span.ID, span.Date));
  std::vector<const TRecordSpan*> fill;
  for (const TRecordSpan& span : shippedSpans)
    if (!have.contains(KeyOf(span.ID, span.Date))) fill.push_back(&span);
  result.filled = static_cast<int>(fill.size());

  ReplaceFile(fs, file, [&](TWritableFile& out) {
    std::array<std::uint8_t, kXMLDBHeaderSize> header{};
    PutInt32(header.data(), kXMLDBMagic);
    PutInt32(header.data() + 4, kind);
    out.Write(header.data(), header.size());
    const auto copy = [&out](const std::string& from, const TRecordSpan& span) {
      out.Write(from.data() + (span.Offset - kRecordHeaderSize),
                static_cast<std::size_t>(span.Size + kRecordHeaderSize));
    };
    for (const TRecordSpan& span : check.readable) copy(original, span);
    for (const TRecordSpan* span : fill) copy(shipped, *span);
  });

  // Read back: the new file must hold exactly what was written, all sound.
  const TDatabaseCheck written = CheckRecordDatabase(file, kind, fs, read, keyOf);
  if (!written.Sound() || written.readable.size() != check.readable.size() + fill.size())
    throw EXMLIOError(file.string(), "the salvaged file does not read back");
  return result;
}

}  // namespace korvela
