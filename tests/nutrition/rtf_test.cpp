#include "nutrition/rtf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace korvela {
namespace {

TRtfRun Span(std::string text, bool bold = false, bool italic = false, bool underline = false,
             std::string link = {}) {
  return {std::move(text), bold, italic, underline, std::move(link)};
}

TEST(RtfTest, RoundTripKeepsEveryFormat) {
  TRtfDocument document;
  document.paragraphs.push_back(
      {TRtfAlign::Center,
       false,
       {Span("Grandma's "), Span("apple", true), Span(" pie", false, true)}});
  document.paragraphs.push_back(
      {TRtfAlign::Left, true, {Span("Peel {4} apples\\", false, false, true)}});
  document.paragraphs.push_back(
      {TRtfAlign::Left, true, {Span("Crème brûlée — 2 €, 🍎, tab\there")}});
  document.paragraphs.push_back({TRtfAlign::Right, false, {}});
  document.paragraphs.push_back(
      {TRtfAlign::Justify,
       false,
       {Span("See "), Span("the video", false, false, true, "https://example.org/a?b=1&c=2"),
        Span(".")}});
  const std::string rtf = WriteRtf(document);
  EXPECT_EQ(rtf.rfind("{\\rtf1", 0), 0U);
  for (const char c : rtf) EXPECT_LT(static_cast<unsigned char>(c), 0x80) << rtf;
  EXPECT_EQ(ReadRtf(rtf), document) << rtf;
  EXPECT_EQ(PlainText(ReadRtf(rtf)).substr(0, 22), "Grandma's apple pie\nPe");
}

TEST(RtfTest, ForeignTextFromAWordProcessor) {
  const std::string foreign =
      "{\\rtf1\\ansi\\ansicpg1252\\deff0\\nouicompat{\\fonttbl{\\f0\\fnil\\fcharset0 Calibri;}"
      "{\\f1\\fnil Symbol;}}\r\n"
      "{\\colortbl ;\\red255\\green0\\blue0;}\r\n"
      "{\\*\\generator Riched20 10.0.19041}{\\*\\unknowngroup with text}\\viewkind4\\uc1 \r\n"
      "\\pard\\sa200\\sl276\\slmult1\\qc\\f0\\fs22\\lang9 \\b Caf\\'e9 \\b0 na\\u239?ve "
      "\\cf1\\i red\\i0\\cf0\\par\r\n"
      "{\\pict\\wmetafile8\\picw100 0123456789abcdef}"
      "\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1{\\pntxtb\\'B7}}\\fi-360\\li720 "
      "one\\par\r\n"
      "{\\listtext\\'95\\tab}two \\'93quoted\\'94\\par\r\n"
      "\\pard {\\field{\\*\\fldinst{HYPERLINK \"http://x.test/\" }}{\\fldrslt{\\ul\\cf2 "
      "link}}}\\ul0  end\\par\r\n"
      "\\uc2 \\u8364\\'80\\'80 \\uc0\\u-4064 x\\par\r\n"
      "}\r\n";
  const TRtfDocument read = ReadRtf(foreign);
  ASSERT_EQ(read.paragraphs.size(), 5U) << PlainText(read);
  EXPECT_EQ(read.paragraphs[0].align, TRtfAlign::Center);
  EXPECT_EQ(read.paragraphs[0].runs[0], Span("Café ", true));
  EXPECT_EQ(PlainText(read), "Café naïve red\none\ntwo “quoted”\nlink end\n€ \xEF\x80\xA0x");
  EXPECT_TRUE(read.paragraphs[1].bullet);
  EXPECT_TRUE(read.paragraphs[2].bullet);
  EXPECT_FALSE(read.paragraphs[3].bullet);
  EXPECT_EQ(read.paragraphs[3].runs[0], Span("link", false, false, true, "http://x.test/"));
  EXPECT_EQ(read.paragraphs[3].runs[1], Span(" end"));
  EXPECT_TRUE(read.paragraphs[0].runs[2].italic);
}

// Damaged or strange texts never stop the reader; the worst is plain text.
TEST(RtfTest, AnyTextReadsWithoutFailing) {
  EXPECT_EQ(PlainText(ReadRtf("Type recipe directions here...")), "Type recipe directions here...");
  EXPECT_EQ(PlainText(ReadRtf("Boil\r\nServe\n")), "Boil\nServe");
  EXPECT_TRUE(ReadRtf("").paragraphs.empty());
  for (const std::string& text :
       {std::string("{\\rtf1 unbalanced {\\b bold"), std::string("{\\rtf1 }}}} extra}"),
        std::string("{\\rtf1 \\"), std::string("{\\rtf1 \\'4"), std::string("{\\rtf1 \\u"),
        std::string("{\\rtf1 \\bin99999999 x}"), std::string("{\\rtf1 \\u-999999999999 ")}) {
    (void)ReadRtf(text);
  }
  EXPECT_EQ(PlainText(ReadRtf("{\\rtf1 unbalanced {\\b bold")), "unbalanced bold");
  EXPECT_EQ(PlainText(ReadRtf("{\\rtf1 a}}} b}")), "a b");
  std::string deep = "{\\rtf1 ";
  for (int i = 0; i < 100000; ++i) deep += '{';
  deep += "deep";
  EXPECT_EQ(PlainText(ReadRtf(deep)), "deep");
}

// Addresses typed as text become links; the text around them keeps its
// format, and what ends a sentence stays outside the link.
TEST(RtfTest, TypedAddressesBecomeLinks) {
  const struct {
    std::string typed;
    std::vector<TRtfRun> runs;
  } cases[] = {
      {"See https://example.org/pie?x=1.",
       {Span("See ", true),
        Span("https://example.org/pie?x=1", true, false, false, "https://example.org/pie?x=1"),
        Span(".", true)}},
      {"(www.example.org)",
       {Span("(", true), Span("www.example.org", true, false, false, "http://www.example.org"),
        Span(")", true)}},
      {"mailto:cook@example.org",
       {Span("mailto:cook@example.org", true, false, false, "mailto:cook@example.org")}},
      {"a http://x.test and HTTP://y.test",
       {Span("a ", true), Span("http://x.test", true, false, false, "http://x.test"),
        Span(" and ", true), Span("HTTP://y.test", true, false, false, "HTTP://y.test")}},
      {"nowww.example.org http:// www.", {Span("nowww.example.org http:// www.", true)}},
  };
  for (const auto& c : cases) {
    TRtfDocument document;
    document.paragraphs.push_back({TRtfAlign::Left, false, {Span(c.typed, true)}});
    DetectLinks(document);
    EXPECT_EQ(document.paragraphs[0].runs, c.runs) << c.typed;
  }
  // A link already made keeps its address.
  TRtfDocument linked;
  linked.paragraphs.push_back(
      {TRtfAlign::Left, false, {Span("www.a.test", false, false, false, "https://b.test")}});
  const TRtfDocument before = linked;
  DetectLinks(linked);
  EXPECT_EQ(linked, before);
}

TEST(RtfTest, OnlyWebAndMailLinksOpen) {
  for (const char* link : {"https://a.test", "HTTP://a.test", "mailto:a@b.test"})
    EXPECT_TRUE(OpensOnDesktop(link)) << link;
  for (const char* link : {"file:///etc/passwd", "javascript:alert(1)", "/bin/sh", ""})
    EXPECT_FALSE(OpensOnDesktop(link)) << link;
}

}  // namespace
}  // namespace korvela
