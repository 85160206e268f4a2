#pragma once
#include <filesystem>
#include <memory>
#include <string_view>

#include "storage/file_system.h"
#include "storage/xml_node.h"

namespace korvela {

// A scrambled file (data key) that holds one document of a known kind: its
// root element is named `rootName`. A body that is not in the text form, a
// blob container and a document of another kind (say the settings' content
// in the meal definitions' file) all raise EInvalidXMLFile naming the file.
std::unique_ptr<XMLNode> LoadDocumentFile(const std::filesystem::path& file,
                                          std::string_view rootName,
                                          TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
