#include "reports/my_report.h"

#include <array>

#include "storage/errors.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

// The two style sheets differ only in the borders: the second draws the
// table's outer border without a width and no cell borders. Lines are
// separated by CR LF.
constexpr std::string_view kSheetHead =
    "h1 { font-family: Garamond, sans-serif, Verdana, Arial, Helvetica; font-size: 25px}\r\n"
    "h2 { font-family: Verdana, Arial, Helvetica, sans-serif; font-size: 15px}\r\n"
    ".report_table\r\n"
    "{\r\n";
constexpr std::string_view kTableBorder1 =
    " border-color: #000000;\r\n"
    " border-width: 1px;\r\n";
constexpr std::string_view kTableBorder2 = " border-color: black #000000;\r\n";
constexpr std::string_view kSheetMiddle =
    " border-style: solid;\r\n"
    " text-align: right;\r\n"
    " font-family: Verdana, Arial, Helvetica, sans-serif;\r\n"
    " font-size: 12px;\r\n"
    "}\r\n"
    "td\r\n"
    "{\r\n"
    " border-color: black #000000;\r\n"
    " border-style: solid;\r\n";
constexpr std::string_view kCellBorder1 = " border-width: 1px;\r\n";
constexpr std::string_view kCellBorder2 = " border-width: 0px;\r\n";
constexpr std::string_view kSheetTail =
    "}\r\n"
    ".trr\r\n"
    "{\r\n"
    " text-align: right;\r\n"
    "}\r\n"
    ".trc\r\n"
    "{\r\n"
    " text-align: center;\r\n"
    "}\r\n"
    ".trl\r\n"
    "{\r\n"
    " text-align: left;\r\n"
    "}\r\n"
    ".table_header\r\n"
    "{ font-family: Verdana, Arial, Helvetica, sans-serif;\r\n"
    "  font-size: 12px;\r\n"
    "  font-weight: bold;\r\n"
    "  background-color: black;\r\n"
    "  color: white;\r\n"
    "}\r\n"
    ".table_total\r\n"
    "{ font-family: Verdana, Arial, Helvetica, sans-serif;\r\n"
    "  font-size: 12px;\r\n"
    "  font-weight: bold;\r\n"
    "  background-color: black;\r\n"
    "  color: white;\r\n"
    "}\r\n"
    ".table_subheader\r\n"
    "{ font-family: Verdana, Arial, Helvetica, sans-serif;\r\n"
    "  font-size: 12px;\r\n"
    "  font-weight: bold;\r\n"
    "  background-color: Silver;\r\n"
    "  color: white;\r\n"
    "}";

std::string Sheet(std::string_view tableBorder, std::string_view cellBorder) {
  std::string sheet(kSheetHead);
  sheet += tableBorder;
  sheet += kSheetMiddle;
  sheet += cellBorder;
  sheet += kSheetTail;
  return sheet;
}

const std::array<TCSS, 2>& Schemes() {
  static const std::array<TCSS, 2> schemes = {{
      {"Black&White #1", Sheet(kTableBorder1, kCellBorder1)},
      {"Black&White #2", Sheet(kTableBorder2, kCellBorder2)},
  }};
  return schemes;
}

constexpr std::string_view kRowIndent = "  ";
constexpr std::string_view kCellIndent = "      ";
constexpr std::string_view kEmptyCell = "<td>&nbsp;</td>";

}  // namespace

std::span<const TCSS> ColorSchemes() { return Schemes(); }

TMyReport::TMyReport() {
  lines_.emplace_back("<html>\r\n<STYLE TYPE=\"text/css\">");
  lines_.emplace_back(Schemes()[0].StyleSheet);
  lines_.emplace_back("</STYLE>\r\n<body>");
}

void TMyReport::AddTitle(std::string_view text) {
  lines_.push_back("<h1>" + EscapeXML(text) + "</h1><br>");
}

void TMyReport::AddSubtitle(std::string_view text) {
  lines_.push_back("<h2>" + EscapeXML(text) + "</h2>");
}

void TMyReport::BeginTable() {
  lines_.emplace_back(R"(<table width="100%" class="report_table" cellspacing="0">)");
}

void TMyReport::BeginHeaderRow() { BeginRow(kRowHeader); }

void TMyReport::BeginTotalRow() { BeginRow(kRowTotal); }

void TMyReport::BeginRow() { lines_.push_back(std::string(kRowIndent) + "<tr>"); }

void TMyReport::BeginRow(std::string_view rowClass) {
  lines_.push_back(std::string(kRowIndent) + "<tr class=\"" + std::string(rowClass) + "\">");
}

void TMyReport::AddCell(std::string_view text) {
  if (text.empty()) return AddEmptyCell();
  lines_.push_back(std::string(kCellIndent) + "<td>" + EscapeXML(text) + "</td>");
}

void TMyReport::AddCell(std::string_view text, std::string_view cellClass) {
  if (text.empty()) return AddEmptyCell();
  lines_.push_back(std::string(kCellIndent) + "<td class=\"" + std::string(cellClass) + "\">" +
                   EscapeXML(text) + "</td>");
}

void TMyReport::AddEmptyCell() {
  lines_.push_back(std::string(kCellIndent) + std::string(kEmptyCell));
}

void TMyReport::EndRow() { lines_.push_back(std::string(kRowIndent) + "</tr>"); }

void TMyReport::EndTable() { lines_.emplace_back("</table>"); }

void TMyReport::EndDocument() { lines_.emplace_back("</body>\r\n</html>"); }

void TMyReport::AddLine(std::string_view markup) { lines_.emplace_back(markup); }

void TMyReport::ApplyStyle(std::size_t scheme) {
  if (scheme >= Schemes().size())
    throw EInternalError("colour scheme " + std::to_string(scheme) + " does not exist");
  scheme_ = scheme;
  lines_[1] = Schemes()[scheme].StyleSheet;
}

std::string TMyReport::Text() const {
  std::size_t size = 0;
  for (const std::string& line : lines_) size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines_) {
    text += line;
    text += "\r\n";
  }
  return text;
}

void WriteReportFile(const TMyReport& report, const std::filesystem::path& file, TFileSystem& fs) {
  const std::string text = report.Text();
  ReplaceFile(fs, file, [&text](TWritableFile& out) { out.Write(text.data(), text.size()); });
}

}  // namespace korvela
