#include "korvela_data/build_strings_command.h"
#include "korvela_data/data_files.h"

#include <charconv>
#include <map>
#include <string_view>

#include "app/string_table.h"
#include "korvela_data/arguments.h"
#include "storage/errors.h"

namespace korvela {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The length of the well-formed UTF-8 sequence that starts at text[at], or 0:
// overlong forms, surrogates and code points beyond U+10FFFF are not UTF-8.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t at) {
  const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  std::uint32_t code = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1Fu;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0Fu;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07u;
  } else {
    return 0;
  }
  if (text.size() - at < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0u) != 0x80u) return 0;
    code = (code << 6) | (byte(at + i) & 0x3Fu);
  }
  constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  return length;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = Utf8SequenceLength(text, at);
    if (length == 0) return false;
    at += length;
  }
  return true;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool IsControl(char c) {
  const auto u = static_cast<unsigned char>(c);
  return (u < 0x20 && c != '\t') || u == 0x7F;
}

// Reads one file's lines and reports a refused line as FILE:LINE.
class TStringListReader {
 public:
  explicit TStringListReader(std::string fileName) : fileName_(std::move(fileName)) {}

  void ReadLine(std::string_view line, int lineNumber) {
    lineNumber_ = lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!IsUtf8(line)) Refuse("not UTF-8 text");
    if (line.starts_with('#') || line.find_first_not_of(" \t") == std::string_view::npos) return;

    const std::size_t tab = line.find('\t');
    if (tab == std::string_view::npos) Refuse("no tab between the number and the text");
    const std::int32_t number = ReadNumber(line.substr(0, tab));
    const std::string_view text = line.substr(tab + 1);
    const std::string which = "string " + std::to_string(number);
    if (text.empty()) Refuse("the text of " + which + " is empty");
    if (IsBlank(text.front()) || IsBlank(text.back()))
      Refuse("the text of " + which + " begins or ends with a blank, which the table drops");
    for (const char c : text)
      if (IsControl(c)) Refuse("the text of " + which + " holds a control character");

    const auto [earlier, added] = lines_.emplace(number, lineNumber);
    if (!added) Refuse(which + " is already given on line " + std::to_string(earlier->second));
    entries_.push_back({number, std::string(text), lineNumber});
  }

  std::vector<TStringListEntry> TakeEntries() { return std::move(entries_); }

 private:
  [[noreturn]] void Refuse(const std::string& problem) const {
    throw EStringListError(fileName_ + ":" + std::to_string(lineNumber_) + ": " + problem);
  }

  // Digits only: from_chars alone would take "-5" and stop early at "5x".
  std::int32_t ReadNumber(std::string_view field) const {
    std::int32_t number = 0;
    const bool digitsOnly =
        !field.empty() && field.find_first_not_of("0123456789") == std::string_view::npos;
    const char* end = field.data() + field.size();
    if (digitsOnly) {
      const auto [ptr, ec] = std::from_chars(field.data(), end, number);
      if (ec == std::errc() && ptr == end && number >= kFirstStringNumber &&
          number <= kLastStringNumber)
        return number;
    }
    Refuse("'" + std::string(field) + "' is not a string number (a whole number from " +
           std::to_string(kFirstStringNumber) + " to " + std::to_string(kLastStringNumber) + ")");
  }

  std::string fileName_;
  int lineNumber_ = 0;
  std::map<std::int32_t, int> lines_;  // number -> the line that gave it
  std::vector<TStringListEntry> entries_;
};

}  // namespace

std::vector<TStringListEntry> ReadStringList(const std::filesystem::path& file, TFileSystem& fs) {
  const std::string content = ReadWholeFile(file, fs);
  std::string_view rest = content;
  if (rest.starts_with(kByteOrderMark)) rest.remove_prefix(kByteOrderMark.size());

  TStringListReader reader(file.string());
  for (int lineNumber = 1; !rest.empty(); ++lineNumber) {
    const std::size_t end = rest.find('\n');
    reader.ReadLine(rest.substr(0, end), lineNumber);
    rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
  }
  return reader.TakeEntries();
}

void BuildStringTable(const std::filesystem::path& textFile, const std::filesystem::path& outFile,
                      TRandom& random, TFileSystem& fs) {
  const std::filesystem::path temp = TemporaryNameFor(outFile);
  // Building into the list itself, or into a temporary file of the list's
  // name, would destroy the list.
  if (SameFile(textFile, outFile) || SameFile(textFile, temp))
    throw EUsageError("TEXTFILE must be neither OUT nor " + temp.string());

  const std::vector<TStringListEntry> entries = ReadStringList(textFile, fs);

  // TStringTable opens its file through the operating system, so the table
  // is replaced there too.
  TFileSystem& files = PosixFileSystem();
  // A build that was cut short may have left its temporary file; the new
  // table must not start from it.
  files.Remove(temp);
  try {
    TStringTable table(temp, random);
    for (const TStringListEntry& entry : entries) table.PutString(entry.number, entry.text);
    table.Close();
    files.Rename(temp, outFile);
  } catch (...) {
    RemoveQuietly(files, TemporaryNameFor(temp));
    RemoveQuietly(files, temp);
    throw;
  }
}

void RunBuildStringsCommand(TCommandArgs args, TToolEnvironment& env) {
  BuildStringTable(args[0], args[1], env.random, env.fs);
}

}  // namespace korvela
