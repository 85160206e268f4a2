#pragma once
#include <QCheckBox>
#include <QPushButton>
#include <QWidget>
#include <functional>
#include <optional>

#include "users/prompter.h"
#include "widgets/chart.h"
#include "widgets/report_viewer.h"

namespace korvela {

// The commands of a graph screen's chart in one row: "Zoom In" (120 %),
// "Zoom Out" (80 %), "Reset Zoom", four arrows that move the visible range
// by a tenth, "Print Graph" and "Save Graph as Image..." (PNG or SVG).
class TChartCommands final : public QWidget {
  Q_OBJECT
 public:
  // Prints the chart: none when the user cancelled, false when the printer
  // failed.
  using TChartPrinter = std::function<std::optional<bool>(TChart& chart, QWidget* parent)>;
  static std::optional<bool> PrintWithDialog(TChart& chart, QWidget* parent);

  TChartCommands(TChart& chart, TPrompter& prompter, QWidget* parent = nullptr);

  // Tests answer the print and save dialogs here.
  void SetPrinter(TChartPrinter printer) { print_ = std::move(printer); }
  void SetImageFileChooser(TExportFileChooser chooser) { chooseFile_ = std::move(chooser); }

 private:
  void PrintButtonClick();
  void SaveImageButtonClick();

  TChart& chart_;
  TPrompter& prompter_;
  TChartPrinter print_ = PrintWithDialog;
  TExportFileChooser chooseFile_ = ChooseExportFile;
};

// The check box that lets the y axis of `chart` start at 0 (ticked) or fit
// the values; it starts as the chart is.
QCheckBox* MakeYFromZeroChoice(TChart& chart, QWidget* parent);

}  // namespace korvela
