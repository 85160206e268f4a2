#include "activities/ui/activity_log_form.h"

#include <QAction>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QVBoxLayout>
#include <cmath>

#include "activities/activity_figures.h"
#include "activities/sport_editor.h"
#include "energy/ui/calculator_parts.h"
#include "storage/errors.h"
#include "users/unit_text.h"
#include "widgets/access_key_assigner.h"

namespace korvela {
namespace {

constexpr int kActivityLogHelpTopic = 80;
constexpr int kSecondsPerDay = 86400;

QTime TimeOf(TDateTime time) {
  const double fraction = time - std::floor(time);
  return QTime(0, 0).addSecs(static_cast<int>(std::lround(fraction * kSecondsPerDay)) %
                             kSecondsPerDay);
}

TDateTime TimeOf(const QTime& time) {
  return static_cast<double>(time.msecsSinceStartOfDay() / 1000) / kSecondsPerDay;
}

}  // namespace

TFActivityLog::TFActivityLog(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  TUserSession* session = program_.Session();
  if (!session) throw EInternalError("the activity log needs a logged-in user");
  log_ = std::make_unique<TActivityLog>(session->DayRecords(), session->Energy(), day);
  setWindowTitle(QText(kActivityLogCaption));

  auto* note = new QLabel(
      QStringLiteral("Note: Your usual daily activies are already accounted by Korvela. Please, "
                     "log only activities\nthat contribute to ADDITIONAL calories burned "
                     "compared to your ordinary activities"),
      this);
  note->setObjectName(QStringLiteral("noteLabel"));

  filterEdit_ = new QLineEdit(this);
  filterEdit_->setObjectName(QStringLiteral("filterLineEdit"));
  filterEdit_->setClearButtonEnabled(true);
  auto* filterLabel = MakeLabelFor(QStringLiteral("Filter Activities:"), filterEdit_, this);
  grid_ = MakeMETGrid(program_.Sports(), program_.Config(), QStringLiteral("MET"), this);
  connect(filterEdit_, &QLineEdit::textChanged, this, &TFActivityLog::FilterTextChange);
  filterEdit_->installEventFilter(this);  // Enter finds
  connect(grid_, &QTableWidget::cellClicked, this, [this] { SportSelect(grid_->SelectedSport()); });
  grid_->OnSelectSport = [this](const TSport* sport) { SportSelect(sport); };
  auto* left = new QVBoxLayout;
  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(filterLabel);
  filterRow->addWidget(filterEdit_, 1);
  left->addLayout(filterRow);
  left->addWidget(grid_, 1);

  auto* columns = new QHBoxLayout;
  columns->addLayout(left, 5);
  columns->addWidget(BuildEntries(), 0);
  columns->addWidget(BuildLogged(), 4);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kActivityLogCaption, this));
  layout->addWidget(note);
  layout->addLayout(columns, 1);
  layout->addWidget(
      MakeDialogButtons(*this, program_, kActivityLogHelpTopic, [this] { OkButtonClick(); }));

  grid_->Fill();
  calendar_->SetSelectedDate(log_->Day());
  timeEdit_->setTime(TimeOf(program_.Clock().Now()));
  RefreshLogged();
  Recompute();
  UpdateSaveCommand();
  resize(1240, 640);
  filterEdit_->setFocus();
}

TFActivityLog::~TFActivityLog() = default;

QWidget* TFActivityLog::BuildEntries() {
  auto* box = new QGroupBox(QStringLiteral("Activity"), this);
  box->setObjectName(QStringLiteral("entryGroupBox"));
  nameEdit_ = new QLineEdit(box);
  nameEdit_->setObjectName(QStringLiteral("nameLineEdit"));
  nameEdit_->setAccessibleName(QStringLiteral("Activity"));
  nameEdit_->setMinimumWidth(EntryWidth(*this, 24));
  timeEdit_ = new QTimeEdit(box);
  timeEdit_->setObjectName(QStringLiteral("timeOfDayTimeEdit"));
  timeEdit_->setDisplayFormat(program_.Config().TimeFormat() == TTimeFormat::hr24
                                  ? QStringLiteral("HH:mm")
                                  : QStringLiteral("hh:mm AP"));
  auto* timeLabel = MakeLabelFor(QStringLiteral("Time of Day"), timeEdit_, box);
  metEdit_ = MakeEntry(box, QStringLiteral("MET Value"), QStringLiteral("met"));
  durationEdit_ = MakeEntry(box, QStringLiteral("Duration"), QStringLiteral("duration"),
                            QStringLiteral("minutes"));
  durationEdit_->Edit()->setValidator(DigitsOnly(durationEdit_->Edit()));
  burnedEdit_ = MakeEntry(box, QStringLiteral("Burned"), QStringLiteral("burned"),
                          QStringLiteral("calories"));
  additionalEdit_ = MakeEntry(box, QStringLiteral("Additional"), QStringLiteral("additional"),
                              QStringLiteral("calories"));
  MakeReadOnly(*burnedEdit_);
  MakeReadOnly(*additionalEdit_);
  AlignCaptions({metEdit_, durationEdit_, burnedEdit_, additionalEdit_});
  timeLabel->setMinimumWidth(metEdit_->CaptionLabel()->minimumWidth());
  connect(nameEdit_, &QLineEdit::textChanged, this, &TFActivityLog::Recompute);
  connect(metEdit_->Edit(), &QLineEdit::textChanged, this, &TFActivityLog::Recompute);
  connect(durationEdit_->Edit(), &QLineEdit::textChanged, this, &TFActivityLog::Recompute);

  logButton_ = MakeButton("Log Activity", "logActivityButton", box);
  AddButtonShortcut(*logButton_, QKeySequence(Qt::CTRL | Qt::Key_Insert));
  logButton_->setToolTip(QStringLiteral("Log Activity (Ctrl+Insert)"));
  unlogButton_ = MakeButton("Delete (unlog) activity", "unlogActivityButton", box);
  AddButtonShortcut(*unlogButton_, QKeySequence(Qt::CTRL | Qt::Key_Delete));
  unlogButton_->setToolTip(QStringLiteral("Delete (unlog) activity (Ctrl+Delete)"));
  saveButton_ = MakeButton("Save Changes", "saveChangesButton", box);
  AddButtonShortcut(*saveButton_, QKeySequence(Qt::CTRL | Qt::Key_S));
  saveButton_->setToolTip(QStringLiteral("Save Changes (Ctrl+S)"));
  for (QPushButton* b : {logButton_, unlogButton_, saveButton_}) b->setAutoDefault(false);
  connect(logButton_, &QPushButton::clicked, this, &TFActivityLog::LogActivityClick);
  connect(unlogButton_, &QPushButton::clicked, this, &TFActivityLog::UnlogActivityClick);
  connect(saveButton_, &QPushButton::clicked, this, &TFActivityLog::SaveChangesClick);
  // Enter in a field logs what it holds rather than pressing OK.
  for (QWidget* field : std::initializer_list<QWidget*>{nameEdit_, timeEdit_, metEdit_->Edit(),
                                                        durationEdit_->Edit()})
    field->installEventFilter(this);

  auto* timeRow = new QHBoxLayout;
  timeRow->setContentsMargins(0, 0, 0, 0);
  timeRow->addWidget(timeLabel);
  timeRow->addWidget(timeEdit_);
  timeRow->addStretch();
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(nameEdit_);
  layout->addLayout(timeRow);
  for (TLabeledEdit* edit : {metEdit_, durationEdit_, burnedEdit_, additionalEdit_})
    layout->addWidget(edit, 0, Qt::AlignLeft);
  layout->addSpacing(8);
  layout->addWidget(logButton_);
  layout->addWidget(unlogButton_);
  layout->addWidget(saveButton_);
  layout->addStretch();
  return box;
}

QWidget* TFActivityLog::BuildLogged() {
  auto* box = new QWidget(this);
  calendar_ = new TMyCalendar(log_->Day(), box);
  calendar_->setObjectName(QStringLiteral("calendar"));
  calendar_->SetStaticCalendar(true);
  calendar_->SetFirstDOW(program_.Config().FirstDOW());
  calendar_->OnSelectDate = [this] { CalendarChange(); };
  loggedLabel_ = new QLabel(box);
  loggedLabel_->setObjectName(QStringLiteral("loggedLabel"));
  loggedGrid_ = new TMyGrid(1, 4, box);
  loggedGrid_->setObjectName(QStringLiteral("loggedGrid"));
  loggedGrid_->setAccessibleName(QStringLiteral("Logged Activities"));
  loggedGrid_->SetAlwaysShowEditor(false);
  loggedGrid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  loggedGrid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  loggedGrid_->setTextElideMode(Qt::ElideRight);
  loggedGrid_->setWordWrap(false);
  loggedGrid_->setTabKeyNavigation(false);
  const QStringList titles = {QStringLiteral("Activity"), QStringLiteral("Duration"),
                              QStringLiteral("Burned"), QStringLiteral("Added")};
  for (int c = 0; c < titles.size(); ++c) loggedGrid_->SetCellText(0, c, titles[c]);
  loggedGrid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int c = 1; c < titles.size(); ++c)
    loggedGrid_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  connect(loggedGrid_, &QTableWidget::cellClicked, this, &TFActivityLog::LoggedSelect);
  connect(loggedGrid_, &QTableWidget::itemSelectionChanged, this, [this] {
    const int row = loggedGrid_->currentRow();
    unlogButton_->setEnabled(row >= 1 && loggedGrid_->selectionModel()->hasSelection());
  });
  auto* unlogAction = new QAction(QStringLiteral("Delete (unlog) activity"), loggedGrid_);
  connect(unlogAction, &QAction::triggered, this, &TFActivityLog::UnlogActivityClick);
  loggedGrid_->addAction(unlogAction);
  loggedGrid_->setContextMenuPolicy(Qt::ActionsContextMenu);

  auto* layout = new QVBoxLayout(box);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(calendar_, 0, Qt::AlignHCenter);
  layout->addWidget(loggedLabel_);
  layout->addWidget(loggedGrid_, 1);
  return box;
}

void TFActivityLog::CalendarChange() {
  log_->SetDay(calendar_->SelectedDate());
  RefreshLogged();
  Recompute();
}

// Enter in a field never closes the screen: in the filter it finds, in the
// activity's fields it logs the activity when they are valid, as "Log
// Activity" does.
bool TFActivityLog::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return QDialog::eventFilter(watched, event);
  const auto* key = static_cast<QKeyEvent*>(event);
  if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) ||
      (key->modifiers() & ~Qt::KeypadModifier))
    return QDialog::eventFilter(watched, event);
  if (watched == filterEdit_) {
    FilterTextChange();
  } else {
    if (watched == timeEdit_) timeEdit_->interpretText();
    LogActivityClick();
  }
  return true;
}

void TFActivityLog::FilterTextChange() {
  grid_->Filter(filterEdit_->text());
  grid_->Highlight(filterEdit_->text());
}

void TFActivityLog::SportSelect(const TSport* sport) {
  if (!sport) return;
  nameEdit_->setText(QText(sport->Activity));
  nameEdit_->setCursorPosition(0);
  metEdit_->Edit()->setText(QText(METText(program_.Config(), sport->MET)));
  durationEdit_->Edit()->setText(QString::number(sport->Per));
  Recompute();
}

void TFActivityLog::LoggedSelect() {
  const int row = loggedGrid_->currentRow() - 1;
  const std::vector<TSECERec> logged = log_->Logged();
  if (row < 0 || row >= static_cast<int>(logged.size())) return;
  const TSECERec& entry = logged[static_cast<std::size_t>(row)];
  nameEdit_->setText(QText(entry.Name));
  nameEdit_->setCursorPosition(0);
  metEdit_->Edit()->setText(QText(METText(program_.Config(), entry.MET)));
  durationEdit_->Edit()->setText(QString::number(entry.Dur));
  timeEdit_->setTime(TimeOf(entry.Time));
  Recompute();
}

void TFActivityLog::Recompute() {
  const TActivityFigures figures =
      ActivityFigures(program_.Config(), metEdit_->Edit()->text().toStdString(),
                      durationEdit_->Edit()->text().toStdString(), log_->Rate());
  burnedEdit_->Edit()->setText(QText(figures.burned));
  additionalEdit_->Edit()->setText(QText(figures.added));
  logButton_->setEnabled(figures.valid && !TrimmedName(nameEdit_->text().toStdString()).empty());
}

void TFActivityLog::RefreshLogged() {
  loggedLabel_->setText(QStringLiteral("Logged Activities ") + QText(LongDateText(log_->Day())));
  const std::vector<TLoggedRow> rows = log_->LoggedRows(program_.Config());
  loggedGrid_->clearSelection();
  loggedGrid_->setRowCount(static_cast<int>(rows.size()) + 1);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    loggedGrid_->SetCellText(row, 0, QText(rows[i].activity));
    loggedGrid_->SetCellText(row, 1, QText(rows[i].duration));
    loggedGrid_->SetCellText(row, 2, QText(rows[i].burned));
    loggedGrid_->SetCellText(row, 3, QText(rows[i].added));
  }
  loggedGrid_->setCurrentCell(-1, -1);
  unlogButton_->setEnabled(false);
}

void TFActivityLog::LogActivityClick() {
  if (!logButton_->isEnabled()) return;
  const std::optional<double> met =
      ReadMET(program_.Config(), metEdit_->Edit()->text().toStdString());
  const std::optional<int> minutes = ReadDuration(durationEdit_->Edit()->text().toStdString());
  if (!met || !minutes) return;
  log_->Log(TimeOf(timeEdit_->time()), TrimmedName(nameEdit_->text().toStdString()), *met,
            *minutes);
  RefreshLogged();
  UpdateSaveCommand();
}

void TFActivityLog::UnlogActivityClick() {
  const int row = loggedGrid_->currentRow() - 1;
  const std::vector<TSECERec> logged = log_->Logged();
  if (row < 0 || row >= static_cast<int>(logged.size())) return;
  if (!prompter_.AskYesNo(UnlogQuestion(logged[static_cast<std::size_t>(row)].Name))) return;
  log_->Unlog(static_cast<std::size_t>(row));
  RefreshLogged();
}

void TFActivityLog::SaveChangesClick() {
  if (!saveButton_->isEnabled()) return;
  log_->SaveChanges();
  RefreshLogged();
  Recompute();
  UpdateSaveCommand();
}

void TFActivityLog::OkButtonClick() {
  if (log_->HasPending()) log_->SaveChanges();
  accept();
}

void TFActivityLog::reject() {
  if (log_->AsksOnClose()) {
    if (prompter_.AskYesNo(kMsgSaveLoggedActivities))
      log_->SaveChanges();
    else
      log_->Discard();
  } else {
    log_->Discard();
  }
  QDialog::reject();
}

void TFActivityLog::UpdateSaveCommand() { saveButton_->setEnabled(log_->SaveEnabled()); }

}  // namespace korvela
