#include <gtest/gtest.h>

#include <limits>
#include <sstream>

#include "storage/errors.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

std::unique_ptr<XMLNode> ParseText(const std::string& text) {
  return XMLNode::Parse(text.data(), text.size());
}

TEST(TextFormWriter, LeafWithTextIsOneLineAndEmptyLeafIsTwo) {
  EXPECT_EQ(XMLNode("N", "Oats").ToText(), "<N>Oats</N>\r\n");
  EXPECT_EQ(XMLNode("N").ToText(), "<N>\r\n</N>\r\n");
}

TEST(TextFormWriter, ElementWithAttributesTextAndChildren) {
  XMLNode root("Food", "text");
  root.AddAttr("Name", "Oats");
  root.AddIntAttr("Id", -42);
  root.AddFloatAttr("P", 72.5);
  root.AddChild(std::make_unique<XMLNode>("W", "cup"));
  root.AddChild(std::make_unique<XMLNode>("E"));
  EXPECT_EQ(root.ToText(),
            "<Food Name=\"Oats\" Id=\"-42\" P=\" 7.25000000000000E+0001\">text\r\n"
            "<W>cup</W>\r\n"
            "<E>\r\n</E>\r\n"
            "</Food>\r\n");
  std::ostringstream stream;
  root.WriteTo(stream);
  EXPECT_EQ(stream.str(), root.ToText());
}

TEST(TextFormWriter, EscapesAllFiveCharactersInValuesAndText) {
  XMLNode node("A", "<&>\"'");
  node.AddAttr("V", "a&b<c>d\"e'f");
  EXPECT_EQ(node.ToText(),
            "<A V=\"a&amp;b&lt;c&gt;d&quot;e&apos;f\">&lt;&amp;&gt;&quot;&apos;</A>\r\n");
}

TEST(TextForm, RoundTripKeepsValuesTextAndStructure) {
  XMLNode root("Root");
  root.AddAttr("Special", "<&>\"' and &amp; and  two  spaces \r\n inside");
  root.AddAttr("Special", "duplicate names are kept");
  auto& child = root.AddChild(std::make_unique<XMLNode>("Child", "caf\xC3\xA9 & co"));
  child.AddAttr("Empty", "");
  child.AddChild(std::make_unique<XMLNode>("Grand_child"));
  const std::string text = root.ToText();
  const auto back = ParseText(text);
  EXPECT_TRUE(back->SameAs(root));
  EXPECT_EQ(back->ToText(), text);
  EXPECT_EQ(back->Children[0]->Parent, back.get());
  EXPECT_EQ(back->AttrText("Special"), "<&>\"' and &amp; and  two  spaces \r\n inside");
}

TEST(TextForm, EscapedAmpersandBeforeEntityLettersReadsAsThatText) {
  EXPECT_EQ(UnescapeXML("&amp;lt;"), "&lt;");
  EXPECT_EQ(UnescapeXML("&amp;amp;"), "&amp;");
  EXPECT_EQ(UnescapeXML("&nbsp; & &#65;"), "&nbsp; & &#65;");
  EXPECT_EQ(EscapeXML("&amp;"), "&amp;amp;");
}

TEST(TextFormParser, BlanksOfElementTextAreTrimmedButKeptInValues) {
  const auto node = ParseText("  \r\n<A V=\" x \r\n\">  \r\n text \r\n </A>");
  EXPECT_EQ(node->Text, "text");
  EXPECT_EQ(node->AttrText("V"), " x \r\n");
}

TEST(TextFormParser, AcceptsLayoutVariantsTheWriterNeverProduces) {
  const auto node =
      ParseText("<A X=\"1\"Y = \"2\"  >\n<B></B   >\n<C\n>t</C></A   >trailing bytes");
  ASSERT_EQ(node->Attributes.size(), 2u);
  EXPECT_EQ(node->AttrInt("Y"), 2);
  ASSERT_EQ(node->Children.size(), 2u);
  EXPECT_EQ(node->Children[1]->Text, "t");
}

TEST(TextFormParser, RejectsEverythingOutsideTheGrammar) {
  const char* cases[] = {
      "",                                // nothing
      "<A>",                             // end of input before the end tag
      "<A X=\"1\"\tY=\"2\"></A>",        // tab between attributes
      "<A X='1'></A>",                   // single-quoted value
      "<A/>",                            // self-closing tag
      "<A><!-- c --></A>",               // comment
      "<?xml version=\"1.0\"?><A></A>",  // declaration line
      "<A1></A1>",                       // digit in a name
      "<A><B></B>mixed</A>",             // text after a child
      "<A></B>",                         // end tag not matching
      "<A></a>",                         // letter case matters
      "<A></ A>",                        // blank after the slash
      "<A X=\"1></A>",                   // value runs into ">"
      "<A X=\"it's\"></A>",              // raw apostrophe in a value
      "<A>a\"b</A>",                     // raw quote in text
      "<A X></A>",                       // attribute without value
      "<>",                              // empty name
      "\t<A></A>",                       // tab is not a blank
  };
  for (const char* text : cases) EXPECT_THROW(ParseText(text), EInvalidXMLFile) << text;
}

TEST(TextFormParser, RejectsHostileNestingDepth) {
  std::string text;
  for (int i = 0; i < 100000; ++i) text += "<A>";
  EXPECT_THROW(ParseText(text), EInvalidXMLFile);
}

TEST(BlobContainer, EmptyContainerReadsAndWritesBackIdentically) {
  const std::string bytes(">\xFF\xFF\xFF\xFF", 5);
  const auto node = ParseText(bytes);
  EXPECT_TRUE(node->IsBlob);
  EXPECT_TRUE(node->Blobs.empty());
  EXPECT_EQ(node->ToText(), bytes);
}

TEST(BlobContainer, BlocksRoundTripByteForByte) {
  const std::string bytes = std::string(">\x03\0\0\0", 5) + std::string("a\0b", 3) +
                            std::string(">\0\0\0\0", 5) + std::string(">\x01\0\0\0", 5) + ">";
  const std::string full(bytes.data(), bytes.size());
  const auto node = ParseText(full);
  ASSERT_EQ(node->Blobs.size(), 3u);
  EXPECT_EQ(node->Blobs[0], std::string("a\0b", 3));
  EXPECT_EQ(node->Blobs[2], ">");
  EXPECT_EQ(node->ToText(), full);
}

TEST(BlobContainer, RejectsBadHeadersAndLengths) {
  const std::string cases[] = {
      std::string(">\x05\0\0\0abc", 9),                                   // length beyond the input
      std::string(">\xFF\xFF\xFF\xFF", 5) + std::string(">\0\0\0\0", 5),  // -1 not alone
      std::string(">\xFE\xFF\xFF\xFF", 5),                                // negative length
      std::string(">\x01\0\0\0a", 6) + "x",                               // trailing byte
      std::string(">\x01\0\0\0a", 6) + std::string("<\0\0\0\0", 5),       // header without ">"
      std::string(">\x01\0", 3),                                          // short header
  };
  for (const std::string& bytes : cases) EXPECT_THROW(ParseText(bytes), EInvalidXMLFile);
}

TEST(TypedAttributes, ReadBackWhatTheyWrite) {
  XMLNode node("R");
  node.AddIntAttr("I", -2147483647 - 1);
  node.AddFloatAttr("F", -0.25);
  node.AddBoolAttr("T", true);
  node.AddBoolAttr("N", false);
  node.AddAttr("Plain", "  72.5");
  EXPECT_EQ(node.AttrInt("I"), -2147483647 - 1);
  EXPECT_EQ(node.AttrText("F"), "-2.50000000000000E-0001");
  EXPECT_DOUBLE_EQ(node.AttrFloat("F"), -0.25);
  EXPECT_EQ(node.AttrText("T"), "-1");
  EXPECT_TRUE(node.AttrBool("T"));
  EXPECT_FALSE(node.AttrBool("N"));
  EXPECT_DOUBLE_EQ(node.AttrFloat("Plain"), 72.5);
}

TEST(TypedAttributes, NonFiniteNumbersAreRefusedNamingTheAttribute) {
  for (const double bad :
       {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
        -std::numeric_limits<double>::infinity()}) {
    XMLNode node("R");
    try {
      node.AddFloatAttr("PW", bad);
      ADD_FAILURE() << "stored " << bad;
    } catch (const EInternalError& e) {
      EXPECT_NE(std::string(e.what()).find("\"PW\""), std::string::npos) << e.what();
    }
    EXPECT_TRUE(node.Attributes.empty());
  }
}

// Values read from a document view its text; copies and moves own theirs,
// and a node taken out of the tree keeps the text it views.
TEST(TextForm, ValuesOutliveTheirDocumentWhenCopiedOrMovedOut) {
  std::string text =
      "<A V=\"a &amp; b\" L=\"long value, longer than any short string\">"
      "<B W=\"w\">t</B></A>";
  auto root = ParseText(text);
  const XMLString copied = root->AttrText("V");
  const XMLString moved = std::move(root->Attributes[1].Value);
  const std::string asString = root->Children[0]->Text;
  const std::unique_ptr<XMLNode> child = std::move(root->Children[0]);
  root.reset();
  text.assign(text.size(), 'x');
  EXPECT_EQ(copied, "a & b");
  EXPECT_EQ(moved, "long value, longer than any short string");
  EXPECT_EQ(asString, "t");
  EXPECT_EQ(child->Text, "t");
  EXPECT_EQ(child->AttrText("W"), "w");
  XMLAttr attr{"N", XMLString("x")};
  attr.Value = copied;
  EXPECT_EQ(attr.Value.view(), "a & b");
}

TEST(TypedAttributes, LookupIsExactAndMissingRequiredAttributesFail) {
  XMLNode node("R");
  node.AddAttr("Name", "first");
  node.AddAttr("Name", "second");
  node.AddChild(std::make_unique<XMLNode>("C", "1"));
  node.AddChild(std::make_unique<XMLNode>("C", "2"));
  EXPECT_EQ(node.AttrText("Name"), "first");
  EXPECT_EQ(node.FindAttr("name"), nullptr);
  EXPECT_EQ(node.AttrOrEmpty("Missing"), "");
  EXPECT_EQ(node.FindChild("C")->Text, "1");
  EXPECT_EQ(node.FindChild("c"), nullptr);
  EXPECT_THROW(node.AttrText("Missing"), EInvalidXMLFile);
  EXPECT_THROW(node.AttrInt("Missing"), EInvalidXMLFile);
  EXPECT_THROW(node.AttrFloat("Missing"), EInvalidXMLFile);
  EXPECT_THROW(node.AttrInt("Name"), EConvertError);
}

}  // namespace
}  // namespace korvela
