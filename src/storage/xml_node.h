#pragma once
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvela {

// The value of an attribute or the text of an element. A value read by the
// parser views the document's text, which its node keeps alive; any other
// value, and every copy or move of one, owns its characters. It reads like a
// std::string_view and converts to std::string.
class XMLString {
 public:
  XMLString() noexcept = default;
  XMLString(const char* text) : XMLString(std::string_view(text)) {}
  XMLString(const std::string& text) : XMLString(std::string_view(text)) {}
  XMLString(std::string_view text) { Own(text); }
  XMLString(const XMLString& other) { Own(other.view()); }
  XMLString(XMLString&& other) noexcept(false) { Take(other); }
  ~XMLString() { Release(); }
  XMLString& operator=(const XMLString& other);
  XMLString& operator=(XMLString&& other);
  XMLString& operator=(std::string_view text);
  XMLString& operator=(const std::string& text) { return *this = std::string_view(text); }
  XMLString& operator=(const char* text) { return *this = std::string_view(text); }

  // A value that views characters someone else keeps alive.
  void SetView(const char* data, std::size_t size) noexcept {
    Release();
    data_ = data;
    size_ = static_cast<std::uint32_t>(size);
  }

  std::string_view view() const noexcept { return {data_, size_}; }
  operator std::string_view() const noexcept { return view(); }
  operator std::string() const { return std::string(view()); }
  std::string str() const { return std::string(view()); }

  const char* data() const noexcept { return data_; }
  std::size_t size() const noexcept { return size_; }
  std::size_t length() const noexcept { return size_; }
  bool empty() const noexcept { return size_ == 0; }
  char operator[](std::size_t i) const noexcept { return data_[i]; }
  char front() const noexcept { return data_[0]; }
  char back() const noexcept { return data_[size_ - 1]; }
  std::string_view::const_iterator begin() const noexcept { return view().begin(); }
  std::string_view::const_iterator end() const noexcept { return view().end(); }
  std::size_t find(std::string_view part, std::size_t from = 0) const noexcept {
    return view().find(part, from);
  }
  std::size_t find(char c, std::size_t from = 0) const noexcept { return view().find(c, from); }
  std::string_view substr(std::size_t from, std::size_t count = std::string_view::npos) const {
    return view().substr(from, count);
  }
  bool starts_with(std::string_view part) const noexcept { return view().starts_with(part); }
  bool ends_with(std::string_view part) const noexcept { return view().ends_with(part); }

  friend bool operator==(const XMLString& a, const XMLString& b) noexcept {
    return a.view() == b.view();
  }
  friend bool operator==(const XMLString& a, std::string_view b) noexcept { return a.view() == b; }
  friend bool operator==(const XMLString& a, const std::string& b) noexcept {
    return a.view() == b;
  }
  friend bool operator==(const XMLString& a, const char* b) noexcept { return a.view() == b; }
  friend auto operator<=>(const XMLString& a, const XMLString& b) noexcept {
    return a.view() <=> b.view();
  }
  friend auto operator<=>(const XMLString& a, std::string_view b) noexcept {
    return a.view() <=> b;
  }
  friend std::string operator+(const XMLString& a, std::string_view b) {
    return std::string(a.view()).append(b);
  }
  friend std::string operator+(std::string a, const XMLString& b) { return a.append(b.view()); }
  friend std::string operator+(const char* a, const XMLString& b) {
    return std::string(a).append(b.view());
  }
  friend std::ostream& operator<<(std::ostream& out, const XMLString& s);

 private:
  void Own(std::string_view text);
  void Take(XMLString& other);
  void Release() noexcept {
    if (owned_) delete[] data_;
    owned_ = false;
  }

  const char* data_ = nullptr;
  std::uint32_t size_ = 0;
  bool owned_ = false;
};

struct XMLAttr {
  std::string Name;
  XMLString Value;
};

// One element of a stored document, or a blob container (a document whose
// first byte is ">", kept as raw byte blocks and written back unchanged).
// A node owns its attributes and its children; Parent is a back-reference.
class XMLNode {
 public:
  XMLNode() = default;
  explicit XMLNode(std::string name) : Name(std::move(name)) {}
  XMLNode(std::string name, XMLString text) : Name(std::move(name)), Text(std::move(text)) {}
  XMLNode(const XMLNode&) = delete;
  XMLNode& operator=(const XMLNode&) = delete;

  static std::unique_ptr<XMLNode> MakeBlobContainer();

  // Building. Values are stored as given; escaping happens only when writing.
  void AddAttr(std::string name, XMLString text);
  void AddIntAttr(std::string name, std::int32_t value);
  void AddFloatAttr(std::string name, double value);
  void AddBoolAttr(std::string name, bool value);
  XMLNode& AddChild(std::unique_ptr<XMLNode> child);
  void AddBlob(const char* bytes, std::int32_t length);

  // Lookup by exact name; the first match in insertion order wins.
  const XMLAttr* FindAttr(std::string_view name) const;
  const XMLString& AttrOrEmpty(std::string_view name) const;
  // These require the attribute: a missing one raises EInvalidXMLFile, a
  // value that is not a number raises EConvertError.
  const XMLString& AttrText(std::string_view name) const;
  std::int32_t AttrInt(std::string_view name) const;
  double AttrFloat(std::string_view name) const;
  bool AttrBool(std::string_view name) const;
  // These read an optional attribute: `absent` when it is missing.
  std::int32_t AttrIntOr(std::string_view name, std::int32_t absent) const;
  double AttrFloatOr(std::string_view name, double absent) const;
  const XMLNode* FindChild(std::string_view name) const;
  XMLNode* FindChild(std::string_view name);

  // The text form: CR LF line ends, no indentation.
  void WriteTo(std::string& out) const;
  void WriteTo(std::ostream& out) const;
  std::string ToText() const;

  // Builds a tree from exactly `size` bytes of text form; raises
  // EInvalidXMLFile on any deviation from the grammar. The second form reads
  // the text in place instead of copying it first.
  static std::unique_ptr<XMLNode> Parse(const char* bytes, std::size_t size);
  static std::unique_ptr<XMLNode> Parse(std::string&& text);

  // Deep structural equality (names, texts, attributes, children, blobs).
  bool SameAs(const XMLNode& other) const;

  std::string Name;
  XMLString Text;
  std::vector<XMLAttr> Attributes;
  std::vector<std::unique_ptr<XMLNode>> Children;
  XMLNode* Parent = nullptr;
  bool IsBlob = false;
  std::vector<std::string> Blobs;  // the byte blocks of a blob container
  // The parsed text that this node's values view; empty for built nodes.
  std::shared_ptr<const std::string> Source;
};

// The five whole-text replacements of the text form.
std::string EscapeXML(std::string_view text);
std::string UnescapeXML(std::string_view text);

}  // namespace korvela
