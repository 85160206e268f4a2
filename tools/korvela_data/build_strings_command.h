#pragma once
#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "korvela_data/command.h"
#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"

namespace korvela {

// The string numbers a string list may use: the range of record identifiers.
inline constexpr std::int32_t kFirstStringNumber = 1;
inline constexpr std::int32_t kLastStringNumber = kIDLimit - 1;

// A line of a string list that cannot be built into the string table. The
// message is "FILE:LINE: what is wrong".
class EStringListError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

struct TStringListEntry {
  std::int32_t number = 0;
  std::string text;
  int line = 0;  // 1-based, for messages
};

// Reads the readable source of the string table: UTF-8 text, one string a
// line as NUMBER<TAB>TEXT. Blank lines and lines whose first character is
// "#" are skipped; LF and CR LF line ends are both accepted, and so is a
// UTF-8 byte order mark at the start. The text is everything after the first
// tab, kept byte for byte. A line is refused (EStringListError) when it has
// no tab; when its number is not a whole number from kFirstStringNumber to
// kLastStringNumber or was given before; when its text is empty, begins or
// ends with a blank (the table does not keep those) or holds a control
// character other than a tab; or when it is not UTF-8. A file that cannot be
// read raises EXMLIOError naming it. Entries come in the order of the file.
std::vector<TStringListEntry> ReadStringList(const std::filesystem::path& file, TFileSystem& fs);

// Builds the string table `outFile` (the program's "rs.dat") from the string
// list `textFile`, from scratch: the list is read and checked first, the
// table is written under the temporary name of `outFile` and then renamed
// over it, so `outFile` holds either its old content or exactly the strings
// of the list. The table is written by TStringTable, which works on the
// operating system's files.
void BuildStringTable(const std::filesystem::path& textFile, const std::filesystem::path& outFile,
                      TRandom& random, TFileSystem& fs);

// build-strings TEXTFILE OUT
void RunBuildStringsCommand(TCommandArgs args, TToolEnvironment& env);

}  // namespace korvela
