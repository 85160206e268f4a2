// The text-form parser on arbitrary bytes: it either builds a tree whose
// text form parses back to the same tree, or raises EInvalidXMLFile.
#include <cstdlib>

#include "storage/errors.h"
#include "storage/xml_node.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using korvela::XMLNode;
  std::unique_ptr<XMLNode> root;
  try {
    root = XMLNode::Parse(reinterpret_cast<const char*>(data), size);
  } catch (const korvela::EInvalidXMLFile&) {
    return 0;
  }
  const std::string text = root->ToText();
  const auto again = XMLNode::Parse(text.data(), text.size());
  // Element text loses its outer blanks when read, so compare the second
  // round trip, which must be exact.
  if (again->ToText() != text) std::abort();
  return 0;
}
