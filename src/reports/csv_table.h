#pragma once
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"

namespace korvela {

// A comma-separated table: one header row, then rows of fields, each record
// ended by CR LF. Fields holding a comma, a quote, CR or LF are quoted with
// their quotes doubled; text is passed through as UTF-8 and no byte-order
// mark is written.
class TCsvTable {
 public:
  explicit TCsvTable(const std::vector<std::string>& header);

  void BeginRow();
  void AddText(std::string_view text);
  // A plain decimal with "." and no thousands separators, as short as reads
  // back to the same double; none gives an empty field.
  void AddNumber(std::optional<double> value);
  // A stored single-precision value, as short as reads back to that float.
  void AddFloat(std::optional<float> value);

  // The whole table, its last record ended too.
  std::string Text() const { return text_ + "\r\n"; }

 private:
  void AddField(std::string_view field);

  std::string text_;
  bool rowStarted_ = false;
  bool firstField_ = true;
};

// The number text of a field.
std::string CsvNumberText(double value);
std::string CsvNumberText(float value);

// The rows of a table's text below its header: its records, a line break
// inside a quoted field being no end of one.
std::size_t CsvRowCount(std::string_view text);

// What an export tells once written: how many rows, and where.
std::string CsvExportedText(std::size_t rows, const std::filesystem::path& file);

// Writes the table to `file` through its temporary file (the old content
// stays when the write fails); failures raise EXMLIOError naming the file.
void WriteCsvFile(std::string_view text, const std::filesystem::path& file,
                  TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
