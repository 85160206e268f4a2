#pragma once
#include <array>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string_view>

#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_node.h"

namespace korvela {

// The key of every scrambled file except the string table, whose records are
// keyed by the decimal text of their number.
inline constexpr std::string_view kDataKey = "4417093825";

// Size of the plain header in front of every scrambled body: the CRC-32 of
// the plain body and 12 scrambled random bytes.
inline constexpr std::int64_t kBlockHeaderSize = 16;

// CRC-32 (IEEE 802.3, reflected polynomial 0xEDB88320). `crc` is the running
// value: start with 0xFFFFFFFF and complement at the end.
std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size);

// The traditional PKWARE stream cipher with its three 32-bit keys.
class TCipher {
 public:
  void Reset();
  void Update(std::uint8_t plain);
  std::uint8_t KeystreamByte() const;
  // Reset, then update with each byte of the key text.
  void PrepareKey(std::string_view key);
  void Scramble(std::uint8_t* data, std::size_t size);
  void Unscramble(std::uint8_t* data, std::size_t size);

 private:
  std::uint32_t k0_ = 0, k1_ = 0, k2_ = 0;
};

// A scrambled block inside a file: 16 header bytes at `offset` (checksum and
// encryption header, passed through unscrambled) followed by the scrambled
// body. A writing stream fills the header when it is finished; a reading
// stream verifies the checksum when it is finished, so the whole body must
// have been read. The stream borrows the file.
class TGarbledStream {
 public:
  // Writing from `offset` + 16 on; the header gap is filled by Finish.
  TGarbledStream(TWritableFile& file, std::int64_t offset, std::string_view key, TRandom& random);
  // Reading the block at `offset`; the file must hold more than the header.
  TGarbledStream(const TReadableFile& file, std::int64_t offset, std::string_view key,
                 const std::filesystem::path& name);

  // Transfers at the stream's position. A transfer that starts exactly at
  // the block's offset is the header and passes through unchanged.
  void Write(const void* data, std::size_t size);
  void Read(void* data, std::size_t size);
  void Seek(std::int64_t position) { position_ = position; }
  std::int64_t Position() const { return position_; }

  // Writing: stores checksum and header at the offset. Reading: raises
  // EInvalidXMLFile when the checksum of what was read differs.
  void Finish();

 private:
  TWritableFile* out_ = nullptr;
  const TReadableFile* in_ = nullptr;
  std::filesystem::path name_;
  std::int64_t offset_;
  std::int64_t position_;
  std::array<std::uint8_t, kBlockHeaderSize> header_{};
  TCipher cipher_;
  std::uint32_t crc_ = 0xFFFFFFFF;
};

// The document of a scrambled file of its own; none when its body is not in
// the text form. A failed checksum raises EInvalidXMLFile, a file that cannot
// be read EXMLIOError.
std::unique_ptr<XMLNode> LoadXMLFile(const std::filesystem::path& file, std::string_view key,
                                     TFileSystem& fs = PosixFileSystem());
// The same for the block of `blockSize` bytes (header included) at `offset`.
std::unique_ptr<XMLNode> LoadXMLBlock(const std::filesystem::path& file, std::string_view key,
                                      std::int64_t offset, std::int64_t blockSize,
                                      TFileSystem& fs = PosixFileSystem());
// The plain body of a block read from an open file (for tools that show the
// text exactly as stored).
std::string ReadPlainBlock(const TReadableFile& file, const std::filesystem::path& name,
                           std::string_view key, std::int64_t offset, std::int64_t blockSize);

// Writes the document as a file of its own, replacing an earlier file through
// its temporary file ("LI.DAT" through "LItmp").
void SaveXMLFile(const XMLNode& root, const std::filesystem::path& file, std::string_view key,
                 TRandom& random, TFileSystem& fs = PosixFileSystem());
// Writes the document as a block at `offset` of an existing file.
void WriteXMLBlock(const XMLNode& root, const std::filesystem::path& file, std::string_view key,
                   std::int64_t offset, TRandom& random, TFileSystem& fs = PosixFileSystem());
// Writes the text form as a block at the current end of an open file;
// returns the block's size (header included).
std::int64_t AppendXMLBlock(TWritableFile& file, std::string_view text, std::string_view key,
                            TRandom& random);

}  // namespace korvela
