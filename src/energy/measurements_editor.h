#pragma once
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "energy/body_records.h"
#include "users/configurator.h"

namespace korvela {

inline constexpr const char* kMeasurementsCaption = "Track body measurements";
inline constexpr const char* kMeasurementsHeading = "Track my body measurements over time...";
inline constexpr const char* kPastMeasurementsTitle = "Past Measurements";
inline constexpr const char* kUnilateralTitle = "Unilateral Body Measurements";
inline constexpr const char* kBilateralTitle = "Bilateral Body Measurements";
inline constexpr const char* kNewMeasurementsCaption = "New Measurements";
inline constexpr const char* kDeleteMeasurementsCaption = "Delete Measurements";

// A row of the unilateral grid shows one site, a row of the bilateral grid a
// left and a right site.
struct TUnilateralRow {
  const char* caption;
  TMeasureSite site;
};
struct TBilateralRow {
  const char* caption;
  TMeasureSite left;
  TMeasureSite right;
};
inline constexpr TUnilateralRow kUnilateralRows[] = {{"Neck", TMeasureSite::Neck},
                                                     {"Chest", TMeasureSite::Chest},
                                                     {"Shoulders", TMeasureSite::Shoulders},
                                                     {"Waist", TMeasureSite::Waist},
                                                     {"Hips", TMeasureSite::Hips}};
inline constexpr TBilateralRow kBilateralRows[] = {
    {"Biceps", TMeasureSite::LBiceps, TMeasureSite::RBiceps},
    {"Forearms", TMeasureSite::LForearm, TMeasureSite::RForearm},
    {"Thighs", TMeasureSite::LThigh, TMeasureSite::RThigh},
    {"Calves", TMeasureSite::LCalf, TMeasureSite::RCalf}};

// Column captions in the user's unit: "Measurement (cm)", "(+/-)" and
// "Left (cm)", "L (+/-)", "Right (cm)", "R (+/-)" (inches: "(inch)").
std::vector<std::string> UnilateralColumns(const TConfigurator& config);
std::vector<std::string> BilateralColumns(const TConfigurator& config);

// The name of a site in messages: "Neck", "Left Biceps", ...
const char* MeasureSiteName(TMeasureSite site);
// The order in which the cells of a record are checked.
extern const std::array<TMeasureSite, kMeasureSiteCount> kMeasureCheckOrder;

// A stored measurement (cm) as a cell shows it: two decimals in the user's
// unit, empty for -1.
std::string MeasurementText(const TConfigurator& config, double cm);

// The thirteen cell texts of a record, by site.
using TMeasureTexts = std::array<std::string, kMeasureSiteCount>;

// The cell at fault and its warning.
struct TMeasureFault {
  TMeasureSite site;
  std::string message;  // "Please, enter a valid <site> measurement!"
};

// The measurements screen's list of records and the selected one. Every
// decision of the screen is made here; the screen shows the texts.
class TMeasurementsEditor {
 public:
  // Sorted oldest first; the record of `day` is selected, added when missing.
  TMeasurementsEditor(TMeasurementList records, const TConfigurator& config, TDateTime day);

  const TMeasurementList& Records() const { return records_; }
  // -1 when there is no record.
  int Selected() const { return selected_; }
  std::vector<std::string> ListTexts() const;  // short date texts

  // The cells of the selected record (all empty without one).
  TMeasureTexts Texts() const;
  // The difference of the selected record's site to the previous (older)
  // record, "+" in front of gains; empty unless both are measured.
  std::string DifferenceText(TMeasureSite site) const;
  // The difference while the cell is being typed: cleared for an empty cell,
  // recomputed for a value above 0 and up to 250 cm, otherwise unchanged
  // (none). A cell still showing the stored value gives DifferenceText.
  std::optional<std::string> TypedDifferenceText(TMeasureSite site, const std::string& text) const;

  // Checks the typed cells in the check order and, when all are valid, takes
  // them into the selected record. Cells showing the stored value keep it
  // exactly (no rounding through the unit).
  std::optional<TMeasureFault> Commit(const TMeasureTexts& texts);
  // Selecting another record first commits the typed cells; on a fault the
  // selection stays.
  std::optional<TMeasureFault> Select(int index, const TMeasureTexts& texts);
  // The selected record takes the date unless another record has it: then
  // the warning is returned and the old date stays. The list is re-sorted.
  std::optional<std::string> ChangeDate(TDateTime date);
  // After a successful commit, a new empty record dated today (or the latest
  // free day before it) is added and selected.
  std::optional<TMeasureFault> NewMeasurements(const TMeasureTexts& texts, TDateTime today);
  // Removes the selected record; the first one is then selected, if any.
  void DeleteSelected();
  // OK: commits the typed cells (when a record is selected); the list is then
  // ready for ReplaceMeasurements.
  std::optional<TMeasureFault> Accept(const TMeasureTexts& texts);

 private:
  void SortKeeping(TDateTime selectedDay);
  int IndexOf(TDateTime day) const;
  double DifferenceBase(TMeasureSite site) const;  // the previous record's value, or -1
  std::string Difference(double cm, double previous) const;

  const TConfigurator& config_;
  TMeasurementList records_;
  int selected_ = -1;
};

}  // namespace korvela
