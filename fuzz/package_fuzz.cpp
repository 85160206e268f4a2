// Opening an exchange package of arbitrary bytes and importing every item it
// lists into a throw-away program folder ends in typed errors only, and
// everything imported reads back from the folder's files.
//
// An input starting with "<" is a package in text form: the header's element
// and the items' elements, separated by NUL bytes, written into a package
// here so that the checksums pass and the item readers are reached. Any other
// input is the package file's bytes.
#include <cstdlib>
#include <string_view>

#include "fuzz_support.h"
#include "package_fuzz_support.h"
#include "reports/exchange_package.h"
#include "reports/import_export.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

namespace {

using namespace korvela;

void WriteTextPackage(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::remove(file);
  auto random = MakeSeededRandom(text.size());
  XMLDB db(file, kPackageKind, *random, fuzz::ScratchFileSystem());
  std::int32_t id = kPackageHeaderID;
  double date = kPackageHeaderDate;
  while (true) {
    const std::size_t end = text.find('\0');
    const std::string_view piece = text.substr(0, end);
    try {
      db.Put(XMLNode::Parse(piece.data(), piece.size()), id, kDataKey, date);
    } catch (const EKorvelaError&) {
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
    id = id == kPackageHeaderID ? kFirstFreeID : id + 1;
    date = 0;
  }
  db.Close();
}

// Everything the import stored must read back as the program reads it at
// start-up.
void ReloadOrAbort(const std::filesystem::path& folder) {
  try {
    fuzz::TScratchInstallation reloaded(folder, 2);
  } catch (const EKorvelaError&) {
    std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file = fuzz::ScratchFile("package.krv");
  static const std::filesystem::path folder = fuzz::ScratchFile("program");
  const std::filesystem::path& model = fuzz::PopulatedTemplateFolder("template");
  std::filesystem::remove_all(folder);
  std::filesystem::copy(model, folder);

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!bytes.empty() && bytes.front() == '<') {
    WriteTextPackage(file, bytes);
  } else {
    fuzz::WriteInput(file, data, size);
  }

  {
    fuzz::TScratchInstallation installation(folder, size);
    fuzz::TQuietPrompter prompter;
    TImportExport screen(installation.Stores(), prompter);
    bool asked = false;
    const bool opened = screen.OpenPackage(file, [&asked]() -> std::optional<std::string> {
      if (asked) return std::nullopt;
      asked = true;
      return std::string(fuzz::kFuzzPassword);
    });
    if (opened) {
      std::vector<std::size_t> all;
      for (const TIEListItem& item : screen.PackageItems(kAllItemsTab, ""))
        all.push_back(item.index);
      screen.Import(kAllItemsTab, all);
      // A second import of the same items meets every one as a duplicate.
      screen.Import(kAllItemsTab, all);
      if (!screen.Close()) std::abort();
    }
  }
  ReloadOrAbort(folder);
  return 0;
}
