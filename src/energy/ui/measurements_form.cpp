#include "energy/ui/measurements_form.h"

#include <QChildEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "widgets/save_guard.h"

namespace korvela {
namespace {

constexpr int kMeasurementsHelpTopic = 73;
constexpr int kUnilateralRowCount = static_cast<int>(std::size(kUnilateralRows)) + 1;
constexpr int kBilateralRowCount = static_cast<int>(std::size(kBilateralRows)) + 1;
const QColor kDifferenceFill(255, 255, 204);

// Sizes the grid to show every cell without scrolling.
void FitGrid(TMyGrid& grid) {
  int width = 2 * grid.frameWidth();
  for (int c = 0; c < grid.columnCount(); ++c) width += grid.columnWidth(c);
  int height = 2 * grid.frameWidth();
  for (int r = 0; r < grid.rowCount(); ++r) height += grid.rowHeight(r);
  grid.setFixedSize(width, height);
}

}  // namespace

TFMeasurements::TFMeasurements(TProgram& program, TPrompter& prompter, TDateTime day,
                               QWidget* parent)
    : QDialog(parent),
      program_(program),
      prompter_(prompter),
      editor_(ListMeasurements(program.Session()->DayRecords()), program.Config(), day),
      pastListWidget_(new QListWidget(this)),
      dateEdit_(MakeDateEntry(program, "dateLineEdit", "Date:", this)),
      unilateralGrid_(MakeGrid(kUnilateralRowCount, 3, "unilateralGrid", kUnilateralTitle)),
      bilateralGrid_(MakeGrid(kBilateralRowCount, 5, "bilateralGrid", kBilateralTitle)),
      newButton_(MakeButton(kNewMeasurementsCaption, "newMeasurementsButton", this)),
      deleteButton_(MakeButton(kDeleteMeasurementsCaption, "deleteMeasurementsButton", this)) {
  setWindowTitle(QString::fromUtf8(kMeasurementsCaption));

  pastListWidget_->setObjectName(QStringLiteral("pastMeasurementsListWidget"));
  pastListWidget_->setFixedWidth(150);
  auto* pastLabel = MakeBuddyLabel(kPastMeasurementsTitle, pastListWidget_, this);
  auto* dateLabel = MakeBuddyLabel("Date:", dateEdit_, this);
  dateEdit_->setFixedWidth(150);

  for (int row = 1; row < kUnilateralRowCount; ++row) {
    unilateralGrid_->SetCellText(row, 0, QString::fromUtf8(kUnilateralRows[row - 1].caption));
  }
  for (int row = 1; row < kBilateralRowCount; ++row) {
    bilateralGrid_->SetCellText(row, 0, QString::fromUtf8(kBilateralRows[row - 1].caption));
  }
  unilateralGrid_->setColumnWidth(0, 90);
  unilateralGrid_->setColumnWidth(1, 130);
  unilateralGrid_->setColumnWidth(2, 70);
  bilateralGrid_->setColumnWidth(0, 90);
  for (int c = 1; c < 5; ++c) bilateralGrid_->setColumnWidth(c, c % 2 == 1 ? 90 : 70);
  FillTitles();
  FitGrid(*unilateralGrid_);
  FitGrid(*bilateralGrid_);

  auto* unilateral = new QGroupBox(QString::fromUtf8(kUnilateralTitle), this);
  auto* unilateralLayout = new QVBoxLayout(unilateral);
  unilateralLayout->addWidget(unilateralGrid_);
  auto* bilateral = new QGroupBox(QString::fromUtf8(kBilateralTitle), this);
  auto* bilateralLayout = new QVBoxLayout(bilateral);
  bilateralLayout->addWidget(bilateralGrid_);

  auto* left = new QVBoxLayout;
  left->addWidget(pastLabel);
  left->addWidget(pastListWidget_, 1);
  left->addWidget(dateLabel);
  left->addWidget(dateEdit_);
  left->addSpacing(6);
  left->addWidget(newButton_);
  left->addWidget(deleteButton_);
  auto* right = new QVBoxLayout;
  right->addWidget(unilateral);
  right->addWidget(bilateral);
  right->addStretch(1);
  auto* body = new QHBoxLayout;
  body->addLayout(left);
  body->addSpacing(8);
  body->addLayout(right);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(MakeHeading(kMeasurementsHeading, this));
  layout->addSpacing(6);
  layout->addLayout(body, 1);
  layout->addWidget(
      MakeDialogButtons(*this, program, kMeasurementsHelpTopic, [this] { OkButtonClick(); }));

  connect(pastListWidget_, &QListWidget::currentRowChanged, this, &TFMeasurements::PastListChange);
  dateEdit_->UserOnDateChange = [this] { DateChange(); };
  connect(newButton_, &QPushButton::clicked, this, &TFMeasurements::NewButtonClick);
  connect(deleteButton_, &QPushButton::clicked, this, &TFMeasurements::DeleteButtonClick);
  ShowAll();
}

TMyGrid* TFMeasurements::MakeGrid(int rows, int columns, const char* name, const char* title) {
  auto* grid = new TMyGrid(rows, columns, this);
  grid->setObjectName(QString::fromUtf8(name));
  grid->setAccessibleName(QString::fromUtf8(title));
  grid->SetFixedColumns(1);
  grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  grid->OnCanEditCell = [this, grid](int row, int column) {
    return editor_.Selected() >= 0 && SiteAt(grid, row, column).has_value();
  };
  grid->OnGetCellFormat = [grid](int row, int column, TGridCellFormat& format) {
    if (row == 0) {
      format.alignment = TCellAlignment::MiddleCenter;
      return;
    }
    if (column == 0) return;
    format.alignment = TCellAlignment::MiddleRight;
    const bool difference = column % 2 == 0;
    if (difference && grid->isEnabled()) {
      format.font.setBold(true);
      format.fill = kDifferenceFill;
    }
  };
  connect(grid, &QTableWidget::itemChanged, this, [this, grid](QTableWidgetItem* item) {
    if (!showing_) CellChange(grid, item->row(), item->column(), item->text());
  });
  grid->viewport()->installEventFilter(this);
  return grid;
}

void TFMeasurements::FillTitles() {
  const std::vector<std::string> unilateral = UnilateralColumns(program_.Config());
  for (std::size_t c = 0; c < unilateral.size(); ++c)
    unilateralGrid_->SetCellText(0, static_cast<int>(c) + 1, QText(unilateral[c]));
  const std::vector<std::string> bilateral = BilateralColumns(program_.Config());
  for (std::size_t c = 0; c < bilateral.size(); ++c)
    bilateralGrid_->SetCellText(0, static_cast<int>(c) + 1, QText(bilateral[c]));
}

bool TFMeasurements::eventFilter(QObject* watched, QEvent* event) {
  // A grid's cell editor: follow its typing to keep the difference current.
  if (event->type() == QEvent::ChildPolished) {
    for (TMyGrid* grid : {unilateralGrid_, bilateralGrid_}) {
      if (watched != grid->viewport()) continue;
      auto* edit = qobject_cast<QLineEdit*>(static_cast<QChildEvent*>(event)->child());
      if (!edit || edit == openEditor_) continue;
      const TCell cell{grid, grid->currentRow(), grid->currentColumn()};
      openEditor_ = edit;
      openCell_ = cell;
      edit->setObjectName(QStringLiteral("cellLineEdit"));
      connect(edit, &QLineEdit::textEdited, this, [this, cell](const QString& text) {
        CellChange(cell.grid, cell.row, cell.column, text);
      });
    }
  }
  return QDialog::eventFilter(watched, event);
}

std::optional<TMeasureSite> TFMeasurements::SiteAt(const TMyGrid* grid, int row, int column) const {
  if (grid == unilateralGrid_ && row >= 1 && row < kUnilateralRowCount && column == 1)
    return kUnilateralRows[row - 1].site;
  if (grid == bilateralGrid_ && row >= 1 && row < kBilateralRowCount) {
    if (column == 1) return kBilateralRows[row - 1].left;
    if (column == 3) return kBilateralRows[row - 1].right;
  }
  return std::nullopt;
}

TFMeasurements::TCell TFMeasurements::CellOf(TMeasureSite site) const {
  for (int row = 1; row < kUnilateralRowCount; ++row)
    if (kUnilateralRows[row - 1].site == site) return {unilateralGrid_, row, 1};
  for (int row = 1; row < kBilateralRowCount; ++row) {
    if (kBilateralRows[row - 1].left == site) return {bilateralGrid_, row, 1};
    if (kBilateralRows[row - 1].right == site) return {bilateralGrid_, row, 3};
  }
  return {unilateralGrid_, 1, 1};
}

TMeasureTexts TFMeasurements::CellTexts() const {
  TMeasureTexts texts;
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i) {
    const TCell cell = CellOf(static_cast<TMeasureSite>(i));
    const bool editing = openEditor_ && openEditor_->isVisible() && openCell_.grid == cell.grid &&
                         openCell_.row == cell.row && openCell_.column == cell.column;
    texts[i] =
        (editing ? openEditor_->text() : cell.grid->CellText(cell.row, cell.column)).toStdString();
  }
  return texts;
}

void TFMeasurements::CellChange(TMyGrid* grid, int row, int column, const QString& text) {
  const std::optional<TMeasureSite> site = SiteAt(grid, row, column);
  if (!site) return;
  const std::optional<std::string> difference =
      editor_.TypedDifferenceText(*site, text.toStdString());
  if (!difference) return;
  const bool wasShowing = showing_;
  showing_ = true;
  grid->SetCellText(row, column + 1, QText(*difference));
  showing_ = wasShowing;
}

void TFMeasurements::ShowList() {
  const bool blocked = pastListWidget_->blockSignals(true);
  pastListWidget_->clear();
  for (const std::string& text : editor_.ListTexts()) pastListWidget_->addItem(QText(text));
  pastListWidget_->setCurrentRow(editor_.Selected());
  pastListWidget_->blockSignals(blocked);
}

void TFMeasurements::ShowAll() {
  showing_ = true;
  // Leaving the current cells closes an open cell editor before the cells
  // are refilled.
  for (TMyGrid* grid : {unilateralGrid_, bilateralGrid_}) grid->setCurrentCell(-1, -1);
  openEditor_ = nullptr;
  ShowList();
  const bool any = editor_.Selected() >= 0;
  if (any) dateEdit_->SetDate(editor_.Records()[static_cast<std::size_t>(editor_.Selected())].Date);
  if (!any) dateEdit_->Edit()->clear();
  const TMeasureTexts texts = editor_.Texts();
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i) {
    const auto site = static_cast<TMeasureSite>(i);
    const TCell cell = CellOf(site);
    cell.grid->SetCellText(cell.row, cell.column, QText(texts[i]));
    cell.grid->SetCellText(cell.row, cell.column + 1, QText(editor_.DifferenceText(site)));
  }
  for (QWidget* control : std::initializer_list<QWidget*>{
           pastListWidget_, dateEdit_, unilateralGrid_, bilateralGrid_, deleteButton_})
    control->setEnabled(any);
  showing_ = false;
}

void TFMeasurements::RefreshDifferences() {
  // After a date change the previous record may be another one.
  showing_ = true;
  const TMeasureTexts typed = CellTexts();
  for (std::size_t i = 0; i < kMeasureSiteCount; ++i) {
    const auto site = static_cast<TMeasureSite>(i);
    const TCell cell = CellOf(site);
    const std::optional<std::string> difference = editor_.TypedDifferenceText(site, typed[i]);
    if (difference) cell.grid->SetCellText(cell.row, cell.column + 1, QText(*difference));
  }
  showing_ = false;
}

void TFMeasurements::ShowFault(const TMeasureFault& fault) {
  prompter_.Warn(fault.message);
  const TCell cell = CellOf(fault.site);
  cell.grid->setFocus();
  cell.grid->setCurrentCell(cell.row, cell.column);
}

void TFMeasurements::PastListChange(int row) {
  if (showing_ || row < 0) return;
  if (const auto fault = editor_.Select(row, CellTexts())) {
    ShowList();  // the selection returns to the record at fault
    ShowFault(*fault);
    return;
  }
  ShowAll();
}

void TFMeasurements::DateChange() {
  if (const auto warning = editor_.ChangeDate(dateEdit_->Date())) {
    prompter_.Warn(*warning);
    dateEdit_->SetDate(editor_.Records()[static_cast<std::size_t>(editor_.Selected())].Date);
    return;
  }
  ShowList();
  RefreshDifferences();
}

void TFMeasurements::NewButtonClick() {
  if (const auto fault = editor_.NewMeasurements(CellTexts(), program_.Clock().Today())) {
    ShowFault(*fault);
    return;
  }
  ShowAll();
  dateEdit_->DropDown();
}

void TFMeasurements::DeleteButtonClick() {
  editor_.DeleteSelected();
  ShowAll();
}

void TFMeasurements::OkButtonClick() {
  if (const auto fault = editor_.Accept(CellTexts())) {
    ShowFault(*fault);
    return;
  }
  if (!SaveOrWarn(prompter_, [this] {
        ReplaceMeasurements(program_.Session()->DayRecords(), editor_.Records());
      }))
    return;
  accept();
}

}  // namespace korvela
