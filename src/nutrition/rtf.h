#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace korvela {

// The recipe directions as a small document: paragraphs of formatted runs.
// Text is UTF-8. This is all the directions editor keeps; other formatting
// of a text written elsewhere is dropped on reading.
enum class TRtfAlign { Left, Center, Right, Justify };

struct TRtfRun {
  std::string text;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  // The address of a link; empty for plain text.
  std::string link;

  bool SameFormat(const TRtfRun& other) const {
    return bold == other.bold && italic == other.italic && underline == other.underline &&
           link == other.link;
  }
  bool operator==(const TRtfRun&) const = default;
};

struct TRtfParagraph {
  TRtfAlign align = TRtfAlign::Left;
  bool bullet = false;
  std::vector<TRtfRun> runs;
  bool operator==(const TRtfParagraph&) const = default;
};

struct TRtfDocument {
  std::vector<TRtfParagraph> paragraphs;
  bool operator==(const TRtfDocument&) const = default;
};

// The document in the Rich Text Format: every character outside printable
// ASCII as \uN, links as HYPERLINK fields, bullets as paragraph numbering.
std::string WriteRtf(const TRtfDocument& document);

// Reads any text as legibly as it can and never fails: an RTF text keeps its
// paragraphs, alignment, bullets, bold, italic, underline and links, with
// \'hh read in the Windows Latin code page and \uN with its fallback skipped;
// font, colour and style tables, pictures and unknown "\*" groups are
// skipped. A text that is no RTF becomes one paragraph per line.
TRtfDocument ReadRtf(std::string_view text);

// The document without formatting, paragraphs separated by line feeds.
std::string PlainText(const TRtfDocument& document);

// Turns web and mail addresses typed as plain text ("https://...",
// "http://...", "www....", "mailto:...") into links; a "www." address links
// to "http://" + it. Punctuation that ends a sentence stays outside.
void DetectLinks(TRtfDocument& document);

// Whether a link may be opened on the desktop: web and mail addresses only.
bool OpensOnDesktop(std::string_view link);

// Paragraphs from lines of plain text.
TRtfDocument PlainDocument(std::string_view text);

}  // namespace korvela
