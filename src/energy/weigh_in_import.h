#pragma once
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "energy/body_records.h"
#include "energy/energy_model.h"
#include "energy/weigh_in.h"
#include "storage/date_time.h"
#include "storage/day_records.h"
#include "storage/errors.h"
#include "users/user.h"

namespace korvela {

// Weigh-ins and body measurements brought in from a CSV file: the forms the
// bodyweight and measurements reports export, and the common "date,weight".

inline constexpr double kImportLowestWeightKg = 30;
inline constexpr double kImportHighestWeightKg = 600;
// A measurement must be above 0 and below this many centimetres.
inline constexpr double kImportMeasurementLimitCm = 300;

// The unit of a plain "weight" column; "weight_kg" and "weight_lbs" say theirs.
enum class TImportUnit { Kilograms, Pounds };

enum class TImportKind { WeighIns, Measurements };

enum class TImportAction {
  Add,        // the day has no record of the kind yet
  Replace,    // the day's stored values differ
  Unchanged,  // the day already holds these values
  Skip,       // the row cannot be imported; `reason` says why
};

struct TImportRow {
  int line = 0;  // the file's line the row starts on
  TDateTime day = 0;
  TImportAction action = TImportAction::Skip;
  // Skip: why; Replace: what is stored now ("stored 80.4 kg").
  std::string reason;
  double weightKg = -1;
  float bodyFat = -1;
  TMeasurements measurements;  // the file's sites; -1 where the file has none
};

struct TImportPreview {
  TImportKind kind = TImportKind::WeighIns;
  std::vector<TImportRow> rows;  // in the file's order
  int withoutValue = 0;          // rows with a date and no value at all, left out

  int Count(TImportAction action) const;
  // "12 to add, 1 to replace, 2 skipped"
  std::string Summary() const;
};

// The preview of importing `csv` into the user's records. None, with the
// reason in `why`, when the text is not CSV or has no date column or no
// weight or measurement column. Reads the records; changes nothing.
std::optional<TImportPreview> PreviewImport(std::string_view csv, TImportUnit unit,
                                            TDayRecordStore& records, TDateTime today,
                                            std::string* why);

struct TImportOutcome {
  int stored = 0;           // records added or replaced
  bool readjusted = false;  // the newest weigh-in moved the activity coefficient
  // False when the import is stored but a file could not yet take its new
  // content; the next opening of the diary puts it in place.
  bool inPlace = true;
};

inline constexpr const char* kMsgWeighInsNotImported = "Nothing was imported: the diary is as it was.";
inline constexpr const char* kMsgImportedLater =
    "The whole import is stored. Korvela could not yet put all of it in place in the diary's "
    "files and does so the next time the diary is opened.";

// Stores the preview's rows to add and to replace. Weigh-ins go in as
// history; the newest imported weigh-in, when it is the newest of all, is
// taken as a weigh-in of its day (with the readjustment of the activity
// coefficient, as for a user who logs approximately). The energy model is
// restarted afterwards. Every day-record file is written once, and all of
// them take the import or none does: when the disk refuses, the records and
// the model are as before and the EXMLIOError goes on; a program killed
// part-way leaves the files as they were, or as wholly imported once they
// are next opened.
TImportOutcome ApplyImport(const TImportPreview& preview, TEnergyModel& model,
                           TDayRecordStore& records, const TUser& user);

// The warning after the disk refused an import: the file, the reason, and
// that nothing of the import was stored.
std::string ImportRefusedText(const EXMLIOError& error);

// One line per row of the preview, as the command lists them: the file's
// line, the date, the action, the values and the reason, tab-separated
// ("line 3\t2024-03-01\tskip\t\tweight outside 30-600 kg").
std::vector<std::string> PreviewLines(const TImportPreview& preview);

}  // namespace korvela
