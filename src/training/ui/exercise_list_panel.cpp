#include "training/ui/exercise_list_panel.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QVBoxLayout>

#include "energy/ui/body_form_parts.h"
#include "training/exercise_forms.h"
#include "training/ui/class_selector_form.h"

namespace korvela {
namespace {

// The classification behind each filter field (none for the name).
constexpr std::array<std::int32_t, 8> kFilterClasses = {
    0, kMusclesClassID, kEquipmentClassID, kMovementClassID, 14, 15, 16, 17};
constexpr std::array<const char*, 8> kFilterNames = {
    "nameFilterLineEdit",      "musclesFilterLineEdit", "equipmentFilterLineEdit",
    "movementFilterLineEdit",  "userOneFilterLineEdit", "userTwoFilterLineEdit",
    "userThreeFilterLineEdit", "userFourFilterLineEdit"};
constexpr std::array<const char*, 8> kSelectorNames = {"",
                                                       "musclesSelectorButton",
                                                       "equipmentSelectorButton",
                                                       "movementSelectorButton",
                                                       "userOneSelectorButton",
                                                       "userTwoSelectorButton",
                                                       "userThreeSelectorButton",
                                                       "userFourSelectorButton"};

}  // namespace

TExerciseListPanel::TExerciseListPanel(TProgram& program, TPrompter& prompter, const char* heading,
                                       QWidget* parent)
    : QWidget(parent),
      program_(program),
      prompter_(prompter),
      grid_(new TMyGrid(1, static_cast<int>(kDictionaryColumns.size()), this)) {
  grid_->setObjectName(QStringLiteral("exercisesGrid"));
  grid_->setAccessibleName(QStringLiteral("Exercises"));
  grid_->SetAlwaysShowEditor(false);
  grid_->OnCanEditCell = [](int, int) { return false; };
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  for (std::size_t c = 0; c < kDictionaryColumns.size(); ++c)
    grid_->SetCellText(0, static_cast<int>(c), QString::fromUtf8(kDictionaryColumns[c]));
  grid_->setColumnWidth(0, 260);
  grid_->setColumnWidth(1, 190);
  grid_->setColumnWidth(2, 110);
  grid_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  grid_->setTextElideMode(Qt::ElideRight);
  grid_->setWordWrap(false);
  grid_->setMinimumWidth(520);

  auto* filters = new QGridLayout;
  auto* title = MakeHeading(heading, this);
  filters->addWidget(title, 0, 0, 1, 3);
  for (std::size_t f = 0; f < filterEdits_.size(); ++f) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromUtf8(kFilterNames[f]));
    edit->setClearButtonEnabled(true);
    filterEdits_[f] = edit;
    filterLabels_[f] = new QLabel(this);
    filterLabels_[f]->setBuddy(edit);
    const int row = 1 + 2 * static_cast<int>(f);
    filters->addWidget(filterLabels_[f], row, 0, 1, 2);
    filters->addWidget(edit, row + 1, 0);
    if (kFilterClasses[f] != 0) {
      auto* selector = MakeButton("<..", kSelectorNames[f], this);
      selector->setFixedWidth(34);
      selectorButtons_[f] = selector;
      filters->addWidget(selector, row + 1, 1);
      connect(selector, &QPushButton::clicked, this, [this, f] { SelectorButtonClick(f); });
    }
    connect(edit, &QLineEdit::textChanged, this, &TExerciseListPanel::FilterChange);
  }
  filters->setRowStretch(1 + 2 * static_cast<int>(filterEdits_.size()), 1);
  auto* filterPanel = new QWidget(this);
  filterPanel->setLayout(filters);
  filterPanel->setFixedWidth(230);

  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(grid_, 1);
  layout->addWidget(filterPanel);

  connect(grid_, &QTableWidget::itemSelectionChanged, this, [this] {
    if (!filling_ && OnSelectionChange) OnSelectionChange();
  });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) {
    if (row >= 1 && SelectedDrill() && OnDoubleClick) OnDoubleClick();
  });
  RefreshLabels();
}

void TExerciseListPanel::RefreshLabels() {
  const std::array<std::string, 8> texts = {"Exercise Name",
                                            program_.Exercises().ClassName(kMusclesClassID),
                                            program_.Exercises().ClassName(kEquipmentClassID),
                                            program_.Exercises().ClassName(kMovementClassID),
                                            program_.Exercises().ClassName(14),
                                            program_.Exercises().ClassName(15),
                                            program_.Exercises().ClassName(16),
                                            program_.Exercises().ClassName(17)};
  for (std::size_t f = 0; f < texts.size(); ++f) {
    filterLabels_[f]->setText(QText(texts[f]));
    filterLabels_[f]->setTextFormat(Qt::PlainText);
    filterEdits_[f]->setAccessibleName(QText(texts[f]));
    if (selectorButtons_[f]) selectorButtons_[f]->setAccessibleName(QText("Select " + texts[f]));
  }
}

void TExerciseListPanel::Restart() {
  RefreshLabels();
  filling_ = true;
  for (QLineEdit* edit : filterEdits_) {
    const QSignalBlocker block(edit);
    edit->clear();
  }
  filling_ = false;
  program_.Exercises().SortLive();
  Refilter();
}

void TExerciseListPanel::FilterChange() {
  if (!filling_) Refilter();
}

void TExerciseListPanel::Refilter() {
  const TDrill* selected = SelectedDrill();
  const std::int32_t selectedID = selected ? selected->ID : -1;
  TExerciseFilter filter;
  for (std::size_t f = 0; f < filter.size(); ++f) filter[f] = filterEdits_[f]->text().toStdString();
  shown_ = program_.Exercises().Filter(filter);
  filling_ = true;
  grid_->clearSelection();
  grid_->setRowCount(static_cast<int>(shown_.size()) + 1);
  const auto& live = program_.Exercises().Live();
  for (std::size_t r = 0; r < shown_.size(); ++r) {
    const TDrill& d = *live[shown_[r]];
    const int row = static_cast<int>(r) + 1;
    grid_->SetCellText(row, 0, QText(d.Name));
    grid_->SetCellText(row, 1, QText(d.Muscles));
    grid_->SetCellText(row, 2, QText(d.Equipment));
    grid_->SetCellText(row, 3, QText(d.TOM));
  }
  grid_->setCurrentCell(-1, -1);
  filling_ = false;
  if (selectedID != -1) SelectDrill(selectedID);
  if (OnSelectionChange) OnSelectionChange();
}

int TExerciseListPanel::SelectedPosition() const {
  const auto rows = grid_->selectionModel()->selectedRows();
  if (rows.size() != 1) return -1;
  const int row = rows.front().row();
  if (row < 1 || row > static_cast<int>(shown_.size())) return -1;
  return static_cast<int>(shown_[static_cast<std::size_t>(row - 1)]);
}

const TDrill* TExerciseListPanel::SelectedDrill() const {
  const int position = SelectedPosition();
  if (position < 0) return nullptr;
  return program_.Exercises().Live()[static_cast<std::size_t>(position)].get();
}

void TExerciseListPanel::SelectDrill(std::int32_t id) {
  const auto& live = program_.Exercises().Live();
  for (std::size_t r = 0; r < shown_.size(); ++r)
    if (live[shown_[r]]->ID == id) {
      grid_->setCurrentCell(static_cast<int>(r) + 1, 0);
      grid_->selectRow(static_cast<int>(r) + 1);
      return;
    }
}

void TExerciseListPanel::SelectorButtonClick(std::size_t field) {
  const std::int32_t classID = kFilterClasses[field];
  const std::string result = SelectClassification(program_, prompter_, classID, this);
  if (classID >= kUserClassOneID) RefreshLabels();
  if (!result.empty()) filterEdits_[field]->setText(QText(result));
}

}  // namespace korvela
