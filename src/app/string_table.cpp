#include "app/string_table.h"

#include "storage/errors.h"

namespace korvela {

TStringTable::TStringTable(const std::filesystem::path& file, TRandom& random)
    : db_(file, kStringTableKind, random) {}

std::string TStringTable::GetString(int n) {
  const XMLNode* node = db_.Get(n, std::to_string(n), n);
  // Every number the program asks for is in a sound table.
  if (!node) throw EInvalidXMLFile(db_.FileName().string());
  return node->Text;
}

void TStringTable::PutString(int n, const std::string& text) {
  db_.Put(std::make_unique<XMLNode>(kStringElement, text), n, std::to_string(n), n);
}

}  // namespace korvela
