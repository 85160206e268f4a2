// Loading a scrambled file of arbitrary bytes ends in a document, none, or a
// typed error. Half of the inputs are scrambled first, so that the checksum
// passes and the parser behind it is reached.
#include "fuzz_support.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::filesystem::path file = korvela::fuzz::ScratchFile("load.dat");
  if (size > 0 && (data[0] & 1)) {
    auto random = korvela::MakeSeededRandom(size);
    auto out = korvela::PosixFileSystem().Create(file);
    korvela::AppendXMLBlock(*out,
                            std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1),
                            korvela::kDataKey, *random);
    out->Close();
  } else {
    korvela::fuzz::WriteInput(file, data, size);
  }
  try {
    korvela::LoadXMLFile(file, korvela::kDataKey);
  } catch (const korvela::EKorvelaError&) {
  }
  return 0;
}
