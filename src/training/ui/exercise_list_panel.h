#pragma once
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <array>
#include <functional>
#include <vector>

#include "app/program.h"
#include "training/exercise_dictionary.h"
#include "users/prompter.h"
#include "widgets/grid.h"

namespace korvela {

// The exercise list with its filter fields, shared by the dictionary screen
// and the exercise picker: the live exercises every filter text matches, in
// list order, with their name, target muscles, equipment and movement type.
class TExerciseListPanel final : public QWidget {
  Q_OBJECT
 public:
  TExerciseListPanel(TProgram& program, TPrompter& prompter, const char* heading,
                     QWidget* parent = nullptr);

  // Labels from the current classification names, filters cleared, the
  // dictionary re-sorted and shown whole.
  void Restart();
  // Runs the filter again and redraws the list, keeping the selected
  // exercise selected when it is still shown.
  void Refilter();
  // The exercise of the selected row; null when none is.
  const TDrill* SelectedDrill() const;
  // Its position in the dictionary's live list; -1 when none is selected.
  int SelectedPosition() const;
  void SelectDrill(std::int32_t id);
  int ShownCount() const { return static_cast<int>(shown_.size()); }
  TMyGrid* Grid() const { return grid_; }

  std::function<void()> OnSelectionChange;
  std::function<void()> OnDoubleClick;

 private:
  void FilterChange();
  void SelectorButtonClick(std::size_t field);
  void RefreshLabels();

  TProgram& program_;
  TPrompter& prompter_;
  TMyGrid* grid_;
  std::array<QLineEdit*, 8> filterEdits_{};
  std::array<QLabel*, 8> filterLabels_{};
  std::array<QPushButton*, 8> selectorButtons_{};  // none for the name
  std::vector<std::size_t> shown_;                 // live-list positions of the rows
  bool filling_ = false;
};

}  // namespace korvela
