#include <gtest/gtest.h>

#include <cstring>

#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

using test::ReadBytes;
using test::TTempFolder;
using test::WriteBytes;

std::unique_ptr<XMLNode> SampleDocument() {
  auto root = std::make_unique<XMLNode>("LI");
  root->AddAttr("Name", "Ann & \"Bo\"");
  root->AddFloatAttr("Weight", 72.5);
  auto& child = root->AddChild(std::make_unique<XMLNode>("Goal", "lose"));
  child.AddIntAttr("Kind", 3);
  return root;
}

TEST(Crc32, StandardCheckValue) {
  const char* text = "123456789";
  EXPECT_EQ(Crc32Update(0xFFFFFFFFu, text, 9) ^ 0xFFFFFFFFu, 0xCBF43926u);
  // The eight-byte steps and the byte steps agree at every length.
  std::string bytes;
  for (int i = 0; i < 40; ++i) bytes.push_back(static_cast<char>(i * 37 + 11));
  for (std::size_t n = 0; n <= bytes.size(); ++n) {
    std::uint32_t bytewise = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < n; ++i) bytewise = Crc32Update(bytewise, &bytes[i], 1);
    EXPECT_EQ(Crc32Update(0xFFFFFFFFu, bytes.data(), n), bytewise) << n;
  }
}

TEST(Cipher, ScrambleAndUnscrambleAreInverseAndKeyed) {
  std::string plain = "<SCal P=\" 7.25000000000000E+0001\">\r\n</SCal>\r\n";
  std::string data = plain;
  TCipher writer;
  writer.PrepareKey(kDataKey);
  writer.Scramble(reinterpret_cast<std::uint8_t*>(data.data()), data.size());
  EXPECT_NE(data, plain);
  TCipher reader;
  reader.PrepareKey(kDataKey);
  std::string back = data;
  reader.Unscramble(reinterpret_cast<std::uint8_t*>(back.data()), back.size());
  EXPECT_EQ(back, plain);
  TCipher other;
  other.PrepareKey("0000000000");
  std::string wrong = data;
  other.Unscramble(reinterpret_cast<std::uint8_t*>(wrong.data()), wrong.size());
  EXPECT_NE(wrong, plain);
}

TEST(Cipher, FirstKeystreamBytesOfTheResetState) {
  // Computed by hand from the three initial keys: K2 = 0x34567890 gives
  // t = 0x7892 and the byte (t * (t ^ 1)) >> 8 & 0xFF.
  TCipher c;
  c.Reset();
  const std::uint32_t t = 0x7892;
  EXPECT_EQ(c.KeystreamByte(), static_cast<std::uint8_t>((t * (t ^ 1)) >> 8));
}

class ScrambledFile : public ::testing::Test {
 protected:
  TTempFolder folder;
  std::unique_ptr<TRandom> random = MakeSeededRandom(7);
  std::filesystem::path file = folder / "LI.DAT";
};

TEST_F(ScrambledFile, SavedDocumentLoadsAsAnEqualTree) {
  const auto doc = SampleDocument();
  SaveXMLFile(*doc, file, kDataKey, *random);
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes.size(), 16 + doc->ToText().size());
  EXPECT_EQ(bytes.find("Ann"), std::string::npos);
  const auto back = LoadXMLFile(file, kDataKey);
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->SameAs(*doc));
  EXPECT_FALSE(std::filesystem::exists(folder / "LItmp"));
}

TEST_F(ScrambledFile, AnyOtherKeyFailsTheChecksum) {
  SaveXMLFile(*SampleDocument(), file, kDataKey, *random);
  EXPECT_THROW(LoadXMLFile(file, "4417093826"), EInvalidXMLFile);
}

TEST_F(ScrambledFile, EveryChangedByteFailsTheRead) {
  SaveXMLFile(*SampleDocument(), file, kDataKey, *random);
  const std::string good = ReadBytes(file);
  for (std::size_t i = 0; i < good.size(); ++i) {
    std::string bad = good;
    bad[i] = static_cast<char>(bad[i] ^ 0x01);
    WriteBytes(file, bad);
    EXPECT_THROW(LoadXMLFile(file, kDataKey), EInvalidXMLFile) << "byte " << i;
  }
}

TEST_F(ScrambledFile, TwoSavesDifferAfterTheChecksumButShareIt) {
  const auto doc = SampleDocument();
  SaveXMLFile(*doc, file, kDataKey, *random);
  const std::string first = ReadBytes(file);
  SaveXMLFile(*doc, file, kDataKey, *random);
  const std::string second = ReadBytes(file);
  ASSERT_EQ(first.size(), second.size());
  EXPECT_EQ(first.substr(0, 4), second.substr(0, 4));
  // Different header bytes change the keystream of the whole body; a byte
  // may agree by chance, but eight in a row never do.
  for (std::size_t i = 4; i + 8 <= first.size(); ++i)
    EXPECT_NE(first.substr(i, 8), second.substr(i, 8)) << i;
}

TEST_F(ScrambledFile, FilesTooShortOrMissingAreTypedErrors) {
  WriteBytes(file, std::string(16, 'x'));
  EXPECT_THROW(LoadXMLFile(file, kDataKey), EInvalidXMLFile);
  WriteBytes(file, "");
  EXPECT_THROW(LoadXMLFile(file, kDataKey), EInvalidXMLFile);
  EXPECT_THROW(LoadXMLFile(folder / "missing.dat", kDataKey), EXMLIOError);
  EXPECT_THROW(LoadXMLFile(folder.Path(), kDataKey), EXMLIOError);
}

TEST_F(ScrambledFile, BodyOutsideTheGrammarLoadsAsNone) {
  auto out = PosixFileSystem().Create(file);
  AppendXMLBlock(*out, "not a document", kDataKey, *random);
  out->Close();
  EXPECT_EQ(LoadXMLFile(file, kDataKey), nullptr);
}

TEST_F(ScrambledFile, SaveReplacesThroughTheTemporaryNameAndDeletesALeftover) {
  SaveXMLFile(*SampleDocument(), file, kDataKey, *random);
  WriteBytes(folder / "LItmp", "left over by an interrupted save");
  XMLNode changed("LI");
  changed.AddAttr("Name", "Cy");
  SaveXMLFile(changed, file, kDataKey, *random);
  EXPECT_FALSE(std::filesystem::exists(folder / "LItmp"));
  EXPECT_EQ(LoadXMLFile(file, kDataKey)->AttrText("Name"), "Cy");
  EXPECT_EQ(TemporaryNameFor(folder / "CI.DAT"), folder / "CItmp");
}

TEST_F(ScrambledFile, BlockInsideALongerFileLeavesTheBytesBeforeIt) {
  const std::string prefix = "0123456789abcdef-prefix";
  WriteBytes(file, prefix);
  const auto doc = SampleDocument();
  WriteXMLBlock(*doc, file, kDataKey, static_cast<std::int64_t>(prefix.size()), *random);
  const std::string bytes = ReadBytes(file);
  EXPECT_EQ(bytes.substr(0, prefix.size()), prefix);
  const auto back = LoadXMLBlock(file, kDataKey, static_cast<std::int64_t>(prefix.size()),
                                 static_cast<std::int64_t>(bytes.size() - prefix.size()));
  ASSERT_TRUE(back);
  EXPECT_TRUE(back->SameAs(*doc));
  EXPECT_THROW(WriteXMLBlock(*doc, folder / "none.dat", kDataKey, 0, *random), EXMLIOError);
}

TEST_F(ScrambledFile, BlockSizesAreCheckedAgainstTheFile) {
  const auto doc = SampleDocument();
  SaveXMLFile(*doc, file, kDataKey, *random);
  const auto size = static_cast<std::int64_t>(ReadBytes(file).size());
  EXPECT_THROW(LoadXMLBlock(file, kDataKey, 0, size + 1), EInvalidXMLFile);
  EXPECT_THROW(LoadXMLBlock(file, kDataKey, 0, 2147483647), EInvalidXMLFile);
  EXPECT_THROW(LoadXMLBlock(file, kDataKey, -5, size), EInvalidXMLFile);
  EXPECT_THROW(LoadXMLBlock(file, kDataKey, 0, 16), EInvalidXMLFile);
  EXPECT_THROW(LoadXMLBlock(file, kDataKey, 0, size - 1), EInvalidXMLFile);  // body cut short
}

TEST(StreamTransfers, HeaderPassesThroughAndPartialReadsFailTheChecksum) {
  TTempFolder folder;
  auto random = MakeSeededRandom(3);
  const auto path = folder / "x.dat";
  {
    auto out = PosixFileSystem().Create(path);
    AppendXMLBlock(*out, "<A>\r\n</A>\r\n", kDataKey, *random);
    out->Close();
  }
  const std::string bytes = ReadBytes(path);
  auto in = PosixFileSystem().OpenRead(path);
  TGarbledStream stream(*in, 0, kDataKey, path);
  stream.Seek(0);
  char header[16];
  stream.Read(header, 16);
  EXPECT_EQ(std::string(header, 16), bytes.substr(0, 16));
  char body[4];
  stream.Read(body, 4);
  EXPECT_EQ(std::string(body, 4), "<A>\r");
  EXPECT_THROW(stream.Finish(), EInvalidXMLFile);
}

}  // namespace
}  // namespace korvela
