#include "korvela_data/dump_command.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>
#include <ostream>

#include "korvela_data/data_files.h"
#include "storage/errors.h"
#include "storage/garbled_stream.h"
#include "storage/xml_db.h"

namespace korvela {
namespace {

void WriteBytes(std::ostream& out, const std::string& bytes) {
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// A body that passes its checksum but is no document (a scrambled file of
// some other program, or a record written wrongly) is as damaged as one that
// fails it.
void RequireDocument(const std::string& body, const std::filesystem::path& file,
                     std::optional<std::int32_t> record) {
  try {
    (void)XMLNode::Parse(body.data(), body.size());
  } catch (const EInvalidXMLFile&) {
    throw EInvalidXMLFile(record ? file.string() + ", record " + std::to_string(*record)
                                 : file.string());
  }
}

void DumpDatabase(const std::filesystem::path& file, std::int32_t kind, std::ostream& out,
                  TFileSystem& fs) {
  // The database draws random numbers only when it writes, which a dump
  // never does.
  const std::unique_ptr<TRandom> unused = MakeSeededRandom(0);
  const XMLDB db(file, kind, *unused, fs);
  const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
  for (const XMLHandle& h : db.Handles()) {
    // Read before printing the header, so that a damaged record prints
    // nothing of its own.
    const std::string body = ReadPlainBlock(*in, file, RecordKey(kind, h.ID), h.Offset, h.Size);
    RequireDocument(body, file, h.ID);
    out << "id=" << h.ID << " date=" << DayValueText(h.Date) << " size=" << h.Size << '\n';
    WriteBytes(out, body);
  }
}

}  // namespace

std::string DayValueText(double value) {
  // The layout of "%.17g" (an exponent only below 1e-4 and from 1e17 on) with
  // the shortest digits that read back as the same value, so that 0.1 is not
  // shown as 0.10000000000000001.
  char buffer[64];
  char* const bufferEnd = buffer + sizeof buffer;
  char* end = std::to_chars(buffer, bufferEnd, value, std::chars_format::scientific).ptr;
  if (!std::isfinite(value)) return std::string(buffer, end);
  const char* e = std::find(buffer, end, 'e');
  const int sign = e[1] == '-' ? -1 : 1;
  int exponent = 0;
  std::from_chars(e + 2, end, exponent);
  exponent *= sign;
  if (exponent >= -4 && exponent < 17)
    end = std::to_chars(buffer, bufferEnd, value, std::chars_format::fixed).ptr;
  return std::string(buffer, end);
}

void DumpDataFile(const std::filesystem::path& file, std::ostream& out, TFileSystem& fs) {
  try {
    if (const std::optional<std::int32_t> kind = RecordDatabaseKind(file, fs)) {
      DumpDatabase(file, *kind, out, fs);
      return;
    }
    const std::unique_ptr<TReadableFile> in = fs.OpenRead(file);
    const std::string body = ReadPlainBlock(*in, file, kDataKey, 0, in->Size());
    RequireDocument(body, file, std::nullopt);
    WriteBytes(out, body);
  } catch (EKorvelaError& e) {
    e.SetFileIfUnknown(file.string());
    throw;
  }
}

void RunDumpCommand(TCommandArgs args, TToolEnvironment& env) {
  DumpDataFile(args[0], env.out, env.fs);
}

}  // namespace korvela
