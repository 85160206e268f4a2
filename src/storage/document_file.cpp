#include "storage/document_file.h"

#include "storage/errors.h"
#include "storage/garbled_stream.h"

namespace korvela {

std::unique_ptr<XMLNode> LoadDocumentFile(const std::filesystem::path& file,
                                          std::string_view rootName, TFileSystem& fs) {
  try {
    std::unique_ptr<XMLNode> root = LoadXMLFile(file, kDataKey, fs);
    if (!root || root->IsBlob || root->Name != rootName) throw EInvalidXMLFile();
    return root;
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

}  // namespace korvela
