#pragma once
#include <QCheckBox>
#include <QDialog>
#include <QListWidget>
#include <QPushButton>
#include <QTabBar>

#include "app/program.h"
#include "energy/ui/graph_period_box.h"
#include "reports/diary_graphs.h"
#include "users/prompter.h"
#include "widgets/chart.h"
#include "widgets/chart_commands.h"

namespace korvela {

// Draws day-by-day graphs of the nutrition, bodyweight and recovery records
// over a period: a tab and a graph are chosen, "Graph" draws.
class TFGraphs final : public QDialog {
  Q_OBJECT
 public:
  TFGraphs(TProgram& program, TPrompter& prompter, QWidget* parent = nullptr);

  TGraphPeriodBox* Period() const { return period_; }
  QTabBar* Tabs() const { return tabs_; }
  QListWidget* GraphList() const { return graphList_; }
  TChart* Chart() const { return chart_; }
  TChartCommands* ChartCommands() const { return commands_; }
  QCheckBox* YFromZero() const { return fromZero_; }
  // The graph chosen in the list.
  TDiaryGraph ChosenGraph() const;

  // Draws the chosen graph, warning of a period that ends before it starts.
  void GraphButtonClick();

 private:
  void TabChange(int index);
  void GraphListChange();
  // Draws the chosen graph over the period; without `warn` a period that
  // ends before it starts leaves the chart as it was.
  void Draw(bool warn);

  TProgram& program_;
  TPrompter& prompter_;
  TGraphPeriodBox* period_;
  QTabBar* tabs_;
  QListWidget* graphList_;
  QPushButton* graphButton_;
  TChart* chart_;
  QCheckBox* fromZero_;
  TChartCommands* commands_;
};

// Puts the series of a graph on a chart: its title, the y axis title, lines
// and bars in the order given, each bar in its own colour when it has one.
void ShowGraphData(TChart& chart, const TGraphData& data);

}  // namespace korvela
