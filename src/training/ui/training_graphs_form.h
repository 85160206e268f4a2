#pragma once
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "app/program.h"
#include "energy/ui/graph_period_box.h"
#include "training/training_graphs.h"
#include "users/prompter.h"
#include "widgets/chart.h"
#include "widgets/chart_commands.h"

namespace korvela {

// "Training Graphs": one training figure a day over a period, of all the
// period's exercises or of the ones chosen.
class TFTrainingGraphs final : public QDialog {
  Q_OBJECT
 public:
  TFTrainingGraphs(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TGraphPeriodBox* Period() const { return period_; }
  QRadioButton* ChosenExercisesRadio() const { return chosenRadio_; }
  QListWidget* ExerciseList() const { return exerciseList_; }
  QLabel* ExerciseListTitle() const { return listTitle_; }
  QListWidget* GraphList() const { return graphList_; }
  QComboBox* DistanceUnits() const { return unitList_; }
  TChart* Chart() const { return chart_; }
  TChartCommands* ChartCommands() const { return commands_; }
  QCheckBox* YFromZero() const { return fromZero_; }

  // Draws the chosen graph, warning of a period that ends before it starts
  // and of a period without the exercises to draw.
  void GraphButtonClick();

 private:
  // Draws the chosen graph over the period; without `warn` a period that
  // ends before it starts leaves the chart as it was, and one without
  // exercises draws an empty chart of the period.
  void Draw(bool warn);
  void RebuildExerciseList();
  void ChoiceChange();

  TProgram& program_;
  TPrompter& prompter_;
  std::vector<std::int32_t> periodExercises_;
  TGraphPeriodBox* period_;
  QRadioButton* allRadio_;
  QRadioButton* chosenRadio_;
  QLabel* listTitle_;
  QListWidget* exerciseList_;
  QListWidget* graphList_;
  QComboBox* unitList_;
  QPushButton* graphButton_;
  TChart* chart_;
  QCheckBox* fromZero_;
  TChartCommands* commands_;
};

}  // namespace korvela
