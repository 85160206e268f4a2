#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/file_system.h"
#include "storage/random.h"
#include "storage/xml_db.h"
#include "storage/xml_node.h"

namespace korvela {

// An exchange package: a record database the user places anywhere, holding a
// header record (identifier 4, date key 1) and one record per exported item
// (identifiers from 10, date key 0), each the item's own element.
inline constexpr std::int32_t kPackageKind = 23904823;
inline constexpr std::int32_t kPackageHeaderID = 4;
inline constexpr double kPackageHeaderDate = 1;
inline constexpr std::int32_t kLastReservedPackageID = 9;
// The format level this program writes and the highest it reads.
inline constexpr std::int32_t kPackageFormatLevel = 1;
inline constexpr std::string_view kPackageHeaderElement = "IEKRV";
inline constexpr std::string_view kPackageLevelAttr = "REQ";
inline constexpr std::string_view kPackagePasswordAttr = "PASS";
inline constexpr std::string_view kPackageExtension = ".krv";

// One item of an open package: its record identifier and date key and a copy
// of its element.
struct TIEXML {
  std::int32_t ID = 0;
  double Date = 0;
  std::unique_ptr<XMLNode> Element;
};

enum class TPackageLoad { Ok, TooNew, Invalid, BadPassword };

// An open package file. Nothing reaches the file before Save; a package
// that is dropped without Save (or Close) leaves its file as it was.
class TIEPackage {
 public:
  // Opens the file, creating an empty database when it does not exist. A
  // file that is not a package raises EXMLIOError (nothing is written to it).
  TIEPackage(std::filesystem::path file, TRandom& random, TFileSystem& fs = PosixFileSystem());
  TIEPackage(const TIEPackage&) = delete;
  TIEPackage& operator=(const TIEPackage&) = delete;

  // Reads the header and every item. A package without records is new: it
  // is given a header of this format level (with the password when one is
  // entered, not blank). Items whose record cannot be decoded are left out
  // and counted in UnreadableCount.
  TPackageLoad Load(const std::string& enteredPassword);

  // The header's password; empty when the package has none.
  const std::string& Password() const { return password_; }
  // A new header of the same format level; a blank text removes the password.
  void SetPassword(const std::string& text);

  // Adds the element as a new item under a fresh identifier.
  const TIEXML& AddItem(std::unique_ptr<XMLNode> element);
  // Removes the item at this position of Items() from the list and the file.
  void DeleteItem(std::size_t position);
  // Takes out of the list (not out of the file) an item that is not to be
  // offered, such as one its kind cannot read.
  void DropItem(std::size_t position);

  const std::vector<TIEXML>& Items() const { return items_; }
  std::size_t UnreadableCount() const { return unreadable_; }
  const std::filesystem::path& FileName() const { return db_.FileName(); }

  // Writes every change through the file's temporary copy.
  void Save();

 private:
  XMLDB db_;
  std::vector<TIEXML> items_;
  std::size_t unreadable_ = 0;
  std::int32_t level_ = kPackageFormatLevel;
  std::string password_;
};

// Whether the text is empty once blanks are removed.
bool IsBlankText(std::string_view text);

}  // namespace korvela
