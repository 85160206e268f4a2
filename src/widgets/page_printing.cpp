#include "widgets/page_printing.h"

#include <memory>

#include <QAbstractTextDocumentLayout>
#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>

namespace korvela {

void PrintPage(QTextEdit& view, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  if (ChoosePrinter(printer, parent)) PrintPageOn(view, printer);
}

bool ChoosePrinter(QPrinter& printer, QWidget* parent) {
  QPrintDialog dialog(&printer, parent);
  return dialog.exec() == QDialog::Accepted;
}

bool PrintPageOn(QTextEdit& view, QPrinter& printer) {
  view.print(&printer);
  return printer.printerState() != QPrinter::Error;
}

void PreviewPage(QTextEdit& view, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintPreviewDialog preview(&printer, parent);
  QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                   [&view](QPrinter* p) { view.print(p); });
  preview.exec();
}

QByteArray PageAsPdf(const QTextEdit& view) {
  QByteArray bytes;
  {
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(300);
    writer.setPageSize(QPageSize(QPageSize::A4));
    writer.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
    view.document()->print(&writer);
  }
  return bytes;
}

bool PrintDocument(const QTextDocument& document, QPrinter& printer) {
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  std::unique_ptr<QTextDocument> copy(document.clone());
  copy->documentLayout()->setPaintDevice(&printer);
  const QSizeF page = printer.pageRect(QPrinter::DevicePixel).size();
  copy->setPageSize(page);
  const int pages = copy->pageCount();
  for (int i = 0; i < pages; ++i) {
    if (i > 0 && !printer.newPage()) return false;
    painter.save();
    painter.translate(0, -i * page.height());
    copy->drawContents(&painter, QRectF(0, i * page.height(), page.width(), page.height()));
    painter.restore();
  }
  return painter.end();
}

}  // namespace korvela
