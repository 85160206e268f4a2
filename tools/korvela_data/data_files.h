#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "storage/file_system.h"
#include "storage/xml_node.h"

namespace korvela {

// The key of a record of a database of `kind`: the string table keys each
// record by the decimal text of its identifier, every other kind uses
// kDataKey.
std::string RecordKey(std::int32_t kind, std::int32_t id);

// The kind of a record database, or none when the file does not start with
// the database magic (a scrambled file of its own, or a foreign file).
std::optional<std::int32_t> RecordDatabaseKind(const std::filesystem::path& file, TFileSystem& fs);

// The whole content of a file.
std::string ReadWholeFile(const std::filesystem::path& file, TFileSystem& fs);

// Whether two paths name the same file (a table must not be built over itself).
bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b);

// The document of a plain text file in the text form. A file that cannot be
// read or is not in the text form raises an EKorvelaError naming the file.
std::unique_ptr<XMLNode> ReadTextDocument(const std::filesystem::path& file, TFileSystem& fs);

}  // namespace korvela
