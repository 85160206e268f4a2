#pragma once
#include <QByteArray>

class QPrinter;
class QTextDocument;
class QTextEdit;
class QWidget;

namespace korvela {

// The printing of a shown page, shared by the help window and the report
// viewer: with the print dialog, as a preview (printable from there), and as
// the bytes of a PDF file.
void PrintPage(QTextEdit& view, QWidget* parent);
// Asks for the printer with the print dialog; false when it was cancelled.
bool ChoosePrinter(QPrinter& printer, QWidget* parent);
// Prints the page on a chosen printer; false when the printer failed.
bool PrintPageOn(QTextEdit& view, QPrinter& printer);
void PreviewPage(QTextEdit& view, QWidget* parent);
QByteArray PageAsPdf(const QTextEdit& view);
// Prints a document page by page on a printer already chosen; false when the
// printer could not be started or refused a page.
bool PrintDocument(const QTextDocument& document, QPrinter& printer);

}  // namespace korvela
