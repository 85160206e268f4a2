#pragma once
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabBar>
#include <QTimeEdit>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "app/program.h"
#include "training/training_log_state.h"
#include "training/ui/workout_grid_view.h"
#include "users/prompter.h"
#include "widgets/date_edit.h"

namespace korvela {

// "Training Logs, Workouts and Workout Templates": up to 15 workouts in
// tabs, each with its header, its grid and the statistics and calorie
// panels. Every rule is TTrainingLogState's.
class TFTrain final : public QDialog {
  Q_OBJECT
 public:
  TFTrain(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent = nullptr);
  ~TFTrain() override;

  TTrainingLogState& State() { return *state_; }
  TWorkoutGridView* Grid() const { return grid_; }
  QTabBar* Tabs() const { return tabs_; }
  QAction* Command(const QString& caption) const;

  // The open dialog; tests answer it here.
  std::function<std::optional<TOpenChoice>(TDateTime day)> RunOpenDialog;

  void done(int result) override;

 protected:
  // A tab dragged onto another gives that one a copy of its lines.
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildMenu();
  QWidget* BuildHeader();
  QWidget* BuildPanels();
  void LoadHeader(const TWorkout& workout);
  THeaderFields ReadHeader() const;
  void FocusHeader(THeaderField field);
  void ShowState();
  void UpdatePanels();
  void UpdateCommands();
  void Changed();

  void NewWorkoutExecute();
  void NewTemplateExecute();
  void OpenExecute();
  void SaveExecute();
  void CloseExecute();
  void DeleteExecute();
  void PrintExecute();
  void RowCommand(const std::function<bool(TWorkoutGrid&, std::size_t)>& command);
  void MoveRow(bool up);
  // Row commands act while the grid has the focus (or its own menu is up)
  // and no cell is being edited.
  bool RowCommandsAct() const;
  void HideShowExecute();
  void MakeDefaultExecute();
  void UserColumnsExecute();
  void RoundWeightsExecute();
  void OptionsExecute();
  void ExerciseDictionaryExecute();
  void TabsChange(int tab);
  void DateChange();
  void METChoiceChange(int index);
  void METPickClick();

  TProgram& program_;
  TPrompter& prompter_;
  std::unique_ptr<TTrainingLogState> state_;
  QMenuBar* menu_ = nullptr;
  bool rowPopupOpen_ = false;
  QLabel* metNoteLabel_ = nullptr;
  QTabBar* tabs_ = nullptr;
  QLineEdit* nameEdit_ = nullptr;
  QLabel* dateLabel_ = nullptr;
  TMyDate* dateEdit_ = nullptr;
  QLabel* timeLabel_ = nullptr;
  QTimeEdit* timeEdit_ = nullptr;
  QSpinBox* durationSpin_ = nullptr;
  QPlainTextEdit* notesEdit_ = nullptr;
  QLineEdit* metEdit_ = nullptr;
  QComboBox* metCombo_ = nullptr;
  TWorkoutGridView* grid_ = nullptr;
  QGroupBox* sectionBox_ = nullptr;
  std::array<QLabel*, 6> workoutValues_{};
  int dragFrom_ = -1;
  std::array<QLabel*, 6> sectionValues_{};
  QLabel* totalCalories_ = nullptr;
  QLabel* additionalCalories_ = nullptr;
  bool loading_ = false;
  bool closing_ = false;
};

// Runs the screen modally for the day.
bool ShowTrainingLog(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent);

}  // namespace korvela
