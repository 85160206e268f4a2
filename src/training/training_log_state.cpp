#include "training/training_log_state.h"

#include <algorithm>
#include <cmath>

#include "energy/cal_stat.h"
#include "storage/errors.h"
#include "storage/write_refused.h"
#include "training/workout_columns.h"
#include "training/workout_log_calories.h"
#include "training/workout_stats.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr float kMaxMET = 20;
constexpr TDateTime kOneSecond = 1.0 / 86400;

std::string Trim(std::string_view s) {
  while (!s.empty() && static_cast<unsigned char>(s.front()) <= ' ') s.remove_prefix(1);
  while (!s.empty() && static_cast<unsigned char>(s.back()) <= ' ') s.remove_suffix(1);
  return std::string(s);
}

std::string MinutesText(std::int32_t minutes) {
  return minutes > 0 ? std::to_string(minutes) + " mins" : "N/A";
}

std::string NotSavedQuestion(const std::string& name) {
  return name + " is not saved. Do you want to save it now?";
}

}  // namespace

std::vector<TOpenRow> LoggedWorkoutRows(TDayRecordStore& store, TDateTime day) {
  std::vector<TOpenRow> rows;
  TDBC* entry = store.FindDayRecord(kCalStatKind, DayOf(day));
  if (!entry) return rows;
  const std::size_t stored = WorkoutsOfDay(store, day).size();
  std::vector<TSECERec> entries;
  for (const TSECERec& e : store.Loaded<TCalStat>(*entry).Entries)
    if (e.Type >= 1 && static_cast<std::size_t>(e.Type) <= stored) entries.push_back(e);
  std::stable_sort(entries.begin(), entries.end(),
                   [](const TSECERec& a, const TSECERec& b) { return a.Type < b.Type; });
  for (const TSECERec& e : entries) rows.push_back({e.Name, MinutesText(e.Dur), e.Type - 1});
  return rows;
}

std::vector<TOpenRow> TemplateRows(const TTemplateList& templates) {
  std::vector<TOpenRow> rows;
  std::int32_t index = 0;
  for (const TWorkout& t : templates.Templates())
    rows.push_back({t.Name, MinutesText(t.Dur), index++});
  return rows;
}

std::string LoggedWorkoutsTabCaption(TDateTime day) {
  return "Logged Workouts " + LongDateText(day);
}

TTrainingLogState::TTrainingLogState(TContext context, TDateTime day)
    : c_(std::move(context)), day_(DayOf(day)) {
  options_ = FetchTrainOpt(c_.store);
  c_.templates.OpenFile();
  const std::vector<TWorkout> logs = WorkoutsOfDay(c_.store, day_);
  if (logs.size() == 1) {
    AddWorkout(logs.front(), day_, 0);
  } else if (logs.size() > 1 && c_.dialogs.openWorkout) {
    if (const std::optional<TOpenChoice> choice = c_.dialogs.openWorkout(day_)) {
      open_.clear();
      if (choice->isTemplate) {
        const auto& list = c_.templates.Templates();
        if (choice->index >= 0 && static_cast<std::size_t>(choice->index) < list.size())
          AddWorkout(list[static_cast<std::size_t>(choice->index)], -1, choice->index);
      } else {
        const std::vector<TWorkout> chosen = WorkoutsOfDay(c_.store, choice->day);
        if (choice->index >= 0 && static_cast<std::size_t>(choice->index) < chosen.size())
          AddWorkout(chosen[static_cast<std::size_t>(choice->index)], DayOf(choice->day),
                     choice->index);
      }
    }
  }
  if (open_.empty()) NewWorkout();
}

TTrainingLogState::~TTrainingLogState() {
  DropGrid();
  c_.templates.CloseFile();
}

std::vector<std::string> TTrainingLogState::TabCaptions() const {
  std::vector<std::string> captions;
  for (const auto& o : open_) captions.push_back(o->workout.Name);
  return captions;
}

bool TTrainingLogState::CheckName(const std::string& name) {
  if (open_.empty() || !Current().workout.IsTemplate() || !Trim(name).empty()) return true;
  c_.prompter.Warn(kMsgTemplateName);
  if (c_.dialogs.focusHeader) c_.dialogs.focusHeader(THeaderField::Name);
  return false;
}

bool TTrainingLogState::Verify() {
  if (open_.empty() || !c_.dialogs.readHeader) return true;
  const THeaderFields h = c_.dialogs.readHeader();
  TWorkout& w = Current().workout;
  const auto fail = [&](const char* message, THeaderField field) {
    c_.prompter.Warn(message);
    if (c_.dialogs.focusHeader) c_.dialogs.focusHeader(field);
    return false;
  };
  const std::string name = Trim(h.name);
  if (w.IsTemplate() && name.empty()) return fail(kMsgTemplateName, THeaderField::Name);
  if (!w.IsTemplate() && !h.date) return fail(kMsgWorkoutDate, THeaderField::Date);
  float met = -1;
  if (!Trim(h.met).empty()) {
    double value = -1;
    try {
      value = ParseNumber(c_.config, h.met);
    } catch (const EConvertError&) {
      value = -1;
    }
    if (!(value >= 0 && value <= kMaxMET)) return fail(kMsgMETValue, THeaderField::MET);
    met = static_cast<float>(value);
  }
  TWorkout header = w;
  header.Name = name;
  if (!w.IsTemplate()) {
    header.Date = DayOf(*h.date);
    header.TOD = h.timeOfDay - std::floor(h.timeOfDay);
  }
  // The time picker and the MET field hold less precision than the workout.
  if (std::fabs(header.TOD - w.TOD) < kOneSecond) header.TOD = w.TOD;
  header.Dur = std::clamp(h.duration, 0, 240);
  if (header.Dur == 0 && w.Dur == -1) header.Dur = -1;  // the spin field has no "not set"

  header.Notes = h.notes;
  header.MET = met != -1 && w.MET != -1 && std::fabs(met - w.MET) < 0.005F ? w.MET : met;
  header.METStr = h.metDescription;
  if (!(header == w)) {
    w = std::move(header);
    Current().modified = true;
  }
  return true;
}

std::string TTrainingLogState::ChangeDate(TDateTime date, const std::string& name) {
  TWorkout& w = Current().workout;
  const std::string automatic = NewWorkoutLogName(w.Date);
  const bool follows = Trim(name) == automatic || Trim(name) == w.Name;
  w.Date = DayOf(date);
  if (follows) w.Name = NewWorkoutLogName(w.Date);
  Current().modified = true;
  grid_->Fill();
  return follows ? w.Name : name;
}

bool TTrainingLogState::AddWorkout(TWorkout workout, TDateTime storedDate,
                                   std::int32_t storedPosition, bool defaultMET) {
  if (!CanOpenMore()) return false;
  if (!open_.empty()) LeaveShown();
  auto o = std::make_unique<TOpenWorkout>();
  o->workout = std::move(workout);
  o->storedDate = storedDate;
  o->storedPosition = storedPosition;
  o->defaultMET = defaultMET;
  open_.push_back(std::move(o));
  Show(open_.size() - 1);
  return true;
}

void TTrainingLogState::LeaveShown() {
  if (!grid_ || open_.empty()) return;
  Current().workout.ColMap = grid_->Map();
}

void TTrainingLogState::DropGrid() {
  if (!grid_) return;
  if (c_.dialogs.gridReplaced) c_.dialogs.gridReplaced(false);
  grid_.reset();
}

void TTrainingLogState::Show(std::size_t tab) {
  DropGrid();
  shown_ = tab;
  TWorkout& w = Current().workout;
  grid_ = std::make_unique<TWorkoutGrid>(
      TWorkoutGrid::TContext{c_.config, c_.dictionary, &c_.store, options_.ShortNames()}, w,
      w.ColMap);
  SyncUserColumns();
  if (c_.dialogs.loadHeader) c_.dialogs.loadHeader(w);
  if (c_.dialogs.gridReplaced) c_.dialogs.gridReplaced(true);
}

bool TTrainingLogState::NewWorkout() {
  if (!CanOpenMore() || !Verify()) return false;
  if (!c_.store.FindDayRecord(kColMapKind, kColMapKey)) {
    TDBC& entry = c_.store.GetOrCreateDayRecord(kColMapKind, kColMapKey);
    static_cast<TColMap&>(c_.store.Loaded<TColMapStat>(entry)) = TColMap::Default();
    c_.store.SaveDayRecord(entry);
  }
  TWorkout w;
  w.Name = NewWorkoutLogName(day_);
  w.Date = day_;
  const TDateTime now = c_.clock.Now();
  w.TOD = TimeFromSeconds(SecondsOfDay(now));
  w.ColMap = FetchDefaultColMap(c_.store);
  SetDefaultMET(w);
  return AddWorkout(std::move(w), -1, -1, true);
}

bool TTrainingLogState::NewTemplate() {
  if (!CanOpenMore() || !Verify()) return false;
  TWorkout w;
  w.Name = kNewTemplateName;
  w.ColMap = FetchDefaultColMap(c_.store);
  SetDefaultMET(w);
  return AddWorkout(std::move(w), -1, -1, true);
}

void TTrainingLogState::SetDefaultMET(TWorkout& workout) const {
  const TDefaultMET met = DefaultWorkoutMET(c_.sports, c_.dictionary, workout);
  workout.MET = static_cast<float>(met.MET);
  workout.METStr = met.Activity;
}

void TTrainingLogState::METEntered() { Current().defaultMET = false; }

bool TTrainingLogState::FollowDefaultMET() {
  TOpenWorkout& o = Current();
  if (!o.defaultMET) return false;
  TWorkout w = o.workout;
  w.Lines = grid_->Workout().Lines;
  SetDefaultMET(w);
  if (w.MET == o.workout.MET && w.METStr == o.workout.METStr) return false;
  o.workout.MET = w.MET;
  o.workout.METStr = w.METStr;
  return true;
}

std::string TTrainingLogState::METNote(const std::string& met) {
  const TOpenWorkout& o = Current();
  if (o.defaultMET) {
    TWorkout w = o.workout;
    w.Lines = grid_->Workout().Lines;
    const TDefaultMET d = DefaultWorkoutMET(c_.sports, c_.dictionary, w);
    return METSourceText(d.Source, d.Activity);
  }
  if (Trim(met).empty()) return "No MET entered: the workout adds no calories";
  return METSourceText(TMETSource::Entered, {});
}

bool TTrainingLogState::Open() {
  if (!CanOpenMore() || !Verify() || !c_.dialogs.openWorkout) return false;
  const std::optional<TOpenChoice> choice = c_.dialogs.openWorkout(c_.clock.Today());
  if (!choice) return false;
  for (const auto& o : open_) {
    if (choice->isTemplate && o->workout.IsTemplate() && o->storedPosition == choice->index) {
      c_.prompter.Warn(kMsgTemplateOpen);
      return false;
    }
    if (!choice->isTemplate && o->storedDate != -1 && o->storedDate == DayOf(choice->day) &&
        o->storedPosition == choice->index) {
      c_.prompter.Warn(kMsgWorkoutOpen);
      return false;
    }
  }
  if (choice->isTemplate) {
    const auto& list = c_.templates.Templates();
    if (choice->index < 0 || static_cast<std::size_t>(choice->index) >= list.size()) return false;
    return AddWorkout(list[static_cast<std::size_t>(choice->index)], -1, choice->index);
  }
  const std::vector<TWorkout> logs = WorkoutsOfDay(c_.store, choice->day);
  if (choice->index < 0 || static_cast<std::size_t>(choice->index) >= logs.size()) return false;
  return AddWorkout(logs[static_cast<std::size_t>(choice->index)], DayOf(choice->day),
                    choice->index);
}

void TTrainingLogState::AfterStoredLogRemoved(TDateTime day, std::int32_t position,
                                              std::size_t except) {
  for (std::size_t i = 0; i < open_.size(); ++i) {
    TOpenWorkout& o = *open_[i];
    if (i != except && o.storedDate == day && o.storedPosition > position) --o.storedPosition;
  }
}

bool TTrainingLogState::SaveTab(std::size_t tab) {
  TOpenWorkout& o = *open_.at(tab);
  if (tab == shown_) o.workout.ColMap = grid_->Map();
  try {
    if (o.workout.IsTemplate()) {
      const TWorkout& saved = c_.templates.Save(o.workout, c_.dictionary);
      o.workout.ID = saved.ID;
      o.storedPosition = static_cast<std::int32_t>(&saved - c_.templates.Templates().data());
    } else {
      std::optional<TWorkoutPlace> old;
      if (o.storedDate != -1) {
        old = TWorkoutPlace{o.storedDate, o.storedPosition + 1};
        AfterStoredLogRemoved(o.storedDate, o.storedPosition, tab);
      }
      const TWorkoutPlace place =
          SaveWorkoutLog(c_.store, c_.energy, c_.dictionary, o.workout, old);
      o.storedDate = place.Day;
      o.storedPosition = place.Position - 1;
      c_.store.FlushDayRecords();
    }
  } catch (const EXMLIOError& e) {
    c_.prompter.Warn(WriteRefusedText(e));
    return false;
  }
  o.modified = false;
  return true;
}

bool TTrainingLogState::Save() {
  if (!Verify()) return false;
  return SaveTab(shown_);
}

bool TTrainingLogState::AskToSave(std::size_t tab) {
  if (!open_.at(tab)->modified) return true;
  if (!c_.prompter.AskYesNo(NotSavedQuestion(open_[tab]->workout.Name))) return true;
  return SaveTab(tab);
}

void TTrainingLogState::RemoveTab(std::size_t tab) {
  DropGrid();
  open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(tab));
  if (open_.empty()) {
    NewWorkout();
    return;
  }
  Show(std::min(tab, open_.size() - 1));
}

bool TTrainingLogState::Close() {
  if (!Verify() || !AskToSave(shown_)) return false;
  RemoveTab(shown_);
  return true;
}

bool TTrainingLogState::Delete() {
  TOpenWorkout& o = Current();
  if (!c_.prompter.AskYesNo("Do you really want to delete " + o.workout.Name + "?")) return false;
  o.modified = false;
  try {
    if (o.workout.IsTemplate()) {
      if (o.workout.ID != -1) {
        const std::int32_t index = o.storedPosition;
        c_.templates.Delete(o.workout);
        for (const auto& other : open_)
          if (other.get() != &o && other->workout.IsTemplate() && other->storedPosition > index)
            --other->storedPosition;
      }
    } else if (o.storedDate != -1) {
      DeleteWorkoutLog(c_.store, c_.energy, {o.storedDate, o.storedPosition + 1});
      AfterStoredLogRemoved(o.storedDate, o.storedPosition, shown_);
      c_.store.FlushDayRecords();
    }
  } catch (const EXMLIOError& e) {
    c_.prompter.Warn(WriteRefusedText(e));
    return false;
  }
  // A deleted workout closes without its header being checked.
  RemoveTab(shown_);
  return true;
}

bool TTrainingLogState::SwitchTo(std::size_t tab, std::size_t row) {
  if (tab >= open_.size()) return false;
  if (tab == shown_) return true;
  Current().currentRow = row;
  if (!Verify()) return false;
  LeaveShown();
  Show(tab);
  return true;
}

bool TTrainingLogState::CloseScreen() {
  // The shown header first, as leaving its tab would.
  if (!Verify()) return false;
  for (std::size_t tab = open_.size(); tab-- > 0;) {
    if (!open_[tab]->modified) continue;
    if (tab != shown_) {
      LeaveShown();
      Show(tab);
    }
    if (!c_.prompter.AskYesNo(NotSavedQuestion(open_[tab]->workout.Name))) continue;
    if (!Verify() || !SaveTab(tab)) return false;
  }
  try {
    c_.store.FlushDayRecords();
  } catch (const EXMLIOError& e) {
    c_.prompter.Warn(WriteRefusedText(e));
    return false;
  }
  return true;
}

void TTrainingLogState::MarkModified() { Current().modified = true; }

void TTrainingLogState::StoreWidths(const std::vector<std::int32_t>& widths) {
  TColMap map = grid_->Map();
  StoreColumnWidths(map, widths);
  if (map != grid_->Map()) {
    grid_->SetMap(map);
    Current().workout.ColMap = map;
  }
}

void TTrainingLogState::SetMap(const TColMap& map) {
  if (map == grid_->Map()) return;
  grid_->SetMap(map);
  Current().workout.ColMap = map;
  MarkModified();
}

void TTrainingLogState::MakeDefaultLayout() {
  TDBC& entry = c_.store.GetOrCreateDayRecord(kColMapKind, kColMapKey);
  static_cast<TColMap&>(c_.store.Loaded<TColMapStat>(entry)) = grid_->Map();
  try {
    c_.store.SaveDayRecord(entry);
    c_.store.FlushDayRecords();
  } catch (const EXMLIOError& e) {
    c_.prompter.Warn(WriteRefusedText(e));
  }
}

std::vector<std::string> TTrainingLogState::SyncUserColumns() {
  TColMap map = grid_->Map();
  std::vector<std::string> refused = korvela::SyncUserColumns(map, ListUserColumns(c_.store));
  if (map != grid_->Map()) {
    grid_->SetMap(map);
    Current().workout.ColMap = map;
  }
  return refused;
}

void TTrainingLogState::SaveOptions(const TTrainOpt& options) {
  options_ = options;
  try {
    SaveTrainOpt(c_.store, options_);
  } catch (const EXMLIOError& e) {
    c_.prompter.Warn(WriteRefusedText(e));
  }
  Refill();
}

void TTrainingLogState::Refill() {
  LeaveShown();
  Show(shown_);
}

void TTrainingLogState::DropTab(std::size_t from, std::size_t to) {
  if (from >= open_.size() || to >= open_.size() || from == to) return;
  LeaveShown();
  Show(to);
  grid_->ReplaceLines(open_[from]->workout);
  MarkModified();
}

TWorkoutCalories TTrainingLogState::Calories(const std::string& met, std::int32_t minutes) {
  const TWorkout& w = Current().workout;
  const TDateTime day = w.IsTemplate() ? c_.clock.Today() : DayOf(w.Date);
  return WorkoutCalories(ReadWorkoutMET(c_.config, met), minutes, c_.energy.RestingRateForDay(day));
}

void TTrainingLogState::PreparePrint() {
  TWorkout& w = Current().workout;
  while (!w.Lines.empty()) {
    const auto* set = std::get_if<TDrillSet>(&w.Lines.back());
    if (!set || !set->IsEmpty()) break;
    w.Lines.pop_back();
  }
  w.ColMap = grid_->Map();
  grid_->Fill();
}

}  // namespace korvela
