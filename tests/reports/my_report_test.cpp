#include "reports/my_report.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "storage/errors.h"
#include "support/temp_folder.h"

namespace korvela {
namespace {

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string text;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += lines[i];
  }
  return text;
}

// The first scheme's style sheet, line by line as the pages expect it.
std::vector<std::string> Sheet1Lines() {
  return {"h1 { font-family: Garamond, sans-serif, Verdana, Arial, Helvetica; font-size: 25px}",
          "h2 { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 15px}",
          ".report_table",
          "{",
          " border-color: #000000;",
          " border-width: 1px;",
          " border-style: solid;",
          " text-align: right;",
          " font-family: Verdana, Arial, Helvetica, sans-serif;",
          " font-size: 12px;",
          "}",
          "td",
          "{",
          " border-color: black #000000;",
          " border-style: solid;",
          " border-width: 1px;",
          "}",
          ".trr",
          "{",
          " text-align: right;",
          "}",
          ".trc",
          "{",
          " text-align: center;",
          "}",
          ".trl",
          "{",
          " text-align: left;",
          "}",
          ".table_header",
          "{ font-family: Verdana, Arial, Helvetica, sans-serif;",
          "  font-size: 12px;",
          "  font-weight: bold;",
          "  background-color: black;",
          "  color: white;",
          "}",
          ".table_total",
          "{ font-family: Verdana, Arial, Helvetica, sans-serif;",
          "  font-size: 12px;",
          "  font-weight: bold;",
          "  background-color: black;",
          "  color: white;",
          "}",
          ".table_subheader",
          "{ font-family: Verdana, Arial, Helvetica, sans-serif;",
          "  font-size: 12px;",
          "  font-weight: bold;",
          "  background-color: Silver;",
          "  color: white;",
          "}"};
}

// The second scheme: no border width for the table, its border colour as the
// cells', and cells without borders.
std::vector<std::string> Sheet2Lines() {
  std::vector<std::string> lines = Sheet1Lines();
  lines[4] = " border-color: black #000000;";
  lines.erase(lines.begin() + 5);
  lines[14] = " border-width: 0px;";
  return lines;
}

TEST(ColorSchemes, TwoSchemesWithTheirNamesAndSheetsByteForByte) {
  const auto schemes = ColorSchemes();
  ASSERT_EQ(schemes.size(), 2u);
  EXPECT_EQ(schemes[0].Name, "Black&White #1");
  EXPECT_EQ(schemes[1].Name, "Black&White #2");
  EXPECT_EQ(schemes[0].StyleSheet, JoinCrLf(Sheet1Lines()));
  EXPECT_EQ(schemes[1].StyleSheet, JoinCrLf(Sheet2Lines()));
}

TEST(MyReport, NewPageOpensWithTheFirstSchemeAndEveryOperationAppendsItsLine) {
  TMyReport report;
  ASSERT_EQ(report.Lines().size(), 3u);
  EXPECT_EQ(report.Lines()[0], "<html>\r\n<STYLE TYPE=\"text/css\">");
  EXPECT_EQ(report.Lines()[1], JoinCrLf(Sheet1Lines()));
  EXPECT_EQ(report.Lines()[2], "</STYLE>\r\n<body>");
  EXPECT_EQ(report.Scheme(), 0u);

  report.AddTitle("Food Log");
  report.AddSubtitle("Monday");
  report.BeginTable();
  report.BeginHeaderRow();
  report.AddCell("Food", "trl");
  report.AddCell("Grams");
  report.EndRow();
  report.BeginRow("table_subheader");
  report.AddEmptyCell();
  report.EndRow();
  report.BeginRow();
  report.AddCell("12.5", "trr");
  report.EndRow();
  report.BeginTotalRow();
  report.AddCell("Total", "trc");
  report.EndRow();
  report.EndTable();
  report.AddLine("<br>");
  report.EndDocument();

  const std::vector<std::string> want = {
      "<h1>Food Log</h1><br>",
      "<h2>Monday</h2>",
      R"(<table width="100%" class="report_table" cellspacing="0">)",
      R"(  <tr class="table_header">)",
      R"(      <td class="trl">Food</td>)",
      "      <td>Grams</td>",
      "  </tr>",
      R"(  <tr class="table_subheader">)",
      "      <td>&nbsp;</td>",
      "  </tr>",
      "  <tr>",
      R"(      <td class="trr">12.5</td>)",
      "  </tr>",
      R"(  <tr class="table_total">)",
      R"(      <td class="trc">Total</td>)",
      "  </tr>",
      "</table>",
      "<br>",
      "</body>\r\n</html>",
  };
  const std::vector<std::string> got(report.Lines().begin() + 3, report.Lines().end());
  EXPECT_EQ(got, want);
}

TEST(MyReport, CallerTextIsEscapedWhileAddLineKeepsMarkup) {
  TMyReport report;
  report.AddTitle("Mum's <img src=\"/dev/zero\">");
  report.AddSubtitle("Fish & chips");
  report.AddCell("<b>bold</b>", "trl");
  report.AddCell("<b>bold</b>");
  report.AddLine("<b>bold</b>");
  const auto& l = report.Lines();
  EXPECT_EQ(l[3], "<h1>Mum&apos;s &lt;img src=&quot;/dev/zero&quot;&gt;</h1><br>");
  EXPECT_EQ(l[4], "<h2>Fish &amp; chips</h2>");
  EXPECT_EQ(l[5], R"(      <td class="trl">&lt;b&gt;bold&lt;/b&gt;</td>)");
  EXPECT_EQ(l[6], "      <td>&lt;b&gt;bold&lt;/b&gt;</td>");
  EXPECT_EQ(l[7], "<b>bold</b>");
}

TEST(MyReport, EmptyCellTextDropsTheClass) {
  TMyReport report;
  report.AddCell("", "trr");
  report.AddCell("");
  report.AddEmptyCell();
  for (std::size_t i = 3; i < 6; ++i) EXPECT_EQ(report.Lines()[i], "      <td>&nbsp;</td>") << i;
}

TEST(MyReport, SwitchingSchemesChangesOnlyTheStyleSheetAndTwiceGivesTheSamePage) {
  TMyReport report;
  report.AddTitle("Week");
  report.BeginTable();
  report.EndTable();
  report.EndDocument();
  const std::vector<std::string> before = report.Lines();
  const std::string textBefore = report.Text();

  report.ApplyStyle(1);
  EXPECT_EQ(report.Scheme(), 1u);
  ASSERT_EQ(report.Lines().size(), before.size());
  for (std::size_t i = 0; i < before.size(); ++i)
    if (i != 1) {
      EXPECT_EQ(report.Lines()[i], before[i]) << i;
    }
  EXPECT_EQ(report.Lines()[1], JoinCrLf(Sheet2Lines()));

  report.ApplyStyle(0);
  EXPECT_EQ(report.Text(), textBefore);
  EXPECT_THROW(report.ApplyStyle(2), EInternalError);
  EXPECT_EQ(report.Text(), textBefore);
}

TEST(WriteReportFile, WritesEveryLineWithCrLfAndNamesTheFileItCannotWrite) {
  test::TTempFolder folder;
  TMyReport report;
  report.AddTitle("A");
  report.EndDocument();
  const auto file = folder / "report.htm";
  WriteReportFile(report, file);
  const std::string bytes = test::ReadBytes(file);
  EXPECT_EQ(bytes, report.Text());
  EXPECT_TRUE(bytes.starts_with("<html>\r\n<STYLE TYPE=\"text/css\">\r\nh1 {"));
  EXPECT_TRUE(bytes.ends_with("<h1>A</h1><br>\r\n</body>\r\n</html>\r\n"));

  const auto missing = folder / "gone" / "Exported Report.htm";
  try {
    WriteReportFile(report, missing);
    FAIL() << "no error";
  } catch (const EXMLIOError& e) {
    EXPECT_NE(e.File().find("gone"), std::string::npos);
    EXPECT_FALSE(e.Message().empty());
  }
}

}  // namespace
}  // namespace korvela
