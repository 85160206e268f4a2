#include "widgets/page_printing.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextEdit>

namespace korvela {

void PrintPage(QTextEdit& view, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() == QDialog::Accepted) view.print(&printer);
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

}  // namespace korvela
