// The text form of documents: the writer and the strict parser that reads
// exactly what the writer produces (plus blanks and line breaks between tags).
#include <array>
#include <cstring>
#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// How a character reads inside a value or a text: kPlain, or kStop for the
// characters that end it (the double quote, the apostrophe, "<" and ">"),
// kEntity for "&", kNul for the byte that may be the end of the buffer.
enum : std::uint8_t { kPlain, kStop, kEntity, kNul };
constexpr std::array<std::uint8_t, 256> MakeValueTable() {
  std::array<std::uint8_t, 256> t{};
  t['"'] = t['\''] = t['<'] = t['>'] = kStop;
  t['&'] = kEntity;
  t[0] = kNul;
  return t;
}
constexpr std::array<std::uint8_t, 256> kValueChar = MakeValueTable();

// The parser's copy of the text ends in this many NULs, so that the scan of a
// value may read whole 16-byte blocks up to the end of the text.
constexpr std::size_t kPadding = 16;

// The first character at or after `q` that is not kPlain. There is always
// one: the NUL at the end of the text at the latest.
char* SkipPlain(char* q) {
#if defined(__SSE2__)
  const __m128i quote = _mm_set1_epi8('"');
  const __m128i apostrophe = _mm_set1_epi8('\'');
  const __m128i less = _mm_set1_epi8('<');
  const __m128i greater = _mm_set1_epi8('>');
  const __m128i ampersand = _mm_set1_epi8('&');
  const __m128i nul = _mm_setzero_si128();
  for (;;) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(q));
    const __m128i stops =
        _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(block, quote), _mm_cmpeq_epi8(block, apostrophe)),
                     _mm_or_si128(_mm_cmpeq_epi8(block, less), _mm_cmpeq_epi8(block, greater)));
    const __m128i hits = _mm_or_si128(
        stops, _mm_or_si128(_mm_cmpeq_epi8(block, ampersand), _mm_cmpeq_epi8(block, nul)));
    const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits));
    if (mask != 0) return q + __builtin_ctz(mask);
    q += 16;
  }
#else
  while (kValueChar[static_cast<unsigned char>(*q)] == kPlain) ++q;
  return q;
#endif
}

// No document of the program nests deeper than a few levels; the limit keeps
// a hostile file from exhausting the stack of the recursive writer and
// destructor.
constexpr std::size_t kMaxDepth = 256;

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

// Reads the text in place: names are copied into their (short) strings,
// values and texts are unescaped where they stand and viewed by their nodes,
// which share the text.
// One left-to-right pass gives the same result as the five whole-text
// replacements (apos, quot, gt, lt, amp, in that order): no replacement
// produces an "&", and "&amp;" goes last, so what it yields is never read
// again. "&amp;lt;" therefore reads back as "&lt;". The result is never
// longer than the text, so it is written over it; returns its length.
std::size_t UnescapeInPlace(char* text, std::size_t size) {
  static constexpr struct {
    std::string_view entity;
    char c;
  } kEntities[] = {{"&apos;", '\''}, {"&quot;", '"'}, {"&gt;", '>'}, {"&lt;", '<'}, {"&amp;", '&'}};
  const std::string_view all(text, size);
  std::size_t out = 0;
  for (std::size_t i = 0; i < size;) {
    if (text[i] == '&') {
      bool replaced = false;
      for (const auto& e : kEntities) {
        if (all.substr(i, e.entity.size()) == e.entity) {
          text[out++] = e.c;
          i += e.entity.size();
          replaced = true;
          break;
        }
      }
      if (replaced) continue;
    }
    text[out++] = text[i++];
  }
  return out;
}

class TParser {
 public:
  // `text` holds the document and then kPadding NULs.
  explicit TParser(std::shared_ptr<std::string> text)
      : source_(std::move(text)), p_(source_->data()), end_(p_ + source_->size() - kPadding) {}

  std::unique_ptr<XMLNode> ParseDocument() {
    if (p_ != end_ && *p_ == '>') return ParseBlobs();
    SkipBlanks();
    Require('<');
    auto root = NewNode();
    // The open elements, each with the index in `pending` where its children
    // start. Children wait in `pending` until their parent closes and then
    // move into it at once: one allocation per child list, never a regrowth.
    std::vector<TOpen> open;
    std::vector<std::unique_ptr<XMLNode>> pending;
    open.push_back({root.get(), 0});
    XMLNode* current = root.get();
    for (;;) {
      ParseAttributes(*current);
      ++p_;  // the ">" of the start tag
      SkipBlanks();
      if (Peek() != '<') {
        const std::string_view text = ReadUntilStop(true);
        current->Text.SetView(text.data(), text.size());
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
          Adopt(*current, pending, open.back().FirstChild);
          open.pop_back();
          if (open.empty()) return root;  // bytes after the root are ignored
          current = open.back().Node;
          SkipBlanks();
          Require('<');
          continue;
        }
        if (!kNameChar[static_cast<unsigned char>(Peek())]) Fail();
        if (open.size() > kMaxDepth) Fail();
        pending.push_back(NewNode());
        current = pending.back().get();
        open.push_back({current, pending.size()});
        break;
      }
    }
  }

 private:
  struct TOpen {
    XMLNode* Node;
    std::size_t FirstChild;
  };

  struct TAttrSpan {
    std::string_view Name;
    std::string_view Value;
  };

  [[noreturn]] static void Fail() { throw EInvalidXMLFile(); }

  // A node named by the name at p_, sharing the text its values view.
  std::unique_ptr<XMLNode> NewNode() {
    auto node = std::make_unique<XMLNode>(std::string(ReadNameView()));
    node->Source = source_;
    return node;
  }

  static void Adopt(XMLNode& parent, std::vector<std::unique_ptr<XMLNode>>& pending,
                    std::size_t first) {
    if (pending.size() == first) return;
    parent.Children.reserve(pending.size() - first);
    for (std::size_t i = first; i < pending.size(); ++i) {
      pending[i]->Parent = &parent;
      parent.Children.push_back(std::move(pending[i]));
    }
    pending.resize(first);
  }

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

  // Up to the next stop character, unescaped in place; the end of the input
  // is an error. The buffer ends in a NUL, so the scan needs no bounds check
  // until it meets one.
  std::string_view ReadUntilStop(bool trim) {
    char* start = p_;
    char* q = p_;
    bool hasAmpersand = false;
    for (;;) {
      q = SkipPlain(q);
      const std::uint8_t kind = kValueChar[static_cast<unsigned char>(*q)];
      if (kind == kStop) break;
      if (kind == kNul && q == end_) Fail();
      hasAmpersand |= kind == kEntity;
      ++q;
    }
    p_ = q;
    char* stop = q;
    if (trim) {
      while (start != stop && static_cast<unsigned char>(*start) <= 32) ++start;
      while (start != stop && static_cast<unsigned char>(stop[-1]) <= 32) --stop;
    }
    auto size = static_cast<std::size_t>(stop - start);
    if (hasAmpersand) size = UnescapeInPlace(start, size);
    return {start, size};
  }

  // Leaves p_ on the ">" that ends the start tag. The attributes are read
  // into a list kept from tag to tag and then moved into the node at once.
  void ParseAttributes(XMLNode& node) {
    attributes_.clear();
    for (;;) {
      SkipBlanks();
      const char c = Peek();
      if (c == '>') break;
      if (!kNameChar[static_cast<unsigned char>(c)]) Fail();
      TAttrSpan& attr = attributes_.emplace_back();
      attr.Name = ReadNameView();
      SkipBlanks();
      Require('=');
      SkipBlanks();
      Require('"');
      attr.Value = ReadUntilStop(false);
      if (*p_ != '"') Fail();
      ++p_;
    }
    if (attributes_.empty()) return;
    node.Attributes.resize(attributes_.size());
    for (std::size_t i = 0; i < attributes_.size(); ++i) {
      node.Attributes[i].Name = attributes_[i].Name;
      node.Attributes[i].Value.SetView(attributes_[i].Value.data(), attributes_[i].Value.size());
    }
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

  std::shared_ptr<std::string> source_;
  char* p_;
  char* end_;
  std::vector<TAttrSpan> attributes_;
};

}  // namespace

std::string EscapeXML(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  AppendEscaped(out, text);
  return out;
}

std::string UnescapeXML(std::string_view text) {
  std::string out(text);
  out.resize(UnescapeInPlace(out.data(), out.size()));
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
    AppendEscaped(out, a.Value.view());
    out.push_back('"');
  }
  out.push_back('>');
  if (!Text.empty()) {
    AppendEscaped(out, Text.view());
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
  auto text = std::make_shared<std::string>();
  text->reserve(size + kPadding);
  text->assign(bytes, size);
  text->append(kPadding, '\0');
  return TParser(std::move(text)).ParseDocument();
}

std::unique_ptr<XMLNode> XMLNode::Parse(std::string&& text) {
  text.append(kPadding, '\0');
  return TParser(std::make_shared<std::string>(std::move(text))).ParseDocument();
}

}  // namespace korvela
