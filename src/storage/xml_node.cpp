#include "storage/xml_node.h"

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <utility>

#include "storage/errors.h"
#include "storage/value_text.h"

namespace korvela {

void XMLString::Own(std::string_view text) {
  if (text.size() > std::numeric_limits<std::uint32_t>::max())
    throw std::length_error("value too long");
  if (text.empty()) return;
  char* copy = new char[text.size()];
  std::memcpy(copy, text.data(), text.size());
  data_ = copy;
  size_ = static_cast<std::uint32_t>(text.size());
  owned_ = true;
}

void XMLString::Take(XMLString& other) {
  if (!other.owned_) {
    // A view stays valid only while its document lives: the moved value owns.
    Own(other.view());
    return;
  }
  data_ = other.data_;
  size_ = other.size_;
  owned_ = true;
  other.data_ = nullptr;
  other.size_ = 0;
  other.owned_ = false;
}

XMLString& XMLString::operator=(const XMLString& other) {
  if (this != &other) *this = other.view();
  return *this;
}

XMLString& XMLString::operator=(XMLString&& other) {
  if (this != &other) {
    Release();
    data_ = nullptr;
    size_ = 0;
    Take(other);
  }
  return *this;
}

XMLString& XMLString::operator=(std::string_view text) {
  XMLString copy(text);
  Release();
  data_ = std::exchange(copy.data_, nullptr);
  size_ = std::exchange(copy.size_, 0);
  owned_ = std::exchange(copy.owned_, false);
  return *this;
}

std::ostream& operator<<(std::ostream& out, const XMLString& s) { return out << s.view(); }

std::unique_ptr<XMLNode> XMLNode::MakeBlobContainer() {
  auto node = std::make_unique<XMLNode>();
  node->IsBlob = true;
  return node;
}

void XMLNode::AddAttr(std::string name, XMLString text) {
  Attributes.push_back({std::move(name), std::move(text)});
}

void XMLNode::AddIntAttr(std::string name, std::int32_t value) {
  AddAttr(std::move(name), IntText(value));
}

void XMLNode::AddFloatAttr(std::string name, double value) {
  // A stored infinity or NaN would read back as some other number: a value
  // like that is a fault of the program, never something to write.
  if (!std::isfinite(value))
    throw EInternalError("The value of the attribute \"" + name + "\" is not a finite number");
  AddAttr(std::move(name), FloatText(value));
}

void XMLNode::AddBoolAttr(std::string name, bool value) {
  AddAttr(std::move(name), BoolText(value));
}

XMLNode& XMLNode::AddChild(std::unique_ptr<XMLNode> child) {
  child->Parent = this;
  Children.push_back(std::move(child));
  return *Children.back();
}

void XMLNode::AddBlob(const char* bytes, std::int32_t length) {
  Blobs.emplace_back(bytes, static_cast<std::size_t>(length));
}

const XMLAttr* XMLNode::FindAttr(std::string_view name) const {
  for (const XMLAttr& a : Attributes)
    if (a.Name == name) return &a;
  return nullptr;
}

const XMLString& XMLNode::AttrOrEmpty(std::string_view name) const {
  static const XMLString kEmpty;
  const XMLAttr* a = FindAttr(name);
  return a ? a->Value : kEmpty;
}

const XMLString& XMLNode::AttrText(std::string_view name) const {
  const XMLAttr* a = FindAttr(name);
  if (!a) throw EInvalidXMLFile();
  return a->Value;
}

std::int32_t XMLNode::AttrInt(std::string_view name) const { return ReadIntText(AttrText(name)); }

double XMLNode::AttrFloat(std::string_view name) const { return ReadFloatText(AttrText(name)); }

bool XMLNode::AttrBool(std::string_view name) const { return ReadBoolText(AttrText(name)); }

std::int32_t XMLNode::AttrIntOr(std::string_view name, std::int32_t absent) const {
  const XMLAttr* attr = FindAttr(name);
  return attr ? ReadIntText(attr->Value) : absent;
}

double XMLNode::AttrFloatOr(std::string_view name, double absent) const {
  const XMLAttr* attr = FindAttr(name);
  return attr ? ReadFloatText(attr->Value) : absent;
}

const XMLNode* XMLNode::FindChild(std::string_view name) const {
  for (const auto& c : Children)
    if (c->Name == name) return c.get();
  return nullptr;
}

XMLNode* XMLNode::FindChild(std::string_view name) {
  return const_cast<XMLNode*>(std::as_const(*this).FindChild(name));
}

void XMLNode::WriteTo(std::ostream& out) const {
  std::string text;
  WriteTo(text);
  out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

std::string XMLNode::ToText() const {
  std::string text;
  WriteTo(text);
  return text;
}

bool XMLNode::SameAs(const XMLNode& other) const {
  if (Name != other.Name || Text != other.Text || IsBlob != other.IsBlob || Blobs != other.Blobs ||
      Attributes.size() != other.Attributes.size() || Children.size() != other.Children.size())
    return false;
  for (std::size_t i = 0; i < Attributes.size(); ++i)
    if (Attributes[i].Name != other.Attributes[i].Name ||
        Attributes[i].Value != other.Attributes[i].Value)
      return false;
  for (std::size_t i = 0; i < Children.size(); ++i)
    if (!Children[i]->SameAs(*other.Children[i])) return false;
  return true;
}

}  // namespace korvela
