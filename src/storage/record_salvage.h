#pragma once
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "storage/file_system.h"
#include "storage/xml_db.h"
#include "storage/xml_node.h"

namespace korvela {

// How the program reads one record's content; raises what the program would.
using TRecordReader = std::function<void(std::int32_t id, double date, const XMLNode& document)>;
// The key a record of the database is scrambled with; none means kDataKey.
using TRecordKeyOf = std::function<std::string(std::int32_t id)>;

struct TUnreadableRecord {
  std::int32_t ID = 0;
  double Date = 0;
  std::string what;
  // No record header to name: the file ends inside one.
  bool cutHeader = false;
};

// A record database read whole: every record's size against the file's
// length, every block's checksum and text form and, with a reader, its
// content. Behind a record whose size or checksum is wrong, the next record
// is found by its own checksum, so that one damaged header costs one entry.
struct TDatabaseCheck {
  // Why no record can be read at all (the file is no database of the kind,
  // or cannot be opened); empty otherwise.
  std::string problem;
  bool database = true;
  std::vector<TRecordSpan> readable;
  // Each record that cannot be read, or each stretch of the file where a
  // damaged record header hides how many there were, and a record header
  // cut short at the end.
  std::vector<TUnreadableRecord> unreadable;

  bool Sound() const { return problem.empty() && unreadable.empty(); }
  int Lost() const;
};

// Reads the database whole, as described above; raises nothing for damage.
// A missing file is a sound database without records.
TDatabaseCheck CheckRecordDatabase(const std::filesystem::path& file, std::int32_t kind,
                                   TFileSystem& fs, const TRecordReader& read = {},
                                   const TRecordKeyOf& keyOf = {});

// The free name a damaged file is set aside under: the name + ".damaged", or
// + ".2.damaged", ".3.damaged", ... when an earlier one is kept there.
std::filesystem::path FreeSetAsideName(const std::filesystem::path& file, TFileSystem& fs);

struct TSalvage {
  std::filesystem::path aside;  // where the damaged original is kept
  int kept = 0;                 // readable records the new file holds
  int lost = 0;                 // records that could not be read
  int filled = 0;               // records taken from the shipped copy
  bool database = true;         // false: no record of the original could be read
};

// Replaces a damaged record database by one of its readable records, each
// copied byte for byte, and keeps the original under FreeSetAsideName; it is
// never deleted. With a shipped copy, the records of that copy whose
// identifier and date the readable ones lack are added after them. Every
// step is a write through a temporary file and a rename: first the copy of
// the original, then the new file, which is read back whole before this
// returns. A stop at any point leaves the original or the new file in place.
TSalvage SalvageRecordDatabase(const std::filesystem::path& file, std::int32_t kind,
                               TFileSystem& fs, const TRecordReader& read = {},
                               const TRecordKeyOf& keyOf = {},
                               const std::filesystem::path& shippedCopy = {});

}  // namespace korvela
