#include "training/ui/train_dialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "users/unit_text.h"

namespace korvela {
namespace {

constexpr int kTrainingHelpTopic = 90;

TUserSession& Session(TProgram& program) { return *program.Session(); }

void FillList(QListWidget& list, const std::vector<TOpenRow>& rows) {
  list.clear();
  for (const TOpenRow& r : rows)
    list.addItem(QText(r.name) + QStringLiteral("  \u2014  ") + QText(r.duration));
}

}  // namespace

TFOpenWorkout::TFOpenWorkout(TProgram& program, TDateTime day, QWidget* parent)
    : QDialog(parent),
      program_(program),
      day_(day),
      calendar_(new TMyCalendar(day, this)),
      tabs_(new QTabWidget(this)),
      logs_(new QListWidget(this)),
      templates_(new QListWidget(this)),
      openButton_(MakeButton("Open", "openButton", this)) {
  setWindowTitle(QStringLiteral("Open a workout"));
  logs_->setObjectName(QStringLiteral("logsListWidget"));
  logs_->setAccessibleName(QStringLiteral("Logged Workouts"));
  templates_->setObjectName(QStringLiteral("templatesListWidget"));
  templates_->setAccessibleName(QStringLiteral("Workout Templates"));
  tabs_->setObjectName(QStringLiteral("workoutTabWidget"));
  tabs_->addTab(logs_, QString());
  tabs_->addTab(templates_, QStringLiteral("Workout Templates"));
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(openButton_);
  buttons->addWidget(cancel);
  auto* body = new QHBoxLayout;
  body->addWidget(calendar_);
  body->addWidget(tabs_, 1);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading("Open a logged workout or a workout template", this));
  layout->addLayout(body, 1);
  layout->addLayout(buttons);
  calendar_->OnSelectDate = [this] { SetDay(calendar_->SelectedDate()); };
  for (QListWidget* list : {logs_, templates_}) {
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(list, &QListWidget::itemSelectionChanged, this, &TFOpenWorkout::UpdateOpenButton);
    connect(list, &QListWidget::itemDoubleClicked, this, [this] {
      if (Choice()) accept();
    });
  }
  connect(tabs_, &QTabWidget::currentChanged, this, &TFOpenWorkout::UpdateOpenButton);
  connect(openButton_, &QPushButton::clicked, this, [this] {
    if (Choice()) accept();
  });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  templateRows_ = TemplateRows(program_.Templates());
  FillList(*templates_, templateRows_);
  SetDay(day);
  resize(640, 340);
}

void TFOpenWorkout::SetDay(TDateTime day) {
  day_ = DayOf(day);
  tabs_->setTabText(0, QText(LoggedWorkoutsTabCaption(day_)));
  logRows_ = LoggedWorkoutRows(Session(program_).DayRecords(), day_);
  FillList(*logs_, logRows_);
  UpdateOpenButton();
}

std::optional<TOpenChoice> TFOpenWorkout::Choice() const {
  const bool templates = tabs_->currentIndex() == 1;
  const QListWidget* list = templates ? templates_ : logs_;
  const QList<QListWidgetItem*> selected = list->selectedItems();
  if (selected.size() != 1) return std::nullopt;
  const auto row = static_cast<std::size_t>(list->row(selected.front()));
  const auto& rows = templates ? templateRows_ : logRows_;
  if (row >= rows.size()) return std::nullopt;
  return TOpenChoice{templates, templates ? -1 : day_, rows[row].index};
}

void TFOpenWorkout::UpdateOpenButton() { openButton_->setEnabled(Choice().has_value()); }

TFTrainOptions::TFTrainOptions(TProgram& program, const TTrainOpt& options, QWidget* parent)
    : QDialog(parent),
      options_(options),
      fullNames_(new QRadioButton(
          QStringLiteral("Use Full Exercise Names                    (Barbell Bench Press)"),
          this)),
      shortNames_(
          new QRadioButton(QStringLiteral("Use Shorter Exercise Names (if set)    (BP)"), this)),
      printDrills_(new QCheckBox(
          QStringLiteral("Print exercise information together with the workout"), this)) {
  setWindowTitle(QStringLiteral("Training Options"));
  fullNames_->setObjectName(QStringLiteral("fullNamesRadioButton"));
  shortNames_->setObjectName(QStringLiteral("shortNamesRadioButton"));
  printDrills_->setObjectName(QStringLiteral("printDrillsCheckBox"));
  (options.ShortNames() ? shortNames_ : fullNames_)->setChecked(true);
  printDrills_->setChecked(options.PrintDrills);
  auto* names = new QGroupBox(QStringLiteral("   Exercise Names   "), this);
  auto* namesLayout = new QVBoxLayout(names);
  namesLayout->addWidget(fullNames_);
  namesLayout->addWidget(shortNames_);
  auto* printing = new QGroupBox(QStringLiteral("   Printing   "), this);
  (new QVBoxLayout(printing))->addWidget(printDrills_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(names);
  layout->addWidget(printing);
  layout->addWidget(MakeDialogButtons(*this, program, kTrainingHelpTopic, [this] { accept(); }));
}

TTrainOpt TFTrainOptions::Options() const {
  TTrainOpt o = options_;
  o.Names = shortNames_->isChecked() ? 1 : 0;
  o.PrintDrills = printDrills_->isChecked();
  return o;
}

TFRoundWeights::TFRoundWeights(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      minimal_(new QComboBox(this)),
      increment_(new QComboBox(this)),
      unit_(new QComboBox(this)),
      allRows_(new QRadioButton(QStringLiteral("All rows"), this)) {
  setWindowTitle(QStringLiteral("Round Weights..."));
  const TConfigurator& config = program.Config();
  const TRoundWeights defaults = DefaultRounding(config);
  minimal_->setObjectName(QStringLiteral("minimalWeightComboBox"));
  increment_->setObjectName(QStringLiteral("minimalIncrementComboBox"));
  unit_->setObjectName(QStringLiteral("unitComboBox"));
  for (QComboBox* box : {minimal_, increment_}) box->setEditable(true);
  for (double v : {10.0, 20.0, 45.0}) minimal_->addItem(QText(FormatNumber(config, v, 2)));
  for (double v : {1.0, 2.0, 2.5, 5.0, 10.0})
    increment_->addItem(QText(FormatNumber(config, v, 2)));
  unit_->addItems({QStringLiteral("pound(s)"), QStringLiteral("kilogram(s)")});
  minimal_->setCurrentText(QText(FormatNumber(config, static_cast<double>(defaults.Minimal), 2)));
  increment_->setCurrentText(
      QText(FormatNumber(config, static_cast<double>(defaults.Increment), 2)));
  unit_->setCurrentIndex(defaults.Unit == kKilograms ? 1 : 0);
  auto* onlySelected = new QRadioButton(QStringLiteral("Only the selected row"), this);
  allRows_->setObjectName(QStringLiteral("allRowsRadioButton"));
  onlySelected->setObjectName(QStringLiteral("selectedRowRadioButton"));
  allRows_->setChecked(true);
  auto* form = new QFormLayout;
  form->addRow(MakeBuddyLabel("Minimal Weight", minimal_, this), minimal_);
  form->addRow(MakeBuddyLabel("Minimal Increment", increment_, this), increment_);
  form->addRow(MakeBuddyLabel("Unit of measurement", unit_, this), unit_);
  auto* rows = new QGroupBox(QStringLiteral("   Round which rows?    "), this);
  auto* rowsLayout = new QVBoxLayout(rows);
  rowsLayout->addWidget(allRows_);
  rowsLayout->addWidget(onlySelected);
  auto* round = MakeButton("Round", "roundButton", this);
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(round);
  buttons->addWidget(cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(rows);
  layout->addLayout(buttons);
  connect(round, &QPushButton::clicked, this, &TFRoundWeights::RoundButtonClick);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TFRoundWeights::RoundButtonClick() {
  const TRoundingInput in =
      ReadRoundingInput(program_.Config(), minimal_->currentText().toStdString(),
                        increment_->currentText().toStdString(),
                        unit_->currentIndex() == 1 ? kKilograms : kPounds, allRows_->isChecked());
  if (!in.rounding) {
    prompter_.Warn(in.message);
    (in.minimalFailed ? minimal_ : increment_)->setFocus();
    return;
  }
  rounding_ = in.rounding;
  accept();
}

TFHideShowColumns::TFHideShowColumns(TProgram& program, const TColMap& map, QWidget* parent)
    : QDialog(parent),
      model_(map),
      visible_(new QListWidget(this)),
      hidden_(new QListWidget(this)) {
  setWindowTitle(QStringLiteral("Hide/Show Columns"));
  visible_->setObjectName(QStringLiteral("visibleColumnsListWidget"));
  hidden_->setObjectName(QStringLiteral("hiddenColumnsListWidget"));
  for (QListWidget* list : {visible_, hidden_})
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* hide = MakeButton("Hide", "hideButton", this);
  auto* show = MakeButton("Show", "showButton", this);
  auto* middle = new QVBoxLayout;
  middle->addStretch(1);
  middle->addWidget(hide);
  middle->addWidget(show);
  middle->addStretch(1);
  auto* left = new QVBoxLayout;
  left->addWidget(MakeBuddyLabel("Visible Columns", visible_, this));
  left->addWidget(visible_);
  auto* right = new QVBoxLayout;
  right->addWidget(MakeBuddyLabel("Hidden Columns", hidden_, this));
  right->addWidget(hidden_);
  auto* lists = new QHBoxLayout;
  lists->addLayout(left);
  lists->addLayout(middle);
  lists->addLayout(right);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading("Hide/Show Columns in the Training Grid", this));
  layout->addLayout(lists, 1);
  layout->addWidget(MakeDialogButtons(*this, program, kTrainingHelpTopic, [this] { accept(); }));
  connect(hide, &QPushButton::clicked, this, [this] {
    std::vector<std::size_t> chosen;
    const auto rows = Selected(*visible_);
    const auto positions = model_.Visible();
    for (std::size_t r : rows) chosen.push_back(positions[r]);
    model_.Hide(chosen);
    Fill();
  });
  connect(show, &QPushButton::clicked, this, [this] {
    std::vector<std::size_t> chosen;
    const auto rows = Selected(*hidden_);
    const auto positions = model_.Hidden();
    for (std::size_t r : rows) chosen.push_back(positions[r]);
    model_.Show(chosen);
    Fill();
  });
  Fill();
}

std::vector<std::size_t> TFHideShowColumns::Selected(const QListWidget& list) {
  std::vector<std::size_t> rows;
  for (int r = 0; r < list.count(); ++r)
    if (list.item(r)->isSelected()) rows.push_back(static_cast<std::size_t>(r));
  return rows;
}

void TFHideShowColumns::Fill() {
  visible_->clear();
  hidden_->clear();
  for (std::size_t p : model_.Visible()) visible_->addItem(QText(model_.Title(p)));
  for (std::size_t p : model_.Hidden()) hidden_->addItem(QText(model_.Title(p)));
}

TFUserColumns::TFUserColumns(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      editor_(Session(program).DayRecords(), program.Random(), prompter),
      list_(new QListWidget(this)),
      addButton_(MakeButton("Add", "addButton", this)),
      editButton_(MakeButton("Edit", "editButton", this)),
      deleteButton_(MakeButton("Delete", "deleteButton", this)) {
  setWindowTitle(QStringLiteral("User Defined Columns Editor"));
  list_->setObjectName(QStringLiteral("columnsListWidget"));
  list_->setAccessibleName(QStringLiteral("User defined columns"));
  list_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed);
  auto* buttons = new QVBoxLayout;
  for (QPushButton* b : {addButton_, editButton_, deleteButton_}) buttons->addWidget(b);
  buttons->addStretch(1);
  auto* body = new QHBoxLayout;
  body->addWidget(list_, 1);
  body->addLayout(buttons);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(body, 1);
  layout->addWidget(MakeDialogButtons(*this, program, kTrainingHelpTopic, [this] {
    editor_.Save();
    accept();
  }));
  connect(addButton_, &QPushButton::clicked, this, [this] {
    if (const auto p = editor_.Add()) {
      Fill();
      list_->setCurrentRow(static_cast<int>(*p));
      list_->editItem(list_->item(static_cast<int>(*p)));
    }
  });
  connect(editButton_, &QPushButton::clicked, this, [this] {
    if (QListWidgetItem* it = list_->currentItem()) list_->editItem(it);
  });
  connect(deleteButton_, &QPushButton::clicked, this, [this] {
    const int row = list_->currentRow();
    if (row >= 0 && editor_.Delete(static_cast<std::size_t>(row))) Fill();
  });
  connect(list_, &QListWidget::itemChanged, this, [this](QListWidgetItem* it) {
    editor_.Rename(static_cast<std::size_t>(list_->row(it)), it->text().toStdString());
    const QString name = QText(editor_.Columns()[static_cast<std::size_t>(list_->row(it))].Name);
    if (it->text() != name) {
      const QSignalBlocker block(list_);
      it->setText(name);
    }
  });
  connect(list_, &QListWidget::itemSelectionChanged, this, &TFUserColumns::UpdateButtons);
  Fill();
}

void TFUserColumns::Fill() {
  const QSignalBlocker block(list_);
  list_->clear();
  for (const TUserColumn& c : editor_.Columns()) {
    auto* it = new QListWidgetItem(QText(c.Name), list_);
    it->setFlags(it->flags() | Qt::ItemIsEditable);
  }
  UpdateButtons();
}

void TFUserColumns::UpdateButtons() {
  addButton_->setEnabled(editor_.CanAdd());
  const bool one = list_->selectedItems().size() == 1;
  editButton_->setEnabled(one);
  deleteButton_->setEnabled(one);
}

}  // namespace korvela
