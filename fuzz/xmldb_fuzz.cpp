// Opening a record database of arbitrary bytes, reading every record and
// saving a change ends in typed errors only, and a saved database opens again.
#include <cstdlib>
#include <cstring>

#include "fuzz_support.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file = korvela::fuzz::ScratchFile("db.dat");
  korvela::fuzz::WriteInput(file, data, size);
  // Open with the file's own kind, so that inputs get past the header check.
  std::int32_t kind = 0;
  if (size >= 8) std::memcpy(&kind, data + 4, 4);
  auto random = korvela::MakeSeededRandom(1);
  try {
    korvela::XMLDB db(file, kind, *random);
    for (const auto& handle : db.Handles()) {
      try {
        db.Get(handle.ID, korvela::kDataKey, handle.Date);
      } catch (const korvela::EInvalidXMLFile&) {
      }
    }
    db.Put(std::make_unique<korvela::XMLNode>("Added"), 12345, korvela::kDataKey, 1);
    db.Close();
    korvela::XMLDB reopened(file, kind, *random);
    if (!reopened.Get(12345, korvela::kDataKey, 1)) std::abort();
  } catch (const korvela::EKorvelaError&) {
  }
  return 0;
}
