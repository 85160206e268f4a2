// Restoring a diary backup of arbitrary bytes into a throw-away program folder
// ends in typed errors only: a refused backup leaves no folder behind, and a
// restored account reads back as the program reads it.
//
// An input starting with "<" is a backup in text form: elements separated by
// NUL bytes, each written as a record here (the header is made here too) so
// that the checksums pass and the readers behind them are reached. A "BFILE"
// element's text is the file's content; with "DOC" set it is a data file's
// document in text form, written scrambled. "BDRILLS" is the exercises
// record; any other element an item. Any other input is the backup's bytes.
#include <cstdlib>
#include <string_view>

#include "backup_fuzz_support.h"
#include "fuzz_support.h"
#include "package_fuzz_support.h"
#include "reports/diary_backup.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"
#include "users/user.h"

namespace {

using namespace korvela;

// The scrambled bytes of a document given in text form; empty when the text
// is no document.
std::string ScrambledDocument(std::string_view text) {
  static const std::filesystem::path file = fuzz::ScratchFile("document.dat");
  try {
    const std::unique_ptr<XMLNode> root = XMLNode::Parse(text.data(), text.size());
    auto random = MakeSeededRandom(text.size());
    SaveXMLFile(*root, file, kDataKey, *random, fuzz::ScratchFileSystem());
  } catch (const EKorvelaError&) {
    return {};
  }
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteTextBackup(const std::filesystem::path& file, std::string_view text) {
  std::filesystem::remove(file);
  auto random = MakeSeededRandom(text.size());
  XMLDB db(file, kBackupKind, *random, fuzz::ScratchFileSystem());
  std::int32_t id = kFirstFreeID;
  while (true) {
    const std::size_t end = text.find('\0');
    const std::string_view piece = text.substr(0, end);
    try {
      std::unique_ptr<XMLNode> element = XMLNode::Parse(piece.data(), piece.size());
      double date = 3;
      if (element->Name == kBackupFileElement) {
        std::string bytes = element->Text.str();
        if (element->FindAttr(fuzz::kDocumentAttr)) bytes = ScrambledDocument(bytes);
        const XMLString& name = element->AttrOrEmpty("NAME");
        element =
            BackupFileRecord(name.empty() ? std::string(kAccountFileName) : name.str(), bytes);
        date = 2;
      } else if (element->Name == kBackupExercisesElement) {
        date = 4;
      }
      db.Put(std::move(element), id++, kDataKey, date);
    } catch (const EKorvelaError&) {
    }
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  auto header = std::make_unique<XMLNode>(std::string(kBackupHeaderElement));
  header->AddIntAttr("REQ", kBackupFormatLevel);
  header->AddIntAttr("RECORDS", id - kFirstFreeID);
  db.Put(std::move(header), 4, kDataKey, 1);
  db.Close();
}

bool HasStagingFolder(const std::filesystem::path& folder) {
  for (const auto& entry : std::filesystem::directory_iterator(folder))
    if (entry.path().filename().string().starts_with(kRestoreStagingPrefix)) return true;
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file = fuzz::ScratchFile("backup.kvb");
  static const std::filesystem::path folder = fuzz::ScratchFile("backup-program");
  std::filesystem::remove_all(folder);
  std::filesystem::copy(fuzz::PopulatedTemplateFolder("backup-template"), folder);

  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (!bytes.empty() && bytes.front() == '<') {
    WriteTextBackup(file, bytes);
  } else {
    fuzz::WriteInput(file, data, size);
  }

  std::filesystem::path restored;
  {
    fuzz::TScratchInstallation installation(folder, size);
    try {
      restored = RestoreDiary(file, installation.Stores(), fuzz::DiaryRegistry(), {"Ann"}).folder;
    } catch (const EKorvelaError&) {
    }
  }
  if (HasStagingFolder(folder)) std::abort();
  try {
    if (!restored.empty()) {
      LoadUser(restored);
      const std::unique_ptr<TRandom> random = MakeSeededRandom(1);
      TDayRecordStore store(fuzz::DiaryRegistry(), *random, fuzz::ScratchFileSystem());
      store.OpenDayRecords(restored);
      store.CloseDayRecords();
    }
    fuzz::TScratchInstallation reloaded(folder, 2);
  } catch (const EKorvelaError&) {
    std::abort();
  }
  return 0;
}
