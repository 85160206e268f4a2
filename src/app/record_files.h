#pragma once
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "storage/day_records.h"
#include "storage/file_system.h"
#include "storage/record_salvage.h"
#include "users/configurator.h"
#include "users/prompter.h"

namespace korvela {

// A record database the program reads at start-up or at login.
struct TRecordFile {
  std::filesystem::path path;
  std::int32_t kind = 0;
  // What the file holds, for the question ("food logs").
  std::string contents;
  // A dictionary that comes with the program: what its damage loses is taken
  // again from the shipped copy.
  bool shipped = false;
};

// The shared record databases of the program folder that are there:
// "UA.DAT", "RBOX.DAT", "FM.DAT", "GDDB.DAT", "PWTD.DAT", "SAA.DAT".
std::vector<TRecordFile> SharedRecordFiles(const std::filesystem::path& programFolder,
                                           TFileSystem& fs = PosixFileSystem());
// A user's record databases that are there: "FF.DAT", "FDBC.DAT", "FDBA.DAT"
// and every period file "PS*.dat" (also a folder under such a name).
std::vector<TRecordFile> UserRecordFiles(const std::filesystem::path& userFolder,
                                         TFileSystem& fs = PosixFileSystem());

// The program's own reader of every record kind: the day-record classes of
// all kinds, the foods, recipes, menus, exercises, templates and activities.
class TRecordReaders {
 public:
  TRecordReaders();
  TRecordReaders(const TRecordReaders&) = delete;
  TRecordReaders& operator=(const TRecordReaders&) = delete;
  // The reader of the records of a database of `kind`; none for a kind whose
  // records the program reads as documents only.
  TRecordReader For(std::int32_t kind) const;
  // The key the records of a database of `kind` are scrambled with.
  static TRecordKeyOf KeyOf(std::int32_t kind);

 private:
  TConfigurator config_;
  TDayRecordRegistry registry_;
};

TDatabaseCheck CheckRecordFile(const TRecordFile& file, const TRecordReaders& readers,
                               TFileSystem& fs = PosixFileSystem());
// SalvageRecordDatabase with the file's reader and, for a shipped dictionary,
// its copy in `shippedFolder` (none when empty or the same folder).
TSalvage SalvageRecordFile(const TRecordFile& file, const TRecordReaders& readers,
                           const std::filesystem::path& shippedFolder,
                           TFileSystem& fs = PosixFileSystem());
// The shipped copy of a dictionary, or an empty path when there is none.
std::filesystem::path ShippedCopyOf(const TRecordFile& file,
                                    const std::filesystem::path& shippedFolder,
                                    TFileSystem& fs = PosixFileSystem());

// The question asked for a damaged record database.
std::string SalvageQuestion(const TRecordFile& file, const TDatabaseCheck& check,
                            bool fromShippedCopy, TFileSystem& fs = PosixFileSystem());

// Reads each file whole. For a damaged one the user is asked whether to keep
// its readable records and set the damaged file aside (SalvageRecordFile);
// No raises EXMLIOError naming the file, which goes on to the error report.
// Without a prompter nothing is read: the files are left to their loaders.
void OfferToSalvage(const std::vector<TRecordFile>& files,
                    const std::filesystem::path& shippedFolder, TPrompter* prompter,
                    TFileSystem& fs = PosixFileSystem());

}  // namespace korvela
