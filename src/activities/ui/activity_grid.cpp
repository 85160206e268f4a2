#include "activities/ui/activity_grid.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QSignalBlocker>
#include <numeric>

#include "activities/activity_figures.h"

namespace korvela {

TActivityGrid::TActivityGrid(TSportList& sports, const QStringList& titles, TCells cells,
                             QWidget* parent)
    : TMyGrid(0, static_cast<int>(titles.size()), parent),
      sports_(sports),
      cells_(std::move(cells)) {
  // Hundreds of rows: the titles stand in the header, which does not scroll.
  SetFixedRows(0);
  SetAlwaysShowEditor(false);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setHorizontalHeaderLabels(titles);
  horizontalHeader()->show();
  horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
  for (int c = 1; c < titles.size(); ++c)
    horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
  setTextElideMode(Qt::ElideRight);
  setWordWrap(false);
  setTabKeyNavigation(false);
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this,
          &TActivityGrid::SelectionChange);
}

void TActivityGrid::Fill() {
  std::vector<std::string> names;
  names.reserve(sports_.Count());
  for (const auto& sport : sports_.Sports()) names.push_back(sport->Activity);
  search_.SetNames(names);
  {
    const QSignalBlocker blocker(selectionModel());
    clearSelection();
    setRowCount(static_cast<int>(sports_.Count()));
  }
  RefreshCells();
  Filter(QString());
  SelectionChange();
}

void TActivityGrid::RefreshCells() {
  for (int row = 0; row < rowCount(); ++row) {
    const QStringList cells = cells_(sports_.At(static_cast<std::size_t>(row)));
    for (int c = 0; c < cells.size(); ++c) SetCellText(row, c, cells[c]);
  }
}

void TActivityGrid::Filter(const QString& text) {
  shown_ = search_.Filter(text.toStdString());
  std::vector<bool> visible(static_cast<std::size_t>(rowCount()), false);
  for (const std::size_t i : shown_) visible[i] = true;
  for (int row = 0; row < rowCount(); ++row)
    setRowHidden(row, !visible[static_cast<std::size_t>(row)]);
  // A hidden row does not stay selected.
  for (const QModelIndex& index : selectionModel()->selectedRows())
    if (!visible[static_cast<std::size_t>(index.row())]) {
      clearSelection();
      break;
    }
}

void TActivityGrid::Highlight(const QString& text) {
  const int best = search_.BestMatch(text.toStdString(), shown_);
  if (best < 0) {
    clearSelection();
    return;
  }
  SelectRow(best);
}

void TActivityGrid::SelectRow(int row) {
  selectRow(row);
  scrollTo(model()->index(row, 0), QAbstractItemView::PositionAtCenter);
}

void TActivityGrid::SelectSport(const TSport* sport) {
  if (!sport) return;
  const int row = sports_.IndexOf(*sport);
  if (row >= 0 && !isRowHidden(row)) SelectRow(row);
}

std::vector<const TSport*> TActivityGrid::ShownSports() const {
  std::vector<const TSport*> sports;
  for (const std::size_t i : shown_) sports.push_back(&sports_.At(i));
  return sports;
}

int TActivityGrid::SelectedCount() const {
  return static_cast<int>(selectionModel()->selectedRows().size());
}

const TSport* TActivityGrid::SelectedSport() const {
  const QModelIndexList rows = selectionModel()->selectedRows();
  if (rows.size() != 1) return nullptr;
  const int row = rows.front().row();
  if (row < 0 || row >= static_cast<int>(sports_.Count())) return nullptr;
  return &sports_.At(static_cast<std::size_t>(row));
}

void TActivityGrid::SelectionChange() {
  if (OnSelectSport) OnSelectSport(SelectedSport());
}

TActivityGrid* MakeMETGrid(TSportList& sports, const TConfigurator& config, const QString& metTitle,
                           QWidget* parent) {
  auto* grid = new TActivityGrid(
      sports, {QStringLiteral("Activity"), metTitle},
      [&config](const TSport& sport) {
        return QStringList{QString::fromStdString(sport.Activity),
                           QString::fromStdString(METText(config, sport.MET))};
      },
      parent);
  grid->setObjectName(QStringLiteral("activitiesGrid"));
  grid->setAccessibleName(QStringLiteral("Activities"));
  grid->setSelectionMode(QAbstractItemView::SingleSelection);
  return grid;
}

}  // namespace korvela
