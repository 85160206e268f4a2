#include "reports/csv_table.h"

#include <charconv>
#include <cmath>

namespace korvela {

TCsvTable::TCsvTable(const std::vector<std::string>& header) {
  BeginRow();
  for (const std::string& name : header) AddText(name);
}

void TCsvTable::BeginRow() {
  if (rowStarted_) text_ += "\r\n";
  rowStarted_ = true;
  firstField_ = true;
}

void TCsvTable::AddField(std::string_view field) {
  if (!firstField_) text_ += ',';
  firstField_ = false;
  text_ += field;
}

void TCsvTable::AddText(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
    AddField(text);
    return;
  }
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  quoted += '"';
  AddField(quoted);
}

void TCsvTable::AddNumber(std::optional<double> value) {
  AddField(value ? CsvNumberText(*value) : std::string());
}

void TCsvTable::AddFloat(std::optional<float> value) {
  AddField(value ? CsvNumberText(*value) : std::string());
}

namespace {

template <typename T>
std::string NumberText(T value) {
  if (!std::isfinite(value)) return {};
  if (value == 0) value = 0;  // no "-0"
  char text[64];
  const auto result = std::to_chars(text, text + sizeof text, value, std::chars_format::fixed);
  return std::string(text, result.ptr);
}

}  // namespace

std::string CsvNumberText(double value) { return NumberText(value); }

std::size_t CsvRowCount(std::string_view text) {
  std::size_t records = 0;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '"')
      quoted = !quoted;  // a doubled quote toggles twice
    else if (!quoted && text[i] == '\n')
      ++records;
  }
  // A last record without its line break counts too.
  if (!text.empty() && text.back() != '\n') ++records;
  return records == 0 ? 0 : records - 1;
}

std::string CsvExportedText(std::size_t rows, const std::filesystem::path& file) {
  return "Exported " + std::to_string(rows) + (rows == 1 ? " row" : " rows") + " to " +
         file.string() + ".";
}
std::string CsvNumberText(float value) { return NumberText(value); }

void WriteCsvFile(std::string_view text, const std::filesystem::path& file, TFileSystem& fs) {
  ReplaceFile(fs, file, [text](TWritableFile& out) { out.Write(text.data(), text.size()); });
}

}  // namespace korvela
