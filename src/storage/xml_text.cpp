// The text form of documents: the writer and the strict parser that reads
// exactly what the writer produces (plus blanks and line breaks between tags).
#include <array>
#include <cstring>

#include "storage/errors.h"
#include "storage/xml_node.h"

namespace korvela {
namespace {

constexpr std::array<bool, 256> MakeNameTable() {
  std::array<bool, 256> t{};
  for (int c = 'A'; c <= 'Z'; ++c) t[c] = true;
  for (int c = 'a'; c <= 'z'; ++c) t[c] = true;
  t['_'] = true;
  return t;
}
constexpr std::array<bool, 256> kNameChar = MakeNameTable();

// Characters that end a value or a text: the double quote, the apostrophe, "<" and ">".
constexpr std::array<bool, 256> MakeStopTable() {
  std::array<bool, 256> t{};
  t['"'] = t['\''] = t['<'] = t['>'] = true;
  return t;
}
constexpr std::array<bool, 256> kStopChar = MakeStopTable();

// No document of the program nests deeper than a few levels; the limit keeps
// a hostile file from exhausting the stack of the recursive writer and
// destructor.
constexpr int kMaxDepth = 256;

bool IsBlank(char c) { return c == ' ' || c == '\r' || c == '\n'; }

void AppendEscaped(std::string& out, std::string_view text) {
  std::size_t plainStart = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char* replacement;
    switch (text[i]) {
      case '&':
        replacement = "&amp;";
        break;
      case '<':
        replacement = "&lt;";
        break;
      case '>':
        replacement = "&gt;";
        break;
      case '"':
        replacement = "&quot;";
        break;
      case '\'':
        replacement = "&apos;";
        break;
      default:
        continue;
    }
    out.append(text.data() + plainStart, i - plainStart);
    out.append(replacement);
    plainStart = i + 1;
  }
  out.append(text.data() + plainStart, text.size() - plainStart);
}

void AppendInt32LE(std::string& out, std::int32_t value) {
  const auto u = static_cast<std::uint32_t>(value);
  for (int shift = 0; shift < 32; shift += 8) out.push_back(static_cast<char>((u >> shift) & 0xFF));
}

std::int32_t ReadInt32LE(const char* p) {
  std::uint32_t u = 0;
  for (int i = 3; i >= 0; --i) u = (u << 8) | static_cast<unsigned char>(p[i]);
  return static_cast<std::int32_t>(u);
}

void WriteBlobs(const XMLNode& node, std::string& out) {
  if (node.Blobs.empty()) {
    out.push_back('>');
    AppendInt32LE(out, -1);
    return;
  }
  for (const std::string& block : node.Blobs) {
    out.push_back('>');
    AppendInt32LE(out, static_cast<std::int32_t>(block.size()));
    out.append(block);
  }
}

class TParser {
 public:
  TParser(const char* bytes, std::size_t size) : p_(bytes), end_(bytes + size) {}

  std::unique_ptr<XMLNode> ParseDocument() {
    if (p_ != end_ && *p_ == '>') return ParseBlobs();
    SkipBlanks();
    Require('<');
    auto root = std::make_unique<XMLNode>(ReadName());
    XMLNode* current = root.get();
    int depth = 0;
    for (;;) {
      ParseAttributes(*current);
      ++p_;  // the ">" of the start tag
      SkipBlanks();
      if (Peek() != '<') {
        current->Text = ReadText();
        SkipBlanks();
        Require('<');
      } else {
        ++p_;
      }
      // After "<": end tags close elements until a start tag opens the next one.
      for (;;) {
        if (Peek() == '/') {
          ++p_;
          if (ReadNameView() != current->Name) Fail();
          SkipBlanks();
          Require('>');
          if (current == root.get()) return root;  // bytes after the root are ignored
          current = current->Parent;
          --depth;
          SkipBlanks();
          Require('<');
          continue;
        }
        if (!kNameChar[static_cast<unsigned char>(Peek())]) Fail();
        if (++depth > kMaxDepth) Fail();
        current = &current->AddChild(std::make_unique<XMLNode>(ReadName()));
        break;
      }
    }
  }

 private:
  [[noreturn]] static void Fail() { throw EInvalidXMLFile(); }

  char Peek() const {
    if (p_ == end_) Fail();
    return *p_;
  }

  void Require(char c) {
    if (Peek() != c) Fail();
    ++p_;
  }

  void SkipBlanks() {
    while (p_ != end_ && IsBlank(*p_)) ++p_;
  }

  std::string_view ReadNameView() {
    const char* start = p_;
    while (p_ != end_ && kNameChar[static_cast<unsigned char>(*p_)]) ++p_;
    if (p_ == start) Fail();
    return {start, static_cast<std::size_t>(p_ - start)};
  }

  std::string ReadName() { return std::string(ReadNameView()); }

  // Up to the next stop character; the end of the input is an error.
  std::string_view ReadUntilStop(bool& hasAmpersand) {
    const char* start = p_;
    hasAmpersand = false;
    while (p_ != end_ && !kStopChar[static_cast<unsigned char>(*p_)]) {
      hasAmpersand |= *p_ == '&';
      ++p_;
    }
    if (p_ == end_) Fail();
    return {start, static_cast<std::size_t>(p_ - start)};
  }

  static std::string Unescaped(std::string_view raw, bool hasAmpersand) {
    return hasAmpersand ? UnescapeXML(raw) : std::string(raw);
  }

  // Leaves p_ on the ">" that ends the start tag.
  void ParseAttributes(XMLNode& node) {
    // Values hold no raw quotes, so the quotes before the next ">" tell how
    // many attributes follow: one allocation for the list instead of several.
    std::size_t quotes = 0;
    for (const char* q = p_; q != end_ && *q != '>'; ++q) quotes += *q == '"';
    node.Attributes.reserve(quotes / 2);
    for (;;) {
      SkipBlanks();
      const char c = Peek();
      if (c == '>') return;
      if (!kNameChar[static_cast<unsigned char>(c)]) Fail();
      std::string name = ReadName();
      SkipBlanks();
      Require('=');
      SkipBlanks();
      Require('"');
      bool amp;
      const std::string_view raw = ReadUntilStop(amp);
      if (*p_ != '"') Fail();
      ++p_;
      node.Attributes.push_back({std::move(name), Unescaped(raw, amp)});
    }
  }

  std::string ReadText() {
    bool amp;
    std::string_view raw = ReadUntilStop(amp);
    while (!raw.empty() && static_cast<unsigned char>(raw.front()) <= 32) raw.remove_prefix(1);
    while (!raw.empty() && static_cast<unsigned char>(raw.back()) <= 32) raw.remove_suffix(1);
    return Unescaped(raw, amp);
  }

  std::unique_ptr<XMLNode> ParseBlobs() {
    auto node = XMLNode::MakeBlobContainer();
    const auto total = static_cast<std::size_t>(end_ - p_);
    if (total == 5 && ReadInt32LE(p_ + 1) == -1) return node;
    while (p_ != end_) {
      if (end_ - p_ < 5 || *p_ != '>') Fail();
      const std::int32_t length = ReadInt32LE(p_ + 1);
      p_ += 5;
      if (length < 0 || static_cast<std::size_t>(end_ - p_) < static_cast<std::size_t>(length))
        Fail();
      node->AddBlob(p_, length);
      p_ += length;
    }
    return node;
  }

  const char* p_;
  const char* end_;
};

}  // namespace

std::string EscapeXML(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

std::string UnescapeXML(std::string_view text) {
  // One left-to-right pass gives the same result as the five whole-text
  // replacements (apos, quot, gt, lt, amp, in that order): no replacement
  // produces an "&", and "&amp;" goes last, so what it yields is never read
  // again. "&amp;lt;" therefore reads back as "&lt;".
  static constexpr struct {
    std::string_view entity;
    char c;
  } kEntities[] = {{"&apos;", '\''}, {"&quot;", '"'}, {"&gt;", '>'}, {"&lt;", '<'}, {"&amp;", '&'}};
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size();) {
    if (text[i] == '&') {
      bool replaced = false;
      for (const auto& e : kEntities) {
        if (text.substr(i, e.entity.size()) == e.entity) {
          out.push_back(e.c);
          i += e.entity.size();
          replaced = true;
          break;
        }
      }
      if (replaced) continue;
    }
    out.push_back(text[i++]);
  }
  return out;
}

void XMLNode::WriteTo(std::string& out) const {
  if (IsBlob) {
    WriteBlobs(*this, out);
    return;
  }
  out.push_back('<');
  out.append(Name);
  for (const XMLAttr& a : Attributes) {
    out.push_back(' ');
    out.append(a.Name);
    out.append("=\"");
    AppendEscaped(out, a.Value);
    out.push_back('"');
  }
  out.push_back('>');
  if (!Text.empty()) {
    AppendEscaped(out, Text);
    if (!Children.empty()) out.append("\r\n");
  } else {
    out.append("\r\n");
  }
  for (const auto& child : Children) child->WriteTo(out);
  out.append("</");
  out.append(Name);
  out.append(">\r\n");
}

std::unique_ptr<XMLNode> XMLNode::Parse(const char* bytes, std::size_t size) {
  return TParser(bytes, size).ParseDocument();
}

}  // namespace korvela
