#include "energy/ui/phases_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "users/account_forms.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kPhasesHelpTopic = 78;
constexpr const char* kCustomColorName = "Custom";

QColor ToQColor(TColorValue rgb) { return QColor(RedOf(rgb), GreenOf(rgb), BlueOf(rgb)); }

QIcon Swatch(TColorValue color) {
  QPixmap pixmap(16, 12);
  const std::optional<TColorValue> painted = PaintedColor(color);
  pixmap.fill(painted ? ToQColor(*painted) : QColor(Qt::transparent));
  if (painted) {
    QPainter painter(&pixmap);
    painter.setPen(Qt::black);
    painter.drawRect(0, 0, 15, 11);
  }
  return QIcon(pixmap);
}

// The sort buttons and their note under a phase grid.
QHBoxLayout* SortRow(QPushButton* up, QPushButton* down, QWidget* parent) {
  auto* row = new QHBoxLayout;
  row->addWidget(up);
  row->addWidget(down);
  row->addWidget(new QLabel(QString::fromUtf8(kSortingNote), parent));
  row->addStretch(1);
  return row;
}

}  // namespace

TPhaseGrid::TPhaseGrid(const TPhaseTable& table, QWidget* parent)
    : TMyGrid(1, static_cast<int>(kPhaseColumns.size()), parent), table_(table) {
  setObjectName(QStringLiteral("phasesGrid"));
  setAccessibleName(QStringLiteral("Phases"));
  SetAlwaysShowEditor(false);
  OnCanEditCell = [](int, int) { return false; };
  setSelectionBehavior(QAbstractItemView::SelectRows);
  for (std::size_t c = 0; c < kPhaseColumns.size(); ++c)
    SetCellText(0, static_cast<int>(c), QString::fromUtf8(kPhaseColumns[c]));
  setColumnWidth(0, 230);
  setColumnWidth(1, 95);
  setColumnWidth(2, 95);
  setColumnWidth(3, 34);
  // The name takes the width the dates and the flag leave.
  horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setMinimumWidth(230 + 95 + 95 + 34 + 2 * frameWidth() + 18);
  setMinimumHeight(8 * 18);
  OnAfterDrawCell = [this](QPainter& painter, int row, int column, const QRect& rect) {
    DrawColorFlag(painter, row, column, rect);
  };
  connect(this, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (!filling_ && row >= 1 && OnSelectPhase) OnSelectPhase(row - 1);
  });
}

void TPhaseGrid::DrawColorFlag(QPainter& painter, int row, int column, const QRect& rect) {
  if (column != 3 || row < 1 || row > table_.Count()) return;
  const std::optional<TColorValue> color = PaintedColor(table_.Row(row - 1).color);
  if (!color) return;
  // A pole with a pennant, as on the calendar's days.
  const int e = rect.height() - 4;
  const int x = rect.left() + rect.width() / 2 - e / 3;
  const int top = rect.top() + 2;
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing, false);
  painter.setPen(Qt::black);
  painter.drawLine(x, top, x, top + e);
  const QPoint pennant[3] = {QPoint(x, top), QPoint(x, top + (e + 1) / 2),
                             QPoint(x + 2 * e / 3, top + e / 4)};
  painter.setBrush(ToQColor(*color));
  painter.drawPolygon(pennant, 3);
  painter.restore();
}

void TPhaseGrid::FillRow(int phase) {
  const TPhaseRow row = table_.Row(phase);
  SetCellText(phase + 1, 0, QText(row.name));
  SetCellText(phase + 1, 1, QText(row.start));
  SetCellText(phase + 1, 2, QText(row.end));
  SetCellText(phase + 1, 3, QString());
}

void TPhaseGrid::Fill() {
  filling_ = true;
  setRowCount(table_.Count() + 1);
  for (int phase = 0; phase < table_.Count(); ++phase) FillRow(phase);
  if (table_.Selected() >= 0) {
    setCurrentCell(table_.Selected() + 1, 0);
  } else {
    setCurrentCell(-1, -1);
  }
  filling_ = false;
  viewport()->update();
}

TFPhases::TFPhases(TProgram& program, TPrompter& prompter, QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      editor_(ListPhases(program.Session()->DayRecords())),
      grid_(new TPhaseGrid(editor_, this)),
      nameComboBox_(new QComboBox(this)),
      startDateEdit_(MakeDateEntry(program, "startDateLineEdit", "Start Date:", this)),
      endDateEdit_(MakeDateEntry(program, "endDateLineEdit", "End Date:", this)),
      colorComboBox_(new QComboBox(this)),
      notesTextEdit_(new QPlainTextEdit(this)),
      deleteButton_(MakeButton("Delete Phase", "deletePhaseButton", this)),
      sortUpButton_(MakeButton("Sort up", "sortUpButton", this)),
      sortDownButton_(MakeButton("Sort down", "sortDownButton", this)) {
  setWindowTitle(QString::fromUtf8(kPhasesCaption));

  nameComboBox_->setObjectName(QStringLiteral("phaseNameComboBox"));
  nameComboBox_->setEditable(true);
  nameComboBox_->setInsertPolicy(QComboBox::NoInsert);
  for (const char* name : kPhaseNameChoices) nameComboBox_->addItem(QString::fromUtf8(name));
  nameComboBox_->lineEdit()->setObjectName(QStringLiteral("phaseNameLineEdit"));
  nameComboBox_->lineEdit()->setMaxLength(kMaxNameLength);
  colorComboBox_->setObjectName(QStringLiteral("phaseColorComboBox"));
  for (const TNamedColor& color : PhaseColorChoices())
    colorComboBox_->addItem(Swatch(color.value), QString::fromUtf8(color.name),
                            QVariant::fromValue(color.value));
  colorComboBox_->setMaxVisibleItems(16);
  colorComboBox_->setMinimumWidth(200);
  startDateEdit_->setFixedWidth(150);
  endDateEdit_->setFixedWidth(150);
  notesTextEdit_->setObjectName(QStringLiteral("notesTextEdit"));
  notesTextEdit_->setTabChangesFocus(true);

  auto* fields = new QGridLayout;
  const std::pair<const char*, QWidget*> rows[] = {{"Phase Name:", nameComboBox_},
                                                   {"Start Date:", startDateEdit_},
                                                   {"End Date:", endDateEdit_},
                                                   {"Phase Color:", colorComboBox_},
                                                   {"Notes:", notesTextEdit_}};
  int r = 0;
  for (const auto& [caption, control] : rows) {
    QLabel* label = MakeBuddyLabel(caption, control, this);
    fields->addWidget(label, r, 0, control == notesTextEdit_ ? Qt::AlignTop : Qt::AlignVCenter);
    const bool wide = control == nameComboBox_ || control == notesTextEdit_;
    fields->addWidget(control, r, 1, wide ? Qt::Alignment() : Qt::AlignLeft);
    ++r;
  }
  nameComboBox_->lineEdit()->setAccessibleName(QStringLiteral("Phase Name:"));
  fields->setColumnStretch(1, 1);
  notesTextEdit_->setMinimumHeight(70);

  auto* newButton = MakeButton("New Phase", "newPhaseButton", this);
  auto* phaseButtons = new QHBoxLayout;
  phaseButtons->addWidget(newButton);
  phaseButtons->addWidget(deleteButton_);
  phaseButtons->addStretch(1);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kPhasesHeading, this));
  layout->addSpacing(6);
  layout->addWidget(grid_, 1);
  layout->addLayout(SortRow(sortUpButton_, sortDownButton_, this));
  layout->addSpacing(6);
  layout->addLayout(fields);
  layout->addLayout(phaseButtons);
  layout->addWidget(
      MakeDialogButtons(*this, program, kPhasesHelpTopic, [this] { OkButtonClick(); }));

  grid_->OnSelectPhase = [this](int phase) { GridSelect(phase); };
  connect(nameComboBox_, &QComboBox::editTextChanged, this, &TFPhases::NameChange);
  connect(colorComboBox_, &QComboBox::currentIndexChanged, this, &TFPhases::ColorChange);
  connect(notesTextEdit_, &QPlainTextEdit::textChanged, this, &TFPhases::NotesChange);
  startDateEdit_->UserOnDateChange = [this] { StartDateChange(); };
  endDateEdit_->UserOnDateChange = [this] { EndDateChange(); };
  connect(newButton, &QPushButton::clicked, this, &TFPhases::NewPhaseButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFPhases::DeletePhaseButtonClick);
  connect(sortUpButton_, &QPushButton::clicked, this, [this] { SortButtonClick(true); });
  connect(sortDownButton_, &QPushButton::clicked, this, [this] { SortButtonClick(false); });

  // Tab in reading order: the list's sort buttons below it, then the fields,
  // then New before Delete.
  setTabOrder(grid_, sortUpButton_);
  setTabOrder(sortUpButton_, sortDownButton_);
  setTabOrder(newButton, deleteButton_);

  grid_->Fill();
  ShowFields();
  resize(560, 520);
}

void TFPhases::SelectColor(TColorValue color) {
  int index = colorComboBox_->findData(QVariant::fromValue(color));
  if (index < 0) {
    // A colour from outside the list keeps its own entry.
    colorComboBox_->addItem(Swatch(color), QString::fromUtf8(kCustomColorName),
                            QVariant::fromValue(color));
    index = colorComboBox_->count() - 1;
  }
  colorComboBox_->setCurrentIndex(index);
}

void TFPhases::ShowFields() {
  showing_ = true;
  const bool any = editor_.HasPhases();
  const TDateTime today = program_.Clock().Today();
  startDateEdit_->SetDate(editor_.StartDateShown(today));
  endDateEdit_->SetDate(editor_.EndDateShown(today));
  if (editor_.Selected() >= 0) {
    const TPhase& phase = editor_.Phases()[static_cast<std::size_t>(editor_.Selected())].Values;
    nameComboBox_->setEditText(QText(phase.PName));
    SelectColor(phase.PColor);
    notesTextEdit_->setPlainText(QText(phase.PNotes));
  } else {
    nameComboBox_->setEditText(QString());
    SelectColor(kNoColor);
    notesTextEdit_->clear();
  }
  for (QWidget* control : std::initializer_list<QWidget*>{
           nameComboBox_, startDateEdit_, endDateEdit_, colorComboBox_, notesTextEdit_,
           deleteButton_, sortUpButton_, sortDownButton_})
    control->setEnabled(any);
  showing_ = false;
}

void TFPhases::GridSelect(int phase) {
  editor_.Select(phase);
  ShowFields();
}

void TFPhases::NameChange(const QString& text) {
  if (showing_ || editor_.Selected() < 0) return;
  editor_.SetName(text.toStdString());
  grid_->FillRow(editor_.Selected());
}

void TFPhases::ColorChange(int index) {
  if (showing_ || editor_.Selected() < 0 || index < 0) return;
  editor_.SetColor(colorComboBox_->itemData(index).value<TColorValue>());
  grid_->viewport()->update();
}

void TFPhases::NotesChange() {
  if (showing_) return;
  editor_.SetNotes(notesTextEdit_->toPlainText().toStdString());
}

void TFPhases::StartDateChange() {
  if (const auto warning = editor_.ChangeStartDate(startDateEdit_->Date())) {
    prompter_.Warn(*warning);
    startDateEdit_->SetDate(editor_.StartDateShown(program_.Clock().Today()));
    return;
  }
  if (editor_.Selected() >= 0) grid_->FillRow(editor_.Selected());
}

void TFPhases::EndDateChange() {
  if (const auto warning = editor_.ChangeEndDate(endDateEdit_->Date())) {
    prompter_.Warn(*warning);
    endDateEdit_->SetDate(editor_.EndDateShown(program_.Clock().Today()));
    return;
  }
  if (editor_.Selected() >= 0) grid_->FillRow(editor_.Selected());
}

void TFPhases::NewPhaseButtonClick() {
  editor_.NewPhase(program_.Clock().Today());
  grid_->Fill();
  ShowFields();
  nameComboBox_->setFocus();
  nameComboBox_->lineEdit()->selectAll();
}

void TFPhases::DeletePhaseButtonClick() {
  if (editor_.Selected() < 0) return;
  if (!prompter_.AskYesNo(editor_.DeleteQuestion())) return;
  editor_.DeleteSelected();
  grid_->Fill();
  ShowFields();
}

void TFPhases::SortButtonClick(bool up) {
  if (up) {
    editor_.SortUp();
  } else {
    editor_.SortDown();
  }
  grid_->Fill();
}

void TFPhases::OkButtonClick() {
  if (!SaveOrWarn(prompter_,
                  [this] { ReplacePhases(program_.Session()->DayRecords(), editor_.Phases()); }))
    return;
  accept();
}

TFPhasePicker::TFPhasePicker(TProgram& program, QWidget* parent)
    : QDialog(parent),
      table_(ListPhases(program.Session()->DayRecords())),
      grid_(new TPhaseGrid(table_, this)) {
  setWindowTitle(QString::fromUtf8(kPhasePickerCaption));
  auto* up = MakeButton("Sort up", "sortUpButton", this);
  auto* down = MakeButton("Sort down", "sortDownButton", this);
  auto* ok = MakeButton("OK", "okButton", this);
  ok->setDefault(true);
  auto* cancel = MakeButton("Cancel", "cancelButton", this);
  auto* buttons = new QDialogButtonBox(this);
  buttons->addButton(ok, QDialogButtonBox::AcceptRole);
  buttons->addButton(cancel, QDialogButtonBox::RejectRole);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(grid_, 1);
  layout->addLayout(SortRow(up, down, this));
  layout->addWidget(buttons);

  grid_->OnSelectPhase = [this](int phase) { table_.Select(phase); };
  connect(grid_, &QTableWidget::cellDoubleClicked, ok, &QPushButton::click);
  connect(up, &QPushButton::clicked, this, [this] {
    table_.SortUp();
    grid_->Fill();
  });
  connect(down, &QPushButton::clicked, this, [this] {
    table_.SortDown();
    grid_->Fill();
  });
  connect(ok, &QPushButton::clicked, this, [this] {
    range_ = PickedRange(table_);
    accept();
  });
  connect(cancel, &QPushButton::clicked, this, [this] {
    range_ = {};
    reject();
  });
  grid_->Fill();
  resize(520, 360);
}

TDateRange PickPhase(TProgram& program, QWidget* parent) {
  TFPhasePicker picker(program, parent);
  picker.exec();
  return picker.Range();
}

}  // namespace korvela
