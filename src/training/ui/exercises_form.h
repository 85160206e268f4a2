#pragma once
#include <QDialog>
#include <QPushButton>
#include <functional>

#include "app/program.h"
#include "training/exercise_forms.h"
#include "training/ui/exercise_list_panel.h"
#include "users/prompter.h"

namespace korvela {

// "Dictionary of Exercises": the live exercises with their filters and the
// commands New, Edit, Edit a Copy and Delete. The dictionary file is open
// while the screen is shown.
class TFExercises final : public QDialog {
  Q_OBJECT
 public:
  TFExercises(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  ~TFExercises() override;

  TExerciseListPanel* List() const { return list_; }
  // Runs the exercise editor; the default shows it modally. Tests replace it
  // to answer the editor. Returns the saved exercise, or none.
  std::function<std::optional<TDrill>(TEditMode mode, const TDrill* chosen)> RunEditor;

 private:
  void NewButtonClick();
  void EditButtonClick();
  void CopyButtonClick();
  void DeleteButtonClick();
  void UpdateButtons();

  TProgram& program_;
  TPrompter& prompter_;
  TExerciseListPanel* list_;
  QPushButton* editButton_;
  QPushButton* copyButton_;
  QPushButton* deleteButton_;
};

// "Select Exercise": the list and filters without editing; OK or a double
// click returns the selected exercise's identifier.
class TFSelectExercise final : public QDialog {
  Q_OBJECT
 public:
  TFSelectExercise(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TExerciseListPanel* List() const { return list_; }
  // The chosen exercise after OK; -1 otherwise.
  std::int32_t ChosenID() const { return chosen_; }

 private:
  void OkButtonClick();

  TExerciseListPanel* list_;
  QPushButton* okButton_;
  std::int32_t chosen_ = -1;
};

// Shows the picker; the chosen exercise's identifier, or -1.
std::int32_t PickExercise(TProgram& program, TPrompter& prompter, QWidget* parent);

}  // namespace korvela
