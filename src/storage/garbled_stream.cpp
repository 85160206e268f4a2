#include "storage/garbled_stream.h"

#include <cstring>
#include <string>
#include <vector>

#include "storage/errors.h"

namespace korvela {
namespace {

using TCrcTables = std::array<std::array<std::uint32_t, 256>, 8>;

// Table 0 is the standard byte table; tables 1-7 let the checksum take eight
// bytes per step.
constexpr TCrcTables MakeCrcTables() {
  TCrcTables t{};
  for (std::uint32_t i = 0; i < 256; ++i) {
    std::uint32_t c = i;
    for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
    t[0][i] = c;
  }
  for (std::size_t s = 1; s < 8; ++s)
    for (std::size_t i = 0; i < 256; ++i) t[s][i] = (t[s - 1][i] >> 8) ^ t[0][t[s - 1][i] & 0xFF];
  return t;
}
constexpr TCrcTables kCrc = MakeCrcTables();

inline std::uint32_t Crc32Step(std::uint32_t k, std::uint8_t byte) {
  return kCrc[0][(k ^ byte) & 0xFF] ^ (k >> 8);
}

}  // namespace

std::uint32_t Crc32Update(std::uint32_t crc, const void* data, std::size_t size) {
  const auto* p = static_cast<const std::uint8_t*>(data);
  while (size >= 8) {
    std::uint32_t lo, hi;
    std::memcpy(&lo, p, 4);
    std::memcpy(&hi, p + 4, 4);
    lo ^= crc;
    crc = kCrc[7][lo & 0xFF] ^ kCrc[6][(lo >> 8) & 0xFF] ^ kCrc[5][(lo >> 16) & 0xFF] ^
          kCrc[4][lo >> 24] ^ kCrc[3][hi & 0xFF] ^ kCrc[2][(hi >> 8) & 0xFF] ^
          kCrc[1][(hi >> 16) & 0xFF] ^ kCrc[0][hi >> 24];
    p += 8;
    size -= 8;
  }
  while (size-- > 0) crc = Crc32Step(crc, *p++);
  return crc;
}

void TCipher::Reset() {
  k0_ = 0x12345678u;
  k1_ = 0x23456789u;
  k2_ = 0x34567890u;
}

void TCipher::Update(std::uint8_t plain) {
  k0_ = Crc32Step(k0_, plain);
  k1_ = (k1_ + (k0_ & 0xFF)) * 134775813u + 1;
  k2_ = Crc32Step(k2_, static_cast<std::uint8_t>(k1_ >> 24));
}

std::uint8_t TCipher::KeystreamByte() const {
  const std::uint32_t t = (k2_ | 2) & 0xFFFF;
  return static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
}

void TCipher::PrepareKey(std::string_view key) {
  Reset();
  for (char c : key) Update(static_cast<std::uint8_t>(c));
}

void TCipher::Scramble(std::uint8_t* data, std::size_t size) {
  std::uint32_t k0 = k0_, k1 = k1_, k2 = k2_;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint8_t plain = data[i];
    const std::uint32_t t = (k2 | 2) & 0xFFFF;
    data[i] = plain ^ static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
    k0 = Crc32Step(k0, plain);
    k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
    k2 = Crc32Step(k2, static_cast<std::uint8_t>(k1 >> 24));
  }
  k0_ = k0, k1_ = k1, k2_ = k2;
}

void TCipher::Unscramble(std::uint8_t* data, std::size_t size) {
  std::uint32_t k0 = k0_, k1 = k1_, k2 = k2_;
  for (std::size_t i = 0; i < size; ++i) {
    const std::uint32_t t = (k2 | 2) & 0xFFFF;
    const std::uint8_t plain = data[i] ^ static_cast<std::uint8_t>((t * (t ^ 1)) >> 8);
    data[i] = plain;
    k0 = Crc32Step(k0, plain);
    k1 = (k1 + (k0 & 0xFF)) * 134775813u + 1;
    k2 = Crc32Step(k2, static_cast<std::uint8_t>(k1 >> 24));
  }
  k0_ = k0, k1_ = k1, k2_ = k2;
}

TGarbledStream::TGarbledStream(TWritableFile& file, std::int64_t offset, std::string_view key,
                               TRandom& random)
    : out_(&file), offset_(offset), position_(offset + kBlockHeaderSize) {
  cipher_.PrepareKey(key);
  for (std::size_t i = 4; i < header_.size(); ++i)
    header_[i] = static_cast<std::uint8_t>(random.Next());
  cipher_.Scramble(header_.data() + 4, header_.size() - 4);
  // Keep the header's place; Finish writes the real header there.
  if (out_->Size() <= offset_) {
    if (out_->Size() < offset_) throw EInternalError("scrambled block beyond the end of its file");
    const std::array<std::uint8_t, kBlockHeaderSize> gap{};
    out_->Write(gap.data(), gap.size());
  }
}

TGarbledStream::TGarbledStream(const TReadableFile& file, std::int64_t offset, std::string_view key,
                               const std::filesystem::path& name)
    : in_(&file), name_(name), offset_(offset), position_(offset) {
  if (offset < 0 || file.Size() <= offset + kBlockHeaderSize) throw EInvalidXMLFile(name.string());
  file.ReadAt(offset, header_.data(), header_.size());
  position_ = offset + kBlockHeaderSize;
  cipher_.PrepareKey(key);
  std::array<std::uint8_t, kBlockHeaderSize - 4> copy;
  std::memcpy(copy.data(), header_.data() + 4, copy.size());
  cipher_.Unscramble(copy.data(), copy.size());
}

void TGarbledStream::Write(const void* data, std::size_t size) {
  if (!out_) throw EInternalError("writing to a scrambled stream opened for reading");
  if (position_ == offset_) {
    out_->WriteAt(position_, data, size);
  } else {
    std::vector<std::uint8_t> copy(static_cast<const std::uint8_t*>(data),
                                   static_cast<const std::uint8_t*>(data) + size);
    crc_ = Crc32Update(crc_, copy.data(), copy.size());
    cipher_.Scramble(copy.data(), copy.size());
    if (position_ == out_->Size())
      out_->Write(copy.data(), copy.size());
    else
      out_->WriteAt(position_, copy.data(), copy.size());
  }
  position_ += static_cast<std::int64_t>(size);
}

void TGarbledStream::Read(void* data, std::size_t size) {
  if (!in_) throw EInternalError("reading from a scrambled stream opened for writing");
  if (position_ < 0 || position_ > in_->Size() ||
      static_cast<std::uint64_t>(in_->Size() - position_) < size)
    throw EInvalidXMLFile(name_.string());
  in_->ReadAt(position_, data, size);
  if (position_ != offset_) {
    auto* bytes = static_cast<std::uint8_t*>(data);
    cipher_.Unscramble(bytes, size);
    crc_ = Crc32Update(crc_, bytes, size);
  }
  position_ += static_cast<std::int64_t>(size);
}

void TGarbledStream::Finish() {
  const std::uint32_t crc = crc_ ^ 0xFFFFFFFFu;
  if (out_) {
    for (int i = 0; i < 4; ++i) header_[i] = static_cast<std::uint8_t>(crc >> (8 * i));
    out_->WriteAt(offset_, header_.data(), header_.size());
    return;
  }
  std::uint32_t stored = 0;
  for (int i = 3; i >= 0; --i) stored = (stored << 8) | header_[i];
  if (stored != crc) throw EInvalidXMLFile(name_.string());
}

std::string ReadPlainBlock(const TReadableFile& file, const std::filesystem::path& name,
                           std::string_view key, std::int64_t offset, std::int64_t blockSize) {
  // Sizes come from the file itself: never trust them beyond the file's length.
  if (offset < 0 || blockSize <= kBlockHeaderSize || blockSize > file.Size() - offset)
    throw EInvalidXMLFile(name.string());
  TGarbledStream stream(file, offset, key, name);
  std::string body(static_cast<std::size_t>(blockSize - kBlockHeaderSize), '\0');
  stream.Read(body.data(), body.size());
  stream.Finish();
  return body;
}

std::unique_ptr<XMLNode> LoadXMLBlock(const std::filesystem::path& file, std::string_view key,
                                      std::int64_t offset, std::int64_t blockSize,
                                      TFileSystem& fs) {
  const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
  // The checksum is verified before parsing: a damaged block is an error even
  // where its text happens to parse.
  std::string body = ReadPlainBlock(*in, file, key, offset, blockSize);
  try {
    return XMLNode::Parse(std::move(body));
  } catch (const EInvalidXMLFile&) {
    return nullptr;
  }
}

std::unique_ptr<XMLNode> LoadXMLFile(const std::filesystem::path& file, std::string_view key,
                                     TFileSystem& fs) {
  const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
  std::string body = ReadPlainBlock(*in, file, key, 0, in->Size());
  try {
    return XMLNode::Parse(std::move(body));
  } catch (const EInvalidXMLFile&) {
    return nullptr;
  }
}

std::int64_t AppendXMLBlock(TWritableFile& file, std::string_view text, std::string_view key,
                            TRandom& random) {
  const std::int64_t offset = file.Size();
  TGarbledStream stream(file, offset, key, random);
  stream.Write(text.data(), text.size());
  stream.Finish();
  return kBlockHeaderSize + static_cast<std::int64_t>(text.size());
}

void SaveXMLFile(const XMLNode& root, const std::filesystem::path& file, std::string_view key,
                 TRandom& random, TFileSystem& fs) {
  const std::string text = root.ToText();
  ReplaceFile(fs, file, [&](TWritableFile& out) { AppendXMLBlock(out, text, key, random); });
}

void WriteXMLBlock(const XMLNode& root, const std::filesystem::path& file, std::string_view key,
                   std::int64_t offset, TRandom& random, TFileSystem& fs) {
  if (!fs.Exists(file)) throw EXMLIOError(file.string(), "no such file");
  const std::unique_ptr<TWritableFile> out = fs.OpenUpdate(file);
  const std::string text = root.ToText();
  TGarbledStream stream(*out, offset, key, random);
  stream.Write(text.data(), text.size());
  stream.Finish();
  out->Flush();
  out->Close();
}

}  // namespace korvela
