#include "training/ui/train_form.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

#include "activities/ui/met_picker_form.h"
#include "energy/ui/body_form_parts.h"
#include "reports/workout_page.h"
#include "storage/errors.h"
#include "training/ui/exercises_form.h"
#include "training/ui/records_form.h"
#include "training/ui/strength_forms.h"
#include "training/ui/train_dialogs.h"
#include "users/unit_text.h"
#include "widgets/report_viewer.h"

namespace korvela {
namespace {

// The property that keeps a command's caption as it was made.
constexpr const char* kCaptionProperty = "korvelaCaption";

constexpr int kTrainingHelpTopic = 90;
constexpr int kFirstTipTopic = 91;
constexpr std::array<const char*, 9> kTips = {
    "How to quickly log an exercise",
    "Use sections to log density and circuit workouts",
    "Customize the Workout Grid",
    "Enter your Personal Records",
    "Make your Workout Templates",
    "Track the Calories Burned During the Workout",
    "What is Tempo?",
    "How to enter % of max lifts and weights?",
    "How to enter a distance?",
};
constexpr std::array<const char*, 6> kPanelRows = {"Total Volume", "Avg. %1RM", "Total Lifts",
                                                   "Total TUT",    "Duration",  "Density"};

QLabel* ValueLabel(QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

void SetPanel(const std::array<QLabel*, 6>& labels, const TPanelTexts& t) {
  const std::array<const std::string*, 6> texts = {&t.Volume, &t.Intensity, &t.Lifts,
                                                   &t.TUT,    &t.Duration,  &t.Density};
  for (std::size_t i = 0; i < labels.size(); ++i) labels[i]->setText(QText(*texts[i]));
}

}  // namespace

TFTrain::TFTrain(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent)
    : QDialog(parent), program_(program), prompter_(prompter) {
  setWindowTitle(QString::fromUtf8(kTrainingLogCaption));
  setObjectName(QStringLiteral("trainForm"));
  RunOpenDialog = [this](TDateTime d) -> std::optional<TOpenChoice> {
    TFOpenWorkout dialog(program_, d, this);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Choice();
  };
  tabs_ = new QTabBar(this);
  tabs_->setObjectName(QStringLiteral("workoutTabBar"));
  tabs_->setAccessibleName(QStringLiteral("Open workouts"));
  tabs_->setExpanding(false);
  tabs_->setElideMode(Qt::ElideRight);
  tabs_->setUsesScrollButtons(true);
  tabs_->setContextMenuPolicy(Qt::CustomContextMenu);
  // Ctrl+PgDown and Ctrl+PgUp go through the tabs; the bar takes no focus.
  tabs_->setFocusPolicy(Qt::NoFocus);
  tabs_->installEventFilter(this);
  const auto step = [this](int by) {
    const int n = tabs_->count();
    if (n > 1) tabs_->setCurrentIndex((tabs_->currentIndex() + by + n) % n);
  };
  auto* next = new QShortcut(QKeySequence(QStringLiteral("Ctrl+PgDown")), this);
  connect(next, &QShortcut::activated, this, [step] { step(1); });
  auto* previous = new QShortcut(QKeySequence(QStringLiteral("Ctrl+PgUp")), this);
  connect(previous, &QShortcut::activated, this, [step] { step(-1); });
  grid_ = new TWorkoutGridView(this);
  BuildMenu();

  auto* body = new QHBoxLayout;
  auto* left = new QVBoxLayout;
  left->addWidget(BuildHeader());
  left->addWidget(grid_, 1);
  body->addLayout(left, 1);
  body->addWidget(BuildPanels());
  auto* buttons = MakeDialogButtons(*this, program_, kTrainingHelpTopic, [this] { accept(); });
  // Enter belongs to the grid and the header fields, never to OK.
  for (QAbstractButton* b : buttons->buttons())
    if (auto* push = qobject_cast<QPushButton*>(b)) {
      push->setAutoDefault(false);
      push->setDefault(false);
    }
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(menu_);
  layout->addWidget(tabs_);
  layout->addLayout(body, 1);
  layout->addWidget(buttons);

  grid_->OnChanged = [this] { Changed(); };
  grid_->OnPickExercise = [this] { return PickExercise(program_, prompter_, this); };
  grid_->OnColumnMoved = [this](std::size_t from, std::size_t to) {
    const std::vector<std::size_t> visible = VisibleColumns(state_->Grid().Map());
    state_->StoreWidths(grid_->Widths());
    TColMap map = state_->Grid().Map();
    MoveColumn(map, visible.at(from), visible.at(to));
    state_->SetMap(map);
    ShowState();
  };
  grid_->OnPopup = [this](const QPoint& at, bool onRow) {
    QMenu menu(this);
    const char* const rows[] = {
        "Insert Section",   "Insert Empty Row", "Repeat Row",
        "Delete Row",       "Move Row Up",      "Move Row Down",
        "Copy Row/Section", "Copy Workout",     "Paste Row/Section/Workout"};
    const char* const columns[] = {"Hide/Show Columns...", "Make Current Column State DEFAULT",
                                   "Add/Edit/Delete User Defined Columns..."};
    if (onRow)
      for (const char* c : rows) menu.addAction(Command(QString::fromUtf8(c)));
    else
      for (const char* c : columns) menu.addAction(Command(QString::fromUtf8(c)));
    // The grid's own menu acts on the grid, wherever the menu put the focus.
    rowPopupOpen_ = onRow;
    menu.exec(at);
    rowPopupOpen_ = false;
  };
  connect(grid_, &QTableWidget::currentCellChanged, this, [this] { UpdatePanels(); });
  connect(tabs_, &QTabBar::currentChanged, this, &TFTrain::TabsChange);
  connect(tabs_, &QTabBar::customContextMenuRequested, this, [this](const QPoint& at) {
    const int tab = tabs_->tabAt(at);
    if (tab < 0) return;
    if (tab != tabs_->currentIndex()) tabs_->setCurrentIndex(tab);
    if (static_cast<std::size_t>(tabs_->currentIndex()) != state_->Shown()) return;
    QMenu menu(this);
    for (const char* c : {"Save", "Close", "Print", "Delete"})
      menu.addAction(Command(QString::fromUtf8(c)));
    menu.exec(tabs_->mapToGlobal(at));
  });

  TTrainingLogDialogs dialogs;
  dialogs.readHeader = [this] { return ReadHeader(); };
  dialogs.focusHeader = [this](THeaderField f) { FocusHeader(f); };
  dialogs.loadHeader = [this](const TWorkout& w) { LoadHeader(w); };
  dialogs.openWorkout = [this](TDateTime d) { return RunOpenDialog(d); };
  // The view never paints a grid that is gone. Closing shows each unsaved
  // workout before its question, so the grid is taken at once.
  dialogs.gridReplaced = [this](bool replaced) {
    if (!replaced) {
      grid_->SetModel(nullptr);
      return;
    }
    if (state_) ShowState();
  };
  TUserSession& session = *program_.Session();
  state_ = std::make_unique<TTrainingLogState>(
      TTrainingLogState::TContext{program_.Config(), program_.Exercises(), program_.Templates(),
                                  session.DayRecords(), session.Energy(), program_.Clock(),
                                  prompter_, dialogs, &program_.Sports()},
      day);
  ShowState();
  resize(1240, 680);
}

TFTrain::~TFTrain() {
  grid_->SetModel(nullptr);
  state_.reset();
}

QAction* TFTrain::Command(const QString& caption) const {
  // By the caption it was made with: the shown text may have gained an
  // access key since.
  for (QAction* a : findChildren<QAction*>())
    if (a->property(kCaptionProperty).toString() == caption) return a;
  return nullptr;
}

void TFTrain::BuildMenu() {
  menu_ = new QMenuBar(this);
  menu_->setObjectName(QStringLiteral("trainMenuBar"));
  const auto add = [this](QMenu* menu, const char* caption, auto slot,
                          QKeySequence key = QKeySequence()) {
    QAction* a = menu->addAction(QString::fromUtf8(caption));
    a->setProperty(kCaptionProperty, QString::fromUtf8(caption));
    a->setShortcut(key);
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    connect(a, &QAction::triggered, this, slot);
    return a;
  };
  QMenu* workouts = menu_->addMenu(QStringLiteral("Workouts"));
  add(workouts, "New Workout", &TFTrain::NewWorkoutExecute, QKeySequence(QStringLiteral("Ctrl+N")));
  add(workouts, "New Workout Template", &TFTrain::NewTemplateExecute,
      QKeySequence(QStringLiteral("Ctrl+T")));
  add(workouts, "Open a Workout/Template...", &TFTrain::OpenExecute,
      QKeySequence(QStringLiteral("Ctrl+O")));
  add(workouts, "Save", &TFTrain::SaveExecute, QKeySequence(QStringLiteral("Ctrl+S")));
  add(workouts, "Close", &TFTrain::CloseExecute);
  add(workouts, "Delete", &TFTrain::DeleteExecute);
  workouts->addSeparator();
  add(workouts, "Print", &TFTrain::PrintExecute, QKeySequence(QStringLiteral("Ctrl+P")));

  QMenu* rows = menu_->addMenu(QStringLiteral("Rows"));
  add(
      rows, "Insert Section",
      [this] { RowCommand([](TWorkoutGrid& g, std::size_t l) { return g.InsertSection(l); }); },
      QKeySequence(QStringLiteral("Ctrl+Ins")));
  add(
      rows, "Insert Empty Row",
      [this] { RowCommand([](TWorkoutGrid& g, std::size_t l) { return g.InsertEmptyRow(l); }); },
      QKeySequence(QStringLiteral("Ctrl+E")));
  add(
      rows, "Delete Row",
      [this] { RowCommand([](TWorkoutGrid& g, std::size_t l) { return g.DeleteRow(l); }); },
      QKeySequence(QStringLiteral("Ctrl+Del")));
  add(
      rows, "Repeat Row",
      [this] { RowCommand([](TWorkoutGrid& g, std::size_t l) { return g.RepeatRow(l); }); },
      QKeySequence(QStringLiteral("Ctrl+R")));
  add(
      rows, "Move Row Up", [this] { MoveRow(true); }, QKeySequence(QStringLiteral("Ctrl+Up")));
  add(
      rows, "Move Row Down", [this] { MoveRow(false); }, QKeySequence(QStringLiteral("Ctrl+Down")));
  rows->addSeparator();
  add(
      rows, "Copy Row/Section",
      [this] {
        RowCommand([this](TWorkoutGrid& g, std::size_t l) {
          g.CopyRow(l, state_->Clipboard());
          return false;
        });
      },
      QKeySequence(QStringLiteral("Ctrl+C")));
  add(
      rows, "Copy Workout",
      [this] {
        RowCommand([this](TWorkoutGrid& g, std::size_t) {
          g.CopyWorkout(state_->Clipboard());
          return false;
        });
      },
      QKeySequence(QStringLiteral("Ctrl+W")));
  add(
      rows, "Paste Row/Section/Workout",
      [this] {
        RowCommand(
            [this](TWorkoutGrid& g, std::size_t l) { return g.Paste(l, state_->Clipboard()); });
      },
      QKeySequence(QStringLiteral("Ctrl+V")));

  QMenu* columns = menu_->addMenu(QStringLiteral("Columns"));
  add(columns, "Hide/Show Columns...", &TFTrain::HideShowExecute);
  add(columns, "Make Current Column State DEFAULT", &TFTrain::MakeDefaultExecute);
  add(columns, "Add/Edit/Delete User Defined Columns...", &TFTrain::UserColumnsExecute);

  QMenu* tools = menu_->addMenu(QStringLiteral("Tools"));
  add(tools, "Round Weights...", &TFTrain::RoundWeightsExecute);
  QAction* calculator =
      add(tools, "Assess the maximal strength for various repetition ranges...", [this] {
        TFMaxStrength dialog(program_, prompter_, this);
        dialog.exec();
      });
  calculator->setToolTip(QStringLiteral("%NRM Calculator"));
  calculator->setStatusTip(QStringLiteral("%NRM Calculator"));
  add(tools, "Prilepin's Table...", [this] { ShowPrilepinTable(program_, this); });
  add(tools, "Options...", &TFTrain::OptionsExecute);

  QMenu* records = menu_->addMenu(QStringLiteral("Records"));
  add(records, "My Records...", [this] {
    {
      TFPRHistory history(program_, prompter_, this);
      history.exec();
    }
    // The reference records of the lines may have changed.
    state_->Refill();
    ShowState();
  });

  QMenu* exercises = menu_->addMenu(QStringLiteral("Exercises"));
  add(exercises, "Exercise Dictionary...", &TFTrain::ExerciseDictionaryExecute);

  QMenu* tips = menu_->addMenu(QStringLiteral("Tips"));
  for (std::size_t i = 0; i < kTips.size(); ++i) {
    const int topic = kFirstTipTopic + static_cast<int>(i);
    add(tips, kTips[i], [this, topic] { program_.ShowHelp(topic); });
  }
}

QWidget* TFTrain::BuildHeader() {
  auto* box = new QWidget(this);
  nameEdit_ = new QLineEdit(box);
  nameEdit_->setObjectName(QStringLiteral("nameLineEdit"));
  dateEdit_ = new TMyDate(program_.Config(), program_.Clock(), box);
  dateEdit_->Edit()->setObjectName(QStringLiteral("dateLineEdit"));
  timeEdit_ = new QTimeEdit(box);
  timeEdit_->setObjectName(QStringLiteral("timeOfDayTimeEdit"));
  timeEdit_->setDisplayFormat(QStringLiteral("HH:mm"));
  durationSpin_ = new QSpinBox(box);
  durationSpin_->setObjectName(QStringLiteral("durationSpinBox"));
  durationSpin_->setRange(0, 240);
  durationSpin_->setSuffix(QStringLiteral(" minutes"));
  notesEdit_ = new QPlainTextEdit(box);
  notesEdit_->setObjectName(QStringLiteral("notesPlainTextEdit"));
  notesEdit_->setTabChangesFocus(true);
  notesEdit_->setFixedHeight(48);
  metEdit_ = new QLineEdit(box);
  metEdit_->setObjectName(QStringLiteral("metLineEdit"));
  metEdit_->setMaximumWidth(60);
  metCombo_ = new QComboBox(box);
  metCombo_->setObjectName(QStringLiteral("metDescriptionComboBox"));
  metCombo_->setEditable(true);
  metCombo_->setAccessibleName(QStringLiteral("MET description"));
  metCombo_->lineEdit()->setObjectName(QStringLiteral("metDescriptionLineEdit"));
  metCombo_->lineEdit()->setAccessibleName(QStringLiteral("MET description"));
  for (const TMETChoice& c : kMETChoices) metCombo_->addItem(QString::fromUtf8(c.description));
  metCombo_->setMinimumContentsLength(24);
  metCombo_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  auto* metPick = MakeButton("<..", "metPickButton", box);
  metPick->setAccessibleName(QStringLiteral("Choose an activity's MET"));
  metPick->setFixedWidth(36);

  auto* grid = new QGridLayout(box);
  grid->setContentsMargins(0, 0, 0, 0);
  grid->addWidget(MakeBuddyLabel("Workout Name", nameEdit_, box), 0, 0);
  grid->addWidget(nameEdit_, 0, 1, 1, 3);
  dateLabel_ = MakeBuddyLabel("Workout Date", dateEdit_->Edit(), box);
  grid->addWidget(dateLabel_, 0, 4);
  grid->addWidget(dateEdit_, 0, 5);
  timeLabel_ = MakeBuddyLabel("Time of Day", timeEdit_, box);
  grid->addWidget(timeLabel_, 0, 6);
  grid->addWidget(timeEdit_, 0, 7);
  grid->addWidget(MakeBuddyLabel("MET Value", metEdit_, box), 1, 0);
  auto* met = new QHBoxLayout;
  met->addWidget(metEdit_);
  met->addWidget(metCombo_, 1);
  met->addWidget(metPick);
  grid->addLayout(met, 1, 1, 1, 3);
  grid->addWidget(MakeBuddyLabel("Duration", durationSpin_, box), 1, 4);
  grid->addWidget(durationSpin_, 1, 5);
  grid->addWidget(MakeBuddyLabel("Workout Notes", notesEdit_, box), 2, 0, Qt::AlignTop);
  grid->addWidget(notesEdit_, 2, 1, 1, 7);
  grid->setColumnStretch(1, 1);

  connect(nameEdit_, &QLineEdit::editingFinished, this, [this] {
    if (loading_ || closing_) return;
    if (state_->CheckName(nameEdit_->text().toStdString()) &&
        !nameEdit_->text().trimmed().isEmpty())
      tabs_->setTabText(tabs_->currentIndex(), nameEdit_->text().trimmed());
  });
  dateEdit_->UserOnDateChange = [this] { DateChange(); };
  const auto modified = [this] {
    if (!loading_) Changed();
  };
  connect(timeEdit_, &QTimeEdit::timeChanged, this, modified);
  connect(durationSpin_, &QSpinBox::valueChanged, this, [this](int minutes) {
    if (loading_) return;
    // The workout panel's duration and density follow the field at once.
    state_->SetShownDuration(minutes);
    Changed();
  });
  connect(notesEdit_, &QPlainTextEdit::textChanged, this, modified);
  // A MET typed or chosen is the workout's own from then on.
  const auto metEntered = [this] {
    if (loading_) return;
    state_->METEntered();
    Changed();
  };
  connect(metEdit_, &QLineEdit::textEdited, this, metEntered);
  connect(metCombo_, &QComboBox::activated, this, &TFTrain::METChoiceChange);
  connect(metCombo_, &QComboBox::editTextChanged, this, metEntered);
  connect(metPick, &QPushButton::clicked, this, &TFTrain::METPickClick);
  return box;
}

QWidget* TFTrain::BuildPanels() {
  auto* panels = new QWidget(this);
  panels->setFixedWidth(250);
  auto* layout = new QVBoxLayout(panels);
  layout->setContentsMargins(0, 0, 0, 0);
  const auto panel = [&](const char* title, std::array<QLabel*, 6>& values) {
    auto* box = new QGroupBox(QString::fromUtf8(title), panels);
    auto* form = new QFormLayout(box);
    for (std::size_t i = 0; i < values.size(); ++i) {
      values[i] = ValueLabel(box);
      form->addRow(QString::fromUtf8(kPanelRows[i]), values[i]);
    }
    layout->addWidget(box);
    return box;
  };
  panel("Workout Data", workoutValues_);
  sectionBox_ = panel("No Section Data", sectionValues_);
  auto* calories = new QGroupBox(QStringLiteral("Calorie Expenditure"), panels);
  auto* form = new QFormLayout(calories);
  totalCalories_ = ValueLabel(calories);
  additionalCalories_ = ValueLabel(calories);
  form->addRow(QStringLiteral("Total Calories"), totalCalories_);
  form->addRow(QStringLiteral("Additional Calories"), additionalCalories_);
  // Where the MET came from; an activity name is text from a file.
  metNoteLabel_ = new QLabel(calories);
  metNoteLabel_->setObjectName(QStringLiteral("metNoteLabel"));
  metNoteLabel_->setTextFormat(Qt::PlainText);
  metNoteLabel_->setWordWrap(true);
  form->addRow(metNoteLabel_);
  layout->addWidget(calories);
  layout->addStretch(1);
  return panels;
}

void TFTrain::LoadHeader(const TWorkout& w) {
  loading_ = true;
  const TConfigurator& config = program_.Config();
  nameEdit_->setText(QText(w.Name));
  const bool log = !w.IsTemplate();
  for (QWidget* c : std::initializer_list<QWidget*>{dateLabel_, dateEdit_, timeLabel_, timeEdit_})
    c->setVisible(log);
  if (log) {
    dateEdit_->SetDate(w.Date);
    timeEdit_->setTime(QTime(0, 0).addSecs(w.TOD == -1 ? 0 : SecondsOfDay(w.TOD)));
  }
  durationSpin_->setValue(w.Dur == -1 ? 0 : w.Dur);
  notesEdit_->setPlainText(QText(w.Notes));
  metEdit_->setText(w.MET == -1 ? QString() : QText(FormatNumber(config, w.MET, 2)));
  metCombo_->setEditText(QText(w.METStr));
  metCombo_->lineEdit()->setCursorPosition(0);  // a long activity name from its start
  loading_ = false;
}

THeaderFields TFTrain::ReadHeader() const {
  THeaderFields h;
  h.name = nameEdit_->text().toStdString();
  if (dateEdit_->Date() >= 0 && !dateEdit_->Edit()->text().trimmed().isEmpty())
    h.date = dateEdit_->Date();
  h.timeOfDay = TimeFromSeconds(QTime(0, 0).secsTo(timeEdit_->time()));
  h.duration = durationSpin_->value();
  h.notes = notesEdit_->toPlainText().toStdString();
  h.met = metEdit_->text().toStdString();
  h.metDescription = metCombo_->currentText().toStdString();
  return h;
}

void TFTrain::FocusHeader(THeaderField field) {
  switch (field) {
    case THeaderField::Name:
      nameEdit_->setFocus();
      return;
    case THeaderField::Date:
      dateEdit_->Edit()->setFocus();
      return;
    case THeaderField::MET:
      metEdit_->setFocus();
      return;
  }
}

void TFTrain::ShowState() {
  {
    const QSignalBlocker block(tabs_);
    const std::vector<std::string> captions = state_->TabCaptions();
    while (tabs_->count() > static_cast<int>(captions.size())) tabs_->removeTab(tabs_->count() - 1);
    for (std::size_t i = 0; i < captions.size(); ++i) {
      if (static_cast<int>(i) >= tabs_->count()) tabs_->addTab(QString());
      tabs_->setTabText(static_cast<int>(i), QText(captions[i]));
    }
    tabs_->setCurrentIndex(static_cast<int>(state_->Shown()));
  }
  grid_->SetModel(&state_->Grid());
  const std::size_t row = state_->At(state_->Shown()).currentRow;
  grid_->setCurrentCell(static_cast<int>(row), std::max(grid_->currentColumn(), 0));
  UpdatePanels();
  UpdateCommands();
}

void TFTrain::UpdatePanels() {
  if (!state_) return;
  const TWorkoutStats& stats = state_->Grid().Stats();
  SetPanel(workoutValues_, stats.WorkoutPanel());
  const TPanelTexts section = stats.SectionPanel(grid_->CurrentLine());
  sectionBox_->setTitle(QText(section.Title));
  SetPanel(sectionValues_, section);
  const TWorkoutCalories c =
      state_->Calories(metEdit_->text().toStdString(), durationSpin_->value());
  totalCalories_->setText(QText(c.Total));
  additionalCalories_->setText(QText(c.Additional));
  const QString note = QText(state_->METNote(metEdit_->text().toStdString()));
  metNoteLabel_->setText(note);
  metNoteLabel_->setToolTip(note);
}

void TFTrain::UpdateCommands() {
  const bool more = state_->CanOpenMore();
  for (const char* c : {"New Workout", "New Workout Template", "Open a Workout/Template..."})
    Command(QString::fromUtf8(c))->setEnabled(more);
}

bool TFTrain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == tabs_ && state_) {
    if (event->type() == QEvent::MouseButtonPress) {
      dragFrom_ = tabs_->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
    } else if (event->type() == QEvent::MouseButtonRelease) {
      const int to = tabs_->tabAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      const int from = dragFrom_;
      dragFrom_ = -1;
      if (from >= 0 && to >= 0 && from != to) {
        grid_->EndEdit();
        state_->DropTab(static_cast<std::size_t>(from), static_cast<std::size_t>(to));
        ShowState();
        return true;
      }
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFTrain::Changed() {
  state_->MarkModified();
  if (state_->FollowDefaultMET()) {
    const TWorkout& w = state_->At(state_->Shown()).workout;
    loading_ = true;
    metEdit_->setText(QText(FormatNumber(program_.Config(), w.MET, 2)));
    metCombo_->setEditText(QText(w.METStr));
    metCombo_->lineEdit()->setCursorPosition(0);
    loading_ = false;
  }
  UpdatePanels();
}

void TFTrain::NewWorkoutExecute() {
  if (state_->NewWorkout()) ShowState();
}

void TFTrain::NewTemplateExecute() {
  if (state_->NewTemplate()) ShowState();
}

void TFTrain::OpenExecute() {
  grid_->EndEdit();
  if (state_->Open()) ShowState();
}

void TFTrain::SaveExecute() {
  grid_->EndEdit();
  state_->StoreWidths(grid_->Widths());
  if (state_->Save()) ShowState();
}

void TFTrain::CloseExecute() {
  if (state_->Close()) ShowState();
}

void TFTrain::DeleteExecute() {
  if (state_->Delete()) ShowState();
}

void TFTrain::PrintExecute() {
  grid_->EndEdit();
  state_->StoreWidths(grid_->Widths());
  if (!state_->Verify()) return;
  state_->PreparePrint();
  grid_->Refresh();
  TMyReport page = WorkoutPage(state_->Grid(), program_.Exercises(), state_->Options().PrintDrills,
                               state_->Options().ShortNames());
  ShowReport(page, program_.Folder(), prompter_, this);
}

bool TFTrain::RowCommandsAct() const {
  // Only on the grid: Ctrl+R in the notes repeats no row.
  return !grid_->Editing() && (grid_->hasFocus() || rowPopupOpen_);
}

void TFTrain::RowCommand(const std::function<bool(TWorkoutGrid&, std::size_t)>& command) {
  if (!RowCommandsAct()) return;
  if (command(state_->Grid(), grid_->CurrentLine())) Changed();
  grid_->Refresh();
  UpdatePanels();
}

void TFTrain::MoveRow(bool up) {
  if (!RowCommandsAct()) return;
  TWorkoutGrid& g = state_->Grid();
  const std::size_t line = grid_->CurrentLine();
  const std::optional<std::size_t> to = up ? g.MoveRowUp(line) : g.MoveRowDown(line);
  if (!to) return;
  Changed();
  grid_->Refresh();
  grid_->setCurrentCell(static_cast<int>(*to), grid_->currentColumn());
}

void TFTrain::HideShowExecute() {
  state_->StoreWidths(grid_->Widths());
  TFHideShowColumns dialog(program_, state_->Grid().Map(), this);
  if (dialog.exec() != QDialog::Accepted) return;
  state_->SetMap(dialog.Result());
  ShowState();
}

void TFTrain::MakeDefaultExecute() {
  state_->StoreWidths(grid_->Widths());
  state_->MakeDefaultLayout();
}

void TFTrain::UserColumnsExecute() {
  TFUserColumns dialog(program_, prompter_, this);
  dialog.exec();
  grid_->setFocus();
  for (const std::string& name : state_->SyncUserColumns())
    prompter_.Warn(ColumnMapFullText(state_->At(state_->Shown()).workout.Name, name));
  ShowState();
}

void TFTrain::RoundWeightsExecute() {
  TFRoundWeights dialog(program_, prompter_, this);
  if (dialog.exec() != QDialog::Accepted || !dialog.Rounding()) return;
  TWorkoutGrid& g = state_->Grid();
  TWorkout& w = const_cast<TWorkout&>(g.Workout());
  RoundWorkoutWeights(program_.Config(), program_.Exercises(), w, *dialog.Rounding(),
                      grid_->CurrentLine());
  state_->MarkModified();
  g.Fill();
  grid_->Refresh();
  UpdatePanels();
}

void TFTrain::OptionsExecute() {
  TFTrainOptions dialog(program_, state_->Options(), this);
  if (dialog.exec() == QDialog::Accepted) state_->SaveOptions(dialog.Options());
  state_->Refill();
  ShowState();
}

void TFTrain::ExerciseDictionaryExecute() {
  {
    TFExercises dictionary(program_, prompter_, this);
    dictionary.exec();
  }
  state_->Refill();
  ShowState();
}

void TFTrain::TabsChange(int tab) {
  if (tab < 0 || static_cast<std::size_t>(tab) == state_->Shown()) return;
  grid_->EndEdit();
  state_->StoreWidths(grid_->Widths());
  state_->SwitchTo(static_cast<std::size_t>(tab), static_cast<std::size_t>(grid_->currentRow()));
  ShowState();
}

void TFTrain::DateChange() {
  if (dateEdit_->Date() < 0) return;
  const std::string name = state_->ChangeDate(dateEdit_->Date(), nameEdit_->text().toStdString());
  loading_ = true;
  nameEdit_->setText(QText(name));
  loading_ = false;
  tabs_->setTabText(tabs_->currentIndex(), QText(name));
  grid_->Refresh();
  UpdatePanels();
}

void TFTrain::METChoiceChange(int index) {
  if (index < 0 || index >= static_cast<int>(kMETChoices.size())) return;
  state_->METEntered();
  metEdit_->setText(
      QText(FormatNumber(program_.Config(), kMETChoices[static_cast<std::size_t>(index)].met, 2)));
  Changed();
}

void TFTrain::METPickClick() {
  const std::optional<TPickedMET> picked = PickMET(program_, this);
  if (!picked) return;
  state_->METEntered();
  metEdit_->setText(QText(FormatNumber(program_.Config(), picked->MET, 2)));
  metCombo_->setEditText(QText(picked->Activity));
  Changed();
  state_->Verify();
}

void TFTrain::done(int result) {
  // OK and Cancel both offer to save what was changed.
  grid_->EndEdit();
  state_->StoreWidths(grid_->Widths());
  closing_ = true;
  if (!state_->CloseScreen()) {
    closing_ = false;
    ShowState();
    return;
  }
  QDialog::done(result);
}

bool ShowTrainingLog(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent) {
  TFTrain form(program, prompter, day, parent);
  return form.exec() == QDialog::Accepted;
}

}  // namespace korvela
