#pragma once
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace korvela::test {

// A strict reader of comma-separated records (CR LF or LF ends a record;
// quoted fields may hold commas, doubled quotes and line breaks). Written
// apart from the program's writer so that tests read its output as a
// spreadsheet would. Raises std::runtime_error on a malformed table.
inline std::vector<std::vector<std::string>> ReadCsv(std::string_view text) {
  std::vector<std::vector<std::string>> records;
  std::vector<std::string> record;
  std::string field;
  std::size_t i = 0;
  bool fieldStarted = false;
  const auto endRecord = [&] {
    record.push_back(field);
    records.push_back(record);
    record.clear();
    field.clear();
    fieldStarted = false;
  };
  while (i < text.size()) {
    const char c = text[i];
    if (c == '"' && !fieldStarted) {
      fieldStarted = true;
      for (++i;; ++i) {
        if (i >= text.size()) throw std::runtime_error("unterminated quoted field");
        if (text[i] != '"') {
          field += text[i];
          continue;
        }
        if (i + 1 < text.size() && text[i + 1] == '"') {
          field += '"';
          ++i;
          continue;
        }
        ++i;
        break;
      }
      if (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n')
        throw std::runtime_error("text after a closing quote");
      continue;
    }
    if (c == '"') throw std::runtime_error("quote inside an unquoted field");
    if (c == ',') {
      record.push_back(field);
      field.clear();
      fieldStarted = false;
      ++i;
      continue;
    }
    if (c == '\r' || c == '\n') {
      if (c == '\r' && (i + 1 >= text.size() || text[i + 1] != '\n'))
        throw std::runtime_error("CR without LF");
      i += c == '\r' ? 2 : 1;
      endRecord();
      continue;
    }
    field += c;
    fieldStarted = true;
    ++i;
  }
  if (fieldStarted || !record.empty()) endRecord();
  return records;
}

}  // namespace korvela::test
