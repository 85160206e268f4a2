#include "storage/csv.h"

#include <cstdint>

namespace korvela {
namespace {

// True when the bytes are well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF).
bool ValidUtf8(std::string_view text) {
  std::size_t i = 0;
  while (i < text.size()) {
    const auto c = static_cast<std::uint8_t>(text[i]);
    std::size_t extra = 0;
    std::uint32_t code = 0;
    if (c < 0x80) {
      ++i;
      continue;
    } else if (c >= 0xC2 && c <= 0xDF) {
      extra = 1;
      code = c & 0x1Fu;
    } else if (c >= 0xE0 && c <= 0xEF) {
      extra = 2;
      code = c & 0x0Fu;
    } else if (c >= 0xF0 && c <= 0xF4) {
      extra = 3;
      code = c & 0x07u;
    } else {
      return false;
    }
    if (i + extra >= text.size()) return false;
    for (std::size_t k = 1; k <= extra; ++k) {
      const auto next = static_cast<std::uint8_t>(text[i + k]);
      if ((next & 0xC0u) != 0x80u) return false;
      code = (code << 6) | (next & 0x3Fu);
    }
    if ((extra == 2 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
        (extra == 3 && (code < 0x10000 || code > 0x10FFFF)))
      return false;
    i += extra + 1;
  }
  return true;
}

bool Fail(std::string* why, std::string reason) {
  if (why) *why = std::move(reason);
  return false;
}

}  // namespace

std::optional<TCsvRecords> ReadCsv(std::string_view text, std::string* why) {
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  if (text.find('\0') != std::string_view::npos) {
    Fail(why, "the file holds binary data");
    return std::nullopt;
  }
  if (!ValidUtf8(text)) {
    Fail(why, "the file is not UTF-8 text");
    return std::nullopt;
  }
  TCsvRecords table;
  TCsvRow row;
  std::string field;
  int line = 1;
  int rowLine = 1;
  bool quoted = false;      // inside a quoted field
  bool wasQuoted = false;   // the current field was quoted and has ended
  bool rowStarted = false;  // the row has a character or a separator
  const auto endRow = [&] {
    row.push_back(std::move(field));
    field.clear();
    // A blank line is no row.
    if (rowStarted) {
      table.rows.push_back(std::move(row));
      table.lines.push_back(rowLine);
    }
    row.clear();
    rowStarted = false;
    wasQuoted = false;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c == '"') {
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
        } else {
          quoted = false;
          wasQuoted = true;
        }
      } else {
        if (c == '\n') ++line;
        field += c;
      }
      continue;
    }
    if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
      rowStarted = true;
      wasQuoted = false;
    } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      continue;  // the LF ends the row
    } else if (c == '\n' || c == '\r') {
      endRow();
      ++line;
      rowLine = line;
    } else if (c == '"') {
      if (!field.empty() || wasQuoted) {
        Fail(why, "a quote inside a field on line " + std::to_string(line));
        return std::nullopt;
      }
      quoted = true;
      rowStarted = true;
    } else {
      if (wasQuoted) {
        Fail(why, "text after a closing quote on line " + std::to_string(line));
        return std::nullopt;
      }
      field += c;
      rowStarted = true;
    }
  }
  if (quoted) {
    Fail(why, "a quoted field is not closed (from line " + std::to_string(rowLine) + ")");
    return std::nullopt;
  }
  endRow();
  return table;
}

}  // namespace korvela
