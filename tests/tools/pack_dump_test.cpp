#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "korvela_data/pack_command.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "tool_test.h"

namespace korvela {
namespace {

using test::TToolRun;
using test::TToolTest;
using test::WriteBytes;

// Loosely written documents and the exact text the program writes for each.
struct TDocumentCase {
  const char* name;
  std::string input;
  std::string written;
};

const TDocumentCase kDocuments[] = {
    {"attributes and entities", "<Food name=\"Oat &amp; bran\"   kcal=\"389\">\n</Food>\n",
     "<Food name=\"Oat &amp; bran\" kcal=\"389\">\r\n</Food>\r\n"},
    {"indented children", "<Menu>\n  <Meal id=\"1\">\n    <Item>Egg</Item>\n  </Meal>\n</Menu>",
     "<Menu>\r\n<Meal id=\"1\">\r\n<Item>Egg</Item>\r\n</Meal>\r\n</Menu>\r\n"},
    {"text before children", "<Page>Intro &lt;b&gt;<Para>x</Para></Page>",
     "<Page>Intro &lt;b&gt;\r\n<Para>x</Para>\r\n</Page>\r\n"},
    {"UTF-8 text", "<S id=\"3\">Gem\xC3\xBCse \xE2\x80\x93 100 g</S>",
     "<S id=\"3\">Gem\xC3\xBCse \xE2\x80\x93 100 g</S>\r\n"},
    {"blob container", std::string(">\x03\0\0\0abc>\x01\0\0\0\0", 14),
     std::string(">\x03\0\0\0abc>\x01\0\0\0\0", 14)},
};

TEST_F(TToolTest, PackThenDumpShowsTheDocumentAsTheProgramWritesIt) {
  for (const TDocumentCase& c : kDocuments) {
    WriteBytes(File("doc.txt"), c.input);
    const TToolRun pack = Run({"pack", Name("doc.txt"), Name("doc.dat")});
    ASSERT_EQ(pack.code, kExitSuccess) << c.name << ": " << pack.err;
    EXPECT_TRUE(pack.out.empty()) << c.name;

    const TToolRun dump = Run({"dump", Name("doc.dat")});
    EXPECT_EQ(dump.code, kExitSuccess) << c.name << ": " << dump.err;
    EXPECT_EQ(dump.out, c.written) << c.name;
    EXPECT_TRUE(dump.err.empty()) << c.name;

    // The program itself must read the packed file under the data key.
    const std::unique_ptr<XMLNode> loaded = LoadXMLFile(File("doc.dat"), kDataKey);
    const std::unique_ptr<XMLNode> parsed = XMLNode::Parse(c.input.data(), c.input.size());
    ASSERT_NE(loaded, nullptr) << c.name;
    EXPECT_TRUE(loaded->SameAs(*parsed)) << c.name;
  }
}

TEST_F(TToolTest, PackReplacesAnEarlierFile) {
  WriteBytes(File("doc.txt"), kDocuments[0].input);
  ASSERT_EQ(Run({"pack", Name("doc.txt"), Name("doc.dat")}).code, kExitSuccess);
  WriteBytes(File("doc.txt"), kDocuments[1].input);
  ASSERT_EQ(Run({"pack", Name("doc.txt"), Name("doc.dat")}).code, kExitSuccess);

  EXPECT_EQ(Run({"dump", Name("doc.dat")}).out, kDocuments[1].written);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

TEST_F(TToolTest, PackRefusesTextOutsideTheTextFormAndWritesNothing) {
  const char* const cases[] = {
      "",
      "a plain sentence",
      "<Food>",
      "<Food></Meal>",
      "<Food name=\"unterminated></Food>",
      "<Food name=x></Food>",
      "<Food><Item></Food>",
  };
  for (const char* text : cases) {
    WriteBytes(File("doc.txt"), text);
    const TToolRun run = Run({"pack", Name("doc.txt"), Name("doc.dat")});
    EXPECT_EQ(run.code, kExitFailure) << text;
    test::ExpectOneLineNaming(run.err, Name("doc.txt"));
    EXPECT_FALSE(std::filesystem::exists(File("doc.dat"))) << text;
  }
}

TEST_F(TToolTest, PackOfAMissingTextFileNamesIt) {
  const TToolRun run = Run({"pack", Name("absent.txt"), Name("doc.dat")});
  EXPECT_EQ(run.code, kExitFailure);
  test::ExpectOneLineNaming(run.err, Name("absent.txt"));
}

TEST(PackTextFile, RaisesInvalidXMLFileNamingTheText) {
  const test::TTempFolder folder;
  WriteBytes(folder / "doc.txt", "<Food>");
  const std::unique_ptr<TRandom> random = MakeSeededRandom(1);
  try {
    PackTextFile(folder / "doc.txt", folder / "doc.dat", *random, PosixFileSystem());
    ADD_FAILURE() << "no error raised";
  } catch (const EInvalidXMLFile& e) {
    EXPECT_EQ(e.File(), (folder / "doc.txt").string());
  }
}

}  // namespace
}  // namespace korvela
