#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_node.h"

namespace korvela {

inline constexpr std::int32_t kXMLDBMagic = 12345679;
inline constexpr std::int64_t kXMLDBHeaderSize = 8;
inline constexpr std::int64_t kRecordHeaderSize = 16;
// Offset of a record that has never been stored.
inline constexpr std::int32_t kNotStored = 2147483647;

// Identifier ranges handed out by AllocateID (high is exclusive); numbers
// below 10 are reserved for fixed records of a collection.
inline constexpr std::int32_t kFirstFreeID = 10;
inline constexpr std::int32_t kFirstFreeExerciseID = 21;
inline constexpr std::int32_t kIDLimit = 2147483642;

// Kind numbers of the record databases.
inline constexpr std::int32_t kDayRecordsKind = 666;
inline constexpr std::int32_t kStringTableKind = 654;

enum class TRecordState : std::uint8_t { Changed = 0, Deleted = 1, Stored = 2 };

struct XMLHandle {
  std::int32_t ID = 0;
  double Date = 0;
  std::int32_t Size = 0;
  std::int32_t Offset = kNotStored;
  std::unique_ptr<XMLNode> Node;
  TRecordState State = TRecordState::Changed;
  std::string Key;
};

// One record as its header stands in the file: the block of `Size` bytes
// (checksum header included) starts at `Offset`.
struct TRecordSpan {
  std::int32_t ID = 0;
  double Date = 0;
  std::int64_t Offset = 0;
  std::int64_t Size = 0;
};

// The record headers of a database file, read without trusting them: every
// header found in file order (a block may claim more bytes than the file
// holds), and why the headers end early or the file is no database of the
// kind. An empty file is a database without records.
struct TRecordScan {
  bool isDatabase = true;
  std::string problem;
  std::vector<TRecordSpan> records;
};
TRecordScan ScanRecordDatabase(const TReadableFile& file, std::int32_t kind);

// A file of many small documents, each a scrambled block behind a plain
// record header, addressed by identifier and date. Opening reads only the
// record headers; documents are read on first Get and cached. Changes stay in
// memory until Save rebuilds the file through its temporary file.
class XMLDB {
 public:
  // Opens the database, creating it (8-byte header only, through the
  // temporary file) when absent. An empty file is read as a database without
  // records. A file of another kind or not a database raises EXMLIOError.
  XMLDB(std::filesystem::path file, std::int32_t kind, TRandom& random,
        TFileSystem& fs = PosixFileSystem());
  XMLDB(const XMLDB&) = delete;
  XMLDB& operator=(const XMLDB&) = delete;

  // The record's document, owned by the database; none when absent or
  // deleted. A block that fails its checksum or grammar raises EInvalidXMLFile.
  const XMLNode* Get(std::int32_t id, std::string_view key, double date);
  // Takes ownership of the document.
  void Put(std::unique_ptr<XMLNode> document, std::int32_t id, std::string_view key, double date);
  void Delete(std::int32_t id, double date);
  // Whether a record of that identifier and date is present (not deleted).
  bool Has(std::int32_t id, double date) const;
  void Save();
  // Saves this database, then appends the stored records of `source` at the
  // given positions of its index to this file, header and scrambled block
  // byte for byte, in one replacement of the file. The source is not changed.
  void AppendStoredRecords(const XMLDB& source, const std::vector<std::size_t>& positions);
  void ReleaseCache();
  std::int32_t AllocateID(std::int32_t low, std::int32_t high);
  // Save, release the cache and forget the index.
  void Close();

  const std::filesystem::path& FileName() const { return file_; }
  std::int32_t Kind() const { return kind_; }
  TFileSystem& FileSystem() const { return fs_; }
  // The index in list order: stored records in file order, then those added
  // since the database was opened.
  const std::vector<XMLHandle>& Handles() const { return handles_; }

 private:
  void Index();
  void CreateEmpty();
  XMLHandle* Find(std::int32_t id, double date);
  const XMLHandle* Find(std::int32_t id, double date) const;
  void Reindex();

  // Identifier and date as a hashable key; equal dates have equal bits.
  struct TRecordKey {
    std::int32_t id;
    std::uint64_t dateBits;
    bool operator==(const TRecordKey&) const = default;
  };
  struct TRecordKeyHash {
    std::size_t operator()(const TRecordKey& k) const {
      return std::hash<std::uint64_t>()(k.dateBits * 0x9E3779B97F4A7C15ull ^
                                        static_cast<std::uint32_t>(k.id));
    }
  };
  static TRecordKey KeyOf(std::int32_t id, double date);

  std::filesystem::path file_;
  std::int32_t kind_;
  TRandom& random_;
  TFileSystem& fs_;
  std::vector<XMLHandle> handles_;
  // The position in handles_ of the newest entry of each identifier and date.
  std::unordered_map<TRecordKey, std::size_t, TRecordKeyHash> index_;
};

}  // namespace korvela
