#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvela {

using TCsvRow = std::vector<std::string>;

struct TCsvRecords {
  std::vector<TCsvRow> rows;
  std::vector<int> lines;  // the line each row starts on, from 1
};

// Reads comma-separated text as RFC 4180 writes it, and as spreadsheets
// save it: quoted fields with doubled quotes and line breaks inside, CRLF or
// LF line ends, a UTF-8 byte-order mark, blank lines (skipped). Text that is
// not CSV (a NUL byte, invalid UTF-8, a quote left open, a quote in the
// middle of an unquoted field) gives none, with the reason in `why`.
std::optional<TCsvRecords> ReadCsv(std::string_view text, std::string* why = nullptr);

}  // namespace korvela
