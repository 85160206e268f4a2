#pragma once
#include <QByteArray>

class QTextEdit;
class QWidget;

namespace korvela {

// The printing of a shown page, shared by the help window and the report
// viewer: with the print dialog, as a preview (printable from there), and as
// the bytes of a PDF file.
void PrintPage(QTextEdit& view, QWidget* parent);
void PreviewPage(QTextEdit& view, QWidget* parent);
QByteArray PageAsPdf(const QTextEdit& view);

}  // namespace korvela
