#pragma once
#include <QStringList>
#include <functional>
#include <vector>

#include "activities/activity_search.h"
#include "activities/sport_list.h"
#include "users/configurator.h"
#include "widgets/grid.h"

namespace korvela {

// The list of activities every activity screen shows: a striped grid with
// the column titles in a header that stays in view, one row per activity of
// the dictionary in its order, whole rows selected. Rows that do not pass
// the word filter are hidden. The columns are the screen's.
class TActivityGrid : public TMyGrid {
  Q_OBJECT
 public:
  using TCells = std::function<QStringList(const TSport&)>;
  TActivityGrid(TSportList& sports, const QStringList& titles, TCells cells,
                QWidget* parent = nullptr);

  // Rebuilds the rows after the dictionary changed, and shows them all.
  void Fill();
  // Rewrites the cells (the figures changed), keeping filter and selection.
  void RefreshCells();
  // Shows only the activities that match the search text (all for an empty
  // one).
  void Filter(const QString& text);
  // Selects the best match of the text among the rows shown and scrolls it
  // into view; nothing is selected when none matches.
  void Highlight(const QString& text);
  // Selects the row of an activity when it is shown.
  void SelectSport(const TSport* sport);

  int ShownCount() const { return static_cast<int>(shown_.size()); }
  // The activities shown, in order.
  std::vector<const TSport*> ShownSports() const;
  // The one selected activity; null with none or several selected.
  const TSport* SelectedSport() const;
  int SelectedCount() const;

  // The selection changed (a click, the keyboard or a search).
  std::function<void(const TSport*)> OnSelectSport;

 private:
  void SelectionChange();
  void SelectRow(int row);

  TSportList& sports_;
  TCells cells_;
  TActivitySearch search_;
  std::vector<std::size_t> shown_;
};

// The single-selection list of activities and their METs that the activity
// log, the calories-burned calculator and the MET picker show.
TActivityGrid* MakeMETGrid(TSportList& sports, const TConfigurator& config, const QString& metTitle,
                           QWidget* parent);

}  // namespace korvela
