#pragma once
#include <filesystem>
#include <memory>
#include <string>

#include "storage/xml_db.h"

namespace korvela {

inline constexpr const char* kStringTableFileName = "rs.dat";
inline constexpr const char* kStringElement = "S";

// String numbers the program reads.
inline constexpr int kTitleString = 10;
inline constexpr int kCurrentPasswordLabelString = 44;
inline constexpr int kNewPasswordLabelString = 45;
inline constexpr int kConfirmPasswordLabelString = 46;
inline constexpr int kWrongPasswordString = 47;
inline constexpr int kPasswordsDifferString = 48;

// The string table "rs.dat": string n is record (n, n), scrambled with the
// decimal text of n as its key; its document's element text is the string.
class TStringTable {
 public:
  TStringTable(const std::filesystem::path& file, TRandom& random);
  // Raises EInvalidXMLFile naming the file for a number the table does not
  // hold (a damaged table), as for a record that fails its checksum.
  std::string GetString(int n);
  // Adds or replaces a string (used when the table is built).
  void PutString(int n, const std::string& text);
  void Close() { db_.Close(); }

 private:
  XMLDB db_;
};

}  // namespace korvela
