#pragma once
#include <QLineEdit>
#include <QPushButton>
#include <functional>

#include "training/workout_grid.h"
#include "widgets/grid.h"

namespace korvela {

// The exercise cell's editor: a line that completes exercise names as they
// are typed, with a ".." button that opens the exercise picker.
class TExerciseCellEditor final : public QWidget {
  Q_OBJECT
 public:
  TExerciseCellEditor(const TExerciseDictionary& dictionary, QWidget* parent);
  QLineEdit* Line() const { return line_; }
  void SetText(const std::string& text, bool readOnly);

  // The exercise (-1: none) and limb the text stands for, after each change.
  std::function<void(std::int32_t did, std::uint8_t limb)> OnApply;
  // ".." pressed: the chosen exercise's identifier, or -1.
  std::function<std::int32_t()> OnPick;
  // The editor's text for a picked exercise.
  std::function<std::string(std::int32_t did)> PickedText;
  // A key that leaves the editor: Up, Down, Left or Right.
  std::function<void(int key)> OnLeave;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Complete(const QString& prefix);
  void PickButtonClick();

  const TExerciseDictionary& dictionary_;
  QLineEdit* line_;
  QPushButton* pickButton_;
};

// The workout grid on screen: the toolkit's title row (columns can be
// dragged to another place and resized), one row per line and blank rows
// below, each cell edited through the model's rules.
class TWorkoutGridView final : public TMyGrid {
  Q_OBJECT
 public:
  explicit TWorkoutGridView(QWidget* parent = nullptr);

  // The model shown; null shows nothing.
  void SetModel(TWorkoutGrid* model);
  TWorkoutGrid* Model() const { return model_; }
  // Every cell, the titles and widths again from the model.
  void Refresh();
  // The grid's widths of the visible columns, in grid order.
  std::vector<std::int32_t> Widths() const;
  // The line of the current row (rows are lines; the title row is the
  // toolkit's header).
  std::size_t CurrentLine() const;
  bool Editing() const { return state() == QAbstractItemView::EditingState; }
  // Commits and closes an open cell editor.
  void EndEdit();

  // A committed edit or an applied exercise changed the workout.
  std::function<void()> OnChanged;
  // A title was dragged from one visible place to another.
  std::function<void(std::size_t from, std::size_t to)> OnColumnMoved;
  std::function<std::int32_t()> OnPickExercise;
  // A right click: on a row (true) or on the titles (false).
  std::function<void(const QPoint& global, bool onRow)> OnPopup;

 private:
  friend class TWorkoutCellDelegate;
  void SectionMoved(int logical, int oldVisual, int newVisual);

  TWorkoutGrid* model_ = nullptr;
  bool refreshing_ = false;
};

}  // namespace korvela
