#pragma once
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <optional>

#include "app/program.h"
#include "training/training_log_state.h"
#include "training/weight_rounding.h"
#include "training/workout_columns.h"
#include "users/prompter.h"
#include "widgets/month_calendar.h"

class QComboBox;
class QRadioButton;
class QCheckBox;

namespace korvela {

// "Open a workout": a calendar with the day's logged workouts, and the
// templates.
class TFOpenWorkout final : public QDialog {
  Q_OBJECT
 public:
  TFOpenWorkout(TProgram& program, TDateTime day, QWidget* parent = nullptr);
  std::optional<TOpenChoice> Choice() const;
  QListWidget* Logs() const { return logs_; }
  QListWidget* Templates() const { return templates_; }
  QTabWidget* Tabs() const { return tabs_; }
  TMyCalendar* Calendar() const { return calendar_; }
  void SetDay(TDateTime day);

 private:
  void UpdateOpenButton();

  TProgram& program_;
  TDateTime day_;
  TMyCalendar* calendar_;
  QTabWidget* tabs_;
  QListWidget* logs_;
  QListWidget* templates_;
  QPushButton* openButton_;
  std::vector<TOpenRow> logRows_, templateRows_;
};

// "Training Options".
class TFTrainOptions final : public QDialog {
  Q_OBJECT
 public:
  TFTrainOptions(TProgram& program, const TTrainOpt& options, QWidget* parent = nullptr);
  TTrainOpt Options() const;

 private:
  TTrainOpt options_;
  QRadioButton* fullNames_;
  QRadioButton* shortNames_;
  QCheckBox* printDrills_;
};

// "Round Weights...".
class TFRoundWeights final : public QDialog {
  Q_OBJECT
 public:
  TFRoundWeights(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  const std::optional<TRoundWeights>& Rounding() const { return rounding_; }

 private:
  void RoundButtonClick();

  TProgram& program_;
  TPrompter& prompter_;
  QComboBox* minimal_;
  QComboBox* increment_;
  QComboBox* unit_;
  QRadioButton* allRows_;
  std::optional<TRoundWeights> rounding_;
};

// "Hide/Show Columns".
class TFHideShowColumns final : public QDialog {
  Q_OBJECT
 public:
  TFHideShowColumns(TProgram& program, const TColMap& map, QWidget* parent = nullptr);
  const TColMap& Result() const { return model_.Result(); }

 private:
  void Fill();
  static std::vector<std::size_t> Selected(const QListWidget& list);

  THideShowColumns model_;
  QListWidget* visible_;
  QListWidget* hidden_;
};

// "User Defined Columns Editor".
class TFUserColumns final : public QDialog {
  Q_OBJECT
 public:
  TFUserColumns(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);
  QListWidget* List() const { return list_; }

 private:
  void Fill();
  void UpdateButtons();

  TUserColumnsEditor editor_;
  QListWidget* list_;
  QPushButton* addButton_;
  QPushButton* editButton_;
  QPushButton* deleteButton_;
};

}  // namespace korvela
