#pragma once
#include <cstddef>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"

namespace korvela {

// A colour scheme of the printable pages: its name as listed and its style
// sheet, lines separated by CR LF.
struct TCSS {
  std::string Name;
  std::string StyleSheet;
};

// The two built-in schemes, "Black&White #1" first.
std::span<const TCSS> ColorSchemes();

// Cell classes: left-aligned, centred, right-aligned.
inline constexpr std::string_view kCellLeft = "trl";
inline constexpr std::string_view kCellCentre = "trc";
inline constexpr std::string_view kCellRight = "trr";
// Row classes.
inline constexpr std::string_view kRowHeader = "table_header";
inline constexpr std::string_view kRowTotal = "table_total";
inline constexpr std::string_view kRowSubheader = "table_subheader";

// A printable page built line by line. Callers add headings, one table at a
// time, rows and cells; every text they pass is escaped on its way in, only
// AddLine takes markup as it is. Line 0 opens the page and the style
// element, line 1 is the style sheet of the current scheme, line 2 closes
// the style element and opens the body.
class TMyReport {
 public:
  // A new page in the first colour scheme.
  TMyReport();

  void AddTitle(std::string_view text);
  void AddSubtitle(std::string_view text);
  void BeginTable();
  void BeginHeaderRow();
  void BeginTotalRow();
  void BeginRow();
  void BeginRow(std::string_view rowClass);
  // An empty text gives the non-breaking-space cell, without the class.
  void AddCell(std::string_view text);
  void AddCell(std::string_view text, std::string_view cellClass);
  void AddEmptyCell();
  void EndRow();
  void EndTable();
  void EndDocument();
  // Markup of the caller's own, appended unchanged.
  void AddLine(std::string_view markup);
  // Replaces the style sheet by that of scheme `scheme` (an index into
  // ColorSchemes()); nothing else changes.
  void ApplyStyle(std::size_t scheme);

  const std::vector<std::string>& Lines() const { return lines_; }
  std::size_t Scheme() const { return scheme_; }
  // The page as written to a file: every line followed by CR LF.
  std::string Text() const;

 private:
  std::vector<std::string> lines_;
  std::size_t scheme_ = 0;
};

// Writes the page to `file` through its temporary file (the old content stays
// when the write fails). Failures raise EXMLIOError naming the file and the
// reason.
void WriteReportFile(const TMyReport& report, const std::filesystem::path& file,
                     TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
