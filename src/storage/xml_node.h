#pragma once
#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvela {

struct XMLAttr {
  std::string Name;
  std::string Value;
};

// One element of a stored document, or a blob container (a document whose
// first byte is ">", kept as raw byte blocks and written back unchanged).
// A node owns its attributes and its children; Parent is a back-reference.
class XMLNode {
 public:
  XMLNode() = default;
  explicit XMLNode(std::string name) : Name(std::move(name)) {}
  XMLNode(std::string name, std::string text) : Name(std::move(name)), Text(std::move(text)) {}
  XMLNode(const XMLNode&) = delete;
  XMLNode& operator=(const XMLNode&) = delete;

  static std::unique_ptr<XMLNode> MakeBlobContainer();

  // Building. Values are stored as given; escaping happens only when writing.
  void AddAttr(std::string name, std::string text);
  void AddIntAttr(std::string name, std::int32_t value);
  void AddFloatAttr(std::string name, double value);
  void AddBoolAttr(std::string name, bool value);
  XMLNode& AddChild(std::unique_ptr<XMLNode> child);
  void AddBlob(const char* bytes, std::int32_t length);

  // Lookup by exact name; the first match in insertion order wins.
  const XMLAttr* FindAttr(std::string_view name) const;
  const std::string& AttrOrEmpty(std::string_view name) const;
  // These require the attribute: a missing one raises EInvalidXMLFile, a
  // value that is not a number raises EConvertError.
  const std::string& AttrText(std::string_view name) const;
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
  // EInvalidXMLFile on any deviation from the grammar.
  static std::unique_ptr<XMLNode> Parse(const char* bytes, std::size_t size);

  // Deep structural equality (names, texts, attributes, children, blobs).
  bool SameAs(const XMLNode& other) const;

  std::string Name;
  std::string Text;
  std::vector<XMLAttr> Attributes;
  std::vector<std::unique_ptr<XMLNode>> Children;
  XMLNode* Parent = nullptr;
  bool IsBlob = false;
  std::vector<std::string> Blobs;  // the byte blocks of a blob container
};

// The five whole-text replacements of the text form.
std::string EscapeXML(std::string_view text);
std::string UnescapeXML(std::string_view text);

}  // namespace korvela
