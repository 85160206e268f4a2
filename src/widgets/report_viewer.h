#pragma once
#include <QDialog>
#include <QString>
#include <filesystem>
#include <functional>

#include "reports/report_page.h"
#include "users/prompter.h"

class QComboBox;
class QTextBrowser;

class QPrinter;

namespace korvela {

// Asks where an export goes: a save dialog with the given title, filter,
// default extension and proposed name that asks before overwriting. An empty
// name means the user cancelled.
using TExportFileChooser = std::function<QString(QWidget* parent, const TExportDialog& dialog)>;
QString ChooseExportFile(QWidget* parent, const TExportDialog& dialog);

// The report viewer: shows a finished report from "report.htm" in the
// program folder, prints it, previews it, switches its colour scheme and
// exports it to HTML or PDF. The page file is deleted when the viewer goes.
class TFShowReport final : public QDialog {
  Q_OBJECT
 public:
  TFShowReport(TMyReport& report, const std::filesystem::path& programFolder, TPrompter& prompter,
               QWidget* parent = nullptr);
  ~TFShowReport() override;

  // Tests answer the save dialog here.
  void SetExportFileChooser(TExportFileChooser chooser) { chooseFile_ = std::move(chooser); }
  // And the print dialog here: false for a cancelled dialog.
  void SetPrinterChooser(std::function<bool(QPrinter&)> chooser) {
    choosePrinter_ = std::move(chooser);
  }
  QTextBrowser* Viewer() const { return viewer_; }

 private:
  void ColorSchemeListChange(int index);
  void PrintButtonClick();
  void PrintPreviewButtonClick();
  void ExportHtmlButtonClick();
  void ExportPdfButtonClick();
  // Loads the page file, or says once that it cannot be shown.
  void ShowPage(const std::optional<std::string>& warning);
  std::filesystem::path ChooseFile(const TExportDialog& dialog);

  TReportPage page_;
  TPrompter& prompter_;
  TExportFileChooser chooseFile_ = ChooseExportFile;
  std::function<bool(QPrinter&)> choosePrinter_;
  QTextBrowser* viewer_ = nullptr;
  QComboBox* schemeList_ = nullptr;
  QList<QAction*> pageActions_;
};

// Shows the report modally in the viewer.
void ShowReport(TMyReport& report, const std::filesystem::path& programFolder, TPrompter& prompter,
                QWidget* parent);

}  // namespace korvela
