#pragma once
#include "nutrition/rtf.h"

class QTextDocument;

namespace korvela {

// The directions editor's document and the stored RTF model, both ways:
// paragraphs with their alignment and bullets, bold, italic, underline and
// links. A line break inside a paragraph is a line feed in a run (the
// stored text reads it back as a new paragraph).
void ShowRtfDocument(const TRtfDocument& rtf, QTextDocument& document);
TRtfDocument ReadTextDocument(const QTextDocument& document);

}  // namespace korvela
