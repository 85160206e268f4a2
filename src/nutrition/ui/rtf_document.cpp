#include "nutrition/ui/rtf_document.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>

namespace korvela {
namespace {

Qt::Alignment ToQt(TRtfAlign align) {
  switch (align) {
    case TRtfAlign::Center:
      return Qt::AlignHCenter;
    case TRtfAlign::Right:
      return Qt::AlignRight;
    case TRtfAlign::Justify:
      return Qt::AlignJustify;
    case TRtfAlign::Left:
      break;
  }
  return Qt::AlignLeft;
}

TRtfAlign FromQt(Qt::Alignment align) {
  if (align & Qt::AlignHCenter) return TRtfAlign::Center;
  if (align & Qt::AlignJustify) return TRtfAlign::Justify;
  if (align & (Qt::AlignRight | Qt::AlignTrailing)) return TRtfAlign::Right;
  return TRtfAlign::Left;
}

}  // namespace

void ShowRtfDocument(const TRtfDocument& rtf, QTextDocument& document) {
  document.clear();
  QTextCursor cursor(&document);
  const QTextCharFormat plain = cursor.charFormat();
  QTextList* bullets = nullptr;
  bool first = true;
  for (const TRtfParagraph& paragraph : rtf.paragraphs) {
    QTextBlockFormat block;
    block.setAlignment(ToQt(paragraph.align));
    if (first) {
      cursor.setBlockFormat(block);
      first = false;
    } else {
      cursor.insertBlock(block, plain);
    }
    if (paragraph.bullet) {
      if (bullets) {
        bullets->add(cursor.block());
      } else {
        QTextListFormat list;
        list.setStyle(QTextListFormat::ListDisc);
        bullets = cursor.createList(list);
      }
    } else {
      bullets = nullptr;
    }
    for (const TRtfRun& run : paragraph.runs) {
      QTextCharFormat format = plain;
      format.setFontWeight(run.bold ? QFont::Bold : QFont::Normal);
      format.setFontItalic(run.italic);
      format.setFontUnderline(run.underline || !run.link.empty());
      if (!run.link.empty()) {
        format.setAnchor(true);
        format.setAnchorHref(QString::fromStdString(run.link));
        format.setForeground(QColor(0, 0, 200));
      }
      QString text = QString::fromStdString(run.text);
      text.replace(QLatin1Char('\r'), QString());
      text.replace(QLatin1Char('\n'), QChar(QChar::LineSeparator));
      cursor.insertText(text, format);
    }
  }
  document.setModified(false);
}

TRtfDocument ReadTextDocument(const QTextDocument& document) {
  TRtfDocument rtf;
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    TRtfParagraph paragraph;
    paragraph.align = FromQt(block.blockFormat().alignment());
    paragraph.bullet = block.textList() != nullptr;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      const QTextCharFormat format = fragment.charFormat();
      QString text = fragment.text();
      text.replace(QChar(QChar::LineSeparator), QLatin1Char('\n'));
      text.replace(QChar(QChar::ParagraphSeparator), QLatin1Char('\n'));
      text.replace(QChar(QChar::Nbsp), QLatin1Char(' '));
      TRtfRun run;
      run.text = text.toStdString();
      run.bold = format.fontWeight() >= QFont::DemiBold;
      run.italic = format.fontItalic();
      run.link = format.isAnchor() ? format.anchorHref().toStdString() : std::string();
      // A link's underline belongs to the link.
      run.underline = format.fontUnderline() && run.link.empty();
      if (!paragraph.runs.empty() && paragraph.runs.back().SameFormat(run))
        paragraph.runs.back().text += run.text;
      else
        paragraph.runs.push_back(std::move(run));
    }
    rtf.paragraphs.push_back(std::move(paragraph));
  }
  return rtf;
}

}  // namespace korvela
