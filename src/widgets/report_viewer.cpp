#include "widgets/report_viewer.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPrinter>
#include <QStandardPaths>
#include <QTextBrowser>
#include <QTextFrame>
#include <QTextTable>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "widgets/page_printing.h"
#include "widgets/window_fit.h"

namespace korvela {
namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::filesystem::path PathOf(const QString& file) {
  const QByteArray bytes = QFile::encodeName(file);
  return std::filesystem::path(
      std::string(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

// The text view draws every cell's border beside its neighbour's, and draws
// a border of width 0 as a thick line; printed pages and browsers draw one
// line between two cells and nothing for width 0. Only the shown document
// changes: the page file stays as written.
void FixTableBorders(QTextDocument& document) {
  for (QTextFrame* frame : document.rootFrame()->childFrames()) {
    auto* table = qobject_cast<QTextTable*>(frame);
    if (!table) continue;
    QTextTableFormat format = table->format();
    format.setBorderCollapse(true);
    if (format.border() == 0) format.setBorderStyle(QTextFrameFormat::BorderStyle_None);
    table->setFormat(format);
    for (int row = 0; row < table->rows(); ++row) {
      for (int column = 0; column < table->columns(); ++column) {
        QTextTableCell cell = table->cellAt(row, column);
        QTextTableCellFormat cellFormat = cell.format().toTableCellFormat();
        if (cellFormat.leftBorder() == 0 && cellFormat.rightBorder() == 0 &&
            cellFormat.topBorder() == 0 && cellFormat.bottomBorder() == 0) {
          cellFormat.setBorderStyle(QTextFrameFormat::BorderStyle_None);
          cell.setFormat(cellFormat);
        }
      }
    }
  }
}

}  // namespace

QString ChooseExportFile(QWidget* parent, const TExportDialog& request) {
  QFileDialog dialog(parent, Q(request.title));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(Q(request.filter));
  dialog.setDefaultSuffix(Q(request.defaultSuffix));
  dialog.setDirectory(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
  dialog.selectFile(Q(request.proposedName));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  return dialog.selectedFiles().constFirst();
}

TFShowReport::TFShowReport(TMyReport& report, const std::filesystem::path& programFolder,
                           TPrompter& prompter, QWidget* parent)
    : QDialog(parent), page_(report, programFolder), prompter_(prompter) {
  setObjectName(QStringLiteral("reportViewer"));
  setWindowTitle(Q(kReportCaption));
  setWindowFlag(Qt::WindowMaximizeButtonHint);

  auto* bar = new QToolBar(this);
  bar->setObjectName(QStringLiteral("reportToolBar"));
  bar->setToolButtonStyle(Qt::ToolButtonTextOnly);
  auto add = [this, bar](std::string_view caption, const char* name, void (TFShowReport::*slot)()) {
    QAction* action = bar->addAction(Q(caption), this, slot);
    action->setObjectName(QString::fromLatin1(name));
    // Tool bar buttons take no focus by default; these are the screen's
    // commands and Tab must reach them.
    if (QWidget* button = bar->widgetForAction(action)) {
      button->setFocusPolicy(Qt::TabFocus);
      button->setAccessibleName(Q(caption));
    }
    return action;
  };
  QAction* preview =
      add(kPrintPreviewCaption, "printPreviewAction", &TFShowReport::PrintPreviewButtonClick);
  QAction* print = add(kPrintCaption, "printAction", &TFShowReport::PrintButtonClick);
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  bar->addSeparator();
  add(kExportHtmlCaption, "exportHtmlAction", &TFShowReport::ExportHtmlButtonClick);
  QAction* pdf = add(kExportPdfCaption, "exportPdfAction", &TFShowReport::ExportPdfButtonClick);
  pageActions_ = {preview, print, pdf};
  bar->addSeparator();

  auto* schemeLabel = new QLabel(Q(kColorSchemeLabel), bar);
  schemeList_ = new QComboBox(bar);
  schemeList_->setObjectName(QStringLiteral("colorSchemeComboBox"));
  schemeList_->setAccessibleName(Q(kColorSchemeLabel));
  schemeLabel->setBuddy(schemeList_);
  for (const TCSS& scheme : ColorSchemes()) schemeList_->addItem(Q(scheme.Name));
  bar->addWidget(schemeLabel);
  bar->addWidget(schemeList_);

  viewer_ = new QTextBrowser(this);
  viewer_->setObjectName(QStringLiteral("reportBrowser"));
  viewer_->setAccessibleName(Q(kReportCaption));
  // A report's links are plain text; nothing on the page navigates.
  viewer_->setOpenLinks(false);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 4, 4, 4);
  layout->addWidget(bar);
  layout->addWidget(viewer_, 1);

  setTabOrder(schemeList_, viewer_);

  // A generous page on any screen, never larger than the screen.
  resize(SizeWithinFreeArea(*this, QSize(940, 680)));

  ShowPage(page_.WritePage());
  connect(schemeList_, &QComboBox::currentIndexChanged, this, &TFShowReport::ColorSchemeListChange);
}

TFShowReport::~TFShowReport() { page_.DeletePage(); }

void TFShowReport::ShowPage(const std::optional<std::string>& warning) {
  for (QAction* action : pageActions_) action->setEnabled(!warning);
  if (warning) {
    viewer_->clear();
    prompter_.Warn(*warning);
    return;
  }
  const QUrl page = QUrl::fromLocalFile(QString::fromStdString(page_.PageFile().string()));
  // The file keeps its name from scheme to scheme; reload reads it afresh.
  if (viewer_->source() == page)
    viewer_->reload();
  else
    viewer_->setSource(page);
  FixTableBorders(*viewer_->document());
}

void TFShowReport::ColorSchemeListChange(int index) {
  if (index < 0) return;
  ShowPage(page_.SelectScheme(static_cast<std::size_t>(index)));
}

void TFShowReport::PrintButtonClick() {
  QPrinter printer(QPrinter::HighResolution);
  const bool chosen = choosePrinter_ ? choosePrinter_(printer) : ChoosePrinter(printer, this);
  if (chosen && !PrintPageOn(*viewer_, printer)) prompter_.Warn(kMsgPrintReportFailed);
}

void TFShowReport::PrintPreviewButtonClick() { PreviewPage(*viewer_, this); }

std::filesystem::path TFShowReport::ChooseFile(const TExportDialog& dialog) {
  const QString file = chooseFile_(this, dialog);
  return file.isEmpty() ? std::filesystem::path() : PathOf(file);
}

void TFShowReport::ExportHtmlButtonClick() {
  const std::filesystem::path file = ChooseFile(kExportHtmlDialog);
  if (file.empty()) return;
  if (const auto warning = page_.ExportHtml(file)) prompter_.Warn(*warning);
}

void TFShowReport::ExportPdfButtonClick() {
  const std::filesystem::path file = ChooseFile(kExportPdfDialog);
  if (file.empty()) return;
  const QByteArray pdf = PageAsPdf(*viewer_);
  if (const auto warning = page_.ExportBytes(
          file, std::string_view(pdf.constData(), static_cast<std::size_t>(pdf.size()))))
    prompter_.Warn(*warning);
}

void ShowReport(TMyReport& report, const std::filesystem::path& programFolder, TPrompter& prompter,
                QWidget* parent) {
  TFShowReport viewer(report, programFolder, prompter, parent);
  viewer.exec();
}

}  // namespace korvela
