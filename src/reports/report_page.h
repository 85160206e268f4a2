#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "reports/my_report.h"
#include "storage/file_system.h"

namespace korvela {

// The page the report viewer shows, in the program folder; rewritten for
// every scheme and deleted when the viewer closes.
inline constexpr std::string_view kReportPageFileName = "report.htm";

inline constexpr std::string_view kReportCaption = "Report";
inline constexpr std::string_view kColorSchemeLabel = "Color Scheme:";
inline constexpr std::string_view kPrintPreviewCaption = "Print Preview";
inline constexpr std::string_view kPrintCaption = "Print";
inline constexpr std::string_view kExportHtmlCaption = "Export to HTML...";
inline constexpr std::string_view kExportPdfCaption = "Export to PDF...";

// A save dialog of an export: title, filter, the extension added to a name
// typed without one, and the proposed file name.
struct TExportDialog {
  std::string_view title;
  std::string_view filter;
  std::string_view defaultSuffix;
  std::string_view proposedName;
};
inline constexpr TExportDialog kExportHtmlDialog = {
    "Export report to HTML file", "HTML files (*.htm *.html)", "html", "Exported Report.htm"};
inline constexpr TExportDialog kExportPdfDialog = {"Export report to PDF file", "PDF files (*.pdf)",
                                                   "pdf", "Exported Report.pdf"};

inline constexpr const char* kMsgPrintReportFailed =
    "The report could not be printed: the printer did not take the page.";

// The warnings of the viewer; `reason` is the system's.
std::string CannotShowReportText(const std::filesystem::path& file, std::string_view reason);
std::string CannotExportReportText(const std::filesystem::path& file, std::string_view reason);

// What the report viewer does with its files, free of the screen: the page
// "report.htm" in the program folder and the exports. A file that cannot be
// written gives a warning text and leaves the old file as it was.
class TReportPage {
 public:
  TReportPage(TMyReport& report, const std::filesystem::path& programFolder,
              TFileSystem& fs = PosixFileSystem());
  TReportPage(const TReportPage&) = delete;
  TReportPage& operator=(const TReportPage&) = delete;

  const std::filesystem::path& PageFile() const { return pageFile_; }
  const TMyReport& Report() const { return report_; }

  // Writes the page file; the warning when it cannot be written (the page
  // then cannot be shown).
  [[nodiscard]] std::optional<std::string> WritePage();
  // Applies the scheme to the report and writes the page again.
  [[nodiscard]] std::optional<std::string> SelectScheme(std::size_t scheme);
  // Writes the report's lines to a file the user chose.
  [[nodiscard]] std::optional<std::string> ExportHtml(const std::filesystem::path& file);
  // Writes bytes made from the report (a PDF) to a file the user chose.
  [[nodiscard]] std::optional<std::string> ExportBytes(const std::filesystem::path& file,
                                                       std::string_view bytes);
  // Deletes the page file. A file that cannot be deleted stays: the next
  // page replaces it.
  void DeletePage() noexcept;

 private:
  TMyReport& report_;
  std::filesystem::path pageFile_;
  TFileSystem& fs_;
};

}  // namespace korvela
