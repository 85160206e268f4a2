#include "energy/phases_editor.h"

#include <algorithm>

#include "users/unit_text.h"

namespace korvela {

std::string DeletePhaseQuestion(const std::string& name) {
  return "Do you really want to delete phase: " + name + " ?";
}

std::string SameStartDayMessage(TDateTime day) {
  return "A phase already starts on " + ShortDateText(day) + "!\nPlease select another date!";
}

TPhaseTable::TPhaseTable(TPhaseList phases) : phases_(std::move(phases)) {
  Sort(true);
  selected_ = phases_.empty() ? -1 : 0;
}

void TPhaseTable::Select(int row) {
  if (row >= 0 && row < Count()) selected_ = row;
}

TPhaseRow TPhaseTable::Row(int row) const {
  const TDated<TPhase>& p = phases_.at(static_cast<std::size_t>(row));
  return {p.Values.PName, ShortDateText(p.Date), ShortDateText(p.Values.PEndDate), p.Values.PColor};
}

TDated<TPhase>* TPhaseTable::Current() {
  return selected_ < 0 ? nullptr : &phases_[static_cast<std::size_t>(selected_)];
}

void TPhaseTable::Sort(bool newestFirst) {
  const TDated<TPhase>* current = Current();
  const TDateTime selectedStart = current ? current->Date : -1;
  std::stable_sort(phases_.begin(), phases_.end(), [newestFirst](const auto& a, const auto& b) {
    return newestFirst ? a.Date > b.Date : a.Date < b.Date;
  });
  if (current) selected_ = IndexOfStart(selectedStart);
}

void TPhaseTable::SortUp() { Sort(true); }
void TPhaseTable::SortDown() { Sort(false); }

int TPhaseTable::IndexOfStart(TDateTime day) const {
  for (std::size_t i = 0; i < phases_.size(); ++i)
    if (phases_[i].Date == day) return static_cast<int>(i);
  return -1;
}

TDateTime TPhasesEditor::StartDateShown(TDateTime today) const {
  return selected_ < 0 ? DayOf(today) : phases_[static_cast<std::size_t>(selected_)].Date;
}

TDateTime TPhasesEditor::EndDateShown(TDateTime today) const {
  return selected_ < 0 ? DayOf(today)
                       : phases_[static_cast<std::size_t>(selected_)].Values.PEndDate;
}

void TPhasesEditor::SetName(std::string name) {
  if (auto* p = Current()) p->Values.PName = std::move(name);
}

void TPhasesEditor::SetColor(TColorValue color) {
  if (auto* p = Current()) p->Values.PColor = color;
}

void TPhasesEditor::SetNotes(std::string notes) {
  if (auto* p = Current()) p->Values.PNotes = std::move(notes);
}

std::optional<std::string> TPhasesEditor::ChangeStartDate(TDateTime date) {
  TDated<TPhase>* p = Current();
  if (!p) return std::nullopt;
  const TDateTime day = DayOf(date);
  if (day == p->Date) return std::nullopt;
  if (day > p->Values.PEndDate) return std::string(kMsgStartAfterEnd);
  if (IndexOfStart(day) >= 0) return SameStartDayMessage(day);
  p->Date = day;
  // The row keeps its place until the user sorts again.
  return std::nullopt;
}

std::optional<std::string> TPhasesEditor::ChangeEndDate(TDateTime date) {
  TDated<TPhase>* p = Current();
  if (!p) return std::nullopt;
  const TDateTime day = DayOf(date);
  if (day < p->Date) return std::string(kMsgEndBeforeStart);
  p->Values.PEndDate = day;
  return std::nullopt;
}

void TPhasesEditor::NewPhase(TDateTime today) {
  const TDateTime end = DayOf(today);
  TDateTime start = end;
  while (IndexOfStart(start) >= 0) start -= 1;
  TPhase phase;
  phase.PName = kNewPhaseName;
  phase.PEndDate = end;
  phases_.push_back({start, phase});
  selected_ = Count() - 1;
}

std::string TPhasesEditor::DeleteQuestion() const {
  return selected_ < 0
             ? std::string()
             : DeletePhaseQuestion(phases_[static_cast<std::size_t>(selected_)].Values.PName);
}

void TPhasesEditor::DeleteSelected() {
  if (selected_ < 0) return;
  phases_.erase(phases_.begin() + selected_);
  selected_ = std::min(selected_, Count() - 1);
}

TDateRange PickedRange(const TPhaseTable& table) {
  if (table.Selected() < 0) return {};
  const TDated<TPhase>& p = table.Phases()[static_cast<std::size_t>(table.Selected())];
  return {p.Date, p.Values.PEndDate};
}

}  // namespace korvela
