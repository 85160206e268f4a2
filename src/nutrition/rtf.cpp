#include "nutrition/rtf.h"

#include <array>
#include <cctype>
#include <cstdint>
#include <string>

namespace korvela {
namespace {

void AppendUtf8(std::string& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

// The next code point of UTF-8 text; a byte that starts no valid sequence
// stands for itself in the Latin-1 range.
char32_t NextCodePoint(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char first = byte(i);
  int length = 1;
  char32_t code = first;
  if (first >= 0xF0 && first < 0xF5) {
    length = 4;
    code = first & 0x07;
  } else if (first >= 0xE0) {
    length = 3;
    code = first & 0x0F;
  } else if (first >= 0xC2 && first < 0xE0) {
    length = 2;
    code = first & 0x1F;
  }
  if (length > 1 && i + static_cast<std::size_t>(length) <= text.size()) {
    bool valid = true;
    for (int k = 1; k < length; ++k) {
      const unsigned char next = byte(i + static_cast<std::size_t>(k));
      if ((next & 0xC0) != 0x80) valid = false;
      code = (code << 6) | (next & 0x3F);
    }
    if (valid) {
      i += static_cast<std::size_t>(length);
      return code;
    }
  }
  ++i;
  return first;
}

// The characters 0x80 to 0x9F of the Windows Latin code page; the rest of the
// upper half is Latin-1.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

char32_t FromCp1252(unsigned char byte) {
  if (byte >= 0x80 && byte < 0xA0) return kCp1252High[byte - 0x80];
  return byte;
}

void WriteText(std::string& out, std::string_view text) {
  for (std::size_t i = 0; i < text.size();) {
    const char32_t code = NextCodePoint(text, i);
    if (code == '\\' || code == '{' || code == '}') {
      out += '\\';
      out += static_cast<char>(code);
    } else if (code == '\t') {
      out += "\\tab ";
    } else if (code == '\n' || code == '\r') {
      out += "\\line ";
    } else if (code >= 0x20 && code < 0x7F) {
      out += static_cast<char>(code);
    } else if (code < 0x20) {
      continue;
    } else if (code < 0x10000) {
      out +=
          "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(code))) + "?";
    } else {
      const char32_t v = code - 0x10000;
      for (const char32_t unit : {0xD800 + (v >> 10), 0xDC00 + (v & 0x3FF)})
        out += "\\u" + std::to_string(static_cast<std::int16_t>(static_cast<std::uint16_t>(unit))) +
               "?";
    }
  }
}

std::string_view AlignWord(TRtfAlign align) {
  switch (align) {
    case TRtfAlign::Center:
      return "\\qc";
    case TRtfAlign::Right:
      return "\\qr";
    case TRtfAlign::Justify:
      return "\\qj";
    case TRtfAlign::Left:
      break;
  }
  return "\\ql";
}

void WriteRun(std::string& out, const TRtfRun& run) {
  std::string format;
  if (run.bold) format += "\\b";
  if (run.italic) format += "\\i";
  if (run.underline) format += "\\ul";
  std::string body = "{" + format + (format.empty() ? "" : " ");
  WriteText(body, run.text);
  body += "}";
  if (run.link.empty()) {
    out += body;
    return;
  }
  std::string address;
  for (const char c : run.link)
    if (c != '"') address += c;
  out += "{\\field{\\*\\fldinst{HYPERLINK \"";
  WriteText(out, address);
  out += "\"}}{\\fldrslt" + body + "}}";
}

// Character and paragraph state of a group while reading.
struct TGroupState {
  bool bold = false;
  bool italic = false;
  bool underline = false;
  int skipAfterUnicode = 1;
  // The group's text is not shown: a table, a picture, an unknown "\*"
  // destination or a field instruction.
  bool skip = false;
  // The group collects a field instruction.
  bool instruction = false;
  std::string link;
};

bool IsSkippedDestination(std::string_view word) {
  static constexpr std::array<std::string_view, 24> kWords = {"fonttbl",
                                                              "colortbl",
                                                              "stylesheet",
                                                              "info",
                                                              "pict",
                                                              "object",
                                                              "header",
                                                              "footer",
                                                              "headerl",
                                                              "headerr",
                                                              "headerf",
                                                              "footerl",
                                                              "footerr",
                                                              "footerf",
                                                              "listtable",
                                                              "listoverridetable",
                                                              "rsidtbl",
                                                              "generator",
                                                              "themedata",
                                                              "latentstyles",
                                                              "datastore",
                                                              "xmlnsttbl",
                                                              "colorschememapping",
                                                              "footnote"};
  for (const std::string_view skipped : kWords)
    if (word == skipped) return true;
  return false;
}

class TRtfReader {
 public:
  explicit TRtfReader(std::string_view text) : text_(text) { states_.emplace_back(); }

  TRtfDocument Read() {
    paragraph_ = {};
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '{') {
        ++pos_;
        states_.push_back(states_.back());
        groupStart_ = true;
      } else if (c == '}') {
        ++pos_;
        CloseGroup();
      } else if (c == '\\') {
        ReadControl();
        continue;
      } else if (c == '\r' || c == '\n') {
        ++pos_;
      } else {
        ++pos_;
        AddByte(static_cast<unsigned char>(c));
      }
      if (c != '{') groupStart_ = false;
    }
    EndParagraph(false);
    return std::move(document_);
  }

 private:
  TGroupState& State() { return states_.back(); }

  void CloseGroup() {
    if (states_.size() <= 1) return;
    const TGroupState closed = states_.back();
    states_.pop_back();
    pendingSkip_ = 0;
    if (closed.instruction && !State().instruction) {
      // HYPERLINK "address": the address becomes the link of the field's
      // result, which the next group at this level holds.
      const std::size_t key = instruction_.find("HYPERLINK");
      fieldLink_.clear();
      if (key != std::string::npos) {
        std::size_t begin = instruction_.find('"', key);
        if (begin != std::string::npos) {
          const std::size_t end = instruction_.find('"', begin + 1);
          fieldLink_ = instruction_.substr(
              begin + 1, end == std::string::npos ? std::string::npos : end - begin - 1);
        }
      }
      instruction_.clear();
    }
  }

  void AddCode(char32_t code) {
    TGroupState& state = State();
    if (state.instruction) {
      AppendUtf8(instruction_, code);
      return;
    }
    if (state.skip) return;
    TRtfRun run;
    run.bold = state.bold;
    run.italic = state.italic;
    run.underline = state.underline;
    run.link = state.link;
    if (paragraph_.runs.empty() || !paragraph_.runs.back().SameFormat(run))
      paragraph_.runs.push_back(run);
    AppendUtf8(paragraph_.runs.back().text, code);
  }

  void AddByte(unsigned char byte) {
    if (pendingSkip_ > 0) {
      --pendingSkip_;
      return;
    }
    AddCode(FromCp1252(byte));
  }

  void EndParagraph(bool always) {
    if (always || !paragraph_.runs.empty()) document_.paragraphs.push_back(paragraph_);
    paragraph_.runs.clear();
  }

  void AddUnicode(long value) {
    if (value < 0) value += 65536;
    const auto unit = static_cast<char32_t>(value);
    if (unit >= 0xD800 && unit < 0xDC00) {
      highSurrogate_ = unit;
    } else if (unit >= 0xDC00 && unit < 0xE000) {
      if (highSurrogate_ != 0)
        AddCode(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00));
      highSurrogate_ = 0;
    } else {
      highSurrogate_ = 0;
      AddCode(unit);
    }
    pendingSkip_ = State().skipAfterUnicode;
  }

  void ReadControl() {
    ++pos_;  // the backslash
    if (pos_ >= text_.size()) return;
    const char c = text_[pos_];
    if (!std::isalpha(static_cast<unsigned char>(c))) {
      ++pos_;
      const bool first = groupStart_;
      groupStart_ = false;
      switch (c) {
        case '\\':
        case '{':
        case '}':
          AddByte(static_cast<unsigned char>(c));
          break;
        case '~':
          AddCode(0xA0);
          break;
        case '_':
          AddCode(0x2011);
          break;
        case '*':
          if (first) State().skip = true;
          break;
        case '\'': {
          int value = 0;
          int digits = 0;
          while (digits < 2 && pos_ < text_.size() &&
                 std::isxdigit(static_cast<unsigned char>(text_[pos_]))) {
            const char h = static_cast<char>(std::tolower(static_cast<unsigned char>(text_[pos_])));
            value = value * 16 + (h <= '9' ? h - '0' : h - 'a' + 10);
            ++pos_;
            ++digits;
          }
          if (digits > 0) AddByte(static_cast<unsigned char>(value));
          break;
        }
        case '\r':
        case '\n':
          EndParagraph(true);
          break;
        default:
          break;
      }
      return;
    }
    const std::size_t start = pos_;
    while (pos_ < text_.size() && std::isalpha(static_cast<unsigned char>(text_[pos_]))) ++pos_;
    const std::string_view word = text_.substr(start, pos_ - start);
    bool hasValue = false;
    bool negative = false;
    long value = 0;
    if (pos_ < text_.size() && text_[pos_] == '-') {
      negative = true;
      ++pos_;
    }
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      if (value < 100000000) value = value * 10 + (text_[pos_] - '0');
      hasValue = true;
      ++pos_;
    }
    if (negative) value = -value;
    if (pos_ < text_.size() && text_[pos_] == ' ') ++pos_;
    const bool first = groupStart_;
    groupStart_ = false;
    Apply(word, hasValue, value, first);
  }

  void Apply(std::string_view word, bool hasValue, long value, bool groupStart) {
    TGroupState& state = State();
    const bool on = !hasValue || value != 0;
    if (word == "u") {
      AddUnicode(value);
      return;
    }
    if (pendingSkip_ > 0 && word != "uc") {
      --pendingSkip_;  // a control word standing as the fallback of \uN
      if (word != "par" && word != "line" && word != "tab") return;
    }
    if (word == "bin") {
      pos_ = std::min(text_.size(), pos_ + static_cast<std::size_t>(std::max(0L, value)));
    } else if (word == "b") {
      state.bold = on;
    } else if (word == "i") {
      state.italic = on;
    } else if (word == "ul") {
      state.underline = on;
    } else if (word == "ulnone") {
      state.underline = false;
    } else if (word == "plain") {
      state.bold = state.italic = state.underline = false;
    } else if (word == "uc") {
      state.skipAfterUnicode = static_cast<int>(std::max(0L, std::min(value, 8L)));
    } else if (word == "par") {
      if (!state.skip) EndParagraph(true);
    } else if (word == "line") {
      if (!state.skip) {
        const TRtfParagraph kept = paragraph_;
        EndParagraph(true);
        paragraph_.align = kept.align;
        paragraph_.bullet = kept.bullet;
      }
    } else if (word == "pard") {
      paragraph_.align = TRtfAlign::Left;
      paragraph_.bullet = false;
    } else if (word == "ql") {
      paragraph_.align = TRtfAlign::Left;
    } else if (word == "qc") {
      paragraph_.align = TRtfAlign::Center;
    } else if (word == "qr") {
      paragraph_.align = TRtfAlign::Right;
    } else if (word == "qj") {
      paragraph_.align = TRtfAlign::Justify;
    } else if (word == "pntext" || word == "listtext") {
      paragraph_.bullet = true;
      state.skip = true;
    } else if (word == "pn" || word == "ls") {
      paragraph_.bullet = true;
      if (word == "pn") state.skip = true;
    } else if (word == "tab") {
      AddCode('\t');
    } else if (word == "emdash") {
      AddCode(0x2014);
    } else if (word == "endash") {
      AddCode(0x2013);
    } else if (word == "bullet") {
      AddCode(0x2022);
    } else if (word == "lquote") {
      AddCode(0x2018);
    } else if (word == "rquote") {
      AddCode(0x2019);
    } else if (word == "ldblquote") {
      AddCode(0x201C);
    } else if (word == "rdblquote") {
      AddCode(0x201D);
    } else if (word == "fldinst") {
      state.instruction = true;
      instruction_.clear();
    } else if (word == "fldrslt") {
      state.link = fieldLink_;
      fieldLink_.clear();
    } else if (groupStart && IsSkippedDestination(word)) {
      state.skip = true;
    }
  }

  std::string_view text_;
  std::size_t pos_ = 0;
  std::vector<TGroupState> states_;
  TRtfDocument document_;
  TRtfParagraph paragraph_;
  std::string instruction_;
  std::string fieldLink_;
  char32_t highSurrogate_ = 0;
  int pendingSkip_ = 0;
  bool groupStart_ = false;
};

bool LooksLikeRtf(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  return text.substr(i, 5) == "{\\rtf";
}

}  // namespace

std::string WriteRtf(const TRtfDocument& document) {
  std::string out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl{\\f0\\fnil Sans;}}\n";
  for (const TRtfParagraph& paragraph : document.paragraphs) {
    out += "\\pard";
    out += AlignWord(paragraph.align);
    if (paragraph.bullet)
      out +=
          "{\\pntext\\bullet\\tab}{\\*\\pn\\pnlvlblt\\pnindent360{\\pntxtb\\bullet}}"
          "\\fi-360\\li360";
    out += ' ';
    for (const TRtfRun& run : paragraph.runs) WriteRun(out, run);
    out += "\\par\n";
  }
  out += "}";
  return out;
}

TRtfDocument ReadRtf(std::string_view text) {
  if (!LooksLikeRtf(text)) return PlainDocument(text);
  TRtfReader reader(text);
  TRtfDocument document = reader.Read();
  return document;
}

TRtfDocument PlainDocument(std::string_view text) {
  TRtfDocument document;
  std::size_t start = 0;
  while (start <= text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    TRtfParagraph paragraph;
    if (!line.empty()) paragraph.runs.push_back({std::string(line), false, false, false, {}});
    document.paragraphs.push_back(std::move(paragraph));
    start = end + 1;
  }
  while (!document.paragraphs.empty() && document.paragraphs.back().runs.empty())
    document.paragraphs.pop_back();
  return document;
}

std::string PlainText(const TRtfDocument& document) {
  std::string text;
  for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
    if (i > 0) text += '\n';
    for (const TRtfRun& run : document.paragraphs[i].runs) text += run.text;
  }
  return text;
}

namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = text[i];
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    if (c != prefix[i]) return false;
  }
  return true;
}

constexpr std::string_view kLinkStarts[] = {"https://", "http://", "www.", "mailto:"};

// The length of the address starting at `at`, 0 when none starts there.
std::size_t AddressLength(std::string_view text, std::size_t at) {
  if (at > 0) {
    const char before = text[at - 1];
    if (!(before == ' ' || before == '\t' || before == '\n' || before == '(' || before == '<' ||
          before == '"' || before == '\''))
      return 0;
  }
  const std::string_view rest = text.substr(at);
  std::size_t prefix = 0;
  for (const std::string_view start : kLinkStarts)
    if (StartsWithNoCase(rest, start)) prefix = start.size();
  if (prefix == 0) return 0;
  std::size_t end = 0;
  while (end < rest.size() && !(rest[end] == ' ' || rest[end] == '\t' || rest[end] == '\n' ||
                                rest[end] == '<' || rest[end] == '>' || rest[end] == '"'))
    ++end;
  while (end > prefix && std::string_view(".,;:!?)'").find(rest[end - 1]) != std::string_view::npos)
    --end;
  return end > prefix ? end : 0;
}

}  // namespace

void DetectLinks(TRtfDocument& document) {
  for (TRtfParagraph& paragraph : document.paragraphs) {
    std::vector<TRtfRun> runs;
    for (TRtfRun& run : paragraph.runs) {
      if (!run.link.empty()) {
        runs.push_back(std::move(run));
        continue;
      }
      const std::string text = run.text;
      std::size_t done = 0;
      for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t length = AddressLength(text, at);
        if (length == 0) continue;
        TRtfRun before = run;
        before.text = text.substr(done, at - done);
        if (!before.text.empty()) runs.push_back(std::move(before));
        TRtfRun link = run;
        link.text = text.substr(at, length);
        link.link = StartsWithNoCase(link.text, "www.") ? "http://" + link.text : link.text;
        runs.push_back(std::move(link));
        at += length - 1;
        done = at + 1;
      }
      if (done == 0) {
        runs.push_back(std::move(run));
      } else if (done < text.size()) {
        TRtfRun after = run;
        after.text = text.substr(done);
        runs.push_back(std::move(after));
      }
    }
    paragraph.runs = std::move(runs);
  }
}

bool OpensOnDesktop(std::string_view link) {
  return StartsWithNoCase(link, "https://") || StartsWithNoCase(link, "http://") ||
         StartsWithNoCase(link, "mailto:");
}

}  // namespace korvela
