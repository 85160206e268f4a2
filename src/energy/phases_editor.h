#pragma once
#include <array>
#include <optional>
#include <string>

#include "energy/body_records.h"

namespace korvela {

inline constexpr const char* kPhasesCaption =
    "Training and Nutrition Phases(What am I training and dieting for?)";
inline constexpr const char* kPhasesHeading =
    "Define my training and nutrition phases, their goals, starting and ending dates...";
inline constexpr const char* kPhasePickerCaption = "Select Phase...";
inline constexpr std::array<const char*, 4> kPhaseColumns = {"Name and Objective", "Start Date",
                                                             "End Date", "Col"};
inline constexpr std::array<const char*, 9> kPhaseNameChoices = {
    "Bulking Phase",     "Cutting Phase",     "Strength Phase",
    "Weight Loss Phase", "Hypertrophy Phase", "GPP Phase",
    "SPP Phase",         "Endurance Phase",   "Strength Endurance Phase"};
inline constexpr const char* kNewPhaseName = "A New Phase";
inline constexpr const char* kSortingNote = "* Sorting by Start Date";
inline constexpr const char* kMsgStartAfterEnd =
    "Please, select a starting date that is before the ending date";
inline constexpr const char* kMsgEndBeforeStart =
    "Please, select an ending date that is after the starting date";

// "Do you really want to delete phase: <name> ?"
std::string DeletePhaseQuestion(const std::string& name);
// The warning when a second phase would start on a day that already starts
// one: both would be stored under that day and one would be lost.
std::string SameStartDayMessage(TDateTime day);

// A phase as one row of the phase grid.
struct TPhaseRow {
  std::string name;
  std::string start;  // short date texts
  std::string end;
  TColorValue color;
};

// The phases in the order the grid shows them and the selected row, shared by
// the phases screen and the phase picker. "Sort up" shows the newest start
// first, "Sort down" the oldest.
class TPhaseTable {
 public:
  explicit TPhaseTable(TPhaseList phases);

  const TPhaseList& Phases() const { return phases_; }
  int Count() const { return static_cast<int>(phases_.size()); }
  // -1 when there is no phase.
  int Selected() const { return selected_; }
  void Select(int row);
  TPhaseRow Row(int row) const;

  // Both keep the selected phase selected.
  void SortUp();
  void SortDown();

 protected:
  TDated<TPhase>* Current();
  void Sort(bool newestFirst);
  int IndexOfStart(TDateTime day) const;

  TPhaseList phases_;
  int selected_ = -1;
};

// The phases screen: every change of the fields goes to the selected phase at
// once; date changes are checked first.
class TPhasesEditor : public TPhaseTable {
 public:
  explicit TPhasesEditor(TPhaseList phases) : TPhaseTable(std::move(phases)) {}

  // The fields and the delete and sort buttons are enabled only with phases.
  bool HasPhases() const { return !phases_.empty(); }
  // The dates the fields show: the selected phase's, or today twice.
  TDateTime StartDateShown(TDateTime today) const;
  TDateTime EndDateShown(TDateTime today) const;

  void SetName(std::string name);
  void SetColor(TColorValue color);
  void SetNotes(std::string notes);
  // A refused date returns the warning; the phase keeps its date. Equal start
  // and end dates are allowed.
  std::optional<std::string> ChangeStartDate(TDateTime date);
  std::optional<std::string> ChangeEndDate(TDateTime date);

  // Appends "A New Phase" ending today and starting today, or, when a phase
  // already starts today, on the latest free day before it; selects it.
  void NewPhase(TDateTime today);
  // The question to ask before DeleteSelected; empty without a selection.
  std::string DeleteQuestion() const;
  // The row that takes the deleted row's place is selected (the last row when
  // it was the last).
  void DeleteSelected();
};

// What the phase picker returns: the chosen phase's dates, or -1 and -1.
struct TDateRange {
  TDateTime start = -1;
  TDateTime end = -1;
};
TDateRange PickedRange(const TPhaseTable& table);

}  // namespace korvela
