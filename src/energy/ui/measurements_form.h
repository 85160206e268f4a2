#pragma once
#include <QDialog>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QPushButton>
#include <optional>

#include "app/program.h"
#include "energy/measurements_editor.h"
#include "users/prompter.h"
#include "widgets/date_edit.h"
#include "widgets/grid.h"

namespace korvela {

// "Track body measurements": the past measurements by date and the thirteen
// sites of the selected one in two grids, with the change since the previous
// measurements beside each site. Nothing is stored before OK.
class TFMeasurements final : public QDialog {
  Q_OBJECT
 public:
  // Opens on `day`.
  TFMeasurements(TProgram& program, TPrompter& prompter, TDateTime day, QWidget* parent = nullptr);

  const TMeasurementsEditor& Editor() const { return editor_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct TCell {
    TMyGrid* grid;
    int row;
    int column;  // the value column; the difference is the next one
  };

  void PastListChange(int row);
  void DateChange();
  void NewButtonClick();
  void DeleteButtonClick();
  void OkButtonClick();
  // A value cell changed (typed in its editor or committed).
  void CellChange(TMyGrid* grid, int row, int column, const QString& text);

  TMyGrid* MakeGrid(int rows, int columns, const char* name, const char* title);
  void FillTitles();
  // Shows the list, the date and the selected record's cells.
  void ShowAll();
  void ShowList();
  void RefreshDifferences();
  TMeasureTexts CellTexts() const;
  void ShowFault(const TMeasureFault& fault);
  TCell CellOf(TMeasureSite site) const;
  std::optional<TMeasureSite> SiteAt(const TMyGrid* grid, int row, int column) const;

  TProgram& program_;
  TPrompter& prompter_;
  TMeasurementsEditor editor_;
  QListWidget* pastListWidget_;
  TMyDate* dateEdit_;
  TMyGrid* unilateralGrid_;
  TMyGrid* bilateralGrid_;
  QPushButton* newButton_;
  QPushButton* deleteButton_;
  // The cell editor open in a grid, whose text is the cell's newest value.
  QPointer<QLineEdit> openEditor_;
  TCell openCell_{nullptr, 0, 0};
  bool showing_ = false;
};

}  // namespace korvela
