#include "reports/report_page.h"

#include "storage/errors.h"

namespace korvela {
namespace {

std::string Reason(const EKorvelaError& e) {
  return e.Message().empty() ? std::string(e.KindText()) : e.Message();
}

// A failed replacement leaves no temporary file behind.
void RemoveTemporaryFile(TFileSystem& fs, const std::filesystem::path& file) noexcept {
  try {
    fs.Remove(TemporaryNameFor(file));
  } catch (...) {
  }
}

}  // namespace

std::string CannotShowReportText(const std::filesystem::path& file, std::string_view reason) {
  return "The report cannot be shown: the file \"" + file.string() + "\" could not be written (" +
         std::string(reason) + ").";
}

std::string CannotExportReportText(const std::filesystem::path& file, std::string_view reason) {
  return "The report could not be exported to \"" + file.string() + "\" (" + std::string(reason) +
         ").";
}

TReportPage::TReportPage(TMyReport& report, const std::filesystem::path& programFolder,
                         TFileSystem& fs)
    : report_(report), pageFile_(programFolder / kReportPageFileName), fs_(fs) {}

std::optional<std::string> TReportPage::WritePage() {
  try {
    WriteReportFile(report_, pageFile_, fs_);
    return std::nullopt;
  } catch (const EKorvelaError& e) {
    RemoveTemporaryFile(fs_, pageFile_);
    return CannotShowReportText(pageFile_, Reason(e));
  }
}

std::optional<std::string> TReportPage::SelectScheme(std::size_t scheme) {
  report_.ApplyStyle(scheme);
  return WritePage();
}

std::optional<std::string> TReportPage::ExportHtml(const std::filesystem::path& file) {
  return ExportBytes(file, report_.Text());
}

std::optional<std::string> TReportPage::ExportBytes(const std::filesystem::path& file,
                                                    std::string_view bytes) {
  try {
    ReplaceFile(fs_, file, [bytes](TWritableFile& out) { out.Write(bytes.data(), bytes.size()); });
    return std::nullopt;
  } catch (const EKorvelaError& e) {
    RemoveTemporaryFile(fs_, file);
    return CannotExportReportText(file, Reason(e));
  }
}

void TReportPage::DeletePage() noexcept {
  try {
    fs_.Remove(pageFile_);
  } catch (...) {
    // Left for the next page to replace.
  }
}

}  // namespace korvela
