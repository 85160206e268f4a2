#include "korvela_data/data_files.h"

#include <array>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/value_text.h"
#include "storage/xml_db.h"

namespace korvela {

std::string RecordKey(std::int32_t kind, std::int32_t id) {
  return kind == kStringTableKind ? IntText(id) : std::string(kDataKey);
}

std::optional<std::int32_t> RecordDatabaseKind(const std::filesystem::path& file, TFileSystem& fs) {
  const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
  if (in->Size() < kXMLDBHeaderSize) return std::nullopt;
  std::array<std::uint8_t, kXMLDBHeaderSize> header;
  in->ReadAt(0, header.data(), header.size());
  const auto int32At = [&header](std::size_t at) {
    std::uint32_t u = 0;
    for (std::size_t i = 4; i-- > 0;) u = (u << 8) | header[at + i];
    return static_cast<std::int32_t>(u);
  };
  if (int32At(0) != kXMLDBMagic) return std::nullopt;
  return int32At(4);
}

std::string ReadWholeFile(const std::filesystem::path& file, TFileSystem& fs) {
  const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
  std::string content(static_cast<std::size_t>(in->Size()), '\0');
  in->ReadAt(0, content.data(), content.size());
  return content;
}

bool SameFile(const std::filesystem::path& a, const std::filesystem::path& b) {
  return std::filesystem::weakly_canonical(a) == std::filesystem::weakly_canonical(b);
}

std::unique_ptr<XMLNode> ReadTextDocument(const std::filesystem::path& file, TFileSystem& fs) {
  try {
    const std::string text = ReadWholeFile(file, fs);
    return XMLNode::Parse(text.data(), text.size());
  } catch (EKorvelaError& e) {
    // The parser does not know the file it reads.
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

}  // namespace korvela
