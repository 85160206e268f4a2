#include "reports/ui/reports_form.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVBoxLayout>
#include <algorithm>

#include "app/user_session.h"
#include "energy/ui/body_form_parts.h"
#include "energy/ui/phases_form.h"
#include "reports/csv_table.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr TExportDialog kExportCsvDialog = {"Export report to CSV file", "CSV files (*.csv)", "csv",
                                            ""};
constexpr const char* kExerciseHint = "Hint: Hold the CTRL key to select multiple exercises";

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString KindName(TReportKind kind) { return Q(ReportKindWord(kind)); }

}  // namespace

TFReports::TFReports(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(Q(kReportsCaption));
  ShowPage = [this](TMyReport& report) { ShowReport(report, program_.Folder(), prompter_, this); };
  PickPhaseRange = [this] { return PickPhase(program_, this); };

  // The boxes first, so that Tab reaches the buttons last, in reading order.
  QWidget* periodBox = MakePeriodBox();
  QWidget* reportBox = MakeReportBox();
  auto* show = MakeButton("Show Report", "showReportButton", this);
  auto* exportCsv = MakeButton("Export to CSV...", "exportCsvButton", this);
  auto* ok = MakeButton("OK", "okButton", this);
  auto* help = MakeButton("Help", "helpButton", this);
  show->setDefault(true);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(show);
  buttons->addWidget(exportCsv);
  buttons->addStretch(1);
  buttons->addWidget(ok);
  buttons->addWidget(help);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(periodBox);
  layout->addWidget(reportBox, 1);
  layout->addLayout(buttons);

  connect(show, &QPushButton::clicked, this, &TFReports::ShowReportButtonClick);
  connect(exportCsv, &QPushButton::clicked, this, &TFReports::ExportCsvButtonClick);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  ConnectHelp(*this, help, program, kReportsHelpTopic);

  readyPeriods_->setCurrentRow(0);
}

QWidget* TFReports::MakePeriodBox() {
  auto* box = new QGroupBox(QStringLiteral("Select Period"), this);
  box->setObjectName(QStringLiteral("periodGroupBox"));
  fromDate_ = MakeDateEntry(program_, "fromDateLineEdit", "From Date", box);
  toDate_ = MakeDateEntry(program_, "toDateLineEdit", "To Date", box);
  fromDate_->setFixedWidth(150);
  toDate_->setFixedWidth(150);
  fromDate_->UserOnDateChange = [this] { DateChange(); };
  toDate_->UserOnDateChange = [this] { DateChange(); };

  readyPeriods_ = new QListWidget(box);
  readyPeriods_->setObjectName(QStringLiteral("readyPeriodListWidget"));
  readyPeriods_->setAccessibleName(QStringLiteral("Ready periods"));
  for (const std::string_view name : kReadyPeriodNames) readyPeriods_->addItem(Q(name));
  readyPeriods_->addItem(Q(kCustomPeriodName));
  readyPeriods_->setFixedWidth(160);
  readyPeriods_->setFixedHeight(readyPeriods_->sizeHintForRow(0) * readyPeriods_->count() +
                                2 * readyPeriods_->frameWidth() + 2);
  connect(readyPeriods_, &QListWidget::currentRowChanged, this, &TFReports::ReadyPeriodChange);

  phasesButton_ = MakeButton("Select From Phases...>>", "phasesButton", box);
  phasesButton_->setEnabled(HasPhases(program_.Session()->DayRecords()));
  connect(phasesButton_, &QPushButton::clicked, this, &TFReports::PhasesButtonClick);

  auto* dates = new QGridLayout;
  dates->addWidget(MakeBuddyLabel("From Date", fromDate_->Edit(), box), 0, 0);
  dates->addWidget(fromDate_, 0, 1);
  dates->addWidget(MakeBuddyLabel("To Date", toDate_->Edit(), box), 1, 0);
  dates->addWidget(toDate_, 1, 1);
  dates->setRowStretch(2, 1);

  auto* row = new QHBoxLayout(box);
  row->addLayout(dates);
  row->addSpacing(16);
  row->addWidget(readyPeriods_);
  row->addSpacing(16);
  row->addWidget(phasesButton_, 0, Qt::AlignTop);
  row->addStretch(1);
  return box;
}

QWidget* TFReports::MakeReportBox() {
  auto* box = new QGroupBox(QStringLiteral("Select Report and Report Variables"), this);
  box->setObjectName(QStringLiteral("reportGroupBox"));
  tabs_ = new QTabWidget(box);
  tabs_->setObjectName(QStringLiteral("reportTabWidget"));
  tabs_->setAccessibleName(QStringLiteral("Report"));
  for (std::size_t k = 0; k < kReportKindCount; ++k) {
    const auto kind = static_cast<TReportKind>(k);
    tabs_->addTab(kind == TReportKind::Training ? MakeTrainingPage() : MakeColumnsPage(kind),
                  Q(ReportTabName(kind)));
  }
  auto* layout = new QVBoxLayout(box);
  layout->addWidget(tabs_);
  return box;
}

void TFReports::AddColumnChecks(TReportKind kind, QWidget* page, QVBoxLayout* list) {
  const std::vector<TReportColumn> columns = ReportColumns(kind, program_.Config());
  auto& boxes = columns_[static_cast<std::size_t>(kind)];
  boxes.resize(columns.size());
  for (const std::size_t i : CheckBoxOrder(kind)) {
    auto* check = new QCheckBox(Q(columns[i].Caption), page);
    check->setObjectName(KindName(kind) + QString::number(i) + QStringLiteral("CheckBox"));
    check->setChecked(true);
    boxes[i] = check;
    list->addWidget(check);
  }
}

QWidget* TFReports::MakeColumnsPage(TReportKind kind) {
  auto* page = new QWidget(tabs_);
  auto* list = new QVBoxLayout(page);
  AddColumnChecks(kind, page, list);
  list->addStretch(1);
  return page;
}

QWidget* TFReports::MakeTrainingPage() {
  auto* page = new QWidget(tabs_);
  auto* row = new QHBoxLayout(page);
  auto* checks = new QVBoxLayout;
  AddColumnChecks(TReportKind::Training, page, checks);

  distanceUnit_ = new QComboBox(page);
  distanceUnit_->setObjectName(QStringLiteral("distanceUnitComboBox"));
  for (const std::int32_t unit : kReportDistanceUnits)
    distanceUnit_->addItem(Q(ReportDistanceUnitName(unit)), unit);
  distanceUnit_->setCurrentIndex(
      distanceUnit_->findData(InitialReportDistanceUnit(program_.Config())));
  auto* unitRow = new QHBoxLayout;
  unitRow->addWidget(MakeBuddyLabel("Distance In:", distanceUnit_, page));
  unitRow->addWidget(distanceUnit_);
  unitRow->addStretch(1);
  checks->addSpacing(8);
  checks->addLayout(unitRow);
  checks->addStretch(1);

  auto* which = new QGroupBox(QStringLiteral("     Which exercises to consider?      "), page);
  which->setObjectName(QStringLiteral("exercisesGroupBox"));
  allExercises_ = new QRadioButton(QStringLiteral("All exercises from the selected period"), which);
  allExercises_->setObjectName(QStringLiteral("allExercisesRadioButton"));
  someExercises_ =
      new QRadioButton(QStringLiteral("Specify which exercises to account for"), which);
  someExercises_->setObjectName(QStringLiteral("specifyExercisesRadioButton"));
  allExercises_->setChecked(true);
  auto* group = new QButtonGroup(which);
  group->addButton(allExercises_);
  group->addButton(someExercises_);
  exercises_ = new QListWidget(which);
  exercises_->setObjectName(QStringLiteral("exerciseListWidget"));
  exercises_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  exercises_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  exercises_->setMinimumWidth(300);
  exerciseTitle_ = new QLabel(Q(kAllExercisesTitle), which);
  exerciseTitle_->setObjectName(QStringLiteral("exerciseTitleLabel"));
  exerciseTitle_->setTextFormat(Qt::PlainText);
  exerciseTitle_->setBuddy(exercises_);
  exercises_->setAccessibleName(QStringLiteral("Exercises"));
  auto* hint = new QLabel(QString::fromUtf8(kExerciseHint), which);
  hint->setObjectName(QStringLiteral("hintLabel"));
  auto* whichLayout = new QVBoxLayout(which);
  whichLayout->addWidget(allExercises_);
  whichLayout->addWidget(someExercises_);
  whichLayout->addWidget(exerciseTitle_);
  whichLayout->addWidget(exercises_, 1);
  whichLayout->addWidget(hint);
  connect(someExercises_, &QRadioButton::toggled, this, &TFReports::ExerciseChoiceChange);

  row->addLayout(checks);
  row->addSpacing(16);
  row->addWidget(which, 1);
  return page;
}

TReportRequest TFReports::Request() const {
  TReportRequest request;
  request.Kind = static_cast<TReportKind>(tabs_->currentIndex());
  request.Period = {fromDate_->Date(), toDate_->Date()};
  for (const QCheckBox* check : columns_[static_cast<std::size_t>(request.Kind)])
    request.Ticked.push_back(check->isChecked());
  request.DistanceUnit = distanceUnit_->currentData().toInt();
  if (someExercises_->isChecked()) {
    std::vector<std::int32_t> chosen;
    for (int i = 0; i < exercises_->count(); ++i)
      if (exercises_->item(i)->isSelected())
        chosen.push_back(exercises_->item(i)->data(Qt::UserRole).toInt());
    request.Exercises = chosen;
  }
  return request;
}

void TFReports::SetPeriod(TDateTime from, TDateTime to) {
  fromDate_->SetDate(from);
  toDate_->SetDate(to);
  ShowMatchingPeriod();
  RefreshExercises();
}

void TFReports::ShowMatchingPeriod() {
  const std::optional<std::size_t> ready = MatchingReadyPeriod(
      fromDate_->Date(), toDate_->Date(), program_.Clock().Today(), program_.Config().FirstDOW());
  // Choosing the row here must not set the dates again.
  const QSignalBlocker quiet(readyPeriods_);
  readyPeriods_->setCurrentRow(static_cast<int>(ready.value_or(kReadyPeriodNames.size())));
}

void TFReports::keyPressEvent(QKeyEvent* event) {
  // Enter in a date entry only reads the date: it never also shows a report.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  QWidget* focus = focusWidget();
  if (enter && (focus == fromDate_->Edit() || focus == toDate_->Edit())) return;
  QDialog::keyPressEvent(event);
}

void TFReports::ReadyPeriodChange(int row) {
  if (row < 0) return;
  if (row >= static_cast<int>(kReadyPeriodNames.size())) {
    // "Custom period" keeps the dates, to be typed or picked.
    ShowMatchingPeriod();
    fromDate_->Edit()->setFocus();
    return;
  }
  const TReportPeriod period = ReadyPeriod(static_cast<TReadyPeriod>(row), program_.Clock().Today(),
                                           program_.Config().FirstDOW());
  SetPeriod(period.From, period.To);
}

void TFReports::PhasesButtonClick() {
  const TDateRange range = PickPhaseRange();
  if (range.start == -1) return;
  SetPeriod(range.start, range.end);
}

void TFReports::DateChange() {
  ShowMatchingPeriod();
  RefreshExercises();
}

void TFReports::ExerciseChoiceChange() { RefreshExercises(); }

void TFReports::RefreshExercises() {
  exercises_->clear();
  if (!someExercises_->isChecked()) {
    exerciseTitle_->setText(Q(kAllExercisesTitle));
    return;
  }
  const TReportPeriod period{fromDate_->Date(), toDate_->Date()};
  exerciseTitle_->setText(Q(ExerciseListTitle(period)));
  if (CheckReportPeriod(period)) return;
  const TExerciseDictionary& dictionary = program_.Exercises();
  // Before the screen is first laid out the list has its minimum width.
  const int width = std::max(exercises_->viewport()->width(),
                             exercises_->minimumWidth() - 2 * exercises_->frameWidth()) -
                    8;
  for (const std::int32_t id :
       PeriodExercises(program_.Session()->DayRecords(), dictionary, period)) {
    // A long name is elided to the list's width and shown whole as a tip.
    const QString name = Q(dictionary.Find(id)->Name);
    auto* item = new QListWidgetItem(
        exercises_->fontMetrics().elidedText(name, Qt::ElideRight, width), exercises_);
    item->setData(Qt::UserRole, id);
    item->setToolTip(name);
  }
}

bool TFReports::ReadPeriod() {
  for (TMyDate* entry : {fromDate_, toDate_}) {
    const std::optional<TDateTime> day =
        ReadReportDate(entry->Edit()->text().toStdString(), program_.Clock().Today(),
                       program_.Config().DayFirst());
    if (!day) {
      prompter_.Warn(std::string(kInvalidDateWarning));
      entry->Edit()->setFocus();
      return false;
    }
    if (*day != entry->Date()) {
      entry->SetDate(*day);
      RefreshExercises();
    }
  }
  if (const auto warning = CheckReportPeriod({fromDate_->Date(), toDate_->Date()})) {
    prompter_.Warn(*warning);
    fromDate_->Edit()->setFocus();
    return false;
  }
  return true;
}

TReportSources TFReports::Sources() {
  TUserSession& session = *program_.Session();
  return {session.DayRecords(), session.Energy(), program_.Config(), &program_.Exercises()};
}

void TFReports::ShowReportButtonClick() {
  if (!ReadPeriod()) return;
  TMyReport report = DiaryReport(Request(), Sources());
  ShowPage(report);
}

void TFReports::ExportCsvButtonClick() {
  if (!ReadPeriod()) return;
  const TReportRequest request = Request();
  const std::string proposed = ReportTabName(request.Kind) + " Report.csv";
  TExportDialog dialog = kExportCsvDialog;
  dialog.proposedName = proposed;
  const QString chosen = ChooseFile(this, dialog);
  if (chosen.isEmpty()) return;
  const std::string text = DiaryReportCsv(request, Sources());
  const std::filesystem::path file(chosen.toStdString());
  if (SaveOrWarn(prompter_, [&] { WriteCsvFile(text, file); }))
    prompter_.Inform(CsvExportedText(CsvRowCount(text), file));
}

}  // namespace korvela
