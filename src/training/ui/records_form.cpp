#include "training/ui/records_form.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QTimer>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "training/exercise_dictionary.h"
#include "training/quantities.h"
#include "training/record_editor.h"
#include "training/training_records.h"
#include "training/ui/exercises_form.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kHistoryHelpTopic = 85;
constexpr int kEditorHelpTopic = 86;
constexpr std::array<const char*, 4> kHistoryColumns = {"Exercise", "Date", "Record", "Notes"};

QComboBox* MakeComboBox(const char* name, std::initializer_list<const char*> items,
                        QWidget* parent) {
  auto* box = new QComboBox(parent);
  box->setObjectName(QString::fromUtf8(name));
  for (const char* item : items) box->addItem(QString::fromUtf8(item));
  return box;
}

QLineEdit* MakeLineEdit(const char* name, QWidget* parent) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromUtf8(name));
  return edit;
}

// A field and its unit choice side by side.
QWidget* Pair(QWidget* field, QWidget* unit, QWidget* parent) {
  auto* row = new QWidget(parent);
  auto* layout = new QHBoxLayout(row);
  layout->setContentsMargins(0, 0, 0, 0);
  field->setParent(row);
  unit->setParent(row);
  layout->addWidget(field);
  layout->addWidget(unit);
  layout->addStretch(1);
  return row;
}

// Notes shown on one grid line.
QString OneLine(const std::string& text) {
  QString line = QText(text);
  line.replace(QLatin1Char('\r'), QLatin1Char(' '));
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  return line;
}

// Selects the whole text of a notes box whenever it is entered.
class TSelectOnEnter final : public QObject {
 public:
  explicit TSelectOnEnter(QPlainTextEdit* edit) : QObject(edit), edit_(edit) {
    edit->installEventFilter(this);
  }
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == edit_ && event->type() == QEvent::FocusIn)
      QTimer::singleShot(0, edit_, [edit = edit_] { edit->selectAll(); });
    return false;
  }

 private:
  QPlainTextEdit* edit_;
};

}  // namespace

TFPREditor::TFPREditor(TProgram& program, TPrompter& prompter, const TDrillPR& record,
                       QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      record_(record),
      exerciseEdit_(MakeLineEdit("exerciseLineEdit", this)),
      stepsPanel_(new QWidget(this)),
      dateEdit_(MakeDateEntry(program, "recordDateLineEdit", "Date of the Record", stepsPanel_)),
      limbComboBox_(MakeComboBox("limbComboBox", {"Left", "Right"}, stepsPanel_)),
      weightEdit_(MakeLineEdit("weightLineEdit", stepsPanel_)),
      weightUnitComboBox_(MakeComboBox("weightUnitComboBox", {"lbs", "kg"}, stepsPanel_)),
      repsEdit_(MakeLineEdit("repsLineEdit", stepsPanel_)),
      distanceEdit_(MakeLineEdit("distanceLineEdit", stepsPanel_)),
      distanceUnitComboBox_(
          MakeComboBox("distanceUnitComboBox",
                       {"miles", "feet", "yards", "inches", "meters", "kilometers", "centimeters"},
                       stepsPanel_)),
      timeEdit_(new TMinutesSecondsEdit(stepsPanel_)),
      notesEdit_(new QPlainTextEdit(stepsPanel_)) {
  setWindowTitle(QString::fromUtf8(kRecordEditorCaption));
  RunPicker = [this] { return PickExercise(program_, prompter_, this); };

  exerciseEdit_->setReadOnly(true);
  exerciseEdit_->setFocusPolicy(Qt::ClickFocus);
  exerciseEdit_->setAccessibleName(QStringLiteral("Exercise"));
  auto* selectButton = MakeButton("<..", "selectExerciseButton", this);
  selectButton->setAccessibleName(QStringLiteral("Select Exercise"));
  selectButton->setFixedWidth(40);
  auto* exerciseRow = new QHBoxLayout;
  // The name is shown only; the label's key leads to the picker beside it.
  exerciseRow->addWidget(MakeBuddyLabel("Exercise", selectButton, this));
  exerciseRow->addWidget(exerciseEdit_, 1);
  exerciseRow->addWidget(selectButton);

  dateEdit_->setFixedWidth(150);
  timeEdit_->setObjectName(QStringLiteral("recordTimeEdit"));
  notesEdit_->setObjectName(QStringLiteral("notesTextEdit"));
  notesEdit_->setAccessibleName(QStringLiteral("Record Notes"));
  notesEdit_->setTabChangesFocus(true);
  notesEdit_->setMinimumHeight(70);
  new TSelectOnEnter(notesEdit_);
  const int numberWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000000.0000"));
  weightEdit_->setFixedWidth(numberWidth);
  repsEdit_->setFixedWidth(numberWidth);
  repsEdit_->setMaxLength(9);
  distanceEdit_->setFixedWidth(numberWidth);
  timeEdit_->setFixedWidth(numberWidth);
  weightRow_ = Pair(weightEdit_, weightUnitComboBox_, stepsPanel_);
  distanceRow_ = Pair(distanceEdit_, distanceUnitComboBox_, stepsPanel_);

  auto* fields = new QGridLayout;
  limbLabel_ = MakeBuddyLabel("Limb", limbComboBox_, stepsPanel_);
  weightLabel_ = MakeBuddyLabel("Weight", weightEdit_, stepsPanel_);
  repsLabel_ = MakeBuddyLabel("Repetitions", repsEdit_, stepsPanel_);
  distanceLabel_ = MakeBuddyLabel("Distance", distanceEdit_, stepsPanel_);
  timeLabel_ = MakeBuddyLabel("Time", timeEdit_, stepsPanel_);
  weightUnitComboBox_->setAccessibleName(QStringLiteral("Weight Unit"));
  distanceUnitComboBox_->setAccessibleName(QStringLiteral("Distance Unit"));
  const std::pair<QLabel*, QWidget*> rows[] = {{limbLabel_, limbComboBox_},
                                               {weightLabel_, weightRow_},
                                               {repsLabel_, repsEdit_},
                                               {distanceLabel_, distanceRow_},
                                               {timeLabel_, timeEdit_}};
  int r = 0;
  for (const auto& [label, control] : rows) {
    fields->addWidget(label, r, 0);
    fields->addWidget(control, r, 1, Qt::AlignLeft);
    ++r;
  }
  fields->setColumnStretch(1, 1);

  auto* steps = new QVBoxLayout(stepsPanel_);
  steps->setContentsMargins(0, 0, 0, 0);
  steps->addWidget(MakeHeading(kRecordStepTwo, stepsPanel_));
  steps->addWidget(dateEdit_, 0, Qt::AlignLeft);
  steps->addSpacing(6);
  steps->addWidget(MakeHeading(kRecordStepThree, stepsPanel_));
  steps->addLayout(fields);
  steps->addSpacing(6);
  steps->addWidget(MakeHeading(kRecordStepFour, stepsPanel_));
  steps->addWidget(notesEdit_, 1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kRecordStepOne, this));
  layout->addLayout(exerciseRow);
  layout->addSpacing(6);
  layout->addWidget(stepsPanel_, 1);
  layout->addStretch(0);
  layout->addWidget(
      MakeDialogButtons(*this, program_, kEditorHelpTopic, [this] { OkButtonClick(); }));

  connect(selectButton, &QPushButton::clicked, this, &TFPREditor::SelectExerciseButtonClick);
  dateEdit_->UserOnDateChange = [this] { record_.Date = dateEdit_->Date(); };

  dateEdit_->SetDate(record_.Date);
  notesEdit_->setPlainText(QText(record_.Notes));
  ShowExercise();
  ShowEntry();
  selectButton->setFocus();
  resize(480, 460);
}

void TFPREditor::ShowExercise() {
  const TDrill* drill = record_.DID == -1 ? nullptr : program_.Exercises().Find(record_.DID);
  exerciseEdit_->setText(drill ? QText(drill->Name) : QString());
  exerciseEdit_->setCursorPosition(0);
  stepsPanel_->setVisible(drill != nullptr);
  if (!drill) return;
  const TMeasureKind kind = drill->TDM;
  const bool weight = kind == TMeasureKind::Weight;
  const bool reps = weight || kind == TMeasureKind::Reps;
  const bool time = kind == TMeasureKind::Time || kind == TMeasureKind::DistanceTime;
  const bool distance = kind == TMeasureKind::Distance || kind == TMeasureKind::DistanceTime;
  const std::pair<bool, std::pair<QLabel*, QWidget*>> shown[] = {
      {drill->Unilateral(), {limbLabel_, limbComboBox_}},
      {weight, {weightLabel_, weightRow_}},
      {reps, {repsLabel_, repsEdit_}},
      {distance, {distanceLabel_, distanceRow_}},
      {time, {timeLabel_, timeEdit_}}};
  for (const auto& [visible, pair] : shown) {
    pair.first->setVisible(visible);
    pair.second->setVisible(visible);
  }
}

void TFPREditor::ShowEntry() {
  const TRecordEntry entry = EntryOfRecord(program_.Config(), record_);
  limbComboBox_->setCurrentIndex(entry.Right ? 1 : 0);
  weightEdit_->setText(QText(entry.Weight));
  weightUnitComboBox_->setCurrentIndex(entry.WeightUnit == kPounds ? 0 : 1);
  repsEdit_->setText(QText(entry.Reps));
  distanceEdit_->setText(QText(entry.Distance));
  distanceUnitComboBox_->setCurrentIndex(
      entry.DistanceUnit >= 0 && entry.DistanceUnit < kDistUnitCount ? entry.DistanceUnit : kMeter);
  timeEdit_->SetSeconds(entry.Seconds);
}

void TFPREditor::SelectExerciseButtonClick() {
  const std::int32_t id = RunPicker();
  if (id == -1 || id == record_.DID) return;
  ChooseRecordExercise(record_, id);
  ShowExercise();
  ShowEntry();
}

QWidget* TFPREditor::FieldOf(TRecordField field) const {
  switch (field) {
    case TRecordField::Weight:
      return weightEdit_;
    case TRecordField::Reps:
      return repsEdit_;
    case TRecordField::Time:
      return timeEdit_;
    case TRecordField::Distance:
      return distanceEdit_;
  }
  return weightEdit_;
}

void TFPREditor::OkButtonClick() {
  const TDrill* drill = record_.DID == -1 ? nullptr : program_.Exercises().Find(record_.DID);
  if (!drill) {
    reject();
    return;
  }
  TRecordEntry entry;
  entry.Weight = weightEdit_->text().toStdString();
  entry.WeightUnit = weightUnitComboBox_->currentIndex() == 0 ? kPounds : kKilograms;
  entry.Reps = repsEdit_->text().toStdString();
  entry.Seconds = timeEdit_->Seconds();
  entry.Distance = distanceEdit_->text().toStdString();
  entry.DistanceUnit = distanceUnitComboBox_->currentIndex();
  entry.Right = limbComboBox_->currentIndex() == 1;
  entry.Notes = notesEdit_->toPlainText().toStdString();
  TDrillPR filled = record_;
  if (const auto problem = FillRecord(program_.Config(), *drill, entry, filled)) {
    prompter_.Warn(problem->Message);
    QWidget* field = FieldOf(problem->Field);
    field->setFocus();
    if (auto* line = qobject_cast<QLineEdit*>(field)) line->selectAll();
    if (auto* spin = qobject_cast<QAbstractSpinBox*>(field)) spin->selectAll();
    return;
  }
  record_ = filled;
  accept();
}

TFPRHistory::TFPRHistory(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      filterEdit_(MakeLineEdit("filterLineEdit", this)),
      grid_(new TMyGrid(1, static_cast<int>(kHistoryColumns.size()), this)),
      editButton_(MakeButton("Edit...", "editButton", this)),
      deleteButton_(MakeButton("Delete", "deleteButton", this)) {
  setWindowTitle(QString::fromUtf8(kRecordHistoryCaption));
  RunEditor = [this](const TDrillPR& record) -> std::optional<TDrillPR> {
    TFPREditor editor(program_, prompter_, record, this);
    if (editor.exec() != QDialog::Accepted) return std::nullopt;
    return editor.Record();
  };
  filterEdit_->setClearButtonEnabled(true);
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(MakeBuddyLabel(kRecordFilterCaption, filterEdit_, this));
  filterRow->addWidget(filterEdit_, 1);
  filterEdit_->setAccessibleName(QStringLiteral("Filter by Exercise"));

  grid_->setObjectName(QStringLiteral("recordsGrid"));
  grid_->setAccessibleName(QStringLiteral("Personal Records"));
  grid_->SetAlwaysShowEditor(false);
  grid_->OnCanEditCell = [](int, int) { return false; };
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (std::size_t c = 0; c < kHistoryColumns.size(); ++c)
    grid_->SetCellText(0, static_cast<int>(c), QString::fromUtf8(kHistoryColumns[c]));
  grid_->setColumnWidth(0, 240);
  grid_->setColumnWidth(1, 130);
  grid_->setColumnWidth(2, 170);
  grid_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  grid_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid_->setTextElideMode(Qt::ElideRight);
  grid_->setWordWrap(false);
  grid_->setMinimumSize(240 + 130 + 170 + 120, 10 * 18);

  auto* newButton = MakeButton("New...", "newButton", this);
  newButton->setToolTip(QStringLiteral("New Record"));
  editButton_->setToolTip(QStringLiteral("Edit Record"));
  deleteButton_->setToolTip(QStringLiteral("Delete Record"));
  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  auto* help = MakeButton("Help", "helpButton", this);
  auto* commands = new QHBoxLayout;
  for (QPushButton* b : {newButton, editButton_, deleteButton_}) commands->addWidget(b);
  commands->addStretch(1);
  commands->addWidget(help);
  commands->addWidget(ok);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(filterRow);
  layout->addWidget(grid_, 1);
  layout->addLayout(commands);

  connect(filterEdit_, &QLineEdit::textChanged, this, &TFPRHistory::FilterChange);
  connect(grid_, &QTableWidget::itemSelectionChanged, this, [this] {
    if (!filling_) UpdateButtons();
  });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    if (row >= 1 && SelectedRow() == row - 1) EditRow(row - 1);
  });
  connect(newButton, &QPushButton::clicked, this, &TFPRHistory::NewButtonClick);
  connect(editButton_, &QPushButton::clicked, this, &TFPRHistory::EditButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFPRHistory::DeleteButtonClick);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ConnectHelp(*this, help, program_, kHistoryHelpTopic);

  Fill();
  filterEdit_->setFocus();
  resize(820, 520);
}

void TFPRHistory::Fill(const TDrillPR* select) {
  TUserSession* session = program_.Session();
  rows_ = session ? RecordHistory(session->DayRecords(), program_.Exercises(), program_.Config(),
                                  filterEdit_->text().toStdString())
                  : std::vector<TRecordRow>{};
  filling_ = true;
  grid_->clearSelection();
  grid_->setRowCount(static_cast<int>(rows_.size()) + 1);
  int selectRow = -1;
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    const TRecordRow& row = rows_[i];
    const int r = static_cast<int>(i) + 1;
    const QString texts[] = {QText(row.Name), QText(row.Date), QText(row.Result),
                             OneLine(row.Notes)};
    for (int c = 0; c < 4; ++c) {
      grid_->SetCellText(r, c, texts[c]);
      grid_->item(r, c)->setToolTip(c == 3 ? QText(row.Notes) : texts[c]);
    }
    if (select && row.Record.DID == select->DID && row.Record.Limb == select->Limb &&
        row.Day == DayOf(select->Date))
      selectRow = r;
  }
  grid_->setCurrentCell(-1, -1);
  if (selectRow > 0) {
    grid_->setCurrentCell(selectRow, 0);
    grid_->selectRow(selectRow);
  }
  filling_ = false;
  UpdateButtons();
}

int TFPRHistory::SelectedRow() const {
  const auto rows = grid_->selectionModel()->selectedRows();
  if (rows.size() != 1) return -1;
  const int row = rows.front().row() - 1;
  return row >= 0 && row < static_cast<int>(rows_.size()) ? row : -1;
}

void TFPRHistory::UpdateButtons() {
  const bool one = SelectedRow() >= 0;
  editButton_->setEnabled(one);
  deleteButton_->setEnabled(one);
}

void TFPRHistory::FilterChange() {
  if (!filling_) Fill();
}

void TFPRHistory::ClearFilterAndFill(const TDrillPR& select) {
  filling_ = true;
  filterEdit_->clear();
  filling_ = false;
  Fill(&select);
}

void TFPRHistory::NewButtonClick() {
  TUserSession* session = program_.Session();
  if (!session) return;
  const auto record = RunEditor(NewRecord(program_.Config(), program_.Clock().Today()));
  if (!record) return;
  StoreRecord(session->DayRecords(), *record);
  ClearFilterAndFill(*record);
}

void TFPRHistory::EditButtonClick() {
  const int row = SelectedRow();
  if (row >= 0) EditRow(row);
}

void TFPRHistory::EditRow(int row) {
  TUserSession* session = program_.Session();
  if (!session) return;
  const TRecordRow chosen = rows_[static_cast<std::size_t>(row)];
  TDrillPR copy = chosen.Record;
  if (copy.Date == -1) copy.Date = chosen.Day;
  const auto record = RunEditor(copy);
  if (!record) return;
  RemoveRecord(session->DayRecords(), chosen.Day, chosen.Position);
  StoreRecord(session->DayRecords(), *record);
  ClearFilterAndFill(*record);
}

void TFPRHistory::DeleteButtonClick() {
  TUserSession* session = program_.Session();
  const int row = SelectedRow();
  if (!session || row < 0) return;
  const TRecordRow chosen = rows_[static_cast<std::size_t>(row)];
  const TDrill* drill = program_.Exercises().Find(chosen.Record.DID);
  if (!prompter_.AskYesNo(RecordDeleteQuestion(drill ? drill->Name : chosen.Name))) return;
  RemoveRecord(session->DayRecords(), chosen.Day, chosen.Position);
  Fill();
}

void TFPRHistory::done(int result) {
  if (TUserSession* session = program_.Session()) {
    if (!SaveOrWarn(prompter_, [session] { session->DayRecords().FlushDayRecords(); })) return;
  }
  QDialog::done(result);
}

}  // namespace korvela
